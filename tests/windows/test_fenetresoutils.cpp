// The tool windows beside the main window (notation and drum assistants, dynamics palette): the
// keyboard after they close, their place after a playback, and modal dialogs above them.
#include <gtest/gtest.h>

#include <QApplication>
#include <QColorDialog>
#include <QDialogButtonBox>
#include <QFile>
#include <QKeyEvent>
#include <QLibraryInfo>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QWindow>

#include "components/FenetresOutils.h"
#include "components/FormPlace.h"
#include "dialogs/Apropos.h"
#include "dialogs/Assistant_Bat.h"
#include "dialogs/Classiq.h"
#include "dialogs/Dyna.h"
#include "dialogs/Sais_par.h"
#include "dialogs/SpeedT.h"
#include "editor/Navigation.h"
#include "midi/ui/SelMIDI.h"
#include "midi/ui/WaitMidi.h"
#include "FenetreFixture.h"
#include "platform/IniFile.h"
#include "settings/Langue.h"
#include "settings/ui/Pref.h"
#include "view/ui/preview.h"

namespace {
// The main window with its three tool windows, which go with it.
class FenetreOutils : public FenetreTest<> {
 protected:
  void SetUp() override {
    FenetreTest::SetUp();
    ClassForm = new TClassForm(f);
    DynaForm = new TDynaForm(f);
    Assistant_Bat_Form = new TAssistant_Bat_Form(f);
  }
  void TearDown() override {
    FenetreTest::TearDown();
    ClassForm = nullptr;
    DynaForm = nullptr;
    Assistant_Bat_Form = nullptr;
    SelMIDIForm = nullptr, Sais_Partition = nullptr, SpeedT_Form = nullptr;  // made by a test, gone with f
  }
};

// Runs `r` on the modal dialog that the next command opens, then closes it.
void SurDialogue(std::function<void(QWidget*)> r) {
  QTimer::singleShot(0, [r] {
    if (QWidget* w = QApplication::activeModalWidget()) {
      r(w);
      if (auto* d = qobject_cast<QDialog*>(w)) d->reject();
    }
  });
}
}  // namespace

// A note entered in the notation assistant, then the assistant closed from its menu or its own
// close button: the main window is active again and its keys work at once.
TEST_F(FenetreOutils, KeyboardWorksAfterTheNotationAssistantCloses) {
  for (const bool parMenu : {false, true}) {
    SCOPED_TRACE(parMenu);
    QTest::keyClick(f->Ed_Invisible, Qt::Key_1, Qt::ControlModifier);
    ASSERT_EQ(PisteCourante, 1);
    QTest::keyClick(f->Ed_Invisible, Qt::Key_3);
    f->Ac_Ass_Solfege->trigger();
    ASSERT_TRUE(ClassForm->isVisible());
    ClassForm->activateWindow();  // the user's click in it
    ASSERT_TRUE(QTest::qWaitForWindowActive(ClassForm));
    const int avant = Partition.Courante()->NbTemps[1];
    Curseur.Temps = avant + 1;
    QTest::mouseClick(ClassForm->Image1, Qt::LeftButton, Qt::NoModifier, QPoint(20, ClassForm->Image1->height() / 2));
    ASSERT_EQ(Partition.Courante()->NbTemps[1], avant + 1);
    if (parMenu)
      f->Ac_Ass_Solfege->trigger();
    else
      ClassForm->close();
    ASSERT_FALSE(ClassForm->isVisible());
    ASSERT_TRUE(QTest::qWaitFor([&] { return f->isActiveWindow(); }, 2000));
    QWidget* clavier = QApplication::focusWidget();
    ASSERT_EQ(clavier, f->Ed_Invisible);
    // Onto the beat just entered, another string, a fret.
    Curseur.Temps = avant + 1;
    Curseur.Corde = 1;
    QTest::keyClick(clavier, Qt::Key_Down);
    QTest::keyClick(clavier, Qt::Key_5);
    EXPECT_EQ(Curseur.Corde, 2);
    EXPECT_EQ(Partition.Courante()->Temps[1][avant + 1].Notes[2].Frette, 5);
    QTest::keyClick(clavier, Qt::Key_2, Qt::ControlModifier);
    EXPECT_EQ(PisteCourante, 2);
  }
}

