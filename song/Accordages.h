#pragma once
// The built-in tuning presets and the note names of open strings. Pure data: the properties
// dialog and the MIDI-import track selection both list, apply and recognise these presets.
#include <QString>
#include <cstdint>

struct TAccordage {
  const char* Nom;                // at most 51 characters
  int32_t NbCordes;               // 4..6
  int32_t Notes[6 + 1];           // MIDI pitches, slot 1 = highest string; an n-string preset
                                  // fills slots 7-n..6 and leaves the others 0
};

constexpr int NbAccordages = 31;
extern const TAccordage Accordages[NbAccordages];

// Index of the first preset of `nbCordes` strings whose pitches equal the track's tuning
// (accordage[1..nbCordes], slot 1 = highest string); -1 when none does.
int ChercherModele(int nbCordes, const int32_t accordage[]);
// Gives the track the preset's string count and pitches (slots 1..n); slots beyond n are left
// as they were. False for an index outside the table.
bool AppliquerModele(int index, int32_t& nbCordes, int32_t accordage[]);
// The tuning a track gets when its string count is set by hand: 6 strings 64 59 55 50 45 40,
// 5 strings 43 38 33 28 23, 4 strings 43 38 33 28 (slot 1 first).
void AccordageParDefaut(int nbCordes, int32_t accordage[]);
// "E5" for 64, "C#4" for 49: the name of p mod 12 followed by p / 12 (rounded down: "C-1" for -12).
QString NomNoteCorde(int hauteur);
