// The File menu of the main window.
#include <QFileInfo>

#include "dialogs/Sais_par.h"
#include "components/DialogueNomFichier.h"
#include "editor/state/EtatEdition.h"
#include "editor/state/EtatProgramme.h"
#include "editor/ui/Main.h"
#include "editor/ui/MainASCII.h"
#include "editor/ui/MainImportMIDI.h"
#include "editor/state/Partition.h"
#include "files/ui/Browse.h"
#include "files/FileCommands.h"
#include "settings/Config.h"
#include "settings/ui/Pref.h"
#include "settings/ui/Traduction.h"
#include "song/Song.h"
#include "view/ui/ConfigImp.h"
#include "view/ui/DlgPrint.h"
#include "view/MiseEnPageImp.h"
#include "view/ui/preview.h"

void TForm1::BrancherCommandesFichier() {
  DefinirExecute(&TForm1::Ac_Fichier_Quitter, [this] { close(); });
  DefinirExecute(&TForm1::Ac_Fichier_ImporterMIDI, [this] { CommandeImporterMIDI(*this); });
  DefinirExecute(&TForm1::Ac_Fichier_ImporterASCII, [this] { CommandeImporterASCII(*this); });
  DefinirExecute(&TForm1::Ac_Fichier_ExporterASCII, [this] { CommandeExporterASCII(*this); });
  DefinirExecute(&TForm1::Ac_Fichier_Nouveau, [this] {
    if (!DemanderEnregistrement()) return;
    ViderPartition();
    if (Sais_Partition) Sais_Partition->exec();
    MontrerPercussion(PisteCourante == PISTE_PERCUSSION);
  });
  DefinirExecute(&TForm1::Ac_Fichier_Ouvrir, [this] {
    if (DemanderEnregistrement()) OuvrirPartition(QString());
    for (int p = 1; p <= NB_PISTES; ++p) MajBoutonPiste(p);
  });
  DefinirExecute(&TForm1::Ac_Fichier_Enregistrer, [this] {
    CommandeEnregistrer();
    RafraichirActions();
  });
  DefinirExecute(&TForm1::Ac_Fichier_EnregistrerSous, [] { CommandeEnregistrerSous(); });
  DefinirExecute(&TForm1::Ac_Fichier_ExporterMIDI, [this] {
    // The export computes its own play order and lengths over those the playback follows.
    if (LecturePartition()) Ac_Son_StopExecute();
    const QString reponse = NomFichierAEnregistrer(
        this, SaveDialog2.Title, CheminDansRepertoire(NomExportPropose(QStringLiteral(".mid"))),
        FiltreQt(SaveDialog2.Filter));
    const QString nom = FichierAEcrire(RetenirDossier(reponse), QStringLiteral(".mid"));
    if (!nom.isEmpty()) ExporterMIDI(nom);
  });
  DefinirExecute(&TForm1::Ac_Fichier_Proprietes, [this] {
    if (Sais_Partition) {
      Sais_Partition->NouvellePartitionDemandee = 0;
      Sais_Partition->exec();
    }
    if (PisteCourante == PISTE_PERCUSSION && Ac_Son_Stop->isEnabled()) {
      RouvrirPercussion = true;
      return;
    }
    MontrerPercussion(PisteCourante == PISTE_PERCUSSION);
  });
  DefinirExecute(&TForm1::Ac_Fichier_Parcourir, [this] {
    if (!DemanderEnregistrement()) return;
    ViderPartition();
    TBrowseForm f(this);
    f.JouerDepuisDebut = [this] { Executer(Ac_Son_LectureDebut); };
    f.ArreterLecture = [this] { Ac_Son_StopExecute(); };
    f.LectureEnCours = [this] { return LecturePartition(); };
    f.MidiDisponible = [] { return MIDIDisponible != 0; };
    // The browser shows the whole score, and keeps it shown between the songs it plays.
    PleinEcranAvantParcourir = PleinEcranActif;
    const uint8_t avantLecture = PleinEcranAvantLecture;
    if (!PleinEcranActif) ModePleinEcran();
    PleinEcranAvantLecture = 1;
    Browser = &f;
    ModeParcourir = true;
    f.exec();
    ModeParcourir = false;
    Browser = nullptr;
    PleinEcranAvantLecture = avantLecture;
    if (!PleinEcranAvantParcourir) {
      if (!LecturePartition())
        ModeNormal();
      else
        PleinEcranAvantLecture = 0;  // the end of the playback brings the normal layout back
    }
  });
  InitParamImpression();
  DefinirExecute(&TForm1::Ac_Fichier_Imprimer, [this] { ImprimerAvecDialogue(this); });
  DefinirExecute(&TForm1::Ac_Fichier_ApercuImp, [this] { ShowPrintPreview(); });
  DefinirExecute(&TForm1::Ac_Fichier_ConfigImp, [this] { ConfigurerImprimante(this); });
  for (int k = 1; k <= 5; ++k)
    connect(Menus.Mn_Fichier_DernierFichier[k], &QAction::triggered, this, [k] { OuvrirFichierRecent(k); });
}

// The reset to an empty song of the New command.
void TForm1::ViderPartition() {
  if (MIDIDisponible && LecturePartition()) Executer(Ac_Son_Stop);
  NouvellePartition();
  FinRemplacementPartition(false);
}

// The print preview, from the File menu and from the preferences' Preview button.
void TForm1::ShowPrintPreview() {
  TPreview_Form apercu(this);
  apercu.exec();
}

// The preview's Setup button: the preferences with their Printing page in front.
bool TForm1::OpenPrintPreferences() { return ExecuterPreferences(this, PAGE_PRINTING); }
