#pragma once
// The speed trainer's settings: a range of measures, a start and a target tempo and the tempo
// change per pass. The window lives for the whole run so its fields keep their values.
#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;
class QTimer;
class QToolButton;

// Checks the five field texts in the order the user is told about them; 0 when all are right,
// else the 1-based index of the first wrong field (MesDeb, MesFin, TempoDeb, TempoFin, Variation).
int ChampIncorrectSpeedTrainer(const QString textes[5], int nbMesures);

class TSpeedT_Form : public QDialog {
  Q_OBJECT
 public:
  explicit TSpeedT_Form(QWidget* parent = nullptr);

  enum { CHAMP_MES_DEB, CHAMP_MES_FIN, CHAMP_TEMPO_DEB, CHAMP_TEMPO_FIN, CHAMP_VARIATION, NB_CHAMPS };

  QLineEdit *MesDeb, *MesFin, *TempoDeb, *TempoFin, *Variation;
  QToolButton *MesDebUp, *MesDebDown, *MesFinUp, *MesFinDown, *TempoDebUp, *TempoDebDown, *TempoFinUp,
      *TempoFinDown, *VariationUp, *VariationDown;
  QTimer *Timer1, *Timer2, *Timer3, *Timer4, *Timer5;
  QPushButton *BT_OK, *BT_Annuler, *BT_Aide;
  QLabel *LabelMesures, *LabelMesuresA, *LabelTempos, *LabelTemposA, *LabelVariation;

  // Captions from the language groups "DLG_000" and "DLG_ASS_ST_000".
  void Traduire();
  // Empty fields get their defaults; the first field is focused.
  void FormActivate();
  // Empties every field (after a song is loaded).
  void Vider();
  // OK: checks the fields; on a wrong one shows the error, selects it and keeps the dialog open.
  void BT_OKClick();

  // The values as numbers (0 for an empty field).
  int ValMesDeb() const;
  int ValMesFin() const;
  int ValTempoDeb() const;
  int ValTempoFin() const;
  int ValVariation() const;

  // One step of a field's up (+1) or down (-1) button, as a click does.
  void Pas(int champ, int sens);

 protected:
  void changeEvent(QEvent* e) override;  // takes its texts again when the language changes
  void showEvent(QShowEvent* e) override;
  bool eventFilter(QObject* o, QEvent* e) override;

 private:
  QLineEdit* Champ(int champ) const;
  void Bornes(int champ, int& minimum, int& maximum) const;
  // A repeat of a held button: `pas` steps up (or down when negative), clamped to the range.
  void Repeter(int champ, int pas);
};

// The dialog created at start-up; the main window sets it.
extern TSpeedT_Form* SpeedT_Form;
