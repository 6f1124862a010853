#pragma once
// What the edit zone shows beside its drawing, kept by the editing engine: the labels under the
// zone (measure number, filled length, status), shown through the editor view, and the rhythm
// links of the current measure, which the zone then draws.
#include <QChar>
#include <QString>

#include "editor/state/VueEditeur.h"  // EditZoneLabels

struct TMesure;

// The labels as last shown (they keep their values until the next status update).
extern EditZoneLabels EtiquettesSaisie;

// Pure computations behind the labels.
// Status of a filled length against a measure length, both in quarters (exact comparison).
MeasureStatus StatutMesure(double remplie, double duree);
// "F : D" with 3 decimals, F rounded to thousandths halves-to-even, and the given separator.
QString TexteDureeMesure(double remplie, double duree, QChar separateur);
// Filled length rounded to thousandths as it is stored in DureeRemplie.
double DureeRemplieArrondie(double remplie);
// "007 : 012": both numbers padded to three digits.
QString TexteNumeroMesure(int mesure, int nbMesures);
// The status labels of a track of a measure (NbTps, NbTps2, colour and status; not NumMesure).
EditZoneLabels EtiquettesEtat(const TMesure& m, int piste, QChar separateur);

// The labels of the current measure, computed and shown.
void AfficherNumeroMesure();
void AfficherEtatMesure();

// ---- Rhythm grouping (the links themselves are computed in song/Rythme) ----
// Groups one measure of the current track: 0 = the current measure, drawn (stems, beams,
// dots) and its status shown; m > 0 makes measure m current and only computes the links.
void RegrouperRythme(int mesure);
// Links of every measure of the current track; the current measure becomes 1.
void RegrouperToutesMesures();
