// Chord recognition, fingering search, the chord lists and the listen file.
#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>
#include <set>

#include "chords/Doigtes.h"
#include "chords/EcouteAccord.h"
#include "chords/EditionListes.h"
#include "chords/Reconnaissance.h"
#include "settings/Config.h"

namespace {

constexpr int32_t kStandard[7] = {0, 64, 59, 55, 50, 45, 40};

// Frets written as a guitarist reads them, string 6 first: "x32010".
TAccord Doigte(const char* s) {
  TAccord a;
  for (int i = 0; i < 6; ++i) a.Frettes[6 - i] = s[i] == 'x' ? -1 : s[i] - '0';
  return a;
}

std::vector<QString> Noms(const char* doigte) {
  std::vector<QString> noms;
  for (const auto& c : ReconnaitreAccord(NotesAccord(Doigte(doigte), kStandard, 6), true)) noms.push_back(c.Nom);
  return noms;
}

struct AlwaysAddBassGuard {
  bool avant = Configuration.AlwaysAddBass;
  explicit AlwaysAddBassGuard(bool v) { Configuration.AlwaysAddBass = v; }
  ~AlwaysAddBassGuard() { Configuration.AlwaysAddBass = avant; }
};

TRechercheDoigtes Recherche(int racine, int typ, int basse, int mode, int ext = 0, bool add = false) {
  TChoixAccord choix;
  choix.Fondamentale = racine;
  choix.Typ = typ;
  choix.NeufOnzeTreize = ext;
  choix.Add = add;
  TEtatDegres e = CalculerDegres(choix);
  TRechercheDoigtes r;
  r.Notes = NotesDoigtes(e, e.DegreCoche);
  r.Basse = basse;
  r.Typ = e.Choix.Typ;
  r.Mode = mode;
  r.Accordage = kStandard;
  return r;
}

}  // namespace

TEST(ChordRecognition, NamesInScoreOrder) {
  struct Cas {
    const char* doigte;
    bool toujoursBasse;
    std::vector<QString> premiers;  // the first names, in order
  };
  const Cas cas[] = {
      {"x32010", false, {"C", "Em/5+"}},
      {"032010", true, {"C/E"}},
      {"032010", false, {"C"}},
      {"x02210", false, {"Am", "C6 (no5)", "Esus4/5+"}},
      {"xx0212", false, {"D7"}},
      {"320003", false, {"G"}},
      {"022xxx", false, {"E5"}},
      {"0120xx", false, {"Em/5-", "Gm6 (no5)"}},  // an omitted degree costs more than an altered fifth
      {"x2xx0x", false, {}},  // one pitch class: no chord
      {"xxxxxx", false, {}},
  };
  for (const Cas& c : cas) {
    AlwaysAddBassGuard g(c.toujoursBasse);
    std::vector<QString> noms = Noms(c.doigte);
    ASSERT_GE(noms.size(), c.premiers.size()) << c.doigte;
    if (c.premiers.empty()) {
      EXPECT_TRUE(noms.empty()) << c.doigte;
    }
    for (size_t i = 0; i < c.premiers.size(); ++i) EXPECT_EQ(noms[i], c.premiers[i]) << c.doigte << " #" << i;
  }
  EXPECT_EQ(Noms("x02210").size(), 3u);
}

TEST(ChordRecognition, DiminishedSeventhAndAbsentDegrees) {
  // Four notes a minor third apart: every pitch class reads as "dim" with score 1, before any slash reading.
  auto c = ReconnaitreAccord(NotesAccord(Doigte("xx1212"), kStandard, 6), true);
  ASSERT_GE(c.size(), 4u);
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(c[i].Typ, 12);
    EXPECT_EQ(c[i].Score, 1);
  }
  // A thirteenth over a missing ninth: the ninth stays natural (named as omitted), never -1.
  TNotesAccord n;
  n.fill(-1);
  n[6] = 48, n[5] = 52, n[4] = 55, n[3] = 58, n[2] = 65, n[1] = 69;  // C E G Bb F A
  bool vu = false;
  for (const auto& k : ReconnaitreAccord(n, true)) {
    EXPECT_GE(k.Neuf, 0);
    EXPECT_GE(k.Onze, 0);
    if (k.Fondamentale == 0 && k.Basse == 0) {
      vu = true;
      EXPECT_EQ(k.Nom, "C13 (no9)");
      EXPECT_EQ(k.Neuf, 0);
    }
  }
  EXPECT_TRUE(vu);
}

