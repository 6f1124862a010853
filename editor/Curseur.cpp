#include "editor/Curseur.h"

#include <algorithm>

#include "song/Song.h"
#include "editor/state/VueEditeur.h"
#include "editor/state/Notificateur.h"
#include "editor/state/EtatEdition.h"
#include "editor/state/EtatProgramme.h"
#include "editor/Navigation.h"
#include "editor/Saisie.h"
#include "editor/EditZoneModel.h"
#include "editor/state/RedessinSaisie.h"
#include "settings/Config.h"

namespace {

// Every cursor move starts afresh: no digit pending, the old cell to repaint.
void StartMove() {
  Curseur.RedessinTemps = 0;
  TempsPrecedent = Curseur.Temps;
  CordePrecedente = Curseur.Corde;
}

void RememberCursor() {
  TempsPrecedent = Curseur.Temps;
  CordePrecedente = Curseur.Corde;
}

// The input slot is drawn with its rhythm only while the cursor is on it.
void RedrawRows() {
  DessinerTriolets();
  RegrouperRythme(0);
}

void DrawBeat(int b) {
  if (b >= 1 && b <= NB_SLOTS_TEMPS) RedessinerTemps(b);
}

// Read from the song itself, so that it never depends on what the status labels last showed.
bool CurrentMeasureFull() { return MesureComplete(PisteCourante, Partition.MesureCourante); }

int NbCordesPiste() { return std::clamp(Partition.NbCordes[PisteCourante], 1, NB_CORDES_MAX); }

void RefreshActions() {
  VueEditeur().RefreshActions();
}

void PlayIfListening() {
  if (VueEditeur().PlayWhileEntering() && MIDIDisponible)
    VueEditeur().PlayCurrentBeat();
}

// The common start of writing a note at the cursor: the undo copy, the input slot made a used beat
// (the next one prepared), the beat no longer a rest nor tied. Null, with nothing done, when the
// cursor is not on a beat and string that may be written.
TNote* StartNoteEntry() {
  const int n = NbTempsCourant();
  if (Curseur.Temps < 1 || Curseur.Temps > n + 1 || Curseur.Temps > NB_TEMPS_MAX) return nullptr;
  if (Curseur.Corde < 1 || Curseur.Corde > NbCordesPiste()) return nullptr;
  SauverAnnulation();
  UseInputSlot();
  TTemps& t = TempsCourant();
  t.Silence = 0;
  t.Lie = 0;
  return &t.Notes[Curseur.Corde];
}

// Moves the note under the cursor to the nearest free string in direction `pas` (-1 towards
// string 1) that can play the same pitch.
void MoveNote(int pas) {
  if (Curseur.Temps > NbTempsCourant() + 1 || Curseur.Corde < 1 || Curseur.Corde > NbCordesPiste()) return;
  TTemps& t = TempsCourant();
  int c = Curseur.Corde;
  TNote& note = t.Notes[c];
  int f = note.Frette;
  int max = FretteMaxPiste[PisteCourante];
  if (f < 0 || f > max || t.Silence) return;
  const int32_t* accordage = Partition.Accordage[PisteCourante];
  int cible = 0, fretteCible = 0;
  for (int i = c + pas; i >= 1 && i <= NbCordesPiste(); i += pas) {
    int fi = f + accordage[c] - accordage[i];
    if (t.Notes[i].Frette < 0 && fi >= 0 && fi <= max) {
      cible = i;
      fretteCible = fi;
      break;
    }
  }
  if (!cible) return;
  SauverAnnulation();
  Curseur.RedessinTemps = 0;
  TNote& dest = t.Notes[cible];
  dest.Frette = static_cast<int8_t>(fretteCible);
  dest.Effet = note.Effet;
  dest.Nuance = note.Nuance;
  dest.Bend = note.Bend;
  EffacerNote(note);  // grace-note fields stay where they were
  RememberCursor();
  Curseur.Corde = cible;
  RedessinerCurseur();
}

}  // namespace

void PoserFrette(TNote& note, int frette) {
  if (note.Frette < 0) {
    const int d = Configuration.DefaultDynamic;  // a dynamic out of 1..8 (bad ini) reads as mf
    note.Nuance = static_cast<int8_t>(d >= 1 && d <= 8 ? d : 6);
  }
  note.Frette = static_cast<int8_t>(frette);
}

