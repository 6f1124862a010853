// The folder tree, the drive, folder and file lists, the mount table they read and the long-name
// routines.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMessageBox>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "components/VxFilSys.h"
#include "components/VxUtils.h"

namespace {

QImage Image(const QIcon& i, QIcon::Mode m = QIcon::Normal) { return i.pixmap(16, m).toImage(); }

// The children of a node, in their order.
std::string Enfants(const QTreeWidgetItem* n) {
  QStringList r;
  for (int i = 0; i < n->childCount(); ++i) r << n->child(i)->text(0);
  return r.join(",").toStdString();
}

void Touche(QWidget* w, int touche) {
  QKeyEvent e(QEvent::KeyPress, touche, Qt::NoModifier);
  QApplication::sendEvent(w, &e);
}

// What an edit's end posts, and what that posts in turn: the delegate's commit, then the rename.
void Poste() {
  QCoreApplication::sendPostedEvents();
  QCoreApplication::sendPostedEvents();
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
  // The root is its own parent.
  for (const QString& c : {QString("/.."), QString("/../.."), QString("/../") + d})
    EXPECT_EQ(LongPathName(c), c.endsWith("..") ? "/" : d) << c.toStdString();
  TVxDirectoryListBox dl;
  dl.SetDirectory("/..");
  EXPECT_EQ(dl.Directory() + "|" + dl.currentItem()->text(), "/|/");
}

TEST(VxFilSys, MountTableAndDriveKinds) {
  const std::vector<TMontage> m = LireMountinfo(
      "28 1 254:0 / / rw - ext4 /dev/vda rw\n"
      "40 28 8:17 / /media/My\\040Stick\\134\\011 rw shared:5 master:1 - vfat /dev/sdb1 rw\n"
      "41 28 0:50 / /mnt/nas rw - nfs4 server:/export rw\n"
      "42 28 0:51 / /mnt/share rw - fuse.other //srv/music rw\n"
      "43 28 11:0 / /media/cd ro - iso9660 /dev/sr0 ro\n"
      "44 28 0:52 / /scratch rw - tmpfs tmpfs rw\n"
      "45 28 0:53 / /proc rw - proc proc rw\n"
      "broken line\n");
  ASSERT_EQ(m.size(), 7u);
  EXPECT_EQ(m[1].Racine + "|" + m[1].Source + "|" + QString::number(m[1].Majeur * 1000 + m[1].Mineur),
            "/media/My Stick\\\t|/dev/sdb1|8017");
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
  // The case goes to the volume label: the mount point and the remote name are paths.
  EXPECT_EQ(textes, (QStringList{"/ system", "/media/Usb", "/mnt/nas srv:/Music", "/media/cd ", "/scratch ram"}));
  for (int i = 0; i < c.count(); ++i)  // one picture per kind, each fitting the row
    for (int j = 0; j < i; ++j) EXPECT_NE(Image(c.itemIcon(i)), Image(c.itemIcon(j))) << i << " " << j;
  c.SetDrive("/mnt/nas");
  c.SetTextCase(TTextCase::tcUpperCase);
  EXPECT_EQ(c.itemText(0) + "|" + c.itemText(1) + "|" + c.itemText(2), "/ SYSTEM|/media/Usb|/mnt/nas srv:/Music");
  c.SetDriveTypes(DriveTypeBit(dtNetwork) | DriveTypeBit(dtUnknown));
  ASSERT_EQ(c.count(), 2);
  EXPECT_EQ(c.Drive() + c.itemText(1), "/mnt/nas/odd");
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
  // Without the focus the selection is outlined in the pen's colour and style, unless hidden.
  struct {
    bool cachee;
    TPenStyle style;
    int rouges;  // pixels of the outline: none, some, or all of a solid one
  } contours[] = {{false, TPenStyle::psSolid, 2},
                  {true, TPenStyle::psSolid, 0},
                  {false, TPenStyle::psClear, 0},
                  {false, TPenStyle::psDot, 1}};
  qsizetype plein = 0;
  for (const auto& c : contours) {
    t.SetSelectionPen({0x0000FF, 1, c.style});
    t.SetHideSelection(c.cachee);
    const QImage i = t.viewport()->grab().toImage().convertToFormat(QImage::Format_RGB32);
    const auto* p = reinterpret_cast<const QRgb*>(i.constBits());
    const qsizetype n = std::count(p, p + i.width() * i.height(), qRgb(255, 0, 0));
    if (c.rouges == 2) plein = n;
    EXPECT_TRUE(c.rouges == 0 ? n == 0 : c.rouges == 2 ? n > 20 : n > 0 && n < plein) << n;
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
  Poste();
  EXPECT_TRUE(d.exists("first"));
  EXPECT_EQ(t.CurrentPath() + n->text(0), LongPathName(d.filePath("first")) + "first");
  EXPECT_EQ(changes, 1);
  // An existing folder and refused names: the box, and nothing moves.
  for (const char* nom : {"two", "a/b", "..", ""}) {
    QString boite;
    QTimer::singleShot(0, [&] {
      if (auto* b = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) boite = b->text(), b->done(0);
    });
    EXPECT_FALSE(t.Renommer(n, nom));
    EXPECT_EQ(boite, t.TexteNomDossierInvalide) << nom;
  }
  EXPECT_TRUE(n->text(0) == "first" && d.exists("first") && d.exists("two"));

  // The same refusal through the keys: one box, the old name kept, and the tree still usable.
  t.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&t));
  QStringList boites;
  QTimer repondeur;
  QObject::connect(&repondeur, &QTimer::timeout, [&] {
    if (auto* b = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) boites << b->text(), b->done(0);
  });
  repondeur.start(5);
  Touche(&t, Qt::Key_F2);
  le = t.findChild<QLineEdit*>();
  ASSERT_TRUE(le);
  le->selectAll();
  QTest::keyClicks(le, "two");
  QTest::keyClick(le, Qt::Key_Return);
  QTest::qWait(50);
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_EQ(boites, QStringList{t.TexteNomDossierInvalide});
  EXPECT_TRUE(n->text(0) == "first" && d.exists("first") && changes == 1);
  repondeur.stop();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  t.setCurrentItem(t.topLevelItem(0));
  Touche(&t, Qt::Key_F2);
  EXPECT_FALSE(t.findChild<QLineEdit*>()) << "a root keeps its name";
}

