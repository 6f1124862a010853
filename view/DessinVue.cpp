#include "view/DessinVue.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "chords/Diagramme.h"
#include "editor/state/EtatProgramme.h"
#include "editor/state/TempsSaisie.h"
#include "song/MarkTexts.h"
#include "settings/Langue.h"
#include "platform/Canvas.h"
#include "settings/Config.h"
#include "song/ListesAccords.h"
#include "song/Rythme.h"
#include "song/Song.h"
#include "view/MiseEnPageVue.h"

namespace {

// The fonts the renderer sets for itself (not settings).
const TMyFont kFontEff{QStringLiteral("Small Fonts"), 6, false, false, clBlack};
const TMyFont kFontEffItalic{QStringLiteral("Small Fonts"), 7, false, true, clBlack};
const TMyFont kFontValEff{QStringLiteral("Small Fonts"), 5, false, false, clBlack};
const TMyFont kFontTriolet{QStringLiteral("Arial"), 7, false, false, clBlack};
constexpr TColor kCouleurEncre = clBlack;

const TMyFont& PoliceLive(int i) { return PorteursPolices.Ecran[JEU_LIVE][i]; }

void Police(TCanvas& c, const TMyFont& f) {
  c.Font.Name = f.Name;
  c.Font.Size = f.Size;
  c.Font.Bold = f.Bold;
  c.Font.Italic = f.Italic;
  c.Font.Underline = false;
  c.Font.Color = f.Col;
  c.Font.PixelsPerInch = 96;
}
void Stylo(TCanvas& c, TColor col) {
  c.Pen.Color = col;
  c.Pen.Width = 1;
  c.Pen.Style = TPenStyle::psSolid;
}
void Brosse(TCanvas& c, TColor col) {
  c.Brush.Color = col;
  c.Brush.Style = TBrushStyle::bsSolid;
}
void Trait(TCanvas& c, int x1, int y1, int x2, int y2) {
  c.MoveTo(x1, y1);
  c.LineTo(x2, y2);
}
void Bloc(TCanvas& c, TColor col, int x1, int y1, int x2, int y2) {
  Brosse(c, col);
  c.FillRect(x1, y1, x2, y2);
}

// Everything the drawing of one line needs.
struct Ligne {
  TCanvas& c;
  const TVuePartition& v;
  const TPartition& p;
  TParamEcran& e;
  int piste = 1;
  int n = 6;
  int MLG = 0;
  int ligne = 0;
  // The measure being drawn.
  int m = 0;
  const TMesure* mes = nullptr;
  const TMesureVue* mv = nullptr;
  int nbTemps = 0;
  std::vector<TLiens> liens;

