// The print dialog: typing a page switches to a range, the range it reads, and its captions from
// a language file with or without its own group; the PDF file a print without printer writes; the
// printer set-up's file and the page it lays out for the printer chosen.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>

#include <QApplication>
#include <QPrinter>
#include <QTimer>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <thread>

#include "editor/state/Partition.h"
#include "files/ui/FichierPDF.h"
#include "view/ImpressionPartition.h"
#include "settings/Config.h"
#include "settings/Langue.h"
#include "settings/Mess.h"
#include "view/ui/ConfigImp.h"
#include "view/ui/DlgPrint.h"
#include "tests/windows/SystemeImpressionFactice.h"
#include <QComboBox>
#include <QFileInfo>

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

// A name typed without ".pdf", a dot of its own or not, gets it before the program looks for the
// file, and a file there is replaced only on Yes to the program's own question.
TEST(DemanderFichierPDF, ExtensionAddedBeforeAskingToReplace) {
  QTemporaryDir dir;
  ASSERT_TRUE(QFile(dir.filePath("keep.pdf")).open(QIODevice::WriteOnly));
  const QString repertoire = Repertoire, courant = QDir::currentPath();
  QString tape;
  InstallerDialogueFichierPDF([&](QWidget*, const QString&, const QString&) { return tape; });
  int reponse = 0, questions = 0;
  InstallerReponseMessage([&](const TDemandeMessage&) { return ++questions, reponse; });
  const struct {
    const char *tape, *choisi;  // choisi empty: no file, the print does not run
    int reponse, questions;
  } cas[] = {{"keep", "", ID_NON, 1}, {"keep", "keep.pdf", ID_OUI, 1}, {"new", "new.pdf", ID_NON, 0},
             {"Ballad no.5", "Ballad no.5.pdf", ID_NON, 0}};
  for (const auto& c : cas) {
    tape = dir.filePath(c.tape);
    reponse = c.reponse;
    questions = 0;
    const QString choisi = DemanderFichierPDF(nullptr, "PDF", QString());
    EXPECT_EQ(choisi.toStdString(), *c.choisi ? dir.filePath(c.choisi).toStdString() : "") << c.tape;
    EXPECT_EQ(questions, c.questions) << c.tape;
  }
  InstallerDialogueFichierPDF({});
  InstallerReponseMessage({});
  Repertoire = repertoire;
  QDir::setCurrent(courant);
}

// A print to the file the printer set-up named asks before replacing it: No keeps the file and
// prints nothing, Yes replaces it; a file not there yet is written without a question.
TEST_F(DlgPrint, FileNamedInTheSetUpIsReplacedOnlyOnYes) {
  QTemporaryDir dir;
  const QString chemin = dir.filePath("print.pdf");
  QPrinter& p = Imprimante();
  const QPrinter::OutputFormat format = p.outputFormat();
  const QString nomAvant = p.outputFileName();
  p.setOutputFormat(QPrinter::PdfFormat);
  p.setOutputFileName(chemin);
  NouvellePartition();
  int reponse = 0;
  QStringList questions;
  InstallerReponseMessage([&](const TDemandeMessage& d) { return questions << d.Texte, reponse; });
  const struct {
    bool existe;
    int reponse;
    bool imprime;
  } cas[] = {{true, ID_NON, false}, {true, ID_OUI, true}, {false, ID_NON, true}};
  for (const auto& c : cas) {
    SCOPED_TRACE(std::to_string(c.existe) + " " + std::to_string(c.reponse));
    QFile::remove(chemin);
    if (c.existe) {
      QFile f(chemin);
      ASSERT_TRUE(f.open(QIODevice::WriteOnly));
      f.write("old");
    }
    reponse = c.reponse;
    questions.clear();
    QTimer::singleShot(0, [] {
      if (auto* d = qobject_cast<TPrintForm*>(QApplication::activeModalWidget())) d->BT_OK->click();
    });
    EXPECT_EQ(ImprimerAvecDialogue(nullptr), c.imprime);
    EXPECT_EQ(questions.size(), c.existe ? 1 : 0) << questions.join("|").toStdString();
    QFile f(chemin);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.read(5), c.imprime ? QByteArray("%PDF-") : QByteArray("old"));
  }
  InstallerReponseMessage({});
  p.setOutputFileName(nomAvant);
  p.setOutputFormat(format);
}

