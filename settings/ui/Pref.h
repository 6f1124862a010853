#pragma once
// The preferences dialog: the general options, the screen layout and the print layout on three
// pages, with the three user presets of each layout. The pages are filled once per opening and
// one change mark per page says which records OK writes back; Look and Preview write their page
// at once, and the opener puts the layouts back when the dialog is not confirmed.
#include <QDialog>
#include <QString>
#include <functional>

#include "settings/Config.h"

class QCheckBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QSlider;
class QTabWidget;
class TFilenameEdit;

// The pages, in tab order.
enum { PAGE_GENERAL = 0, PAGE_DISPLAY = 1, PAGE_PRINTING = 2 };

// The number a digits-only field stands for; an empty text, or one that is not all digits, gives
// the default.
int ValeurChamp(const QString& texte, int defaut);

// Edits of the Display page, in the order of the record's write-back.
enum ChampEcran {
  CE_MargeGaucheLignes,
  CE_MargeDroiteLignes,
  CE_EspLignes,
  CE_EspPortees,
  CE_EspDiagAc,
  CE_EspNomAc,
  CE_EspTexte,
  CE_EpCroches,
  NB_CHAMPS_ECRAN
};
// Edits of the Printing page (millimetres).
enum ChampImp {
  CI_MargeHautePart,
  CI_MargeBassePart,
  CI_MargeGaucheLignes,
  CI_MargeDroiteLignes,
  CI_Largeur,
  CI_Hauteur,
  NB_CHAMPS_IMP
};
enum CouleurEcran { ColDiag, ColLines, ColRythm, ColEff, ColBackG, ColBadBar, ColSelect, NB_COULEURS_ECRAN };
enum { NB_AFF_ECRAN = 7, NB_AFF_IMP = 12, NB_JAUGES_IMP = 9 };

class TPref_Form : public QDialog {
  Q_OBJECT
 public:
  explicit TPref_Form(QWidget* parent = nullptr);
  ~TPref_Form() override;

  QTabWidget* PageControle = nullptr;
  QWidget *General = nullptr, *Display = nullptr, *Printing = nullptr;
  QPushButton *BT_OK = nullptr, *BT_Annuler = nullptr, *BT_Aide = nullptr;

  // ---- General ----
  QGroupBox *StartingMusic = nullptr, *GroupScrolling = nullptr, *GroupMetronome = nullptr, *GroupPlay = nullptr,
            *GroupExport = nullptr, *BendConfig = nullptr, *GroupChord = nullptr;
  QRadioButton *Music_VX = nullptr, *Music_WAV = nullptr, *Music_Rien = nullptr;
  TFilenameEdit* Music_File = nullptr;
  QRadioButton *ScrollingScreen = nullptr, *ScrollingLine = nullptr;
  QSlider* MetronomeVolume = nullptr;
  QLabel *Lab_Volume = nullptr, *LibBendConfig = nullptr;
  QCheckBox *MetronomeDuringScore = nullptr, *FirstBarMetronome = nullptr, *DifferentMetronomeFirstSound = nullptr,
            *AlwaysUseMetronomeSpeedTrainer = nullptr, *PlayEffects = nullptr, *PlayRepeats = nullptr,
            *ExportEffects = nullptr, *ExportRepeats = nullptr, *LimitBend = nullptr, *AlwaysAddBass = nullptr;
  QPushButton* GeneralDefault = nullptr;

  // ---- Display ----
  QLineEdit* ChampsEcran[NB_CHAMPS_ECRAN] = {};
  QLabel* LabChampsEcran[NB_CHAMPS_ECRAN] = {};
  QPushButton* ModifierFont[NB_POLICES_ECRAN] = {};
  QLabel* ModifierFont_Lab[NB_POLICES_ECRAN] = {};
  QLabel* LibExFont[NB_POLICES_ECRAN] = {};
  QPushButton* ModifierCol[NB_COULEURS_ECRAN] = {};
  QLabel* ModifierCol_Lab[NB_COULEURS_ECRAN] = {};
  QFrame* ExCol[NB_COULEURS_ECRAN] = {};
  QCheckBox* AffEcran[NB_AFF_ECRAN] = {};  // AffDiag, AffChordsName, AffTxt, AffEff, AffRyt, AffNum, AffListChord
  QSlider *CoefEspAff = nullptr, *CoefPAff = nullptr;
  QLabel *CoefEspAff_Lab = nullptr, *CoefPAff_Lab = nullptr, *DiagSize_Lab = nullptr;
  QRadioButton* TypeDiag[4] = {};  // [1..3]
  QPushButton* ImageDiag[4] = {};  // [1..3]: the diagram pictures Image1, Image2, Image12
  QPushButton *DisplayDefault = nullptr, *BT_Look = nullptr;
  QPushButton* DisplayUser[4] = {};      // [1..3]
  QPushButton* SaveDisplayUser[4] = {};  // [1..3]

