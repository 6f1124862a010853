#include "view/Espacement.h"

#include <cmath>

#include "song/Song.h"

double LargeurProportionnelle(double base, double coefP, int d, int dmax) {
  if (d <= 0 || dmax <= 0) return 0.0;
  if (coefP <= 0) return base;  // no proportion: every beat alike
  return base * std::exp(-std::log(coefP) * std::log(static_cast<double>(dmax) / d) / std::log(2.0));
}

std::pair<double, double> MargesMesure(const TPartition& p, int m, const TMargesMesure& marges) {
  const TMesure* mes = p.Mesure(m);
  if (!mes) return {0.0, 0.0};
  double gauche = 0, droite = 0;
  if (m == 1) gauche = marges.PremiereMesure;
  if (mes->RenvoiDebut) gauche = marges.RenvoiDebut;
  const TMesure* prec = m > 1 ? p.Mesure(m - 1) : nullptr;
  if (m == 1 || (prec && (mes->Numerateur != prec->Numerateur || mes->Denominateur != prec->Denominateur)))
    gauche += marges.Signature;
  if (m == p.NbMesures) droite = marges.DerniereMesure;
  if (mes->RenvoiFin) droite = marges.RenvoiFin;
  return {gauche, droite};
}

int FinDeLigne(int debut, int nbMesures, double largeur, const std::function<std::pair<double, double>(int)>& parts,
               double& A, double& B) {
  auto [a, b] = parts(debut);
  A = a;
  B = b;
  double dernierA = 0, dernierB = 0;
  int j = debut;
  do {
    ++j;
    if (j <= nbMesures) {
      auto [aj, bj] = parts(j);
      dernierA = aj;
      dernierB = bj;
      A += aj;
      B += bj;
    }
  } while (j < nbMesures && A + B <= largeur);
  if (j > nbMesures) j = nbMesures;
  if (A + B > largeur && j > debut) {
    A -= dernierA;
    B -= dernierB;
    --j;
  }
  return j;
}

bool LigneJustifiee(bool derniereLigne, double largeur, double naturelle) {
  if (!derniereLigne) return true;
  return naturelle <= 0 || largeur / naturelle <= 4.0 / 3.0;
}
