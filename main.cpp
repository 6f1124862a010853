// Program entry: folders, settings, the long-lived windows, then the message loop.
#include <QApplication>
#include <QPointer>
#include <QTimer>

#include "components/PremierePeinture.h"
#include "components/VxImages.h"
#include "dialogs/Assistant_Bat.h"
#include "dialogs/Classiq.h"
#include "dialogs/Dyna.h"
#include "dialogs/Sais_par.h"
#include "dialogs/SpeedT.h"
#include "editor/state/EtatEdition.h"
#include "settings/Config.h"
#include "editor/state/EtatProgramme.h"
#include "editor/ui/Main.h"
#include "editor/ui/MainActions.h"
#include "editor/ui/Splash.h"
#include "midi/ui/SelMIDI.h"
#include "midi/ui/WaitMidi.h"
#include "platform/CheckedFile.h"
#include "platform/Evenements.h"
#include "platform/Folders.h"
#include "platform/MediaPlayer.h"
#include "settings/ConfigFile.h"
#include "settings/ui/Welcome.h"


int main(int argc, char** argv) {
  PrepareProcess();  // before anything is written: a file-size limit fails a write, never the program
  QApplication app(argc, argv);
  PisteCourante = 1;
  QApplication::setApplicationName(QStringLiteral("Strumquill"));
  RepertoireAppli = DossierProgramme();
  // The toolbar images are drawn beside the GUI thread while it reads the settings and makes the
  // windows: the main window's first paint only copies them.
  TImagesPreparees imagesPreparees(ImagesPremierePeinture(), DossierProgramme());
  // The settings file lives in this folder, so it is known before the settings are read.
  RepWindows = DossierConfiguration();
  ChargerConfig(PisteCourante, ChoisirLangueDemarrage);

  // The splash screen shows while the windows are made; it goes by itself once the main window is
  // ready and its sound is over.
  QPointer<TSplashForm> splash = new TSplashForm;
  splash->FenetrePrete = [] { return Form1 && Form1->FenetreActivee && !PremiereActivation; };
  splash->show();
  splash->repaint();
  LaisserPasserMessages();

  Form1 = new TForm1;
  if (splash) splash->FenetreClavier = Form1;
  // Once the main window's first paint is over, the splash screen's sound may open the audio output
  // and the synth come up: neither is needed for that paint, and both load libraries beside it.
  new TPremierePeinture(Form1, {}, [splash] {
    if (splash) splash->LibererSon();
    if (Form1) Form1->MediaPlayer1->LibererDemarrage();
  });
  // The start-up benchmark's probe: the memory is read once the synth is up, its output test has
  // run and the test note's samples are in.
  if (qEnvironmentVariableIsSet("VEXO_MESURE_DEMARRAGE"))
    new TPremierePeinture(Form1, SignalerPremierePeinture, [] {
      auto mesurer = [] { QTimer::singleShot(300, qApp, SignalerMemoireEtQuitter); };
      if (Form1->MediaPlayer1->Pret())
        mesurer();
      else
        QObject::connect(Form1->MediaPlayer1, &TMediaPlayer::Demarre, qApp, mesurer, Qt::QueuedConnection);
    });
  // Shown before the dialogs are made, so that the window system maps it meanwhile; its first
  // activation runs in the message loop, once they all exist.
  Form1->show();
  SelMIDIForm = new TSelMIDIForm(Form1);
  Assistant_Bat_Form = new TAssistant_Bat_Form(Form1);
  WaitMidiForm = new TWaitMidiForm(Form1);
  Sais_Partition = new TSais_Partition(Form1);
  SpeedT_Form = new TSpeedT_Form(Form1);
  ClassForm = new TClassForm(Form1);
  DynaForm = new TDynaForm(Form1);
  int code = app.exec();

  delete splash;  // a start-up cut short leaves it
  // The windows of the run go with the main window.
  delete Form1;
  SelMIDIForm = nullptr;
  Assistant_Bat_Form = nullptr;
  WaitMidiForm = nullptr;
  Sais_Partition = nullptr;
  SpeedT_Form = nullptr;
  ClassForm = nullptr;
  DynaForm = nullptr;
  return code;
}
