#include "song/ListesAccords.h"

std::unique_ptr<TAccord> AccordsLibrairie[NB_ACCORDS_LIBRAIRIE_MAX + 1];
int32_t NbAccordsLibrairie = 0;
std::unique_ptr<TAccord> AccordsImprimer[NB_ACCORDS_IMPRIMER_MAX + 1];
int32_t NbAccordsImprimer = 0;
std::unique_ptr<TAccord> AccordsDejaUtilises[NB_ACCORDS_UTILISES_MAX + 1];
int32_t NbAccordsDejaUtilises = 0;

void ViderListeAccords(std::unique_ptr<TAccord>* liste, int32_t& nb) {
  for (int i = 0; i <= nb; ++i) liste[i].reset();
  nb = 0;
}
