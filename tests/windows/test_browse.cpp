// The file browser and the components it is built on: folder tree, combo box, window hook and
// form placement.
#include <gtest/gtest.h>

#include <QActionGroup>
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QEvent>
#include <QFile>
#include <QKeyEvent>
#include <QMenu>
#include <QSplitter>
#include <QTemporaryDir>
#include <QTimer>
#include <QTreeWidget>
#include <QToolButton>
#include <QLabel>
#include <QWheelEvent>

#include "tests/editor/EditFixture.h"
#include "components/FormPlace.h"
#include "components/VxCmboBx.h"
#include "components/VxFilSys.h"
#include "components/VxHook.h"
#include "files/ui/Browse.h"
#include "files/FichierSqt.h"
#include "files/ListeFichiersSqt.h"
#include "tests/midi/midi_outils.h"
#include "platform/Folders.h"
#include "platform/IniFile.h"
#include "settings/ConfigFile.h"
#include "settings/Langue.h"

namespace {

void Creer(const QDir& d, const QStringList& dossiers) {
  for (const QString& s : dossiers) ASSERT_TRUE(d.mkpath(s));
}

QStringList Enfants(const QTreeWidgetItem* n) {
  QStringList r;
  for (int i = 0; i < n->childCount(); ++i) r << n->child(i)->text(0);
  return r;
}

}  // namespace

TEST(VxDirectoryTree, ListsFoldersInOrderAndSelectsPaths) {
  QTemporaryDir tmp;
  const QDir d(tmp.path());
  Creer(d, {"b/x", "A", "a", "C", "Zz", ".cache/deep"});
  QFile(d.filePath("file.txt")).open(QIODevice::WriteOnly);
  const QString cwd = QDir::currentPath();
  TVxDirectoryTree t(nullptr, {tmp.path()});
  ASSERT_EQ(t.topLevelItemCount(), 1);
  // Upper-cased order, both spellings of "a" kept, no hidden folder and no file.
  EXPECT_EQ(Enfants(t.topLevelItem(0)), (QStringList{"A", "a", "b", "C", "Zz"}));

  const QString racine = LongPathName(tmp.path());
  struct Cas {
    QString chemin;
    bool accepte;
    QString courant;  // CurrentPath after
    QString noeud;    // text of the selected node
  } cas[] = {
      {d.filePath("b/x"), true, racine + "/b/x", "x"},
      {d.filePath("nope"), false, racine + "/b/x", "x"},
      {"", true, racine + "/b/x", "x"},
      {d.filePath("a") + "/", true, racine + "/a", "a"},
      // A hidden folder has no node: the path is kept, its nearest shown parent is selected.
      {d.filePath(".cache/deep"), true, racine + "/.cache/deep", racine},
  };
  for (const Cas& c : cas) {
    SCOPED_TRACE(c.chemin.toStdString());
    EXPECT_EQ(t.SetCurrentPath(c.chemin), c.accepte);
    EXPECT_EQ(t.CurrentPath(), c.courant);
    ASSERT_TRUE(t.currentItem());
    EXPECT_EQ(t.currentItem()->text(0), c.noeud);
  }
  // Filling and selecting never move the process's folder.
  EXPECT_EQ(QDir::currentPath(), cwd);
}

TEST(VxDirectoryTree, RefusedChangeKeepsTheSelection) {
  QTemporaryDir tmp;
  Creer(QDir(tmp.path()), {"one", "two"});
  TVxDirectoryTree t(nullptr, {tmp.path()});
  ASSERT_TRUE(t.SetCurrentPath(QDir(tmp.path()).filePath("one")));
  int changes = 0;
  t.OnChange = [&] { ++changes; };
  t.OnChanging = [] { return false; };
  t.setCurrentItem(t.topLevelItem(0)->child(1));
  EXPECT_EQ(t.currentItem()->text(0), "one");
  EXPECT_EQ(changes, 0);
  t.OnChanging = [] { return true; };
  t.setCurrentItem(t.topLevelItem(0)->child(1));
  EXPECT_EQ(t.CurrentPath(), LongPathName(tmp.path()) + "/two");
  EXPECT_EQ(changes, 1);
}

