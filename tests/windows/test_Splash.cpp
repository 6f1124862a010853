// Splash screen: at least 4 seconds and until the main window is ready, then released once its
// sound is over; the start-up sound file is found when stored in quotes; it never keeps the keys
// typed while it shows.
#include <gtest/gtest.h>
#include <qpa/qwindowsysteminterface.h>

#include <QApplication>
#include <QCloseEvent>
#include <QFile>
#include <QPointer>
#include <QKeySequence>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <atomic>
#include <thread>

#include "FenetreFixture.h"
#include "components/UWave.h"
#include "editor/state/Partition.h"
#include "editor/ui/Splash.h"
#include "settings/Config.h"
#include "song/Song.h"

TEST(Splash, WhenToHideAndRelease) {
  using A = TActionSplash;
  struct Cas {
    qint64 ms;
    bool pret, visible;
    int musique;
    bool sonFini;
    A attendu;
  };
  const Cas cas[] = {
      {1000, true, true, 1, false, A::Rien},  // fast start: wait for 4 s
      {4000, true, true, 3, false, A::Rien},      {4100, true, true, 3, false, A::Cacher},
      {6000, false, true, 3, false, A::Rien},  // slow start: wait for the main window
      {6100, true, true, 1, false, A::Cacher},    {6200, true, false, 1, false, A::Rien},  // built-in sound: 11 s
      {11100, true, false, 1, false, A::Liberer}, {4200, true, false, 2, false, A::Rien},  // a wave file: until it ends
      {4200, true, false, 2, true, A::Liberer},   {4200, true, false, 3, false, A::Liberer},
      {4200, true, false, 0, false, A::Rien},  // an unknown setting: the hidden window stays
      {99000, true, false, 7, true, A::Rien},
  };
  for (const Cas& c : cas) {
    TEtatSplash e{c.ms, c.pret, c.visible, c.musique, c.sonFini};
    EXPECT_EQ(DecisionSplash(e), c.attendu) << c.ms << " ms, music " << c.musique;
  }
}

TEST(Splash, FastStartKeepsItForFourSeconds) {
  Configuration.StartingMusic = 3;
  qint64 maintenant = 0;
  QPointer<TSplashForm> s = new TSplashForm([&] { return maintenant; });
  s->show();
  bool pret = false;
  s->FenetrePrete = [&] { return pret; };
  maintenant = 1000;
  pret = true;
  s->Timer1Timer();
  EXPECT_TRUE(s->isVisible());
  QCloseEvent fermer;
  QApplication::sendEvent(s, &fermer);
  EXPECT_FALSE(fermer.isAccepted());
  maintenant = 4100;
  s->Timer1Timer();
  EXPECT_FALSE(s->isVisible());
  s->Timer1Timer();  // no sound: released at once
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_TRUE(s.isNull());
  Configuration = TCONFIG{};
}

TEST(Splash, QuotedStartingFileIsPlayed) {
  QTemporaryDir dossier;
  const QString chemin = dossier.path() + "/mon son.wav";
  {
    QFile f(chemin);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("RIFF1234");
  }
  std::vector<uint8_t> joue;
  auto ancien = TWave::Player;
  TWave::Player = [&](const std::vector<uint8_t>& b) {
    joue = b;
    return true;
  };
  for (const QString& stocke : {chemin, "\"" + chemin + "\""}) {
    joue.clear();
    Configuration.StartingMusic = 2;
    Configuration.StartingFile = stocke;
    TSplashForm s([] { return qint64(0); });
    EXPECT_EQ(joue.size(), 8u) << stocke.toStdString();
    EXPECT_FALSE(s.SonFini);
  }
  Configuration.StartingFile = dossier.path() + "/absent.wav";
  TSplashForm s([] { return qint64(0); });
  EXPECT_TRUE(s.SonFini);  // no sound, no message: released once hidden
  TWave::Player = ancien;
  Configuration = TCONFIG{};
}

// A start-up sound setting that names no sound plays nothing, and the window, once hidden, stays
// hidden until the program ends.
TEST(Splash, UnknownStartingMusicPlaysNothingAndStays) {
  bool joue = false;
  auto ancien = TWave::Player;
  TWave::Player = [&](const std::vector<uint8_t>&) { return joue = true; };
  Configuration.StartingMusic = 7;
  qint64 maintenant = 0;
  QPointer<TSplashForm> s = new TSplashForm([&] { return maintenant; });
  s->show();
  EXPECT_FALSE(joue);
  s->PeutFermer = true;
  maintenant = 4100;
  s->Timer1Timer();
  EXPECT_FALSE(s->isVisible());
  EXPECT_FALSE(s->Timer1->isActive());
  maintenant = 60000;
  s->Timer1Timer();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  ASSERT_FALSE(s.isNull());
  delete s;
  TWave::Player = ancien;
  Configuration = TCONFIG{};
}

