#pragma once
// The editing state: the cursor and current track, the one-level undo copy, the revert snapshot of
// the current measure and the measure clipboard (which alone counts from 0).
#include <cstdint>
#include <memory>

#include "song/Song.h"

struct TCurseur {
  int32_t Corde = 1;
  int32_t Temps = 1;
  uint8_t RedessinTemps = 0;
  int32_t XSaisie = 30;
  int32_t YSaisie = 48;
  int32_t LargeurSaisie = 570;
  int32_t EcartCordes = 14;
  int32_t EcartTemps = 50;
  int32_t NbTempsVisibles = 0;
  int32_t DecalageMax = 0;
  int32_t TaillePolice = 10;
};

extern int32_t PisteCourante;
extern TCurseur Curseur;
extern int32_t TempsPrecedent, CordePrecedente;
extern TMesure MesureOrigine;   // revert snapshot of the current measure
extern TMesure MesureAnnuler;   // one-level undo copy
extern int32_t TempsAnnuler, CordeAnnuler;
extern std::unique_ptr<TMesure> MesuresCopiees[NB_MESURES_MAX];  // clipboard, 0-based
extern int32_t NbMesuresCopiees;
extern int32_t PisteCopiee;
extern int32_t NbCordesCopiees[NB_PISTES + 1];
extern uint8_t PressePapierPlein;

// Frees every measure block of the song and the clipboard (shut-down).
void LibererMesures();

// Undo availability and "the current measure was edited since it was entered or validated".
// Always change them through the setters so that the main window follows.
extern bool AnnulationPossible;
extern bool MesureEditee;
void ActiverAnnulation(bool actif);
void ActiverAnnulerMesure(bool actif);
