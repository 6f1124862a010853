#pragma once
// The dynamics palette: a modeless tool window with one button per dynamic (ppp..fff, Tag 1..8),
// "default" and "apply to the chord".
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
};

extern TDynaForm* DynaForm;