// The assistants' commands are checked, the notation assistant's button down, while their windows
// show. Escape in the notation assistant is the main window's key: the assistant stays open.
TEST_F(FenetreOutils, AssistantCommandsAreCheckedWhileTheirWindowsShow) {
  auto* bouton = f->findChild<QToolButton*>(QStringLiteral("Bt_Ass_Solfege"));
  f->Ac_Ass_Solfege->trigger();
  QTest::keyClick(ClassForm, Qt::Key_Escape);
  EXPECT_TRUE(ClassForm->isVisible());
  EXPECT_TRUE(f->Ac_Ass_Solfege->isChecked());
  EXPECT_TRUE(bouton->isChecked());
  ClassForm->close();
  EXPECT_FALSE(f->Ac_Ass_Solfege->isChecked() || bouton->isChecked());
  f->ChangerPiste(8);
  EXPECT_TRUE(f->Ac_Ass_Percussion->isChecked());
  f->Ac_Ass_Percussion->trigger();
  EXPECT_FALSE(f->Ac_Ass_Percussion->isChecked() || Assistant_Bat_Form->isVisible());
}

// The palette and the notation assistant pass their keys on whole: a Page Down tapped there ends its
// scroll at its release, and the key in the digit row's place enters its digit on any layout
// (AZERTY gives "(" on the key of 5, X scan code 14).
TEST_F(FenetreOutils, ToolWindowsPassTheirKeysWhole) {
  for (QWidget* outil : {static_cast<QWidget*>(DynaForm), static_cast<QWidget*>(ClassForm)}) {
    SCOPED_TRACE(outil->metaObject()->className());
    outil->show();
    outil->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(outil));
    QTest::keyPress(outil, Qt::Key_PageDown);
    EXPECT_TRUE(f->TimerDefilement->isActive());
    QTest::keyRelease(outil, Qt::Key_PageDown);
    EXPECT_FALSE(f->TimerDefilement->isActive());
    EXPECT_FALSE(f->Defilement.ToucheEnfoncee);

    Curseur.Temps = 1;
    Curseur.Corde = 1;
    Partition.Courante()->Temps[1][1].Notes[1].Frette = -1;
    for (QEvent::Type t : {QEvent::KeyPress, QEvent::KeyRelease}) {
      QKeyEvent azerty(t, Qt::Key_ParenLeft, Qt::NoModifier, 14, 0x28, 0, QStringLiteral("("));
      QCoreApplication::sendEvent(outil, &azerty);
    }
    EXPECT_EQ(Partition.Courante()->Temps[1][1].Notes[1].Frette, 5);
    Curseur.RedessinTemps = 0;
    outil->hide();
  }
}

// Ctrl with a digit is a track change like the others: the drum assistant shows on track 8 and
// hides on any other. Whatever shows, it never writes a drum number into a fretted track.
TEST_F(FenetreOutils, DrumAssistantFollowsCtrlDigitsAndWritesOnlyDrums) {
  QTest::keyClick(f->Ed_Invisible, Qt::Key_8, Qt::ControlModifier);
  EXPECT_EQ(PisteCourante, 8);
  EXPECT_TRUE(Assistant_Bat_Form->isVisible());
  EXPECT_TRUE(f->Ac_Ass_Percussion->isEnabled());
  QTest::keyClick(f->Ed_Invisible, Qt::Key_1, Qt::ControlModifier);
  EXPECT_EQ(PisteCourante, 1);
  EXPECT_FALSE(Assistant_Bat_Form->isVisible());
  EXPECT_FALSE(f->Ac_Ass_Percussion->isEnabled());

  Assistant_Bat_Form->show();
  Assistant_Bat_Form->Liste->setCurrentRow(36 - TOUCHE_PERCUSSION_MIN);
  const TMesure avant = *Partition.Courante();
  Assistant_Bat_Form->ListeDblClick();
  Assistant_Bat_Form->BitBtn1->click();
  EXPECT_EQ(Partition.Courante()->NbTemps[1], avant.NbTemps[1]);
  for (int s = 1; s <= NB_CORDES_MAX; ++s)
    EXPECT_EQ(Partition.Courante()->Temps[1][1].Notes[s].Frette, avant.Temps[1][1].Notes[s].Frette) << s;
  Assistant_Bat_Form->hide();
}

