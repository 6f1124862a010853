#include "editor/Saisie.h"

#include "editor/Globals.h"
#include "settings/Langue.h"

// Minimal forms until the beat commands land.
void PreparerTempsSaisiePiste(int piste, int mesure) {
  TMesure* m = Partition.Mesure(mesure);
  if (!m) return;
  int n = m->NbTemps[piste];
  if (n >= NB_TEMPS_MAX) return;
  TTemps& t = m->Temps[piste][n + 1];
  ViderTemps(t);
  t.Duree = TICKS_NOIRE;
  t.CodeDuree = 0;
  t.Pointee = 0;
  t.Triolet = 0;
  t.PlaceTriolet = 1;
}

void PreparerTempsSaisie() { PreparerTempsSaisiePiste(PisteCourante, Partition.MesureCourante); }

void NouvellePartition() {
  CheminFichier = TexteLangue("Fichier-SansNom");
  NomFichier.clear();
  Modifie = 1;
  Vierge = 1;
  Partition.NbPistes = NB_PISTES;
  PisteCourante = 1;
  Partition.Titre.clear();
  Partition.Auteur.clear();
  Partition.Commentaire.clear();
  Partition.TripletFeel = 0;
  Partition.Tempo = 120;
  Partition.Armure = 0;
  if (!Partition.Mesures[1]) Partition.Mesures[1] = std::make_unique<TMesure>();
  for (int m = 2; m <= NB_MESURES_MAX; ++m) Partition.Mesures[m].reset();
  ViderListeAccords(AccordsImprimer, NbAccordsImprimer);
  ViderListeAccords(AccordsDejaUtilises, NbAccordsDejaUtilises);
  Partition.NbMesures = 1;
  Partition.MesureCourante = 1;
  TMesure& m1 = *Partition.Mesures[1];
  m1.Numerateur = 4;
  m1.Denominateur = 4;
  m1.Duree = 4.0;
  for (int p = 1; p <= NB_PISTES; ++p) m1.NbTemps[p] = 0;
  m1.RenvoiDebut = m1.RenvoiFin = m1.Repetition = 0;
  m1.NumRepetition = 1;
  m1.NbRenvois = 1;
  static const int accordage[7] = {0, 64, 59, 55, 50, 45, 40};
  for (int p = 1; p <= NB_PISTES; ++p) {
    Partition.NomPiste[p].clear();
    Partition.Instrument[p] = p == PISTE_PERCUSSION ? 0 : 24;
    Partition.NbCordes[p] = 6;
    for (int s = 1; s <= 6; ++s) Partition.Accordage[p][s] = p == PISTE_PERCUSSION ? 0 : accordage[s];
    Partition.Solo[p] = Partition.Muette[p] = Partition.PasExporter[p] = Partition.DouzeCordes[p] = 0;
    Partition.Volume[p] = 100;
    Partition.Panoramique[p] = 64;
    Partition.Chorus[p] = Partition.Reverb[p] = Partition.Capo[p] = 0;
    Partition.NbFrettes[p] = p == PISTE_PERCUSSION ? 99 : 24;
  }
  Partition.NomPiste[PISTE_PERCUSSION] = QStringToAnsi(TexteLangue("Gene-Percussions"));
  Partition.SoloActif = 0;
  Partition.PisteSolo = 0;
  for (int p = 1; p <= NB_PISTES; ++p) PreparerTempsSaisiePiste(p, 1);
}
