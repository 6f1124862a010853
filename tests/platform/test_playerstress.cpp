// The real FluidSynth player driven as a fast user drives it: playbacks, stops, notes heard while
// editing and resumed playbacks one after the other with no pause, into the audio file and with
// no audio output at all, and the player destroyed in the middle of a playback.
#include <gtest/gtest.h>

#include "SonTest.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <random>

#include "platform/FluidMediaPlayer.h"

namespace {
void Ajouter(QByteArray& b, uint32_t v, int octets) {
  for (int s = 8 * (octets - 1); s >= 0; s -= 8) b.append(static_cast<char>((v >> s) & 0xFF));
}
// Two tracks at 480 ticks per quarter: a tempo change half-way and `quarts` quarters of a chord
// on two channels, with controllers and a pitch bend, so that a resumed playback has state to find.
QByteArray Chanson(int quarts) {
  // 120 beats per minute, then 200 from the second quarter.
  const QByteArray conducteur = QByteArray::fromHex("00FF510307A120" "8360FF51030493E0" "00FF2F00");
  QByteArray notes = QByteArray::fromHex("00C019" "00B00750" "00E00040" "00C900");
  for (int q = 0; q < quarts; ++q) {
    notes += QByteArray::fromHex("00903C64") + QByteArray::fromHex("0099246E");
    notes += QByteArray::fromHex("8360803C00") + QByteArray::fromHex("00892400");
  }
  notes += QByteArray::fromHex("00FF2F00");
  QByteArray f("MThd");
  Ajouter(f, 6, 4);
  Ajouter(f, 1, 2);
  Ajouter(f, 2, 2);
  Ajouter(f, 480, 2);
  for (const QByteArray& t : {conducteur, notes}) {
    f += "MTrk";
    Ajouter(f, static_cast<uint32_t>(t.size()), 4);
    f += t;
  }
  return f;
}
void Ecrire(const QString& chemin, const QByteArray& octets) {
  QFile f(chemin);
  ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  f.write(octets);
}

struct Fichiers {
  QTemporaryDir dir;
  QString chanson = dir.filePath("song.mid"), note = dir.filePath("note.mid"), wav = dir.filePath("out.wav");
  Fichiers() {
    Ecrire(chanson, Chanson(16));
    Ecrire(note, Chanson(1));
  }
};

struct Bilan {
  int lectures = 0, arrets = 0, notes = 0, reprises = 0, fermetures = 0;
};

// A fast user: `cycles` random commands with no pause between them, the GUI events delivered as
// they come. Checks what must hold after every command.
Bilan Marteler(TFluidMediaPlayer& p, const Fichiers& f, int cycles, bool sonore) {
  Bilan b;
  std::mt19937 alea(2026);
  for (int i = 0; i < cycles; ++i) {
    switch (alea() % 5) {
      case 0:  // play the song
        EXPECT_TRUE(p.Open(f.chanson));
        EXPECT_EQ(p.Play(), sonore);
        ++b.lectures;
        break;
      case 1:  // stop
        p.Stop();
        EXPECT_FALSE(p.EnLecture());
        ++b.arrets;
        break;
      case 2:  // a note heard while editing
        EXPECT_TRUE(p.Open(f.note));
        EXPECT_EQ(p.Play(), sonore);
        ++b.notes;
        break;
      case 3: {  // move on: stop where it is and play on from there
        const qint64 avant = p.Position();
        p.Stop();
        EXPECT_EQ(p.Play(), sonore && p.Length() > 0);
        EXPECT_LE(p.Position(), p.Length());
        EXPECT_GE(p.Position() + 5, std::min(avant, p.Length()));
        ++b.reprises;
        break;
      }
      default:
        p.Close();
        EXPECT_EQ(p.Length(), 0);
        ++b.fermetures;
        break;
    }
    EXPECT_GE(p.Position(), 0);
    EXPECT_LE(p.Position(), p.Length());
    if (i % 16 == 0) QCoreApplication::processEvents();
  }
  p.Close();
  return b;
}
}  // namespace

TEST(PlayerStress, FastUserIntoTheAudioFileAndWithNoAudioOutput) {
  EXIGER_SOUNDFONT();
  Fichiers f;
  struct Cas {
    const char* nom;
    QString sortie;  // the audio file; a path that cannot be written leaves the synth silent
    bool sonore;
  };
  const Cas cas[] = {{"audio file", f.wav, true}, {"no audio output", f.dir.filePath("no/such/dir/x.wav"), false}};
  for (const Cas& c : cas) {
    SCOPED_TRACE(c.nom);
    qputenv("VEXO_AUDIO_FILE", c.sortie.toLocal8Bit());
    TFluidMediaPlayer p(nullptr, QString::fromLatin1(kSoundFontTest));
    qunsetenv("VEXO_AUDIO_FILE");
    ASSERT_EQ(p.Disponible(), c.sonore) << p.Erreur().toStdString();
    int notices = 0;
    QObject::connect(&p, &TMediaPlayer::Termine, [&] { ++notices; });
    QElapsedTimer chrono;
    chrono.start();
    const Bilan b = Marteler(p, f, 4000, c.sonore);
    std::printf("[ %s ] 4000 commands in %lld ms: %d plays, %d stops, %d notes, %d resumes, %d closes, %d notices\n",
                c.nom, static_cast<long long>(chrono.elapsed()), b.lectures, b.arrets, b.notes, b.reprises,
                b.fermetures, notices);
    EXPECT_GT(b.lectures + b.notes + b.reprises, 2000);
    if (!c.sonore) {
      EXPECT_EQ(notices, 0);
    }
  }
}

// A playback ends on its own after the last note, and the player closed in the middle of one
// (the program quitting while it plays) goes at once.
TEST(PlayerStress, PlaysToTheEndAndShutsDownInTheMiddle) {
  EXIGER_SOUNDFONT();
  Fichiers f;
  qputenv("VEXO_AUDIO_FILE", f.wav.toLocal8Bit());
  for (int i = 0; i < 6; ++i) {
    auto p = std::make_unique<TFluidMediaPlayer>(nullptr, QString::fromLatin1(kSoundFontTest));
    ASSERT_TRUE(p->Disponible()) << p->Erreur().toStdString();
    ASSERT_TRUE(p->Open(i % 2 ? f.chanson : f.note));
    ASSERT_TRUE(p->Play());
    if (i == 0) {  // the short one to its end: the notice, and the position at the end
      bool fin = false;
      QObject::connect(p.get(), &TMediaPlayer::Termine, [&] { fin = true; });
      QElapsedTimer attente;
      attente.start();
      while (!fin && attente.elapsed() < 5000) QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
      EXPECT_TRUE(fin);
      EXPECT_EQ(p->Position(), p->Length());
      continue;
    }
    QElapsedTimer chrono;
    chrono.start();
    while (chrono.elapsed() < 20 * i) QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    EXPECT_TRUE(p->EnLecture());
    chrono.restart();
    p.reset();
    EXPECT_LT(chrono.elapsed(), 2000);  // never waits for the song to finish
  }
  qunsetenv("VEXO_AUDIO_FILE");
}
