#include "dialogs/Transpo.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

#include "settings/Aide.h"
#include "settings/Langue.h"
#include "settings/LignesLangue.h"

TTransposerForm::TTransposerForm(QWidget* parent) : TDialogueValide(parent, QStringLiteral("TransposerForm")) {
  auto* ligne = new QHBoxLayout;
  Lab_Transpo = new QLabel(QStringLiteral("Transpose the current track by"), this);
  Lab_Transpo->setObjectName(QStringLiteral("Lab_Transpo"));
  Valeur = new QComboBox(this);
  Valeur->setObjectName(QStringLiteral("Valeur"));
  for (int n = 12; n >= -12; --n) Valeur->addItem(n > 0 ? QStringLiteral("+%1").arg(n) : QString::number(n));
  Valeur->setCurrentIndex(12);
  Lab_Transpo->setBuddy(Valeur);
  Lab_demiton = new QLabel(QStringLiteral("semitone(s)"), this);
  Lab_demiton->setObjectName(QStringLiteral("Lab_demiton"));
  ligne->addWidget(Lab_Transpo);
  ligne->addWidget(Valeur);
  ligne->addWidget(Lab_demiton);
  Corps->addLayout(ligne);
  BT_Aide = new QPushButton(QStringLiteral("Help"), this);
  BT_Aide->setObjectName(QStringLiteral("BT_Aide"));
  LigneBoutons->addWidget(BT_Aide);
  connect(BT_Aide, &QPushButton::clicked, this, [] { OuvrirAide(QStringLiteral("Transpo")); });
  Traduire();
}

void TTransposerForm::showEvent(QShowEvent* e) {
  TDialogueValide::showEvent(e);
  Valeur->setFocus();  // Up and Down choose at once, Return transposes by the choice
}

void TTransposerForm::Traduire() {
  QSet<QChar> utilisees;
  TraduireBoutons(utilisees);
  if (const int d = TrouverGroupe(LignesDlg::Groupe); d >= 0)
    BT_Aide->setText(AjouterRaccourci(TexteLigne(d, LignesDlg::Aide), utilisees));
  const int g = TrouverGroupe(LignesTransposer::Groupe);
  if (g < 0) return;
  setWindowTitle(TexteLigne(g, LignesTransposer::Titre));
  Lab_Transpo->setText(AjouterRaccourci(TexteLigne(g, LignesTransposer::Lab_Transpo), utilisees));
  Lab_demiton->setText(TexteLigne(g, LignesTransposer::Lab_demiton));
}

int TTransposerForm::Demitons() const {
  QString t = Valeur->currentText();
  if (t.startsWith(QLatin1Char('+'))) t.remove(0, 1);
  return t.toInt();
}
