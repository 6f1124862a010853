#pragma once
// Which line of its language group holds which text, for the windows whose lines are not fixed
// by the message keys. Each window reads its texts with TexteLigne(TrouverGroupe(group), line)
// (settings/Langue.h); the shipped language files follow this table, and a test checks that
// every file reaches the last line listed here for every group.
#include <vector>

// Lines shared by every dialog.
namespace LignesDlg {
constexpr const char* Groupe = "DLG_000";
constexpr int OK = 1, Annuler = 2, Oui = 3, Non = 4, Aide = 5, Effacer = 6, Fermer = 7;
constexpr int Confirmation = 9;  // also the caption of the re-cut confirmation
}  // namespace LignesDlg

// File browser.
namespace LignesBrowse {
constexpr const char* Groupe = "DLG_BROWSE_000";
constexpr int Titre = 1, Nombre = 2, Recherche = 3, HintScanner = 4, HintArreter = 5;
constexpr int ColNom = 6, ColTaille = 7, ColDate = 8, ColDossier = 9;
constexpr int LabTitre = 10, LabAuteur = 11, LabCommentaire = 12, LabMesures = 13, LabPistes = 14;
constexpr int Ecouter = 15;
constexpr int SautPremier = 16, SautDernier = 22;  // the seven entries of JumpAfter
constexpr int LirePremier = 23, LireDernier = 28;  // the play-length menu: 1, 2, 5, 10, 25 bars, the score
}  // namespace LignesBrowse

// ASCII tablature import (line 2 is also the message key "ASCIIImp-AccesFicImpossibleImportationAb").
namespace LignesImpASCII {
constexpr const char* Groupe = "DLG_IMPA_000";
constexpr int Titre = 1, Erreur = 2, Importer = 3, HintOuvrir = 4, HintImprimer = 5, ImporterEn = 6, Info = 7;
constexpr int TypePremier = 10, TypeDernier = 14;  // variable, half, quarter, eighth, sixteenth notes
}  // namespace LignesImpASCII

// ASCII tablature export.
namespace LignesExpASCII {
constexpr const char* Groupe = "DLG_EXPA_000";
constexpr int Titre = 1, Exporter = 2, HintImprimer = 3, Colonnes = 4, HintRepaginer = 5, Rythme = 6;
}  // namespace LignesExpASCII

// Let-ring assistant (line 9 is its error text).
namespace LignesLetRing {
constexpr const char* Groupe = "DLG_ASS_LR_000";
constexpr int Titre = 1, Intro = 2, Lab_Mesure = 3, Lab_a = 4, Oui = 5, Non = 6, LetRing = 7, Corde = 8, Erreur = 9;
}  // namespace LignesLetRing

// Mix-table change.
namespace LignesMix {
constexpr const char* Groupe = "DLG_MIX_000";
constexpr int Titre = 1, Intro = 2, Instrument = 3, Volume = 4, Pan = 5, Chorus = 6, Reverb = 7, Tempo = 8;
constexpr int NouvelleValeur = 9, Transition = 10;
constexpr int TransitionPremiere = 11, TransitionDerniere = 19;  // "Immediately", "1 beat" .. "8 beats"
}  // namespace LignesMix

// Strum dialog.
namespace LignesBrush {
constexpr const char* Groupe = "DLG_BRUSH_000";
constexpr int Titre = 1, Duree = 2, HintEcouter = 3;
}  // namespace LignesBrush

// Grace-note dialog.
namespace LignesGrace {
constexpr const char* Groupe = "DLG_GRACE_000";
constexpr int Titre = 1, GroupeNote = 2, NoteEtouffee = 3, Frette = 4, Duree = 5, Nuance = 6, HintEcouter = 7;
}  // namespace LignesGrace

// Speed trainer.
namespace LignesSpeedTrainer {
constexpr const char* Groupe = "DLG_ASS_ST_000";
constexpr int Titre = 1, Mesures = 2, MesuresA = 3, Tempos = 4, TemposA = 5, Variation = 6;
}  // namespace LignesSpeedTrainer