TEST(ChordSearch, MajorTriadCountsAndRules) {
  struct Cas {
    int mode;
    size_t nombre;
  };
  for (const Cas& c : {Cas{DoigtesSimples, 8}, Cas{DoigtesMoyens, 15}, Cas{DoigtesTous, 76}}) {
    TResultatDoigtes r = ChercherDoigtes(Recherche(0, 0, 0, c.mode));
    EXPECT_EQ(r.Solutions.size(), c.nombre) << "mode " << c.mode;
    EXPECT_EQ(r.Renversement, 0);
    ASSERT_FALSE(r.Solutions.empty());
    const TAccord& p = r.Solutions.front();
    EXPECT_EQ(std::vector<int>(p.Frettes + 1, p.Frettes + 7), (std::vector<int>{0, 1, 0, 2, 3, -1}));
    for (const TAccord& a : r.Solutions) {
      int jouees = 0;
      for (int s = 1; s <= 6; ++s) jouees += a.Frettes[s] >= 0;
      EXPECT_GE(jouees, 4);
      for (int s = 1; s < 6; ++s) {  // neighbouring strings never sound the same note
        if (a.Frettes[s] >= 0 && a.Frettes[s + 1] >= 0) {
          EXPECT_NE(kStandard[s] + a.Frettes[s], kStandard[s + 1] + a.Frettes[s + 1]);
        }
      }
      if (c.mode == DoigtesSimples && a.FretteBase > 5) {
        for (int s = 1; s <= 6; ++s) EXPECT_NE(a.Frettes[s], 0);
      }
    }
  }
}

TEST(ChordSearch, PowerChordsLimitsAndShortTracks) {
  TResultatDoigtes cinq = ChercherDoigtes(Recherche(4, 14, 4, DoigtesMoyens));
  ASSERT_FALSE(cinq.Solutions.empty());
  for (const TAccord& a : cinq.Solutions) {
    int s = 6;
    while (a.Frettes[s] < 0) --s;
    EXPECT_GE(s, 4);
    EXPECT_GT(a.Frettes[s - 1], 0);
    EXPECT_GT(a.Frettes[s - 2], 0);
    EXPECT_EQ((a.Frettes[1] >= 0) + (a.Frettes[2] >= 0) + (a.Frettes[3] >= 0) + (a.Frettes[4] >= 0) +
                  (a.Frettes[5] >= 0) + (a.Frettes[6] >= 0),
              3);
  }
  // Too few or too many notes, or no bass: no search.
  TRechercheDoigtes r = Recherche(0, 0, 0, DoigtesTous);
  r.Notes = {0};
  EXPECT_TRUE(ChercherDoigtes(r).Solutions.empty());
  r.Notes = {0, 2, 4, 5, 7, 9, 11};
  TResultatDoigtes sept = ChercherDoigtes(r);
  EXPECT_TRUE(sept.Omissions);
  EXPECT_TRUE(sept.Solutions.empty());
  r = Recherche(0, 0, -1, DoigtesTous);
  EXPECT_TRUE(ChercherDoigtes(r).Solutions.empty());
  // Many notes under "All": the list stops at 300.
  r = Recherche(0, 1, 0, DoigtesTous, 3);
  EXPECT_LE(ChercherDoigtes(r).Solutions.size(), static_cast<size_t>(NB_DOIGTES_MAX));
  // A four-string track (bass tuning E A D G, string 1 = G): strings 5 and 6 are never used.
  const int32_t basse4[7] = {0, 43, 38, 33, 28, 0, 0};
  r = Recherche(7, 0, 7, DoigtesTous);
  r.Accordage = basse4;
  r.NbCordes = 4;
  TResultatDoigtes quatre = ChercherDoigtes(r);
  ASSERT_FALSE(quatre.Solutions.empty());
  for (const TAccord& a : quatre.Solutions) {
    EXPECT_EQ(a.Frettes[5], -1);
    EXPECT_EQ(a.Frettes[6], -1);
  }
}

TEST(ChordLists, CapacityOrderAndUsedChords) {
  std::unique_ptr<TAccord> entrees[4];
  int32_t nb = 0;
  TListeAccords l{entrees, &nb, 3};
  TAccord a;
  for (const char* nom : {"A", "B", "C"}) {
    a.Nom = nom;
    EXPECT_TRUE(AjouterAccordListe(l, a));
  }
  a.Nom = "D";
  EXPECT_FALSE(AjouterAccordListe(l, a));  // full
  EXPECT_EQ(nb, 3);
  EXPECT_FALSE(DeplacerAccordListe(l, 1, -1));
  EXPECT_FALSE(DeplacerAccordListe(l, 3, +1));
  EXPECT_TRUE(DeplacerAccordListe(l, 1, +1));
  EXPECT_EQ(entrees[1]->Nom.str(), "B");
  EXPECT_EQ(SupprimerAccordListe(l, 3), 2);  // the last one: the new last is selected
  EXPECT_EQ(SupprimerAccordListe(l, 1), 1);
  EXPECT_EQ(SupprimerAccordListe(l, 1), 0);
  EXPECT_EQ(nb, 0);
  // A count larger than the capacity (a damaged state) never lets an entry be written past the end.
  nb = 9;
  EXPECT_FALSE(AjouterAccordListe(l, a));

  nb = 0;
  TAccord c = Doigte("x32010");
  c.Fondamentale = 0;
  c.Nom = "C";
  EXPECT_TRUE(AjouterAccordUtilise(l, c));
  TAccord barre = c;
  barre.NbBarres = 1;  // barres are not compared
  EXPECT_FALSE(AjouterAccordUtilise(l, barre));
  TAccord autre = c;
  autre.Typ = 1;
  EXPECT_TRUE(AjouterAccordUtilise(l, autre));
  TAccord perso = c, perso2 = c;
  perso.Fondamentale = perso2.Fondamentale = 12;
  perso2.Typ = 5;  // theory is not compared for a user-defined chord
  EXPECT_TRUE(AjouterAccordUtilise(l, perso));
  EXPECT_FALSE(AjouterAccordUtilise(l, perso2));
  EXPECT_EQ(nb, 3);
}

