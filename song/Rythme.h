#pragma once
// Rhythm grouping as data: beats are cut into beam groups by the time signature, and each beat of a
// group gets its links in TTemps::Ligature[1..7]. The edit zone, the score view and the print
// renderer draw the same stems, beams and dots from these bytes:
//  [1] beams shared with the previous beamed beat, [2] that beat's number (0 = none),
//  [3] beams drawn on the left side, [4] beams shared with the next beamed beat, [5] its number,
//  [6] beams drawn on the right side, [7] side of the dot of a dotted beat (1 left, 2 right).
// A beat with more beams than it shares draws the extra ones as stubs on one side: its whole beam
// count then stands in [3] (stubs left) or [6] (stubs right) and the other is 0.
// Notes and rests of an eighth or shorter are beamed beats; longer rests are skipped (their
// bytes are cleared) without breaking the group.
#include <array>
#include <cstdint>
#include <utility>
#include <vector>

#include "song/Song.h"

// The beat takes part in the beam links: a note, or a rest of an eighth or shorter.
bool EstLie(const TTemps& t);
// Beams (flags) of a beat's duration: 1 for an eighth .. 4 for a sixty-fourth, else 0.
int NbCrochets(const TTemps& t);
// Beam-group lengths in ticks of a time signature (the last one repeats).
std::vector<int> UnitesGroupement(int numerateur, int denominateur);
// The ticks of beats debut..fin of a track (0 when fin < debut), summed in 64 bits so that damaged
// beat lengths cannot overflow it.
int64_t SommeDurees(const TMesure& m, int piste, int debut, int fin);
// The beam groups of beats 1..nbTemps of a track: first and last beat of each. A group ends at the
// first beat where the sum from its start is a whole number of its unit.
std::vector<std::pair<int, int>> GroupesRythme(const TMesure& m, int piste, int nbTemps);
// Writes the links of beats debut..fin of a track, taken as one group.
void LierGroupe(TMesure& m, int piste, int debut, int fin);
// Writes the links of beats 1..nbTemps of a track of a measure (nbTemps may count the input slot).
void GrouperMesure(TMesure& m, int piste, int nbTemps);
// The same links computed without touching the measure, for the renderers that draw a const song:
// entry b holds beat b's bytes ([0] unused); entries past nbTemps are zero.
using TLiens = std::array<uint8_t, 8>;
std::vector<TLiens> LiensMesure(const TMesure& m, int piste, int nbTemps);
