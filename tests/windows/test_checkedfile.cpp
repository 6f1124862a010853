// The one checked file writer: a write cut short or a full disk never replaces a file with less,
// whichever writer of the program goes through it.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPrinter>
#include <QTemporaryDir>
#include <fcntl.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <atomic>
#include <csignal>
#include <cstring>
#include <functional>
#include <thread>

#include "chords/EcouteAccord.h"
#include "components/FormPlace.h"
#include "components/SplashGIF.h"
#include "components/UWave.h"
#include "components/VxImages.h"
#include "editor/ui/MainImportMIDI.h"
#include "midi/ApercuAccordage.h"
#include "midi/ApercuPercussion.h"
#include "platform/FluidMediaPlayer.h"
#include "editor/state/EtatProgramme.h"
#include "editor/Saisie.h"
#include "editor/state/Partition.h"
#include "files/FichierSqt.h"
#include "files/FileCommands.h"
#include "files/TablatureASCII.h"
#include "files/ui/ImpASCII.h"
#include "midi/EcritureMIDI.h"
#include "midi/ImportSMF.h"
#include "platform/CheckedFile.h"
#include "platform/IniFile.h"
#include "settings/Config.h"
#include "settings/ConfigFile.h"
#include "settings/Langue.h"
#include "settings/Mess.h"
#include "song/ChordRecord.h"
#include "view/ImpressionPartition.h"
#include "view/ui/preview.h"

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

// Files may grow to `octets` only while it lives: writes past it fail with EFBIG. The signal such a
// write also sends is left to the program's own set-up (PrepareProcess, called by the tests' main as
// by the program's): were it not ignored, the test run would end here.
struct LimiteTaille {
  struct rlimit avant{};
  explicit LimiteTaille(rlim_t octets) {
    getrlimit(RLIMIT_FSIZE, &avant);
    struct rlimit petite = avant;
    petite.rlim_cur = octets;
    setrlimit(RLIMIT_FSIZE, &petite);
  }
  ~LimiteTaille() { setrlimit(RLIMIT_FSIZE, &avant); }
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
  bool LectureSeule(bool oui) {
    return ::mount(nullptr, QFile::encodeName(dir.path()).constData(), nullptr, MS_REMOUNT | (oui ? MS_RDONLY : 0),
                   "size=64k") == 0;
  }
};

struct RepondeurMessages {
  QStringList textes;
  RepondeurMessages() {
    for (const char* cle : {"MidiExp-EcritureFichierImpossibleEnregAb", "Fichier-AccesImpossible", "Fichier-Incorrect",
                            "Fichier-MIDINonReconnu", "Imp-Impossible", "Imp-AucunePage"})
      DefinirTexteLangue(cle, cle);
    for (const char* cle : {"Imp-FichierImpossible", "Fichier-EcritureImpossible"})
      DefinirTexteLangue(cle, QString(cle) + " #1: #2");
    InstallerReponseMessage([this](const TDemandeMessage& d) {
      textes << d.Texte;
      return int(ID_OK);
    });
  }
  ~RepondeurMessages() { InstallerReponseMessage({}); }
};

