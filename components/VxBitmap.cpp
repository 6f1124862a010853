#include "components/VxBitmap.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <functional>
#include <stdexcept>

#include "components/VxUtils.h"

namespace {

constexpr std::array<int, 4> kLevels4 = {0, 0x55, 0xAA, 0xFF};
constexpr std::array<int, 6> kLevels6 = {0, 0x33, 0x66, 0x99, 0xCC, 0xFF};
constexpr std::array<int, 7> kLevels7 = {0, 0x2B, 0x55, 0x80, 0xAA, 0xD5, 0xFF};
constexpr std::array<int, 8> kLevels8 = {0, 0x24, 0x49, 0x6D, 0x92, 0xB6, 0xDB, 0xFF};

// For each channel value the index of the nearest level, the first one on a tie.
template <size_t N>
std::array<uint8_t, 256> NearestLevel(const std::array<int, N>& levels) {
  std::array<uint8_t, 256> t{};
  for (int v = 0; v < 256; ++v) {
    int best = 0;
    for (size_t i = 1; i < N; ++i)
      if (std::abs(levels[i] - v) < std::abs(levels[best] - v)) best = static_cast<int>(i);
    t[v] = static_cast<uint8_t>(best);
  }
  return t;
}
const auto kNear4 = NearestLevel(kLevels4);
const auto kNear6 = NearestLevel(kLevels6);
const auto kNear7 = NearestLevel(kLevels7);
const auto kNear8 = NearestLevel(kLevels8);

inline int R(uint32_t c) { return (c >> 16) & 0xFF; }
inline int G(uint32_t c) { return (c >> 8) & 0xFF; }
inline int B(uint32_t c) { return c & 0xFF; }
inline uint32_t Rgb(int r, int g, int b) { return (uint32_t(r) << 16) | (uint32_t(g) << 8) | uint32_t(b); }

void Histogram(const std::vector<uint32_t>& px, int wanted, TPaletteImage& out) {
  constexpr int kSlots = 5191, kRoom = 2049;
  int mr = 0xFF, mg = 0xFF, mb = 0xFF;
  std::vector<int> slotColour(kSlots), slotCount(kSlots), slotOrder(kSlots);
  std::vector<int> order;  // slots in the order their colours were entered
  auto masked = [&](uint32_t c) { return Rgb(R(c) & mr, G(c) & mg, B(c) & mb); };
  auto slotOf = [&](uint32_t c) {
    int s = static_cast<int>((uint64_t(R(c) + G(c)) * (B(c) + G(c)) * (R(c) + B(c))) % kSlots);
    while (slotCount[s] != 0 && slotColour[s] != static_cast<int>(c)) s = (s + 1) % kSlots;
    return s;
  };
  for (;;) {
    std::fill(slotCount.begin(), slotCount.end(), 0);
    order.clear();
    bool overflow = false;
    for (uint32_t p : px) {
      uint32_t c = masked(p);
      int s = slotOf(c);
      if (slotCount[s] == 0) {
        if (static_cast<int>(order.size()) >= kRoom) {
          overflow = true;
          break;
        }
        slotColour[s] = static_cast<int>(c);
        slotOrder[s] = static_cast<int>(order.size());
        order.push_back(s);
      }
      ++slotCount[s];
    }
    if (!overflow) break;
    // One mask gives up its lowest bit: blue first, then red, then green, in turn.
    if (mr < mg) mg = (mg << 1) & 0xFF;
    else if (mb < mr) mr = (mr << 1) & 0xFF;
    else mb = (mb << 1) & 0xFF;
  }
  std::vector<int> bySize = order;
  std::stable_sort(bySize.begin(), bySize.end(), [&](int a, int b) { return slotCount[a] > slotCount[b]; });
  out.Palette.assign(wanted, Rgb(128, 128, 128));
  const int kept = std::min<int>(wanted, static_cast<int>(bySize.size()));
  for (int i = 0; i < kept; ++i) out.Palette[i] = static_cast<uint32_t>(slotColour[bySize[i]]);
  std::vector<int> indexOfSlot(kSlots, 0);
  for (int s : order) {
    uint32_t c = static_cast<uint32_t>(slotColour[s]);
    int best = 0;
    long bestD = -1;
    for (int i = 0; i < kept; ++i) {
      long dr = R(c) - R(out.Palette[i]), dg = G(c) - G(out.Palette[i]), db = B(c) - B(out.Palette[i]);
      long d = dr * dr + dg * dg + db * db;
      if (bestD < 0 || d < bestD) bestD = d, best = i;
    }
    indexOfSlot[s] = best;
  }
  out.Indexes.resize(px.size());
  for (size_t i = 0; i < px.size(); ++i) out.Indexes[i] = static_cast<uint8_t>(indexOfSlot[slotOf(masked(px[i]))]);
}

void MedianCut(const std::vector<uint32_t>& px, int wanted, TPaletteImage& out) {
  auto cellOf = [](uint32_t c) { return ((R(c) >> 4) << 8) | ((G(c) >> 4) << 4) | (B(c) >> 4); };
  auto ch = [](int cell, int k) { return (cell >> (8 - 4 * k)) & 0xF; };  // k: 0 red, 1 green, 2 blue
  std::vector<long> count(4096, 0);
  for (uint32_t p : px) ++count[cellOf(p)];
  std::vector<std::vector<int>> boxes(1);
  for (int c = 0; c < 4096; ++c)
    if (count[c]) boxes[0].push_back(c);
  if (boxes[0].empty()) boxes.clear();
  while (static_cast<int>(boxes.size()) < wanted) {
    int pick = -1, axis = 0, widest = -1;
    for (size_t b = 0; b < boxes.size(); ++b) {
      if (boxes[b].size() < 2) continue;
      for (int k = 0; k < 3; ++k) {
        int lo = 15, hi = 0;
        for (int c : boxes[b]) lo = std::min(lo, ch(c, k)), hi = std::max(hi, ch(c, k));
        if (hi - lo > widest) widest = hi - lo, pick = static_cast<int>(b), axis = k;
      }
    }
    if (pick < 0) break;
    std::vector<int>& box = boxes[pick];
    std::stable_sort(box.begin(), box.end(), [&](int a, int b) { return ch(a, axis) < ch(b, axis); });
    long total = 0;
    for (int c : box) total += count[c];
    long run = 0;
    size_t cut = 1;
    for (size_t i = 0; i < box.size(); ++i) {
      run += count[box[i]];
      if (run * 2 >= total) {
        cut = std::clamp<size_t>(i + 1, 1, box.size() - 1);
        break;
      }
    }
    std::vector<int> rest(box.begin() + static_cast<long>(cut), box.end());
    box.resize(cut);
    boxes.push_back(std::move(rest));
  }
  out.Palette.assign(wanted, 0);
  std::vector<int> boxOfCell(4096, 0);
  for (size_t b = 0; b < boxes.size(); ++b) {
    long s[3] = {0, 0, 0};
    for (int c : boxes[b]) {
      boxOfCell[c] = static_cast<int>(b);
      for (int k = 0; k < 3; ++k) s[k] += ch(c, k);
    }
    const long n = static_cast<long>(boxes[b].size());
    int v[3];
    for (int k = 0; k < 3; ++k) v[k] = static_cast<int>(std::min<long>(255, (s[k] * 16 + 15) / n));
    if (v[0] <= 16 && v[1] <= 16 && v[2] <= 16) v[0] = v[1] = v[2] = 0;
    out.Palette[b] = Rgb(v[0], v[1], v[2]);
  }
  out.ColoursUsed = static_cast<int>(boxes.size());
  out.Indexes.resize(px.size());
  for (size_t i = 0; i < px.size(); ++i) out.Indexes[i] = static_cast<uint8_t>(boxOfCell[cellOf(px[i])]);
}

}  // namespace

