#pragma once
// The dynamics palette: a modeless tool window with one button per dynamic (ppp..fff, Tag 1..8)
// that sets the dynamic of the note under the cursor (of every note of the beat while "apply to
// the chord" is down), and "set as default" for the notes entered from now on.
#include <QDialog>

class QToolButton;

class TDynaForm : public QDialog {
  Q_OBJECT
 public:
  explicit TDynaForm(QWidget* parent = nullptr);
  QToolButton* BT_DynaNote[9] = {};  // [1..8]
  QToolButton* BT_Default = nullptr;
  QToolButton* BT_Apply = nullptr;
  void Traduire();
  // A dynamic button, or a command standing for it: writes dynamic k, redraws, plays, refreshes.
  void BT_DynaNote_1Click(int k);
  // "Set as default" and "apply to the chord": the dynamic whose button is down becomes the default.
  void BT_DefaultClick();
  int NuanceBas() const;  // number of the button down, 0 = none

 protected:
  void changeEvent(QEvent* e) override;  // takes its texts again when the language changes
  void keyPressEvent(QKeyEvent* e) override;
  void keyReleaseEvent(QKeyEvent* e) override;
};

extern TDynaForm* DynaForm;
