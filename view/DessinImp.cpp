#include "view/DessinImp.h"

#include <algorithm>
#include <cmath>

#include "editor/state/EtatProgramme.h"
#include "song/MarkTexts.h"
#include "settings/Langue.h"
#include "platform/Canvas.h"
#include "settings/Config.h"
#include "song/ListesAccords.h"
#include "song/Rythme.h"
#include "song/Song.h"
#include "view/DessinVue.h"
#include "view/MiseEnPageImp.h"

TEchelleImp EchelleImpression(double pixelsParMm, double zoom, int dpiPolices) {
  TEchelleImp e;
  e.Ppm = pixelsParMm * zoom;
  e.PoliceDpi = dpiPolices;
  e.PoliceEchelle = zoom * pixelsParMm * 25.4 / dpiPolices;
  return e;
}

QString TextePiedPage(const TPartition& p, int piste, int page) {
  QString t = AnsiToQString(p.Titre.view());
  if (!p.NomPiste[piste].empty()) t += QStringLiteral(" (") + AnsiToQString(p.NomPiste[piste].view()) + ')';
  return t + QStringLiteral(" - ") + QString::number(page);
}

namespace {

// The fonts the print renderer sets for itself.
const TMyFont kFontEff{QStringLiteral("Arial"), 5, false, false, clBlack};
const TMyFont kFontValEff{QStringLiteral("Arial"), 6, false, false, clBlack};
const TMyFont kFontTriolet{QStringLiteral("Arial"), 8, false, true, clBlack};
const TMyFont kFontNumM{QStringLiteral("Arial"), 6, false, false, clBlack};
constexpr TColor kEncre = clBlack;

const TMyFont& PoliceImp(int i) { return PorteursPolices.Imp[JEU_LIVE][i]; }

// Everything the drawing of a page needs.
struct Page {
  Page(TCanvas& c0, const TPartition& p0, const TZoneImpression& z0, const TMiseEnPageImp& mp0, const TEchelleImp& e0,
       bool bb)
      : c(c0), p(p0), z(z0), mp(mp0), e(e0), blackBlocks(bb) {}
  TCanvas& c;
  const TPartition& p;
  const TZoneImpression& z;
  const TMiseEnPageImp& mp;
  const TEchelleImp& e;
  bool blackBlocks = false;
  int piste = 1, n = 6;
  double G = 0;     // left margin, logical mm
  double Ys = 0;    // top string line of the system being drawn
  int debut = 1;    // first measure of the system
  const TMesureImp* mi = nullptr;
  const TMesure* mes = nullptr;
  std::vector<TLiens> liens;

  int Px(double mm) const { return Arrondi(mm * e.Ppm); }
  int X(double x) const { return Arrondi((x + G) * e.Ppm); }  // from the left margin
  int Xa(double x) const { return Arrondi(x * e.Ppm); }       // from the page's left edge
  int Y(double y) const { return Arrondi(y * e.Ppm); }
  double yc(double s) const { return Ys + (s - 1) * Imp::EcartCordes; }
  double yB() const { return Ys + n * Imp::EcartCordes + Imp::LongHampe; }
  double yT() const { return yB() + Imp::PosTriolet; }
  const TTemps& T(int b) const { return mes->Temps[piste][b]; }
  double XT(int b) const { return mi->XImp[b]; }

