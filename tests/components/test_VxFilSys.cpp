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

#include "components/VxFilSys.h"
#include "components/VxUtils.h"

namespace {

QImage Image(const QIcon& i, QIcon::Mode m = QIcon::Normal) { return i.pixmap(16, m).toImage(); }

void Touche(QWidget* w, int touche) {
  QKeyEvent e(QEvent::KeyPress, touche, Qt::NoModifier);
  QApplication::sendEvent(w, &e);
}

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
      {"/", "/", "/", ""},                         // the root is its own long form
      {d + "/Sub/", d + "/Sub/", d + "/Sub", ""},  // a trailing separator goes
      {d + "/Song.sqt", "Song.sqt", d + "/Song.sqt", "Song.sqt"},
      {d + "/dangling", "dangling", d + "/dangling", "dangling"},
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
  const std::vector<TMontage> m = LireMountinfo(
      "28 1 254:0 / / rw - ext4 /dev/vda rw\n"
      "40 28 8:17 / /media/My\\040Stick rw shared:5 master:1 - vfat /dev/sdb1 rw\n"
      "41 28 0:50 / /mnt/nas rw - nfs4 server:/export rw\n"
      "42 28 0:51 / /mnt/share rw - fuse.other //srv/music rw\n"
      "43 28 11:0 / /media/cd ro - iso9660 /dev/sr0 ro\n"
      "44 28 0:52 / /scratch rw - tmpfs tmpfs rw\n"
      "45 28 0:53 / /proc rw - proc proc rw\n"
      "broken line\n");
  ASSERT_EQ(m.size(), 7u);
  EXPECT_EQ(m[1].Racine + "|" + m[1].Source + "|" + QString::number(m[1].Majeur * 1000 + m[1].Mineur),
            "/media/My Stick|/dev/sdb1|8017");
  using enum TDriveType;
  const TDriveType attendus[] = {dtFixed, dtFixed, dtNetwork, dtNetwork, dtCDROM, dtRAM, dtUnknown};
  for (size_t i = 0; i < m.size(); ++i) EXPECT_EQ(GenreMontage(m[i], false), attendus[i]) << i;
  EXPECT_EQ(GenreMontage(m[1], true), dtFloppy);

  // The machine's drives: "/" first, no kernel interface among them, one tree root each.
  const std::vector<TLecteur> l = Lecteurs();
  ASSERT_FALSE(l.empty());
  EXPECT_EQ(l.front().Racine, "/");
  for (const TLecteur& x : l) EXPECT_FALSE(x.Racine.startsWith("/proc") || x.Racine.startsWith("/sys"));
  TVxDirectoryTree t;
  ASSERT_EQ(t.topLevelItemCount(), int(l.size()));
  EXPECT_EQ(t.topLevelItem(0)->text(0), TexteRacineArbre(l.front()));
  EXPECT_GE(TVxDriveComboBox().findData("/"), 0);
}

TEST(VxFilSys, DriveTextsAndDriveList) {
  using enum TDriveType;
  const std::vector<TLecteur> lecteurs = {
      {"/", dtFixed, "SYSTEM"},   {"/media/Usb", dtFloppy, "STICK"}, {"/mnt/nas", dtNetwork, "srv:/Music"},
      {"/media/cd", dtCDROM, ""}, {"/scratch", dtRAM, "ram"},        {"/odd", dtUnknown, ""}};
  const char* const arbre[] = {"/ System", "/media/Usb ", "/mnt/nas srv:/Music", "/media/cd ", "/scratch Ram", "/odd "};
  for (size_t i = 0; i < lecteurs.size(); ++i) EXPECT_EQ(TexteRacineArbre(lecteurs[i]), arbre[i]);

  TVxDriveComboBox c(nullptr, lecteurs);
  QStringList textes;
  for (int i = 0; i < c.count(); ++i) textes << c.itemText(i);
  EXPECT_EQ(textes, (QStringList{"/ SYSTEM", "/media/usb", "/mnt/nas srv:/Music", "/media/cd ", "/scratch ram"}));
  EXPECT_TRUE(Image(c.itemIcon(1)) != Image(c.itemIcon(0)) && Image(c.itemIcon(2)) != Image(c.itemIcon(3)));
  c.SetDrive("/mnt/nas");
  c.SetTextCase(TTextCase::tcUpperCase);
  EXPECT_EQ(c.itemText(1), "/MEDIA/USB");
  c.SetDriveTypes(DriveTypeBit(dtNetwork) | DriveTypeBit(dtUnknown));
  ASSERT_EQ(c.count(), 2);
  EXPECT_EQ(c.Drive() + c.itemText(1), "/mnt/nas/ODD");
  QFont f = c.font();
  f.setPixelSize(40);
  c.setFont(f);
  EXPECT_EQ(c.view()->sizeHintForRow(0), QFontMetrics(f).height());
  int entrees = 0;  // the frame's mouse tracking
  c.OnMouseEnter = [&] { ++entrees; };
  QEnterEvent e({1, 1}, {1, 1}, {1, 1});
  QApplication::sendEvent(&c, &e);
  EXPECT_EQ(entrees, 1);
}

