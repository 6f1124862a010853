#include "midi/OrdreLecture.h"

#include <algorithm>

#include "editor/state/EtatProgramme.h"
#include "settings/Langue.h"
#include "settings/Mess.h"

std::vector<int32_t> OrdreLecture(1, 0);
int32_t NbOrdreLecture = 0;
bool OrdreLectureTronque = false;
int32_t MesureOmise = 0;

namespace {

// The walk below always ends (see there); this bound only guards against a mistake in that
// reasoning, and a walk that reaches it is reported like a cut order. No measure sounds anywhere
// near this often through the repeats a song can hold (99 per repeat-close or ending).
constexpr size_t PAS_PAR_MESURE_MAX = 1000;

// Unrolls the repeats of the whole song.
//
// A repeat-close goes back to the repeat-open that stands after the previous repeat-close passed on
// (to the bar after that close when there is none, or to bar 1), as often as it says, then plays on:
// "||: 1 2 :|| 3 4 :|| 5" sounds 1 2 1 2 3 4 3 4 5. A repeat-close that ends a played alternate
// ending goes back to the repeat-open of its endings; one that ends a skipped ending is passed on.
// An ending reached while the ending started last has had no repeat-close yet (that one was the
// last of its group) begins a group of its own, counted afresh; without a repeat-open of its own it
// goes back to the bar after that last ending: "1 [1. 2 :|| [2. 3  4 [1. 5 :|| [2. 6" sounds
// 1 2 1 3 4 5 4 6. A repeat-open met after such a last ending begins afresh, on whatever pass:
// "1 [1. 2 :|| [2. 3  ||: 4 5 :|| 6" sounds 1 2 1 3 4 5 4 5 6. Without that open, a repeat-close
// after the last ending closes it, as the editor takes it too, and the next pass plays none of the
// endings: "1 [1. 2 :|| [2. 3  4 5 :|| 6" sounds 1 2 1 3 4 5 1 6.
//
// Why it ends: every jump goes to g or s, with g <= s <= c; g never decreases. A plain repeat-close
// counts its own jumps, and once passed on, g stands after it: it is never reached again, so plain
// jumps are finitely many. An ending's repeat-close jumps only when an ending was started since the
// last repeat-close, and each start raises j, which an ending number bounds; j falls back to 0 only
// at a repeat-open reached walking on (one reached while returning does so only when an ending
// was started since the last jump, so it is not where that jump went), where between two plain
// jumps those opens come in rising order, or at an ending that begins a group. That ending stands
// after the ending started last, and no ending starts between the two, so once g stands past the
// earlier one, every later walk reaches it with no ending started since the last jump: each bar
// begins a group at most once.
std::vector<int32_t> Derouler(const TPartition& partition, bool avecRepetitions, int32_t* interrompue) {
  std::vector<int32_t> ordre;
  const int nb = partition.NbMesures;
  std::vector<int> sauts(static_cast<size_t>(nb) + 1, 0);  // jumps made by each plain repeat-close
  const size_t pasMax = static_cast<size_t>(nb) * PAS_PAR_MESURE_MAX;
  int c = 1;
  int g = 1;  // where an ending's repeat-close goes back to
  int s = 1;  // where a plain repeat-close goes back to
  int j = 0;  // number of the alternate ending being played
  int derniereFin = 0;  // the bar of the ending started last
  bool ecrire = true, retour = false, finCommencee = false;
  size_t pas = 0;
  while (c <= nb) {
    if (pas++ >= pasMax) {
      if (interrompue) *interrompue = c;
      break;
    }
    const TMesure* m = partition.Mesure(c);
    if (!m) break;
    if (avecRepetitions && m->RenvoiDebut) {
      // Going back to the endings' repeat-open keeps their count; an open met after a played
      // ending that has no repeat-close stands after the group's last ending.
      if (!retour || (finCommencee && ecrire)) {
        j = 0;
        finCommencee = false;
      }
      g = s = c;
      retour = false;
    }
    if (avecRepetitions && m->Repetition && !m->RenvoiDebut) {
      if (m->NumRepetition < j + 1 && finCommencee) {
        // The ending started last was the last of its group: this one begins the next group.
        g = std::max(g, derniereFin + 1);
        s = std::max(s, g);
        j = 0;
        finCommencee = false;
      }
      if (m->NumRepetition < j + 1) {
        ecrire = false;
      } else {
        ++j;
        finCommencee = true;
        derniereFin = c;
      }
    }
    if (ecrire) ordre.push_back(c);
    if (avecRepetitions && m->RenvoiFin) {
      if (j > 0 && (finCommencee || !ecrire)) {
        const bool saut = ecrire;
        retour = retour || ecrire;
        ecrire = true;
        finCommencee = false;
        if (saut) {
          c = g;
          continue;
        }
        s = c + 1;
      } else {
        finCommencee = false;
        if (sauts[c] < m->NbRenvois) {
          ++sauts[c];
          c = s;
          continue;
        }
        g = s = c + 1;
      }
    }
    ++c;
  }
  return ordre;
}

}  // namespace

