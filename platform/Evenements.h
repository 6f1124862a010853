#pragma once
// "Let pending messages run", as the commands, the edits and the file steps say it: painting,
// timers, sound notices and the window system's own notices run; the user's keys, clicks, wheel
// and touches stay queued in Qt and come afterwards, in the order they were given, once the step
// is over. So a key typed while a command runs is handled after that command, never inside it.
// (A modal dialog that the command opens runs its own loop and receives the user's input, as it
// should; so does the file browser between the steps of its sub-folder scan.)

// Runs what is pending now; with attendre, first waits until something arrives (a timer tick, a
// notice, or user input, which is then left queued).
void LaisserPasserMessages(bool attendre = false);
