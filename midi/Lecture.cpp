#include "midi/Lecture.h"

// Placeholder until playback lands: no MIDI output.
bool TesterSortieMIDI() { return false; }
