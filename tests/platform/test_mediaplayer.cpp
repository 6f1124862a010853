// The FluidSynth media player: tempo map, offline rendering, the WAV-file route and a missing SoundFont.
#include <gtest/gtest.h>

#include "Garde.h"
#include "SonTest.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QtEndian>
#include <cstdlib>
#include <memory>
#include <sys/resource.h>
#include <sys/stat.h>
#include <vector>

#include "platform/FluidMediaPlayer.h"

namespace {
void Ajouter32(QByteArray& b, uint32_t v) {
  for (int s = 24; s >= 0; s -= 8) b.append(static_cast<char>((v >> s) & 0xFF));
}
QByteArray Piste(const QByteArray& evenements) {
  QByteArray t("MTrk");
  Ajouter32(t, static_cast<uint32_t>(evenements.size()));
  return t + evenements;
}
QByteArray Entete(int format, int pistes, int division) {
  QByteArray h("MThd");
  Ajouter32(h, 6);
  for (int v : {format, pistes, division}) {
    h.append(static_cast<char>((v >> 8) & 0xFF));
    h.append(static_cast<char>(v & 0xFF));
  }
  return h;
}
// One track, 480 ticks per quarter, tempo 120: a guitar note on middle C for `quarts` quarters.
QByteArray PetitMidi(int quarts) {
  QByteArray e;
  e += QByteArray::fromHex("00FF510307A120");  // 500000 us per quarter
  e += QByteArray::fromHex("00C018");          // program 24, nylon guitar
  e += QByteArray::fromHex("00903C64");        // note on, running status below
  int ticks = 480 * quarts;                    // as a variable-length quantity
  QByteArray vlq;
  vlq.prepend(static_cast<char>(ticks & 0x7F));
  for (ticks >>= 7; ticks > 0; ticks >>= 7) vlq.prepend(static_cast<char>(0x80 | (ticks & 0x7F)));
  e += vlq + QByteArray::fromHex("3C00");
  e += QByteArray::fromHex("00FF2F00");
  return Entete(0, 1, 480) + Piste(e);
}
void Ecrire(const QString& chemin, const QByteArray& octets) {
  QFile f(chemin);
  ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  f.write(octets);
}
// Largest absolute 16-bit sample of a PCM WAV file's data chunk; -1 when it is not one.
int CreteWav(const QString& chemin) {
  QFile f(chemin);
  if (!f.open(QIODevice::ReadOnly)) return -1;
  QByteArray b = f.readAll();
  if (b.size() < 44 || !b.startsWith("RIFF") || b.mid(8, 4) != "WAVE") return -1;
  qsizetype data = b.indexOf("data", 12);
  if (data < 0) return -1;
  int crete = 0;
  for (qsizetype i = data + 8; i + 1 < b.size(); i += 2) {
    int16_t s = static_cast<int16_t>(static_cast<uint8_t>(b[i]) | (static_cast<uint8_t>(b[i + 1]) << 8));
    crete = std::max(crete, std::abs(static_cast<int>(s)));
  }
  return crete;
}
}  // namespace

TEST(TempoMap, LengthFollowsTempoChangesAcrossTracks) {
  // Format 1: the conductor track halves the tempo after two quarters; the music runs four.
  QByteArray conducteur = QByteArray::fromHex("00FF510307A120") + QByteArray::fromHex("8740FF51030F4240") +
                          QByteArray::fromHex("00FF2F00");
  QByteArray musique = QByteArray::fromHex("00903C64") + QByteArray::fromHex("8F00803C00") +  // 1920 ticks
                       QByteArray::fromHex("00FF2F00");
  TCarteTempo carte;
  ASSERT_TRUE(LireCarteTempo(Entete(1, 2, 480) + Piste(conducteur) + Piste(musique), &carte));
  EXPECT_EQ(carte.DernierTick, 1920);
  EXPECT_EQ(carte.Ms(960), 1000);        // two quarters at 120
  EXPECT_EQ(carte.DureeMs(), 1000 + 2000);  // two more at 60
  EXPECT_EQ(carte.Ms(1440), 2000);

  // SMPTE: 25 frames of 40 ticks -> 1 ms per tick.
  TCarteTempo smpte;
  ASSERT_TRUE(LireCarteTempo(Entete(0, 1, 0xE728) + Piste(musique), &smpte));
  EXPECT_EQ(smpte.DureeMs(), 1920);
}

