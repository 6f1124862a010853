// The main window as the editor view: what the editing, file and playback engines ask of it.
#include <QAction>
#include <QFileInfo>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QScrollBar>
#include <QTimer>
#include <QToolButton>

#include "dialogs/Assistant_Bat.h"
#include "components/DialogueNomFichier.h"
#include "dialogs/Classiq.h"
#include "dialogs/Dyna.h"
#include "dialogs/Sais_ala.h"
#include "dialogs/Sais_par.h"
#include "editor/state/EtatEdition.h"
#include "editor/state/EtatProgramme.h"
#include "editor/ui/Main.h"
#include "editor/state/Partition.h"
#include "editor/EditZoneModel.h"
#include "editor/state/RedessinSaisie.h"
#include "files/ui/Browse.h"
#include "midi/Lecture.h"
#include "midi/ui/SelMIDI.h"
#include "platform/Canvas.h"
#include "platform/Evenements.h"
#include "platform/FluidMediaPlayer.h"
#include "settings/Config.h"
#include "settings/ui/Traduction.h"

void TForm1::SetUndoEnabled(bool v) { Ac_Edition_Annuler->setEnabled(v); }

void TForm1::SetRevertEnabled(bool v) {
  BT_AnnulerMesure->setEnabled(v);
  BT_Valider->setEnabled(v);
}

void TForm1::SetTieChecked(bool v) { Ac_Note_Lier->setChecked(v); }
void TForm1::TriggerDottedIfEnabled() { Executer(Ac_Note_Pointee); }
bool TForm1::PreviousMeasureEnabled() { return Ac_Mesure_Precedente->isEnabled(); }
bool TForm1::NextMeasureEnabled() { return Ac_Mesure_Suivante->isEnabled(); }

bool TForm1::TrackButtonMarked(int p) {
  return p >= 1 && p <= NB_PISTES && BT_Piste[p] && BT_Piste[p]->property("Pleine").toBool();
}

// The go-to-measure dialog; on OK the track button follows the measure left and the chosen
// measure becomes current.
bool TForm1::AskGoToMeasure() {
  TSais_AllerA_Form dlg(this);
  if (dlg.exec() != QDialog::Accepted) return false;
  if (BoutonPisteMarque() != (Partition.Courante()->NbTemps[PisteCourante] > 0)) MajBoutonPiste(PisteCourante);
  Partition.MesureCourante = dlg.Mesure;
  return true;
}

void TForm1::ShowTitle() {
  QString titre = AnsiToQString(Partition.Titre.view());
  if (!Partition.Auteur.empty()) titre += QStringLiteral(" - ") + AnsiToQString(Partition.Auteur.view());
  MessErreur->setText(titre);
}

void TForm1::ShowRecentFiles(const QStringList& legendes, bool separateur) {
  for (int k = 1; k <= 5; ++k) {
    QAction* item = Menus.Mn_Fichier_DernierFichier[k];
    const QString t = k - 1 < legendes.size() ? legendes[k - 1] : QString();
    item->setText(t);
    item->setVisible(!t.isEmpty());
  }
  Menus.Separateur->setVisible(separateur);
}

void TForm1::ShowEditZoneLabels(const EditZoneLabels& e) {
  NumMesure->setText(e.NumMesure);
  NbTps->setText(e.NbTps);
  NbTps2->setText(e.NbTps2);
  for (QLabel* l : {NbTps, NbTps2}) {
    QPalette p = l->palette();
    p.setColor(QPalette::WindowText, ToQColor(e.CouleurEtat));
    l->setPalette(p);
  }
}

// The edit zone is drawn into its image; the widget shows it again after each drawing.
void TForm1::EditZoneImageChanged() { ZoneSaisie->update(); }

// The song dialogs take the filter of the language file.
QString TForm1::AskOpenFileName() {
  return NomFichierAOuvrir(this, OpenDialog1.Title, Repertoire, FiltreQt(OpenDialog1.Filter));
}

// The name as typed: the save adds ".sqt" and asks before replacing (EnregistrerSous).
QString TForm1::AskSaveFileName(const QString& propose) {
  return NomFichierAEnregistrer(this, SaveDialog1.Title, propose, FiltreQt(SaveDialog1.Filter));
}

