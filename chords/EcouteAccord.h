#pragma once
// The listen file of the chord dialog: a two-track Standard MIDI File that strums the chord's
// played strings from the bass upward and lets them ring.
#include <QByteArray>
#include <QString>
#include <cstdint>

#include "chords/Accord.h"

// The file's bytes. accordage[1..nbCordes] are the track's open-string notes; instrument its
// General MIDI program.
QByteArray OctetsEcouteAccord(const TAccord& accord, const int32_t* accordage, int nbCordes, int instrument);
// Writes them; false when the file cannot be written.
bool EcrireFichierEcoute(const QString& chemin, const TAccord& accord, const int32_t* accordage, int nbCordes,
                         int instrument);