// Which channels need the default preset, and which presets a file plays (bit 128 + p: drum kit p).
TEST(TempoMap, ChannelsThatPlayBeforeAnyProgramChangeAndThePresetsUsed) {
  const struct {
    const char* evenements;
    uint16_t canaux;
    std::vector<int> programmes;
  } cas[] = {
      {"00C01800903C64", 0, {24}},                   // program, then note
      {"00903C6400C018", 1, {0, 24}},                // note first (same tick, earlier in the track)
      {"00993C64", 1 << 9, {128}},                   // the drum channel, no program at all
      {"00903C00", 0, {}},                           // a note on of velocity 0 is a note off
      {"00C118009F3C6400C918", 1 << 15, {0, 24, 152}},  // program on other channels
  };
  for (const auto& c : cas) {
    TCarteTempo carte;
    ASSERT_TRUE(LireCarteTempo(Entete(0, 1, 480) + Piste(QByteArray::fromHex(c.evenements) +
                                                         QByteArray::fromHex("00FF2F00")), &carte));
    EXPECT_EQ(carte.CanauxSansProgramme, c.canaux) << c.evenements;
    std::vector<int> programmes;
    for (int p = 0; p < 256; ++p)
      if (carte.Programmes[p]) programmes.push_back(p);
    EXPECT_EQ(programmes, c.programmes) << c.evenements;
  }
}

TEST(TempoMap, RefusesBrokenFiles) {
  QByteArray bon = PetitMidi(1);
  TCarteTempo c;
  ASSERT_TRUE(LireCarteTempo(bon, &c));
  EXPECT_EQ(c.DureeMs(), 500);
  QString erreur;
  EXPECT_FALSE(LireCarteTempo(QByteArray("RIFF....WAVEfmt "), &c, &erreur));
  EXPECT_FALSE(erreur.isEmpty());
  EXPECT_FALSE(LireCarteTempo(bon.left(bon.size() - 3), &c));  // track length runs past the end
  EXPECT_FALSE(LireCarteTempo(Entete(0, 1, 0), &c));           // zero division, no track
  QByteArray sansStatut = Entete(0, 1, 480) + Piste(QByteArray::fromHex("003C64"));
  EXPECT_FALSE(LireCarteTempo(sansStatut, &c));  // data byte with no running status
  QByteArray metaTropLong = Entete(0, 1, 480) + Piste(QByteArray::fromHex("00FF017F4142"));
  EXPECT_FALSE(LireCarteTempo(metaTropLong, &c));
}

// Where a stopped playback resumes: milliseconds back to ticks across a tempo change, and the
// channel messages of every track merged in time order with their times.
TEST(TempoMap, TicksFromTimeAndMessagesInTimeOrder) {
  QByteArray conducteur = QByteArray::fromHex("00FF510307A120" "8360FF51030F4240" "00FF2F00");  // 60 bpm from 480
  QByteArray notes = QByteArray::fromHex("00C018" "00903C64" "8360803C00" "00903E64" "8360803E00" "00FF2F00");
  TCarteTempo c;
  ASSERT_TRUE(LireCarteTempo(Entete(1, 2, 480) + Piste(conducteur) + Piste(notes), &c));
  ASSERT_EQ(c.DureeMs(), 1500);
  const std::pair<qint64, qint64> msTick[] = {{-5, 0}, {0, 0}, {250, 240}, {500, 480}, {1000, 720}, {1500, 960},
                                               {99999, 960}};
  for (auto [ms, tick] : msTick) EXPECT_EQ(c.Tick(ms), tick) << ms;
  for (qint64 t = 0; t <= 960; t += 7) EXPECT_NEAR(c.Tick(c.Ms(t)), t, 1) << t;

  ASSERT_EQ(c.Evenements.size(), 5u);
  const int attendu[][4] = {{0, 0, 0xC0, 24}, {0, 0, 0x90, 60}, {480, 500, 0x80, 60}, {480, 500, 0x90, 62},
                            {960, 1500, 0x80, 62}};
  for (size_t i = 0; i < 5; ++i) {
    const TEvenementCanal& e = c.Evenements[i];
    EXPECT_EQ(std::vector<int>({int(e.Tick), int(e.Ms), e.Statut, e.D1}),
              std::vector<int>(std::begin(attendu[i]), std::end(attendu[i])))
        << i;
  }
}

