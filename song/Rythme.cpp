#include "song/Rythme.h"

#include <algorithm>
#include <cstdint>

bool EstLie(const TTemps& t) { return !t.Silence || t.CodeDuree >= 1; }
int NbCrochets(const TTemps& t) { return t.CodeDuree > 0 ? t.CodeDuree : 0; }

std::vector<int> UnitesGroupement(int num, int den) {
  if (den > 4 && (num == 2 || num == 4 || num == 8 || num == 16 || num == 32) && num >= den) {
    num = Arrondi(num / (den / 4.0));
    den = 4;
  }
  std::vector<int> unites;
  int base = 2;
  if (den == 1 || den == 2 || den == 4) {
    int nb = den == 1 ? 4 * num : den == 2 ? 2 * num : num;
    unites.assign(std::max(0, nb), 2);
  } else if (den >= 8) {
    base = Arrondi(den / 4.0);
    int reste = num;
    while (reste > 4) {
      unites.push_back(3);
      reste -= 3;
    }
    if (reste == 4) {
      unites.push_back(2);
      unites.push_back(2);
    } else if (reste >= 1) {
      unites.push_back(reste);
    }
  }
  std::vector<int> ticks;
  for (int u : unites) ticks.push_back(Arrondi(u * static_cast<double>(TICKS_NOIRE) / base));
  // A signature that gives no unit (a damaged file) still groups by quarters.
  if (ticks.empty()) ticks.push_back(TICKS_NOIRE);
  return ticks;
}

int64_t SommeDurees(const TMesure& m, int piste, int debut, int fin) {
  if (piste < 0 || piste > NB_PISTES) return 0;
  int64_t somme = 0;
  for (int b = std::max(debut, 1); b <= std::min(fin, NB_SLOTS_TEMPS); ++b) somme += m.Temps[piste][b].Duree;
  return somme;
}

std::vector<std::pair<int, int>> GroupesRythme(const TMesure& m, int piste, int nbTemps) {
  const int E = std::clamp(nbTemps, 0, NB_TEMPS_MAX + 1);
  const std::vector<int> unites = UnitesGroupement(m.Numerateur, m.Denominateur);
  std::vector<std::pair<int, int>> groupes;
  size_t u = 0;
  int f = 1;
  while (f <= E) {
    const int U = unites[u];
    int j = E;
    for (int k = f; k <= E; ++k)
      if (SommeDurees(m, piste, f, k) % U == 0) { j = k; break; }
    if (u + 1 < unites.size()) ++u;
    groupes.emplace_back(f, j);
    f = j + 1;
  }
  return groupes;
}

namespace {
// The links of beats debut..fin taken as one group, written to out[b] (bytes [1..7]).
void LiensGroupe(const TMesure& m, int piste, int debut, int fin, TLiens* out) {
  auto T = [&](int b) -> const TTemps& { return m.Temps[piste][b]; };
  for (int o = debut; o <= fin; ++o) {
    TLiens& l = out[o];
    l.fill(0);
    const TTemps& t = T(o);
    if (!EstLie(t)) continue;
    const int w = NbCrochets(t);
    int p = 0, q = 0, h = 0, g = 0;
    for (int i = o - 1; i >= debut; --i)
      if (EstLie(T(i))) { p = i; break; }
    for (int i = o + 1; i <= fin; ++i)
      if (EstLie(T(i))) { q = i; break; }
    if (p) {
      h = std::max(0, std::min(w, NbCrochets(T(p))));
      l[1] = static_cast<uint8_t>(h);
      l[2] = static_cast<uint8_t>(p);
    }
    if (q) {
      g = std::max(0, std::min(w, NbCrochets(T(q))));
      l[4] = static_cast<uint8_t>(g);
      l[5] = static_cast<uint8_t>(q);
    }
    l[3] = static_cast<uint8_t>(h);
    l[6] = static_cast<uint8_t>(g);
    if (w > h && w > g) {
      if (h > g) {
        l[3] = static_cast<uint8_t>(w);
        l[6] = 0;
      } else {
        l[6] = static_cast<uint8_t>(w);
        l[3] = 0;
      }
    }
    if (t.Pointee) l[7] = h > g ? 1 : 2;
  }
}
}  // namespace

void LierGroupe(TMesure& m, int piste, int debut, int fin) {
  debut = std::max(debut, 1);
  fin = std::min(fin, NB_SLOTS_TEMPS);
  if (piste < 1 || piste > NB_PISTES || fin < debut) return;
  TLiens liens[NB_SLOTS_TEMPS + 1];
  LiensGroupe(m, piste, debut, fin, liens);
  for (int o = debut; o <= fin; ++o)
    std::copy(liens[o].begin(), liens[o].end(), std::begin(m.Temps[piste][o].Ligature));
}

void GrouperMesure(TMesure& m, int piste, int nbTemps) {
  if (piste < 1 || piste > NB_PISTES) return;
  for (auto [f, j] : GroupesRythme(m, piste, nbTemps)) LierGroupe(m, piste, f, j);
}

std::vector<TLiens> LiensMesure(const TMesure& m, int piste, int nbTemps) {
  std::vector<TLiens> liens(NB_SLOTS_TEMPS + 1, TLiens{});
  if (piste < 1 || piste > NB_PISTES) return liens;
  for (auto [f, j] : GroupesRythme(m, piste, nbTemps)) {
    f = std::max(f, 1);
    j = std::min(j, NB_SLOTS_TEMPS);
    if (f <= j) LiensGroupe(m, piste, f, j, liens.data());
  }
  return liens;
}
