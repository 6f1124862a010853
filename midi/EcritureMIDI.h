#pragma once
// The Standard MIDI File of the song (format 1, 480 ticks per quarter): MIDI export and every
// playback write it, in one of six modes.
#include <QString>
#include <cstdint>
#include <vector>

#include "midi/OrdreLecture.h"

enum TModeMIDI {
  MODE_MIDI_EXPORT = 0,
  MODE_MIDI_DEBUT = 1,          // play from the start
  MODE_MIDI_POSITION = 2,       // play from the current measure
  MODE_MIDI_MESURE = 3,         // play the current measure
  MODE_MIDI_ENTRAINEMENT = 4,   // one pass of the speed trainer
  MODE_MIDI_TEMPS = 5,          // the beat under the cursor
};

// The playback state.
struct TEtatLecture {
  int32_t Mode = -1;                  // -1 idle, else the TModeMIDI being played
  double TempsMesureSuivante = 0;     // play time in minutes at which the display moves on
  int32_t TempoCourant = 120;
  int32_t TempoDeb = 0;
  int32_t TempoFin = 0;
  int32_t Variation = 0;
};
extern TEtatLecture EtatLecture;

extern std::vector<double> TempsMesures;  // [1..] length of each play-order entry in minutes
extern int32_t PosOrdreLecture;                        // the entry being played
extern int32_t MesureDebutLecture, MesureFinLecture;   // the speed trainer's range
// Ticks before the first beat of the last file written: the count-in bar and the grace-note lead.
extern int32_t DebutMorceauTicks;

// 0-based MIDI channels of a track: plain notes, and the notes whose pitch is bent.
int CanalPrincipal(int piste);
int CanalEffets(int piste);
// A track that holds no beat, or only rests.
bool PisteSilencieuse(int piste);
// Whether the track is written in the mode (export switch, solo and mute, silence).
bool PisteIncluse(int piste, int mode);

// The bytes of the file for the mode, from the song, the options, the play order, the cursor
// and EtatLecture; fills TempsMesures and DebutMorceauTicks.
std::vector<uint8_t> ConstruireFichierMIDI(int mode);

// Writes the file; false (after telling the user) when it cannot be written. An export whose
// play order was cut to its limit tells the user too (playback does when it starts).
bool EcrireFichierMIDI(const QString& chemin, int mode);
// Writes a MIDI file's bytes through a save file, so that a failed write leaves the old file whole.
bool EcrireOctetsFichier(const QString& chemin, const std::vector<uint8_t>& octets);
// The same, telling the user when the file cannot be written (the preview files).
bool EcrireOctetsMIDI(const QString& chemin, const std::vector<uint8_t>& octets);
