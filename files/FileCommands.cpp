#include "files/FileCommands.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>

#include "song/Song.h"
#include "editor/state/EtatProgramme.h"
#include "editor/state/VueEditeur.h"
#include "editor/state/Partition.h"
#include "files/FichierSqt.h"
#include "midi/EcritureMIDI.h"
#include "midi/OrdreLecture.h"
#include "platform/Evenements.h"
#include "settings/Config.h"
#include "settings/Langue.h"
#include "settings/Mess.h"

namespace {

QString ChoisirOuverture() { return RetenirDossier(VueEditeur().AskOpenFileName()); }

QString ChoisirEnregistrement(const QString& propose) {
  return RetenirDossier(VueEditeur().AskSaveFileName(CheminDansRepertoire(propose)));
}

void Legende() { VueEditeur().SetCaption(TitreProgramme + " - " + NomFichier); }

void MessagesEnAttente() { LaisserPasserMessages(); }

}  // namespace

bool OuvrirPartition(const QString& nomDemande) {
  QString nom = nomDemande;
  if (nom.isEmpty()) {
    nom = ChoisirOuverture();
    if (nom.isEmpty()) return false;
  }
  MessagesEnAttente();
  if (MIDIDisponible) VueEditeur().StopPlayback();
  NouvellePartition();
  CheminFichier = nom;
  NomFichier = QFileInfo(nom).fileName();
  Legende();
  return OuvrirFichier();
}

bool EnregistrerPartition() { return EnregistrerFichier(); }

QString NomFichierValide(const QString& texte) {
  QString r = texte;
  for (QChar& c : r)
    if (QStringLiteral("\"*/:<>?\\|").contains(c)) c = QLatin1Char('_');
  return r;
}

QString TitreFichierImporte(const QString& chemin) {
  QString titre = QFileInfo(chemin).completeBaseName().left(100);
  if (!titre.isEmpty()) titre[0] = titre[0].toUpper();
  return titre;
}

void PlacerEnTeteFichiersRecents(QString liste[5], const QString& chemin) {
  if (liste[0] == chemin) return;
  int k = 4;
  while (k >= 1 && liste[k] != chemin) --k;
  if (k == 0) k = 4;  // not in the list: the oldest drops out
  for (int i = k; i >= 1; --i) liste[i] = liste[i - 1];
  liste[0] = chemin;
}

void MajMenuFichiersRecents() {
  QStringList legendes;
  bool separateur = false;
  for (int k = 1; k <= NB_FICHIERS_RECENTS; ++k) {
    const QString& f = DerniersFichiers[k];
    if (f.isEmpty()) {
      legendes << QString();
    } else {
      separateur = true;
      legendes << QStringLiteral("&%1  %2").arg(k).arg(QFileInfo(f).fileName());
    }
  }
  VueEditeur().ShowRecentFiles(legendes, separateur);
}

void AjouterFichierRecent(const QString& chemin) {
  QString liste[5];
  for (int i = 0; i < 5; ++i) liste[i] = DerniersFichiers[i + 1];
  PlacerEnTeteFichiersRecents(liste, chemin);
  for (int i = 0; i < 5; ++i) DerniersFichiers[i + 1] = liste[i];
  MajMenuFichiersRecents();
}

bool EnregistrerSous(bool autreNom) {
  QString propose;
  if (autreNom && !NomFichier.isEmpty()) {
    propose = CheminFichier;
  } else if (!Partition.Titre.empty()) {
    propose = NomFichierValide(AnsiToQString(Partition.Titre.view())) + ".sqt";
  }
  const QString reponse = ChoisirEnregistrement(propose);
  if (reponse.isEmpty()) return false;
  const QString nom = AvecExtension(reponse, QStringLiteral(".sqt"));
  const bool demander = !autreNom || NomFichier.isEmpty() || QFileInfo(nom) != QFileInfo(CheminFichier);
  const QString choisi = FichierAEcrire(nom, QStringLiteral(".sqt"), demander);
  if (choisi.isEmpty()) return false;
  MessagesEnAttente();
  const QString ancienChemin = CheminFichier, ancienNom = NomFichier;
  CheminFichier = choisi;
  NomFichier = QFileInfo(choisi).fileName();
  if (!EnregistrerPartition()) {
    CheminFichier = ancienChemin;
    NomFichier = ancienNom;
    return false;
  }
  Legende();
  AjouterFichierRecent(CheminFichier);
  return true;
}

QString RetenirDossier(const QString& chemin) {
  if (chemin.isEmpty()) return chemin;
  const QString dossier = QFileInfo(chemin).absolutePath();
  if (QDir::setCurrent(dossier)) Repertoire = dossier;
  return chemin;
}

