// New song and song-wide operations.
#include "EditFixture.h"

#include "settings/Langue.h"

using SongEditTest = EditTest;

TEST(SongText, NumbersFromDialogs) {
  EXPECT_EQ(TexteEnReel("1,5"), 1.5);
  EXPECT_EQ(TexteEnReel("1.5"), 1.5);
  EXPECT_EQ(TexteEnReel(" 0,25 "), 0.25);
  EXPECT_EQ(TexteEnReel("abc"), 0.0);
  EXPECT_EQ(TexteEnReel(""), 0.0);
  for (const char* t : {"nan", "inf", "-inf", "1e999"}) EXPECT_EQ(TexteEnReel(t), 0.0) << t;
  EXPECT_EQ(TexteEnEntier("42"), 42);
  EXPECT_EQ(TexteEnEntier("-7"), -7);
  EXPECT_THROW(TexteEnEntier("4x"), ErreurConversion);
  EXPECT_THROW(TexteEnEntier("99999999999"), ErreurConversion);
  bool ok = true;
  EXPECT_EQ(TexteEnEntier("", &ok), 0);
  EXPECT_FALSE(ok);
}

TEST_F(SongEditTest, NewSongStartsFromScratch) {
  DefinirTexteLangue("Gene-Percussions", "Drums");
  Fill(5, 0);
  B(1).AvecAccord = 1;
  B(1).Accord.emplace();
  M().LargeurImp = 77;
  M().DureeRemplie[2] = 3;
  AddMeasures(4);
  Partition.Instrument[8] = 5;
  Partition.Accordage[8][1] = 30;
  NouvellePartition();
  EXPECT_EQ(Partition.NbMesures, 1);
  EXPECT_FALSE(Partition.Mesures[2]);
  for (int p = 1; p <= NB_PISTES; ++p) {
    EXPECT_EQ(N(p, 1), 0);
    EXPECT_EQ(B(1, p, 1).Duree, 480);
    EXPECT_FALSE(B(1, p, 1).Accord);
  }
  EXPECT_EQ(M(1).LargeurImp, 0.0);
  EXPECT_EQ(M(1).DureeRemplie[2], 0.0);
  EXPECT_EQ(Partition.NomPiste[8].str(), "Drums");
  EXPECT_EQ(Partition.Accordage[8][1], 0);
  EXPECT_EQ(Partition.Accordage[7][6], 40);
  EXPECT_EQ(Partition.NbFrettes[8], 99);
  EXPECT_EQ(Partition.NbFrettes[7], 24);
  EXPECT_EQ(PisteCourante, 1);
  EXPECT_EQ(Curseur.EcartTemps, 50);
}

TEST_F(SongEditTest, EmptyMeasuresAtTheEndGo) {
  AddMeasures(10);
  Partition.MesureCourante = 3;
  PisteCourante = 6;
  Fill(1);
  PisteCourante = 1;
  SupprimerMesuresVidesFin();
  EXPECT_EQ(Partition.NbMesures, 3);
  EXPECT_FALSE(Partition.Mesures[4]);
  EXPECT_EQ(Partition.MesureCourante, 3);  // not changed
  M(3).NbTemps[6] = 0;
  SupprimerMesuresVidesFin();
  EXPECT_EQ(Partition.NbMesures, 1);
  // A current measure among those dropped moves to the last one left.
  EXPECT_EQ(Partition.MesureCourante, 1);
  ASSERT_NE(Partition.Courante(), nullptr);
}

TEST_F(SongEditTest, InsertTwoEmptyMeasuresAtMeasureFive) {
  AddMeasures(10);
  for (int m = 1; m <= 10; ++m) {
    M(m).Numerateur = static_cast<uint8_t>(m);
    M(m).Duree = m;
    M(m).NbTemps[1] = 1;
    M(m).Temps[1][1].Notes[1].Frette = static_cast<int8_t>(m);
    M(m).Temps[1][1].Duree = 240;
    M(m).Temps[1][1].CodeDuree = 1;
  }
  M(5).RenvoiFin = 1;
  Partition.MesureCourante = 5;
  ASSERT_TRUE(InsererMesuresVides(2));
  EXPECT_EQ(Partition.NbMesures, 12);
  EXPECT_EQ(Partition.MesureCourante, 5);
  for (int m : {5, 6}) {
    EXPECT_EQ(N(1, m), 0);
    EXPECT_EQ(M(m).Numerateur, 5);
    EXPECT_EQ(M(m).Duree, 5.0);
    EXPECT_EQ(M(m).RenvoiFin, 0);
  }
  EXPECT_EQ(M(7).Temps[1][1].Notes[1].Frette, 5);
  EXPECT_EQ(M(7).RenvoiFin, 1);
  EXPECT_EQ(M(12).Temps[1][1].Notes[1].Frette, 10);
  EXPECT_EQ(M(4).Temps[1][1].Notes[1].Frette, 4);
  // Only the last new measure takes the duration last used in the measure after it.
  EXPECT_EQ(B(1, 1, 6).Duree, 240);
  EXPECT_EQ(B(1, 1, 5).Duree, 480);
  EXPECT_EQ(B(1, 2, 6).Duree, 480);
}

TEST_F(SongEditTest, InsertingPastOneThousandIsRefused) {
  AddMeasures(999);
  Partition.MesureCourante = 5;
  EXPECT_FALSE(InsererMesuresVides(2));
  EXPECT_EQ(Partition.NbMesures, 999);
  EXPECT_FALSE(Partition.Mesures[1000]);
  EXPECT_EQ(messages.size(), 1u);
  EXPECT_TRUE(InsererMesuresVides(1));
  EXPECT_EQ(Partition.NbMesures, 1000);
}

