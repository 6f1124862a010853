#include "chords/EditionListes.h"

#include <algorithm>
#include <utility>

namespace {
int Compte(const TListeAccords& l) { return std::clamp(*l.Nb, 0, l.Max); }
}  // namespace

bool AjouterAccordListe(const TListeAccords& l, const TAccord& a) {
  const int n = Compte(l);
  if (n >= l.Max) return false;
  l.Entrees[n + 1] = std::make_unique<TAccord>(a);
  *l.Nb = n + 1;
  return true;
}

int SupprimerAccordListe(const TListeAccords& l, int i) {
  const int n = Compte(l);
  if (i < 1 || i > n) return std::min(i, n);
  for (int k = i; k < n; ++k) l.Entrees[k] = std::move(l.Entrees[k + 1]);
  l.Entrees[n].reset();
  *l.Nb = n - 1;
  return std::min(i, n - 1);
}

bool RemplacerAccordListe(const TListeAccords& l, int i, const TAccord& a) {
  if (i < 1 || i > Compte(l)) return false;
  l.Entrees[i] = std::make_unique<TAccord>(a);
  return true;
}

bool DeplacerAccordListe(const TListeAccords& l, int i, int sens) {
  const int j = i + sens;
  if (i < 1 || i > Compte(l) || j < 1 || j > Compte(l)) return false;
  std::swap(l.Entrees[i], l.Entrees[j]);
  return true;
}

bool AccordsEgaux(const TAccord& a, const TAccord& b) {
  if (a.Nom != b.Nom || a.Diese != b.Diese || a.Fondamentale != b.Fondamentale) return false;
  if (a.Fondamentale != 12) {
    if (a.Typ != b.Typ || a.NeufOnzeTreize != b.NeufOnzeTreize || a.Basse != b.Basse || a.DimAug != b.DimAug ||
        a.Add != b.Add || a.Quinte != b.Quinte || a.Neuf != b.Neuf || a.Onze != b.Onze)
      return false;
    for (int d = 1; d <= 7; ++d)
      if (a.Degres[d] != b.Degres[d]) return false;
  }
  if (a.FretteBase != b.FretteBase) return false;
  for (int s = 1; s <= 6; ++s)
    if (a.Frettes[s] != b.Frettes[s]) return false;
  return true;
}

bool AjouterAccordUtilise(const TListeAccords& utilises, const TAccord& a) {
  for (int i = 1; i <= Compte(utilises); ++i)
    if (utilises.Entrees[i] && AccordsEgaux(*utilises.Entrees[i], a)) return false;
  return AjouterAccordListe(utilises, a);
}
