// Transposition, automatic fingering and the re-cut of a track into measures.
#include "editor/Assistants.h"

#include <random>
#include <string>

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

namespace {

// A beat of track 1 that sounds on string 1 alone: its length, its fret (-1: a rest), tied or not.
struct TTempsUneCorde {
  int ticks, fret;
  bool lie = false;
};

// Track 1 of measure m as the given beats (texts "n<k>" name the note beats, in order).
void Measure(int m, const std::vector<TTempsUneCorde>& beats, int& k) {
  int b = 0;
  for (const TTempsUneCorde& x : beats) {
    TTemps& t = Partition.Mesure(m)->Temps[1][++b];
    TempsNoireVide(t);
    t.Duree = x.ticks;
    t.Lie = x.lie;
    t.Triolet = x.ticks == 80 || x.ticks == 160 || x.ticks == 320 || x.ticks == 640;
    if (x.fret < 0) {
      t.Silence = 1;
    } else {
      t.Notes[1].Frette = static_cast<int8_t>(x.fret);
      if (!x.lie) t.Texte = std::string_view("n" + std::to_string(++k));
    }
  }
  Partition.Mesure(m)->NbTemps[1] = b;
  PreparerTempsSaisiePiste(1, m);
}

struct TNoteVue {
  std::string texte;
  int64_t debut;
  int fret;
  int ticks;  // the beat's own length
};

// The note beats of track 1 in order, with their start in ticks from the start of the song.
std::vector<TNoteVue> NotesPiste() {
  std::vector<TNoteVue> r;
  int64_t tick = 0;
  for (int m = 1; m <= Partition.NbMesures; ++m) {
    const TMesure& mes = *Partition.Mesure(m);
    for (int b = 1; b <= mes.NbTemps[1]; ++b) {
      const TTemps& t = mes.Temps[1][b];
      if (!t.Silence && !t.Lie && t.Notes[1].Frette >= 0)
        r.push_back({std::string(t.Texte.view()), tick, t.Notes[1].Frette, t.Duree});
      tick += t.Duree;
    }
  }
  return r;
}

}  // namespace

// Lengths off the grid (a dotted sixty-fourth, a triplet group missing a beat) and whole triplet
// groups: every note keeps its content and its place within one grid step.
TEST_F(AssistantsTest, RecutCarriesNotesByTime) {
  struct Cas {
    const char* nom;
    std::vector<TTempsUneCorde> m1, m2;
    // The new note beats' own lengths; a length with no plain value goes on in a tied beat.
    std::vector<int> attendu;
  } cas[] = {
      {"triplet sixteenth left alone", {{1440, 1}, {360, 2}, {80, 3}, {30, 4}}, {{1920, 5}}, {1440, 360, 90, 30, 1920}},
      {"dotted sixty-fourths", {{45, 1}, {45, 2}, {30, 3}, {1800, 4}}, {{1920, 5}}, {60, 30, 30, 1440, 1920}},
      {"whole triplet group", {{160, 1}, {160, 2}, {160, 3}, {1440, 4}}, {{1920, 5}}, {160, 160, 160, 1440, 1920}},
      {"tied and rests between", {{80, 1}, {80, -1}, {320, 2}, {320, 2, true}, {1120, -1}}, {{1920, 3}},
       {90, 480, 1920}},
  };
  for (const Cas& c : cas) {
    SCOPED_TRACE(c.nom);
    NouvellePartition();
    AddMeasures(2);
    int k = 0;
    Measure(1, c.m1, k);
    Measure(2, c.m2, k);
    const std::vector<TNoteVue> avant = NotesPiste();
    ASSERT_TRUE(RedecouperPiste(suivi));
    const std::vector<TNoteVue> apres = NotesPiste();
    ASSERT_EQ(apres.size(), c.attendu.size());
    for (size_t i = 0; i < apres.size(); ++i) {
      EXPECT_EQ(apres[i].texte, avant[i].texte) << i;
      EXPECT_EQ(apres[i].fret, avant[i].fret) << i;
      EXPECT_EQ(apres[i].ticks, c.attendu[i]) << i;
    }
  }
}

// Random tracks of every length the editor writes, rests and ties, over- and under-full measures:
// no note is lost, none changes place with another, none starts more than one step away.
TEST_F(AssistantsTest, RecutLosesAndMovesNoNote) {
  static const int longueurs[] = {1920, 1440, 960, 640, 480, 720, 320, 240, 360, 160, 120, 180, 80, 60, 90, 30, 45};
  std::mt19937 gen(26);
  for (int essai = 0; essai < 150; ++essai) {
    SCOPED_TRACE(essai);
    NouvellePartition();
    AddMeasures(3);
    int k = 0;
    for (int m = 1; m <= 3; ++m) {
      std::vector<TTempsUneCorde> beats;
      const int cible = 1920 + int(gen() % 5) * 240 - 480;
      for (int total = 0; total < cible && beats.size() < 24;) {
        const int d = longueurs[gen() % std::size(longueurs)];
        const int r = int(gen() % 10);
        beats.push_back({d, r < 2 ? -1 : int(gen() % 20), r == 2});
        total += d;
      }
      Measure(m, beats, k);
    }
    const std::vector<TNoteVue> avant = NotesPiste();
    if (avant.empty()) continue;
    ASSERT_TRUE(RedecouperPiste(suivi));
    const std::vector<TNoteVue> apres = NotesPiste();
    ASSERT_EQ(apres.size(), avant.size());
    for (size_t i = 0; i < apres.size(); ++i) {
      EXPECT_EQ(apres[i].texte, avant[i].texte) << i;
      EXPECT_LE(std::llabs(apres[i].debut - avant[i].debut), TICKS_NOIRE / 16) << i;
    }
    for (int m = 1; m <= Partition.NbMesures; ++m) {
      if (Partition.Mesure(m)->NbTemps[1] == 0) continue;
      EXPECT_EQ(Ticks(m), std::lrint(Partition.Mesure(m)->Duree * 480)) << m;
    }
  }
}

// A note shorter than a grid step that the grid leaves no step (only a damaged file holds one) is
// merged: the note before it sounds on through its time, and its annotation joins the beat where
// its time falls.
TEST_F(AssistantsTest, RecutMergesANoteShorterThanTheGrid) {
  AddMeasures(1);
  int k = 0;
  Measure(1, {{1440, 1}, {10, 2}, {470, 3}}, k);
  ASSERT_TRUE(RedecouperPiste(suivi));
  const std::vector<TNoteVue> apres = NotesPiste();
  ASSERT_EQ(apres.size(), 2u);
  EXPECT_EQ(apres[0].fret, 1);
  EXPECT_EQ(apres[0].ticks, 1440);
  EXPECT_EQ(apres[1].fret, 3);
  EXPECT_EQ(apres[1].debut, 1440);
  EXPECT_EQ(apres[1].texte, "n3 n2");
  EXPECT_EQ(Ticks(1), 1920);
}
