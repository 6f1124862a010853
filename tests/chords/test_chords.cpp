// Chord record defaults, degree rules, chord names, barre finding and the diagram drawers.
#include <gtest/gtest.h>

#include <QImage>

#include "chords/Accord.h"
#include "chords/Diagramme.h"
#include "platform/Canvas.h"
#include "settings/Config.h"

namespace {

std::array<bool, 7> Aucun() { return {}; }

QString Nom(int root, int typ, int ext = 0, bool add = false, int basse = -1, int renv = -1, bool diese = true) {
  return ConstruireNomAccord(root, typ, ext, 0, 0, 0, 0, add, renv, basse, Aucun(), false, diese);
}

}  // namespace

TEST(ChordRecord, DefaultChord) {
  AccordCourant.Fondamentale = 3;
  AccordCourant.Frettes[2] = 5;
  InitDiagrammeAccord();
  const TAccord& a = AccordCourant;
  EXPECT_EQ(a.Diese, 1);
  EXPECT_EQ(a.Fondamentale, 12);
  EXPECT_EQ(a.FretteBase, 1);
  EXPECT_EQ(a.NbBarres, 0);
  EXPECT_TRUE(a.Nom.empty());
  for (int s = 1; s <= 6; ++s) EXPECT_EQ(a.Frettes[s], -1);
  for (int d = 1; d <= 7; ++d) EXPECT_EQ(a.Degres[d], 1);
}

TEST(ChordRecord, NoteSpelling) {
  EXPECT_EQ(NomNote(1, true), "C#");
  EXPECT_EQ(NomNote(1, false), "Db");
  EXPECT_EQ(NomNote(10, false), "Bb");
  EXPECT_EQ(NomNote(23, true), "B");
  EXPECT_EQ(NomNote(-1, true), "");
  EXPECT_EQ(NomFondamentale(12, false), "User");
}

TEST(ChordName, RootTypeExtensionAdd) {
  EXPECT_EQ(Nom(0, 0), "C");
  EXPECT_EQ(Nom(0, 0, 1), "C9");
  EXPECT_EQ(Nom(0, 0, 1, true), "Cadd9");
  EXPECT_EQ(Nom(9, 5), "Am7");
  EXPECT_EQ(Nom(7, 7, 2, true), "Gm6add11");
  EXPECT_EQ(ConstruireNomAccord(4, 1, 1, 2, 1, 0, 0, false, -1, -1, Aucun(), false), "E79+/5-");
  EXPECT_EQ(ConstruireNomAccord(2, 1, 3, 0, 0, 2, 1, false, -1, -1, Aucun(), false), "D713/9+/11-");
}

TEST(ChordName, BassSpellingAndInversions) {
  EXPECT_EQ(Nom(2, 0, 0, false, 6), "D/F#");
  EXPECT_EQ(Nom(2, 0, 0, false, 6, -1, false), "D/Gb");
  Configuration.AlwaysAddBass = false;
  EXPECT_EQ(Nom(2, 0, 0, false, 6, 1), "D");  // an inversion names no bass...
  Configuration.AlwaysAddBass = true;
  EXPECT_EQ(Nom(2, 0, 0, false, 6, 1), "D/F#");  // ...unless asked to
  EXPECT_EQ(Nom(2, 0, 0, false, 2, 0), "D");     // but never the root itself
  Configuration.AlwaysAddBass = false;
}

TEST(ChordName, OmissionsAndUserRoot) {
  std::array<bool, 7> sansQuinte{};
  sansQuinte[2] = true;
  EXPECT_EQ(ConstruireNomAccord(0, 0, 0, 0, 0, 0, 0, false, -1, -1, sansQuinte, true), "C (no5)");
  EXPECT_EQ(ConstruireNomAccord(0, 0, 0, 0, 0, 0, 0, false, -1, -1, sansQuinte, false), "C");
  std::array<bool, 7> deux{};
  deux[0] = deux[6] = true;
  EXPECT_EQ(ConstruireNomAccord(0, 1, 3, 0, 0, 0, 0, false, -1, -1, deux, true), "C713 (no1no13)");
  // A user chord has only the bass and omission parts.
  EXPECT_EQ(ConstruireNomAccord(12, 3, 1, 1, 1, 0, 0, true, -1, 4, sansQuinte, true), "/E (no5)");

  TAccord a;
  a.Fondamentale = 2;
  a.Basse = 6;
  a.Diese = 0;
  for (int d = 1; d <= 7; ++d) a.Degres[d] = 0;
  EXPECT_EQ(ConstruireNomAccord(a, -1, true), "D/Gb");
}

