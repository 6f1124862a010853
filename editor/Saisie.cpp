#include "editor/Saisie.h"

#include <algorithm>

#include "song/Song.h"
#include "editor/state/VueEditeur.h"
#include "editor/state/EtatEdition.h"
#include "editor/Navigation.h"
#include "editor/Curseur.h"
#include "editor/EditZoneModel.h"
#include "editor/state/RedessinSaisie.h"

uint8_t TempsSupprimeLie = 0;

void UseInputSlot() {
  int& n = NbTempsCourant();
  if (Curseur.Temps != n + 1 || n >= NB_TEMPS_MAX) return;
  ++n;
  PreparerTempsSaisie();
}

namespace {

TTemps& Beat(int b) { return Partition.Courante()->Temps[PisteCourante][b]; }

void Draw(int b) {
  if (b >= 1 && b <= NB_SLOTS_TEMPS) RedessinerTemps(b);
}

void DrawFrom(int premier) {
  for (int b = premier; b <= NbTempsCourant() + 1; ++b) Draw(b);
}

void DrawRows() {
  DessinerTriolets();
  RegrouperRythme(0);
  DessinerLigneAccords();
  DessinerLigneTextes();
}

void RememberCursor() {
  TempsPrecedent = Curseur.Temps;
  CordePrecedente = Curseur.Corde;
}

// A place read from a file may be anything; the group arithmetic wants 1..3.
int Place(const TTemps& t) { return std::clamp<int>(t.PlaceTriolet, 1, 3); }

// First beat of the triplet group of beat b, never before beat 1.
int GroupStart(int b) { return std::max(1, b - Place(Beat(b)) + 1); }

// No notes and no beat effect: what a rest and a tied beat carry, on the strings of the current
// track. Duration, chord and annotation stay.
void ClearBeatContent(TTemps& t) {
  t.EffetTemps = 0;
  t.CoupVibrato = 1.0;
  t.Brush = 0;
  for (int s = 1; s <= std::min(Partition.NbCordes[PisteCourante], NB_CORDES_MAX); ++s) {
    EffacerNote(t.Notes[s]);
    t.Notes[s].FretteGrace = FRETTE_AUCUNE;
  }
}

}  // namespace

void DeleteBeatAndTiedFollowers() {
  do {
    RememberCursor();
    RetirerTemps();
    PreparerTempsSaisie();
    DrawFrom(Curseur.Temps);
    DrawRows();
  } while (!TempsSupprimeLie && NbTempsCourant() >= 1 && Curseur.Temps <= NbTempsCourant() &&
           TempsCourant().Lie);
}

// ---------------------------------------------------------------------------------------------
// Deleting and inserting beats

void SupprimerTemps() {
  if (Curseur.Temps > NbTempsCourant()) return;  // the input slot, or nothing there
  SauverAnnulation();
  Curseur.RedessinTemps = 0;
  DeleteBeatAndTiedFollowers();
}

// Removes the beat under the cursor and shifts the later beats down; the caller redraws.
void RetirerTemps() {
  int& n = NbTempsCourant();
  int c = Curseur.Temps;
  if (c < 1 || c > n) return;
  TTemps& t = Beat(c);
  t.Accord.reset();
  t.AvecAccord = 0;
  t.MixTable.reset();
  if (t.Triolet) DefaireTriolet();
  for (int b = c; b <= n; ++b) Beat(b) = std::move(Beat(b + 1));
  Beat(n + 1) = TTemps();
  --n;
  for (int s = 1; s <= NB_CORDES_MAX; ++s) Beat(n + 1).Notes[s].Frette = FRETTE_AUCUNE;
  DessinerTriolets();
}

void InsererTemps() {
  int n = NbTempsCourant();
  if (Curseur.Temps > n || n >= NB_TEMPS_MAX) return;
  const TTemps& t = TempsCourant();
  if (t.Triolet && t.PlaceTriolet > 1) return;  // only before a triplet group, never inside
  SauverAnnulation();
  Curseur.RedessinTemps = 0;
  RememberCursor();
  DecalerTempsInsertion();
  DrawFrom(Curseur.Temps);
  DrawRows();
}

void DecalerTempsInsertion() {
  int& n = NbTempsCourant();
  if (n >= NB_TEMPS_MAX) return;
  for (int b = n; b >= Curseur.Temps; --b) Beat(b + 1) = std::move(Beat(b));
  ++n;
  TTemps& t = TempsCourant();
  TempsNoireVide(t);  // the chord and mix-table change now belong to the shifted copy only
  t.Silence = 1;
  t.Lie = 0;
  PreparerTempsSaisie();
}

// ---------------------------------------------------------------------------------------------
// Durations

namespace {

void AfterDurationChange() {
  const TTemps& t = TempsCourant();
  if (t.Triolet) {
    PropagerDureeTriolet();
    int g = GroupStart(Curseur.Temps);
    for (int b = g; b <= g + 2; ++b)
      if (b <= NbTempsCourant() + 1) Draw(b);
  } else {
    Draw(Curseur.Temps);
  }
  RegrouperRythme(0);
}

}  // namespace

void AllongerDuree() {
  if (Curseur.Temps > NbTempsCourant() + 1) return;
  TTemps& t = TempsCourant();
  if (t.CodeDuree <= -2) return;
  if (t.CodeDuree == -1 && (t.Pointee || t.Triolet)) return;
  SauverAnnulation();
  Curseur.RedessinTemps = 0;
  t.Duree *= 2;
  t.CodeDuree -= 1;
  AfterDurationChange();
}

