// The program's file dialog lists a folder whose files block on a read (/proc/kmsg waits for the
// kernel's next message), types files by their name or kind, takes keys typed at a normal pace and
// closes; a guard fails the run instead of letting a frozen dialog hang it.
#include <gtest/gtest.h>

#include <QApplication>
#include <QFileSystemModel>
#include <QLineEdit>
#include <QMimeDatabase>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <sys/stat.h>

#include "components/DialogueNomFichier.h"
#include "tests/platform/Garde.h"

TEST(DialogueNomFichier, ListsProcTypesByNameTakesKeysAndCloses) {
  QTemporaryDir dir;
  ASSERT_EQ(::mkfifo(QFile::encodeName(dir.filePath("tube.txt")), 0600), 0);
  QFile png(dir.filePath("image.txt"));
  ASSERT_TRUE(png.open(QIODevice::WriteOnly) && png.write("\x89PNG\r\n\x1a\n") == 8 && png.flush());
  // No extension, whatever it holds; the kind, not the name; the name, not the bytes.
  const QStringList cas = {"/proc/kmsg", "application/octet-stream", dir.filePath("tube.txt"), "inode/fifo",
                           dir.filePath("image.txt"), "text/plain"};
  TGarde garde("the file dialog on /proc", 30);
  QTimer::singleShot(0, [&] {
    auto* d = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
    auto* modele = d->findChild<QFileSystemModel*>();
    EXPECT_TRUE(QTest::qWaitFor([&] { return modele->rowCount(modele->index("/proc")) > 10; }, 10000));
    for (int i = 0; i < cas.size(); i += 2)
      EXPECT_EQ(modele->type(modele->index(cas[i])), QMimeDatabase().mimeTypeForName(cas[i + 1]).comment()) << i;
    auto* nom = d->findChild<QLineEdit*>("fileNameEdit");
    nom->clear();
    QTest::keyClicks(nom, "/proc/y", Qt::NoModifier, 80);
    QTest::keyClick(nom, Qt::Key_Return);
  });
  EXPECT_EQ(NomFichierAEnregistrer(nullptr, "Save", "/proc/x", {}), "/proc/y");
}
