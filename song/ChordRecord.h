#pragma once
// The chord record: spelling, theory (root, type, extension, alterations, bass), name and
// diagram (six frets, up to two barres). Arrays are 1-based as the chord code indexes them;
// slot 0 is unused. A beat owns its own copy; the chord engine works on it.
#include <cstdint>

#include "platform/Types.h"

struct TAccord {
  uint8_t Diese = 1;           // 1 sharps, 0 flats
  int32_t Fondamentale = 12;   // root pitch class 0..11, 12 = user-defined chord
  int32_t Typ = 0;             // chord type 0..14
  int32_t NeufOnzeTreize = 0;  // extension: 0 none, 1 ninth, 2 eleventh, 3 thirteenth
  int32_t Basse = 0;           // bass pitch class 0..11, -1 none
  int32_t DimAug = 0;          // alteration of the extension: 0 none, 1 lowered, 2 raised
  uint8_t Add = 0;             // the extension is an added note
  ShortString<20> Nom;         // chord name
  int32_t Quinte = 0;          // fifth: 0 natural, 1 lowered, 2 raised
  int32_t Neuf = 0;            // ninth: 0 natural, 1 lowered, 2 raised
  int32_t Onze = 0;            // eleventh: 0 natural, 1 lowered, 2 raised
  int32_t FretteBase = 1;      // first fret shown by the diagram, 1..20
  int32_t Frettes[7] = {-1, -1, -1, -1, -1, -1, -1};  // [1..6], string 1 first; -1 not played
  int32_t NbBarres = 0;        // 0..2
  int32_t FretteBarre[3] = {};
  int32_t CordeDebutBarre[3] = {};
  int32_t CordeFinBarre[3] = {};
  uint8_t Degres[8] = {1, 1, 1, 1, 1, 1, 1, 1};  // [1..7] degrees 1,3,5,7,9,11,13: 1 omitted, 0 kept

  bool operator==(const TAccord&) const = default;
};
