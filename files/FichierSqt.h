#pragma once
// The native song file (".sqt"): the whole song, its beat chords, mix-table changes and print
// chord list, little-endian, in one pass. Version 2.21 is written; 2.20 and the five 1.x versions
// are read too.
#include <QByteArray>
#include <QString>
#include <functional>

// Window effects of loading and saving. Set by the main window; tests leave them empty.
struct TCrochetsFichier {
  // The main window's caption.
  std::function<void(const QString&)> Legende;
  // After a load (true) or a failed load (false), once the song, beams, edit zone, score view and
  // command states are done: clear the speed trainer's fields, and after a failure put the
  // properties dialog in its new-song mode.
  std::function<void(bool reussi)> ApresChargement;
  // Track menu and buttons, the label that shows the song's title and author, and the command
  // states; when unset, the editor's hooks of the same purpose are used.
  std::function<void()> MajMenuPistes;
  std::function<void(int piste)> MajBoutonPiste;
  std::function<void(const QString&)> TitreMorceau;
  std::function<void()> RafraichirActions;
  // True while a playback runs, and the Stop command (only used when MIDI output is available).
  std::function<bool()> LectureEnCours;
  std::function<void()> ArreterLecture;
  // The five recent-file menu captions (empty = item hidden) and the separator's visibility.
  std::function<void(const QStringList& legendes, bool separateur)> MenuFichiersRecents;
  // File dialogs; an empty result means cancelled. When unset, a standard file dialog is shown.
  std::function<QString()> ChoisirFichierOuverture;
  std::function<QString(const QString& nomPropose)> ChoisirFichierEnregistrement;
};
extern TCrochetsFichier CrochetsFichier;

// The program title that stands before " - " and the file name in the main window's caption.
extern const QString TitreProgramme;

// Signature of the version written.
inline constexpr const char* SIGNATURE_SQT = "FICHIER STRUMQUILL v2.21";

// Version number of a 31-byte signature field: 100..104, 220 or 221; 0 for an unknown one whose
// text begins with the 1.x family name (too old), -1 for anything else.
int VersionSignature(const QByteArray& champ31);

// The bytes of the current song (Partition, its measures and AccordsImprimer) in version 2.21.
QByteArray OctetsPartition();

// Reads a whole file image into the song, which the caller has reset to a new empty song. On a
// refusal returns false with the language key of the reason in cleErreur; the song is then
// partly filled and must be reset by the caller (OuvrirFichier does).
bool LireOctetsPartition(const QByteArray& octets, QString& cleErreur);

// Writes the song to CheminFichier (through a save file: a failed save keeps the old file).
bool EnregistrerFichier();
// Reads CheminFichier into the song that the caller has reset; on failure reports the reason and
// leaves a new empty song.
bool OuvrirFichier();

// The window effects above, falling back on the editor's hooks (editor/Saisie.h).
void FichierMajMenuPistes();
void FichierMajBoutonsPistes();
void FichierTitreMorceau();
void FichierRafraichirActions();
