#include "editor/state/EtatEdition.h"

#include "editor/state/VueEditeur.h"

int32_t PisteCourante = 1;
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

void LibererMesures() {
  LibererPartition();
  for (auto& c : MesuresCopiees) c.reset();
  NbMesuresCopiees = 0;
}

bool AnnulationPossible = false;
bool MesureEditee = false;

void ActiverAnnulation(bool actif) {
  AnnulationPossible = actif;
  VueEditeur().SetUndoEnabled(actif);
}

void ActiverAnnulerMesure(bool actif) {
  MesureEditee = actif;
  VueEditeur().SetRevertEnabled(actif);
}