int DepthCodeForColourCount(int count) {
  if (count <= 2) return pf1bit;
  if (count <= 16) return pf4bit;
  if (count <= 256) return pf8bit;
  return pf24bit;
}

int BitsOfDepthCode(int code) {
  switch (code) {
    case pf1bit: return 1;
    case pf4bit: return 4;
    case pf8bit: return 8;
    case pf24bit: return 24;
    default: return 0;
  }
}

TPaletteImage ReduceColours(const std::vector<uint32_t>& rgb, int width, int height, TReductionMethod method,
                            int wanted) {
  TPaletteImage out;
  out.Width = width;
  out.Height = height;
  wanted = std::clamp(wanted, 2, 256);
  const size_t n = std::min(rgb.size(), static_cast<size_t>(std::max(0, width)) * std::max(0, height));
  std::vector<uint32_t> px(rgb.begin(), rgb.begin() + static_cast<long>(n));
  switch (method) {
    case TReductionMethod::Histogram:
      Histogram(px, wanted, out);
      return out;
    case TReductionMethod::MedianCut:
      MedianCut(px, wanted, out);
      return out;
    default: break;
  }
  out.Palette.assign(256, 0);
  out.Indexes.resize(n);
  if (method == TReductionMethod::Fixed784) {
    for (int r = 0; r < 7; ++r)
      for (int g = 0; g < 8; ++g)
        for (int b = 0; b < 4; ++b) out.Palette[r * 32 + g * 4 + b] = Rgb(kLevels7[r], kLevels8[g], kLevels4[b]);
    for (size_t i = 0; i < n; ++i) out.Indexes[i] = kNear7[R(px[i])] * 32 + kNear8[G(px[i])] * 4 + kNear4[B(px[i])];
    out.ColoursUsed = 224;
  } else if (method == TReductionMethod::Fixed666) {
    for (int r = 0; r < 6; ++r)
      for (int g = 0; g < 6; ++g)
        for (int b = 0; b < 6; ++b) out.Palette[r * 36 + g * 6 + b] = Rgb(kLevels6[r], kLevels6[g], kLevels6[b]);
    for (size_t i = 0; i < n; ++i) out.Indexes[i] = kNear6[R(px[i])] * 36 + kNear6[G(px[i])] * 6 + kNear6[B(px[i])];
    out.ColoursUsed = 216;
  } else if (method == TReductionMethod::Ramps) {
    for (int i = 0; i < 64; ++i) {
      out.Palette[i] = Rgb(4 * i, 0, 0);
      out.Palette[64 + i] = Rgb(0, 4 * i, 0);
      out.Palette[128 + i] = Rgb(0, 0, 4 * i);
    }
    for (int y = 0; y < height; ++y)
      for (int x = 0; x < width; ++x) {
        const size_t i = static_cast<size_t>(y) * width + x;
        if (i >= n) break;
        switch ((x + y) % 3) {
          case 0: out.Indexes[i] = static_cast<uint8_t>(R(px[i]) >> 2); break;
          case 1: out.Indexes[i] = static_cast<uint8_t>((G(px[i]) >> 2) + 64); break;
          default: out.Indexes[i] = static_cast<uint8_t>((B(px[i]) >> 2) + 128); break;
        }
      }
  } else {  // grey
    for (int i = 0; i < 256; ++i) out.Palette[i] = Rgb(i, i, i);
    for (size_t i = 0; i < n; ++i)
      out.Indexes[i] = static_cast<uint8_t>((77 * R(px[i]) + 150 * G(px[i]) + 29 * B(px[i])) >> 8);
  }
  return out;
}

