#include "editor/ZoneSaisie.h"

#include "platform/Canvas.h"

// Placeholders until the edit-zone drawing lands.
QImage* ImageSaisie = nullptr;
TCanvas* CanvasSaisie = nullptr;

void RafraichirZoneSaisie() {}
void DessinerTemps(TCanvas*, const TCurseur&, int, int, int) {}
void DessinerTriolets(TCanvas*) {}
void RegrouperRythme(int) {}
void RegrouperToutesMesures() {}
void AfficherEtatMesure() {}
void AfficherNumeroMesure() {}
void RedessinerCurseur() {}
