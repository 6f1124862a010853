#include "editor/Globals.h"

int32_t PisteCourante = 1;
TPartition Partition;
TCurseur Curseur;
int32_t TempsPrecedent = 1, CordePrecedente = 1;
TMesure MesureOrigine;
TMesure MesureAnnuler;
int32_t TempsAnnuler = 1, CordeAnnuler = 1;
std::unique_ptr<TMesure> MesuresCopiees[NB_MESURES_MAX];
int32_t NbMesuresCopiees = 0;
int32_t PisteCopiee = 0;
int32_t NbCordesCopiees[NB_PISTES + 1] = {};
uint8_t PressePapierPlein = 0;
QString CheminFichier;
QString NomFichier;
uint8_t Modifie = 0;
uint8_t Vierge = 0;
uint8_t MIDIDisponible = 0;
QString RepertoireAppli;
QString Repertoire;
QString RepWindows;
int32_t LangueAide = 0;
uint8_t PremiereActivation = 0;
uint8_t FermetureEnCours = 0;
uint8_t PleinEcranActif = 0;
uint8_t PleinEcranAvantLecture = 0;
uint8_t PleinEcranAvantParcourir = 0;
uint8_t LectureDepuisBande = 0;
QChar SeparateurDecimal = '.';
bool PrefOuvert = false, ApercuOuvert = false, SaisAcOuvert = false, CopierToutesPistes = false,
     ModeParcourir = false;

std::unique_ptr<TAccord> AccordsLibrairie[NB_ACCORDS_LIBRAIRIE_MAX + 1];
int32_t NbAccordsLibrairie = 0;
std::unique_ptr<TAccord> AccordsImprimer[NB_ACCORDS_IMPRIMER_MAX + 1];
int32_t NbAccordsImprimer = 0;
std::unique_ptr<TAccord> AccordsDejaUtilises[NB_ACCORDS_UTILISES_MAX + 1];
int32_t NbAccordsDejaUtilises = 0;

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

void LibererMesures() {
  for (int m = 0; m <= NB_MESURES_MAX; ++m) Partition.Mesures[m].reset();
  for (auto& c : MesuresCopiees) c.reset();
  NbMesuresCopiees = 0;
}

void ViderListeAccords(std::unique_ptr<TAccord>* liste, int32_t& nb) {
  for (int i = 0; i <= nb; ++i) liste[i].reset();
  nb = 0;
}
