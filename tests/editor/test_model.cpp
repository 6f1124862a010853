#include <gtest/gtest.h>

#include "song/Song.h"
#include "editor/state/EtatProgramme.h"
#include "editor/Saisie.h"
#include "editor/state/Partition.h"

TEST(Model, DurationTicks) {
  EXPECT_EQ(TicksDuree(-2, false, false), 1920);
  EXPECT_EQ(TicksDuree(0, true, false), 720);
  EXPECT_EQ(TicksDuree(0, false, true), 320);
  EXPECT_EQ(TicksDuree(4, false, false), 30);
  EXPECT_EQ(TicksDuree(1, false, true), 160);
}

TEST(Model, BeatCopiesOwnTheirChordAndMixTable) {
  TTemps a;
  a.AvecAccord = 1;
  a.Accord.emplace().Nom = "C";
  a.MixTable.emplace().Tempo = 90;
  TTemps b = a;
  ASSERT_TRUE(b.Accord);
  EXPECT_NE(a.Accord.get(), b.Accord.get());
  a.Accord.reset();
  a.MixTable.reset();
  EXPECT_EQ(b.Accord->Nom.str(), "C");
  EXPECT_EQ(b.MixTable->Tempo, 90);
}

TEST(Model, NewSongDefaults) {
  NouvellePartition();
  EXPECT_EQ(Partition.NbMesures, 1);
  const TMesure& m = *Partition.Mesures[1];
  EXPECT_EQ(m.Numerateur, 4);
  EXPECT_DOUBLE_EQ(m.Duree, 4.0);
  EXPECT_EQ(Partition.Tempo, 120);
  EXPECT_EQ(Partition.Accordage[1][1], 64);
  EXPECT_EQ(Partition.Accordage[1][6], 40);
  EXPECT_EQ(Partition.NbFrettes[8], 99);
  EXPECT_EQ(Partition.Instrument[8], 0);
  EXPECT_EQ(m.Temps[3][1].Duree, 480);
  EXPECT_EQ(m.Temps[3][1].Notes[2].Frette, FRETTE_AUCUNE);
  EXPECT_EQ(Modifie, 1);
  EXPECT_EQ(Vierge, 1);
}

// ------------------------------------------------------------------ measure storage

namespace {
// The slots a track has made: the memory it takes, in beats.
int Tenus(const TBeatSlots& s) {
  int n = 0;
  for (int b = 0; b <= NB_SLOTS_TEMPS; ++b) n += s.Holds(b) ? 1 : 0;
  return n;
}
}  // namespace

