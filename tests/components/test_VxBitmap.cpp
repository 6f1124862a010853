// Colour reduction: fixed palettes, grey, and the histogram keeping a small picture exact.
#include <gtest/gtest.h>

#include "components/VxBitmap.h"

TEST(VxBitmap, FixedPalettesAndGrey) {
  struct Case { TReductionMethod method; uint32_t pixel; int index; };
  const Case cases[] = {
      {TReductionMethod::Fixed666, 0xFFFFFF, 215},
      {TReductionMethod::Fixed784, 0xFFFFFF, 223},
      {TReductionMethod::Fixed666, 0x000000, 0},
      {TReductionMethod::Grey, 0x808080, 128},
      {TReductionMethod::Ramps, 0xFF0000, 63},  // row 0, column 0 takes red
  };
  for (const Case& c : cases) {
    const TPaletteImage r = ReduceColours({c.pixel}, 1, 1, c.method);
    EXPECT_EQ(r.Indexes[0], c.index) << int(c.method);
    EXPECT_EQ(r.Palette[r.Indexes[0]], c.method == TReductionMethod::Ramps ? 0xFC0000u : c.pixel) << int(c.method);
  }
  EXPECT_EQ(ReduceColours({0}, 1, 1, TReductionMethod::Fixed784).ColoursUsed, 224);
}

TEST(VxBitmap, HistogramAndMedianCut) {
  std::vector<uint32_t> px;
  for (int i = 0; i < 64; ++i) px.push_back(0x101010u * (i % 16) + 0x000003u * (i % 16));
  TPaletteImage r = ReduceColours(px, 8, 8, TReductionMethod::Histogram, 16);
  for (size_t i = 0; i < px.size(); ++i) EXPECT_EQ(r.Palette[r.Indexes[i]], px[i]);

  // More distinct colours than the table holds: the masks coarsen and every pixel still maps.
  std::vector<uint32_t> many(64 * 64);
  for (size_t i = 0; i < many.size(); ++i) many[i] = static_cast<uint32_t>(i * 2654435761u) & 0xFFFFFF;
  r = ReduceColours(many, 64, 64, TReductionMethod::Histogram, 256);
  EXPECT_EQ(r.Palette.size(), 256u);
  r = ReduceColours(many, 64, 64, TReductionMethod::MedianCut, 256);
  EXPECT_EQ(r.ColoursUsed, 256);

  const std::vector<uint8_t> dib = BitmapToDIB(PaletteImageToQImage(ReduceColours(px, 8, 8, TReductionMethod::Grey)), pf8bit);
  EXPECT_EQ(dib[0], 'B');
  EXPECT_EQ(dib[28], 8);  // bit count
  EXPECT_EQ(dib.size(), 14u + 40 + 256 * 4 + 8 * 8);
  EXPECT_THROW(BitmapToDIB(QImage(), pf8bit), std::invalid_argument);
}
