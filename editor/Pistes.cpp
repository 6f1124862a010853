#include "editor/Pistes.h"

#include "song/Song.h"

QString CaptionMenuPiste(int piste, const QString& nom) {
  return (QStringLiteral("&%1 - ").arg(piste) + nom).left(45);
}

bool PisteAvecTemps(const TPartition& p, int piste) {
  if (piste < 1 || piste > NB_PISTES) return false;
  for (int m = 1; m <= p.NbMesures && m <= NB_MESURES_MAX; ++m) {
    const TMesure* mes = p.Mesure(m);
    if (mes && mes->NbTemps[piste] > 0) return true;
  }
  return false;
}

int PisteVoisine(int courante, int sens, int nbPistes) {
  int n = courante + sens;
  return n < 1 || n > nbPistes ? 0 : n;
}
