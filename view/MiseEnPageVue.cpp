#include "view/MiseEnPageVue.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <initializer_list>

#include "editor/state/EtatEdition.h"
#include "settings/Config.h"
#include "view/Espacement.h"

TVuePartition VuePartition;

namespace {
int Borne(int v, int lo, int hi) { return std::clamp(v, lo, hi); }
int NbCordesPiste(const TPartition& p, int piste) {
  return Borne(p.NbCordes[Borne(piste, 1, NB_PISTES)], 1, NB_CORDES_MAX);
}
// Steps of `pas` needed to cover `ecart` (none when there is nothing to cover).
int PasNecessaires(int ecart, int pas) { return ecart <= 0 ? 0 : static_cast<int>((ecart + int64_t{pas} - 1) / pas); }
}  // namespace

// ---------------------------------------------------------------- screen parameters

void InitParamEcran(TParamEcran& e) {
  e.MesureDessinee = 1;
  e.EspApresTemps = 0;
  e.EcartDoubleBarre = 4;
  e.EcartPointsRenvoi = 2;
  e.DecalagePointsRenvoi = 4;
  e.MargeEffacement = 1;
  e.EcartHampeFrette = 1;
  e.LongHampeBlanche = 8;
  e.EcartPointDuree = 5;
  e.HauteurEffetsTemps = 10;
  e.PasVibrato = 2;
  e.PasVibratoBarre = 4;
  e.HauteurNbRenvois = 3;
  e.EspSousPortee = 4;
  e.ProfTriolet = 6;
  e.LongMinEffet = 7;
  CalculeParamEcran(e);
}

void CalculeParamEcran(TParamEcran& e) {
  double z = e.CoefEspAff / 10.0 + 0.5;
  if (z > 1) z = z * z;
  e.LargeurBase = Arrondi(19 * z);
  e.EspAvantTemps = Arrondi(18 * z);
  std::fill(std::begin(e.LargeurMin), std::end(e.LargeurMin), 0);
  struct {
    int largeur;
    std::initializer_list<int> durees;
  } const minima[] = {
      {18, {30, 45, 60, 90, 120, 180}},
      {22, {160, 240, 360}},
      {26, {320, 480, 720}},
      {30, {640, 960}},
      {34, {1280, 1440}},
      {37, {1920}},
  };
  for (const auto& g : minima)
    for (int d : g.durees) e.LargeurMin[Arrondi(d / 5.0)] = Arrondi(g.largeur * z);
  e.PasPoutres = e.EpCroches + 1;
  e.HauteurPoutres = 13 + 3 * e.PasPoutres;
  const bool serre = e.EspLignes < 9;
  e.MargePremiereMesure = serre ? 5 : 8;
  e.MargeRenvoiDebut = serre ? 9 : 13;
  e.MargeSignature = serre ? 10 : 13;
  e.MargeDerniereMesure = serre ? 5 : 8;
  e.MargeRenvoiFin = serre ? 9 : 13;
  e.DecalageSignature = serre ? 4 : 6;
}

void CalculeParamEcran() { CalculeParamEcran(ParamEcran); }

int LargeurMinimale(const TParamEcran& e, int duree) {
  if (duree < 0) return 0;
  const long i = std::lrint(duree / 5.0);
  return i < NB_LARGEURS_MIN ? e.LargeurMin[i] : 0;
}

// ---------------------------------------------------------------- layout