  void Police(const TMyFont& f, int moins = 0) {
    c.Font.Name = f.Name;
    c.Font.Size = std::max(1, Arrondi(f.Size * e.PoliceEchelle) - moins);
    c.Font.Bold = f.Bold;
    c.Font.Italic = f.Italic;
    c.Font.Underline = false;
    c.Font.Color = f.Col;
    c.Font.PixelsPerInch = e.PoliceDpi;
  }
  void Style(bool gras, bool italique) {
    c.Font.Bold = gras;
    c.Font.Italic = italique;
  }
  // Texts sit on a transparent background, or on opaque white with BlackBlocks.
  void FondTexte() {
    c.Brush.Color = clWhite;
    c.Brush.Style = blackBlocks ? TBrushStyle::bsSolid : TBrushStyle::bsClear;
  }
  void FondBlanc() {
    c.Brush.Color = clWhite;
    c.Brush.Style = TBrushStyle::bsSolid;
  }
  void Stylo(double mm, TColor col = kEncre) {
    c.Pen.Color = col;
    c.Pen.Width = Px(mm);
    c.Pen.Style = TPenStyle::psSolid;
  }
  void Encre() {
    Stylo(0, kEncre);
    c.Brush.Color = kEncre;
    c.Brush.Style = TBrushStyle::bsSolid;
  }
  // A filled box in pixels, one pixel added right and bottom.
  void Bloc(int x1, int y1, int x2, int y2, TColor col = kEncre) {
    c.Brush.Color = col;
    c.Brush.Style = TBrushStyle::bsSolid;
    c.FillRect(x1, y1, x2 + 1, y2 + 1);
  }
  void Disque(double r, int x, int y) {  // x, y in pixels
    Encre();
    c.Pen.Style = TPenStyle::psClear;
    const int R = Px(r);
    c.Ellipse(x - R, y - R, x + R + 1, y + R + 1);
  }
  void Trait(int x1, int y1, int x2, int y2) {
    c.MoveTo(x1, y1);
    c.LineTo(x2, y2);
  }
  // Text placed by its centre (cx, cy) in pixels.
  void TexteCentre(int cx, int cy, const QString& t) {
    c.TextOut(cx - Arrondi(c.TextWidth(t) / 2.0), cy - Arrondi(c.TextHeight(t) / 2.0), t);
  }
};

// ================================================================ a system (bars, repeats, staff)

void ImprimerLignesPortee(Page& P, double xd, double xg) {
  for (int s = 1; s <= P.n; ++s) {
    const int y = P.Y(P.yc(s));
    P.Bloc(P.X(xg), y, P.X(xd), y + P.Px(Imp::EpLignes));
  }
}

// kind 1 thin, 2 thick; side 2 rightwards from x, else leftwards.
void ImprimerBarre(Page& P, int genre, int cote, double x) {
  const double w = genre == 2 ? Imp::EpBarreEpaisse : Imp::EpBarreFine;
  const double x1 = cote == 2 ? x : x - w, x2 = cote == 2 ? x + w : x;
  P.Bloc(P.X(x1), P.Y(P.yc(1)), P.X(x2), P.Y(P.yc(P.n)));
}

void ImprimerDoubleBarre(Page& P, int cote, double x) {
  const double d = Imp::EpBarreEpaisse + Imp::EcartBarres;
  if (cote == 1) {
    ImprimerBarre(P, 2, 2, x);
    ImprimerBarre(P, 1, 2, x + d);
  } else {
    ImprimerBarre(P, 2, 1, x);
    ImprimerBarre(P, 1, 1, x - d);
  }
}

void ImprimerBarreRenvoi(Page& P, int cote, double x) {
  ImprimerDoubleBarre(P, cote, x);
  const double d = Imp::EpBarreEpaisse + Imp::EcartBarres + Imp::EpBarreFine + Imp::EcartPointRenvoi +
                   Imp::RayonPointRenvoi;
  const double xp = cote == 1 ? x + d : x - d;
  const double a = P.n == 6 ? 1.5 : 0.5, b = P.n == 6 ? 3.5 : 2.5;
  for (double k : {a, b}) P.Disque(Imp::RayonPointRenvoi, P.X(xp), P.Y(P.Ys + k * Imp::EcartCordes));
  if (cote == 2 && P.mes->NbRenvois > 1) {
    P.Police(PoliceImp(FontRenv_Prt));
    P.FondBlanc();
    const QString t = QString::number(P.mes->NbRenvois) + QLatin1Char('x');
    P.c.TextOut(P.X(x) - P.c.TextWidth(t), P.Y(P.Ys - Imp::PosNbRenvois) - Arrondi(P.c.TextHeight(t) / 2.0), t);
  }
}

void ImprimerRepetition(Page& P, int m, int numero, double F) {
  P.Stylo(Imp::EpRepetition);
  const double yb = P.Ys - ((P.n - 1) * Imp::EcartCordes + P.z.EspPortees_Prt / 2.0);
  P.c.MoveTo(P.X(F), P.Y(yb));
  P.c.LineTo(P.X(F), P.Y(yb - Imp::HauteurRepetition));
  P.c.LineTo(P.X(F + Imp::LongRepetition), P.Y(yb - Imp::HauteurRepetition));
  const QString t = numero == 1 ? QStringLiteral("1") : TexteRepetition(PremierPassageFin(Partition, m), numero, TexteLangue(QStringLiteral("Repet-A")));
  P.Police(PoliceImp(FontRenv_Prt));
  P.Style(false, false);
  P.c.Font.Color = kEncre;
  P.FondTexte();
  P.c.TextOut(P.X(F + 0.8), P.Y(yb - Imp::HauteurRepetition + 0.3), t);
}

void ImprimerSignature(Page& P, bool renvoi, int m, double F) {
  P.Police(PoliceImp(FontSign_Prt));
  P.c.Pen.Style = TPenStyle::psClear;
  P.FondTexte();
  double xs = F + Imp::PosSignature + 1.5;
  if (renvoi) xs += Imp::MargeRenvoiDebut;
  else if (m == 1) xs += Imp::MargePremiereMesure;
  const double ym = P.Ys + (P.n - 1) / 2.0 * Imp::EcartCordes;
  const QString num = QString::number(P.mes->Numerateur), den = QString::number(P.mes->Denominateur);
  P.c.TextOut(P.X(xs) - Arrondi(P.c.TextWidth(num) / 2.0), P.Y(ym) - P.c.TextHeight(num), num);
  P.c.TextOut(P.X(xs) - Arrondi(P.c.TextWidth(den) / 2.0), P.Y(ym + 0.5), den);
}

void ImprimerNumeroMesure(Page& P, int m, double x) {
  P.Police(kFontNumM);
  P.FondTexte();
  const QString t = QString::number(m);
  P.c.TextOut(P.X(x) - Arrondi(P.c.TextWidth(t) / 2.0), P.Y(P.Ys - 1.0) - P.c.TextHeight(t), t);
}

// The standard tunings print no string names.
bool AccordageStandard(const TPartition& p, int piste) {
  static const int k6a[] = {64, 59, 55, 50, 45, 40}, k6b[] = {47, 43, 38, 33, 28, 23}, k5[] = {43, 38, 33, 28, 23},
                   k4[] = {43, 38, 33, 28};
  const int n = p.NbCordes[piste];
  auto egal = [&](const int* t) {
    for (int s = 1; s <= n; ++s)
      if (p.Accordage[piste][s] != t[s - 1]) return false;
    return true;
  };
  return (n == 6 && (egal(k6a) || egal(k6b))) || (n == 5 && egal(k5)) || (n == 4 && egal(k4));
}

void ImprimerAccordage(Page& P, double x) {
  if (AccordageStandard(P.p, P.piste)) return;
  P.Police(PoliceImp(FontNotes_Prt), 1);
  P.Style(false, false);
  P.FondTexte();
  for (int s = 1; s <= P.n; ++s) {
    const QString t = NomNote(P.p.Accordage[P.piste][s]);
    P.c.TextOut(P.X(x - 1.0) - P.c.TextWidth(t), P.Y(P.yc(s)) - Arrondi(P.c.TextHeight(t) / 2.0), t);
  }
}

// ================================================================ effects, chords, texts

QString TexteGrace(const TNote& n) {
  QString t = n.FretteGrace == FRETTE_MORTE ? QStringLiteral("x") : QString::number(n.FretteGrace);
  if (n.NuanceGrace <= 4) t = QLatin1Char('(') + t + QLatin1Char(')');
  return t;
}

int LargeurNote(Page& P, int b, int s) {
  if (b < 1 || b > P.mi->NbTemps) return 0;
  return P.c.TextWidth(TexteNote(P.T(b).Notes[s], P.piste));
}

// The span between two fret numbers (pixels), at least 2 mm, centred on the gap.
std::pair<int, int> Span(Page& P, int b, int s, double x, double xs) {
  P.Police(PoliceImp(FontNotes_Prt));
  const int w1 = LargeurNote(P, b, s), w2 = LargeurNote(P, b + 1, s);
  int a = P.X(x + 0.5) + w1 / 2, e = P.X(xs - 0.5) - w2 / 2;
  const int min = P.Px(2.0);
  if (e - a < min) {
    const int manque = min - (e - a);
    a -= manque / 2;
    e = a + min;
  }
  return {a, e};
}

void TexteQuantiteImp(Page& P, double q, int droite, int milieu) {
  P.Police(kFontEff);
  P.FondTexte();
  const QString t = TexteQuantite(q, SeparateurDecimal);
  P.c.TextOut(droite - P.c.TextWidth(t), milieu - Arrondi(P.c.TextHeight(t) / 2.0), t);
}

void ImprimerSlide(Page& P, int s, int b, double xs, double x, bool monte) {
  auto [a, e] = Span(P, b, s, x, xs);
  P.Stylo(Imp::EpSlide);
  const double d = 0.25 * Imp::EcartCordes;
  const int y1 = P.Y(P.yc(s) + (monte ? d : -d)), y2 = P.Y(P.yc(s) + (monte ? -d : d));
  P.Trait(a, y1, e, y2);
  P.Police(kFontEff);
  P.FondTexte();
  const QString t = QStringLiteral("sl.");
  const int h = P.c.TextHeight(t);
  P.c.TextOut((a + e) / 2 - P.c.TextWidth(t) / 2, std::min(y1, y2) - Arrondi(h * 4 / 5.0), t);
}

void ImprimerHOPO(Page& P, int s, int b, int genre, double xs, double x) {
  auto [a, e] = Span(P, b, s, x, xs);
  P.Stylo(Imp::EpSlide);
  const int yh = P.Y(P.yc(s) - 0.35 * Imp::EcartCordes), yb = P.Y(P.yc(s) + 0.15 * Imp::EcartCordes);
  const int ym = (yh + yb) / 2;
  P.c.Arc(a, yh, e, yb, e, ym, a, ym);
  P.Police(kFontEff);
  P.FondTexte();
  const QString t = genre == 1 ? QStringLiteral("HO") : QStringLiteral("PO");
  const int h = P.c.TextHeight(t);
  P.c.TextOut((a + e) / 2 - P.c.TextWidth(t) / 2, yh - P.Px(0.2) - Arrondi(h * 4 / 5.0), t);
}

void ImprimerBend(Page& P, int s, int b, double q, double x, bool release) {
  P.Police(PoliceImp(FontNotes_Prt));
  const double cmm = x + (LargeurNote(P, b, s) / P.e.Ppm) / 2;
  P.Stylo(Imp::EpBend);
  const int demi = P.c.Pen.Width / 2;
  const int pic = P.Y(P.yc(s - 1));
  P.c.Arc(P.X(cmm - 1.5), P.Y(P.yc(s - 2)), P.X(cmm + 2.5), P.Y(P.yc(s)), P.X(cmm + 0.5), P.Y(P.yc(s)),
          P.X(cmm + 2.5), pic);
  const int l = P.Px(0.8);
  if (!release) {
    const int tx = P.X(cmm + 2.5) - demi;
    P.Trait(tx, pic, tx - l, pic + l);
    P.Trait(tx, pic, tx + l, pic + l);
    TexteQuantiteImp(P, q, tx - P.Px(0.5), pic - P.Px(0.2));
    return;
  }
  P.c.Arc(P.X(cmm + 0.5), pic, P.X(cmm + 3.5), P.Y(P.yc(s) + 0.5 * Imp::EcartCordes), P.X(cmm + 3.5), P.Y(P.yc(s)),
          P.X(cmm + 2.5), pic);
  const int tx = P.X(cmm + 3.5) - demi, ty = P.Y(P.yc(s));
  P.Trait(tx, ty, tx - l, ty - l);
  P.Trait(tx, ty, tx + l, ty - l);
  TexteQuantiteImp(P, q, P.X(cmm + 2.0 - 0.5), pic - P.Px(0.2));
}

void ImprimerEffetsTemps(Page& P, int b) {
  const TTemps& t = P.T(b);
  const double x = P.XT(b), xs = b < P.mi->NbTemps ? P.XT(b + 1) : x + 8.0;
  const double ye = P.Ys - Imp::PosEffetsTemps;
  if (t.Brush == 1 || t.Brush == 2) {
    // Measured at the font's own size, as the stroke's place does not follow the zoom.
    const TMyFont& f = PoliceImp(FontNotes_Prt);
    P.c.Font.Name = f.Name;
    P.c.Font.Size = f.Size;
    P.c.Font.PixelsPerInch = P.e.PoliceDpi;
    int maxw = 0;
    for (int s = 1; s <= P.n; ++s) maxw = std::max(maxw, LargeurNote(P, b, s));
    P.Stylo(0.15);
    const int xb = P.X(x + 1.5) + maxw / 2;
    const int y1 = P.Y(P.yc(1) + Imp::EcartCordes / 3), y2 = P.Y(P.yc(P.n) - Imp::EcartCordes / 3);
    P.Trait(xb, y1, xb, y2);
    const int l = P.Px(1.0);
    if (t.Brush == 1) {
      P.Trait(xb, y1, xb - l, y1 + l);
      P.Trait(xb, y1, xb + l, y1 + l);
    } else {
      P.Trait(xb, y2, xb - l, y2 - l);
      P.Trait(xb, y2, xb + l, y2 - l);
    }
  }
  P.Police(kFontValEff);
  if (t.EffetTemps == 4) P.c.Font.Size += 2;
  P.FondTexte();
  static const char* const lettres[] = {"<", "T", "S", "P", "H", "A.H."};
  if (t.EffetTemps >= 4 && t.EffetTemps <= 9) {
    const QString l = QString::fromLatin1(lettres[t.EffetTemps - 4]);
    const int h = P.c.TextHeight(QStringLiteral("T"));
    P.c.TextOut(P.X(x) - P.c.TextWidth(l) / 2, P.Y(ye) - h / 2, l);
  }
  if (t.EffetTemps == 1 || t.EffetTemps == 2) {
    const double pas = t.EffetTemps == 1 ? Imp::PasVibrato : Imp::PasVibratoBarre;
    P.Stylo(t.EffetTemps == 1 ? Imp::EpVibrato : Imp::EpVibratoBarre);
    const int nb = static_cast<int>((xs - 3.0 - x) / pas);
    for (int k = 0; k < nb; ++k) {
      const double ya = k % 2 ? ye - pas / 2 : ye + pas / 2, yb = k % 2 ? ye + pas / 2 : ye - pas / 2;
      P.Trait(P.X(x + k * pas), P.Y(ya), P.X(x + (k + 1) * pas), P.Y(yb));
    }
  }
  if (t.EffetTemps == 3) {
    P.Stylo(Imp::EpCoupVibrato);
    const double yd = ye + 1.0;
    P.c.MoveTo(P.X(x - 3.0), P.Y(yd - 2.0));
    P.c.LineTo(P.X(x), P.Y(yd));
    P.c.LineTo(P.X(x + 3.0), P.Y(yd - 2.0));
    P.Police(kFontValEff);
    P.FondTexte();
    const QString q = TexteQuantite(t.CoupVibrato, SeparateurDecimal);
    P.c.TextOut(P.X(x) - P.c.TextWidth(q) / 2, P.Y(yd - 0.6) - P.c.TextHeight(q), q);
  }
}

// A chord diagram: yb its bottom, xc its centre, both in mm from the page's top-left corner.
void ImprimerDiagramme(Page& P, const TAccord& a, bool avecNom, double yb, double xc) {
  const double f = FacteurDiagramme(P.z.ChordSize_Prt), s = Imp::CaseDiag * f;
  const double e = xc - 2.5 * s, t = yb - 5 * s;
  P.Stylo(0.12);
  P.c.Brush.Style = TBrushStyle::bsClear;
  for (int k = 0; k <= 5; ++k) {
    P.Trait(P.Xa(e), P.Y(t + k * s), P.Xa(e + 5 * s) + 1, P.Y(t + k * s));
    P.Trait(P.Xa(e + k * s), P.Y(t), P.Xa(e + k * s), P.Y(t + 5 * s) + 1);
  }
  double o = 0;
  if (a.FretteBase <= 1) {
    P.Trait(P.Xa(e), P.Y(t - s / 3), P.Xa(e + 5 * s) + 1, P.Y(t - s / 3));
    o = s / 3;
  }
  const double r = s / 3.5;
  const int plus = P.e.Apercu ? 1 : 0;
  for (int j = 1; j <= 6; ++j) {
    const double xj = e + 5 * s - (j - 1) * s;
    const int fr = a.Frettes[j];
    if (fr == -1) {
      P.Stylo(0.12);
      P.Trait(P.Xa(xj - r), P.Y(t - 3 * r - o), P.Xa(xj + r) + plus, P.Y(t - r - o) + plus);
      P.Trait(P.Xa(xj - r), P.Y(t - r - o), P.Xa(xj + r) + plus, P.Y(t - 3 * r - o) - plus);
    } else if (fr == 0) {
      P.Stylo(0.12);
      P.c.Brush.Style = TBrushStyle::bsClear;
      P.c.Ellipse(P.Xa(xj - r), P.Y(t - 3 * r - o), P.Xa(xj + r) + plus, P.Y(t - r - o) + plus);
    } else if (fr > 0) {
      bool barre = false;
      for (int k = 1; k <= std::min(a.NbBarres, 2); ++k)
        barre |= a.FretteBarre[k] == fr && a.CordeDebutBarre[k] <= j && j <= a.CordeFinBarre[k];
      if (!barre) P.Disque(r, P.Xa(xj), P.Y(t + s / 2 + (fr - a.FretteBase) * s));
    }
  }
  for (int k = 1; k <= std::min(a.NbBarres, 2); ++k) {
    const double yr = t + s / 2 + (a.FretteBarre[k] - a.FretteBase) * s;
    const double x1 = e + 5 * s - (a.CordeFinBarre[k] - 1) * s, x2 = e + 5 * s - (a.CordeDebutBarre[k] - 1) * s;
    P.Bloc(P.Xa(std::min(x1, x2)), P.Y(yr - r), P.Xa(std::max(x1, x2)), P.Y(yr + r));
    P.Disque(r, P.Xa(x1), P.Y(yr));
    P.Disque(r, P.Xa(x2), P.Y(yr));
  }
  if (a.FretteBase > 1) {
    P.c.Font.Name = QStringLiteral("Arial");
    P.c.Font.Size = std::max(1, Arrondi(Arrondi(7 * P.e.PoliceEchelle) * f));
    P.c.Font.PixelsPerInch = P.e.PoliceDpi;
    P.Style(false, false);
    P.c.Font.Color = kEncre;
    P.FondTexte();
    const QString n = QString::number(a.FretteBase);
    P.c.TextOut(P.Xa(e - 2 * s / 3) - P.c.TextWidth(n), P.Y(t - s / 3), n);
  }
  if (avecNom && !a.Nom.empty() && P.z.AffChordsName_Prt) {
    P.Police(PoliceImp(FontAccDiag_Prt));
    P.FondTexte();
    const QString n = AnsiToQString(a.Nom.view());
    P.c.TextOut(P.Xa(e + 2.5 * s) - P.c.TextWidth(n) / 2, P.Y(t + 5.25 * s), n);
  }
}

bool DiagrammeVide(const TAccord& a) {
  for (int j = 1; j <= 6; ++j)
    if (a.Frettes[j] != -1) return false;
  return true;
}

void ImprimerAccord(Page& P, int b) {
  const TTemps& t = P.T(b);
  if (!t.AvecAccord || !t.Accord) return;
  const TAccord& a = *t.Accord;
  const bool vide = DiagrammeVide(a);
  const double x = P.XT(b);
  if (P.z.AffChordsName_Prt && (vide || !P.z.AffDiag_Prt)) {
    P.Police(PoliceImp(FontAcc_Prt));
    P.FondTexte();
    const QString n = AnsiToQString(a.Nom.view());
    const double yn = P.Ys - Imp::PosNomAc - P.z.EspNomAc_Prt / 3.0;
    P.c.TextOut(P.X(x) - P.c.TextWidth(QStringLiteral("C")) / 2, P.Y(yn) - P.c.TextHeight(n) / 2, n);
  } else if (P.z.AffDiag_Prt && !vide) {
    ImprimerDiagramme(P, a, true, P.Ys - Imp::PosDiagAc - P.z.EspDiagAc_Prt / 3.0, x + P.G);
  }
}

void ImprimerTexte(Page& P, int b) {
  const TTemps& t = P.T(b);
  if (t.Texte.empty()) return;
  P.Police(PoliceImp(FontTxt_Prt));
  P.FondTexte();
  const double yt = P.Ys - Imp::PosTexte - P.z.EspTexte_Prt / 3.0;
  P.c.TextOut(P.X(P.XT(b)) - P.c.TextWidth(QStringLiteral("C")) / 2,
              P.Y(yt) - P.c.TextHeight(QStringLiteral("C")) / 2, AnsiToQString(t.Texte.view()));
}

// ================================================================ beats

void ImprimerSilence(Page& P, int b, int code) {
  const double x = P.XT(b), ym = P.Ys + (P.n - 1) * Imp::EcartCordes / 2;
  P.Encre();
  switch (code) {
    case -2: {
      const double yl = P.yc(P.n == 4 ? 2 : 3);
      P.Bloc(P.X(x - 1.5), P.Y(yl), P.X(x + 1.5), P.Y(yl + 1.5));
      break;
    }
    case -1: {
      const double yl = P.yc(P.n == 6 ? 4 : 3);
      P.Bloc(P.X(x - 1.5), P.Y(yl - 1.5), P.X(x + 1.5), P.Y(yl));
      break;
    }
    case 0: {
      // A zigzag on a 0.2 mm grid, 20 units high.
      static const int pts[16][2] = {{0, 0},  {3, 4},  {3, 6},   {1, 9},   {1, 11}, {3, 14}, {0, 14}, {1, 20},
                                     {-2, 16}, {-2, 14}, {-1, 13}, {2, 13}, {-1, 9}, {-1, 8}, {2, 4},  {1, 1}};
      std::vector<QPoint> poly;
      for (const auto& q : pts) poly.emplace_back(P.X(x + q[0] * 0.2), P.Y(ym - 4.0 + q[1] * 0.2));
      P.c.Polygon(poly);
      break;
    }
    default: {
      if (code < 1) break;
      P.Stylo(0.35);
      P.Trait(P.X(x + 1.0), P.Y(ym - 2.5), P.X(x - 0.8), P.Y(ym + 2.9));
      for (int k = 0; k < std::min(code, 4); ++k) {
        // A small head left of the stem, hooked to it.
        const double xs = x + 1.0 - 0.35 * k, ys = ym - 2.5 + 1.05 * k;
        P.Disque(0.35, P.X(xs - 1.2), P.Y(ys + 0.35));
        P.Stylo(0.15);
        P.Trait(P.X(xs - 1.2), P.Y(ys + 0.6), P.X(xs), P.Y(ys));
      }
    }
  }
}

void ImprimerNote(Page& P, int b, int s) {
  const TTemps& t = P.T(b);
  if (t.Silence) {
    if (s == 1) ImprimerSilence(P, b, t.CodeDuree);
    return;
  }
  const TNote& note = t.Notes[s];
  if (note.Frette < 0 && note.FretteGrace < 0) return;
  P.Police(PoliceImp(FontNotes_Prt));
  const double x = P.XT(b), y = P.yc(s);
  int maxw = 0;
  if (note.FretteGrace >= 0)
    for (int k = 1; k <= P.n; ++k) maxw = std::max(maxw, LargeurNote(P, b, k));
  const QString texte = TexteNote(note, P.piste);
  if (!texte.isEmpty()) {
    const int w = P.c.TextWidth(texte), h = P.c.TextHeight(texte);
    P.c.Pen.Style = TPenStyle::psClear;
    P.Bloc(P.X(x - Imp::MargeBlancFrette) - w / 2, P.Y(y) - 1, P.X(x + Imp::MargeBlancFrette) + w / 2,
           P.Y(y + Imp::EpLignes) + 1, clWhite);
    P.FondTexte();
    P.c.TextOut(P.X(x) - Arrondi(w / 2.0), P.Y(y) - Arrondi(h / 2.0), texte);
  }
  if (note.FretteGrace >= 0) {
    P.Police(PoliceImp(FontNotes_Prt), 3);
    P.Style(false, false);
    const QString g = TexteGrace(note);
    const int wg = P.c.TextWidth(g), hg = P.c.TextHeight(g);
    const int xg = P.X(x - 0.7 - 0.2 * note.DureeGrace) - maxw / 2;
    P.Bloc(xg - P.Px(Imp::MargeBlancFrette) - wg, P.Y(y) - 1, xg + P.Px(Imp::MargeBlancFrette),
           P.Y(y + Imp::EpLignes) + 1, clWhite);
    P.FondTexte();
    P.c.TextOut(xg - wg, P.Y(y) - Arrondi(hg / 2.0), g);
  }
  if (note.Effet != 0 && P.z.AffEff_Prt && note.Frette >= 0) {
    const double xs = b < P.mi->NbTemps ? P.XT(b + 1) : x + 8.0;
    switch (note.Effet) {
      case 1:
      case 2: ImprimerHOPO(P, s, b, note.Effet, xs, x); break;
      case 3:
      case 4: ImprimerSlide(P, s, b, xs, x, note.Effet == 3); break;
      case 5:
      case 6: ImprimerBend(P, s, b, note.Bend, x, note.Effet == 6); break;
      default: break;  // let ring is not printed
    }
  }
}

void Poutre(Page& P, int niveau, double xa, double xb) {
  const double y2 = P.yB() - niveau * Imp::EcartCrochets, y1 = y2 - Imp::EpCrochet;
  P.Bloc(P.X(std::min(xa, xb)), P.Y(y1), P.X(std::max(xa, xb)), P.Y(y2));
}

void ImprimerCrochets(Page& P, int b) {
  const TTemps& t = P.T(b);
  if (t.Silence && t.CodeDuree <= 0) return;
  const TLiens& l = P.liens[b];
  const double x = P.XT(b);
  if (l[1] > 0 && l[2] >= 1 && l[2] <= P.mi->NbTemps)
    for (int k = 0; k < l[1]; ++k) Poutre(P, k, P.XT(l[2]), x);
  if (l[3] > l[1])
    for (int k = l[1]; k < l[3]; ++k) Poutre(P, k, x - Imp::LongCrochetPartiel, x);
  auto point = [&](double xp, int niveaux) {
    P.Disque(Imp::RayonPointDuree, P.X(xp),
             P.Y(P.yB() - Imp::EpCrochet - niveaux * Imp::EcartCrochets + Imp::RayonPointDuree));
  };
  if (t.Pointee && l[7] == 1) point(x - Imp::EcartPointDuree, std::max(l[1], l[3]));
  if (l[4] > 0 && l[5] >= 1 && l[5] <= P.mi->NbTemps)
    for (int k = 0; k < l[4]; ++k) Poutre(P, k, x, P.XT(l[5]));
  if (l[6] > 0) {
    const int de = (l[4] > 0 && b == P.mi->NbTemps) ? 0 : l[4];
    for (int k = de; k < l[6]; ++k) Poutre(P, k, x, x + Imp::LongCrochetPartiel);
  }
  if (t.Pointee && l[7] == 2) point(x + Imp::EcartPointDuree, std::max(l[4], l[6]));
}

void ImprimerHampe(Page& P, int b) {
  const TTemps& t = P.T(b);
  const double x = P.XT(b);
  auto hampe = [&](double y1, double y2) { P.Bloc(P.X(x - Imp::EpHampe / 2), P.Y(y1), P.X(x + Imp::EpHampe / 2), P.Y(y2)); };
  if (t.Silence) {
    hampe(P.yB() - 4.0, P.yB());
    return;
  }
  P.Police(PoliceImp(FontNotes_Prt));
  const double h = P.c.TextHeight(QStringLiteral("0")) / P.e.Ppm;
  int j = 0, k = 0;
  for (int s = 1; s <= P.n && !j; ++s)
    if (t.Notes[s].Frette >= 0) j = s;
  for (int s = P.n; s >= 1 && !k; --s)
    if (t.Notes[s].Frette >= 0) k = s;
  if (j && j != k && k > 1 && !t.Lie) {
    int prec = j;
    for (int s = j + 1; s <= k; ++s) {
      if (t.Notes[s].Frette < 0) continue;
      if (s - prec > 1) hampe(P.yc(prec) + Imp::EcartHampeFrette + h / 2, P.yc(s) - Imp::EcartHampeFrette - h / 2);
      prec = s;
    }
  }
  if (t.Lie || !k) k = P.n;
  if (t.CodeDuree == -2) return;
  if (t.CodeDuree == -1) hampe(P.yB() - Imp::HampeBlanche, P.yB());
  else hampe(P.yc(k) + Imp::EcartHampeFrette + h / 2, P.yB());
}

void ImprimerTriolet(Page& P, int b) {
  const double x1 = P.XT(b), x2 = b + 2 <= P.mi->NbTemps ? P.XT(b + 2) : x1 + 10.0;
  const double yT = P.yT();
  P.Stylo(Imp::EpTriolet);
  P.c.MoveTo(P.X(x1), P.Y(yT));
  P.c.LineTo(P.X(x1), P.Y(yT + Imp::HauteurTriolet));
  P.c.LineTo(P.X(x2), P.Y(yT + Imp::HauteurTriolet));
  P.c.LineTo(P.X(x2), P.Y(yT));
  P.Police(kFontTriolet);
  P.FondBlanc();
  P.TexteCentre(P.X((x1 + x2) / 2), P.Y(yT + Imp::HauteurTriolet), QStringLiteral(" 3 "));
}

void ImprimerLiaison(Page& P, int m, int b, const TSystemeImp& sys) {
  if (!P.T(b).Lie) return;
  const double x = P.XT(b);
  double xp = x - 5.0;
  if (b >= 2) {
    xp = P.XT(b - 1);
  } else {
    for (int k = m - 1; k >= 1; --k) {
      const TMesure* mk = P.p.Mesure(k);
      if (!mk || mk->NbTemps[P.piste] <= 0) continue;
      if (k >= sys.Debut) xp = sys.Mesures[k - sys.Debut].XImp[mk->NbTemps[P.piste]];
      break;
    }
  }
  const double yT = P.yT();
  P.Stylo(Imp::EpLiaison);
  const int y1 = P.Y(yT - Imp::HauteurTriolet), y2 = P.Y(yT + Imp::HauteurTriolet);
  P.c.Arc(P.X(xp), y1, P.X(x), y2, P.X(xp), P.Y(yT), P.X(x), P.Y(yT));
  P.c.SetPixel(P.X(x) - 1, P.Y(yT), kEncre);
}

void ImprimerTempsMesure(Page& P, int m, const TSystemeImp& sys) {
  P.liens = LiensMesure(*P.mes, P.piste, P.mi->NbTemps);
  for (int b = 1; b <= P.mi->NbTemps; ++b) {
    const TTemps& t = P.T(b);
    if (P.z.AffTxt_Prt) ImprimerTexte(P, b);
    if (P.z.AffDiag_Prt || P.z.AffChordsName_Prt) ImprimerAccord(P, b);
    if (P.z.AffEff_Prt) ImprimerEffetsTemps(P, b);
    ImprimerLiaison(P, m, b, sys);
    for (int s = 1; s <= P.n; ++s) ImprimerNote(P, b, s);
    if (P.z.AffRyt_Prt) {
      ImprimerCrochets(P, b);
      if (!t.Silence || t.CodeDuree > 0) ImprimerHampe(P, b);
      if (t.Triolet && t.PlaceTriolet == 1) ImprimerTriolet(P, b);
    }
  }
}

void ImprimerSysteme(Page& P, const TSystemeImp& sys) {
  P.Ys = sys.Y;
  P.debut = sys.Debut;
  const int nb = P.p.NbMesures;
  for (const TMesureImp& mi : sys.Mesures) {
    const int j = mi.Mesure;
    P.mi = &mi;
    P.mes = P.p.Mesure(j);
    if (!P.mes) continue;
    const double F = mi.XDebut, U = mi.XFin;
    if (j == 1 && P.z.AffTriplet_Prt) ImprimerAccordage(P, F);
    if (j == sys.Debut && P.z.AffNum_Prt) ImprimerNumeroMesure(P, j, F);
    if (P.mes->RenvoiDebut) ImprimerBarreRenvoi(P, 1, F);
    else if (j == 1) ImprimerDoubleBarre(P, 1, F);
    else if (j == sys.Debut) ImprimerBarre(P, 1, 2, F);
    if (P.mes->Repetition) ImprimerRepetition(P, j, P.mes->NumRepetition, F);
    const TMesure* prec = j > 1 ? P.p.Mesure(j - 1) : nullptr;
    if (j == 1 || (prec && (prec->Numerateur != P.mes->Numerateur || prec->Denominateur != P.mes->Denominateur)))
      ImprimerSignature(P, P.mes->RenvoiDebut, j, F);
    const TMesure* suiv = j < nb ? P.p.Mesure(j + 1) : nullptr;
    if (P.mes->RenvoiFin) ImprimerBarreRenvoi(P, 2, U);
    else if (j == nb) ImprimerDoubleBarre(P, 2, U);
    else if (j == sys.Fin || !suiv || !suiv->RenvoiDebut) ImprimerBarre(P, 1, 1, U);
    ImprimerLignesPortee(P, U, F);
    ImprimerTempsMesure(P, j, sys);
  }
}

// ================================================================ page furniture

void ImprimerEntete(Page& P) {
  const TGeometrieImp& g = P.mp.Geo;
  const TZoneImpression& z = P.z;
  const double Y = g.H, E1 = z.Esp_Titre_Auteur_Prt;
  P.c.Pen.Style = TPenStyle::psClear;
  const int milieu = P.Xa((g.Wp() - g.D + g.G) / 2);
  P.Police(PoliceImp(FontTitle_Prt));
  P.FondTexte();
  if (z.AffTitre_Prt) {
    const QString t = AnsiToQString(P.p.Titre.view());
    P.c.TextOut(milieu - P.c.TextWidth(t) / 2, P.Y(Y), t);
    if (!P.p.NomPiste[P.piste].empty()) {
      P.c.Font.Size = std::max(1, Arrondi(P.c.Font.Size / 2.0));
      P.Style(false, false);
      const QString n = QLatin1Char('(') + AnsiToQString(P.p.NomPiste[P.piste].view()) + QLatin1Char(')');
      P.c.TextOut(milieu - P.c.TextWidth(n) / 2, P.Y(Y + 10), n);
    }
  }
  if (z.AffAuteur_Prt) {
    P.Police(PoliceImp(FontAuteur_Prt));
    P.FondTexte();
    const QString a = AnsiToQString(P.p.Auteur.view());
    P.c.TextOut(P.Xa(g.Wp() - g.D) - P.c.TextWidth(a), P.Y(Y + 20 + E1 / 2), a);
  }
  if (z.AffComment_Prt) {
    P.Police(PoliceImp(FontComment_Prt));
    P.FondTexte();
    P.c.TextOut(P.Xa(g.G), P.Y(Y + 20 + E1 / 2), AnsiToQString(P.p.Commentaire.view()));
  }
  const bool signe = P.p.TripletFeel == 1 && z.AffTriplet_Prt;
  if (signe) {
    const double x0 = g.G, y0 = Y + 30 + E1 / 2;
    auto X = [&](double d) { return P.Xa(x0 + d); };
    auto Yy = [&](double d) { return P.Y(y0 + d); };
    for (double l : {0.0, 3.0, 8.0, 12.0}) {
      P.Encre();
      P.c.Pen.Style = TPenStyle::psClear;
      P.c.Ellipse(X(l), Yy(0), X(l + 1.2) + 1, Yy(0.8) + 1);
    }
    P.Stylo(0.2);
    for (double xs : {1.1, 4.1, 9.1, 13.1}) P.Trait(X(xs), Yy(0.4), X(xs), Yy(-1.6));
    P.Stylo(0.13);
    P.c.MoveTo(X(13.1), Yy(-1.6));
    P.c.LineTo(X(13.8), Yy(-0.9));
    P.c.LineTo(X(13.8), Yy(-0.7));
    P.c.LineTo(X(13.5), Yy(-0.4));
    P.Stylo(0.35);
    P.Trait(X(1.1), Yy(-1.6), X(4.1), Yy(-1.6));
    P.Stylo(0.15);
    P.c.Arc(X(9.1), Yy(-3.4), X(13.1), Yy(-1.8), X(13.1), Yy(-2.6), X(9.1), Yy(-2.6));
    TMyFont f = PoliceImp(FontComment_Prt);
    f.Bold = f.Italic = false;
    f.Size = 8;
    P.Police(f);
    P.FondTexte();
    P.c.TextOut(X(5.5), Yy(-2.3), QStringLiteral("="));
    f.Size = 5;
    P.Police(f);
    P.c.TextOut(X(10.6), Yy(-5.1), QStringLiteral("3"));
  }
  if (P.p.Capo[P.piste] > 0 && z.AffTriplet_Prt) {
    P.Police(PoliceImp(FontComment_Prt));
    P.Style(false, false);
    P.FondTexte();
    P.c.TextOut(P.Xa(g.G + (signe ? 18 : 0)), P.Y(Y + 27 + E1 / 2),
                QStringLiteral("Capo ") + QString::number(P.p.Capo[P.piste]));
  }
}

void ImprimerPiedPage(Page& P, int page) {
  if (!P.z.AffNumP_Prt) return;
  const TGeometrieImp& g = P.mp.Geo;
  P.Police(PoliceImp(FontNumPage_Prt));
  P.c.Pen.Style = TPenStyle::psClear;
  P.FondTexte();
  const QString t = TextePiedPage(P.p, P.piste, page);
  P.c.TextOut(P.Xa(g.Wp() - g.D) - P.c.TextWidth(t), P.Y(g.Hp() - g.B) - P.c.TextHeight(t), t);
}

void ImprimerCadre(Page& P) {
  const TGeometrieImp& g = P.mp.Geo;
  P.c.Pen.Color = kEncre;
  P.c.Pen.Width = 1;
  P.c.Pen.Style = TPenStyle::psSolid;
  P.c.Brush.Style = TBrushStyle::bsClear;
  P.c.Rectangle(P.Xa(g.G - g.G0 / g.Zoom), P.Y(g.H - g.H0 / g.Zoom), P.Xa(g.Wp() - g.D + g.D0 / g.Zoom),
                P.Y(g.Hp() - g.B + g.B0 / g.Zoom));
}

}  // namespace

