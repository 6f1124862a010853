#include "dialogs/BoutonsRepetes.h"

#include <QAbstractButton>
#include <QEvent>
#include <QGuiApplication>
#include <QTimer>
#include <iterator>
#include <utility>

namespace {
// One row per profile, in the order of the enum: the waits after the press, after the first
// repeat, up to the tenth and from it on, and the steps of each repeat from the thirtieth.
struct TProfil {
  int apresAppui, apresPremiere, ensuite, tard, facteurTard;
};
constexpr TProfil kProfils[] = {
    {300, 100, 100, 50, 3},   // Entier
    {300, 200, 200, 150, 2},  // Accordage
    {300, 300, 130, 130, 1},  // Reel
    {300, 300, 130, 130, 1},  // EntierLent
    {300, 300, 100, 100, 1},  // Doublement
};
static_assert(std::size(kProfils) == static_cast<size_t>(ProfilRepetition::Doublement) + 1);
}  // namespace

int IntervalleRepetition(ProfilRepetition profil, int repetition) {
  const TProfil& p = kProfils[static_cast<int>(profil)];
  if (repetition == 0) return p.apresAppui;
  if (repetition == 1) return p.apresPremiere;
  return repetition < 10 ? p.ensuite : p.tard;
}

int FacteurRepetition(ProfilRepetition profil, int repetition) {
  return repetition < 30 ? 1 : kProfils[static_cast<int>(profil)].facteurTard;
}

namespace {
// Watches one button from its press to its release. The button itself gets a Hide event when its
// window hides, and the window's deactivation too; the application tells when it goes inactive.
class TGardeRelachement : public QObject {
 public:
  TGardeRelachement(QAbstractButton* b, std::function<void()> arreter)
      : QObject(b), bouton_(b), arreter_(std::move(arreter)) {
    b->installEventFilter(this);
    connect(b, &QAbstractButton::pressed, this, [this] { tenu_ = true; });
    connect(b, &QAbstractButton::released, this, [this] { tenu_ = false; });
    if (qGuiApp)
      connect(qGuiApp, &QGuiApplication::applicationStateChanged, this, [this](Qt::ApplicationState etat) {
        if (etat != Qt::ApplicationActive) Lacher();
      });
  }

  bool eventFilter(QObject* o, QEvent* e) override {
    if (o == bouton_ && (e->type() == QEvent::Hide || e->type() == QEvent::WindowDeactivate)) Lacher();
    return QObject::eventFilter(o, e);
  }

 private:
  // Only the held button stops its family: another one of it may hide meanwhile (a tuning row).
  void Lacher() {
    if (!tenu_) return;
    tenu_ = false;
    // Drawn up, and a late release the button might still get is no click.
    bouton_->setDown(false);
    arreter_();
  }

  QAbstractButton* bouton_;
  std::function<void()> arreter_;
  bool tenu_ = false;
};
}  // namespace

void ArreterSansRelachement(QAbstractButton* b, std::function<void()> arreter) {
  new TGardeRelachement(b, std::move(arreter));
}

TBoutonsRepetes::TBoutonsRepetes(QObject* parent, ProfilRepetition profil)
    : QObject(parent), profil_(profil), minuterie_(new QTimer(this)) {
  minuterie_->setSingleShot(true);
  connect(minuterie_, &QTimer::timeout, this, [this] { Repeter(); });
}

void TBoutonsRepetes::Brancher(QAbstractButton* b, std::function<void(int)> pas) {
  // The button's own auto-repeat would emit pressed again at each repeat and restart the count.
  b->setAutoRepeat(false);
  connect(b, &QAbstractButton::pressed, this, [this, pas = std::move(pas)] {
    pas_ = pas;
    repetitions_ = 0;
    pas_(1);
    minuterie_->start(IntervalleRepetition(profil_, 0));
  });
  connect(b, &QAbstractButton::released, this, &TBoutonsRepetes::Arreter);
  ArreterSansRelachement(b, [this] { Arreter(); });
}

void TBoutonsRepetes::Arreter() { minuterie_->stop(); }

void TBoutonsRepetes::Repeter() {
  const int n = ++repetitions_;
  if (pas_) pas_(FacteurRepetition(profil_, n));
  minuterie_->start(IntervalleRepetition(profil_, n));
}
