// Settings file: defaults, a full save and load, bad values, kept sections, language choice.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTextStream>
#include <climits>

#include "song/AccordTexte.h"
#include "song/Song.h"
#include "song/ListesAccords.h"
#include "editor/state/EtatEdition.h"
#include "settings/Config.h"
#include "platform/Folders.h"
#include "platform/IniFile.h"
#include "settings/ConfigFile.h"
#include "settings/Langue.h"
#include "settings/ui/Welcome.h"

namespace {

void RemettreAZero() {
  Configuration = TCONFIG{};
  for (TParamEcran* p : {&ParamEcran, &ParamEcran_US1, &ParamEcran_US2, &ParamEcran_US3}) *p = TParamEcran{};
  for (TZoneImpression* z : {&ZoneImpression, &ZoneImpression_US1, &ZoneImpression_US2, &ZoneImpression_US3})
    *z = TZoneImpression{};
  PorteursPolices = TPorteursPolices{};
  for (auto& f : DerniersFichiers) f.clear();
  ViderListeAccords(AccordsLibrairie, NbAccordsLibrairie);
  PatcheLangue.clear();
  Repertoire.clear();
  LangueAide = 0;
  PisteCourante = 1;
  Partition.NbCordes[1] = 0;
  for (int c = 0; c <= NB_CORDES_MAX; ++c) Partition.Accordage[1][c] = 0;
}

// Each test gets its own config folder, the shipped languages and a language chooser that
// records whether it was asked.
class ConfigFichier : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dossier.isValid());
    ancienRepWindows = RepWindows;
    ancienRepertoireAppli = RepertoireAppli;
    RepWindows = dossier.path() + "/";
    RepertoireAppli = QString(VEXO_LANG_DIR) + "/";
    RemettreAZero();
    InstallerChoixLangue([this](const QStringList& noms) {
      ++demandes;
      listees = noms;
      return choix;
    });
  }
  void TearDown() override {
    InstallerChoixLangue({});
    RemettreAZero();
    // The temporary folder is gone after this test: later tests must not write into it.
    RepWindows = ancienRepWindows;
    RepertoireAppli = ancienRepertoireAppli;
    LignesPatch.clear();
    TableMessages.clear();
    ListeLangues.clear();
  }
  QString ancienRepWindows, ancienRepertoireAppli;
  void EcrireIni(const QString& texte) {
    QFile f(CheminFichierConfig());
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(texte.toLatin1());
  }
  QString Fichier(const QString& nom) {
    QString chemin = dossier.path() + "/" + nom;
    QFile f(chemin);
    EXPECT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("x");
    return chemin;
  }

  QTemporaryDir dossier;
  int demandes = 0;
  QStringList listees;
  QString choix = "English";
};

}  // namespace

TEST_F(ConfigFichier, MissingFileGivesDefaultsAndAsksForALanguage) {
  ChargerConfig(1, ChoisirLangueDemarrage);
  EXPECT_EQ(demandes, 1);
  EXPECT_TRUE(listees.contains("English"));
  EXPECT_EQ(PatcheLangue, "English");
  EXPECT_EQ(TexteLangue("Dlg-Erreur"), "Error");
  EXPECT_EQ(LangueAide, 2);

  EXPECT_EQ(ParamEcran.MargeGaucheLignes, 25);
  EXPECT_EQ(ParamEcran_US2.MargeDroiteLignes, 38);
  EXPECT_EQ(ParamEcran.EspPortees, 102);
  EXPECT_EQ(ParamEcran.ColBackG, 16777215);
  EXPECT_EQ(ParamEcran.ColSelect, 8421504);
  EXPECT_DOUBLE_EQ(ParamEcran.CoefPAff, 1.5);
  EXPECT_EQ(ParamEcran.TypeDiag, 3);
  EXPECT_EQ(ParamEcran_US3.FontNum.Name, "Small Fonts");
  EXPECT_EQ(ParamEcran_US3.FontNum.Col, 255);
  EXPECT_TRUE(ParamEcran.FontRenv.Bold && ParamEcran.FontRenv.Italic);
  EXPECT_DOUBLE_EQ(ZoneImpression_US1.MargeHautePart, 15.0);
  EXPECT_DOUBLE_EQ(ZoneImpression.MargeBassePart, 10.0);
  EXPECT_TRUE(ZoneImpression.FullPage);
  EXPECT_EQ(ZoneImpression.FontTitle_Prt.Size, 20);
  EXPECT_EQ(ZoneImpression.CoefEspAff_Prt, 5);
  EXPECT_FALSE(Configuration.BlackBlocks);
  EXPECT_EQ(Configuration.BrushDuration, 4);
  EXPECT_EQ(Configuration.MetronomeVolume, 95);
  EXPECT_EQ(Configuration.NbColASCII, 80);
  EXPECT_TRUE(Configuration.AlwaysUseMetronomeSpeedTrainer);
  EXPECT_FALSE(Configuration.LimitBend);
  EXPECT_EQ(Partition.NbCordes[1], 6);
  EXPECT_EQ(Partition.Accordage[1][1], 64);
  EXPECT_EQ(Partition.Accordage[1][6], 40);
  EXPECT_EQ(NbAccordsLibrairie, 0);
  for (int i = 1; i <= NB_FICHIERS_RECENTS; ++i) EXPECT_TRUE(DerniersFichiers[i].isEmpty());

  TParamEcran d;
  ParamEcranParDefaut(d, true);
  EXPECT_EQ(d.MargeGaucheLignes, 38);
  ParamEcranParDefaut(d, false);
  EXPECT_EQ(d.MargeGaucheLignes, 25);
}

