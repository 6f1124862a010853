#pragma once
// The strum length of the beat under the cursor, in the direction the command chose. The beat
// changes at once so that it can be heard; Cancel puts it back as it was.
#include "dialogs/DialogueValide.h"

class QGroupBox;
class QRadioButton;
class QToolButton;

class TBrushForm : public TDialogueApercu {
  Q_OBJECT
 public:
  explicit TBrushForm(QWidget* parent = nullptr);
  int Direction = 1;  // 1 up, 2 down; set by the opener
  QGroupBox* GBDuration = nullptr;
  QRadioButton* CDuration[6] = {};  // lengths 32, 16, 8, 4, 2, 1
  QToolButton* Ecouter = nullptr;
  int Longueur() const;  // of the checked button
  void Traduire();

 protected:
  void showEvent(QShowEvent* e) override;
  bool Ecoute() const override;
  void Appliquer() override;
  void Ecrire() override;
  void done(int r) override;
};
