#pragma once
// The score view's screen renderer: one line of the layout into its band (background, measure
// numbers, bars, repeat signs, alternate endings, staff lines, time signatures), the beats of
// each measure (fret numbers, grace notes, rests, stems, beams, dots, triplet brackets, ties),
// the marks around them (note and beat effects, chord names and diagrams, annotations), and the
// chord-diagram strip. Everything is drawn on a TCanvas from the layout data and a const song;
// the renderer's working values (current staff y, the measure being drawn and whether it is
// wrongly filled) live in ParamEcran.
#include <QString>

#include "platform/Types.h"

class TCanvas;
struct TPartition;
struct TVuePartition;
struct TNote;

// Draws line `ligne` of the layout into a band image of the given size; a line past the end (or
// below 1) leaves the band empty in the background colour.
void DessinerLigne(TCanvas& c, const TVuePartition& v, const TPartition& p, int piste, int ligne, int largeur,
                   int hauteur);
// Clears the chord strip and draws the song's chord diagrams (AccordsImprimer) into it.
void DessinerBandeDiagrammes(TCanvas& c, const TVuePartition& v, int largeur, int hauteur);

// Fret text of a note on a track: "" without a fret, "x" above the track's highest fret (a dead
// note), in parentheses at mp or softer.
QString TexteNote(const TNote& note, int piste);
// A rest symbol centred on (x, y): whole, half, quarter, eighth to sixty-fourth.
void SymboleSilence(TCanvas& c, int x, int y, TColor couleur, int code);
// Grey level of a dynamic 1..8 when dynamics are shown (ppp 243 .. fff 0).
int NiveauGrisNuance(int nuance);