// Every writer of the program, writing to the path it is given (the settings file: to its folder),
// with the message each shows when it fails; %1 stands for the reason the checked writer gave.
std::vector<std::pair<std::function<bool(const QString&)>, QStringList>> Ecrivains(QString* erreur) {
  // The writers write a new song and its own play order, whatever an earlier test left (a long one warns).
  NouvellePartition();
  CalculeOrdreLecture(1, Partition.NbMesures, true);
  static TAccord accord;
  static const int32_t accordage[7] = {0, 64, 59, 55, 50, 45, 40};
  static TApercuAccordage apercu;
  std::copy(std::begin(accordage), std::end(accordage), apercu.Accordage);
  const QStringList dit{"MidiExp-EcritureFichierImpossibleEnregAb"};
  const QStringList imprime{"Imp-FichierImpossible Vexo220.ini: %1"};
  auto pdf = [](QPrinter& p, const QString& c) {
    p.setOutputFormat(QPrinter::PdfFormat);
    p.setOutputFileName(c);
  };
  return {
      {[=](auto c) { return WriteFileChecked(c, Motif(3000, 'N'), erreur); }, {}},
      {[](auto c) { CheminFichier = c; return EnregistrerFichier(); }, {"Fichier-EcritureImpossible Vexo220.ini: %1"}},  // the song
      {[](auto c) { return EcrireFichierMIDI(c, MODE_MIDI_EXPORT); }, dit},
      {[](auto c) { return EcrireFichierMIDI(c, MODE_MIDI_DEBUT); }, dit},  // the play file
      {[](auto c) { return EcrireMidiPercussion(c, Partition, 38); }, dit},  // the drum preview
      {[](auto c) { return EcrireMidiAccordage(c, apercu); }, dit},
      {[](auto c) { return EcrireFichierTexteASCII(c, QStringList(60, "e|--0--3--|")); }, {}},
      {[](auto c) { RepWindows = QFileInfo(c).path() + '/'; return EnregistrerConfig(); }, {"Fichier-EcritureImpossible Vexo220.ini: %1"}},
      {[](auto c) { TIniFile ini(c); ini.WriteString("Browser", "NormPos", "1,2,3,4"); return ini.UpdateFile(); }, {}},
      {[](auto c) { return EcrireFichierEcoute(c, accord, accordage, 6, 24); }, {}},
      {[](auto c) {
         TPreview_Form apercu;  // the windows' placement file, as the window says a failure
         apercu.FormStorage1->IniFileName = c;
         apercu.show();
         bool dit = false;
         apercu.FormStorage1->OnSavePlacement = [&] { dit = true; };
         const bool ok = apercu.FormStorage1->SaveNow();
         EXPECT_EQ(dit, ok);  // "saved" only once it is
         return ok;
       }, {"Fichier-EcritureImpossible Vexo220.ini: %1"}},
      {[=](auto c) {
         // The program's one printer, as File > Print uses it: each job after a failed one too.
         QPrinter& p = Imprimante();
         const QPrinter::OutputFormat format = p.outputFormat();
         // Long enough for its PDF to pass the library's buffer: a write fails in mid-document.
         while (Partition.NbMesures < 40) {
           Partition.Mesures[Partition.NbMesures + 1] = std::make_unique<TMesure>(*Partition.Mesures[1]);
           ++Partition.NbMesures;
         }
         pdf(p, c);
         const bool ok = ImprimePartition(p, 0, 0) > 0;
         p.setOutputFileName(QString());
         p.setOutputFormat(format);
         return ok;
       }, imprime},
      {[=](auto c) {
         QPrinter p(QPrinter::HighResolution);
         pdf(p, c);
         return ImprimerLignesTexte(p, QStringList(1500, "e|--0--3--|"), PoliceTablature());
       }, imprime},  // the print button of the ASCII dialogs
  };
}

// The messages a writer is to show, with the reason the checked writer gave in the same place.
QStringList Attendus(QStringList dit, const QString& raison) {
  for (QString& t : dit) t.replace("%1", raison);
  return dit;
}

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
  const QString ancienRep = RepWindows;
  int n = 0;
  QString erreur;
  for (const auto& [ecrire, dit] : Ecrivains(&erreur)) {
    SCOPED_TRACE(n++);
    const QString chemin = disque.Chemin("Vexo220.ini");
    const QByteArray ancien = Motif(1996, 'o');
    EcrireDirect(chemin, ancien);
    disque.Remplir();
    EXPECT_FALSE(ecrire(chemin));
    EXPECT_EQ(messages.textes, Attendus(dit, erreur)) << messages.textes.join("|").toStdString();
    messages.textes.clear();
    EXPECT_TRUE(Lire(chemin) == ancien);
    EXPECT_EQ(QDir(disque.dir.path()).entryList(QDir::Files).size(), 2);  // the old file and the filler
    disque.Vider();
    EXPECT_TRUE(ecrire(chemin)) << messages.textes.join("|").toStdString();  // room again: written
    QFile::remove(chemin);
  }
  RepWindows = ancienRep;

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
  EXPECT_EQ(messages.textes, QStringList{"Fichier-EcritureImpossible song.sqt: " + erreur});
  EXPECT_TRUE(Lire(CheminFichier) == ancien);
  disque.Vider();
  EXPECT_TRUE(CommandeEnregistrer());
  EXPECT_EQ(Modifie, 0);
  QFile::remove(CheminFichier);
  CheminFichier.clear();
  NomFichier.clear();
  std::copy(std::begin(recents), std::end(recents), std::begin(DerniersFichiers));
}

