#pragma once
// Naming a fingering: every sounding string's pitch class is tried as the root, first with all the
// sounding notes, then with the lowest note taken off as a separate bass (a slash chord). Each
// reading the interval rules explain becomes a candidate, best (lowest score) first.
#include <QString>
#include <array>
#include <cstdint>
#include <vector>

#include "chords/Accord.h"

constexpr int NB_CANDIDATS_MAX = 12;

struct TCandidatAccord {
  QString Nom;  // at most 40 characters
  int32_t Basse = 0;
  int32_t Fondamentale = 12;
  int32_t Typ = 0;
  int32_t NeufOnzeTreize = 0;
  int32_t DimAug = 0;
  int32_t Quinte = 0;
  int32_t Neuf = 0;
  int32_t Onze = 0;
  bool Add = false;
  uint8_t Degres[8] = {1, 1, 1, 1, 1, 1, 1, 1};  // [1..7] as TAccord.Degres: 1 omitted
  std::array<bool, 7> Omis{};  // degrees 1, 3, 5, 7, 9, 11, 13 named as omitted
  int32_t Score = 0;           // lower is better
};

// Six sounding notes, slot 1 = string 1 (the highest); -1 for a string not played. Slot 0 unused.
using TNotesAccord = std::array<int, 7>;

// The notes a chord's frets sound on a tuning (accordage[1..nbCordes], string 1 first). Strings
// beyond the track's string count never sound.
TNotesAccord NotesAccord(const TAccord& accord, const int32_t* accordage, int nbCordes);

// Every reading of the notes, sorted by score then by name length. `diese` spells the names.
std::vector<TCandidatAccord> ReconnaitreAccord(const TNotesAccord& notes, bool diese);

int32_t ScoreAccord(const TCandidatAccord& c);
