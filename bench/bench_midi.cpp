#include <benchmark/benchmark.h>

#include <memory>

#include "song/Song.h"
#include "editor/Saisie.h"
#include "editor/state/Partition.h"
#include "midi/EcritureMIDI.h"
#include "settings/Config.h"

// A full song: 1000 measures, 8 tracks, eight eighth-note chords a measure with a few effects.
static void MorceauComplet() {
  NouvellePartition();
  for (int m = 1; m <= NB_MESURES_MAX; ++m) {
    Partition.Mesures[m] = std::make_unique<TMesure>();
    TMesure& mes = *Partition.Mesures[m];
    for (int p = 1; p <= NB_PISTES; ++p) {
      mes.NbTemps[p] = 8;
      for (int b = 1; b <= 8; ++b) {
        TTemps& t = mes.Temps[p][b];
        ViderTemps(t);
        t.Duree = 240;
        for (int s = 1; s <= 6; ++s) t.Notes[s].Frette = static_cast<int8_t>((m + b + s) % 12);
        if (b == 3) t.Notes[2].Effet = 3;
        if (b == 5) t.Notes[1].Effet = 5;
        if (b == 7) t.EffetTemps = 1;
        if (b == 1 && m % 16 == 0) t.MixTable.emplace().Volume = static_cast<int8_t>(60 + m % 40);
      }
    }
  }
  Partition.NbMesures = NB_MESURES_MAX;
  Configuration.ExportEffects = true;
  Configuration.ExportRepeats = true;
}

static void BM_ExportMIDI1000Mesures(benchmark::State& state) {
  MorceauComplet();
  size_t octets = 0;
  for (auto _ : state) {
    CalculeOrdreLecture(1, Partition.NbMesures, Configuration.ExportRepeats);
    std::vector<uint8_t> f = ConstruireFichierMIDI(MODE_MIDI_EXPORT);
    octets = f.size();
    benchmark::DoNotOptimize(f.data());
  }
  state.counters["octets"] = static_cast<double>(octets);
  state.counters["entrees"] = NbOrdreLecture;
}
BENCHMARK(BM_ExportMIDI1000Mesures)->Unit(benchmark::kMillisecond);

static void BM_OrdreLecture1000Mesures(benchmark::State& state) {
  MorceauComplet();
  for (auto _ : state) benchmark::DoNotOptimize(CalculeOrdreLecture(600, Partition.NbMesures, true));
}
BENCHMARK(BM_OrdreLecture1000Mesures)->Unit(benchmark::kMicrosecond);
