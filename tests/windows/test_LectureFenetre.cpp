// The main window's playback through its media player: the window half of the playback tests
// (test_Lecture.cpp holds the engine's), so that those run without the windows.
#include <gtest/gtest.h>

#include "tests/platform/SonTest.h"

#include <QApplication>
#include <QDir>
#include <QEventLoop>
#include <QTemporaryDir>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "dialogs/Classiq.h"
#include "dialogs/Dyna.h"
#include "editor/EditZoneModel.h"
#include "editor/state/EtatProgramme.h"
#include "editor/state/RedessinSaisie.h"
#include "editor/ui/Main.h"
#include "midi/EcritureMIDI.h"
#include "midi/Lecture.h"
#include "tests/midi/midi_outils.h"
#include "platform/Folders.h"
#include "platform/MediaPlayer.h"
#include "view/MiseEnPageVue.h"
#include "settings/Mess.h"

using namespace midi_test;

namespace {

// Runs the event loop until the window's playback has ended, or for `ms` at most.
void AttendreFinLecture(TForm1& f, int ms) {
  QEventLoop boucle;
  QTimer tic;
  QObject::connect(&tic, &QTimer::timeout, [&] {
    if (!f.LectureEnCours()) boucle.quit();
  });
  tic.start(20);
  QTimer::singleShot(ms, &boucle, &QEventLoop::quit);
  boucle.exec();
}

}  // namespace

TEST(LectureFenetre, MainWindowPlaysThroughItsMediaPlayer) {
  EXIGER_SOUNDFONT();
  OptionsNeutres();
  QTemporaryDir dir;
  std::vector<QString> messages;
  InstallerReponseMessage([&](const TDemandeMessage& d) {
    messages.push_back(d.Texte);
    return ID_OK;
  });
  const QString dossierCourant = QDir::currentPath();
  RepWindows = DossierConfiguration();
  qputenv("VEXO_AUDIO_FILE", dir.filePath("fenetre.wav").toLocal8Bit());
  {
    TForm1 f;
    qunsetenv("VEXO_AUDIO_FILE");
    f.LigneCommande.clear();
    f.FormActivate();
    f.MediaPlayer1->AttendrePret();  // the synth comes up on its own thread
    ASSERT_EQ(MIDIDisponible, 1);
    EXPECT_EQ(&VueEditeur(), static_cast<TVueEditeur*>(&f));  // the window answers the engines
    NouveauMorceau(2);
    Partition.Tempo = 480;
    AjouterTemps(1, 1, 1920, 1, 0);
    AjouterTemps(1, 2, 1920, 1, 3);
    // A beat preview sounding does not freeze the edit zone; a playback does.
    f.JouerTempsCourant();
    EXPECT_TRUE(f.MediaPlayer1->EnLecture());
    EXPECT_FALSE(VueEditeur().SongPlaying());
    // The notation assistant and the dynamics palette step aside while the song plays.
    ClassForm = new TClassForm(&f);
    DynaForm = new TDynaForm(&f);
    ClassForm->show();
    DynaForm->show();
    f.Executer(f.Ac_Son_LectureDebut);
    EXPECT_TRUE(VueEditeur().SongPlaying());
    EXPECT_FALSE(ClassForm->isVisible());
    EXPECT_FALSE(DynaForm->isVisible());
    EXPECT_TRUE(f.LectureEnCours());
    EXPECT_TRUE(f.TimerMidi->isActive());
    EXPECT_FALSE(f.Ac_Son_LectureDebut->isEnabled());
    EXPECT_TRUE(f.Ac_Son_Stop->isEnabled());
    EXPECT_EQ(PleinEcranActif, 1);  // the playback layout shows the whole score
    AttendreFinLecture(f, 10000);
    EXPECT_FALSE(f.LectureEnCours());
    EXPECT_FALSE(f.TimerMidi->isActive());
    EXPECT_TRUE(f.Ac_Son_LectureDebut->isEnabled());
    EXPECT_FALSE(f.Ac_Son_Stop->isEnabled());
    EXPECT_EQ(Partition.MesureCourante, 2);
    EXPECT_TRUE(ClassForm->isVisible());
    EXPECT_TRUE(DynaForm->isVisible());
    EXPECT_EQ(PleinEcranActif, 0);  // back to the user's layout
    ClassForm->hide();
    DynaForm->hide();
    f.Ac_Son_EnBoucle->trigger();
    EXPECT_TRUE(f.Ac_Son_EnBoucle->isChecked());
    EXPECT_TRUE(f.Lecture->EnBoucle());
    f.Ac_Son_EnBoucle->trigger();
    EXPECT_FALSE(f.Lecture->EnBoucle());
    EXPECT_TRUE(f.windowTitle().startsWith("Strumquill 2.2 - "));

    // Exporting stops the playback first: the export's play order would replace the one followed.
    f.Executer(f.Ac_Son_LectureDebut);
    ASSERT_TRUE(f.LectureEnCours());
    QTimer::singleShot(300, [] {
      if (QWidget* w = QApplication::activeModalWidget()) w->close();
    });
    f.Executer(f.Ac_Fichier_ExporterMIDI);  // the file dialog is closed before the song's end
    EXPECT_FALSE(f.LectureEnCours());
    EXPECT_EQ(EtatLecture.Mode, -1);

    MIDIDisponible = 0;
    f.Ac_Son_LectureDebutExecute();
    EXPECT_FALSE(f.LectureEnCours());
    EXPECT_EQ(messages.size(), 1u);
    f.FormCloseQuery();
  }
  ClassForm = nullptr;  // went with the window
  DynaForm = nullptr;
  InstallerReponseMessage({});
  QDir::setCurrent(dossierCourant);
}

