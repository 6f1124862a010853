// The checked writer replaces only the file its links led to at the open, keeps that file's
// owner, and names the step that failed.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <grp.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstring>
#include <functional>
#include <iostream>

#include "platform/CheckedFile.h"
#include "platform/Folders.h"

namespace {
QByteArray N(const QString& chemin) { return QFile::encodeName(chemin); }
struct stat Etat(const QString& chemin) {
  struct stat st {};
  EXPECT_EQ(::lstat(N(chemin), &st), 0);
  return st;
}
// Folders ("x/"), files ("x=bytes"), FIFOs ("x|") and links {name, target} under d.
void Scene(const QString& d, const QStringList& noms, const std::vector<std::pair<QString, QString>>& liens) {
  for (const QString& n : noms) {
    const QString c = d + '/' + (n.contains('=') ? n.section('=', 0, 0) : n.chopped(1));
    if (n.endsWith('/')) { ASSERT_TRUE(QDir().mkdir(c)); }
    if (n.endsWith('|')) { ASSERT_EQ(::mkfifo(N(c), 0600), 0); }
    if (n.contains('=')) { ASSERT_TRUE(WriteFileChecked(c, n.section('=', 1).toUtf8())); }
  }
  for (const auto& [nom, cible] : liens) ASSERT_EQ(::symlink(N(cible), N(d + '/' + nom)), 0);
}
bool Relier(const QString& d, const QString& nom, const QString& cible) {
  return ::unlink(N(d + '/' + nom)) == 0 && ::symlink(N(cible), N(d + '/' + nom)) == 0;
}
// What a folder holds, as Scene writes it.
QString Vu(const QString& d) {
  QStringList vu;
  for (const QFileInfo& i : QDir(d).entryInfoList(QDir::AllEntries | QDir::System | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name)) {
    QByteArray octets;
    ReadFileChecked(i.filePath(), 1000, &octets);
    vu << i.fileName() + (i.isSymLink() ? "->" + i.symLinkTarget() : i.isDir() ? "/" : i.isFile() ? "=" + octets : "|");
  }
  return vu.join(' ');
}
QString Lu(const QString& chemin) {
  QByteArray octets;
  return !QFileInfo(chemin).isFile() ? "<not found>" : ReadFileChecked(chemin, 1000, &octets) == EFileRead::Ok ? octets : "<unreadable>";
}
QString Mode(const QString& d, mode_t mode, const char* par) {
  Scene(d, {"s.sqt=old"}, {{"l.sqt", "s.sqt"}});
  EXPECT_TRUE(::chown(N(d + "/s.sqt"), 12345, 12346) == 0 && ::chmod(N(d + "/s.sqt"), mode) == 0);
  EXPECT_TRUE(WriteFileChecked(d + '/' + par, QByteArray("new")));
  const struct stat st = Etat(d + "/s.sqt");
  return QString("%1 %2 %3 %4").arg(st.st_uid).arg(st.st_gid).arg(st.st_mode & 07777, 0, 8).arg(Lu(d + "/s.sqt"));
}
// A read-only file in a folder of its own owner's, written by that owner (a forked child that drops to
// "nobody"): the look before the open refuses it, since the folder alone would let a rename replace it.
QString CommeNobody(const QString&) {
  QTemporaryDir dir;
  const QString d = dir.path();
  Scene(d, {"s.sqt=old"}, {});
  EXPECT_TRUE(::chown(N(d), 65534, 65534) == 0 && ::chown(N(d + "/s.sqt"), 65534, 65534) == 0 && ::chmod(N(d + "/s.sqt"), 0444) == 0);
  int tube[2];
  EXPECT_EQ(::pipe(tube), 0);
  const pid_t pid = ::fork();
  if (pid == 0) {
    QString e;
    const bool ok = ::setgroups(0, nullptr) == 0 && ::setgid(65534) == 0 && ::setuid(65534) == 0 &&
                    WriteFileChecked(d + "/s.sqt", QByteArray("new"), &e);
    const QByteArray dit = QString("%1 %2").arg(ok).arg(e).toUtf8();
    (void)!::write(tube[1], dit.constData(), dit.size());
    ::_exit(0);
  }
  ::close(tube[1]);
  char dit[256] = {};
  (void)!::read(tube[0], dit, sizeof dit - 1);
  ::close(tube[0]);
  ::waitpid(pid, nullptr, 0);
  return QString::fromUtf8(dit) + ' ' + Vu(d);
}
}  // namespace

