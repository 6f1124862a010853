// The one checked file writer: a write cut short or a full disk never replaces a file with less,
// whichever writer of the program goes through it.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <sys/mount.h>
#include <sys/resource.h>

#include <csignal>
#include <functional>

#include "chords/EcouteAccord.h"
#include "editor/state/EtatProgramme.h"
#include "editor/Saisie.h"
#include "editor/state/Partition.h"
#include "files/FileCommands.h"
#include "files/TablatureASCII.h"
#include "midi/EcritureMIDI.h"
#include "platform/CheckedFile.h"
#include "platform/IniFile.h"
#include "settings/Config.h"
#include "settings/Langue.h"
#include "settings/Mess.h"
#include "song/ChordRecord.h"

namespace {

QByteArray Lire(const QString& chemin) {
  QFile f(chemin);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<unreadable>");
}

void EcrireDirect(const QString& chemin, const QByteArray& octets) {
  QFile f(chemin);
  ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  ASSERT_EQ(f.write(octets), octets.size());
}

QByteArray Motif(qsizetype n, char graine) {
  QByteArray b(n, Qt::Uninitialized);
  for (qsizetype i = 0; i < n; ++i) b[i] = static_cast<char>(graine + i % 53);
  return b;
}

// Files may grow to `octets` only while it lives: writes past it fail with EFBIG.
struct LimiteTaille {
  struct rlimit avant{};
  void (*ancienSignal)(int) = nullptr;
  explicit LimiteTaille(rlim_t octets) {
    getrlimit(RLIMIT_FSIZE, &avant);
    struct rlimit petite = avant;
    petite.rlim_cur = octets;
    ancienSignal = std::signal(SIGXFSZ, SIG_IGN);
    setrlimit(RLIMIT_FSIZE, &petite);
  }
  ~LimiteTaille() {
    setrlimit(RLIMIT_FSIZE, &avant);
    std::signal(SIGXFSZ, ancienSignal);
  }
};

// A 64 KiB tmpfs over a temporary folder, for as long as it lives.
struct PetitDisque {
  QTemporaryDir dir;
  bool monte = false;
  PetitDisque() {
    monte = dir.isValid() && ::mount("tmpfs", QFile::encodeName(dir.path()).constData(), "tmpfs", 0, "size=64k") == 0;
  }
  ~PetitDisque() {
    if (monte) ::umount2(QFile::encodeName(dir.path()).constData(), MNT_DETACH);
  }
  QString Chemin(const QString& nom) const { return dir.filePath(nom); }
  // Takes every free block, so that the next write of any size fails.
  void Remplir() {
    QFile f(Chemin("filler"));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Unbuffered));
    const QByteArray bloc(512, 'x');
    while (f.write(bloc) == bloc.size()) {}
    while (f.write("x", 1) == 1) {}
  }
  void Vider() { QFile::remove(Chemin("filler")); }
};

struct RepondeurMessages {
  QStringList textes;
  RepondeurMessages() {
    DefinirTexteLangue("MidiExp-EcritureFichierImpossibleEnregAb", "MidiExp-EcritureFichierImpossibleEnregAb");
    InstallerReponseMessage([this](const TDemandeMessage& d) {
      textes << d.Texte;
      return int(ID_OK);
    });
  }
  ~RepondeurMessages() { InstallerReponseMessage({}); }
};

}  // namespace

