#pragma once
// The range of measures and the track scope of the copy command, and in its second mode of the
// clear command. The scope chosen is remembered from one use to the next.
#include "dialogs/DialogueValide.h"

class QRadioButton;

class TCopierForm : public TDialoguePlage {
  Q_OBJECT
 public:
  explicit TCopierForm(QWidget* parent = nullptr);
  QRadioButton* ToutesPistes = nullptr;
  QRadioButton* PisteEnCours = nullptr;
  bool ModeVider = false;  // set before Traduire: false copy, true clear
  void Traduire();
  int Piste() const;  // 0 = all tracks, else the current track

 protected:
  void Initialiser() override;
  bool Valider() override;
};
