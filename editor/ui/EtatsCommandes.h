#pragma once
// The enabled and checked state of every command, computed from the beat under the cursor.
// The computation takes the song and returns a plain record; the main window applies it to its
// actions and buttons.
#include "editor/Actions.h"

struct TPartition;
struct TCurseur;

struct TEtatCommande {
  bool ChangerActif = false;  // the rule sets the enabled state
  bool Actif = false;
  bool ChangerCoche = false;  // the rule sets the checked state
  bool Coche = false;
};

// What the rules read beside the song.
struct TContexteEtats {
  bool LectureEnCours = false;      // Ac_Son_LectureDebut is disabled
  bool PressePapierPlein = false;
  bool Modifie = false;
};

struct TEtatsCommandes {
  TEtatCommande Actions[NB_ACTIONS];
  // False when only the drum-assistant and paste rows were computed (no valid measure, or playing).
  bool Complet = false;
  bool PaletteActive = false;       // dynamics palette: BT_DynaNote_1..8, BT_Default, BT_Apply
  int PaletteBas = 0;               // number of the palette button that is down, 0 = none

  const TEtatCommande& operator[](TMembreAction membre) const;
};

TEtatsCommandes CalculerEtatsCommandes(const TPartition& p, const TCurseur& c, int piste, const TContexteEtats& ctx);
// Sets the enabled and checked states of the actions; the buttons bound to them follow.
void AppliquerEtatsCommandes(const TEtatsCommandes& e, TActionsPrincipales& a);
