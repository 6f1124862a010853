#pragma once
// The main window's ASCII tablature commands: File > Import > ASCII and File > Export > ASCII.
class TForm1;

// Stops a playback, shows the import dialog and on Import reads its text into the current track;
// a file opened in the dialog names the song.
void CommandeImporterASCII(TForm1& fenetre);
// Shows the export window with the text of the current track.
void CommandeExporterASCII(TForm1& fenetre);

// The end of every replacement of the song: cursor to the start, beams regrouped, revert snapshot,
// and everything that shows the song refreshed.
// TODO(lead): fold into the one routine of editor/Partition.h and drop this declaration.
void FinRemplacementPartition(bool reussi);
