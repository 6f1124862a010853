// Beat commands and the input slot.
#include "EditFixture.h"

using BeatTest = EditTest;

TEST_F(BeatTest, TwelveTripletEighthsFillFourFourExactly) {
  RaccourcirDuree();  // the input slot offers an eighth
  BasculerTriolet();  // ... as the start of a triplet group
  ASSERT_EQ(B(1).Duree, 160);
  for (int i = 0; i < 12; ++i) {
    Append(5);
    EXPECT_EQ(B(i + 1).PlaceTriolet, i % 3 + 1) << "beat " << i + 1;
  }
  EXPECT_EQ(N(), 12);
  EXPECT_EQ(DureeMesureEnTicks(1, 1), 1920);
  EXPECT_EQ(DureeMesureEnNoires(1, 1), 4.0);
  EXPECT_TRUE(MesureComplete(1, 1));
  // The input slot after a place-3 beat starts a new group.
  EXPECT_EQ(B(13).Triolet, 1);
  EXPECT_EQ(B(13).PlaceTriolet, 1);
  EXPECT_EQ(B(13).Duree, 160);
  EXPECT_EQ(B(13).Notes[1].Frette, FRETTE_AUCUNE);
}

TEST_F(BeatTest, HalvingAndDoublingFollowTheCodes) {
  Fill(1, 0);
  Curseur.Temps = 1;
  RaccourcirDuree();
  EXPECT_EQ(B(1).Duree, 240);
  EXPECT_EQ(B(1).CodeDuree, 1);

  B(1).Pointee = 1;
  B(1).Duree = 360;
  RaccourcirDuree();
  EXPECT_EQ(B(1).Duree, 180);
  EXPECT_EQ(B(1).CodeDuree, 2);

  // A triplet sixteenth cannot be halved again.
  B(1) = TTemps();
  B(1).Notes[1].Frette = 0;
  B(1).CodeDuree = 1;
  B(1).Duree = 240;
  BasculerTriolet();
  RaccourcirDuree();
  EXPECT_EQ(B(1).Duree, 80);
  EXPECT_EQ(B(1).CodeDuree, 2);
  RaccourcirDuree();
  EXPECT_EQ(B(1).Duree, 80);

  // Doubling: a dotted half is refused, a plain half becomes a whole, a whole stays.
  B(1) = TTemps();
  B(1).CodeDuree = -1;
  B(1).Duree = 1440;
  B(1).Pointee = 1;
  AllongerDuree();
  EXPECT_EQ(B(1).Duree, 1440);
  B(1).Pointee = 0;
  B(1).Duree = 960;
  AllongerDuree();
  EXPECT_EQ(B(1).Duree, 1920);
  EXPECT_EQ(B(1).CodeDuree, -2);
  AllongerDuree();
  EXPECT_EQ(B(1).Duree, 1920);
}

TEST_F(BeatTest, LengtheningATripletChangesItsWholeGroup) {
  Fill(3, 0);
  Curseur.Temps = 1;
  BasculerTriolet();
  for (int b = 1; b <= 3; ++b) EXPECT_EQ(B(b).Duree, 320);
  Curseur.Temps = 2;
  RaccourcirDuree();
  for (int b = 1; b <= 3; ++b) {
    EXPECT_EQ(B(b).Duree, 160);
    EXPECT_EQ(B(b).CodeDuree, 1);
  }
  Curseur.Temps = 3;
  BasculerTriolet();  // dissolves the group from its last beat
  for (int b = 1; b <= 3; ++b) {
    EXPECT_EQ(B(b).Triolet, 0);
    EXPECT_EQ(B(b).Duree, 240);
  }
}

TEST_F(BeatTest, TripletRefusals) {
  Fill(1, 0);
  B(1).Pointee = 1;
  B(1).Duree = 720;
  Curseur.Temps = 1;
  BasculerTriolet();
  EXPECT_EQ(B(1).Triolet, 0);
  EXPECT_EQ(B(1).Duree, 720);

  // No group may start on beat 63 or 64.
  Fill(62, 2);
  for (int c : {63, 64}) {
    if (c == 64) Fill(63, 2);
    Curseur.Temps = c;
    BasculerTriolet();
    EXPECT_EQ(B(c).Triolet, 0) << "beat " << c;
  }
  Fill(64, 2);
  Curseur.Temps = 64;
  BasculerTriolet();
  EXPECT_EQ(B(64).Triolet, 0);
  Curseur.Temps = 62;
  BasculerTriolet();
  EXPECT_EQ(B(62).Triolet, 1);
  EXPECT_EQ(B(64).PlaceTriolet, 3);
}

