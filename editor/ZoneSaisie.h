#pragma once
// Drawing of the edit zone: the current measure of the current track, beat by beat, on the
// canvas CanvasSaisie (a persistent image that the main window shows).
class TCanvas;
class QImage;
struct TCurseur;

extern QImage* ImageSaisie;
extern TCanvas* CanvasSaisie;

void RafraichirZoneSaisie();
void DessinerTemps(TCanvas* canvas, const TCurseur& curseur, int mesure, int piste, int temps);
void DessinerTriolets(TCanvas* canvas);
void RegrouperRythme(int mesure);  // 0 = the current measure
void RegrouperToutesMesures();
void AfficherEtatMesure();
void AfficherNumeroMesure();
void RedessinerCurseur();