void CalculerLargeursMesure(TVuePartition& v, const TPartition& p, int piste, const TParamEcran& e, int m) {
  TMesureVue& mv = v.Mesures[m];
  const TMesure* mes = p.Mesure(m);
  const int n = mes ? Borne(mes->NbTemps[piste], 0, NB_TEMPS_MAX) : 0;
  mv.NbTemps = n;
  int dmax = 0;
  for (int b = 1; b <= n; ++b) dmax = std::max(dmax, mes->Temps[piste][b].Duree);
  // A measure holds few different lengths: each width is computed once (same inputs, same value).
  int durees[NB_TEMPS_MAX];
  double largeurs[NB_TEMPS_MAX];
  int nbDurees = 0;
  double x = 0.0;
  for (int b = 1; b <= n; ++b) {
    mv.X[b] = Arrondi(x);
    const int d = mes->Temps[piste][b].Duree;
    int i = 0;
    while (i < nbDurees && durees[i] != d) ++i;
    if (i == nbDurees) {
      durees[i] = d;
      largeurs[i] = LargeurProportionnelle(e.LargeurBase, e.CoefPAff, d, dmax);
      ++nbDurees;
    }
    x += largeurs[i];
  }
  mv.LargeurTemps = Arrondi(x);
  // Widen the whole measure by one factor until every beat has its minimum. A gap that rounds to
  // nothing counts as one pixel, so that the factor stays finite.
  double f = 1.0;
  for (int b = 1; b <= n; ++b) {
    const int mini = LargeurMinimale(e, mes->Temps[piste][b].Duree);
    if (mini <= 0) continue;
    const int g = (b < n ? mv.X[b + 1] : mv.LargeurTemps) - mv.X[b];
    const double r = static_cast<double>(mini) / std::max(g, 1);
    if (r > f) f = r;
  }
  if (f > 1) {
    for (int b = 2; b <= n; ++b) mv.X[b] = Arrondi(mv.X[b] * f);
    mv.LargeurTemps = Arrondi(mv.LargeurTemps * f);
  }
  const TMargesMesure marges{static_cast<double>(e.MargePremiereMesure), static_cast<double>(e.MargeRenvoiDebut),
                             static_cast<double>(e.MargeSignature), static_cast<double>(e.MargeDerniereMesure),
                             static_cast<double>(e.MargeRenvoiFin)};
  auto [g, d] = MargesMesure(p, m, marges);
  mv.MargeGauche = static_cast<int>(g);
  mv.MargeDroite = static_cast<int>(d);
}

int YPorteeBande(int hauteurBande, int nbCordes, const TParamEcran& e) {
  const int a = 4 - e.PasPoutres;
  return hauteurBande - ((nbCordes - 1) * e.EspLignes + (25 - 3 * a) + e.EspSousPortee - a) - 13;
}

int YPorteeBande(const TVuePartition& v, const TParamEcran& e) { return YPorteeBande(v.HauteurBande, v.NbCordes, e); }

void CalculerLignes(TVuePartition& v, const TPartition& p, int piste, const TParamEcran& e) {
  piste = Borne(piste, 1, NB_PISTES);
  v.Piste = piste;
  const int nbMesures = Borne(p.NbMesures, 0, NB_MESURES_MAX);
  std::fill(v.PremiereMesureLigne.begin(), v.PremiereMesureLigne.end(), 0);
  std::fill(v.DerniereMesureLigne.begin(), v.DerniereMesureLigne.end(), 0);
  v.NbLignes = 0;
  const int yPortee = YPorteeBande(v.HauteurBande, NbCordesPiste(p, piste), e);
  const double W = v.LargeurBande - e.MargeGaucheLignes - e.MargeDroiteLignes;
  auto parts = [&](int m) -> std::pair<double, double> {
    CalculerLargeursMesure(v, p, piste, e, m);
    const TMesureVue& mv = v.Mesures[m];
    return {static_cast<double>(mv.LargeurTemps),
            static_cast<double>(e.EspAvantTemps + e.EspApresTemps + mv.MargeGauche + mv.MargeDroite)};
  };
  int r = 1;
  while (r <= nbMesures) {
    const int L = ++v.NbLignes;
    double A = 0, B = 0;
    const int j = FinDeLigne(r, nbMesures, W, parts, A, B);
    if (A == 0) A = 50;
    if (LigneJustifiee(j == nbMesures, W, A + B)) {
      // A window narrower than the fixed parts squeezes the beats areas to nothing, never below.
      const double k = std::max(0.0, (W - B) / A);
      for (int m = r; m <= j; ++m) {
        TMesureVue& mv = v.Mesures[m];
        for (int b = 1; b <= mv.NbTemps; ++b) mv.X[b] = Arrondi(mv.X[b] * k);
        mv.LargeurTemps = Arrondi(mv.LargeurTemps * k);
      }
    }
    v.PremiereMesureLigne[L] = r;
    v.DerniereMesureLigne[L] = j;
    int x = 0;
    for (int m = r; m <= j; ++m) {
      TMesureVue& mv = v.Mesures[m];
      mv.Ligne = L;
      const int debut = x;
      x += e.EspAvantTemps + mv.MargeGauche;
      for (int b = 1; b <= mv.NbTemps; ++b) mv.X[b] += x;
      mv.LargeurTemps += x;
      x = mv.LargeurTemps + e.EspApresTemps + mv.MargeDroite;
      mv.XDebut = e.MargeGaucheLignes + debut;
      mv.XFin = e.MargeGaucheLignes + x;
      mv.YPortee = yPortee;
    }
    r = j + 1;
  }
  MajBarreDefilement(v);
}

