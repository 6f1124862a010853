#pragma once
// Runs the one-operation helper (bench/outils/vexo_mesure.cpp) in a new process and reads back the
// time of its operation and its resident memory after it; keeps the reference files of those runs.
#include <QString>
#include <QStringList>

struct TSortieMesure {
  double ms = -1;  // the operation, as the child timed it
  long rssKo = 0;  // resident memory of the child after it
};

// vexo_mesure with these arguments; ms < 0 when it failed.
TSortieMesure LancerMesure(const QStringList& arguments);
// The reference song ("song"), the largest song ("songmax") or the reference MIDI source ("midi"),
// written once per benchmark run.
QString FichierReference(const char* genre);
// A path in the run's scratch folder.
QString FichierTemporaire(const QString& nom);
