// Save and open of the largest song the editor holds: 1000 measures, 8 tracks, 64 beats each.
#include <benchmark/benchmark.h>

#include <QTemporaryDir>

#include "song/Song.h"
#include "editor/state/EtatProgramme.h"
#include "editor/Saisie.h"
#include "editor/state/Partition.h"
#include "files/FichierSqt.h"
#include "settings/Mess.h"

namespace {

void ConstruireGrandeChanson() {
  NouvellePartition();
  Partition.NbMesures = NB_MESURES_MAX;
  for (int m = 1; m <= NB_MESURES_MAX; ++m) {
    if (!Partition.Mesures[m]) Partition.Mesures[m] = std::make_unique<TMesure>();
    TMesure& M = *Partition.Mesures[m];
    M.Numerateur = 16;
    M.Denominateur = 4;
    M.Duree = 16.0;
    for (int p = 1; p <= NB_PISTES; ++p) {
      M.NbTemps[p] = NB_TEMPS_MAX;
      M.DureeRemplie[p] = 16.0;
      for (int b = 1; b <= NB_TEMPS_MAX; ++b) {
        TTemps& t = M.Temps[p][b];
        t = TTemps{};
        t.Duree = 120;
        t.CodeDuree = 2;
        for (int s = 1; s <= 6; ++s) {
          t.Notes[s].Frette = int8_t((m + b + s) % 20);
          t.Notes[s].Effet = int8_t(b % 8);
          t.Notes[s].Bend = 1.5;
        }
        if (b % 16 == 1) {
          t.AvecAccord = 1;
          TAccord& a = t.Accord.emplace();
          a.Nom = "Am7";
          a.Fondamentale = 9;
          for (int s = 1; s <= 6; ++s) a.Frettes[s] = s % 3;
        }
        if (b % 32 == 1) t.MixTable.emplace().Volume = 90;
        if (b % 8 == 1) t.Texte = "annotation";
      }
      PreparerTempsSaisiePiste(p, m);
    }
  }
}

struct Fixture {
  QTemporaryDir dir;
  QByteArray octets;
  Fixture() {
    InstallerReponseMessage([](const TDemandeMessage&) { return int(ID_OK); });
    ConstruireGrandeChanson();
    octets = OctetsPartition();
    QString cle;
    if (!LireOctetsPartition(octets, cle)) qFatal("the full song does not read back: %s", qPrintable(cle));
    ConstruireGrandeChanson();
    CheminFichier = dir.filePath("big.sqt");
  }
};

Fixture& F() {
  static Fixture f;
  return f;
}

void BM_SaveFullSong(benchmark::State& state) {
  Fixture& f = F();
  ConstruireGrandeChanson();
  CheminFichier = f.dir.filePath("big.sqt");
  for (auto _ : state) benchmark::DoNotOptimize(EnregistrerFichier());
  state.counters["bytes"] = double(f.octets.size());
}
BENCHMARK(BM_SaveFullSong)->Unit(benchmark::kMillisecond);

void BM_OpenFullSong(benchmark::State& state) {
  Fixture& f = F();
  ConstruireGrandeChanson();
  CheminFichier = f.dir.filePath("big.sqt");
  EnregistrerFichier();
  for (auto _ : state) {
    NouvellePartition();
    CheminFichier = f.dir.filePath("big.sqt");
    benchmark::DoNotOptimize(OuvrirFichier());
  }
}
BENCHMARK(BM_OpenFullSong)->Unit(benchmark::kMillisecond);

void BM_BytesOfFullSong(benchmark::State& state) {
  F();
  ConstruireGrandeChanson();
  for (auto _ : state) benchmark::DoNotOptimize(OctetsPartition());
}
BENCHMARK(BM_BytesOfFullSong)->Unit(benchmark::kMillisecond);

void BM_ParseFullSong(benchmark::State& state) {
  Fixture& f = F();
  for (auto _ : state) {
    NouvellePartition();
    QString cle;
    benchmark::DoNotOptimize(LireOctetsPartition(f.octets, cle));
  }
}
BENCHMARK(BM_ParseFullSong)->Unit(benchmark::kMillisecond);

}  // namespace

namespace {

// The floor under opening a full song: resetting the song and allocating its 1000 measure records,
// without reading anything.
void BM_AllocateMeasuresOnly(benchmark::State& state) {
  F();
  for (auto _ : state) {
    NouvellePartition();
    for (int m = 2; m <= NB_MESURES_MAX; ++m) Partition.Mesures[m].reset(new TMesure);
    benchmark::DoNotOptimize(Partition.Mesures[NB_MESURES_MAX].get());
  }
  state.counters["measure_bytes"] = double(sizeof(TMesure));
}
BENCHMARK(BM_AllocateMeasuresOnly)->Unit(benchmark::kMillisecond);

}  // namespace