TEST(VxFilSys, TreeRenamesByF2UnlessReadOnly) {
  QTemporaryDir tmp;
  const QDir d(tmp.path());
  for (const char* s : {"one", "two"}) ASSERT_TRUE(d.mkpath(s));
  TVxDirectoryTree t(nullptr, {tmp.path()});
  ASSERT_TRUE(t.SetCurrentPath(d.filePath("one")));
  QTreeWidgetItem* n = t.currentItem();
  EXPECT_NE(Image(n->icon(0), QIcon::Selected), Image(n->icon(0)));  // the selection shows an open folder
  t.SelectionPen = 0x0000FF;  // without the focus the selection is outlined, unless hidden
  for (bool cachee : {false, true}) {
    t.SetHideSelection(cachee);
    const QImage i = t.viewport()->grab().toImage().convertToFormat(QImage::Format_RGB32);
    const auto* p = reinterpret_cast<const QRgb*>(i.constBits());
    EXPECT_NE(std::find(p, p + i.width() * i.height(), qRgb(255, 0, 0)) != p + i.width() * i.height(), cachee);
  }
  t.show();
  int changes = 0;
  t.OnChange = [&] { ++changes; };
  Touche(&t, Qt::Key_F2);
  EXPECT_FALSE(t.findChild<QLineEdit*>()) << "read-only";
  t.ReadOnly = false;
  Touche(&t, Qt::Key_F2);
  auto* le = t.findChild<QLineEdit*>();
  ASSERT_TRUE(le);
  le->setText("first");
  Touche(le, Qt::Key_Return);
  QCoreApplication::sendPostedEvents();  // the delegate commits once the editor has seen the key
  EXPECT_TRUE(d.exists("first"));
  EXPECT_EQ(t.CurrentPath() + n->text(0), LongPathName(d.filePath("first")) + "first");
  EXPECT_EQ(changes, 1);
  // An existing folder and refused names: the box, and nothing moves.
  for (const char* nom : {"two", "a/b", "..", ""}) {
    QString boite;
    QTimer::singleShot(0, [&] {
      if (auto* b = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) boite = b->text(), b->done(0);
    });
    EXPECT_FALSE(t.RenommerSelection(nom));
    EXPECT_EQ(boite, t.TexteNomDossierInvalide) << nom;
  }
  EXPECT_TRUE(n->text(0) == "first" && d.exists("first") && d.exists("two"));
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  t.setCurrentItem(t.topLevelItem(0));
  Touche(&t, Qt::Key_F2);
  EXPECT_FALSE(t.findChild<QLineEdit*>()) << "a root keeps its name";
}

TEST(VxFilSys, TreeAdoptsAFileListOfItsWindow) {
  QTemporaryDir tmp;
  ASSERT_TRUE(QDir(tmp.path()).mkpath("a"));
  QFile(tmp.filePath("a/x.sqt")).open(QIODevice::WriteOnly);
  QWidget fenetre;
  auto* panneau = new QWidget(&fenetre);
  auto* t = new TVxDirectoryTree(panneau, {tmp.path()});
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
}

TEST(VxFilSys, ListsScrollItemHeightColumnsAndPictures) {
  QTemporaryDir tmp;
  const QDir d(tmp.path());
  ASSERT_TRUE(d.mkpath("a/b/c"));
  for (int i = 0; i < 40; ++i) ASSERT_TRUE(d.mkpath(QString("d%1").arg(i, 2, 10, QChar('0'))));
  for (int i = 0; i < 12; ++i) QFile(d.filePath(QString("f%1").arg(i))).open(QIODevice::WriteOnly);
  TVxDirectoryTree t(nullptr, {tmp.path()});
  t.expandAll();
  TVxDirectoryListBox dl;
  TVxFileListBox fl;
  fl.FileType = TVxFileListBox::ftDirectory;
  dl.FileList = &fl;
  dl.SetDirectory(tmp.path());
  for (QAbstractItemView* v : std::initializer_list<QAbstractItemView*>{&t, &dl, &fl}) {
    v->resize(200, 60);  // under three lines: a notch still moves by the full count
    v->show();
    QScrollBar* b = v->verticalScrollBar();
    const int un = b->singleStep() * QApplication::wheelScrollLines();
    ASSERT_GT(b->maximum(), 2 * un);
    const int cas[][3] = {{0, 1, 0}, {0, -2, 2 * un}, {2 * un, 1, un}, {1, 1, 0}};  // from, notches, to
    for (const auto& c : cas) {
      b->setValue(c[0]);
      QWheelEvent e({5, 5}, {5, 5}, {}, {0, 120 * c[1]}, Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
      QApplication::sendEvent(v->viewport(), &e);
      EXPECT_EQ(b->value(), c[2]) << v->metaObject()->className() << " from " << c[0];
    }
  }

  TVxFileListBox l;
  QFont f = l.font();
  for (int taille : {8, 40}) {
    f.setPixelSize(taille);
    l.setFont(f);
    l.SetShowGlyphs(true);
    EXPECT_EQ(l.ItemHeight(), std::max(18, FontLineHeight(f) - 3));
    l.SetShowGlyphs(false);
    EXPECT_EQ(l.ItemHeight(), FontLineHeight(f) - 3);
  }
  l.SetDirectory(tmp.path());
  EXPECT_EQ(l.sizeHintForRow(0), l.ItemHeight());
  l.resize(200, 4 * l.ItemHeight());
  l.show();
  l.SetColumns(2);
  l.doItemsLayout();
  EXPECT_GT(l.visualItemRect(l.item(11)).left(), l.visualItemRect(l.item(0)).left());
  l.setCurrentRow(3);  // f0 f1 f10 f11
  EXPECT_EQ(l.LongName() + l.ShortName(), LongPathName(d.filePath("f11")) + l.FileName());

  dl.SetDirectory(d.filePath("a/b"));
  const int n = dl.count();
  ASSERT_GE(n, 4);
  EXPECT_EQ(dl.item(n - 1)->text(), "c");
  for (auto i : {TVxDirectoryListBox::imOuvert, TVxDirectoryListBox::imCourant, TVxDirectoryListBox::imFerme})
    EXPECT_EQ(Image(dl.item(n - 3 + i)->icon()), Image(TVxDirectoryListBox::ImageDossier(i)));  // above, it, below
}
