// Program entry: folders, settings, the long-lived windows, then the message loop.
#include <QApplication>
#include <QFile>
#include <QPointer>
#include <QTimer>
#include <cstdio>

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
#include "platform/Folders.h"
#include "platform/MediaPlayer.h"
#include "settings/ConfigFile.h"
#include "settings/ui/Welcome.h"

namespace {
// The start-up benchmark's probe (VEXO_MESURE_DEMARRAGE set): prints "peint" at the main window's
// first paint, then, once the synth is up and its output test has run, "rss <kB>", and ends the run.
class SondeDemarrage : public QObject {
 public:
  using QObject::QObject;
  bool eventFilter(QObject* o, QEvent* e) override {
    auto* w = qobject_cast<QWidget*>(o);
    if (peint_ || e->type() != QEvent::Paint || !w || w->window() != Form1) return false;
    peint_ = true;
    std::printf("peint\n");
    std::fflush(stdout);
    QTimer::singleShot(0, this, [this] {
      if (Form1->MediaPlayer1->Pret())
        Mesurer();
      else
        connect(Form1->MediaPlayer1, &TMediaPlayer::Demarre, this, &SondeDemarrage::Mesurer, Qt::QueuedConnection);
    });
    return false;
  }
  void Mesurer() {
    QTimer::singleShot(300, this, [] {  // the test note's samples are in by then
      QFile f(QStringLiteral("/proc/self/status"));
      long kb = 0;
      if (f.open(QIODevice::ReadOnly))
        for (const QByteArray& l : f.readAll().split('\n'))
          if (l.startsWith("VmRSS:")) kb = l.mid(6).trimmed().split(' ').value(0).toLong();
      std::printf("rss %ld\n", kb);
      std::fflush(stdout);
      QCoreApplication::exit(0);  // not quit(): the splash screen refuses to close
    });
  }

 private:
  bool peint_ = false;
};

// Once the main window's first paint is over, lets the splash screen's sound open the audio output
// and the synth come up: neither is needed for that paint, and both load libraries beside it.
class ApresPremierePeinture : public QObject {
 public:
  ApresPremierePeinture(TSplashForm* splash, QObject* parent) : QObject(parent), splash_(splash) {}
  bool eventFilter(QObject* o, QEvent* e) override {
    auto* w = qobject_cast<QWidget*>(o);
    if (e->type() != QEvent::Paint || !w || w->window() != Form1) return false;
    qApp->removeEventFilter(this);
    QTimer::singleShot(0, this, [this] {  // after the paint, not before it
      if (splash_) splash_->LibererSon();
      if (Form1) Form1->MediaPlayer1->LibererDemarrage();
      deleteLater();
    });
    return false;
  }

 private:
  QPointer<TSplashForm> splash_;
};
}  // namespace

int main(int argc, char** argv) {
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
  QApplication::processEvents();

  Form1 = new TForm1;
  if (qEnvironmentVariableIsSet("VEXO_MESURE_DEMARRAGE")) app.installEventFilter(new SondeDemarrage(&app));
  app.installEventFilter(new ApresPremierePeinture(splash, &app));
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