// Between the open and the commit the file the link led to becomes a FIFO (the link left alone or
// pointed at another file) or a link: nothing swapped in is replaced, nor the file linked meanwhile.
TEST(CheckedFileTarget, SwappedAfterTheOpenIsNeverReplaced) {
  for (const auto& [fifo, lienAilleurs] : {std::pair{true, false}, {true, true}, {false, false}}) {
    SCOPED_TRACE(std::to_string(fifo) + std::to_string(lienAilleurs));
    QTemporaryDir dir;
    const QString lien = dir.filePath("song.sqt"), cible = dir.filePath("target"), autre = dir.filePath("other");
    ASSERT_TRUE(WriteFileChecked(cible, QByteArray("old")) && WriteFileChecked(autre, QByteArray("other")));
    ASSERT_EQ(::symlink("target", N(lien)), 0);
    TCheckedFile f(lien);
    ASSERT_TRUE(f.Open() && f.Write(QByteArray("new")));
    ASSERT_EQ(::unlink(N(cible)), 0);
    ASSERT_EQ(fifo ? ::mkfifo(N(cible), 0600) : ::symlink("other", N(cible)), 0);
    if (lienAilleurs) {
      ASSERT_TRUE(::unlink(N(lien)) == 0 && ::symlink("other", N(lien)) == 0);
    }
    const struct stat avant = Etat(cible);
    EXPECT_FALSE(f.Commit());
    EXPECT_EQ(f.Error(), "Not a regular file");
    EXPECT_EQ(Etat(cible).st_ino, avant.st_ino);
    EXPECT_EQ(Etat(autre).st_size, 5);
  }
}

