// The print dialog: typing a page switches to a range, the range it reads, and its captions from
// a language file with or without its own group; the PDF file a print without printer writes.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>

#include "editor/state/Partition.h"
#include "files/ui/FichierPDF.h"
#include "settings/Config.h"
#include "settings/Langue.h"
#include "settings/Mess.h"
#include "song/Song.h"
#include "view/ImpressionPartition.h"
#include "view/ui/DlgPrint.h"

namespace {

class DlgPrint : public ::testing::Test {
 protected:
  void SetUp() override { lignes = LignesPatch; }
  void TearDown() override { LignesPatch = lignes; }
  QStringList lignes;
};

TEST_F(DlgPrint, TypingAPageChoosesTheRange) {
  LignesPatch.clear();
  TPrintForm f;
  EXPECT_TRUE(f.RB_Tout->isChecked());
  int a = -1, b = -1;
  f.Plage(a, b);
  EXPECT_EQ(a, 0);
  EXPECT_EQ(b, 0);
  QTest::keyClicks(f.ED_PageFin, QStringLiteral("3"));
  EXPECT_TRUE(f.RB_Pages->isChecked());
  f.Plage(a, b);
  EXPECT_EQ(a, 1);
  EXPECT_EQ(b, 3);
}

TEST_F(DlgPrint, CaptionsFromTheLanguageFile) {
  LignesPatch = {"DLG_000", "01 \"Fine\"", "02 \"Stop\"", ""};
  {
    TPrintForm f;
    EXPECT_EQ(f.BT_OK->text(), QStringLiteral("Fine"));
    EXPECT_EQ(f.RB_Tout->text(), QStringLiteral("Tout"));  // no group of its own: design captions stay
  }
  LignesPatch << "DLG_PRT_000" << "01 \"Print\"" << "02 \"Printer:\"" << "03 \"All\"" << "04 \"Pages\"" << "05 \"to\""
              << "06 \"Setup\"" << "";
  TPrintForm f;
  EXPECT_EQ(f.windowTitle(), QStringLiteral("Print"));
  EXPECT_EQ(f.RB_Tout->text(), QStringLiteral("All"));
  EXPECT_TRUE(f.GroupBox1->title().startsWith(QLatin1Char(' ')));
  EXPECT_TRUE(f.GroupBox1->title().endsWith(QLatin1Char(' ')));
}

// The name typed in the file dialog gets its extension before the program looks for a file of that
// name, and a file there is replaced only on Yes to the program's own question.
TEST(ChoisirFichierPDF, ExtensionAddedBeforeAskingToReplace) {
  QTemporaryDir dir;
  const QString garde = dir.filePath("keep.pdf");
  {
    QFile f(garde);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("%PDF-1.4 keep me");
  }
  const QString repertoire = Repertoire, courant = QDir::currentPath();
  QPrinter& printer = Imprimante();
  const QPrinter::OutputFormat format = printer.outputFormat();
  NouvellePartition();
  Partition.Titre = "AC/DC?";
  QString tape, propose;
  InstallerDialogueFichierPDF([&](QWidget*, const QString&, const QString& p) {
    propose = p;
    return tape;
  });
  QList<TDemandeMessage> demandes;
  int reponse = ID_NON;
  InstallerReponseMessage([&](const TDemandeMessage& d) {
    demandes << d;
    return reponse;
  });
  const struct {
    const char* tape;
    int reponse;
    const char* fichier;  // the printer's file after the choice; empty: nothing chosen
    int questions;
  } cas[] = {
      {"keep", ID_NON, "", 1},
      {"keep", ID_OUI, "keep.pdf", 1},
      {"keep.pdf", ID_NON, "", 1},
      {"new", ID_NON, "new.pdf", 0},
      {"", ID_OUI, "", 0},  // the file dialog cancelled
  };
  for (const auto& c : cas) {
    SCOPED_TRACE(c.tape);
    tape = *c.tape ? dir.filePath(c.tape) : QString();
    reponse = c.reponse;
    demandes.clear();
    printer.setOutputFileName(QString());
    EXPECT_EQ(ChoisirFichierPDF(nullptr), *c.fichier != 0);
    EXPECT_EQ(printer.outputFileName(), *c.fichier ? dir.filePath(c.fichier) : QString());
    EXPECT_EQ(demandes.size(), c.questions);
    if (!demandes.isEmpty()) {
      EXPECT_EQ(demandes[0].Defaut, MB_DEF_NON);
    }
  }
  QFile f(garde);
  ASSERT_TRUE(f.open(QIODevice::ReadOnly));
  EXPECT_EQ(f.readAll(), QByteArray("%PDF-1.4 keep me"));
  EXPECT_EQ(QDir(Repertoire), QDir(dir.path()));  // the folder chosen is the working folder
  ChoisirFichierPDF(nullptr);
  EXPECT_EQ(propose, QDir(Repertoire).filePath("AC_DC_.pdf"));  // from the title, made a valid name
  InstallerDialogueFichierPDF({});
  InstallerReponseMessage({});
  printer.setOutputFileName(QString());
  printer.setOutputFormat(format);
  Repertoire = repertoire;
  QDir::setCurrent(courant);
  NouvellePartition();
}

}  // namespace
