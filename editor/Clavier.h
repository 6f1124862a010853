#pragma once
// The keyboard map of the main window: which editing operation a key press asks for. Keys are
// Windows virtual-key codes and the modifier state a set (1 Shift, 2 Alt, 4 Ctrl) compared whole,
// so a key that expects one state does nothing under another. The command table's own shortcuts
// are handled by the actions, not here.
#include <cstdint>

class QKeyEvent;

constexpr int ssShift = 1, ssAlt = 2, ssCtrl = 4;

constexpr int
  VK_BACK = 8, VK_RETURN = 13, VK_ESCAPE = 27, VK_SPACE = 32, VK_PRIOR = 33, VK_NEXT = 34, VK_END = 35,
  VK_HOME = 36, VK_LEFT = 37, VK_UP = 38, VK_RIGHT = 39, VK_DOWN = 40, VK_INSERT = 45, VK_DELETE = 46,
  VK_0 = 48, VK_9 = 57, VK_NUMPAD0 = 96, VK_NUMPAD9 = 105, VK_MULTIPLY = 106, VK_ADD = 107,
  VK_SUBTRACT = 109, VK_DECIMAL = 110, VK_DIVIDE = 111, VK_F1 = 112, VK_OEM_5 = 220;

enum class TCommandeClavier {
  Aucune,
  PisteSuivante,       // click on PisteUp
  PistePrecedente,     // click on PisteDown
  Stop,                // Ac_Son_Stop (when MIDI works and the player is open)
  LectureDebut,        // Ac_Son_LectureDebut
  LecturePosEC,        // Ac_Son_LecturePosEC
  LectureMesureEC,     // Ac_Son_LectureMesureEC
  DefilerHaut,         // held-key scroll by -4
  DefilerBas,          // held-key scroll by +4
  Chiffre,             // SaisirChiffre(Chiffre, Etat)
  CurseurDebutMesure,
  CurseurTempsPrecedent,
  CurseurTempsSuivant,
  CurseurFinMesure,
  CurseurCordeHaut,
  CurseurCordeBas,
  ValiderSiPossible,
  EffacerSousCurseur,         // Delete
  EffacerSousCurseurRetour,   // Backspace: erase, then one beat back
  SupprimerTemps,             // Ctrl+Delete
  SupprimerTempsRetour,       // Ctrl+Backspace: delete the beat, then one beat back
  RaccourcirDuree,
  AllongerDuree,
  PointerSiPossible,
  BasculerTriolet,
  // keys of the focus holder
  CacherPercussion,           // Escape: stop a playback, hide the drum assistant
};

struct TActionClavier {
  TCommandeClavier Commande = TCommandeClavier::Aucune;
  int Chiffre = 0;          // for Chiffre: the digit 0..9
  bool Rafraichir = false;  // refresh the command states afterwards
};

// The main window's key preview. lectureEnCours: something plays; pleinEcran: the full-screen
// layout is in place.
TActionClavier CommandeTouche(int vk, int etat, bool lectureEnCours, bool pleinEcran);
// The focus holder's own keys, after the preview: Enter moves on one beat, Escape stops and hides
// the drum assistant. During playback Enter does nothing.
TActionClavier CommandeToucheInvisible(int vk, bool lectureEnCours);

// Virtual-key code and modifier set of a Qt key event (0 for a key the editor does not know).
int ToucheVirtuelle(int qtKey, int qtModifiers);
int EtatModificateurs(int qtModifiers);
int ToucheVirtuelle(const QKeyEvent& e);
int EtatModificateurs(const QKeyEvent& e);

// The held-key scroll: started by Page Up / Page Down, it gives one step per pass until the key is
// released or 500 passes have run. The window drives it from a timer, so that the key-up arrives
// through the normal event loop instead of a nested one.
class cDefilementTouche {
 public:
  static constexpr int PASSES_MAX = 500;
  void Demarrer(int pas);   // -4 or +4
  void Arreter();           // key released
  bool Actif() const { return ToucheEnfoncee && Passes < PASSES_MAX; }
  // The step of the next pass, 0 when the scroll has ended.
  int PasSuivant();
  uint8_t ToucheEnfoncee = 0;
  int32_t PasDefilement = 0;
  int Passes = 0;
};