std::vector<int32_t> CalculerOrdreMesures(const TPartition& partition, int debut, int fin, bool avecRepetitions,
                                          bool modeParcourir, int32_t* interrompue, bool mesureSeule) {
  if (interrompue) *interrompue = 0;
  std::vector<int32_t> ordre;
  const int nb = partition.NbMesures;
  if (nb <= 0) return ordre;
  // A song of one bar asked for whole still unrolls its repeats.
  if (debut == fin && (mesureSeule || nb > 1)) {
    if (debut >= 1 && debut <= nb) ordre.push_back(debut);
    return ordre;
  }

  ordre = Derouler(partition, avecRepetitions, interrompue);

  if (debut > 1) {
    auto it = std::find(ordre.begin(), ordre.end(), debut);
    ordre.erase(ordre.begin(), it);
  }
  if (fin < nb && !ordre.empty()) {
    if (modeParcourir) {
      if (fin >= 0 && static_cast<size_t>(fin) < ordre.size()) {
        ordre.resize(fin);
        if (interrompue) *interrompue = 0;
      }
    } else if (ordre.back() != fin) {
      auto it = std::find_if(ordre.begin(), ordre.end(), [fin](int32_t x) { return x > fin; });
      // A walk stopped at its bound was cut here, within the range, not at its end.
      if (it != ordre.end() && interrompue) *interrompue = 0;
      ordre.erase(it, ordre.end());
    }
  }
  return ordre;
}

size_t EntreesJouables(const TPartition& partition, const std::vector<int32_t>& ordre) {
  int64_t ticks = 0;
  const size_t nbMax = std::min(ordre.size(), static_cast<size_t>(NB_ORDRE_LECTURE_MAX));
  for (size_t k = 0; k < nbMax; ++k) {
    const TMesure* m = ordre[k] >= 1 && ordre[k] <= partition.NbMesures ? partition.Mesure(ordre[k]) : nullptr;
    ticks += m ? std::max(0, TicksMesure(*m)) : 0;
    if (ticks > NB_TICKS_ORDRE_MAX) return k;
  }
  return nbMax;
}

bool CalculeOrdreLecture(int debut, int fin, bool avecRepetitions, bool mesureSeule) {
  int32_t interrompue = 0;
  const std::vector<int32_t> ordre =
      CalculerOrdreMesures(Partition, debut, fin, avecRepetitions, ModeParcourir, &interrompue, mesureSeule);
  const size_t nb = EntreesJouables(Partition, ordre);
  OrdreLectureTronque = nb < ordre.size() || interrompue > 0;
  MesureOmise = nb < ordre.size() ? ordre[nb] : interrompue;
  NbOrdreLecture = static_cast<int32_t>(nb);
  OrdreLecture.assign(1, 0);
  OrdreLecture.insert(OrdreLecture.end(), ordre.begin(), ordre.begin() + static_cast<std::ptrdiff_t>(nb));
  return NbOrdreLecture > 0;
}

void SignalerOrdreTronque() {
  if (!OrdreLectureTronque) return;
  MessageBoxD(TexteLangue("Dlg-Information"),
              RemplacerParam1et2(TexteLangue("MidiExp-OrdreLectureTronque"), NbOrdreLecture, MesureOmise),
              MB_ICONE_INFORMATION, MB_OK, MB_DEF_OK);
}
