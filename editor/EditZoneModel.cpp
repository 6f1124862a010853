#include "editor/EditZoneModel.h"

#include <algorithm>
#include <cmath>

#include "editor/state/EtatEdition.h"
#include "editor/state/EtatProgramme.h"
#include "editor/state/RedessinSaisie.h"
#include "editor/state/TempsSaisie.h"
#include "settings/Langue.h"
#include "song/Rythme.h"
#include "song/Song.h"

EditZoneLabels EtiquettesSaisie;

namespace {

// The current measure's block, when the current measure has one.
TMesure* MesureSaisie() {
  const int mesure = Partition.MesureCourante;
  return (mesure >= 1 && mesure <= NB_MESURES_MAX) ? Partition.Mesures[mesure].get() : nullptr;
}

int PisteSaisie() { return std::clamp(PisteCourante, 1, NB_PISTES); }

QString Trois(int v) { return QStringLiteral("%1").arg(v, 3, 10, QLatin1Char('0')); }

void Publier() { VueEditeur().ShowEditZoneLabels(EtiquettesSaisie); }

}  // namespace

MeasureStatus StatutMesure(double remplie, double duree) {
  if (remplie == duree) return MeasureStatus::Complete;
  return remplie >= duree ? MeasureStatus::TooLong : MeasureStatus::Incomplete;
}

double DureeRemplieArrondie(double remplie) { return std::nearbyint(remplie * 1000.0) / 1000.0; }

QString TexteDureeMesure(double remplie, double duree, QChar separateur) {
  QString t = QString::number(DureeRemplieArrondie(remplie), 'f', 3) + QStringLiteral(" : ") +
              QString::number(duree, 'f', 3);
  if (separateur != QLatin1Char('.')) t.replace(QLatin1Char('.'), separateur);
  return t;
}

QString TexteNumeroMesure(int mesure, int nbMesures) { return Trois(mesure) + QStringLiteral(" : ") + Trois(nbMesures); }

EditZoneLabels EtiquettesEtat(const TMesure& m, int piste, QChar separateur) {
  EditZoneLabels e;
  const double F = DureeMesureEnNoires(m, piste);
  e.Etat = StatutMesure(F, m.Duree);
  e.CouleurEtat = e.Etat == MeasureStatus::Complete ? clLime : clRed;
  e.NbTps2 = TexteLangue(e.Etat == MeasureStatus::Complete  ? QStringLiteral("Gene-MesureComplete")
                         : e.Etat == MeasureStatus::TooLong ? QStringLiteral("Gene-MesureDepassee")
                                                            : QStringLiteral("Gene-MesureIncomplete"));
  e.NbTps = TexteDureeMesure(F, m.Duree, separateur);
  return e;
}

void AfficherNumeroMesure() {
  EtiquettesSaisie.NumMesure = TexteNumeroMesure(Partition.MesureCourante, Partition.NbMesures);
  Publier();
}

void AfficherEtatMesure() {
  TMesure* m = MesureSaisie();
  if (!m) return;
  const int piste = PisteSaisie();
  const EditZoneLabels e = EtiquettesEtat(*m, piste, SeparateurDecimal);
  EtiquettesSaisie.Etat = e.Etat;
  EtiquettesSaisie.CouleurEtat = e.CouleurEtat;
  EtiquettesSaisie.NbTps = e.NbTps;
  EtiquettesSaisie.NbTps2 = e.NbTps2;
  m->DureeRemplie[piste] = DureeRemplieArrondie(DureeMesureEnNoires(*m, piste));
  Publier();
}

void RegrouperRythme(int mesure) {
  if (mesure > 0) {
    if (mesure > Partition.NbMesures || !Partition.Mesures[mesure]) return;
    Partition.MesureCourante = mesure;
  }
  TMesure* m = MesureSaisie();
  if (!m) return;
  const int piste = PisteSaisie();
  int E = std::clamp(m->NbTemps[piste], 0, NB_TEMPS_MAX);
  if (mesure > 0) {
    GrouperMesure(*m, piste, E);
    return;
  }
  // The input slot under the cursor is grouped with the beats, as the zone shows it.
  if (Curseur.Temps == E + 1) E = E + 1;
  GrouperMesure(*m, piste, E);
  DessinerRythme();
  AfficherEtatMesure();
}

void RegrouperToutesMesures() {
  for (int m = 1; m <= Partition.NbMesures; ++m) RegrouperRythme(m);
  Partition.MesureCourante = 1;
}
