#pragma once
// The splash screen: a borderless picture on top in the centre of the screen while the program
// starts, with the start-up sound. It stays at least 4 seconds and until the main window is
// ready, then hides, and goes once its sound is over. The user cannot close it, and it never takes
// the keyboard from the main window.
#include <QImage>
#include <QPointer>
#include <QWidget>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>

#include "components/UWave.h"

class QTimer;

// What one timer tick does.
enum class TActionSplash { Rien, Cacher, Liberer };
struct TEtatSplash {
  qint64 EcouleMs = 0;      // since the window was created
  bool PeutFermer = false;  // the main window has finished its first activation
  bool Visible = true;
  int StartingMusic = 1;  // 1 built-in sound, 2 a wave file, 3 none
  bool SonFini = false;   // the wave file has ended, or could not be played
};
TActionSplash DecisionSplash(const TEtatSplash& e);

class TSplashForm : public QWidget {
 public:
  // clock: milliseconds of a steady clock (tests give their own); player: how sounds play.
  explicit TSplashForm(std::function<qint64()> horloge = {}, QWidget* parent = nullptr);
  ~TSplashForm() override;

  TWave Wave1;  // the built-in start-up sound
  QImage Image1;
  QTimer* Timer1 = nullptr;
  bool SonFini = false;
  bool PeutFermer = false;
  // Whether the main window is ready; asked on every tick when set (PeutFermer otherwise).
  std::function<bool()> FenetrePrete;
  // The window that keeps the keyboard while the splash screen shows: a click on the splash screen
  // or the window manager activating it gives the keyboard back to it, and keys that reach the
  // splash screen meanwhile go on to it.
  QPointer<QWidget> FenetreClavier;

  void FormCreate();   // starts the sound (from the constructor)
  // The main window has painted: the built-in sound may be computed and open the audio output now.
  // It waits for this (a second at most) so that neither the computing nor opening the output, which
  // loads the sound libraries, slows the first windows down.
  void LibererSon();
  void Timer1Timer();  // every 100 ms
  qint64 Debut = 0;

 protected:
  void paintEvent(QPaintEvent*) override;
  void closeEvent(QCloseEvent* e) override;
  bool event(QEvent* e) override;

 private:
  void RendreClavier();
  std::function<qint64()> horloge_;
  int musique_ = 3;
  std::thread son_;  // makes and starts the built-in sound
  std::mutex mutexSon_;
  std::condition_variable reveilSon_;
  bool sonLibre_ = false;
};
