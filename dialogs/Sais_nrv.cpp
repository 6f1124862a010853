#include "dialogs/Sais_nrv.h"

#include "settings/LignesLangue.h"

TSais_NbRenvFin_Form::TSais_NbRenvFin_Form(QWidget* parent)
    : TDialogueValeur(parent, QStringLiteral("Sais_NbRenvFin_Form"), QStringLiteral("Ed_NbRenv"),
                      ProfilRepetition::Entier, 1, 99, 1, 2) {
  Traduire(LignesNbRenvFin::Groupe, LignesNbRenvFin::Titre, LignesNbRenvFin::Label);
}

void TSais_NbRenvFin_Form::Initialiser() { Champ->SetValeur(std::max<int>(1, Partition.Courante()->NbRenvois)); }

bool TSais_NbRenvFin_Form::Valider() {
  bool ok = false;
  const int v = Champ->ValeurEntiere(&ok);
  return (ok && v >= 1 && v <= 99) || Refuser(Champ);
}
