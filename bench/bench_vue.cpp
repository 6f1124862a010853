// The score view: layout of a 1000-measure track, relayout after one edit, drawing one band,
// scrolling the whole song by pages, a jump from the first line to the last and a resize at the
// last bar beside the drawing of one screen of bands (counting the lines drawn).
#include <benchmark/benchmark.h>

#include <QImage>
#include <chrono>
#include <functional>

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

// The score panel of an 800x600 window (its bands, its visible height) over the first `mesures`
// measures of the long track, laid out.
void PreparerFenetre(int mesures) {
  PreparerVue();
  Partition.NbMesures = mesures;
  Partition.MesureCourante = 1;
  DimensionnerBandes(VuePartition, ParamEcran, 6, 776, 300, 500);
  CalculerLignes();
}

// The ring of band images, each line drawn into the band that shows it, as the window does.
struct Anneau {
  QImage bandes[NB_BANDES_MAX + 1];
  int dessins = 0;
  void operator()(int ligne) {
    const TVuePartition& v = VuePartition;
    QImage& img = bandes[BandeDeLigne(v, ligne)];
    if (img.isNull()) img = QImage(v.LargeurBande + 6, v.HauteurBande, QImage::Format_RGB32);
    TCanvas c(&img);
    DessinerLigne(c, v, Partition, 1, ligne, img.width(), img.height());
    ++dessins;
  }
};

// Times an operation on the ring against drawing every band of the ring once, in turn: the time is
// the operation's; the counters are the lines it drew, one screen's time and the ratio of the two
// (target: at most 1.5, whatever the song's length).
template <class Operation>
void ContreUnEcran(benchmark::State& state, Operation operation) {
  using Horloge = std::chrono::steady_clock;
  Anneau anneau;
  double duree = 0, ecran = 0;
  int dessins = 0;
  for (auto _ : state) {
    anneau.dessins = 0;
    const auto t0 = Horloge::now();
    operation(anneau);
    const auto t1 = Horloge::now();
    dessins += anneau.dessins;
    for (int i = 0; i < VuePartition.NbBandes; ++i) anneau(VuePartition.PremiereLigne + i);
    const auto t2 = Horloge::now();
    duree += std::chrono::duration<double>(t1 - t0).count();
    ecran += std::chrono::duration<double>(t2 - t1).count();
    state.SetIterationTime(std::chrono::duration<double>(t1 - t0).count());
  }
  const double n = static_cast<double>(state.iterations());
  state.counters["lignes"] = VuePartition.NbLignes;
  state.counters["lignes_dessinees"] = dessins / n;
  state.counters["ecran_ms"] = ecran / n * 1000;
  state.counters["ratio"] = duree / ecran;
  state.counters["target_ratio"] = 1.5;
}

// From the first line to the last in one move (the scroll bar dragged to its end, the last bar).
void BM_SautPremiereDerniere(benchmark::State& state) {
  PreparerFenetre(static_cast<int>(state.range(0)));
  ContreUnEcran(state, [](Anneau& anneau) {
    VuePartition.BandeHaut = VuePartition.PremiereLigne = 1;  // back at the top, as drawn before
    DefilerVuePartition(VuePartition, 0, std::ref(anneau));
    DefilerVuePartition(VuePartition, VuePartition.PositionMax, std::ref(anneau));
  });
}
BENCHMARK(BM_SautPremiereDerniere)->Arg(100)->Arg(1000)->UseManualTime()->Unit(benchmark::kMillisecond);

// A resize with the last bar current, as the window does it: the ring sized again (back to line 1),
// the score laid out and scrolled back to the bar, the bands drawn where the ring settles.
void BM_RedimensionnerALaFin(benchmark::State& state) {
  PreparerFenetre(static_cast<int>(state.range(0)));
  Partition.MesureCourante = Partition.NbMesures;
  ContreUnEcran(state, [](Anneau& anneau) {
    TDessinDiffere differe;
    auto noter = [&](int l) { differe.Noter(VuePartition, l); };
    DimensionnerBandes(VuePartition, ParamEcran, 6, 776, 300, 500);
    RafraichirVuePartition(Partition, 1, noter);
    DefilerVuePartition(VuePartition, PositionPourMesure(VuePartition, Partition.NbMesures, false, 1), noter);
    differe.Dessiner(VuePartition, std::ref(anneau));
  });
}
BENCHMARK(BM_RedimensionnerALaFin)->Arg(100)->Arg(1000)->UseManualTime()->Unit(benchmark::kMillisecond);

}  // namespace
