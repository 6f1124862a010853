// The score view's layout: derived sizes, beat positions, line breaking and justification, the
// band ring and its scrolling, the chord strip, the current-measure frame and clicks.
#include <functional>
#include <vector>

#include "VueOutils.h"
#include "view/Espacement.h"
#include "view/MiseEnPageImp.h"

namespace {
using Layout = VueTest;

struct CasParam {
  int coefEsp, espLignes;
  int base, avant;
  int mini[6];  // 16th, 8th, quarter, half, dotted half, whole
  int margeRenvoi, margeSignature;
};

TEST_F(Layout, DerivedSizesRoundHalvesToEven) {
  const CasParam cas[] = {
      {5, 10, 19, 18, {18, 22, 26, 30, 34, 37}, 13, 13},
      {10, 8, 43, 40, {40, 50, 58, 68, 76, 83}, 9, 10},  // z = 2.25: 18 x 2.25 = 40.5 gives 40
      {0, 9, 10, 9, {9, 11, 13, 15, 17, 18}, 13, 13},    // z = 0.5: 9.5 gives 10, 18.5 gives 18
  };
  for (const CasParam& c : cas) {
    TParamEcran e = ParamEcran;
    e.CoefEspAff = c.coefEsp;
    e.EspLignes = c.espLignes;
    CalculeParamEcran(e);
    SCOPED_TRACE(c.coefEsp);
    EXPECT_EQ(e.LargeurBase, c.base);
    EXPECT_EQ(e.EspAvantTemps, c.avant);
    const int durees[6] = {120, 240, 480, 960, 1440, 1920};
    for (int i = 0; i < 6; ++i) EXPECT_EQ(LargeurMinimale(e, durees[i]), c.mini[i]) << durees[i];
    EXPECT_EQ(e.MargeRenvoiDebut, c.margeRenvoi);
    EXPECT_EQ(e.MargeSignature, c.margeSignature);
  }
  // Lengths without a minimum, and lengths outside the table.
  for (int d : {20, 40, 80, 2880, 0, -30, 100000}) EXPECT_EQ(LargeurMinimale(ParamEcran, d), 0) << d;
}

TEST_F(Layout, OneMeasureOfQuartersIsPlacedButNotStretched) {
  Noires(1);
  CalculerLargeursMesure(VuePartition, Partition, 1, ParamEcran, 1);
  EXPECT_EQ(std::vector<int>(V(1).X + 1, V(1).X + 5), (std::vector<int>{0, 26, 52, 78}));
  EXPECT_EQ(V(1).LargeurTemps, 104);
  EXPECT_EQ(V(1).MargeGauche, 8 + 13);
  EXPECT_EQ(V(1).MargeDroite, 8);
  Mettre();
  EXPECT_EQ(VuePartition.NbLignes, 1);
  EXPECT_EQ(std::vector<int>(V(1).X + 1, V(1).X + 5), (std::vector<int>{39, 65, 91, 117}));
  EXPECT_EQ(V(1).XDebut, 25);
  EXPECT_EQ(V(1).XFin, 25 + 143 + 8);
  EXPECT_EQ(V(1).YPortee, 64);
  EXPECT_EQ(VuePartition.HauteurBande, 152);
}

TEST_F(Layout, LinesHoldWholeMeasuresAndOnlyAShortLastLineKeepsItsWidth) {
  struct Cas {
    int mesures, lignes, derniere;  // measures, lines, end of the last measure (XFin less the margin)
  } const cas[] = {
      {5, 1, 749},   // one line of 5 that ends the song, over 3/4 full: stretched (to 750 but rounding)
      {9, 2, 496},   // second line 4 x 122 + 8 = 496 of 750: under 3/4, natural width
      {10, 2, 748},  // second line 618 of 750: stretched
  };
  for (const Cas& c : cas) {
    SCOPED_TRACE(c.mesures);
    NouvellePartition();
    Noires(c.mesures);
    Mettre();
    EXPECT_EQ(VuePartition.NbLignes, c.lignes);
    EXPECT_EQ(VuePartition.PremiereMesureLigne[1], 1);
    EXPECT_EQ(VuePartition.DerniereMesureLigne[1], 5);
    EXPECT_EQ(V(c.mesures).XFin - ParamEcran.MargeGaucheLignes, c.derniere);
    for (int m = 1; m <= c.mesures; ++m) {
      EXPECT_EQ(V(m).Ligne, m <= 5 ? 1 : 2);
      if (m > 1 && V(m).Ligne == V(m - 1).Ligne) {
        EXPECT_EQ(V(m).XDebut, V(m - 1).XFin);
      }
    }
  }
}

TEST_F(Layout, DamagedOrExtremeInputStaysFiniteAndInsideItsTables) {
  // A beat without length beside a quarter.
  Temps(1, 0).Duree = 0;
  Temps(1, 0);
  CalculerLargeursMesure(VuePartition, Partition, 1, ParamEcran, 1);
  EXPECT_EQ(V(1).X[2], 0);
  EXPECT_EQ(V(1).LargeurTemps, 26);

  // A 64th after a whole note with an extreme proportion: its gap rounds to 0 and counts as 1.
  NouvellePartition();
  ParamEcran.CoefPAff = 100;
  Temps(1, -2);
  Temps(1, 4);
  CalculerLargeursMesure(VuePartition, Partition, 1, ParamEcran, 1);
  EXPECT_EQ(V(1).X[2], 19 * 18);
  EXPECT_EQ(V(1).LargeurTemps, 19 * 18);
  ParamEcran.CoefPAff = 1.5;

  // 1000 measures in a window narrower than one measure: one line each, none squeezed below 0.
  NouvellePartition();
  Noires(NB_MESURES_MAX);
  Taille(60, 600, 608);
  Mettre();
  EXPECT_EQ(VuePartition.NbLignes, NB_MESURES_MAX);
  EXPECT_EQ(VuePartition.PremiereMesureLigne[NB_MESURES_MAX], NB_MESURES_MAX);
  for (int m : {1, 500, 501, 1000}) {
    EXPECT_EQ(V(m).Ligne, m);
    for (int b = 1; b <= 4; ++b) EXPECT_GE(V(m).X[b], V(m).XDebut - ParamEcran.MargeGaucheLignes);
    EXPECT_GE(V(m).XFin, V(m).XDebut);
  }
}

TEST_F(Layout, TheRingCoversTheVisibleHeightPlusFourBands) {
  struct Cas {
    int espLignes, espPortees, visible, bandes, hauteur;
  } const cas[] = {
      {10, 102, 608, 8, 152},
      {10, 102, 609, 9, 152},
      {10, 102, 100000, 30, 152},
      {0, 0, 608, 30, 1},  // both spacings 0: bands of one pixel, no division by zero
  };
  for (const Cas& c : cas) {
    ParamEcran.EspLignes = c.espLignes;
    ParamEcran.EspPortees = c.espPortees;
    Taille(800, 600, c.visible);
    EXPECT_EQ(VuePartition.NbBandes, c.bandes) << c.visible;
    EXPECT_EQ(VuePartition.HauteurBande, c.hauteur);
  }
}

TEST_F(Layout, ScrollingDrawsOnlyTheLinesTheRingLacks) {
  struct Cas {
    int bandes, dessins;
  } const cas[] = {{1, 0}, {2, 0}, {3, 0}, {5, 2}, {10, 7}};
  for (const Cas& c : cas) {
    Taille(800, 600, 608);
    VuePartition.NbLignes = 100;
    int dessins = 0;
    DefilerVuePartition(VuePartition, c.bandes * 152, [&](int) { ++dessins; });
    EXPECT_EQ(dessins, c.dessins) << c.bandes;
    // The bands still show lines PremiereLigne.. in ring order at their scrolled places.
    for (int l = VuePartition.PremiereLigne; l < VuePartition.PremiereLigne + VuePartition.NbBandes; ++l)
      EXPECT_EQ(VuePartition.HautBande[BandeDeLigne(VuePartition, l)], (l - 1) * 152 - c.bandes * 152);
    dessins = 0;
    DefilerVuePartition(VuePartition, 0, [&](int) { ++dessins; });
    EXPECT_EQ(dessins, c.dessins);
    EXPECT_EQ(VuePartition.PremiereLigne, 1);
  }
  // End to end by pages: every line is drawn once, as it comes into view.
  Taille(800, 600, 608);
  VuePartition.NbLignes = 1000;
  std::vector<int> vues;
  for (int p = 0; p <= 1000 * 152; p += 600) DefilerVuePartition(VuePartition, p, [&](int l) { vues.push_back(l); });
  ASSERT_EQ(vues.size(), 1000u - 8u);
  for (size_t i = 0; i < vues.size(); ++i) EXPECT_EQ(vues[i], static_cast<int>(i) + 9);
}

// A far move, and a resize (the ring back at line 1, then back where it was), draw only the lines
// that end in the bands, each where a walk of one band height at a time leaves it.
TEST_F(Layout, AFarMoveOrAResizeDrawsOnlyTheBandsWhereTheRingSettles) {
  Noires(200);
  Mettre();
  struct Anneau {
    TVuePartition v = VuePartition;
    int ligne[NB_BANDES_MAX + 1] = {}, dessins = 0;
    void operator()(int l) { ligne[BandeDeLigne(v, l)] = l, ++dessins; }
    void Marcher(int vers) {  // one band height at a time
      for (int p = v.Position; p != vers; DefilerVuePartition(v, p, std::ref(*this)))
        p += std::clamp(vers - p, -v.HauteurBande, v.HauteurBande);
    }
  };
  const int fin = VuePartition.PositionMax, HB = VuePartition.HauteurBande;
  const int cas[][3] = {{0, fin, 0}, {fin, 0, 0}, {fin, 10 * HB + 7, 0}, {0, 12 * HB, 0}, {fin, fin, 1}};
  for (const auto& [depuis, vers, redimension] : cas) {
    Anneau pas;
    pas.Marcher(depuis);
    Anneau saut = pas;
    saut.dessins = 0;
    TDessinDiffere differe;
    if (redimension) DimensionnerBandes(saut.v, ParamEcran, 6, 806, 600, 608);
    DefilerVuePartition(saut.v, vers, [&](int l) { redimension ? differe.Noter(saut.v, l) : saut(l); });
    differe.Dessiner(saut.v, std::ref(saut));
    pas.Marcher(vers);
    EXPECT_LE(saut.dessins, saut.v.NbBandes) << vers;
    EXPECT_TRUE(std::equal(saut.ligne, std::end(saut.ligne), pas.ligne)) << vers;
    EXPECT_TRUE(std::equal(saut.v.HautBande, std::end(saut.v.HautBande), pas.v.HautBande)) << vers;
  }
}

TEST_F(Layout, AChangedMeasureRedrawsItsLineAndTheLinesWhoseMeasuresMoved) {
  Noires(12);
  std::vector<int> dessinees;
  auto dessiner = [&](int l) { dessinees.push_back(l); };
  RafraichirVuePartition(Partition, 1, dessiner);
  EXPECT_EQ(dessinees, (std::vector<int>{1, 2, 3, 4, 5, 6, 7, 8}));  // lines past the end give empty bands
  M(7).Temps[1][2].Notes[1].Frette = 9;                              // same widths
  EXPECT_EQ(RafraichirMesureModifiee(Partition, 1, 7, {}), (std::vector<int>{2}));
  for (int b = 0; b < 8; ++b) Temps(3, 1);  // measure 3 grows: lines 1 to 3 change their ranges
  EXPECT_EQ(RafraichirMesureModifiee(Partition, 1, 3, {}), (std::vector<int>{1, 2, 3}));
}

TEST_F(Layout, ChordStripRowsAreCentredAndNeverEmpty) {
  ParamEcran.TypeDiag = 3;
  Taille(270, 600, 608);  // usable 220: five diagrams of 26 with gaps of 17 per row
  DimensionnerBandeDiagrammes(VuePartition, ParamEcran, 7);
  EXPECT_EQ(VuePartition.HauteurDiagrammes, 51 + 26 + 55);
  EXPECT_EQ(VuePartition.PositionMin, -(51 + 26 + 55));
  int x = 0, y = 0;
  PositionDiagramme(VuePartition, ParamEcran, 7, 5, x, y);
  EXPECT_EQ(x, 25 + 76);
  EXPECT_EQ(y, 66);
  PositionDiagramme(VuePartition, ParamEcran, 7, 6, x, y);
  EXPECT_EQ(x, 25 + 118);
  PositionDiagramme(VuePartition, ParamEcran, 7, 2, x, y);  // middle of a full row
  EXPECT_EQ(x, 25 + 110 - 13);
  EXPECT_EQ(y, 15);
  Taille(40, 600, 608);  // narrower than one diagram: one per row
  DimensionnerBandeDiagrammes(VuePartition, ParamEcran, 3);
  EXPECT_EQ(VuePartition.HauteurDiagrammes, 2 * 51 + 26 + 55);
  ParamEcran.AffListChord = false;
  DimensionnerBandeDiagrammes(VuePartition, ParamEcran, 3);
  EXPECT_EQ(VuePartition.HauteurDiagrammes, 0);
}

TEST_F(Layout, FrameAndFollowScrolling) {
  Noires(30);
  Mettre();
  const TCadre c = CadreMesure(VuePartition, Partition, 1, ParamEcran, 1);
  EXPECT_EQ(c.Gauche, 25 + 6);
  EXPECT_EQ(c.Haut, 64 - 10);
  EXPECT_EQ(c.Largeur, V(1).XFin - V(1).XDebut - 14);
  EXPECT_EQ(c.Hauteur, 7 * 10 + 1);
  EXPECT_EQ(CadreMesure(VuePartition, Partition, 1, ParamEcran, 30).Largeur, V(30).XFin - V(30).XDebut - 12);

  VuePartition.HauteurPanneau = 400;
  MajBarreDefilement(VuePartition);
  ASSERT_EQ(V(12).Ligne, 3);
  struct Cas {
    int position;
    bool lecture;
    int type, attendu;
  } const cas[] = {
      {0, false, 1, 56},     // line 3 (304..456) is partly visible: brought fully into view
      {0, true, 1, 304},     // playing, screen by screen: the page turns to it
      {400, false, 1, 304},  // above the view
      {100, true, 2, 304},   // staff by staff: at the top
  };
  for (const Cas& k : cas) {
    VuePartition.Position = k.position;
    EXPECT_EQ(PositionPourMesure(VuePartition, 12, k.lecture, k.type), k.attendu)
        << k.position << " " << k.lecture << " " << k.type;
  }
}

TEST_F(Layout, AClickPicksTheMeasureTheNearestBeatAndTheString) {
  Noires(2);
  Mettre();
  const int x1 = 25 + V(1).X[1], x2 = 25 + V(1).X[2], y = V(1).YPortee;
  struct Cas {
    int x, y, mesure, corde, temps;
  } const cas[] = {
      {x1, y, 1, 1, 1},
      {x1 + 12, y + 14, 1, 2, 1},  // nearer beat 1; 1.4 strings down rounds to string 2
      {x2 - 12, y + 16, 1, 3, 2},
      {V(1).XDebut + 1, y, 1, 1, 1},  // left of the first beat
      {x1, y + 500, 1, 6, 1},         // below the lowest string
      {x1, y - 80, 1, 1, 1},
      {V(2).X[4] + 25, y + 50, 2, 6, 4},
      {V(2).XFin + 5, y, 0, 1, 1},  // past the last measure
  };
  for (const Cas& c : cas) {
    const TClicVue r = ClicBande(VuePartition, Partition, 1, ParamEcran, 1, c.x, c.y);
    EXPECT_EQ(r.Mesure, c.mesure) << c.x << "," << c.y;
    if (r.Mesure) {
      EXPECT_EQ(r.Corde, c.corde) << c.x << "," << c.y;
      EXPECT_EQ(r.Temps, c.temps) << c.x << "," << c.y;
    }
  }
  EXPECT_EQ(ClicBande(VuePartition, Partition, 1, ParamEcran, 2, x1, y).Mesure, 0);  // a band without a line
}

// A measure whose signature differs from the one before, by either number, has room for it on
// screen and on paper.
TEST_F(Layout, RoomForASignatureThatChanges) {
  const struct {
    int num, den;  // of measures 2 and 3, after a measure of 3/4
    bool place;
  } cas[] = {{3, 4, false}, {4, 4, true}, {3, 8, true}};
  for (const auto& c : cas) {
    SCOPED_TRACE(std::to_string(c.num) + "/" + std::to_string(c.den));
    NouvellePartition();
    Noires(3);
    M(1).Numerateur = 3;
    for (int m : {2, 3}) {
      M(m).Numerateur = static_cast<uint8_t>(c.num);
      M(m).Denominateur = static_cast<uint8_t>(c.den);
    }
    CalculerLargeursMesure(VuePartition, Partition, 1, ParamEcran, 2);
    EXPECT_EQ(V(2).MargeGauche, c.place ? ParamEcran.MargeSignature : 0);
    EXPECT_DOUBLE_EQ(CalculerLargeursImp(Partition, 1, ParamImpression, 2).MargeGaucheImp,
                     c.place ? Imp::MargeSignature : 0);
    CalculerLargeursMesure(VuePartition, Partition, 1, ParamEcran, 3);
    EXPECT_EQ(V(3).MargeGauche, 0);
  }
}

TEST(Espacement, PowerLawAndLastLineRule) {
  EXPECT_DOUBLE_EQ(LargeurProportionnelle(19, 1.5, 480, 480), 19);
  EXPECT_NEAR(LargeurProportionnelle(19, 1.5, 240, 480), 19 / 1.5, 1e-9);
  EXPECT_NEAR(LargeurProportionnelle(19, 2, 120, 480), 19 / 4.0, 1e-9);
  EXPECT_EQ(LargeurProportionnelle(19, 1.5, 0, 480), 0);
  EXPECT_FALSE(LigneJustifiee(true, 100, 70));
  EXPECT_TRUE(LigneJustifiee(true, 100, 80));
  EXPECT_TRUE(LigneJustifiee(true, 100, 75));
  EXPECT_TRUE(LigneJustifiee(false, 100, 10));
}
}  // namespace
