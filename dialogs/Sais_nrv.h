#pragma once
// The repeat count of a repeat-close bar: how many times the repeat is played, 1 to 99.
#include "dialogs/DialogueValide.h"

class TSais_NbRenvFin_Form : public TDialogueValeur {
  Q_OBJECT
 public:
  explicit TSais_NbRenvFin_Form(QWidget* parent = nullptr);
  int NbRenvois = 1;  // after OK

 protected:
  void Initialiser() override;
  bool Valider() override;
  void Ecrire() override { NbRenvois = Champ->ValeurEntiere(); }
};