TEST_F(ConfigFichier, SaveThenLoadGivesEverythingBack) {
  ChargerConfig(1, ChoisirLangueDemarrage);
  Configuration.BrushDuration = 16;
  Configuration.MetronomeVolume = 40;
  Configuration.StartingFile = QString::fromUtf8("/tmp/démarrage.wav");
  Configuration.LimitBend = true;
  Configuration.BlackBlocks = true;
  Configuration.DefaultDynamic = 3;
  ParamEcran.EspLignes = 12;
  ParamEcran.ColDiag = 0x123456;
  ParamEcran.CoefPAff = 1.7;
  ParamEcran_US1.AffNum = false;
  ParamEcran_US2.TypeDiag = 1;
  ZoneImpression.MargeHautePart = 12.5;  // halves go to the even neighbour
  ZoneImpression.MargeBassePart = 12.6;
  ZoneImpression_US3.Largeur_Prt = 150;
  ZoneImpression_US2.GlobalProportions_Prt = -20;
  ZoneImpression.CoefPAff_Prt = 1.2;
  ChargerPolices();
  // The holders are what the renderers use: they win over the record fields.
  PorteursPolices.Ecran[JEU_LIVE][FontNotes].Name = "Courier New";
  PorteursPolices.Ecran[JEU_US3][FontRenv].Size = 14;
  PorteursPolices.Imp[JEU_US1][FontAccDiag_Prt].Italic = true;
  Partition.NbCordes[1] = 4;  // the fewest strings a track has
  Partition.Accordage[1][4] = 23;
  PatcheLangue = QString::fromUtf8("Français");
  LangueAide = 3;
  Repertoire = "/tmp";
  DerniersFichiers[1] = Fichier("a.sqt");
  for (int n = 1; n <= 3; ++n) {
    auto a = std::make_unique<TAccord>();
    a->Fondamentale = n;
    a->Nom = std::string("Ch") + char('0' + n);
    AccordsLibrairie[n] = std::move(a);
  }
  NbAccordsLibrairie = 3;
  ASSERT_TRUE(EnregistrerConfig());

  TIniFile brut(CheminFichierConfig());
  EXPECT_EQ(brut.ReadInteger("General", "Version", 0), 220);
  EXPECT_EQ(brut.ReadString("ParamImp", "MargeHautePart", ""), "12");
  EXPECT_EQ(brut.ReadString("ParamImp", "MargeBassePart", ""), "13");
  EXPECT_EQ(brut.ReadString("ParamEcran", "CoefPImp", ""), "17");
  EXPECT_EQ(brut.ReadString("ParamEcran", "ColDiag", ""), QString::number(0x123456));
  EXPECT_EQ(brut.ReadString("Config", "LimitBend", ""), "1");
  EXPECT_EQ(brut.ReadString("Config", QString::fromUtf8("Répertoire"), ""), "/tmp");
  EXPECT_EQ(brut.ReadString("ChordsLib", "C003", ""), EncoderAccord(*AccordsLibrairie[3]));
  EXPECT_FALSE(brut.ValueExists("ParamImp_US1", "BlackBlocks"));
  EXPECT_EQ(brut.ReadSection("ParamEcran_US1").size(), 55);
  EXPECT_EQ(brut.ReadSection("ParamImp").size(), 82);
  EXPECT_EQ(brut.ReadSection("ParamImp_US3").size(), 81);

  RemettreAZero();
  demandes = 0;
  ChargerConfig(1, ChoisirLangueDemarrage);
  EXPECT_EQ(demandes, 0);
  EXPECT_EQ(PatcheLangue, QString::fromUtf8("Français"));
  EXPECT_EQ(TexteLangue("Dlg-Erreur"), "Erreur");
  EXPECT_EQ(LangueAide, 3);
  EXPECT_EQ(Repertoire, "/tmp");
  EXPECT_EQ(DerniersFichiers[1], dossier.path() + "/a.sqt");
  EXPECT_EQ(Configuration.BrushDuration, 16);
  EXPECT_EQ(Configuration.MetronomeVolume, 40);
  EXPECT_EQ(Configuration.StartingFile, QString::fromUtf8("/tmp/démarrage.wav"));
  EXPECT_TRUE(Configuration.LimitBend);
  EXPECT_TRUE(Configuration.BlackBlocks);
  EXPECT_EQ(Configuration.DefaultDynamic, 3);
  EXPECT_EQ(ParamEcran.EspLignes, 12);
  EXPECT_EQ(ParamEcran.ColDiag, 0x123456);
  EXPECT_DOUBLE_EQ(ParamEcran.CoefPAff, 1.7);
  EXPECT_FALSE(ParamEcran_US1.AffNum);
  EXPECT_EQ(ParamEcran_US2.TypeDiag, 1);
  EXPECT_EQ(ParamEcran_US1.MargeGaucheLignes, 38);
  EXPECT_DOUBLE_EQ(ZoneImpression.MargeHautePart, 12.0);
  EXPECT_DOUBLE_EQ(ZoneImpression.MargeBassePart, 13.0);
  EXPECT_DOUBLE_EQ(ZoneImpression_US3.Largeur_Prt, 150.0);
  EXPECT_EQ(ZoneImpression_US2.GlobalProportions_Prt, -20);
  EXPECT_DOUBLE_EQ(ZoneImpression.CoefPAff_Prt, 1.2);
  EXPECT_EQ(ParamEcran.FontNotes.Name, "Courier New");
  EXPECT_EQ(ParamEcran_US3.FontRenv.Size, 14);
  EXPECT_TRUE(ZoneImpression_US1.FontAccDiag_Prt.Italic);
  EXPECT_EQ(Partition.NbCordes[1], 4);
  EXPECT_EQ(Partition.Accordage[1][4], 23);
  ASSERT_EQ(NbAccordsLibrairie, 3);
  EXPECT_EQ(AccordsLibrairie[2]->Fondamentale, 2);
  EXPECT_EQ(AccordsLibrairie[3]->Nom.str(), "Ch3");
}