TEST(FluidMediaPlayer, RendersOfflineWithSound) {
  EXIGER_SOUNDFONT();
  QTemporaryDir dir;
  QString midi = dir.filePath("n.mid"), wav = dir.filePath("n.wav");
  Ecrire(midi, PetitMidi(1));
  QString erreur;
  ASSERT_TRUE(RendreMidiEnWav(midi, wav, CheminSoundFont(), &erreur)) << erreur.toStdString();
  EXPECT_GT(CreteWav(wav), 1000);
  // Half a second of note plus the ring-out, at 44.1 kHz stereo 16-bit.
  EXPECT_GT(QFile(wav).size(), 44100 * 4 / 2);
}

TEST(FluidMediaPlayer, PlaysIntoTheAudioFileToCompletion) {
  EXIGER_SOUNDFONT();
  QTemporaryDir dir;
  QString midi = dir.filePath("n.mid"), wav = dir.filePath("sortie.wav");
  Ecrire(midi, PetitMidi(1));
  qputenv("VEXO_AUDIO_FILE", wav.toLocal8Bit());
  {
    TFluidMediaPlayer player;
    qunsetenv("VEXO_AUDIO_FILE");
    ASSERT_TRUE(player.Disponible()) << player.Erreur().toStdString();
    EXPECT_FALSE(player.Play());  // nothing open yet
    ASSERT_TRUE(player.Open(midi)) << player.Erreur().toStdString();
    EXPECT_EQ(player.Length(), 500);
    EXPECT_EQ(player.Position(), 0);
    int notices = 0;
    QEventLoop boucle;
    QObject::connect(&player, &TMediaPlayer::Termine, [&] {
      ++notices;
      boucle.quit();
    });
    QTimer::singleShot(5000, &boucle, &QEventLoop::quit);
    QElapsedTimer chrono;
    chrono.start();
    ASSERT_TRUE(player.Play());
    EXPECT_TRUE(player.EnLecture());
    boucle.exec();
    EXPECT_EQ(notices, 1);
    EXPECT_GE(chrono.elapsed(), 450);  // played in real time, not rushed
    EXPECT_FALSE(player.EnLecture());
    EXPECT_EQ(player.Position(), 500);

    // Stop sends the notice too; Close cancels a pending one.
    ASSERT_TRUE(player.Play());  // from the start again, the last one reached the end
    EXPECT_LT(player.Position(), 400);
    player.Stop();
    EXPECT_FALSE(player.EnLecture());
    QTimer::singleShot(1000, &boucle, &QEventLoop::quit);
    boucle.exec();
    EXPECT_EQ(notices, 2);
    ASSERT_TRUE(player.Play());
    player.Close();
    QTimer::singleShot(300, &boucle, &QEventLoop::quit);
    boucle.exec();
    EXPECT_EQ(notices, 2);
    EXPECT_EQ(player.Length(), 0);
  }
  EXPECT_GT(CreteWav(wav), 1000);
}

