#include "editor/ui/Splash.h"

#include <QCloseEvent>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QScreen>
#include <QTimer>
#include <chrono>

#include "components/FileNameEdit.h"
#include "components/SplashGIF.h"
#include "editor/SonDemarrage.h"
#include "platform/Folders.h"
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
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint |
                          Qt::WindowDoesNotAcceptFocus),
      horloge_(std::move(horloge)) {
  setObjectName(QStringLiteral("SplashForm"));
  // It shows over the main window for seconds and a new user clicks it: the keys typed meanwhile
  // are the main window's.
  setAttribute(Qt::WA_ShowWithoutActivating);
  setFocusPolicy(Qt::NoFocus);
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
    // A path with blanks may be stored in quotes; a relative one names a file of the start folder.
    const QString fichier = CheminAuDepart(FileNameFromText(Configuration.StartingFile));
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
    case TActionSplash::Cacher: {
      // A window manager that kept the keyboard on it would leave it nowhere once it hides.
      const bool actif = isActiveWindow();
      hide();
      if (actif) RendreClavier();
      // Nothing more can happen to it: the ticks stop.
      if (musique_ < 1 || musique_ > 3) Timer1->stop();
      break;
    }
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

void TSplashForm::RendreClavier() {
  if (FenetreClavier && FenetreClavier->isVisible()) FenetreClavier->activateWindow();
}

bool TSplashForm::event(QEvent* e) {
  switch (e->type()) {
    case QEvent::WindowActivate:
      // A window manager may activate it all the same (on a click, or asked to): the keyboard goes
      // straight back.
      QWidget::event(e);
      RendreClavier();
      return true;
    case QEvent::KeyPress:
    case QEvent::KeyRelease: {
      // Keys that came before the main window had the keyboard back are its keys, handled in their
      // turn like every other key; before its first activation there is nothing to type into.
      QWidget* fenetre = FenetreClavier;
      if (!fenetre || !(PeutFermer || (FenetrePrete && FenetrePrete()))) return true;
      QWidget* cible = fenetre->focusWidget() ? fenetre->focusWidget() : fenetre;
      const auto* k = static_cast<const QKeyEvent*>(e);
      QKeyEvent copie(k->type(), k->key(), k->modifiers(), k->nativeScanCode(), k->nativeVirtualKey(),
                      k->nativeModifiers(), k->text(), k->isAutoRepeat(), k->count());
      QCoreApplication::sendEvent(cible, &copie);
      return true;
    }
    default:
      return QWidget::event(e);
  }
}
