#pragma once
// The transpose dialog: a number of semitones from +12 to -12 for the current track.
#include "dialogs/DialogueValide.h"

class QComboBox;

class TTransposerForm : public TDialogueValide {
  Q_OBJECT
 public:
  explicit TTransposerForm(QWidget* parent = nullptr);
  QLabel* Lab_Transpo = nullptr;
  QLabel* Lab_demiton = nullptr;
  QComboBox* Valeur = nullptr;  // "+12" .. "0" .. "-12"
  QPushButton* BT_Aide = nullptr;
  void Traduire();
  int Demitons() const;  // the chosen item as an integer

 protected:
  void showEvent(QShowEvent* e) override;
};
