// The checked writer replaces only the file its links led to at the open, in the folder found
// then, keeps that file's owner and whole mode, and names the step that failed; a path given at the
// start reads as the system reads it.
#include <gtest/gtest.h>

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QRegularExpression>
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
// Under d: "x=bytes" a file, "x|" a FIFO, "x>target" a link, each in place of what stood there.
void Scene(const QString& d, const QStringList& noms) {
  for (const QString& n : noms) {
    const QString c = d + '/' + n.section(QRegularExpression("[>=|]"), 0, 0);
    QDir().mkpath(QFileInfo(c).path());
    ::unlink(N(c));
    EXPECT_TRUE(n.contains('>') ? ::symlink(N(n.section('>', 1)), N(c)) == 0
                : n.contains('=') ? WriteFileChecked(c, n.section('=', 1).toUtf8()) : ::mkfifo(N(c), 0600) == 0) << n.toStdString();
  }
}
QString Lu(const QString& chemin) {
  QByteArray b;
  return QFileInfo(chemin).isFile() && ReadFileChecked(chemin, 99, &b) == EFileRead::Ok ? b : "<not found>";
}
// Every file, FIFO and link under d, as Scene writes them (a link without its target).
QString Vu(const QString& d) {
  QStringList vu;
  for (QDirIterator i(d, QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot, QDirIterator::Subdirectories); i.hasNext();) {
    const QFileInfo f(i.next());
    if (!f.isDir() || f.isSymLink()) vu << f.filePath().mid(d.size() + 1) + (f.isSymLink() ? ">" : f.isFile() ? "=" + Lu(f.filePath()) : "|");
  }
  vu.sort();
  return vu.join(' ');
}
// The writer opened on d/nom and written, the scene changed, then the commit: what it said, and what d holds.
QString Ecrire(const QString& d, const QString& nom, const QStringList& avant, const QStringList& entre) {
  Scene(d, avant);
  TCheckedFile f(d + '/' + nom);
  const bool ok = f.Open() && f.Write(QByteArray("new"));
  Scene(d, entre);
  return QString("%1 %2: %3").arg(ok && f.Commit()).arg(f.Error(), Vu(d));
}
// Another user's file, given its mode after its owner (which clears set-ID bits), saved.
QString Mode(const QString& d, mode_t mode, const char* par) {
  Scene(d, {"s.sqt=old", "l.sqt>s.sqt"});
  const QByteArray s = N(d + "/s.sqt");
  EXPECT_TRUE(::chown(s, 12345, 12346) == 0 && ::chmod(s, mode) == 0);
  const bool ok = WriteFileChecked(d + '/' + par, QByteArray("new"));
  struct stat st {};
  ::stat(s, &st);
  return QString("%1 %2 %3 %4 ").arg(ok).arg(st.st_uid).arg(st.st_gid).arg(st.st_mode & 07777, 0, 8) + Vu(d);
}
// A read-only file in a folder of its owner's, saved by that owner, a plain user (a forked child):
// the look before the open refuses it with the system's reason, since the folder alone would let a
// rename replace it.
QString CommeNobody() {
  QTemporaryDir dir;
  const QString d = dir.path();
  Scene(d, {"s.sqt=old"});
  EXPECT_TRUE(::chown(N(d), 65534, 65534) == 0 && ::chown(N(d + "/s.sqt"), 65534, 65534) == 0 && ::chmod(N(d + "/s.sqt"), 0444) == 0);
  const pid_t pid = ::fork();
  if (pid == 0) {
    QString e;
    const bool ok = ::setgroups(0, nullptr) == 0 && ::setgid(65534) == 0 && ::setuid(65534) == 0 &&
                    WriteFileChecked(d + "/s.sqt", QByteArray("new"), &e);
    ::_exit(ok ? 2 : e == QString::fromLocal8Bit(std::strerror(EACCES)) ? 0 : 1);
  }
  int etat = -1;
  ::waitpid(pid, &etat, 0);
  return QString("%1 ").arg(WEXITSTATUS(etat)) + Vu(d);
}
}  // namespace

