// The measure clipboard, insert, clear, signatures and repeat marks.
#include "EditFixture.h"
#include "editor/EditionMesures.h"

namespace {

class EditionMesuresTest : public EditTest {
 protected:
  void SetUp() override {
    EditTest::SetUp();
    for (auto& c : MesuresCopiees) c.reset();
    NbMesuresCopiees = 0;
    PisteCopiee = 0;
    PressePapierPlein = 0;
  }
  void TearDown() override {
    for (auto& c : MesuresCopiees) c.reset();
    NbMesuresCopiees = 0;
    PressePapierPlein = 0;
    EditTest::TearDown();
  }
  // Measure m of track `piste` holds n beats whose fret on string 1 is m.
  static void Mark(int m, int piste = 1, int n = 2) {
    M(m).NbTemps[piste] = n;
    for (int b = 1; b <= n; ++b) {
      TempsNoireVide(M(m).Temps[piste][b]);
      M(m).Temps[piste][b].Notes[1].Frette = static_cast<int8_t>(m % 100);
    }
    PreparerTempsSaisiePiste(piste, m);
  }
};

TEST_F(EditionMesuresTest, NumeroRenvoiWalksBackToTheRepeat) {
  struct Cas {
    const char* quoi;
    void (*marquer)();
    int mesure, attendu;
  } cas[] = {
      {"ending 1 with repeat-close just before", [] {
         M(4).RenvoiDebut = 1;
         M(6).Repetition = 1;
         M(6).NumRepetition = 1;
         M(6).RenvoiFin = 1;
       }, 7, 2},
      {"a repeat-close further back ends the walk", [] { M(2).RenvoiFin = 1; }, 4, 1},
      {"an ending that also opens a repeat does not count", [] {
         M(5).Repetition = 1;
         M(5).NumRepetition = 3;
         M(5).RenvoiDebut = 1;
       }, 7, 1},
      {"measure 1", [] {}, 1, 1},
  };
  for (const Cas& c : cas) {
    NouvellePartition();
    AddMeasures(8);
    c.marquer();
    EXPECT_EQ(NumeroRenvoi(c.mesure), c.attendu) << c.quoi;
  }
  // In the first layout a repeat-close on measure 6 asks for no count and is played once.
  NouvellePartition();
  AddMeasures(8);
  cas[0].marquer();
  M(6).RenvoiFin = 0;
  Partition.MesureCourante = 6;
  EXPECT_TRUE(RenvoiFinDansRepetition());
  Partition.MesureCourante = 3;
  EXPECT_FALSE(RenvoiFinDansRepetition());
}

TEST_F(EditionMesuresTest, CutRemovesMeasuresForAllTracksAndEmptiesOneTrack) {
  AddMeasures(5);
  M(1).Numerateur = 3;
  M(1).Duree = 3.0;
  for (int m = 1; m <= 5; ++m) Mark(m, 1), Mark(m, 2);

  // One track: the measures and the other tracks stay.
  ASSERT_TRUE(CouperMesures(2, 3, 1));
  EXPECT_EQ(Partition.NbMesures, 5);
  EXPECT_EQ(N(1, 2), 0);
  EXPECT_EQ(N(2, 2), 2);
  EXPECT_EQ(B(1, 1, 2).Notes[1].Frette, FRETTE_AUCUNE);  // the emptied track has its blank input slot
  EXPECT_EQ(NbMesuresCopiees, 2);
  EXPECT_EQ(PisteCopiee, 1);

  // All tracks: the measures go, the later ones move down.
  Partition.MesureCourante = 5;
  ASSERT_TRUE(CouperMesures(2, 3, 0));
  EXPECT_EQ(Partition.NbMesures, 3);
  EXPECT_EQ(B(1, 2, 2).Notes[1].Frette, 4);
  EXPECT_EQ(Partition.MesureCourante, 3);

  // Every measure: one empty measure with measure 1's signature is left.
  ASSERT_TRUE(CouperMesures(1, 3, 0));
  EXPECT_EQ(Partition.NbMesures, 1);
  EXPECT_EQ(M(1).Numerateur, 3);
  EXPECT_DOUBLE_EQ(M(1).Duree, 3.0);
  for (int p = 1; p <= NB_PISTES; ++p) EXPECT_EQ(N(p, 1), 0);
  EXPECT_EQ(B(1, 1, 1).Notes[1].Frette, FRETTE_AUCUNE);
  EXPECT_FALSE(CouperMesures(1, 2, 0));  // past the end
}

TEST_F(EditionMesuresTest, PastePlacesAppendsAndPreparesTheInputSlot) {
  AddMeasures(10);
  for (int m = 1; m <= 10; ++m) Mark(m, 1), Mark(m, 3);

  // All tracks, 2 measures, 3 times at the end: 6 measures appended.
  ASSERT_TRUE(PrendrePressePapier(1, 2, 0));
  ASSERT_TRUE(CollerMesures(3, PlacementCollage::Fin));
  EXPECT_EQ(Partition.NbMesures, 16);
  EXPECT_EQ(B(1, 3, 15).Notes[1].Frette, 1);
  EXPECT_EQ(B(1, 3, 16).Notes[1].Frette, 2);

  // One track, 4 measures at measure 9 of a 10-measure song: 2 appended, holding input slots only.
  NouvellePartition();
  AddMeasures(10);
  for (int m = 1; m <= 10; ++m) Mark(m, 1, 3), Mark(m, 2, 3);
  ASSERT_TRUE(PrendrePressePapier(1, 4, 1));
  PisteCourante = 2;
  Partition.MesureCourante = 9;
  B(3, 2, 9).Notes[4].Frette = 7;  // stands where the pasted track's input slot will be
  M(9).NbTemps[2] = 2;
  MesuresCopiees[0]->NbTemps[1] = 2;
  ASSERT_TRUE(CollerMesures(1, PlacementCollage::Remplacer));
  EXPECT_EQ(Partition.NbMesures, 12);
  EXPECT_EQ(N(2, 9), 2);
  EXPECT_EQ(B(3, 2, 9).Notes[4].Frette, FRETTE_AUCUNE);
  EXPECT_EQ(B(3, 2, 9).Duree, TICKS_NOIRE);
  EXPECT_EQ(N(2, 12), 3);
  EXPECT_EQ(B(1, 2, 12).Notes[1].Frette, 4);
  EXPECT_EQ(N(1, 9), 3);   // the other tracks of measure 9 stay
  EXPECT_EQ(N(1, 12), 0);  // and of the new measures hold their slot only
  EXPECT_EQ(B(1, 1, 12).Notes[1].Frette, FRETTE_AUCUNE);
}

TEST_F(EditionMesuresTest, RefusedPastesAndInsertsLeaveTheSong) {
  AddMeasures(3);
  Mark(2, PISTE_PERCUSSION);
  ASSERT_TRUE(PrendrePressePapier(2, 2, PISTE_PERCUSSION));
  PisteCourante = 3;
  EXPECT_EQ(RefusCollage(), "Paste-ImpossibleCollerDepuisPercussions");
  EXPECT_FALSE(CollerMesures(1, PlacementCollage::Remplacer));
  EXPECT_EQ(messages.size(), 1u);
  EXPECT_EQ(N(3, 1), 0);
  EXPECT_EQ(Partition.NbMesures, 3);

  // Past 1000 measures: refused before anything changes.
  AddMeasures(999);
  ASSERT_TRUE(PrendrePressePapier(1, 3, 0));
  for (PlacementCollage p : {PlacementCollage::Fin, PlacementCollage::Inserer}) {
    EXPECT_FALSE(CollerMesures(1, p));
    EXPECT_EQ(Partition.NbMesures, 999);
  }
  Partition.MesureCourante = 998;
  EXPECT_TRUE(CollerMesures(1, PlacementCollage::Remplacer));  // reaches 1000 exactly
  EXPECT_EQ(Partition.NbMesures, 1000);
  Partition.MesureCourante = 999;
  EXPECT_FALSE(CollerMesures(1, PlacementCollage::Remplacer));
  EXPECT_FALSE(InsererMesure());
  EXPECT_EQ(Partition.NbMesures, 1000);
}

TEST_F(EditionMesuresTest, InsertClearAndSignature) {
  AddMeasures(3);
  M(1).Numerateur = 6;
  M(1).Denominateur = 8;
  M(1).Duree = 3.0;
  Mark(1);
  M(1).RenvoiDebut = 1;
  ASSERT_TRUE(InsererMesure());
  EXPECT_EQ(Partition.NbMesures, 4);
  EXPECT_EQ(N(1, 1), 0);
  EXPECT_EQ(M(1).Numerateur, 6);
  EXPECT_EQ(M(1).RenvoiDebut, 0);
  EXPECT_EQ(N(1, 2), 2);

  M(2).RenvoiFin = 1;
  ASSERT_TRUE(ViderMesures(2, 2, 0));
  EXPECT_EQ(N(1, 2), 0);
  EXPECT_EQ(M(2).RenvoiFin, 0);
  EXPECT_EQ(M(2).Numerateur, 6);

  Partition.MesureCourante = 2;
  AppliquerSignature(7, 8, true);
  EXPECT_EQ(M(1).Numerateur, 6);
  for (int m = 2; m <= 4; ++m) EXPECT_DOUBLE_EQ(M(m).Duree, 3.5);
  EXPECT_FALSE(SignatureValide(4, 3));
  EXPECT_FALSE(SignatureValide(33, 4));
}

}  // namespace
