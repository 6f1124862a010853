#include "midi/PlacementDoigts.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

TCordesPiste CordesPiste(const TPartition& p, int piste) {
  TCordesPiste c;
  c.NbCordes = std::clamp(p.NbCordes[piste], 1, NB_CORDES_MAX);
  for (int s = 1; s <= NB_CORDES_MAX; ++s) c.Accordage[s] = p.Accordage[piste][s];
  c.NbFrettes = p.NbFrettes[piste];
  c.FretteMax = FretteMaxPiste[piste];
  return c;
}

namespace {

constexpr int AUCUNE = 5000;

// What the cost of every assignment of one beat shares: worked out once per beat.
struct TContexte {
  int k = 0, n = 0;
  int frette[NB_CORDES_MAX + 1][NB_CORDES_MAX + 1] = {};  // [pitch][string]
  bool jouable[NB_CORDES_MAX + 1][NB_CORDES_MAX + 1] = {};
  bool anticipation = false;
  int R = 0;                         // look-ahead fret
  std::vector<int> precedents[4];    // frets of the 1st, 2nd, 3rd previous sounding beat
  const TCordesPiste* cordes = nullptr;
  const TPoidsDoigts* poids = nullptr;
};

double Cout(const TContexte& c, const int* corde) {
  const double* W = c.poids->W;
  double cout = 0;
  int nbJouables = 0;
  for (int i = 1; i <= c.k; ++i) nbJouables += c.jouable[i][corde[i]];
  if (c.anticipation && nbJouables > 0) {
    double somme = 0;
    for (int i = 1; i <= c.k; ++i)
      if (c.jouable[i][corde[i]]) somme += std::abs(c.frette[i][corde[i]] - c.R);
    cout += somme / nbJouables * W[7];
  }
  int lo = AUCUNE, hi = -AUCUNE;
  for (int i = 1; i <= c.k; ++i) {
    const int f = c.frette[i][corde[i]];
    if (f > 0) lo = std::min(lo, f);
    if (f <= c.cordes->FretteMax) hi = std::max(hi, f);
  }
  if (lo > hi)
    lo = hi = 0;
  else if (hi != lo)
    cout += std::pow(double(hi - lo), (hi - lo) * W[1]);
  cout += (lo + hi) / 2.0 * W[5];
  for (int i = 1; i <= c.k; ++i) {
    const int f = c.frette[i][corde[i]];
    if (f > 0 && f <= c.cordes->FretteMax && f > c.cordes->NbFrettes) cout += (f - c.cordes->NbFrettes) * W[8];
  }
  double somme = 0;
  int nb = 0;
  for (int q = 1; q <= 3; ++q)
    for (int i = 1; i <= c.k; ++i) {
      if (!c.jouable[i][corde[i]]) continue;
      const int M = c.frette[i][corde[i]];
      for (int L : c.precedents[q]) {
        if (M != 0 && L != 0) {
          somme += std::abs(M - L) * W[q + 1];
          nb += 2;
        } else if (M == 0) {
          somme += L * W[6];
          nb += 1;
        } else {
          somme += M * W[6];
          nb += 1;
        }
      }
    }
  if (nb > 0) cout += somme / nb;
  return cout;
}

// The lowest fret at which a pitch sounds on some string; -1 when on none.
int FretteLaPlusBasse(const TCordesPiste& c, int hauteur) {
  int r = -1;
  for (int s = 1; s <= c.NbCordes; ++s) {
    const int f = hauteur - c.Accordage[s];
    if (f >= 0 && f <= c.FretteMax && (r < 0 || f < r)) r = f;
  }
  return r;
}

struct TRecherche {
  const TContexte& c;
  int corde[NB_CORDES_MAX + 1] = {};
  bool prise[NB_CORDES_MAX + 1] = {};
  int G = -1;
  double meilleur = 0;
  int choix[NB_CORDES_MAX + 1] = {};

  void Essayer(int i) {
    if (i > c.k) {
      int nb = 0;
      for (int j = 1; j <= c.k; ++j) nb += c.jouable[j][corde[j]];
      if (nb < G) return;
      const double cout = Cout(c, corde);
      // More pitches played always wins; among equals the first of the lowest cost.
      if (nb > G || cout < meilleur) {
        G = nb;
        meilleur = cout;
        std::copy(std::begin(corde), std::end(corde), std::begin(choix));
      }
      return;
    }
    for (int s = 1; s <= c.n; ++s) {
      if (prise[s]) continue;
      prise[s] = true;
      corde[i] = s;
      Essayer(i + 1);
      prise[s] = false;
    }
  }
};

}  // namespace

