// Durations, effects, dynamics, strums, grace notes, the mix table and let ring on the song.
#include "EditFixture.h"
#include "editor/EditionNotes.h"
#include "song/MixEvent.h"

namespace {

using EditionNotesTest = EditTest;

TEST_F(EditionNotesTest, DurationCommandsOnTriplets) {
  const struct { int code; int32_t triolet; } cas[] = {{-1, 640}, {0, 320}, {1, 160}, {2, 80}, {3, 60}, {4, 30}};
  for (const auto& c : cas) EXPECT_EQ(DureeCommande(c.code, false, true), c.triolet) << c.code;
  EXPECT_EQ(DureeCommande(-2, true, true), 1920);
  EXPECT_EQ(DureeCommande(0, true, false), 720);

  // A triplet eighth made a quarter takes its group along.
  Fill(3, 1);
  Curseur.Temps = 1;
  BasculerTriolet();
  Curseur.Temps = 2;
  PoserDuree(0);
  for (int b = 1; b <= 3; ++b) EXPECT_EQ(B(b).Duree, 320) << b;
}

TEST_F(EditionNotesTest, DeletingTheFirstBeatOfATieDeletesTheTiedBeats) {
  for (int premier : {1, 2}) {
    Fill(4);
    B(2).Lie = B(3).Lie = 1;
    Curseur.Temps = premier;
    TempsSupprimeLie = TempsCourant().Lie;
    SupprimerTemps();
    EXPECT_EQ(N(), premier == 1 ? 1 : 3) << premier;
  }
}

TEST_F(EditionNotesTest, UndoTakesBackBendsAndMixTableChanges) {
  Fill(1);
  NoteCourante().Bend = 1.0;
  PoserBend(5, 2.5);
  EXPECT_EQ(NoteCourante().Effet, 5);
  AnnulerModification();
  EXPECT_EQ(NoteCourante().Effet, 0);
  EXPECT_DOUBLE_EQ(NoteCourante().Bend, 1.0);

  cTableMixEvent mix;
  mix.Tempo = 90;
  EcrireTableMix(&mix);
  ASSERT_TRUE(TempsCourant().MixTable.get());
  AnnulerModification();
  EXPECT_EQ(TempsCourant().MixTable.get(), nullptr);
  EcrireTableMix(&mix);
  EcrireTableMix(nullptr);  // nothing ticked: the change goes
  EXPECT_EQ(TempsCourant().MixTable.get(), nullptr);

  const struct { int position, midi; } curseurs[] = {{20, 127}, {10, 64}, {0, 0}};
  for (const auto& c : curseurs) EXPECT_EQ(CurseurVersMidi(c.position), c.midi);
  EXPECT_EQ(MidiVersCurseur(100), 16);
}

TEST_F(EditionNotesTest, GraceNoteAndStrumDefaults) {
  Fill(1);
  NoteCourante().Nuance = 3;
  const struct { int configDuree, duree, nuance, attenduDuree, attenduNuance; } cas[] = {
      {3, 0, 0, 3, 3}, {0, 0, 0, 2, 3}, {9, 1, 7, 1, 7}};
  for (const auto& c : cas) {
    Configuration.GraceNoteDuration = c.configDuree;
    EcrireGraceNote(5, c.duree, c.nuance);
    EXPECT_EQ(NoteCourante().DureeGrace, c.attenduDuree);
    EXPECT_EQ(NoteCourante().NuanceGrace, c.attenduNuance);
  }
  Configuration.GraceNoteDuration = 2;
  for (int v : {0, 3, 64, -1}) EXPECT_EQ(VitesseBrushValide(v), 4) << v;
  for (int v : {1, 2, 4, 8, 16, 32}) EXPECT_EQ(VitesseBrushValide(v), v);
  EcrireBrush(2, 0);
  EXPECT_EQ(TempsCourant().VitesseBrush, 4);
}

TEST_F(EditionNotesTest, DynamicsOfTheNoteOrTheChord) {
  Fill(1);
  B(1).Notes[3].Frette = 5;
  B(1).Notes[2].Nuance = 2;  // no note on string 2
  PoserNuance(NUANCE_FANTOME, true);
  EXPECT_EQ(B(1).Notes[1].Nuance, 4);
  EXPECT_EQ(B(1).Notes[3].Nuance, 4);
  EXPECT_EQ(B(1).Notes[2].Nuance, 2);
  PoserNuance(8, false);
  EXPECT_EQ(B(1).Notes[1].Nuance, 8);
  EXPECT_EQ(B(1).Notes[3].Nuance, 4);
}

TEST_F(EditionNotesTest, LetRingTouchesOnlyNotesWithoutAnotherEffect) {
  AddMeasures(2);
  for (int m = 1; m <= 2; ++m) {
    Partition.MesureCourante = m;
    Fill(2);
    B(1).Notes[2].Frette = 0;
    B(2).Notes[2].Frette = 0;
  }
  Partition.MesureCourante = 1;
  B(2, 1, 2).Notes[1].Effet = 1;  // hammer-on
  B(1, 1, 1).Notes[2].Effet = 7;
  int choix[7] = {0, LETRING_OUI, LETRING_NON};
  EXPECT_EQ(AppliquerLetRing(1, 2, choix), 4);
  EXPECT_EQ(B(1, 1, 1).Notes[1].Effet, 7);
  EXPECT_EQ(B(2, 1, 2).Notes[1].Effet, 1);
  EXPECT_EQ(B(1, 1, 1).Notes[2].Effet, 0);
  EXPECT_EQ(B(1, 1, 1).Notes[3].Effet, 0);  // no note there
}

}  // namespace
