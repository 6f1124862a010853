#include "editor/MainASCII.h"

#include <QApplication>
#include <QFileInfo>
#include <QLabel>
#include <QPlainTextEdit>

#include "editor/EtatEdition.h"
#include "editor/EtatProgramme.h"
#include "editor/Main.h"
#include "editor/Notificateur.h"
#include "editor/Saisie.h"
#include "editor/VueEditeur.h"
#include "editor/ZoneSaisie.h"
#include "files/ImpASCII.h"
#include "files/TestASCI.h"
#include "song/Song.h"

void FinRemplacementPartition(bool reussi) {
  Partition.MesureCourante = 1;
  Curseur.Temps = 1;
  Curseur.Corde = 1;
  RegrouperToutesMesures();
  Partition.MesureCourante = 1;
  MesureOrigine = *Partition.Courante();
  ActiverAnnulerMesure(false);
  RafraichirZoneSaisie();
  VueEditeur().ShowTitle();
  VueEditeur().SongReplaced(reussi);
  VueEditeur().RefreshActions();
  for (int p = 1; p <= NB_PISTES; ++p) VueEditeur().UpdateTrackButton(p);
  emit Notificateur().partitionRemplacee();
}

// The song title a tablature file gives: its name without folder and extension, first letter
// in upper case.
static QString TitreDeFichier(const QString& chemin) {
  QString titre = QFileInfo(chemin).completeBaseName();
  if (!titre.isEmpty()) titre[0] = titre[0].toUpper();
  return titre;
}

void CommandeImporterASCII(TForm1& fenetre) {
  if (MIDIDisponible && fenetre.LecturePartition()) fenetre.Executer(fenetre.Ac_Son_Stop);
  TImpASCIIForm dialogue(&fenetre);
  dialogue.MemoASCII->clear();
  if (dialogue.exec() != QDialog::Accepted) return;
  QApplication::setOverrideCursor(Qt::WaitCursor);
  dialogue.ImporterTablature();
  if (!dialogue.NomFichier.isEmpty()) Partition.Titre = QStringToAnsi(TitreDeFichier(dialogue.NomFichier));
  Modifie = 1;
  Vierge = 0;
  FinRemplacementPartition(true);
  // What the window shows of the song, until it follows the replacement on its own.
  QString titre = AnsiToQString(Partition.Titre.view());
  if (!Partition.Auteur.empty()) titre += QStringLiteral(" - ") + AnsiToQString(Partition.Auteur.view());
  fenetre.MessErreur->setText(titre);
  fenetre.RafraichirActions();
  for (int p = 1; p <= NB_PISTES; ++p) fenetre.MajBoutonPiste(p);
  QApplication::restoreOverrideCursor();
}

void CommandeExporterASCII(TForm1& fenetre) {
  TTestASCIForm dialogue(&fenetre);
  dialogue.exec();
}
