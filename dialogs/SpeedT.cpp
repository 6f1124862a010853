#include "dialogs/SpeedT.h"

#include <QDesktopServices>
#include <QEvent>
#include <QFileInfo>
#include <QGridLayout>
#include <QUrl>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QTimer>
#include <QToolButton>
#include <algorithm>

#include "dialogs/BoutonsRepetes.h"
#include "song/Song.h"
#include "platform/Folders.h"
#include "settings/Langue.h"
#include "settings/Mess.h"

TSpeedT_Form* SpeedT_Form = nullptr;

int ChampIncorrectSpeedTrainer(const QString textes[5], int nbMesures) {
  auto valeur = [&](int i, bool& ok) { return textes[i].trimmed().toInt(&ok); };
  bool ok = false;
  int deb = valeur(0, ok);
  if (!ok || deb == 0 || deb > nbMesures) return 1;
  int fin = valeur(1, ok);
  if (!ok || fin == 0 || fin > nbMesures || fin < deb) return 2;
  if (valeur(2, ok) == 0 || !ok) return 3;
  if (valeur(3, ok) == 0 || !ok) return 4;
  valeur(4, ok);
  if (!ok) return 5;
  return 0;
}

TSpeedT_Form::TSpeedT_Form(QWidget* parent) : QDialog(parent) {
  setObjectName("SpeedT_Form");
  setWindowTitle("Speed Trainer");
  auto* grille = new QGridLayout;
  auto champ = [&](const char* nom, QToolButton*& haut, QToolButton*& bas, const char* nomHaut, const char* nomBas,
                   int chiffres) {
    auto* e = new QLineEdit(this);
    e->setObjectName(nom);
    e->setMaxLength(chiffres);
    e->setFixedWidth(12 + 9 * chiffres);
    e->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]{0,%1}").arg(chiffres)), e));
    e->installEventFilter(this);
    haut = new QToolButton(this);
    haut->setObjectName(nomHaut);
    haut->setArrowType(Qt::UpArrow);
    bas = new QToolButton(this);
    bas->setObjectName(nomBas);
    bas->setArrowType(Qt::DownArrow);
    // Like speed buttons they take no focus, so Tab goes from field to field.
    haut->setFocusPolicy(Qt::NoFocus);
    bas->setFocusPolicy(Qt::NoFocus);
    return e;
  };
  // Four digits for the measures: a song holds up to 1000.
  MesDeb = champ("MesDeb", MesDebUp, MesDebDown, "MesDebUp", "MesDebDown", 4);
  MesFin = champ("MesFin", MesFinUp, MesFinDown, "MesFinUp", "MesFinDown", 4);
  TempoDeb = champ("TempoDeb", TempoDebUp, TempoDebDown, "TempoDebUp", "TempoDebDown", 3);
  TempoFin = champ("TempoFin", TempoFinUp, TempoFinDown, "TempoFinUp", "TempoFinDown", 3);
  Variation = champ("Variation", VariationUp, VariationDown, "VariationUp", "VariationDown", 3);
  LabelMesures = new QLabel("Bars :", this);
  LabelMesuresA = new QLabel("to", this);
  LabelTempos = new QLabel("Tempos :", this);
  LabelTemposA = new QLabel("to", this);
  LabelVariation = new QLabel("Each pass tempo variation :", this);
  // The labels' accelerators go to their fields.
  LabelMesures->setBuddy(MesDeb);
  LabelMesuresA->setBuddy(MesFin);
  LabelTempos->setBuddy(TempoDeb);
  LabelTemposA->setBuddy(TempoFin);
  LabelVariation->setBuddy(Variation);

  QToolButton* hauts[NB_CHAMPS] = {MesDebUp, MesFinUp, TempoDebUp, TempoFinUp, VariationUp};
  QToolButton* bas[NB_CHAMPS] = {MesDebDown, MesFinDown, TempoDebDown, TempoFinDown, VariationDown};
  auto boutons = [&](int c) {
    auto* v = new QVBoxLayout;
    v->setSpacing(0);
    v->addWidget(hauts[c]);
    v->addWidget(bas[c]);
    auto* h = new QHBoxLayout;
    h->setSpacing(1);
    h->addWidget(Champ(c));
    h->addLayout(v);
    return h;
  };
  grille->addWidget(LabelMesures, 0, 0);
  grille->addLayout(boutons(CHAMP_MES_DEB), 0, 1);
  grille->addWidget(LabelMesuresA, 0, 2);
  grille->addLayout(boutons(CHAMP_MES_FIN), 0, 3);
  grille->addWidget(LabelTempos, 1, 0);
  grille->addLayout(boutons(CHAMP_TEMPO_DEB), 1, 1);
  grille->addWidget(LabelTemposA, 1, 2);
  grille->addLayout(boutons(CHAMP_TEMPO_FIN), 1, 3);
  grille->addWidget(LabelVariation, 2, 0, 1, 3);
  grille->addLayout(boutons(CHAMP_VARIATION), 2, 3);

  QTimer** minuteries[NB_CHAMPS] = {&Timer1, &Timer2, &Timer3, &Timer4, &Timer5};
  for (int c = 0; c < NB_CHAMPS; ++c) {
    auto* r = new TBoutonsRepetes(this, ProfilRepetition::Entier);
    *minuteries[c] = r->Minuterie();
    for (int sens : {+1, -1})
      r->Brancher(sens > 0 ? hauts[c] : bas[c], [this, r, c, sens](int n) {
        // The press steps as a click does; the repeats clamp to the range.
        if (r->Repetitions() == 0)
          Pas(c, sens);
        else
          Repeter(c, sens * n);
      });
  }

  BT_OK = new QPushButton("OK", this);
  BT_OK->setObjectName("BT_OK");
  BT_OK->setDefault(true);
  BT_Annuler = new QPushButton("Cancel", this);
  BT_Annuler->setObjectName("BT_Annuler");
  BT_Aide = new QPushButton("Help", this);
  BT_Aide->setObjectName("BT_Aide");
  connect(BT_OK, &QPushButton::clicked, this, &TSpeedT_Form::BT_OKClick);
  connect(BT_Annuler, &QPushButton::clicked, this, &QDialog::reject);
  connect(BT_Aide, &QPushButton::clicked, this, [this] {
    // Help is a page of the program folder when one is installed.
    const QString page = DossierProgramme() + "help/SpeedT.html";
    if (QFileInfo::exists(page))
      QDesktopServices::openUrl(QUrl::fromLocalFile(page));
    else
      MessageBoxD(TexteLangue("Dlg-Information"), TexteLangue("Aide-NonDisponible"), MB_ICONE_INFORMATION, MB_OK,
                  MB_DEF_OK);
  });
  auto* ligneBoutons = new QHBoxLayout;
  ligneBoutons->addStretch();
  ligneBoutons->addWidget(BT_OK);
  ligneBoutons->addWidget(BT_Annuler);
  ligneBoutons->addWidget(BT_Aide);
  auto* tout = new QVBoxLayout(this);
  tout->addLayout(grille);
  tout->addLayout(ligneBoutons);
  Traduire();
}

