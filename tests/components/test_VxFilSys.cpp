// The folder tree, the drive, folder and file lists, the mount table they read and the long-name
// routines.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMessageBox>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTimer>
#include <QWheelEvent>

#include "components/VxFilSys.h"
#include "components/VxUtils.h"

namespace {

// Runs f while a message box it opens is answered; gives the box's text.
template <class F>
QString TexteBoite(F f) {
  QString texte;
  QTimer::singleShot(0, [&] {
    if (auto* b = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
      texte = b->text();
      b->done(QMessageBox::Ok);
    }
  });
  f();
  return texte;
}

void Molette(QWidget* w, int crans) {
  QWheelEvent e(QPointF(5, 5), QPointF(5, 5), QPoint(), QPoint(0, 120 * crans), Qt::NoButton, Qt::NoModifier,
                Qt::NoScrollPhase, false);
  QApplication::sendEvent(w, &e);
}

QImage Image(const QIcon& i, QIcon::Mode m = QIcon::Normal) { return i.pixmap(16, m).toImage(); }

}  // namespace

TEST(VxFilSys, LongAndShortNames) {
  QTemporaryDir tmp;
  const QString d = QDir(tmp.path()).canonicalPath();
  ASSERT_TRUE(QDir(d).mkpath("Sub"));
  QFile(d + "/Song.sqt").open(QIODevice::WriteOnly);
  ASSERT_TRUE(QFile::link(d + "/gone", d + "/dangling"));
  struct Cas {
    QString chemin, longNom, longChemin, nomTrouve;
  } cas[] = {
      {"/", "/", "/", ""},                                // the root is its own long form
      {d + "/Sub/", d + "/Sub/", d + "/Sub", ""},         // a trailing separator goes
      {d + "/Song.sqt", "Song.sqt", d + "/Song.sqt", "Song.sqt"},
      {d + "/dangling", "dangling", d + "/dangling", "dangling"},
      {d + "/Sub/../Song.sqt", "Song.sqt", d + "/Song.sqt", "Song.sqt"},
      // Absent components keep the names given: the path is not mixed up with itself.
      {d + "/none/deeper", d + "/none/deeper", d + "/none/deeper", ""},
      {"", "", "", ""},
  };
  for (const Cas& c : cas) {
    SCOPED_TRACE(c.chemin.toStdString());
    EXPECT_EQ(LongFileName(c.chemin), c.longNom);
    EXPECT_EQ(LongPathName(c.chemin), c.longChemin);
    EXPECT_EQ(ShortPathName(c.chemin), c.chemin);
    EXPECT_EQ(ShortFileNameOf(c.chemin), c.nomTrouve);
    EXPECT_EQ(LongFileNameOf(c.chemin), c.nomTrouve);
  }
}

TEST(VxFilSys, MountTableAndDriveKinds) {
  const QByteArray table =
      "28 1 254:0 / / rw - ext4 /dev/vda rw\n"
      "40 28 8:17 / /media/My\\040Stick rw shared:5 master:1 - vfat /dev/sdb1 rw\n"
      "41 28 0:50 / /mnt/nas rw - nfs4 server:/export rw\n"
      "42 28 0:51 / /mnt/share rw - cifs //srv/music rw\n"
      "43 28 11:0 / /media/cd ro - iso9660 /dev/sr0 ro\n"
      "44 28 0:52 / /scratch rw - tmpfs tmpfs rw\n"
      "45 28 0:53 / /proc rw - proc proc rw\n"
      "broken line\n";
  const std::vector<TMontage> m = LireMountinfo(table);
  ASSERT_EQ(m.size(), 7u);
  EXPECT_EQ(m[1].Racine, "/media/My Stick");
  EXPECT_EQ(m[1].Source, "/dev/sdb1");
  EXPECT_EQ(m[1].Majeur * 1000 + m[1].Mineur, 8017);
  using enum TDriveType;
  const TDriveType attendus[] = {dtFixed, dtFixed, dtNetwork, dtNetwork, dtCDROM, dtRAM, dtUnknown};
  for (size_t i = 0; i < m.size(); ++i) EXPECT_EQ(GenreMontage(m[i], false), attendus[i]) << i;
  EXPECT_EQ(GenreMontage(m[1], true), dtFloppy);

  // The machine's drives: "/" first, no kernel interface among them.
  const std::vector<TLecteur> l = Lecteurs();
  ASSERT_FALSE(l.empty());
  EXPECT_EQ(l.front().Racine, "/");
  for (const TLecteur& x : l) EXPECT_FALSE(x.Racine.startsWith("/proc") || x.Racine.startsWith("/sys")) << x.Racine.toStdString();
}

