// The edit zone: the measure status and its labels, the beam links of the rhythm grouping, and
// the font-independent pixels of the drawing on an image.
#include <gtest/gtest.h>

#include <QImage>

#include "editor/Curseur.h"
#include "song/Song.h"
#include "song/MarkTexts.h"
#include "editor/state/EtatEdition.h"
#include "editor/state/EtatProgramme.h"
#include "editor/Saisie.h"
#include "editor/state/Partition.h"
#include "editor/EditZoneModel.h"
#include "editor/state/RedessinSaisie.h"
#include "editor/ui/ZoneSaisie.h"
#include "song/Rythme.h"
#include "platform/Canvas.h"
#include "settings/Config.h"
#include "tests/editor/VueFactice.h"
#include "settings/Langue.h"

namespace {

class ZoneSaisieTest : public ::testing::Test {
 protected:
  TVueFactice vue;
  void SetUp() override {
    NouvellePartition();
    Curseur = TCurseur{};
    PisteCourante = 1;
    SeparateurDecimal = '.';
    image = QImage(700, 170, QImage::Format_RGB32);
    image.fill(Qt::gray);
    InstallerZoneSaisie(&image);
  }
  void TearDown() override {
    RetirerZoneSaisie();
    if (qEnvironmentVariableIsSet("VEXO_DUMP"))
      image.save(QStringLiteral("/tmp/%1.png").arg(::testing::UnitTest::GetInstance()->current_test_info()->name()));
  }

  TMesure& M(int m = 1) { return *Partition.Mesures[m]; }
  // Appends a used beat of the given code to track 1 of measure 1.
  TTemps& Ajouter(int code, bool pointee = false, int mesure = 1) {
    TMesure& m = M(mesure);
    int b = ++m.NbTemps[1];
    TTemps& t = m.Temps[1][b];
    ViderTemps(t);
    t.CodeDuree = static_cast<int8_t>(code);
    t.Pointee = pointee;
    t.Triolet = 0;
    t.Duree = TicksDuree(code, pointee, false);
    t.Notes[3].Frette = 5;
    return t;
  }
  TTemps& Silence(int code) {
    TTemps& t = Ajouter(code);
    t.Notes[3].Frette = FRETTE_AUCUNE;
    t.Silence = 1;
    return t;
  }
  const uint8_t* Lig(int b, int mesure = 1) { return M(mesure).Temps[1][b].Ligature; }
  TColor Px(int x, int y) { return CanvasSaisie->Pixel(x, y); }
  int X(int b) const { return Curseur.XSaisie + b * Curseur.EcartTemps; }
  int Y(int s) const { return Curseur.YSaisie + (s - 1) * Curseur.EcartCordes; }
  int Yb() const { return Curseur.YSaisie + 6 * Curseur.EcartCordes; }
  // The cursor away from the beats under test.
  void CurseurLoin() {
    Curseur.Temps = M().NbTemps[1] + 1;
    Curseur.Corde = 1;
    PreparerTempsSaisie();
  }
  int CompterCouleur(int x1, int y1, int x2, int y2, TColor c) {
    int n = 0;
    for (int x = x1; x < x2; ++x)
      for (int y = y1; y < y2; ++y) n += Px(x, y) == c;
    return n;
  }

