#pragma once
// Amount of a bend, in tones, 0.25 to 3 by quarter tones.
#include "dialogs/DialogueValide.h"

class TSais_Bend_Form : public TDialogueValeur {
  Q_OBJECT
 public:
  explicit TSais_Bend_Form(QWidget* parent = nullptr);
  double Valeur = 1;  // after OK

 protected:
  TSais_Bend_Form(QWidget* parent, const QString& nom, const QString& nomChamp, int ligneTitre);
  void Initialiser() override;
  bool Valider() override;
  void Ecrire() override { Valeur = Champ->Valeur(); }
};