TEST(ChordDegrees, MajorNinthStackedOrAdded) {
  TChoixAccord c;
  c.Fondamentale = 0;
  c.NeufOnzeTreize = 1;
  TEtatDegres e = CalculerDegres(c);
  const int attendu[8] = {-1, 0, 4, 7, 10, 2, -1, -1};
  for (int r = 1; r <= 7; ++r) EXPECT_EQ(e.Intervalles[r], attendu[r]) << r;
  EXPECT_FALSE(e.NeufActif);
  EXPECT_TRUE(e.AddActif);

  c.Add = true;
  e = CalculerDegres(c);
  EXPECT_FALSE(e.DegrePresent[4]);
  EXPECT_EQ(e.Intervalles[5], 2);
}

TEST(ChordDegrees, PowerChordSixthsAndLocks) {
  TChoixAccord c;
  c.Fondamentale = 7;
  c.Typ = 14;
  c.NeufOnzeTreize = 2;
  c.Quinte = 1;
  TEtatDegres e = CalculerDegres(c);
  EXPECT_FALSE(e.DegrePresent[2]);
  EXPECT_FALSE(e.DegreCoche[2]);
  EXPECT_EQ(e.Intervalles[3], (7 + 6) % 12);  // the lowered fifth stays available
  EXPECT_TRUE(e.QuinteActif);
  EXPECT_EQ(e.Choix.NeufOnzeTreize, 0);
  EXPECT_FALSE(e.ExtensionActif);

  c = {};
  c.Fondamentale = 0;
  c.Typ = 3;  // "6"
  c.NeufOnzeTreize = 2;
  e = CalculerDegres(c);
  EXPECT_TRUE(e.Choix.Add);
  EXPECT_EQ(e.Legende7, "6'");
  EXPECT_EQ(e.Intervalles[4], 9);
  EXPECT_EQ(e.Intervalles[6], 5);
  EXPECT_FALSE(e.DegrePresent[5]);
  EXPECT_EQ(ConstruireNomAccord(0, 3, 2, 0, 0, 0, 0, e.Choix.Add, -1, -1, Aucun(), false), "C6add11");

  c = {};
  c.Fondamentale = 2;
  c.Typ = 12;  // dim: fifth alteration locked
  c.Quinte = 2;
  e = CalculerDegres(c);
  EXPECT_EQ(e.Choix.Quinte, 0);
  EXPECT_FALSE(e.QuinteActif);
  EXPECT_EQ(e.Intervalles[3], 8);  // D + 6
  EXPECT_EQ(e.Intervalles[4], 11);

  c = {};
  c.Fondamentale = 12;
  c.Typ = 4;
  e = CalculerDegres(c);
  EXPECT_EQ(e.Choix.Typ, 0);
  EXPECT_FALSE(e.TypActif);
  EXPECT_FALSE(e.BasseActive);
  for (int r = 1; r <= 7; ++r) EXPECT_FALSE(e.DegrePresent[r]);
}

TEST(ChordDegrees, ThirteenthWithAlterations) {
  TChoixAccord c;
  c.Fondamentale = 0;
  c.Typ = 1;
  c.NeufOnzeTreize = 3;
  c.DimAug = 1;
  c.Neuf = 2;
  c.Onze = 2;
  TEtatDegres e = CalculerDegres(c);
  EXPECT_EQ(e.Intervalles[7], 8);  // lowered thirteenth
  EXPECT_EQ(e.Intervalles[5], 3);  // raised ninth
  EXPECT_EQ(e.Intervalles[6], 6);  // raised eleventh
  EXPECT_EQ(e.Legende3, "3'");
}

