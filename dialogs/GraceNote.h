#pragma once
// The grace note of the note under the cursor: a fret or a dead note, a length and a dynamic.
// The note changes at once so that it can be heard; Cancel puts it back.
#include "dialogs/DialogueValide.h"

class QGroupBox;
class QRadioButton;
class QToolButton;

class TGraceNoteForm : public TDialogueApercu {
  Q_OBJECT
 public:
  explicit TGraceNoteForm(QWidget* parent = nullptr);
  QGroupBox *GBNote = nullptr, *GBDuration = nullptr, *GDyna = nullptr;
  QRadioButton *Radio1 = nullptr, *Radio2 = nullptr;  // dead note, fret
  TChampNumerique* NbFrets = nullptr;
  QRadioButton* CDuration[4] = {};  // [1..3]
  QToolButton* BT_DynaNote[9] = {};  // [1..8]
  QToolButton* Ecouter = nullptr;
  int Nuance = 6;  // the dynamic to press when the dialog opens
  // Starts from the note under the cursor: a dead note checks Radio1, a fret fills NbFrets.
  void Preparer();
  void Traduire();

 protected:
  void showEvent(QShowEvent* e) override;
  bool Ecoute() const override;
  bool EntreeValide() const override;
  bool Valider() override;
  void Appliquer() override;
  void Ecrire() override;
  void done(int r) override;

 private:
  int DureeChoisie() const;
  int NuanceChoisie() const;
};
