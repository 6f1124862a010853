#pragma once
// The settings records: general options, the screen layout and the print layout (a live set and
// three user presets each, plus a snapshot for the preferences' Cancel), and the font holders that
// carry the live fonts once the main window is up.
#include <QString>
#include <cstdint>

#include "platform/Types.h"

struct TMyFont {
  QString Name;
  int32_t Size = 0;
  bool Bold = false;
  bool Italic = false;
  TColor Col = 0;
};

struct TCONFIG {
  int32_t NbColASCII = 0;
  int32_t TypeImport = 0;
  int32_t NbTirets = 0;
  int32_t SignImpNum = 0;
  int32_t SignImpDen = 0;
  bool JouerPendantSaisie = false;
  bool Metronome = false;
  bool MetronomeDuringScore = false;
  bool FirstBarMetronome = false;
  bool AddDiag = false;
  bool VerifyRepeats = false;
  bool CheckDuration = false;
  int32_t StartingMusic = 0;
  QString StartingFile;
  int32_t MetronomeVolume = 0;
  bool DifferentMetronomeFirstSound = false;
  bool AlwaysUseMetronomeSpeedTrainer = false;
  bool PlayEffects = false;
  bool PlayRepeats = false;
  bool ExportEffects = false;
  bool ExportRepeats = false;
  bool AlwaysAddBass = false;
  int32_t DiagSimpleMoyenTout = 0;
  int32_t TypeScrolling = 0;
  int32_t BendScale = 0;  // runtime only
  bool LimitBend = false;
  bool FreeUpAff = false;
  int32_t BrushDuration = 0;
  bool EcouterGraceNote = false;
  bool EcouterBrush = false;
  bool ShowLetRingNotes = false;
  bool ShowDynamic = false;
  int32_t DefaultDynamic = 0;
  bool CleSol = false;
  bool CleFA = false;
  int32_t GraceNoteDuration = 0;
  bool BlackBlocks = false;  // persisted in ParamImp
};

// Number of duration steps of the beat-width tables (whole .. sixty-fourth, dotted and triplet forms).
constexpr int NB_PAS_DUREE = 21;
// Entries of the score view's minimum-width table: round(ticks / 5) up to a dotted whole (2880).
constexpr int NB_LARGEURS_MIN = 2880 / 5 + 1;

struct TParamEcran {
  // Working fields computed by the score-view layout from the persisted ones: the minimum beat
  // widths indexed by round(ticks / 5) (a dotted whole is the longest beat), the longest beat's width.
  int32_t LargeurMin[NB_LARGEURS_MIN] = {};
  int32_t LargeurBase = 0;
  double CoefPAff = 0;   // persisted in tenths under "CoefPImp"
  int32_t CoefEspAff = 0;
  int32_t EspAvantTemps = 0, EspApresTemps = 0;  // space before the first beat and after the beats area
  TMyFont FontNotes, FontAcc, FontTxt, FontSign, FontNum, FontRenv;
  int32_t EspPortees = 0;
  int32_t EspLignes = 0;
  int32_t MargeGaucheLignes = 0;
  int32_t MargeDroiteLignes = 0;
  int32_t EspDiagAc = 0;
  int32_t EspNomAc = 0;
  int32_t EspTexte = 0;
  bool AffDiag = false, AffChordsName = false, AffTxt = false, AffEff = false, AffRyt = false, AffNum = false,
       AffListChord = false;
  TColor ColDiag = 0, ColLines = 0, ColRythm = 0, ColEff = 0, ColBackG = 0, ColBadBar = 0, ColSelect = 0;
  bool MesureIncorrecte = false;  // runtime: the measure being drawn is not exactly full
  int32_t TypeDiag = 0;           // 1 large .. 3 small
  int32_t EpCroches = 0;
  // Further working fields of the score-view renderer (set by InitParamEcran and CalculeParamEcran).
  int32_t MesureDessinee = 1, YPorteeCourante = 0;
  int32_t EcartDoubleBarre = 0, EcartPointsRenvoi = 0, DecalagePointsRenvoi = 0, HauteurNbRenvois = 0,
          EspSousPortee = 0, MargeEffacement = 0, HauteurPoutres = 0, EcartPointDuree = 0, EcartHampeFrette = 0,
          LongHampeBlanche = 0, ProfTriolet = 0, LongMinEffet = 0, HauteurEffetsTemps = 0, PasVibrato = 0,
          PasVibratoBarre = 0;
  int32_t PasPoutres = 0;  // beam thickness + 1
  // Bar margins chosen by the string spacing (wider from 9 pixels on).
  int32_t MargePremiereMesure = 0, MargeRenvoiDebut = 0, MargeSignature = 0, MargeDerniereMesure = 0,
          MargeRenvoiFin = 0, DecalageSignature = 0;
};

