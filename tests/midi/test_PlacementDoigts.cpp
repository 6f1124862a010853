// The fingering search on a guitar in standard tuning (64 59 55 50 45 40, slot 1 the highest).
#include <gtest/gtest.h>

#include <random>

#include "midi/ImportMIDI.h"
#include "midi/PlacementDoigts.h"

namespace {

using Frettes = std::vector<std::pair<int, int>>;  // (string, fret) of each sounding string

struct PlacementTest : ::testing::Test {
  TPartition p;
  TRapportImport rapport;
  void SetUp() override { PartitionImportVide(p, "Drums"); }

  // One beat per chord in measure 1 of `piste`, then the pass over the track.
  void Placer(const std::vector<std::vector<int>>& accords, int piste = 1) {
    TMesure& m = *p.Mesure(1);
    m.NbTemps[piste] = static_cast<int>(accords.size());
    for (size_t b = 0; b < accords.size(); ++b) {
      TTemps& t = m.Temps[piste][b + 1];
      t.NbHauteurs = static_cast<uint8_t>(accords[b].size());
      for (size_t i = 0; i < accords[b].size(); ++i) t.Hauteurs[i + 1] = static_cast<int16_t>(accords[b][i]);
    }
    PlacerDoigts(p, piste, TPoidsDoigts(), &rapport);
  }
  Frettes Temps(int b, int piste = 1) const {
    Frettes r;
    for (int s = 1; s <= NB_CORDES_MAX; ++s) {
      const int f = p.Mesure(1)->Temps[piste][b].Notes[s].Frette;
      if (f != FRETTE_AUCUNE) r.push_back({s, f});
    }
    return r;
  }
};

}  // namespace

TEST_F(PlacementTest, VecteursGuitareStandard) {
  Placer({{64}});
  EXPECT_EQ(Temps(1), (Frettes{{1, 0}}));

  Placer({{60}, {62}, {64}, {65}, {67}});
  const Frettes gamme[] = {{{2, 1}}, {{2, 3}}, {{1, 0}}, {{1, 1}}, {{1, 3}}};
  for (int b = 1; b <= 5; ++b) EXPECT_EQ(Temps(b), gamme[b - 1]) << "beat " << b;

  Placer({{48, 52, 55, 60, 64}});  // the open C chord
  EXPECT_EQ(Temps(1), (Frettes{{1, 0}, {2, 1}, {3, 0}, {4, 2}, {5, 3}}));
  EXPECT_TRUE(rapport.NonPlacees.empty());
}

TEST_F(PlacementTest, NotesHorsDePortee) {
  // Below the lowest string, above the highest fret: counted and named, the beat a rest when
  // nothing of it sounds; a fret past the track's own count is still accepted.
  p.NbFrettes[1] = 20;
  Placer({{30}, {40, 30, 100}, {86}});
  EXPECT_TRUE(p.Mesure(1)->Temps[1][1].Silence);
  EXPECT_EQ(Temps(2), (Frettes{{6, 0}}));
  EXPECT_EQ(Temps(3), (Frettes{{1, 22}}));
  ASSERT_EQ(rapport.NonPlacees.size(), 3u);
  EXPECT_EQ(rapport.NonPlacees[0].Hauteur, 30);
  EXPECT_EQ(rapport.NonPlacees[2].Hauteur, 100);
  EXPECT_EQ(TexteRapportImport(rapport).count(QStringLiteral("F#2")), 2);

  // The percussion track takes frets up to 99 on its open strings of pitch 0.
  Placer({{36, 87}}, PISTE_PERCUSSION);
  EXPECT_EQ(Temps(1, PISTE_PERCUSSION), (Frettes{{1, 36}, {2, 87}}));
}

TEST_F(PlacementTest, JamaisDeFretteHorsBornes) {
  std::mt19937 alea(4);
  std::vector<std::vector<int>> accords;
  for (int b = 0; b < 40; ++b) {
    std::vector<int> a(1 + alea() % 6);
    for (int& h : a) h = static_cast<int>(alea() % 128);
    accords.push_back(a);
  }
  p.NbCordes[1] = 5;
  p.Accordage[1][1] = 119;
  Placer(accords);
  for (int b = 1; b <= 40; ++b)
    for (auto [s, f] : Temps(b)) {
      EXPECT_GE(f, 0);
      EXPECT_LE(f, FretteMaxPiste[1]);
      EXPECT_LE(s, 5);
    }
}
