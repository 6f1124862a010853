#include "song/Accordages.h"

#include <algorithm>

// The two names with two blanks before the colon are kept as they are: the list shows them so.
const TAccordage Accordages[NbAccordages] = {
    {"Guitar Standard : EADGBE", 6, {0, 64, 59, 55, 50, 45, 40}},
    {"Guitar Dropped D : DADGBE", 6, {0, 64, 59, 55, 50, 45, 38}},
    {"Guitar Open A : EAEAC#E", 6, {0, 64, 61, 57, 52, 45, 40}},
    {"Guitar Open C : CGCGCE", 6, {0, 64, 60, 55, 48, 43, 36}},
    {"Guitar Open Cmin : CGCGCEb", 6, {0, 63, 60, 55, 48, 43, 36}},
    {"Guitar Open D : DADF#AD", 6, {0, 62, 57, 54, 50, 45, 38}},
    {"Guitar Open Dmin : DADFAD", 6, {0, 62, 57, 53, 50, 45, 38}},
    {"Guitar Open Dsus4 : DADGAD", 6, {0, 62, 57, 55, 50, 45, 38}},
    {"Guitar Open E : EBEG#BE", 6, {0, 64, 59, 56, 52, 47, 40}},
    {"Guitar Open Emin : EBEGBE", 6, {0, 64, 59, 55, 52, 47, 40}},
    {"Guitar Open Esus11 : EAEGBE", 6, {0, 64, 59, 55, 52, 45, 40}},
    {"Guitar Open F : CFCFAC", 6, {0, 60, 57, 53, 48, 41, 36}},
    {"Guitar Open F : FACFCF", 6, {0, 65, 60, 53, 48, 45, 41}},
    {"Guitar Open G : DGDGBD", 6, {0, 62, 59, 55, 50, 43, 38}},
    {"Guitar Open G : GBDGBD", 6, {0, 62, 59, 55, 50, 47, 43}},
    {"Guitar Alternative : EGDEAE", 6, {0, 64, 57, 52, 50, 43, 40}},
    {"Guitar Alternative  : CGDGBE", 6, {0, 64, 59, 55, 50, 43, 36}},
    {"Guitar Alternative : CGDAEG", 6, {0, 67, 64, 57, 50, 43, 36}},
    {"Guitar Nashville  : EADGBE", 6, {0, 64, 59, 67, 62, 57, 52}},
    {"Guitar Eb : EbAbDbGbBbEb", 6, {0, 63, 58, 54, 49, 44, 39}},
    {"Bass Standard : EADG", 4, {0, 0, 0, 43, 38, 33, 28}},
    {"Bass Dropped D : DADG", 4, {0, 0, 0, 43, 38, 33, 26}},
    {"Bass Eb : EbAbDbGb", 4, {0, 0, 0, 42, 37, 32, 27}},
    {"Bass 5 strings : BEADG", 5, {0, 0, 43, 38, 33, 28, 23}},
    {"Bass 6 strings : BEADGC", 6, {0, 48, 43, 38, 33, 28, 23}},
    {"Banjo Open G : GDGBD", 5, {0, 0, 62, 59, 55, 50, 67}},
    {"Banjo Dropped C : GCGBD", 5, {0, 0, 62, 59, 55, 48, 67}},
    {"Banjo Open D : ADF#AD", 5, {0, 0, 62, 57, 54, 50, 69}},
    {"Banjo G minor : GDGBbD", 5, {0, 0, 62, 58, 55, 50, 67}},
    {"Banjo G Modal : GDGAD", 5, {0, 0, 62, 57, 55, 50, 67}},
    {"Mandolin Standard : GDAE", 4, {0, 0, 0, 76, 69, 62, 55}},
};

int ChercherModele(int nbCordes, const int32_t accordage[]) {
  for (int i = 0; i < NbAccordages; ++i) {
    const TAccordage& a = Accordages[i];
    if (a.NbCordes != nbCordes) continue;
    bool egal = true;
    for (int s = 1; s <= nbCordes && egal; ++s) egal = a.Notes[6 - nbCordes + s] == accordage[s];
    if (egal) return i;
  }
  return -1;
}

bool AppliquerModele(int index, int32_t& nbCordes, int32_t accordage[]) {
  if (index < 0 || index >= NbAccordages) return false;
  const TAccordage& a = Accordages[index];
  nbCordes = a.NbCordes;
  for (int s = 1; s <= a.NbCordes; ++s) accordage[s] = a.Notes[6 - a.NbCordes + s];
  return true;
}

void AccordageParDefaut(int nbCordes, int32_t accordage[]) {
  static const int32_t six[] = {64, 59, 55, 50, 45, 40};
  static const int32_t basse[] = {43, 38, 33, 28, 23};
  const int n = std::clamp(nbCordes, 4, 6);
  for (int s = 1; s <= n; ++s) accordage[s] = n == 6 ? six[s - 1] : basse[s - 1];
}

QString NomNoteCorde(int hauteur) {
  static const char* const noms[12] = {"C", "C#", "D", "D#", "E", "F", "F#", "G", "G#", "A", "A#", "B"};
  const int octave = hauteur >= 0 ? hauteur / 12 : -((11 - hauteur) / 12);
  return QString::fromLatin1(noms[hauteur - 12 * octave]) + QString::number(octave);
}