void CalculerLignes() { CalculerLignes(VuePartition, Partition, PisteCourante, ParamEcran); }

void RafraichirVuePartition(const TPartition& p, int piste, const TDessinLigne& dessiner) {
  TVuePartition& v = VuePartition;
  CalculerLignes(v, p, piste, ParamEcran);
  if (dessiner)
    for (int i = 1; i <= v.NbBandes; ++i) dessiner(v.PremiereLigne + i - 1);
}

std::vector<int> RafraichirMesureModifiee(const TPartition& p, int piste, int m, const TDessinLigne& dessiner) {
  TVuePartition& v = VuePartition;
  std::vector<std::pair<int, int>> avant(v.NbBandes + 1);
  for (int i = 1; i <= v.NbBandes; ++i) {
    const int l = std::min(v.PremiereLigne + i - 1, NB_MESURES_MAX + 1);
    avant[i] = {v.PremiereMesureLigne[l], v.DerniereMesureLigne[l]};
  }
  CalculerLignes(v, p, piste, ParamEcran);
  const int L = (m >= 1 && m <= p.NbMesures && m <= NB_MESURES_MAX) ? v.Mesures[m].Ligne : 0;
  std::vector<int> dessinees;
  for (int i = 1; i <= v.NbBandes; ++i) {
    const int ligne = v.PremiereLigne + i - 1;
    const int l = std::min(ligne, NB_MESURES_MAX + 1);
    if (ligne == L || v.PremiereMesureLigne[l] != avant[i].first || v.DerniereMesureLigne[l] != avant[i].second) {
      if (dessiner) dessiner(ligne);
      dessinees.push_back(ligne);
    }
  }
  return dessinees;
}

// ---------------------------------------------------------------- bands and scrolling

void DimensionnerBandes(TVuePartition& v, const TParamEcran& e, int nbCordes, int largeurPanneau, int hauteurPanneau,
                        int hauteurVisible) {
  v.BandeHaut = 1;
  v.PremiereLigne = 1;
  v.HauteurPanneau = hauteurPanneau;
  v.HauteurVisible = hauteurVisible;
  v.LargeurBande = largeurPanneau - 6;
  v.NbCordes = Borne(nbCordes, 1, NB_CORDES_MAX);
  // Both spacings at 0 in the preferences would give bands of no height: keep one pixel.
  v.HauteurBande = std::max(1, (v.NbCordes - 1) * e.EspLignes + e.EspPortees);
  const int quotient = static_cast<int>(std::ceil(static_cast<double>(hauteurVisible) / v.HauteurBande));
  v.NbBandes = Borne(quotient + 4, 1, NB_BANDES_MAX);
  for (int n = 1; n <= NB_BANDES_MAX; ++n) v.HautBande[n] = (n - 1) * v.HauteurBande;
}

int BandeDeLigne(const TVuePartition& v, int ligne) {
  int b = ligne - v.PremiereLigne + v.BandeHaut;
  if (b > v.NbBandes) b -= v.NbBandes;
  return b;
}

int LigneDeBande(const TVuePartition& v, int bande) {
  int r = bande - v.BandeHaut + 1;
  if (r <= 0) r += v.NbBandes;
  return r + v.PremiereLigne - 1;
}

