// One operation of the editor in a process of its own, so that it pays what a user pays in a freshly
// started editor: the first touch of every block it allocates. Prints "ms <time of the operation>"
// and "rss <kB resident after it>"; the benchmarks launch it once per run.
//   vexo_mesure song <file.sqt>     writes the reference song (not timed)
//   vexo_mesure songmax <file.sqt>  writes the largest song the editor holds (64 beats everywhere)
//   vexo_mesure midi <file.mid>     writes the reference MIDI source (not timed)
//   vexo_mesure open <file.sqt>     opens a song
//   vexo_mesure save <in> <out>     opens a song, then saves it under another name
//   vexo_mesure export <in> <out>   opens a song, then exports it as a MIDI file
//   vexo_mesure import <file.mid>   imports a MIDI file, file to fingered track
#include <QByteArray>
#include <QCoreApplication>
#include <QFile>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <memory>

#include "editor/state/EtatProgramme.h"
#include "editor/state/Proprietes.h"
#include "editor/Saisie.h"
#include "editor/state/Partition.h"
#include "files/FichierSqt.h"
#include "files/FileCommands.h"
#include "midi/ImportMIDI.h"
#include "settings/Config.h"
#include "settings/Mess.h"
#include "song/Song.h"
#include "tests/midi/smf_outils.h"

