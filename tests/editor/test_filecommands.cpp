// File commands: open, save, save as, the save-changes question and the recent-file list.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <functional>

#include "song/Song.h"
#include "editor/state/EtatEdition.h"
#include "editor/state/EtatProgramme.h"
#include "editor/state/Partition.h"
#include "editor/Saisie.h"
#include "files/FichierSqt.h"
#include "files/FileCommands.h"
#include "settings/Config.h"
#include "settings/Langue.h"
#include "settings/Mess.h"
#include "VueFactice.h"

namespace {

// Answers message boxes from a script and records what was asked.
struct Script {
  QList<int> reponses;
  QList<TDemandeMessage> demandes;
  TVueFactice vue;
  Script() {
    // Each message shows its own key, so the checks can tell them apart.
    for (const char* cle : {"Dlg-Confirmation", "Dlg-Avertissement", "Dlg-Erreur",
                            "MidiExp-EcritureFichierImpossibleEnregAb"})
      DefinirTexteLangue(cle, cle);
    DefinirTexteLangue("Fichier-EcritureImpossible", "Fichier-EcritureImpossible #1: #2");
    InstallerReponseMessage([this](const TDemandeMessage& d) {
      demandes << d;
      return reponses.isEmpty() ? int(ID_OK) : reponses.takeFirst();
    });
  }
  ~Script() {
    InstallerReponseMessage({});
  }
};

QByteArray Contenu(const QString& chemin) {
  QFile f(chemin);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void ChansonModifiee(const char* titre) {
  NouvellePartition();
  Partition.Titre = titre;
  Partition.Tempo = 77;
  Modifie = 1;
  Vierge = 0;
}

void ViderRecents() {
  for (int i = 1; i <= NB_FICHIERS_RECENTS; ++i) DerniersFichiers[i].clear();
}

}  // namespace

TEST(FileCommands, ValidFileName) {
  EXPECT_EQ(NomFichierValide("AC/DC: Live? Yes"), "AC_DC_ Live_ Yes");
  EXPECT_EQ(NomFichierValide("\"*/:<>?\\|"), "_________");
  EXPECT_EQ(NomFichierValide("Caf\u00e9 - (2) [x] #1.2"), "Caf\u00e9 - (2) [x] #1.2");
}

TEST(FileCommands, RecentListOrder) {
  QString l[5] = {"a", "b", "c", "d", "e"};
  PlacerEnTeteFichiersRecents(l, "c");  // third goes first, the rest keep their order
  EXPECT_EQ(QStringList(l, l + 5), QStringList({"c", "a", "b", "d", "e"}));
  PlacerEnTeteFichiersRecents(l, "f");  // a new one drops the oldest
  EXPECT_EQ(QStringList(l, l + 5), QStringList({"f", "c", "a", "b", "d"}));
  PlacerEnTeteFichiersRecents(l, "f");
  EXPECT_EQ(QStringList(l, l + 5), QStringList({"f", "c", "a", "b", "d"}));
  PlacerEnTeteFichiersRecents(l, "d");
  EXPECT_EQ(QStringList(l, l + 5), QStringList({"d", "f", "c", "a", "b"}));
  QString v[5] = {"x", "", "", "", ""};
  PlacerEnTeteFichiersRecents(v, "y");
  EXPECT_EQ(QStringList(v, v + 5), QStringList({"y", "x", "", "", ""}));
}

TEST(FileCommands, RecentMenuCaptions) {
  Script s;
  QStringList legendes;
  bool separateur = true;
  s.vue.OnShowRecentFiles = [&](const QStringList& l, bool sep) {
    legendes = l;
    separateur = sep;
  };
  ViderRecents();
  MajMenuFichiersRecents();
  EXPECT_FALSE(separateur);
  EXPECT_EQ(legendes, QStringList({"", "", "", "", ""}));
  DerniersFichiers[1] = "/tmp/songs/one.sqt";
  DerniersFichiers[3] = "/tmp/three.sqt";
  MajMenuFichiersRecents();
  EXPECT_TRUE(separateur);
  EXPECT_EQ(legendes, QStringList({"&1  one.sqt", "", "&3  three.sqt", "", ""}));
  ViderRecents();
}

TEST(FileCommands, SaveQuestionOnlyForEditedSongs) {
  Script s;
  NouvellePartition();  // new and untouched: no question although it counts as modified
  EXPECT_TRUE(DemanderEnregistrement());
  EXPECT_TRUE(s.demandes.isEmpty());

  ChansonModifiee("x");
  s.reponses = {ID_ANNULER};
  EXPECT_FALSE(DemanderEnregistrement());
  s.reponses = {ID_NON};
  EXPECT_TRUE(DemanderEnregistrement());
  ASSERT_EQ(s.demandes.size(), 2);
  EXPECT_EQ(s.demandes[0].Titre, "Dlg-Confirmation");
  EXPECT_EQ(s.demandes[0].Boutons, MB_OUI | MB_NON | MB_ANNULER);
  EXPECT_EQ(s.demandes[0].Defaut, MB_DEF_OUI);
  EXPECT_EQ(Modifie, 1);

  // A long name is cut to 50 characters in the question.
  DefinirTexteLangue("Fichier-EnregistrerModif", "[#1]");
  NomFichier = QString(60, 'n');
  s.reponses = {ID_NON};
  DemanderEnregistrement();
  EXPECT_EQ(s.demandes.last().Texte, "[" + QString(50, 'n') + "]");
  DefinirTexteLangue("Fichier-EnregistrerModif", "Fichier-EnregistrerModif");
}

TEST(FileCommands, SaveUnderCurrentNameAndRecentList) {
  Script s;
  QTemporaryDir dir;
  ViderRecents();
  ChansonModifiee("x");
  CheminFichier = dir.filePath("cur.sqt");
  NomFichier = "cur.sqt";
  s.reponses = {ID_OUI};
  EXPECT_TRUE(DemanderEnregistrement());
  EXPECT_TRUE(Contenu(CheminFichier) == OctetsPartition());
  EXPECT_EQ(DerniersFichiers[1], CheminFichier);
  EXPECT_EQ(Modifie, 1);  // the caller goes on to replace the song

  Modifie = 1;
  EXPECT_TRUE(CommandeEnregistrer());
  EXPECT_EQ(Modifie, 0);
  EXPECT_EQ(DerniersFichiers[2], "");
  ViderRecents();
}

TEST(FileCommands, SaveAsProposesTitleAndAsksBeforeReplacing) {
  Script s;
  QTemporaryDir dir;
  ViderRecents();
  ChansonModifiee("AC/DC: Live?");
  const QString cible = dir.filePath("chosen.sqt");
  QString propose;
  s.vue.OnAskSaveFileName = [&](const QString& p) {
    propose = p;
    return cible;
  };
  QString legende;
  s.vue.OnSetCaption = [&](const QString& l) { legende = l; };

  s.reponses = {ID_OUI};
  EXPECT_TRUE(DemanderEnregistrement());
  EXPECT_EQ(propose, "AC_DC_ Live_.sqt");
  EXPECT_EQ(CheminFichier, cible);
  EXPECT_EQ(NomFichier, "chosen.sqt");
  EXPECT_EQ(legende, TitreProgramme + " - chosen.sqt");
  EXPECT_EQ(DerniersFichiers[1], cible);
  const QByteArray premier = Contenu(cible);
  EXPECT_FALSE(premier.isEmpty());

  // Never saved again, onto the existing file: the replace question, answered No.
  NomFichier.clear();
  CheminFichier = "whatever";
  Partition.Tempo = 150;
  DefinirTexteLangue("Fichier-ExisteDeja", "exists #1");
  s.reponses = {ID_OUI, ID_NON};
  EXPECT_FALSE(DemanderEnregistrement());
  EXPECT_EQ(s.demandes.last().Titre, "Dlg-Avertissement");
  EXPECT_EQ(s.demandes.last().Defaut, MB_DEF_NON);
  EXPECT_TRUE(s.demandes.last().Texte.startsWith("exists "));
  EXPECT_TRUE(Contenu(cible) == premier);
  EXPECT_EQ(CheminFichier, "whatever");

  // Save as onto the song's own file: no replace question, and the song counts as saved.
  CheminFichier = cible;
  NomFichier = "chosen.sqt";
  Modifie = 1;
  const int questions = s.demandes.size();
  EXPECT_TRUE(CommandeEnregistrerSous());
  EXPECT_EQ(s.demandes.size(), questions);
  EXPECT_EQ(propose, cible);
  EXPECT_EQ(Modifie, 0);
  EXPECT_TRUE(Contenu(cible) == OctetsPartition());

  // Cancelled dialog.
  Modifie = 1;
  NomFichier.clear();
  s.vue.OnAskSaveFileName = [](const QString&) { return QString(); };
  s.reponses = {ID_OUI};
  EXPECT_FALSE(DemanderEnregistrement());
  DefinirTexteLangue("Fichier-ExisteDeja", "Fichier-ExisteDeja");
  ViderRecents();
}

TEST(FileCommands, FailedSaveAsRestoresTheName) {
  Script s;
  ViderRecents();
  ChansonModifiee("x");
  s.vue.OnAskSaveFileName = [](const QString&) {
    return QStringLiteral("/nonexistent-folder/x/song.sqt");
  };
  s.reponses = {ID_OUI, ID_OK};
  EXPECT_FALSE(DemanderEnregistrement());
  // The song's own file and why it failed, not the MIDI export's message.
  const QString dit = s.demandes.last().Texte;
  EXPECT_TRUE(dit.startsWith("Fichier-EcritureImpossible song.sqt: ")) << dit.toStdString();
  EXPECT_GT(dit.size(), QString("Fichier-EcritureImpossible song.sqt: ").size());
  EXPECT_EQ(NomFichier, "");
  EXPECT_EQ(CheminFichier, TexteLangue("Fichier-SansNom"));
  EXPECT_EQ(DerniersFichiers[1], "");
}

TEST(FileCommands, OpenByDialogByNameAndFromRecentList) {
  Script s;
  QTemporaryDir dir;
  ChansonModifiee("Stored");
  Partition.Auteur = "Someone";
  CheminFichier = dir.filePath("stored.sqt");
  ASSERT_TRUE(EnregistrerFichier());
  const QByteArray stocke = OctetsPartition();

  // A cancelled open dialog changes nothing.
  ChansonModifiee("Current");
  s.vue.OnAskOpenFileName = [] { return QString(); };
  EXPECT_FALSE(OuvrirPartition(""));
  EXPECT_EQ(Partition.Titre.str(), "Current");

  QString legende;
  s.vue.OnSetCaption = [&](const QString& l) { legende = l; };
  s.vue.OnAskOpenFileName = [&] { return dir.filePath("stored.sqt"); };
  EXPECT_TRUE(OuvrirPartition(""));
  EXPECT_TRUE(OctetsPartition() == stocke);
  EXPECT_EQ(NomFichier, "stored.sqt");
  EXPECT_EQ(legende, TitreProgramme + " - stored.sqt");

  // Recent file that has gone: a message, the song and the list stay.
  ViderRecents();
  DerniersFichiers[1] = dir.filePath("gone.sqt");
  DerniersFichiers[2] = dir.filePath("stored.sqt");
  DefinirTexteLangue("Fichier-Introuvable", "missing #1");
  OuvrirFichierRecent(1);
  EXPECT_EQ(s.demandes.last().Texte, "missing gone.sqt");
  EXPECT_EQ(DerniersFichiers[1], dir.filePath("gone.sqt"));
  EXPECT_EQ(Partition.Titre.str(), "Stored");

  ChansonModifiee("Other");
  s.reponses = {ID_NON};  // do not save "Other"
  QString titre;
  s.vue.OnShowTitle = [&] {
    titre = QString::fromStdString(Partition.Titre.str());
    if (!Partition.Auteur.empty()) titre += " - " + QString::fromStdString(Partition.Auteur.str());
  };
  OuvrirFichierRecent(2);
  EXPECT_EQ(Partition.Titre.str(), "Stored");
  EXPECT_EQ(titre, "Stored - Someone");
  EXPECT_EQ(Modifie, 0);

  // A recent file that is there but damaged: refused, and the title label shows the new empty
  // song, not the one that was replaced.
  {
    QFile f(dir.filePath("damaged.sqt"));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(stocke.left(400));
  }
  DerniersFichiers[3] = dir.filePath("damaged.sqt");
  OuvrirFichierRecent(3);
  EXPECT_EQ(s.demandes.last().Texte, TexteLangue("Fichier-Incorrect"));
  EXPECT_TRUE(Partition.Titre.empty());
  EXPECT_EQ(titre, "");
  EXPECT_EQ(Modifie, 0);
  DefinirTexteLangue("Fichier-Introuvable", "Fichier-Introuvable");
  ViderRecents();
}

TEST(FileCommands, OpenStopsARunningPlayback) {
  Script s;
  QTemporaryDir dir;
  NouvellePartition();
  CheminFichier = dir.filePath("a.sqt");
  ASSERT_TRUE(EnregistrerFichier());
  int arrets = 0;
  s.vue.OnStopPlayback = [&] { ++arrets; };
  const uint8_t midi = MIDIDisponible;
  MIDIDisponible = 1;
  EXPECT_TRUE(OuvrirPartition(dir.filePath("a.sqt")));
  MIDIDisponible = midi;
  EXPECT_EQ(arrets, 1);
}

TEST(FileCommands, TemporaryMidiFileIsDeleted) {
  const QString chemin = CheminFichierTemp();
  QFile f(chemin);
  ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  f.write("MThd");
  f.close();
  SupprimerFichierTemp();
  EXPECT_FALSE(QFileInfo::exists(chemin));
  SupprimerFichierTemp();  // nothing there: silently nothing
}

TEST(FileCommands, MidiExportNameAndReplaceQuestion) {
  Script s;
  QTemporaryDir dir;
  ChansonModifiee("Blues: take 2?");
  EXPECT_EQ(NomExportPropose(".mid"), "Blues_ take 2_.mid");  // never saved: from the title
  CheminFichier = dir.filePath("song.sqt");
  NomFichier = "song.sqt";
  EXPECT_EQ(NomExportPropose(".mid"), dir.filePath("song.mid"));  // saved: next to the song
  CheminFichier = dir.filePath("My Song.sqt");
  EXPECT_EQ(NomExportPropose(".tab", true), dir.filePath("my song.tab"));  // the ASCII export's lower case
  for (const char* nom : {"song", "song.sqt2"}) {  // no extension, or a longer one
    CheminFichier = dir.filePath(nom);
    NomFichier = nom;
    EXPECT_EQ(NomExportPropose(".mid"), dir.filePath("song.mid")) << nom;
  }
  CheminFichier = dir.filePath("song.sqt");
  NomFichier = "song.sqt";

  const QString midi = dir.filePath("song.mid");
  ASSERT_TRUE(ExporterMIDI(midi));
  EXPECT_TRUE(Contenu(midi).startsWith("MThd"));

  // An existing file is replaced only on Yes.
  s.reponses = {ID_NON};
  EXPECT_FALSE(ConfirmerRemplacement(midi));
  s.reponses = {ID_OUI};
  EXPECT_TRUE(ConfirmerRemplacement(midi));
  ASSERT_EQ(s.demandes.size(), 2);
  EXPECT_EQ(s.demandes[0].Defaut, MB_DEF_NON);
  EXPECT_TRUE(ConfirmerRemplacement(dir.filePath("none.mid")));  // nothing to replace: no question
  EXPECT_EQ(s.demandes.size(), 2);
}

// A chooser's answer gets its extension unless it ends in it, whatever dots it holds; a folder of
// that name is said to be one, never offered for replacing.
TEST(FileCommands, ChosenNameGetsItsExtensionAndAFolderIsRefused) {
  Script s;
  QTemporaryDir dir;
  ASSERT_TRUE(QDir(dir.path()).mkdir("Take.2.mid"));
  const std::pair<const char*, const char*> cas[] = {
      {"Song v1.0", "Song v1.0.mid"}, {"LOUD.MID", "LOUD.MID"}, {"Take.2", ""}, {"Take.2.mid", ""}};
  for (auto [reponse, fichier] : cas)
    EXPECT_EQ(FichierAEcrire(dir.filePath(reponse), ".mid", false), *fichier ? dir.filePath(fichier) : QString());
  EXPECT_FALSE(ConfirmerRemplacement(dir.filePath("Take.2.mid")));
  ASSERT_EQ(s.demandes.size(), 3);  // the folder, each time an error, never a replace question
  for (const TDemandeMessage& d : s.demandes) EXPECT_EQ(d.Titre, "Dlg-Erreur");
}

TEST(FileCommands, ChosenFileBecomesTheWorkingFolder) {
  Script s;
  QTemporaryDir dir;
  const QString ancienRepertoire = Repertoire, ancienCourant = QDir::currentPath();
  ChansonModifiee("Folder song");
  Repertoire = dir.path();
  QString propose;
  s.vue.OnAskSaveFileName = [&](const QString& p) {
    propose = p;
    QDir(dir.path()).mkpath("sub");
    return dir.filePath("sub/kept.sqt");
  };
  ASSERT_TRUE(CommandeEnregistrer());
  EXPECT_EQ(propose, QDir(dir.path()).filePath("Folder song.sqt"));  // a bare name starts in the working folder
  EXPECT_EQ(QFileInfo(Repertoire).canonicalFilePath(), QFileInfo(dir.filePath("sub")).canonicalFilePath());
  EXPECT_EQ(QFileInfo(QDir::currentPath()).canonicalFilePath(), QFileInfo(dir.filePath("sub")).canonicalFilePath());
  EXPECT_EQ(CheminDansRepertoire("/abs/x.mid"), "/abs/x.mid");
  EXPECT_EQ(RetenirDossier(QString()), QString());  // a cancelled dialog changes nothing
  QDir::setCurrent(ancienCourant);
  Repertoire = ancienRepertoire;
}

// Every way of replacing the song ends in the same refresh: the title label, the caption, the
// track buttons, the speed trainer (told through SongReplaced) and the notifier, also when the
// file is refused; the properties dialog's new-song mode follows a new empty song only.
TEST(FileCommands, EveryReplacementOfTheSongRefreshesWhatShowsIt) {
  Script s;
  QTemporaryDir dir;
  NouvellePartition();
  Partition.Titre = "Stored";
  CheminFichier = dir.filePath("stored.sqt");
  ASSERT_TRUE(EnregistrerFichier());
  {
    QFile f(dir.filePath("damaged.sqt"));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(OctetsPartition().left(300));
  }
  struct Cas {
    const char* nom;
    std::function<void()> remplacer;
    bool chargee;
    const char* titre;
  };
  const Cas cas[] = {
      {"open", [&] { OuvrirPartition(dir.filePath("stored.sqt")); }, true, "Stored"},
      {"refused", [&] { OuvrirPartition(dir.filePath("damaged.sqt")); }, false, ""},
      {"new", [] { NouvellePartition(); FinRemplacementPartition(false); }, false, ""},
      {"recent", [&] {
         DerniersFichiers[1] = dir.filePath("stored.sqt");
         OuvrirFichierRecent(1);
       }, true, "Stored"},
  };
  QString titre, legende;
  int boutons = 0, remplacee = 0, chargee = -1;
  for (const Cas& c : cas) {
    SCOPED_TRACE(c.nom);
    ChansonModifiee("Old");
    ActiverAnnulation(true);  // an edit of the old song
    ActiverAnnulerMesure(true);
    s.reponses = {ID_NON};
    titre = "unset";
    legende.clear();
    boutons = remplacee = 0;
    chargee = -1;
    s.vue.OnShowTitle = [&] { titre = QString::fromStdString(Partition.Titre.str()); };
    s.vue.OnSetCaption = [&](const QString& l) { legende = l; };
    s.vue.OnUpdateTrackButton = [&](int) { ++boutons; };
    s.vue.OnPartitionRemplacee = [&] { ++remplacee; };
    s.vue.OnSongReplaced = [&](bool ch) { chargee = ch; };
    c.remplacer();
    EXPECT_EQ(titre, c.titre);
    EXPECT_EQ(legende, TitreProgramme + " - " + QFileInfo(CheminFichier).fileName());
    EXPECT_GE(boutons, NB_PISTES);
    EXPECT_EQ(remplacee, 1);
    EXPECT_EQ(chargee, c.chargee ? 1 : 0);
    EXPECT_EQ(Modifie, 0);
    EXPECT_EQ(PisteCourante, 1);
    EXPECT_EQ(Partition.MesureCourante, 1);
    EXPECT_FALSE(AnnulationPossible);  // no undo into the new song of a measure of the old one
    EXPECT_FALSE(MesureEditee);
  }
  ViderRecents();
}

TEST(TitreImport, TheFileNameLessItsOwnExtension) {
  const std::pair<const char*, const char*> cas[] = {
      {"/a/song.mid", "Song"}, {"/a/song.midi", "Song"}, {"/a/song", "Song"},     {"ab.tab", "Ab"},
      {"/a/my.song.mid", "My.song"}, {"/a/x", "X"},  {"/a/été.mid", "Été"}};
  for (auto [chemin, titre] : cas) EXPECT_EQ(TitreFichierImporte(QString::fromUtf8(chemin)), QString::fromUtf8(titre));
  EXPECT_EQ(TitreFichierImporte(QString(150, 'a') + ".mid").size(), 100);
}
