#include "dialogs/Sais_nrp.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "settings/Langue.h"
#include "settings/LignesLangue.h"

TSais_NbRepet_Form::TSais_NbRepet_Form(QWidget* parent) : TDialogueValide(parent, QStringLiteral("Sais_NbRepet_Form")) {
  auto* ligne = new QHBoxLayout;
  Ed_De = new QLineEdit(this);
  Ed_De->setObjectName(QStringLiteral("Ed_De"));
  Ed_De->setReadOnly(true);
  Ed_De->setFocusPolicy(Qt::NoFocus);
  Ed_De->setFixedWidth(30);
  Lab_a = new QLabel(QStringLiteral("to"), this);
  Lab_a->setObjectName(QStringLiteral("Lab_a"));
  Ed_NbRepet = new TChampNumerique(this, QStringLiteral("Ed_NbRepet"), ProfilRepetition::Entier, 1, 99, 1, 2);
  ligne->addWidget(Ed_De);
  ligne->addWidget(Lab_a);
  ligne->addWidget(Ed_NbRepet);
  ligne->addStretch();
  Corps->addLayout(ligne);
  QSet<QChar> utilisees;
  const int g = TrouverGroupe(LignesNbRepet::Groupe);
  if (g >= 0) {
    setWindowTitle(TexteLigne(g, LignesNbRepet::Titre));
    Lab_a->setText(TexteLigne(g, LignesNbRepet::Lab_a));
  }
  TraduireBoutons(utilisees);
}

void TSais_NbRepet_Form::Proposer(int numero) {
  Ed_De->setText(QString::number(numero));
  Ed_NbRepet->SetValeur(numero);
}

void TSais_NbRepet_Form::showEvent(QShowEvent* e) {
  TDialogueValide::showEvent(e);
  Ed_NbRepet->Selectionner();
}

bool TSais_NbRepet_Form::Valider() {
  bool ok = false;
  const int v = Ed_NbRepet->ValeurEntiere(&ok);
  return (ok && v >= 1 && v <= 99) || Refuser(Ed_NbRepet);
}