int PlacerAccord(TPartition& p, int piste, int mesure, int temps, const TCordesPiste& cordes, const TPoidsDoigts& poids,
                 bool anticipation, std::vector<int>* nonPlacees) {
  TTemps& t = p.Mesure(mesure)->Temps[piste][temps];
  TContexte c;
  c.cordes = &cordes;
  c.poids = &poids;
  c.n = cordes.NbCordes;
  const int total = std::min<int>(t.NbHauteurs, NB_CORDES_MAX);
  c.k = std::min(total, c.n);
  for (int i = c.k + 1; i <= total; ++i)
    if (nonPlacees && t.Hauteurs[i] >= 0) nonPlacees->push_back(t.Hauteurs[i]);
  for (int i = 1; i <= c.k; ++i)
    for (int s = 1; s <= c.n; ++s) {
      c.frette[i][s] = t.Hauteurs[i] - cordes.Accordage[s];
      c.jouable[i][s] = c.frette[i][s] >= 0 && c.frette[i][s] <= cordes.FretteMax;
    }

  // The next sounding beat, for the first beat of a track.
  if (anticipation) {
    int m = mesure, b = temps + 1;
    while (m <= p.NbMesures) {
      const TMesure& mes = *p.Mesure(m);
      if (b > mes.NbTemps[piste]) {
        ++m;
        b = 1;
        continue;
      }
      const TTemps& suivant = mes.Temps[piste][b];
      if (!suivant.Silence) {
        c.anticipation = true;
        for (int i = 1; i <= std::min<int>(suivant.NbHauteurs, NB_CORDES_MAX); ++i)
          c.R = std::max(c.R, FretteLaPlusBasse(cordes, suivant.Hauteurs[i]));
        break;
      }
      ++b;
    }
  }
  // The three previous sounding beats, back to measure 1.
  {
    int m = mesure, b = temps - 1;
    for (int q = 1; q <= 3;) {
      if (b < 1) {
        if (--m < 1) break;
        b = p.Mesure(m)->NbTemps[piste];
        continue;
      }
      const TTemps& prec = p.Mesure(m)->Temps[piste][b--];
      if (prec.Silence) continue;
      for (int s = 1; s <= c.n; ++s) {
        const int L = prec.Notes[s].Frette;
        if (L != FRETTE_AUCUNE && L != FRETTE_MORTE) c.precedents[q].push_back(L);
      }
      ++q;
    }
  }

  TRecherche r{c};
  if (c.k > 0) r.Essayer(1);
  const int G = std::max(r.G, 0);
  for (int s = 1; s <= NB_CORDES_MAX; ++s) t.Notes[s].Frette = FRETTE_AUCUNE;
  for (int i = 1; i <= c.k; ++i) {
    const int s = r.choix[i];
    if (G > 0 && c.jouable[i][s])
      t.Notes[s].Frette = static_cast<int8_t>(c.frette[i][s]);
    else if (nonPlacees && t.Hauteurs[i] >= 0)
      nonPlacees->push_back(t.Hauteurs[i]);
  }
  return G;
}

void PlacerDoigts(TPartition& p, int piste, const TPoidsDoigts& poids, TRapportImport* rapport,
                  const std::function<void(int)>& progression) {
  const TCordesPiste cordes = CordesPiste(p, piste);
  bool anticipation = true;
  std::vector<int> perdues;
  for (int m = 1; m <= p.NbMesures; ++m) {
    TMesure& mes = *p.Mesure(m);
    const int n = std::clamp(mes.NbTemps[piste], 0, NB_TEMPS_MAX);
    for (int b = 1; b <= n; ++b) {
      TTemps& t = mes.Temps[piste][b];
      const int premiere = t.NbHauteurs ? t.Hauteurs[1] : -1;
      if (premiere == -1) {
        t.Silence = 1;
      } else if (premiere == -2) {
        t.Lie = 1;
      } else {
        perdues.clear();
        if (PlacerAccord(p, piste, m, b, cordes, poids, anticipation, &perdues) > 0)
          anticipation = false;
        else
          t.Silence = 1;
        if (rapport)
          for (int h : perdues) rapport->NonPlacees.push_back({piste, m, h});
      }
    }
    if (progression) progression(static_cast<int>(std::lrint(double(m) / p.NbMesures * 28)));
  }
}
