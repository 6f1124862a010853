#pragma once
// Builds Standard MIDI File bytes for the import tests and benchmarks.
#include <QByteArray>
#include <cstdint>
#include <initializer_list>
#include <vector>

namespace smf {

struct Piste {
  std::vector<uint8_t> o;
  void Delta(uint32_t d) {
    uint8_t b[4];
    int n = 0;
    b[n++] = d & 0x7F;
    while (d >>= 7) b[n++] = 0x80 | (d & 0x7F);
    while (n) o.push_back(b[--n]);
  }
  Piste& Evt(uint32_t delta, std::initializer_list<int> octets) {
    Delta(delta);
    for (int x : octets) o.push_back(static_cast<uint8_t>(x));
    return *this;
  }
  Piste& On(uint32_t d, int cle, int canal = 0, int vel = 100) { return Evt(d, {0x90 | canal, cle, vel}); }
  Piste& Off(uint32_t d, int cle, int canal = 0) { return Evt(d, {0x80 | canal, cle, 0}); }
  Piste& Tempo(uint32_t d, uint32_t us) { return Evt(d, {0xFF, 0x51, 3, int(us >> 16), int((us >> 8) & 0xFF), int(us & 0xFF)}); }
  Piste& Signature(uint32_t d, int n, int e) { return Evt(d, {0xFF, 0x58, 4, n, e, 24, 8}); }
  Piste& Nom(uint32_t d, const char* nom) {
    Delta(d);
    o.push_back(0xFF);
    o.push_back(0x03);
    const auto n = static_cast<uint8_t>(std::char_traits<char>::length(nom));
    o.push_back(n);
    for (int k = 0; k < n; ++k) o.push_back(static_cast<uint8_t>(nom[k]));
    return *this;
  }
  Piste& Fin(uint32_t d = 0) { return Evt(d, {0xFF, 0x2F, 0}); }
};

inline QByteArray Fichier(int format, int division, const std::vector<Piste>& pistes) {
  QByteArray b("MThd\0\0\0\6", 8);
  const int n = static_cast<int>(pistes.size());
  for (int x : {0, format, n >> 8, n & 0xFF, division >> 8, division & 0xFF}) b.append(char(x));
  for (const Piste& p : pistes) {
    b.append("MTrk", 4);
    const auto l = static_cast<uint32_t>(p.o.size());
    for (int s : {24, 16, 8, 0}) b.append(char((l >> s) & 0xFF));
    b.append(reinterpret_cast<const char*>(p.o.data()), static_cast<qsizetype>(p.o.size()));
  }
  return b;
}

// Back-to-back chords of `taille` notes, `ticks` long each, on channel 0, after a conductor track.
inline QByteArray Accords(int nbAccords, int taille, uint32_t ticks, int division = 480) {
  Piste c;
  c.Tempo(0, 500000).Signature(0, 4, 2).Fin();
  Piste p;
  // Distinct pitches a fourth apart, within reach of a guitar in standard tuning.
  auto cle = [](int a, int k) { return 40 + 5 * k + a % 7; };
  for (int a = 0; a < nbAccords; ++a) {
    for (int k = 0; k < taille; ++k) p.On(0, cle(a, k));
    for (int k = 0; k < taille; ++k) p.Off(k == 0 ? ticks : 0, cle(a, k));
  }
  p.Fin();
  return Fichier(1, division, {c, p});
}

}  // namespace smf
