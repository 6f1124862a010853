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
