#pragma once
// The song and track properties dialog; it lives for the whole run. It edits the working copy
// ProprietesTempo (editor/Proprietes.h), one tab per track, and applies it on OK; Cancel leaves
// the song as it was.
#include "dialogs/EcouteAccordage.h"
#include <QDialog>
#include <cstdint>

class QCheckBox;
class TBoutonsRepetes;
class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSlider;
class QTabBar;
class QTimer;
class QToolButton;

class TSais_Partition : public QDialog {
  Q_OBJECT
 public:
  explicit TSais_Partition(QWidget* parent = nullptr);

  int CordeEcoutee = -1;              // -1 nothing listened, 0 all strings, 1..6 the listened row
  int NouvellePartitionDemandee = 0;  // 1 when shown for a song that was just replaced by a new one
  int PisteEnCours = 1;               // the track whose tab is shown
  uint8_t FermetureAutorisee = 1;

  // The main window's song-replaced routine: set for a new empty song (New, browse, a refused open
  // or import), cleared by the Properties command.
  void ModeNouvellePartition(bool nouvelle) { NouvellePartitionDemandee = nouvelle ? 1 : 0; }

  // ---- Controls ----
  QLabel *LabTitre, *LabAuteur, *LabCom, *LabTempo;
  QLineEdit *Titre, *Auteur, *Note, *Tempo;
  QToolButton *BT_TempoUp, *BT_TempoDown;
  QCheckBox* Triplet;
  QTabBar* TabPiste;
  QLabel *Lab_NomPiste, *Lab_Instrument, *Lab_Biblio, *LabNbCordes, *Lab_NbFrets, *Lab_Capo;
  QLineEdit* NomPiste;
  QFrame* PanelInstrument;
  QLabel* Instrument;
  QToolButton *InstrumentUp, *InstrumentDown, *BT_Instrument;
  QComboBox* ModeleList;
  QLineEdit* NbCordes;
  QToolButton *BT_NbCordesUp, *BT_NbCordesDown;
  QGroupBox* LabAccordage;
  QLineEdit* NoteCorde[7] = {};  // rows 1..6, row 6 the lowest string
  QToolButton* BT_CUp[7] = {};
  QToolButton* BT_CDown[7] = {};
  QFrame* DessinCorde[7] = {};
  QToolButton* Ecouter[7] = {};
  QToolButton *ToutUp, *ToutDown, *EcouterTout;
  QLineEdit *NbFrets, *Capo;
  QToolButton *BT_FretUp, *BT_FretDown, *BT_CapoUp, *BT_CapoDown;
  QLabel *Lab_Volume, *Lab_Panoramique, *Lab_Chorus, *Lab_Reverb;
  QSlider *Volume, *Panoramique, *Chorus, *Reverb;
  QCheckBox *Solo, *Muette, *PasExporter, *DouzeCordes;
  QFrame* Cache;
  QLabel *Lab_Cache1, *Lab_Cache2, *Lab_Cache3;
  QPushButton *BT_OK, *BT_Annuler, *BT_Aide;
  QTimer *Timer1, *Timer2, *Timer3, *Timer4, *Timer5;  // tuning, tempo, instrument, capo, frets

  // ---- Tuning presets ----
  // The presets are built into the program (song/Accordages.h); kept for the main window's first
  // activation, which also fills the list.
  void ConstruireBibliothequeAccordages() {}
  void RemplirListeAccordages();
  int ChercherModele() const;        // the preset equal to the shown track's tuning, -1 for none
  void AppliquerModele(int index);   // the shown track takes the preset's strings and pitches

  // ---- The dialog ----
  void Traduire();
  void FormActivate();
  bool VerifierSaisie();
  void BT_OKClick();
  void ChargerEntete();
  void EnregistrerEntete();
  void ChargerPiste();
  void EnregistrerPiste();
  void AfficherAccordage();
  void MajLignesCordes();
  void MajPistePercussions();
  // The sound-related controls follow whether a song plays (at activation and when it ends).
  void MajEtatLecture();

  // ---- Listening ----
  void EcouterAccordage();
  // The player's completion notice while the tuning is listened to: plays again while a listen
  // button stays down, else ends the listening. True when the notice was the dialog's.
  bool NotificationLecture();
  TBoutonsEcoute BoutonsEcoute() const;  // the listen buttons as one group

  // ---- One step of an up/down button, as a click does ----
  void PasTempo(int sens);
  void PasCapo(int sens);
  void PasFrettes(int sens);
  void PasInstrument(int sens);
  void PasNbCordes(int sens);
  void PasCorde(int rangee, int sens);
  void PasToutAccordage(int sens);

 protected:
  void changeEvent(QEvent* e) override;  // takes its texts again when the language changes
  void showEvent(QShowEvent* e) override;
  void done(int r) override;
  bool eventFilter(QObject* o, QEvent* e) override;

 private:
  void RemplirOnglets();
  void ChangerOnglet(int index);
  void EcouterClic(int rangee);
  void SoloClic(bool coche);
  bool EnLecture() const;
  int Rangee(int corde) const;  // the row of a string of the shown track

  TBoutonsRepetes* repetitions_[5] = {};  // tuning, tempo, instrument, capo, frets
  bool garde_ = false;              // the code itself is filling the controls
  bool curseurBouge_[9][4] = {};    // the sliders the user moved, per track
};

extern TSais_Partition* Sais_Partition;
