#pragma once
// The MIDI import over data: an empty song for the file, its conductor (tempo and measures), the
// per-track choices of the track selection dialog, and the building of every chosen track (read,
// quantise, cut into measures, finger, close the measures). The song being built is a record of
// its own: the song in memory changes only when the whole import succeeded.
#include <QString>

#include "editor/state/Proprietes.h"
#include "midi/ImportSMF.h"
#include "midi/NotesMesures.h"
#include "midi/PlacementDoigts.h"
#include "song/Song.h"

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
// The working copy for the track selection from the song's tracks: no source chosen, grid 4, no
// octave shift. OK writes it back with CopierVersPartition.
void ProprietesImportDepuis(const TPartition& p, TProprietesTempo& c);

// Reads, cuts and fingers every track that has a source, then closes its measures and gives a
// song without tempo 120. False when a chosen source cannot be read (the song is then to be
// dropped). What had to be left out goes to `rapport`.
bool ConstruireImport(const TFichierMIDI& f, const TProprietesTempo& c, TPartition& p, const TPoidsDoigts& poids,
                      TRapportImport& rapport, TSuiviImport& suivi);

// The closing message of an import that left something out (empty when nothing was).
QString TexteRapportImport(const TRapportImport& rapport);
