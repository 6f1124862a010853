#pragma once
// The order in which the measures sound: repeats and alternate endings unrolled, cut to the range
// that is to be played.
#include <cstdint>
#include <vector>

#include "song/Song.h"

// One MIDI file plays at most this many entries: ten times the longest song, so that every song
// plays whole with its ordinary repeats, while a repeat count of 99 over hundreds of bars does not
// make a file of hours and hundreds of megabytes.
constexpr int NB_ORDRE_LECTURE_MAX = 10 * NB_MESURES_MAX;
// ... and at most this many ticks, so that every delta time of the file fits its four bytes
// (28 bits), with room left for the count-in bar and the grace-note lead.
constexpr int64_t NB_TICKS_ORDRE_MAX = 0x0FFFFFFF - 2 * 32 * 4 * TICKS_NOIRE;

extern std::vector<int32_t> OrdreLecture;  // [1..NbOrdreLecture] measure numbers; entry 0 unused
extern int32_t NbOrdreLecture;
// Set when the last computation had more entries than one file plays and was cut;
// MesureOmise is then the measure of the first entry left out.
extern bool OrdreLectureTronque;
extern int32_t MesureOmise;

// Pure form: the unrolled and cut order of a song, whole (a walk through marks that would repeat
// without end stops at a bound taken from the song; *interrompue then gets the measure it stopped at,
// else 0).
// modeParcourir: the file browser passes the number of measures to play as the last measure.
// debut = fin gives that measure alone, but for a song of one measure, which is then the whole song,
// unless mesureSeule says the command plays one chosen measure.
std::vector<int32_t> CalculerOrdreMesures(const TPartition& partition, int debut, int fin, bool avecRepetitions,
                                          bool modeParcourir = false, int32_t* interrompue = nullptr,
                                          bool mesureSeule = false);
// How many leading entries of an order one MIDI file plays (NB_ORDRE_LECTURE_MAX, NB_TICKS_ORDRE_MAX).
size_t EntreesJouables(const TPartition& partition, const std::vector<int32_t>& ordre);

// Fills OrdreLecture/NbOrdreLecture from the global song; true when the list is not empty.
bool CalculeOrdreLecture(int debut, int fin, bool avecRepetitions, bool mesureSeule = false);
// Tells the user what the last computed order left out, when it was cut.
void SignalerOrdreTronque();
