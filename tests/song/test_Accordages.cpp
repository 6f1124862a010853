#include <gtest/gtest.h>

#include "song/Accordages.h"

// Applying any preset to a track and looking the track up again finds that preset, or an earlier
// one with the same strings and pitches: the list always shows a preset equal to the tuning.
TEST(Accordages, EveryPresetIsFoundAfterItIsApplied) {
  for (int i = 0; i < NbAccordages; ++i) {
    int32_t nb = 6;
    int32_t accordage[7] = {0, 1, 2, 3, 4, 5, 6};
    ASSERT_TRUE(AppliquerModele(i, nb, accordage));
    const int trouve = ChercherModele(nb, accordage);
    ASSERT_GE(trouve, 0) << i;
    EXPECT_LE(trouve, i) << i;
    EXPECT_EQ(Accordages[trouve].NbCordes, nb);
    // Slots beyond the preset's count keep what the track held.
    for (int s = nb + 1; s <= 6; ++s) EXPECT_EQ(accordage[s], s) << i;
  }
}

TEST(Accordages, LookupAndApplyCases) {
  struct Cas {
    int nb;
    int32_t accordage[7];
    int attendu;
  } cas[] = {
      {6, {0, 64, 59, 55, 50, 45, 40}, 0},   // standard, the first row
      {6, {0, 64, 59, 55, 50, 45, 41}, -1},  // one string detuned
      {5, {0, 64, 59, 55, 50, 45, 40}, -1},  // right pitches, wrong count
      {5, {0, 43, 38, 33, 28, 23, 0}, 23},   // five-string bass
      {5, {0, 62, 59, 55, 50, 67, 0}, 25},   // banjo: the drone on the lowest slot
      {4, {0, 76, 69, 62, 55, 0, 0}, 30},
  };
  for (const Cas& c : cas) EXPECT_EQ(ChercherModele(c.nb, c.accordage), c.attendu) << c.accordage[1];

  int32_t nb = 4;
  int32_t accordage[7] = {};
  EXPECT_FALSE(AppliquerModele(-1, nb, accordage));
  EXPECT_FALSE(AppliquerModele(NbAccordages, nb, accordage));
  EXPECT_EQ(nb, 4);
  nb = 6;
  ASSERT_TRUE(AppliquerModele(23, nb, accordage));  // "Bass 5 strings" on a six-string track
  EXPECT_EQ(nb, 5);
  EXPECT_EQ(accordage[1], 43);
  EXPECT_EQ(accordage[5], 23);
}

TEST(Accordages, DefaultTuningsAndNoteNames) {
  int32_t a[7] = {};
  AccordageParDefaut(4, a);
  EXPECT_EQ(a[1], 43);
  EXPECT_EQ(a[4], 28);
  AccordageParDefaut(6, a);
  EXPECT_EQ(ChercherModele(6, a), 0);
  AccordageParDefaut(5, a);
  EXPECT_EQ(ChercherModele(5, a), 23);

  const std::pair<int, const char*> noms[] = {{64, "E5"}, {40, "E3"}, {49, "C#4"}, {0, "C0"}, {119, "B9"}, {63, "D#5"},
                                                {-7, "F-1"}, {-12, "C-1"}, {-13, "B-2"}};
  for (auto [p, nom] : noms) EXPECT_EQ(NomNoteCorde(p), QString::fromLatin1(nom));
}
