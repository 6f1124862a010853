// The beat-length sum the beam cutting runs on: its range, its bounds and its width.
#include <gtest/gtest.h>

#include <cstdint>

#include "song/Rythme.h"
#include "song/Song.h"

TEST(Rythme, SommeDureesOverARangeOfBeats) {
  TMesure m;
  m.Temps[2][1].Duree = 240;
  m.Temps[2][2].Duree = 120;
  m.Temps[2][3].Duree = 960;
  m.Temps[2][0].Duree = 7;  // slot 0 is no beat
  m.Temps[3][1].Duree = INT32_MAX;  // damaged lengths, as a file may hold them
  m.Temps[3][2].Duree = INT32_MAX;
  struct Cas {
    const char* nom;
    int piste, debut, fin;
    int64_t somme;
  } cas[] = {
      {"three beats", 2, 1, 3, 1320},
      {"one beat", 2, 2, 2, 120},
      {"end before start", 2, 3, 2, 0},
      {"start before beat 1", 2, -4, 1, 240},
      // Slots never written read as the blank beat, a quarter.
      {"end past the last slot", 2, 3, NB_SLOTS_TEMPS + 9, 960 + int64_t{TICKS_NOIRE} * (NB_SLOTS_TEMPS - 3)},
      {"no overflow", 3, 1, 2, int64_t{INT32_MAX} * 2},
      {"track past the last", NB_PISTES + 1, 1, 3, 0},
      {"negative track", -1, 1, 3, 0},
  };
  for (const Cas& c : cas) EXPECT_EQ(SommeDurees(m, c.piste, c.debut, c.fin), c.somme) << c.nom;
}
