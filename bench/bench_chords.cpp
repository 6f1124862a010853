#include <benchmark/benchmark.h>

#include <chrono>

#include "chords/Doigtes.h"

namespace {

constexpr int32_t kStandard[7] = {0, 64, 59, 55, 50, 45, 40};

TRechercheDoigtes Recherche(int racine, int typ, int ext, int mode) {
  TChoixAccord choix;
  choix.Fondamentale = racine;
  choix.Typ = typ;
  choix.NeufOnzeTreize = ext;
  TEtatDegres e = CalculerDegres(choix);
  TRechercheDoigtes r;
  r.Notes = NotesDoigtes(e, e.DegreCoche);
  r.Basse = racine;
  r.Typ = e.Choix.Typ;
  r.Mode = mode;
  r.Accordage = kStandard;
  return r;
}

}  // namespace

// Every root, type, extension and mode of the chord dialog, on standard tuning with the root as
// bass. The counters give the slowest single search and the chord it was for.
static void BM_ChercherDoigtesTous(benchmark::State& state) {
  double pire = 0;
  int pireCas = -1;
  size_t solutions = 0;
  for (auto _ : state) {
    for (int racine = 0; racine < 12; ++racine)
      for (int typ = 0; typ < 15; ++typ)
        for (int ext = 0; ext < 4; ++ext)
          for (int mode = 0; mode < 3; ++mode) {
            TRechercheDoigtes r = Recherche(racine, typ, ext, mode);
            auto t0 = std::chrono::steady_clock::now();
            TResultatDoigtes res = ChercherDoigtes(r);
            double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0).count();
            solutions += res.Solutions.size();
            if (ms > pire) {
              pire = ms;
              pireCas = ((racine * 15 + typ) * 4 + ext) * 3 + mode;
            }
          }
  }
  benchmark::DoNotOptimize(solutions);
  state.counters["worst_ms"] = pire;
  state.counters["worst_root"] = pireCas / 180;
  state.counters["worst_type"] = pireCas / 12 % 15;
  state.counters["worst_ext"] = pireCas / 3 % 4;
  state.counters["worst_mode"] = pireCas % 3;
  state.counters["searches"] = benchmark::Counter(12 * 15 * 4 * 3, benchmark::Counter::kIsIterationInvariant);
}
BENCHMARK(BM_ChercherDoigtesTous)->Unit(benchmark::kMillisecond)->Iterations(1);
