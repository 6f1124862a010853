#pragma once
// The MIDI import as the main window runs it: the file's sources in the track selection dialog,
// the progress window while the chosen tracks are built, and the new song in place of the old one
// only when everything went through.
#include <QString>

class TForm1;

// Imports a Standard MIDI File; true when it replaced the song. A refused file, an unreadable one
// or Cancel leave the song as it was.
bool ImporterFichierMIDI(const QString& chemin);
// File > Import > MIDI: stops a playback, offers to save a modified song, asks for the file and
// imports it.
void CommandeImporterMIDI(TForm1& fenetre);
