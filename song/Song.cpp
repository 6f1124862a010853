#include "song/Song.h"

#include <algorithm>
#include <cassert>
#include <cmath>
#include <type_traits>

TPartition Partition;

const TTemps& TBeatSlots::Blank() {
  static const TTemps vide;
  return vide;
}

void TBeatSlots::Reserve(int first, int last) {
  assert(first >= 0 && first <= last);
  const auto debut = static_cast<size_t>(first), fin = static_cast<size_t>(last);
  if (fin >= slots_.size()) {
    // Room for the slots up to the next power of two at once: beats are added one after another.
    size_t taille = std::max<size_t>(slots_.size(), 4);
    while (taille <= fin) taille *= 2;
    slots_.resize(std::min<size_t>(taille, std::max<size_t>(fin + 1, NB_SLOTS_TEMPS + 1)));
  }
  size_t manquants = 0;
  for (size_t i = debut; i <= fin; ++i) manquants += slots_[i] ? 0 : 1;
  if (manquants == 0) return;
  blocs_.push_back(std::make_unique<TTemps[]>(manquants));
  TTemps* t = blocs_.back().get();
  for (size_t i = debut; i <= fin; ++i)
    if (!slots_[i]) slots_[i] = t++;
}

// Slot by slot into the slots already made, so that references into this track stay valid; a slot
// the source never made is blank, so a held one here becomes blank too.
template <class Source>
void TBeatSlots::Assign(Source&& o) {
  // The slots the source holds and this track lacks, in one block.
  size_t manquants = 0, dernier = 0;
  for (size_t i = 0; i < o.slots_.size(); ++i)
    if (o.slots_[i] && !Holds(static_cast<int>(i))) {
      ++manquants;
      dernier = i;
    }
  if (manquants > 0) {
    if (dernier >= slots_.size()) slots_.resize(std::max(dernier + 1, std::min<size_t>(o.slots_.size(), NB_SLOTS_TEMPS + 1)));
    blocs_.push_back(std::make_unique<TTemps[]>(manquants));
    TTemps* t = blocs_.back().get();
    for (size_t i = 0; i <= dernier; ++i)
      if (o.slots_[i] && !slots_[i]) slots_[i] = t++;
  }
  const size_t n = std::max(slots_.size(), o.slots_.size());
  for (size_t i = 0; i < n; ++i) {
    const bool source = i < o.slots_.size() && o.slots_[i];
    if (source) {
      if constexpr (std::is_const_v<std::remove_reference_t<Source>>)
        (*this)[static_cast<int>(i)] = *o.slots_[i];
      else
        (*this)[static_cast<int>(i)] = std::move(*o.slots_[i]);
    } else if (i < slots_.size() && slots_[i]) {
      *slots_[i] = TTemps{};
    }
  }
}

int32_t TicksDuree(int codeDuree, bool pointee, bool triolet) {
  // 64th = 30 ticks; every step down doubles.
  int32_t t = 30 << (4 - codeDuree);
  if (pointee) t = t * 3 / 2;
  if (triolet) t = t * 2 / 3;
  return t;
}

int32_t TicksMesure(const TMesure& m) { return static_cast<int32_t>(std::lrint(m.Duree * TICKS_NOIRE)); }

void EffacerNote(TNote& n) {
  n.Frette = FRETTE_AUCUNE;
  n.Effet = 0;
  n.Bend = 1.0;
  n.Nuance = 6;
}

void ViderTemps(TTemps& t) {
  t.Silence = 0;
  t.Lie = 0;
  t.EffetTemps = 0;
  t.CoupVibrato = 1.0;
  t.Brush = 0;
  t.AvecAccord = 0;
  t.Accord.reset();
  t.MixTable.reset();
  t.Texte.clear();
  for (int s = 1; s <= NB_CORDES_MAX; ++s) {
    EffacerNote(t.Notes[s]);
    t.Notes[s].FretteGrace = FRETTE_AUCUNE;
  }
}

void LibererPartition() {
  for (auto& m : Partition.Mesures) m.reset();
}

template void TBeatSlots::Assign<const TBeatSlots&>(const TBeatSlots&);
template void TBeatSlots::Assign<TBeatSlots>(TBeatSlots&&);
