// Transposition, automatic fingering and the re-cut of a track into measures.
#include "editor/Assistants.h"

#include "EditFixture.h"

namespace {

class AssistantsTest : public EditTest {
 protected:
  TSuiviImport suivi;

  // A plain beat of the given code on track 1, fret on string 1 (-1: a rest).
  static void Beat(int m, int b, int fret, int code = 0, int piste = 1) {
    TTemps& t = Partition.Mesure(m)->Temps[piste][b];
    TempsNoireVide(t);
    t.CodeDuree = static_cast<int8_t>(code);
    t.Duree = TicksDuree(code, false, false);
    if (fret < 0)
      t.Silence = 1;
    else
      t.Notes[1].Frette = static_cast<int8_t>(fret);
    Partition.Mesure(m)->NbTemps[piste] = std::max(Partition.Mesure(m)->NbTemps[piste], b);
  }
  // Measure m of track 1 as quarters of the given frets.
  static void Quarters(int m, std::initializer_list<int> frets) {
    int b = 0;
    for (int f : frets) Beat(m, ++b, f);
    PreparerTempsSaisiePiste(1, m);
  }
  static int64_t Ticks(int m, int piste = 1) {
    int64_t s = 0;
    for (int b = 1; b <= Partition.Mesure(m)->NbTemps[piste]; ++b) s += Partition.Mesure(m)->Temps[piste][b].Duree;
    return s;
  }
};

// +12 on fret 20 of the highest string: a rest where no string reaches the pitch, another string
// where the tuning has one; effects, bends and grace notes go, rests and ties stay.
TEST_F(AssistantsTest, TransposeRefingersOrRests) {
  struct Cas {
    int corde2;      // open pitch of string 2
    int demitons;
    bool silence;
    int corde, frette;
  } cas[] = {
      {59, 12, true, 0, 0},   // standard tuning: 96 is beyond fret 24 everywhere
      {74, 12, false, 2, 22},  // string 2 tuned up reaches it at fret 22
      {59, 0, false, 1, 20},   // 0 re-fingers in place
      {59, -5, false, 1, 15},
  };
  for (const Cas& c : cas) {
    SCOPED_TRACE(c.corde2 * 100 + c.demitons);
    NouvellePartition();
    AddMeasures(2);
    Partition.Accordage[1][2] = c.corde2;
    Beat(1, 1, 20);
    TNote& n = Partition.Mesure(1)->Temps[1][1].Notes[1];
    n.Effet = 5;
    n.Bend = 2.0;
    n.Nuance = 3;
    n.FretteGrace = 2;
    Beat(1, 2, -1);
    Beat(1, 3, 20);
    Partition.Mesure(1)->Temps[1][3].Lie = 1;
    TransposerPiste(Partition, 1, c.demitons, suivi);
    const TTemps& t = Partition.Mesure(1)->Temps[1][1];
    EXPECT_EQ(t.Silence != 0, c.silence);
    for (int s = 1; s <= 6; ++s) {
      EXPECT_EQ(t.Notes[s].Frette, s == c.corde ? c.frette : FRETTE_AUCUNE) << s;
      EXPECT_EQ(t.Notes[s].Effet, 0);
      EXPECT_EQ(t.Notes[s].Nuance, 6);
      EXPECT_EQ(t.Notes[s].FretteGrace, FRETTE_AUCUNE);
    }
    EXPECT_TRUE(Partition.Mesure(1)->Temps[1][2].Silence);
    EXPECT_TRUE(Partition.Mesure(1)->Temps[1][3].Lie);
  }
}

// A beat whose collection finds nothing (a dead note alone) keeps its note, whatever an earlier
// pass left in its scratch pitches; a first measure past the last changes nothing.
TEST_F(AssistantsTest, StalePitchesNeverMakeRestsOrTies) {
  for (int16_t stale : {int16_t(-1), int16_t(-2)}) {
    NouvellePartition();
    Beat(1, 1, FRETTE_MORTE);
    TTemps& t = Partition.Mesure(1)->Temps[1][1];
    t.Hauteurs[1] = stale;
    t.NbHauteurs = 1;
    PlacementAutoMesures(Partition, 1, 1, 1, suivi);
    EXPECT_FALSE(t.Silence);
    EXPECT_FALSE(t.Lie);
    EXPECT_EQ(t.Notes[1].Frette, FRETTE_MORTE);
    t.Notes[1].Frette = 40;  // not a pitch any string makes from a fret of 40 within 24
    PlacementAutoMesures(Partition, 1, 2, 1, suivi);
    EXPECT_EQ(t.Notes[1].Frette, 40);
  }
  // Moved below pitch 0 (-1 or -2 as numbers) a note fits no string: a rest, never a tie.
  for (int ouvert : {11, 10}) {
    NouvellePartition();
    for (int s = 1; s <= 6; ++s) Partition.Accordage[1][s] = ouvert;
    Beat(1, 1, 0);
    TransposerPiste(Partition, 1, -12, suivi);
    EXPECT_TRUE(Partition.Mesure(1)->Temps[1][1].Silence);
    EXPECT_FALSE(Partition.Mesure(1)->Temps[1][1].Lie);
  }
}

// 4/4, measure 3 holding five quarters: the fifth opens measure 4, which ends in rests; a note
// over a bar line becomes a beat and a tied beat; signatures, repeats and the other tracks stay.
TEST_F(AssistantsTest, RecutMovesNotesAcrossBars) {
  AddMeasures(3);
  Quarters(1, {1, 2, 3});
  Beat(1, 4, 4, -1);  // a half note: crosses into measure 2
  Quarters(2, {5, 6, 7});
  Quarters(3, {8, 9, 10, 11, 12});
  Partition.Mesure(2)->RenvoiDebut = 1;
  Partition.Mesure(3)->Numerateur = 5;  // a signature stays on its measure number
  Partition.Mesure(3)->Duree = 5;
  Partition.Mesure(2)->Temps[2][1].Texte = std::string_view("other");
  Partition.Mesure(2)->NbTemps[2] = 1;
  // A rest carrying a text and a chord, tied as well: one rest.
  Beat(3, 6, -1);
  TTemps& r = Partition.Mesure(3)->Temps[1][6];
  r.Lie = 1;
  r.Texte = std::string_view("keep");
  r.AvecAccord = 1;
  r.Accord = ValuePtr<TAccord>(std::make_unique<TAccord>());
  PreparerTempsSaisiePiste(1, 3);

  ASSERT_TRUE(RedecouperPiste(suivi));
  const TMesure& m1 = *Partition.Mesure(1);
  ASSERT_EQ(m1.NbTemps[1], 4);
  EXPECT_EQ(m1.Temps[1][4].Notes[1].Frette, 4);
  EXPECT_EQ(m1.Temps[1][4].Duree, 480);
  const TMesure& m2 = *Partition.Mesure(2);
  EXPECT_TRUE(m2.Temps[1][1].Lie);
  EXPECT_EQ(m2.Temps[1][2].Notes[1].Frette, 5);
  EXPECT_EQ(m2.RenvoiDebut, 1);
  EXPECT_EQ(m2.NbTemps[2], 1);
  EXPECT_EQ(m2.Temps[2][1].Texte.view(), "other");
  const TMesure& m3 = *Partition.Mesure(3);
  EXPECT_EQ(m3.Numerateur, 5);
  EXPECT_EQ(m3.Temps[1][1].Notes[1].Frette, 8);
  EXPECT_EQ(m3.Temps[1][5].Notes[1].Frette, 12);
  ASSERT_EQ(Partition.NbMesures, 4);
  const TMesure& m4 = *Partition.Mesure(4);
  EXPECT_EQ(m4.Numerateur, 5);  // the last signature goes on
  // The tied rest counted once and kept its text and chord; the measure ends in rests.
  EXPECT_TRUE(m4.Temps[1][1].Silence);
  EXPECT_EQ(m4.Temps[1][1].Texte.view(), "keep");
  EXPECT_TRUE(m4.Temps[1][1].AvecAccord);
  for (int m = 1; m <= 4; ++m) EXPECT_EQ(Ticks(m), std::lrint(Partition.Mesure(m)->Duree * 480)) << m;
  EXPECT_EQ(m4.NbTemps[2], 0);
}

// Five quarters in a 4/4 measure 3 of three: the fifth moves to a new measure 4 filled with rests.
// A first beat that is tied or has no note is silence and never reaches outside the list.
TEST_F(AssistantsTest, RecutFillsTheEndWithRests) {
  AddMeasures(3);
  Quarters(1, {1, 2, 3, 4});
  Beat(1, 1, 1);
  Partition.Mesure(1)->Temps[1][1].Lie = 1;
  Quarters(2, {5, 6, 7, 8});
  Quarters(3, {9, 10, 11, 12, 13});
  ASSERT_TRUE(RedecouperPiste(suivi));
  ASSERT_EQ(Partition.NbMesures, 4);
  EXPECT_TRUE(Partition.Mesure(1)->Temps[1][1].Silence);
  EXPECT_EQ(Partition.Mesure(1)->Temps[1][2].Notes[1].Frette, 2);
  EXPECT_EQ(Partition.Mesure(3)->NbTemps[1], 4);
  const TMesure& m4 = *Partition.Mesure(4);
  EXPECT_EQ(m4.Temps[1][1].Notes[1].Frette, 13);
  ASSERT_GE(m4.NbTemps[1], 2);
  for (int b = 2; b <= m4.NbTemps[1]; ++b) EXPECT_TRUE(m4.Temps[1][b].Silence);
  EXPECT_EQ(Ticks(4), 4 * 480);
}

// Refused re-cuts say why and leave the song as it was.
TEST_F(AssistantsTest, RecutRefusalsChangeNothing) {
  struct Cas {
    const char* nom;
    std::function<void()> preparer;
  } cas[] = {
      {"no pitch", [] { Quarters(1, {-1, -1}); }},
      {"over 1000 measures",
       [] {
         AddMeasures(NB_MESURES_MAX);
         for (int m = 1; m < NB_MESURES_MAX; ++m) Quarters(m, {1, 2, 3, 4});
         Quarters(NB_MESURES_MAX, {1, 2, 3, 4, 5});
       }},
      {"over 20000 notes",
       [] {
         AddMeasures(60);
         for (int m = 1; m <= 60; ++m) {
           for (int b = 1; b <= NB_TEMPS_MAX; ++b) {
             Beat(m, b, 1, 4);
             for (int s = 2; s <= 6; ++s) Partition.Mesure(m)->Temps[1][b].Notes[s].Frette = 1;
           }
         }
       }},
  };
  for (const Cas& c : cas) {
    SCOPED_TRACE(c.nom);
    NouvellePartition();
    messages.clear();
    c.preparer();
    const int nb = Partition.NbMesures;
    const TMesure avant = *Partition.Mesure(nb);
    EXPECT_FALSE(RedecouperPiste(suivi));
    EXPECT_EQ(messages.size(), 1u);
    EXPECT_EQ(Partition.NbMesures, nb);
    EXPECT_EQ(Partition.Mesure(nb)->NbTemps[1], avant.NbTemps[1]);
    EXPECT_EQ(Partition.Mesure(nb)->Temps[1][1].Notes[1].Frette, avant.Temps[1][1].Notes[1].Frette);
  }
}

}  // namespace
