#pragma once
// The song-file commands the main window relies on.
#include <QString>

// Opens a song (asks for a name when empty); true when a song was read. Reports its own errors.
bool OuvrirPartition(const QString& nom);
// Asks whether to save a modified song; false when the user cancelled.
bool DemanderEnregistrement();
// Saves the song to CheminFichier; true on success.
bool EnregistrerPartition();
// Deletes the temporary MIDI file "vexo.tmp".
void SupprimerFichierTemp();
// Path of the temporary MIDI file.
QString CheminFichierTemp();
