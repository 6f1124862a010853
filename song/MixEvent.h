#pragma once
// A mix-table change that a beat may carry: new instrument, volume, pan, chorus, reverb and tempo,
// each with "no change" (-1), and the transition lengths in beats of the five ramps.
#include <cstdint>

class cTableMixEvent {
 public:
  int8_t Instrument = -1;
  int8_t Volume = -1;
  int8_t Panoramique = -1;
  int8_t Chorus = -1;
  int8_t Reverb = -1;
  int32_t Tempo = -1;
  uint8_t TransVolume = 0;
  uint8_t TransPanoramique = 0;
  uint8_t TransChorus = 0;
  uint8_t TransReverb = 0;
  uint8_t TransTempo = 0;

  void Copier(const cTableMixEvent& source) { *this = source; }
  bool operator==(const cTableMixEvent&) const = default;
};
