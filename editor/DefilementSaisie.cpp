#include "editor/DefilementSaisie.h"

#include <algorithm>

#include "platform/Types.h"

TDefilementSaisie CalculerDefilement(int largeurPanneau, int xSaisie, int ecartTemps, int n) {
  TDefilementSaisie d;
  if (ecartTemps <= 0) return d;
  d.NbTempsVisibles = std::max(0, (largeurPanneau - 2 * xSaisie) / ecartTemps);
  d.DecalageMax = std::max(0, n - d.NbTempsVisibles + 1);
  d.Maximum = d.DecalageMax + 1;
  d.PasPage = Arrondi(d.NbTempsVisibles / 2.0);
  d.Actif = n + 2 > d.NbTempsVisibles;
  d.LargeurSaisie = std::max(largeurPanneau - 2 * xSaisie, (n + 2) * ecartTemps);
  return d;
}

int PositionPourCurseur(int position, int tempsCurseur, int nbTempsVisibles) {
  const int k = tempsCurseur - (position + 1);
  if (k < 0 || k >= nbTempsVisibles) position = tempsCurseur - Arrondi(nbTempsVisibles / 2.0);
  return std::max(0, position);
}
