// The score view: layout of a 1000-measure track, relayout after one edit, drawing one band, and
// scrolling the whole song by pages (counting the lines drawn).
#include <benchmark/benchmark.h>

#include <QImage>

#include "PisteLongue.h"
#include "platform/Canvas.h"
#include "settings/Config.h"
#include "settings/ConfigFile.h"
#include "song/Song.h"
#include "view/DessinVue.h"
#include "view/MiseEnPageVue.h"

namespace {

// The score view of the long track, laid out in bands of the default screen settings.
void PreparerVue() {
  ApplicationDeBanc();
  ParamEcranParDefaut(ParamEcran, false);
  InitParamEcran(ParamEcran);
  ChargerPolices();
  PisteLongue(true);
  VuePartition = TVuePartition{};
  DimensionnerBandes(VuePartition, ParamEcran, 6, 1006, 600, 900);
}

void BM_CalculerLignes1000(benchmark::State& state) {
  PreparerVue();
  for (auto _ : state) {
    CalculerLignes();
    benchmark::DoNotOptimize(VuePartition.NbLignes);
  }
  state.counters["lignes"] = VuePartition.NbLignes;
}
BENCHMARK(BM_CalculerLignes1000)->Unit(benchmark::kMicrosecond);

void BM_RafraichirMesureModifiee(benchmark::State& state) {
  PreparerVue();
  CalculerLignes();
  // The changed line is drawn into a band image, as the window does.
  QImage img(VuePartition.LargeurBande + 6, VuePartition.HauteurBande, QImage::Format_RGB32);
  TCanvas c(&img);
  auto dessiner = [&](int l) { DessinerLigne(c, VuePartition, Partition, 1, l, img.width(), img.height()); };
  int dessins = 0;
  for (auto _ : state) {
    Partition.Mesures[10]->Temps[1][3].Notes[2].Frette ^= 1;  // a measure whose line has a band
    dessins += static_cast<int>(RafraichirMesureModifiee(Partition, 1, 10, dessiner).size());
  }
  state.counters["lignes_redessinees"] = benchmark::Counter(dessins, benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_RafraichirMesureModifiee)->Unit(benchmark::kMicrosecond);

void BM_DessinerUneBande(benchmark::State& state) {
  PreparerVue();
  CalculerLignes();
  QImage img(VuePartition.LargeurBande + 6, VuePartition.HauteurBande, QImage::Format_RGB32);
  TCanvas c(&img);
  for (auto _ : state) DessinerLigne(c, VuePartition, Partition, 1, 3, img.width(), img.height());
}
BENCHMARK(BM_DessinerUneBande)->Unit(benchmark::kMicrosecond);

void BM_DefilerParPages(benchmark::State& state) {
  PreparerVue();
  CalculerLignes();
  int dessins = 0;
  for (auto _ : state) {
    dessins = 0;
    VuePartition.BandeHaut = VuePartition.PremiereLigne = 1;
    const int fin = VuePartition.NbLignes * VuePartition.HauteurBande;
    for (int p = 0; p <= fin; p += 600) DefilerVuePartition(VuePartition, p, [&](int) { ++dessins; });
  }
  state.counters["lignes"] = VuePartition.NbLignes;
  state.counters["lignes_dessinees"] = dessins;
}
BENCHMARK(BM_DefilerParPages)->Unit(benchmark::kMicrosecond);

}  // namespace
