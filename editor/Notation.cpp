#include "editor/Notation.h"

#include <algorithm>
#include <cmath>

namespace {

// By pitch class (rows C .. B) and key signature (columns -7 .. +7): the step within the octave,
// and the accidental written.
constexpr int8_t STEP[12][15] = {
    {0, 0, 0, 0, 0, 0, 0, 0, 0, -1, -1, -1, -1, -1, -1}, {1, 1, 1, 1, 1, 1, 1, 0, 0, 0, 0, 0, 0, 0, 0},
    {1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1},       {2, 2, 2, 2, 2, 2, 2, 1, 1, 1, 1, 1, 1, 1, 1},
    {2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2},       {3, 3, 3, 3, 3, 3, 3, 3, 3, 3, 3, 3, 3, 2, 2},
    {4, 4, 4, 4, 4, 4, 4, 3, 3, 3, 3, 3, 3, 3, 3},       {4, 4, 4, 4, 4, 4, 4, 4, 4, 4, 4, 4, 4, 4, 4},
    {5, 5, 5, 5, 5, 5, 5, 4, 4, 4, 4, 4, 4, 4, 4},       {5, 5, 5, 5, 5, 5, 5, 5, 5, 5, 5, 5, 5, 5, 5},
    {6, 6, 6, 6, 6, 6, 6, 5, 5, 5, 5, 5, 5, 5, 5},       {7, 7, 6, 6, 6, 6, 6, 6, 6, 6, 6, 6, 6, 6, 6}};
constexpr int8_t ACC[12][15] = {
    {3, 3, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 1, 0}, {0, 0, 0, 0, 2, 2, 2, 1, 1, 0, 0, 0, 0, 0, 0},
    {3, 3, 3, 3, 0, 0, 0, 0, 0, 0, 0, 3, 3, 3, 3}, {0, 0, 0, 0, 0, 0, 2, 1, 1, 1, 1, 3, 3, 3, 3},
    {3, 3, 3, 3, 3, 3, 0, 0, 0, 0, 0, 0, 0, 3, 3}, {3, 0, 0, 0, 0, 0, 0, 0, 3, 3, 3, 3, 3, 0, 0},
    {0, 0, 0, 2, 2, 2, 2, 1, 0, 0, 0, 0, 0, 0, 0}, {3, 3, 3, 0, 0, 0, 0, 0, 0, 0, 3, 3, 3, 3, 3},
    {0, 0, 0, 0, 0, 2, 2, 1, 1, 1, 0, 0, 0, 0, 0}, {3, 3, 3, 3, 3, 0, 0, 0, 0, 0, 0, 0, 3, 3, 3},
    {0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 1, 0, 0, 0}, {0, 0, 3, 3, 3, 3, 3, 0, 0, 0, 0, 0, 0, 0, 3}};

constexpr int DEMITONS_DEGRE[7] = {0, 2, 4, 5, 7, 9, 11};
// Degrees (C = 0) in the order sharps and flats enter a key signature.
constexpr int ORDRE_DIESES[7] = {3, 0, 4, 1, 5, 2, 6};
constexpr int ORDRE_BEMOLS[7] = {6, 2, 5, 1, 4, 0, 3};
int Armure(int a) { return std::clamp(a, -7, 7); }

}  // namespace

int PositionSousY(int y) { return static_cast<int>(std::nearbyint((212.0 - y) / 4)); }

void HauteurVersPosition(int hauteur, int armure, int& position, int& alteration) {
  hauteur = std::max(hauteur, 0);
  const int c = hauteur % 12, k = Armure(armure) + 7;
  position = 7 * (hauteur / 12) + STEP[c][k];
  alteration = ACC[c][k];
}

int PositionVersHauteur(int position, int armure, int alteration) {
  position = std::max(position, 0);
  const int octave = position / 7, d = position - 7 * octave;
  int h = 12 * octave + DEMITONS_DEGRE[d];
  if (alteration == ALT_DIESE) return h + 1;
  if (alteration == ALT_BEMOL) return h - 1;
  if (alteration == ALT_BECARRE) return h;
  const int a = Armure(armure);
  for (int i = 0; i < a; ++i)
    if (ORDRE_DIESES[i] == d) return h + 1;
  for (int i = 0; i < -a; ++i)
    if (ORDRE_BEMOLS[i] == d) return h - 1;
  return h;
}

int CordePourHauteur(const TPartition& p, int piste, const TTemps& t, int hauteur, int& frette) {
  if (piste < 1 || piste > NB_PISTES) return 0;
  int choix = 0;
  for (int s = 1; s <= std::clamp(p.NbCordes[piste], 0, NB_CORDES_MAX); ++s) {
    if (t.Notes[s].Frette != FRETTE_AUCUNE) continue;
    const int f = hauteur - p.Accordage[piste][s];
    if (f < 0 || f > FretteMaxPiste[piste]) continue;
    if (!choix || f < frette) {
      choix = s;
      frette = f;
    }
  }
  return choix;
}

std::vector<TNotePortee> NotesPortee(const TPartition& p, int piste, const TTemps& t) {
  std::vector<TNotePortee> notes;
  if (piste < 1 || piste > NB_PISTES) return notes;
  for (int s = 1; s <= std::clamp(p.NbCordes[piste], 0, NB_CORDES_MAX); ++s) {
    const int f = t.Notes[s].Frette;
    if (f < 0 || f > FretteMaxPiste[piste]) continue;
    TNotePortee n;
    n.Hauteur = f + p.Accordage[piste][s];
    n.Corde = s;
    HauteurVersPosition(n.Hauteur, p.Armure, n.Position, n.Alteration);
    notes.push_back(n);
  }
  std::stable_sort(notes.begin(), notes.end(),
                   [](const TNotePortee& a, const TNotePortee& b) { return a.Position < b.Position; });
  for (size_t i = 1; i < notes.size(); ++i)
    if (notes[i - 1].Position + 1 >= notes[i].Position && notes[i - 1].X == 70) notes[i].X = 76;
  return notes;
}

const char* NomTonalite(int armure) {
  static const char* const noms[15] = {"Cb", "Gb", "Db", "Ab", "Eb", "Bb", "F", "C",
                                       "G",  "D",  "A",  "E",  "B",  "F#", "C#"};
  return noms[Armure(armure) + 7];
}
