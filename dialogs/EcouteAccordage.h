#pragma once
// The listen buttons of a tuning, shared by the properties dialog and the MIDI-import track
// selection: "all strings" and one button a string, one group that may be all up, and a preview
// that replays while one of them stays down.
#include <QString>
#include <functional>

class QToolButton;

struct TBoutonsEcoute {
  QToolButton* Tout = nullptr;                // every string
  QToolButton* const* Cordes = nullptr;       // [1..NbCordes]
  int NbCordes = 0;
};

// A click on button `rangee` (0 = every string): the others go up; without MIDI output the button
// goes up too. True when the string to hear is now `cordeEcoutee` and a preview is to start
// (none is sounding: one that sounds takes the new choice at its next replay).
bool ClicEcoute(const TBoutonsEcoute& b, int rangee, int& cordeEcoutee);
// The player's completion notice: false when no preview listens; else replays through `rejouer`
// while a button is down and the dialog shows, or ends the listening.
bool NotificationEcoute(const TBoutonsEcoute& b, bool visible, int& cordeEcoutee,
                        const std::function<void()>& rejouer);
// Writes the preview file through `ecrire` and plays it on the program's player.
void JouerApercu(const std::function<bool(const QString& chemin)>& ecrire);
