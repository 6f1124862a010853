#pragma once
// The ASCII tablature export window: the text of the current track at a chosen line width,
// rebuilt on demand, saved as a ".tab" file or printed.
#include <QDialog>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QTimer;
class QToolButton;

// Auto-repeat of the held column buttons. After tick `compteur` (1 for the first), the delay
// before the next tick and the step: 300 ms, 200 ms from the second tick, 100 ms after the tenth;
// the step triples on the thirtieth.
struct TRepetitionColonnes {
  int Compteur = 0;
  int Pas = 1;
  int Intervalle = 300;
  void Demarrer(int sens);
  // One tick: the next column count from the current text (unchanged text when it is empty).
  QString Tick(const QString& valeur);
};
// The width BT_Repaginer takes from the field: empty 80, below 40 gives 40, above 999 gives 999.
int LargeurColonnesSaisie(const QString& texte);

class TTestASCIForm : public QDialog {
  Q_OBJECT
 public:
  explicit TTestASCIForm(QWidget* parent = nullptr);

  QPlainTextEdit* MemoASCII;
  QLineEdit* NbCol;
  QToolButton *CVBUp, *CVBD, *BT_Repaginer, *BT_Imprimer;
  QLabel* Lab_Colonne;
  QPushButton *BT_Enregistrer, *BT_Annuler, *BT_Aide, *Default;
  QCheckBox* Rythme;
  QTimer* Timer1;

  // Rebuilds the text from the current track at the width of the settings.
  void GenererTexte();
  void Traduire();
  void FormActivate();
  void BT_RepaginerClick();
  // Export: asks for a file, confirms replacing one, writes; the window closes only on success.
  void BT_EnregistrerClick();
  // Writes the text to a file; false (with the error message) when it cannot be written.
  bool Exporter(const QString& chemin);
  void BT_ImprimerClick();
  void CVBUpClick();
  void CVBDClick();

 protected:
  void showEvent(QShowEvent* e) override;
  bool eventFilter(QObject* o, QEvent* e) override;

 private:
  void Timer1Timer();
  TRepetitionColonnes repetition_;
  bool texteConstruit_ = false;
};
