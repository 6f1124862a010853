#pragma once
// Reading a Standard MIDI File (format 0 or 1) for the import: the header, the first tempo, the
// time-signature map, the list of sources (the tracks of a format-1 file, the channels of a
// format-0 file) and, for one source, the import note list. Data in, data out: no window.
#include <QByteArray>
#include <QString>
#include <cstdint>
#include <functional>
#include <vector>

#include "platform/MediaPlayer.h"

// The import note list holds at most this many entries (the closing rest included).
constexpr int NB_NOTES_IMPORT_MAX = 20000;
// A larger file is refused before it is read into memory.
constexpr qint64 TAILLE_FICHIER_MIDI_MAX = kTailleFichierMIDIMax;

// One entry of the note list: a MIDI pitch (-1 = rest) and the time in quarter notes from this
// entry's start to the next entry's start. Entries of length 0 sound together with the next one.
struct TNoteImport {
  int32_t Hauteur = -1;
  double Duree = 0;
};

struct TListeNotesImport {
  std::vector<TNoteImport> Notes;
  double DureeTotale = 0;   // quarter notes
  std::vector<double> Debuts;  // each entry's start before the grid (quarter notes); empty when not quantised
  std::vector<std::pair<double, int>> SousLaPlage;  // start and pitch of the notes the octave shift put below 0
  bool Tronquee = false;    // the source held more than NB_NOTES_IMPORT_MAX entries; the rest was left out
};

// A time signature event: tick position, numerator 1..32, denominator 2^Exposant (0..5).
struct TSignatureMIDI {
  int64_t Tick = 0;
  int Numerateur = 4;
  int Exposant = 2;
};

// One MTrk chunk: where its events lie in the file's bytes.
struct TChunkMIDI {
  qsizetype Debut = 0;
  qsizetype Longueur = 0;
};

// What the user can import: a track (format 1) or a channel (format 0).
struct TSourceMIDI {
  QString Texte;        // as listed in the track selection dialog
  int Programme = 24;   // the General MIDI program found for it
  int Chunk = 0;        // index in TFichierMIDI::Pistes
  int Canal = 0;        // format 0: channel 1..16 whose notes are read; format 1: 0 = every channel
};

enum class EErreurMIDI { Aucune, NonReconnu, Acces };

struct TFichierMIDI {
  QByteArray Octets;
  int Format = 0;
  int Division = 480;                      // ticks per quarter note, 1..32767
  int Tempo = -1;                          // first tempo of the conductor, 1..999 BPM; -1 none
  std::vector<TSignatureMIDI> Signatures;  // valid time signatures of the conductor, in order
  std::vector<TChunkMIDI> Pistes;          // track chunks in file order
  std::vector<TSourceMIDI> Sources;
};

// A variable-length quantity of at most four bytes whose first byte was already read. Reads from
// `p` (not beyond `fin`) and advances it. False when the number runs past `fin` or past four bytes.
bool LireNombreVariable(uint8_t premier, const uint8_t*& p, const uint8_t* fin, int32_t& valeur, int& nbOctets);

// Checks the header, reads the conductor (tempo and time signatures) and lists the sources.
// `nomPiste` and `nonPrecise` are the texts of "Gene-Piste" and "MidiImp-NonPrecise".
// `progression` (may be empty) gets 0..28 after each event scanned, by the bytes read; in a format-1
// file each track fills its share of the bar, and the bar is full after each track.
EErreurMIDI AnalyserFichierMIDI(const QByteArray& octets, TFichierMIDI& f, const QString& nomPiste,
                                const QString& nonPrecise, const std::function<void(int)>& progression = {});
// Reads a file from disk and analyses it: Acces for one that is missing, not a regular file (never
// opened) or refused by the system, NonReconnu for one above TAILLE_FICHIER_MIDI_MAX.
EErreurMIDI OuvrirFichierMIDI(const QString& chemin, TFichierMIDI& f, const QString& nomPiste,
                              const QString& nonPrecise, const std::function<void(int)>& progression = {});

// The note list of one source; keys lowered by `decalage` semitones (0 or 12), keys that fall below
// 0 dropped. False when the source's chunk is malformed. `progression` (may be empty) gets the
// chunk's bytes read on 0..28 after each event.
bool LireSourceMIDI(const TFichierMIDI& f, const TSourceMIDI& source, int decalage, TListeNotesImport& liste,
                    const std::function<void(int)>& progression = {});
