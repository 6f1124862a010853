// The Sound menu of the main window: the playback controller it drives, the play commands and the
// speed trainer.
#include <QAction>
#include <QCoreApplication>

#include "dialogs/SpeedT.h"
#include "editor/state/EtatProgramme.h"
#include "editor/ui/Main.h"
#include "midi/Lecture.h"
#include "platform/FluidMediaPlayer.h"
#include "settings/Config.h"
#include "song/Song.h"

void TForm1::BrancherCommandesSon() {
  DefinirExecute(&TForm1::Ac_Son_JouerSaisie, [this] { Ac_Son_JouerSaisie->setChecked(!Ac_Son_JouerSaisie->isChecked()); });
}

bool TForm1::LectureEnCours() const {
  return (Lecture && Lecture->EnLecture()) || (MediaPlayer1 && MediaPlayer1->EnLecture());
}

void TForm1::Ac_Son_StopExecute() {
  ArretDemande = true;
  if (Lecture)
    Lecture->Ac_Son_StopExecute();  // the completion notice does the rest
  else
    MediaPlayer1->Stop();
}

// The playback controller drives the media player; the window gives it the display, the
// command states, the timer and the caption.
void TForm1::CreerLecture() {
  Lecture = new TControleurLecture(*MediaPlayer1, CheminFichierTemp(), this, false);
  Lecture->NomProgramme = TitreProgramme;
  DefinirExecute(&TForm1::Ac_Son_LectureDebut, [this] { Ac_Son_LectureDebutExecute(); });
  DefinirExecute(&TForm1::Ac_Son_LecturePosEC, [this] { Ac_Son_LecturePosECExecute(); });
  DefinirExecute(&TForm1::Ac_Son_LectureMesureEC, [this] { Ac_Son_LectureMesureECExecute(); });
  DefinirExecute(&TForm1::Ac_Son_Stop, [this] { Ac_Son_StopExecute(); });
  DefinirExecute(&TForm1::Ac_Son_EnBoucle, [this] { Ac_Son_EnBoucleExecute(); });
  DefinirExecute(&TForm1::Ac_Son_Metronome, [this] { Ac_Son_MetronomeExecute(); });
  DefinirExecute(&TForm1::Ac_Ass_SpeedTrainer, [this] { Ac_Ass_SpeedTrainerExecute(); });
  if (Ac_Son_Metronome) Ac_Son_Metronome->setChecked(Configuration.Metronome);
}

void TForm1::Ac_Son_LectureDebutExecute() { Lecture->Ac_Son_LectureDebutExecute(); }
void TForm1::Ac_Son_LecturePosECExecute() { Lecture->Ac_Son_LecturePosECExecute(); }
void TForm1::Ac_Son_LectureMesureECExecute() { Lecture->Ac_Son_LectureMesureECExecute(); }

void TForm1::Ac_Son_EnBoucleExecute() {
  const bool boucle = Lecture->Ac_Son_EnBoucleExecute();
  if (auto* a = findChild<QAction*>(QStringLiteral("Ac_Son_EnBoucle"))) a->setChecked(boucle);
}

void TForm1::Ac_Son_MetronomeExecute() {
  const bool metronome = Lecture->Ac_Son_MetronomeExecute();
  if (auto* a = findChild<QAction*>(QStringLiteral("Ac_Son_Metronome"))) a->setChecked(metronome);
}

void TForm1::Ac_Ass_SpeedTrainerExecute() {
  if (!SpeedT_Form || !Lecture->VerifierMIDI()) return;
  if (LectureEnCours()) Ac_Son_StopExecute();
  if (SpeedT_Form->exec() != QDialog::Accepted) return;
  Lecture->LancerEntrainement(SpeedT_Form->ValMesDeb(), SpeedT_Form->ValMesFin(), SpeedT_Form->ValTempoDeb(),
                              SpeedT_Form->ValTempoFin(), SpeedT_Form->ValVariation());
}

void TForm1::JouerTempsCourant() { Lecture->JouerTempsCourant(); }

void TForm1::ViderSpeedTrainer() {
  if (SpeedT_Form) SpeedT_Form->Vider();
}
