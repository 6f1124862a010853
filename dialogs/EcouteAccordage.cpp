#include "dialogs/EcouteAccordage.h"

#include <QToolButton>

#include "editor/state/EtatProgramme.h"
#include "midi/Lecture.h"
#include "platform/MediaPlayer.h"

namespace {
QToolButton* Bouton(const TBoutonsEcoute& b, int r) { return r ? b.Cordes[r] : b.Tout; }
}  // namespace

bool ClicEcoute(const TBoutonsEcoute& b, int rangee, int& cordeEcoutee) {
  QToolButton* clic = Bouton(b, rangee);
  for (int r = 0; r <= b.NbCordes; ++r)
    if (QToolButton* autre = Bouton(b, r); autre != clic) autre->setChecked(false);
  if (!MIDIDisponible || !LecteurMIDI()) {
    clic->setChecked(false);
    return false;
  }
  if (!clic->isChecked()) return false;  // the current sound ends by itself
  cordeEcoutee = rangee;
  TMediaPlayer* l = LecteurMIDI();
  // While a preview plays, the new choice is heard at the next replay.
  return !(l->Notify && l->EnLecture());
}

bool NotificationEcoute(const TBoutonsEcoute& b, bool visible, int& cordeEcoutee,
                        const std::function<void()>& rejouer) {
  if (cordeEcoutee < 0) return false;
  bool enfonce = false;
  for (int r = 0; r <= b.NbCordes; ++r) enfonce |= Bouton(b, r)->isChecked();
  if (enfonce && visible) {
    rejouer();
    return true;
  }
  cordeEcoutee = -1;
  if (TMediaPlayer* l = LecteurMIDI()) l->Notify = false;
  return true;
}

void JouerApercu(const std::function<bool(const QString& chemin)>& ecrire) {
  TMediaPlayer* l = LecteurMIDI();
  if (!l) return;
  l->Notify = false;
  l->Close();
  const QString chemin = CheminFichierTemp();
  if (!ecrire(chemin) || !l->Open(chemin)) return;
  l->Notify = true;
  if (!l->Play() || !l->Erreur().isEmpty()) l->Stop();
}
