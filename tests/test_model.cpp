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