// The small value dialogs: caption on line 1, label on line 2.
namespace LignesAllerA {
constexpr const char* Groupe = "DLG_GOTOB_000";
constexpr int Titre = 1, Label = 2;
}
namespace LignesSignature {
constexpr const char* Groupe = "DLG_TIMES_000";
constexpr int Titre = 1, ApplyAll = 2;
}
namespace LignesNbRepet {  // alternate-ending number; line 2 is also the message key "Repet-A"
constexpr const char* Groupe = "DLG_DIFE_000";
constexpr int Titre = 1, Lab_a = 2;
}
namespace LignesNbRenvFin {
constexpr const char* Groupe = "DLG_REPE_000";
constexpr int Titre = 1, Label = 2;
}
namespace LignesCoupVib {
constexpr const char* Groupe = "DLG_STROKV_000";
constexpr int Titre = 1, Label = 2;
}
namespace LignesBend {  // the bend and bend-and-release dialogs share the label
constexpr const char* Groupe = "DLG_BEND_000";
constexpr int TitreBend = 1, TitreRelease = 2, Valeur = 3;
}
namespace LignesTransposer {
constexpr const char* Groupe = "DLG_ASS_TR_000";
constexpr int Titre = 1, Lab_Transpo = 2, Lab_demiton = 3;
}
namespace LignesPlacementAuto {
constexpr const char* Groupe = "DLG_ASS_FG_000";
constexpr int Titre = 1, Lab_Mesure = 2, Lab_a = 3;
}
namespace LignesConfRedec {
constexpr const char* Groupe = "DLG_ASS_CR_000";
constexpr int Lab_Redec = 1;
}
namespace LignesTexte {
constexpr const char* Groupe = "DLG_TXT_000";
constexpr int Titre = 1, Label = 2;
}

// Chord dialog, beside "DLG_CHORD_000": the name label and the inversion list.
namespace LignesAccord {
constexpr const char* Groupe = "DLG_CHORD_001";
constexpr int Nom = 1, Fondamentale = 2;  // lines 3 to 7: "Inversion #1" .. "Inversion #5"
}  // namespace LignesAccord

// The printer set-up, beside the print dialog's "Printer:" and the menu's "Print setup".
namespace LignesConfigImp {
constexpr const char* Groupe = "VEXO_CFGIMP_000";
constexpr int Papier = 1, Orientation = 2, Portrait = 3, Paysage = 4, Fichier = 5;
}  // namespace LignesConfigImp

// Every group a window or the message table reads, with the last line read from it.
struct TGroupeLangue {
  const char* Groupe;
  int DerniereLigne;
};
inline const std::vector<TGroupeLangue>& GroupesLangue() {
  static const std::vector<TGroupeLangue> groupes = {
      {"MN_000", 117},        {"DLG_000", 13},         {"GENE_000", 11},        {"FILES_000", 18},
      {"DLG_PROP_000", 25},   {"DLG_IMPM_000", 15},    {"DLG_EXPM_000", 2},     {"DLG_IMPA_000", 14},
      {"DLG_EXPA_000", 7},    {"DLG_ASS_LR_000", 9},   {"DLG_ASS_CD_000", 2},   {"DLG_PASTE_000", 10},
      {"DLG_CHORD_000", 24},  {"DLG_DIFE_000", 2},     {"DLG_PREF_000", 106},   {"DLG_PRW_000", 3},
      {"DLG_PRT_000", 6},     {"DLG_BROWSE_000", 28},  {"DLG_COPY_000", 6},     {"DLG_CUT_000", 5},
      {"DLG_MIX_000", 19},    {"DLG_BRUSH_000", 3},    {"DLG_GRACE_000", 7},    {"DLG_DYNA_000", 5},
      {"DLG_BEND_000", 3},    {"DLG_STROKV_000", 2},   {"DLG_GOTOB_000", 2},    {"DLG_TIMES_000", 2},
      {"DLG_REPE_000", 2},    {"DLG_TXT_000", 2},      {"DLG_INSTR_000", 1},    {"DLG_ASS_TR_000", 3},
      {"DLG_ASS_FG_000", 3},  {"DLG_ASS_CR_000", 1},   {"DLG_ASS_ST_000", 6},   {"VEXO_000", 4},
      {"DLG_CHORD_001", 7},
      {"VEXO_IMPM_000", 6},
      {"VEXO_ASS_000", 3},
      {"VEXO_FIC_000", 4},
      {"VEXO_PRT_000", 7},
      {"VEXO_ECR_000", 5},
      {"VEXO_CFGIMP_000", 5},
  };
  return groupes;
}