TEST(VxFilSys, DriveTextsAndDriveList) {
  using enum TDriveType;
  const std::vector<TLecteur> lecteurs = {{"/", dtFixed, "SYSTEM"},          {"/media/Usb", dtFloppy, "STICK"},
                                          {"/mnt/nas", dtNetwork, "srv:/Music"}, {"/media/cd", dtCDROM, ""},
                                          {"/scratch", dtRAM, "ram"},            {"/odd", dtUnknown, ""}};
  const char* const arbre[] = {"/ System", "/media/Usb ", "/mnt/nas srv:/Music", "/media/cd ", "/scratch Ram", "/odd "};
  for (size_t i = 0; i < lecteurs.size(); ++i) EXPECT_EQ(TexteRacineArbre(lecteurs[i]), arbre[i]);

  TVxDriveComboBox c(nullptr, lecteurs);
  QStringList textes;
  for (int i = 0; i < c.count(); ++i) textes << c.itemText(i);
  EXPECT_EQ(textes, (QStringList{"/ SYSTEM", "/media/usb", "/mnt/nas srv:/Music", "/media/cd ", "/scratch ram"}));
  EXPECT_NE(Image(c.itemIcon(1)), Image(c.itemIcon(0)));  // each kind its picture
  EXPECT_NE(Image(c.itemIcon(2)), Image(c.itemIcon(3)));
  c.SetDrive("/mnt/nas");
  c.SetTextCase(TTextCase::tcUpperCase);
  EXPECT_EQ(c.itemText(1), "/MEDIA/USB");
  c.SetDriveTypes(DriveTypeBit(dtNetwork) | DriveTypeBit(dtUnknown));
  ASSERT_EQ(c.count(), 2);
  EXPECT_EQ(c.Drive(), "/mnt/nas");
  EXPECT_EQ(c.itemText(1), "/ODD");
  QFont f = c.font();
  f.setPixelSize(40);
  c.setFont(f);
  EXPECT_EQ(c.ItemHeight(), QFontMetrics(f).height());
  EXPECT_EQ(c.view()->sizeHintForRow(0), c.ItemHeight());

  TVxDriveComboBox machine;
  EXPECT_GE(machine.findData("/"), 0);
}