TEST_F(BeatTest, TripletGroupStartNeverBeforeBeatOne) {
  // A place read from a file says beat 1 is the third of its group.
  PisteCourante = 2;
  Fill(2, 0);
  B(1).Triolet = 1;
  B(1).PlaceTriolet = 3;
  B(1).Duree = 320;
  TTemps before = M().Temps[1][NB_SLOTS_TEMPS];
  TTemps slot0 = M().Temps[2][0];
  Curseur.Temps = 1;
  BasculerTriolet();
  EXPECT_EQ(B(1).Triolet, 0);
  EXPECT_EQ(B(1).Duree, 480);
  EXPECT_EQ(B(2).Duree, 480);
  EXPECT_EQ(M().Temps[1][NB_SLOTS_TEMPS].Duree, before.Duree);
  EXPECT_EQ(M().Temps[2][0].Duree, slot0.Duree);
  EXPECT_EQ(M().Temps[2][0].Triolet, slot0.Triolet);
}

TEST_F(BeatTest, InsertRefusedInsideAGroupAndWhenFull) {
  Fill(3, 0);
  Curseur.Temps = 1;
  BasculerTriolet();
  Curseur.Temps = 2;
  InsererTemps();
  EXPECT_EQ(N(), 3);
  Curseur.Temps = 1;  // before the group is fine
  B(1).AvecAccord = 1;
  B(1).Accord.emplace().Nom = "Am";
  InsererTemps();
  ASSERT_EQ(N(), 4);
  EXPECT_EQ(B(1).Silence, 1);
  EXPECT_EQ(B(1).Duree, 480);
  EXPECT_EQ(B(1).AvecAccord, 0);
  EXPECT_FALSE(B(1).Accord);
  ASSERT_TRUE(B(2).Accord);
  EXPECT_EQ(B(2).Accord->Nom.str(), "Am");
  EXPECT_EQ(B(2).PlaceTriolet, 1);
  EXPECT_EQ(B(4).PlaceTriolet, 3);
  EXPECT_EQ(B(5).Notes[1].Frette, FRETTE_AUCUNE);  // input slot

  Fill(64, 3);
  Curseur.Temps = 10;
  InsererTemps();
  EXPECT_EQ(N(), 64);
  Curseur.Temps = 65;  // never reachable, but refused all the same
  InsererTemps();
  EXPECT_EQ(N(), 64);
}

TEST_F(BeatTest, DeletingTheOnlyBeatLeavesABlankQuarterSlot) {
  RaccourcirDuree();
  Append(7);
  ASSERT_EQ(B(1).Duree, 240);
  Curseur.Temps = 1;
  SupprimerTemps();
  EXPECT_EQ(N(), 0);
  EXPECT_EQ(B(1).Duree, 480);
  EXPECT_EQ(B(1).CodeDuree, 0);
  EXPECT_EQ(B(1).Notes[1].Frette, FRETTE_AUCUNE);
}

TEST_F(BeatTest, DeletingABeatTakesItsTiedFollowers) {
  Fill(5, 1);
  B(2).Lie = 1;
  B(3).Lie = 1;
  B(4).Notes[1].Frette = 9;
  Curseur.Temps = 1;
  TempsSupprimeLie = B(1).Lie;
  SupprimerTemps();
  EXPECT_EQ(N(), 2);
  EXPECT_EQ(B(1).Notes[1].Frette, 9);
  // One command, one undo step: the whole run comes back.
  AnnulerModification();
  EXPECT_EQ(N(), 5);
  EXPECT_EQ(B(3).Lie, 1);

  // Deleting a tied beat deletes it alone.
  Curseur.Temps = 2;
  TempsSupprimeLie = B(2).Lie;
  SupprimerTemps();
  EXPECT_EQ(N(), 4);
  EXPECT_EQ(B(2).Lie, 1);
}

TEST_F(BeatTest, DeletingATripletDissolvesItsGroup) {
  Fill(4, 1);
  Curseur.Temps = 1;
  BasculerTriolet();
  Curseur.Temps = 2;
  SupprimerTemps();
  EXPECT_EQ(N(), 3);
  EXPECT_EQ(B(1).Triolet, 0);
  EXPECT_EQ(B(1).Duree, 240);
  EXPECT_EQ(B(2).Triolet, 0);
  EXPECT_EQ(B(2).Duree, 240);
}

