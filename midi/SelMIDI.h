#pragma once
// The MIDI-import track selection dialog. It lives for the whole run; the import fills it.
#include <QDialog>

class TSelMIDIForm : public QDialog {
  Q_OBJECT
 public:
  explicit TSelMIDIForm(QWidget* parent = nullptr);
  int CordeEcoutee = -1;        // string being listened to, -1 = none
  void RemplirBibliotheque();   // the tuning list
  void Traduire();
};

extern TSelMIDIForm* SelMIDIForm;
