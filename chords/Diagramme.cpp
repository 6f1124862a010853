#include "chords/Diagramme.h"

#include "platform/Canvas.h"
#include "settings/Config.h"

TAccord ConstruireDiagramme(int f1, int f2, int f3, int f4, int f5, int f6, int fretteBase) {
  TAccord a;
  a.NbBarres = 0;
  const int f[7] = {0, f1, f2, f3, f4, f5, f6};
  int frettees = 0;
  for (int s = 1; s <= 6; ++s)
    if (f[s] > 0) ++frettees;
  if (frettees < 4) return a;

  for (int j = 1; j <= 5 && a.NbBarres < 2; ++j) {
    const int frette = fretteBase + j - 1;
    if (frette <= 0) continue;  // a diagram without a first fret: open and unplayed strings are no barre
    int compte = 0;
    for (int s = 1; s <= 6; ++s)
      if (f[s] == frette) ++compte;
    if (compte < 2) continue;
    // A barre runs from the highest string down until a played string sits below its fret.
    int rencontres = 0, derniere = 0;
    for (int s = 1; s <= 6; ++s) {
      if (f[s] >= 0 && f[s] < frette) break;
      if (f[s] == frette) {
        ++rencontres;
        derniere = s;
      }
    }
    if (rencontres >= 2) {
      ++a.NbBarres;
      a.FretteBarre[a.NbBarres] = frette;
      a.CordeDebutBarre[a.NbBarres] = 1;
      a.CordeFinBarre[a.NbBarres] = derniere;
    }
  }
  return a;
}

void CalculerBarres(TAccord& a) {
  TAccord b = ConstruireDiagramme(a.Frettes[1], a.Frettes[2], a.Frettes[3], a.Frettes[4], a.Frettes[5],
                                  a.Frettes[6], a.FretteBase);
  a.NbBarres = b.NbBarres;
  for (int i = 1; i <= 2; ++i) {
    a.FretteBarre[i] = b.FretteBarre[i];
    a.CordeDebutBarre[i] = b.CordeDebutBarre[i];
    a.CordeFinBarre[i] = b.CordeFinBarre[i];
  }
}