TEST_F(ConfigFichier, RecentFilesMoveUpAndHelpLanguageFollowsTheLanguage) {
  QString b = Fichier("b.sqt"), c = Fichier("c.sqt");
  // Relative paths are read from the start folder, and kept absolute once the working folder moves.
  const QDir depart(CheminAuDepart("."));
  EcrireIni("[Config]\nPatcheLangue=English\nHelpFile=0\nFichier1=" + dossier.path() + "/gone.sqt\nFichier2=" + b +
            "\nFichier3=" + depart.relativeFilePath(c) + "\nFichier4=\nFichier5=\n" +
            QString::fromUtf8("R\u00e9pertoire=") + depart.relativeFilePath(dossier.path()) + "\n");
  ChargerConfig(1, ChoisirLangueDemarrage);
  EXPECT_EQ(demandes, 0);
  EXPECT_EQ(LangueAide, 2);
  // Absolute, naming the same file; its ".." are left to the system.
  const auto memeFichier = [](const QString& lu, const QString& vrai) {
    return QFileInfo(lu).isAbsolute() && QFileInfo(lu).canonicalFilePath() == QFileInfo(vrai).canonicalFilePath();
  };
  EXPECT_TRUE(memeFichier(Repertoire, dossier.path())) << Repertoire.toStdString();
  EXPECT_EQ(DerniersFichiers[1], b);
  EXPECT_TRUE(memeFichier(DerniersFichiers[2], c)) << DerniersFichiers[2].toStdString();
  for (int i = 3; i <= 5; ++i) EXPECT_TRUE(DerniersFichiers[i].isEmpty());
  ASSERT_TRUE(EnregistrerConfig());
  TIniFile brut(CheminFichierConfig());
  EXPECT_EQ(brut.ReadString("Config", "Fichier1", ""), b);
  EXPECT_EQ(brut.ReadString("Config", "Fichier2", ""), DerniersFichiers[2]);
  EXPECT_EQ(brut.ReadString("Config", "Fichier3", "?"), "");

  // A working folder that is gone gives way to the folder the process stands in.
  Repertoire = dossier.path() + "/gone";
  ASSERT_TRUE(EnregistrerConfig());
  EXPECT_EQ(TIniFile(CheminFichierConfig()).ReadString("Config", QString::fromUtf8("R\u00e9pertoire"), ""),
            QDir::currentPath());
  EXPECT_EQ(Repertoire, QDir::currentPath());
}

