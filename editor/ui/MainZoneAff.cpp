// The main window's side of the score view: sizing it with the window, the full-screen layout,
// the current-measure frame and a click in a band (the nearest beat and string, the popup menu,
// and restarting a playback from there).
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QScrollBar>

#include "editor/state/EtatEdition.h"
#include "editor/state/EtatProgramme.h"
#include "editor/ui/Main.h"
#include "editor/Saisie.h"
#include "editor/EditZoneModel.h"
#include "editor/state/RedessinSaisie.h"
#include "midi/Lecture.h"
#include "settings/Config.h"
#include "view/ui/PanelZoneAffScroll.h"

void TForm1::BrancherVuePartition() {
  InitParamEcran(ParamEcran);
  ZoneAffScroll->EnLecture = [this] { return LecturePartition(); };
  connect(ZoneAffScroll, &TPanelZoneAffScroll::clicBande, this, &TForm1::Band01MouseDown);
  DefinirExecute(&TForm1::Ac_Affichage_PleinEcran, [this] { Ac_Affichage_PleinEcranExecute(); });
  PopupMenuAff = new QMenu(this);
  PopupMenuAff->setObjectName(QStringLiteral("PopupMenuAff"));
  PopupMenuAff->addActions({Ac_Edition_Couper, Ac_Edition_Copier, Ac_Edition_Coller});
  PopupMenuAff->addSeparator();
  PopupMenuAff->addActions({Ac_Edition_Inserer, Ac_Edition_Vider});
}

// The window was resized: the current measure counts as validated, and the score view is sized
// and laid out again for the new width and height.
void TForm1::RedimensionnerVuePartition() {
  if (Partition.MesureCourante < 1 || Partition.MesureCourante > Partition.NbMesures || !Partition.Courante()) return;
  MesureAnnuler = *Partition.Courante();
  TempsAnnuler = Curseur.Temps;
  CordeAnnuler = Curseur.Corde;
  MesureOrigine = MesureAnnuler;
  ActiverAnnulation(false);
  ActiverAnnulerMesure(false);
  RafraichirActions();
  ZoneAffScroll->DimensionnerBandes(centralWidget()->height() - 55);
  ZoneAffScroll->RafraichirVuePartition();
}

void TForm1::ModePleinEcran() {
  QWidget* fond = centralWidget();
  const double dpi = logicalDpiX() > 0 ? logicalDpiX() : 96;
  auto px = [&](int k) { return Arrondi(k * dpi / 96.0); };
  PleinEcranActif = 1;
  // The score view reaches down to the status row, over the edit zone.
  PanelZoneAffScroll->resize(PanelZoneAffScroll->width(),
                             std::max(0, PanelTextCom->y() - PanelZoneAffScroll->y() - px(2)));
  PanelTextCom->resize(std::max(0, fond->width() - PanelTextCom->x() - px(4)), PanelTextCom->height());
  PanelTextCom->findChild<QLabel*>()->resize(PanelTextCom->size());
  ScrollBarZoneAffScroll->resize(ScrollBarZoneAffScroll->width(), std::max(0, PanelZoneAffScroll->height() - 2));
  PanelZoneAffScroll->raise();
  ScrollBarZoneAffScroll->raise();
  PanelBarreBoutons3->hide();
  for (QMenu* m : {Menus.Mn_Note, Menus.Mn_Effets})
    if (m) m->setEnabled(false);
}

void TForm1::ModeNormal() {
  const double dpi = logicalDpiX() > 0 ? logicalDpiX() : 96;
  auto px = [&](int k) { return Arrondi(k * dpi / 96.0); };
  PleinEcranActif = 0;
  PanelZoneAffScroll->resize(PanelZoneAffScroll->width(),
                             std::max(0, PanelBarreBoutons2->y() - PanelZoneAffScroll->y() - 1));
  PanelTextCom->resize(std::max(0, ScrollBarZoneSaisie->x() - PanelTextCom->x() - px(3)), PanelTextCom->height());
  PanelTextCom->findChild<QLabel*>()->resize(PanelTextCom->size());
  ScrollBarZoneAffScroll->resize(ScrollBarZoneAffScroll->width(), std::max(0, PanelZoneAffScroll->height() - 2));
  PanelBarreBoutons3->show();
  for (QMenu* m : {Menus.Mn_Note, Menus.Mn_Effets})
    if (m) m->setEnabled(true);
}

void TForm1::Ac_Affichage_PleinEcranExecute() {
  const bool coche = !Ac_Affichage_PleinEcran->isChecked();
  Ac_Affichage_PleinEcran->setChecked(coche);
  PleinEcranAvantLecture = coche ? 1 : 0;
  if (Lecture && Lecture->EnLecture()) {
    // Playback already shows the whole score; leaving full screen ends it.
    if (!coche) {
      Executer(Ac_Son_Stop);
      ModeNormal();
    }
    return;
  }
  if (coche)
    ModePleinEcran();
  else
    ModeNormal();
}

void TForm1::AjusterZoneSaisie() {
  if (ZoneAffScroll) ZoneAffScroll->AjusterZoneSaisie();
}

void TForm1::Band01MouseDown(int bande, Qt::MouseButton bouton, int x, int y) {
  const bool enLecture = Lecture && Lecture->EnLecture();
  if (enLecture) {
    // The playback stops now and starts again from the beat clicked.
    LectureDepuisBande = 1;
    ArretDemande = false;
    Lecture->Ac_Son_StopExecute();
    Lecture->MediaPlayer1Notify();
  }
  const TClicVue clic = ClicBande(VuePartition, Partition, PisteCourante, ParamEcran, bande, x, y);
  if (clic.Mesure > 0) {
    const TMesure* courante = Partition.Courante();
    if (courante && BoutonPisteMarque() != (courante->NbTemps[PisteCourante] > 0)) MajBoutonPiste(PisteCourante);
    const int quittee = Partition.MesureCourante;
    const bool modifiee = MesureEditee;
    Partition.MesureCourante = clic.Mesure;
    MesureOrigine = *Partition.Courante();
    Curseur.Corde = clic.Corde;
    Curseur.Temps = clic.Temps;
    RafraichirZoneSaisie();
    ZoneSaisie->update();
    if (modifiee) ZoneAffScroll->RafraichirMesureModifiee(quittee);
    ActiverAnnulerMesure(false);
    ActiverAnnulation(false);
    RafraichirActions();
    AjusterZoneSaisie();
  }
  if (bouton == Qt::RightButton && !enLecture && PopupMenuAff)
    PopupMenuAff->popup(ZoneAffScroll->mapToGlobal(QPoint(x, VuePartition.HautBande[bande] + y)));
  if (LectureDepuisBande) {
    Ac_Son_LecturePosECExecute();
    LectureDepuisBande = 0;
  }
}
