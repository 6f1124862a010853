#include "dialogs/Sais_ala.h"

#include "settings/LignesLangue.h"

TSais_AllerA_Form::TSais_AllerA_Form(QWidget* parent)
    : TDialogueValeur(parent, QStringLiteral("Sais_AllerA_Form"), QStringLiteral("Ed_NumMesure"),
                      ProfilRepetition::Entier, 1, 1, 1, 4) {
  Traduire(LignesAllerA::Groupe, LignesAllerA::Titre, LignesAllerA::Label);
}

void TSais_AllerA_Form::Initialiser() {
  Champ->SetBornes(1, std::max(1, Partition.NbMesures));
  Champ->SetValeur(Partition.MesureCourante);
}

bool TSais_AllerA_Form::Valider() {
  bool ok = false;
  const int v = Champ->ValeurEntiere(&ok);
  return (ok && v >= 1 && v <= Partition.NbMesures) || Refuser(Champ);
}
