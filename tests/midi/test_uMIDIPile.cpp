#include <gtest/gtest.h>

#include "midi/uMIDIPile.h"

namespace {
std::vector<uint8_t> Vlq(uint32_t v) {
  uint8_t o[4];
  int n = EcrireQuantiteVariable(v, o);
  return std::vector<uint8_t>(o, o + n);
}
}  // namespace

TEST(MIDIBytes, VariableLengthQuantities) {
  EXPECT_EQ(Vlq(0), (std::vector<uint8_t>{0x00}));
  EXPECT_EQ(Vlq(127), (std::vector<uint8_t>{0x7F}));
  EXPECT_EQ(Vlq(128), (std::vector<uint8_t>{0x81, 0x00}));
  EXPECT_EQ(Vlq(16383), (std::vector<uint8_t>{0xFF, 0x7F}));
  EXPECT_EQ(Vlq(16384), (std::vector<uint8_t>{0x81, 0x80, 0x00}));
  EXPECT_EQ(Vlq(2097151), (std::vector<uint8_t>{0xFF, 0xFF, 0x7F}));
  // Long silences need the fourth byte rather than a wrapped delta.
  EXPECT_EQ(Vlq(2097152), (std::vector<uint8_t>{0x81, 0x80, 0x80, 0x00}));
  EXPECT_EQ(Vlq(0x0FFFFFFF), (std::vector<uint8_t>{0xFF, 0xFF, 0xFF, 0x7F}));
  EXPECT_EQ(Vlq(0xFFFFFFFF), (std::vector<uint8_t>{0xFF, 0xFF, 0xFF, 0x7F}));
}

TEST(MIDIBytes, LengthsWordsAndTempo) {
  EXPECT_EQ(DecouperLongueur(255), (std::array<uint8_t, 4>{0, 0, 0, 0xFF}));
  EXPECT_EQ(DecouperLongueur(256), (std::array<uint8_t, 4>{0, 0, 1, 0}));
  EXPECT_EQ(DecouperLongueur(65100), (std::array<uint8_t, 4>{0, 0, 0xFE, 0x4C}));
  EXPECT_EQ(DecouperLongueur(70000), (std::array<uint8_t, 4>{0, 1, 0x11, 0x70}));
  EXPECT_EQ(DecouperLongueur(20000000), (std::array<uint8_t, 4>{0x01, 0x31, 0x2D, 0x00}));
  uint8_t h, l;
  DecouperMot(480, h, l);
  EXPECT_EQ(h, 0x01);
  EXPECT_EQ(l, 0xE0);
  uint8_t a, b, c;
  TempoEnOctets(120, a, b, c);
  EXPECT_EQ((std::vector<int>{a, b, c}), (std::vector<int>{0x07, 0xA1, 0x20}));
  TempoEnOctets(60, a, b, c);
  EXPECT_EQ((std::vector<int>{a, b, c}), (std::vector<int>{0x0F, 0x42, 0x40}));
  // 60,000,000 us does not fit in three bytes: the slowest tempo the event holds, never a wrap.
  TempoEnOctets(1, a, b, c);
  EXPECT_EQ((std::vector<int>{a, b, c}), (std::vector<int>{0xFF, 0xFF, 0xFF}));
  TempoEnOctets(0, a, b, c);
  EXPECT_EQ((std::vector<int>{a, b, c}), (std::vector<int>{0xFF, 0xFF, 0xFF}));
}

TEST(MIDIPile, EqualTimesKeepInsertionOrder) {
  cMIDIPile p;
  p.Ajouter(100, 0, MIDI_NOTE_ON, 1, 1);
  p.Ajouter(100, 0, MIDI_NOTE_ON, 2, 1);
  p.Ajouter(200, 0, MIDI_NOTE_ON, 3, 1);
  p.Ajouter(100, 0, MIDI_NOTE_ON, 4, 1);  // earlier than the tail: after the equal ones, before 200
  p.Ajouter(0, 0, MIDI_NOTE_ON, 5, 1);
  p.Ajouter(200, 0, MIDI_NOTE_ON, 6, 1);
  std::vector<int> keys;
  for (const auto& e : p.Evenements()) keys.push_back(e.Donnee1);
  EXPECT_EQ(keys, (std::vector<int>{5, 1, 2, 4, 3, 6}));
}

TEST(MIDIPile, SerialisesDeltasStatusAndDataBytes) {
  cMIDIPile p;
  p.Ajouter(0, 15, MIDI_META, META_PORT, 1, 0);
  p.Ajouter(0, 2, MIDI_PROGRAMME, 24, 0);
  p.Ajouter(0, 2, MIDI_NOTE_ON, 200, -5);          // data bytes clamp to 0..127
  p.Ajouter(128, 2, MIDI_NOTE_OFF, 60, 80);
  p.Ajouter(128, 15, MIDI_META, META_TEMPO, 3, 60);
  p.Ajouter(16512, 9, MIDI_PITCH_BEND, 0, 72);
  p.Ajouter(-50, 1, MIDI_CONTROLEUR, 7, 100);       // negative time goes to 0
  p.Ajouter(16512, 9, MIDI_PITCH_BEND, 0, 64);      // same status: written again
  std::vector<uint8_t> b;
  p.Ecrire(b);
  EXPECT_EQ(b, (std::vector<uint8_t>{0x00, 0xFF, 0x21, 0x01, 0x00,
                                     0x00, 0xC2, 24,
                                     0x00, 0x92, 127, 0,
                                     0x00, 0xB1, 7, 100,
                                     0x81, 0x00, 0x82, 60, 80,
                                     0x00, 0xFF, 0x51, 0x03, 0x0F, 0x42, 0x40,
                                     0x81, 0x80, 0x00, 0xE9, 0, 72,
                                     0x00, 0xE9, 0, 64}));
  p.Vider();
  EXPECT_EQ(p.Nombre(), 0);

  // A meta event that claims more data than the one byte it carries still reads back whole.
  p.Ajouter(0, 15, MIDI_META, META_PREFIXE_CANAL, 4, 9);
  p.Ajouter(0, 15, MIDI_META, META_TEMPO, 1, 120);
  b.clear();
  p.Ecrire(b);
  EXPECT_EQ(b, (std::vector<uint8_t>{0x00, 0xFF, 0x20, 0x01, 9, 0x00, 0xFF, 0x51, 0x01, 120}));
}
