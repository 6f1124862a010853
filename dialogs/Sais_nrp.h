#pragma once
// The number of an alternate ending: "[first pass] to [number]", the first pass shown read-only.
#include "dialogs/DialogueValide.h"

class QLineEdit;

class TSais_NbRepet_Form : public TDialogueValide {
  Q_OBJECT
 public:
  explicit TSais_NbRepet_Form(QWidget* parent = nullptr);
  QLineEdit* Ed_De = nullptr;
  QLabel* Lab_a = nullptr;
  TChampNumerique* Ed_NbRepet = nullptr;
  // Both fields show the proposed number (the opener sets it).
  void Proposer(int numero);
  int Numero = 1;  // after OK

 protected:
  void showEvent(QShowEvent* e) override;
  bool Valider() override;
  void Ecrire() override { Numero = Ed_NbRepet->ValeurEntiere(); }
};
