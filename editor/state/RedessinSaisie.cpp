#include "editor/state/RedessinSaisie.h"

#include "editor/state/Notificateur.h"

namespace {
void Demander(PartieSaisie partie, int temps = 0, bool cascade = false) {
  emit Notificateur().saisieModifiee(partie, temps, cascade);
}
}  // namespace

void RafraichirZoneSaisie() { Demander(PartieSaisie::Tout); }
void DessinerSignature() { Demander(PartieSaisie::Signature); }
void RedessinerCurseur() { Demander(PartieSaisie::Curseur); }
void RedessinerTemps(int temps) { Demander(PartieSaisie::Temps, temps); }
void DessinerEffetsTemps(int temps, bool cascade) { Demander(PartieSaisie::EffetsTemps, temps, cascade); }
void DessinerTriolets() { Demander(PartieSaisie::Triolets); }
void DessinerRythme() { Demander(PartieSaisie::Rythme); }
void DessinerLigneAccords() { Demander(PartieSaisie::LigneAccords); }
void DessinerLigneTextes() { Demander(PartieSaisie::LigneTextes); }
void DessinerRenvoiDebut() { Demander(PartieSaisie::RenvoiDebut); }
void DessinerRenvoiFin() { Demander(PartieSaisie::RenvoiFin); }
void DessinerRepetition() { Demander(PartieSaisie::Repetition); }