struct TZoneImpression {
  // Working fields of the page renderer.
  double LargeursTempsMm[NB_PAS_DUREE] = {};
  int32_t PageApercu = 1;       // page shown by the print preview
  int32_t NbPagesApercu = 1;
  double CoefPAff_Prt = 0;      // persisted in tenths under "CoefPImp"
  TMyFont FontTitle_Prt, FontAuteur_Prt, FontComment_Prt, FontNumPage_Prt, FontNotes_Prt, FontAcc_Prt,
      FontTxt_Prt, FontSign_Prt, FontAccDiag_Prt, FontRenv_Prt;
  double MargeGaucheLignes = 0, MargeDroiteLignes = 0, MargeHautePart = 0, MargeBassePart = 0;
  bool FullPage = false;
  double Largeur_Prt = 0, Hauteur_Prt = 0;
  bool Center_Prt = false;
  bool TracerCadre_Prt = false;
  int32_t GlobalProportions_Prt = 0, ChordSize_Prt = 0, EspPortees_Prt = 0, CoefEspAff_Prt = 0, EspDiagAc_Prt = 0,
          EspNomAc_Prt = 0, EspTexte_Prt = 0, Esp_Titre_Auteur_Prt = 0, Esp_Auteur_Tab_Prt = 0;
  bool AffTitre_Prt = false, AffAuteur_Prt = false, AffComment_Prt = false, AffTriplet_Prt = false,
       AffNumP_Prt = false, AffNum_Prt = false, AffDiag_Prt = false, AffChordsName_Prt = false,
       AffListChord_Prt = false, AffTxt_Prt = false, AffEff_Prt = false, AffRyt_Prt = false;
};

extern TCONFIG Configuration;
extern TParamEcran ParamEcran, ParamEcran_US1, ParamEcran_US2, ParamEcran_US3, ParamEcranMem;
extern TZoneImpression ZoneImpression, ZoneImpression_US1, ZoneImpression_US2, ZoneImpression_US3,
    ZoneImpressionMem;

// The folders: the program folder (language files, help), the working folder of the file dialogs,
// and the folder of the settings file and the temporary MIDI file; each with a trailing slash but
// the working folder. LangueAide: the help language, 1 French, 2 English, 3 German.
extern QString RepertoireAppli;
extern QString Repertoire;
extern QString RepWindows;
extern int32_t LangueAide;

// The recent files (Fichier1..Fichier5), [1..5].
constexpr int NB_FICHIERS_RECENTS = 5;
extern QString DerniersFichiers[NB_FICHIERS_RECENTS + 1];

// Font holders: the live fonts of the renderers, the preferences and the settings saver.
// Sets: 0 live, 1..3 the user presets, 4 the preferences' snapshot.
enum { JEU_LIVE = 0, JEU_US1 = 1, JEU_US2 = 2, JEU_US3 = 3, JEU_MEM = 4, NB_JEUX = 5 };
enum PoliceEcran { FontNotes, FontAcc, FontTxt, FontSign, FontNum, FontRenv, NB_POLICES_ECRAN };
enum PoliceImp {
  FontTitle_Prt, FontAuteur_Prt, FontComment_Prt, FontNumPage_Prt, FontNotes_Prt, FontAcc_Prt, FontTxt_Prt,
  FontSign_Prt, FontAccDiag_Prt, FontRenv_Prt, NB_POLICES_IMP
};
struct TPorteursPolices {
  TMyFont Ecran[NB_JEUX][NB_POLICES_ECRAN];
  TMyFont Imp[NB_JEUX][NB_POLICES_IMP];
};
extern TPorteursPolices PorteursPolices;

// The six screen fonts of a layout record in holder order, and the ten print fonts.
TMyFont* PolicesDe(TParamEcran& p, int index);
TMyFont* PolicesDe(TZoneImpression& z, int index);
// Copies the record fonts of the live sets and presets into the holders (first activation).
void ChargerPolices();
