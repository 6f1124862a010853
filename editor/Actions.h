#pragma once
// The main window's command table: every user command is one action, and the menus, the toolbar
// and the edit-zone button panel are bound to it, so that caption, shortcut, image, enabled and
// checked state live in one place. It is data and opens no window, so it stands with the editing
// commands, below every window: the main window builds on it (editor/ui/MainActions.h) and the
// translation of the main window (settings/ui/Traduction.cpp) reads it from below.
#include <QString>
#include <array>
#include <functional>

class QAction;

// The QActions of the main window, one named member per command, and nothing else: the number of
// commands is the number of these members, and the command table must give each one its row.
struct TPointeursActions {
  // Fichier
  QAction *Ac_Fichier_Nouveau = nullptr, *Ac_Fichier_Ouvrir = nullptr, *Ac_Fichier_Parcourir = nullptr,
          *Ac_Fichier_Enregistrer = nullptr, *Ac_Fichier_EnregistrerSous = nullptr, *Ac_Fichier_Proprietes = nullptr,
          *Ac_Fichier_ImporterMIDI = nullptr, *Ac_Fichier_ImporterASCII = nullptr, *Ac_Fichier_ExporterMIDI = nullptr,
          *Ac_Fichier_ExporterASCII = nullptr, *Ac_Fichier_Imprimer = nullptr, *Ac_Fichier_ApercuImp = nullptr,
          *Ac_Fichier_ConfigImp = nullptr, *Ac_Fichier_Quitter = nullptr;
  // Edition
  QAction *Ac_Edition_Annuler = nullptr, *Ac_Edition_Couper = nullptr, *Ac_Edition_Copier = nullptr,
          *Ac_Edition_Coller = nullptr, *Ac_Edition_Inserer = nullptr, *Ac_Edition_Vider = nullptr,
          *Ac_Edition_TableMix = nullptr;
  // Mesure
  QAction *Ac_Mesure_Premiere = nullptr, *Ac_Mesure_Precedente = nullptr, *Ac_Mesure_AllerA = nullptr,
          *Ac_Mesure_Suivante = nullptr, *Ac_Mesure_Derniere = nullptr, *Ac_Mesure_Signature = nullptr,
          *Ac_Mesure_RenvoiDebut = nullptr, *Ac_Mesure_RenvoiFin = nullptr, *Ac_Mesure_Repetitions = nullptr;
  // Note
  QAction *Ac_Note_Ronde = nullptr, *Ac_Note_Blanche = nullptr, *Ac_Note_Noire = nullptr, *Ac_Note_Croche = nullptr,
          *Ac_Note_DCroche = nullptr, *Ac_Note_TCroche = nullptr, *Ac_Note_QCroche = nullptr,
          *Ac_Note_Pointee = nullptr, *Ac_Note_Accord = nullptr, *Ac_Note_Annotation = nullptr,
          *Ac_Note_NoteEtouffee = nullptr, *Ac_Note_Silence = nullptr, *Ac_Note_Triolet = nullptr,
          *Ac_Note_Lier = nullptr, *Ac_Note_InsererTemps = nullptr, *Ac_Note_SupprimerTemps = nullptr,
          *Ac_Note_CopierTempsfin = nullptr, *Ac_Note_DeplacerHaut = nullptr, *Ac_Note_DeplacerBas = nullptr;
  // Effets
  QAction *Ac_Effet_HO = nullptr, *Ac_Effet_PO = nullptr, *Ac_Effet_SlideUp = nullptr, *Ac_Effet_SlideDown = nullptr,
          *Ac_Effet_Bend = nullptr, *Ac_Effet_BendRelease = nullptr, *Ac_Effet_LetRing = nullptr,
          *Ac_Effet_GraceNote = nullptr, *Ac_Effet_GhostNote = nullptr, *Ac_Effet_VibMainGauche = nullptr,
          *Ac_Effet_TremoloBar = nullptr, *Ac_Effet_CoupDeVibrato = nullptr, *Ac_Effet_FadeIn = nullptr,
          *Ac_Effet_TappingMD = nullptr, *Ac_Effet_Slap = nullptr, *Ac_Effet_Pop = nullptr,
          *Ac_Effet_HarmNat = nullptr, *Ac_Effet_HarmArt = nullptr, *Ac_Effet_BrushUp = nullptr,
          *Ac_Effet_BrushDown = nullptr;
  // Dyna
  QAction *Ac_Dyna_ppp = nullptr, *Ac_Dyna_pp = nullptr, *Ac_Dyna_p = nullptr, *Ac_Dyna_mp = nullptr,
          *Ac_Dyna_mf = nullptr, *Ac_Dyna_f = nullptr, *Ac_Dyna_ff = nullptr, *Ac_Dyna_fff = nullptr;
  // Assistants
  QAction *Ac_Ass_Transposer = nullptr, *Ac_Ass_Redecouper = nullptr, *Ac_Ass_CompleterReduire = nullptr,
          *Ac_Ass_PlacementAuto = nullptr, *Ac_Ass_LetRingSelector = nullptr, *Ac_Ass_Solfege = nullptr,
          *Ac_Ass_Percussion = nullptr, *Ac_Ass_SpeedTrainer = nullptr, *Ac_Ass_MontrerLetRing = nullptr,
          *Ac_Ass_MontrerDyna = nullptr, *Ac_Ass_VerifierDureeMesures = nullptr;
  // Son
  QAction *Ac_Son_LectureDebut = nullptr, *Ac_Son_LecturePosEC = nullptr, *Ac_Son_LectureMesureEC = nullptr,
          *Ac_Son_Stop = nullptr, *Ac_Son_EnBoucle = nullptr, *Ac_Son_Metronome = nullptr,
          *Ac_Son_JouerSaisie = nullptr;
  // Options, Aide, Affichage
  QAction *Ac_Options_Preferences = nullptr, *Ac_Aide_Index = nullptr, *Ac_Aide_APropos = nullptr,
          *Ac_Affichage_PleinEcran = nullptr;
};

