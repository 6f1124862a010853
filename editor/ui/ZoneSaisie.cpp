#include "editor/ui/ZoneSaisie.h"

#include <QImage>
#include <algorithm>

#include "editor/EditZoneModel.h"
#include "editor/state/EtatEdition.h"
#include "editor/state/EtatProgramme.h"
#include "editor/state/Notificateur.h"
#include "editor/state/VueEditeur.h"
#include "platform/Canvas.h"
#include "settings/Langue.h"
#include "song/MarkTexts.h"
#include "song/Rythme.h"
#include "song/Song.h"

QImage* ImageSaisie = nullptr;
TCanvas* CanvasSaisie = nullptr;

namespace {

// Everything a drawing of one measure and track needs: the canvas, the data and the geometry
// of the zone (staff left edge X0, string 1 at Y0, staff length L, string and beat spacing).
struct Zone {
  TCanvas* cv = nullptr;
  TMesure* m = nullptr;
  int mesure = 0;
  int piste = 1;
  int n = 6;  // strings of the track
  int X0 = 30, Y0 = 48, L = 570, dY = 14, dX = 50, P = 10;

  int x(int b) const { return X0 + b * dX; }
  int y(int s) const { return Y0 + (s - 1) * dY; }
  int Yb() const { return Y0 + n * dY; }  // just below the staff
  int demiY() const { return Arrondi(dY / 2.0); }
  int N() const { return std::clamp(m->NbTemps[piste], 0, NB_TEMPS_MAX); }
  TTemps& T(int b) const { return m->Temps[piste][b]; }
  bool ok() const { return cv && m; }
};

Zone ZoneDe(TCanvas* cv, int mesure, int piste) {
  Zone z;
  z.cv = cv;
  z.mesure = mesure;
  z.piste = std::clamp(piste, 1, NB_PISTES);
  z.m = (mesure >= 1 && mesure <= NB_MESURES_MAX) ? Partition.Mesures[mesure].get() : nullptr;
  z.n = std::clamp(Partition.NbCordes[z.piste], 1, NB_CORDES_MAX);
  z.X0 = Curseur.XSaisie;
  z.Y0 = Curseur.YSaisie;
  z.L = Curseur.LargeurSaisie;
  z.dY = Curseur.EcartCordes;
  z.dX = Curseur.EcartTemps;
  z.P = Curseur.TaillePolice;
  return z;
}

Zone ZoneCourante() { return ZoneDe(CanvasSaisie, Partition.MesureCourante, PisteCourante); }

int LargeurZone(const Zone& z) { return ImageSaisie ? ImageSaisie->width() : 2 * z.X0 + NB_TEMPS_MAX * z.dX; }
int HauteurZone(const Zone& z) { return ImageSaisie ? ImageSaisie->height() : z.Yb() + 40; }

void Stylo(TCanvas* c, TColor col, int largeur = 1) {
  c->Pen.Color = col;
  c->Pen.Width = largeur;
  c->Pen.Style = TPenStyle::psSolid;
}
void Brosse(TCanvas* c, TColor col) {
  c->Brush.Color = col;
  c->Brush.Style = TBrushStyle::bsSolid;
}
void BrosseVide(TCanvas* c) { c->Brush.Style = TBrushStyle::bsClear; }
void Police(TCanvas* c, const char* nom, int taille, bool gras, bool italique, TColor col) {
  c->Font.Name = QString::fromLatin1(nom);
  c->Font.Size = taille;
  c->Font.Bold = gras;
  c->Font.Italic = italique;
  c->Font.Underline = false;
  c->Font.Color = col;
  c->Font.PixelsPerInch = 96;
}
void Ligne(TCanvas* c, int x1, int y1, int x2, int y2) {
  c->MoveTo(x1, y1);
  c->LineTo(x2, y2);
}
// A white box: pen and brush white.
void Effacer(TCanvas* c, int x1, int y1, int x2, int y2) {
  Stylo(c, clWhite);
  Brosse(c, clWhite);
  c->Rectangle(x1, y1, x2, y2);
}

// Half width of a beat's cell, from the widest fret text "(22)".
int DemiCellule(const Zone& z) {
  Police(z.cv, "MS Sans Serif", z.P, false, false, clBlue);
  return Arrondi(z.cv->TextWidth(QStringLiteral("(22)")) / 2.0) + 2;
}

bool APourNote(const TNote& n) { return n.Frette >= 0; }

// The rows of repeat dots: the string pair they sit under.
void CordesPoints(int n, int& k1, int& k2) {
  if (n <= 4) { k1 = 1; k2 = 3; }
  else if (n == 5) { k1 = 2; k2 = 3; }
  else { k1 = 2; k2 = 4; }
  k1 = std::min(k1, n);
  k2 = std::min(k2, n);
}

void PointsRenvoi(const Zone& z, int e) {
  int k1, k2;
  CordesPoints(z.n, k1, k2);
  Stylo(z.cv, clBlack);
  Brosse(z.cv, clBlack);
  for (int k : {k1, k2}) {
    int yd = z.y(k) + 5;
    z.cv->Rectangle(e, yd + 1, e + 5, yd + 4);
    z.cv->Rectangle(e + 1, yd, e + 4, yd + 5);
  }
}

void EffetsTemps(const Zone& z, int b, bool cascade);
void Temps(const Zone& z, const TCurseur& cur, int b, bool avecEffets);

// ---------------------------------------------------------------- beat marks

void EffetTempsLigne(const Zone& z, int b, const QString& texte) {
  TCanvas* c = z.cv;
  Police(c, "Arial", 7, false, false, clBlue);
  Stylo(c, clBlue);
  BrosseVide(c);
  const TTemps& t = z.T(b);
  int xb = z.X0 + Arrondi(b * static_cast<double>(z.dX));
  int Y0 = z.Y0;
  switch (t.EffetTemps) {
    case 1:
      for (int i = 1; i <= 5; ++i) {
        int p = xb + 4 * i - 4;
        c->SetPixel(p, Y0 - 15, clBlue);
        c->SetPixel(p + 1, Y0 - 16, clBlue);
        c->SetPixel(p + 2, Y0 - 17, clBlue);
        c->SetPixel(p + 3, Y0 - 16, clBlue);
      }
      c->SetPixel(xb + 20, Y0 - 15, clBlue);
      break;
    case 2:
      for (int i = 1; i <= 3; ++i) {
        int v = xb + 6 * i;
        c->SetPixel(v - 4, Y0 - 18, clBlue);
        c->SetPixel(v - 3, Y0 - 17, clBlue);
        c->SetPixel(v - 2, Y0 - 16, clBlue);
        c->SetPixel(v - 1, Y0 - 15, clBlue);
        c->SetPixel(v, Y0 - 16, clBlue);
        c->SetPixel(v + 1, Y0 - 17, clBlue);
      }
      c->SetPixel(xb + 20, Y0 - 18, clBlue);
      break;
    case 3: {
      c->MoveTo(xb - 10, Y0 - 16);
      c->LineTo(xb + 1, Y0 - 11);
      c->LineTo(xb + 12, Y0 - 17);
      QString q = TexteQuantite(t.CoupVibrato, SeparateurDecimal);
      c->Font.Size = 5;
      int w = c->TextWidth(q), h = c->TextHeight(q);
      c->TextOut(xb - Arrondi(w / 2.0) + 1, Y0 - 15 - Arrondi(h / 2.0) - 2, q);
      c->Font.Size = 7;
      break;
    }
    case 4: case 5: case 6: case 7: case 8: case 9: {
      int w = c->TextWidth(texte), h = c->TextHeight(texte);
      c->TextOut(xb - Arrondi(w / 2.0) + 1, Y0 - 15 - Arrondi(h / 2.0), texte);
      break;
    }
    default:
      break;
  }
}

void Quantite(TCanvas* c, double v, int gx, int gy) {
  QString q = TexteQuantite(v, SeparateurDecimal);
  c->Font.Size = 5;
  c->TextOut(gx - c->TextWidth(q) - 1, gy - 6, q);
  c->Font.Size = 7;
}

void EffetNote(const Zone& z, int b, int s) {
  TCanvas* c = z.cv;
  Police(c, "Arial", 7, false, false, clBlue);
  Stylo(c, clBlue);
  BrosseVide(c);
  const TNote& note = z.T(b).Notes[s];
  int gx = z.X0 + Arrondi((b + 0.5) * z.dX);
  int gy = z.Y0 + Arrondi((s - 1.5) * z.dY);
  auto px = [c](int x, int y) { c->SetPixel(x, y, clBlue); };
  switch (note.Effet) {
    case 1:
    case 2:
      px(gx - 9, gy + 5);
      px(gx - 8, gy + 4);
      Ligne(c, gx - 7, gy + 3, gx + 8, gy + 3);
      px(gx + 8, gy + 4);
      px(gx + 9, gy + 5);
      c->TextOut(gx - 7, gy - 7, note.Effet == 1 ? QStringLiteral("HO") : QStringLiteral("PO"));
      break;
    case 3:
      c->Font.Size = 8;
      Ligne(c, gx - 9, gy + 10, gx + 10, gy + 4);
      c->TextOut(gx - 6, gy - 6, QStringLiteral("sl"));
      break;
    case 4:
      c->Font.Size = 8;
      Ligne(c, gx - 9, gy + 4, gx + 10, gy + 10);
      c->TextOut(gx - 4, gy - 6, QStringLiteral("sl"));
      break;
    case 5:
      c->Polyline({{gx - 7, gy + 6}, {gx - 2, gy + 5}, {gx + 3, gy}, {gx + 3, gy - 6}});
      px(gx + 2, gy - 4);
      px(gx + 1, gy - 3);
      px(gx + 4, gy - 4);
      px(gx + 5, gy - 3);
      Quantite(c, note.Bend, gx, gy);
      break;
    case 6:
      c->Polyline({{gx - 9, gy + 6}, {gx - 4, gy + 5}, {gx + 1, gy}, {gx + 1, gy - 6}, {gx + 5, gy - 5},
                   {gx + 7, gy}, {gx + 7, gy + 7}});
      px(gx + 6, gy + 5);
      px(gx + 5, gy + 4);
      px(gx + 8, gy + 5);
      px(gx + 9, gy + 4);
      Quantite(c, note.Bend, gx, gy);
      break;
    default:
      break;
  }
}

void EffetsTemps(const Zone& z, int b, bool cascade) {
  if (!z.ok() || b < 0 || b > NB_SLOTS_TEMPS) return;
  TCanvas* c = z.cv;
  int H = DemiCellule(z);
  int cx = z.x(b);
  int Y0 = z.Y0;
  // One row lower than the effect row itself: the mix marker's bottom row lies there, and a
  // removed marker must not leave it behind.
  Effacer(c, cx - 15, Y0 - 20, cx + Arrondi(z.dX / 2.0), Y0 - 9);
  Effacer(c, cx + H + (b == 0 ? 3 : 0), Y0 - 15, cx + z.dX - H + 1, z.y(z.n) + 5);
  if (b == 0) {
    Stylo(c, clBlack);
    for (int s = 1; s <= z.n; ++s) Ligne(c, cx + H, z.y(s), cx + z.dX - H + 1, z.y(s));
    return;
  }
  const TTemps& t = z.T(b);
  if (t.MixTable) {
    Stylo(c, clRed);
    Brosse(c, clRed);
    c->Rectangle(cx - 1, Y0 - 13, cx + 3, Y0 - 9);
  }
  static const char* const lettres[] = {"", "", "", "", "<", "T", "S", "P", "H", "A.H."};
  QString texte = (t.EffetTemps >= 0 && t.EffetTemps <= 9) ? QString::fromLatin1(lettres[t.EffetTemps]) : QString();
  EffetTempsLigne(z, b, texte);
  for (int s = 1; s <= z.n; ++s) {
    Stylo(c, clBlack);
    Ligne(c, cx + H, z.y(s), cx + z.dX - H + 1, z.y(s));
    EffetNote(z, b, s);
  }
  if (t.Brush > 0) {
    Stylo(c, clBlue);
    int yn = z.y(z.n);
    Ligne(c, cx + 20, Y0 + 2, cx + 20, yn - 1);
    // Arrow head: up at the top of the staff, down at the bottom.
    int y0 = t.Brush == 1 ? Y0 : yn;
    int sens = t.Brush == 1 ? 1 : -1;
    for (int i = 1; i <= 3; ++i) {
      c->SetPixel(cx + 20 + i, y0 + sens * (i + 2), clBlue);
      c->SetPixel(cx + 20 - i, y0 + sens * (i + 2), clBlue);
    }
  }
  if (cascade && b < z.N()) Temps(z, Curseur, b + 1, false);
}

// ---------------------------------------------------------------- rests

void Silence(const Zone& z, int code, int x) {
  TCanvas* c = z.cv;
  Stylo(c, clBlue);
  Brosse(c, clBlue);
  int Y0 = z.Y0, dY = z.dY, n = z.n;
  int Ym = Arrondi(Y0 + (n - 1) * dY * 0.5);
  if (code == -2) {
    int y = n == 4 ? Y0 + dY : (n == 5 || n == 6) ? Y0 + 2 * dY : Ym;
    c->Rectangle(x - 6, y, x + 6, y + 6);
  } else if (code == -1) {
    int y = n < 6 ? Y0 + 2 * dY : Y0 + 3 * dY;
    c->Rectangle(x - 6, y - 5, x + 6, y + 1);
  } else if (code == 0) {
    static const int decal[16][2] = {{0, -20}, {7, -10}, {2, 0},  {7, 10},  {2, 8},   {0, 10},  {1, 14},  {4, 18},
                                     {-2, 14}, {-4, 10}, {-3, 7}, {-1, 5},  {3, 5},   {-3, -2}, {3, -9},  {3, -12}};
    std::vector<QPoint> pts;
    for (const auto& d : decal) pts.emplace_back(x + Arrondi(0.85 * d[0]), Ym + Arrondi(0.85 * d[1]));
    c->Polygon(pts);
  } else if (code >= 1 && code <= 4) {
    Stylo(c, clBlue, 2);
    Ligne(c, x + 7, Ym - 12, x - 2, Ym + 14);
    for (int k = 0; k < code; ++k) {
      int P = x + 7 - 2 * k, V = Ym - 12 + 6 * k;
      Stylo(c, clBlue, 1);
      Ligne(c, P, V, P - 6, V + 2);
      Stylo(c, clBlue, 2);
      c->Arc(P - 9, V + 1, P - 5, V + 4, P - 5, V + 1, P - 5, V + 1);
    }
    Stylo(c, clBlue, 1);
  }
}

// ---------------------------------------------------------------- one beat

void Temps(const Zone& z, const TCurseur& cur, int b, bool avecEffets) {
  if (!z.ok() || b < 1 || b > NB_SLOTS_TEMPS) return;
  TCanvas* c = z.cv;
  if (avecEffets) EffetsTemps(z, b - 1, false);
  const TTemps& t = z.T(b);
  const int x = z.x(b), n = z.n, dm = z.demiY();
  int H = DemiCellule(z);

  int B = n + 1;
  if (t.CodeDuree < 0)
    for (int s = n; s >= 1; --s)
      if (APourNote(t.Notes[s])) { B = s; break; }

  QString textes[NB_CORDES_MAX + 1];
  Police(c, "MS Sans Serif", z.P, true, false, clBlue);
  int M = 0;
  for (int s = 1; s <= n; ++s)
    if (APourNote(t.Notes[s])) {
      textes[s] = TexteFrette(t.Notes[s].Frette, t.Notes[s].Nuance);
      M = std::max(M, c->TextWidth(textes[s]));
    }

  bool vu = false;
  for (int s = 1; s <= n; ++s) {
    Police(c, "MS Sans Serif", z.P, true, false, clBlue);
    const TNote& note = t.Notes[s];
    const int y = z.y(s);
    const bool note_ici = APourNote(note);
    vu = vu || note_ici;
    const bool curseur = s == cur.Corde && b == cur.Temps;

    Effacer(c, x - H - 2, y - dm, x + H + 3, y + dm);
    Stylo(c, clBlack);
    Ligne(c, x - H - 2, y, x + H + 3, y);

    if (vu && !note_ici && !curseur && s < B) {
      Stylo(c, clBlue);
      Ligne(c, x, y - dm, x, y + dm);
    }

    QString T = note_ici ? textes[s] : curseur ? QStringLiteral("  ") : QString();
    int w = c->TextWidth(T);
    if (curseur) {
      Stylo(c, clBlue);
      Brosse(c, cur.RedessinTemps == 1 ? clWhite : clYellow);
      c->Rectangle(x - Arrondi(w / 2.0) - 1, y - dm, x + Arrondi(w / 2.0) + 2, y + dm);
    }
    if (!T.isEmpty()) {
      if (!curseur) {
        Stylo(c, clWhite);
        Ligne(c, x - Arrondi(w / 2.0) - 1, y, x + Arrondi(w / 2.0) + 1, y);
      }
      BrosseVide(c);
      int h = c->TextHeight(T);
      c->TextOut(x - Arrondi(w / 2.0) + 1, y - Arrondi(h / 2.0), T);
    }
    if (note.FretteGrace >= 0) {
      Police(c, "Small Fonts", z.P - 3, false, false, clBlue);
      const QString G = TexteFrette(note.FretteGrace, note.NuanceGrace) + QLatin1Char(' ');
      BrosseVide(c);
      int wg = c->TextWidth(G), hg = c->TextHeight(G);
      c->TextOut(x - Arrondi(M / 2.0) - wg - note.DureeGrace - 1, y - Arrondi(hg / 2.0) + 1, G);
    }
  }
  if (t.Silence) Silence(z, t.CodeDuree, x);
  if (avecEffets) EffetsTemps(z, b, true);
}

// ---------------------------------------------------------------- rhythm

// The stems, beams, stubs and dots of beats debut..fin, drawn from the links the engine computed.
void LiensGroupe(const Zone& z, int debut, int fin) {
  TCanvas* c = z.cv;
  if (!c) return;
  Stylo(c, clBlue);
  Brosse(c, clBlue);
  const int Yb = z.Yb(), dm = z.demiY();
  const int S = dm + Yb;
  for (int o = std::max(debut, 1); o <= std::min(fin, NB_SLOTS_TEMPS); ++o) {
    const TTemps& t = z.T(o);
    if (!EstLie(t)) continue;
    const int w = NbCrochets(t);
    const int x = z.x(o);
    if (t.CodeDuree != -2)
      Ligne(c, x, Yb - dm + (t.CodeDuree == -1 ? 7 : 0), x, Yb + Arrondi(static_cast<double>(z.dY)) - dm + 1);
    const int h = t.Ligature[1], p = t.Ligature[2], g = t.Ligature[4], q = t.Ligature[5];
    for (int k = 1; k <= h; ++k) c->Rectangle(z.x(p), S - 3 * k + 4, x, S - 3 * k + 2);
    for (int k = 1; k <= g; ++k) c->Rectangle(x, S - 3 * k + 4, z.x(q), S - 3 * k + 2);
    if (w > h && w > g) {
      const bool droite = g >= h;
      for (int k = (droite ? g : h) + 1; k <= w; ++k)
        c->Rectangle(x, S - 3 * k + 4, droite ? x + 10 : x - 10, S - 3 * k + 2);
    }
    if (t.Pointee) {
      const int G = S - 3 * w + 4;
      if (g >= h)
        c->Rectangle(x + 3, G - 3, x + 5, G - 5);
      else
        c->Rectangle(x - 3, G - 3, x - 5, G - 5);
    }
  }
}

void Grouper(const Zone& z, int E) {
  for (auto [f, j] : GroupesRythme(*z.m, z.piste, E)) LiensGroupe(z, std::max(f, 1), std::min(j, NB_SLOTS_TEMPS));
}

// The tie mark under the staff, from the previous beat to this one: 48 pixels whatever dX is.
void Liaison(const Zone& z, int b) {
  if (!z.T(b).Lie) return;
  TCanvas* c = z.cv;
  const int cx = z.X0 + (b - 1) * z.dX, Yb = z.Yb();
  auto px = [c](int x, int y) { c->SetPixel(x, y, clBlue); };
  px(cx + 2, Yb + 10);
  for (int i = 0; i <= 2; ++i) {
    px(cx + 3 * i + 3, Yb + 11 + i);
    px(cx + 3 * i + 4, Yb + 11 + i);
    px(cx + 3 * i + 5, Yb + 12 + i);
  }
  for (int k = 12; k <= 14; ++k) px(cx + k, Yb + 14);
  Stylo(c, clBlue);
  Ligne(c, cx + 15, Yb + 15, cx + 36, Yb + 15);
  for (int k = 36; k <= 39; ++k) px(cx + k, Yb + 14);
  for (int k = 40; k <= 42; ++k) px(cx + k, Yb + 13);
  for (int k = 43; k <= 45; ++k) px(cx + k, Yb + 12);
  px(cx + 46, Yb + 11);
  px(cx + 47, Yb + 11);
  px(cx + 48, Yb + 10);
}

// The window shows ImageSaisie; tell it to repaint (it coalesces repeated requests).
void Montrer(TCanvas* c) {
  if (c && c == CanvasSaisie) VueEditeur().EditZoneImageChanged();
}

// ================================================================ parts of the zone

void FondZoneSaisie() {
  Zone z = ZoneCourante();
  Effacer(CanvasSaisie, 0, 0, LargeurZone(z), HauteurZone(z));
  Montrer(CanvasSaisie);
}

void RenvoiFin();

void Signature() {
  Zone z = ZoneCourante();
  if (!z.ok()) return;
  TCanvas* c = z.cv;
  Brosse(c, clWhite);
  Stylo(c, clWhite);
  c->Rectangle(1, z.Y0, z.X0, z.Y0 + z.n * z.dY);
  Police(c, "Arial", 16, true, false, clBlack);
  const int milieu = Arrondi(z.n * z.dY / 2.0) + z.Y0;
  QString num = QString::number(z.m->Numerateur), den = QString::number(z.m->Denominateur);
  int w = c->TextWidth(num), h = c->TextHeight(num);
  c->TextOut(Arrondi((z.X0 - w) / 2.0), milieu - h - 5, num);
  w = c->TextWidth(den);
  c->TextOut(Arrondi((z.X0 - w) / 2.0), milieu - 5, den);
  Montrer(CanvasSaisie);
}

void CurseurEtPrecedent() {
  if (TempsPrecedent != Curseur.Temps)
    DessinerTemps(CanvasSaisie, Curseur, Partition.MesureCourante, PisteCourante, TempsPrecedent, true);
  DessinerTemps(CanvasSaisie, Curseur, Partition.MesureCourante, PisteCourante, Curseur.Temps, true);
}

// Stems, beams and dots of the current measure, the input slot under the cursor included.
void Rythme() {
  Zone z = ZoneCourante();
  if (!z.ok()) return;
  int E = z.N();
  if (Curseur.Temps == E + 1) E = E + 1;
  // Down to the stems' lowest row and no further: the rows below belong to the triplet row,
  // whose " 3 " starts there and would lose its top on every regrouping.
  const int S0 = z.Yb() - z.demiY();
  const int bas = std::max(S0 + Arrondi(static_cast<double>(z.dY)) + 1, z.Yb() + z.demiY() + 1);
  Effacer(z.cv, z.X0, S0, z.X0 + z.L, bas);
  Grouper(z, E);
  Montrer(z.cv);
}

// A row of texts above the staff (chord names, annotations): cleared from beat 1's text to the
// zone's right edge, then each used beat's text written at its x; an empty text writes nothing.
void LigneTextes(bool gras, bool italique, int dyHaut, int dyBas, QString (*texte)(const TTemps&)) {
  Zone z = ZoneCourante();
  if (!z.ok()) return;
  TCanvas* c = z.cv;
  Police(c, "Arial", 8, gras, italique, clBlue);
  Effacer(c, z.X0 + z.dX - 4, z.Y0 + dyHaut, LargeurZone(z), z.Y0 + dyBas);
  for (int b = 1, N = z.N(); b <= N; ++b) {
    const QString t = texte(z.T(b));
    if (!t.isEmpty()) c->TextOut(Arrondi(b * static_cast<double>(z.dX)) + z.X0 - 4, z.Y0 + dyHaut, t);
  }
  Montrer(CanvasSaisie);
}

void LigneAccords() {
  LigneTextes(true, false, -35, -22, [](const TTemps& t) {
    return t.AvecAccord && t.Accord ? TexteNomAccord(*t.Accord) : QString();
  });
}

void LigneTextes() {
  LigneTextes(false, true, -48, -35, [](const TTemps& t) { return AnsiToQString(t.Texte.view()); });
}

void RenvoiDebut() {
  Zone z = ZoneCourante();
  if (!z.ok()) return;
  TCanvas* c = z.cv;
  const int X0 = z.X0, Y0 = z.Y0, yn = z.y(z.n);
  Effacer(c, X0 + 1, Y0 + 1, X0 + 17, yn);
  Stylo(c, clBlack);
  for (int s = 2; s <= z.n - 1; ++s) Ligne(c, X0 + 1, z.y(s), X0 + 17, z.y(s));
  if (z.m->RenvoiDebut || z.mesure == 1) {
    Stylo(c, clBlack);
    Brosse(c, clBlack);
    c->Rectangle(X0 + 1, Y0, X0 + 4, yn);
    c->Rectangle(X0 + 6, Y0, X0 + 7, yn);
  }
  if (z.m->RenvoiDebut) PointsRenvoi(z, X0 + 10);
  Montrer(CanvasSaisie);
}

void RenvoiFin() {
  Zone z = ZoneCourante();
  if (!z.ok()) return;
  TCanvas* c = z.cv;
  const int F = z.X0 + z.L, Y0 = z.Y0, yn = z.y(z.n);
  Effacer(c, F - 30, Y0 - 30, F + 1, Y0);
  Effacer(c, F - 17, Y0 + 1, F, yn);
  Stylo(c, clBlack);
  for (int s = 2; s <= z.n - 1; ++s) Ligne(c, F - 17, z.y(s), F, z.y(s));
  if (z.m->RenvoiFin || z.mesure == Partition.NbMesures) {
    Stylo(c, clBlack);
    Brosse(c, clBlack);
    c->Rectangle(F - 3, Y0, F, yn);
    c->Rectangle(F - 6, Y0, F - 5, yn);
  }
  if (z.m->RenvoiFin) {
    PointsRenvoi(z, F - 17);
    QString texte = z.m->NbRenvois > 1 ? QString::number(z.m->NbRenvois) + QLatin1Char('x') : QString();
    Brosse(c, clWhite);
    Police(c, "Arial", 12, true, true, clBlack);
    if (!texte.isEmpty()) c->TextOut(F - c->TextWidth(texte), Y0 - c->TextHeight(texte) - 5, texte);
  }
  Montrer(CanvasSaisie);
}

// The staff lines, its two frame bars and the repeat-close bar.
void Portee() {
  Zone z = ZoneCourante();
  TCanvas* c = CanvasSaisie;
  Brosse(c, clWhite);
  Stylo(c, clBlack);
  for (int s = 1; s <= z.n; ++s) Ligne(c, z.X0, z.y(s), z.X0 + z.L + 1, z.y(s));
  Ligne(c, z.X0, z.y(1), z.X0, z.y(z.n));
  Ligne(c, z.X0 + z.L, z.y(1), z.X0 + z.L, z.y(z.n));
  RenvoiFin();
  Montrer(c);
}

void Repetition() {
  Zone z = ZoneCourante();
  if (!z.ok()) return;
  TCanvas* c = z.cv;
  const int X0 = z.X0, Y0 = z.Y0;
  Effacer(c, X0, Y0 - 42, X0 + 39, Y0 - 20);
  if (!z.m->Repetition) {
    Montrer(c);
    return;
  }
  Stylo(c, clBlack);
  c->MoveTo(X0, Y0 - 25);
  c->LineTo(X0, Y0 - 42);
  c->LineTo(X0 + 38, Y0 - 42);
  QString texte = TexteRepetition(PremierPassageFin(Partition, z.mesure), z.m->NumRepetition,
                                  TexteLangue(QStringLiteral("Repet-A")));
  Police(c, "Arial", 9, false, false, clBlack);
  c->TextOut(X0 + 4, Y0 - c->TextHeight(texte) - 25, texte);
  Montrer(CanvasSaisie);
}

// The whole zone: the current measure of the current track. A full redraw also ends the undo
// availability, as it always has.
void Tout() {
  if (!ZoneCourante().m) return;
  if (VueEditeur().SongPlaying()) return;
  FondZoneSaisie();
  Portee();
  AfficherNumeroMesure();
  Signature();
  Curseur.RedessinTemps = 0;
  CordePrecedente = Curseur.Corde;
  TempsPrecedent = Curseur.Temps;
  RenvoiDebut();
  RenvoiFin();
  Repetition();
  Zone z = ZoneCourante();
  for (int b = 1, N = z.N(); b <= N; ++b) Temps(z, Curseur, b, true);
  LigneAccords();
  LigneTextes();
  CurseurEtPrecedent();
  DessinerTriolets(CanvasSaisie);
  RegrouperRythme(0);
  ActiverAnnulation(false);
}

void Suivre(PartieSaisie partie, int temps, bool cascade) {
  if (!CanvasSaisie) return;
  switch (partie) {
    case PartieSaisie::Tout: Tout(); break;
    case PartieSaisie::Signature: Signature(); break;
    case PartieSaisie::Curseur: CurseurEtPrecedent(); break;
    case PartieSaisie::Temps:
      if (temps >= 1 && temps <= NB_SLOTS_TEMPS)
        DessinerTemps(CanvasSaisie, Curseur, Partition.MesureCourante, PisteCourante, temps);
      break;
    case PartieSaisie::EffetsTemps:
      EffetsTemps(ZoneCourante(), temps, cascade);
      Montrer(CanvasSaisie);
      break;
    case PartieSaisie::Triolets: DessinerTriolets(CanvasSaisie); break;
    case PartieSaisie::Rythme: Rythme(); break;
    case PartieSaisie::LigneAccords: LigneAccords(); break;
    case PartieSaisie::LigneTextes: LigneTextes(); break;
    case PartieSaisie::RenvoiDebut: RenvoiDebut(); break;
    case PartieSaisie::RenvoiFin: RenvoiFin(); break;
    case PartieSaisie::Repetition: Repetition(); break;
  }
}

}  // namespace

