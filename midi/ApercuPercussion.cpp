#include "midi/ApercuPercussion.h"

#include <algorithm>

#include "midi/EcritureMIDI.h"
#include "midi/uMIDIPile.h"
#include "song/Song.h"

std::vector<uint8_t> OctetsApercuPercussion(const TPartition& p, int touche) {
  const uint8_t k = static_cast<uint8_t>(std::clamp(touche, 0, 127));
  auto bas = [](int32_t v) { return static_cast<uint8_t>(v & 0xFF); };
  const int t = PISTE_PERCUSSION;
  // The channel prefix names channel 10 (byte 9), the channel of the notes below.
  std::vector<uint8_t> corps;
  corps.reserve(64);
  AjouterOctets(corps, {0xFF, 0x21, 0x01, 0x00, 0x00, 0xFF, 0x20, 0x01, 0x09, 0x00, 0xFF, 0x03, 0x13});
  static constexpr char nom[] = "Strumquill 2.2 Drum";
  static_assert(sizeof(nom) - 1 == 0x13);
  for (size_t i = 0; i < 0x13; ++i) corps.push_back(static_cast<uint8_t>(nom[i]));
  AjouterOctets(corps, {0x00, 0xB9, 0x07, bas(p.Volume[t]), 0x00, 0xB9, 0x5D, bas(p.Chorus[t]), 0x00, 0xB9, 0x5B,
                        bas(p.Reverb[t]), 0x00, 0xB9, 0x0A, bas(p.Panoramique[t]), 0x00, 0xC9, bas(p.Instrument[t]),
                        0x00, 0x99, k, 0x7F, 0x83, 0x78, 0x89, k, 0x50, 0x00, 0xFF, 0x2F, 0x00});

  std::vector<uint8_t> f;
  AjouterOctets(f, {'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 1, 0, 2, 0x01, 0xE0});
  uint8_t t1, t2, t3;
  TempoEnOctets(100, t1, t2, t3);
  AjouterOctets(f, {'M', 'T', 'r', 'k', 0, 0, 0, 25, 0x00, 0xFF, 0x51, 0x03, t1, t2, t3, 0x00, 0xFF, 0x58, 0x04, 0x04,
                    0x02, 0x18, 0x08, 0x00, 0xFF, 0x59, 0x02, 0x00, 0x00, 0x00, 0xFF, 0x2F, 0x00});
  uint8_t fort, faible;
  DecouperMot(static_cast<uint32_t>(corps.size() + 1), fort, faible);
  AjouterOctets(f, {'M', 'T', 'r', 'k', 0, 0, fort, faible, 0x00});
  f.insert(f.end(), corps.begin(), corps.end());
  return f;
}

bool EcrireMidiPercussion(const QString& chemin, const TPartition& p, int touche) {
  return EcrireOctetsMIDI(chemin, OctetsApercuPercussion(p, touche));
}