constexpr int NB_ACTIONS = sizeof(TPointeursActions) / sizeof(QAction*);

// A command named by its member (&TForm1::Ac_Note_Croche): a misspelt name does not compile.
using TMembreAction = QAction* TPointeursActions::*;

struct TActionsPrincipales : TPointeursActions {
  // Handler of each action by table index; an empty one does nothing.
  std::function<void()> Execute[NB_ACTIONS];

  QAction* Action(int indice) const;               // by table index
  int IndiceAction(const QAction* a) const;         // -1 when not one of ours
  // Sets the handler of an action. A command has one handler: binding it a second time throws
  // std::logic_error, so that a later binding cannot silently override an earlier one.
  void DefinirExecute(TMembreAction membre, std::function<void()> f);
  // Puts another handler in place of the bound one (tests count the calls of a command).
  void RemplacerExecute(TMembreAction membre, std::function<void()> f);
  // Runs an action as a click would: nothing when it is disabled.
  void Executer(QAction* a);
};

// Who handles a command: its own handler, or one of the three effect handlers that several
// commands share, which store the command's tag.
enum class TExecute { Propre, Effet_HO, Effet_VibMainGauche, Effet_BrushUp };

// The button bound to a command, if any; it is named after the command, "Bt_" in place of "Ac_".
enum class TBouton { Aucun, Barre, Panneau };  // none, on the toolbar, on the edit-zone panel

// One row of the command table. The rows name every column (editor/Actions.cpp), so that two
// columns of the same type cannot change places unnoticed and none can be left out.
struct TDefAction {
  TMembreAction Membre;
  const char* Nom;         // "Ac_Note_Croche"
  const char* Categorie;   // "Fichier", "Edition", "Mesure", "Note", "Effets", "Dyna", "Assistants", "Son", ...
  const char* Caption;     // design caption, kept when the language file lacks "MN_000"
  const char* Raccourci;   // portable key-sequence text ("Ctrl+N", "Ins", "\\"); "" = none
  int Tag;                 // effect code stored by the effect handlers, 0 elsewhere
  int ImageIndex;          // glyph of menu item and button, -1 = none
  const char* Hint;        // design hint
  bool Cochable;           // shows a check mark / a down button
  bool ActifAuDepart;      // enabled when created
  TBouton Bouton;          // the bound button and where it stands
  TExecute Execute;        // own or shared handler
  int LigneMenu;           // line of "MN_000" for the menu caption, 0 = none
  int LigneBouton;         // line of "MN_000" for the button hint, 0 = none
  bool Points;             // the menu caption takes "..." after the text
  const char* Glyphe;      // short text drawn as the glyph
};

extern const std::array<TDefAction, NB_ACTIONS> TableActions;

// Index of an action in the table by its member.
int IndiceMembre(TMembreAction membre);
// Name of the menu item of an action ("Ac_Note_Croche" -> "Mn_Note_Croche").
QString NomMenuAction(const char* nomAction);
// Name of the button of an action ("Ac_Note_Croche" -> "Bt_Note_Croche").
QString NomBoutonAction(const char* nomAction);
