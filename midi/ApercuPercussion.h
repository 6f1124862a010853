#pragma once
// The drum-sound preview of the drum assistant: a very small Standard MIDI File that strikes one
// General MIDI drum key on channel 10 with the percussion track's instrument and mix values.
#include <QString>
#include <cstdint>
#include <vector>

struct TPartition;

// The file's bytes for drum key `touche` (27..87) with track 8's settings of `p`.
std::vector<uint8_t> OctetsApercuPercussion(const TPartition& p, int touche);
// Writes it to `chemin`; false after telling the user when the file cannot be written.
bool EcrireMidiPercussion(const QString& chemin, const TPartition& p, int touche);
