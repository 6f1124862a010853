// The ASCII import dialog: its settings, the dash rule, file loading and the Return key.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>

#include "tests/editor/EditFixture.h"
#include "editor/state/EtatProgramme.h"
#include "editor/ui/MainASCII.h"
#include "files/FichierSqt.h"
#include "files/ui/ImpASCII.h"
#include "tests/windows/FenetreFixture.h"
#include "files/TablatureASCII.h"
#include "settings/Langue.h"

class ImpASCII : public EditTest {
 protected:
  TCONFIG garde;
  void SetUp() override {
    EditTest::SetUp();
    garde = Configuration;
  }
  void TearDown() override {
    Configuration = garde;
    EditTest::TearDown();
  }
};

TEST_F(ImpASCII, ModeAndDashesFollowTheSettings) {
  Configuration.TypeImport = 0;
  Configuration.NbTirets = 2;
  TImpASCIIForm f;
  f.FormActivate();
  EXPECT_TRUE(f.NbTirets->isEnabled());
  EXPECT_EQ(f.NbTirets->currentIndex(), 2);
  f.TypeImport->setCurrentIndex(IMPORT_CROCHES);  // a fixed mode: no dash count
  EXPECT_EQ(Configuration.TypeImport, IMPORT_CROCHES);
  EXPECT_FALSE(f.NbTirets->isEnabled());
  EXPECT_EQ(f.NbTirets->currentIndex(), -1);
  EXPECT_EQ(Configuration.NbTirets, 2);

  // The import reads the text with the chosen mode into the current track.
  f.MemoASCII->setPlainText("e|--3--5--|\r\nB|-------1|\n");
  f.ImporterTablature();
  ASSERT_EQ(N(1, 1), 3);
  EXPECT_EQ(B(1, 1, 1).CodeDuree, 1);
  EXPECT_EQ(B(1, 1, 1).Notes[5].Frette, 3);  // two lines: strings 5 and 6
  EXPECT_EQ(B(3, 1, 1).Notes[6].Frette, 1);

  f.TypeImport->setCurrentIndex(IMPORT_VARIABLE);
  EXPECT_TRUE(f.NbTirets->isEnabled());
  // A gap of two columns: a quarter at two dashes a quarter, a half at one.
  for (auto [choix, code] : {std::pair{1, 0}, std::pair{0, -1}}) {
    f.NbTirets->setCurrentIndex(choix);
    EXPECT_EQ(Configuration.NbTirets, choix);
    f.ImporterTablature();
    EXPECT_EQ(B(1, 1, 1).CodeDuree, code) << choix + 1 << " dashes";
  }
}

TEST_F(ImpASCII, FileLoadingAndReturn) {
  TImpASCIIForm f;
  f.MemoASCII->setPlainText("kept");
  QTemporaryDir dir;
  EXPECT_FALSE(f.ChargerFichier(dir.filePath("absent.tab")));
  EXPECT_EQ(f.MemoASCII->toPlainText(), "kept");
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0].Icone, MB_ICONE_ERREUR);

  QFile fichier(dir.filePath("song.tab"));
  ASSERT_TRUE(fichier.open(QIODevice::WriteOnly));
  fichier.write("e|--0--|\r\n");
  fichier.close();
  EXPECT_TRUE(f.ChargerFichier(fichier.fileName()));
  EXPECT_EQ(f.MemoASCII->toPlainText(), "e|--0--|\n");
  EXPECT_EQ(f.NomFichier, fichier.fileName());
  EXPECT_TRUE(f.windowTitle().startsWith("song.tab - "));

  // Return presses Import; Ctrl+Return adds a line.
  QKeyEvent ctrl(QEvent::KeyPress, Qt::Key_Return, Qt::ControlModifier);
  QCoreApplication::sendEvent(f.MemoASCII, &ctrl);
  EXPECT_EQ(f.result(), QDialog::Rejected);
  QKeyEvent entree(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
  QCoreApplication::sendEvent(f.MemoASCII, &entree);
  EXPECT_EQ(f.result(), QDialog::Accepted);
  EXPECT_EQ(f.MemoASCII->toPlainText().count('\n'), 2);
}

TEST_F(ImpASCII, HelpButtonGoesThroughTheOneHelpOpener) {
  // No help page in the program folder: the button says that the help is not available.
  TImpASCIIForm f;
  f.BT_Aide->click();
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0].Texte, TexteLangue("Aide-NonDisponible"));
  EXPECT_EQ(messages[0].Icone, MB_ICONE_INFORMATION);
}

namespace {
// The main window's File > Import ASCII, the dialog driven by `r` once it shows.
class ImportASCIIFenetre : public FenetreTest<> {
 protected:
  QStringList dits;
  void SetUp() override {
    FenetreTest<>::SetUp();
    DefinirTexteLangue("ASCIIImp-AucunePortee", "ASCIIImp-AucunePortee");
    InstallerReponseMessage([this](const TDemandeMessage& d) {
      dits << d.Texte;
      return int(ID_OK);
    });
  }
  void Importer(std::function<void(TImpASCIIForm&)> r) {
    QTimer::singleShot(0, [r] {
      auto* d = qobject_cast<TImpASCIIForm*>(QApplication::activeModalWidget());
      ASSERT_NE(d, nullptr);
      r(*d);
      if (d->isVisible()) d->BT_Annuler->click();
    });
    CommandeImporterASCII(*f);
  }
};
}  // namespace

TEST_F(ImportASCIIFenetre, NothingToImportLeavesTheSongAsItWas) {
  QTest::keyClick(f->Ed_Invisible, Qt::Key_7);  // a note in the current track
  QTest::keyClick(f->Ed_Invisible, Qt::Key_Right);
  Partition.Titre = "Kept";
  Modifie = 0;
  const QByteArray avant = OctetsPartition();
  ASSERT_GT(Partition.Mesures[1]->NbTemps[1], 0);
  f->RafraichirActions();
  ASSERT_FALSE(f->Ac_Fichier_Enregistrer->isEnabled());
  const QString zoneTab = "# tz zone descriptions\nAD\t+4230+00131\tEurope/Andorra\nAE\t+2518+05518\tAsia/Dubai\n";
  for (const QString& texte : {QString(), QString("\n\n"), zoneTab, QString("| a | b |\n-- x --\n")}) {
    SCOPED_TRACE(texte.toStdString());
    dits.clear();
    bool resteOuvert = false;
    Importer([&](TImpASCIIForm& d) {
      d.MemoASCII->setPlainText(texte);
      QTest::keyClick(d.MemoASCII, Qt::Key_Return);
      d.BT_Importer->click();
      resteOuvert = d.isVisible();
    });
    EXPECT_TRUE(resteOuvert);
    EXPECT_EQ(dits, QStringList(2, "ASCIIImp-AucunePortee"));
    EXPECT_EQ(std::string(Partition.Titre.view()), "Kept");
    EXPECT_TRUE(OctetsPartition() == avant);
    EXPECT_EQ(Modifie, 0);
    EXPECT_FALSE(f->Ac_Fichier_Enregistrer->isEnabled());
  }

  // A text with tablature imports as before.
  dits.clear();
  Importer([](TImpASCIIForm& d) {
    d.MemoASCII->setPlainText("e|--3--5--|");
    d.BT_Importer->click();
  });
  EXPECT_TRUE(dits.isEmpty()) << dits.join("|").toStdString();
  EXPECT_EQ(Modifie, 1);
  EXPECT_TRUE(f->Ac_Fichier_Enregistrer->isEnabled());
}