TEST(ChordListen, FileBytes) {
  // All six strings: struck 60, 55, 50, 45 and 40 ticks apart, all stopped 385 ticks after the last.
  TAccord a = Doigte("320003");
  QByteArray o = OctetsEcouteAccord(a, kStandard, 6, 25);
  QByteArray piste = QByteArray("00ff210100 00ff200100 00b0077f 00b05d00 00b05b00 00b00a40 00c019 00"
                                 "902b7f3c 902f7f37 90327f32 90377f2d 903b7f28 90437f 8301"
                                 "802b5000 802f5000 80325000 80375000 803b5000 80435000 ff2f00")
                          .replace(' ', "");
  QByteArray hex = QByteArray("4d546864 00000006 0001 0002 01e0"
                              "4d54726b 00000019 00ff5103 0927c0 00ff5804 04021808 00ff5902 0000 00ff2f00"
                              "4d54726b 0000")
                       .replace(' ', "");
  hex += QByteArray::number(static_cast<int>(piste.size() / 2), 16).rightJustified(4, '0') + piste;
  EXPECT_EQ(o.toHex(), hex);

  QTemporaryDir dir;
  EXPECT_TRUE(EcrireFichierEcoute(dir.filePath("vexo.tmp"), a, kStandard, 6, 25));
  QFile f(dir.filePath("vexo.tmp"));
  ASSERT_TRUE(f.open(QIODevice::ReadOnly));
  EXPECT_EQ(f.readAll(), o);
  EXPECT_FALSE(EcrireFichierEcoute(dir.filePath("missing/vexo.tmp"), a, kStandard, 6, 25));
}

// Over every root, type, extension and mode on standard tuning with the root as bass: no string
// sounds below the bass, and no fingering is listed twice.
TEST(ChordSearch, BassIsLowestAndEachFingeringOnce) {
  size_t total = 0;
  for (int racine = 0; racine < 12; ++racine)
    for (int typ = 0; typ < 15; ++typ)
      for (int ext = 0; ext < 4; ++ext)
        for (int mode : {DoigtesSimples, DoigtesMoyens, DoigtesTous}) {
          const TResultatDoigtes r = ChercherDoigtes(Recherche(racine, typ, racine, mode, ext));
          total += r.Solutions.size();
          std::set<std::vector<int>> vus;
          for (const TAccord& a : r.Solutions) {
            int basse = 6;
            while (basse > 1 && a.Frettes[basse] < 0) --basse;
            const int hauteurBasse = kStandard[basse] + a.Frettes[basse];
            ASSERT_EQ(hauteurBasse % 12, racine);
            for (int s = 1; s < basse; ++s)
              if (a.Frettes[s] >= 0) {
                ASSERT_GE(kStandard[s] + a.Frettes[s], hauteurBasse)
                    << "root " << racine << " type " << typ << " ext " << ext << " mode " << mode << " base "
                    << a.FretteBase << " string " << s;
              }
            ASSERT_TRUE(vus.insert(std::vector<int>(a.Frettes + 1, a.Frettes + 7)).second)
                << "root " << racine << " type " << typ << " ext " << ext << " mode " << mode << " base "
                << a.FretteBase << " listed twice";
          }
        }
  EXPECT_GT(total, size_t(30000));  // the rules leave most fingerings in place
}

TEST(ChordSearch, OpenStringBelowTheBassIsNoSolution) {
  // E9 in "Medium": 4 7 4 0 7 x (string 1 first) would sound the open D below the E.
  const TResultatDoigtes r = ChercherDoigtes(Recherche(4, 0, 4, DoigtesMoyens, 1));
  for (const TAccord& a : r.Solutions)
    EXPECT_NE(std::vector<int>(a.Frettes + 1, a.Frettes + 7), (std::vector<int>{4, 7, 4, 0, 7, -1}));
  // C5: x x 5 5 3 x (string 1 first) is found once, not again under base fret 3.
  const TResultatDoigtes c5 = ChercherDoigtes(Recherche(0, 14, 0, DoigtesTous));
  int fois = 0;
  for (const TAccord& a : c5.Solutions)
    fois += std::vector<int>(a.Frettes + 1, a.Frettes + 7) == std::vector<int>{-1, -1, 5, 5, 3, -1};
  EXPECT_EQ(fois, 1);
}