// The printer set-up on a machine without printers (the tests' print system has none): a FIFO, or
// a link to one, is refused with the writer's message and never opened (a reader lets an open held
// there go after 10 s, and the case fails); a new name is taken, a bare one as the file of the
// working folder that the job will write.
TEST_F(DlgPrint, SetUpRefusesAFifoWithoutOpeningIt) {
  SystemeImpressionFactice sansImprimante({});
  QTemporaryDir dir;
  const QString courant = QDir::currentPath();
  ASSERT_TRUE(QDir::setCurrent(dir.path()));
  const QByteArray fifo = QFile::encodeName(dir.filePath("fifo.pdf"));
  ASSERT_TRUE(::mkfifo(fifo, 0600) == 0 && QFile::link(dir.filePath("fifo.pdf"), dir.filePath("link.pdf")));
  QPrinter& p = Imprimante();
  const QPrinter::OutputFormat format = p.outputFormat();
  const QString nomAvant = p.outputFileName();
  const QStringList messages = TableMessages;
  p.setOutputFormat(QPrinter::PdfFormat);
  p.setOutputFileName(QString());
  DefinirTexteLangue("Fichier-EcritureImpossible", "#1: #2");
  DefinirTexteLangue("Ecriture-PasUnFichier", "Not a regular file");
  QStringList dits;
  InstallerReponseMessage([&](const TDemandeMessage& d) { return dits << d.Texte, int(ID_OK); });
  const struct {
    QString tape, ecrit;  // ecrit empty: refused, the printer's file stays
  } cas[] = {{dir.filePath("fifo.pdf"), ""},
             {"link.pdf", ""},
             {dir.filePath("new.pdf"), dir.filePath("new.pdf")},
             {"bare", dir.filePath("bare.pdf")}};
  for (const auto& c : cas) {
    SCOPED_TRACE(c.tape.toStdString());
    dits.clear();
    const QString avant = p.outputFileName();
    std::atomic<bool> fini{false}, bloque{false};
    std::thread garde([&] {
      for (int i = 0; i < 1000 && !fini; ++i) std::this_thread::sleep_for(std::chrono::milliseconds(10));
      if (!fini && (bloque = true)) ::close(::open(fifo, O_RDONLY | O_NONBLOCK));
    });
    QTimer::singleShot(0, [&] {
      auto* d = qobject_cast<TConfigImpForm*>(QApplication::activeModalWidget());
      ASSERT_TRUE(d);
      EXPECT_TRUE(d->ED_Fichier->isVisibleTo(d));
      d->ED_Fichier->setText(c.tape);
      d->BT_OK->click();
      if (d->isVisible()) d->reject();  // refused: the dialog stays for another name
    });
    const bool pris = ConfigurerImprimante(nullptr);
    fini = true;
    garde.join();
    EXPECT_FALSE(bloque);
    EXPECT_EQ(pris, !c.ecrit.isEmpty());
    EXPECT_EQ(p.outputFileName().toStdString(), (pris ? c.ecrit : avant).toStdString());
    EXPECT_EQ(dits.join('|').toStdString(),
              pris ? "" : (QFileInfo(c.tape).fileName() + ": Not a regular file").toStdString());
  }
  InstallerReponseMessage({});
  TableMessages = messages;
  p.setOutputFileName(nomAvant);
  p.setOutputFormat(format);
  QDir::setCurrent(courant);
}

// The page is laid out for the printer chosen: going from a printer with hardware margins to one
// without, and back, each brings its own printable area, and a paper the next printer has stays.
TEST_F(DlgPrint, SetUpLaysThePageOutForThePrinterChosen) {
  SystemeImpressionFactice deux({{"Edge", {}, {}, {}}, {"Margins", QMarginsF(5, 10, 15, 20), {}, {}}});
  QPrinter& p = Imprimante();
  const QPrinter::OutputFormat format = p.outputFormat();
  const QPageLayout page = p.pageLayout();
  p.setOutputFormat(QPrinter::PdfFormat);
  const struct {
    const char* imprimante;
    bool paysage;
    double largeur, hauteur;  // the printable area, mm
  } cas[] = {{"Margins", false, 190, 267}, {"Edge", false, 210, 297}, {"Margins", true, 277, 180},
             {"Edge", true, 297, 210}};
  for (const auto& c : cas) {
    SCOPED_TRACE(c.imprimante);
    QTimer::singleShot(0, [&] {
      auto* d = qobject_cast<TConfigImpForm*>(QApplication::activeModalWidget());
      ASSERT_TRUE(d);
      d->CB_Imprimante->setCurrentText(c.imprimante);
      (c.paysage ? d->RB_Paysage : d->RB_Portrait)->setChecked(true);
      d->BT_OK->click();
    });
    ASSERT_TRUE(ConfigurerImprimante(nullptr));
    const TPagePapier papier = PagePapier(p);
    EXPECT_NEAR(papier.LargeurMm, c.largeur, 0.2);
    EXPECT_NEAR(papier.HauteurMm, c.hauteur, 0.2);
  }
  p.setPageLayout(page);
  p.setOutputFormat(format);
}

}  // namespace
