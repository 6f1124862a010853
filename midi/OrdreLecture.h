#pragma once
// The order in which the measures sound: repeats and alternate endings unrolled, cut to the range
// that is to be played.
#include <cstdint>
#include <vector>

struct TPartition;

constexpr int NB_ORDRE_LECTURE_MAX = 500;

extern int32_t OrdreLecture[NB_ORDRE_LECTURE_MAX + 1];  // [1..NbOrdreLecture] measure numbers
extern int32_t NbOrdreLecture;
// Set when the last computation had more entries than the list holds and was cut.
extern bool OrdreLectureTronque;

// Pure form: the unrolled and cut order of a song, before the 500-entry limit.
// modeParcourir: the file browser passes the number of measures to play as the last measure.
std::vector<int32_t> CalculerOrdreMesures(const TPartition& partition, int debut, int fin, bool avecRepetitions,
                                          bool modeParcourir = false);

// Fills OrdreLecture/NbOrdreLecture from the global song; true when the list is not empty.
bool CalculeOrdreLecture(int debut, int fin, bool avecRepetitions);
// The same, as the export (mode 0) and the speed trainer (mode 1) call it.
bool CalculeOrdreLecture(int debut, int fin, int mode, bool avecRepetitions);
