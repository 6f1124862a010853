#pragma once
// Choosing a string and a fret for every pitch of a beat: every assignment of the beat's pitches
// to distinct strings is tried, those that play the most pitches are kept, and the cheapest of
// them wins. The cost weighs the hand's stretch, the position on the neck, frets beyond the
// track's own, and the distance to the previous beats (or, on the first beat, to the next one).
#include <functional>
#include <vector>

#include "midi/NotesMesures.h"
#include "song/Song.h"

// The eight weights of the cost, W[1]..W[8].
struct TPoidsDoigts {
  double W[9] = {0, 0.5, 7, 3, 0, 0.35, 0.7, 4, 1000};
};

// What a track offers to the search: its strings (slot 1 the highest), its own frets, and the
// highest fret the search accepts at all.
struct TCordesPiste {
  int NbCordes = 6;
  int Accordage[NB_CORDES_MAX + 1] = {};
  int NbFrettes = 24;
  int FretteMax = 24;
};
TCordesPiste CordesPiste(const TPartition& p, int piste);

// Places the pitches (TTemps::Hauteurs) of one beat of `piste` on strings: every string slot ends
// with no note or the fret of its pitch, never a fret outside 0..FretteMax. The previous beats and,
// with `anticipation`, the next one are read from the song. Returns the number of pitches placed;
// the pitches left out are added to `nonPlacees` (may be null).
int PlacerAccord(TPartition& p, int piste, int mesure, int temps, const TCordesPiste& cordes, const TPoidsDoigts& poids,
                 bool anticipation, std::vector<int>* nonPlacees);

// The pass over a whole track: rests and ties take their flags, every other beat is placed; a beat
// where nothing could be placed becomes a rest. Pitches left out go to the report.
void PlacerDoigts(TPartition& p, int piste, const TPoidsDoigts& poids, TRapportImport* rapport = nullptr,
                  const std::function<void(int)>& progression = {});