// ================================================================ the zone and its notices

void InstallerZoneSaisie(QImage* image) {
  RetirerZoneSaisie();
  if (!image) return;
  ImageSaisie = image;
  CanvasSaisie = new TCanvas(image);
  static bool suivi = false;
  if (!suivi) {
    QObject::connect(&Notificateur(), &TNotificateur::saisieModifiee, &Suivre);
    suivi = true;
  }
}

void RetirerZoneSaisie() {
  delete CanvasSaisie;  // its painter works on the image: first
  CanvasSaisie = nullptr;
  ImageSaisie = nullptr;
}

void DessinerTemps(TCanvas* canvas, const TCurseur& curseur, int mesure, int piste, int temps, bool avecEffets) {
  Zone z = ZoneDe(canvas, mesure, piste);
  Temps(z, curseur, temps, avecEffets);
  Montrer(canvas);
}

void DessinerTriolets(TCanvas* canvas) {
  Zone z = ZoneDe(canvas, Partition.MesureCourante, PisteCourante);
  if (!z.ok()) return;
  TCanvas* c = z.cv;
  Police(c, "Arial", 7, false, false, clBlue);
  const int Yb = z.Yb(), dX = z.dX, N = z.N();
  Effacer(c, z.X0, Yb + 9, z.X0 + NB_TEMPS_MAX * dX, Yb + 18);
  Stylo(c, clBlue);
  const QString trois = QStringLiteral(" 3 ");
  for (int j = 1; j <= N + 1; ++j) {
    const TTemps& t = z.T(j);
    if (!(t.Triolet == 1 && t.PlaceTriolet == 1)) continue;
    if (j == N + 1 && Curseur.Temps != j) continue;
    const int g = z.X0 + j * dX;
    c->SetPixel(g, Yb + 11, clBlue);
    c->SetPixel(g, Yb + 12, clBlue);
    c->SetPixel(g + 2 * dX, Yb + 11, clBlue);
    c->SetPixel(g + 2 * dX, Yb + 12, clBlue);
    Ligne(c, g, Yb + 13, g + 2 * dX + 1, Yb + 13);
    c->TextOut(g + dX - Arrondi(c->TextWidth(trois) / 2.0) + 1, Yb + 8, trois);
  }
  for (int b = 1; b <= N; ++b) Liaison(z, b);
  Montrer(canvas);
}
