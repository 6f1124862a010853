#pragma once
// Texts and numbers of the marks that the edit zone, the score view and the print renderer all
// show, computed one way for the three.
#include <QChar>
#include <QString>

struct TAccord;
struct TPartition;

// Fret text of a note: the fret, "x" for a dead note, in parentheses at mp or softer.
QString TexteFrette(int frette, int nuance);
// Chord name of the chord-name row: in square brackets when the chord has a diagram.
QString TexteNomAccord(const TAccord& accord);
// Text of a dip or bend amount: "1/4", "1/2", "3/4", else the number.
QString TexteQuantite(double v, QChar separateur);
// Label of an alternate ending: k, or "k <motA> n" when the ending covers passes k to n (motA is
// the language's word for "to").
QString TexteRepetition(int premier, int numRepetition, const QString& motA);
// First pass an alternate ending starting at measure `mesure` is played on: one after the
// number of the nearest earlier ending of the same repeat, else 1 (also for measure 1).
int PremierPassageFin(const TPartition& p, int mesure);