// Whatever ends the edit of a folder's name, that folder is the one renamed, and a refused name
// has its box.
TEST(VxFilSys, TreeRenamesTheEditedFolderWhateverEndsTheEdit) {
  using Fin = std::function<void(TVxDirectoryTree&, QLineEdit*)>;
  const Fin tab = [](auto&, QLineEdit* le) { QTest::keyClick(le, Qt::Key_Tab); };
  const Fin retourTab = [](auto&, QLineEdit* le) { QTest::keyClick(le, Qt::Key_Backtab, Qt::ShiftModifier); };
  const Fin clic = [](TVxDirectoryTree& t, QLineEdit*) {
    QTest::mouseClick(t.viewport(), Qt::LeftButton, {}, t.visualItemRect(t.topLevelItem(0)->child(1)).center());
  };
  const struct {
    const char *depart, *saisie;
    Fin fin;
    const char* dossiers;  // on disk and in the tree after
    int boites;
  } cas[] = {
      {"alpha", "zzz", tab, "beta,gamma,zzz", 0},
      {"gamma", "zzz", retourTab, "alpha,beta,zzz", 0},
      {"alpha", "zzz", clic, "beta,gamma,zzz", 0},
      {"alpha", "beta", tab, "alpha,beta,gamma", 1},  // taken: refused
  };
  for (const auto& c : cas) {
    SCOPED_TRACE(std::string(c.depart) + " " + c.saisie + " " + std::to_string(&c - cas));
    QTemporaryDir tmp;
    const QDir d(tmp.path());
    for (const char* s : {"alpha", "beta", "gamma"}) ASSERT_TRUE(d.mkpath(s));
    TVxDirectoryTree t(nullptr, {tmp.path()});
    t.ReadOnly = false;
    ASSERT_TRUE(t.SetCurrentPath(d.filePath(c.depart)));
    t.show();
    int boites = 0;
    QTimer repondeur;
    QObject::connect(&repondeur, &QTimer::timeout, [&] {
      if (auto* b = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) ++boites, b->done(0);
    });
    repondeur.start(5);
    Touche(&t, Qt::Key_F2);
    auto* le = t.findChild<QLineEdit*>();
    ASSERT_TRUE(le);
    le->selectAll();
    QTest::keyClicks(le, c.saisie);
    c.fin(t, le);
    Poste();
    t.topLevelItem(0)->sortChildren(0, Qt::AscendingOrder);
    EXPECT_EQ(d.entryList(QDir::Dirs | QDir::NoDotAndDotDot).join(",").toStdString(), c.dossiers);
    EXPECT_EQ(Enfants(t.topLevelItem(0)), c.dossiers);
    EXPECT_EQ(boites, c.boites);
    EXPECT_EQ(t.CurrentPath().toStdString(), LongPathName(d.filePath("beta")).toStdString());  // where each end goes
  }
}

