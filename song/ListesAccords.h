#pragma once
// The three chord lists: the library kept in the settings, the print list kept in the song file,
// and the chords already used in the song. Each is 1-based, [1..Nb].
#include <cstdint>
#include <memory>

#include "song/ChordRecord.h"

constexpr int NB_ACCORDS_LIBRAIRIE_MAX = 200;
constexpr int NB_ACCORDS_IMPRIMER_MAX = 50;
constexpr int NB_ACCORDS_UTILISES_MAX = 700;
extern std::unique_ptr<TAccord> AccordsLibrairie[NB_ACCORDS_LIBRAIRIE_MAX + 1];
extern int32_t NbAccordsLibrairie;
extern std::unique_ptr<TAccord> AccordsImprimer[NB_ACCORDS_IMPRIMER_MAX + 1];
extern int32_t NbAccordsImprimer;
extern std::unique_ptr<TAccord> AccordsDejaUtilises[NB_ACCORDS_UTILISES_MAX + 1];
extern int32_t NbAccordsDejaUtilises;

// Frees the records of a chord list and empties it.
void ViderListeAccords(std::unique_ptr<TAccord>* liste, int32_t& nb);
