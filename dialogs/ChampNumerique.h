#pragma once
// A number field with up and down buttons that repeat while held. The dialogs of the program all
// step their numbers the same few ways, named by a profile; the Up and Down arrows and the keypad
// plus and minus act as the buttons, and only digits, Backspace (and for real numbers the decimal
// mark) can be typed.
#include <QString>
#include <QWidget>
#include <optional>

#include "dialogs/BoutonsRepetes.h"

class QLineEdit;
class QTimer;
class QToolButton;

// The value after one step in direction sens (+1/-1) at tick n (0 = a click), clamped to the
// range. Doublement doubles or halves instead, halving rounded to the nearest, and first turns a
// value that is not a power of two into 4.
double ValeurApresPas(ProfilRepetition p, double valeur, int sens, double pas, int tick, double minimum,
                      double maximum);
// The value after a click, or nothing when the click leaves the field alone: a typed value outside
// the range stays as it is unless one step brings it back inside.
std::optional<double> ValeurApresClic(ProfilRepetition p, double valeur, int sens, double pas, double minimum,
                                      double maximum);

class TChampNumerique : public QWidget {
  Q_OBJECT
 public:
  TChampNumerique(QWidget* parent, const QString& nom, ProfilRepetition profil, double minimum, double maximum,
                  double pas = 1, int longueurMax = 3);

  QLineEdit* Edit = nullptr;
  QToolButton* Haut = nullptr;  // <nom>Up
  QToolButton* Bas = nullptr;   // <nom>Down
  QTimer* Minuterie = nullptr;

  void SetBornes(double minimum, double maximum);
  double Minimum() const { return min_; }
  double Maximum() const { return max_; }
  QString Texte() const;
  void SetTexte(const QString& t);
  // Shows the value (integers without decimals, reals in their shortest form).
  void SetValeur(double v);
  // The text as a number; ok false when empty or not a number.
  double Valeur(bool* ok = nullptr) const;
  int ValeurEntiere(bool* ok = nullptr) const;
  // Focus and select the text (after a refused value).
  void Selectionner();
  // One click of a button (sens +1 / -1), which selects the text; nothing while the field is empty.
  void Pas(int sens);

 signals:
  void modifie();  // the value changed by typing or by a button

 protected:
  bool eventFilter(QObject* o, QEvent* e) override;

 private:
  void Appuyer(int sens);
  void Repeter();
  bool reel() const { return profil_ == ProfilRepetition::Reel; }

  ProfilRepetition profil_;
  double min_, max_, pas_;
  int sens_ = 0, ticks_ = 0;
};
