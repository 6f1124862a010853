#pragma once
// The new song and the song-wide operations shared by the commands, the file code and the dialogs.
#include <QString>
#include <cstdint>
#include <stdexcept>


// Resets the song to a new empty one.
void NouvellePartition();

// A number typed in a dialog: a comma or a point both read as the decimal mark; 0 when the text
// is not a number.
double TexteEnReel(const QString& texte);
// A decimal integer. Without `ok`, a text that is not one throws ErreurConversion for the caller to
// report; with `ok`, it sets *ok and returns 0 instead.
struct ErreurConversion : std::invalid_argument {
  using std::invalid_argument::invalid_argument;
};
int32_t TexteEnEntier(const QString& texte, bool* ok = nullptr);

// Empties a track in every measure (the beats' records stay in their slots until overwritten).
void ViderPisteToutesMesures(int piste);
// Drops the measures at the end that hold no beat in any track; measure 1 always stays. The current
// measure is kept, or becomes the last one when it was dropped.
void SupprimerMesuresVidesFin();
// Ends every replacement of the song, read or refused, new or imported: track 1 and measure 1
// current with the cursor on their first beat and the revert snapshot taken again, nothing to save,
// and everything that shows the song refreshed (caption, title label, track menu and buttons, edit
// zone, score view, speed trainer, properties dialog, command states). chargee: a song was read or
// imported; false: the song is a new empty one (New, or a refused file). An import that leaves
// the song unsaved sets Modifie after it.
void FinRemplacementPartition(bool chargee);
// The play commands' check before playing: playback is always allowed.
bool VerifierAvantLecture();
// Finds the first measure, track by track, whose filled length differs from its time signature,
// shows it and says so; true when every measure is right.
bool VerifierDureesMesures();
// Refuses, with a message, an operation that would take the song past 1000 measures by adding
// `ajout` of them. True when refused; nothing has changed then.
bool RefuserSiTropDeMesures(int ajout);
// Opens n empty measures at the current one, which moves n places on. False (with a message) when
// the song would pass 1000 measures; nothing has changed then.
bool InsererMesuresVides(int n);