namespace {

enum class Taille { Petit, Moyen, Grand };

void Ligne(TCanvas& c, int x1, int y1, int x2, int y2) {
  c.MoveTo(x1, y1);
  c.LineTo(x2, y2);
}

void Dessiner(Taille taille, const TAccord& accord, TCanvas& c, int X, int Y, bool avecNom, TColor couleur) {
  const int cel = taille == Taille::Petit ? 5 : taille == Taille::Moyen ? 6 : 7;
  const TAccord a = accord;  // drawn from a copy: the caller's record never changes

  c.Font.Name = "Small Fonts";
  c.Font.Size = 7;
  c.Font.Bold = c.Font.Italic = c.Font.Underline = false;
  c.Font.Color = couleur;
  c.Font.PixelsPerInch = 96;
  c.Pen.Style = TPenStyle::psSolid;
  c.Pen.Width = 1;
  c.Pen.Color = couleur;
  c.Brush.Color = couleur;
  c.Brush.Style = TBrushStyle::bsClear;

  const int longueur = 5 * cel + 1;
  for (int i = 0; i <= 5; ++i) Ligne(c, X, Y + cel * i, X + longueur, Y + cel * i);
  for (int i = 0; i <= 5; ++i) Ligne(c, X + cel * i, Y, X + cel * i, Y + longueur);
  int d = 0;
  if (a.FretteBase == 1) {
    Ligne(c, X, Y - 2, X + longueur, Y - 2);
    d = 2;
  }

  auto xCorde = [&](int s) { return X + 5 * cel - cel * (s - 1); };
  auto yFrette = [&](int f) { return Y + cel * (f - a.FretteBase); };

  for (int s = 1; s <= 6; ++s) {
    const int xs = xCorde(s);
    const int f = a.Frettes[s];
    if (f < 0) {
      switch (taille) {
        case Taille::Petit:
          Ligne(c, xs - 1, Y - 4 - d, xs + 2, Y - 1 - d);
          Ligne(c, xs + 1, Y - 4 - d, xs - 2, Y - 1 - d);
          break;
        case Taille::Moyen:
          Ligne(c, xs - 1, Y - 5 - d, xs + 3, Y - 1 - d);
          Ligne(c, xs + 2, Y - 5 - d, xs - 2, Y - 1 - d);
          break;
        case Taille::Grand:
          Ligne(c, xs - 2, Y - 6 - d, xs + 3, Y - 1 - d);
          Ligne(c, xs + 2, Y - 6 - d, xs - 3, Y - 1 - d);
          break;
      }
    } else if (f == 0) {
      switch (taille) {
        case Taille::Petit:
          c.SetPixel(xs, Y - 4 - d, couleur);
          c.SetPixel(xs - 1, Y - 3 - d, couleur);
          c.SetPixel(xs, Y - 2 - d, couleur);
          c.SetPixel(xs + 1, Y - 3 - d, couleur);
          break;
        case Taille::Moyen: {
          const int pts[8][2] = {{0, -5}, {1, -5}, {2, -4}, {2, -3}, {1, -2}, {0, -2}, {-1, -3}, {-1, -4}};
          for (const auto& p : pts) c.SetPixel(xs + p[0], Y + p[1] - d, couleur);
          break;
        }
        case Taille::Grand:
          c.Ellipse(xs - 2, Y - 6 - d, xs + 3, Y - 1 - d);
          break;
      }
    } else {
      const int y = yFrette(f);
      switch (taille) {
        case Taille::Petit:
          for (int dy : {2, 3}) {
            c.SetPixel(xs - 1, y + dy, couleur);
            c.SetPixel(xs + 1, y + dy, couleur);
          }
          break;
        case Taille::Moyen:
          for (int dy : {2, 3, 4}) {
            c.SetPixel(xs - 1, y + dy, couleur);
            c.SetPixel(xs + 1, y + dy, couleur);
          }
          c.SetPixel(xs - 2, y + 3, couleur);
          c.SetPixel(xs + 2, y + 3, couleur);
          break;
        case Taille::Grand:
          c.Brush.Style = TBrushStyle::bsSolid;
          c.Ellipse(xs - 2, y + 2, xs + 3, y + 6);
          c.Brush.Style = TBrushStyle::bsClear;
          break;
      }
    }
  }

  const int nbBarres = std::clamp(a.NbBarres, 0, 2);
  for (int b = 1; b <= nbBarres; ++b) {
    const int xa = xCorde(a.CordeDebutBarre[b]);
    const int xb = xCorde(a.CordeFinBarre[b]);
    const int y = yFrette(a.FretteBarre[b]);
    switch (taille) {
      case Taille::Petit:
        Ligne(c, xa + 1, y + 2, xb - 2, y + 2);
        Ligne(c, xa + 1, y + 3, xb - 2, y + 3);
        break;
      case Taille::Moyen:
        c.Brush.Style = TBrushStyle::bsSolid;
        c.Rectangle(xa + 2, y + 2, xb - 1, y + 5);
        c.SetPixel(xb - 2, y + 3, couleur);
        c.SetPixel(xa + 2, y + 3, couleur);
        break;
      case Taille::Grand:
        c.Brush.Style = TBrushStyle::bsSolid;
        c.Rectangle(xa + 2, y + 2, xb - 1, y + 6);
        c.SetPixel(xa + 2, y + 3, couleur);
        c.SetPixel(xa + 2, y + 4, couleur);
        c.SetPixel(xb - 2, y + 3, couleur);
        c.SetPixel(xb - 2, y + 4, couleur);
        break;
    }
  }
  c.Brush.Style = TBrushStyle::bsClear;

  if (a.FretteBase > 1) {
    const QString n = QString::number(a.FretteBase);
    const int w = c.TextWidth(n);
    switch (taille) {
      case Taille::Petit: c.TextOut(X - 2 - w, Y - 2, n); break;
      case Taille::Moyen: c.TextOut(X - 3 - w, Y - 2, n); break;
      case Taille::Grand: c.TextOut(X - 3 - w, Y - 1, n); break;
    }
  }

  if (avecNom && !a.Nom.empty() && ParamEcran.AffChordsName) {
    const QString nom = AnsiToQString(a.Nom.view());
    const int w = c.TextWidth(nom);
    const int milieu = taille == Taille::Petit ? 12 : taille == Taille::Moyen ? 15 : 17;
    c.TextOut(X + milieu - Arrondi(w / 2.0), Y + longueur, nom);
  }
}

}  // namespace

void DessinerDiagrammePetit(const TAccord& accord, TCanvas& canvas, int x, int y, bool avecNom, TColor couleur) {
  Dessiner(Taille::Petit, accord, canvas, x, y, avecNom, couleur);
}

void DessinerDiagrammeMoyen(const TAccord& accord, TCanvas& canvas, int x, int y, bool avecNom, TColor couleur) {
  Dessiner(Taille::Moyen, accord, canvas, x, y, avecNom, couleur);
}

void DessinerDiagrammeGrand(const TAccord& accord, TCanvas& canvas, int x, int y, bool avecNom, TColor couleur) {
  Dessiner(Taille::Grand, accord, canvas, x, y, avecNom, couleur);
}

void DessinerDiagramme(int typeDiag, const TAccord& accord, TCanvas& canvas, int x, int y, bool avecNom,
                       TColor couleur) {
  if (typeDiag == 1)
    DessinerDiagrammeGrand(accord, canvas, x, y, avecNom, couleur);
  else if (typeDiag == 2)
    DessinerDiagrammeMoyen(accord, canvas, x, y, avecNom, couleur);
  else
    DessinerDiagrammePetit(accord, canvas, x, y, avecNom, couleur);
}