// The tree, or its window, deleted while one of the tree's boxes is up (a refused name, a drive
// that cannot be read): at once, or later, when the tree goes once the box has closed.
TEST(VxFilSys, TreeDeletedUnderItsBox) {
  for (const bool racine : {false, true})
    for (const auto& [fenetre, plusTard] : {std::pair{false, true}, {false, false}, {true, true}, {true, false}}) {
      SCOPED_TRACE(std::to_string(racine) + std::to_string(fenetre) + std::to_string(plusTard));
      QTemporaryDir tmp;
      const QDir d(tmp.path());
      for (const char* s : {"alpha", "beta"}) ASSERT_TRUE(d.mkpath(s));
      auto* f = new QWidget;
      auto* t = new TVxDirectoryTree(f, {tmp.path(), d.filePath("gone")});
      const QPointer<QObject> gardes[] = {t, f};
      t->ReadOnly = false;
      ASSERT_TRUE(t->SetCurrentPath(d.filePath("alpha")));
      f->show();
      bool demande = false;
      QTimer repondeur;
      QObject::connect(&repondeur, &QTimer::timeout, [&] {
        auto* b = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        QObject* cible = fenetre ? static_cast<QObject*>(f) : t;
        if (b && demande) b->done(0);
        else if (b) demande = true, plusTard ? cible->deleteLater() : delete cible;
      });
      repondeur.start(5);
      if (racine) {
        t->setCurrentItem(t->topLevelItem(1));
      } else {  // leaving the folder ends its edit, through the tree's own events
        Touche(t, Qt::Key_F2);
        t->findChild<QLineEdit*>()->setText("a/b");
        Touche(t, Qt::Key_Down);
      }
      Poste();
      EXPECT_TRUE(demande);
      QTest::qWait(20);
      EXPECT_TRUE(gardes[0].isNull());
      EXPECT_EQ(gardes[1].isNull(), fenetre);
      delete gardes[1].data();
      EXPECT_EQ(d.entryList(QDir::Dirs | QDir::NoDotAndDotDot).join(",").toStdString(), "alpha,beta");
    }
}

