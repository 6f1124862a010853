// Colour reduction: fixed palettes, grey, and the histogram keeping a small picture exact; the
// bitmap file image at each depth.
#include <gtest/gtest.h>

#include <QApplication>
#include <QTimer>
#include <QWidget>

#include "components/VxBitmap.h"
#include "components/VxIcons.h"
#include "components/VxUtils.h"

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

namespace {
uint32_t Le32(const std::vector<uint8_t>& b, size_t at) {
  return b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) | (uint32_t(b[at + 3]) << 24);
}
// A 5 x 3 picture: white, with a red bottom row and a blue pixel at the top left.
QImage Sample() {
  QImage img(5, 3, QImage::Format_RGB32);
  img.fill(Qt::white);
  for (int x = 0; x < 5; ++x) img.setPixel(x, 2, qRgb(255, 0, 0));
  img.setPixel(0, 0, qRgb(0, 0, 255));
  return img;
}
}  // namespace

// The file image at each depth: both headers, the colour table, the rows bottom-up padded to 32 bits.
TEST(VxBitmap, FileImageLayoutAtEachDepth) {
  struct Case { int code, bits; uint32_t rowSize, entries; };
  const Case cases[] = {{pf1bit, 1, 4, 2}, {pf4bit, 4, 4, 16}, {pf8bit, 8, 8, 256}, {pf24bit, 24, 16, 0}};
  const QImage img = Sample();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.bits);
    const std::vector<uint8_t> b = BitmapToDIB(img, c.code);
    const TDIBSizes sizes = DIBSizes(5, 3, c.code);
    EXPECT_EQ(sizes.InfoHeaderSize, 40 + 4 * c.entries);
    EXPECT_EQ(sizes.ImageSize, 3 * c.rowSize);
    ASSERT_EQ(b.size(), 14 + sizes.InfoHeaderSize + sizes.ImageSize);
    EXPECT_EQ(b[0], 'B');
    EXPECT_EQ(b[1], 'M');
    EXPECT_EQ(Le32(b, 2), b.size());
    EXPECT_EQ(Le32(b, 10), 14 + sizes.InfoHeaderSize);
    EXPECT_EQ(std::vector<uint8_t>(b.begin() + 14, b.begin() + 54), DIBInfoHeader(5, 3, c.code));
    EXPECT_EQ(Le32(b, 14), 40u);
    EXPECT_EQ(Le32(b, 18), 5u);
    EXPECT_EQ(Le32(b, 22), 3u);
    EXPECT_EQ(b[28], c.bits);
    EXPECT_EQ(Le32(b, 34), sizes.ImageSize);
    // The first row stored is the bottom (red) one, the last the top one with its blue pixel.
    const size_t pixels = 14 + sizes.InfoHeaderSize, top = pixels + 2 * c.rowSize;
    auto colourAt = [&](size_t row, int x) -> uint32_t {
      int index;
      if (c.bits == 24) return b[row + 3 * x + 2] << 16 | b[row + 3 * x + 1] << 8 | b[row + 3 * x];
      if (c.bits == 8) index = b[row + x];
      else if (c.bits == 4) index = (b[row + x / 2] >> (x % 2 ? 0 : 4)) & 0xF;
      else index = (b[row + x / 8] >> (7 - x % 8)) & 1;
      const size_t e = 54 + 4 * static_cast<size_t>(index);
      return b[e + 2] << 16 | b[e + 1] << 8 | b[e];
    };
    if (c.bits > 1) {  // two colours cannot hold three
      EXPECT_EQ(colourAt(pixels, 4), 0xFF0000u);
      EXPECT_EQ(colourAt(top, 0), 0x0000FFu);
    }
    EXPECT_EQ(colourAt(top, 4), 0xFFFFFFu);
    for (uint32_t pad = 5 * c.bits; pad < 8 * c.rowSize; ++pad) EXPECT_EQ((b[top + pad / 8] >> (7 - pad % 8)) & 1, 0);
  }
  EXPECT_EQ(DIBSizes(5, 3, 4).ImageSize, 0u);
}

TEST(VxBitmap, DepthCodesColoursUsedAndCounts) {
  QImage mono(9, 1, QImage::Format_Mono);
  mono.setColorTable({qRgb(200, 0, 0), qRgb(0, 0, 200)});
  mono.fill(1);
  EXPECT_EQ(DepthCodeOf(mono), pf1bit);
  EXPECT_EQ(DepthCodeOf(PaletteImageToQImage(ReduceImage(Sample(), TReductionMethod::Grey))), pf8bit);
  EXPECT_EQ(DepthCodeOf(Sample()), pf24bit);
  EXPECT_EQ(DepthCodeOf(QImage()), 0);
  // A picture at its own depth keeps its colour table.
  const std::vector<uint8_t> m = BitmapToDIB(mono, pf1bit);
  EXPECT_EQ(Le32(m, 58), 0x0000C8u);  // entry 1: blue, green, red, 0
  EXPECT_EQ(m[62], 0xFF);

  struct Count { int colours, bits; };
  for (const Count c : {Count{1, 1}, {2, 1}, {3, 4}, {16, 4}, {17, 8}, {256, 8}, {257, 24}})
    EXPECT_EQ(BitmapToDIBByColours(Sample(), c.colours)[28], c.bits) << c.colours;

  struct Used { TReductionMethod method; uint32_t used; };
  for (const Used u : {Used{TReductionMethod::Histogram, 0}, {TReductionMethod::MedianCut, 3},
                       {TReductionMethod::Fixed784, 224}, {TReductionMethod::Fixed666, 216}, {TReductionMethod::Grey, 0}})
    EXPECT_EQ(Le32(BitmapToDIB(Sample(), pf8bit, u.method), 46), u.used) << int(u.method);
  // Grey at 24 bits: each pixel its grey level.
  const std::vector<uint8_t> g = BitmapToDIB(Sample(), pf24bit, TReductionMethod::Grey);
  EXPECT_EQ(std::vector<uint8_t>(g.begin() + 54, g.begin() + 57), std::vector<uint8_t>(3, (77 * 255) >> 8));

  const QImage two = ReduceToColourCount(Sample(), 2);
  EXPECT_EQ(two.colorCount(), 2);
  EXPECT_EQ(ReduceToColourCount(Sample(), 1000), Sample());
}

// A depth the bitmap writer does not know, and writing an animated cursor, end the operation
// silently after telling the user.
TEST(VxBitmap, UnsupportedOperationsAreNotImplemented) {
  QTimer closer;
  QObject::connect(&closer, &QTimer::timeout, [] {
    if (QWidget* box = QApplication::activeModalWidget()) box->close();
  });
  closer.start(10);
  EXPECT_THROW(BitmapToDIB(Sample(), 4), EAbort);
  TAnimatedCursorImage cursor;
  EXPECT_THROW(cursor.SaveToBytes(), EAbort);
}
