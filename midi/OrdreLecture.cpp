#include "midi/OrdreLecture.h"

#include <algorithm>

#include "song/Song.h"
#include "editor/state/EtatProgramme.h"

int32_t OrdreLecture[NB_ORDRE_LECTURE_MAX + 1] = {};
int32_t NbOrdreLecture = 0;
bool OrdreLectureTronque = false;

// The unrolling works on a much longer list than the one kept, so that a range far into a song
// with repeats is still found before the list is cut to its 500 entries.
constexpr size_t NB_DEROULEMENT_MAX = 200000;
// Ill-formed repeat marks can jump back forever; the walk stops after this many steps.
constexpr size_t NB_PAS_MAX = 4000000;

std::vector<int32_t> CalculerOrdreMesures(const TPartition& partition, int debut, int fin, bool avecRepetitions,
                                          bool modeParcourir) {
  std::vector<int32_t> ordre;
  const int nb = partition.NbMesures;
  if (nb <= 0) return ordre;
  if (debut == fin) {
    if (debut >= 1 && debut <= nb) ordre.push_back(debut);
    return ordre;
  }

  int c = 1, d = 1, i = 0, j = 0;
  bool ecrire = true, retour = false;
  size_t pas = 0;
  while (c <= nb && ordre.size() < NB_DEROULEMENT_MAX && pas++ < NB_PAS_MAX) {
    const TMesure* m = partition.Mesure(c);
    if (!m) break;
    if (avecRepetitions && m->RenvoiDebut) {
      d = c;
      if (!retour) j = 0;
      retour = false;
    }
    if (avecRepetitions && m->Repetition && !m->RenvoiDebut) {
      if (m->NumRepetition < j + 1)
        ecrire = false;
      else
        ++j;
    }
    if (ecrire) ordre.push_back(c);
    if (avecRepetitions && m->RenvoiFin) {
      if (j > 0) {
        bool saut = ecrire;
        retour = retour || ecrire;
        ecrire = true;
        if (saut) {
          c = d;
          continue;
        }
      } else {
        ++i;
        if (i > m->NbRenvois) {
          i = 0;
        } else {
          c = d;
          continue;
        }
      }
    }
    ++c;
  }

  if (debut > 1) {
    auto it = std::find(ordre.begin(), ordre.end(), debut);
    ordre.erase(ordre.begin(), it);
  }
  if (fin < nb && !ordre.empty()) {
    if (modeParcourir) {
      if (fin >= 0 && static_cast<size_t>(fin) < ordre.size()) ordre.resize(fin);
    } else if (ordre.back() != fin) {
      auto it = std::find_if(ordre.begin(), ordre.end(), [fin](int32_t x) { return x > fin; });
      ordre.erase(it, ordre.end());
    }
  }
  return ordre;
}

bool CalculeOrdreLecture(int debut, int fin, bool avecRepetitions) {
  std::vector<int32_t> ordre = CalculerOrdreMesures(Partition, debut, fin, avecRepetitions, ModeParcourir);
  OrdreLectureTronque = ordre.size() > NB_ORDRE_LECTURE_MAX;
  NbOrdreLecture = static_cast<int32_t>(std::min<size_t>(ordre.size(), NB_ORDRE_LECTURE_MAX));
  for (int k = 0; k < NbOrdreLecture; ++k) OrdreLecture[k + 1] = ordre[k];
  return NbOrdreLecture > 0;
}

bool CalculeOrdreLecture(int debut, int fin, int /*mode*/, bool avecRepetitions) {
  return CalculeOrdreLecture(debut, fin, avecRepetitions);
}