QString CheminDansRepertoire(const QString& nom) {
  if (nom.isEmpty() || QFileInfo(nom).isAbsolute() || Repertoire.isEmpty()) return nom;
  return QDir(Repertoire).filePath(nom);
}

namespace {

// A folder where a file is to be written: said so, true.
bool SignalerDossier(const QString& chemin) {
  if (!QFileInfo(chemin).isDir()) return false;
  MessageBoxD(TexteLangue("Dlg-Erreur"),
              RemplacerParam1(TexteLangue("Fichier-EstUnDossier"), QDir::toNativeSeparators(chemin)), MB_ICONE_ERREUR,
              MB_OK, MB_DEF_OK);
  return true;
}

}  // namespace

bool ConfirmerRemplacement(const QString& chemin) {
  if (SignalerDossier(chemin)) return false;
  if (!QFileInfo::exists(chemin)) return true;
  const QString texte = RemplacerParam1(TexteLangue("Fichier-ExisteDeja"), QDir::toNativeSeparators(chemin)) +
                        "\n\n" + TexteLangue("Fichier-Remplacer");
  return MessageBoxD(TexteLangue("Dlg-Avertissement"), texte, MB_ICONE_ATTENTION, MB_OUI | MB_NON, MB_DEF_NON) ==
         ID_OUI;
}

QString AvecExtension(const QString& nom, const QString& extension) {
  if (nom.isEmpty() || nom.endsWith(extension, Qt::CaseInsensitive)) return nom;
  return nom + extension;
}

QString FichierAEcrire(const QString& reponse, const QString& extension, bool demander) {
  if (reponse.isEmpty()) return {};
  const QString nom = AvecExtension(reponse, extension);
  if (demander ? !ConfirmerRemplacement(nom) : SignalerDossier(nom)) return {};
  return nom;
}

QString NomExportPropose(const QString& extension, bool minuscules) {
  if (!NomFichier.isEmpty()) {
    // The song's own extension goes, whatever its length (or none).
    const QFileInfo f(CheminFichier);
    const QString base = minuscules ? f.completeBaseName().toLower() : f.completeBaseName();
    return f.dir().filePath(base + extension);
  }
  if (Partition.Titre.empty()) return QString();
  return NomFichierValide(AnsiToQString(Partition.Titre.view())) + extension;
}

bool ExporterMIDI(const QString& chemin) {
  CalculeOrdreLecture(1, Partition.NbMesures, Configuration.ExportRepeats);
  return EcrireFichierMIDI(chemin, MODE_MIDI_EXPORT);
}

bool CommandeEnregistrer() {
  bool ok;
  if (!NomFichier.isEmpty()) {
    ok = EnregistrerPartition();
    if (ok) AjouterFichierRecent(CheminFichier);
  } else {
    ok = EnregistrerSous(false);
  }
  if (ok) {
    Modifie = 0;
    VueEditeur().RefreshActions();
  }
  return ok;
}

bool CommandeEnregistrerSous() {
  if (!EnregistrerSous(true)) return false;
  Modifie = 0;
  VueEditeur().RefreshActions();
  return true;
}

bool DemanderEnregistrement() {
  if (!PartitionModifiee()) return true;
  QString nom = NomFichier.isEmpty() ? TexteLangue("Fichier-SansNom") : NomFichier;
  nom = nom.left(50);
  const int r = MessageBoxD(TexteLangue("Dlg-Confirmation"), RemplacerParam1(TexteLangue("Fichier-EnregistrerModif"), nom),
                            MB_ICONE_QUESTION, MB_OUI | MB_NON | MB_ANNULER, MB_DEF_OUI);
  if (r == ID_NON) return true;
  if (r != ID_OUI) return false;
  if (!NomFichier.isEmpty()) {
    if (!EnregistrerPartition()) return false;
    AjouterFichierRecent(CheminFichier);
    return true;
  }
  return EnregistrerSous(false);
}

void OuvrirFichierRecent(int n) {
  if (n < 1 || n > NB_FICHIERS_RECENTS) return;
  const QString chemin = DerniersFichiers[n];
  if (!chemin.isEmpty() && QFileInfo(chemin).isFile()) {
    if (DemanderEnregistrement()) {
      // Also after a refused file: the song is then a new one and the label must not keep the
      // title of the song it replaced.
      OuvrirPartition(chemin);
    }
  } else {
    MessageBoxD(TexteLangue("Dlg-Erreur"),
                RemplacerParam1(TexteLangue("Fichier-Introuvable"), QFileInfo(chemin).fileName()), MB_ICONE_ERREUR,
                MB_OK, MB_DEF_OK);
  }
}

void SupprimerFichierTemp() {
  const QString chemin = CheminFichierTemp();
  if (QFile::exists(chemin)) QFile::remove(chemin);  // failures are of no consequence at shut-down
}
