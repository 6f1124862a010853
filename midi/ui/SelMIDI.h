#pragma once
// The MIDI-import track selection dialog. It lives for the whole run; the import hands it the
// file's sources and a working copy of the eight tracks, and reads the copy back after OK.
#include "dialogs/EcouteAccordage.h"
#include <QDialog>
#include <vector>

#include "midi/ImportMIDI.h"

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;
class QTabBar;
class QTimer;
class QToolButton;
class QWidget;

class TSelMIDIForm : public QDialog {
  Q_OBJECT
 public:
  explicit TSelMIDIForm(QWidget* parent = nullptr);
  int CordeEcoutee = -1;        // -1 nothing listened, 0 all strings, 1..6 the listened row
  void RemplirBibliotheque();   // the tuning list
  void Traduire();

  // Shows the dialog modally over the sources and the working copy (its tracks as the song has
  // them). True on OK: every track's choices are then in the copy.
  bool Choisir(const std::vector<TSourceMIDI>& sources, TProprietesTempo& copie);
  // The player finished a preview: plays it again while a listen button is down. False when the
  // dialog was not listening.
  bool NotificationLecture();
  TBoutonsEcoute BoutonsEcoute() const;  // the listen buttons as one group
  bool Confirme = false;

  QTabBar* TabPiste = nullptr;
  QListWidget* ListePiste = nullptr;
  QPushButton* DeselectionnerPiste = nullptr;
  QLineEdit* NomPiste = nullptr;
  QLabel* Instrument = nullptr;
  QToolButton *InstrumentUp = nullptr, *InstrumentDown = nullptr, *BT_Instrument = nullptr;
  QLineEdit* NbCordes = nullptr;
  QToolButton *BT_NbCordesUp = nullptr, *BT_NbCordesDown = nullptr;
  QLineEdit* NoteCorde[NB_CORDES_MAX + 1] = {};
  QToolButton* BT_CUp[NB_CORDES_MAX + 1] = {};
  QToolButton* BT_CDown[NB_CORDES_MAX + 1] = {};
  QToolButton *ToutUp = nullptr, *ToutDown = nullptr;
  QToolButton* Ecouter[NB_CORDES_MAX + 1] = {};
  QToolButton* EcouterTout = nullptr;
  QComboBox* ModeleList = nullptr;
  QLineEdit* NbFrets = nullptr;
  QToolButton *BT_FretUp = nullptr, *BT_FretDown = nullptr;
  QCheckBox* Transposer = nullptr;
  QRadioButton *CQuantize2 = nullptr, *CQuantize4 = nullptr, *CQuantize8 = nullptr, *CQuantize16 = nullptr;
  QWidget* Cache = nullptr;
  QWidget* LigneInstrument = nullptr;  // the program, shown on every track
  QWidget* Reglages = nullptr;         // what the percussion track hides
  QPushButton *BT_OK = nullptr, *BT_Annuler = nullptr, *BT_Aide = nullptr;
  QTimer *Timer1 = nullptr, *Timer3 = nullptr, *Timer5 = nullptr;  // held pitch, instrument and fret buttons
  QLabel *Lab_Sel_piste = nullptr, *Lab_Quantization = nullptr, *Lab_Cache2 = nullptr, *Lab_Cache3 = nullptr,
         *Lab_NomPiste = nullptr, *Lab_Instrument = nullptr, *Lab_Biblio = nullptr, *LabNbCordes = nullptr,
         *LabAccordage = nullptr, *Lab_NbFrets = nullptr;

  int PisteEnCours() const { return piste_; }
  // The tab of another track: the shown one is stored first.
  void ChangerPiste(int piste);
  void EnregistrerPiste();
  // Buttons, as a click does.
  void PasInstrument(int sens);
  void PasNbCordes(int sens);
  void PasCorde(int corde, int sens);  // corde 0 = every shown string
  void PasFrettes(int sens);
  void EcouterClic(int rangee);  // rangee 0 = every string

 protected:
  void changeEvent(QEvent* e) override;  // takes its texts again when the language changes
  bool eventFilter(QObject* o, QEvent* e) override;

 private:
  void ChargerPiste();
  void AfficherAccordage();
  void AfficherInstrument();  // the program's name, or the drum kit's on the percussion track
  void MajOK();
  int LigneChoisie() const;  // the selected source's row, -1 for none
  void MajOnglet(int piste);
  void EcouterAccordage();
  TProprietesTempo* copie_ = nullptr;
  int piste_ = 1;
  bool chargement_ = false;
};

extern TSelMIDIForm* SelMIDIForm;
