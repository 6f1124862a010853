#pragma once
// The native song file (".sqt"): the whole song, its beat chords, mix-table changes and print
// chord list, little-endian, in one pass. Version 2.21 is written; 2.20 and the five 1.x versions
// are read too.
#include <QByteArray>
#include <QString>

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

// The largest song file read. The largest song the model holds (1000 measures, 8 tracks of 66
// beats, each beat with its chord, text, mix-table change, strum and six notes with effects and
// grace notes: about 245 bytes) is about 130 MB; the bound is four times that.
inline constexpr qint64 TAILLE_FICHIER_SQT_MAX = qint64(512) << 20;

// Writes the song to CheminFichier (through a save file: a failed save keeps the old file).
bool EnregistrerFichier();
// Reads CheminFichier into the song that the caller has reset; on failure reports the reason and
// leaves a new empty song: "Fichier-AccesImpossible" for a file that is missing or not a regular
// file (never opened, so a FIFO cannot hold it) or that the system refuses, "Fichier-Incorrect"
// for one above TAILLE_FICHIER_SQT_MAX.
bool OuvrirFichier();

