#include "midi/ApercuAccordage.h"

#include <algorithm>

#include "editor/state/Proprietes.h"
#include "midi/EcritureMIDI.h"
#include "midi/uMIDIPile.h"

static uint8_t Octet(int v) { return static_cast<uint8_t>(std::clamp(v, 0, 127)); }

TApercuAccordage ApercuProprietes(const TProprietesTempo& c, int piste, int corde, int capo, bool douzeCordes) {
  TApercuAccordage a;
  piste = std::clamp(piste, 1, NB_PISTES);
  a.Corde = corde;
  a.NbCordes = c.NbCordes[piste];
  std::copy(std::begin(c.Accordage[piste]), std::end(c.Accordage[piste]), a.Accordage);
  a.Instrument = c.Instrument[piste];
  a.Capo = capo;
  a.DouzeCordes = douzeCordes;
  a.Volume = c.Volume[piste];
  a.Chorus = c.Chorus[piste];
  a.Reverb = c.Reverb[piste];
  a.Panoramique = c.Panoramique[piste];
  a.CanalPrincipal = CanalPrincipal(piste);
  a.CanalEffets = CanalEffets(piste);
  return a;
}

TApercuAccordage ApercuImport(const TProprietesTempo& c, int piste, int corde) {
  TApercuAccordage a;
  piste = std::clamp(piste, 1, NB_PISTES);
  a.Import = true;
  a.Corde = corde;
  a.NbCordes = c.NbCordes[piste];
  std::copy(std::begin(c.Accordage[piste]), std::end(c.Accordage[piste]), a.Accordage);
  a.Instrument = c.Instrument[piste];
  return a;
}

std::vector<uint8_t> OctetsApercuAccordage(const TApercuAccordage& a) {
  const int n = std::clamp(a.NbCordes, 4, 6);
  const int capo = a.Import ? 0 : a.Capo;
  const bool douze = !a.Import && a.DouzeCordes;
  auto hauteur = [&](int rangee) { return Octet(capo + a.Accordage[std::clamp(rangee - (6 - n), 1, 6)]); };
  // Rows 1 and 2 sound only when the track has those strings.
  auto existe = [&](int rangee) { return rangee > 6 - n; };

  std::vector<uint8_t> corps;
  auto evt = [&](uint32_t delta, std::initializer_list<uint8_t> octets) {
    AjouterQuantiteVariable(corps, delta);
    AjouterOctets(corps, octets);
  };
  // A note on or off, and its octave when the row is one of the four doubled ones.
  auto note = [&](uint32_t delta, int rangee, bool debut) {
    const uint8_t p = hauteur(rangee);
    evt(delta, {static_cast<uint8_t>(debut ? 0x90 : 0x80), p, static_cast<uint8_t>(debut ? 0x7F : 0x50)});
    if (douze && rangee >= 3)
      evt(0, {static_cast<uint8_t>(debut ? 0x90 : 0x80), Octet(p + 12), static_cast<uint8_t>(debut ? 0x64 : 0x50)});
  };

  evt(0, {0xFF, 0x21, 0x01, 0x00});
  evt(0, {0xFF, 0x20, 0x01, 0x00});
  if (a.Import) {
    for (auto e : {std::initializer_list<uint8_t>{0xB0, 0x64, 0x00}, {0xB0, 0x65, 0x00}, {0xB0, 0x07, 0x7F},
                   {0xB0, 0x5D, 0x00}, {0xB0, 0x5B, 0x00}, {0xB0, 0x0A, 0x40}})
      evt(0, e);
  } else {
    const uint8_t m = static_cast<uint8_t>(0xB0 + std::clamp(a.CanalPrincipal, 0, 15));
    const uint8_t e = static_cast<uint8_t>(0xB0 + std::clamp(a.CanalEffets, 0, 15));
    evt(0, {m, 0x64, 0x00});
    evt(0, {m, 0x65, 0x00});
    evt(0, {e, 0x64, 0x00});
    evt(0, {e, 0x65, 0x00});
    evt(0, {0xB0, 0x07, Octet(a.Volume)});
    evt(0, {0xB0, 0x5D, Octet(a.Chorus)});
    evt(0, {0xB0, 0x5B, Octet(a.Reverb)});
    evt(0, {0xB0, 0x0A, Octet(a.Panoramique)});
  }
  evt(0, {0xC0, Octet(a.Instrument)});

  if (a.Corde >= 1 && a.Corde <= 6) {
    note(0, a.Corde, true);
    note(504, a.Corde, false);
  } else {
    // A strum from the lowest string up, then every string let go together.
    note(0, 6, true);
    note(100, 5, true);
    note(95, 4, true);
    note(90, 3, true);
    uint32_t attente = 434;
    if (existe(2)) {
      note(85, 2, true);
      if (existe(1)) {
        note(80, 1, true);
      }
    }
    note(attente, 6, false);
    for (int r = 5; r >= 1; --r)
      if (existe(r)) note(0, r, false);
  }
  evt(0, {0xFF, 0x2F, 0x00});

  std::vector<uint8_t> f;
  AjouterOctets(f, {'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 1, 0, 2, 0x01, 0xE0});
  uint8_t t1, t2, t3;
  TempoEnOctets(100, t1, t2, t3);
  const std::vector<uint8_t> conducteur = {0x00, 0xFF, 0x51, 0x03, t1,   t2,   t3,   0x00, 0xFF, 0x58, 0x04, 0x04, 0x02,
                                           0x18, 0x08, 0x00, 0xFF, 0x59, 0x02, 0x00, 0x00, 0x00, 0xFF, 0x2F, 0x00};
  AjouterChunkPiste(f, conducteur);
  AjouterChunkPiste(f, corps);
  return f;
}

static bool Ecrire(const QString& chemin, const TApercuAccordage& a) {
  return EcrireOctetsMIDI(chemin, OctetsApercuAccordage(a));
}

bool EcrireMidiAccordage(const QString& chemin, const TApercuAccordage& a) {
  TApercuAccordage b = a;
  b.Import = false;
  return Ecrire(chemin, b);
}

bool EcrireMidiAccordageImport(const QString& chemin, const TApercuAccordage& a) {
  TApercuAccordage b = a;
  b.Import = true;
  return Ecrire(chemin, b);
}
