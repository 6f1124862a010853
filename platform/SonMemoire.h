#pragma once
// Plays a whole WAV file image held in memory, asynchronously, on the default audio output.
// Without an audio device (or with a sound the output cannot take) nothing is heard and nothing
// is reported: the caller goes on as if the sound had ended.
#include <cstdint>
#include <vector>

// Starts the sound and returns at once; any sound still playing is cut. False when it cannot be
// played (no output, not a PCM WAV image).
bool JouerSonMemoire(const std::vector<uint8_t>& wav);
// True while a sound started here is still being heard.
bool SonMemoireEnCours();
// Stops the sound and closes the output.
void ArreterSonMemoire();
