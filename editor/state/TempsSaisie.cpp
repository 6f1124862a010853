#include "editor/state/TempsSaisie.h"

#include <algorithm>

#include "editor/state/EtatEdition.h"
#include "song/Song.h"

int& NbTempsCourant() { return Partition.Courante()->NbTemps[PisteCourante]; }

TTemps& TempsCourant() { return Partition.Courante()->Temps[PisteCourante][Curseur.Temps]; }

bool SurTempsSaisie() { return Curseur.Temps == NbTempsCourant() + 1; }

void TempsNoireVide(TTemps& t) {
  ViderTemps(t);
  t.Duree = TICKS_NOIRE;
  t.CodeDuree = 0;
  t.Pointee = 0;
  t.Triolet = 0;
  t.PlaceTriolet = 1;
}

// ---------------------------------------------------------------------------------------------
// The input slot

void PreparerTempsSaisie() {
  TMesure* m = Partition.Courante();
  if (!m) return;
  int n = std::clamp<int>(m->NbTemps[PisteCourante], 0, NB_TEMPS_MAX);
  int s = n + 1;
  TTemps& slot = m->Temps[PisteCourante][s];
  if (n == 0) {
    TempsNoireVide(slot);
    return;
  }
  const TTemps& prev = m->Temps[PisteCourante][n];
  ViderTemps(slot);
  slot.Duree = prev.Duree;
  slot.CodeDuree = prev.CodeDuree;
  slot.Pointee = prev.Pointee;
  slot.Triolet = prev.Triolet;
  slot.PlaceTriolet = 1;
  if (slot.Triolet) {
    int place = prev.PlaceTriolet >= 1 && prev.PlaceTriolet <= 2 ? prev.PlaceTriolet + 1 : 1;
    if (place < s - (NB_TEMPS_MAX - 3)) {
      // The rest of the group would not fit before beat 64: offer the plain value instead.
      slot.Triolet = 0;
      slot.Duree = Arrondi(slot.Duree * 3 / 2.0);
    } else {
      slot.PlaceTriolet = static_cast<int8_t>(place);
    }
  }
}

void ContinueLastDuration(TTemps& slot, const TMesure& source, int piste) {
  if (piste < 1 || piste > NB_PISTES) return;
  const int n = source.NbTemps[piste];
  if (n < 1 || n > NB_TEMPS_MAX) return;
  const TTemps& last = source.Temps[piste][n];
  slot.Duree = last.Duree;
  slot.CodeDuree = last.CodeDuree;
  slot.Pointee = last.Pointee;
  slot.Triolet = last.Triolet;
  slot.PlaceTriolet = 1;
}

void PreparerTempsSaisiePiste(int piste, int mesure) {
  if (piste < 1 || piste > NB_PISTES || mesure < 1 || mesure > NB_MESURES_MAX) return;
  TMesure* m = Partition.Mesure(mesure);
  if (!m) return;
  int n = std::clamp<int>(m->NbTemps[piste], 0, NB_TEMPS_MAX);
  TempsNoireVide(m->Temps[piste][n + 1]);
}

void ReinitialiserPremierTemps(int mesure, int piste) {
  if (piste < 1 || piste > NB_PISTES || mesure < 1 || mesure > NB_MESURES_MAX) return;
  if (TMesure* m = Partition.Mesure(mesure)) TempsNoireVide(m->Temps[piste][1]);
}

// ---------------------------------------------------------------------------------------------
// Durations of a measure

int64_t DureeMesureEnTicks(const TMesure& m, int piste) {
  if (piste < 1 || piste > NB_PISTES) return 0;
  const int n = std::clamp<int>(m.NbTemps[piste], 0, NB_TEMPS_MAX);
  int64_t total = 0;
  for (int b = 1; b <= n; ++b) total += m.Temps[piste][b].Duree;
  return total;
}

int64_t DureeMesureEnTicks(int piste, int mesure) {
  if (mesure < 1 || mesure > NB_MESURES_MAX) return 0;
  const TMesure* m = Partition.Mesure(mesure);
  return m ? DureeMesureEnTicks(*m, piste) : 0;
}

double DureeMesureEnNoires(const TMesure& m, int piste) {
  return static_cast<double>(DureeMesureEnTicks(m, piste)) / TICKS_NOIRE;
}

double DureeMesureEnNoires(int piste, int mesure) {
  return static_cast<double>(DureeMesureEnTicks(piste, mesure)) / TICKS_NOIRE;
}

bool MesureComplete(int piste, int mesure) {
  const TMesure* m = (mesure >= 1 && mesure <= NB_MESURES_MAX) ? Partition.Mesure(mesure) : nullptr;
  if (!m) return false;
  return static_cast<double>(DureeMesureEnTicks(piste, mesure)) == m->Duree * TICKS_NOIRE;
}