TEST(VxFileListBox, FoldersFirstThenNamesAndMasks) {
  QTemporaryDir tmp;
  const QDir d(tmp.path());
  Creer(d, {"zeta"});
  for (const char* f : {"b.sqt", "A.txt", "c.SQT"}) QFile(d.filePath(f)).open(QIODevice::WriteOnly);
  TVxFileListBox l;
  l.FileType = TVxFileListBox::ftNormal | TVxFileListBox::ftDirectory;
  l.SetDirectory(tmp.path());
  QStringList noms;
  for (const auto& e : l.Entrees()) noms << e.Name;
  EXPECT_EQ(noms, (QStringList{"zeta", "A.txt", "b.sqt", "c.SQT"}));
  EXPECT_TRUE(l.SetFileName(d.filePath("*.sqt")));  // a wildcard is a mask
  EXPECT_EQ(l.Mask(), "*.sqt");
  EXPECT_TRUE(l.SetFileName(d.filePath("b.sqt")));
  EXPECT_EQ(l.FileName(), LongPathName(d.filePath("b.sqt")));
  EXPECT_FALSE(l.SetFileName(d.filePath("none.sqt")));
}

TEST(FormPlacement, ScreenSizedKeyThenPlainKey) {
  QTemporaryDir tmp;
  TIniFile ini(tmp.filePath("Vexo.ini"));
  TPlacementFenetre p;
  p.ShowCmd = 3;
  p.Normale = QRect(10, 20, 300, 200);
  EcrirePlacementIni(ini, "Browser", p, QSize(1024, 768), 96);
  EXPECT_EQ(ini.ReadString("Browser", "NormPos(1024x768)", ""), "10,20,310,220");
  ini.WriteString("Browser", "NormPos", "1, 2 ,101,52");  // as if written last at another size

  struct Cas {
    QSize ecran;
    int ppi;
    bool trouve;
    QRect attendu;
  } cas[] = {
      {{1024, 768}, 96, true, {10, 20, 300, 200}},
      {{800, 600}, 96, true, {1, 2, 100, 50}},     // no key for this size: the plain one
      {{1024, 768}, 120, false, {0, 0, 640, 480}},  // another resolution: the position is ignored
  };
  for (const Cas& c : cas) {
    TPlacementFenetre lu;
    lu.Normale = QRect(0, 0, 640, 480);
    EXPECT_EQ(LirePlacementIni(ini, "Browser", c.ecran, c.ppi, lu), c.trouve);
    EXPECT_EQ(lu.Normale, c.attendu);
    EXPECT_EQ(lu.ShowCmd, 3);  // the state is read in any case
  }
  TPlacementFenetre vide;
  EXPECT_FALSE(LirePlacementIni(ini, "Print_Preview", QSize(1024, 768), 96, vide));
}

TEST(FormPlacement, StoresASplitterPanelWidth) {
  QTemporaryDir tmp;
  const QString ini = tmp.filePath("place.ini");
  auto creer = [&](QWidget& f) {
    auto* sp = new QSplitter(&f);
    auto* g = new QWidget(sp);
    g->setObjectName("Panel_Gauche");
    sp->addWidget(g);
    sp->addWidget(new QWidget(sp));
    sp->setSizes({100, 300});
    sp->resize(404, 100);
    auto* fs = new TFormStorage(&f);
    fs->IniFileName = ini;
    fs->IniSection = "Browser";
    fs->StoredProps = {"Panel_Gauche.Width"};
    return sp;
  };
  {
    QWidget f;
    QSplitter* sp = creer(f);
    f.show();
    sp->setSizes({170, 230});
    f.close();
  }
  EXPECT_EQ(TIniFile(ini).ReadInteger("Browser", "Panel_Gauche_Width", 0), 170);
  QWidget f;
  QSplitter* sp = creer(f);
  f.show();
  EXPECT_EQ(sp->sizes().value(0), 170);
}