  int y(int s) const { return e.YPorteeCourante + (s - 1) * e.EspLignes; }
  int B() const { return y(n) + e.HauteurPoutres; }
  int X(int b) const { return MLG + mv->X[b]; }
  const TTemps& T(int b) const { return mes->Temps[piste][b]; }
  bool TempsValide(int b) const { return b >= 1 && b <= nbTemps; }
  TColor Col(TColor c0) const { return e.MesureIncorrecte ? e.ColBadBar : c0; }
};

// ================================================================ lines and measures

void DessinerNumeroMesure(Ligne& L, int x, int m) {
  TCanvas& c = L.c;
  Police(c, PoliceLive(FontNum));
  c.Brush.Style = TBrushStyle::bsClear;
  const QString t = QString::number(m);
  const int w = c.TextWidth(t), h = c.TextHeight(t);
  c.TextOut(L.MLG + x - Arrondi(w / 2.0) - 1, L.e.YPorteeCourante - 2 - h, t);
}

void DessinerPorteeVue(Ligne& L, int x1, int x2, int y) {
  Stylo(L.c, L.e.ColLines);
  for (int s = 1; s <= L.n; ++s)
    Trait(L.c, L.MLG + x1, y + (s - 1) * L.e.EspLignes, L.MLG + x2, y + (s - 1) * L.e.EspLignes);
}

// Right of x at a measure's start, left of x at its end.
void DessinerBarre(Ligne& L, int x, int y, bool epaisse, bool droite) {
  const bool serre = L.e.EspLignes < 9;
  const int w = serre ? (epaisse ? 3 : 1) : (epaisse ? 5 : 2);
  const int bas = y + (L.n - 1) * L.e.EspLignes + 1;
  if (droite)
    Bloc(L.c, L.e.ColLines, L.MLG + x, y, L.MLG + x + w, bas);
  else
    Bloc(L.c, L.e.ColLines, L.MLG + x - w, y, L.MLG + x, bas);
}

// Side 1 at the song's start, 2 at its end: the thick bar is always outside.
void DessinerDoubleBarre(Ligne& L, int x, int y, int cote) {
  L.e.EcartDoubleBarre = L.e.EspLignes < 9 ? 5 : 8;
  if (cote == 1) {
    DessinerBarre(L, x, y, true, true);
    DessinerBarre(L, x + L.e.EcartDoubleBarre, y, false, true);
  } else {
    DessinerBarre(L, x, y, true, false);
    DessinerBarre(L, x - L.e.EcartDoubleBarre, y, false, false);
  }
}

void PointRenvoi(TCanvas& c, int X, int Y, TColor col) {
  for (int x : {X - 1, X}) c.SetPixel(x, Y - 1, col);
  for (int yy : {Y, Y + 1})
    for (int x = X - 2; x <= X + 1; ++x) c.SetPixel(x, yy, col);
  for (int x : {X - 1, X}) c.SetPixel(x, Y + 2, col);
}
void PetitPointRenvoi(TCanvas& c, int X, int Y, TColor col) {
  for (int yy : {Y, Y + 1})
    for (int x : {X - 1, X}) c.SetPixel(x, yy, col);
}

void DessinerRenvoi(Ligne& L, int x, int y, int cote, int m) {
  DessinerDoubleBarre(L, x, y, cote);
  const int k1 = L.n == 6 ? 2 : 1, k2 = L.n == 6 ? 4 : 3;
  const int sens = cote == 1 ? 1 : -1;
  const int dx = x + sens * (L.e.EcartDoubleBarre + L.e.DecalagePointsRenvoi + L.e.EcartPointsRenvoi);
  for (int k : {k1, k2}) {
    const int dy = y + static_cast<int>((k - 0.5) * L.e.EspLignes);
    if (L.e.EspLignes > 8)
      PointRenvoi(L.c, L.MLG + dx, dy, L.e.ColLines);
    else
      PetitPointRenvoi(L.c, L.MLG + dx - 2 * sens, dy, L.e.ColLines);
  }
  if (cote != 2) return;
  const TMesure* mes = L.p.Mesure(m);
  if (!mes || mes->NbRenvois <= 1) return;
  TCanvas& c = L.c;
  Police(c, PoliceLive(FontRenv));
  Stylo(c, c.Font.Color);
  Brosse(c, L.e.ColBackG);
  const QString t = QString::number(mes->NbRenvois) + QLatin1Char('x');
  const int w = c.TextWidth(t), h = c.TextHeight(t);
  c.TextOut(L.MLG + x - w, y - L.e.HauteurNbRenvois - h, t);
}

void DessinerRepetitionVue(Ligne& L, int m, int x, int numero) {
  TCanvas& c = L.c;
  Police(c, PoliceLive(FontRenv));
  c.Font.Bold = c.Font.Italic = false;
  c.Font.Color = kCouleurEncre;
  Stylo(c, kCouleurEncre);
  Brosse(c, clWhite);
  const int X = L.MLG + x;
  c.MoveTo(X, 17);
  c.LineTo(X, 4);
  c.LineTo(X + 35, 4);
  const QString t = numero == 1 ? QStringLiteral("1") : TexteRepetition(PremierPassageFin(Partition, m), numero, TexteLangue(QStringLiteral("Repet-A")));
  c.Brush.Style = TBrushStyle::bsClear;
  c.TextOut(X + 3, 5, t);
}

void DessinerSignatureVue(Ligne& L, int m, int x, int y, int num, int den) {
  TCanvas& c = L.c;
  const TMesure* mes = L.p.Mesure(m);
  Police(c, PoliceLive(FontSign));
  c.Pen.Color = c.Font.Color;
  c.Pen.Style = TPenStyle::psClear;
  c.Brush.Color = L.e.ColBackG;
  c.Brush.Style = TBrushStyle::bsClear;
  x += L.e.DecalageSignature;
  if (mes && mes->RenvoiDebut)
    x += L.e.MargeRenvoiDebut;
  else if (m == 1)
    x += L.e.MargePremiereMesure;
  const QString tn = QString::number(num), td = QString::number(den);
  const int h = c.TextHeight(tn);
  const int g = Arrondi(((L.n - 1) * L.e.EspLignes - 2 * h) / 3.0);
  c.TextOut(L.MLG + x + 6 - Arrondi(c.TextWidth(tn) / 2.0), y + g, tn);
  c.TextOut(L.MLG + x + 6 - Arrondi(c.TextWidth(td) / 2.0), y + h + 2 * g, td);
  c.Pen.Style = TPenStyle::psSolid;
}

void DessinerTempsMesure(Ligne& L, int m);

}  // namespace

// ================================================================ public helpers

QString TexteNote(const TNote& note, int piste) {
  if (note.Frette < 0) return {};
  QString t = note.Frette > FretteMaxPiste[std::clamp(piste, 1, NB_PISTES)] ? QStringLiteral("x")
                                                                            : QString::number(note.Frette);
  if (note.Nuance <= 4) t = QLatin1Char('(') + t + QLatin1Char(')');
  return t;
}