void DefilerVuePartition(TVuePartition& v, int position, const TDessinLigne& dessiner) {
  const int HB = v.HauteurBande, NB = v.NbBandes;
  if (NB < 1) return;
  v.Position = position;
  int c = (v.PremiereLigne - 1) * HB - position;
  auto anneau = [NB](int b) { return ((b - 1) % NB + NB) % NB + 1; };
  // A move of k band heights recycles k bands, one line each. Past NB of them the ring has gone
  // round: a band drawn twice shows only its last line, so all but the last NB steps are taken
  // without drawing.
  auto sauter = [&](int pas, int sens) {
    const int muets = pas - NB;
    if (muets <= 0) return;
    v.BandeHaut = anneau(v.BandeHaut + sens * muets);
    v.PremiereLigne += sens * muets;
    c += sens * muets * HB;
  };
  // The steps the loops below would take: down while less than a band of reserve is left below
  // the visible height and more lines exist; up while less than a band is left above and line 1
  // is not reached.
  sauter(std::min(PasNecessaires(v.HauteurVisible - (NB - 1) * HB - c, HB), v.NbLignes - (v.PremiereLigne + NB - 1)),
         +1);
  while (NB * HB - (v.HauteurVisible - c) < HB && v.PremiereLigne + NB - 1 < v.NbLignes) {
    v.BandeHaut = anneau(v.BandeHaut + 1);
    ++v.PremiereLigne;
    if (dessiner) dessiner(v.PremiereLigne + NB - 1);
    c += HB;
  }
  sauter(std::min(PasNecessaires(c + HB, HB), v.PremiereLigne - 1), -1);
  while (c > -HB && v.PremiereLigne > 1) {
    v.BandeHaut = anneau(v.BandeHaut - 1);
    --v.PremiereLigne;
    if (dessiner) dessiner(v.PremiereLigne);
    c -= HB;
  }
  for (int i = 1; i <= NB; ++i) v.HautBande[anneau(v.BandeHaut + i - 1)] = c + (i - 1) * HB;
  v.HautDiagrammes = c - v.HauteurDiagrammes;
}

void TDessinDiffere::Noter(const TVuePartition& v, int ligne) {
  const int b = BandeDeLigne(v, ligne);
  if (b >= 1 && b <= std::min(v.NbBandes, NB_BANDES_MAX)) notee_[b] = true;
}

void TDessinDiffere::Dessiner(const TVuePartition& v, const TDessinLigne& dessiner) {
  for (int i = 0; i < v.NbBandes; ++i) {
    const int ligne = v.PremiereLigne + i, b = BandeDeLigne(v, ligne);
    if (b >= 1 && b <= NB_BANDES_MAX && notee_[b] && dessiner) dessiner(ligne);
  }
  std::fill(std::begin(notee_), std::end(notee_), false);
}

void MajBarreDefilement(TVuePartition& v) {
  v.PositionMin = -v.HauteurDiagrammes;
  v.PositionMax = std::max(0, v.NbLignes * v.HauteurBande - v.HauteurPanneau);
  v.DefilementActif = v.PositionMax > 0;
}

// ---------------------------------------------------------------- chord strip

TBandeDiagrammes GeometrieDiagrammes(const TVuePartition& v, const TParamEcran& e, int nbAccords) {
  TBandeDiagrammes g;
  g.Taille = e.TypeDiag == 1 ? 36 : e.TypeDiag == 2 ? 31 : 26;
  g.Ecart = Arrondi(2.0 * g.Taille / 3.0);
  g.Largeur = v.LargeurBande - e.MargeDroiteLignes - e.MargeGaucheLignes;
  // A strip narrower than one diagram still holds one per row.
  g.ParRangee = std::max(1, (g.Largeur + g.Ecart) / (g.Ecart + g.Taille));
  g.Rangees = nbAccords > 0 ? (nbAccords - 1) / g.ParRangee + 1 : 0;
  return g;
}

void DimensionnerBandeDiagrammes(TVuePartition& v, const TParamEcran& e, int nbAccords) {
  v.HauteurDiagrammes = 0;
  if (e.AffListChord && nbAccords > 0) {
    const TBandeDiagrammes g = GeometrieDiagrammes(v, e, nbAccords);
    v.HauteurDiagrammes = (g.Rangees - 1) * (g.Taille + 25) + g.Taille + 55;
  }
  v.PositionMin = -v.HauteurDiagrammes;
}

