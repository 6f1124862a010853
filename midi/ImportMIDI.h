#pragma once
// The MIDI import over data: an empty song for the file, its conductor (tempo and measures), the
// per-track choices of the track selection dialog, and the building of every chosen track (read,
// quantise, cut into measures, finger, close the measures). The song being built is a record of
// its own: the song in memory changes only when the whole import succeeded.
#include <QString>

#include "midi/ImportSMF.h"
#include "midi/NotesMesures.h"
#include "midi/PlacementDoigts.h"
#include "song/Song.h"

// What the track selection dialog edits for one target track.
struct TPisteImport {
  QString Nom;
  int Instrument = 24;
  int NbCordes = 6;
  int Accordage[NB_CORDES_MAX + 1] = {};
  int NbFrettes = 24;
  int Source = 0;               // 1-based in TFichierMIDI::Sources; 0 = not imported
  bool OctaveInferieure = false;
  int Quantification = 4;       // grid steps per quarter note: 2, 4, 8 or 16
};
struct TProprietesImport {
  TPisteImport Pistes[NB_PISTES + 1];
};

// Stage texts and the bar (0..28) of the progress window.
class TSuiviImport {
 public:
  virtual ~TSuiviImport() = default;
  virtual void Etape(const QString& /*texte*/) {}
  virtual void Progression(int /*valeur*/) {}
};

// The song an import starts from: the new-song header and tracks, one empty 4/4 measure, and no
// tempo yet (-1).
void PartitionImportVide(TPartition& p, const QString& nomPercussions);
// The file's measures (time-signature map) and first tempo. False when the map was cut at
// NB_MESURES_MAX measures.
bool AppliquerConducteur(TPartition& p, const TFichierMIDI& f);
// The working copy of the dialog from the song's tracks, no source chosen, grid 4, no octave shift.
void ProprietesImportDepuis(const TPartition& p, TProprietesImport& w);
// Names (cut to 40 characters), instruments, strings, tunings and frets into the song.
void AppliquerProprietesImport(const TProprietesImport& w, TPartition& p);

// Reads, cuts and fingers every track that has a source, then closes its measures and gives a
// song without tempo 120. False when a chosen source cannot be read (the song is then to be
// dropped). What had to be left out goes to `rapport`.
bool ConstruireImport(const TFichierMIDI& f, const TProprietesImport& w, TPartition& p, const TPoidsDoigts& poids,
                      TRapportImport& rapport, TSuiviImport& suivi);

// The closing message of an import that left something out (empty when nothing was).
QString TexteRapportImport(const TRapportImport& rapport);
// A pitch as the tuning rows show it: note name and octave (64 -> "E5").
QString NomHauteur(int hauteur);
