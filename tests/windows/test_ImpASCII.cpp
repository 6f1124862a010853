// The ASCII import dialog: its settings, the dash rule, file loading and the Return key.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>

#include "tests/editor/EditFixture.h"
#include "files/ui/ImpASCII.h"
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
  f.NbTirets->setCurrentIndex(1);  // two dashes a quarter
  f.ImporterTablature();
  EXPECT_EQ(B(1, 1, 1).CodeDuree, 0);
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
