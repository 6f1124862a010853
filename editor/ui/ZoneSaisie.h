#pragma once
// Drawing of the edit zone: the current measure of the current track, beat by beat, on the
// canvas CanvasSaisie (a persistent image that the main window shows). There is no off-screen
// buffer: every operation erases exactly the cells it redraws, so a key press repaints one or
// two beats. The zone follows the edits through the notifier (TNotificateur::saisieModifiee) from
// the moment it is installed; with no zone installed nothing is drawn.
//
// The labels under the zone are kept by the editing engine (editor/EditZoneModel.h) and shown by
// the main window through the editor view.
class TCanvas;
class QImage;
struct TCurseur;

extern QImage* ImageSaisie;
extern TCanvas* CanvasSaisie;

// Makes `image` the edit zone's image (the caller keeps it) and starts following the edits.
void InstallerZoneSaisie(QImage* image);
// Stops drawing: the canvas goes, the image stays with its owner.
void RetirerZoneSaisie();

// One beat of a track (the current track unless told) in measure `mesure`, with the cursor
// cell of `curseur`; avecEffets also redraws the marks of the beat and of the one before.
void DessinerTemps(TCanvas* canvas, const TCurseur& curseur, int mesure, int piste, int temps,
                   bool avecEffets = true);
// Triplet brackets and tie marks of the current measure.
void DessinerTriolets(TCanvas* canvas);