// Every writer in a folder it may not write to (a read-only file system: root writes through a
// folder's permissions): each fails, says so as on a full disk, and leaves its old file.
TEST(CheckedFile, ReadOnlyFolderKeepsEveryWritersOldFile) {
  PetitDisque disque;
  if (!disque.monte) GTEST_SKIP() << "mounting a small tmpfs needs root (CAP_SYS_ADMIN); not allowed here";
  RepondeurMessages messages;
  const QString ancienRep = RepWindows;
  const QString chemin = disque.Chemin("Vexo220.ini");
  const QByteArray ancien = Motif(1996, 'o');
  EcrireDirect(chemin, ancien);
  ASSERT_TRUE(disque.LectureSeule(true));
  QString erreur;
  int n = 0;
  for (const auto& [ecrire, dit] : Ecrivains(&erreur)) {
    SCOPED_TRACE(n++);
    EXPECT_FALSE(ecrire(chemin));
    EXPECT_EQ(messages.textes, Attendus(dit, erreur));
    messages.textes.clear();
    EXPECT_TRUE(Lire(chemin) == ancien);
    EXPECT_EQ(QDir(disque.dir.path()).entryList(QDir::Files), QStringList{"Vexo220.ini"});
  }
  EXPECT_FALSE(erreur.isEmpty());
  EXPECT_TRUE(disque.LectureSeule(false));
  RepWindows = ancienRep;
  CheminFichier.clear();
}

// Every reader, pointed at what it must not read: a FIFO (whose plain open blocks until a writer
// comes), a device, a folder, a sparse file one byte above the reader's bound and a file gone before
// the read. Each gives at once what its Part gives for a file it cannot read.
TEST(CheckedFile, EveryReaderRefusesWhatItCannotRead) {
  RepondeurMessages m;
  auto dit = [&](bool) { return m.textes.isEmpty() ? QString("nothing said") : m.textes.takeFirst(); };
  auto lu = [](bool ok) { return QString(ok ? "read" : "refused"); };
  const QImage dessinee = SplashPicture(QStringLiteral("/nonexistent/"));
  int svg = 0;
  while (CommandImageName(svg) != "note-noire.svg") ++svg;
  QString t;
  const struct {
    QString fichier;  // under the folder the reader is given
    qint64 borne;
    std::function<QString(const QString& dossier, const QString& chemin)> lire;
    QString tropGrand, autre;  // above the bound; every other case
  } lecteurs[] = {
      {"s.sqt", TAILLE_FICHIER_SQT_MAX, [&](auto, auto c) { CheminFichier = c; return dit(OuvrirFichier()); },
       "Fichier-Incorrect", "Fichier-AccesImpossible"},  // the song, also the browser's
      {"m.mid", TAILLE_FICHIER_MIDI_MAX, [&](auto, auto c) { return dit(ImporterFichierMIDI(c)); },
       "Fichier-MIDINonReconnu", "Fichier-AccesImpossible"},
      {"a.tab", TAILLE_FICHIER_ASCII_MAX, [&](auto, auto c) { return lu(LireFichierTexteASCII(c, t)); }, "refused", "refused"},
      {"l.sqg", TAILLE_FICHIER_LANGUE_MAX, [&](auto, auto c) { return lu(ChargerLignesPatch(c)); }, "refused", "refused"},
      {"Vexo220.ini", kIniFileMaxSize, [&](auto, auto c) { return lu(!TIniFile(c).ReadSections().isEmpty()); },
       "refused", "refused"},  // the settings file and the placement file: as a missing file
      {"splash.gif", kTailleSplashMax, [&](auto d, auto) { return lu(SplashPicture(d) != dessinee); }, "refused", "refused"},
      {"icons/note-noire.svg", kTailleImageMax, [&](auto d, auto) { return lu(!CommandImage(svg, 16, d).isNull()); },
       "refused", "refused"},
      {"icons/theme/16/document-new.png", kTailleImageMax,
       [&](auto d, auto) { return lu(!CommandImage(0, 16, d).isNull()); }, "refused", "refused"},
      {"w.wav", kTailleWaveMax, [&](auto, auto c) { TWaveData w; w.LoadFromFile(c); return lu(!w.IsEmpty()); },
       "refused", "refused"},
      {"p.mid", qint64(64) << 20, [&](auto, auto c) { return lu(TFluidMediaPlayer(nullptr, "/none.sf2").Open(c)); },
       "refused", "refused"},  // the file the player plays
  };
  for (const auto& l : lecteurs)
    for (const char* sorte : {"FIFO", "device", "folder", "too large", "gone"}) {
      SCOPED_TRACE(l.fichier.toStdString() + ", " + sorte);
      QTemporaryDir dir;
      const QString chemin = dir.filePath(l.fichier);
      const QByteArray c = QFile::encodeName(chemin);
      QDir().mkpath(QFileInfo(chemin).path());
      const int fd = sorte[0] == 't' || sorte[0] == 'g' ? ::open(c, O_WRONLY | O_CREAT, 0600) : -1;
      ASSERT_TRUE(sorte[0] == 'F' ? ::mkfifo(c, 0600) == 0 : sorte[0] == 'd' ? ::symlink("/dev/null", c) == 0
                  : sorte[0] == 'f' ? QDir().mkpath(chemin) : ::ftruncate(fd, l.borne + 1) == 0);  // sparse
      if (fd >= 0) ::close(fd);
      if (sorte[0] == 'g') QFile::remove(chemin);
      // A reader blocked in the FIFO's open is let go after 10 s, and the case fails.
      std::atomic<bool> fini{false}, bloque{false};
      std::thread garde([&] {
        for (int i = 0; i < 1000 && !fini; ++i) std::this_thread::sleep_for(std::chrono::milliseconds(10));
        if (!fini && (bloque = true)) ::close(::open(c, O_WRONLY | O_NONBLOCK));
      });
      NouvellePartition();
      const QString obtenu = l.lire(dir.path() + '/', chemin);
      fini = true;
      garde.join();
      EXPECT_FALSE(bloque);
      EXPECT_EQ(obtenu, sorte[0] == 't' ? l.tropGrand : l.autre);
      EXPECT_TRUE(m.textes.isEmpty()) << m.textes.join(", ").toStdString();
      m.textes.clear();
    }
  CheminFichier.clear();
}