TEST(Model, MeasureHoldsOnlyTheBeatsItWasGiven) {
  TMesure m;
  const TMesure& lu = m;
  for (int p = 0; p <= NB_PISTES; ++p) EXPECT_EQ(Tenus(m.Temps[p]), 0) << p;
  // Reading through a const measure makes nothing and gives the blank beat.
  EXPECT_EQ(lu.Temps[2][NB_SLOTS_TEMPS].Duree, TICKS_NOIRE);
  EXPECT_EQ(&lu.Temps[2][5], &TBeatSlots::Blank());
  EXPECT_EQ(Tenus(m.Temps[2]), 0);
  // Writing makes exactly the slot written, at either end of the range.
  struct Cas {
    int piste, temps;
  } cas[] = {{1, 1}, {1, 3}, {8, NB_SLOTS_TEMPS}, {0, 0}};
  for (const Cas& c : cas) {
    m.Temps[c.piste][c.temps].Duree = 100 + c.temps;
    EXPECT_TRUE(m.Temps[c.piste].Holds(c.temps));
    EXPECT_EQ(lu.Temps[c.piste][c.temps].Duree, 100 + c.temps);
  }
  EXPECT_EQ(Tenus(m.Temps[1]), 2);
  EXPECT_FALSE(m.Temps[1].Holds(2));
  EXPECT_FALSE(m.Temps[1].Holds(-1));
  EXPECT_FALSE(m.Temps[1].Holds(NB_SLOTS_TEMPS + 1));
  EXPECT_EQ(TBeatSlots::Blank().Duree, TICKS_NOIRE);  // the shared blank was never written
  int vus = 0;
  for (const TTemps& t : lu.Temps[1]) vus += t.Duree > 100 ? 1 : 0;
  EXPECT_EQ(vus, 2);

  // Reserving makes the missing slots of a range and leaves the made ones where they are.
  const TTemps* trois = &m.Temps[1][3];
  struct Reserve {
    int premier, dernier, tenus;
  } reserves[] = {{1, 5, 5}, {4, 9, 9}, {9, 9, 9}, {60, NB_SLOTS_TEMPS, 16}};
  for (const Reserve& r : reserves) {
    m.Temps[1].Reserve(r.premier, r.dernier);
    EXPECT_EQ(Tenus(m.Temps[1]), r.tenus) << r.premier;
    for (int b = r.premier; b <= r.dernier; ++b) EXPECT_TRUE(m.Temps[1].Holds(b)) << b;
    EXPECT_EQ(&m.Temps[1][3], trois);
    EXPECT_EQ(m.Temps[1][3].Duree, 103);
    EXPECT_EQ(m.Temps[1][2].Duree, TICKS_NOIRE);
  }
  // A copy holds what its source holds, no more.
  const TMesure copie = m;
  for (int p = 0; p <= NB_PISTES; ++p) EXPECT_EQ(Tenus(copie.Temps[p]), Tenus(m.Temps[p])) << p;
  EXPECT_FALSE(copie.Temps[1].Holds(10));
}

TEST(Model, BeatReferencesSurviveAddingAndCopying) {
  TMesure m;
  TTemps& premier = m.Temps[1][1];
  premier.Notes[1].Frette = 5;
  premier.Accord.emplace().Nom = "Em";
  const TTemps* adresses[NB_SLOTS_TEMPS + 1] = {};
  for (int b = 2; b <= NB_SLOTS_TEMPS; ++b) {
    m.Temps[1][b].Duree = b;
    adresses[b] = &m.Temps[1][b];
  }
  EXPECT_EQ(&m.Temps[1][1], &premier);
  EXPECT_EQ(premier.Notes[1].Frette, 5);

  // A copy owns its own beats and chords.
  TMesure copie = m;
  EXPECT_NE(&copie.Temps[1][1], &premier);
  EXPECT_NE(copie.Temps[1][1].Accord.get(), premier.Accord.get());
  EXPECT_EQ(copie.Temps[1][1].Accord->Nom.str(), "Em");
  EXPECT_EQ(copie.Temps[1][NB_SLOTS_TEMPS].Duree, NB_SLOTS_TEMPS);

  // Assigning over a measure (undo, paste, a new song) keeps its beats where they are; a slot the
  // source never made becomes blank.
  TMesure source;
  source.Temps[1][2].Duree = 960;
  for (int sens = 0; sens < 2; ++sens) {
    if (sens == 0)
      m = source;
    else
      m = TMesure(source);
    EXPECT_EQ(&m.Temps[1][1], &premier) << sens;
    for (int b = 2; b <= NB_SLOTS_TEMPS; ++b) ASSERT_EQ(&m.Temps[1][b], adresses[b]) << sens << " " << b;
    EXPECT_EQ(premier.Duree, TICKS_NOIRE);
    EXPECT_FALSE(premier.Accord);
    EXPECT_EQ(premier.Notes[1].Frette, FRETTE_AUCUNE);
    EXPECT_EQ(m.Temps[1][2].Duree, 960);
    EXPECT_EQ(m.Temps[1][3].Duree, TICKS_NOIRE);
  }
  EXPECT_EQ(source.Temps[1][2].Duree, 960);  // copied from, not moved from, in the first pass
}
