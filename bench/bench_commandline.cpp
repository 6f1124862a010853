#include <benchmark/benchmark.h>

#include <QString>

#include "components/VxUtils.h"

// A start-up sound setting of n one-letter parameters (2n characters), split as the splash and the
// preferences' browse button split it. The time grows with n, not with its square.
static void BM_SplitProgramAndParams(benchmark::State& state) {
  QString line;
  for (int64_t i = 0; i < state.range(0); ++i) line += QStringLiteral("a ");
  for (auto _ : state) {
    auto split = SplitProgramAndParams(line);
    benchmark::DoNotOptimize(split);
  }
  state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_SplitProgramAndParams)->RangeMultiplier(4)->Range(500, 32000)->Complexity(benchmark::oN);