namespace {
// Bytes of sound of a WAV file whose header agrees with the file (its RIFF size and its data chunk's
// size are what the file holds); -1 otherwise.
qint64 SonWavComplet(const QString& chemin) {
  QFile f(chemin);
  if (!f.open(QIODevice::ReadOnly)) return -1;
  const QByteArray b = f.readAll();
  const auto le32 = [&](qsizetype at) { return qint64(qFromLittleEndian<quint32>(b.constData() + at)); };
  if (b.size() < 12 || !b.startsWith("RIFF") || b.mid(8, 4) != "WAVE" || le32(4) != b.size() - 8) return -1;
  for (qsizetype pos = 12; pos + 8 <= b.size(); pos += 8 + le32(pos + 4) + (le32(pos + 4) & 1))
    if (b.mid(pos, 4) == "data") return le32(pos + 4) == b.size() - pos - 8 ? le32(pos + 4) : -1;
  return -1;
}
}  // namespace

// The audio file records what sounds, not the time the player sits idle, and reads whole after each
// playback: two playbacks of a half-second note, each after a second of idle time, are both there
// whole once their note has died away, and the idle time adds nothing.
TEST(FluidMediaPlayer, TheAudioFileHoldsEveryPlaybackButNotTheIdleTime) {
  EXIGER_SOUNDFONT();
  QTemporaryDir dir;
  const QString midi = dir.filePath("n.mid"), wav = dir.filePath("idle.wav");
  Ecrire(midi, PetitMidi(1));
  constexpr qint64 kOctetsParSeconde = 44100 * 4;
  std::vector<qint64> octets{0};  // after each playback
  {
    qputenv("VEXO_AUDIO_FILE", wav.toLocal8Bit());
    TFluidMediaPlayer player;
    qunsetenv("VEXO_AUDIO_FILE");
    ASSERT_TRUE(player.Disponible()) << player.Erreur().toStdString();
    ASSERT_TRUE(player.Open(midi));
    int fins = 0;
    QObject::connect(&player, &TMediaPlayer::Termine, [&] { ++fins; });
    QElapsedTimer vie;
    vie.start();
    for (int lecture = 1; lecture <= 2; ++lecture) {
      QTest::qWait(1000);  // idle
      ASSERT_TRUE(player.Play());
      ASSERT_TRUE(QTest::qWaitFor([&] { return fins == lecture && SonWavComplet(wav) > octets.back(); }, 10000))
          << "playback " << lecture << ": " << SonWavComplet(wav) << " bytes";
      octets.push_back(SonWavComplet(wav));
    }
    EXPECT_GE(octets[1], kOctetsParSeconde * 45 / 100);  // the half-second note
    EXPECT_GE(octets[2] - octets[1], octets[1] * 9 / 10);  // the second one as whole as the first
    // Not the two idle seconds.
    EXPECT_LT(octets[2], kOctetsParSeconde * (vie.elapsed() - 1800) / 1000);
  }
  EXPECT_EQ(SonWavComplet(wav), octets[2]);  // as the renderer leaves it at the end
  EXPECT_GT(CreteWav(wav), 1000);
}

// The synth is held back until the main window has painted (LibererDemarrage), then comes up and
// says so once on the GUI thread.
TEST(FluidMediaPlayer, SynthWaitsUntilReleasedThenComesUp) {
  EXIGER_SOUNDFONT();
  QTemporaryDir dir;
  qputenv("VEXO_AUDIO_FILE", dir.filePath("x.wav").toLocal8Bit());
  TFluidMediaPlayer player;
  qunsetenv("VEXO_AUDIO_FILE");
  int demarrages = 0;
  QObject::connect(&player, &TMediaPlayer::Demarre, [&] { ++demarrages; });
  QEventLoop boucle;
  QTimer::singleShot(300, &boucle, &QEventLoop::quit);  // well within the one-second bound
  boucle.exec();
  EXPECT_FALSE(player.Pret());
  EXPECT_EQ(demarrages, 0);
  player.LibererDemarrage();
  QElapsedTimer chrono;
  chrono.start();
  while (!player.Pret() && chrono.elapsed() < 10000) QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
  EXPECT_TRUE(player.Pret());
  EXPECT_EQ(demarrages, 1);
  EXPECT_TRUE(player.Disponible()) << player.Erreur().toStdString();
}