QLineEdit* TSpeedT_Form::Champ(int champ) const {
  QLineEdit* champs[NB_CHAMPS] = {MesDeb, MesFin, TempoDeb, TempoFin, Variation};
  return champs[std::clamp(champ, 0, NB_CHAMPS - 1)];
}

void TSpeedT_Form::Bornes(int champ, int& minimum, int& maximum) const {
  switch (champ) {
    case CHAMP_MES_DEB: case CHAMP_MES_FIN: minimum = 1; maximum = std::max(1, Partition.NbMesures); break;
    case CHAMP_VARIATION: minimum = 0; maximum = 999; break;
    default: minimum = 1; maximum = 999; break;
  }
}

void TSpeedT_Form::Traduire() {
  QSet<QChar> utilisees;
  setWindowTitle(LegendeGroupe("DLG_ASS_ST_000", 1, "Speed Trainer"));
  LabelMesures->setText(AjouterRaccourci(LegendeGroupe("DLG_ASS_ST_000", 2, "Bars :"), utilisees));
  LabelMesuresA->setText(LegendeGroupe("DLG_ASS_ST_000", 3, "to"));
  LabelTempos->setText(AjouterRaccourci(LegendeGroupe("DLG_ASS_ST_000", 4, "Tempos :"), utilisees));
  LabelTemposA->setText(LegendeGroupe("DLG_ASS_ST_000", 5, "to"));
  LabelVariation->setText(AjouterRaccourci(LegendeGroupe("DLG_ASS_ST_000", 6, "Each pass tempo variation :"), utilisees));
  BT_OK->setText(AjouterRaccourci(LegendeGroupe("DLG_000", 1, "OK"), utilisees));
  BT_Annuler->setText(AjouterRaccourci(LegendeGroupe("DLG_000", 2, "Cancel"), utilisees));
  BT_Aide->setText(AjouterRaccourci(LegendeGroupe("DLG_000", 5, "Help"), utilisees));
}

