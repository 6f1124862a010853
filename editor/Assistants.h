#pragma once
// The song assistants over one track: transposition and automatic fingering (the notes turned
// into pitches, then placed again on strings by the fingering optimiser) and the re-cut of the
// track's flow of notes into the song's measures (through the note-list builder of the MIDI
// import). Data in, data out; the progress goes to the given follower.
#include "midi/ImportMIDI.h"  // TSuiviImport
#include <cstdint>
#include <vector>

#include "song/Song.h"

// First pass: every used beat of `piste` in measures deb..fin gets its pitches in its scratch
// fields (-1 a rest, -2 a tied beat), `demitons` added; the notes lose their effects, bends,
// dynamics and grace notes. A beat without a note gets no pitch (count 0).
void CollecterHauteurs(TPartition& p, int piste, int deb, int fin, int demitons);
// Second pass over deb..fin: every beat with pitches is placed on strings; a beat whose pitches
// fit no string becomes a rest; a beat without pitch stays as it is.
void OptimiserPlacementMesures(TPartition& p, int piste, int deb, int fin, TSuiviImport& suivi);
// The whole track moved by `demitons` semitones (0 re-fingers it only).
void TransposerPiste(TPartition& p, int piste, int demitons, TSuiviImport& suivi);
// The track re-fingered over deb..fin (nothing collected when fin < deb).
void PlacementAutoMesures(TPartition& p, int piste, int deb, int fin, TSuiviImport& suivi);

// The re-cut's grid: the lengths of a track's groups (a note with its ties, or a run of rests), in
// ticks, become multiples of a sixty-fourth note; `places` gets each group's new start. Each end goes
// to the nearest grid line, a whole triplet group (three equal triplet lengths) keeps its lengths,
// and a note group of at least one step keeps at least one: no such note is lost and none starts
// more than one step from where it was. A shorter note may get no step: it is then merged, the note
// before it sounding on through its time.
void PlacerSurGrille(std::vector<int64_t>& durees, const std::vector<bool>& notes, std::vector<int64_t>& places);

enum class ERedecoupe { Fait, AucuneNote, TropDeNotes, TropDeMesures, TropDeTemps };
// Re-cuts track `piste` into the song's measures: the signatures stay on their measure numbers,
// the other tracks and the repeat marks stay where they were, a note crossing a bar line is split
// into tied beats and the end is filled with rests. Each new note beat takes the content of the
// former note nearest it in time. The annotations, chords and mix-table changes of rests, tied
// beats and merged notes go to the new beat where their time falls. Anything but Fait leaves the
// song as it was.
ERedecoupe RedecouperPiste(TPartition& p, int piste, TSuiviImport& suivi);
// The same on the song being edited and its current track; a refusal is said in a message box.
// True when the track was re-cut.
bool RedecouperPiste(TSuiviImport& suivi);

// The notation and drum assistants' entry: fret `frette` on string `corde` of the beat under the
// cursor, after the undo copy; the input slot becomes a used beat, the beat stops being a rest or
// tied, and the cursor goes to that string. False (nothing changed) when the measure has no beat
// left for the input slot.
bool PoserNoteCurseur(int corde, int frette);
