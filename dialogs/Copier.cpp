#include "dialogs/Copier.h"

#include <QLabel>
#include <QRadioButton>
#include <QVBoxLayout>

#include "editor/state/EtatEdition.h"
#include "editor/state/EtatProgramme.h"
#include "settings/Langue.h"
#include "settings/LignesLangue.h"

TCopierForm::TCopierForm(QWidget* parent) : TDialoguePlage(parent, QStringLiteral("CopierForm")) {
  ToutesPistes = new QRadioButton(QStringLiteral("All tracks"), this);
  ToutesPistes->setObjectName(QStringLiteral("ToutesPistes"));
  PisteEnCours = new QRadioButton(QStringLiteral("Current track"), this);
  PisteEnCours->setObjectName(QStringLiteral("PisteEnCours"));
  PisteEnCours->setChecked(true);
  Corps->addWidget(ToutesPistes);
  Corps->addWidget(PisteEnCours);
}

void TCopierForm::Traduire() {
  QSet<QChar> utilisees;
  TraduireBoutons(utilisees);
  const int g = TrouverGroupe(QStringLiteral("DLG_COPY_000"));
  if (g < 0) return;
  setWindowTitle(TexteLigne(g, ModeVider ? 2 : 1));
  Lab_Mesure->setText(AjouterRaccourci(TexteLigne(g, 3), utilisees));
  Lab_a->setText(TexteLigne(g, 4));
  ToutesPistes->setText(AjouterRaccourci(TexteLigne(g, 5), utilisees));
  PisteEnCours->setText(AjouterRaccourci(TexteLigne(g, 6), utilisees));
}

void TCopierForm::Initialiser() {
  TDialoguePlage::Initialiser();
  (CopierToutesPistes ? ToutesPistes : PisteEnCours)->setChecked(true);
}

bool TCopierForm::Valider() {
  CopierToutesPistes = ToutesPistes->isChecked();
  return TDialoguePlage::Valider();
}

int TCopierForm::Piste() const { return ToutesPistes->isChecked() ? 0 : PisteCourante; }
