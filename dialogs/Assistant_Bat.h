#pragma once
// The drum assistant: a modeless tool window shown while track 8 is current. It lists the General
// MIDI drum sounds; a click plays one, a double click writes it into the beat under the cursor.
#include <QDialog>

class QListWidget;
class QPushButton;

// The drum keys listed, 27..87.
constexpr int TOUCHE_PERCUSSION_MIN = 27, TOUCHE_PERCUSSION_MAX = 87;

class TAssistant_Bat_Form : public QDialog {
  Q_OBJECT
 public:
  explicit TAssistant_Bat_Form(QWidget* parent = nullptr);
  QListWidget* Liste = nullptr;
  QPushButton* BitBtn1 = nullptr;  // the default button: Enter plays and writes
  void Traduire();
  int ToucheChoisie() const;  // key of the selected item, 0 when none
  void ListeClick();          // plays the selected key
  void ListeDblClick();       // writes the selected key into the song

 protected:
  void changeEvent(QEvent* e) override;  // takes its texts again when the language changes
  void showEvent(QShowEvent* e) override;
  void hideEvent(QHideEvent* e) override;
};

// "27 - High Q" .. "87 - Open Surdo".
QString LibelleTouchePercussion(int touche);

extern TAssistant_Bat_Form* Assistant_Bat_Form;
