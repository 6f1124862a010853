// Start-up and shut-down of the main window, headless: first activation, command line, close query.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDeadlineTimer>
#include <QEvent>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QLabel>
#include <QMenu>
#include <QTimer>
#include <QTemporaryDir>
#include <vector>

#include "song/Song.h"
#include "editor/state/EtatEdition.h"
#include "editor/state/EtatProgramme.h"
#include "editor/ui/Main.h"
#include "editor/Saisie.h"
#include "editor/state/Partition.h"
#include "editor/EditZoneModel.h"
#include "editor/state/RedessinSaisie.h"
#include "editor/ui/ZoneSaisie.h"
#include "files/FichierSqt.h"
#include "platform/Folders.h"
#include "platform/IniFile.h"
#include "settings/Config.h"
#include "settings/Langue.h"
#include "settings/Mess.h"

namespace {
// Every message box of a test is recorded and answered with `reponse`.
struct Messages {
  std::vector<TDemandeMessage> vus;
  int reponse = ID_OK;
  Messages() {
    InstallerReponseMessage([this](const TDemandeMessage& d) {
      vus.push_back(d);
      return reponse;
    });
  }
  ~Messages() { InstallerReponseMessage({}); }
};

// The start-up state that the program entry sets before the main window exists.
struct Demarrage {
  QString dossierCourant = QDir::currentPath();
  Demarrage() {
    PisteCourante = 1;
    RepWindows = DossierConfiguration();
    Modifie = Vierge = 0;
  }
  ~Demarrage() { QDir::setCurrent(dossierCourant); }
};
}  // namespace

TEST(MainWindow, FirstActivationBuildsTheNewSong) {
  Demarrage d;
  Messages msg;
  TForm1 f;
  f.LigneCommande.clear();
  EXPECT_EQ(Form1, &f);
  EXPECT_EQ(PremiereActivation, 1);
  EXPECT_GE(f.minimumWidth(), 433);
  EXPECT_GE(f.minimumHeight(), 315);
  f.FormActivate();
  EXPECT_EQ(PremiereActivation, 0);
  EXPECT_EQ(f.FenetreActivee, 1);
  EXPECT_EQ(f.windowTitle(), "Strumquill 2.2 - " + QFileInfo(TexteLangue("Fichier-SansNom")).fileName());
  EXPECT_TRUE(msg.vus.empty());

  // One empty 4/4 measure, the input slot of every track prepared, the revert snapshot taken.
  ASSERT_EQ(Partition.NbMesures, 1);
  ASSERT_NE(Partition.Mesures[1], nullptr);
  const TMesure& m = *Partition.Mesures[1];
  EXPECT_EQ(m.Numerateur, 4);
  EXPECT_EQ(m.Denominateur, 4);
  EXPECT_EQ(m.Duree, 4.0);
  for (int p = 1; p <= NB_PISTES; ++p) {
    EXPECT_EQ(m.NbTemps[p], 0);
    EXPECT_EQ(m.Temps[p][1].Duree, TICKS_NOIRE);
  }
  EXPECT_EQ(Partition.Tempo, 120);
  EXPECT_EQ(MesureOrigine.Numerateur, 4);
  EXPECT_EQ(Curseur.Temps, 1);
  EXPECT_EQ(Curseur.Corde, 1);
  EXPECT_EQ(Modifie, 1);
  EXPECT_EQ(Vierge, 1);
  EXPECT_FALSE(f.Ac_Fichier_Enregistrer->isEnabled());  // nothing to save on the untouched song

  // The edit zone draws on its image through CanvasSaisie, and the widget shows that image.
  ASSERT_NE(ImageSaisie, nullptr);
  ASSERT_NE(CanvasSaisie, nullptr);
  EXPECT_EQ(f.ZoneSaisie->size(), ImageSaisie->size());
  EXPECT_GE(ImageSaisie->width(), 2 * Curseur.XSaisie + NB_TEMPS_MAX * Curseur.EcartTemps);
  EXPECT_EQ(f.NumMesure->text(), TexteNumeroMesure(1, 1));  // the zone's labels reach the window
  int encre = 0;  // the first activation drew the staff into the image
  for (int y = 0; y < ImageSaisie->height(); ++y)
    for (int x = 0; x < 300; ++x) encre += ImageSaisie->pixel(x, y) != qRgb(255, 255, 255);
  EXPECT_GT(encre, 100);

  // The focus holder is not a text box (letters must reach the shortcuts) and takes the focus.
  EXPECT_EQ(f.Ed_Invisible->focusPolicy(), Qt::StrongFocus);
  EXPECT_FALSE(f.Ed_Invisible->inherits("QAbstractScrollArea"));
  EXPECT_FALSE(f.Ed_Invisible->inherits("QLineEdit"));
  EXPECT_EQ(f.TimerMidi->interval(), 100);
  EXPECT_FALSE(f.TimerMidi->isActive());
  ASSERT_NE(f.MediaPlayer1, nullptr);
  for (const char* nom : {"Mn_Fichier", "Mn_Edition", "Mn_Note", "Mn_Son", "Mn_Aide"})
    EXPECT_NE(f.findChild<QMenu*>(nom), nullptr) << nom;

  // A later activation changes nothing.
  Partition.Tempo = 90;
  f.FormActivate();
  EXPECT_EQ(Partition.Tempo, 90);
}

