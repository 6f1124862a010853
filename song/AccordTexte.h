#pragma once
// The one-line text form of a chord record, in which the chord library is kept in the settings
// file: one character per field ("O"/"N" for the flags, 'A' + value for the small numbers,
// 'B' + value for the bass and the frets so that -1 is 'A'), three characters per barre, then
// the name.
#include <QString>

#include "song/ChordRecord.h"

// Length of the fixed part, before the barres.
constexpr int LONGUEUR_FIXE_ACCORD = 25;

QString EncoderAccord(const TAccord& a);
// Fills `a` from a text made by EncoderAccord. Returns false, leaving `a` as it was, when the
// text is too short for its fields and barres or holds a value out of range.
bool DecoderAccord(const QString& texte, TAccord& a);
