#pragma once
// Up and down buttons that repeat while held. One family of buttons (a field's up and down, or the
// rows of a tuning) shares one timer: the press steps once and starts it, each tick steps again
// and sets the next delay, the release stops it, so a click is one step. The dialogs all speed up
// the same two ways.
#include <QObject>
#include <functional>

class QAbstractButton;
class QTimer;

// How a held button repeats: the delay before each repeat and the steps each makes. The number
// fields and the held buttons of the dialogs share these.
enum class ProfilRepetition {
  Entier,      // 300 ms, then 100 ms, 50 ms from the tenth repeat; the step tripled from the 30th
  Accordage,   // 300 ms, then 200 ms, 150 ms from the tenth repeat; the step doubled from the 30th
  Reel,        // 300 ms twice, then 130 ms, fixed step; a real number
  EntierLent,  // 300 ms twice, then 130 ms, fixed step; an integer (the paste count)
  Doublement,  // 300 ms twice, then 100 ms; each repeat doubles or halves (time-signature denominator)
};

// The delay before the next repeat once n repeats are done (n = 0: the wait after the press).
int IntervalleRepetition(ProfilRepetition profil, int repetition);
// How many steps repeat n makes (1 before the thirtieth).
int FacteurRepetition(ProfilRepetition profil, int repetition);

// Runs `arreter` when held button b can no longer get its release: the window system gives the
// release to nobody once b's window is hidden or closed (the grab ends with the window), nor once
// the application has lost the mouse to another window or program. The held button is drawn up
// again. Every family of held buttons stops through this.
void ArreterSansRelachement(QAbstractButton* b, std::function<void()> arreter);

class TBoutonsRepetes : public QObject {
 public:
  TBoutonsRepetes(QObject* parent, ProfilRepetition profil);

  // While b is held, pas(n) runs on the press and at each repeat, n the number of steps (1, then 2
  // or 3 late in a long hold); the function gives the step its direction.
  void Brancher(QAbstractButton* b, std::function<void(int)> pas);
  void Arreter();
  QTimer* Minuterie() const { return minuterie_; }
  int Repetitions() const { return repetitions_; }

 private:
  void Repeter();

  ProfilRepetition profil_;
  QTimer* minuterie_;
  std::function<void(int)> pas_;  // the held button's
  int repetitions_ = 0;
};