bool TForm1::PlayWhileEntering() { return Ac_Son_JouerSaisie->isChecked(); }

void TForm1::StopSound() {
  if (!Lecture->EnLecture()) MediaPlayer1->Close();
  LaisserPasserMessages();
}

void TForm1::StopPlayback() {
  if (LectureEnCours()) Ac_Son_StopExecute();
}

void TForm1::ShowPlaybackMeasure(int) {
  MajBoutonPiste(PisteCourante);
  AfficherNumeroMesure();
  AfficherEtatMesure();
  RafraichirZoneSaisie();
  if (ZoneSaisie) ZoneSaisie->update();
  AjusterZoneSaisie();  // the score view follows the playback
}

void TForm1::SetPlaybackCommands(bool enLecture) {
  auto activer = [this](const char* nom, bool actif) {
    if (auto* a = findChild<QAction*>(QString::fromLatin1(nom))) a->setEnabled(actif);
  };
  for (const char* nom : {"Ac_Son_LectureDebut", "Ac_Son_Metronome", "Ac_Son_LecturePosEC", "Ac_Son_LectureMesureEC",
                          "Ac_Edition_TableMix", "Ac_Ass_Solfege"})
    activer(nom, !enLecture);
  activer("Ac_Son_Stop", enLecture);
  MesureRetourLecture = enLecture ? Lecture->MesureRetourLecture() : -1;
  if (enLecture) activer("Ac_Edition_Annuler", false);
  for (QMenu* m : {Menus.Mn_Mesure, Menus.Mn_Note, Menus.Mn_Effets})
    if (m) m->setEnabled(!enLecture);
  if (PanelBarreBoutons3) PanelBarreBoutons3->setVisible(!enLecture);
  if (ScrollBarZoneSaisie) ScrollBarZoneSaisie->setVisible(!enLecture);
  if (!enLecture) {
    ArretDemande = false;
    RafraichirActions();
    RafraichirZoneSaisie();
    if (ZoneSaisie) ZoneSaisie->update();
  }
}

bool TForm1::SetPlaybackTimer(bool actif) {
  if (actif)
    TimerMidi->start();
  else
    TimerMidi->stop();
  return true;
}

// The tool windows step aside while a playback runs and come back when it ends; a flag set earlier
// (a second start before the first one ended) is kept.
void TForm1::BeforePlayback() {
  auto ecarter = [](QWidget* w, bool& rouvrir) {
    if (w && w->isVisible()) {
      rouvrir = true;
      w->hide();
    }
  };
  ecarter(ClassForm, RouvrirSolfege);
  ecarter(Assistant_Bat_Form, RouvrirPercussion);
  ecarter(DynaForm, RouvrirDyna);
  // A playback shows the whole score: the full-screen layout, whatever the user's choice.
  if (!PleinEcranActif) ModePleinEcran();
}

void TForm1::AfterPlayback() {
  if (RouvrirSolfege && ClassForm) ClassForm->show();
  if (RouvrirPercussion && PisteCourante == PISTE_PERCUSSION) MontrerPercussion(true);
  if (RouvrirDyna && DynaForm) DynaForm->show();
  RouvrirSolfege = RouvrirPercussion = RouvrirDyna = false;
  if (PleinEcranActif && !PleinEcranAvantLecture) ModeNormal();
  if (Sais_Partition && Sais_Partition->isVisible()) Sais_Partition->MajEtatLecture();
}

// A tuning being listened to in the properties dialog replays while its button stays down.
bool TForm1::DialogTakesCompletion() {
  return (Sais_Partition && Sais_Partition->NotificationLecture()) || (SelMIDIForm && SelMIDIForm->NotificationLecture());
}

bool TForm1::CheckBeforePlayback() { return VerifierAvantLecture(); }

void TForm1::SongReplaced(bool chargee) {
  ViderSpeedTrainer();
  if (!chargee && Sais_Partition) Sais_Partition->ModeNouvellePartition(true);
}

// The file browser chooses how much of each song plays, and moves on when a playback ends.
int TForm1::BrowserMeasures() { return Browser ? Browser->MesuresAJouer(Partition.NbMesures) : 0; }

void TForm1::BrowserPlaybackEnded(bool arrete) {
  if (Browser) Browser->LectureTerminee(arrete);
}
