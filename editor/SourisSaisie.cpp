#include "editor/SourisSaisie.h"

#include <algorithm>

#include "song/Song.h"
#include "editor/state/VueEditeur.h"
#include "editor/state/EtatEdition.h"
#include "editor/state/EtatProgramme.h"
#include "editor/Curseur.h"
#include "editor/Navigation.h"
#include "editor/Saisie.h"
#include "editor/EditZoneModel.h"
#include "editor/state/RedessinSaisie.h"

int FretteItemTurbo(const QString& nom) {
  if (nom.size() < 7 || !nom[5].isDigit() || !nom[6].isDigit()) return -1;
  return nom.mid(5, 2).toInt();
}

int ColonneTurbo(int frette) { return frette < 9 ? 0 : frette < 18 ? 1 : 2; }

bool PoserFretteTurbo(int frette) {
  TMesure* m = Partition.Courante();
  const int cordes = std::clamp(static_cast<int>(Partition.NbCordes[PisteCourante]), 1, NB_CORDES_MAX);
  if (!m || frette < 0 || frette > 99 || Curseur.Corde < 1 || Curseur.Corde > cordes) return false;
  if (Curseur.Temps < 1 || Curseur.Temps > NbTempsCourant() + 1) return false;
  // No 65th beat (a track full from a file leaves its input slot past beat 64). Checked before the
  // undo copy, so that a refused fret leaves the song, the undo and the modified mark as they were.
  if (SurTempsSaisie() && NbTempsCourant() >= NB_TEMPS_MAX) return false;
  SauverAnnulation();
  if (SurTempsSaisie()) {
    NbTempsCourant() += 1;
    PreparerTempsSaisie();
  }
  TTemps& t = TempsCourant();
  t.Silence = 0;
  t.Lie = 0;
  Curseur.RedessinTemps = 0;
  PoserFrette(t.Notes[Curseur.Corde], frette);
  TempsPrecedent = Curseur.Temps;
  CordePrecedente = Curseur.Corde;
  RedessinerTemps(Curseur.Temps);
  RegrouperRythme(0);
  DessinerTriolets();
  const bool jouer = VueEditeur().PlayWhileEntering() && MIDIDisponible;
  AfficherEtatMesure();
  return jouer;
}

bool cSourisSaisie::Appuyer(int x, int y, bool droit) {
  if (DoubleClic) {
    DoubleClic = 0;
    return false;
  }
  BoutonEnfonce = 1;
  if (Cliquer) Cliquer(x, y);
  if (Rafraichir) Rafraichir();
  if (!droit) return false;
  BoutonEnfonce = 0;
  return true;
}

void cSourisSaisie::Deplacer(int x, int y) {
  if (BoutonEnfonce) Appuyer(x, y, false);
}

void cSourisSaisie::DoubleCliquer() {
  if (AccordPermis && AccordPermis() && OuvrirAccord) OuvrirAccord();
  BoutonEnfonce = 0;
  DoubleClic = 1;
}
