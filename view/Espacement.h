#pragma once
// Beat spacing and line filling shared by the score view (pixels) and the printed page
// (millimetres): the power law of beat widths, the extra space of a measure, the greedy filling of
// a line and the rule that leaves a short last line at its natural width. No unit in here.
#include <functional>
#include <utility>

struct TPartition;

// Width of a beat of d ticks in a measure whose longest beat lasts dmax ticks: `base` for the
// longest, divided by coefP for each halving of the length. A beat without length takes no room.
double LargeurProportionnelle(double base, double coefP, int d, int dmax);

// The extra spaces a measure may get, in the caller's unit.
struct TMargesMesure {
  double PremiereMesure = 0, RenvoiDebut = 0, Signature = 0, DerniereMesure = 0, RenvoiFin = 0;
};
// Left space (opening bar, repeat-open sign, time signature) and right space (final bar,
// repeat-close sign) of measure m of the song.
std::pair<double, double> MargesMesure(const TPartition& p, int m, const TMargesMesure& marges);

// Greedy filling from measure `debut`: as many whole measures as fit in `largeur`, always at least
// one. parts(m) lays out measure m and gives its (stretchable, fixed) widths; it is called for each
// measure tried. A and B receive the sums of the two parts over the measures kept.
int FinDeLigne(int debut, int nbMesures, double largeur, const std::function<std::pair<double, double>(int)>& parts,
               double& A, double& B);

// A line is stretched to the full width unless it ends the song and its natural width is below
// three quarters of that width.
bool LigneJustifiee(bool derniereLigne, double largeur, double naturelle);
