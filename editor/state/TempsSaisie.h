#pragma once
// The beat under the cursor and the input slot: the blank beat kept ready after the last used beat
// of every track (slot NbTemps + 1), and the filled length of a track in a measure. The readers,
// the importers and the editing commands all prepare slots the same way.
#include <cstdint>

struct TTemps;
struct TMesure;

// ---- Access to the beat under the cursor ----
int& NbTempsCourant();        // beat count of the current track in the current measure
TTemps& TempsCourant();       // the beat under the cursor
bool SurTempsSaisie();        // the cursor stands on the input slot

// ---- Input slot ----
// Prepares the input slot (beat NbTemps + 1) of the current track in the current measure.
void PreparerTempsSaisie();
// The same for any track and measure, as a blank quarter.
void PreparerTempsSaisiePiste(int piste, int mesure);
// Beat 1 of a track in that measure becomes a blank quarter.
void ReinitialiserPremierTemps(int mesure, int piste);
// Writes the blank quarter into a slot.
void TempsNoireVide(TTemps& t);
// Entry goes on with the duration last used: the slot takes the length, code, dot and triplet flag
// of the last used beat of `piste` in `source`, a triplet starting a new group. Nothing when that
// track holds no beat there.
void ContinueLastDuration(TTemps& slot, const TMesure& source, int piste);

// ---- Durations ----
// Filled length of a track in a measure, summed in ticks (the input slot does not count); in
// quarter notes for the measure status, the duration check and the score view, which all compare it
// exactly with TMesure::Duree. 0 for a track or measure out of range.
int64_t DureeMesureEnTicks(const TMesure& m, int piste);
int64_t DureeMesureEnTicks(int piste, int mesure);
double DureeMesureEnNoires(const TMesure& m, int piste);
double DureeMesureEnNoires(int piste, int mesure);
// The track fills the measure exactly.
bool MesureComplete(int piste, int mesure);
