#pragma once
// The range of measures of the cut command, which always covers every track.
#include "dialogs/DialogueValide.h"

class QRadioButton;

class TCouperForm : public TDialoguePlage {
  Q_OBJECT
 public:
  explicit TCouperForm(QWidget* parent = nullptr);
  QRadioButton* ToutesPistes = nullptr;
  QRadioButton* PisteEnCours = nullptr;
  QLabel* Texte = nullptr;
};