// A link is what it leads to: folders and links to folders are folders, files and links to files
// are files; a pipe, a device, links to them and a link to nothing are neither.
TEST(VxFilSys, OnlyFoldersAndLinksToFoldersAreFolders) {
  QTemporaryDir tmp;
  const QDir d(tmp.path());
  ASSERT_TRUE(d.mkpath("real"));
  ASSERT_TRUE(QFile(d.filePath("plain")).open(QIODevice::WriteOnly));
  ASSERT_EQ(mkfifo(QFile::encodeName(d.filePath("pipe")).constData(), 0600), 0);
  for (const auto& [cible, lien] : {std::pair{"real", "to-real"}, {"plain", "to-plain"}, {"pipe", "to-pipe"},
                                    {"/dev/null", "to-device"}, {"gone", "to-nothing"}})
    ASSERT_TRUE(QFile::link(cible, d.filePath(lien)));
  EXPECT_EQ(Enfants(TVxDirectoryTree(nullptr, {tmp.path()}).topLevelItem(0)), "real,to-real");
  const std::pair<int, const char*> listes[] = {{TVxFileListBox::ftDirectory, "real,to-real"},
                                                {TVxFileListBox::ftNormal, "plain,to-plain"}};
  for (const auto& [genre, attendu] : listes) {
    TVxFileListBox l;
    l.FileType = genre;
    l.SetDirectory(tmp.path());
    QStringList entrees;
    for (const TVxFileInfo& e : l.Entrees()) entrees << e.Name;
    EXPECT_EQ(entrees.join(",").toStdString(), attendu);
    EXPECT_FALSE(l.SetFileName(d.filePath("to-pipe")) || l.SetFileName(d.filePath("to-device")));
  }
}

// Counts the paint events a widget receives.
struct CompteurPeinture : QObject {
  int n = 0;
  bool eventFilter(QObject*, QEvent* e) override {
    n += e->type() == QEvent::Paint;
    return false;
  }
};

TEST(VxFilSys, FramesShowAroundTheViewAndRepaintWhenSet) {
  QTemporaryDir tmp;
  for (int i = 0; i < 30; ++i) ASSERT_TRUE(QDir(tmp.path()).mkpath(QString("d%1").arg(i)));
  TVxDirectoryTree t(nullptr, {tmp.path()});
  t.expandAll();
  TVxDirectoryListBox dl;
  dl.SetDirectory(tmp.path());
  TVxFileListBox fl;
  fl.FileType = TVxFileListBox::ftDirectory;
  fl.SetDirectory(tmp.path());
  const std::pair<QAbstractScrollArea*, TCadreVue*> vues[] = {{&t, &t}, {&dl, &dl}, {&fl, &fl}};
  for (auto [w, cadre] : vues) {
    SCOPED_TRACE(w->metaObject()->className());
    w->resize(160, 90);  // scroll bars reach the edges
    w->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(w));
    CompteurPeinture peint;
    w->installEventFilter(&peint);
    const std::function<void()> reglages[] = {
        [&] { cadre->SetFrameVisible(true); },
        [&] { cadre->SetFrameColor(0x0000FF); },
        [&] { cadre->SetFrameSides(sdLeft); },
        [&] { cadre->SetFrameSides(sdLeft | sdTop | sdRight | sdBottom); },
        [&] { cadre->SetFrameFlatStyle(TFrameStyle::fsLowered); },
        [&] { cadre->SetFrameFocusStyle(TFrameStyle::fsRaised); },
        [&] { cadre->SetFrameStyle(TFrameStyle::fsRaised); },
        [&] { cadre->SetFrameStyle(TFrameStyle::fsFlat); },
    };
    for (size_t i = 0; i < std::size(reglages); ++i) {
      QCoreApplication::processEvents();
      peint.n = 0;
      reglages[i]();
      QCoreApplication::processEvents();
      EXPECT_GT(peint.n, 0) << "setter " << i;
    }
    // The frame's lines, inside the erased edge, on all four sides.
    const QImage im = w->grab().toImage();
    const int l = im.width(), h = im.height();
    for (QPoint p : {QPoint(2, h / 2), QPoint(l / 2, 2), QPoint(l - 3, h / 2), QPoint(l / 2, h - 3)})
      EXPECT_EQ(im.pixel(p), qRgb(255, 0, 0)) << p.x() << "," << p.y();
    w->removeEventFilter(&peint);
  }
  {
    // The file list's colour fills its background and repaints the visible frame.
    CompteurPeinture peint;
    fl.installEventFilter(&peint);
    fl.SetColor(0x00FFFF);
    QCoreApplication::processEvents();
    EXPECT_GT(peint.n, 0) << "the file list's colour";
    fl.removeEventFilter(&peint);
    const QImage im = fl.viewport()->grab().toImage();
    EXPECT_EQ(im.pixel(im.width() - 2, im.height() - 2), qRgb(255, 255, 0));
  }
  CompteurPeinture peint;
  t.viewport()->installEventFilter(&peint);
  t.SetSelectionPen({0x00FF00, 1, TPenStyle::psDot});
  QCoreApplication::processEvents();
  EXPECT_GT(peint.n, 0) << "the selection pen";
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

  // Every picture as large as the others and within its row, whatever sizes the theme offers.
  for (QAbstractItemView* v : std::initializer_list<QAbstractItemView*>{&t, &dl, &fl}) {
    const QSize s = v->iconSize();
    EXPECT_TRUE(s.height() > 0 && s.height() <= v->sizeHintForRow(0)) << v->metaObject()->className();
  }
  std::vector<QIcon> images{t.topLevelItem(0)->child(0)->icon(0)};
  for (auto i : {TVxDirectoryListBox::imOuvert, TVxDirectoryListBox::imCourant, TVxDirectoryListBox::imFerme})
    images.push_back(TVxDirectoryListBox::ImageDossier(i));
  for (int k = int(TDriveType::dtUnknown); k <= int(TDriveType::dtRAM); ++k)
    images.push_back(IconeLecteur(TDriveType(k)));
  for (const QIcon& i : images) EXPECT_EQ(i.actualSize({64, 64}), QSize(16, 16));
}

