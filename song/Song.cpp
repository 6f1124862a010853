#include "song/Song.h"

TPartition Partition;

int32_t TicksDuree(int codeDuree, bool pointee, bool triolet) {
  // 64th = 30 ticks; every step down doubles.
  int32_t t = 30 << (4 - codeDuree);
  if (pointee) t = t * 3 / 2;
  if (triolet) t = t * 2 / 3;
  return t;
}

void EffacerNote(TNote& n) {
  n.Frette = FRETTE_AUCUNE;
  n.Effet = 0;
  n.Bend = 1.0;
  n.Nuance = 6;
}

void ViderTemps(TTemps& t) {
  t.Silence = 0;
  t.Lie = 0;
  t.EffetTemps = 0;
  t.CoupVibrato = 1.0;
  t.Brush = 0;
  t.AvecAccord = 0;
  t.Accord.reset();
  t.MixTable.reset();
  t.Texte.clear();
  for (int s = 1; s <= NB_CORDES_MAX; ++s) {
    EffacerNote(t.Notes[s]);
    t.Notes[s].FretteGrace = FRETTE_AUCUNE;
  }
}

void LibererPartition() {
  for (auto& m : Partition.Mesures) m.reset();
}
