#pragma once
// The mix-table change of the beat under the cursor: from this beat on the ticked settings change,
// each over a transition of up to 8 beats. An unticked setting means no change.
#include "dialogs/DialogueValide.h"
#include "song/MixEvent.h"

class QCheckBox;
class QComboBox;
class QSlider;

class TChgtParamForm : public TDialogueValide {
  Q_OBJECT
 public:
  explicit TChgtParamForm(QWidget* parent = nullptr);
  enum { INSTRUMENT, VOLUME, PAN, CHORUS, REVERB, TEMPO, NB_PARAMS };
  QLabel* Intro = nullptr;
  QLabel *Lab_NewValue = nullptr, *Lab_Transition = nullptr;
  QCheckBox* CB[NB_PARAMS] = {};            // CB_Instrument .. CB_Tempo
  QComboBox* L_Instrument = nullptr;
  QSlider* J[NB_PARAMS] = {};               // J_Volume .. J_Reverb (0..20); null for instrument, tempo
  TChampNumerique* J_Tempo = nullptr;
  QComboBox* L[NB_PARAMS] = {};             // transitions L_Volume .. L_Tempo; null for instrument
  QPushButton* BT_Clear = nullptr;
  // After OK: the change to write, and whether it changes anything at all.
  cTableMixEvent Resultat;
  bool AvecChangement = false;
  void Traduire();
  // Shows each value control only while its box is ticked.
  void MajVisibilite();

 protected:
  void showEvent(QShowEvent* e) override;
  bool Valider() override;
  void Ecrire() override;
};
