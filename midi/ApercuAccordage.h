#pragma once
// The tuning previews: a very small Standard MIDI File that sounds one open string, or all the
// strings strummed from the lowest, so that the user hears a tuning before applying it. The
// properties dialog plays the track as it will sound (capo, 12-string doubling, mix values, the
// track's channels); the MIDI-import track selection plays the bare tuning.
#include <QString>
#include <cstdint>
#include <vector>

struct TProprietesTempo;

struct TApercuAccordage {
  int Corde = 0;            // 0 all strings, 1..6 one tuning row (row 6 is always the lowest string)
  int NbCordes = 6;         // 4..6; row r sounds string r - (6 - NbCordes)
  int32_t Accordage[7] = {};  // open-string pitches, slot 1 = highest string
  int Instrument = 0;
  int Capo = 0;
  bool DouzeCordes = false;  // the four lowest rows sound with their octave
  bool Import = false;       // the import's preview: no capo, no doubling, fixed mix, channel 0
  int Volume = 127, Chorus = 0, Reverb = 0, Panoramique = 64;
  int CanalPrincipal = 0, CanalEffets = 0;  // 0-based
};

// The preview of track `piste` of the working copy as the properties dialog plays it.
TApercuAccordage ApercuProprietes(const TProprietesTempo& c, int piste, int corde, int capo, bool douzeCordes);
// The preview of track `piste` of the working copy as the MIDI-import track selection plays it.
TApercuAccordage ApercuImport(const TProprietesTempo& c, int piste, int corde);

// The file's bytes. Pitches above 127 (a high tuning with capo and octave) are held at 127.
std::vector<uint8_t> OctetsApercuAccordage(const TApercuAccordage& a);

// Write the preview to `chemin`; false after telling the user when the file cannot be written.
bool EcrireMidiAccordage(const QString& chemin, const TApercuAccordage& a);
bool EcrireMidiAccordageImport(const QString& chemin, const TApercuAccordage& a);
