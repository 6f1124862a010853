#include "chords/EcouteAccord.h"

#include <algorithm>
#include <vector>

#include "platform/CheckedFile.h"
#include "midi/uMIDIPile.h"

QByteArray OctetsEcouteAccord(const TAccord& accord, const int32_t* accordage, int nbCordes, int instrument) {
  std::vector<uint8_t> tete;
  AjouterOctets(tete, {'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 1, 0, 2, 0x01, 0xE0});
  uint8_t t1, t2, t3;
  TempoEnOctets(100, t1, t2, t3);
  AjouterOctets(tete, {'M', 'T', 'r', 'k', 0, 0, 0, 0x19, 0, 0xFF, 0x51, 3, t1, t2, t3});
  AjouterOctets(tete, {0, 0xFF, 0x58, 4, 4, 2, 0x18, 8, 0, 0xFF, 0x59, 2, 0, 0, 0, 0xFF, 0x2F, 0});

  std::vector<uint8_t> piste;
  AjouterOctets(piste, {0, 0xFF, 0x21, 1, 0, 0, 0xFF, 0x20, 1, 0, 0, 0xB0, 7, 0x7F, 0, 0xB0, 0x5D, 0,
                        0, 0xB0, 0x5B, 0, 0, 0xB0, 0x0A, 0x40, 0, 0xC0,
                        static_cast<uint8_t>(std::clamp(instrument, 0, 127)), 0});
  std::vector<uint8_t> notes;
  for (int s = std::min(6, nbCordes); s >= 1; --s)
    if (accord.Frettes[s] >= 0) notes.push_back(static_cast<uint8_t>(std::clamp(accordage[s] + accord.Frettes[s], 0, 127)));
  // A strum from the bass upward: each string a little sooner after the previous one.
  const uint8_t ecarts[5] = {60, 55, 50, 45, 40};
  for (size_t i = 0; i < notes.size(); ++i) {
    AjouterOctets(piste, {0x90, notes[i], 0x7F});
    if (i + 1 < notes.size()) piste.push_back(ecarts[std::min<size_t>(i, 4)]);
  }
  if (!notes.empty()) AjouterOctets(piste, {0x83, 0x01});
  for (uint8_t n : notes) AjouterOctets(piste, {0x80, n, 0x50, 0});
  AjouterOctets(piste, {0xFF, 0x2F, 0});

  uint8_t fort, faible;
  DecouperMot(static_cast<uint32_t>(piste.size()), fort, faible);
  AjouterOctets(tete, {'M', 'T', 'r', 'k', 0, 0, fort, faible});
  QByteArray octets(reinterpret_cast<const char*>(tete.data()), static_cast<qsizetype>(tete.size()));
  octets.append(reinterpret_cast<const char*>(piste.data()), static_cast<qsizetype>(piste.size()));
  return octets;
}

bool EcrireFichierEcoute(const QString& chemin, const TAccord& accord, const int32_t* accordage, int nbCordes,
                         int instrument) {
  return WriteFileChecked(chemin, OctetsEcouteAccord(accord, accordage, nbCordes, instrument));
}
