#pragma once
// Song builders and a MIDI file checker shared by the MIDI tests.
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>
#include <memory>
#include <vector>

#include "song/Song.h"
#include "editor/state/EtatEdition.h"
#include "editor/state/Partition.h"
#include "settings/Config.h"

namespace midi_test {

// A song of n empty 4/4 measures.
inline void NouveauMorceau(int n) {
  NouvellePartition();
  for (int m = 1; m <= n; ++m) {
    Partition.Mesures[m] = std::make_unique<TMesure>();
    for (int p = 1; p <= NB_PISTES; ++p) Partition.Mesures[m]->NbTemps[p] = 0;
  }
  Partition.NbMesures = n;
  Partition.MesureCourante = 1;
  Curseur.Temps = 1;
  PisteCourante = 1;
}

// Appends a beat; a fret >= 0 puts a note on the string.
inline TTemps& AjouterTemps(int piste, int m, int duree, int corde = 0, int frette = FRETTE_AUCUNE) {
  TMesure& mes = *Partition.Mesures[m];
  TTemps& t = mes.Temps[piste][++mes.NbTemps[piste]];
  ViderTemps(t);
  t.Duree = duree;
  if (corde > 0) t.Notes[corde].Frette = static_cast<int8_t>(frette);
  if (corde == 0) t.Silence = 1;
  return t;
}

inline void OptionsNeutres() {
  Configuration = TCONFIG{};
  Configuration.PlayEffects = Configuration.ExportEffects = true;
  Configuration.PlayRepeats = Configuration.ExportRepeats = true;
  Configuration.MetronomeVolume = 95;
}

struct TEvt {
  int piste;
  long temps;
  QString type;
  QStringList args;
};

// The file as midicsv reads it; also checks that csvmidi writes back the same bytes.
struct TLecture {
  std::vector<TEvt> evts;
  bool allerRetour = false;
  QString csv;

  std::vector<TEvt> De(const QString& type, int piste = -1) const {
    std::vector<TEvt> r;
    for (const auto& e : evts)
      if (e.type == type && (piste < 0 || e.piste == piste)) r.push_back(e);
    return r;
  }
};

inline TLecture Lire(const std::vector<uint8_t>& octets) {
  TLecture r;
  QTemporaryDir dir;
  const QString mid = dir.filePath("out.mid"), rt = dir.filePath("rt.mid");
  QFile f(mid);
  f.open(QIODevice::WriteOnly);
  f.write(reinterpret_cast<const char*>(octets.data()), static_cast<qint64>(octets.size()));
  f.close();
  QProcess p;
  p.start("midicsv", {mid});
  p.waitForFinished(30000);
  r.csv = QString::fromLatin1(p.readAllStandardOutput());
  if (p.exitCode() != 0) return r;
  QProcess q;
  q.start("csvmidi", {"-x", "-", rt});  // every event with its status byte, as the writer makes them
  q.waitForStarted();
  q.write(r.csv.toLatin1());
  q.closeWriteChannel();
  q.waitForFinished(30000);
  QFile g(rt);
  if (q.exitCode() == 0 && g.open(QIODevice::ReadOnly)) {
    QByteArray b = g.readAll();
    r.allerRetour = b == QByteArray(reinterpret_cast<const char*>(octets.data()), static_cast<qsizetype>(octets.size()));
    if (!r.allerRetour && qEnvironmentVariableIsSet("VEXO_GARDER_MIDI")) { QFile::copy(mid, "/tmp/out.mid"); QFile::copy(rt, "/tmp/rt.mid"); }
  }
  for (const QString& ligne : r.csv.split('\n', Qt::SkipEmptyParts)) {
    QStringList c = ligne.split(", ");
    if (c.size() < 3) continue;
    TEvt e{c[0].toInt(), c[1].toLong(), c[2].trimmed(), c.mid(3)};
    for (auto& a : e.args) a = a.trimmed();
    r.evts.push_back(e);
  }
  return r;
}

}  // namespace midi_test