int NiveauGrisNuance(int nuance) {
  double v = nuance * nuance / 64.0;
  if (v <= 1.0 / 64) v = 0.046875;
  return std::clamp(255 - Arrondi(v * 255), 0, 255);
}

void SymboleSilence(TCanvas& c, int x, int y, TColor couleur, int code) {
  Stylo(c, couleur);
  Brosse(c, couleur);
  switch (code) {
    case -2:
      c.FillRect(x - 5, y - 5, x + 4, y);
      break;
    case -1:
      c.FillRect(x - 5, y + 1, x + 4, y + 6);
      break;
    case 0:
      c.Polygon({{x - 1, y - 8},
                 {x + 2, y - 5},
                 {x + 2, y - 3},
                 {x, y},
                 {x, y + 2},
                 {x + 2, y + 5},
                 {x - 1, y + 5},
                 {x, y + 9},
                 {x - 3, y + 6},
                 {x - 3, y + 4},
                 {x - 2, y + 3},
                 {x + 1, y + 3},
                 {x - 2, y},
                 {x - 2, y - 1},
                 {x + 1, y - 4},
                 {x, y - 7}});
      break;
    default: {
      if (code < 1) break;
      const int y1 = y - 8;
      Trait(c, x + 3, y1, x - 2, y1 + 17);
      for (int e = 0; e < std::min(code, 4); ++e) {
        const int X = x - e, Y = y1 + 4 * e;
        Trait(c, X + 3, Y, X - 3, Y + 2);
        for (auto [px, py] :
             {std::pair{X - 1, Y}, {X, Y}, {X - 2, Y + 1}, {X - 1, Y + 1}, {X, Y + 1}, {X - 1, Y + 2}, {X, Y + 2}})
          c.SetPixel(px, py, couleur);
      }
    }
  }
}

void DessinerLigne(TCanvas& c, const TVuePartition& v, const TPartition& p, int piste, int ligne, int largeur,
                   int hauteur) {
  TParamEcran& e = ParamEcran;
  Stylo(c, e.ColBackG);
  Bloc(c, e.ColBackG, 0, 0, largeur + 1, hauteur + 1);
  if (ligne < 1 || ligne > v.NbLignes || ligne > NB_MESURES_MAX || v.PremiereMesureLigne[ligne] == 0) return;
  Ligne L{c, v, p, e, 1, 6, 0, 0, 0, nullptr, nullptr, 0, {}};
  L.piste = std::clamp(piste, 1, NB_PISTES);
  L.n = std::clamp(p.NbCordes[L.piste], 1, NB_CORDES_MAX);
  L.MLG = e.MargeGaucheLignes;
  L.ligne = ligne;
  e.YPorteeCourante = YPorteeBande(v.HauteurBande, L.n, e);
  const int y = e.YPorteeCourante;
  const int premiere = v.PremiereMesureLigne[ligne], derniere = v.DerniereMesureLigne[ligne];
  int x = 0;
  for (int m = premiere; m <= derniere; ++m) {
    const TMesure* mes = p.Mesure(m);
    if (!mes) break;
    const TMesureVue& mv = v.Mesures[m];
    if (e.AffNum) DessinerNumeroMesure(L, x, m);
    if (mes->RenvoiDebut)
      DessinerRenvoi(L, x, y, 1, m);
    else if (m == 1)
      DessinerDoubleBarre(L, x, y, 1);
    else if (m == premiere)
      DessinerBarre(L, x, y, false, true);
    if (mes->Repetition) DessinerRepetitionVue(L, m, x, mes->NumRepetition);
    const int x2 = mv.LargeurTemps + e.EspApresTemps + mv.MargeDroite;
    const TMesure* suivante = m < p.NbMesures ? p.Mesure(m + 1) : nullptr;
    if (mes->RenvoiFin)
      DessinerRenvoi(L, x2, y, 2, m);
    else if (m == p.NbMesures)
      DessinerDoubleBarre(L, x2, y, 2);
    else if (m == derniere || !suivante || !suivante->RenvoiDebut)
      DessinerBarre(L, x2, y, false, false);
    DessinerPorteeVue(L, x, x2, y);
    DessinerTempsMesure(L, m);
    const TMesure* prec = m > 1 ? p.Mesure(m - 1) : nullptr;
    if (m == 1 || (prec && (mes->Numerateur != prec->Numerateur || mes->Denominateur != prec->Denominateur)))
      DessinerSignatureVue(L, m, x, y, mes->Numerateur, mes->Denominateur);
    x = x2;
  }
}

