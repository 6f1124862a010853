#pragma once
// The edit cursor and note entry: cursor moves, fret digits (one or two), dead notes, clicks in
// the edit zone, moving a note to another string and erasing the note under the cursor.

void CurseurTempsPrecedent();
void CurseurDebutMesure();
void CurseurTempsSuivant();
void CurseurFinMesure();
void CurseurCordeHaut();
void CurseurCordeBas();
// A digit key; etat is the shift state as the key map passes it (4 = Ctrl: choose the track).
void SaisirChiffre(int chiffre, int etat);
void SaisirNoteEtouffee();
// After an entry at the cursor (a digit, a note from an assistant): that beat redrawn with the beams
// and triplet brackets it may change, and nothing else, so that the entry's undo stays on.
void RedessinerTempsSaisi();
void CliquerZoneSaisie(int x, int y);
void DeplacerNoteHaut();
void DeplacerNoteBas();
void EffacerSousCurseur();
// After the chord dialog closed with OK: an empty beat under the cursor that now carries a chord
// takes the diagram's frets as its notes (the input slot becomes a used beat); a diagram that plays
// no string makes it a rest carrying the chord. The beat is played when listening. True when filled.
bool RemplirNotesAccord();
void ValiderSiPossible();
void MesurePrecedenteSiPossible();
void MesureSuivanteSiPossible();

// Makes `piste` the current track: cursor on beat 1, string 1, the edit zone redrawn, undo and
// cancel-measure dropped, the score view refreshed. The callers go on with their own refreshes.
void SwitchToTrack(int piste);

// Writes a fret into a note: a string that held no note takes the default dynamic, a note already
// there keeps its own.
struct TNote;
void PoserFrette(TNote& note, int frette);

// The value a fret digit gives: `pendant` says a first digit is waiting, `fretteActuelle` is the
// note's fret (that digit, or no note), `fretteMax` the track's highest fret. Returns the fret and
// sets `pendantApres` when the result can still take a second digit.
int FretteSaisie(int chiffre, bool pendant, int fretteActuelle, int fretteMax, bool& pendantApres);