TEST(VxWindowHook, BeforeHandlersCanKeepTheEventFromOthers) {
  struct Cible : QWidget {
    int vus = 0;
    bool event(QEvent* e) override {
      if (e->type() == QEvent::User) ++vus;
      return QWidget::event(e);
    }
  };
  struct Cas {
    bool premierArrete;  // the last attached hook's before-handler sets handled
    QStringList ordre;
    int vusParCible;
  } cas[] = {
      {false, {"avant2", "avant1", "apres2", "apres1"}, 1},
      {true, {"avant2", "apres2", "apres1"}, 0},
  };
  for (const Cas& c : cas) {
    Cible w;
    QStringList ordre;
    TVxWindowHook h1, h2;
    auto brancher = [&](TVxWindowHook& h, const QString& nom, bool arrete) {
      h.BeforeMessage = [&ordre, nom, arrete](TVxWindowHook*, QEvent* e, bool& traite) {
        if (e->type() != QEvent::User) return;
        ordre << "avant" + nom;
        traite = arrete;
      };
      h.AfterMessage = [&ordre, nom](TVxWindowHook*, QEvent* e, bool&) {
        if (e->type() == QEvent::User) ordre << "apres" + nom;
      };
      h.SetWinControl(&w);
    };
    brancher(h1, "1", false);
    brancher(h2, "2", c.premierArrete);
    QEvent e(QEvent::User);
    QCoreApplication::sendEvent(&w, &e);
    EXPECT_EQ(ordre, c.ordre);
    EXPECT_EQ(w.vus, c.vusParCible);
  }
}

TEST(VxLineComboBox, WheelAndTypedPrefix) {
  struct Combo : TVxLineComboBox {
    int bips = 0;
    void InvalidKey() override { ++bips; }
    void Roue(int delta) {
      QWheelEvent e(QPointF(5, 5), QPointF(5, 5), QPoint(), QPoint(0, delta), Qt::NoButton, Qt::NoModifier,
                    Qt::NoScrollPhase, false);
      wheelEvent(&e);
    }
    void Touche(int k, const QString& t = {}) {
      QKeyEvent e(QEvent::KeyPress, k, Qt::NoModifier, t);
      keyPressEvent(&e);
    }
  } c;
  c.addItems({"No jump", "Jump after 1 bar", "Just one", "Joy"});
  // The wheel stays within the items at both ends.
  struct Roue {
    int avant, delta, apres;
  } roues[] = {{3, -120, 3}, {0, 120, 0}, {1, -120, 2}, {2, 120, 1}};
  for (const Roue& r : roues) {
    c.setCurrentIndex(r.avant);
    c.Roue(r.delta);
    EXPECT_EQ(c.currentIndex(), r.apres);
  }
  c.Touche(Qt::Key_J, "J");
  EXPECT_EQ(c.currentIndex(), 1);
  c.Touche(Qt::Key_U, "u");
  EXPECT_EQ(c.currentIndex(), 1);
  c.Touche(Qt::Key_S, "s");
  EXPECT_EQ(c.currentIndex(), 2);  // "jus"
  c.Touche(Qt::Key_X, "x");
  EXPECT_EQ(c.currentIndex(), 2);  // nothing begins with "jusx"
  EXPECT_EQ(c.bips, 1);
  EXPECT_EQ(c.SearchText(), "Jus");
  c.Touche(Qt::Key_Escape);
  EXPECT_EQ(c.currentIndex(), 0);
  c.Touche(Qt::Key_Backspace);
  EXPECT_EQ(c.bips, 2);  // nothing typed to take back
}

TEST(VxLineComboBox, UnderlineByStyle) {
  TVxLineComboBox c;
  c.resize(120, 22);
  c.addItem("No jump");
  const QPalette pal = c.palette();
  const QColor fond = pal.color(c.backgroundRole()), ombre = pal.color(QPalette::Dark), clair = pal.color(QPalette::Light);
  struct Cas {
    TLineStyle style;
    QColor bas, haut;  // the two lines at height - 1 and height - 2
  } cas[] = {
      {TLineStyle::lsNone, fond, fond},
      {TLineStyle::lsFlat, Qt::black, fond},
      {TLineStyle::lsGroove, clair, ombre},
      {TLineStyle::lsBump, ombre, clair},
  };
  for (const Cas& k : cas) {
    c.SetLineStyle(k.style);
    const QImage img = c.grab().toImage();
    for (int x : {0, 60, 117}) {
      EXPECT_EQ(img.pixelColor(x, 21).rgb(), k.bas.rgb()) << int(k.style) << " x " << x;
      EXPECT_EQ(img.pixelColor(x, 20).rgb(), k.haut.rgb()) << int(k.style) << " x " << x;
    }
    EXPECT_EQ(img.pixelColor(118, 21).rgb(), fond.rgb());  // the line stops two pixels short
  }
}

