#include "editor/ui/MainImportMIDI.h"

#include <QApplication>
#include <memory>

#include "components/DialogueNomFichier.h"
#include "editor/state/EtatEdition.h"
#include "editor/state/EtatProgramme.h"
#include "editor/ui/Main.h"
#include "editor/state/Partition.h"
#include "editor/state/VueEditeur.h"
#include "editor/Saisie.h"
#include "files/FichierSqt.h"
#include "files/FileCommands.h"
#include "midi/ImportMIDI.h"
#include "midi/ui/SelMIDI.h"
#include "midi/ui/WaitMidi.h"
#include "settings/Config.h"
#include "settings/Langue.h"
#include "settings/Mess.h"
#include "settings/ui/Traduction.h"

namespace {

// The progress window and the wait cursor of one stretch of work; both go on every way out.
class TAttente : public TSuiviImport {
 public:
  TAttente() { Debut(); }
  ~TAttente() override { Fin(); }
  void Debut() {
    if (!curseur_) QApplication::setOverrideCursor(Qt::WaitCursor);
    curseur_ = true;
  }
  void Fin() {
    if (WaitMidiForm) WaitMidiForm->hide();
    if (curseur_) QApplication::restoreOverrideCursor();
    curseur_ = false;
  }
  void Etape(const QString& texte) override {
    if (WaitMidiForm) WaitMidiForm->Etape(texte);
  }
  void Progression(int valeur) override {
    if (WaitMidiForm) WaitMidiForm->Progression(valeur);
  }

 private:
  bool curseur_ = false;
};

void Erreur(const char* cle) {
  MessageBoxD(TexteLangue("Dlg-Erreur"), TexteLangue(QString::fromLatin1(cle)), MB_ICONE_ERREUR, MB_OK, MB_DEF_OK);
}

}  // namespace

bool ImporterFichierMIDI(const QString& chemin) {
  TAttente attente;
  TFichierMIDI f;
  attente.Etape(TexteLangue("MidiImp-RecherchePiste"));
  const EErreurMIDI err = OuvrirFichierMIDI(chemin, f, TexteLangue("Gene-Piste"), TexteLangue("MidiImp-NonPrecise"),
                                            [&attente](int v) { attente.Progression(v); });
  if (err != EErreurMIDI::Aucune) {
    attente.Fin();
    Erreur(err == EErreurMIDI::Acces ? "Fichier-AccesImpossible" : "Fichier-MIDINonReconnu");
    return false;
  }
  auto nouvelle = std::make_unique<TPartition>();
  PartitionImportVide(*nouvelle, TexteLangue("Gene-Percussions"));
  TRapportImport rapport;
  if (!AppliquerConducteur(*nouvelle, f)) rapport.MesuresTronquees = true;
  attente.Fin();

  ProprietesImportDepuis(*nouvelle, ProprietesTempo);
  if (!SelMIDIForm || !SelMIDIForm->Choisir(f.Sources, ProprietesTempo)) return false;
  CopierVersPartition(ProprietesTempo, *nouvelle);

  attente.Debut();
  if (!ConstruireImport(f, ProprietesTempo, *nouvelle, TPoidsDoigts(), rapport, attente)) {
    attente.Fin();
    Erreur("Fichier-MIDINonReconnu");
    return false;
  }
  attente.Fin();

  // The import went through: the new song takes the old one's place. It is a song never saved,
  // whatever the file's format: its title comes from the file's name and the caption names the
  // file it came from, while NomFichier stays empty, so that Save asks where to save it and the
  // save question names it as a new song. Nothing is ever written to CheminFichier while
  // NomFichier is empty.
  NouvellePartition();
  Partition = std::move(*nouvelle);
  Partition.Titre = QStringToAnsi(TitreFichierImporte(chemin));
  CheminFichier = chemin;
  FinRemplacementPartition(true);
  Modifie = 1;
  Vierge = 0;
  VueEditeur().RefreshActions();  // Save follows the mark just set
  if (!rapport.Vide())
    MessageBoxD(TexteLangue("Dlg-Information"), TexteRapportImport(rapport), MB_ICONE_INFORMATION, MB_OK, MB_DEF_OK);
  return true;
}

void CommandeImporterMIDI(TForm1& fenetre) {
  if (MIDIDisponible && fenetre.LecturePartition()) fenetre.Executer(fenetre.Ac_Son_Stop);
  // The import replaces the song: a modified one is offered for saving first.
  if (!DemanderEnregistrement()) return;
  const QString nom = NomFichierAOuvrir(&fenetre, OpenDialog2.Title, Repertoire, FiltreQt(OpenDialog2.Filter));
  if (RetenirDossier(nom).isEmpty()) return;
  ImporterFichierMIDI(nom);
}