// A modal dialog opened while the drum assistant or the dynamics palette is on screen stands in
// their layer, above them; so does the progress window.
TEST_F(FenetreOutils, ModalDialogStandsAboveTheToolWindows) {
  for (QWidget* outil : {static_cast<QWidget*>(DynaForm), static_cast<QWidget*>(Assistant_Bat_Form)}) {
    SCOPED_TRACE(outil->metaObject()->className());
    outil->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(outil));
    bool auDessus = false, vu = false;
    SurDialogue([&](QWidget* w) {
      vu = true;
      auDessus = w->windowHandle() && (w->windowHandle()->flags() & Qt::WindowStaysOnTopHint);
    });
    f->Ac_Ass_Transposer->trigger();
    EXPECT_TRUE(vu);
    EXPECT_TRUE(auDessus);
    TWaitMidiForm attente(f);
    attente.Etape(QStringLiteral("Looking for the tracks..."));
    EXPECT_TRUE(attente.windowHandle()->flags() & Qt::WindowStaysOnTopHint);
    outil->hide();
  }
}

// A language chosen at run time names the main window and every window that lives for the whole
// run and, where the system holds the toolkit's translation, the toolkit's own dialogs; English takes
// the latter back.
TEST_F(FenetreOutils, LanguageChangeTranslatesTheLongLivedWindowsAndTheToolkitDialogs) {
  const QString appli = RepertoireAppli, patche = PatcheLangue;
  const QStringList langues = ListeLangues, lignes = LignesPatch, table = TableMessages;
  RepertoireAppli = QStringLiteral(VEXO_LANG_DIR "/");
  ListeLangues = {QStringLiteral("English"), QString::fromUtf8("Français")};
  SelMIDIForm = new TSelMIDIForm(f), Sais_Partition = new TSais_Partition(f), SpeedT_Form = new TSpeedT_Form(f);
  const struct {
    std::function<QString()> texte;
    const char *francais, *anglais;
  } fenetres[] = {{[&] { return f->Menus.Mn_Fichier->title(); }, "&Fichier", "&File"},
                  {[] { return SelMIDIForm->windowTitle(); }, "Importation MIDI", "MIDI import"},
                  {[] { return Assistant_Bat_Form->windowTitle(); }, "Percussions", "Percussion"},
                  {[] { return Sais_Partition->windowTitle(); }, "Propriétés du morceau et des pistes", "Song and track properties"},
                  {[] { return SpeedT_Form->windowTitle(); }, "Entraînement au tempo", "Speed trainer"},
                  {[] { return ClassForm->windowTitle(); }, "Assistant solfège", "Notation assistant"},
                  {[] { return DynaForm->windowTitle(); }, "Nuance", "Dynamic"}};
  const bool qtFr = QFile::exists(QLibraryInfo::path(QLibraryInfo::TranslationsPath) + "/qtbase_fr.qm");
  for (const auto& [langue, annuler] : {std::pair{1, "Annuler"}, std::pair{0, "Cancel"}}) {
    f->Mn_Options_LangueLogNClick(langue);
    for (const auto& w : fenetres) EXPECT_EQ(w.texte().toStdString(), langue ? w.francais : w.anglais);
    if (!qtFr) continue;
    const QColorDialog d;
    EXPECT_EQ(d.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Cancel)->text().remove('&'), annuler);
  }
  RepertoireAppli = appli, PatcheLangue = patche, ListeLangues = langues, LignesPatch = lignes, TableMessages = table;
  if (!qtFr) GTEST_SKIP() << "qtbase_fr.qm (qt6-translations-l10n) is not installed: the toolkit's dialogs not checked";
}

