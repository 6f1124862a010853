#include "dialogs/ChampNumerique.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

#include "dialogs/BoutonsRepetes.h"
#include "editor/state/EtatProgramme.h"
#include "editor/state/Partition.h"

double ValeurApresPas(ProfilRepetition p, double valeur, int sens, double pas, int tick, double minimum,
                      double maximum) {
  if (p == ProfilRepetition::Doublement) {
    const int v = static_cast<int>(valeur);
    int d = (v >= 1 && v <= 32 && (v & (v - 1)) == 0 && v == valeur) ? v : 4;
    if (sens > 0 && d <= 16) d *= 2;
    if (sens < 0 && d > 1) d /= 2;
    return std::clamp<double>(d, minimum, maximum);
  }
  return std::clamp(valeur + sens * pas * FacteurRepetition(p, tick), minimum, maximum);
}

std::optional<double> ValeurApresClic(ProfilRepetition p, double valeur, int sens, double pas, double minimum,
                                      double maximum) {
  // The denominator reads any wrong value as 4 first.
  if (p == ProfilRepetition::Doublement) return ValeurApresPas(p, valeur, sens, pas, 0, minimum, maximum);
  const auto dedans = [&](double v) { return v >= minimum && v <= maximum; };
  const double apres = valeur + sens * pas;
  if (!dedans(valeur) && !dedans(apres)) return std::nullopt;
  return std::clamp(apres, minimum, maximum);
}

TChampNumerique::TChampNumerique(QWidget* parent, const QString& nom, ProfilRepetition profil, double minimum,
                                 double maximum, double pas, int longueurMax)
    : QWidget(parent), profil_(profil), min_(minimum), max_(maximum), pas_(pas) {
  setObjectName(nom + QStringLiteral("Champ"));
  Edit = new QLineEdit(this);
  Edit->setObjectName(nom);
  Edit->setMaxLength(longueurMax);
  Edit->setFixedWidth(12 + 9 * std::max(2, longueurMax));
  Edit->installEventFilter(this);
  setFocusProxy(Edit);
  Haut = new QToolButton(this);
  Haut->setObjectName(nom + QStringLiteral("Up"));
  Haut->setArrowType(Qt::UpArrow);
  Bas = new QToolButton(this);
  Bas->setObjectName(nom + QStringLiteral("Down"));
  Bas->setArrowType(Qt::DownArrow);
  for (QToolButton* b : {Haut, Bas}) {
    b->setFocusPolicy(Qt::NoFocus);  // speed buttons: Tab goes from field to field
    b->setFixedSize(16, 11);
  }
  auto* v = new QVBoxLayout;
  v->setSpacing(0);
  v->setContentsMargins(0, 0, 0, 0);
  v->addWidget(Haut);
  v->addWidget(Bas);
  auto* h = new QHBoxLayout(this);
  h->setContentsMargins(0, 0, 0, 0);
  h->setSpacing(1);
  h->addWidget(Edit);
  h->addLayout(v);
  Minuterie = new QTimer(this);
  Minuterie->setSingleShot(true);
  connect(Minuterie, &QTimer::timeout, this, [this] { Repeter(); });
  connect(Haut, &QToolButton::pressed, this, [this] { Appuyer(+1); });
  connect(Bas, &QToolButton::pressed, this, [this] { Appuyer(-1); });
  connect(Haut, &QToolButton::released, Minuterie, &QTimer::stop);
  connect(Bas, &QToolButton::released, Minuterie, &QTimer::stop);
  for (QToolButton* b : {Haut, Bas}) ArreterSansRelachement(b, [this] { Minuterie->stop(); });
  connect(Edit, &QLineEdit::textEdited, this, &TChampNumerique::modifie);
}

void TChampNumerique::SetBornes(double minimum, double maximum) {
  min_ = minimum;
  max_ = maximum;
}

QString TChampNumerique::Texte() const { return Edit->text(); }
void TChampNumerique::SetTexte(const QString& t) { Edit->setText(t); }

void TChampNumerique::SetValeur(double v) {
  if (!reel()) {
    Edit->setText(QString::number(static_cast<long long>(std::lrint(v))));
    return;
  }
  QString t = QString::number(v, 'g', 6);
  t.replace(QLatin1Char('.'), SeparateurDecimal);
  Edit->setText(t);
}

double TChampNumerique::Valeur(bool* ok) const {
  const QString t = Edit->text().trimmed();
  bool bon = false;
  double v = 0;
  if (reel()) {
    QString u = t;
    u.replace(',', '.');
    v = u.toDouble(&bon);
    bon = bon && std::isfinite(v);
    if (bon) v = TexteEnReel(t);
  } else {
    v = t.toInt(&bon, 10);
  }
  if (ok) *ok = bon;
  return bon ? v : 0;
}

int TChampNumerique::ValeurEntiere(bool* ok) const { return static_cast<int>(std::lrint(Valeur(ok))); }

void TChampNumerique::Selectionner() {
  Edit->setFocus();
  Edit->selectAll();
}

void TChampNumerique::Pas(int sens) {
  bool ok = false;
  const double v = Valeur(&ok);
  if (Edit->text().isEmpty()) return;
  const std::optional<double> apres = ValeurApresClic(profil_, ok ? v : 0, sens, pas_, min_, max_);
  if (!apres) return;
  SetValeur(*apres);
  Selectionner();
  emit modifie();
}

void TChampNumerique::Appuyer(int sens) {
  Pas(sens);
  sens_ = sens;
  ticks_ = 0;
  Minuterie->start(IntervalleRepetition(profil_, 0));
}

void TChampNumerique::Repeter() {
  if (Edit->text().isEmpty()) return;
  ++ticks_;
  bool ok = false;
  const double v = Valeur(&ok);
  SetValeur(ValeurApresPas(profil_, ok ? v : 0, sens_, pas_, ticks_, min_, max_));
  emit modifie();
  Minuterie->start(IntervalleRepetition(profil_, ticks_));
}

bool TChampNumerique::eventFilter(QObject* o, QEvent* e) {
  if (o != Edit || e->type() != QEvent::KeyPress) return QWidget::eventFilter(o, e);
  auto* k = static_cast<QKeyEvent*>(e);
  const bool pave = k->modifiers() & Qt::KeypadModifier;
  if (k->key() == Qt::Key_Up || (pave && k->key() == Qt::Key_Plus)) {
    Pas(+1);
    return true;
  }
  if (k->key() == Qt::Key_Down || (pave && k->key() == Qt::Key_Minus)) {
    Pas(-1);
    return true;
  }
  const QString t = k->text();
  if (t.size() != 1 || !t[0].isPrint() || (k->modifiers() & Qt::ControlModifier)) return false;  // editing keys
  if (t[0].isDigit()) return false;
  if (reel() && (t[0] == '.' || t[0] == ',')) {
    Edit->insert(QString(SeparateurDecimal));
    emit modifie();
  }
  return true;  // any other character is dropped
}
