#include "dialogs/GraceNote.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QRadioButton>
#include <QToolButton>
#include <QVBoxLayout>

#include "editor/EditionNotes.h"
#include "editor/state/EtatEdition.h"
#include "settings/Config.h"
#include "settings/Langue.h"
#include "settings/LignesLangue.h"

TGraceNoteForm::TGraceNoteForm(QWidget* parent) : TDialogueApercu(parent, QStringLiteral("GraceNoteForm")) {
  setWindowTitle(QStringLiteral("Grace Note"));
  GBNote = new QGroupBox(QStringLiteral("Note"), this);
  GBNote->setObjectName(QStringLiteral("GBNote"));
  Radio1 = new QRadioButton(QStringLiteral("Dead note : X"), GBNote);
  Radio1->setObjectName(QStringLiteral("Radio1"));
  Radio2 = new QRadioButton(QStringLiteral("Fret :"), GBNote);
  Radio2->setObjectName(QStringLiteral("Radio2"));
  Radio2->setChecked(true);
  NbFrets = new TChampNumerique(GBNote, QStringLiteral("NbFrets"), ProfilRepetition::Entier, 0, 24, 1, 2);
  NbFrets->Haut->setObjectName(QStringLiteral("BT_FretUp"));
  NbFrets->Bas->setObjectName(QStringLiteral("BT_FretDown"));
  NbFrets->SetTexte(QStringLiteral("0"));
  auto* ln = new QVBoxLayout(GBNote);
  ln->addWidget(Radio1);
  auto* lf = new QHBoxLayout;
  lf->addWidget(Radio2);
  lf->addWidget(NbFrets);
  lf->addStretch();
  ln->addLayout(lf);

  GBDuration = new QGroupBox(QStringLiteral("Duration"), this);
  GBDuration->setObjectName(QStringLiteral("GBDuration"));
  auto* ld = new QHBoxLayout(GBDuration);
  static const char* const kDurees[4] = {"", "1/64", "1/32", "1/16"};
  for (int i = 1; i <= 3; ++i) {
    CDuration[i] = new QRadioButton(QString::fromLatin1(kDurees[i]), GBDuration);
    CDuration[i]->setObjectName(QStringLiteral("CDuration%1").arg(i));
    ld->addWidget(CDuration[i]);
    connect(CDuration[i], &QRadioButton::clicked, this, &TGraceNoteForm::Previsualiser);
  }
  CDuration[2]->setChecked(true);

  GDyna = new QGroupBox(QStringLiteral("Dynamic"), this);
  GDyna->setObjectName(QStringLiteral("GDyna"));
  auto* ly = new QHBoxLayout(GDyna);
  ly->setSpacing(1);
  auto* groupe = new QButtonGroup(this);
  static const char* const kNoms[9] = {"", "ppp", "pp", "p", "mp", "mf", "f", "ff", "fff"};
  static const char* const kHints[9] = {"",           "(very) pianissimo", "pianissimo", "piano",           "mezzo piano",
                                        "mezzo forte", "forte",             "fortissimo", "(very) fortissimo"};
  for (int i = 1; i <= 8; ++i) {
    auto* b = new QToolButton(GDyna);
    b->setObjectName(QStringLiteral("BT_DynaNote_%1").arg(i));
    b->setText(QString::fromLatin1(kNoms[i]));
    b->setToolTip(QString::fromLatin1(kHints[i]));
    b->setCheckable(true);
    b->setFocusPolicy(Qt::NoFocus);
    groupe->addButton(b, i);
    ly->addWidget(b);
    BT_DynaNote[i] = b;
    connect(b, &QToolButton::clicked, this, &TGraceNoteForm::Previsualiser);
  }

  Ecouter = new QToolButton(this);
  Ecouter->setObjectName(QStringLiteral("Ecouter"));
  Ecouter->setText(QStringLiteral("Listen"));
  Ecouter->setCheckable(true);
  Ecouter->setFocusPolicy(Qt::NoFocus);
  LigneBoutons->insertWidget(0, Ecouter);
  Corps->addWidget(GBNote);
  Corps->addWidget(GBDuration);
  Corps->addWidget(GDyna);
  connect(Ecouter, &QToolButton::clicked, this, &TGraceNoteForm::Previsualiser);
  connect(Radio1, &QRadioButton::clicked, this, &TGraceNoteForm::Previsualiser);
  connect(Radio2, &QRadioButton::clicked, this, &TGraceNoteForm::Previsualiser);
  // Typing a fret chooses the fret.
  connect(NbFrets, &TChampNumerique::modifie, this, [this] {
    Radio2->setChecked(true);
    Previsualiser();
  });
  Traduire();
}

