#pragma once
// The notation assistant's data: where a pitch stands on the staff (a diatonic step number, 7 per
// octave from C of MIDI octave 0) and with which accidental in a key signature, the pitch of a
// clicked staff position, the string and fret that take a clicked pitch, and the notes of a beat as
// the staff shows them. The assistant's window draws the staff.
#include <vector>

#include "song/Song.h"

class TCanvas;

enum { ALT_AUCUNE = 0, ALT_DIESE = 1, ALT_BEMOL = 2, ALT_BECARRE = 3 };

// Staff positions that the mouse can point at.
constexpr int POSITION_PORTEE_MIN = 5, POSITION_PORTEE_MAX = 51;
// Screen y of a staff position in the staff image.
constexpr int YPosition(int position) { return 212 - 4 * position; }
// The staff position under a y of the staff image (halves to even).
int PositionSousY(int y);

// Position and accidental of a pitch (0..127) in key signature `armure` (-7..+7).
void HauteurVersPosition(int hauteur, int armure, int& position, int& alteration);
// Pitch of a staff position: `alteration` is the accidental button down (ALT_AUCUNE when none: the
// key signature applies then; ALT_BECARRE: the plain note).
int PositionVersHauteur(int position, int armure, int alteration);

// The string of track `piste` that takes `hauteur` in beat `t`: among the strings without a note,
// the one with the smallest fret in 0..FretteMaxPiste, the lower string number on a tie. 0 when
// none can; `frette` gets the fret.
int CordePourHauteur(const TPartition& p, int piste, const TTemps& t, int hauteur, int& frette);

struct TNotePortee {
  int Position = 0, Alteration = 0, Hauteur = 0, Corde = 0;
  int X = 70;  // 76 for the upper note of a second, so that the heads do not overlap
};
// The notes of beat `t` of `piste` (frets 0..FretteMaxPiste; no capo), lowest position first.
std::vector<TNotePortee> NotesPortee(const TPartition& p, int piste, const TTemps& t);

// "Cb" .. "C#" for key signatures -7..+7.
const char* NomTonalite(int armure);
