// The printed page's layout in millimetres: scale, beat spacing, systems, pages, the chord block
// and the area mode; the page range of the print dialog; the preview's scale and page bounds.
#include <cmath>

#include "VueOutils.h"
#include "song/ListesAccords.h"
#include "view/DessinImp.h"
#include "view/MiseEnPageImp.h"

namespace {

// A4 as a 300 dpi printer reports it: 2480 x 3508 pixels.
constexpr double kA4L = 2480 * 25.4 / 300, kA4H = 3508 * 25.4 / 300;

class ImpTest : public VueTest {
 protected:
  void SetUp() override {
    VueTest::SetUp();
    zone = ZoneImpression;
    param = ParamImpression;
    nbAccords = NbAccordsImprimer;
    ZoneImpressionParDefaut(ZoneImpression);
    CalculeParamImpression();
  }
  void TearDown() override {
    ZoneImpression = zone;
    ParamImpression = param;
    NbAccordsImprimer = nbAccords;
    VueTest::TearDown();
  }
  static TMiseEnPageImp A4() {
    return MiseEnPageImpression(Partition, 1, ZoneImpression, ParamImpression, kA4L, kA4H, 0);
  }
  TZoneImpression zone;
  TParamImpression param;
  int nbAccords = 0;
};

TEST_F(ImpTest, ScaleAndSpacingParameters) {
  const std::pair<int, double> zooms[] = {{0, 1.0}, {20, 2.0}, {-20, 0.5}, {40, 3.0}, {-40, 1.0 / 3}};
  for (auto [g, z] : zooms) EXPECT_DOUBLE_EQ(ZoomProportions(g), z) << g;
  // Spacing 6 gives k = 1.1, squared.
  TZoneImpression z = ZoneImpression;
  z.CoefEspAff_Prt = 6;
  TParamImpression pi;
  CalculeParamImpression(pi, z);
  EXPECT_NEAR(pi.LargeurMin[96], 6 * 1.21, 1e-12);
  EXPECT_EQ(ParamImpression.LargeurMin[32], 0);  // eighth triplets have no minimum
  const std::pair<int, const char*> noms[] = {{64, "E"}, {59, "B"}, {0, "C"}, {61, "C#"}};
  for (auto [h, n] : noms) EXPECT_EQ(NomNote(h), QString::fromLatin1(n));
}

TEST_F(ImpTest, FourQuartersAreSpacedByTheirMinimumWidth) {
  Noires(1);
  const TMesureImp m = CalculerLargeursImp(Partition, 1, ParamImpression, 1);
  EXPECT_EQ(std::vector<double>(m.XImp + 1, m.XImp + 5), (std::vector<double>{0, 6, 12, 18}));
  EXPECT_DOUBLE_EQ(m.LargeurImp, 24);
  EXPECT_DOUBLE_EQ(m.MargeGaucheImp, 2 + 3.5);  // first measure and its time signature
  EXPECT_DOUBLE_EQ(m.MargeDroiteImp, 2);        // and the song's last
}

TEST_F(ImpTest, SystemsFillTheLineExceptAShortLastOne) {
  Noires(30);
  const TMiseEnPageImp mp = A4();
  const double L = kA4L - 20;
  for (const TSystemeImp& s : mp.Pages[0].Systemes) {
    SCOPED_TRACE(s.Debut);
    EXPECT_NEAR(s.Mesures.back().XFin, L, 1e-9);
  }
  // The last system is stretched only when its natural width reaches three quarters of the line.
  for (int n : {31, 36}) {
    NouvellePartition();
    Noires(n);
    const TMiseEnPageImp doc = A4();
    const TSystemeImp& dernier = doc.Pages.back().Systemes.back();
    double naturelle = 0;
    for (int m = dernier.Debut; m <= dernier.Fin; ++m) {
      const TMesureImp mi = CalculerLargeursImp(Partition, 1, ParamImpression, m);
      naturelle += mi.LargeurImp + mi.MargeGaucheImp + mi.MargeDroiteImp + ParamImpression.EspAvantTemps;
    }
    SCOPED_TRACE(n);
    EXPECT_EQ(dernier.Fin, n);
    EXPECT_NEAR(dernier.Mesures.back().XFin, L / naturelle > 4.0 / 3 ? naturelle : L, 1e-9);
  }
  // A measure wider than the line is alone on its system and compressed to it.
  NouvellePartition();
  for (int b = 0; b < 60; ++b) Temps(1, 2);
  const TSystemeImp s = MettreEnSysteme(Partition, 1, ParamImpression, 1, 100);
  EXPECT_EQ(s.Fin, 1);
  EXPECT_NEAR(s.Mesures[0].XFin, 100, 1e-9);
}

TEST_F(ImpTest, PagesAtA4Defaults) {
  Noires(200);
  const TMiseEnPageImp mp = A4();
  ASSERT_GE(mp.NbPages(), 3);
  const auto& p1 = mp.Pages[0].Systemes;
  EXPECT_DOUBLE_EQ(p1[0].Y, 62);
  EXPECT_DOUBLE_EQ(p1[1].Y - p1[0].Y, 43.75);
  EXPECT_EQ(p1.size(), 5u);
  EXPECT_EQ(mp.Pages[1].Systemes.size(), 6u);
  EXPECT_DOUBLE_EQ(mp.Pages[1].Systemes[0].Y, 25);  // top margin + 10, no header
  // Systems follow each other without a gap from page to page.
  int suivante = 1;
  for (const TPageImp& p : mp.Pages)
    for (const TSystemeImp& s : p.Systemes) {
      EXPECT_EQ(s.Debut, suivante);
      suivante = s.Fin + 1;
    }
  EXPECT_EQ(suivante, 201);
  // Triplet feel adds its header line: the first system moves 8 mm down.
  Partition.TripletFeel = 1;
  EXPECT_DOUBLE_EQ(A4().Pages[0].Systemes[0].Y, 70);
}

// At every global proportion, the chord diagram above the first system of a later page (its grid,
// nut and open-string marks) starts on the paper; up to a zoom of 1 the page is laid out as it was.
TEST_F(ImpTest, LaterPagesKeepTheirDiagramsOnThePaper) {
  Noires(1000);
  for (int g = -40; g <= 40; ++g) {
    SCOPED_TRACE(g);
    ZoneImpression.GlobalProportions_Prt = g;
    const TMiseEnPageImp mp = A4();
    ASSERT_GE(mp.NbPages(), 2);
    const double y = mp.Pages[1].Systemes[0].Y;
    const double s = Imp::CaseDiag * FacteurDiagramme(ZoneImpression.ChordSize_Prt);
    const double haut = y - Imp::PosDiagAc - ZoneImpression.EspDiagAc_Prt / 3.0 - 5 * s - s / 3 - 3 * s / 3.5;
    EXPECT_GE(haut, 0);
    if (g <= 0) {
      EXPECT_DOUBLE_EQ(y, mp.Geo.H + 10);
    }
  }
}

TEST_F(ImpTest, ChordBlockRows) {
  EXPECT_EQ(DiagrammesParRangee(ZoneImpression, kA4L - 20), 14);
  EXPECT_DOUBLE_EQ(HauteurListeAccords(ZoneImpression, 7, kA4L - 20), 15);
  EXPECT_NEAR(HauteurListeAccords(ZoneImpression, 7, 45), 2 * 5 * 8 / 3.0 + 15, 1e-9);  // rows of 3, 3, 1
  EXPECT_EQ(HauteurListeAccords(ZoneImpression, 0, 45), 0);
  EXPECT_EQ(DiagrammesParRangee(ZoneImpression, 1), 1);  // never none
  // Rows of 3, 3 and 1: every row centred on the line.
  TZoneImpression z = ZoneImpression;
  z.MargeGaucheLignes = 10;
  z.MargeDroiteLignes = 210 - 55;
  TMiseEnPageImp mp = MiseEnPageImpression(Partition, 1, z, ParamImpression, 210, 297, 7);
  const auto places = PlacesListeAccords(z, mp, 7);
  ASSERT_EQ(places.size(), 7u);
  EXPECT_NEAR(places[1].Xc, 10 + 45 / 2.0, 1e-9);
  EXPECT_NEAR(places[6].Xc, 10 + 45 / 2.0, 1e-9);
  EXPECT_NEAR(places[6].Yb - places[0].Yb, 2 * 5 * 8 / 3.0, 1e-9);
}

TEST_F(ImpTest, AreaModeCentresAndFramesTheContent) {
  TZoneImpression z = ZoneImpression;
  z.FullPage = false;
  z.Largeur_Prt = z.Hauteur_Prt = 100;
  z.MargeGaucheLignes = z.MargeDroiteLignes = z.MargeHautePart = z.MargeBassePart = 10;
  z.Center_Prt = true;
  const TGeometrieImp g = GeometrieImpression(z, 210, 297);
  EXPECT_DOUBLE_EQ(g.G, g.D);
  EXPECT_DOUBLE_EQ(g.H, g.B);
  EXPECT_DOUBLE_EQ(g.Wp() - g.D - g.G, 90);  // the area less its inner margins
  EXPECT_DOUBLE_EQ(g.G - g.G0, 50);          // the frame stands 10 mm outside the content
  // Proportions double the content while the margins keep their physical size.
  z = ZoneImpression;
  z.GlobalProportions_Prt = 20;
  const TGeometrieImp g2 = GeometrieImpression(z, 210, 297);
  EXPECT_DOUBLE_EQ(g2.G * g2.Zoom, 10);
  EXPECT_DOUBLE_EQ(g2.Wp(), 105);
  // The layout never touches the settings' margins.
  EXPECT_EQ(z.MargeGaucheLignes, 10);
}

TEST_F(ImpTest, PageRangeFromTheDialog) {
  struct Cas {
    bool pages;
    const char *deb, *fin;
    int a, b;
  } cas[] = {{false, "3", "4", 0, 0}, {true, "3", "", 3, 3}, {true, "5", "2", 2, 5},
             {true, "x", "4", 0, 4},   {true, "", "", 0, 0}, {true, " 2 ", "3", 2, 3}};
  for (const Cas& c : cas) {
    int a = -1, b = -1;
    PlagePages(c.pages, QString::fromLatin1(c.deb), QString::fromLatin1(c.fin), a, b);
    EXPECT_EQ(a, c.a) << c.deb << ".." << c.fin;
    EXPECT_EQ(b, c.b) << c.deb << ".." << c.fin;
  }
}

TEST_F(ImpTest, PreviewScaleAndPageStayInBounds) {
  EXPECT_DOUBLE_EQ(ZoomAvantApercu(1.8), 2.0);
  EXPECT_DOUBLE_EQ(ZoomAvantApercu(2.0), 2.0);
  EXPECT_DOUBLE_EQ(ZoomArriereApercu(0.18), 0.15);
  EXPECT_DOUBLE_EQ(ZoomArriereApercu(0.15), 0.15);
  EXPECT_DOUBLE_EQ(BornerEchelleApercu(-3), 0.15);
  EXPECT_DOUBLE_EQ(BornerEchelleApercu(std::nan("")), 1.0);
  EXPECT_EQ(BornerPage(5, 4), 4);
  EXPECT_EQ(BornerPage(0, 4), 1);
  EXPECT_EQ(BornerPage(3, 0), 1);
}

}  // namespace
