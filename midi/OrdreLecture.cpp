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
// reasoning, and a walk that reaches it is reported like a cut order. No measure is walked more
// than 256 times, whatever the counts a song holds (at most 255 per repeat-close or ending).
constexpr size_t PAS_PAR_MESURE_MAX = 1000;

// What the walk reads of one bar, marks and the groups of endings worked out beforehand.
struct TBarre {
  bool ouvre = false;       // repeat-open
  bool ferme = false;       // repeat-close
  uint8_t renvois = 0;      // how often a plain repeat-close jumps back
  bool volta = false;       // starts an alternate ending
  uint8_t numero = 0;       // its number
  bool boutVolta = false;   // last bar of an ending
  bool boutGroupe = false;  // last bar of a group of endings
};

// Reads the marks and the endings' extents. An ending starts at its mark (not on a repeat-open
// bar, where the open wins) and runs to the next repeat-close when that comes before the next
// ending mark or repeat-open; else it is its own bar alone. An ending that starts right after a
// closed ending belongs to the same group; an ending without its own close is the last of its
// group.
std::vector<TBarre> LireBarres(const TPartition& partition) {
  const int nb = partition.NbMesures;
  std::vector<TBarre> barres(static_cast<size_t>(nb) + 2);
  int fermeture = 0;  // the repeat-close that would end an ending started at c
  for (int c = nb; c >= 1; --c) {
    TBarre& b = barres[static_cast<size_t>(c)];
    if (const TMesure* m = partition.Mesure(c)) {
      b.ouvre = m->RenvoiDebut;
      b.ferme = m->RenvoiFin;
      b.renvois = m->NbRenvois;
      b.volta = m->Repetition && !m->RenvoiDebut;
      b.numero = m->NumRepetition;
    }
    const TBarre& suivante = barres[static_cast<size_t>(c) + 1];
    fermeture = b.ferme ? c : suivante.volta || suivante.ouvre ? 0 : fermeture;
    if (b.volta) {
      const size_t bout = static_cast<size_t>(fermeture ? fermeture : c);
      barres[bout].boutVolta = true;
      barres[bout].boutGroupe = !(fermeture && barres[bout + 1].volta);
    }
  }
  return barres;
}

// Unrolls the repeats of the whole song.
//
// Every repeat-close goes back to r: the last repeat-open, or the bar after the last repeat-close
// passed on or after the last group of endings left, whichever came last (bar 1 at first):
// "||: 1 2 :|| 3 4 :|| 5" sounds 1 2 1 2 3 4 3 4 5, and "1 [1. 2 :|| [2. 3  4 [1. 5 :|| [2. 6"
// sounds 1 2 1 3 4 5 4 6. A plain repeat-close jumps back as often as it says, then is passed on.
// A group of endings owns its count j of endings played: each pass through it plays the next
// ending whose number is above j and skips the others, and the close of an ending that sounded
// goes back to r, once, whatever its count: "1 [1. 2 :|| [2. 3 :|| 4" sounds 1 2 1 3 1 4. The
// count starts afresh when the walk leaves the group forward, past its last ending, closed or not.
// j is above 0 only within a group or on the way back to it, where no repeat-open is reached for
// the first time and no repeat-close is passed on, so it is 0 at those too: no later group
// inherits a count.
//
// Why it ends: the walk never stands before r, and r only moves to the bar the walk stands on or
// the next one, so r never moves back, a bar r has passed is never walked again, and r moves at
// most nb times. While r stands still, jumps are finitely many: a plain close jumps at most its
// count, and once passed on has moved r past itself; every other jump is the close of an ending
// that sounded, which raised j; j falls back to 0 only where a group is left forward, which moves
// r, and an ending sounds only while its number is above j, so those are at most 255. And once
// the first repeat-close at or after a bar has jumped back over it all it can (a plain close its
// count, a group's endings at most 255 times), r stands past that bar: no bar is walked more than
// 256 times.
std::vector<int32_t> Derouler(const TPartition& partition, bool avecRepetitions, int32_t* interrompue) {
  std::vector<int32_t> ordre;
  const int nb = partition.NbMesures;
  ordre.reserve(static_cast<size_t>(nb) * 2);
  if (!avecRepetitions) {
    for (int c = 1; c <= nb && partition.Mesure(c); ++c) ordre.push_back(c);
    return ordre;
  }
  const std::vector<TBarre> barres = LireBarres(partition);
  std::vector<uint8_t> sauts(barres.size(), 0);  // jumps made so far by each plain repeat-close
  const size_t pasMax = static_cast<size_t>(nb) * PAS_PAR_MESURE_MAX;
  int r = 1;
  int j = 0;
  bool joue = true;  // the ending being walked sounds on this pass
  size_t pas = 0;
  for (int c = 1; c <= nb;) {
    if (pas++ >= pasMax) {
      if (interrompue) *interrompue = c;
      break;
    }
    if (!partition.Mesure(c)) break;
    const TBarre& b = barres[static_cast<size_t>(c)];
    if (b.ouvre) r = c;
    if (b.volta) {
      joue = b.numero > j;
      if (joue) ++j;
    }
    if (joue) ordre.push_back(c);
    if (b.boutVolta) {
      const bool saut = joue && b.ferme;
      joue = true;
      if (saut) {
        c = r;
        continue;
      }
    } else if (b.ferme) {
      uint8_t& faits = sauts[static_cast<size_t>(c)];
      if (faits < b.renvois) {
        ++faits;
        c = r;
        continue;
      }
      r = c + 1;
    }
    if (b.boutGroupe) {
      j = 0;
      r = c + 1;
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
