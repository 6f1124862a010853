#include "editor/ui/MainASCII.h"

#include <QApplication>
#include <QFileInfo>
#include <QPlainTextEdit>

#include "editor/state/EtatEdition.h"
#include "editor/state/EtatProgramme.h"
#include "editor/ui/Main.h"
#include "editor/state/Partition.h"
#include "editor/EditZoneModel.h"
#include "editor/state/RedessinSaisie.h"
#include "files/FileCommands.h"
#include "files/ui/ImpASCII.h"
#include "files/ui/TestASCI.h"
#include "song/Song.h"

void CommandeImporterASCII(TForm1& fenetre) {
  if (MIDIDisponible && fenetre.LecturePartition()) fenetre.Executer(fenetre.Ac_Son_Stop);
  TImpASCIIForm dialogue(&fenetre);
  dialogue.MemoASCII->clear();
  if (dialogue.exec() != QDialog::Accepted) return;
  QApplication::setOverrideCursor(Qt::WaitCursor);
  const int piste = PisteCourante;
  if (!dialogue.ImporterTablature()) {
    QApplication::restoreOverrideCursor();
    return;
  }
  if (!dialogue.NomFichier.isEmpty()) Partition.Titre = QStringToAnsi(TitreFichierImporte(dialogue.NomFichier));
  RegrouperToutesMesures();
  FinRemplacementPartition(true);
  Modifie = 1;
  Vierge = 0;
  fenetre.RafraichirActions();  // Save follows the mark just set
  // The replacement shows track 1; the import went into the track the user was on.
  if (piste != PisteCourante) fenetre.ChangerPiste(piste);
  QApplication::restoreOverrideCursor();
}

void CommandeExporterASCII(TForm1& fenetre) {
  TTestASCIForm dialogue(&fenetre);
  dialogue.exec();
}