TEST(ChordBarres, Finder) {
  TAccord a = ConstruireDiagramme(1, 1, 2, 3, 3, 1, 1);
  ASSERT_EQ(a.NbBarres, 1);
  EXPECT_EQ(a.FretteBarre[1], 1);
  EXPECT_EQ(a.CordeDebutBarre[1], 1);
  EXPECT_EQ(a.CordeFinBarre[1], 6);

  EXPECT_EQ(ConstruireDiagramme(0, 1, 2, 2, 0, 0, 1).NbBarres, 0);   // three fretted strings
  EXPECT_EQ(ConstruireDiagramme(0, 3, 3, 3, 3, 3, 3).NbBarres, 0);   // open highest string
  EXPECT_EQ(ConstruireDiagramme(5, 5, 6, 7, 7, 5, 5).NbBarres, 1);   // base fret 5

  a = ConstruireDiagramme(3, 3, 5, 5, 5, 3, 3);  // barre 3 to string 6, barre 5 cut at string 1
  EXPECT_EQ(a.NbBarres, 1);

  a = ConstruireDiagramme(1, 1, 3, 3, 1, -1, 1);  // unplayed string neither stops nor joins
  ASSERT_EQ(a.NbBarres, 1);
  EXPECT_EQ(a.CordeFinBarre[1], 5);

  // Without a first fret, unplayed strings must not make a barre at "fret -1".
  EXPECT_EQ(ConstruireDiagramme(-1, -1, 1, 2, 3, 4, 0).NbBarres, 0);
  a = ConstruireDiagramme(1, 1, 1, 1, -1, -1, 0);
  ASSERT_EQ(a.NbBarres, 1);
  EXPECT_EQ(a.FretteBarre[1], 1);

  a = ConstruireDiagramme(2, 2, 2, 2, 4, -1, 2);
  ASSERT_EQ(a.NbBarres, 1);
  EXPECT_EQ(a.CordeFinBarre[1], 4);
}

TEST(ChordBarres, TwoBarresLowestFirst) {
  // Fret 1 across all six strings, and fret 3 over strings 1 and 2 until string 3 (fret 1) cuts it.
  TAccord a = ConstruireDiagramme(3, 3, 1, 1, 1, 1, 1);
  ASSERT_EQ(a.NbBarres, 2);
  EXPECT_EQ(a.FretteBarre[1], 1);
  EXPECT_EQ(a.CordeFinBarre[1], 6);
  EXPECT_EQ(a.FretteBarre[2], 3);
  EXPECT_EQ(a.CordeFinBarre[2], 2);
}

// ---- drawing ----

namespace {

struct Image {
  QImage img{120, 120, QImage::Format_RGB32};
  Image() { img.fill(Qt::white); }
  TColor px(int x, int y) const {
    QRgb p = img.pixel(x, y);
    return RGBToColor(qRed(p), qGreen(p), qBlue(p));
  }
  bool encre(int x, int y) const { return px(x, y) != clWhite; }
  int encreDans(int x1, int y1, int x2, int y2) const {
    int n = 0;
    for (int x = x1; x < x2; ++x)
      for (int y = y1; y < y2; ++y) n += encre(x, y);
    return n;
  }
};

TAccord AccordBarre() {
  TAccord a;
  a.Nom = "F";
  a.FretteBase = 1;
  const int f[7] = {0, 1, 1, 2, 3, 3, 1};
  for (int s = 1; s <= 6; ++s) a.Frettes[s] = f[s];
  CalculerBarres(a);
  return a;
}

}  // namespace

TEST(ChordDiagram, SmallGridNutAndBarre) {
  Image im;
  const int X = 40, Y = 30;
  {
    TCanvas c(&im.img);
    DessinerDiagrammePetit(AccordBarre(), c, X, Y, false, clBlack);
    EXPECT_EQ(c.Brush.Style, TBrushStyle::bsClear);
    EXPECT_EQ(c.Font.Name, "Small Fonts");
    EXPECT_EQ(c.Font.Size, 7);
  }
  // Fret lines are 26 pixels long: the 27th stays blank.
  EXPECT_TRUE(im.encre(X, Y + 10));
  EXPECT_TRUE(im.encre(X + 25, Y + 10));
  EXPECT_FALSE(im.encre(X + 26, Y + 10));
  EXPECT_TRUE(im.encre(X + 13, Y - 2));  // nut
  // Barre on fret 1: rows y+2 and y+3 from string 1 + 1 to string 6 - 2 (end excluded).
  EXPECT_TRUE(im.encre(X + 26, Y + 2));
  EXPECT_TRUE(im.encre(X - 1, Y + 3));
  EXPECT_FALSE(im.encre(X - 2, Y + 2));
  // Dot of string 4 at fret 3: string 4 at X + 10, cell top Y + 10.
  EXPECT_TRUE(im.encre(X + 9, Y + 12));
  EXPECT_TRUE(im.encre(X + 11, Y + 13));
  EXPECT_FALSE(im.encre(X + 12, Y + 12));
}