void DessinerBandeDiagrammes(TCanvas& c, const TVuePartition& v, int largeur, int hauteur) {
  const TParamEcran& e = ParamEcran;
  Stylo(c, e.ColBackG);
  Bloc(c, e.ColBackG, 0, 0, largeur + 1, hauteur + 1);
  if (v.HauteurDiagrammes <= 0) return;
  const int nb = std::clamp(NbAccordsImprimer, 0, NB_ACCORDS_IMPRIMER_MAX);
  for (int k = 0; k < nb; ++k) {
    const TAccord* a = AccordsImprimer[k + 1].get();
    if (!a) continue;
    int x = 0, y = 0;
    PositionDiagramme(v, e, nb, k, x, y);
    DessinerDiagramme(e.TypeDiag, *a, c, x, y, true, e.ColDiag);
  }
}

// ================================================================ beats, rhythm and marks

namespace {

QString TexteGrace(const TNote& n) {
  QString t = n.FretteGrace == FRETTE_MORTE ? QStringLiteral("x") : QString::number(n.FretteGrace);
  if (n.NuanceGrace <= 4) t = QLatin1Char('(') + t + QLatin1Char(')');
  return t;
}

void PoliceNotes(Ligne& L) {
  Police(L.c, PoliceLive(FontNotes));
  L.c.Font.Color = L.Col(L.c.Font.Color);
}

int LargeurTexteNote(Ligne& L, int b, int s) {
  if (!L.TempsValide(b)) return 0;
  const QString t = TexteNote(L.T(b).Notes[s], L.piste);
  return t.isEmpty() ? 0 : L.c.TextWidth(t);
}

int PlusLargeTexte(Ligne& L, int b) {
  int w = 0;
  for (int s = 1; s <= L.n; ++s) w = std::max(w, LargeurTexteNote(L, b, s));
  return w;
}

// The end of a slur or slide: before the next beat's number on the same string, or 30 pixels on
// for the measure's last beat.
int FinEffet(Ligne& L, int b, int s) {
  if (b >= L.nbTemps) return L.mv->X[b] + 30;
  return L.mv->X[b + 1] - Arrondi(LargeurTexteNote(L, b + 1, s) / 2.0) - 2;
}

void Allonger(const Ligne& L, int& x1, int& x2) {
  if (x2 - x1 < L.e.LongMinEffet) {
    const int d = Arrondi((L.e.LongMinEffet - (x2 - x1)) / 2.0);
    x1 -= d;
    x2 += d;
  }
}

void DessinerHOPO(Ligne& L, int x, int xfin, int s, int genre) {
  TCanvas& c = L.c;
  Police(c, kFontEff);
  c.Font.Size -= 1;
  c.Font.Color = L.Col(L.e.ColEff);
  Stylo(c, c.Font.Color);
  int x1 = L.MLG + x + 2, x2 = L.MLG + xfin + 1;
  Allonger(L, x1, x2);
  const int yt = L.e.YPorteeCourante + Arrondi((s - 1 - 0.35) * L.e.EspLignes);
  const int yb = L.e.YPorteeCourante + Arrondi((s - 1 + 0.15) * L.e.EspLignes);
  const int ym = (yt + yb) / 2;
  c.SetPixel(x1, ym - 1, c.Pen.Color);
  c.Arc(x1, yt - 1, x2, yb - 1, x2, ym - 1, x1, ym - 1);
  const QString t = genre == 1 ? QStringLiteral("HO") : QStringLiteral("PO");
  const int tw = c.TextWidth(t), th = c.TextHeight(t);
  c.Brush.Style = TBrushStyle::bsClear;
  c.TextOut(Arrondi((x1 + x2 - tw) / 2.0), Arrondi(yt - 0.75 - 4.0 * th / 5) - 2, t);
}

void DessinerSlide(Ligne& L, int x, int xfin, int s, bool montant) {
  TCanvas& c = L.c;
  const TColor col = L.Col(L.e.ColEff);
  Stylo(c, col);
  int x1 = L.MLG + x, x2 = L.MLG + xfin;
  Allonger(L, x1, x2);
  const int yBas = L.e.YPorteeCourante + Arrondi((s - 1 + 0.25) * L.e.EspLignes);
  const int yHaut = L.e.YPorteeCourante + Arrondi((s - 1 - 0.25) * L.e.EspLignes);
  const int ya = montant ? yBas : yHaut, yz = montant ? yHaut : yBas;
  Trait(c, x1, ya, x2, yz);
  c.SetPixel(x2, yz, col);
  Police(c, kFontEffItalic);
  c.Font.Color = col;
  c.Brush.Style = TBrushStyle::bsClear;
  const QString t = QStringLiteral("sl.");
  const int tw = c.TextWidth(t), th = c.TextHeight(t);
  c.TextOut(Arrondi((x1 + x2 - tw) / 2.0), Arrondi(yHaut - 4.0 * th / 5), t);
}

void TexteQuantiteEffet(Ligne& L, double q, int droite, int milieu) {
  TCanvas& c = L.c;
  c.Brush.Style = TBrushStyle::bsClear;
  const QString t = TexteQuantite(q, SeparateurDecimal);
  const int tw = c.TextWidth(t), th = c.TextHeight(t);
  c.TextOut(droite - tw, milieu - Arrondi(th / 2.0), t);
}

void DessinerBend(Ligne& L, int x, int s, double q) {
  TCanvas& c = L.c;
  Police(c, kFontValEff);
  c.Font.Color = L.Col(L.e.ColEff);
  Stylo(c, c.Font.Color);
  const int X0 = L.MLG + x;
  c.Arc(X0 - 6, L.y(s - 2), X0 + 9, L.y(s), X0 + 2, L.y(s), X0 + 9, L.y(s - 1));
  Trait(c, X0 + 8, L.y(s - 1), X0 + 5, L.y(s - 1) + 3);
  Trait(c, X0 + 8, L.y(s - 1), X0 + 11, L.y(s - 1) + 3);
  TexteQuantiteEffet(L, q, X0 + 7, L.y(s - 1) - 1);
}

void DessinerBendRelease(Ligne& L, int x, int s, double q) {
  TCanvas& c = L.c;
  Police(c, kFontValEff);
  c.Font.Color = L.Col(L.e.ColEff);
  Stylo(c, c.Font.Color);
  const int X0 = L.MLG + x - 2;
  c.Arc(X0 - 6, L.y(s - 2), X0 + 9, L.y(s), X0 + 2, L.y(s), X0 + 9, L.y(s - 1));
  const int xa = Arrondi(X0 + 1.5) - 1;
  const int xb = Arrondi(X0 + 9 + (X0 + 9 - xa) / 2.0) - 1;
  const int yc = Arrondi(L.y(s) + (L.y(s) - L.y(s - 1) + 1) / 2.0) - 1;
  const int xd = X0 + 2 + (xb - xa);
  c.Arc(xa, L.y(s - 1) - 1, xb, yc, xd, L.y(s), X0 + 8, L.y(s - 1));
  const int xt = xd - 2 + ((xb - xa) % 2 == 0 ? -1 : 0);
  Trait(c, xt, L.y(s), xt - 3, L.y(s) - 3);
  Trait(c, xt, L.y(s), xt + 3, L.y(s) - 3);
  TexteQuantiteEffet(L, q, Arrondi(xb - (xb - xa) / 2.0), L.y(s - 1) - 1);
}

void DessinerEffetNote(Ligne& L, int b, int s, int w) {
  const TNote& note = L.T(b).Notes[s];
  const int x = L.mv->X[b] + Arrondi(w / 2.0);
  switch (note.Effet) {
    case 1:
    case 2:
      DessinerHOPO(L, x, FinEffet(L, b, s), s, note.Effet);
      break;
    case 3:
      DessinerSlide(L, x + 2, FinEffet(L, b, s), s, true);
      break;
    case 4:
      DessinerSlide(L, x + 2, FinEffet(L, b, s), s, false);
      break;
    case 5:
      DessinerBend(L, x + 2, s, note.Bend);
      break;
    case 6:
      DessinerBendRelease(L, x + 2, s, note.Bend);
      break;
    default:
      break;
  }
}

void DessinerSilenceVue(Ligne& L, int b, int code) {
  const TColor col = L.Col(PoliceLive(FontNotes).Col);
  SymboleSilence(L.c, L.X(b), L.e.YPorteeCourante + Arrondi((L.n - 1) * L.e.EspLignes / 2.0), col, code);
}

void DessinerNote(Ligne& L, int b, int s) {
  TCanvas& c = L.c;
  const TTemps& t = L.T(b);
  if (t.Silence) {
    if (s == 1) DessinerSilenceVue(L, b, t.CodeDuree);
    return;
  }
  const TNote& note = t.Notes[s];
  if (note.Frette < 0 && note.FretteGrace < 0) return;
  const int x = L.mv->X[b], y = L.y(s);
  Brosse(c, L.e.ColBackG);
  c.Pen.Style = TPenStyle::psSolid;
  PoliceNotes(L);
  const int tailleNotes = c.Font.Size;
  const int maxw = note.FretteGrace >= 0 ? PlusLargeTexte(L, b) : 0;
  auto ajustement = [&c] { return c.Font.Size < 8 && !c.Font.Bold ? 2 : 0; };
  const QString texte = TexteNote(note, L.piste);
  const int w = texte.isEmpty() ? 0 : c.TextWidth(texte);
  if (!texte.isEmpty()) {
    const int h = c.TextHeight(texte);
    const int adj = ajustement();
    const int x1 = L.MLG + x - L.e.MargeEffacement - Arrondi(w / 2.0);
    const int x2 = L.MLG + x + L.e.MargeEffacement + Arrondi(w / 2.0) + (tailleNotes <= 8 ? 1 : 0);
    Stylo(c, L.e.ColBackG);
    Trait(c, x1, y, x2, y);
    if (Configuration.ShowLetRingNotes && note.Effet == 7) {
      Stylo(c, c.Font.Color);
      Brosse(c, L.e.ColBackG);
      c.Rectangle(x1, y - Arrondi(h / 2.0) + 1, x2 + 1, y + Arrondi(h / 2.0) - 1);
    }
    if (Configuration.ShowDynamic) {
      const int g = NiveauGrisNuance(note.Nuance);
      c.Font.Color = RGBToColor(g, g, g);
    }
    c.Brush.Style = TBrushStyle::bsClear;
    c.TextOut(L.MLG + x - Arrondi(w / 2.0) + 1 - adj, y - Arrondi(h / 2.0), texte);
  }
  PoliceNotes(L);
  if (note.FretteGrace >= 0) {
    const QString g = TexteGrace(note);
    c.Font.Name = QStringLiteral("Small Fonts");
    c.Font.Bold = c.Font.Italic = false;
    c.Font.Size = 6;
    const int gw = c.TextWidth(g), gh = c.TextHeight(g);
    const int adj = ajustement();
    const int d = note.DureeGrace, demi = Arrondi(maxw / 2.0);
    Stylo(c, L.e.ColBackG);
    Trait(c, L.MLG + x - L.e.MargeEffacement - gw - demi - 2 - d, y, L.MLG + x + L.e.MargeEffacement - demi - 3 - d, y);
    if (Configuration.ShowDynamic) {
      const int n = NiveauGrisNuance(note.NuanceGrace);
      c.Font.Color = RGBToColor(n, n, n);
    }
    c.Brush.Style = TBrushStyle::bsClear;
    c.TextOut(L.MLG + x - gw - demi - 1 - d - adj, y - Arrondi(gh / 2.0), g);
  }
  if (note.Effet != 0 && note.Frette >= 0 && L.e.AffEff) DessinerEffetNote(L, b, s, w);
}

void Poutre(Ligne& L, int k, int xa, int xb) {
  const int haut = L.B() - 2 - (k - 1) * L.e.PasPoutres;
  L.c.FillRect(xa, haut, xb, haut + L.e.EpCroches);
}

void PointDuree(Ligne& L, int x, int y, TColor col) {
  if (L.e.EpCroches > 2)
    PointRenvoi(L.c, x, y, col);
  else
    PetitPointRenvoi(L.c, x, y + 1, col);
}

void DessinerPoutres(Ligne& L, int b) {
  const TTemps& t = L.T(b);
  if (t.Silence && t.CodeDuree < 1) return;
  const TColor col = L.Col(L.e.ColRythm);
  Stylo(L.c, col);
  Brosse(L.c, col);
  const TLiens& l = L.liens[b];
  const int X = L.X(b);
  // The beat numbers among the links point into this measure only.
  if (L.TempsValide(l[2]))
    for (int k = 1; k <= l[1]; ++k) Poutre(L, k, L.X(l[2]), X + 1);
  for (int k = l[1] + 1; k <= l[3]; ++k) Poutre(L, k, X - 7, X + 1);
  const int yPoint = [&](int D) { return L.B() - 6 - (D - 1) * L.e.PasPoutres; }(std::max(l[1], l[3]));
  if (t.Pointee && l[7] == 1) PointDuree(L, L.X(b) - L.e.EcartPointDuree, yPoint, col);
  if (L.TempsValide(l[5]))
    for (int k = 1; k <= l[4]; ++k) Poutre(L, k, X, L.X(l[5]) + 1);
  const int debut = (l[4] > 0 && b == L.nbTemps) ? 1 : l[4] + 1;
  for (int k = debut; k <= l[6]; ++k) Poutre(L, k, X, X + 8);
  if (t.Pointee && l[7] == 2) {
    const int y = L.B() - 6 - (std::max(l[4], l[6]) - 1) * L.e.PasPoutres;
    PointDuree(L, X + L.e.EcartPointDuree + (L.e.EpCroches > 2 ? 1 : 2), y, col);
  }
}

void DessinerHampe(Ligne& L, int b) {
  TCanvas& c = L.c;
  const TTemps& t = L.T(b);
  Police(c, PoliceLive(FontNotes));
  const int h0 = c.TextHeight(QStringLiteral("0"));
  const TColor col = L.Col(L.e.ColRythm);
  Stylo(c, col);
  Brosse(c, col);
  const int X = L.X(b);
  const int fin = L.B() + L.e.PasPoutres - 3;
  auto hampe = [&](int y1, int y2) { c.FillRect(X, y1, X + 1, y2); };
  if (t.Silence) {
    hampe(L.B() + L.e.PasPoutres - 4 - L.e.LongHampeBlanche - 9, fin);
    return;
  }
  int haut = 0, bas = 0;
  for (int s = 1; s <= L.n; ++s)
    if (t.Notes[s].Frette >= 0) {
      if (!haut) haut = s;
      bas = s;
    }
  const int demi = Arrondi(h0 / 2.0);
  if (haut != bas && bas > 1 && !t.Lie) {
    int prec = haut;
    for (int s = haut + 1; s <= bas; ++s) {
      if (t.Notes[s].Frette < 0) continue;
      if (s - prec >= 2) hampe(L.y(prec) + demi + L.e.EcartHampeFrette, L.y(s) - demi);
      prec = s;
    }
  }
  if (t.Lie || bas == 0) bas = L.n;
  if (t.CodeDuree <= -2) return;
  const int debut = t.CodeDuree == -1 ? fin - L.e.LongHampeBlanche : L.y(bas) + demi + L.e.EcartHampeFrette;
  hampe(debut, fin);
}

void DessinerTriolet(Ligne& L, int b) {
  TCanvas& c = L.c;
  const int x1 = L.X(b);
  const int x2 = L.TempsValide(b + 2) ? L.X(b + 2) : x1 + 10;
  const int y = L.B() + L.e.EspSousPortee + L.e.PasPoutres - 4;
  Police(c, kFontTriolet);
  c.Font.Color = L.Col(L.e.ColRythm);
  Stylo(c, c.Font.Color);
  Brosse(c, L.e.ColBackG);
  c.MoveTo(x1, y);
  c.LineTo(x1, y + L.e.ProfTriolet);
  c.LineTo(x2, y + L.e.ProfTriolet);
  c.LineTo(x2, y - 1);
  const QString t = QStringLiteral(" 3 ");
  const int w = c.TextWidth(t), h = c.TextHeight(QStringLiteral("3"));
  c.TextOut(Arrondi((x1 + x2 - w) / 2.0), y + L.e.ProfTriolet - Arrondi(h / 2.0), t);
}

void DessinerLiaison(Ligne& L, int b) {
  TCanvas& c = L.c;
  const int X = L.X(b);
  int xs = X - 19;
  if (b > 1) {
    xs = L.X(b - 1);
  } else {
    for (int m = L.m - 1; m >= 1; --m) {
      const TMesure* mes = L.p.Mesure(m);
      if (!mes) break;
      const int n = std::clamp(mes->NbTemps[L.piste], 0, NB_TEMPS_MAX);
      if (n == 0) continue;
      const TMesureVue& mv = L.v.Mesures[m];
      if (mv.Ligne == L.ligne) xs = L.MLG + mv.X[n];
      break;
    }
  }
  Stylo(c, L.Col(L.e.ColRythm));
  const int xe = X + 1, yt = L.B() + L.e.PasPoutres;
  c.Arc(xs, yt - L.e.ProfTriolet, xe, yt + L.e.ProfTriolet, xs, yt, xe, yt);
  c.SetPixel(X, yt, L.e.ColRythm);
}

void DessinerEffetsTempsVue(Ligne& L, int b) {
  TCanvas& c = L.c;
  const TTemps& t = L.T(b);
  const int x = L.mv->X[b];
  const int xn = b < L.nbTemps ? L.mv->X[b + 1] : x + 30;
  const int y0 = L.e.YPorteeCourante, X = L.MLG + x;
  if (t.MixTable) {
    Stylo(c, clRed);
    Bloc(c, clRed, X - 1, y0 - 11, X + 3, y0 - 7);
  }
  Police(c, kFontEff);
  const TColor col = L.Col(L.e.ColEff);
  c.Font.Color = col;
  Stylo(c, col);
  c.Brush.Style = TBrushStyle::bsClear;
  if (t.Brush == 1 || t.Brush == 2) {
    Police(c, PoliceLive(FontNotes));
    const int maxw = PlusLargeTexte(L, b);
    Police(c, kFontEff);
    c.Font.Color = col;
    const int xs = Arrondi(maxw / 2.0) + X + 8;
    const int ye = y0 + Arrondi((L.n - 1 - 0.35) * L.e.EspLignes + 1);
    Trait(c, xs, y0 + 2, xs, ye + 1);
    for (int k = 1; k <= 3; ++k) {
      const int yk = t.Brush == 1 ? y0 + 2 + k : ye - k;
      c.SetPixel(xs - k, yk, col);
      c.SetPixel(xs + k, yk, col);
    }
  }
  const int yv = y0 - L.e.HauteurEffetsTemps;
  static const char* const kLettres[] = {"<", "T", "S", "P", "H", "A.H."};
  if (t.EffetTemps >= 4 && t.EffetTemps <= 9) {
    const QString s = QString::fromLatin1(kLettres[t.EffetTemps - 4]);
    const int w = c.TextWidth(s), h = c.TextHeight(QStringLiteral("T"));
    c.TextOut(X - Arrondi(w / 2.0), yv - Arrondi(h / 2.0), s);
  } else if (t.EffetTemps == 1 || t.EffetTemps == 2) {
    const int pas = t.EffetTemps == 1 ? L.e.PasVibrato : L.e.PasVibratoBarre;
    if (pas > 0) {
      const int nb = (xn - x - 10) / pas;
      const int d = Arrondi(pas / 2.0);
      for (int i = 0; i < nb; ++i) {
        const int x1 = X + i * pas;
        if (i % 2 == 0)
          Trait(c, x1, yv + d, x1 + pas, yv - d);
        else
          Trait(c, x1, yv - d, x1 + pas, yv + d);
      }
    }
  } else if (t.EffetTemps == 3) {
    c.MoveTo(X - 10, yv - 4);
    c.LineTo(X, yv + 3);
    c.LineTo(X + 10, yv - 4);
    c.SetPixel(X + 10, yv - 4, col);
    c.Font.Size -= 1;
    const QString q = TexteQuantite(t.CoupVibrato, SeparateurDecimal);
    const int w = c.TextWidth(q), h = c.TextHeight(q);
    c.TextOut(X - Arrondi(w / 2.0), yv + 3 - 3 - h, q);
  }
}

void DessinerAccord(Ligne& L, int b) {
  const TTemps& t = L.T(b);
  if (!t.AvecAccord || !t.Accord) return;
  TCanvas& c = L.c;
  const TAccord& a = *t.Accord;
  Police(c, PoliceLive(FontAcc));
  c.Font.Color = L.Col(c.Font.Color);
  Stylo(c, c.Font.Color);
  c.Brush.Style = TBrushStyle::bsClear;
  const TColor colDiag = L.Col(L.e.ColDiag);
  bool diagramme = false;
  for (int s = 1; s <= 6; ++s) diagramme = diagramme || a.Frettes[s] != -1;
  const int x = L.mv->X[b];
  if (L.e.AffChordsName && (!diagramme || !L.e.AffDiag)) {
    const int wC = c.TextWidth(QStringLiteral("C")), h = c.TextHeight(QStringLiteral("C"));
    c.TextOut(L.MLG + x - Arrondi(wC / 2.0), L.e.YPorteeCourante - L.e.EspNomAc - h, AnsiToQString(a.Nom.view()));
  } else if (L.e.AffDiag && diagramme) {
    const int type = std::clamp(L.e.TypeDiag, 1, 3);
    const int dx[] = {0, 18, 15, 12}, dy[] = {0, 37, 31, 26};
    int y = L.e.YPorteeCourante - L.e.EspDiagAc - dy[type];
    if (L.e.AffChordsName) y -= 7;
    DessinerDiagramme(type, a, c, L.MLG + x - dx[type], y, true, colDiag);
  }
}

void DessinerTexte(Ligne& L, int b) {
  const TTemps& t = L.T(b);
  if (t.Texte.empty()) return;
  TCanvas& c = L.c;
  Police(c, PoliceLive(FontTxt));
  c.Font.Color = L.Col(c.Font.Color);
  c.Brush.Style = TBrushStyle::bsClear;
  const int wC = c.TextWidth(QStringLiteral("C")), h = c.TextHeight(QStringLiteral("C"));
  c.TextOut(L.MLG + L.mv->X[b] - Arrondi(wC / 2.0), L.e.YPorteeCourante - L.e.EspTexte - h,
            AnsiToQString(t.Texte.view()));
}

void DessinerTempsMesure(Ligne& L, int m) {
  TParamEcran& e = L.e;
  e.MesureDessinee = m;
  L.m = m;
  L.mes = L.p.Mesure(m);
  L.mv = &L.v.Mesures[m];
  if (!L.mes) return;
  L.nbTemps = std::clamp(L.mes->NbTemps[L.piste], 0, NB_TEMPS_MAX);
  e.MesureIncorrecte = L.mes->Duree != DureeMesureEnNoires(*L.mes, L.piste);
  L.liens = LiensMesure(*L.mes, L.piste, L.nbTemps);
  for (int b = 1; b <= L.nbTemps; ++b) {
    const TTemps& t = L.T(b);
    if (e.AffTxt) DessinerTexte(L, b);
    if (e.AffDiag || e.AffChordsName) DessinerAccord(L, b);
    if (e.AffEff) DessinerEffetsTempsVue(L, b);
    if (e.AffRyt && t.Lie) DessinerLiaison(L, b);
    for (int s = 1; s <= L.n; ++s) DessinerNote(L, b, s);
    if (e.AffRyt) {
      DessinerPoutres(L, b);
      if (!(t.Silence && t.CodeDuree < 1)) DessinerHampe(L, b);
      if (t.Triolet && t.PlaceTriolet == 1) DessinerTriolet(L, b);
    }
  }
  e.MesureIncorrecte = false;
}

}  // namespace