// The window paints as soon as it is on screen, before the first activation sets up the renderers
// and the first song; both are there for the paints that follow.
TEST(MainWindow, FirstPaintComesBeforeTheRestOfTheFirstActivation) {
  Demarrage d;
  Messages msg;
  TForm1 f;
  f.LigneCommande.clear();
  struct Sonde : QObject {
    TForm1* fenetre = nullptr;
    int peintures = 0, activeeALaPremiere = -1;
    bool eventFilter(QObject* o, QEvent* e) override {
      auto* w = qobject_cast<QWidget*>(o);
      if (e->type() == QEvent::Paint && w && w->window() == fenetre && peintures++ == 0)
        activeeALaPremiere = fenetre->FenetreActivee;
      return false;
    }
  } sonde;
  sonde.fenetre = &f;
  qApp->installEventFilter(&sonde);
  f.show();
  for (QDeadlineTimer limite(5000); PremiereActivation && !limite.hasExpired();) QCoreApplication::processEvents();
  qApp->removeEventFilter(&sonde);
  EXPECT_EQ(PremiereActivation, 0);
  ASSERT_GT(sonde.peintures, 0);
  EXPECT_EQ(sonde.activeeALaPremiere, 0);
  EXPECT_NE(ImageSaisie, nullptr);
  f.hide();
}

TEST(MainWindow, CommandLineNamingAMissingFileKeepsTheNewSong) {
  Demarrage d;
  Messages msg;
  DefinirTexteLangue("Fichier-Introuvable", "Le fichier #1 est introuvable.");
  TForm1 f;
  // A path with a blank arrives as two arguments.
  f.LigneCommande = {"/nulle/part/ma", "chanson.sqt"};
  f.FormActivate();
  ASSERT_EQ(msg.vus.size(), 1u);
  EXPECT_EQ(msg.vus[0].Titre, TexteLangue("Dlg-Erreur"));
  EXPECT_EQ(msg.vus[0].Texte, "Le fichier ma chanson.sqt est introuvable.");
  EXPECT_EQ(msg.vus[0].Icone, MB_ICONE_ERREUR);
  EXPECT_EQ(msg.vus[0].Boutons, MB_OK);
  EXPECT_EQ(Partition.NbMesures, 1);
  EXPECT_EQ(Partition.Mesures[1]->NbTemps[1], 0);
  EXPECT_EQ(f.windowTitle(), "Strumquill 2.2 - " + QFileInfo(TexteLangue("Fichier-SansNom")).fileName());
}

// `vexo chansons/ma chanson.sqt`, a relative path, from the folder the program starts in; the first
// activation then moves to the settings' working folder.
TEST(MainWindow, CommandLineOpensTheSongItNames) {
  Demarrage d;
  Messages msg;
  QTemporaryDir dir(CheminAuDepart("chansons-XXXXXX")), reglages;
  const QString fichier = dir.filePath("ma chanson.sqt");
  NouvellePartition();
  Partition.Titre = "Romance";
  Partition.Auteur = "Anonyme";
  Partition.Tempo = 96;
  CheminFichier = fichier;
  ASSERT_TRUE(EnregistrerFichier());
  Repertoire = reglages.path();
  TForm1 f;
  // A path with a blank arrives as two arguments.
  f.LigneCommande = {QFileInfo(dir.path()).fileName() + "/ma", "chanson.sqt"};
  f.FormActivate();
  EXPECT_TRUE(msg.vus.empty());
  EXPECT_EQ(Partition.Tempo, 96);
  EXPECT_EQ(NomFichier, "ma chanson.sqt");
  EXPECT_EQ(f.MessErreur->text(), "Romance - Anonyme");
  EXPECT_EQ(Modifie, 0);
  EXPECT_TRUE(f.windowTitle().endsWith(" - ma chanson.sqt"));
  // The song keeps its file: an edit and Save write that file, and nothing in the new working folder.
  EXPECT_EQ(QDir::currentPath(), QFileInfo(reglages.path()).canonicalFilePath());
  Partition.Tempo = 100;
  Modifie = 1;
  Vierge = 0;
  f.RafraichirActions();
  f.Ac_Fichier_Enregistrer->trigger();
  EXPECT_TRUE(msg.vus.empty());
  EXPECT_EQ(DerniersFichiers[1], fichier);
  EXPECT_TRUE(QDir(reglages.path()).isEmpty());
  ASSERT_TRUE(OuvrirFichier());
  EXPECT_EQ(Partition.Tempo, 100);
}