TEST_F(ConfigFichier, BadValuesFallBack) {
  TAccord bon;
  bon.Nom = "Ok";
  QString e = EncoderAccord(bon);
  EcrireIni("[Config]\nPatcheLangue=../../etc/passwd\nNbCordes=9\nNoteCorde3=200\nNoteCorde4=-1\nNoteCorde5=0x2D\n"
            "MetronomeVolume=300\nDefaultDynamic=0\nTypeImport=12\nNbTirets=abc\nHelpFile=7\n"
            "BrushDuration=3\n"
            "[ParamEcran]\nTypeDiag=7\nFontNotes_Size=-3\nFontNotes_Name=\nCoefPImp=0\nEspLignes=5000\nEpCroches=-2\n"
            "[ParamImp_US2]\nMargeHautePart=-5\nLargeur_Prt=100000\nGlobalProportions_Prt=99\nCoefEspAff_Prt=11\n"
            "[ChordsLib]\nTotal=500\nC001=" + e + "\nC002=ONOO\nC003=" + e + "\n");
  choix = QString::fromUtf8("Français");
  ChargerConfig(1, ChoisirLangueDemarrage);
  EXPECT_EQ(demandes, 1);  // a name with a path in it is no language
  EXPECT_EQ(PatcheLangue, QString::fromUtf8("Français"));
  EXPECT_EQ(LangueAide, 1);
  EXPECT_EQ(Partition.NbCordes[1], 6);
  EXPECT_EQ(Partition.Accordage[1][3], 55);
  EXPECT_EQ(Partition.Accordage[1][4], 50);
  EXPECT_EQ(Partition.Accordage[1][5], 45);
  EXPECT_EQ(Configuration.MetronomeVolume, 95);
  EXPECT_EQ(Configuration.DefaultDynamic, 6);
  EXPECT_EQ(Configuration.TypeImport, 0);
  EXPECT_EQ(Configuration.NbTirets, 3);
  EXPECT_EQ(ParamEcran.TypeDiag, 3);
  EXPECT_EQ(ParamEcran.FontNotes.Size, 8);
  EXPECT_EQ(ParamEcran.FontNotes.Name, "Arial");
  EXPECT_DOUBLE_EQ(ParamEcran.CoefPAff, 1.5);
  EXPECT_EQ(Configuration.BrushDuration, 4);
  EXPECT_EQ(ParamEcran.EspLignes, 10);
  EXPECT_EQ(ParamEcran.EpCroches, 2);
  EXPECT_DOUBLE_EQ(ZoneImpression_US2.MargeHautePart, 15.0);
  EXPECT_DOUBLE_EQ(ZoneImpression_US2.Largeur_Prt, 100.0);
  EXPECT_EQ(ZoneImpression_US2.GlobalProportions_Prt, 0);
  EXPECT_EQ(ZoneImpression_US2.CoefEspAff_Prt, 5);
  // Total is limited; the damaged entry is left out and the next one moves up.
  ASSERT_EQ(NbAccordsLibrairie, 2);
  EXPECT_EQ(AccordsLibrairie[2]->Nom.str(), "Ok");
}

