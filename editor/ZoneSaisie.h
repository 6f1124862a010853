#pragma once
// Drawing of the edit zone: the current measure of the current track, beat by beat, on the
// canvas CanvasSaisie (a persistent image that the main window shows). There is no off-screen
// buffer: every operation erases exactly the cells it redraws, so a key press repaints one or
// two beats. Every drawing does nothing while CanvasSaisie is null.
//
// The labels under the zone (measure number, filled length, status) are model values here; the
// main window shows them through the editor view (ShowEditZoneLabels).
#include <QString>
#include <functional>
#include <vector>

#include "platform/Types.h"

class TCanvas;
class QImage;
struct TCurseur;
struct TMesure;
struct TAccord;

extern QImage* ImageSaisie;
extern TCanvas* CanvasSaisie;

// ---- Status of the current measure ----
enum class MeasureStatus { Complete, Incomplete, TooLong };

struct EditZoneLabels {
  QString NumMesure;            // "007 : 012"
  QString NbTps;                // filled length against length, "3.500 : 4.000"
  QString NbTps2;               // the status word of the language file
  TColor CouleurEtat = clLime;  // font colour of NbTps and NbTps2
  MeasureStatus Etat = MeasureStatus::Complete;
};

// The labels as last shown (they keep their values until the next status update).
extern EditZoneLabels EtiquettesSaisie;
// The complete-measure test of the cursor moves: the status last shown is "complete".
bool MesureCouranteComplete();

// Pure computations behind the labels.
// Status of a filled length against a measure length, both in ticks (exact comparison).
MeasureStatus StatutMesure(int64_t ticksRemplis, int64_t ticksMesure);
MeasureStatus StatutMesure(double remplie, double duree);
// "F : D" with 3 decimals, F rounded to thousandths halves-to-even, and the given separator.
QString TexteDureeMesure(double remplie, double duree, QChar separateur);
// Filled length rounded to thousandths as it is stored in DureeRemplie.
double DureeRemplieArrondie(double remplie);
// "007 : 012": both numbers padded to three digits.
QString TexteNumeroMesure(int mesure, int nbMesures);
// Ticks of beats 1..nbTemps of a track of a measure.
int64_t TicksRemplis(const TMesure& m, int piste, int nbTemps);
// Status of a track of a measure: its used beats against the measure's length.
MeasureStatus EtatMesure(const TMesure& m, int piste);
// The status labels of a track of a measure (NbTps, NbTps2, colour and status; not NumMesure).
EditZoneLabels EtiquettesEtat(const TMesure& m, int piste, QChar separateur);

// ---- Full redraw and its parts ----
void RafraichirZoneSaisie();
void FondZoneSaisie();
void DessinerPortee(TCanvas* canvas);
void AfficherNumeroMesure();
void AfficherEtatMesure();
void DessinerSignature();
void RedessinerCurseur();

// One beat of a track (the current track unless told) in measure `mesure`, with the cursor
// cell of `curseur`; avecEffets also redraws the marks of the beat and of the one before.
void DessinerTemps(TCanvas* canvas, const TCurseur& curseur, int mesure, int piste, int temps,
                   bool avecEffets = true);
// Triplet brackets and tie marks of the current measure.
void DessinerTriolets(TCanvas* canvas);
void DessinerLiaisons(int temps);

// ---- Rhythm grouping (the links themselves are computed in song/Rythme) ----
// Groups one measure of the current track: 0 = the current measure, drawn (stems, beams,
// dots) and its status shown; m > 0 makes measure m current and only computes the links.
void RegrouperRythme(int mesure);
// Links of every measure of the current track; the current measure becomes 1.
void RegrouperToutesMesures();
// Sum of the ticks of beats debut..fin of the current track in the current measure.
int32_t SommeDurees(int debut, int fin);
void CalculerLiensCrochets(int debut, int fin);
void DessinerQueuesCrochets(int debut, int fin);

// ---- Mark rows, repeats and rests ----
void DessinerEffetsTemps(int temps, bool cascade);
void DessinerEffetTempsLigne(int temps, const QString& texte);
void DessinerEffetNote(int temps, int corde);
void DessinerLigneAccords();
void DessinerLigneTextes();
void DessinerRenvoiDebut();
void DessinerRenvoiFin();
void DessinerRepetition();
void DessinerSilence(int codeDuree, int x);
// Fret text of a note: the fret, "x" for a dead note, in parentheses at mp or softer.
QString TexteFrette(int frette, int nuance);
// Chord name of the chord-name row: in square brackets when the chord has a diagram.
QString TexteNomAccord(const TAccord& accord);
// Text of a dip or bend amount: "1/4", "1/2", "3/4", else the number.
QString TexteQuantite(double v, QChar separateur);
// Label of an alternate ending: k, or "k <Repet-A> n" when the ending covers passes k to n.
QString TexteRepetition(int premier, int numRepetition);
// First pass an alternate ending starting at measure `mesure` is played on: one after the
// number of the nearest earlier ending of the same repeat, else 1 (also for measure 1).
int PremierPassageFin(int mesure);