int FretteSaisie(int chiffre, bool pendant, int fretteActuelle, int fretteMax, bool& pendantApres) {
  pendantApres = false;
  // Only a real first digit (1..max/10) combines; an empty or dead note never does.
  if (pendant && fretteActuelle >= 1 && fretteActuelle <= fretteMax / 10 &&
      fretteActuelle * 10 + chiffre <= fretteMax)
    return fretteActuelle * 10 + chiffre;
  if (pendant) return chiffre;
  pendantApres = chiffre != 0 && chiffre <= fretteMax / 10;
  return chiffre;
}

void CurseurTempsPrecedent() {
  StartMove();
  int ancien = Curseur.Temps;
  if (Curseur.Temps > 1) Curseur.Temps -= 1;
  RedessinerCurseur();
  if (ancien == NbTempsCourant() + 1) RedrawRows();
  if (ancien == 1 && Partition.MesureCourante > 1) {
    MesurePrecedenteSiPossible();
    RefreshActions();
  }
}

void CurseurDebutMesure() {
  StartMove();
  int ancien = Curseur.Temps;
  Curseur.Temps = 1;
  RedessinerCurseur();
  if (ancien == NbTempsCourant() + 1) RedrawRows();
}

void CurseurTempsSuivant() {
  StartMove();
  int n = NbTempsCourant();
  if (Curseur.Temps == n + 1) return;
  if (Curseur.Temps <= n) Curseur.Temps = std::min(Curseur.Temps + 1, NB_TEMPS_MAX);
  if (Curseur.Temps == n + 1) {
    if (CurrentMeasureFull()) {
      const int mesure = Partition.MesureCourante;
      MesureSuivanteSiPossible();  // the measure change redraws the zone
      if (Partition.MesureCourante != mesure) return;
      // Refused (the song is at its last measure): the cursor still stands on the input slot
      // and must be drawn there.
    }
    PreparerTempsSaisie();
    RedrawRows();
  }
  RedessinerCurseur();
}

void CurseurFinMesure() {
  StartMove();
  int n = NbTempsCourant();
  if (n > 1) Curseur.Temps = n;
  RedessinerCurseur();
  RedrawRows();
}

void CurseurCordeHaut() {
  StartMove();
  Curseur.Corde -= 1;
  if (Curseur.Corde <= 0) Curseur.Corde = NbCordesPiste();
  RedessinerCurseur();
}

void CurseurCordeBas() {
  StartMove();
  Curseur.Corde += 1;
  if (Curseur.Corde > NbCordesPiste()) Curseur.Corde = 1;
  RedessinerCurseur();
}

void SwitchToTrack(int piste) {
  PisteCourante = piste;
  Curseur.Temps = 1;
  Curseur.Corde = 1;
  RafraichirZoneSaisie();
  // The undo copy and the cancel-measure snapshot belong to the other track's edits.
  ActiverAnnulerMesure(false);
  ActiverAnnulation(false);
  Notificateur().vueARefaire();
}

void SaisirChiffre(int chiffre, int etat) {
  VueEditeur().StopSound();
  if (etat == 4) {
    if (chiffre < 1 || chiffre > NB_PISTES) return;
    SwitchToTrack(chiffre);
    RefreshActions();
    MesureOrigine = *Partition.Courante();
    VueEditeur().UpdateTrackMenu();
    return;
  }
  if (PleinEcranActif || chiffre < 0 || chiffre > 9) return;
  TNote* entree = StartNoteEntry();
  if (!entree) return;
  TNote& note = *entree;
  bool pendant = false;
  int v = FretteSaisie(chiffre, Curseur.RedessinTemps == 1, note.Frette, FretteMaxPiste[PisteCourante], pendant);
  Curseur.RedessinTemps = pendant ? 1 : 0;
  PoserFrette(note, v);
  RememberCursor();
  RedessinerTempsSaisi();
  PlayIfListening();
  AfficherEtatMesure();
}

void RedessinerTempsSaisi() {
  DrawBeat(Curseur.Temps);
  RegrouperRythme(0);
  DessinerTriolets();
}

void SaisirNoteEtouffee() {
  if (PisteCourante == PISTE_PERCUSSION) return;
  VueEditeur().StopSound();
  TNote* entree = StartNoteEntry();
  if (!entree) return;
  TNote& note = *entree;
  PoserFrette(note, FRETTE_MORTE);
  note.Effet = 0;
  RememberCursor();
  Curseur.RedessinTemps = 0;
  DrawBeat(Curseur.Temps);
  PlayIfListening();
  AfficherEtatMesure();
}

