#pragma once
// The main window's ASCII tablature commands: File > Import > ASCII and File > Export > ASCII.
class TForm1;

// Stops a playback, shows the import dialog and on Import reads its text into the current track,
// which stays current; a file opened in the dialog names the song.
void CommandeImporterASCII(TForm1& fenetre);
// Shows the export window with the text of the current track.
void CommandeExporterASCII(TForm1& fenetre);
