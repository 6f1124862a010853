#include "dialogs/Sais_sig.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QToolButton>
#include <QVBoxLayout>

#include "editor/EditionMesures.h"
#include "settings/Langue.h"
#include "settings/LignesLangue.h"

TSais_Signat_Form::TSais_Signat_Form(QWidget* parent) : TDialogueValide(parent, QStringLiteral("Sais_Signat_Form")) {
  Ed_Sign_Num = new TChampNumerique(this, QStringLiteral("Ed_Sign_Num"), ProfilRepetition::Entier, 1, 32, 1, 2);
  Ed_Sign_Den = new TChampNumerique(this, QStringLiteral("Ed_Sign_Den"), ProfilRepetition::Doublement, 1, 32, 1, 2);
  Ed_Sign_Num->Haut->setObjectName(QStringLiteral("SignNumUp"));
  Ed_Sign_Num->Bas->setObjectName(QStringLiteral("SignNumDown"));
  Ed_Sign_Den->Haut->setObjectName(QStringLiteral("SignDenUp"));
  Ed_Sign_Den->Bas->setObjectName(QStringLiteral("SignDenDown"));
  auto* trait = new QLabel(QStringLiteral("/"), this);
  auto* ligne = new QHBoxLayout;
  ligne->addWidget(Ed_Sign_Num);
  ligne->addWidget(trait);
  ligne->addWidget(Ed_Sign_Den);
  ligne->addStretch();
  Corps->addLayout(ligne);
  ApplyAll = new QCheckBox(this);
  ApplyAll->setObjectName(QStringLiteral("ApplyAll"));
  Corps->addWidget(ApplyAll);
  QSet<QChar> utilisees;
  const int g = TrouverGroupe(LignesSignature::Groupe);
  if (g >= 0) {
    setWindowTitle(TexteLigne(g, LignesSignature::Titre));
    ApplyAll->setText(AjouterRaccourci(TexteLigne(g, LignesSignature::ApplyAll), utilisees));
  }
  TraduireBoutons(utilisees);
}

void TSais_Signat_Form::showEvent(QShowEvent* e) {
  TDialogueValide::showEvent(e);
  SignatureModifiee = 0;
  const TMesure& m = *Partition.Courante();
  Ed_Sign_Num->SetValeur(m.Numerateur);
  Ed_Sign_Den->SetValeur(m.Denominateur);
  Ed_Sign_Num->Selectionner();
}

bool TSais_Signat_Form::Valider() {
  bool ok = false;
  const int num = Ed_Sign_Num->ValeurEntiere(&ok);
  if (!ok || num < 1 || num > 32) return Refuser(Ed_Sign_Num);
  const QString den = Ed_Sign_Den->Texte().trimmed();
  static const QStringList permis = {"1", "2", "4", "8", "16", "32"};
  if (!permis.contains(den)) return Refuser(Ed_Sign_Den);
  return true;
}

void TSais_Signat_Form::Ecrire() {
  AppliquerSignature(Ed_Sign_Num->ValeurEntiere(), Ed_Sign_Den->ValeurEntiere(), ApplyAll->isChecked());
  SignatureModifiee = 1;
}
