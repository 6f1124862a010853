// The wave component: the WAV image's header, the stored form with its count, loading and playing.
#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>
#include <cstring>

#include "components/UWave.h"
#include "editor/SonDemarrage.h"

namespace {
uint32_t Mot32(const std::vector<uint8_t>& b, size_t i) {
  return b[i] | (b[i + 1] << 8) | (b[i + 2] << 16) | (static_cast<uint32_t>(b[i + 3]) << 24);
}
uint16_t Mot16(const std::vector<uint8_t>& b, size_t i) { return static_cast<uint16_t>(b[i] | (b[i + 1] << 8)); }
}  // namespace

TEST(UWave, WaveImageHeader) {
  const std::vector<uint8_t> w = WaveImage({1, -2, 0x1234}, 22050, 1);
  ASSERT_EQ(w.size(), 44u + 6);
  EXPECT_EQ(std::memcmp(w.data(), "RIFF", 4), 0);
  EXPECT_EQ(Mot32(w, 4), 36u + 6);
  EXPECT_EQ(std::memcmp(w.data() + 8, "WAVEfmt ", 8), 0);
  EXPECT_EQ(Mot32(w, 16), 16u);
  EXPECT_EQ(Mot16(w, 20), 1);  // PCM
  EXPECT_EQ(Mot16(w, 22), 1);  // mono
  EXPECT_EQ(Mot32(w, 24), 22050u);
  EXPECT_EQ(Mot32(w, 28), 44100u);  // bytes per second
  EXPECT_EQ(Mot16(w, 32), 2);
  EXPECT_EQ(Mot16(w, 34), 16);
  EXPECT_EQ(std::memcmp(w.data() + 36, "data", 4), 0);
  EXPECT_EQ(Mot32(w, 40), 6u);
  EXPECT_EQ((std::vector<uint8_t>(w.begin() + 44, w.end())), (std::vector<uint8_t>{1, 0, 0xFE, 0xFF, 0x34, 0x12}));
}

TEST(UWave, StoredFormChecksItsCount) {
  TWaveData d;
  d.SetFromBuffer(reinterpret_cast<const uint8_t*>("abc"), 3);
  const std::vector<uint8_t> forme = d.WriteData();
  EXPECT_EQ(forme, (std::vector<uint8_t>{3, 0, 0, 0, 'a', 'b', 'c'}));
  struct Cas {
    const char* nom;
    std::vector<uint8_t> octets;
    bool lu;
    int taille;
  };
  const Cas cas[] = {{"whole", forme, true, 3},
                     {"count 0", {0, 0, 0, 0}, true, 0},
                     {"count past the end", {4, 0, 0, 0, 'a', 'b', 'c'}, false, 0},
                     {"negative count", {0xFF, 0xFF, 0xFF, 0xFF, 'a'}, false, 0},
                     {"no count", {3, 0}, false, 0}};
  for (const Cas& c : cas) {
    TWaveData e;
    e.SetFromBuffer(reinterpret_cast<const uint8_t*>("old"), 3);
    EXPECT_EQ(e.ReadData(c.octets.data(), c.octets.size()), c.lu) << c.nom;
    EXPECT_EQ(e.Size(), c.taille) << c.nom;
  }
  EXPECT_TRUE(TWaveData().WriteData().empty());  // empty data are not written
  d.Assign(nullptr);
  EXPECT_TRUE(d.IsEmpty());
}

TEST(UWave, LoadingAndPlaying) {
  QTemporaryDir dossier;
  const QString vide = dossier.path() + "/vide.wav", plein = dossier.path() + "/plein.wav";
  QFile(vide).open(QIODevice::WriteOnly);
  {
    QFile f(plein);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("RIFFxxxx", 8);
  }
  std::vector<std::vector<uint8_t>> joues;
  auto ancien = TWave::Player;
  TWave::Player = [&](const std::vector<uint8_t>& b) {
    joues.push_back(b);
    return true;
  };
  TWave w;
  int avant = 0;
  w.OnPlay = [&](TWave*) { ++avant; };
  for (const QString& f : {dossier.path() + "/absent.wav", vide}) {
    w.WaveData().LoadFromFile(f);
    EXPECT_TRUE(w.WaveData().IsEmpty());
    EXPECT_FALSE(w.Play());
  }
  w.WaveData().LoadFromFile(plein);
  EXPECT_TRUE(w.Play());
  EXPECT_EQ(avant, 3);
  ASSERT_EQ(joues.size(), 1u);
  EXPECT_EQ(joues[0].size(), 8u);
  TWave::Player = ancien;
}

TEST(UWave, StartingChimeIsAShortSoundEndingInSilence) {
  const std::vector<uint8_t> w = SonDemarrage();
  ASSERT_GT(w.size(), 44u);
  EXPECT_EQ(Mot32(w, 4), w.size() - 8);
  EXPECT_EQ(Mot32(w, 40), w.size() - 44);
  const double secondes = (w.size() - 44) / 2.0 / Mot32(w, 24);
  EXPECT_GT(secondes, 1.0);
  EXPECT_LT(secondes, 4.0);
  int crete = 0;
  for (size_t i = 44; i + 1 < w.size(); i += 2) crete = std::max(crete, std::abs(static_cast<int16_t>(Mot16(w, i))));
  EXPECT_GT(crete, 8000);   // heard
  EXPECT_LT(crete, 32767);  // never clipped
  EXPECT_EQ(static_cast<int16_t>(Mot16(w, w.size() - 2)), 0);
}
