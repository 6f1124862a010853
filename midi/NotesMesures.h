#pragma once
// From an import note list to beats: trimming, quantising to a grid, measures from the
// time-signature map and from the list's length, writing the groups of the list as beats (ties,
// dots, triplets) and closing every measure with rests. Works on the song record it is given.
#include <functional>
#include <vector>

#include "midi/ImportSMF.h"
#include "song/Song.h"

// A pitch that the import could not give a string: too low or too high for every string of the
// track, or one more than the track has strings in one chord.
struct TNoteNonPlacee {
  int Piste = 0;
  int Mesure = 0;
  int Hauteur = 0;
};

// What an import had to leave out, for its closing message.
struct TRapportImport {
  std::vector<int> PistesNotesTronquees;          // tracks whose source passed NB_NOTES_IMPORT_MAX entries
  bool MesuresTronquees = false;                  // the song would have passed NB_MESURES_MAX measures
  std::vector<std::pair<int, int>> TempsTronques;  // (track, measure) that would have passed 64 beats
  std::vector<TNoteNonPlacee> NonPlacees;
  // Notes that met a note of the same pitch on one grid step, having started apart in the source.
  std::vector<TNoteNonPlacee> Fusionnees;
  bool Vide() const {
    return PistesNotesTronquees.empty() && !MesuresTronquees && TempsTronques.empty() && NonPlacees.empty() &&
           Fusionnees.empty();
  }
};

// x rounded to four decimals (halves to even): lengths are compared through it.
double Arrondi4(double x);

// Drops the rests of length 0 at the end of the list.
void NettoyerFinListeNotes(TListeNotesImport& liste);
// Rounds the start of every entry to a grid of q steps per quarter note (2, 4, 8 or 16; anything
// else reads as 4), carrying the rounding so that the total stays close; sets DureeTotale and keeps
// the starts before the grid in Debuts. Every note starts on the step nearest its start; notes
// that meet on one step sound together.
void QuantifierListeNotes(TListeNotesImport& liste, int q);
// Some entry has a pitch above 0.
bool ListeContientNotes(const TListeNotesImport& liste);

// Beat slot `temps` of a track becomes an empty quarter; the measure's repeat marks are cleared,
// and slot 1 also empties the track in that measure.
void InitTempsImport(TPartition& p, int piste, int mesure, int temps);
// Appends a measure with the signature of the last one; false at NB_MESURES_MAX.
bool AjouterMesureImport(TPartition& p);
// The measures of a time-signature map at `division` ticks per quarter note: the first signature
// sets measure 1, each later one closes the measures of the previous one. False when the map
// would pass NB_MESURES_MAX measures (the song then stops there).
bool CreerMesuresSignatures(TPartition& p, const std::vector<TSignatureMIDI>& signatures, int division);

// Writes the list as the beats of track `piste` (pitches in TTemps::Hauteurs, frets left to the
// fingering), appending measures as the list needs. False, and nothing changed, when the list holds
// no note. `progression` gets 0..28.
bool CreerPartitionImport(TPartition& p, int piste, TListeNotesImport& liste, TRapportImport& rapport,
                          const std::function<void(int)>& progression = {});
// Closes a measure of a track with rests of the largest values first (after dropping the rests
// that end it). An over-full measure stays as it is. Stores the track's filled length either way.
void CompleterMesure(TPartition& p, int piste, int mesure, TRapportImport* rapport = nullptr);
