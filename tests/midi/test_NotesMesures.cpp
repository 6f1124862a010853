// From a note list to measures and beats.
#include <gtest/gtest.h>

#include <cmath>

#include "midi/ImportMIDI.h"
#include "midi/NotesMesures.h"
#include "smf_outils.h"

namespace {

struct NotesMesuresTest : ::testing::Test {
  TPartition p;
  TRapportImport rapport;
  void SetUp() override { PartitionImportVide(p, "Drums"); }

  // The beats of track 1 in a measure: ticks, code, dotted, triplet place (0 = none), first pitch.
  struct B {
    int ticks, code, pointee, place, h1;
    bool operator==(const B&) const = default;
  };
  std::vector<B> Temps(int m) const {
    std::vector<B> r;
    const TMesure& mes = *p.Mesure(m);
    for (int b = 1; b <= mes.NbTemps[1]; ++b) {
      const TTemps& t = mes.Temps[1][b];
      r.push_back({t.Duree, t.CodeDuree, t.Pointee, t.Triolet ? t.PlaceTriolet : 0, t.Hauteurs[1]});
    }
    return r;
  }
  void Creer(std::vector<TNoteImport> notes) {
    TListeNotesImport l;
    l.Notes = std::move(notes);
    for (const auto& e : l.Notes) l.DureeTotale += e.Duree;
    ASSERT_TRUE(CreerPartitionImport(p, 1, l, rapport));
    for (int m = 1; m <= p.NbMesures; ++m) CompleterMesure(p, 1, m, &rapport);
  }
};

}  // namespace

TEST_F(NotesMesuresTest, MesuresDesSignatures) {
  // At 480 ticks a quarter, 4/4 then 3/4 at tick 15360: eight measures of 4/4, the ninth in 3/4.
  ASSERT_TRUE(CreerMesuresSignatures(p, {{0, 4, 2}, {15360, 3, 2}}, 480));
  ASSERT_EQ(p.NbMesures, 9);
  EXPECT_EQ(p.Mesure(8)->Numerateur, 4);
  EXPECT_EQ(p.Mesure(9)->Numerateur, 3);
  EXPECT_EQ(p.Mesure(9)->Duree, 3.0);
  // Two signatures at one tick: the second replaces the first.
  ASSERT_TRUE(CreerMesuresSignatures(p, {{0, 4, 2}, {0, 6, 3}}, 480));
  EXPECT_EQ(p.NbMesures, 1);
  EXPECT_EQ(p.Mesure(1)->Denominateur, 8);
  EXPECT_EQ(p.Mesure(1)->Duree, 3.0);
  // A signature far away stops the song at the measure limit.
  EXPECT_FALSE(CreerMesuresSignatures(p, {{0, 4, 2}, {int64_t(1) << 40, 3, 2}}, 480));
  EXPECT_EQ(p.NbMesures, NB_MESURES_MAX);
}

TEST_F(NotesMesuresTest, Quantification) {
  using V = std::vector<double>;
  const struct {
    int q;
    std::vector<TNoteImport> notes;
    V attendu;
  } cas[] = {{4, {{60, 0.625}, {62, 0.375}}, V{0.5, 0.5}},  // halves to even
             {4, {{60, 0.2}, {-1, 0.8}, {62, 1}}, V{0.25, 0.75, 1}},
             {2, {{60, 0.1}, {-1, 0.1}}, V{0.5, 0}},        // the last note gets a step of its own
             {3, {{60, 0.3}}, V{0.25}}};                   // an unknown grid reads as 4
  for (const auto& c : cas) {
    TListeNotesImport l;
    l.Notes = c.notes;
    QuantifierListeNotes(l, c.q);
    V r;
    for (const auto& e : l.Notes) r.push_back(e.Duree);
    EXPECT_EQ(r, c.attendu);
    for (double d : r) EXPECT_GE(d, 0);
  }
}

TEST_F(NotesMesuresTest, DecoupageEnTemps) {
  // Five quarters in 4/4: a whole note, then a quarter tied to it and the closing rests. The
  // measure keeps its repeat mark.
  p.Mesure(1)->RenvoiDebut = 1;
  Creer({{60, 5}});
  EXPECT_EQ(p.Mesure(1)->RenvoiDebut, 1);
  EXPECT_EQ(Temps(1), (std::vector<B>{{1920, -2, 0, 0, 60}}));
  EXPECT_EQ(Temps(2), (std::vector<B>{{480, 0, 0, 0, -2}, {960, -1, 0, 0, -1}, {480, 0, 0, 0, -1}}));
  EXPECT_TRUE(p.Mesure(2)->Temps[1][1].Lie);

  SetUp();  // a dotted eighth, a rest of 3/4 as an eighth and a sixteenth, a triplet of eighths
  Creer({{60, 0.75}, {-1, 0.75}, {62, 1.0 / 3}, {64, 1.0 / 3}, {65, 1.0 / 3}, {67, 0}, {71, 0}, {67, 1.5}});
  EXPECT_EQ(Temps(1), (std::vector<B>{{360, 1, 1, 0, 60},
                                      {240, 1, 0, 0, -1},
                                      {120, 2, 0, 0, -1},
                                      {160, 1, 0, 1, 62},
                                      {160, 1, 0, 2, 64},
                                      {160, 1, 0, 3, 65},
                                      {720, 0, 1, 0, 67}}));
  EXPECT_EQ(p.Mesure(1)->Temps[1][7].NbHauteurs, 2);  // the repeated pitch of the chord is written once
}

