// Printing: the millimetre layout of a 1000-measure track into pages, and drawing one page on a
// 300 dpi image.
#include <benchmark/benchmark.h>

#include <QImage>

#include "PisteLongue.h"
#include "settings/Config.h"
#include "settings/ConfigFile.h"
#include "song/Song.h"
#include "view/ImpressionPartition.h"
#include "view/MiseEnPageImp.h"

namespace {

void PreparerImpression() {
  ApplicationDeBanc();
  ZoneImpressionParDefaut(ZoneImpression);
  ChargerPolices();
  CalculeParamImpression();
  PisteLongue(false);
}

void BM_MiseEnPageImpression1000(benchmark::State& state) {
  PreparerImpression();
  int pages = 0;
  for (auto _ : state) {
    const TMiseEnPageImp mp = MiseEnPageCourante({210, 297, 300});
    pages = mp.NbPages();
    benchmark::DoNotOptimize(pages);
  }
  state.counters["pages"] = pages;
}
BENCHMARK(BM_MiseEnPageImpression1000)->Unit(benchmark::kMillisecond);

void BM_DessinerPage300dpi(benchmark::State& state) {
  PreparerImpression();
  const TMiseEnPageImp mp = MiseEnPageCourante({210, 297, 300});
  QImage image(2480, 3508, QImage::Format_RGB32);
  for (auto _ : state) benchmark::DoNotOptimize(DessinerPageApercu(image, mp, 2));
}
BENCHMARK(BM_DessinerPage300dpi)->Unit(benchmark::kMillisecond);

}  // namespace