bool RemplirNotesAccord() {
  const int n = NbTempsCourant();
  if (Curseur.Temps < 1 || Curseur.Temps > n + 1 || Curseur.Temps > NB_TEMPS_MAX) return false;
  TTemps& t = TempsCourant();
  if (!t.AvecAccord || !t.Accord) return false;
  const int nc = NbCordesPiste();
  for (int s = 1; s <= nc; ++s)
    if (t.Notes[s].Frette >= 0) return false;  // a beat with notes keeps them: only the name is set
  const TAccord& accord = *t.Accord;
  // A diagram value outside the frets a note can take (a damaged file) plays no note.
  auto frette = [&](int s) { return accord.Frettes[s] >= 0 && accord.Frettes[s] < FRETTE_MORTE ? accord.Frettes[s] : -1; };
  bool joue = false;
  for (int s = 1; s <= nc; ++s) joue = joue || frette(s) >= 0;
  UseInputSlot();
  if (joue) {
    t.Silence = 0;
    t.Lie = 0;
  } else if (!t.Silence && !t.Lie) {
    t.Silence = 1;  // a rest that carries the chord name
  }
  for (int s = 1; s <= nc; ++s) {
    PoserFrette(t.Notes[s], frette(s));
  }
  RememberCursor();
  DrawBeat(Curseur.Temps);
  DessinerLigneAccords();
  RegrouperRythme(0);
  DessinerTriolets();
  if (joue) PlayIfListening();
  AfficherEtatMesure();
  return true;
}

void CliquerZoneSaisie(int x, int y) {
  const int x0 = Curseur.XSaisie, y0 = Curseur.YSaisie;
  const int dy = std::max(1, Curseur.EcartCordes), dx = std::max(1, Curseur.EcartTemps);
  const int n = NbCordesPiste();
  const bool surPortee = y0 - 10 < y && y < (n - 1) * dy + y0 + 10;
  if (surPortee && x < x0) {
    MesurePrecedenteSiPossible();
    RefreshActions();
    return;
  }
  if (surPortee && x > x0) {
    RememberCursor();
    int nb = NbTempsCourant();
    bool ancienSurSaisie = Curseur.Temps == nb + 1;
    int b = Arrondi(static_cast<double>(x - x0) / dx);
    if (b <= 0) b = 1;
    b = std::min({b, nb + 1, NB_TEMPS_MAX});
    if (b == nb + 1 && !ancienSurSaisie) PreparerTempsSaisie();
    int s = Arrondi(static_cast<double>(y - y0) / dy);
    s = s <= -1 ? 1 : s + 1;
    s = std::min(s, n);
    Curseur.Temps = b;
    Curseur.Corde = s;
    Curseur.RedessinTemps = 0;
    RedessinerCurseur();
    DessinerTriolets();
    if (b == nb + 1 || ancienSurSaisie) RegrouperRythme(0);
  }
  if (SurTempsSaisie() && CurrentMeasureFull()) {
    MesureSuivanteSiPossible();
    RefreshActions();
  }
}

void DeplacerNoteHaut() { MoveNote(-1); }
void DeplacerNoteBas() { MoveNote(+1); }

void EffacerSousCurseur() {
  int n = NbTempsCourant();
  if (Curseur.Temps < 1 || Curseur.Temps > n + 1 || Curseur.Corde < 1 || Curseur.Corde > NbCordesPiste()) return;
  TTemps& t = TempsCourant();
  if (t.Silence || t.Lie) {
    SupprimerTemps();
    return;
  }
  TNote& note = t.Notes[Curseur.Corde];
  if (note.Frette < 0) return;
  Curseur.RedessinTemps = 0;
  RememberCursor();
  SauverAnnulation();
  EffacerNote(note);
  bool vide = true;
  for (int s = 1; s <= NbCordesPiste(); ++s)
    if (t.Notes[s].Frette >= 0) vide = false;
  if (!vide || Curseur.Temps > n) {
    RedessinerCurseur();
    return;
  }
  // The beat is gone, and so are the tied beats that continued it.
  DeleteBeatAndTiedFollowers();
}

void ValiderSiPossible() {
  if (MesureEditee) ValiderMesure();
}

void MesurePrecedenteSiPossible() {
  bool actif = VueEditeur().PreviousMeasureEnabled();
  if (actif) MesurePrecedente();
}

void MesureSuivanteSiPossible() {
  bool actif = VueEditeur().NextMeasureEnabled();
  if (actif) MesureSuivante();
}