TEST(MainWindow, CancelledSaveQuestionKeepsTheWindowOpen) {
  Demarrage d;
  Messages msg;
  TForm1 f;
  f.LigneCommande.clear();
  f.show();
  f.FormActivate();
  Modifie = 1;
  Vierge = 0;  // an edited song: the close asks
  msg.reponse = ID_ANNULER;
  EXPECT_FALSE(f.close());
  EXPECT_TRUE(f.isVisible());
  ASSERT_EQ(msg.vus.size(), 1u);
  EXPECT_EQ(msg.vus[0].Titre, TexteLangue("Dlg-Confirmation"));
  EXPECT_EQ(msg.vus[0].Boutons, MB_OUI | MB_NON | MB_ANNULER);
  EXPECT_EQ(FermetureEnCours, 0);
  ASSERT_EQ(Partition.NbMesures, 1);
  EXPECT_NE(Partition.Mesures[1], nullptr);

  // The next close asks again; "No" closes and frees the song.
  QFile temp(RepWindows + "vexo.tmp");
  ASSERT_TRUE(temp.open(QIODevice::WriteOnly));
  temp.close();
  msg.reponse = ID_NON;
  EXPECT_TRUE(f.close());
  EXPECT_EQ(msg.vus.size(), 2u);
  EXPECT_FALSE(f.isVisible());
  EXPECT_EQ(FermetureEnCours, 1);
  EXPECT_EQ(Partition.Mesures[1], nullptr);
  EXPECT_EQ(Partition.NbMesures, 0);
  EXPECT_FALSE(QFile::exists(RepWindows + "vexo.tmp"));
}

TEST(MainWindow, UntouchedSongClosesWithoutQuestion) {
  Demarrage d;
  Messages msg;
  {
    TForm1 f;
    f.LigneCommande.clear();
    f.FormActivate();
    EXPECT_TRUE(f.FormCloseQuery());
    EXPECT_TRUE(msg.vus.empty());
  }
  EXPECT_EQ(ImageSaisie, nullptr);  // the window took its image and canvas with it
  EXPECT_EQ(CanvasSaisie, nullptr);
  EXPECT_EQ(Form1, nullptr);
}

TEST(MainWindow, SwitchesStartFromTheSettingsAndTheCloseSavesThem) {
  Demarrage d;
  Messages msg;
  const TCONFIG avant = Configuration;
  Configuration.ShowLetRingNotes = true;
  Configuration.ShowDynamic = false;
  Configuration.JouerPendantSaisie = true;
  Configuration.Metronome = true;
  QFile::remove(RepWindows + "Vexo220.ini");
  {
    TForm1 f;
    f.LigneCommande.clear();
    f.FormActivate();
    EXPECT_TRUE(f.Ac_Ass_MontrerLetRing->isChecked());
    EXPECT_FALSE(f.Ac_Ass_MontrerDyna->isChecked());
    EXPECT_TRUE(f.Ac_Son_JouerSaisie->isChecked());
    EXPECT_TRUE(f.Ac_Son_Metronome->isChecked());
    // The user turns "play while entering" off; the close writes what the command shows.
    f.Ac_Son_JouerSaisie->setChecked(false);
    EXPECT_TRUE(f.FormCloseQuery());
  }
  EXPECT_FALSE(Configuration.JouerPendantSaisie);
  TIniFile ini(RepWindows + "Vexo220.ini");
  EXPECT_EQ(ini.ReadInteger("General", "Version", 0), 220);
  EXPECT_EQ(ini.ReadString("Config", "JouerPendantSaisie", "?"), "0");
  EXPECT_EQ(ini.ReadString("Config", "Metronome", "?"), "1");
  Configuration = avant;
}

TEST(MainWindow, TheStatusLabelHoldsItsLongestTranslatedText) {
  Demarrage d;
  Messages msg;
  const QStringList lignes = LignesPatch, messages = TableMessages;
  TForm1 f;
  f.LigneCommande.clear();
  f.FormActivate();
  ASSERT_TRUE(ChargerLignesPatch(QString(VEXO_LANG_DIR) + QString::fromUtf8("/Français.sqg")));
  ChargerMessagesPatch();
  f.TraduireFenetrePrincipale();
  for (const char* cle : {"Gene-MesureComplete", "Gene-MesureIncomplete", "Gene-MesureDepassee"}) {
    f.NbTps2->setText(TexteLangue(cle));
    EXPECT_GE(f.NbTps2->width(), f.NbTps2->sizeHint().width()) << cle;
  }
  EXPECT_EQ(TexteLangue("Gene-MesureComplete"), QString::fromUtf8("Mesure complète"));
  LignesPatch = lignes;
  TableMessages = messages;
}
