#pragma once
// The input slot and the new song.

// Prepares the input slot (beat NbTemps + 1) of the current track in the current measure.
void PreparerTempsSaisie();
// The same for any track and measure, as a blank quarter.
void PreparerTempsSaisiePiste(int piste, int mesure);
// Resets the song to a new empty one.
void NouvellePartition();
