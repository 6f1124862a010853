// Printing: the millimetre layout of a 1000-measure track into pages, and drawing one page on a
// 300 dpi image.
#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QImage>

#include "editor/state/EtatEdition.h"
#include "editor/Saisie.h"
#include "editor/state/Partition.h"
#include "settings/Config.h"
#include "settings/ConfigFile.h"
#include "song/Song.h"
#include "view/ImpressionPartition.h"
#include "view/MiseEnPageImp.h"

namespace {

void PreparerImpression() {
  static int argc = 1;
  static char nom[] = "vexo_bench";
  static char* argv[] = {nom, nullptr};
  static QGuiApplication* app = [] {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    return new QGuiApplication(argc, argv);
  }();
  (void)app;
  ZoneImpressionParDefaut(ZoneImpression);
  ChargerPolices();
  CalculeParamImpression();
  NouvellePartition();
  PisteCourante = 1;
  Partition.NbMesures = NB_MESURES_MAX;
  for (int m = 1; m <= NB_MESURES_MAX; ++m) {
    if (!Partition.Mesures[m]) Partition.Mesures[m] = std::make_unique<TMesure>();
    TMesure& M = *Partition.Mesures[m];
    M.NbTemps[1] = 8;
    for (int b = 1; b <= 8; ++b) {
      TTemps& t = M.Temps[1][b];
      ViderTemps(t);
      t.CodeDuree = 1;
      t.Duree = 240;
      t.Notes[1 + (b + m) % 6].Frette = static_cast<int8_t>((b * m) % 13);
    }
  }
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
