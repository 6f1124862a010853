#pragma once
// Go to a measure: its number, 1 to the song's last.
#include "dialogs/DialogueValide.h"

class TSais_AllerA_Form : public TDialogueValeur {
  Q_OBJECT
 public:
  explicit TSais_AllerA_Form(QWidget* parent = nullptr);
  int Mesure = 0;  // the measure chosen, after OK

 protected:
  void Initialiser() override;
  bool Valider() override;
  void Ecrire() override { Mesure = Champ->ValeurEntiere(); }
};
