#pragma once
// The song-file commands the main window relies on: open, save, save as, the save-changes
// question, the recent-file list and the temporary MIDI file. Window effects go through
// CrochetsFichier (files/FichierSqt.h).
#include <QString>

// Opens a song (asks for a name when empty); true when a song was read. Reports its own errors.
bool OuvrirPartition(const QString& nom);
// Asks whether to save a modified song; false when the caller must not go on (cancelled, or the
// save failed). Leaves Modifie as it was.
bool DemanderEnregistrement();
// Saves the song to CheminFichier; true on success.
bool EnregistrerPartition();
// The Save command: under the current name, or through save as for a song never saved.
// On success Modifie is cleared and the file goes to the top of the recent list.
bool CommandeEnregistrer();
// The Save as command: EnregistrerSous(true), then on success Modifie is cleared and the
// command states refreshed.
bool CommandeEnregistrerSous();
// The Save as command (autreNom) and the save of a song never saved: asks for a name, confirms
// replacing an existing file, saves; on failure the previous name and path come back.
bool EnregistrerSous(bool autreNom);
// A file dialog's choice makes its folder the working folder (kept in the settings); returns the choice.
QString RetenirDossier(const QString& chemin);
// A bare file name proposed by a save dialog, placed in the working folder.
QString CheminDansRepertoire(const QString& nom);
// Asks whether to replace an existing file (Yes goes on); true at once when there is no such file.
// A folder of that name is said to be one, and never offered for replacing (false).
bool ConfirmerRemplacement(const QString& chemin);
// A name typed in a save chooser with the extension the chooser proposes (dot included) added,
// unless it already ends in it, in any case: a dot of the name's own ("Ballad no.5") is no extension.
QString AvecExtension(const QString& nom, const QString& extension);
// The file a save chooser's answer names: its extension added (AvecExtension), then a folder of
// that name refused and an existing file kept unless the user says to replace it (asked when
// `demander`). Empty when the chooser was cancelled or nothing is to be written.
QString FichierAEcrire(const QString& reponse, const QString& extension, bool demander = true);
// The name an export proposes: the song's own file with another extension when it was saved (its
// name in lower case when `minuscules`), else its title made a valid file name, else nothing. The
// extension includes its dot.
QString NomExportPropose(const QString& extension, bool minuscules = false);
// Exports the song as a Standard MIDI File (repeats unrolled when the export option says so).
bool ExporterMIDI(const QString& chemin);
// The text with each character a file name cannot hold (" * / : < > ? \ |) replaced by "_".
QString NomFichierValide(const QString& texte);
// The song title an imported file gives: its name without folder and without its own extension
// (whatever its length, or none), first letter in upper case, at most 100 characters.
QString TitreFichierImporte(const QString& chemin);
// Moves a path to the top of a recent-file list of five (liste[0] the most recent).
void PlacerEnTeteFichiersRecents(QString liste[5], const QString& chemin);
// Puts CheminFichier at the top of DerniersFichiers and rebuilds the menu.
void AjouterFichierRecent(const QString& chemin);
// Rebuilds the five recent-file menu items from DerniersFichiers.
void MajMenuFichiersRecents();
// Opens recent file n (1..5).
void OuvrirFichierRecent(int n);
// Deletes the temporary MIDI file "vexo.tmp".
void SupprimerFichierTemp();
// Path of the temporary MIDI file (defined with the playback, midi/Lecture.cpp).
QString CheminFichierTemp();