namespace {

// 1000 measures, 8 tracks of 8 eighths with 1-3 notes and some effects, a chord every 4 measures,
// a text every 8, a mix-table change every 16.
void ReferenceSong() {
  NouvellePartition();
  Partition.NbMesures = NB_MESURES_MAX;
  for (int m = 1; m <= NB_MESURES_MAX; ++m) {
    if (!Partition.Mesures[m]) Partition.Mesures[m] = std::make_unique<TMesure>();
    TMesure& M = *Partition.Mesures[m];
    for (int p = 1; p <= NB_PISTES; ++p) {
      M.NbTemps[p] = 8;
      M.DureeRemplie[p] = 4.0;
      for (int b = 1; b <= 8; ++b) {
        TTemps& t = M.Temps[p][b];
        ViderTemps(t);
        t.Duree = 240;
        t.CodeDuree = 1;
        const int notes = 1 + (m + b + p) % 3;
        for (int k = 0; k < notes; ++k) {
          const int s = 1 + (b + 2 * k + p) % 6;
          t.Notes[s].Frette = static_cast<int8_t>((m + b + s) % 15);
          if ((b + k) % 5 == 0) t.Notes[s].Effet = static_cast<int8_t>(1 + (m + b) % 7);
          if (t.Notes[s].Effet == 5 || t.Notes[s].Effet == 6) t.Notes[s].Bend = 1.0;
        }
        if (b == 7) t.EffetTemps = static_cast<int8_t>(1 + m % 4);
        if (b == 1 && p == 1 && m % 4 == 1) {
          t.AvecAccord = 1;
          TAccord& a = t.Accord.emplace();
          a.Nom = "Am7";
          a.Fondamentale = 9;
          for (int s = 1; s <= 6; ++s) a.Frettes[s] = static_cast<int8_t>(s % 3);
        }
        if (b == 1 && p == 1 && m % 8 == 1) t.Texte = "verse";
        if (b == 1 && p == 1 && m % 16 == 1) t.MixTable.emplace().Volume = 90;
      }
      PreparerTempsSaisiePiste(p, m);
    }
  }
}

// 1000 measures, 8 tracks of 64 sixty-fourths with 6 notes each.
void LargestSong() {
  NouvellePartition();
  Partition.NbMesures = NB_MESURES_MAX;
  for (int m = 1; m <= NB_MESURES_MAX; ++m) {
    if (!Partition.Mesures[m]) Partition.Mesures[m] = std::make_unique<TMesure>();
    TMesure& M = *Partition.Mesures[m];
    for (int p = 1; p <= NB_PISTES; ++p) {
      M.NbTemps[p] = NB_TEMPS_MAX;
      M.DureeRemplie[p] = 4.0;
      for (int b = 1; b <= NB_TEMPS_MAX; ++b) {
        TTemps& t = M.Temps[p][b];
        ViderTemps(t);
        t.Duree = 30;
        t.CodeDuree = 4;
        for (int s = 1; s <= 6; ++s) t.Notes[s].Frette = static_cast<int8_t>((m + b + s) % 20);
      }
      PreparerTempsSaisiePiste(p, m);
    }
  }
}

// One source of 19 998 notes: single notes, two- and three-note chords of an eighth, a quarter or a
// sixteenth, under the import's 20 000-note cap.
QByteArray ReferenceMidi() {
  smf::Piste c;
  c.Tempo(0, 500000).Signature(0, 4, 2).Fin();
  smf::Piste p;
  int notes = 0;
  for (int i = 0; notes + 3 <= 19998; ++i) {
    const int taille = 1 + i % 3;
    const uint32_t ticks = (i % 4 == 0) ? 480 : (i % 4 == 3 ? 120 : 240);
    auto cle = [i](int k) { return 45 + 5 * k + (i * 7) % 12; };
    for (int k = 0; k < taille; ++k) p.On(0, cle(k));
    for (int k = 0; k < taille; ++k) p.Off(k == 0 ? ticks : 0, cle(k));
    notes += taille;
  }
  p.Fin();
  return smf::Fichier(1, 480, {c, p});
}

long RssKo() {
  QFile f(QStringLiteral("/proc/self/status"));
  if (!f.open(QIODevice::ReadOnly)) return 0;
  for (const QByteArray& l : f.readAll().split('\n'))
    if (l.startsWith("VmRSS:")) return l.mid(6).trimmed().split(' ').value(0).toLong();
  return 0;
}

bool Ouvrir(const char* chemin) {
  NouvellePartition();
  CheminFichier = QString::fromLocal8Bit(chemin);
  return OuvrirFichier();
}

bool Importer(const char* chemin) {
  TFichierMIDI f;
  if (OuvrirFichierMIDI(QString::fromLocal8Bit(chemin), f, "Track", "-") != EErreurMIDI::Aucune) return false;
  auto p = std::make_unique<TPartition>();
  PartitionImportVide(*p, "Drums");
  TRapportImport rapport;
  AppliquerConducteur(*p, f);
  TProprietesTempo w;
  ProprietesImportDepuis(*p, w);
  w.PisteSource[1] = 1;
  CopierVersPartition(w, *p);
  TSuiviImport suivi;
  if (!ConstruireImport(f, w, *p, TPoidsDoigts(), rapport, suivi)) return false;
  NouvellePartition();
  Partition = std::move(*p);
  return Partition.NbMesures > 0;
}

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  InstallerReponseMessage([](const TDemandeMessage&) { return int(ID_OK); });
  if (argc < 3) return 2;
  const char* op = argv[1];
  using Horloge = std::chrono::steady_clock;
  Horloge::time_point debut, fin;
  bool ok = false;
  if (!std::strcmp(op, "song") || !std::strcmp(op, "songmax")) {
    if (!std::strcmp(op, "song"))
      ReferenceSong();
    else
      LargestSong();
    CheminFichier = QString::fromLocal8Bit(argv[2]);
    debut = Horloge::now();
    ok = EnregistrerFichier();
    fin = Horloge::now();
  } else if (!std::strcmp(op, "midi")) {
    QFile f(QString::fromLocal8Bit(argv[2]));
    const QByteArray b = ReferenceMidi();
    debut = Horloge::now();
    ok = f.open(QIODevice::WriteOnly) && f.write(b) == b.size();
    fin = Horloge::now();
  } else if (!std::strcmp(op, "open")) {
    debut = Horloge::now();
    ok = Ouvrir(argv[2]);
    fin = Horloge::now();
  } else if (!std::strcmp(op, "save") && argc >= 4) {
    ok = Ouvrir(argv[2]);
    CheminFichier = QString::fromLocal8Bit(argv[3]);
    debut = Horloge::now();
    ok = ok && EnregistrerFichier();
    fin = Horloge::now();
  } else if (!std::strcmp(op, "export") && argc >= 4) {
    ok = Ouvrir(argv[2]);
    Configuration.ExportEffects = true;
    Configuration.ExportRepeats = true;
    debut = Horloge::now();
    ok = ok && ExporterMIDI(QString::fromLocal8Bit(argv[3]));
    fin = Horloge::now();
  } else if (!std::strcmp(op, "import")) {
    debut = Horloge::now();
    ok = Importer(argv[2]);
    fin = Horloge::now();
  } else {
    return 2;
  }
  if (!ok) return 1;
  std::printf("ms %.3f\nrss %ld\n", std::chrono::duration<double, std::milli>(fin - debut).count(), RssKo());
  return 0;
}
