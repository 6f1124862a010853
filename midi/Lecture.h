#pragma once
// Playback services the main window relies on.

// Writes a minimal MIDI file to the temporary file and opens it on the media player;
// true when MIDI output works.
bool TesterSortieMIDI();
