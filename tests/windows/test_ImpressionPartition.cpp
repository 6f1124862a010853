// The print job on a PDF printer (its page count read back with pdfinfo), page ranges, footers,
// the message of a range past the end, and the preview window's page and scale bounds.
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QPrinter>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QScrollArea>
#include <QTest>

#include "tests/view/VueOutils.h"
#include "components/FormPlace.h"
#include "platform/IniFile.h"
#include "settings/Langue.h"
#include "settings/Mess.h"
#include "song/ListesAccords.h"
#include "view/DessinImp.h"
#include "view/ImpressionPartition.h"
#include "view/ui/preview.h"
#include "tests/windows/SystemeImpressionFactice.h"
#include <QFileInfo>

namespace {

class ImpressionTest : public VueTest {
 protected:
  void SetUp() override {
    VueTest::SetUp();
    zone = ZoneImpression;
    param = ParamImpression;
    nbAccords = NbAccordsImprimer;
    NbAccordsImprimer = 0;
    ZoneImpressionParDefaut(ZoneImpression);
    ParamImpression = TParamImpression{};
    InstallerReponseMessage([this](const TDemandeMessage& d) {
      messages << d.Texte;
      return ID_OK;
    });
    Partition.Titre.assign("Blues");
    Partition.NomPiste[1].assign("Lead");
  }
  void TearDown() override {
    InstallerReponseMessage({});
    ZoneImpression = zone;
    ParamImpression = param;
    NbAccordsImprimer = nbAccords;
    VueTest::TearDown();
  }
  // A PDF printer on A4 with no margins of its own, at 300 dpi.
  void Pdf(QPrinter& p, const QString& chemin) {
    p.setOutputFormat(QPrinter::PdfFormat);
    p.setResolution(300);
    p.setPageSize(QPageSize(QPageSize::A4));
    p.setPageMargins(QMarginsF(0, 0, 0, 0));
    p.setOutputFileName(chemin);
  }
  static int PagesPdf(const QString& chemin) {
    QProcess pr;
    pr.start(QStringLiteral("pdfinfo"), {chemin});
    if (!pr.waitForFinished(20000)) return -1;
    for (const QString& l : QString::fromUtf8(pr.readAllStandardOutput()).split('\n'))
      if (l.startsWith(QLatin1String("Pages:"))) return l.mid(6).trimmed().toInt();
    return -1;
  }
  // Something is drawn in the footer's place (bottom right, above the bottom margin).
  static bool PiedDessine(const QImage& img) {
    const double ppm = img.width() / 210.0;
    for (int y = Arrondi((297 - 10 - 5) * ppm); y < Arrondi(287 * ppm); ++y)
      for (int x = Arrondi(120 * ppm); x < Arrondi(200 * ppm); ++x)
        if (img.pixel(x, y) != qRgb(255, 255, 255)) return true;
    return false;
  }
  TZoneImpression zone;
  TParamImpression param;
  int nbAccords = 0;
  QStringList messages;
};

TEST_F(ImpressionTest, RangesPrintTheirPagesOfTheFullLayout) {
  Noires(110);
  QTemporaryDir dir;
  const TPagePapier papier{210, 297, 300};
  const TMiseEnPageImp mp = MiseEnPageCourante(papier);
  ASSERT_EQ(mp.NbPages(), 4);
  EXPECT_EQ(TextePiedPage(Partition, 1, 2), QStringLiteral("Blues (Lead) - 2"));

  const bool pdfinfo = !QStandardPaths::findExecutable(QStringLiteral("pdfinfo")).isEmpty();
  struct Cas {
    int premiere, derniere, pages;
  } cas[] = {{0, 0, 4}, {2, 3, 2}, {4, 4, 1}, {7, 9, 0}, {3, 9, 2}};
  for (const Cas& c : cas) {
    SCOPED_TRACE(c.premiere);
    const QString chemin = dir.filePath(QStringLiteral("p%1-%2.pdf").arg(c.premiere).arg(c.derniere));
    QPrinter printer(QPrinter::HighResolution);
    Pdf(printer, chemin);
    messages.clear();
    EXPECT_EQ(ImprimePartition(printer, c.premiere, c.derniere), c.pages);
    // A range past the end sends no sheet and says so.
    EXPECT_EQ(messages.size(), c.pages == 0 ? 1 : 0);
    EXPECT_EQ(QFile::exists(chemin), c.pages > 0);
    if (pdfinfo && c.pages > 0) {
      EXPECT_EQ(PagesPdf(chemin), c.pages);
    }
  }
  // A document the printer cannot start is reported, not taken for printed pages.
  {
    QPrinter printer(QPrinter::HighResolution);
    Pdf(printer, dir.filePath(QStringLiteral("no/such/folder/x.pdf")));
    messages.clear();
    EXPECT_EQ(ImprimePartition(printer, 0, 0), -1);
    EXPECT_EQ(messages.size(), 1);
  }
  // A job in area mode leaves the configured margins as they were.
  ZoneImpression.FullPage = false;
  const TZoneImpression avant = ZoneImpression;
  QPrinter printer(QPrinter::HighResolution);
  Pdf(printer, dir.filePath(QStringLiteral("zone.pdf")));
  EXPECT_GT(ImprimePartition(printer, 0, 0), 0);
  for (auto champ : {&TZoneImpression::MargeGaucheLignes, &TZoneImpression::MargeDroiteLignes,
                     &TZoneImpression::MargeHautePart, &TZoneImpression::MargeBassePart})
    EXPECT_EQ(ZoneImpression.*champ, avant.*champ);
  if (!pdfinfo) GTEST_SKIP() << "pdfinfo (poppler-utils) is not installed: page counts of the PDF files not read";
}

// A print that does not happen says so, with the printer's name and the system's reason: a printer
// that refuses jobs before it starts (nothing goes out), one gone by the time the job was handed over.
TEST_F(ImpressionTest, APrintThatDoesNotHappenSaysSo) {
  const QStringList table = TableMessages;
  DefinirTexteLangue("Imp-ImprimanteRefuse", "#1: #2");
  Noires(2);
  QTemporaryDir dir;
  const struct {
    TEtatImprimante avant;
    const char* apres;
    int pages;
    bool fichier;  // the job began its document
  } cas[] = {{{}, "", 1, true},
             {{false, "Rejecting Jobs"}, "", -1, false},
             {{}, "The printer or class does not exist.", -1, true}};
  for (const auto& c : cas) {
    SCOPED_TRACE(c.pages);
    SystemeImpressionFactice systeme({{"Q", {}, c.avant, c.apres}});
    systeme.systeme->Choisie = "Q";
    const QString chemin = dir.filePath(QStringLiteral("q%1.pdf").arg(c.pages));
    QPrinter printer(QPrinter::HighResolution);
    Pdf(printer, chemin);
    messages.clear();
    EXPECT_EQ(ImprimePartition(printer, 0, 0), c.pages);
    const QString raison = c.avant.Accepte ? QString::fromLatin1(c.apres) : c.avant.Raison;
    EXPECT_EQ(messages.join('|').toStdString(),
              raison.isEmpty() ? "" : ("PDF: " + QFileInfo(chemin).fileName() + ": " + raison).toStdString());
    EXPECT_EQ(QFile::exists(chemin), c.fichier);
  }
  TableMessages = table;
}

// A range past the end names the page count, in the singular for one page.
TEST_F(ImpressionTest, RangePastTheEndNamesThePageCount) {
  const QStringList table = TableMessages;
  DefinirTexteLangue("Imp-AucunePage", "#1 pages");
  DefinirTexteLangue("Imp-AucunePageUnique", "1 page");
  QTemporaryDir dir;
  for (const auto& [mesures, texte] : {std::pair{2, "1 page"}, std::pair{110, "4 pages"}}) {
    Noires(mesures);
    QPrinter printer(QPrinter::HighResolution);
    Pdf(printer, dir.filePath(QStringLiteral("past.pdf")));
    messages.clear();
    EXPECT_EQ(ImprimePartition(printer, 7, 9), 0);
    EXPECT_EQ(messages, QStringList{texte});
  }
  TableMessages = table;
}

TEST_F(ImpressionTest, FootersFromPageTwoOnAndNeverOnAOnePageSong) {
  Noires(2);
  QImage img(752, 1064, QImage::Format_RGB32);
  TMiseEnPageImp mp = MiseEnPageCourante({210, 297, 300});
  ASSERT_EQ(mp.NbPages(), 1);
  ASSERT_TRUE(DessinerPageApercu(img, mp, 1));
  EXPECT_FALSE(PiedDessine(img));
  Noires(110);
  mp = MiseEnPageCourante({210, 297, 300});
  for (int page : {1, 2, 4}) {
    ASSERT_TRUE(DessinerPageApercu(img, mp, page));
    EXPECT_TRUE(PiedDessine(img)) << page;
  }
  EXPECT_FALSE(DessinerPageApercu(img, mp, 5));
}

TEST_F(ImpressionTest, TuningColumnOnlyForAnotherTuning) {
  Noires(2);
  const int standard[7] = {0, 64, 59, 55, 50, 45, 40};
  for (int s = 1; s <= 6; ++s) Partition.Accordage[1][s] = standard[s];
  QImage img(1504, 2128, QImage::Format_RGB32);
  auto colonne = [&] {
    const TMiseEnPageImp mp = MiseEnPageCourante({210, 297, 300});
    EXPECT_TRUE(DessinerPageApercu(img, mp, 1));
    const double ppm = img.width() / 210.0, y0 = mp.Pages[0].Systemes[0].Y;
    for (int y = Arrondi((y0 - 2) * ppm); y < Arrondi((y0 + 16) * ppm); ++y)
      for (int x = 0; x < Arrondi(9 * ppm); ++x)
        if (img.pixel(x, y) != qRgb(255, 255, 255)) return true;
    return false;
  };
  EXPECT_FALSE(colonne());
  Partition.Accordage[1][6] = 38;  // drop D
  EXPECT_TRUE(colonne());
  ZoneImpression.AffTriplet_Prt = false;  // the header line's switch hides it too
  EXPECT_FALSE(colonne());
}

TEST_F(ImpressionTest, PreviewKeepsItsPageAndScaleInBounds) {
  Noires(110);
  Imprimante().setPageSize(QPageSize(QPageSize::A4));
  ParamImpression.EchelleApercu = 1.9;
  ParamImpression.PremierApercu = false;
  TPreview_Form f;
  f.show();
  const int nb = f.NbPages();
  ASSERT_GE(nb, 2);
  for (int i = 0; i < nb + 2; ++i) f.BT_Page_SuivClick();
  EXPECT_EQ(f.PageCourante(), nb);
  for (int i = 0; i < nb + 2; ++i) f.BT_PagePrecClick();
  EXPECT_EQ(f.PageCourante(), 1);
  f.BT_ZoomInClick();
  f.BT_ZoomInClick();
  EXPECT_DOUBLE_EQ(ParamImpression.EchelleApercu, 2.0);
  EXPECT_EQ(f.ImagePage().width(), 1504);
  for (int i = 0; i < 20; ++i) f.BT_ZoomOutClick();
  EXPECT_DOUBLE_EQ(ParamImpression.EchelleApercu, 0.15);
  // Fitted to a window wider than the zoom goes, the page follows the window.
  f.resize(2400, 2600);
  f.BT_FullScreenClick();
  EXPECT_GT(ParamImpression.EchelleApercu, 2.0);
  // A held key scrolls from a timer; the key handler returns at once and the release stops it.
  QTest::keyPress(&f, Qt::Key_PageDown);
  QTest::keyRelease(&f, Qt::Key_PageDown);
  EXPECT_EQ(f.PageCourante(), 1);
  f.close();
  // The first opening after start-up fits the page to the window's width, once.
  ParamImpression.PremierApercu = true;
  TPreview_Form g;
  g.show();
  EXPECT_FALSE(ParamImpression.PremierApercu);
  g.close();
  // Its place is kept in "Vexo.ini", section "Print_Preview".
  EXPECT_TRUE(TIniFile(CheminIniPlacement(QStringLiteral("Vexo.ini"))).SectionExists(QStringLiteral("Print_Preview")));
  EXPECT_NEAR(g.ImagePage().width(), EchelleApercuAjustee((g.ScrollBox1->viewport()->width() - 27) / 752.0) * 752, 0.5);
}

}  // namespace