TEST(ListeFichiersSqt, SizesSortsAndScan) {
  for (auto [octets, texte] : {std::pair{12345, "12 Ko"}, {12500, "12 Ko"}, {13500, "14 Ko"}, {999, "1 Ko"}, {0, "0 Ko"}})
    EXPECT_EQ(TailleKo(octets), texte);

  const cLigneList a{"b", 300, {}, "/x/", "b.sqt"}, b{"A", 100, {}, "/y/", "A.sqt"}, c{"c", 200, {}, "/X/", "c.sqt"};
  // The list reverses the column's ascending comparison itself when the order is descending.
  struct Cas {
    std::vector<int> clics;
    int colonne;
    bool croissant;
    int ab, bc, ac;  // ComparerLignes on the sort column
  } cas[] = {
      {{}, 0, true, 1, -1, -1},         // names ignore case: A, b, c
      {{1}, 1, true, 1, -1, 1},         // sizes: A 100, c 200, b 300
      {{1, 1}, 1, false, 1, -1, 1},     // the size column twice: descending
      {{1, 1, 3}, 3, true, -1, 1, 0},   // another column starts ascending; /x/ and /X/ are equal
  };
  for (const Cas& k : cas) {
    TTriBrowse t;
    for (int col : k.clics) t.Cliquer(col);
    EXPECT_EQ(t.Colonne, k.colonne);
    EXPECT_EQ(t.Croissant, k.croissant);
    EXPECT_EQ(ComparerLignes(a, b, t.Colonne), k.ab);
    EXPECT_EQ(ComparerLignes(b, c, t.Colonne), k.bc);
    EXPECT_EQ(ComparerLignes(a, c, t.Colonne), k.ac);
  }

  // A link back up the tree is not followed; the walk ends.
  QTemporaryDir tmp;
  const QDir d(tmp.path());
  Creer(d, {"sub/deeper"});
  ASSERT_TRUE(QFile::link(tmp.path(), d.filePath("sub/loop")));
  QStringList vus;
  TParcoursDossiers parcours(tmp.path());
  for (QString f = parcours.Suivant(); !f.isEmpty() && vus.size() < 10; f = parcours.Suivant())
    vus << QDir(tmp.path()).relativeFilePath(f);
  EXPECT_EQ(vus, (QStringList{".", "sub", "sub/deeper"}));
}

namespace {

class Browser : public EditTest {
 protected:
  QTemporaryDir tmp;
  QString repAvant;
  void SetUp() override {
    EditTest::SetUp();
    repAvant = RepWindows;
    RepWindows = DossierConfiguration();
    QFile::remove(CheminFichierConfig());
  }
  void TearDown() override {
    RepWindows = repAvant;
    EditTest::TearDown();
  }
  // A song of n measures with a title, saved in the temporary folder.
  void Ecrire(const QString& nom, int n, const char* titre) {
    midi_test::NouveauMorceau(n);
    for (int m = 1; m <= n; ++m) midi_test::AjouterTemps(1, m, 1920, 1, m % 12);
    Partition.Titre = titre;
    Partition.Auteur = "Someone";
    CheminFichier = QDir(tmp.path()).filePath(nom);
    ASSERT_TRUE(EnregistrerFichier());
  }
  // The browser shown on the temporary folder, its plays counted and none ever running.
  void Montrer(TBrowseForm& f, int& lectures) {
    f.JouerDepuisDebut = [&lectures] { ++lectures; };
    f.LectureEnCours = [] { return false; };
    f.show();
    QCoreApplication::processEvents();  // the window's first activation reads its settings
    ASSERT_TRUE(f.SystemTreeView1->SetCurrentPath(tmp.path()));
  }
};

}  // namespace