  // ---- Printing ----
  QLineEdit* ChampsImp[NB_CHAMPS_IMP] = {};
  QLabel* LabChampsImp[NB_CHAMPS_IMP] = {};
  QRadioButton *FullPage_Prt = nullptr, *SelectedArea_Prt = nullptr;
  QCheckBox *Center_Prt = nullptr, *TracerCadre_Prt = nullptr, *BlackBlocks = nullptr;
  // GlobalProportions_Prt, ChordSize_Prt, EspPortees_Prt, EspDiagAc_Prt, EspNomAc_Prt, EspTexte_Prt,
  // Esp_Titre_Auteur_Prt, Esp_Auteur_Tab_Prt, CoefEspAff_Prt; then CoefPAff_Prt apart.
  QSlider* JaugesImp[NB_JAUGES_IMP] = {};
  QLabel* LabJaugesImp[NB_JAUGES_IMP] = {};
  QSlider* CoefPAff_Prt = nullptr;
  QLabel* CoefPAff_Prt_Lab = nullptr;
  QPushButton* ModifierFontPrt[NB_POLICES_IMP] = {};
  QLabel* ModifierFontPrt_Lab[NB_POLICES_IMP] = {};
  QLabel* LibExFontPrt[NB_POLICES_IMP] = {};
  QCheckBox* AffImp[NB_AFF_IMP] = {};  // AffTitre_Prt .. AffRyt_Prt
  QPushButton *PrintDefault = nullptr, *BT_Look_Prt = nullptr;
  QPushButton* PrintUser[4] = {};      // [1..3]
  QPushButton* SavePrintUser[4] = {};  // [1..3]

  // The fonts and colours the page's font and colour dialogs hold.
  TMyFont PolicesEcran[NB_POLICES_ECRAN];
  TMyFont PolicesImp[NB_POLICES_IMP];
  TColor Couleurs[NB_COULEURS_ECRAN] = {};

  // Marks: a page holds changes not yet written; Look wrote the Display page.
  bool AffichageModifie = false, ImpressionModifie = false, GeneralModifie = false, AffichageApplique = false;
  // The print switch as the dialog found it: Preview writes it with the rest of its page.
  bool BlackBlocksMem = false;

  // The standard dialogs; tests replace them. A font chooser gets the title and whether the
  // font's colour is chosen too; true when the user confirmed.
  std::function<bool(TMyFont& police, const QString& titre, bool avecCouleur)> ChoisirPolice;
  std::function<bool(TColor& couleur, const QString& titre)> ChoisirCouleur;
  // Shows the print preview from the Printing page (modal); the editor view's by default.
  std::function<void()> MontrerApercu;

  void Traduire();
  void FormActivate();  // fills the pages and takes the snapshots (once per opening)
  void BT_OKClick();
  void BT_AideClick();
  void CompleterChampsVides();
  void AppliquerGeneral();
  void AppliquerAffichage();
  void AppliquerImpression();

  void GeneralDefaultClick();
  void DisplayDefaultClick();
  void DisplayUserClick(int n);
  void SaveDisplayUserClick(int n);
  void BT_LookClick();
  void ImageDiagClick(int n);
  void ModifierFontClick(int i);
  void ModifierColClick(int i);
  void PrintDefaultClick();
  void PrintUserClick(int n);
  void SavePrintUserClick(int n);
  void BT_Look_PrtClick();
  void ModifierFontPrtClick(int i);
  void MajZoneImpression();

 protected:
  void showEvent(QShowEvent* e) override;

 private:
  void CreerGeneral();
  void CreerDisplay();
  void CreerPrinting();
  void RemplirGeneral();
  void RemplirAffichage(const TParamEcran& p, const TMyFont polices[NB_POLICES_ECRAN]);
  void RemplirImpression(const TZoneImpression& z, const TMyFont polices[NB_POLICES_IMP], bool aussiBlackBlocks);
  void EcrireAffichage(TParamEcran& p, TMyFont polices[NB_POLICES_ECRAN]);
  void EcrireImpression(TZoneImpression& z, TMyFont polices[NB_POLICES_IMP]);
  void AfficherExempleFonte(int i);
  void AfficherExempleCouleur(int i);
  void AfficherExempleFontePrt(int i);
  void MajMusicFile();
  bool remplie_ = false;
};

// The refresh after the screen layout changed: the current measure becomes the new undo and
// revert point, undo and revert are disabled, the command states are refreshed and the score
// view is laid out again.
void RafraichirApresPreferences();

// Puts back what Look and Preview wrote during an opening that was not confirmed: the screen
// layout and its fonts when Look was used (then the refresh), the print layout, its fonts and the
// black-blocks switch always.
void RestaurerPreferences(const TPref_Form& f);

// The whole opening: creates the dialog with `page` in front, shows it modally, undoes Look and
// Preview unless it was confirmed, and releases it. True when confirmed with OK.
bool ExecuterPreferences(QWidget* parent, int page = PAGE_GENERAL);
