#pragma once
// Chord diagrams: six strings, five fret spaces, open and unplayed marks, dots, barres, the first
// fret number and the name, in three sizes (cells of 5, 6 and 7 pixels). String 1 (the highest)
// is drawn at the right.
#include "chords/Accord.h"
#include "platform/Types.h"

class TCanvas;

// The barres of a fingering: F[1..6] (string 1 first; -1 not played, 0 open, n fret n) in a
// diagram starting at fretteBase. Only NbBarres, FretteBarre, CordeDebutBarre and CordeFinBarre
// of the result carry meaning.
TAccord ConstruireDiagramme(int f1, int f2, int f3, int f4, int f5, int f6, int fretteBase);
// Copies the barres found for a chord's own frets into it.
void CalculerBarres(TAccord& a);

// X, Y: top-left corner of the grid. The name is written only when avecNom is set, the chord has
// a name and the layout shows chord names.
void DessinerDiagrammePetit(const TAccord& accord, TCanvas& canvas, int x, int y, bool avecNom, TColor couleur);
void DessinerDiagrammeMoyen(const TAccord& accord, TCanvas& canvas, int x, int y, bool avecNom, TColor couleur);
void DessinerDiagrammeGrand(const TAccord& accord, TCanvas& canvas, int x, int y, bool avecNom, TColor couleur);
// The drawer of a layout's diagram size (1 large, 2 medium, 3 small).
void DessinerDiagramme(int typeDiag, const TAccord& accord, TCanvas& canvas, int x, int y, bool avecNom,
                       TColor couleur);
