#pragma once
// The annotation of a beat, at most 40 characters.
#include "dialogs/DialogueValide.h"

class QLineEdit;

class TSais_Txt_Form : public TDialogueValide {
  Q_OBJECT
 public:
  explicit TSais_Txt_Form(QWidget* parent = nullptr);
  QLabel* Label = nullptr;
  QLineEdit* Ed_Texte = nullptr;
  QString Texte;  // after OK

 protected:
  void showEvent(QShowEvent* e) override;
  void Ecrire() override;
};