// The palette moved by the user comes back to that place after a playback, not centred again.
TEST_F(FenetreOutils, ToolWindowKeepsItsPlaceOverAPlayback) {
  DynaForm->show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(DynaForm));
  // A move through the window system, as a drag of its title bar does.
  const QPoint place = f->geometry().topLeft() + QPoint(5, 7);
  DynaForm->windowHandle()->setFramePosition(place);
  ASSERT_TRUE(QTest::qWaitFor([&] { return DynaForm->pos() == place; }, 2000));
  f->BeforePlayback();
  EXPECT_FALSE(DynaForm->isVisible());
  f->AfterPlayback();
  ASSERT_TRUE(DynaForm->isVisible());
  EXPECT_EQ(DynaForm->pos(), place);
  DynaForm->hide();
}

// The frame, title bar included, is centred: the client area stands below the title bar's height.
TEST(CentrerSurEcran, FrameCentredAroundTheClientArea) {
  const struct {
    QRect ecran;
    QMargins cadre;
    QPoint coin;  // of a client area of 401 x 301
  } cas[] = {
      {{0, 0, 1280, 1024}, {}, {440, 362}},              // 439.5 and 361.5 go to even
      {{0, 0, 1280, 1024}, {1, 20, 1, 1}, {439, 371}},
      {{0, 30, 1280, 994}, {4, 24, 4, 4}, {440, 386}},  // a panel above the work area
  };
  for (const auto& c : cas) EXPECT_EQ(PositionCentree(c.ecran, QSize(401, 301), c.cadre), c.coin) << c.cadre.top();
}

// The windows that open centred on the screen do so even from a main window that is not, and a
// place the print preview stored wins over the centre.
TEST(CentrerSurEcran, WindowsOpenCentredOnTheScreenNotOverTheMainWindow) {
  QWidget principale;
  principale.setGeometry(1, 20, 200, 100);
  principale.show();
  const QString placements = CheminIniPlacement(QStringLiteral("Vexo.ini"));
  QFile::remove(placements);
  const QScreen* ecran = QGuiApplication::primaryScreen();
  ASSERT_TRUE(ecran);
  const struct {
    const char* nom;
    std::function<QDialog*()> creer;
  } cas[] = {
      {"preferences", [&] { return new TPref_Form(&principale); }},
      {"about", [&] { return new TAproposForm(&principale); }},
      {"print preview", [&] { return new TPreview_Form(&principale); }},
  };
  for (const auto& c : cas) {
    SCOPED_TRACE(c.nom);
    std::unique_ptr<QDialog> d(c.creer());
    d->show();
    EXPECT_EQ(d->geometry().topLeft(), PositionCentree(ecran->availableGeometry(), d->size(),
                                                       d->windowHandle()->frameMargins()));
  }
  {
    TIniFile ini(placements);
    TPlacementFenetre p;
    p.ShowCmd = 1;
    p.Normale = QRect(3, 4, 500, 400);
    EcrirePlacementIni(ini, QStringLiteral("Print_Preview"), p, ecran->geometry().size(),
                       int(std::lrint(ecran->logicalDotsPerInch())));
    ini.UpdateFile();
  }
  TPreview_Form apercu(&principale);
  apercu.show();
  EXPECT_EQ(apercu.geometry().topLeft(), QPoint(3, 4));
}