void TSpeedT_Form::changeEvent(QEvent* e) {
  QDialog::changeEvent(e);
  if (e->type() == QEvent::LanguageChange) Traduire();
}

void TSpeedT_Form::Vider() {
  for (int c = 0; c < NB_CHAMPS; ++c) Champ(c)->clear();
}

void TSpeedT_Form::FormActivate() {
  Traduire();
  if (MesDeb->text().isEmpty()) MesDeb->setText(QString::number(Partition.MesureCourante));
  if (MesFin->text().isEmpty()) MesFin->setText(QString::number(Partition.NbMesures));
  if (TempoDeb->text().isEmpty()) TempoDeb->setText(QString::number(Partition.Tempo));
  if (TempoFin->text().isEmpty()) TempoFin->setText(QString::number(Partition.Tempo));
  if (Variation->text().isEmpty()) Variation->setText("0");
  MesDeb->setFocus();
  MesDeb->selectAll();
}

void TSpeedT_Form::showEvent(QShowEvent* e) {
  QDialog::showEvent(e);
  FormActivate();
}

void TSpeedT_Form::BT_OKClick() {
  const QString textes[NB_CHAMPS] = {MesDeb->text(), MesFin->text(), TempoDeb->text(), TempoFin->text(),
                                     Variation->text()};
  int faux = ChampIncorrectSpeedTrainer(textes, Partition.NbMesures);
  if (faux == 0) {
    accept();
    return;
  }
  AfficherSaisieIncorrecte();
  Champ(faux - 1)->setFocus();
  Champ(faux - 1)->selectAll();
}

int TSpeedT_Form::ValMesDeb() const { return MesDeb->text().toInt(); }
int TSpeedT_Form::ValMesFin() const { return MesFin->text().toInt(); }
int TSpeedT_Form::ValTempoDeb() const { return TempoDeb->text().toInt(); }
int TSpeedT_Form::ValTempoFin() const { return TempoFin->text().toInt(); }
int TSpeedT_Form::ValVariation() const { return Variation->text().toInt(); }

void TSpeedT_Form::Pas(int champ, int sens) {
  QLineEdit* e = Champ(champ);
  if (e->text().isEmpty()) return;
  int minimum, maximum;
  Bornes(champ, minimum, maximum);
  const int v = e->text().toInt() + sens;
  if (v >= minimum && v <= maximum) e->setText(QString::number(v));
}

void TSpeedT_Form::Repeter(int champ, int pas) {
  QLineEdit* e = Champ(champ);
  if (e->text().isEmpty()) return;
  int minimum, maximum;
  Bornes(champ, minimum, maximum);
  e->setText(QString::number(std::clamp(e->text().toInt() + pas, minimum, maximum)));
}

bool TSpeedT_Form::eventFilter(QObject* o, QEvent* e) {
  if (e->type() == QEvent::KeyPress) {
    for (int c = 0; c < NB_CHAMPS; ++c) {
      if (o != Champ(c)) continue;
      auto* k = static_cast<QKeyEvent*>(e);
      const bool pave = k->modifiers() & Qt::KeypadModifier;
      if (k->key() == Qt::Key_Up || (pave && k->key() == Qt::Key_Plus)) {
        Pas(c, +1);
        return true;
      }
      if (k->key() == Qt::Key_Down || (pave && k->key() == Qt::Key_Minus)) {
        Pas(c, -1);
        return true;
      }
    }
  }
  return QDialog::eventFilter(o, e);
}