// A play command given while the current measure holds an edit not yet committed shows that edit
// in the score view, for every play command, and the view keeps it after the playback.
TEST(LectureFenetre, PlayShowsTheMeasureBeingEdited) {
  EXIGER_SOUNDFONT();
  OptionsNeutres();
  QTemporaryDir dir;
  InstallerReponseMessage([](const TDemandeMessage&) { return ID_OK; });
  const QString dossierCourant = QDir::currentPath(), repWindows = RepWindows;
  RepWindows = DossierConfiguration();
  PisteCourante = 1;
  qputenv("VEXO_AUDIO_FILE", dir.filePath("edition.wav").toLocal8Bit());  // no sound device needed
  {
    TForm1 f;
    qunsetenv("VEXO_AUDIO_FILE");
    f.LigneCommande.clear();
    f.FormActivate();
    f.MediaPlayer1->AttendrePret();
    f.show();
    f.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&f));
    for (int k = 0; k < 100 && !MIDIDisponible; ++k) QTest::qWait(20);  // the output test follows the synth
    ASSERT_EQ(MIDIDisponible, 1);
    Partition.Tempo = 999;  // a short measure
    for (QAction* jouer : {f.Ac_Son_LectureMesureEC, f.Ac_Son_LecturePosEC, f.Ac_Son_LectureDebut}) {
      SCOPED_TRACE(jouer->objectName().toStdString());
      Partition.MesureCourante = 1;
      const int avant = VuePartition.Mesures[1].NbTemps;
      f.Ed_Invisible->setFocus();
      Curseur.Temps = avant + 1;  // the input slot
      QTest::keyClick(f.Ed_Invisible, Qt::Key_5);
      QTest::keyClick(f.Ed_Invisible, Qt::Key_Right);
      ASSERT_TRUE(f.BT_AnnulerMesure->isEnabled());
      ASSERT_EQ(Partition.Mesure(1)->NbTemps[1], avant + 1);
      EXPECT_EQ(VuePartition.Mesures[1].NbTemps, avant);  // the view waits for the commit
      f.Executer(jouer);
      EXPECT_TRUE(f.LectureEnCours());
      EXPECT_EQ(VuePartition.Mesures[1].NbTemps, avant + 1);
      AttendreFinLecture(f, 5000);
      ASSERT_FALSE(f.LectureEnCours());
      EXPECT_EQ(VuePartition.Mesures[1].NbTemps, avant + 1);
    }
    Modifie = 0;  // no save question
    f.FormCloseQuery();
  }
  MIDIDisponible = 0;
  InstallerReponseMessage({});
  QDir::setCurrent(dossierCourant);
  RepWindows = repWindows;
}
