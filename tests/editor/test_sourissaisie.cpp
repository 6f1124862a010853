#include <gtest/gtest.h>

#include <vector>

#include "song/Song.h"
#include "editor/state/EtatEdition.h"
#include "editor/state/EtatProgramme.h"
#include "editor/Saisie.h"
#include "editor/state/Partition.h"
#include "editor/SourisSaisie.h"
#include "settings/Config.h"
#include "VueFactice.h"

namespace {
class FretteTurbo : public ::testing::Test {
 protected:
  void SetUp() override {
    NouvellePartition();
    PisteCourante = 1;
    Curseur.Temps = 1;
    Curseur.Corde = 3;
    Configuration.DefaultDynamic = 5;
  }
  TVueFactice vue;
  TMesure& M() { return *Partition.Mesures[1]; }
};
}  // namespace

TEST(FretMenu, ItemNamesAndColumns) {
  EXPECT_EQ(FretteItemTurbo("Turbo00"), 0);
  EXPECT_EQ(FretteItemTurbo("Turbo07"), 7);
  EXPECT_EQ(FretteItemTurbo("Turbo24"), 24);
  EXPECT_EQ(FretteItemTurbo("Turbo"), -1);
  EXPECT_EQ(FretteItemTurbo("TurboX1"), -1);
  EXPECT_EQ(ColonneTurbo(8), 0);
  EXPECT_EQ(ColonneTurbo(9), 1);
  EXPECT_EQ(ColonneTurbo(17), 1);
  EXPECT_EQ(ColonneTurbo(18), 2);
  EXPECT_EQ(ColonneTurbo(24), 2);
}

TEST_F(FretteTurbo, OnTheInputSlotAddsABeatAtTheDefaultDynamic) {
  bool ecoute = true;
  vue.OnPlayWhileEntering = [&] { return ecoute; };
  MIDIDisponible = 1;
  EXPECT_TRUE(PoserFretteTurbo(7));
  EXPECT_EQ(M().NbTemps[1], 1);
  EXPECT_EQ(M().Temps[1][1].Notes[3].Frette, 7);
  EXPECT_EQ(M().Temps[1][1].Notes[3].Nuance, 5);
  EXPECT_EQ(M().Temps[1][2].Notes[3].Frette, FRETTE_AUCUNE);  // a new input slot after it
  EXPECT_EQ(M().Temps[1][2].Duree, M().Temps[1][1].Duree);
  EXPECT_TRUE(AnnulationPossible);
  EXPECT_EQ(MesureAnnuler.NbTemps[1], 0);  // the undo copy was taken before
  ecoute = false;
  EXPECT_FALSE(PoserFretteTurbo(8));
  MIDIDisponible = 0;
}

TEST_F(FretteTurbo, RestsTiesAndExistingNotes) {
  M().NbTemps[1] = 2;
  TTemps& repos = M().Temps[1][1];
  repos.Silence = 1;
  PoserFretteTurbo(3);
  EXPECT_EQ(repos.Silence, 0);
  EXPECT_EQ(repos.Notes[3].Frette, 3);

  Curseur.Temps = 2;
  TTemps& lie = M().Temps[1][2];
  lie.Lie = 1;
  lie.Notes[3].Frette = 12;
  lie.Notes[3].Nuance = 8;
  lie.Notes[3].Effet = 1;
  PoserFretteTurbo(24);
  EXPECT_EQ(lie.Lie, 0);
  EXPECT_EQ(lie.Notes[3].Frette, 24);
  EXPECT_EQ(lie.Notes[3].Nuance, 8);  // the note keeps its dynamic and effect
  EXPECT_EQ(lie.Notes[3].Effet, 1);
  EXPECT_EQ(M().NbTemps[1], 2);

  lie.Notes[3].Frette = FRETTE_MORTE;  // a dead note is replaced as any fret
  PoserFretteTurbo(0);
  EXPECT_EQ(lie.Notes[3].Frette, 0);
}

TEST(EditZoneMouse, DragRightClickAndDoubleClick) {
  cSourisSaisie s;
  std::vector<std::pair<int, int>> clics;
  int rafraichi = 0, accords = 0;
  bool accordPermis = true;
  s.Cliquer = [&](int x, int y) { clics.emplace_back(x, y); };
  s.Rafraichir = [&] { ++rafraichi; };
  s.AccordPermis = [&] { return accordPermis; };
  s.OuvrirAccord = [&] { ++accords; };

  EXPECT_FALSE(s.Appuyer(10, 20, false));
  s.Deplacer(60, 20);
  s.Deplacer(110, 34);
  s.Relacher();
  s.Deplacer(160, 34);  // no button: a plain move does nothing
  ASSERT_EQ(clics.size(), 3u);
  EXPECT_EQ(clics[2], std::make_pair(110, 34));
  EXPECT_EQ(rafraichi, 3);

  EXPECT_TRUE(s.Appuyer(50, 48, true));  // the right button opens the menu and ends the drag
  EXPECT_FALSE(s.BoutonEnfonce);
  s.Deplacer(90, 48);
  EXPECT_EQ(clics.size(), 4u);

  s.DoubleCliquer();
  EXPECT_EQ(accords, 1);
  EXPECT_FALSE(s.Appuyer(200, 48, false));  // the button-down sent with the double click
  EXPECT_EQ(clics.size(), 4u);
  EXPECT_FALSE(s.DoubleClic);
  s.Appuyer(200, 48, false);
  EXPECT_EQ(clics.size(), 5u);
  accordPermis = false;
  s.DoubleCliquer();
  EXPECT_EQ(accords, 1);
}

TEST_F(FretteTurbo, AFullTrackOrAStringTheTrackLacksChangesNothing) {
  M().NbTemps[1] = NB_TEMPS_MAX;  // as a file may leave it: the input slot stands past beat 64
  Curseur.Temps = NB_TEMPS_MAX + 1;
  AnnulationPossible = false;
  Modifie = 0;
  EXPECT_FALSE(PoserFretteTurbo(5));
  EXPECT_EQ(M().NbTemps[1], NB_TEMPS_MAX);
  EXPECT_EQ(M().Temps[1][NB_TEMPS_MAX + 1].Notes[3].Frette, FRETTE_AUCUNE);
  EXPECT_FALSE(AnnulationPossible);  // no undo copy of a change that did not happen
  EXPECT_EQ(Modifie, 0);

  M().NbTemps[1] = 0;
  Curseur.Temps = 1;
  const int32_t cordes = Partition.NbCordes[1];
  Partition.NbCordes[1] = 4;  // a bass: no fifth string
  Curseur.Corde = 5;
  EXPECT_FALSE(PoserFretteTurbo(5));
  EXPECT_EQ(M().NbTemps[1], 0);
  Curseur.Corde = 4;
  PoserFretteTurbo(5);
  EXPECT_EQ(M().Temps[1][1].Notes[4].Frette, 5);
  Partition.NbCordes[1] = cordes;
  Modifie = 0;
}
