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

  // A stage: its text, the bar at 0, the window shown and painted before the work goes on.
  void Etape(const QString& texte);
  // The bar (0..28), painted at once when it moved.
  void Progression(int valeur);

 protected:
  void paintEvent(QPaintEvent* e) override;

 private:
  // Lets painting and timers run until the window system has shown the window and it has been
  // painted once, for a short while at most.
  void AttendrePeint();
  bool peint_ = false;
};

extern TWaitMidiForm* WaitMidiForm;
