#pragma once
// Bitmap conversion and colour reduction: a true-colour picture becomes palette indexes by one of
// six methods, and a picture becomes a device-independent bitmap file image at a chosen depth.
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

// Depth codes: 1 (1 bit), 2 (4 bits), 3 (8 bits), 6 (24 bits).
inline constexpr int pf1bit = 1, pf4bit = 2, pf8bit = 3, pf24bit = 6;
int DepthCodeForColourCount(int count);
int BitsOfDepthCode(int code);
// The depth code of a picture: 1-bit and 8-bit indexed pictures keep theirs, any deeper one is 24 bits;
// 0 for a null picture.
int DepthCodeOf(const QImage& picture);
// The sizes of a picture's file image at a depth code: the info header with its colour table, and
// the pixels (rows padded to 32 bits). Both 0 for a depth code that is none of the four.
struct TDIBSizes {
  uint32_t InfoHeaderSize = 0, ImageSize = 0;
};
TDIBSizes DIBSizes(int width, int height, int depthCode);
// The 40-byte info header of a picture at a depth code (little-endian, no compression).
std::vector<uint8_t> DIBInfoHeader(int width, int height, int depthCode, uint32_t coloursUsed = 0);

struct TPaletteImage {
  int Width = 0, Height = 0;
  std::vector<uint32_t> Palette;  // 0xRRGGBB, 2, 16 or 256 entries
  std::vector<uint8_t> Indexes;   // row order
  int ColoursUsed = 0;            // the info header's field: boxes made, 224, 216 or 0
};

// Reduces 0xRRGGBB pixels (row order) to a palette of `wanted` entries (2, 16 or 256).
TPaletteImage ReduceColours(const std::vector<uint32_t>& rgb, int width, int height, TReductionMethod method,
                            int wanted = 256);
// The same from a picture.
TPaletteImage ReduceImage(const QImage& picture, TReductionMethod method, int wanted = 256);
// The indexed picture of a reduction.
QImage PaletteImageToQImage(const TPaletteImage& p);

// A picture as a "BM" file image at a depth code. Raises std::invalid_argument for a null picture;
// a depth other than 1, 4, 8 or 24 bits is not supported and ends in ShowNotImplemented.
std::vector<uint8_t> BitmapToDIB(const QImage& picture, int depthCode, TReductionMethod method = DefaultReduction);
std::vector<uint8_t> BitmapToDIBByColours(const QImage& picture, int colours);
// Reduces a picture to at most that many colours (2, 16, 256; more leaves it as it is).
QImage ReduceToColourCount(const QImage& picture, int colours);
