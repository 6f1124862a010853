#include "editor/ui/Splash.h"

#include <QCloseEvent>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QGuiApplication>
#include <QPainter>
#include <QScreen>
#include <QTimer>
#include <chrono>

#include "components/FileNameEdit.h"
#include "components/SplashGIF.h"
#include "editor/SonDemarrage.h"
#include "platform/SonMemoire.h"
#include "settings/Config.h"

namespace {
constexpr qint64 kMinimumMs = 4000;
constexpr qint64 kSonInterneMs = 11000;  // the built-in sound is over by then
constexpr int kAttenteSonMs = 1000;      // the longest the built-in sound waits for the main window
}  // namespace

TActionSplash DecisionSplash(const TEtatSplash& e) {
  if (e.PeutFermer && e.EcouleMs > kMinimumMs && e.Visible) return TActionSplash::Cacher;
  if (!e.PeutFermer || e.Visible) return TActionSplash::Rien;
  switch (e.StartingMusic) {
    case 1:
      return e.EcouleMs > kSonInterneMs ? TActionSplash::Liberer : TActionSplash::Rien;
    case 2:
      return e.SonFini ? TActionSplash::Liberer : TActionSplash::Rien;
    case 3:
      return TActionSplash::Liberer;
    // A setting no sound answers to: the hidden window stays until the program ends.
    default:
      return TActionSplash::Rien;
  }
}

TSplashForm::TSplashForm(std::function<qint64()> horloge, QWidget* parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      horloge_(std::move(horloge)) {
  setObjectName(QStringLiteral("SplashForm"));
  if (!horloge_) {
    auto montre = std::make_shared<QElapsedTimer>();
    montre->start();
    horloge_ = [montre] { return montre->elapsed(); };
  }
  // In the screen's format once, rather than converted from its palette at every paint.
  Image1 = SplashPicture().convertToFormat(QImage::Format_RGB32);
  setFixedSize(kLargeurSplash, kHauteurSplash);
  if (QScreen* ecran = QGuiApplication::primaryScreen())
    move(ecran->geometry().center() - QPoint(width() / 2, height() / 2));
  Timer1 = new QTimer(this);
  Timer1->setInterval(100);
  connect(Timer1, &QTimer::timeout, this, [this] { Timer1Timer(); });
  FormCreate();
  Timer1->start();
}

TSplashForm::~TSplashForm() {
  LibererSon();
  if (son_.joinable()) son_.join();
}

void TSplashForm::LibererSon() {
  std::lock_guard<std::mutex> garde(mutexSon_);
  sonLibre_ = true;
  reveilSon_.notify_all();
}

void TSplashForm::FormCreate() {
  SonFini = false;
  PeutFermer = false;
  Debut = horloge_();
  musique_ = Configuration.StartingMusic;
  if (son_.joinable()) son_.join();
  if (musique_ == 1) {
    // Computing the sound and opening the audio device take longer than the windows do to appear:
    // both happen beside the GUI thread, once the main window has painted, so that neither slows
    // the windows down.
    son_ = std::thread([this] {
      {
        std::unique_lock<std::mutex> verrou(mutexSon_);
        reveilSon_.wait_for(verrou, std::chrono::milliseconds(kAttenteSonMs), [this] { return sonLibre_; });
      }
      const std::vector<uint8_t> son = SonDemarrage();
      Wave1.WaveData().SetFromBuffer(son.data(), static_cast<int>(son.size()));
      Wave1.Play();
    });
  } else if (musique_ == 2) {
    // A path with blanks may be stored in quotes.
    const QString fichier = FileNameFromText(Configuration.StartingFile);
    TWaveData son;
    if (QFileInfo(fichier).isFile()) son.LoadFromFile(fichier);
    SonFini = son.IsEmpty() || !son.Play();
  }
}

void TSplashForm::Timer1Timer() {
  if (FenetrePrete && FenetrePrete()) PeutFermer = true;
  // The wave file is over when the output has nothing left to play.
  if (musique_ == 2 && !SonFini && !SonMemoireEnCours()) SonFini = true;
  TEtatSplash e;
  e.EcouleMs = horloge_() - Debut;
  e.PeutFermer = PeutFermer;
  e.Visible = isVisible();
  e.StartingMusic = musique_;
  e.SonFini = SonFini;
  switch (DecisionSplash(e)) {
    case TActionSplash::Rien:
      break;
    case TActionSplash::Cacher:
      hide();
      // Nothing more can happen to it: the ticks stop.
      if (musique_ < 1 || musique_ > 3) Timer1->stop();
      break;
    case TActionSplash::Liberer:
      Timer1->stop();
      deleteLater();
      break;
  }
}

void TSplashForm::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.drawImage(rect(), Image1);
}

void TSplashForm::closeEvent(QCloseEvent* e) { e->ignore(); }