// What a reader must still open: a regular file exactly at its reader's bound, directly or through a
// symbolic link, and a song reached through a link.
TEST(CheckedFile, RegularFilesOpenUpToTheBoundAndThroughLinks) {
  QTemporaryDir dir;
  const struct {
    const char* nom;
    qint64 borne;
    bool lien;
  } cas[] = {
      {"s.sqt", TAILLE_FICHIER_SQT_MAX, false}, {"s.sqt", TAILLE_FICHIER_SQT_MAX, true},
      {"m.mid", TAILLE_FICHIER_MIDI_MAX, true}, {"a.tab", TAILLE_FICHIER_ASCII_MAX, false},
      {"l.sqg", TAILLE_FICHIER_LANGUE_MAX, true}, {"Vexo220.ini", kIniFileMaxSize, false},
      {"splash.gif", kTailleSplashMax, false},   {"n.svg", kTailleImageMax, true},
  };
  for (const auto& c : cas) {
    SCOPED_TRACE(std::string(c.nom) + (c.lien ? " through a link" : ""));
    const QString fichier = dir.filePath(c.nom), chemin = c.lien ? fichier + ".link" : fichier;
    QFile::remove(chemin);
    {
      QFile f(fichier);
      ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
      ASSERT_TRUE(f.resize(c.borne));  // sparse
    }
    if (c.lien) {
      ASSERT_TRUE(QFile::link(fichier, chemin));
    }
    QFile f;
    ASSERT_EQ(OpenFileChecked(f, chemin, c.borne), EFileRead::Ok);
    EXPECT_EQ(f.size(), c.borne);
    f.close();
    QByteArray octets;
    if (c.borne <= TAILLE_FICHIER_MIDI_MAX) {  // read whole where that costs little memory
      ASSERT_EQ(ReadFileChecked(chemin, c.borne, &octets), EFileRead::Ok);
      EXPECT_EQ(octets.size(), c.borne);
    }
    EXPECT_EQ(OpenFileChecked(f, chemin, c.borne - 1), EFileRead::TooLarge);
    QFile::remove(fichier);
  }

  RepondeurMessages m;
  NouvellePartition();
  Partition.Titre = "Linked";
  CheminFichier = dir.filePath("real.sqt");
  ASSERT_TRUE(EnregistrerFichier());
  ASSERT_TRUE(QFile::link(CheminFichier, dir.filePath("link.sqt")));
  NouvellePartition();
  CheminFichier = dir.filePath("link.sqt");
  EXPECT_TRUE(OuvrirFichier());
  EXPECT_EQ(std::string(Partition.Titre.view()), "Linked");
  EXPECT_TRUE(m.textes.isEmpty()) << m.textes.join(", ").toStdString();
  CheminFichier.clear();
}

