#pragma once
// The note, effect and dynamics edits of the beat or note under the cursor, and the few that run
// over a range (let ring). Each takes the undo copy before it writes and redraws what it changed;
// the windows decide values and play the beat afterwards.
#include <QString>
#include <cstdint>

class cTableMixEvent;
struct TNote;

// Ticks the duration commands give: the whole note ignores both flags, the thirty-second and
// sixty-fourth ignore the triplet flag, and triplet wins over dotted.
int32_t DureeCommande(int code, bool pointee, bool triolet);
// A duration command on the beat under the cursor (code -2 whole .. 4 sixty-fourth); a beat of a
// triplet group passes its new value to the group.
void PoserDuree(int code);

// The note under the cursor (string Curseur.Corde of the beat under the cursor).
TNote& NoteCourante();

// Note effect code (1 hammer-on .. 7 let ring) set, or removed when poser is false.
void PoserEffetNote(int code, bool poser);
// Bend (5) or bend and release (6) with its amount in tones, written together.
void PoserBend(int code, double quantite);
// Beat effect (1 .. 9) set or removed.
void PoserEffetTemps(int code, bool poser);
// Tremolo-bar dip with its depth.
void PoserCoupVibrato(double quantite);
// Redraw after an effect: the whole beat when a window asked for it, else the effect rows.
void RedessinerEffetsCourants();

// The dynamic (1 ppp .. 8 fff) of the note under the cursor, and with `accord` of every string of
// the beat that holds a note.
void PoserNuance(int nuance, bool accord);
// Dynamics the ghost-note command gives: mezzo piano on, forte off.
constexpr int NUANCE_FANTOME = 4, NUANCE_NON_FANTOME = 6;

// Strum lengths are note values 1, 2, 4, 8, 16, 32; anything else reads as 4.
int VitesseBrushValide(int vitesse);
// The strum of the beat under the cursor: direction 0 none, 1 up, 2 down (no undo copy: the
// command takes it before the dialog previews).
void EcrireBrush(int direction, int vitesse);

// The grace note of the note under the cursor: a fret (100 dead note), a length code 1..3 and a
// dynamic 1..8. A length or dynamic out of range takes the default length and the note's own
// dynamic. No undo copy (the command takes it before the dialog previews).
void EcrireGraceNote(int frette, int duree, int nuance);
void RetirerGraceNote();
// The grace length a new grace note starts with (the stored choice, else 2).
int DureeGraceParDefaut();

// Annotation of the beat under the cursor (at most 40 characters kept).
void EcrireTexte(const QString& texte);

// Mix-table change of the beat under the cursor: undo copy, then the change written, or removed
// when `mix` is null or changes nothing.
void EcrireTableMix(const cTableMixEvent* mix);
// Slider positions 0..20 and MIDI values 0..127, rounded halves to even.
int CurseurVersMidi(int position);
int MidiVersCurseur(int valeur);

// Let ring over measures premiere..derniere of the current track: for each string s (1..6) with
// choix[s] 1 (yes) or 2 (no), notes whose effect is none or let ring get let ring or none; other
// effects stay. Returns the number of notes changed.
enum { LETRING_IGNORER = 0, LETRING_OUI = 1, LETRING_NON = 2 };
int AppliquerLetRing(int premiere, int derniere, const int choix[7]);
