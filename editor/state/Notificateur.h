#pragma once
// The changes that several windows follow: the score view, the edit zone, the dialogs that show
// the song. Engines emit, windows connect; nobody fans out by hand.
#include <QObject>

// The parts of the edit zone that an edit asks to draw again.
enum class PartieSaisie {
  Tout,          // the whole zone: the current measure of the current track
  Signature,     // the time signature
  Curseur,       // the beat the cursor left and the one it stands on
  Temps,         // one beat, with its marks and those of the beat before
  EffetsTemps,   // the mark rows of one beat (and the next beat when cascading)
  Triolets,      // triplet brackets and tie marks
  Rythme,        // stems, beams and dots, from the links just computed
  LigneAccords,  // the chord-name row
  LigneTextes,   // the annotation row
  RenvoiDebut,   // the repeat-open bar
  RenvoiFin,     // the repeat-close bar and its count
  Repetition,    // the alternate-ending bracket
};

class TNotificateur : public QObject {
  Q_OBJECT
 signals:
  void mesureModifiee(int mesure);  // a measure's beats changed: lay out its lines again
  void vueARefaire();               // the whole track changed (track switch, song-wide edit)
  void curseurDeplace();            // the current measure or beat moved
  void partitionRemplacee();        // new, open, import: everything that shows the song refreshes
  // A part of the edit zone changed; `temps` and `cascade` matter to the beat parts only.
  void saisieModifiee(PartieSaisie partie, int temps, bool cascade);
};

TNotificateur& Notificateur();
