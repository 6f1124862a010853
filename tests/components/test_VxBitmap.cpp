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

  // A reduced picture goes out whole: header, table and 8 rows of 8.
  EXPECT_EQ(BitmapToDIB(PaletteImageToQImage(ReduceColours(px, 8, 8, TReductionMethod::Grey)), pf8bit).size(),
            14u + 40 + 256 * 4 + 8 * 8);
  EXPECT_THROW(BitmapToDIB(QImage(), pf8bit), std::invalid_argument);
}

namespace {
uint32_t Le32(const std::vector<uint8_t>& b, size_t at) {
  return b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) | (uint32_t(b[at + 3]) << 24);
}
QImage Sample() {  // 5 x 3, white, with a red bottom row and a blue top-left pixel
  QImage img(5, 3, QImage::Format_RGB32);
  img.fill(Qt::white);
  for (int x = 0; x < 5; ++x) img.setPixel(x, 2, qRgb(255, 0, 0));
  img.setPixel(0, 0, qRgb(0, 0, 255));
  return img;
}
}  // namespace

// The file image at each depth: sizes, header fields, colours used, and rows Qt reads back.
TEST(VxBitmap, FileImageAtEachDepth) {
  using M = TReductionMethod;
  struct Case { int code; M method; uint32_t bits, rowSize, entries, used; };
  const Case cases[] = {{pf1bit, M::Histogram, 1, 4, 2, 0}, {pf4bit, M::Histogram, 4, 4, 16, 0},
                        {pf8bit, M::Fixed666, 8, 8, 256, 216}, {pf8bit, M::MedianCut, 8, 8, 256, 3},
                        {pf24bit, M::Histogram, 24, 16, 0, 0}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.used);
    const std::vector<uint8_t> b = BitmapToDIB(Sample(), c.code, c.method);
    const TDIBSizes s = DIBSizes(5, 3, c.code);
    EXPECT_EQ(s.InfoHeaderSize, 40 + 4 * c.entries);
    ASSERT_EQ(b.size(), 14 + s.InfoHeaderSize + 3 * c.rowSize);
    EXPECT_EQ(std::vector<uint32_t>({Le32(b, 2), Le32(b, 10), b[28], Le32(b, 34), Le32(b, 46)}),
              std::vector<uint32_t>({uint32_t(b.size()), 14 + s.InfoHeaderSize, c.bits, 3 * c.rowSize, c.used}));
    EXPECT_EQ(std::vector<uint8_t>(b.begin() + 14, b.begin() + 54), DIBInfoHeader(5, 3, c.code, c.used));
    if (c.bits > 1 && c.method != M::MedianCut) {  // Qt reads the same picture back
      EXPECT_EQ(QImage::fromData(b.data(), int(b.size()), "BMP").convertToFormat(QImage::Format_RGB32), Sample());
    }
  }
}

TEST(VxBitmap, DepthCodesAndColourCounts) {
  QImage mono(9, 1, QImage::Format_Mono);
  mono.setColorTable({qRgb(200, 0, 0), qRgb(0, 0, 200)});
  mono.fill(1);
  EXPECT_EQ(std::vector<int>({DepthCodeOf(mono), DepthCodeOf(mono.convertToFormat(QImage::Format_Indexed8)),
                              DepthCodeOf(Sample()), DepthCodeOf(QImage())}),
            std::vector<int>({pf1bit, pf8bit, pf24bit, 0}));
  EXPECT_EQ(Le32(BitmapToDIB(mono, pf1bit), 58), 0x0000C8u);  // at its own depth: its own table
  const int counts[][2] = {{2, 1}, {3, 4}, {16, 4}, {17, 8}, {256, 8}, {257, 24}};
  for (const auto& c : counts) EXPECT_EQ(BitmapToDIBByColours(Sample(), c[0])[28], c[1]) << c[0];
  EXPECT_EQ(BitmapToDIB(Sample(), pf24bit, TReductionMethod::Grey)[54], (77 * 255) >> 8);  // red, as grey
  EXPECT_EQ(ReduceToColourCount(Sample(), 2).colorCount(), 2);
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
