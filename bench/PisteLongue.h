#pragma once
// What the score-view and print benchmarks start from: an application object (text measuring needs
// one; the bench runs without a display) and a 1000-measure song whose track 1 holds eight eighths a
// measure, one note each, and with `accordsGraves` a second note on the first eighth of each half.
#include <QGuiApplication>
#include <memory>

#include "editor/state/EtatEdition.h"
#include "editor/state/Partition.h"
#include "song/Song.h"

inline void ApplicationDeBanc() {
  static int argc = 1;
  static char nom[] = "vexo_bench";
  static char* argv[] = {nom, nullptr};
  static QGuiApplication* app = [] {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    return new QGuiApplication(argc, argv);
  }();
  (void)app;
}

inline void PisteLongue(bool accordsGraves) {
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
      if (accordsGraves && b % 4 == 1) t.Notes[4].Frette = 2;
    }
  }
}
