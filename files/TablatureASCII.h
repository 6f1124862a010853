#pragma once
// Plain-text guitar tablature, both ways. Reading: blocks of staff lines are walked column by
// column; a column with a fret makes a beat, a column of bars a new measure. Writing: the current
// track becomes blocks of one chord/repeat line and one line per string, no wider than a line
// width but for a measure wider than the line, which stands whole on a block of its own.
// No window here: text in, beats out; song in, lines out.
#include <QString>
#include <QStringList>
#include <cstdint>
#include <vector>

#include "song/Song.h"

// ---- Reading ----

// The import modes, as the dialog lists them: durations measured by the dashes, or all alike.
enum { IMPORT_VARIABLE = 0, IMPORT_BLANCHES = 1, IMPORT_NOIRES = 2, IMPORT_CROCHES = 3, IMPORT_DOUBLES = 4 };

// Beats a measure receives from the text before the next one opens.
constexpr int NB_TEMPS_IMPORT_MAX = 32;

struct TTempsASCII {
  int32_t Duree = TICKS_NOIRE;
  int8_t CodeDuree = 0;
  int8_t EffetTemps = 0;
  int8_t Frettes[NB_CORDES_MAX + 1] = {
      0, FRETTE_AUCUNE, FRETTE_AUCUNE, FRETTE_AUCUNE, FRETTE_AUCUNE, FRETTE_AUCUNE, FRETTE_AUCUNE};  // [1..6]
  int8_t Effets[NB_CORDES_MAX + 1] = {};                                                             // [1..6]
};

struct TTablatureASCII {
  std::vector<std::vector<TTempsASCII>> Mesures;  // measure 1 first; never holds an empty measure
  bool Tronquee = false;                          // the text asked for more than 1000 measures
};

// The lines of a text as the parser sees them: CR LF, LF and CR all end a line, tabs stand for
// blanks up to the next multiple of 8, trailing blanks go.
QStringList LignesTexteASCII(const QString& texte);
// A staff line holds 5 dashes or more, or 2 to 4 dashes and a bar.
bool LigneDePortee(const QString& ligne);
// Parses tablature lines (LignesTexteASCII form). typeImport: IMPORT_*; nbTirets: the dashes that
// stand for a quarter note in the variable mode (1..8). A block's last line is the track's lowest
// string (nbCordes, 1..6) and the lines above it the strings above; a block of more lines than
// the track has strings keeps its last ones.
TTablatureASCII LireTablatureASCII(const QStringList& lignes, int typeImport, int nbTirets,
                                   int nbCordes = NB_CORDES_MAX);

// Replaces the current track's beats in every measure with the tablature: measures are appended
// as needed (with the time signature of the one before), other tracks keep their beats, empty
// measures at the end go. The current measure, beat and string become 1. A text cut at 1000
// measures is said so in a message.
void ImporterTablatureASCII(const TTablatureASCII& tab);

// The largest tablature text read. An import fills at most 1000 measures of 32 beats; even at 16
// dashes a beat, six staff lines and a line between blocks, that is under 4 MB of text.
inline constexpr qint64 TAILLE_FICHIER_ASCII_MAX = qint64(16) << 20;
// Reads a text file: UTF-8 when it is valid UTF-8, else Windows-1252. False when it cannot be read:
// missing, not a regular file (never opened), refused by the system or above the bound.
bool LireFichierTexteASCII(const QString& chemin, QString& texte);

// ---- Writing ----

// Line widths the export accepts.
constexpr int NB_COL_ASCII_MIN = 40, NB_COL_ASCII_MAX = 999;

// The text of one track of a song in lines of `largeur` columns (header, then blocks); only the
// block of a measure wider than that is as wide as the measure.
QStringList GenererTexteASCII(const TPartition& p, int piste, int largeur);
// Writes the lines as a text file (Windows-1252, one line each) without ever leaving a half file;
// false when it cannot be written.
bool EcrireFichierTexteASCII(const QString& chemin, const QStringList& lignes);
