#include <benchmark/benchmark.h>

#include <memory>

#include "midi/ImportMIDI.h"
#include "tests/midi/smf_outils.h"

// Files just under the note-list cap: 4999 four-note chords or 3333 six-note chords of an eighth,
// back to back (the closing rest takes the last entry).
static QByteArray FichierBench(int taille) {
  return taille == 4 ? smf::Accords(4999, 4, 240) : smf::Accords(3333, 6, 240);
}

static void BM_ImportLecture(benchmark::State& state) {
  const QByteArray b = FichierBench(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    TFichierMIDI f;
    AnalyserFichierMIDI(b, f, "Track", "-");
    TListeNotesImport l;
    LireSourceMIDI(f, f.Sources[0], 0, l);
    benchmark::DoNotOptimize(l.Notes.data());
  }
}

static void BM_ImportQuantification(benchmark::State& state) {
  TFichierMIDI f;
  AnalyserFichierMIDI(FichierBench(static_cast<int>(state.range(0))), f, "Track", "-");
  TListeNotesImport lue;
  LireSourceMIDI(f, f.Sources[0], 0, lue);
  for (auto _ : state) {
    state.PauseTiming();
    auto p = std::make_unique<TPartition>();
    PartitionImportVide(*p, "Drums");
    AppliquerConducteur(*p, f);
    TListeNotesImport l = lue;
    TRapportImport r;
    state.ResumeTiming();
    NettoyerFinListeNotes(l);
    QuantifierListeNotes(l, 4);
    CreerPartitionImport(*p, 1, l, r);
    for (int m = 1; m <= p->NbMesures; ++m) CompleterMesure(*p, 1, m, &r);
    state.PauseTiming();
    p.reset();
    state.ResumeTiming();
  }
}

static void BM_ImportDoigte(benchmark::State& state) {
  TFichierMIDI f;
  AnalyserFichierMIDI(FichierBench(static_cast<int>(state.range(0))), f, "Track", "-");
  TListeNotesImport l;
  LireSourceMIDI(f, f.Sources[0], 0, l);
  auto p = std::make_unique<TPartition>();
  PartitionImportVide(*p, "Drums");
  AppliquerConducteur(*p, f);
  TRapportImport r;
  NettoyerFinListeNotes(l);
  QuantifierListeNotes(l, 4);
  CreerPartitionImport(*p, 1, l, r);
  for (auto _ : state) PlacerDoigts(*p, 1, TPoidsDoigts(), &r);
}

BENCHMARK(BM_ImportLecture)->Arg(4)->Arg(6)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ImportQuantification)->Arg(4)->Arg(6)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ImportDoigte)->Arg(4)->Arg(6)->Unit(benchmark::kMillisecond);