TEST_F(Browser, ListsSortsLoadsAndPlaysInTurn) {
  Ecrire("small.sqt", 1, "Small");
  Ecrire("big.sqt", 40, "Big");
  Ecrire("middle.sqt", 8, "Middle");
  QFile(QDir(tmp.path()).filePath("notes.txt")).open(QIODevice::WriteOnly);
  NouvellePartition();

  TBrowseForm f(nullptr, {tmp.path()});
  int lectures = 0;
  Montrer(f, lectures);
  ASSERT_EQ(f.ListView1->topLevelItemCount(), 3);
  auto noms = [&] {
    QStringList r;
    for (const cLigneList& l : f.LignesAffichees()) r << l.Nom;
    return r;
  };
  EXPECT_EQ(noms(), (QStringList{"big", "middle", "small"}));
  f.TrierColonne(1);
  f.TrierColonne(1);
  EXPECT_EQ(noms(), (QStringList{"big", "middle", "small"}));  // by size, descending
  f.TrierColonne(1);
  EXPECT_EQ(noms(), (QStringList{"small", "middle", "big"}));

  f.Ecouter->setChecked(true);
  f.JumpAfter->setCurrentIndex(3);  // five measures
  f.ListView1->setCurrentItem(f.ListView1->topLevelItem(1));
  EXPECT_EQ(AnsiToQString(Partition.Titre.view()), "Middle");
  EXPECT_EQ(f.TitleLib->text(), "Middle");
  EXPECT_EQ(f.NbBarLib->text(), "8");
  EXPECT_EQ(f.NbGBDLib->text(), "1 - 0 - 0");
  EXPECT_EQ(Modifie, 0);
  EXPECT_EQ(lectures, 1);
  EXPECT_EQ(f.MesuresAJouer(Partition.NbMesures), 5);

  f.LectureTerminee(false);  // the playback ended: on to the next file
  QCoreApplication::processEvents();
  EXPECT_EQ(AnsiToQString(Partition.Titre.view()), "Big");
  EXPECT_EQ(lectures, 2);
  f.LectureTerminee(true);  // stopped: stays
  QCoreApplication::processEvents();
  EXPECT_EQ(lectures, 2);

  // Another file chosen during a playback: the song is replaced only once the playback stopped.
  bool joue = true;
  int arrets = 0;
  f.LectureEnCours = [&] { return joue; };
  f.ArreterLecture = [&] { ++arrets; };
  f.ListView1->setCurrentItem(f.ListView1->topLevelItem(0));
  EXPECT_EQ(arrets, 1);
  EXPECT_EQ(AnsiToQString(Partition.Titre.view()), "Big");
  joue = false;
  f.LectureTerminee(true);
  QCoreApplication::processEvents();
  EXPECT_EQ(AnsiToQString(Partition.Titre.view()), "Small");
  EXPECT_EQ(lectures, 3);
}

TEST_F(Browser, OpensWhatItListsWhateverTheCaseOfTheExtension) {
  Ecrire("SONG.SQT", 2, "Upper");
  Ecrire("tune.Sqt", 3, "Mixed");
  NouvellePartition();
  QStringList legendes;
  vue.OnSetCaption = [&](const QString& t) { legendes << t; };

  TBrowseForm f(nullptr, {tmp.path()});
  f.JouerDepuisDebut = [] {};
  f.LectureEnCours = [] { return false; };
  f.show();
  QCoreApplication::processEvents();
  ASSERT_TRUE(f.SystemTreeView1->SetCurrentPath(tmp.path()));
  ASSERT_EQ(f.ListView1->topLevelItemCount(), 2);
  EXPECT_EQ(f.ListView1->topLevelItem(0)->text(0), "SONG");
  EXPECT_EQ(f.ListView1->topLevelItem(1)->text(0), "tune");

  // Clicked, then reached by the automatic advance: each opens under its own spelling.
  f.Ecouter->setChecked(true);
  f.JumpAfter->setCurrentIndex(1);
  f.ListView1->setCurrentItem(f.ListView1->topLevelItem(0));
  EXPECT_EQ(AnsiToQString(Partition.Titre.view()), "Upper");
  EXPECT_EQ(CheminFichier.toStdString(), QDir(tmp.path()).filePath("SONG.SQT").toStdString());
  f.LectureTerminee(false);
  QCoreApplication::processEvents();
  EXPECT_EQ(AnsiToQString(Partition.Titre.view()), "Mixed");
  EXPECT_EQ(NomFichier, "tune.Sqt");
  EXPECT_EQ(f.NbBarLib->text(), "3");
  EXPECT_TRUE(messages.empty());
  ASSERT_FALSE(legendes.isEmpty());
  EXPECT_TRUE(legendes.first().endsWith(" - SONG.SQT")) << legendes.join(" | ").toStdString();
  EXPECT_TRUE(legendes.last().endsWith(" - tune.Sqt")) << legendes.join(" | ").toStdString();
}