std::vector<TPlaceDiagramme> PlacesListeAccords(const TZoneImpression& z, const TMiseEnPageImp& mp, int N) {
  std::vector<TPlaceDiagramme> r;
  if (!z.AffListChord_Prt || N <= 0) return r;
  const TGeometrieImp& g = mp.Geo;
  const double d = 5 * Imp::CaseDiag * FacteurDiagramme(z.ChordSize_Prt), gap = 2 * d / 3;
  const double yh = g.H + 50 + z.Esp_Titre_Auteur_Prt / 4.0 + z.Esp_Auteur_Tab_Prt / 4.0 - (mp.LigneTriolet ? 0 : 8);
  const double rl = g.Wp() - g.D - g.G;
  const int t = DiagrammesParRangee(z, rl);
  const int L = (N - 1) / t;
  for (int i = 0; i < N; ++i) {
    const int q = i / t;
    const int A = q < L ? t : N - t * L;
    const int c = i - q * t + 1;
    r.push_back({rl / 2 + g.G - (d + gap) * ((A + 1) / 2.0 - c), yh + q * 5 * d / 3});
  }
  return r;
}

void DessinerPageImp(TCanvas& c, const TPartition& p, const TZoneImpression& z, const TMiseEnPageImp& mp,
                     const TEchelleImp& e, int page, bool blackBlocks) {
  if (page < 1 || page > mp.NbPages()) return;
  Page P(c, p, z, mp, e, blackBlocks);
  P.piste = mp.Piste;
  P.n = mp.NbCordes;
  P.G = mp.Geo.G;
  if (page == 1) {
    ImprimerEntete(P);
    const int nb = std::clamp(NbAccordsImprimer, 0, NB_ACCORDS_IMPRIMER_MAX);
    const auto places = PlacesListeAccords(z, mp, nb);
    for (int i = 0; i < static_cast<int>(places.size()); ++i)
      if (AccordsImprimer[i + 1]) ImprimerDiagramme(P, *AccordsImprimer[i + 1], true, places[i].Yb, places[i].Xc);
  }
  for (const TSystemeImp& s : mp.Pages[page - 1].Systemes) ImprimerSysteme(P, s);
  if (!z.FullPage && z.TracerCadre_Prt) ImprimerCadre(P);
  // A one-page document carries no footer.
  if (mp.NbPages() > 1) ImprimerPiedPage(P, page);
}

int BouclePages(const TPartition& p, const TZoneImpression& z, const TMiseEnPageImp& mp, const TEchelleImp& e,
                TSortiePages& sortie, bool blackBlocks) {
  int nb = 0;
  for (int page = 1; page <= mp.NbPages(); ++page) {
    if (!sortie.Sortie(page)) continue;
    TCanvas* c = sortie.DebutPage(page);
    if (!c) break;
    DessinerPageImp(*c, p, z, mp, e, page, blackBlocks);
    sortie.FinPage(page);
    ++nb;
  }
  return nb;
}
