#pragma once
// Depth of a tremolo-bar dip, in tones: the buttons step by half a tone within 0.5..6; a smaller
// depth may be typed.
#include "dialogs/DialogueValide.h"

// The typed depth is accepted: not empty, not 0, at most 6, and not beginning with two decimal
// marks.
bool CoupVibratoValide(const QString& texte);

class TSais_CoupVib_Form : public TDialogueValeur {
  Q_OBJECT
 public:
  explicit TSais_CoupVib_Form(QWidget* parent = nullptr);
  double Valeur = 1;  // after OK

 protected:
  void Initialiser() override;
  bool Valider() override;
  void Ecrire() override;
};
