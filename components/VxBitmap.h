#pragma once
// Colour reduction: a true-colour picture becomes palette indexes by one of six methods.
#include <QImage>
#include <cstdint>
#include <vector>

enum class TReductionMethod : uint8_t {
  Histogram = 0,  // most frequent colours
  MedianCut = 1,
  Fixed784 = 2,   // 7 red x 8 green x 4 blue levels, 224 entries
  Fixed666 = 3,   // 6 x 6 x 6 levels, 216 entries
  Ramps = 4,      // three 64-level ramps, one channel per pixel
  Grey = 5,
};
inline constexpr TReductionMethod DefaultReduction = TReductionMethod::Histogram;

struct TPaletteImage {
  int Width = 0, Height = 0;
  std::vector<uint32_t> Palette;  // 0xRRGGBB, 2, 16 or 256 entries
  std::vector<uint8_t> Indexes;   // row order
  int ColoursUsed = 0;            // the median cut's boxes, 224, 216, or 0 for the other methods
};

// Reduces 0xRRGGBB pixels (row order) to a palette of `wanted` entries (2, 16 or 256).
TPaletteImage ReduceColours(const std::vector<uint32_t>& rgb, int width, int height, TReductionMethod method,
                            int wanted = 256);
// The same from a picture.
TPaletteImage ReduceImage(const QImage& picture, TReductionMethod method, int wanted = 256);
// The indexed picture of a reduction.
QImage PaletteImageToQImage(const TPaletteImage& p);
