#include <benchmark/benchmark.h>

#include "song/Song.h"

static void BM_CopyMeasure(benchmark::State& state) {
  TMesure a;
  for (auto _ : state) {
    TMesure b = a;
    benchmark::DoNotOptimize(b.Duree);
  }
}
BENCHMARK(BM_CopyMeasure);

BENCHMARK_MAIN();