// A stored folder that went gives way to the program folder, one that is there but that the tree
// cannot show (a file, a folder on none of its drives) to the home folder.
TEST_F(Browser, StoredFolderGoneFallsBackAndSettingsAreWritten) {
  Creer(QDir(tmp.path()), {"arbre", "ailleurs"});
  QFile(tmp.filePath("fichier")).open(QIODevice::WriteOnly);
  const struct {
    const char* stocke;
    QString racine, attendu;
  } cas[] = {{"gone", "/", DossierProgramme()},
             {"arbre", "/", tmp.filePath("arbre")},
             {"fichier", "/", QDir::homePath()},
             {"ailleurs", tmp.filePath("arbre"), QDir::homePath()}};
  for (const auto& c : cas) {
    SCOPED_TRACE(c.stocke);
    TIniFile ini(CheminFichierConfig());
    ini.WriteString("Browser", "Directory", tmp.filePath(c.stocke));
    ini.WriteInteger("Browser", "JumpAfter", 4);
    ASSERT_TRUE(ini.UpdateFile());
    TBrowseForm f(nullptr, {c.racine});
    f.FormActivate();
    EXPECT_EQ(f.SystemTreeView1->CurrentPath(), LongPathName(c.attendu));
  }
  TBrowseForm f(nullptr, {"/"});
  f.FormActivate();
  EXPECT_EQ(f.JumpAfter->currentIndex(), 4);
  EXPECT_TRUE(f.MenusLecture[3]->isChecked());
  EXPECT_EQ(f.ListView1->columnWidth(0), 200);
  ASSERT_TRUE(f.SystemTreeView1->SetCurrentPath(tmp.path()));
  f.EcrireReglages();
  const TIniFile ini(CheminFichierConfig());
  EXPECT_EQ(ini.ReadString("Browser", "Directory", ""), LongPathName(tmp.path()));
  EXPECT_EQ(ini.ReadInteger("Browser", "WC4", 0), f.ListView1->columnWidth(3));
}

// The radio menu under the play button and JumpAfter show the same play length.
TEST_F(Browser, PlayLengthMenuFollowsJumpAfter) {
  const QStringList lignes = LignesPatch;
  LignesPatch.clear();  // the texts of no language file: the program's own
  TBrowseForm f(nullptr, {tmp.path()});
  LignesPatch = lignes;
  ASSERT_EQ(f.Ecouter->menu()->actions().first(), f.Menu_Lire1Mesure);
  EXPECT_EQ(f.Menu_Lire1Mesure->text().remove('&'), "Play 1 Bar");
  f.Menu_Lire1Mesure->trigger();
  EXPECT_EQ(f.MesuresAJouer(40), 1);
  f.JumpAfter->setCurrentIndex(6);
  EXPECT_TRUE(f.MenusLecture[5]->isChecked());
  f.JumpAfter->setCurrentIndex(0);  // no jump: none checked
  EXPECT_EQ(f.Menu_Lire1Mesure->actionGroup()->checkedAction(), nullptr);
}