TEST(VxFilSys, FileNamesAreNamesAndAFailedOneChangesNothing) {
  QTemporaryDir tmp;
  const QDir d(tmp.path());
  ASSERT_TRUE(d.mkpath("sub"));
  for (const char* f : {"a.sqt", "x[1].wav", "x1.wav", "..dots.wav", "sub/b.sqt"})
    QFile(d.filePath(f)).open(QIODevice::WriteOnly);
  TVxDirectoryListBox dl;
  TVxFileListBox l;
  dl.FileList = &l;
  l.DirList = &dl;
  dl.SetDirectory(tmp.path());
  l.SetMask("*.sqt");
  const QString racine = LongPathName(tmp.path()), sous = racine + "/sub";
  struct Cas {
    QString nom;
    bool ok;
    QString dossier, masque, liste;  // the list's and its folder list's folder, the mask, the entries
  } cas[] = {
      {d.filePath("x[1].wav"), true, racine, "x[1].wav", "x[1].wav"},  // outside the mask, brackets and all
      {d.filePath("gone/a.sqt"), false, racine, "x[1].wav", "x[1].wav"},
      {d.filePath("none.sqt"), false, racine, "x[1].wav", "x[1].wav"},
      {d.filePath("..dots.wav"), false, racine, "x[1].wav", "x[1].wav"},  // hidden: no entry of this list
      {d.filePath("sub/b.sqt"), true, sous, "b.sqt", "b.sqt"},
      {d.filePath("x?.wav"), true, racine, "x?.wav", "x1.wav"},  // a wildcard is a mask
  };
  for (const Cas& c : cas) {
    SCOPED_TRACE(c.nom.toStdString());
    EXPECT_EQ(l.SetFileName(c.nom), c.ok);
    QStringList entrees;
    for (int i = 0; i < l.count(); ++i) entrees << l.item(i)->text();
    EXPECT_EQ((l.Directory() + "|" + dl.Directory() + "|" + l.Mask() + "|" + entrees.join(",")).toStdString(),
              (c.dossier + "|" + c.dossier + "|" + c.masque + "|" + c.liste).toStdString());
    if (c.ok && !c.masque.contains('?')) {
      EXPECT_EQ(l.FileName(), LongPathName(c.nom));
    }
  }
}
