#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include "editor/state/Proprietes.h"
#include "midi/ApercuAccordage.h"
#include "midi_outils.h"

namespace {

// The second track's body: everything after the header (14 bytes), the conductor chunk and the
// second chunk's type and length.
std::vector<uint8_t> Corps(const std::vector<uint8_t>& f) {
  constexpr size_t debut = 14 + 33 + 8;
  EXPECT_GE(f.size(), debut);
  const size_t longueur = (size_t(f[debut - 4]) << 24) | (size_t(f[debut - 3]) << 16) | (f[debut - 2] << 8) | f[debut - 1];
  EXPECT_EQ(f.size(), debut + longueur);
  return {f.begin() + debut, f.end()};
}

// The note events of a body after the set-up, as (delta, status, key, velocity); deltas read as
// variable-length numbers.
struct Note {
  uint32_t delta;
  uint8_t statut, cle, velocite;
  bool operator==(const Note&) const = default;
};
std::vector<Note> Notes(const std::vector<uint8_t>& corps) {
  std::vector<Note> notes;
  size_t i = 0;
  while (i < corps.size()) {
    uint32_t delta = 0;
    while (corps[i] & 0x80) delta = (delta << 7) | (corps[i++] & 0x7F);
    delta = (delta << 7) | corps[i++];
    const uint8_t s = corps[i];
    if (s == 0xFF) {
      if (corps[i + 1] == 0x2F) break;
      i += 3 + corps[i + 2];
    } else if ((s & 0xF0) == 0xC0) {
      i += 2;
    } else if ((s & 0xF0) == 0xB0) {
      i += 3;
    } else {
      notes.push_back({delta, s, corps[i + 1], corps[i + 2]});
      i += 3;
    }
  }
  return notes;
}

TApercuAccordage Piste(int nb, std::initializer_list<int32_t> hauteurs) {
  TApercuAccordage a;
  a.NbCordes = nb;
  int s = 1;
  for (int32_t h : hauteurs) a.Accordage[s++] = h;
  return a;
}

TEST(ApercuAccordage, StrumsAndSingleStrings) {
  struct Cas {
    const char* nom;
    TApercuAccordage a;
    std::vector<Note> attendu;
  };
  TApercuAccordage basse = Piste(4, {43, 38, 33, 28});
  TApercuAccordage douze = Piste(6, {64, 59, 55, 50, 45, 40});
  douze.DouzeCordes = true;
  TApercuAccordage cinq = Piste(5, {43, 38, 33, 28, 23});
  cinq.Corde = 2;
  cinq.Capo = 3;
  TApercuAccordage haut = Piste(6, {119, 59, 55, 50, 45, 116});
  haut.Corde = 6;
  haut.Capo = 12;
  haut.DouzeCordes = true;
  TApercuAccordage import = Piste(6, {64, 59, 55, 50, 45, 40});
  import.Import = true;
  import.Capo = 3;
  import.DouzeCordes = true;
  import.Corde = 1;
  const Cas cas[] = {
      {"four strings strummed",
       basse,
       {{0, 0x90, 28, 0x7F}, {100, 0x90, 33, 0x7F}, {95, 0x90, 38, 0x7F}, {90, 0x90, 43, 0x7F},
        {434, 0x80, 28, 0x50}, {0, 0x80, 33, 0x50}, {0, 0x80, 38, 0x50}, {0, 0x80, 43, 0x50}}},
      {"six strings, 12-string: the four lowest doubled",
       douze,
       {{0, 0x90, 40, 0x7F}, {0, 0x90, 52, 0x64}, {100, 0x90, 45, 0x7F}, {0, 0x90, 57, 0x64},
        {95, 0x90, 50, 0x7F}, {0, 0x90, 62, 0x64}, {90, 0x90, 55, 0x7F}, {0, 0x90, 67, 0x64},
        {85, 0x90, 59, 0x7F}, {80, 0x90, 64, 0x7F},
        {434, 0x80, 40, 0x50}, {0, 0x80, 52, 0x50}, {0, 0x80, 45, 0x50}, {0, 0x80, 57, 0x50},
        {0, 0x80, 50, 0x50}, {0, 0x80, 62, 0x50}, {0, 0x80, 55, 0x50}, {0, 0x80, 67, 0x50},
        {0, 0x80, 59, 0x50}, {0, 0x80, 64, 0x50}}},
      {"row 2 of five strings is string 1, raised by the capo",
       cinq,
       {{0, 0x90, 46, 0x7F}, {504, 0x80, 46, 0x50}}},
      {"pitches above 127 are held at 127",
       haut,
       {{0, 0x90, 127, 0x7F}, {0, 0x90, 127, 0x64}, {504, 0x80, 127, 0x50}, {0, 0x80, 127, 0x50}}},
      {"the import's preview has no capo and no doubling",
       import,
       {{0, 0x90, 64, 0x7F}, {504, 0x80, 64, 0x50}}},
  };
  for (const Cas& c : cas) {
    SCOPED_TRACE(c.nom);
    const std::vector<uint8_t> f = OctetsApercuAccordage(c.a);
    EXPECT_EQ(Notes(Corps(f)), c.attendu);
    // A standard reader takes the whole file: both tracks end, every note is read.
    const midi_test::TLecture lu = midi_test::Lire(f);
    EXPECT_EQ(lu.De("End_track").size(), 2u);
    EXPECT_EQ(lu.De("Note_on_c").size() + lu.De("Note_off_c").size(), c.attendu.size());
  }
}

TEST(ApercuAccordage, FileLayoutAndSetUp) {
  TProprietesTempo p;
  p.NbCordes[3] = 6;
  p.Instrument[3] = 25;
  p.Volume[3] = 100;
  p.Chorus[3] = 10;
  p.Reverb[3] = 20;
  p.Panoramique[3] = 64;
  const std::vector<uint8_t> f = OctetsApercuAccordage(ApercuProprietes(p, 3, 0, 0, false));
  const std::vector<uint8_t> entete = {'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 1, 0, 2, 0x01, 0xE0,
                                       'M', 'T', 'r', 'k', 0, 0, 0, 0x19, 0, 0xFF, 0x51, 3, 0x09, 0x27, 0xC0,
                                       0, 0xFF, 0x58, 4, 4, 2, 0x18, 8, 0, 0xFF, 0x59, 2, 0, 0, 0, 0xFF, 0x2F, 0};
  ASSERT_GE(f.size(), entete.size());
  EXPECT_EQ(std::vector<uint8_t>(f.begin(), f.begin() + entete.size()), entete);
  // Track 3 plays on channels 5 and 6; the mix and program go to channel 0.
  const std::vector<uint8_t> reglages = {0, 0xFF, 0x21, 1, 0, 0, 0xFF, 0x20, 1, 0, 0, 0xB4, 0x64, 0, 0, 0xB4, 0x65, 0,
                                         0, 0xB5, 0x64, 0, 0, 0xB5, 0x65, 0, 0, 0xB0, 7, 100, 0, 0xB0, 0x5D, 10,
                                         0, 0xB0, 0x5B, 20, 0, 0xB0, 0x0A, 64, 0, 0xC0, 25};
  const std::vector<uint8_t> corps = Corps(f);
  ASSERT_GE(corps.size(), reglages.size());
  EXPECT_EQ(std::vector<uint8_t>(corps.begin(), corps.begin() + reglages.size()), reglages);
  EXPECT_EQ(std::vector<uint8_t>(corps.end() - 4, corps.end()), (std::vector<uint8_t>{0, 0xFF, 0x2F, 0}));

  const std::vector<uint8_t> import = Corps(OctetsApercuAccordage(ApercuImport(p, 3, 0)));
  const std::vector<uint8_t> reglagesImport = {0, 0xFF, 0x21, 1, 0, 0, 0xFF, 0x20, 1, 0, 0, 0xB0, 0x64, 0,
                                               0, 0xB0, 0x65, 0, 0, 0xB0, 7, 0x7F, 0, 0xB0, 0x5D, 0,
                                               0, 0xB0, 0x5B, 0, 0, 0xB0, 0x0A, 0x40, 0, 0xC0, 25};
  EXPECT_EQ(std::vector<uint8_t>(import.begin(), import.begin() + reglagesImport.size()), reglagesImport);

  QTemporaryDir dir;
  const QString chemin = dir.filePath("vexo.tmp");
  ASSERT_TRUE(EcrireMidiAccordage(chemin, ApercuProprietes(p, 3, 0, 0, false)));
  QFile lu(chemin);
  ASSERT_TRUE(lu.open(QIODevice::ReadOnly));
  EXPECT_EQ(lu.readAll(), QByteArray(reinterpret_cast<const char*>(f.data()), qsizetype(f.size())));
}

}  // namespace
