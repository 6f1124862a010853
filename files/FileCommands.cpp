#include "files/FileCommands.h"

#include <QFile>

#include "editor/Globals.h"

// Placeholders until the song-file commands land.
bool OuvrirPartition(const QString&) { return false; }
bool DemanderEnregistrement() { return true; }
bool EnregistrerPartition() { return false; }
QString CheminFichierTemp() { return RepWindows + "vexo.tmp"; }
void SupprimerFichierTemp() { QFile::remove(CheminFichierTemp()); }