TEST_F(BeatTest, UndoAfterDeletingAChordBeatRestoresItsOwnRecord) {
  Fill(2, 0);
  B(1).AvecAccord = 1;
  B(1).Accord.emplace().Nom = "G7";
  B(1).MixTable.emplace().Tempo = 80;
  Curseur.Temps = 1;
  SupprimerTemps();
  EXPECT_EQ(N(), 1);
  AnnulerModification();
  ASSERT_EQ(N(), 2);
  ASSERT_TRUE(B(1).Accord);
  EXPECT_EQ(B(1).Accord->Nom.str(), "G7");
  EXPECT_EQ(B(1).MixTable->Tempo, 80);
  EXPECT_NE(B(1).Accord.get(), MesureAnnuler.Temps[1][1].Accord.get());
}

TEST_F(BeatTest, CopyToEnd) {
  Fill(2, 0);
  B(1).AvecAccord = 1;
  B(1).Accord.emplace().Nom = "C";
  Curseur.Temps = 1;
  CopierTempsFin();
  ASSERT_EQ(N(), 3);
  ASSERT_TRUE(B(3).Accord);
  B(3).Accord->Nom = "D";
  EXPECT_EQ(B(1).Accord->Nom.str(), "C");
  EXPECT_EQ(Curseur.Temps, 2);

  // A triplet copies its whole group; the cursor goes after the source group.
  Fill(4, 1);
  Curseur.Temps = 2;
  BasculerTriolet();
  Curseur.Temps = 3;
  CopierTempsFin();
  ASSERT_EQ(N(), 7);
  EXPECT_EQ(B(5).PlaceTriolet, 1);
  EXPECT_EQ(B(7).PlaceTriolet, 3);
  EXPECT_EQ(Curseur.Temps, 5);
  EXPECT_EQ(B(8).PlaceTriolet, 1);  // the input slot after place 3 starts a new group
  EXPECT_EQ(DureeMesureEnTicks(1, 1), 240 + 6 * 160);

  // Refused when the track ends inside an open group.
  Fill(2, 1);
  Curseur.Temps = 2;
  BasculerTriolet();
  Curseur.Temps = 1;
  CopierTempsFin();
  EXPECT_EQ(N(), 2);
}

TEST_F(BeatTest, RestAndTie) {
  Fill(3, 1);
  B(2).Pointee = 1;
  B(2).Duree = 360;
  B(2).Notes[1].Effet = 5;
  Curseur.Temps = 2;
  PoserSilence();
  EXPECT_EQ(B(2).Silence, 1);
  EXPECT_EQ(B(2).Pointee, 0);
  EXPECT_EQ(B(2).Duree, 240);
  EXPECT_EQ(B(2).Notes[1].Frette, FRETTE_AUCUNE);
  EXPECT_EQ(B(2).Notes[1].Effet, 0);

  // A rest on the input slot makes it a used beat.
  Curseur.Temps = 4;
  PoserSilence();
  EXPECT_EQ(N(), 4);

  // Tie on the input slot, then untie the last beat: it becomes the input slot again.
  Curseur.Temps = 5;
  B(5).Lie = 1;
  AppliquerLiaison();
  EXPECT_EQ(N(), 5);
  EXPECT_EQ(B(6).Lie, 0);
  B(5).Lie = 0;
  AppliquerLiaison();
  EXPECT_EQ(N(), 4);
  EXPECT_EQ(B(5).Lie, 0);
  EXPECT_EQ(B(5).Duree, B(4).Duree);

  // Untying an inner beat leaves a rest.
  Curseur.Temps = 3;
  B(3).Lie = 1;
  AppliquerLiaison();
  EXPECT_EQ(B(3).Notes[1].Frette, FRETTE_AUCUNE);
  B(3).Lie = 0;
  AppliquerLiaison();
  EXPECT_EQ(B(3).Silence, 1);
  EXPECT_EQ(N(), 4);

  // The first beat of the song cannot be tied.
  bool coche = true;
  vue.OnSetTieChecked = [&](bool c) { coche = c; };
  Curseur.Temps = 1;
  B(1).Lie = 1;
  AppliquerLiaison();
  EXPECT_EQ(B(1).Lie, 0);
  EXPECT_FALSE(coche);
}

TEST_F(BeatTest, InputSlotNearTheEndIsNoOpenGroup) {
  Fill(62, 2);
  Curseur.Temps = 62;
  B(62).Triolet = 1;
  B(62).PlaceTriolet = 3;
  B(62).Duree = 80;
  Curseur.Temps = 63;
  PreparerTempsSaisie();
  // A new group at beat 63 could not be finished before beat 64.
  EXPECT_EQ(B(63).Triolet, 0);
  EXPECT_EQ(B(63).Duree, 120);
  B(62).PlaceTriolet = 1;
  PreparerTempsSaisie();
  EXPECT_EQ(B(63).Triolet, 1);
  EXPECT_EQ(B(63).PlaceTriolet, 2);
}

