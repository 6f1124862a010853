// From a note list to measures and beats.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <functional>
#include <random>

#include "midi/ImportMIDI.h"
#include "midi/NotesMesures.h"
#include "smf_outils.h"
#include "song/Accordages.h"

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

// A source as notes (start tick, end tick, key), in start order, written as a sequencer writes it:
// at one tick, note-offs first.
using Notes = std::vector<std::array<int, 3>>;
QByteArray Fichier(const Notes& notes, int division) {
  std::vector<std::array<int, 3>> evts;  // tick, 0 = off / 1 = on, key
  for (const auto& n : notes) evts.insert(evts.end(), {{n[0], 1, n[2]}, {n[1], 0, n[2]}});
  std::stable_sort(evts.begin(), evts.end(), [](auto& a, auto& b) { return a[0] != b[0] ? a[0] < b[0] : a[1] < b[1]; });
  smf::Piste c, m;
  c.Signature(0, 4, 2).Fin();
  int avant = 0;
  for (const auto& e : evts) {
    e[1] ? m.On(e[0] - avant, e[2]) : m.Off(e[0] - avant, e[2]);
    avant = e[0];
  }
  m.Fin();
  return smf::Fichier(1, division, {c, m});
}
// A one-voice tune from a repeated rhythm (in sixteenths), every note ending `ecart` ticks early.
Notes Melodie(std::vector<int> rythme, int nb, int ecart, int division = 480) {
  Notes r;
  for (int k = 0, t = 0; k < nb; t += rythme[k % rythme.size()] * division / 4, ++k)
    r.push_back({t, t + int(rythme[k % rythme.size()]) * division / 4 - ecart, 60 + k % 12});
  return r;
}
// Played by hand: `f(alea, notes)` writes the notes, sorted here by start.
template <class F>
Notes Joue(F f) {
  std::mt19937 alea(60);
  Notes r;
  f([&alea](int de, int a) { return de + int(alea() % uint32_t(a - de + 1)); }, r);
  std::stable_sort(r.begin(), r.end(), [](auto& a, auto& b) { return a[0] < b[0]; });
  return r;
}

}  // namespace