// Hostile paths and targets, each in a scene of its own under the folder the tests started in: the
// writer writes the file the system reaches, keeps its whole mode, never follows a folder link moved
// after the open, and leaves no temporary file; a name given at the start reads as the system reads it.
TEST(CheckedFileTarget, HostilePathsReachWhatTheSystemReaches) {
  const struct {
    const char* nom;
    bool root;  // gives a file away, or drops to a plain user
    std::function<QString(const QString& d, const QString& rel)> faire;
    QString attendu;
  } cas[] = {
      {"folder link moved to a FIFO's folder between open and commit", false, [](auto d, auto) {
         Scene(d, {"A/", "B/", "A/s.sqt=old", "B/s.sqt|"}, {{"lk", "A"}});
         TCheckedFile f(d + "/lk/s.sqt");
         const bool ok = f.Open() && f.Write(QByteArray("new")) && Relier(d, "lk", "B") && f.Commit();
         return QString("%1 %2 %3 %4").arg(ok).arg(Vu(d + "/A"), Vu(d + "/B"), f.Error());
       }, "1 s.sqt=new s.sqt| "},
      {"folder link moved, the pinned file turned FIFO", false, [](auto d, auto) {
         Scene(d, {"A/", "B/", "A/s.sqt=old", "B/s.sqt=other"}, {{"lk", "A"}});
         TCheckedFile f(d + "/lk/s.sqt");
         const bool ok = f.Open() && f.Write(QByteArray("new")) && Relier(d, "lk", "B") &&
                         ::unlink(N(d + "/A/s.sqt")) == 0 && ::mkfifo(N(d + "/A/s.sqt"), 0600) == 0 && f.Commit();
         return QString("%1 %2 %3 %4").arg(ok).arg(Vu(d + "/A"), Vu(d + "/B"), f.Error());
       }, "0 s.sqt| s.sqt=other Not a regular file"},
      {"another user's set-group-ID file through a link", true, [](auto d, auto) { return Mode(d, 02775, "l.sqt"); },
       "12345 12346 2775 new"},
      {"a set-user-ID file", true, [](auto d, auto) { return Mode(d, 04755, "s.sqt"); }, "12345 12346 4755 new"},
      {"a link holding \"..\" in a folder reached through a link", false, [](auto d, auto) {
         Scene(d, {"m/", "m/songs/", "m/links/", "m/songs/rel.sqt=old"}, {{"m/links/alias.sqt", "../songs/rel.sqt"}, {"lk", "m/links"}});
         QString e;
         return QString("%1 %2 %3").arg(WriteFileChecked(d + "/lk/alias.sqt", QByteArray("new"), &e)).arg(Vu(d + "/m/songs"), e);
       }, "1 rel.sqt=new "},
      {"read-only target, as a plain user", true, [](auto d, auto) { return CommeNobody(d); },
       QString("0 %1 s.sqt=old").arg(QString::fromLocal8Bit(std::strerror(EACCES)))},
      {"start folder: \"lk/..\" where lk leads to a folder", false, [](auto d, auto rel) {
         Scene(d, {"sub/", "sub/in/", "real.sqt=decoy", "sub/real.sqt=kernel"}, {{"lk", "sub/in"}});
         return Lu(CheminAuDepart(rel + "/lk/../real.sqt"));
       }, "kernel"},
      {"start folder: a name beginning with \":\"", false, [](auto, auto rel) {
         const QString nom = ":" + rel + ".sqt", depart = CheminAuDepart("a").chopped(1);  // the start folder itself
         Scene(depart, {nom + "=colon"}, {});
         const QString lu = Lu(CheminAuDepart(nom));
         QFile::remove(depart + nom);
         return lu;
       }, "colon"},
      {"VEXO_HOME through \"lk/..\"", false, [](auto d, auto rel) {
         Scene(d, {"sub/", "sub/in/"}, {{"lk", "sub/in"}});
         const QByteArray avant = qgetenv("VEXO_HOME");
         qputenv("VEXO_HOME", (rel + "/lk/../cfg").toUtf8());
         const QString dossier = DossierConfiguration();
         qputenv("VEXO_HOME", avant);
         return QString("%1 %2").arg(QFileInfo(d + "/sub/cfg").isDir()).arg(QFileInfo(d + "/cfg").exists());
       }, "1 0"},
  };
  for (const auto& c : cas) {
    SCOPED_TRACE(c.nom);
    if (c.root && ::geteuid() != 0) {
      std::cout << "row left out, it needs root: " << c.nom << '\n';
      continue;
    }
    QTemporaryDir dir(CheminAuDepart("hostile-XXXXXX"));
    EXPECT_EQ(c.faire(dir.path(), QFileInfo(dir.path()).fileName()).toStdString(), c.attendu.toStdString());
  }
}

// A failed open names the step that failed, the temporary file beside the target, with the
// system's reason for it: a missing folder, or /proc, where the system says the new name is not there.
TEST(CheckedFileTarget, FailureGivesTheReasonOfTheStepThatFailed) {
  if (::geteuid() != 0) GTEST_SKIP() << "others may not write /proc/version at all";
  QTemporaryDir dir;
  for (const QString& chemin : {dir.filePath("no/such/f"), QString("/proc/version")}) {
    QString erreur;
    EXPECT_FALSE(WriteFileChecked(chemin, QByteArray("x"), &erreur));
    EXPECT_EQ(erreur, "A new file cannot be made in its folder: " + QString::fromLocal8Bit(std::strerror(ENOENT)));
  }
}
