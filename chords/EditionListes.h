#pragma once
// The chord lists (library, print list, used chords): arrays of owned records, 1-based, with a
// count and a capacity. The operations take the list as data so that they serve all three.
#include <cstdint>
#include <memory>

#include "chords/Accord.h"

struct TListeAccords {
  std::unique_ptr<TAccord>* Entrees;  // [1..Max]
  int32_t* Nb;
  int Max;
  int Compte() const { return *Nb; }
};

// Appends a copy; false, with nothing changed, when the list is full.
bool AjouterAccordListe(const TListeAccords& l, const TAccord& a);
// Removes entry i (1..count); returns the entry to select after it (0 when the list is empty).
int SupprimerAccordListe(const TListeAccords& l, int i);
// Overwrites entry i; false when i is not an entry.
bool RemplacerAccordListe(const TListeAccords& l, int i, const TAccord& a);
// Swaps entry i with its neighbour (-1 above, +1 below); false when there is none.
bool DeplacerAccordListe(const TListeAccords& l, int i, int sens);

// Two chords are the same used chord: same name, spelling and root, the same theory for a
// theory chord, and the same fingering (barres aside).
bool AccordsEgaux(const TAccord& a, const TAccord& b);
// Records a chord in the used list unless an equal one is there; a full list takes nothing.
bool AjouterAccordUtilise(const TListeAccords& utilises, const TAccord& a);