  QImage image;
};

// ------------------------------------------------------------------ status and labels

TEST_F(ZoneSaisieTest, StatusTextRoundsHalvesToEven) {
  DefinirTexteLangue("Gene-MesureIncomplete", "incomplete");
  Ajouter(4);  // a lone sixty-fourth: 0.0625 quarter
  AfficherEtatMesure();
  EXPECT_EQ(EtiquettesSaisie.NbTps, "0.062 : 4.000");
  EXPECT_EQ(EtiquettesSaisie.Etat, MeasureStatus::Incomplete);
  EXPECT_EQ(EtiquettesSaisie.NbTps2, "incomplete");
  EXPECT_EQ(EtiquettesSaisie.CouleurEtat, clRed);
  EXPECT_DOUBLE_EQ(M().DureeRemplie[1], 0.062);
  // 0.1875 rounds to 0.188 (8 is even), 0.3125 to 0.312.
  EXPECT_EQ(TexteDureeMesure(0.1875, 4.0, '.'), "0.188 : 4.000");
  EXPECT_EQ(TexteDureeMesure(0.3125, 3.0, ','), "0,312 : 3,000");
}

TEST_F(ZoneSaisieTest, StatusCompleteIncompleteTooLong) {
  DefinirTexteLangue("Gene-MesureComplete", "complete");
  DefinirTexteLangue("Gene-MesureDepassee", "too long");
  std::vector<EditZoneLabels> vus;
  vue.OnShowEditZoneLabels = [&](const EditZoneLabels& e) { vus.push_back(e); };
  for (int i = 0; i < 3; ++i) Ajouter(0);
  Ajouter(1);
  AfficherEtatMesure();
  EXPECT_EQ(EtiquettesSaisie.NbTps, "3.500 : 4.000");
  EXPECT_NE(EtiquettesSaisie.Etat, MeasureStatus::Complete);
  Ajouter(1);
  AfficherEtatMesure();
  EXPECT_EQ(EtiquettesSaisie.Etat, MeasureStatus::Complete);
  EXPECT_EQ(EtiquettesSaisie.CouleurEtat, clLime);
  EXPECT_EQ(EtiquettesSaisie.NbTps2, "complete");
  EXPECT_EQ(EtiquettesSaisie.Etat, MeasureStatus::Complete);
  Ajouter(1);
  AfficherEtatMesure();
  EXPECT_EQ(EtiquettesSaisie.Etat, MeasureStatus::TooLong);
  EXPECT_EQ(EtiquettesSaisie.NbTps, "4.500 : 4.000");
  EXPECT_EQ(EtiquettesSaisie.NbTps2, "too long");
  ASSERT_EQ(vus.size(), 3u);
  EXPECT_EQ(vus[1].Etat, MeasureStatus::Complete);
  // The input slot does not count, whatever its duration.
  M().Temps[1][M().NbTemps[1] + 1].Duree = 1920;
  M().NbTemps[1] -= 1;
  AfficherEtatMesure();
  EXPECT_EQ(EtiquettesSaisie.Etat, MeasureStatus::Complete);
  // Any measure, as data: three eighths fill 3/8.
  TMesure m38;
  m38.Numerateur = 3;
  m38.Denominateur = 8;
  m38.Duree = 1.5;
  m38.NbTemps[2] = 3;
  for (int b = 1; b <= 3; ++b) m38.Temps[2][b].Duree = 240;
  EXPECT_EQ(EtiquettesEtat(m38, 2, ',').Etat, MeasureStatus::Complete);
  EXPECT_EQ(EtiquettesEtat(m38, 2, ',').NbTps, "1,500 : 1,500");
  m38.NbTemps[2] = 2;
  EXPECT_EQ(EtiquettesEtat(m38, 2, ',').Etat, MeasureStatus::Incomplete);
}

TEST_F(ZoneSaisieTest, MeasureNumberAndSeparator) {
  EXPECT_EQ(TexteNumeroMesure(7, 12), "007 : 012");
  EXPECT_EQ(TexteNumeroMesure(1000, 1000), "1000 : 1000");
  Partition.NbMesures = 12;
  for (int m = 2; m <= 12; ++m) Partition.Mesures[m] = std::make_unique<TMesure>();
  Partition.MesureCourante = 5;
  AfficherNumeroMesure();
  EXPECT_EQ(EtiquettesSaisie.NumMesure, "005 : 012");
  SeparateurDecimal = ',';
  AfficherEtatMesure();
  EXPECT_EQ(EtiquettesSaisie.NbTps, "0,000 : 4,000");
}

TEST_F(ZoneSaisieTest, FretChordAmountAndEndingTexts) {
  EXPECT_EQ(TexteFrette(5, 6), "5");
  EXPECT_EQ(TexteFrette(12, 4), "(12)");
  EXPECT_EQ(TexteFrette(FRETTE_MORTE, 5), "x");
  EXPECT_EQ(TexteFrette(0, 1), "(0)");
  TAccord a;
  a.Nom = "Am";
  EXPECT_EQ(TexteNomAccord(a), "Am");
  a.Frettes[6] = 0;
  EXPECT_EQ(TexteNomAccord(a), "[Am]");
  EXPECT_EQ(TexteQuantite(0.25, '.'), "1/4");
  EXPECT_EQ(TexteQuantite(0.5, '.'), "1/2");
  EXPECT_EQ(TexteQuantite(0.75, '.'), "3/4");
  EXPECT_EQ(TexteQuantite(2.0, '.'), "2");
  EXPECT_EQ(TexteQuantite(1.5, ','), "1,5");
  DefinirTexteLangue("Repet-A", "to");
  EXPECT_EQ(TexteRepetition(1, 1, "to"), "1");
  EXPECT_EQ(TexteRepetition(2, 3, "to"), "2 to 3");
}

// ------------------------------------------------------------------ rhythm grouping

TEST_F(ZoneSaisieTest, GroupUnitsFromTimeSignature) {
  using V = std::vector<int>;
  EXPECT_EQ(UnitesGroupement(4, 4), V(4, 480));
  EXPECT_EQ(UnitesGroupement(3, 4), V(3, 480));
  EXPECT_EQ(UnitesGroupement(2, 2), V(4, 480));
  EXPECT_EQ(UnitesGroupement(6, 8), (V{720, 720}));
  EXPECT_EQ(UnitesGroupement(7, 8), (V{720, 480, 480}));
  EXPECT_EQ(UnitesGroupement(5, 8), (V{720, 480}));
  EXPECT_EQ(UnitesGroupement(9, 8), V(3, 720));
  EXPECT_EQ(UnitesGroupement(12, 8), V(4, 720));
  EXPECT_EQ(UnitesGroupement(4, 8), (V{480, 480}));
  EXPECT_EQ(UnitesGroupement(8, 8), V(4, 480));
  EXPECT_EQ(UnitesGroupement(16, 8), V(8, 480));
  EXPECT_EQ(UnitesGroupement(7, 16), (V{360, 240, 240}));
  EXPECT_EQ(UnitesGroupement(1, 8), (V{240}));
  // A damaged signature still gives a usable unit.
  EXPECT_EQ(UnitesGroupement(0, 4), (V{480}));
  EXPECT_EQ(UnitesGroupement(4, 3), (V{480}));
}

TEST_F(ZoneSaisieTest, EighthsIn44AreBeamedInPairs) {
  for (int i = 0; i < 8; ++i) Ajouter(1);
  RegrouperRythme(1);
  for (int b = 1; b <= 8; b += 2) {
    const uint8_t* a = Lig(b);
    const uint8_t* z = Lig(b + 1);
    EXPECT_EQ(std::vector<int>(a + 1, a + 8), (std::vector<int>{0, 0, 0, 1, b + 1, 1, 0})) << b;
    EXPECT_EQ(std::vector<int>(z + 1, z + 8), (std::vector<int>{1, b, 1, 0, 0, 0, 0})) << b + 1;
  }
}

TEST_F(ZoneSaisieTest, DottedEighthAndSixteenth) {
  Ajouter(1, true);
  Ajouter(2);
  RegrouperRythme(1);
  EXPECT_EQ(std::vector<int>(Lig(1) + 1, Lig(1) + 8), (std::vector<int>{0, 0, 0, 1, 2, 1, 2}));
  // The sixteenth's second beam is a stub to the left: it shares 1 beam with its previous beat.
  EXPECT_EQ(std::vector<int>(Lig(2) + 1, Lig(2) + 8), (std::vector<int>{1, 1, 2, 0, 0, 0, 0}));
}

TEST_F(ZoneSaisieTest, EighthBasedMeters) {
  M().Numerateur = 6;
  M().Denominateur = 8;
  M().Duree = 3.0;
  for (int i = 0; i < 6; ++i) Ajouter(1);
  RegrouperRythme(1);
  EXPECT_EQ(Lig(2)[5], 3);
  EXPECT_EQ(Lig(3)[5], 0);  // the first group ends after three eighths
  EXPECT_EQ(Lig(4)[2], 0);
  EXPECT_EQ(Lig(6)[2], 5);

  // 7/8: 3 + 2 + 2.
  M().NbTemps[1] = 0;
  M().Numerateur = 7;
  for (int i = 0; i < 7; ++i) Ajouter(1);
  RegrouperRythme(1);
  EXPECT_EQ(Lig(3)[5], 0);
  EXPECT_EQ(Lig(4)[5], 5);
  EXPECT_EQ(Lig(5)[5], 0);
  EXPECT_EQ(Lig(6)[5], 7);

  // The unit index moves by one per group: a half note (not a multiple of 720) stays in one
  // group with the eighths after it until their sum reaches a multiple of 720.
  M().NbTemps[1] = 0;
  Ajouter(-1);
  Ajouter(1);
  Ajouter(1);
  Ajouter(1);
  Ajouter(1);
  RegrouperRythme(1);
  EXPECT_EQ(Lig(2)[5], 3);
  EXPECT_EQ(Lig(3)[5], 0);  // 960 + 240 + 240 = 1440
  EXPECT_EQ(Lig(4)[5], 5);  // then units of two eighths

  // 12/8: four groups of three.
  M().NbTemps[1] = 0;
  M().Numerateur = 12;
  for (int i = 0; i < 12; ++i) Ajouter(1);
  RegrouperRythme(1);
  for (int b = 1; b <= 12; ++b) {
    EXPECT_EQ(Lig(b)[2], b % 3 == 1 ? 0 : b - 1) << b;
    EXPECT_EQ(Lig(b)[5], b % 3 == 0 ? 0 : b + 1) << b;
  }
}

TEST_F(ZoneSaisieTest, RestsInsideAGroup) {
  // A quarter rest is skipped: the eighths on both sides are joined over it.
  Ajouter(1);
  Silence(0);
  Ajouter(1);
  RegrouperRythme(1);
  EXPECT_EQ(Lig(1)[4], 1);
  EXPECT_EQ(Lig(1)[5], 3);
  EXPECT_EQ(Lig(3)[1], 1);
  EXPECT_EQ(Lig(3)[2], 1);
  EXPECT_EQ(std::vector<int>(Lig(2) + 1, Lig(2) + 8), std::vector<int>(7, 0));

  // An eighth rest takes part in the beam.
  M().NbTemps[1] = 0;
  Ajouter(1);
  Silence(1);
  RegrouperRythme(1);
  EXPECT_EQ(Lig(1)[5], 2);
  EXPECT_EQ(Lig(2)[2], 1);
  EXPECT_EQ(Lig(2)[1], 1);

  // A lone eighth draws its beam as a stub to the right; a quarter after it breaks the beam.
  M().NbTemps[1] = 0;
  Ajouter(1);
  Ajouter(0);
  Ajouter(0);
  Ajouter(0);
  Ajouter(1);
  RegrouperRythme(1);
  EXPECT_EQ(std::vector<int>(Lig(1) + 1, Lig(1) + 8), (std::vector<int>{0, 0, 0, 0, 2, 1, 0}));
  EXPECT_EQ(Lig(2)[1], 0);
  EXPECT_EQ(Lig(2)[2], 1);
}

TEST_F(ZoneSaisieTest, StaleLinksAreCleared) {
  Ajouter(1);
  Ajouter(1);
  RegrouperRythme(1);
  ASSERT_EQ(Lig(2)[2], 1);
  TTemps& t = M().Temps[1][2];
  t.Silence = 1;
  t.CodeDuree = 0;
  t.Duree = 480;
  RegrouperRythme(1);
  EXPECT_EQ(Lig(2)[2], 0);
  EXPECT_EQ(Lig(1)[5], 0);
}

TEST_F(ZoneSaisieTest, RegroupAllMeasuresEndsOnMeasureOne) {
  Partition.NbMesures = 3;
  for (int m = 2; m <= 3; ++m) Partition.Mesures[m] = std::make_unique<TMesure>();
  Partition.MesureCourante = 2;
  Ajouter(1, false, 3);
  Ajouter(1, false, 3);
  RegrouperToutesMesures();
  EXPECT_EQ(Partition.MesureCourante, 1);
  EXPECT_EQ(Lig(2, 3)[2], 1);
  // The same links through the data-only form.
  TMesure copie = M(3);
  for (auto& t : copie.Temps[1]) std::fill(std::begin(t.Ligature), std::end(t.Ligature), 0);
  GrouperMesure(copie, 1, 2);
  EXPECT_EQ(copie.Temps[1][1].Ligature[5], 2);
  // A bad track number groups a valid track, never one outside the array.
  for (auto& t : M(3).Temps[1]) std::fill(std::begin(t.Ligature), std::end(t.Ligature), 0);
  PisteCourante = 0;
  RegrouperRythme(3);
  EXPECT_EQ(Lig(2, 3)[2], 1);
}

// ------------------------------------------------------------------ drawing

TEST_F(ZoneSaisieTest, StaffBarsAndCursorCell) {
  int repeints = 0;
  ActiverAnnulation(true);
  vue.OnEditZoneImageChanged = [&] { ++repeints; };
  RafraichirZoneSaisie();
  EXPECT_FALSE(AnnulationPossible);
  EXPECT_GT(repeints, 0);
  const int X0 = 30, L = 570;
  EXPECT_EQ(Px(0, 0), clWhite);
  for (int s = 1; s <= 6; ++s) {
    EXPECT_EQ(Px(X0 + 300, Y(s)), clBlack) << s;
    EXPECT_EQ(Px(X0 + 300, Y(s) + 3), clWhite) << s;
  }
  // Measure 1 opens with a double bar, and as the last measure it ends with one.
  for (int x : {X0, X0 + 1, X0 + 3, X0 + 6, X0 + L, X0 + L - 3, X0 + L - 6}) EXPECT_EQ(Px(x, Y(3) + 5), clBlack) << x;
  for (int x : {X0 + 4, X0 + 5, X0 + L - 4, X0 + L - 7}) EXPECT_EQ(Px(x, Y(3) + 5), clWhite) << x;
  EXPECT_EQ(Px(X0 + L + 1, Y(3) + 5), clWhite);
  // Empty cursor cell on beat 1, string 1: a yellow box.
  EXPECT_EQ(Px(X(1) + 1, Y(1) + 2), clYellow);
  EXPECT_EQ(Px(X(1) + 1, Y(1) - Curseur.EcartCordes / 2), clBlue);
  // While a first digit is pending the box is white.
  TCurseur c = Curseur;
  c.RedessinTemps = 1;
  DessinerTemps(CanvasSaisie, c, 1, 1, 1);
  EXPECT_EQ(Px(X(1) + 1, Y(1) + 2), clWhite);
  EXPECT_EQ(Px(X(1) + 1, Y(1) - Curseur.EcartCordes / 2), clBlue);
}

TEST_F(ZoneSaisieTest, StaffStemsThroughEmptyStrings) {
  TTemps& t = Ajouter(0);
  t.Notes[3].Frette = FRETTE_AUCUNE;
  t.Notes[2].Frette = 3;
  t.Notes[4].Frette = 2;
  TTemps& h = Ajouter(-1);
  h.Notes[3].Frette = FRETTE_AUCUNE;
  h.Notes[2].Frette = 3;
  h.Notes[4].Frette = 2;
  CurseurLoin();
  RafraichirZoneSaisie();
  for (int s : {3, 5, 6}) EXPECT_EQ(Px(X(1), Y(s)), clBlue) << s;
  EXPECT_NE(Px(X(1), Y(1)), clBlue);
  EXPECT_EQ(Px(X(2), Y(3)), clBlue);
  for (int s : {1, 5, 6}) EXPECT_NE(Px(X(2), Y(s)), clBlue) << s;
  // Rhythm stem below the staff: full for the quarter, shorter for the half.
  EXPECT_EQ(Px(X(1), Yb() - 5), clBlue);
  EXPECT_EQ(Px(X(1), Yb() + 7), clBlue);
  EXPECT_NE(Px(X(1), Yb() + 8), clBlue);
  EXPECT_NE(Px(X(2), Yb() - 5), clBlue);
  EXPECT_EQ(Px(X(2), Yb() + 3), clBlue);
}

TEST_F(ZoneSaisieTest, BeamsStubsAndDots) {
  Ajouter(1);
  Ajouter(1);        // pair of eighths on beats 1-2
  for (int i = 0; i < 4; ++i) Ajouter(2);  // sixteenths 3-6
  Ajouter(0, true);  // dotted quarter (7)
  Ajouter(1);        // an eighth whose only neighbour has no beam (8)
  CurseurLoin();
  RafraichirZoneSaisie();
  const int S = Yb() + 7;
  const int mid12 = (X(1) + X(2)) / 2, mid34 = (X(3) + X(4)) / 2;
  EXPECT_EQ(Px(mid12, S), clBlue);
  EXPECT_EQ(Px(mid12, S - 1), clBlue);
  EXPECT_NE(Px(mid12, S - 3), clBlue);
  EXPECT_NE(Px(mid12, S + 1), clBlue);
  EXPECT_EQ(Px(mid34, S - 3), clBlue);
  EXPECT_EQ(Px(mid34, S - 4), clBlue);
  EXPECT_NE(Px((X(2) + X(3)) / 2, S), clBlue);  // groups are not joined
  // The eighth without a beamed neighbour: a 10-pixel stub to the right.
  EXPECT_EQ(Px(X(8) + 9, S), clBlue);
  EXPECT_NE(Px(X(8) + 10, S), clBlue);
  EXPECT_NE(Px(X(8) - 3, S), clBlue);
  // Dot of the dotted quarter, right of its stem.
  EXPECT_EQ(Px(X(7) + 3, S - 1), clBlue);
  EXPECT_EQ(Px(X(7) + 4, S), clBlue);
  EXPECT_NE(Px(X(7) - 4, S), clBlue);
}

TEST_F(ZoneSaisieTest, RestsAndTies) {
  Silence(-2);
  Silence(-1);
  Silence(0);
  Silence(2);
  TTemps& lie = Ajouter(0);
  lie.Lie = 1;
  CurseurLoin();
  RafraichirZoneSaisie();
  // Whole rest hangs from string 3, half rest sits on string 4.
  EXPECT_EQ(Px(X(1) - 6, Y(3)), clBlue);
  EXPECT_EQ(Px(X(1) + 5, Y(3) + 5), clBlue);
  EXPECT_NE(Px(X(1) + 6, Y(3) + 3), clBlue);
  EXPECT_EQ(Px(X(2), Y(4) - 3), clBlue);
  EXPECT_NE(Px(X(2), Y(4) + 2), clBlue);
  // The quarter rest and the flagged rest leave blue in their column; a plain quarter none.
  const int Ym = Curseur.YSaisie + 35;
  EXPECT_GT(CompterCouleur(X(3) - 6, Ym - 20, X(3) + 9, Ym + 18, clBlue), 60);
  EXPECT_GT(CompterCouleur(X(4) - 10, Ym - 14, X(4) + 9, Ym + 15, clBlue), 30);
  // Tie from beat 4 to beat 5.
  const int c = X(4);
  EXPECT_EQ(Px(c + 2, Yb() + 10), clBlue);
  EXPECT_EQ(Px(c + 20, Yb() + 15), clBlue);
  EXPECT_EQ(Px(c + 48, Yb() + 10), clBlue);
  EXPECT_NE(Px(c + 20, Yb() + 14), clBlue);
}

TEST_F(ZoneSaisieTest, TripletBracketOnInputSlotOnlyUnderCursor) {
  for (int i = 0; i < 3; ++i) {
    TTemps& t = Ajouter(1);
    t.Triolet = 1;
    t.PlaceTriolet = static_cast<int8_t>(i + 1);
    t.Duree = 160;
  }
  TTemps& slot = M().Temps[1][4];
  ViderTemps(slot);
  slot.Triolet = 1;
  slot.PlaceTriolet = 1;
  slot.CodeDuree = 1;
  slot.Duree = 160;
  Curseur.Temps = 2;
  RafraichirZoneSaisie();
  const int B = Yb();
  EXPECT_EQ(Px(X(1), B + 11), clBlue);
  EXPECT_EQ(Px(X(3), B + 12), clBlue);
  EXPECT_EQ(Px(X(1) + 2, B + 13), clBlue);
  EXPECT_NE(Px(X(4), B + 11), clBlue);
  Curseur.Temps = 4;
  DessinerTriolets(CanvasSaisie);
  EXPECT_EQ(Px(X(4), B + 11), clBlue);
  EXPECT_EQ(Px(X(6), B + 12), clBlue);
  Curseur.Temps = 1;
  DessinerTriolets(CanvasSaisie);
  EXPECT_NE(Px(X(4), B + 11), clBlue);
  // Regrouping (every cursor move does it after the brackets) leaves the " 3 " whole, and
  // still clears every row the stems and beams use.
  auto trois = [&] { return CompterCouleur(X(2) - 8, B + 8, X(2) + 9, B + 19, clBlue); };
  const int avant = trois();
  ASSERT_GT(avant, 5);
  RegrouperRythme(0);
  EXPECT_EQ(trois(), avant);
  M().NbTemps[1] = 0;
  Curseur.Temps = 1;
  RegrouperRythme(0);
  EXPECT_EQ(CompterCouleur(X(1) + 11, B - 7, X(3) + 1, B + 8, clBlue), 0);  // beat 1 is the input slot
}

TEST_F(ZoneSaisieTest, RepeatsEndingAndMarks) {
  Partition.NbMesures = 2;
  Partition.Mesures[2] = std::make_unique<TMesure>();
  M().RenvoiDebut = 1;
  M().RenvoiFin = 1;
  M().NbRenvois = 3;
  M().Repetition = 1;
  TTemps& t = Ajouter(0);
  t.MixTable.emplace();
  t.Brush = 1;
  t.EffetTemps = 1;
  t.Notes[3].Effet = 3;
  CurseurLoin();
  RafraichirZoneSaisie();
  const int X0 = 30, F = 600, Y0 = 48;
  if (qEnvironmentVariableIsSet("VEXO_DUMP")) image.save("/tmp/marks1.png");
  // Dots under strings 2 and 4 at both ends.
  for (int k : {2, 4}) {
    EXPECT_EQ(Px(X0 + 12, Y(k) + 7), clBlack) << k;
    EXPECT_EQ(Px(F - 15, Y(k) + 7), clBlack) << k;
  }
  EXPECT_EQ(Px(X0 + 12, Y(3) + 7), clWhite);
  // Ending bracket.
  EXPECT_EQ(Px(X0, Y0 - 30), clBlack);
  EXPECT_EQ(Px(X0 + 30, Y0 - 42), clBlack);
  // The repeat count writes something above the closing bar.
  EXPECT_GT(CompterCouleur(F - 30, Y0 - 30, F + 1, Y0, clBlack), 5);
  // Mix marker, strum arrow, vibrato wave, slide line.
  const int c = X(1);
  EXPECT_EQ(Px(c + 1, Y0 - 11), clRed);
  EXPECT_EQ(Px(c + 20, Y0 + 10), clBlue);
  EXPECT_EQ(Px(c + 21, Y0 + 3), clBlue);
  EXPECT_EQ(Px(c + 17, Y0 + 5), clBlue);
  EXPECT_EQ(Px(c, Y0 - 15), clBlue);
  EXPECT_EQ(Px(c + 2, Y0 - 17), clBlue);
  const int gx = 30 + 75, gy = Y0 + 21;  // between beats 1 and 2, half a string above string 3
  EXPECT_EQ(Px(gx - 9, gy + 10), clBlue);
  // The marks go when the beat loses them.
  t.EffetTemps = 0;
  t.MixTable.reset();
  t.Notes[3].Effet = 0;
  DessinerEffetsTemps(1, true);
  for (int y = Y0 - 13; y <= Y0 - 10; ++y) EXPECT_NE(Px(c + 1, y), clRed) << y;  // the whole marker, bottom row too
  EXPECT_NE(Px(c + 2, Y0 - 17), clBlue);
  EXPECT_NE(Px(gx - 9, gy + 10), clBlue);
  // Measure 2 of 2 without marks: no opening double bar, closing one as the last measure.
  Partition.MesureCourante = 2;
  PreparerTempsSaisie();
  RafraichirZoneSaisie();
  EXPECT_EQ(Px(X0 + 2, Y(3) + 5), clWhite);
  EXPECT_EQ(Px(F - 2, Y(3) + 5), clBlack);
  EXPECT_EQ(Px(X0 + 12, Y(2) + 7), clWhite);
  EXPECT_EQ(Px(X0, Y0 - 30), clWhite);
}

TEST_F(ZoneSaisieTest, FirstPassOfAnAlternateEnding) {
  Partition.NbMesures = 8;
  for (int m = 2; m <= 8; ++m) Partition.Mesures[m] = std::make_unique<TMesure>();
  EXPECT_EQ(PremierPassageFin(Partition, 1), 1);
  // 4 repeat-open, 6 ending 1 with repeat-close: an ending on 7 is played from pass 2, the
  // repeat-close just before it does not stop the walk.
  M(4).RenvoiDebut = 1;
  M(6).Repetition = 1;
  M(6).NumRepetition = 1;
  M(6).RenvoiFin = 1;
  EXPECT_EQ(PremierPassageFin(Partition, 7), 2);
  // A repeat-close further back ends the walk.
  EXPECT_EQ(PremierPassageFin(Partition, 8), 1);
  // An ending that also opens a repeat does not count.
  M(6).RenvoiDebut = 1;
  EXPECT_EQ(PremierPassageFin(Partition, 7), 1);
  M(6).RenvoiDebut = 0;
  M(6).NumRepetition = 2;
  EXPECT_EQ(PremierPassageFin(Partition, 7), 3);
  EXPECT_EQ(PremierPassageFin(Partition, NB_MESURES_MAX + 5), 1);
}

TEST_F(ZoneSaisieTest, FourStringsGraceNoteStrumDownAndSingleRepeat) {
  Partition.NbCordes[1] = 4;
  M().RenvoiDebut = 1;
  M().RenvoiFin = 1;
  M().NbRenvois = 1;
  Silence(-2);
  TTemps& t = Ajouter(0);
  t.Notes[3].FretteGrace = 7;
  t.Notes[3].NuanceGrace = 6;
  t.Notes[3].DureeGrace = 2;
  t.Brush = 2;
  CurseurLoin();
  RafraichirZoneSaisie();
  const int X0 = 30, F = 600, Y0 = 48;
  // Repeat dots under strings 1 and 3 of a four-string staff, at both ends.
  for (int k : {1, 3}) {
    EXPECT_EQ(Px(X0 + 12, Y(k) + 7), clBlack) << k;
    EXPECT_EQ(Px(F - 15, Y(k) + 7), clBlack) << k;
  }
  EXPECT_EQ(Px(X0 + 12, Y(2) + 7), clWhite);
  // A count of 1 writes nothing above the closing bar.
  EXPECT_EQ(CompterCouleur(F - 30, Y0 - 30, F + 1, Y0, clBlack), 0);
  // The whole rest hangs from string 2 on four strings.
  EXPECT_EQ(Px(X(1) - 6, Y(2)), clBlue);
  EXPECT_EQ(Px(X(1) + 5, Y(2) + 5), clBlue);
  EXPECT_NE(Px(X(1), Y(2) - 1), clBlue);
  // The grace note stands left of the fret number, outside the number's own box.
  EXPECT_GT(CompterCouleur(X(2) - 30, Y(3) - 6, X(2) - 6, Y(3) + 7, clBlue), 3);
  // Down-strum: the line stops above the last string and the arrow head points down there.
  const int c = X(2), yn = Y(4);
  EXPECT_EQ(Px(c + 20, Y0 + 2), clBlue);
  EXPECT_EQ(Px(c + 20, yn - 2), clBlue);
  EXPECT_NE(Px(c + 20, yn - 1), clBlue);
  for (int i = 1; i <= 3; ++i) {
    EXPECT_EQ(Px(c + 20 + i, yn - 2 - i), clBlue) << i;
    EXPECT_EQ(Px(c + 20 - i, yn - 2 - i), clBlue) << i;
  }
  EXPECT_NE(Px(c + 21, Y0 + 3), clBlue);
}

TEST_F(ZoneSaisieTest, ChordAndAnnotationRows) {
  TTemps& t = Ajouter(0);
  t.AvecAccord = 1;
  t.Accord.emplace().Nom = "Am";
  t.Texte = "intro";
  TTemps& u = Ajouter(1);
  u.Notes[2].Frette = FRETTE_MORTE;
  u.Notes[2].FretteGrace = 3;
  u.Notes[2].Effet = 5;
  u.Notes[2].Bend = 0.5;
  u.Notes[4].Frette = 7;
  u.Notes[4].Nuance = 3;
  u.Notes[4].Effet = 1;
  u.EffetTemps = 3;
  CurseurLoin();
  RafraichirZoneSaisie();
  const int Y0 = Curseur.YSaisie;
  auto bleus = [&](int y1, int y2) { return CompterCouleur(X(1) - 4, y1, X(1) + 40, y2, clBlue); };
  EXPECT_GT(bleus(Y0 - 35, Y0 - 22), 10);
  EXPECT_GT(bleus(Y0 - 48, Y0 - 35), 10);
  // Removing them clears their rows.
  t.AvecAccord = 0;
  t.Texte.clear();
  DessinerLigneAccords();
  DessinerLigneTextes();
  EXPECT_EQ(bleus(Y0 - 35, Y0 - 22), 0);
  EXPECT_EQ(bleus(Y0 - 48, Y0 - 35), 0);
}

TEST_F(ZoneSaisieTest, CursorMoveRepaintsBothBeats) {
  Ajouter(0);
  Ajouter(0);
  Curseur.Temps = 1;
  Curseur.Corde = 1;
  RafraichirZoneSaisie();
  EXPECT_EQ(Px(X(1) + 1, Y(1) + 2), clYellow);
  TempsPrecedent = 1;
  Curseur.Temps = 2;
  RedessinerCurseur();
  EXPECT_NE(Px(X(1) + 1, Y(1) + 2), clYellow);
  EXPECT_EQ(Px(X(2) + 1, Y(1) + 2), clYellow);
}

TEST_F(ZoneSaisieTest, DigitEntryTurnsTheCursorCellWhiteUntilTheSecondDigit) {
  Configuration.DefaultDynamic = 6;
  PleinEcranActif = 0;
  RafraichirZoneSaisie();
  auto jaunes = [&] { return CompterCouleur(X(1) - 12, Y(1) - 6, X(1) + 13, Y(1) + 7, clYellow); };
  EXPECT_GT(jaunes(), 10);
  SaisirChiffre(1, 0);
  ASSERT_EQ(Curseur.RedessinTemps, 1);
  EXPECT_EQ(jaunes(), 0);
  EXPECT_GT(CompterCouleur(X(1) - 12, Y(1) - 6, X(1) + 13, Y(1) + 7, clBlue), 5);
  SaisirChiffre(7, 0);
  EXPECT_EQ(M().Temps[1][1].Notes[1].Frette, 17);
  EXPECT_GT(jaunes(), 10);
  // The beat's quarter stem runs through the empty strings below it.
  EXPECT_EQ(Px(X(1), Y(4)), clBlue);
  EXPECT_EQ(EtiquettesSaisie.NbTps, "1.000 : 4.000");
}

TEST_F(ZoneSaisieTest, FrozenDuringPlaybackAndWithoutCanvas) {
  vue.OnSongPlaying = [] { return true; };
  RafraichirZoneSaisie();
  EXPECT_EQ(Px(0, 0), RGBToColor(0xA0, 0xA0, 0xA4));
  // Without a canvas nothing is drawn, but the links and the status are still computed.
  RetirerZoneSaisie();
  Ajouter(1);
  Ajouter(1);
  Curseur.Temps = 1;
  RafraichirZoneSaisie();
  RedessinerCurseur();
  DessinerTriolets(nullptr);
  DessinerTemps(nullptr, Curseur, 1, 1, 1);
  RegrouperRythme(0);
  EXPECT_EQ(Lig(1)[5], 2);
  EXPECT_EQ(EtiquettesSaisie.NbTps, "1.000 : 4.000");
}

TEST_F(ZoneSaisieTest, MeasureNumberOutOfRangeDrawsNothing) {
  Ajouter(1);
  for (int bad : {0, -3, NB_MESURES_MAX + 1}) {
    Partition.MesureCourante = bad;
    image.fill(Qt::gray);
    RafraichirZoneSaisie();
    AfficherEtatMesure();
    RegrouperRythme(0);
    DessinerLigneAccords();
    DessinerRenvoiFin();
    EXPECT_EQ(Px(0, 0), RGBToColor(0xA0, 0xA0, 0xA4)) << bad;
  }
}

}  // namespace
