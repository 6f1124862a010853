#pragma once
// Beat commands of the current track in the current measure, and the input slot: the blank beat
// kept ready after the last used beat of every track (slot NbTemps + 1).
#include <cstdint>
#include <functional>

struct TNote;
struct TTemps;
struct TMesure;


// Undo availability and "the current measure was edited since it was entered or validated".
// Always change them through the setters so that the main window follows.
extern bool AnnulationPossible;
extern bool MesureEditee;
void ActiverAnnulation(bool actif);
void ActiverAnnulerMesure(bool actif);

// Set by the callers of the beat deletions to the tie flag of the beat about to go: deleting a tied
// beat deletes it alone, deleting any other beat also deletes the tied beats that continue it.
extern uint8_t TempsSupprimeLie;

// ---- Access to the beat under the cursor ----
int& NbTempsCourant();        // beat count of the current track in the current measure
TTemps& TempsCourant();       // the beat under the cursor
bool SurTempsSaisie();        // the cursor stands on the input slot

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
bool PointeePermise();        // the dotted command applies to the beat under the cursor
void CopierTempsFin();
void PoserSilence();
void AppliquerLiaison();      // after the caller toggled the tie flag of the beat

// ---- Input slot ----
// When the cursor stands on the input slot, makes it a used beat and prepares the next one.
void UseInputSlot();
// Prepares the input slot (beat NbTemps + 1) of the current track in the current measure.
void PreparerTempsSaisie();
// The same for any track and measure, as a blank quarter.
void PreparerTempsSaisiePiste(int piste, int mesure);
// Beat 1 of the current track in that measure becomes a blank quarter.
void ReinitialiserPremierTemps(int mesure);
// Writes the blank quarter into a slot.
void TempsNoireVide(TTemps& t);
// Entry goes on with the duration last used: the slot takes the length, code, dot and triplet flag
// of the last used beat of `piste` in `source`, a triplet starting a new group. Nothing when that
// track holds no beat there.
void ContinueLastDuration(TTemps& slot, const TMesure& source, int piste);

// ---- Durations ----
// Filled length of a track in a measure, summed in ticks (the input slot does not count).
int64_t DureeMesureEnTicks(int piste, int mesure);
double DureeMesureEnNoires(int piste, int mesure);
// The track fills the measure exactly.
bool MesureComplete(int piste, int mesure);

// Resets the song to a new empty one.
void NouvellePartition();