// Every writer under a file-size limit, with nothing but the program's own set-up (PrepareProcess,
// which the tests' main calls as main.cpp does): each fails with its reported reason and leaves its
// old file byte for byte and no temporary file, where the signal used to end the process.
TEST(CheckedFile, FileSizeLimitKeepsEveryWritersOldFile) {
  struct sigaction action{};
  ASSERT_EQ(sigaction(SIGXFSZ, nullptr, &action), 0);
  ASSERT_EQ(action.sa_handler, SIG_IGN);
  RepondeurMessages messages;
  const QString ancienRep = RepWindows;
  QString erreur;
  int n = 0;
  for (const auto& [ecrire, dit] : Ecrivains(&erreur)) {
    SCOPED_TRACE(n++);
    QTemporaryDir dir;
    const QString chemin = dir.filePath("Vexo220.ini");
    const QByteArray ancien = Motif(1996, 'o');
    EcrireDirect(chemin, ancien);
    bool ok;
    {
      LimiteTaille limite(16);  // every file the writers make is larger
      ok = ecrire(chemin);
    }
    EXPECT_FALSE(ok);
    EXPECT_EQ(messages.textes, Attendus(dit, erreur));
    messages.textes.clear();
    EXPECT_TRUE(Lire(chemin) == ancien);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"Vexo220.ini"});  // no temporary left
    EXPECT_TRUE(ecrire(chemin)) << messages.textes.join("|").toStdString();  // no limit: written
  }
  EXPECT_EQ(erreur, QString::fromLocal8Bit(std::strerror(EFBIG)));
  RepWindows = ancienRep;
  CheminFichier.clear();
}

// Every writer pointed at what is not a regular file, directly or through a link: each refuses
// with its message and replaces nothing (root may replace a device it names). A link to a regular
// file is written through and stays a link.
TEST(CheckedFile, EveryWriterRefusesWhatIsNotAFile) {
  RepondeurMessages messages;
  const QString ancienRep = RepWindows;
  QString erreur;
  int n = 0;
  for (const auto& [ecrire, dit] : Ecrivains(&erreur)) {
    const struct {
      const char* nom;
      char genre;  // FIFO, dossier, peripherique, reguliere
      bool lien;
    } cibles[] = {{"FIFO", 'F', false},          {"folder", 'd', false},          {"device", 'p', false},
                  {"link to a FIFO", 'F', true}, {"link to a folder", 'd', true}, {"link to a device", 'p', true},
                  {"link to a file", 'r', true}};
    for (const auto& [sorte, genre, lien] : cibles) {
      SCOPED_TRACE(std::to_string(n) + ", " + sorte);
      QTemporaryDir dir;
      const QString chemin = dir.filePath("Vexo220.ini");
      const QString cible = lien ? dir.filePath("target") : chemin;
      const QByteArray c = QFile::encodeName(cible);
      // A node of its own, like /dev/null: were it replaced, nothing the system uses would go.
      if (genre == 'p' && ::mknod(c, S_IFCHR | 0600, makedev(1, 3)) != 0) continue;  // no device nodes here
      if (genre == 'F') {
        ASSERT_EQ(::mkfifo(c, 0600), 0);
      }
      if (genre == 'd') {
        ASSERT_TRUE(QDir().mkpath(cible));
      }
      if (genre == 'r') EcrireDirect(cible, Motif(1996, 'o'));
      if (lien) {
        ASSERT_EQ(::symlink(c, QFile::encodeName(chemin)), 0);
      }
      struct stat avant {};
      ASSERT_EQ(::stat(c, &avant), 0);
      const bool ok = ecrire(chemin);
      struct stat apres {}, le {};
      ASSERT_EQ(::stat(c, &apres), 0);
      ASSERT_EQ(::lstat(QFile::encodeName(chemin), &le), 0);
      EXPECT_EQ(S_ISLNK(le.st_mode), lien);
      if (S_ISREG(avant.st_mode)) {
        EXPECT_TRUE(ok) << messages.textes.join("|").toStdString();
        EXPECT_TRUE(S_ISREG(apres.st_mode));
        EXPECT_FALSE(Lire(cible) == Motif(1996, 'o'));
      } else {
        EXPECT_FALSE(ok);
        EXPECT_EQ(messages.textes, Attendus(dit, erreur));
        EXPECT_EQ(apres.st_ino, avant.st_ino);
        EXPECT_EQ(apres.st_mode, avant.st_mode);
      }
      messages.textes.clear();
      const QStringList reste = QDir(dir.path()).entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot);
      EXPECT_EQ(reste.size(), lien ? 2 : 1) << reste.join("|").toStdString();  // no temporary left
    }
    ++n;
  }
  // The writer's own reason, in the language an earlier test may have left loaded.
  const QString traduit = TexteLangue("Ecriture-PasUnFichier");
  EXPECT_EQ(erreur, traduit == TexteIntrouvable ? QString("Not a regular file") : traduit);
  RepWindows = ancienRep;
  CheminFichier.clear();
}
