#pragma once
// The progress window of the MIDI import and the fingering assistants: a stage text and a bar 0..28.
#include <QDialog>

class QLabel;
class QProgressBar;

class TWaitMidiForm : public QDialog {
  Q_OBJECT
 public:
  explicit TWaitMidiForm(QWidget* parent = nullptr);
  QLabel* Etat = nullptr;
  QProgressBar* ProgressBar1 = nullptr;
};

extern TWaitMidiForm* WaitMidiForm;