// Through the import's own routines, at every grid: every note starts on the grid step nearest its
// start in the file, and a note that is not in the song is named in the closing message.
TEST(QuantificationDerive, ChaqueNoteSurLePasLePlusProche) {
  using H = std::function<int(int, int)>;
  const struct {
    const char* nom;
    Notes notes;
    int division = 480, piste = 1;
    bool complet = true;  // nothing is left out at any grid
  } airs[] = {
      {"dotted eighth + sixteenth", Melodie({3, 1}, 188, 1)},
      {"sixteenth + dotted eighth", Melodie({1, 3}, 188, 1)},
      {"both orders", Melodie({3, 1, 1, 3}, 188, 2)},
      {"both orders, 120 ticks a quarter", Melodie({3, 1, 1, 3}, 188, 1, 120), 120},
      {"eighth + two sixteenths", Melodie({2, 1, 1}, 188, 1)},
      {"short notes, long gaps", Melodie({2, 1, 1, 4}, 188, 100)},
      {"drum groove, every hit 3 to 30 ticks early or late", Joue([](H h, Notes& r) {
         for (int t = 480; t < 16 * 480; t += 240)
           for (int k : {42, t % 960 ? 38 : 36, t % 1920 ? 0 : 51})
             if (k && (k == 42 || t % 480 == 0)) {
               const int s = t + h(3, 30) * (h(0, 1) ? 1 : -1);
               r.push_back({s, s + h(8, 40), k});
             }
       }), 480, PISTE_PERCUSSION},
      {"strummed chords, down and up, released into the next strum", Joue([](H h, Notes& r) {
         const std::vector<int> accords[] = {{40, 47, 52, 56, 59, 64}, {45, 52, 57, 61, 64}, {43, 47, 50, 55, 59, 67}};
         for (int k = 0; k < 24; ++k) {
           std::vector<int> a = accords[k / 2 % 3];
           if (k % 2) std::reverse(a.begin(), a.end());
           const int t = 480 * (k + 1) + h(-10, 10), etale = h(5, 40), fin = 480 * (k + 2) + h(12, 30);
           for (size_t i = 0; i < a.size(); ++i) r.push_back({t + etale * int(i) / int(a.size() - 1), fin, a[i]});
         }
       })},
      {"staccato notes before long rests", Joue([](H h, Notes& r) {
         for (int k = 0, t = 480; k < 40; ++k, t += h(400, 1500)) r.push_back({t, t + h(5, 30), 60 + k % 12});
       })},
      {"a short note a few ticks before the beat", Joue([](H h, Notes& r) {
         for (int t = 480; t < 40 * 480; t += 480) {
           const int d = h(3, 25);
           r.push_back({t - d, t - d + h(1, d - 1), 62});
           r.push_back({t, t + 400, 60});
         }
       })},
      {"a roll faster than the grid", Joue([](H, Notes& r) {
         for (int t = 1920; t < 8 * 480; t += 60) r.push_back({t, t + 20, 38});
       }), 480, PISTE_PERCUSSION, false},
  };
  for (const auto& air : airs)
    for (int q : {2, 4, 8, 16}) {
      SCOPED_TRACE(testing::Message() << air.nom << " at " << q << " steps a quarter");
      TFichierMIDI f;
      ASSERT_EQ(AnalyserFichierMIDI(Fichier(air.notes, air.division), f, "Track", "-"), EErreurMIDI::Aucune);
      TListeNotesImport l;
      ASSERT_TRUE(LireSourceMIDI(f, f.Sources.at(0), 0, l));
      NettoyerFinListeNotes(l);
      double totalSource = 0;
      for (const TNoteImport& e : l.Notes) totalSource += e.Duree;
      QuantifierListeNotes(l, q);
      double t = 0;
      for (const TNoteImport& e : l.Notes) t += e.Duree;
      EXPECT_NEAR(l.DureeTotale, t, 1e-9);
      // The nearest step to the source's end, and one more where the last note rounds to none.
      EXPECT_LE(std::abs(l.DureeTotale - totalSource) * q, 1.5 + 1e-9);

      // The whole import: the song's notes, by the pitch their fret sounds, each matched to a
      // source note whose nearest step it stands on.
      TPartition p;
      PartitionImportVide(p, "Drums");
      ASSERT_TRUE(AppliquerConducteur(p, f));
      TProprietesTempo w;
      ProprietesImportDepuis(p, w);
      w.PisteSource[air.piste] = 1;
      w.Quantification[air.piste] = q;
      TRapportImport rapport;
      TSuiviImport suivi;
      ASSERT_TRUE(ConstruireImport(f, w, p, TPoidsDoigts(), rapport, suivi));
      std::vector<bool> pris(air.notes.size());
      size_t chantees = 0, trouvees = 0;
      for (int m = 1, debut = 0; m <= p.NbMesures; debut += int(p.Mesure(m++)->Duree * 480))
        for (int b = 1, tick = debut; b <= p.Mesure(m)->NbTemps[air.piste]; ++b) {
          const TTemps& x = p.Mesure(m)->Temps[air.piste][b];
          for (int c = 1; c <= NB_CORDES_MAX && !x.Lie; ++c) {
            if (x.Notes[c].Frette < 0 || x.Notes[c].Frette == FRETTE_MORTE) continue;
            ++chantees;
            for (size_t j = 0; j < air.notes.size(); ++j) {
              if (!pris[j] && air.notes[j][2] == p.Accordage[air.piste][c] + x.Notes[c].Frette &&
                  std::abs(double(air.notes[j][0]) / air.division - tick / 480.0) * q <= 0.5 + 1e-9) {
                pris[j] = true;
                ++trouvees;
                break;
              }
            }
          }
          tick += x.Duree;
        }
      EXPECT_EQ(trouvees, chantees);
      EXPECT_EQ(trouvees + rapport.NonPlacees.size() + rapport.Fusionnees.size(), air.notes.size());
      for (const TNoteNonPlacee& n : rapport.Fusionnees) {  // named in the measure where it would sound
        EXPECT_TRUE(TexteRapportImport(rapport).contains(NomNoteCorde(n.Hauteur)));
        EXPECT_TRUE(std::any_of(air.notes.begin(), air.notes.end(), [&](const std::array<int, 3>& s) {
          return s[2] == n.Hauteur && (s[0] * 480 / air.division + 240 / q) / 1920 + 1 == n.Mesure;
        }));
      }
      if (air.complet) {
        EXPECT_TRUE(rapport.Vide());
      }
    }
}
