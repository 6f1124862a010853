#pragma once
// The changes that several windows follow: the score view, the edit zone, the dialogs that show
// the song. Engines emit, windows connect; nobody fans out by hand.
#include <QObject>

class TNotificateur : public QObject {
  Q_OBJECT
 signals:
  void mesureModifiee(int mesure);  // a measure's beats changed: lay out its lines again
  void vueARefaire();               // the whole track changed (track switch, song-wide edit)
  void curseurDeplace();            // the current measure or beat moved
  void partitionRemplacee();        // new, open, import: everything that shows the song refreshes
};

TNotificateur& Notificateur();
