#pragma once
// The working copy of the song's header and of the eight tracks' settings. The properties dialog
// and the MIDI-import track selection edit this copy, never the song; OK applies it. A change of
// string count moves the track's notes to their new strings and cannot be undone.
#include <cstdint>
#include <string>

#include "song/Song.h"

struct TProprietesTempo {
  std::string Titre, Auteur, Commentaire;   // 8-bit texts as the song holds them
  int32_t Tempo = 120;
  int32_t TripletFeel = 0;
  std::string NomPiste[NB_PISTES + 1];
  int32_t Instrument[NB_PISTES + 1] = {};
  int32_t NbCordes[NB_PISTES + 1] = {};
  int32_t Accordage[NB_PISTES + 1][NB_CORDES_MAX + 1] = {};  // slot 1 = highest string
  int32_t NbFrettes[NB_PISTES + 1] = {};
  uint8_t Solo[NB_PISTES + 1] = {};
  uint8_t Muette[NB_PISTES + 1] = {};
  uint8_t PasExporter[NB_PISTES + 1] = {};
  uint8_t DouzeCordes[NB_PISTES + 1] = {};
  uint8_t SoloActif = 0;
  int32_t PisteSolo = 0;
  int32_t Volume[NB_PISTES + 1] = {};
  int32_t Panoramique[NB_PISTES + 1] = {};
  int32_t Chorus[NB_PISTES + 1] = {};
  int32_t Reverb[NB_PISTES + 1] = {};
  int32_t Capo[NB_PISTES + 1] = {};
  // Used only by the MIDI import: the source of each track (0 = none), one octave lower, and the
  // quantize grid in steps per quarter note.
  int32_t PisteSource[NB_PISTES + 1] = {};
  uint8_t OctaveInferieure[NB_PISTES + 1] = {};
  int32_t Quantification[NB_PISTES + 1] = {};
};

// The one working copy, shared by the properties dialog, the instrument chooser, the tuning
// previews and the MIDI-import track selection.
extern TProprietesTempo ProprietesTempo;

// Song to copy: header, and per track everything but the tuning slots beyond the track's string
// count (those keep what the copy held).
void CopierVersProprietes(const TPartition& p, TProprietesTempo& c);
// Copy to song, field by field (track names cut to 40 characters, tuning slots 1..count).
void CopierVersPartition(const TProprietesTempo& c, TPartition& p);

// The first measure in which the track holds a note, a dead note or a grace note on a string that
// a count of `nouveauNb` strings takes away (the highest strings go); 0 when there is none or the
// count does not shrink.
int MesureCordeRetiree(const TPartition& p, int piste, int nouveauNb);
// Moves every beat of the track in one measure from `ancien` to `nouveau` strings, keeping each
// note on its string counted from the lowest: strings added on top are empty, strings taken away
// are dropped and the freed slots emptied.
void DeplacerCordes(TMesure& m, int piste, int ancien, int nouveau);

// Applies the copy to the song: moves the notes of every track whose string count changes, then
// copies the settings in. Refuses and changes nothing when some track would lose a note; then
// *pisteRefusee and *mesureRefusee name the first such track and measure.
bool AppliquerProprietes(const TProprietesTempo& c, TPartition& p, int* pisteRefusee = nullptr,
                         int* mesureRefusee = nullptr);
// The same on the song being edited, with the editing state that must follow: when notes moved,
// the undo copy's strings move too and the cancel-measure snapshot is retaken (it would put notes
// back on the old strings); the current track becomes `piste`, the cursor goes to beat 1, string 1,
// and the song counts as modified.
bool AppliquerProprietesEdition(const TProprietesTempo& c, int piste, int* pisteRefusee = nullptr,
                                int* mesureRefusee = nullptr);
