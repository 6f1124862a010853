#pragma once
// Time signature of the current measure, or of every measure from it to the last.
#include "dialogs/DialogueValide.h"

class QCheckBox;

class TSais_Signat_Form : public TDialogueValide {
  Q_OBJECT
 public:
  explicit TSais_Signat_Form(QWidget* parent = nullptr);
  TChampNumerique* Ed_Sign_Num = nullptr;
  TChampNumerique* Ed_Sign_Den = nullptr;  // doubles or halves
  QCheckBox* ApplyAll = nullptr;
  uint8_t SignatureModifiee = 0;  // OK wrote the signature

 protected:
  void showEvent(QShowEvent* e) override;
  bool Valider() override;
  void Ecrire() override;
};