void RaccourcirDuree() {
  if (Curseur.Temps > NbTempsCourant() + 1) return;
  TTemps& t = TempsCourant();
  if (t.CodeDuree >= 4) return;
  if (t.CodeDuree == 2 && t.Triolet) return;
  SauverAnnulation();
  Curseur.RedessinTemps = 0;
  t.Duree = Arrondi(t.Duree / 2.0);
  t.CodeDuree += 1;
  AfterDurationChange();
}

void PropagerDureeTriolet() {
  const TTemps& src = TempsCourant();
  const int32_t duree = src.Duree;
  const int8_t code = src.CodeDuree;
  const uint8_t pointee = src.Pointee;
  int g = GroupStart(Curseur.Temps);
  int n = NbTempsCourant();
  for (int b = g; b <= std::min(g + 2, n + 1); ++b) {
    TTemps& t = Beat(b);
    if (!t.Triolet) continue;  // not part of the group after all
    t.Duree = duree;
    t.CodeDuree = code;
    t.Pointee = pointee;
  }
}

void DefaireTriolet() {
  const TTemps& t = TempsCourant();
  int d = t.Duree;
  int g = GroupStart(Curseur.Temps);
  int n = NbTempsCourant();
  for (int b = g; b <= g + 2; ++b) {
    if (b > n + 1 || b > NB_TEMPS_MAX) break;
    if (!Beat(b).Triolet) continue;
    Beat(b).Duree = Arrondi(d * 3 / 2.0);
    Beat(b).Triolet = 0;
    Draw(b);
  }
}

void BasculerTriolet() {
  int n = NbTempsCourant();
  int c = Curseur.Temps;
  if (c > n + 1) return;
  TTemps& t = TempsCourant();
  if (t.Pointee || t.CodeDuree <= -2 || t.CodeDuree > 2) return;
  SauverAnnulation();
  Curseur.RedessinTemps = 0;
  if (t.Triolet) {
    int d = t.Duree;
    int g = GroupStart(c);
    for (int b = g; b <= std::min(g + 2, n + 1); ++b) {
      if (!Beat(b).Triolet) continue;
      Beat(b).Triolet = 0;
      Beat(b).Duree = Arrondi(d * 3 / 2.0);
      Draw(b);
    }
  } else {
    if ((c + 1 <= n && Beat(c + 1).Triolet) || (c + 2 <= n && Beat(c + 2).Triolet) || c > NB_TEMPS_MAX - 2)
      return;
    int d = Arrondi(t.Duree * 2 / 3.0);
    t.Duree = d;
    t.Triolet = 1;
    t.PlaceTriolet = 1;
    for (int b = c; b <= std::min(c + 2, n); ++b) {
      TTemps& u = Beat(b);
      u.Triolet = 1;
      u.PlaceTriolet = static_cast<int8_t>(b - c + 1);
      u.Duree = d;
      u.CodeDuree = t.CodeDuree;
      u.Pointee = t.Pointee;
      Draw(b);
    }
  }
  DessinerTriolets();
  RegrouperRythme(0);
}

void PointerSiPossible() {
  VueEditeur().TriggerDottedIfEnabled();
}

// ---------------------------------------------------------------------------------------------
// Copy to the end, rest, tie

void CopierTempsFin() {
  int& n = NbTempsCourant();
  int c = Curseur.Temps;
  if (n >= NB_TEMPS_MAX || n == 0 || c > n) return;
  if (Beat(n).Triolet && Beat(n).PlaceTriolet < 3) return;  // the track ends inside an open group
  if (TempsCourant().Triolet && n > NB_TEMPS_MAX - 3) return;
  SauverAnnulation();
  Curseur.RedessinTemps = 0;
  if (TempsCourant().Triolet) {
    int g = GroupStart(c);
    for (int i = 0; i < 3; ++i) {
      Beat(n + 1 + i) = Beat(g + i);  // deep copies of chord and mix-table change
      Draw(n + 1 + i);
    }
    n += 3;
    PreparerTempsSaisie();
    RememberCursor();
    Curseur.Temps = std::min(g + 3, NB_TEMPS_MAX);
    RedessinerCurseur();
  } else {
    Beat(n + 1) = Beat(c);
    n += 1;
    PreparerTempsSaisie();
    Draw(n);
    CurseurTempsSuivant();
  }
  DessinerLigneAccords();
  RegrouperRythme(0);
  DessinerTriolets();
}

void PoserSilence() {
  const int n = NbTempsCourant();
  if (Curseur.Temps > n + 1 || Curseur.Temps > NB_TEMPS_MAX) return;
  SauverAnnulation();
  UseInputSlot();
  TTemps& t = TempsCourant();
  if (t.Pointee) t.Duree = Arrondi(t.Duree * 2 / 3.0);  // the dot goes
  t.Lie = 0;
  t.Silence = 1;
  t.Pointee = 0;
  ClearBeatContent(t);
  RememberCursor();
  Curseur.RedessinTemps = 0;
  RedessinerTempsSaisi();
}

void AppliquerLiaison() {
  int& n = NbTempsCourant();
  if (Curseur.Temps > n + 1 || Curseur.Temps > NB_TEMPS_MAX) return;
  TTemps& t = TempsCourant();
  if (Curseur.Temps == 1 && Partition.MesureCourante == 1) {
    t.Lie = 0;  // the first beat of the song has nothing to be tied to
    VueEditeur().SetTieChecked(false);
    return;
  }
  if (!t.Lie) {
    if (Curseur.Temps < n) {
      t.Silence = 1;
    } else if (Curseur.Temps == n) {
      --n;  // the untied last beat becomes the input slot again
      PreparerTempsSaisie();
    }
  } else {
    UseInputSlot();
    t.Lie = 1;
    t.Silence = 0;
    ClearBeatContent(t);
  }
  RememberCursor();
  Curseur.RedessinTemps = 0;
  RedessinerTempsSaisi();
}