TEST(VxFilSys, TreeRenamesByF2UnlessReadOnly) {
  QTemporaryDir tmp;
  const QDir d(tmp.path());
  for (const char* s : {"one", "two"}) ASSERT_TRUE(d.mkpath(s));
  TVxDirectoryTree t(nullptr, {tmp.path()});
  t.show();
  ASSERT_TRUE(t.SetCurrentPath(d.filePath("one")));
  QTreeWidgetItem* n = t.currentItem();
  EXPECT_NE(Image(n->icon(0), QIcon::Selected), Image(n->icon(0)));  // the selection shows an open folder
  int changes = 0;
  t.OnChange = [&] { ++changes; };
  QKeyEvent f2(QEvent::KeyPress, Qt::Key_F2, Qt::NoModifier);
  QApplication::sendEvent(&t, &f2);
  EXPECT_FALSE(t.findChild<QLineEdit*>()) << "read-only";
  t.ReadOnly = false;
  QApplication::sendEvent(&t, &f2);
  auto* le = t.findChild<QLineEdit*>();
  ASSERT_TRUE(le);
  le->setText("first");
  QKeyEvent entree(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
  QApplication::sendEvent(le, &entree);
  QCoreApplication::sendPostedEvents();  // the delegate commits once the editor has seen the key
  EXPECT_TRUE(d.exists("first"));
  EXPECT_EQ(n->text(0), "first");
  EXPECT_EQ(t.CurrentPath(), LongPathName(d.filePath("first")));
  EXPECT_EQ(changes, 1);
  // Refused names and an existing folder: the box, and nothing moves.
  for (const char* nom : {"two", "a/b", "..", ""}) {
    SCOPED_TRACE(nom);
    EXPECT_EQ(TexteBoite([&] { EXPECT_FALSE(t.RenommerSelection(nom)); }), t.TexteNomDossierInvalide);
    EXPECT_EQ(n->text(0), "first");
  }
  EXPECT_TRUE(d.exists("first") && d.exists("two"));
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  t.setCurrentItem(t.topLevelItem(0));
  QApplication::sendEvent(&t, &f2);
  EXPECT_FALSE(t.findChild<QLineEdit*>()) << "a root keeps its name";
}

TEST(VxFilSys, TreeAdoptsFileListAndHidesSelection) {
  QTemporaryDir tmp;
  ASSERT_TRUE(QDir(tmp.path()).mkpath("a"));
  QFile(tmp.filePath("a/x.sqt")).open(QIODevice::WriteOnly);
  QWidget fenetre;
  auto* panneau = new QWidget(&fenetre);
  auto* t = new TVxDirectoryTree(panneau, {tmp.path()});
  t->SelectionPen = 0x0000FF;
  ASSERT_TRUE(t->SetCurrentPath(tmp.filePath("a")));
  auto* l = new TVxFileListBox(&fenetre);
  EXPECT_EQ(t->FileList(), l);
  EXPECT_EQ(l->count(), 1);
  TVxFileListBox autre;
  autre.setParent(panneau);
  EXPECT_EQ(t->FileList(), l) << "only an empty link adopts";
  delete l;
  autre.setParent(&fenetre);
  EXPECT_EQ(t->FileList(), &autre);
  autre.setParent(nullptr);

  fenetre.resize(300, 200);
  t->resize(300, 200);
  auto rouge = [&] {
    const QImage i = t->viewport()->grab().toImage();
    for (int y = 0; y < i.height(); ++y)
      for (int x = 0; x < i.width(); ++x)
        if (i.pixelColor(x, y) == Qt::red) return true;
    return false;
  };
  EXPECT_TRUE(rouge()) << "unfocused: the outline";
  t->SetHideSelection(true);
  EXPECT_FALSE(rouge());
}

TEST(VxFilSys, WheelScrollsByLinesAndStopsAtTheTop) {
  QTemporaryDir tmp;
  for (int i = 0; i < 40; ++i) ASSERT_TRUE(QDir(tmp.path()).mkpath(QString("d%1").arg(i, 2, 10, QChar('0'))));
  TVxDirectoryTree t(nullptr, {tmp.path()});
  t.expandAll();
  TVxDirectoryListBox dl;
  dl.SetDirectory(tmp.path());
  TVxFileListBox fl;
  fl.FileType = TVxFileListBox::ftDirectory;
  fl.SetDirectory(tmp.path());
  const int pas = QApplication::wheelScrollLines();
  for (QAbstractItemView* v : std::initializer_list<QAbstractItemView*>{&t, &dl, &fl}) {
    v->resize(200, 60);  // under three lines: a notch still moves by the full count
    v->show();
    QScrollBar* b = v->verticalScrollBar();
    ASSERT_GT(b->maximum(), 2 * pas);
    const int un = b->singleStep() * pas;
    struct Cas {
      int depart, crans, arrivee;
    } cas[] = {{0, 1, 0}, {0, -1, un}, {0, -2, 2 * un}, {2 * un, 1, un}, {1, 1, 0}};
    for (const Cas& c : cas) {
      b->setValue(c.depart);
      Molette(v->viewport(), c.crans);
      EXPECT_EQ(b->value(), c.arrivee) << v->metaObject()->className() << " from " << c.depart;
    }
  }
}

TEST(VxFilSys, ListsItemHeightColumnsAndPictures) {
  QTemporaryDir tmp;
  const QDir d(tmp.path());
  ASSERT_TRUE(d.mkpath("a/b/c"));
  for (int i = 0; i < 12; ++i) QFile(d.filePath(QString("f%1").arg(i))).open(QIODevice::WriteOnly);
  TVxFileListBox l;
  QFont f = l.font();
  f.setPixelSize(8);
  l.setFont(f);
  EXPECT_EQ(l.ItemHeight(), 18);
  l.SetShowGlyphs(false);
  EXPECT_EQ(l.ItemHeight(), FontLineHeight(f) - 3);
  f.setPixelSize(40);
  l.setFont(f);
  EXPECT_EQ(l.ItemHeight(), FontLineHeight(f) - 3);
  l.SetDirectory(tmp.path());
  EXPECT_EQ(l.sizeHintForRow(0), l.ItemHeight());
  l.resize(200, 4 * l.ItemHeight());
  l.show();
  l.SetColumns(2);
  l.doItemsLayout();
  EXPECT_GT(l.visualItemRect(l.item(11)).left(), l.visualItemRect(l.item(0)).left());
  l.setCurrentRow(3);
  EXPECT_EQ(l.LongName(), LongPathName(d.filePath("f11")));  // sorted by name, ignoring case: f0 f1 f10 f11
  EXPECT_EQ(l.ShortName(), l.FileName());

  TVxDirectoryListBox dl;
  dl.SetDirectory(d.filePath("a/b"));
  using I = TVxDirectoryListBox::Image;
  const int n = dl.count();
  ASSERT_GE(n, 4);
  EXPECT_EQ(Image(dl.item(n - 3)->icon()), Image(TVxDirectoryListBox::ImageDossier(I::imOuvert)));
  EXPECT_EQ(Image(dl.item(n - 2)->icon()), Image(TVxDirectoryListBox::ImageDossier(I::imCourant)));
  EXPECT_EQ(Image(dl.item(n - 1)->icon()), Image(TVxDirectoryListBox::ImageDossier(I::imFerme)));
  EXPECT_EQ(dl.item(n - 1)->text(), "c");
}
