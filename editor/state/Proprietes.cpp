#include "editor/state/Proprietes.h"

#include <algorithm>

#include "editor/state/EtatEdition.h"
#include "editor/state/EtatProgramme.h"

TProprietesTempo ProprietesTempo;

void CopierVersProprietes(const TPartition& p, TProprietesTempo& c) {
  c.Titre = p.Titre.str();
  c.Auteur = p.Auteur.str();
  c.Commentaire = p.Commentaire.str();
  c.Tempo = p.Tempo;
  c.TripletFeel = p.TripletFeel;
  for (int t = 1; t <= std::min(p.NbPistes, NB_PISTES); ++t) {
    c.NomPiste[t] = p.NomPiste[t].str();
    c.Instrument[t] = p.Instrument[t];
    c.NbCordes[t] = p.NbCordes[t];
    for (int s = 1; s <= std::clamp(p.NbCordes[t], 0, NB_CORDES_MAX); ++s) c.Accordage[t][s] = p.Accordage[t][s];
    c.Solo[t] = p.Solo[t];
    c.Muette[t] = p.Muette[t];
    c.PasExporter[t] = p.PasExporter[t];
    c.DouzeCordes[t] = p.DouzeCordes[t];
    c.Volume[t] = p.Volume[t];
    c.Panoramique[t] = p.Panoramique[t];
    c.Chorus[t] = p.Chorus[t];
    c.Reverb[t] = p.Reverb[t];
    c.Capo[t] = p.Capo[t];
    c.NbFrettes[t] = p.NbFrettes[t];
  }
  c.SoloActif = p.SoloActif;
  c.PisteSolo = p.PisteSolo;
}

void CopierVersPartition(const TProprietesTempo& c, TPartition& p) {
  p.Titre = c.Titre;
  p.Auteur = c.Auteur;
  p.Commentaire = c.Commentaire;
  p.Tempo = c.Tempo;
  p.TripletFeel = c.TripletFeel;
  for (int t = 1; t <= std::min(p.NbPistes, NB_PISTES); ++t) {
    p.NomPiste[t] = c.NomPiste[t];  // a short string keeps 40 characters
    p.Instrument[t] = c.Instrument[t];
    p.NbCordes[t] = c.NbCordes[t];
    for (int s = 1; s <= std::clamp(c.NbCordes[t], 0, NB_CORDES_MAX); ++s) p.Accordage[t][s] = c.Accordage[t][s];
    p.Solo[t] = c.Solo[t];
    p.Muette[t] = c.Muette[t];
    p.PasExporter[t] = c.PasExporter[t];
    p.DouzeCordes[t] = c.DouzeCordes[t];
    p.Volume[t] = c.Volume[t];
    p.Panoramique[t] = c.Panoramique[t];
    p.Chorus[t] = c.Chorus[t];
    p.Reverb[t] = c.Reverb[t];
    p.Capo[t] = c.Capo[t];
    p.NbFrettes[t] = c.NbFrettes[t];
  }
  p.SoloActif = c.SoloActif;
  p.PisteSolo = c.PisteSolo;
}

// A slot that a removed string would take with it: a played or dead note, or a grace note alone.
static bool SlotOccupe(const TNote& n) {
  return (n.Frette >= 0 && n.Frette <= FRETTE_MORTE) || n.FretteGrace >= 0;
}

int MesureCordeRetiree(const TPartition& p, int piste, int nouveauNb) {
  if (piste < 1 || piste > NB_PISTES) return 0;
  const int retirees = std::clamp(p.NbCordes[piste], 0, NB_CORDES_MAX) - std::clamp(nouveauNb, 0, NB_CORDES_MAX);
  if (retirees <= 0) return 0;
  for (int m = 1; m <= p.NbMesures; ++m) {
    const TMesure* mes = p.Mesure(m);
    if (!mes) continue;
    const int nb = std::clamp(mes->NbTemps[piste], 0, NB_SLOTS_TEMPS);
    for (int b = 1; b <= nb; ++b)
      for (int s = 1; s <= retirees; ++s)
        if (SlotOccupe(mes->Temps[piste][b].Notes[s])) return m;
  }
  return 0;
}

void DeplacerCordes(TMesure& m, int piste, int ancien, int nouveau) {
  ancien = std::clamp(ancien, 1, NB_CORDES_MAX);
  nouveau = std::clamp(nouveau, 1, NB_CORDES_MAX);
  const int d = nouveau - ancien;
  if (d == 0 || piste < 1 || piste > NB_PISTES) return;
  const int nb = std::clamp(m.NbTemps[piste], 0, NB_SLOTS_TEMPS);
  for (int b = 1; b <= nb; ++b) {
    TNote* n = m.Temps[piste][b].Notes;
    if (d > 0) {
      for (int s = nouveau; s >= d + 1; --s) n[s] = n[s - d];
      for (int s = d; s >= 1; --s) {
        EffacerNote(n[s]);
        n[s].FretteGrace = FRETTE_AUCUNE;
      }
    } else {
      for (int h = 1; h <= nouveau; ++h) n[h] = n[h - d];
      // Nothing reads the slots beyond the count; empty them so that no file keeps a stale note.
      for (int s = nouveau + 1; s <= ancien; ++s) n[s] = TNote{};
    }
  }
}

bool AppliquerProprietes(const TProprietesTempo& c, TPartition& p, int* pisteRefusee, int* mesureRefusee) {
  for (int t = 1; t <= NB_PISTES; ++t) {
    const int m = MesureCordeRetiree(p, t, c.NbCordes[t]);
    if (m == 0) continue;
    if (pisteRefusee) *pisteRefusee = t;
    if (mesureRefusee) *mesureRefusee = m;
    return false;
  }
  for (int t = 1; t <= NB_PISTES; ++t) {
    if (c.NbCordes[t] == p.NbCordes[t]) continue;
    for (int m = 1; m <= p.NbMesures; ++m)
      if (TMesure* mes = p.Mesure(m)) DeplacerCordes(*mes, t, p.NbCordes[t], c.NbCordes[t]);
  }
  CopierVersPartition(c, p);
  return true;
}

bool AppliquerProprietesEdition(const TProprietesTempo& c, int piste, int* pisteRefusee, int* mesureRefusee) {
  int anciens[NB_PISTES + 1];
  std::copy(std::begin(Partition.NbCordes), std::end(Partition.NbCordes), anciens);
  if (!AppliquerProprietes(c, Partition, pisteRefusee, mesureRefusee)) return false;
  bool deplacees = false;
  for (int t = 1; t <= NB_PISTES; ++t) {
    if (anciens[t] == Partition.NbCordes[t]) continue;
    deplacees = true;
    DeplacerCordes(MesureAnnuler, t, anciens[t], Partition.NbCordes[t]);
  }
  if (deplacees) {
    // The snapshot holds the notes on their old strings: the moved measure is the new reference.
    if (const TMesure* courante = Partition.Courante()) MesureOrigine = *courante;
    ActiverAnnulerMesure(false);
  }
  PisteCourante = std::clamp(piste, 1, NB_PISTES);
  Modifie = 1;
  Vierge = 0;
  Curseur.Temps = 1;
  Curseur.Corde = 1;
  return true;
}
