#pragma once
// Track buttons and the track menu: labels, the has-notes mark and the choice of the next track.
#include <QString>

struct TPartition;

// Caption of a track's menu item: "&n - " and the track name, cut to 45 characters.
QString CaptionMenuPiste(int piste, const QString& nom);
// True when some measure holds beats in the track: its button then shows the has-notes colour.
bool PisteAvecTemps(const TPartition& p, int piste);
// The track PisteUp (sens +1) or PisteDown (sens -1) goes to; 0 when it stays (already at the end).
int PisteVoisine(int courante, int sens, int nbPistes);
