#include "dialogs/BoutonsRepetes.h"

#include <QAbstractButton>
#include <QEvent>
#include <QGuiApplication>
#include <QTimer>
#include <utility>

int IntervalleRepetition(AllureRepetition allure, int repetition) {
  if (repetition == 0) return 300;
  const bool tard = repetition >= 10;
  if (allure == AllureRepetition::Accordage) return tard ? 150 : 200;
  return tard ? 50 : 100;
}

int FacteurRepetition(AllureRepetition allure, int repetition) {
  if (repetition < 30) return 1;
  return allure == AllureRepetition::Accordage ? 2 : 3;
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

TBoutonsRepetes::TBoutonsRepetes(QObject* parent, AllureRepetition allure)
    : QObject(parent), allure_(allure), minuterie_(new QTimer(this)) {
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
    minuterie_->start(IntervalleRepetition(allure_, 0));
  });
  connect(b, &QAbstractButton::released, this, &TBoutonsRepetes::Arreter);
  ArreterSansRelachement(b, [this] { Arreter(); });
}

void TBoutonsRepetes::Arreter() { minuterie_->stop(); }

void TBoutonsRepetes::Repeter() {
  const int n = ++repetitions_;
  if (pas_) pas_(FacteurRepetition(allure_, n));
  minuterie_->start(IntervalleRepetition(allure_, n));
}
