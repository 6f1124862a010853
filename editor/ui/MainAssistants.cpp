// The Assistants menu of the main window, and the Display menu's switches for let-ring marks and
// dynamics: transposition, re-cut, complete and reduce, automatic fingering, the notation and
// drum assistants, the measure-duration check.
#include <QAction>
#include <QApplication>
#include <QPushButton>
#include <algorithm>

#include "dialogs/Assistant_Bat.h"
#include "dialogs/Classiq.h"
#include "dialogs/ConfRede.h"
#include "dialogs/Reposit.h"
#include "dialogs/Transpo.h"
#include "editor/Assistants.h"
#include "editor/Curseur.h"
#include "editor/state/EtatEdition.h"
#include "editor/state/EtatProgramme.h"
#include "editor/ui/Main.h"
#include "editor/Navigation.h"
#include "editor/state/Notificateur.h"
#include "editor/state/Partition.h"
#include "editor/Saisie.h"
#include "editor/EditZoneModel.h"
#include "editor/state/RedessinSaisie.h"
#include "midi/NotesMesures.h"
#include "midi/ui/WaitMidi.h"
#include "platform/Evenements.h"
#include "settings/Config.h"
#include "settings/Mess.h"
#include "view/ui/PanelZoneAffScroll.h"

namespace {

// The progress window and the wait cursor while an assistant works; both go on every way out.
class TAttenteAssistant : public TSuiviImport {
 public:
  TAttenteAssistant() { QApplication::setOverrideCursor(Qt::WaitCursor); }
  ~TAttenteAssistant() override {
    if (WaitMidiForm) WaitMidiForm->hide();
    LaisserPasserMessages();
    QApplication::restoreOverrideCursor();
  }
  void Etape(const QString& texte) override {
    if (WaitMidiForm) WaitMidiForm->Etape(texte);
  }
  void Progression(int valeur) override {
    if (WaitMidiForm) WaitMidiForm->Progression(valeur);
  }
};

}  // namespace

void TForm1::BrancherCommandesAssistants() {
  DefinirExecute(&TForm1::Ac_Ass_Transposer, [this] { Ac_Ass_TransposerExecute(); });
  DefinirExecute(&TForm1::Ac_Ass_Redecouper, [this] { Ac_Ass_RedecouperExecute(); });
  DefinirExecute(&TForm1::Ac_Ass_CompleterReduire, [this] { Ac_Ass_CompleterReduireExecute(); });
  DefinirExecute(&TForm1::Ac_Ass_PlacementAuto, [this] { Ac_Ass_PlacementAutoExecute(); });
  DefinirExecute(&TForm1::Ac_Ass_Solfege, [] {
    if (ClassForm) ClassForm->setVisible(!ClassForm->isVisible());
  });
  DefinirExecute(&TForm1::Ac_Ass_Percussion, [] {
    if (Assistant_Bat_Form) Assistant_Bat_Form->setVisible(!Assistant_Bat_Form->isVisible());
  });
  DefinirExecute(&TForm1::Ac_Ass_MontrerLetRing, [this] {
    Ac_Ass_MontrerLetRing->setChecked(!Ac_Ass_MontrerLetRing->isChecked());
    Configuration.ShowLetRingNotes = Ac_Ass_MontrerLetRing->isChecked();
    RefaireBandesVue();
  });
  DefinirExecute(&TForm1::Ac_Ass_MontrerDyna, [this] {
    Ac_Ass_MontrerDyna->setChecked(!Ac_Ass_MontrerDyna->isChecked());
    Configuration.ShowDynamic = Ac_Ass_MontrerDyna->isChecked();
    RefaireBandesVue();
  });
  DefinirExecute(&TForm1::Ac_Ass_VerifierDureeMesures, [this] {
    VerifierDureesMesures();
    RafraichirActions();
  });
}

// The bands grow or shrink by a row of marks: sized again, then the score laid out again.
void TForm1::RefaireBandesVue() {
  if (!ZoneAffScroll || !centralWidget()) return;
  ZoneAffScroll->DimensionnerBandes(centralWidget()->height() - 55);
  ZoneAffScroll->RafraichirVuePartition();
}

// After an assistant rewrote the current track: both views drawn again, the measure taken as it
// now is. The undo copy holds the measure as it was before: restoring it into the new track would
// mix the old notes with the new, so undo goes off.
void TForm1::RafraichirApresAssistant() {
  RafraichirZoneSaisie();
  if (ZoneSaisie) ZoneSaisie->update();
  Notificateur().vueARefaire();
  ActiverAnnulerMesure(false);
  ActiverAnnulation(false);
  MesureOrigine = *Partition.Courante();
  Modifie = 1;
  Vierge = 0;
  RafraichirActions();
}

void TForm1::Ac_Ass_TransposerExecute() {
  StopPlayback();
  TTransposerForm dlg(this);
  if (dlg.exec() != QDialog::Accepted) return;
  {
    TAttenteAssistant attente;
    TransposerPiste(Partition, PisteCourante, dlg.Demitons(), attente);
  }
  RafraichirApresAssistant();
}

void TForm1::Ac_Ass_PlacementAutoExecute() {
  StopPlayback();
  TRepositForm dlg(this);
  if (dlg.exec() != QDialog::Accepted) return;
  {
    TAttenteAssistant attente;
    PlacementAutoMesures(Partition, PisteCourante, dlg.Premiere(), dlg.Derniere(), attente);
  }
  RafraichirApresAssistant();
}

void TForm1::Ac_Ass_RedecouperExecute() {
  StopPlayback();
  TConfRedecForm dlg(this);
  if (dlg.exec() != ID_OUI) return;
  bool fait;
  {
    TAttenteAssistant attente;
    fait = RedecouperPiste(attente);
  }
  if (!fait) return;
  if (Partition.MesureCourante > Partition.NbMesures) Partition.MesureCourante = 1;
  RegrouperToutesMesures();  // which leaves measure 1 current
  if (Partition.Courante()->NbTemps[PisteCourante] == 0) PreparerTempsSaisie();
  Curseur.Temps = 1;
  Curseur.Corde = 1;
  RafraichirApresAssistant();
  MajBoutonPiste(PisteCourante);
}

void TForm1::Ac_Ass_CompleterReduireExecute() {
  StopPlayback();
  QApplication::setOverrideCursor(Qt::WaitCursor);
  for (int m = 1; m <= Partition.NbMesures; ++m) CompleterMesure(Partition, PisteCourante, m);
  QApplication::restoreOverrideCursor();
  // Regrouping a measure makes it current: the user stays on the measure being edited.
  const int courante = Partition.MesureCourante;
  for (int m = 1; m <= Partition.NbMesures; ++m) RegrouperRythme(m);
  Partition.MesureCourante = std::clamp(courante, 1, Partition.NbMesures);
  Curseur.Temps = 1;
  Curseur.Corde = 1;
  RafraichirApresAssistant();
  MajBoutonPiste(PisteCourante);
}
