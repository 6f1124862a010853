// The drum assistant's preview file.
#include "midi/ApercuPercussion.h"

#include <gtest/gtest.h>

#include <QByteArray>

#include "song/Song.h"

TEST(ApercuPercussion, Key38IsTheWholeFile) {
  TPartition p;
  p.Volume[8] = 100;
  p.Chorus[8] = 0;
  p.Reverb[8] = 10;
  p.Panoramique[8] = 64;
  p.Instrument[8] = 0;
  const QByteArray attendu = QByteArray::fromHex(
      "4d546864000000060001000201e0"
      "4d54726b00000019"
      "00ff51030927c0" "00ff580404021808" "00ff59020000" "00ff2f00"
      "4d54726b00000041"
      "00ff210100" "00ff200109"  // the channel prefix names channel 10, as the notes do
      "00ff0313") + QByteArray("Strumquill 2.2 Drum") + QByteArray::fromHex(
      "00b90764" "00b95d00" "00b95b0a" "00b90a40" "00c900"
      "0099267f" "8378892650" "00ff2f00");
  const std::vector<uint8_t> o = OctetsApercuPercussion(p, 38);
  ASSERT_EQ(o.size(), 120u);
  EXPECT_EQ(QByteArray(reinterpret_cast<const char*>(o.data()), 120).toHex(), attendu.toHex());
}