// The built-in sound is made and started beside the GUI thread; the splash screen waits for that
// work before it goes.
TEST(Splash, BuiltInSoundStartsOffTheGuiThread) {
  std::atomic<size_t> octets{0};
  std::atomic<bool> autreFil{false};
  const std::thread::id gui = std::this_thread::get_id();
  auto ancien = TWave::Player;
  TWave::Player = [&](const std::vector<uint8_t>& b) {
    autreFil = std::this_thread::get_id() != gui;
    octets = b.size();
    return true;
  };
  Configuration.StartingMusic = 1;
  { TSplashForm s([] { return qint64(0); }); }
  EXPECT_TRUE(autreFil);
  EXPECT_GT(octets.load(), 44u);  // a whole wave image, header and samples
  TWave::Player = ancien;
  Configuration = TCONFIG{};
}

// The built-in sound opens the audio output once the main window has painted (LibererSon), not
// while the first windows are being made; a splash screen that goes first lets it play.
TEST(Splash, BuiltInSoundWaitsForTheMainWindowsPaint) {
  std::atomic<bool> joue{false};
  auto ancien = TWave::Player;
  TWave::Player = [&](const std::vector<uint8_t>&) { return joue = true; };
  Configuration.StartingMusic = 1;
  auto attendre = [&](int ms) {
    for (int i = 0; i < ms / 10 && !joue; ++i) std::this_thread::sleep_for(std::chrono::milliseconds(10));
    return joue.load();
  };
  {
    TSplashForm s([] { return qint64(0); });
    EXPECT_FALSE(attendre(300));  // well before the one-second bound
    s.LibererSon();
    EXPECT_TRUE(attendre(5000));
  }
  joue = false;
  { TSplashForm s([] { return qint64(0); }); }  // gone before any paint: the sound still started
  EXPECT_TRUE(joue);
  TWave::Player = ancien;
  Configuration = TCONFIG{};
}

namespace {
using SplashClavier = FenetreTest<>;
}

// Whether the window manager activates the splash screen (on a click) or the window system hands
// it keys before the main window has the keyboard back, the keys typed while it shows and after it
// goes reach the edit zone in their order.
TEST_F(SplashClavier, KeysTypedWhileItShowsReachTheEditZone) {
  Configuration.StartingMusic = 3;
  for (const bool activee : {true, false}) {
    SCOPED_TRACE(activee ? "activated by the window manager" : "keys sent to it");
    NouvellePartition();
    Curseur.Temps = Curseur.Corde = 1;
    qint64 maintenant = 0;
    TSplashForm s([&] { return maintenant; });
    s.FenetrePrete = [] { return true; };
    s.FenetreClavier = f;
    s.show();
    if (activee) QWindowSystemInterface::handleWindowActivated(s.windowHandle(), Qt::ActiveWindowFocusReason);
    auto taper = [&](const QString& touches) {
      for (const QString& nom : touches.split(' '))
        for (QEvent::Type type : {QEvent::KeyPress, QEvent::KeyRelease}) {
          QWindowSystemInterface::flushWindowSystemEvents();
          const int k = QKeySequence::fromString(nom)[0].key();
          const char texte = QTest::keyToAscii(Qt::Key(k));
          QWindow* cible = !activee && s.isVisible() ? s.windowHandle() : QGuiApplication::focusWindow();
          QWindowSystemInterface::handleKeyEvent(cible, type, k, {}, texte ? QString(QChar(texte)) : QString());
        }
      QWindowSystemInterface::flushWindowSystemEvents();
    };
    taper(QStringLiteral("1 Right 2 Right 3"));
    maintenant = 4100;
    s.Timer1Timer();
    ASSERT_FALSE(s.isVisible());
    taper(QStringLiteral("Right 4"));
    std::vector<int> frettes;
    for (int b = 1; b <= Partition.Courante()->NbTemps[1]; ++b) frettes.push_back(Partition.Courante()->Temps[1][b].Notes[1].Frette);
    EXPECT_EQ(frettes, (std::vector<int>{1, 2, 3, 4}));
  }
  Configuration = TCONFIG{};
}
