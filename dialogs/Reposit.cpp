#include "dialogs/Reposit.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

#include "settings/Aide.h"
#include "settings/Langue.h"
#include "settings/LignesLangue.h"

TRepositForm::TRepositForm(QWidget* parent) : TDialoguePlage(parent, QStringLiteral("RepositForm")) {
  setWindowTitle(QStringLiteral("Automatic fingering"));
  BT_Aide = new QPushButton(QStringLiteral("Help"), this);
  BT_Aide->setObjectName(QStringLiteral("BT_Aide"));
  LigneBoutons->addWidget(BT_Aide);
  connect(BT_Aide, &QPushButton::clicked, this, [] { OuvrirAide(QStringLiteral("Reposit")); });
  Traduire();
}

void TRepositForm::Traduire() {
  QSet<QChar> utilisees;
  TraduireBoutons(utilisees);
  if (const int d = TrouverGroupe(LignesDlg::Groupe); d >= 0)
    BT_Aide->setText(AjouterRaccourci(TexteLigne(d, LignesDlg::Aide), utilisees));
  const int g = TrouverGroupe(LignesPlacementAuto::Groupe);
  if (g < 0) return;
  setWindowTitle(TexteLigne(g, LignesPlacementAuto::Titre));
  Lab_Mesure->setText(AjouterRaccourci(TexteLigne(g, LignesPlacementAuto::Lab_Mesure), utilisees));
  Lab_a->setText(TexteLigne(g, LignesPlacementAuto::Lab_a));
}

void TRepositForm::Initialiser() {
  TDialoguePlage::Initialiser();
  MesFin->SetValeur(std::max(1, Partition.NbMesures));
}
