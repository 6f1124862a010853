#pragma once
// The range of measures over which the automatic fingering places the current track's notes
// again: from the current measure to the end of the song at first.
#include "dialogs/DialogueValide.h"

class TRepositForm : public TDialoguePlage {
  Q_OBJECT
 public:
  explicit TRepositForm(QWidget* parent = nullptr);
  QPushButton* BT_Aide = nullptr;
  void Traduire();

 protected:
  void Initialiser() override;
};
