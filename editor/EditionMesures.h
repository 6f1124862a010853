#pragma once
// The measure commands that change more than the beat under the cursor: the measure clipboard
// (cut, copy, paste), inserting and clearing measures, time signatures, repeat marks and the
// number an alternate ending takes. The dialogs gather the values; these do the work.
#include <QString>

// The number to propose for an alternate ending starting at measure `mesure`.
int NumeroRenvoi(int mesure);

// After a command that changed several measures: cursor on beat 1 and string 1, the revert
// snapshot taken again, undo and revert off (the one-level undo no longer applies), the song
// marked modified, the edit zone and the score view redrawn, the commands and track buttons
// refreshed.
void RafraichissementGlobal();

// Copies measures premiere..derniere (1-based) into the clipboard; piste 0 = all tracks. The
// clipboard owns its own chords and mix-table changes. False when the range is wrong.
bool PrendrePressePapier(int premiere, int derniere, int piste);
// Copy: the range goes into the clipboard; the song is marked modified and refreshed.
bool CopierMesures(int premiere, int derniere, int piste);
// Cut: the range goes into the clipboard, then one track is emptied over the range or, for all
// tracks, the measures go. Cutting every measure leaves one empty measure with measure 1's time
// signature.
bool CouperMesures(int premiere, int derniere, int piste);
// Clear: the beats of one track, or of all tracks with the repeat marks, go over the range;
// time signatures stay.
bool ViderMesures(int premiere, int derniere, int piste);

enum class PlacementCollage { Remplacer, Inserer, Fin };
// Why the clipboard cannot go into the current track: a message key, or empty when it can.
QString RefusCollage();
// The number of measures the song would have after pasting `fois` times.
int MesuresApresCollage(int fois, PlacementCollage placement);
// Pastes the clipboard `fois` times. Refused with a message, the song unchanged, when the clipboard
// cannot go into the current track or when the song would pass 1000 measures.
bool CollerMesures(int fois, PlacementCollage placement);

// Opens an empty measure before the current one (refused at 1000 measures).
bool InsererMesure();

// The time signature of the current measure, or of every measure from it to the last.
void AppliquerSignature(int numerateur, int denominateur, bool jusquALaFin);
// The signature values the dialog accepts.
bool SignatureValide(int numerateur, int denominateur);

// Repeat marks of the current measure (each takes the undo copy and redraws its mark).
void BasculerRenvoiDebut();
void PoserRenvoiFin(bool poser, int nbRenvois);
// The current measure lies in an alternate ending: a repeat-close there is played once.
bool RenvoiFinDansRepetition();
void PoserRepetition(bool poser, int numero);