// A write the system cuts short, either at once (more than the buffer) or only at the final flush
// (a small file all buffered), in one go or in pieces: refused with its reason, old file whole.
TEST(CheckedFile, ShortWriteLeavesTheOldFileWhole) {
  struct Cas {
    const char* nom;
    qsizetype taille;
    int morceaux;
  };
  const Cas cas[] = {{"small, fails at the flush", 6000, 1},
                     {"large, fails while writing", 200000, 1},
                     {"streamed in pieces", 50000, 25}};
  for (const Cas& c : cas) {
    SCOPED_TRACE(c.nom);
    QTemporaryDir dir;
    const QString chemin = dir.filePath("f.bin");
    const QByteArray ancien = Motif(1996, 'a');
    EcrireDirect(chemin, ancien);
    const QByteArray nouveau = Motif(c.taille, 'A');
    bool ok;
    QString erreur;
    {
      LimiteTaille limite(4096);
      TCheckedFile f(chemin);
      ok = f.Open();
      const qsizetype pas = c.taille / c.morceaux;
      for (int i = 0; ok && i < c.morceaux; ++i) ok = f.Write(nouveau.constData() + i * pas, pas);
      if (!ok) {
        EXPECT_FALSE(f.Write("more", 4));  // nothing more goes in once a write failed
      }
      ok = f.Commit();
      erreur = f.Error();
    }
    EXPECT_FALSE(ok);
    EXPECT_FALSE(erreur.isEmpty());
    EXPECT_TRUE(Lire(chemin) == ancien);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"f.bin"});  // no temporary left

    // The same write with room enough replaces the file.
    ASSERT_TRUE(WriteFileChecked(chemin, nouveau, &erreur)) << erreur.toStdString();
    EXPECT_TRUE(Lire(chemin) == nouveau);
  }
  QTemporaryDir dir;
  QString erreur;
  EXPECT_FALSE(WriteFileChecked(dir.filePath("no/such/folder/f"), QByteArray("x"), &erreur));
  EXPECT_FALSE(erreur.isEmpty());
  TCheckedFile jamaisOuvert(dir.filePath("g"));
  EXPECT_FALSE(jamaisOuvert.Write("x", 1));
  EXPECT_FALSE(jamaisOuvert.Commit());
  EXPECT_FALSE(QFile::exists(dir.filePath("g")));
}

// Every writer of the program on a real full disk: each fails and leaves its old file byte for byte.
TEST(CheckedFile, FullDiskKeepsEveryWritersOldFile) {
  PetitDisque disque;
  if (!disque.monte) GTEST_SKIP() << "mounting a small tmpfs needs root (CAP_SYS_ADMIN); not allowed here";
  RepondeurMessages messages;
  TAccord accord;
  const int32_t accordage[7] = {0, 64, 59, 55, 50, 45, 40};
  struct Cas {
    const char* nom;
    std::function<bool(const QString&)> ecrire;
  };
  const Cas cas[] = {
      {"checked write", [](const QString& c) { return WriteFileChecked(c, Motif(3000, 'N')); }},
      {"settings file",
       [](const QString& c) {
         TIniFile ini(c);
         for (int i = 0; i < 100; ++i) ini.WriteString("ChordsLib", QString("Chord%1").arg(i), "x32010");
         return ini.UpdateFile();
       }},
      {"MIDI file", [](const QString& c) { return EcrireOctetsFichier(c, std::vector<uint8_t>(3000, 0x90)); }},
      {"ASCII export", [](const QString& c) { return EcrireFichierTexteASCII(c, QStringList(60, "e|--0--3--|")); }},
      {"chord listen file",
       [&](const QString& c) { return EcrireFichierEcoute(c, accord, accordage, 6, 24); }},
  };
  for (const Cas& c : cas) {
    SCOPED_TRACE(c.nom);
    const QString chemin = disque.Chemin("old");
    const QByteArray ancien = Motif(1996, 'o');
    EcrireDirect(chemin, ancien);
    disque.Remplir();
    EXPECT_FALSE(c.ecrire(chemin));
    EXPECT_TRUE(Lire(chemin) == ancien);
    EXPECT_EQ(QDir(disque.dir.path()).entryList(QDir::Files).size(), 2);  // the old file and the filler
    disque.Vider();
    EXPECT_TRUE(c.ecrire(chemin));  // room again: written
    QFile::remove(chemin);
  }

  // File > Save: the message, the old song untouched, the song still modified.
  QString recents[NB_FICHIERS_RECENTS + 1];
  std::copy(std::begin(DerniersFichiers), std::end(DerniersFichiers), std::begin(recents));
  NouvellePartition();
  CheminFichier = disque.Chemin("song.sqt");
  NomFichier = "song.sqt";
  const QByteArray ancien = Motif(1996, 's');
  EcrireDirect(CheminFichier, ancien);
  disque.Remplir();
  Modifie = 1;
  EXPECT_FALSE(CommandeEnregistrer());
  EXPECT_EQ(Modifie, 1);
  EXPECT_EQ(messages.textes, QStringList{"MidiExp-EcritureFichierImpossibleEnregAb"});
  EXPECT_TRUE(Lire(CheminFichier) == ancien);
  disque.Vider();
  EXPECT_TRUE(CommandeEnregistrer());
  EXPECT_EQ(Modifie, 0);
  QFile::remove(CheminFichier);
  CheminFichier.clear();
  NomFichier.clear();
  std::copy(std::begin(recents), std::end(recents), std::begin(DerniersFichiers));
}
