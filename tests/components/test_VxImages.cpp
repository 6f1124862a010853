// Every command image exists in the program folder the build lays out, at the toolbar's size.
#include <gtest/gtest.h>

#include "components/VxImages.h"

TEST(VxImages, EveryImageIndexHasADrawingAt16Pixels) {
  for (int i = 0; i < NB_IMAGES_COMMANDES; ++i) {
    SCOPED_TRACE(CommandImageName(i).toStdString());
    const QImage img = CommandImage(i, 16, VEXO_PROGRAM_DIR);
    ASSERT_EQ(img.size(), QSize(16, 16));
    int inked = 0;
    for (int y = 0; y < 16; ++y)
      for (int x = 0; x < 16; ++x) inked += qAlpha(img.pixel(x, y)) > 128;
    EXPECT_GT(inked, 8) << "too faint to read";
    EXPECT_FALSE(CommandIcon(i, VEXO_PROGRAM_DIR).isNull());
  }
  EXPECT_TRUE(CommandImage(-1, 16, VEXO_PROGRAM_DIR).isNull());
  EXPECT_TRUE(CommandImage(NB_IMAGES_COMMANDES, 16, VEXO_PROGRAM_DIR).isNull());
}

// An icon reads and parses its file once for all its sizes, and draws a size when first asked for it:
// each size is the image drawn alone, in every mode, whether it was drawn alone or with the others.
TEST(VxImages, IconSizesAreTheImagesAtThoseSizes) {
  auto meme = [](const QPixmap& a, const QPixmap& b) {
    return a.toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied) ==
           b.toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied);
  };
  for (int i : {0, 11, 23, 30, 57, 76}) {
    SCOPED_TRACE(CommandImageName(i).toStdString());
    const QIcon seule = CommandIcon(i, VEXO_PROGRAM_DIR);  // sizes drawn one by one
    const QIcon entiere = CommandIcon(i, VEXO_PROGRAM_DIR);
    const QList<QSize> tailles = entiere.availableSizes();  // all four drawn at once
    ASSERT_EQ(tailles.size(), 4);
    for (int s : {16, 20, 22, 24}) {
      ASSERT_TRUE(tailles.contains(QSize(s, s))) << s;
      const QPixmap image = QPixmap::fromImage(CommandImage(i, s, VEXO_PROGRAM_DIR));
      EXPECT_TRUE(meme(seule.pixmap(s, s), image)) << s;
      EXPECT_TRUE(meme(entiere.pixmap(s, s), image)) << s;
      EXPECT_TRUE(meme(seule.pixmap(s, QIcon::Disabled), entiere.pixmap(s, QIcon::Disabled))) << s;
    }
    EXPECT_EQ(seule.actualSize(QSize(32, 32)), QSize(24, 24));
  }
  EXPECT_TRUE(CommandIcon(-1, VEXO_PROGRAM_DIR).isNull());
  EXPECT_TRUE(CommandIcon(0, "/nonexistent").isNull());
  EXPECT_FALSE(ImageFileExists(0, "/nonexistent"));
  EXPECT_TRUE(CommandImage(0, 0, VEXO_PROGRAM_DIR).isNull());
}

// Images drawn ahead on another thread are the images drawn on the spot, each asked-for copy handed
// over once; other folders and other images are drawn as usual, and a preparation dropped at once
// neither hangs nor leaves anything behind.
TEST(VxImages, PreparedImagesAreTheImagesDrawnOnTheSpot) {
  const QString dossier = QStringLiteral(VEXO_PROGRAM_DIR);
  const QString ailleurs = dossier + '/';  // the same files, under a name the preparation was not given
  const std::vector<std::pair<int, int>> demandees = {{0, 16}, {11, 16}, {23, 20}, {0, 16}, {76, 20}, {-1, 16}};
  {
    TImagesPreparees prep(demandees, dossier);
    for (const auto& [i, s] : demandees) {
      SCOPED_TRACE(testing::Message() << i << " at " << s);
      EXPECT_EQ(CommandImage(i, s, dossier), CommandImage(i, s, ailleurs));
    }
    EXPECT_FALSE(prep.Prendre(0, 16, dossier)) << "both copies were handed over";
    EXPECT_FALSE(prep.Prendre(30, 16, dossier)) << "not asked for";
    EXPECT_FALSE(prep.Prendre(11, 20, dossier)) << "not at that size";
    EXPECT_EQ(CommandImage(30, 16, dossier), CommandImage(30, 16, ailleurs));
  }
  {
    std::vector<std::pair<int, int>> toutes;
    for (int i = 0; i < NB_IMAGES_COMMANDES; ++i)
      for (int s : {16, 20, 22, 24}) toutes.emplace_back(i, s);
    TImagesPreparees prep(toutes, dossier);
    EXPECT_FALSE(prep.Prendre(0, 16, ailleurs));
  }
  EXPECT_EQ(CommandImage(5, 16, dossier).size(), QSize(16, 16));
}
