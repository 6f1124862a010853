#include "editor/Navigation.h"

#include <algorithm>

#include "song/Song.h"
#include "editor/state/VueEditeur.h"
#include "editor/state/Notificateur.h"
#include "editor/state/EtatEdition.h"
#include "editor/state/EtatProgramme.h"
#include "editor/state/Partition.h"
#include "editor/Saisie.h"
#include "editor/EditZoneModel.h"
#include "editor/state/RedessinSaisie.h"
#include "settings/Langue.h"
#include "settings/Mess.h"

void SauverAnnulation() {
  Modifie = 1;
  Vierge = 0;
  TempsAnnuler = Curseur.Temps;
  CordeAnnuler = Curseur.Corde;
  MesureAnnuler = *Partition.Courante();
  ActiverAnnulation(true);
  ActiverAnnulerMesure(true);
}

void AnnulerModification() {
  if (!AnnulationPossible) return;
  *Partition.Courante() = MesureAnnuler;
  Curseur.Temps = TempsAnnuler;
  Curseur.Corde = CordeAnnuler;
  RafraichirZoneSaisie();
  DessinerSignature();
  ActiverAnnulation(false);
}

void AnnulerMesure() {
  *Partition.Courante() = MesureOrigine;
  Curseur.Temps = 1;
  Curseur.Corde = 1;
  RafraichirZoneSaisie();
  ActiverAnnulation(false);
  ActiverAnnulerMesure(false);
}

void ValiderMesure() {
  MesureAnnuler = *Partition.Courante();
  MesureOrigine = MesureAnnuler;
  TempsAnnuler = Curseur.Temps;
  CordeAnnuler = Curseur.Corde;
  if (MesureEditee) Notificateur().mesureModifiee(Partition.MesureCourante);
  ActiverAnnulation(false);
  ActiverAnnulerMesure(false);
  Notificateur().curseurDeplace();
}

namespace {

// Keeps the current track's button mark in step with the measure about to be left.
void BeforeLeaving() {
  int t = PisteCourante;
  bool aDesTemps = Partition.Courante()->NbTemps[t] > 0;
  if (VueEditeur().TrackButtonMarked(t) != aDesTemps)
    VueEditeur().UpdateTrackButton(t);
}

// The new current measure is set: take its origin copy, put the cursor on `temps` (the string is
// kept), redraw, and refresh the score view of the measure left when it had been edited.
void AfterArriving(int mesureQuittee, int temps, bool forcerRafraichissement) {
  bool editee = MesureEditee;
  MesureOrigine = *Partition.Courante();
  Curseur.Temps = std::clamp(temps, 1, NB_TEMPS_MAX);
  RafraichirZoneSaisie();
  if (editee || forcerRafraichissement) Notificateur().mesureModifiee(mesureQuittee);
  ActiverAnnulerMesure(false);
  ActiverAnnulation(false);
  Notificateur().curseurDeplace();
}

int LastBeatOrFirst() {
  int n = Partition.Courante()->NbTemps[PisteCourante];
  return n > 0 ? n : 1;
}

}  // namespace

void MesurePrecedente() {
  if (Partition.MesureCourante <= 1) return;
  BeforeLeaving();
  int quittee = Partition.MesureCourante;
  Partition.MesureCourante -= 1;
  AfterArriving(quittee, LastBeatOrFirst(), false);
}

void PremiereMesure() {
  BeforeLeaving();
  int quittee = Partition.MesureCourante;
  Partition.MesureCourante = 1;
  AfterArriving(quittee, 1, false);
}

void DerniereMesure() {
  BeforeLeaving();
  int quittee = Partition.MesureCourante;
  Partition.MesureCourante = Partition.NbMesures;
  AfterArriving(quittee, LastBeatOrFirst(), false);
}

void AllerAMesure() {
  int quittee = Partition.MesureCourante;
  if (!VueEditeur().AskGoToMeasure()) return;
  Partition.MesureCourante = std::clamp(Partition.MesureCourante, 1, Partition.NbMesures);
  AfterArriving(quittee, 1, false);
}

void MesureSuivante() {
  int quittee = Partition.MesureCourante;
  bool ajout = quittee >= Partition.NbMesures;
  if (ajout && RefuserSiTropDeMesures(1)) return;
  BeforeLeaving();
  int piste = PisteCourante;
  if (ajout) {
    int m = Partition.NbMesures + 1;
    Partition.Mesures[m] = std::make_unique<TMesure>();
    TMesure& nouvelle = *Partition.Mesures[m];
    if (const TMesure* prec = Partition.Mesure(m - 1)) {
      nouvelle.Numerateur = prec->Numerateur;
      nouvelle.Denominateur = prec->Denominateur;
      nouvelle.Duree = prec->Duree;
    }
    Partition.NbMesures = m;
    for (int p = 1; p <= NB_PISTES; ++p) PreparerTempsSaisiePiste(p, m);
    Partition.MesureCourante = m;
  } else {
    Partition.MesureCourante = quittee + 1;
  }
  // Entry goes on with the duration last used in the measure left.
  TMesure& cour = *Partition.Courante();
  if (cour.NbTemps[piste] == 0) ContinueLastDuration(cour.Temps[piste][1], *Partition.Mesures[quittee], piste);
  AfterArriving(quittee, 1, ajout);
}