void PositionDiagramme(const TVuePartition& v, const TParamEcran& e, int nbAccords, int k, int& x, int& y) {
  const TBandeDiagrammes g = GeometrieDiagrammes(v, e, nbAccords);
  const int r = k / g.ParRangee + 1, c = k % g.ParRangee + 1;
  const int n = r < g.Rangees ? g.ParRangee : nbAccords - (g.Rangees - 1) * g.ParRangee;
  x = e.MargeGaucheLignes + Arrondi(g.Largeur / 2.0 - ((n + 1) / 2.0 - c) * (g.Ecart + g.Taille) - g.Taille / 2.0);
  y = (r - 1) * (g.Taille + 25) + 15;
}

// ---------------------------------------------------------------- frame and clicks

TCadre CadreMesure(const TVuePartition& v, const TPartition& p, int piste, const TParamEcran& e, int m) {
  TCadre c;
  if (m < 1 || m > p.NbMesures || m > NB_MESURES_MAX) return c;
  const TMesureVue& mv = v.Mesures[m];
  int x0 = mv.XDebut, x1 = mv.XFin;
  if (x0 == 0) {
    x0 = -100;
    x1 = -80;
  }
  const int y = (mv.Ligne - 1) * v.HauteurBande;
  c.Gauche = x0 + 6;
  c.Haut = mv.YPortee - e.EspLignes + y - v.Position;
  c.Largeur = x1 - x0 - 14;
  if (c.Largeur <= 1) c.Largeur = 2;
  const TMesure* mes = p.Mesure(m);
  if ((mes && mes->RenvoiFin) || m == p.NbMesures) c.Largeur += 2;
  if (e.EspLignes <= 8) {
    c.Gauche -= 2;
    c.Largeur += 4;
  }
  c.Hauteur = (NbCordesPiste(p, piste) + 1) * e.EspLignes + 1;
  return c;
}

int PositionPourMesure(const TVuePartition& v, int m, bool enLecture, int typeScrolling) {
  if (m < 1 || m > NB_MESURES_MAX) return v.Position;
  const int y = (v.Mesures[m].Ligne - 1) * v.HauteurBande;
  int pos = v.Position;
  if (enLecture) {
    if (typeScrolling == 1 && y > pos + v.HauteurPanneau - v.HauteurBande) pos = y;
    if (typeScrolling == 2) pos = y;
  }
  if (y < pos) pos = y;
  if (pos + v.HauteurPanneau < y + v.HauteurBande) pos = y + v.HauteurBande - v.HauteurPanneau;
  return std::clamp(pos, v.PositionMin, std::max(v.PositionMin, v.PositionMax));
}

TClicVue ClicBande(const TVuePartition& v, const TPartition& p, int piste, const TParamEcran& e, int bande, int x,
                   int y) {
  TClicVue clic;
  const int ligne = LigneDeBande(v, bande);
  if (ligne < 1 || ligne > v.NbLignes || ligne > NB_MESURES_MAX) return clic;
  const int premiere = v.PremiereMesureLigne[ligne], derniere = v.DerniereMesureLigne[ligne];
  if (premiere == 0) return clic;
  for (int m = premiere; m <= derniere; ++m) {
    const TMesureVue& mv = v.Mesures[m];
    if (!(mv.XDebut < x && x < mv.XFin)) continue;
    clic.Mesure = m;
    const int n = NbCordesPiste(p, piste);
    clic.Corde = e.EspLignes > 0 ? Borne(Arrondi(static_cast<double>(y - mv.YPortee) / e.EspLignes) + 1, 1, n) : 1;
    int meilleure = 1000;
    clic.Temps = 1;
    for (int b = 1; b <= mv.NbTemps; ++b) {
      const int d = std::abs(mv.X[b] + e.MargeGaucheLignes - x);
      if (d < meilleure) {
        meilleure = d;
        clic.Temps = b;
      }
    }
    break;
  }
  return clic;
}
