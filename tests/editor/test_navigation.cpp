// Measure navigation, validation, undo and cancel-measure.
#include "EditFixture.h"

using NavigationTest = EditTest;

TEST_F(NavigationTest, UndoAfterTwoEditsGivesTheStateAfterTheFirst) {
  Append(3);  // first edit
  Append(5);  // second edit
  ASSERT_EQ(N(), 2);
  AnnulerModification();
  EXPECT_EQ(N(), 1);
  EXPECT_EQ(B(1).Notes[1].Frette, 3);
  EXPECT_EQ(B(2).Notes[1].Frette, FRETTE_AUCUNE);
  EXPECT_EQ(Curseur.Temps, 2);  // where the cursor was before the second edit
  EXPECT_FALSE(AnnulationPossible);
  EXPECT_TRUE(MesureEditee);  // cancel-measure stays available
  AnnulerModification();      // one level only
  EXPECT_EQ(N(), 1);
}

TEST_F(NavigationTest, NoUndoAfterValidation) {
  int refreshed = 0;
  vue.OnMesureModifiee = [&](int m) { refreshed = m; };
  Append(3);
  ValiderMesure();
  EXPECT_EQ(refreshed, 1);
  EXPECT_FALSE(AnnulationPossible);
  EXPECT_FALSE(MesureEditee);
  AnnulerModification();
  EXPECT_EQ(N(), 1);
  // Cancel-measure now goes back to the validated state.
  Append(4);
  AnnulerMesure();
  EXPECT_EQ(N(), 1);
  EXPECT_EQ(B(1).Notes[1].Frette, 3);
}

TEST_F(NavigationTest, CancelMeasureRestoresTheMeasureAsEntered) {
  Fill(2, 0);
  MesureOrigine = M();
  Curseur.Temps = 2;
  Curseur.Corde = 3;
  Append(9);
  Curseur.Temps = 1;
  SupprimerTemps();
  Curseur.Temps = 1;
  PoserSilence();
  AnnulerMesure();
  EXPECT_EQ(N(), 2);
  EXPECT_EQ(B(1).Silence, 0);
  EXPECT_EQ(B(1).Notes[1].Frette, 3);
  EXPECT_EQ(B(3).Notes[1].Frette, FRETTE_AUCUNE);
  EXPECT_EQ(Curseur.Temps, 1);
  EXPECT_EQ(Curseur.Corde, 1);
  EXPECT_FALSE(MesureEditee);
  EXPECT_FALSE(AnnulationPossible);
}

TEST_F(NavigationTest, NextPastTheLastAppendsAMeasure) {
  M().Numerateur = 3;
  M().Denominateur = 8;
  M().Duree = 1.5;
  M().RenvoiDebut = 1;
  M().NbRenvois = 4;
  RaccourcirDuree();
  BasculerTriolet();
  Append(2);
  Append(2);
  ASSERT_EQ(B(2).PlaceTriolet, 2);
  Curseur.Corde = 5;
  std::vector<int> refreshed;
  vue.OnMesureModifiee = [&](int m) { refreshed.push_back(m); };
  MesureSuivante();
  ASSERT_EQ(Partition.NbMesures, 2);
  EXPECT_EQ(Partition.MesureCourante, 2);
  const TMesure& m2 = M(2);
  EXPECT_EQ(m2.Numerateur, 3);
  EXPECT_EQ(m2.Denominateur, 8);
  EXPECT_EQ(m2.Duree, 1.5);
  EXPECT_EQ(m2.RenvoiDebut, 0);
  EXPECT_EQ(m2.NbRenvois, 1);
  EXPECT_EQ(m2.NumRepetition, 1);
  EXPECT_EQ(m2.DureeRemplie[3], 0.0);
  EXPECT_EQ(m2.LargeurImp, 0.0);
  // The input slot goes on with the last value, a triplet starting a new group.
  EXPECT_EQ(m2.Temps[1][1].Duree, 160);
  EXPECT_EQ(m2.Temps[1][1].Triolet, 1);
  EXPECT_EQ(m2.Temps[1][1].PlaceTriolet, 1);
  EXPECT_EQ(m2.Temps[2][1].Duree, 480);  // only the current track is seeded
  EXPECT_EQ(Curseur.Temps, 1);
  EXPECT_EQ(Curseur.Corde, 5);
  EXPECT_EQ(refreshed, std::vector<int>{1});
  EXPECT_FALSE(MesureEditee);
  // The origin copy is the new measure.
  EXPECT_EQ(MesureOrigine.NbTemps[1], 0);

  MesurePrecedente();
  EXPECT_EQ(Curseur.Temps, 2);  // the last used beat, not the input slot
  EXPECT_EQ(Curseur.Corde, 5);
  DerniereMesure();
  EXPECT_EQ(Partition.MesureCourante, 2);
  EXPECT_EQ(Curseur.Temps, 1);  // an empty track
  PremiereMesure();
  EXPECT_EQ(Partition.MesureCourante, 1);
  EXPECT_EQ(Curseur.Temps, 1);
}

TEST_F(NavigationTest, NoMeasureBeyondOneThousand) {
  AddMeasures(NB_MESURES_MAX);
  Partition.MesureCourante = NB_MESURES_MAX;
  Append(4);
  bool touched = false;
  vue.OnUpdateTrackButton = [&](int) { touched = true; };
  vue.OnTrackButtonMarked = [&](int) { return false; };
  MesureSuivante();
  EXPECT_EQ(Partition.NbMesures, NB_MESURES_MAX);
  EXPECT_EQ(Partition.MesureCourante, NB_MESURES_MAX);
  EXPECT_EQ(messages.size(), 1u);
  EXPECT_TRUE(MesureEditee);  // nothing changed, not even the button marks
  EXPECT_FALSE(touched);
  // Right on a complete last measure is refused the same way.
  Fill(4, 0);
  Curseur.Temps = 4;
  CurseurTempsSuivant();
  EXPECT_EQ(Partition.NbMesures, NB_MESURES_MAX);
  EXPECT_EQ(messages.size(), 2u);
}


TEST_F(NavigationTest, NextIntoAnExistingMeasureSeedsOnlyAnEmptyTrack) {
  AddMeasures(3);
  Fill(2, 1);  // eighths
  ValiderMesure();
  M(3).NbTemps[1] = 1;
  M(3).Temps[1][1].Duree = 1920;
  M(3).Temps[1][1].CodeDuree = -2;
  std::vector<int> refreshed;
  vue.OnMesureModifiee = [&](int m) { refreshed.push_back(m); };
  MesureSuivante();
  EXPECT_EQ(Partition.NbMesures, 3);
  EXPECT_EQ(B(1, 1, 2).Duree, 240);
  EXPECT_EQ(B(1, 1, 2).CodeDuree, 1);
  EXPECT_TRUE(refreshed.empty());  // neither appended nor edited
  Append(4);
  MesureSuivante();
  EXPECT_EQ(refreshed, std::vector<int>{2});
  EXPECT_EQ(B(1, 1, 3).Duree, 1920);  // a track with beats keeps its own
}
