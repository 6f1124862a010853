// The score view's renderer on an image: font-independent pixels of bars, staff lines, repeat
// dots, rests, beams, stems, the mix-table mark, the wrong-measure colour, dynamics, let ring,
// grace notes and the effect marks.
#include <QImage>
#include <functional>
#include <vector>

#include "VueOutils.h"
#include "platform/Canvas.h"
#include "view/DessinVue.h"

namespace {
constexpr TColor kBlanc = clWhite, kNoir = clBlack, kGris243 = RGBToColor(243, 243, 243), kFaux = clLime;
constexpr int MLG = 25, YP = 64;
int Y(int s) { return YP + (s - 1) * 10; }
constexpr int B = 114 + 22;  // beam base under string 6

struct Sonde {
  int x, y;
  TColor couleur;
  bool egal = true;
};

class Dessin : public VueTest {
 protected:
  QImage Dessiner(int ligne = 1) {
    CalculerLignes();
    QImage img(VuePartition.LargeurBande + 6, VuePartition.HauteurBande, QImage::Format_RGB32);
    img.fill(Qt::gray);
    TCanvas c(&img);
    DessinerLigne(c, VuePartition, Partition, 1, ligne, img.width(), img.height());
    if (qEnvironmentVariableIsSet("VEXO_DUMP"))
      img.save(QStringLiteral("/tmp/%1_%2.png")
                   .arg(::testing::UnitTest::GetInstance()->current_test_info()->name())
                   .arg(n_++));
    return img;
  }
  static TColor Px(const QImage& img, int x, int y) {
    const QRgb p = img.pixel(x, y);
    return RGBToColor(qRed(p), qGreen(p), qBlue(p));
  }
  // Width and height of a fret text in the live notes font.
  static QSize Texte(const QString& t) {
    QImage scratch(10, 10, QImage::Format_RGB32);
    TCanvas c(&scratch);
    const TMyFont& f = PorteursPolices.Ecran[JEU_LIVE][FontNotes];
    c.Font.Name = f.Name;
    c.Font.Size = f.Size;
    c.Font.Bold = f.Bold;
    return {c.TextWidth(t), c.TextHeight(t)};
  }
  static int X(int m, int b) { return MLG + V(m).X[b]; }
  int n_ = 0;
};

struct Cas {
  const char* nom;
  std::function<void()> preparer;
  std::function<std::vector<Sonde>()> sondes;
};

TEST_F(Dessin, FontIndependentPixels) {
  const int w5 = Texte(QStringLiteral("5")).width();
  const Cas cas[] = {
      {"staff, opening and final bars", [] { Noires(1); },
       [] {
         const int x = (X(1, 1) + X(1, 2)) / 2, f = V(1).XFin;
         std::vector<Sonde> s;
         for (int c = 1; c <= 6; ++c) s.push_back({x, Y(c), kNoir}), s.push_back({x, Y(c) + 5, kBlanc});
         for (int i = 25; i <= 29; ++i) s.push_back({i, YP + 5, kNoir});  // thick, then thin 8 on
         s.insert(s.end(), {{30, YP + 5, kBlanc},
                            {33, YP + 5, kNoir},
                            {34, YP + 114 - 64, kNoir},
                            {35, YP + 5, kBlanc},
                            {25, Y(6) + 1, kBlanc},
                            {f - 1, YP + 5, kNoir},
                            {f - 5, YP + 5, kNoir},
                            {f, YP + 5, kBlanc},
                            {f - 6, YP + 5, kBlanc},
                            {f - 9, YP + 5, kNoir},
                            {f - 10, YP + 5, kNoir},
                            {f - 11, YP + 5, kBlanc}});
         return s;
       }},
      {"repeat dots between strings 2-3 and 4-5",
       [] {
         Noires(2);
         M(1).RenvoiFin = 1;
         M(1).NbRenvois = 3;
         M(2).RenvoiDebut = 1;
       },
       [] {
         std::vector<Sonde> s;
         for (int X : {V(1).XFin - 14, V(2).XDebut + 14})
           for (int Yd : {YP + 15, YP + 35})
             s.insert(s.end(), {{X - 1, Yd - 1, kNoir},
                                {X, Yd - 1, kNoir},
                                {X - 2, Yd - 1, kBlanc},
                                {X - 2, Yd, kNoir},
                                {X + 1, Yd + 1, kNoir},
                                {X + 2, Yd, kBlanc},
                                {X, Yd + 2, kNoir},
                                {X - 2, Yd + 2, kBlanc}});
         return s;
       }},
      {"small repeat dots at a string spacing of 8",
       [] {
         ParamEcran.EspLignes = 8;
         CalculeParamEcran();
         Taille(800, 600, 608);
         Noires(1);
         M(1).RenvoiFin = 1;
       },
       [] {
         const int X = V(1).XFin - 11 + 2, Yd = V(1).YPortee + 12;  // bars 5 apart: dots 11 left, 2 more
         return std::vector<Sonde>{{X - 1, Yd, kNoir},         {X, Yd + 1, kNoir},         {X - 2, Yd, kBlanc},
                                   {X + 1, Yd, kBlanc},        {X, Yd - 1, kBlanc},        {X, Yd + 2, kBlanc},
                                   {V(1).XFin - 3, Yd, kNoir}, {V(1).XFin - 4, Yd, kBlanc}};  // thick bar of 3
       }},
      {"whole, half and eighth rests",
       [] {
         Silence(1, -2);
         Silence(2, -1);
         Silence(2, -1);
         Silence(3, 1);
         for (int b = 0; b < 7; ++b) Temps(3, 1);
       },
       [] {
         const int y = YP + 25;
         int x = X(1, 1), h = X(2, 1), c = X(3, 1);
         return std::vector<Sonde>{
             {x - 5, y - 5, kNoir},  {x + 3, y - 1, kNoir},   {x + 4, y - 1, kBlanc}, {x - 5, y, kBlanc},
             {h - 5, y + 1, kNoir},  {h + 3, y + 5, kNoir},   {h - 5, y, kBlanc},     {h - 5, y + 6, kBlanc},
             {c + 3, y - 8, kNoir},  {c - 1, y - 8, kNoir},   {c - 2, y - 7, kNoir},  // stroke and first flag
             {c, B + 3 - 21, kNoir}, {c, B + 3 - 22, kBlanc}, {c, B - 1, kNoir},      // the rest's stem
         };
       }},
      {"beams and stems, half and whole notes",
       [] {
         for (int b = 0; b < 8; ++b) Temps(1, 1);
         Temps(2, -1);
         Temps(2, -1);
         Temps(3, -2);
       },
       [] {
         const int x = (X(1, 1) + X(1, 2)) / 2, s = X(1, 1), h = X(2, 1), r = X(3, 1);
         return std::vector<Sonde>{
             {x, B - 2, kNoir},  {x, B - 1, kNoir},    {x, B - 3, kBlanc},        {x, B, kBlanc},
             {s, B - 1, kNoir},  {s, Y(5) + 5, kNoir}, {s + 1, Y(5) + 5, kBlanc}, {s, B, kBlanc},
             {h, B - 1, kNoir},  {h, B - 8, kNoir},    {h, B - 9, kBlanc},  // a half note's stem: 8 pixels
             {r, B - 1, kBlanc}, {r, B - 8, kBlanc},                        // a whole note: none
         };
       }},
      {"stem segment joins a chord's distant notes",
       [] {
         TTemps& t = Temps(1, 0, 5, 1);
         t.Notes[2].Frette = 5;
         t.Notes[5].Frette = 5;
         Temps(1, 0, 5, 5);
         Temps(1, -1);
       },
       [] {
         return std::vector<Sonde>{{X(1, 1), (Y(3) + Y(4)) / 2, kNoir}, {X(1, 2), (Y(3) + Y(4)) / 2, kBlanc}};
       }},
      {"red mix-table mark",
       [] {
         Temps(1, 0).MixTable.emplace();
         Temps(1, 0);
       },
       [] {
         const int x = X(1, 1);
         return std::vector<Sonde>{{x - 1, YP - 11, clRed},
                                   {x + 2, YP - 8, clRed},
                                   {x + 3, YP - 8, kBlanc},
                                   {x - 1, YP - 7, kBlanc},
                                   {X(1, 2), YP - 8, kBlanc}};
       }},
      {"no mark row without effects",
       [] {
         ParamEcran.AffEff = false;
         Temps(1, 0).MixTable.emplace();
       },
       [] {
         return std::vector<Sonde>{{X(1, 1), YP - 8, kBlanc}};
       }},
      {"a measure not exactly full takes the warning colour",
       [] {
         ParamEcran.ColBadBar = kFaux;
         for (int b = 0; b < 3; ++b) Temps(1, 0);
         Temps(1, 1, 5, 3, true);  // 3.75 quarters in 4/4
         for (int b = 0; b < 4; ++b) Temps(2, 0);
       },
       [] {
         return std::vector<Sonde>{{X(1, 1), B - 1, kFaux}, {X(2, 1), B - 1, kNoir}};
       }},
      {"the tremolo-bar dip and the left-hand vibrato",
       [] {
         Temps(1, 0).EffetTemps = 3;
         Temps(1, 0).EffetTemps = 1;
         Temps(1, 0);
         Temps(1, 0);
       },
       [] {
         const int d = X(1, 1), v = X(1, 2), yv = YP - 10;
         return std::vector<Sonde>{{d - 10, yv - 4, kNoir}, {d, yv + 3, kNoir}, {d + 10, yv - 4, kNoir},
                                   {v, yv + 1, kNoir},      {v + 1, yv, kNoir}, {v + 2, yv - 1, kNoir},
                                   {v + 3, yv, kNoir},      {v, yv - 1, kBlanc}};
       }},
  };
  for (const Cas& c : cas) {
    SCOPED_TRACE(c.nom);
    NouvellePartition();
    ParamEcranParDefaut(ParamEcran, false);
    InitParamEcran(ParamEcran);
    Taille(800, 600, 608);
    c.preparer();
    const QImage img = Dessiner();
    for (const Sonde& s : c.sondes()) {
      if (s.egal)
        EXPECT_EQ(Px(img, s.x, s.y), s.couleur) << "(" << s.x << ", " << s.y << ")";
      else
        EXPECT_NE(Px(img, s.x, s.y), s.couleur) << "(" << s.x << ", " << s.y << ")";
    }
  }
  (void)w5;
}

TEST_F(Dessin, NoteEffectsStartAfterTheNumberAndEndBeforeTheNext) {
  const int w = Texte(QStringLiteral("5")).width(), dw = (w + 1) / 2 == 0 ? 0 : Arrondi(w / 2.0);
  struct Cas {
    int effet;
    std::function<std::vector<Sonde>(int x, int xn)> sondes;  // x: first beat, xn: second beat
  } const cas[] = {
      {1,
       [&](int x, int xn) {  // hammer-on: a slur from just after the number to before the next
         const int x1 = x + dw + 2, x2 = xn - dw - 2 + 1;
         return std::vector<Sonde>{{x1, 82, kNoir}, {(x1 + x2) / 2, 79, kNoir}, {(x1 + x2) / 2, 82, kBlanc}};
       }},
      {3,
       [&](int x, int xn) {  // slide up: from below the string to above it
         return std::vector<Sonde>{{x + dw + 2, 86, kNoir}, {xn - dw - 2, 82, kNoir}, {x + dw + 2, 82, kBlanc}};
       }},
      {5,
       [&](int x, int) {  // bend: the arrow head one string up
         const int X0 = x + dw + 2;
         return std::vector<Sonde>{{X0 + 8, 74, kNoir}, {X0 + 7, 75, kNoir},  {X0 + 6, 76, kNoir},
                                   {X0 + 9, 75, kNoir}, {X0 + 10, 76, kNoir}, {X0 + 8, 76, kBlanc}};
       }},
  };
  for (const Cas& c : cas) {
    SCOPED_TRACE(c.effet);
    NouvellePartition();
    TTemps& t = Temps(1, 0);
    t.Notes[3].Effet = static_cast<int8_t>(c.effet);
    t.Notes[3].Bend = 0.5;
    Temps(1, 0);
    Temps(1, 0);
    Temps(1, 0);
    const QImage img = Dessiner();
    for (const Sonde& s : c.sondes(X(1, 1), X(1, 2)))
      EXPECT_EQ(Px(img, s.x, s.y), s.couleur) << "(" << s.x << ", " << s.y << ")";
  }
}

TEST_F(Dessin, StrumArrowDynamicsLetRingAndGraceNotes) {
  // A downward strum: a line beside the widest number, its head at the bottom.
  Noires(2);
  M(1).Temps[1][1].Brush = 2;
  M(2).Temps[1][1].Notes[3].FretteGrace = 3;
  QImage img = Dessiner();
  const QSize t5 = Texte(QStringLiteral("5"));
  const int xs = Arrondi(t5.width() / 2.0) + X(1, 1) + 8, ye = 112;
  for (Sonde s : std::vector<Sonde>{{xs, 66, kNoir},
                                    {xs, ye, kNoir},
                                    {xs - 1, ye - 1, kNoir},
                                    {xs + 3, ye - 3, kNoir},
                                    {xs - 1, 67, kBlanc},
                                    {xs, ye + 1, kBlanc}})
    EXPECT_EQ(Px(img, s.x, s.y), s.couleur) << "(" << s.x << ", " << s.y << ")";
  // The grace note stands left of the beat's number.
  auto encre = [&](const QImage& i, int x1, int x2, int y) {
    int n = 0;
    for (int x = x1; x < x2; ++x)
      for (int yy = y - 6; yy <= y + 6; ++yy) n += yy != y && Px(i, x, yy) != kBlanc;
    return n;
  };
  const int g = X(2, 1);
  EXPECT_GT(encre(img, g - 16, g - Arrondi(t5.width() / 2.0) - 1, Y(3)), 0);
  M(2).Temps[1][1].Notes[3].FretteGrace = FRETTE_AUCUNE;
  EXPECT_EQ(encre(Dessiner(), g - 16, g - Arrondi(t5.width() / 2.0) - 1, Y(3)), 0);

  // Dynamics as grey levels, and the let-ring box.
  NouvellePartition();
  ParamEcran.AffRyt = false;
  Temps(1, 0).Notes[3].Nuance = 1;
  Temps(1, 0).Notes[3].Nuance = 8;
  Temps(1, 0).Notes[3].Effet = 7;
  Temps(1, 0);
  auto compter = [&](const QImage& i, int b, TColor c) {
    const QSize s = Texte(QStringLiteral("(5)"));
    int n = 0;
    for (int x = X(1, b) - s.width(); x <= X(1, b) + s.width(); ++x)
      for (int y = Y(3) - s.height() / 2; y < Y(3) + s.height() / 2; ++y) n += y != Y(3) && Px(i, x, y) == c;
    return n;
  };
  Configuration.ShowDynamic = Configuration.ShowLetRingNotes = true;
  img = Dessiner();
  EXPECT_GT(compter(img, 1, kGris243), 0);  // ppp, in parentheses: "(5)"
  EXPECT_EQ(compter(img, 1, kNoir), 0);
  EXPECT_GT(compter(img, 2, kNoir), 0);  // fff is black
  const int x1 = X(1, 3) - 1 - Arrondi(t5.width() / 2.0), yh = Y(3) - Arrondi(t5.height() / 2.0) + 1;
  EXPECT_EQ(Px(img, x1, yh), kNoir);
  Configuration.ShowDynamic = Configuration.ShowLetRingNotes = false;
  img = Dessiner();
  EXPECT_EQ(compter(img, 1, kGris243), 0);
  EXPECT_EQ(Px(img, x1, yh), kBlanc);
}

TEST_F(Dessin, TripletBracketAndTies) {
  for (int place : {1, 2, 3}) {
    TTemps& t = Temps(1, 1);
    t.Triolet = 1;
    t.PlaceTriolet = static_cast<int8_t>(place);
    t.Duree = 160;
  }
  Temps(2, -2).Lie = 1;
  QImage img = Dessiner();
  auto encre = [&](int x1, int x2, int y1, int y2) {
    int n = 0;
    for (int x = x1; x <= x2; ++x)
      for (int y = y1; y <= y2; ++y) n += Px(img, x, y) != kBlanc;
    return n;
  };
  // The bracket runs from the first to the third beat of the group.
  const int x = X(1, 1), x3 = X(1, 3), y = B + 4 + 3 - 4;
  EXPECT_EQ(encre(x, x, y, y + 6), 7);
  EXPECT_EQ(encre(x3, x3, y, y + 6), 7);
  EXPECT_EQ(encre(x + 1, x + 4, y, y + 6), 4);  // the bottom line only
  EXPECT_EQ(encre(x - 4, x - 1, y - 1, y + 7), 0);
  // A tie on a measure's first beat comes from the last beat of the measure before on its line...
  ASSERT_EQ(V(2).Ligne, 1);
  const int t = X(2, 1), xs = X(1, 3);
  EXPECT_GT(encre((xs + t) / 2 - 2, (xs + t) / 2 + 2, B + 3, B + 3 + 6), 0);
  // ...and from 19 pixels to the left when there is none.
  NouvellePartition();
  Temps(1, -2).Lie = 1;
  img = Dessiner();
  const int u = X(1, 1);
  EXPECT_GT(encre(u - 12, u - 6, B + 3 + 2, B + 3 + 6), 0);
  EXPECT_EQ(encre(u - 26, u - 20, B + 3 - 3, B + 3 + 6), 0);
  EXPECT_EQ(Px(img, u, B + 3), kNoir);
}

TEST_F(Dessin, StoredBeamBytesAreNotTrusted) {
  for (int b = 0; b < 8; ++b) Temps(1, 1);
  const QImage propre = Dessiner();
  for (int b = 1; b <= 8; ++b)
    std::fill(std::begin(M(1).Temps[1][b].Ligature), std::end(M(1).Temps[1][b].Ligature), 200);
  EXPECT_EQ(Dessiner(), propre);
  EXPECT_EQ(Dessiner(2), [&] {  // a line past the end: an empty band
    QImage vide(propre.size(), QImage::Format_RGB32);
    vide.fill(Qt::white);
    return vide;
  }());
}

TEST(TexteNoteVue, FretTextsAndGreyLevels) {
  struct Cas {
    int frette, nuance, piste;
    const char* texte;
  } const cas[] = {{5, 6, 1, "5"},  {5, 4, 1, "(5)"}, {100, 6, 1, "x"},
                   {30, 6, 1, "x"}, {30, 6, 8, "30"}, {-1, 6, 1, ""}};
  for (const Cas& c : cas) {
    TNote n;
    n.Frette = static_cast<int8_t>(c.frette);
    n.Nuance = static_cast<int8_t>(c.nuance);
    EXPECT_EQ(TexteNote(n, c.piste), QString::fromLatin1(c.texte));
  }
  EXPECT_EQ(NiveauGrisNuance(1), 243);
  EXPECT_EQ(NiveauGrisNuance(8), 0);
  EXPECT_EQ(NiveauGrisNuance(4), 191);
}
}  // namespace
