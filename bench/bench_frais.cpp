// What a user waits for in a freshly started editor, each run in a new process (the helper
// vexo_mesure), on the reference song (1000 measures, 8 tracks of 8 beats with 1-3 notes, effects,
// a chord every 4 measures, a text every 8) and the reference MIDI source (19 998 notes in one
// track). The time is the child's own time of the operation; the counter target_ms is the written
// target, rss_MB the child's resident memory after the operation.
#include <benchmark/benchmark.h>

#include "lancement.h"

namespace {

void Mesurer(benchmark::State& state, const QStringList& arguments, double cibleMs) {
  if (arguments.contains(QString())) {
    state.SkipWithError("the reference file could not be written");
    return;
  }
  long rss = 0;
  for (auto _ : state) {
    const TSortieMesure m = LancerMesure(arguments);
    if (m.ms < 0) {
      state.SkipWithError("the helper failed");
      return;
    }
    state.SetIterationTime(m.ms / 1000.0);
    rss = m.rssKo;
  }
  state.counters["target_ms"] = cibleMs;
  state.counters["rss_MB"] = rss / 1024.0;
}

// Target: under 40 ms.
void BM_FreshOpenSong(benchmark::State& state) {
  Mesurer(state, {QStringLiteral("open"), FichierReference("song")}, 40);
}
// The largest song the editor holds (64 beats of 6 notes on every track of 1000 measures, 11 MB).
// Target: under 150 ms.
void BM_FreshOpenLargestSong(benchmark::State& state) {
  Mesurer(state, {QStringLiteral("open"), FichierReference("songmax")}, 150);
}
// Target: under 40 ms.
void BM_FreshSaveSong(benchmark::State& state) {
  Mesurer(state, {QStringLiteral("save"), FichierReference("song"), FichierTemporaire(QStringLiteral("copie.sqt"))}, 40);
}
// Target: under 60 ms.
void BM_FreshExportMIDI(benchmark::State& state) {
  Mesurer(state, {QStringLiteral("export"), FichierReference("song"), FichierTemporaire(QStringLiteral("export.mid"))},
          60);
}
// Target: under 150 ms, from the file to the fingered track.
void BM_FreshImportMIDI(benchmark::State& state) {
  Mesurer(state, {QStringLiteral("import"), FichierReference("midi")}, 150);
}

}  // namespace

#define FRAIS(nom) \
  BENCHMARK(nom)->UseManualTime()->Iterations(1)->Repetitions(7)->ReportAggregatesOnly(true)->Unit(benchmark::kMillisecond)

FRAIS(BM_FreshOpenSong);
FRAIS(BM_FreshOpenLargestSong);
FRAIS(BM_FreshSaveSong);
FRAIS(BM_FreshExportMIDI);
FRAIS(BM_FreshImportMIDI);