// Every closed measure keeps its filled length, whether it was full already, completed with rests,
// left over-full or cut at the beat limit.
TEST_F(NotesMesuresTest, ChaqueMesureGardeSaDureeRemplie) {
  Creer({{60, 4}, {62, 4}, {64, 4}, {65, 1}});
  ASSERT_EQ(p.NbMesures, 4);
  for (int m = 1; m <= 4; ++m) EXPECT_EQ(p.Mesure(m)->DureeRemplie[1], 4.0) << m;
  EXPECT_EQ(p.Mesure(1)->DureeRemplie[2], 0.0);  // a track left empty

  TMesure& trop = *p.Mesure(2);
  trop.Temps[1][++trop.NbTemps[1]].Duree = 480;
  CompleterMesure(p, 1, 2);
  EXPECT_EQ(trop.DureeRemplie[1], 5.0);

  SetUp();
  ASSERT_TRUE(CreerMesuresSignatures(p, {{0, 32, 0}}, 480));
  Creer(std::vector<TNoteImport>(200, {60, 1.0 / 16}));
  EXPECT_EQ(p.Mesure(1)->DureeRemplie[1], 4.0);  // 64 sixty-fourths of its 128 quarters
}

TEST_F(NotesMesuresTest, PlafondDeTempsEtDeMesures) {
  // 32/1 measures hold 128 quarters: 200 sixty-fourths ask for more than 64 beats.
  ASSERT_TRUE(CreerMesuresSignatures(p, {{0, 32, 0}}, 480));
  std::vector<TNoteImport> notes(200, {60, 1.0 / 16});
  Creer(notes);
  EXPECT_EQ(p.Mesure(1)->NbTemps[1], NB_TEMPS_MAX);
  ASSERT_FALSE(rapport.TempsTronques.empty());
  EXPECT_EQ(rapport.TempsTronques[0], std::make_pair(1, 1));

  // A list longer than 1000 measures stops at the last one.
  SetUp();
  rapport = TRapportImport();
  Creer({{60, 4004}, {62, 1}});
  EXPECT_EQ(p.NbMesures, NB_MESURES_MAX);
  EXPECT_TRUE(rapport.MesuresTronquees);
}

TEST_F(NotesMesuresTest, ListeSansNote) {
  TListeNotesImport l;
  l.Notes = {{-1, 2}, {0, 1}};
  l.DureeTotale = 3;
  EXPECT_FALSE(CreerPartitionImport(p, 1, l, rapport));
  EXPECT_EQ(p.NbMesures, 1);
  EXPECT_EQ(p.Mesure(1)->NbTemps[1], 0);
}

namespace {

// A one-voice tune from a repeated rhythm (in sixteenths), every note ending `ecart` ticks before
// the next begins, as a sequencer writes it; read back as the import reads a source.
struct Melodie {
  std::vector<double> debuts;  // source starts, quarter notes
  TListeNotesImport liste;
  Melodie(std::initializer_list<int> rythme, int nbNotes, int ecart, int division = 480) {
    smf::Piste c, m;
    c.Signature(0, 4, 2).Fin();
    std::vector<int> valeurs(rythme);
    uint32_t t = 0, attente = 0;
    for (int k = 0; k < nbNotes; ++k) {
      const uint32_t duree = static_cast<uint32_t>(valeurs[k % valeurs.size()] * division / 4);
      debuts.push_back(double(t) / division);
      m.On(attente, 60 + k % 12).Off(duree - ecart, 60 + k % 12);
      attente = ecart;
      t += duree;
    }
    m.Fin();
    TFichierMIDI f;
    EXPECT_EQ(AnalyserFichierMIDI(smf::Fichier(1, division, {c, m}), f, "Track", "-"), EErreurMIDI::Aucune);
    EXPECT_TRUE(LireSourceMIDI(f, f.Sources.at(0), 0, liste));
    NettoyerFinListeNotes(liste);
  }
};

}  // namespace

TEST(QuantificationDerive, ChaqueDebutResteAUnPasDeSaSource) {
  const struct {
    const char* nom;
    Melodie m;
  } airs[] = {
      {"dotted eighth + sixteenth", Melodie({3, 1}, 188, 1)},
      {"sixteenth + dotted eighth", Melodie({1, 3}, 188, 1)},
      {"both orders", Melodie({3, 1, 1, 3}, 188, 2)},
      {"both orders, 120 ticks a quarter", Melodie({3, 1, 1, 3}, 188, 1, 120)},
      {"eighth + two sixteenths", Melodie({2, 1, 1}, 188, 1)},
      {"short notes, long gaps", Melodie({2, 1, 1, 4}, 188, 100)},
  };
  for (const auto& air : airs)
    for (int q : {2, 4, 8, 16}) {
      TListeNotesImport l = air.m.liste;
      const double totalSource = l.DureeTotale;
      QuantifierListeNotes(l, q);
      std::vector<double> debuts;
      double t = 0;
      for (const TNoteImport& e : l.Notes) {
        EXPECT_GE(e.Duree, 0);
        if (e.Hauteur >= 0) debuts.push_back(t);
        t += e.Duree;
      }
      ASSERT_EQ(debuts.size(), air.m.debuts.size()) << air.nom << " at " << q;
      double pire = 0;
      for (size_t k = 0; k < debuts.size(); ++k) pire = std::max(pire, std::abs(debuts[k] - air.m.debuts[k]) * q);
      // Each source start lies on the sixteenth grid: from 1/16 on it is kept as it is.
      EXPECT_LE(pire, q >= 4 ? 0.0 : 1.0) << air.nom << " at " << q << " steps a quarter";
      EXPECT_NEAR(l.DureeTotale, t, 1e-9);
      EXPECT_LE(std::abs(l.DureeTotale - totalSource) * q, 1.0 + 1e-9) << air.nom << " at " << q;
    }
}
