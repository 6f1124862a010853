// The keyboard of the main window: the key preview, the focus holder and the held-key scroll.
#include <QApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QScrollBar>
#include <QTimer>

#include "dialogs/Assistant_Bat.h"
#include "editor/Clavier.h"
#include "editor/Curseur.h"
#include "editor/state/EtatEdition.h"
#include "editor/state/EtatProgramme.h"
#include "editor/ui/Main.h"
#include "editor/Navigation.h"
#include "editor/Saisie.h"
#include "editor/EditZoneModel.h"
#include "editor/state/RedessinSaisie.h"
#include "settings/Config.h"
#include "song/Song.h"

void TForm1::FormKeyDown(QKeyEvent* e) {
  const int vk = ToucheVirtuelle(*e);
  // A held key repeats its press: the scroll it started goes on, at most 500 passes for one press.
  if (e->isAutoRepeat() && (vk == VK_PRIOR || vk == VK_NEXT)) return;
  FormKeyDown(vk, EtatModificateurs(*e));
}

void TForm1::FormKeyDown(int vk, int etat) {
  using C = TCommandeClavier;
  const TActionClavier a = CommandeTouche(vk, etat, LecturePartition(), PleinEcranActif != 0);
  switch (a.Commande) {
    case C::PisteSuivante: PisteUpClick(); break;
    case C::PistePrecedente: PisteDownClick(); break;
    case C::Stop:
      if (MIDIDisponible) Executer(Ac_Son_Stop);
      break;
    case C::LectureDebut: Executer(Ac_Son_LectureDebut); break;
    case C::LecturePosEC: Executer(Ac_Son_LecturePosEC); break;
    case C::LectureMesureEC: Executer(Ac_Son_LectureMesureEC); break;
    case C::DefilerHaut:
    case C::DefilerBas:
      Defilement.Demarrer(a.Commande == C::DefilerHaut ? -4 : 4);
      ToucheEnfoncee = true;
      DefilerTantQueTouche();
      TimerDefilement->start();
      break;
    case C::Chiffre:
      SaisirChiffre(a.Chiffre, etat);
      // Ctrl with a digit changes the track as the track buttons do.
      if (etat == ssCtrl && a.Chiffre >= 1 && a.Chiffre <= NB_PISTES) DrumAssistantFollowsTrack(a.Chiffre);
      break;
    case C::CurseurDebutMesure: CurseurDebutMesure(); break;
    case C::CurseurTempsPrecedent: CurseurTempsPrecedent(); break;
    case C::CurseurTempsSuivant: CurseurTempsSuivant(); break;
    case C::CurseurFinMesure: CurseurFinMesure(); break;
    case C::CurseurCordeHaut: CurseurCordeHaut(); break;
    case C::CurseurCordeBas: CurseurCordeBas(); break;
    case C::ValiderSiPossible: ValiderSiPossible(); break;
    case C::EffacerSousCurseur:
    case C::EffacerSousCurseurRetour:
      TempsSupprimeLie = TempsCourant().Lie;
      EffacerSousCurseur();
      if (a.Commande == C::EffacerSousCurseurRetour) CurseurTempsPrecedent();
      break;
    case C::SupprimerTemps:
    case C::SupprimerTempsRetour:
      TempsSupprimeLie = TempsCourant().Lie;
      SupprimerTemps();
      if (a.Commande == C::SupprimerTempsRetour) CurseurTempsPrecedent();
      break;
    case C::RaccourcirDuree: RaccourcirDuree(); break;
    case C::AllongerDuree: AllongerDuree(); break;
    case C::PointerSiPossible: PointerSiPossible(); break;
    case C::BasculerTriolet: BasculerTriolet(); break;
    case C::Aucune:
    case C::CacherPercussion: break;
  }
  if (a.Rafraichir) RafraichirActions();
}

void TForm1::FormKeyUp(QKeyEvent* e) {
  if (e->isAutoRepeat()) return;  // a held key sends repeated pairs: only the real release counts
  if (Defilement.ToucheEnfoncee) {
    Defilement.Arreter();
    ToucheEnfoncee = false;
    TimerDefilement->stop();
  }
}

// One pass of the held-key scroll per timer tick, so that the key-up comes through the normal event
// loop; the scroll bar clamps the position and its change handler scrolls the view.
void TForm1::DefilerTantQueTouche() {
  const int pas = Defilement.PasSuivant();
  if (pas == 0) {
    TimerDefilement->stop();
    ToucheEnfoncee = false;
    return;
  }
  ScrollBarZoneAffScroll->setValue(ScrollBarZoneAffScroll->value() + pas);
}

void TForm1::Ed_InvisibleKeyDown(int vk) {
  const TActionClavier a = CommandeToucheInvisible(vk, LecturePartition());
  if (a.Commande == TCommandeClavier::CurseurTempsSuivant) {
    CurseurTempsSuivant();
    RafraichirActions();
  } else if (a.Commande == TCommandeClavier::CacherPercussion) {
    if (LecturePartition() && MIDIDisponible) Executer(Ac_Son_Stop);
    if (Assistant_Bat_Form && Assistant_Bat_Form->isVisible()) {
      Assistant_Bat_Form->hide();
      Ac_Ass_Percussion->setEnabled(PisteCourante == PISTE_PERCUSSION);
    }
  }
}

namespace {
// A menu or the menu bar that lets go of the keyboard leaves it nowhere, or with the menu bar still
// in its keyboard mode, where digits and arrows are taken as menu letters: the focus holder takes
// it back, whichever way the menu was left. A click in the edit zone brings it back as well.
class RetourClavier : public QObject {
 public:
  // The controls are kept apart from the window: the filter outlives the window's own destructor.
  explicit RetourClavier(TForm1* f)
      : QObject(f), form(f), barre(f->menuBar()), zone(f->ZoneSaisie), focus(f->Ed_Invisible) {}
  bool eventFilter(QObject* o, QEvent* e) override {
    const bool menuQuitte = (e->type() == QEvent::Hide && qobject_cast<QMenu*>(o)) ||
                            (e->type() == QEvent::FocusOut && o == barre);
    if (menuQuitte)
      QTimer::singleShot(0, form, [f = form] { f->RendreClavier(); });  // once the menu has closed
    else if (e->type() == QEvent::MouseButtonPress && o == zone && focus)
      focus->setFocus(Qt::MouseFocusReason);
    return false;
  }
  TForm1* form;
  QPointer<QWidget> barre, zone, focus;
};
}  // namespace

void TForm1::SuivreMenusPourClavier() { qApp->installEventFilter(new RetourClavier(this)); }

void TForm1::RendreClavier() {
  if (QApplication::activePopupWidget() || !isActiveWindow() || !Ed_Invisible) return;
  QWidget* f = QApplication::focusWidget();
  // Any other control of the window that took the keyboard on purpose keeps it.
  if (f && f != menuBar() && f->window() == this) return;
  Ed_Invisible->setFocus(Qt::OtherFocusReason);
}
