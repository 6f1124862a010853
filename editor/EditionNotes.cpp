#include "editor/EditionNotes.h"

#include <algorithm>

#include "editor/state/EtatEdition.h"
#include "editor/EditionMesures.h"
#include "editor/Navigation.h"
#include "editor/Saisie.h"
#include "editor/EditZoneModel.h"
#include "editor/state/RedessinSaisie.h"
#include "settings/Config.h"
#include "song/MixEvent.h"
#include "song/Song.h"

int32_t DureeCommande(int code, bool pointee, bool triolet) {
  code = std::clamp(code, -2, 4);
  if (code == -2) return TicksDuree(-2, false, false);
  if (triolet) return TicksDuree(code, false, code <= 2);
  return TicksDuree(code, pointee, false);
}

namespace {
void DrawBeat(int b) {
  if (b >= 1 && b <= NB_SLOTS_TEMPS) RedessinerTemps(b);
}
}  // namespace

void PoserDuree(int code) {
  SauverAnnulation();
  TTemps& t = TempsCourant();
  t.Duree = DureeCommande(code, t.Pointee, t.Triolet);
  t.CodeDuree = static_cast<int8_t>(std::clamp(code, -2, 4));
  if (t.Triolet && code >= -1 && code <= 2) {
    PropagerDureeTriolet();
    const int debut = Curseur.Temps - std::clamp<int>(t.PlaceTriolet, 1, 3) + 1;
    for (int b = debut; b <= debut + 2; ++b)
      if (b <= NbTempsCourant() + 1) DrawBeat(b);
  } else {
    DrawBeat(Curseur.Temps);
  }
  RegrouperRythme(0);
}

TNote& NoteCourante() { return TempsCourant().Notes[std::clamp(Curseur.Corde, 1, NB_CORDES_MAX)]; }

void RedessinerEffetsCourants() {
  if (Curseur.RedessinTemps) {
    Curseur.RedessinTemps = 0;
    DrawBeat(Curseur.Temps);
  }
  DessinerEffetsTemps(Curseur.Temps, true);
}

void PoserEffetNote(int code, bool poser) {
  SauverAnnulation();
  NoteCourante().Effet = static_cast<int8_t>(poser ? code : 0);
  RedessinerEffetsCourants();
}

void PoserBend(int code, double quantite) {
  SauverAnnulation();
  TNote& n = NoteCourante();
  n.Bend = quantite;
  n.Effet = static_cast<int8_t>(code);
  RedessinerEffetsCourants();
}

void PoserEffetTemps(int code, bool poser) {
  SauverAnnulation();
  TempsCourant().EffetTemps = static_cast<int8_t>(poser ? code : 0);
  RedessinerEffetsCourants();
}

void PoserCoupVibrato(double quantite) {
  SauverAnnulation();
  TempsCourant().CoupVibrato = quantite;
  TempsCourant().EffetTemps = 3;
  RedessinerEffetsCourants();
}

void PoserNuance(int nuance, bool accord) {
  if (nuance < 1 || nuance > 8) return;
  SauverAnnulation();
  NoteCourante().Nuance = static_cast<int8_t>(nuance);
  if (accord) {
    TTemps& t = TempsCourant();
    for (int s = 1; s <= std::min(Partition.NbCordes[PisteCourante], NB_CORDES_MAX); ++s)
      if (t.Notes[s].Frette >= 0) t.Notes[s].Nuance = static_cast<int8_t>(nuance);
  }
  Curseur.RedessinTemps = 0;
  DrawBeat(Curseur.Temps);
}

int VitesseBrushValide(int vitesse) {
  switch (vitesse) {
    case 1: case 2: case 4: case 8: case 16: case 32: return vitesse;
    default: return 4;
  }
}

void EcrireBrush(int direction, int vitesse) {
  TTemps& t = TempsCourant();
  t.Brush = static_cast<uint8_t>(std::clamp(direction, 0, 2));
  t.VitesseBrush = static_cast<uint8_t>(VitesseBrushValide(vitesse));
}

int DureeGraceParDefaut() {
  const int d = Configuration.GraceNoteDuration;
  return d >= 1 && d <= 3 ? d : 2;
}

void EcrireGraceNote(int frette, int duree, int nuance) {
  TNote& n = NoteCourante();
  n.FretteGrace = static_cast<int8_t>(std::clamp(frette, 0, 100));
  n.DureeGrace = static_cast<int8_t>(duree >= 1 && duree <= 3 ? duree : DureeGraceParDefaut());
  const int propre = n.Nuance >= 1 && n.Nuance <= 8 ? n.Nuance : 6;
  n.NuanceGrace = static_cast<int8_t>(nuance >= 1 && nuance <= 8 ? nuance : propre);
}

void RetirerGraceNote() { NoteCourante().FretteGrace = FRETTE_AUCUNE; }

void EcrireTexte(const QString& texte) { TempsCourant().Texte = QStringToAnsi(texte.left(40)); }

int CurseurVersMidi(int position) { return Arrondi(std::clamp(position, 0, 20) * 127 / 20.0); }
int MidiVersCurseur(int valeur) { return Arrondi(std::clamp(valeur, 0, 127) * 20 / 127.0); }

void EcrireTableMix(const cTableMixEvent* mix) {
  SauverAnnulation();
  TTemps& t = TempsCourant();
  const bool change = mix && (mix->Instrument >= 0 || mix->Volume >= 0 || mix->Panoramique >= 0 ||
                              mix->Chorus >= 0 || mix->Reverb >= 0 || mix->Tempo >= 0);
  if (!change) {
    t.MixTable.reset();
  } else {
    t.MixTable.emplace(*mix);
  }
  RedessinerEffetsCourants();
}

int AppliquerLetRing(int premiere, int derniere, const int choix[7]) {
  const int piste = PisteCourante;
  premiere = std::max(premiere, 1);
  derniere = std::min(derniere, Partition.NbMesures);
  int changes = 0;
  for (int m = premiere; m <= derniere; ++m) {
    TMesure* me = Partition.Mesure(m);
    if (!me) continue;
    const int n = std::clamp<int>(me->NbTemps[piste], 0, NB_TEMPS_MAX);
    for (int b = 1; b <= n; ++b)
      for (int s = 1; s <= std::min(Partition.NbCordes[piste], NB_CORDES_MAX); ++s) {
        if (choix[s] != LETRING_OUI && choix[s] != LETRING_NON) continue;
        TNote& note = me->Temps[piste][b].Notes[s];
        if (note.Frette < 0 || (note.Effet != 0 && note.Effet != 7)) continue;
        const int8_t effet = choix[s] == LETRING_OUI ? 7 : 0;
        if (note.Effet != effet) ++changes;
        note.Effet = effet;
      }
  }
  RafraichissementGlobal();
  return changes;
}