void TGraceNoteForm::Traduire() {
  QSet<QChar> utilisees;
  TraduireBoutons(utilisees);
  const int g = TrouverGroupe(LignesGrace::Groupe);
  if (g < 0) return;
  setWindowTitle(TexteLigne(g, LignesGrace::Titre));
  GBNote->setTitle(TexteLigne(g, LignesGrace::GroupeNote));
  Radio1->setText(AjouterRaccourci(TexteLigne(g, LignesGrace::NoteEtouffee), utilisees));
  Radio2->setText(AjouterRaccourci(TexteLigne(g, LignesGrace::Frette), utilisees));
  GBDuration->setTitle(TexteLigne(g, LignesGrace::Duree));
  GDyna->setTitle(TexteLigne(g, LignesGrace::Nuance));
  Ecouter->setText(TexteLigne(g, LignesGrace::HintEcouter));
  Ecouter->setToolTip(TexteLigne(g, LignesGrace::HintEcouter));
}

void TGraceNoteForm::Preparer() {
  const TNote& n = NoteCourante();
  if (n.Frette == FRETTE_MORTE) Radio1->setChecked(true);
  else if (n.Frette >= 0 && n.Frette <= 99) NbFrets->SetValeur(n.Frette);
}

void TGraceNoteForm::showEvent(QShowEvent* e) {
  TDialogueApercu::showEvent(e);  // takes the copy of the beat
  CDuration[DureeGraceParDefaut()]->setChecked(true);
  if (Nuance >= 1 && Nuance <= 8) BT_DynaNote[Nuance]->setChecked(true);
  NbFrets->Selectionner();
  Ecouter->setChecked(Configuration.EcouterGraceNote);
  Previsualiser();
}

bool TGraceNoteForm::Ecoute() const { return Ecouter->isChecked(); }

bool TGraceNoteForm::EntreeValide() const {
  bool ok = false;
  const int f = NbFrets->ValeurEntiere(&ok);
  return ok && f >= 0 && f <= FretteMaxPiste[std::clamp(PisteCourante, 1, NB_PISTES)];
}

bool TGraceNoteForm::Valider() { return EntreeValide() || Refuser(NbFrets); }

int TGraceNoteForm::DureeChoisie() const {
  for (int i = 1; i <= 3; ++i)
    if (CDuration[i]->isChecked()) return i;
  return 0;
}

int TGraceNoteForm::NuanceChoisie() const {
  for (int i = 1; i <= 8; ++i)
    if (BT_DynaNote[i]->isChecked()) return i;
  return 0;
}

void TGraceNoteForm::Appliquer() {
  EcrireGraceNote(Radio1->isChecked() ? FRETTE_MORTE : NbFrets->ValeurEntiere(), DureeChoisie(), NuanceChoisie());
}

void TGraceNoteForm::Ecrire() {
  Appliquer();
  if (const int d = DureeChoisie()) Configuration.GraceNoteDuration = d;
}

void TGraceNoteForm::done(int r) {
  Configuration.EcouterGraceNote = Ecouter->isChecked();
  TDialogueApercu::done(r);
}