TEST(FluidMediaPlayer, UnavailableWithoutSoundFont) {
  QTemporaryDir dir;
  qputenv("VEXO_AUDIO_FILE", dir.filePath("x.wav").toLocal8Bit());
  TFluidMediaPlayer player(nullptr, dir.filePath("absent.sf2"));
  qunsetenv("VEXO_AUDIO_FILE");
  EXPECT_FALSE(player.Disponible());
  EXPECT_FALSE(player.Erreur().isEmpty());
  QString midi = dir.filePath("n.mid");
  Ecrire(midi, PetitMidi(1));
  EXPECT_TRUE(player.Open(midi));  // the file is still read, so its length is known
  EXPECT_FALSE(player.Play());
  EXPECT_FALSE(player.Open(dir.filePath("absent.mid")));
}

// An audio file that is neither a regular file nor nothing yet is never opened (a FIFO's open would
// wait for a reader): the player is silent at once, and goes at once when never asked.
TEST(FluidMediaPlayer, AnAudioFileThatIsNoFileLeavesThePlayerSilent) {
  EXIGER_SOUNDFONT();
  QTemporaryDir dir;
  ASSERT_TRUE(::mkfifo(QFile::encodeName(dir.filePath("tube.wav")), 0600) == 0 &&
              QFile::link(dir.filePath("tube.wav"), dir.filePath("lien.wav")));
  for (const QString& nom : {dir.filePath("tube.wav"), dir.filePath("lien.wav"), QStringLiteral("/dev/full")}) {
    TGarde garde("a player on an audio file that is no file", 20);
    qputenv("VEXO_AUDIO_FILE", nom.toLocal8Bit());
    auto muet = std::make_unique<TFluidMediaPlayer>(), ferme = std::make_unique<TFluidMediaPlayer>();
    qunsetenv("VEXO_AUDIO_FILE");
    EXPECT_FALSE(muet->Disponible()) << nom.toStdString();
    EXPECT_TRUE(muet->Erreur().contains(nom)) << muet->Erreur().toStdString();
    ferme->LibererDemarrage();
    QTest::qWait(200);
  }
}

// A full disk (a file-size limit here, not at a frame's end): once a block cannot be written, the
// header tells what the file holds, in whole frames, and the player says so once.
TEST(FluidMediaPlayer, AnAudioFileCutShortReadsAsWrittenAndIsReportedOnce) {
  EXIGER_SOUNDFONT();
  QTemporaryDir dir;
  const QString midi = dir.filePath("n.mid"), wav = dir.filePath("plein.wav");
  Ecrire(midi, PetitMidi(4));
  qputenv("VEXO_AUDIO_FILE", wav.toLocal8Bit());
  TFluidMediaPlayer player;
  qunsetenv("VEXO_AUDIO_FILE");
  ASSERT_TRUE(player.Disponible() && player.Open(midi)) << player.Erreur().toStdString();
  QStringList dits;
  QObject::connect(&player, &TMediaPlayer::SortieInterrompue, [&](const QString& f, const QString&) { dits << f; });
  struct rlimit avant {}, limite {};
  ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &avant), 0);
  const std::shared_ptr<void> retablir(nullptr, [&](void*) { ::setrlimit(RLIMIT_FSIZE, &avant); });
  limite = {100001, avant.rlim_max};
  ASSERT_TRUE(::setrlimit(RLIMIT_FSIZE, &limite) == 0 && player.Play());
  EXPECT_TRUE(QTest::qWaitFor([&] { return !dits.isEmpty(); }, 10000));
  QTest::qWait(500);
  EXPECT_EQ(dits, QStringList{wav});
  const qint64 son = SonWavComplet(wav);
  EXPECT_TRUE(son > 50000 && son % 4 == 0) << son;
}