TEST_F(ConfigFichier, LibraryStopsAtTheFirstMissingEntry) {
  TAccord a;
  QString e = EncoderAccord(a);
  EcrireIni("[Config]\nPatcheLangue=English\n[ChordsLib]\nTotal=5\nC001=" + e + "\nC002=" + e + "\nC003=" + e +
            "\nC005=" + e + "\n");
  ChargerConfig(1, ChoisirLangueDemarrage);
  EXPECT_EQ(NbAccordsLibrairie, 3);
  // A smaller library later leaves the old entries in the file, unread.
  NbAccordsLibrairie = 1;
  AccordsLibrairie[2].reset();
  AccordsLibrairie[3].reset();
  ASSERT_TRUE(EnregistrerConfig());
  TIniFile brut(CheminFichierConfig());
  EXPECT_EQ(brut.ReadInteger("ChordsLib", "Total", -1), 1);
  EXPECT_TRUE(brut.ValueExists("ChordsLib", "C003"));
  ChargerConfig(1, ChoisirLangueDemarrage);
  EXPECT_EQ(NbAccordsLibrairie, 1);
}

TEST_F(ConfigFichier, UnknownSectionsAreKept) {
  EcrireIni("[Browser]\nWC1=123\nDirectory=/music\n[Config]\nPatcheLangue=English\nSomethingElse=7\n");
  ChargerConfig(1, ChoisirLangueDemarrage);
  ASSERT_TRUE(EnregistrerConfig());
  TIniFile brut(CheminFichierConfig());
  EXPECT_EQ(brut.ReadInteger("Browser", "WC1", 0), 123);
  EXPECT_EQ(brut.ReadString("Browser", "Directory", ""), "/music");
  EXPECT_EQ(brut.ReadInteger("Config", "SomethingElse", 0), 7);
}

TEST_F(ConfigFichier, AMissingOrUnreadableLanguageCountsAsNone) {
  QTemporaryDir programme;
  RepertoireAppli = programme.path() + "/";
  // An empty program folder: nothing to choose, nothing loaded.
  choix = "English";
  ChargerConfig(1, ChoisirLangueDemarrage);
  EXPECT_EQ(demandes, 1);
  EXPECT_TRUE(listees.isEmpty());
  EXPECT_TRUE(PatcheLangue.isEmpty());
  EXPECT_TRUE(LignesPatch.isEmpty());
  EXPECT_EQ(TexteLangue("Dlg-Erreur"), TexteIntrouvable);

  // A listed file that cannot be read.
  ASSERT_TRUE(QFile::link(programme.path() + "/nowhere", programme.path() + "/Broken.sqg"));
  choix = "Broken";
  ChargerConfig(1, ChoisirLangueDemarrage);
  EXPECT_EQ(listees, QStringList({"Broken"}));
  EXPECT_TRUE(PatcheLangue.isEmpty());
  EXPECT_TRUE(TableMessages.isEmpty());
}

// The start-up sound and the scrolling mode keep any number, as read and as written back: one that
// names no choice starts no sound, or checks no scrolling button; it does not become the default.
TEST_F(ConfigFichier, StartingMusicAndTypeScrollingKeepAnyNumber) {
  const struct {
    const char* cle;
    int32_t TCONFIG::*champ;
  } cles[] = {{"StartingMusic", &TCONFIG::StartingMusic}, {"TypeScrolling", &TCONFIG::TypeScrolling}};
  const struct {
    const char* valeur;
    int attendu;
  } cas[] = {{"2", 2}, {"7", 7}, {"0", 0}, {"-4", -4}, {"abc", 1}, {nullptr, 1}};
  for (const auto& k : cles)
    for (const auto& c : cas) {
      const QString ligne = c.valeur ? QString("%1=%2\n").arg(k.cle, c.valeur) : QString();
      SCOPED_TRACE(ligne.toStdString());
      EcrireIni("[Config]\nPatcheLangue=English\n" + ligne);
      ChargerConfig(1, ChoisirLangueDemarrage);
      EXPECT_EQ(Configuration.*k.champ, c.attendu);
      ASSERT_TRUE(EnregistrerConfig());
      EXPECT_EQ(TIniFile(CheminFichierConfig()).ReadInteger("Config", k.cle, INT_MIN), c.attendu);
    }
}
