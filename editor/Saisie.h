#pragma once
// Beat commands of the current track in the current measure, and the input slot: the blank beat
// kept ready after the last used beat of every track (slot NbTemps + 1).
#include <cstdint>
#include <functional>

#include "editor/state/EtatEdition.h"
#include "editor/state/TempsSaisie.h"

struct TNote;
struct TTemps;
struct TMesure;

// Set by the callers of the beat deletions to the tie flag of the beat about to go: deleting a tied
// beat deletes it alone, deleting any other beat also deletes the tied beats that continue it.
extern uint8_t TempsSupprimeLie;

// ---- Beat commands ----
void SupprimerTemps();
void RetirerTemps();
// Removes the beat under the cursor, prepares the input slot and redraws; then, unless
// TempsSupprimeLie is set, removes the tied beats that continued it. Takes no undo copy.
void DeleteBeatAndTiedFollowers();
void InsererTemps();
void DecalerTempsInsertion();
void AllongerDuree();
void RaccourcirDuree();
void BasculerTriolet();
void PropagerDureeTriolet();
void DefaireTriolet();
void PointerSiPossible();
void CopierTempsFin();
void PoserSilence();
void AppliquerLiaison();      // after the caller toggled the tie flag of the beat

// ---- Input slot ----
// When the cursor stands on the input slot, makes it a used beat and prepares the next one.
void UseInputSlot();

