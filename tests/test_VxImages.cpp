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

// An icon reads and parses its file once for all its sizes: each size is the image drawn alone.
TEST(VxImages, IconSizesAreTheImagesAtThoseSizes) {
  for (int i : {0, 11, 23, 30, 57, 76}) {
    SCOPED_TRACE(CommandImageName(i).toStdString());
    const QIcon icon = CommandIcon(i, VEXO_PROGRAM_DIR);
    const QList<QSize> tailles = icon.availableSizes();
    ASSERT_EQ(tailles.size(), 4);
    for (int s : {16, 20, 22, 24}) {
      ASSERT_TRUE(tailles.contains(QSize(s, s))) << s;
      EXPECT_EQ(icon.pixmap(s, s).toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied),
                CommandImage(i, s, VEXO_PROGRAM_DIR).convertToFormat(QImage::Format_ARGB32_Premultiplied))
          << s;
    }
  }
  EXPECT_TRUE(CommandIcon(-1, VEXO_PROGRAM_DIR).isNull());
  EXPECT_TRUE(CommandImage(0, 0, VEXO_PROGRAM_DIR).isNull());
}
