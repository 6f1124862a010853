#pragma once
// Playing techniques and mix-table changes turned into pitch-bend, controller and tempo events.
// A bent note sits on its track's effects channel so that the bends never touch the other notes.
#include <cstdint>

class cMIDIPile;
class cTableMixEvent;

enum TGenreEffet {
  EFFET_GLISSE_HAUT = 0,   // note effect 3
  EFFET_GLISSE_BAS = 1,    // note effect 4
  EFFET_BEND = 2,          // note effect 5
  EFFET_BEND_RELACHE = 3,  // note effect 6
  EFFET_VIBRATO = 4,       // beat effect 1, left hand
  EFFET_VIBRATO_BARRE = 5, // beat effect 2, tremolo bar
  EFFET_COUP_VIBRATO = 6,  // beat effect 3, tremolo-bar dip
  EFFET_FADE_IN = 7,       // beat effect 4
};

// Pitch-bend units per eighth of a semitone: 4 with the 2-semitone range, 1 with the 8-semitone range.
int UniteBend();

// Renders one effect of the note on (piste, mesure, temps, corde) or of the beat, of sounding
// length L ticks from time S, on the given channel.
void RendreEffet(int genre, cMIDIPile& pile, int canal, int piste, int mesure, int temps, int corde, int32_t L,
                 int64_t S);

// Ticks a let-ring note lasts: the beat and the following beats without a note on the string,
// up to about one measure.
int32_t LongueurLetRing(int piste, int mesure, int temps, int corde);

// Renders a mix-table change at time B on the main channel and, when it differs, the effects
// channel. Tempo changes also go to PileMIDI, except during a speed-trainer pass.
void RendreTableMix(cMIDIPile& pile, const cTableMixEvent& mix, int64_t B, int canalPrincipal, int canalEffets,
                    bool passeEntrainement);

// The next beat of a track after (mesure, temps), in measure order, past measures without beats in
// that track (their ticks are added to *saut when given); false past the song's end.
bool TempsSuivant(int piste, int& mesure, int& temps, int32_t* saut = nullptr);