static std::vector<uint32_t> PixelsOf(const QImage& picture) {
  QImage img = picture.convertToFormat(QImage::Format_RGB32);
  std::vector<uint32_t> px(static_cast<size_t>(img.width()) * img.height());
  for (int y = 0; y < img.height(); ++y) {
    const auto* line = reinterpret_cast<const QRgb*>(img.constScanLine(y));
    for (int x = 0; x < img.width(); ++x) px[static_cast<size_t>(y) * img.width() + x] = line[x] & 0xFFFFFF;
  }
  return px;
}

TPaletteImage ReduceImage(const QImage& picture, TReductionMethod method, int wanted) {
  return ReduceColours(PixelsOf(picture), picture.width(), picture.height(), method, wanted);
}

QImage PaletteImageToQImage(const TPaletteImage& p) {
  QImage img(p.Width, p.Height, QImage::Format_Indexed8);
  QList<QRgb> table;
  for (uint32_t c : p.Palette) table.append(0xFF000000u | c);
  img.setColorTable(table);
  for (int y = 0; y < p.Height; ++y)
    for (int x = 0; x < p.Width; ++x) img.scanLine(y)[x] = p.Indexes[static_cast<size_t>(y) * p.Width + x];
  return img;
}

namespace {
void Put16(std::vector<uint8_t>& b, int v) {
  b.push_back(v & 0xFF);
  b.push_back((v >> 8) & 0xFF);
}
void Put32(std::vector<uint8_t>& b, uint32_t v) {
  for (int i = 0; i < 4; ++i) b.push_back((v >> (8 * i)) & 0xFF);
}
uint32_t RowSize(int width, int bits) { return static_cast<uint32_t>((static_cast<int64_t>(width) * bits + 31) / 32 * 4); }

// Writes the "BM" file: headers, colour table, pixels bottom row first, rows padded to 32 bits.
std::vector<uint8_t> WriteDIB(int w, int h, int depthCode, const std::vector<uint32_t>& palette, int coloursUsed,
                              const std::function<int(int, int)>& pixel) {
  const int bits = BitsOfDepthCode(depthCode);
  const TDIBSizes sizes = DIBSizes(w, h, depthCode);
  const uint32_t offset = 14 + sizes.InfoHeaderSize;
  std::vector<uint8_t> b;
  b.reserve(offset + sizes.ImageSize);
  b.push_back('B');
  b.push_back('M');
  Put32(b, offset + sizes.ImageSize);
  Put32(b, 0);
  Put32(b, offset);
  const std::vector<uint8_t> info = DIBInfoHeader(w, h, depthCode, static_cast<uint32_t>(coloursUsed));
  b.insert(b.end(), info.begin(), info.end());
  for (uint32_t i = 40; i < sizes.InfoHeaderSize; i += 4) {
    const size_t k = (i - 40) / 4;
    Put32(b, k < palette.size() ? palette[k] & 0xFFFFFF : 0);  // blue, green, red, 0
  }
  const uint32_t rowSize = RowSize(w, bits);
  for (int y = h - 1; y >= 0; --y) {
    std::vector<uint8_t> row(rowSize, 0);
    for (int x = 0; x < w; ++x) {
      const int v = pixel(x, y);
      if (bits == 24) {
        row[3 * x] = v & 0xFF;
        row[3 * x + 1] = (v >> 8) & 0xFF;
        row[3 * x + 2] = (v >> 16) & 0xFF;
      } else if (bits == 8) {
        row[x] = static_cast<uint8_t>(v);
      } else if (bits == 4) {
        row[x / 2] |= static_cast<uint8_t>((v & 0xF) << (x % 2 ? 0 : 4));
      } else {
        row[x / 8] |= static_cast<uint8_t>((v & 1) << (7 - x % 8));
      }
    }
    b.insert(b.end(), row.begin(), row.end());
  }
  return b;
}

std::vector<uint32_t> TableOf(const QImage& picture) {
  std::vector<uint32_t> t;
  for (QRgb c : picture.colorTable()) t.push_back(c & 0xFFFFFF);
  return t;
}
}  // namespace

