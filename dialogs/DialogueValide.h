#pragma once
// What the small editing dialogs share: OK that checks before it closes, a live preview that
// Cancel takes back, the check of a range of measures, and the one-value dialog.
#include <QDialog>
#include <QSet>

#include "dialogs/ChampNumerique.h"
#include "song/Song.h"

class QLabel;
class QPushButton;
class QHBoxLayout;
class QVBoxLayout;

// Checks a range of measures typed in two fields against a song of nbMesures measures: 0 when
// right, 1 when the first field is wrong (empty, 0, not a number, past the end), 2 when the last
// one is (the same, or before the first).
int PlageMesuresIncorrecte(const QString& debut, const QString& fin, int nbMesures);

// A dialog whose OK button checks the entry first: a refused entry keeps it open. Subclasses
// build their controls in Corps, answer Valider and write in Ecrire.
class TDialogueValide : public QDialog {
  Q_OBJECT
 public:
  explicit TDialogueValide(QWidget* parent, const QString& nom);
  QPushButton* BT_OK = nullptr;
  QPushButton* BT_Annuler = nullptr;
  QVBoxLayout* Corps = nullptr;       // above the buttons
  QHBoxLayout* LigneBoutons = nullptr;

  // OK: Valider, then Ecrire and close; a refusal leaves the dialog open.
  void BT_OKClick();

 protected:
  virtual bool Valider() { return true; }
  virtual void Ecrire() {}
  // The value error box, then the faulty field focused and selected; returns false.
  bool Refuser(TChampNumerique* champ);
  bool Refuser(QWidget* champ);
  // OK and Cancel captions (line 1 and 2 of "DLG_000") with accelerators.
  void TraduireBoutons(QSet<QChar>& utilisees);
};

// A dialog that changes the beat under the cursor at once, so that it can be heard, and puts the
// beat back exactly as it was when it is closed other than by OK.
class TDialogueApercu : public TDialogueValide {
  Q_OBJECT
 public:
  explicit TDialogueApercu(QWidget* parent, const QString& nom);
  // Takes the copy of the beat under the cursor (when the dialog opens).
  void Ouvrir();
  // Applies the entry when it is valid, then plays the beat when listening.
  void Previsualiser();
  void done(int r) override;

 protected:
  virtual bool Ecoute() const { return false; }  // the dialog's own listen button is down
  virtual bool EntreeValide() const { return true; }
  virtual void Appliquer() = 0;
  void Ecrire() override { Appliquer(); }
  void showEvent(QShowEvent* e) override;
  bool ouvert_ = false;

 private:
  TTemps copie_;
  int mesure_ = 0, piste_ = 0, temps_ = 0;
};

// One number to type or step: a label, the field, OK and Cancel. Its texts come from a language
// group (caption and label lines), its value from the song when it opens.
class TDialogueValeur : public TDialogueValide {
  Q_OBJECT
 public:
  TDialogueValeur(QWidget* parent, const QString& nom, const QString& nomChamp, ProfilRepetition profil,
                  double minimum, double maximum, double pas, int longueur);
  QLabel* Label = nullptr;
  TChampNumerique* Champ = nullptr;
  void Traduire(const char* groupe, int ligneTitre, int ligneLabel);

 protected:
  void showEvent(QShowEvent* e) override;
  virtual void Initialiser() {}  // fills the field on activation
};

// A range of measures: "Bars" [MesDeb] "to" [MesFin], both starting at the current measure and
// stepping within the song; OK refuses a wrong range on the faulty field.
class TDialoguePlage : public TDialogueValide {
  Q_OBJECT
 public:
  TDialoguePlage(QWidget* parent, const QString& nom);
  QLabel* Lab_Mesure = nullptr;
  QLabel* Lab_a = nullptr;
  TChampNumerique* MesDeb = nullptr;
  TChampNumerique* MesFin = nullptr;
  QHBoxLayout* LignePlage = nullptr;
  int Premiere() const { return MesDeb->ValeurEntiere(); }
  int Derniere() const { return MesFin->ValeurEntiere(); }

 protected:
  bool Valider() override;
  void showEvent(QShowEvent* e) override;
  virtual void Initialiser();  // both fields at the current measure
};