TEST_F(Browser, ClosingDuringAScanStopsItFirst) {
  const QDir d(tmp.path());
  for (int i = 0; i < 30; ++i) Creer(d, {QString("f%1/g").arg(i)});
  TBrowseForm f(nullptr, {tmp.path()});
  f.show();
  QCoreApplication::processEvents();
  ASSERT_TRUE(f.SystemTreeView1->SetCurrentPath(tmp.path()));
  QTimer::singleShot(0, &f, [&] { f.close(); });  // arrives while the scan lists its folders
  f.ScannerSousRep();
  auto attendre = [](auto encore) {
    for (QDeadlineTimer limite(5000); encore() && !limite.hasExpired();) QCoreApplication::processEvents();
  };
  attendre([&] { return f.EnScan(); });
  EXPECT_FALSE(f.EnScan());
  EXPECT_TRUE(f.isVisible());  // the scan stopped first; the window closes after it
  attendre([&] { return f.isVisible(); });
  EXPECT_FALSE(f.isVisible());
}

// The play-through goes on past a file it cannot read: after its message, the next file plays.
TEST_F(Browser, PlayThroughGoesOnPastAnUnreadableFile) {
  Ecrire("a.sqt", 2, "First");
  Ecrire("c.sqt", 3, "Third");
  {
    QFile abime(QDir(tmp.path()).filePath("b.sqt"));
    ASSERT_TRUE(abime.open(QIODevice::WriteOnly));
    abime.write("not a song at all");
  }
  NouvellePartition();
  TBrowseForm f(nullptr, {tmp.path()});
  int lectures = 0;
  Montrer(f, lectures);
  ASSERT_EQ(f.ListView1->topLevelItemCount(), 3);
  f.Ecouter->setChecked(true);
  f.JumpAfter->setCurrentIndex(1);
  f.ListView1->setCurrentItem(f.ListView1->topLevelItem(0));
  ASSERT_EQ(lectures, 1);
  f.LectureTerminee(false);
  QCoreApplication::processEvents();
  EXPECT_EQ(f.ListView1->currentItem(), f.ListView1->topLevelItem(1));
  EXPECT_EQ(messages.size(), 1u);  // b cannot be read
  QCoreApplication::processEvents();
  EXPECT_EQ(f.ListView1->currentItem(), f.ListView1->topLevelItem(2));
  EXPECT_EQ(AnsiToQString(Partition.Titre.view()), "Third");
  EXPECT_EQ(lectures, 2);
  EXPECT_TRUE(f.Ecouter->isChecked());

  // Not playing through (no jump, or the button up): the unreadable file stays selected.
  for (const bool enfonce : {true, false}) {
    f.JumpAfter->setCurrentIndex(enfonce ? 0 : 1);
    f.Ecouter->setChecked(enfonce);
    f.ListView1->setCurrentItem(f.ListView1->topLevelItem(1));
    QCoreApplication::processEvents();
    EXPECT_EQ(f.ListView1->currentItem(), f.ListView1->topLevelItem(1)) << enfonce;
  }
  EXPECT_EQ(lectures, 2);
}

// While a scan hides the list, the information labels stay where they were.
TEST_F(Browser, LabelsKeepTheirPlaceDuringAScan) {
  Creer(QDir(tmp.path()), {"one", "two"});
  TBrowseForm f(nullptr, {tmp.path()});
  f.resize(760, 480);
  f.show();
  QCoreApplication::processEvents();
  ASSERT_TRUE(f.SystemTreeView1->SetCurrentPath(tmp.path()));
  QCoreApplication::processEvents();
  QList<QRect> avant;
  for (QLabel* l : f.Legende) avant << l->geometry();
  f.ScannerSousRep();
  ASSERT_TRUE(f.EnScan());
  ASSERT_FALSE(f.ListView1->isVisible());
  QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);  // the scan runs on timers, not yet
  ASSERT_TRUE(f.EnScan());
  for (int i = 0; i < 5; ++i) EXPECT_EQ(f.Legende[i]->geometry(), avant[i]) << i;
  for (QDeadlineTimer limite(5000); f.EnScan() && !limite.hasExpired();) QCoreApplication::processEvents();
}