int DepthCodeOf(const QImage& picture) {
  if (picture.isNull()) return 0;
  if (picture.depth() == 1) return pf1bit;
  if (picture.depth() == 8 && picture.format() == QImage::Format_Indexed8) return pf8bit;
  return pf24bit;
}

TDIBSizes DIBSizes(int width, int height, int depthCode) {
  const int bits = BitsOfDepthCode(depthCode);
  if (bits == 0) return {};
  const uint32_t entries = bits <= 8 ? (1u << bits) : 0;
  return {40 + 4 * entries, RowSize(std::max(0, width), bits) * static_cast<uint32_t>(std::max(0, height))};
}

std::vector<uint8_t> DIBInfoHeader(int width, int height, int depthCode, uint32_t coloursUsed) {
  std::vector<uint8_t> b;
  b.reserve(40);
  Put32(b, 40);
  Put32(b, static_cast<uint32_t>(width));
  Put32(b, static_cast<uint32_t>(height));
  Put16(b, 1);
  Put16(b, BitsOfDepthCode(depthCode));
  Put32(b, 0);  // no compression
  Put32(b, DIBSizes(width, height, depthCode).ImageSize);
  Put32(b, 0);
  Put32(b, 0);
  Put32(b, coloursUsed);
  Put32(b, 0);
  return b;
}

std::vector<uint8_t> BitmapToDIB(const QImage& picture, int depthCode, TReductionMethod method) {
  if (picture.isNull()) throw std::invalid_argument("Image bitmap incorrecte");
  const int w = picture.width(), h = picture.height();
  // A picture already at the depth is written as it is, unless it is to become grey.
  if (DepthCodeOf(picture) == depthCode && depthCode != pf24bit && method != TReductionMethod::Grey)
    return WriteDIB(w, h, depthCode, TableOf(picture), 0, [&](int x, int y) { return picture.pixelIndex(x, y); });
  const int bits = BitsOfDepthCode(depthCode);
  if (bits == 0) ShowNotImplemented();
  if (bits == 24) {
    QImage img = picture.convertToFormat(QImage::Format_RGB32);
    const bool grey = method == TReductionMethod::Grey;
    return WriteDIB(w, h, pf24bit, {}, 0, [&](int x, int y) {
      const QRgb c = reinterpret_cast<const QRgb*>(img.constScanLine(y))[x];
      if (!grey) return static_cast<int>(c & 0xFFFFFF);
      const int v = (77 * qRed(c) + 150 * qGreen(c) + 29 * qBlue(c)) >> 8;
      return v * 0x010101;
    });
  }
  // Fewer bits: the most frequent colours for 1 and 4 bits, the chosen method for 8.
  const TPaletteImage r = ReduceImage(picture, bits == 8 ? method : TReductionMethod::Histogram, 1 << bits);
  return WriteDIB(w, h, depthCode, r.Palette, r.ColoursUsed,
                  [&](int x, int y) { return r.Indexes[static_cast<size_t>(y) * w + x]; });
}

std::vector<uint8_t> BitmapToDIBByColours(const QImage& picture, int colours) {
  return BitmapToDIB(picture, DepthCodeForColourCount(colours));
}

QImage ReduceToColourCount(const QImage& picture, int colours) {
  if (picture.isNull() || colours > 256 || colours <= 0) return picture;
  const int wanted = colours <= 2 ? 2 : colours <= 16 ? 16 : 256;
  return PaletteImageToQImage(ReduceImage(picture, DefaultReduction, wanted));
}
