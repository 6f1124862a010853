// The checked writer replaces only the file its links led to at the open, keeps that file's
// owner, and names the step that failed.
#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>
#include <sys/stat.h>
#include <unistd.h>

#include <cstring>

#include "platform/CheckedFile.h"

namespace {
QByteArray N(const QString& chemin) { return QFile::encodeName(chemin); }
struct stat Etat(const QString& chemin) {
  struct stat st {};
  EXPECT_EQ(::lstat(N(chemin), &st), 0);
  return st;
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

// As root, a save over another user's file, directly or through a link, leaves it theirs, with its
// group and mode.
TEST(CheckedFileTarget, SaveKeepsOwnerGroupAndMode) {
  if (::geteuid() != 0) GTEST_SKIP() << "giving a file to another user needs root";
  for (const char* nom : {"song.sqt", "link.sqt"}) {
    QTemporaryDir dir;
    const QString fichier = dir.filePath("song.sqt");
    ASSERT_TRUE(WriteFileChecked(fichier, QByteArray("old")));
    ASSERT_TRUE(::chown(N(fichier), 12345, 12346) == 0 && ::chmod(N(fichier), 0640) == 0);
    ASSERT_EQ(::symlink("song.sqt", N(dir.filePath("link.sqt"))), 0);
    ASSERT_TRUE(WriteFileChecked(dir.filePath(nom), QByteArray("new!")));
    const struct stat st = Etat(fichier);
    EXPECT_EQ(std::tuple(st.st_uid, st.st_gid, st.st_mode & 07777, st.st_size), std::tuple(12345u, 12346u, 0640u, 4)) << nom;
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
