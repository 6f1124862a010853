#pragma once
// Asks before the current track's notes are re-cut into measures; Yes gives ID_OUI (6).
#include <QDialog>

class QLabel;
class QPushButton;

class TConfRedecForm : public QDialog {
  Q_OBJECT
 public:
  explicit TConfRedecForm(QWidget* parent = nullptr);
  QLabel* Image_Conf = nullptr;
  QLabel* Lab_Redec = nullptr;
  QPushButton* BT_Oui = nullptr;
  QPushButton* BT_Non = nullptr;
  QPushButton* BT_Aide = nullptr;
  void Traduire();
};