// Hostile paths and targets, each row in a folder of its own under the start folder: links moved
// between the writer's open and its commit (a folder on the way, the file the link led to), set-ID
// bits, ".." through links, a plain user, and names given at the start. Nothing swapped in is ever
// replaced, and no temporary file stays.
TEST(CheckedFileTarget, HostilePathsReachWhatTheSystemReaches) {
  const QString pasUnFichier = "0 Not a regular file: ";
  const struct {
    const char* nom;
    bool root;  // gives a file away, or drops to a plain user
    std::function<QString(const QString& d, const QString& rel)> faire;
    QString attendu;
  } cas[] = {
      {"folder link moved to a FIFO's folder", false, [](auto d, auto) {
         return Ecrire(d, "lk/s.sqt", {"A/s.sqt=old", "B/s.sqt|", "lk>A"}, {"lk>B"}); }, "1 : A/s.sqt=new B/s.sqt| lk>"},
      {"folder link moved, the pinned file made a FIFO", false, [](auto d, auto) {
         return Ecrire(d, "lk/s.sqt", {"A/s.sqt=old", "B/s.sqt=other", "lk>A"}, {"lk>B", "A/s.sqt|"}); },
       pasUnFichier + "A/s.sqt| B/s.sqt=other lk>"},
      {"linked file made a FIFO", false, [](auto d, auto) { return Ecrire(d, "s", {"t=old", "o=other", "s>t"}, {"t|"}); },
       pasUnFichier + "o=other s> t|"},
      {"linked file made a FIFO, link moved", false, [](auto d, auto) {
         return Ecrire(d, "s", {"t=old", "o=other", "s>t"}, {"t|", "s>o"}); }, pasUnFichier + "o=other s> t|"},
      {"linked file made a link", false, [](auto d, auto) { return Ecrire(d, "s", {"t=old", "o=other", "s>t"}, {"t>o"}); },
       pasUnFichier + "o=other s> t>"},
      {"a link holding \"..\" in a folder reached through a link", false, [](auto d, auto) {
         return Ecrire(d, "lk/alias.sqt", {"m/songs/rel.sqt=old", "m/links/alias.sqt>../songs/rel.sqt", "lk>m/links"}, {}); },
       "1 : lk> m/links/alias.sqt> m/songs/rel.sqt=new"},
      {"set-group-ID, through a link", true, [](auto d, auto) { return Mode(d, 02775, "l.sqt"); }, "1 12345 12346 2775 l.sqt> s.sqt=new"},
      {"set-user-ID", true, [](auto d, auto) { return Mode(d, 04755, "s.sqt"); }, "1 12345 12346 4755 l.sqt> s.sqt=new"},
      {"read-only, as a plain user", true, [](auto, auto) { return CommeNobody(); },
       "0 s.sqt=old"},  // 0: refused, and for the system's reason
      {"start folder: \"lk/..\" where lk leads to a folder", false, [](auto d, auto rel) {
         Scene(d, {"real.sqt=decoy", "sub/real.sqt=kernel", "sub/in/x=", "lk>sub/in"});
         return Lu(CheminAuDepart(rel + "/lk/../real.sqt")); }, "kernel"},
      {"start folder: a name beginning with \":\"", false, [](auto, auto rel) {
         const QString nom = ":" + rel, depart = CheminAuDepart("a").chopped(1);  // the start folder itself
         Scene(depart, {nom + "=colon"});
         const QString lu = Lu(CheminAuDepart(nom));
         QFile::remove(depart + nom);
         return lu; }, "colon"},
      {"VEXO_HOME through \"lk/..\"", false, [](auto d, auto rel) {
         Scene(d, {"sub/in/x=", "lk>sub/in"});
         const QByteArray avant = qgetenv("VEXO_HOME");
         qputenv("VEXO_HOME", (rel + "/lk/../cfg").toUtf8());
         DossierConfiguration();
         qputenv("VEXO_HOME", avant);
         return QString("%1 %2").arg(QFileInfo(d + "/sub/cfg").isDir()).arg(QFileInfo::exists(d + "/cfg")); }, "1 0"},
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