TEST(ChordDiagram, MarksAboveTheGridFollowTheNut) {
  TAccord a;
  a.FretteBase = 1;
  a.Frettes[1] = 0;   // open
  a.Frettes[6] = -1;  // not played
  for (int s = 2; s <= 5; ++s) a.Frettes[s] = 2;
  Image im;
  const int X = 40, Y = 30;
  {
    TCanvas c(&im.img);
    DessinerDiagrammePetit(a, c, X, Y, false, clRed);
  }
  const int xs1 = X + 25;
  // Open-string diamond lifted by 2 above the nut.
  EXPECT_EQ(im.px(xs1, Y - 6), clRed);
  EXPECT_EQ(im.px(xs1 - 1, Y - 5), clRed);
  EXPECT_EQ(im.px(xs1 + 1, Y - 5), clRed);
  EXPECT_FALSE(im.encre(xs1, Y - 5));  // the diamond is hollow
  // Cross on string 6: from (X-1, Y-6) towards (X+2, Y-3), end excluded.
  EXPECT_TRUE(im.encre(X - 1, Y - 6));
  EXPECT_TRUE(im.encre(X + 1, Y - 4));
  EXPECT_FALSE(im.encre(X + 2, Y - 3));

  a.FretteBase = 2;
  Image im2;
  {
    TCanvas c(&im2.img);
    DessinerDiagrammePetit(a, c, X, Y, false, clRed);
  }
  EXPECT_FALSE(im2.encre(X + 13, Y - 2));   // no nut
  EXPECT_EQ(im2.px(xs1, Y - 4), clRed);     // marks not lifted
  EXPECT_GT(im2.encreDans(X - 12, Y - 2, X - 1, Y + 10), 0);  // first fret number at the left
}

TEST(ChordDiagram, NameNeedsFlagTextAndLayoutOption) {
  const int X = 40, Y = 20;
  auto encreNom = [&](const TAccord& a, bool avecNom, bool option, int taille) {
    ParamEcran.AffChordsName = option;
    Image im;
    {
      TCanvas c(&im.img);
      DessinerDiagramme(taille, a, c, X, Y, avecNom, clBlack);
    }
    const int haut = taille == 3 ? 26 : taille == 2 ? 31 : 36;
    return im.encreDans(X - 10, Y + haut, X + 50, Y + haut + 14);
  };
  TAccord a = AccordBarre();
  EXPECT_GT(encreNom(a, true, true, 3), 0);
  EXPECT_GT(encreNom(a, true, true, 2), 0);
  EXPECT_GT(encreNom(a, true, true, 1), 0);
  EXPECT_EQ(encreNom(a, false, true, 3), 0);
  EXPECT_EQ(encreNom(a, true, false, 3), 0);
  a.Nom.clear();
  EXPECT_EQ(encreNom(a, true, true, 1), 0);
  ParamEcran.AffChordsName = false;
}

TEST(ChordDiagram, MediumAndLargeBarresAndDots) {
  const int X = 40, Y = 30;
  Image moyen, grand;
  {
    TCanvas c(&moyen.img);
    DessinerDiagrammeMoyen(AccordBarre(), c, X, Y, false, clBlack);
  }
  {
    TCanvas c(&grand.img);
    DessinerDiagrammeGrand(AccordBarre(), c, X, Y, false, clBlack);
  }
  // Medium: grid 31 long; barre box from string 6 - 1 to string 1 + 2 (right edge out), rows y+2..y+4.
  EXPECT_FALSE(moyen.encre(X + 31, Y + 6));
  EXPECT_TRUE(moyen.encre(X - 1, Y + 4));
  EXPECT_TRUE(moyen.encre(X + 31, Y + 3));
  EXPECT_TRUE(moyen.encre(X + 32, Y + 3));  // the extra end pixels
  EXPECT_TRUE(moyen.encre(X - 2, Y + 3));
  EXPECT_FALSE(moyen.encre(X + 33, Y + 3));
  EXPECT_FALSE(moyen.encre(X + 32, Y + 2));
  EXPECT_FALSE(moyen.encre(X + 16, Y + 5));
  // Large: grid 36 long, filled barre down to y+5, the box's bottom edge y+6 left out.
  EXPECT_TRUE(grand.encre(X + 35, Y + 7));
  EXPECT_FALSE(grand.encre(X + 36, Y + 7));
  EXPECT_TRUE(grand.encre(X + 17, Y + 5));
  EXPECT_FALSE(grand.encre(X + 19, Y + 6));
  EXPECT_TRUE(grand.encre(X + 37, Y + 4));
  EXPECT_FALSE(grand.encre(X + 37, Y + 5));
}
