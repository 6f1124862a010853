#pragma once
// The time-sorted list of MIDI events from which one track chunk is written, and the byte
// routines shared by every MIDI writer (variable-length deltas, big-endian splits, tempo bytes).
#include <array>
#include <cstdint>
#include <initializer_list>
#include <vector>

// Status values without the channel.
enum : uint8_t {
  MIDI_NOTE_OFF = 0x80,
  MIDI_NOTE_ON = 0x90,
  MIDI_AFTERTOUCH = 0xA0,
  MIDI_CONTROLEUR = 0xB0,
  MIDI_PROGRAMME = 0xC0,
  MIDI_PRESSION = 0xD0,
  MIDI_PITCH_BEND = 0xE0,
  MIDI_META = 0xF0,
};
enum : uint8_t {
  META_NOM_PISTE = 0x03,
  META_PREFIXE_CANAL = 0x20,
  META_PORT = 0x21,
  META_FIN_PISTE = 0x2F,
  META_TEMPO = 0x51,
  META_SIGNATURE = 0x58,
  META_ARMURE = 0x59,
};
constexpr int CANAL_META = 15;

struct cEvtMIDIPile {
  int64_t Temps = 0;    // ticks from the start of the track
  int32_t Canal = 0;    // 0..15, meta events 15
  uint8_t Statut = 0;   // without the channel; 0xF0 = meta event
  uint8_t Donnee1 = 0;  // key, controller, program, bend LSB, or meta type
  uint8_t Donnee2 = 0;  // velocity, value, bend MSB, or meta length
  int32_t Valeur = 0;   // tempo in BPM for the tempo meta event, else the meta event's data byte
};

class cMIDIPile {
 public:
  // Last value sent on this track for each mix parameter: the start points of mix-table ramps.
  int32_t Volume = 0;
  int32_t Panoramique = 0;
  int32_t Chorus = 0;
  int32_t Reverb = 0;
  int32_t Tempo = 120;
  // Channels that already received the pitch-bend range (bit per channel).
  uint32_t PlageBendEnvoyee = 0;

  // Data bytes are clamped to 0..127 and negative times to 0.
  void Ajouter(int64_t temps, int canal, uint8_t statut, int donnee1, int donnee2, int32_t valeur = 0);
  // Places the event after every event whose time is not greater: equal times keep the order
  // in which they were added.
  void Inserer(const cEvtMIDIPile& evt);
  // Appends the events as a track body (delta times and events, each with its status byte) to the
  // buffer.
  void Ecrire(std::vector<uint8_t>& tampon);
  void Vider();
  // Ends the list at tick `fin`, for a playback that must last exactly its measures: notes still
  // sounding stop there, notes starting later and meta events later are dropped, and of the later
  // controller, program and bend events only the last of each kind is kept, moved to `fin`, so
  // that every channel is left where it would have gone.
  void CouperA(int64_t fin);

  int Nombre() const { return static_cast<int>(evts_.size()); }
  // The events in time order.
  const std::vector<cEvtMIDIPile>& Evenements();

 private:
  void Trier();
  std::vector<cEvtMIDIPile> evts_;
  bool trie_ = true;
};

// Collects the tempo changes of one writing pass, from which the play-order lengths are computed.
extern cMIDIPile PileMIDI;

// Variable-length quantity of a delta time, 1 to 4 bytes (values above 0x0FFFFFFF are clamped).
int EcrireQuantiteVariable(uint32_t valeur, uint8_t octets[4]);
// Big-endian 32-bit chunk length.
std::array<uint8_t, 4> DecouperLongueur(uint32_t valeur);
// High and low byte of a 16-bit value.
void DecouperMot(uint32_t valeur, uint8_t& fort, uint8_t& faible);
// Microseconds per quarter note of a tempo in BPM, as the three bytes of the tempo meta event;
// clamped to 24 bits (tempos below 4 BPM give the slowest tempo the event can hold).
void TempoEnOctets(int32_t bpm, uint8_t& o1, uint8_t& o2, uint8_t& o3);

// Small writers over a growing byte buffer.
void AjouterOctets(std::vector<uint8_t>& tampon, std::initializer_list<uint8_t> octets);
void AjouterQuantiteVariable(std::vector<uint8_t>& tampon, uint32_t valeur);
void AjouterLongueur(std::vector<uint8_t>& tampon, uint32_t valeur);
// A whole track chunk ("MTrk", length, body) around a body.
void AjouterChunkPiste(std::vector<uint8_t>& fichier, const std::vector<uint8_t>& corps);
