#include "dialogs/Brush.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QRadioButton>
#include <QToolButton>
#include <QVBoxLayout>

#include "editor/EditionNotes.h"
#include "settings/Config.h"
#include "settings/Langue.h"
#include "settings/LignesLangue.h"

namespace {
constexpr int kLongueurs[6] = {32, 16, 8, 4, 2, 1};
}

TBrushForm::TBrushForm(QWidget* parent) : TDialogueApercu(parent, QStringLiteral("BrushForm")) {
  setWindowTitle(QStringLiteral("Strum"));
  GBDuration = new QGroupBox(QStringLiteral("Duration"), this);
  GBDuration->setObjectName(QStringLiteral("GBDuration"));
  auto* l = new QHBoxLayout(GBDuration);
  for (int i = 0; i < 6; ++i) {
    CDuration[i] = new QRadioButton(QStringLiteral("1/%1").arg(kLongueurs[i]), GBDuration);
    CDuration[i]->setObjectName(QStringLiteral("CDuration%1").arg(i));
    l->addWidget(CDuration[i]);
    connect(CDuration[i], &QRadioButton::clicked, this, &TBrushForm::Previsualiser);
  }
  CDuration[3]->setChecked(true);
  Ecouter = new QToolButton(this);
  Ecouter->setObjectName(QStringLiteral("Ecouter"));
  Ecouter->setText(QStringLiteral("Listen"));
  Ecouter->setCheckable(true);
  Ecouter->setFocusPolicy(Qt::NoFocus);
  connect(Ecouter, &QToolButton::clicked, this, &TBrushForm::Previsualiser);
  LigneBoutons->insertWidget(0, Ecouter);
  Corps->addWidget(GBDuration);
  Traduire();
}

void TBrushForm::Traduire() {
  QSet<QChar> utilisees;
  TraduireBoutons(utilisees);
  const int g = TrouverGroupe(LignesBrush::Groupe);
  if (g < 0) return;
  setWindowTitle(TexteLigne(g, LignesBrush::Titre));
  GBDuration->setTitle(TexteLigne(g, LignesBrush::Duree));
  Ecouter->setText(TexteLigne(g, LignesBrush::HintEcouter));
  Ecouter->setToolTip(TexteLigne(g, LignesBrush::HintEcouter));
}

int TBrushForm::Longueur() const {
  for (int i = 0; i < 6; ++i)
    if (CDuration[i]->isChecked()) return kLongueurs[i];
  return 4;
}

void TBrushForm::showEvent(QShowEvent* e) {
  TDialogueApercu::showEvent(e);  // takes the copy of the beat
  const int v = VitesseBrushValide(Configuration.BrushDuration);
  for (int i = 0; i < 6; ++i)
    if (kLongueurs[i] == v) CDuration[i]->setChecked(true);
  Ecouter->setChecked(Configuration.EcouterBrush);
  Previsualiser();
}

bool TBrushForm::Ecoute() const { return Ecouter->isChecked(); }

void TBrushForm::Appliquer() { EcrireBrush(Direction, Longueur()); }

void TBrushForm::Ecrire() {
  Appliquer();
  Configuration.BrushDuration = Longueur();
}

void TBrushForm::done(int r) {
  Configuration.EcouterBrush = Ecouter->isChecked();
  TDialogueApercu::done(r);
}
