#include "components/VxGIF.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <QPalette>
#include <QPainter>
#include <QRect>
#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstring>
#include <unordered_map>

#include "components/VxBitmap.h"
#include "components/VxIcons.h"
#include "components/VxUtils.h"

namespace {

[[noreturn]] void Raise(const char* message) { throw EGIFError(message); }

// The entry of a colour table nearest to a colour (least squared distance, the first on a tie).
int NearestEntry(const std::vector<TGIFRGB>& table, int r, int g, int b) {
  int best = 0;
  long bestD = -1;
  for (size_t i = 0; i < table.size() && i < 256; ++i) {
    const long dr = table[i].R - r, dg = table[i].G - g, db = table[i].B - b;
    const long d = dr * dr + dg * dg + db * db;
    if (bestD < 0 || d < bestD) bestD = d, best = static_cast<int>(i);
  }
  return best;
}

// The entry whose pixels are see-through, or -1 when the frame has none.
int TransparentEntry(const TGIFFrame& f) {
  if (f.Transparent == clNoneGIF) return -1;
  const int n = static_cast<int>(f.Colours.size());
  if (f.TransparentIndex >= 0 && f.TransparentIndex < n && f.Colours[f.TransparentIndex].Couleur() == f.Transparent)
    return f.TransparentIndex;
  for (int i = 0; i < n; ++i)
    if (f.Colours[i].Couleur() == f.Transparent) return i;
  return -1;
}

// A frame's pixels from a picture of its size: each colour's nearest entry of the frame's table.
void TakePixels(TGIFFrame& f, const QImage& picture) {
  if (picture.size() != QSize(f.Width, f.Height) || f.Colours.empty() || f.Width <= 0) return;
  const QImage rgb = picture.convertToFormat(QImage::Format_RGB32);
  std::unordered_map<QRgb, uint8_t> found;
  f.Pixels.resize(static_cast<size_t>(f.Width) * f.Height);
  for (int y = 0; y < f.Height; ++y)
    for (int x = 0; x < f.Width; ++x) {
      const QRgb c = rgb.pixel(x, y) & 0xFFFFFF;
      auto it = found.find(c);
      if (it == found.end())
        it = found.emplace(c, static_cast<uint8_t>(NearestEntry(f.Colours, qRed(c), qGreen(c), qBlue(c)))).first;
      f.Pixels[static_cast<size_t>(y) * f.Width + x] = it->second;
    }
  f.Decoded = true;
}

void RefuseOversize(int width, int height) {
  if (width > gif::MaxSide || height > gif::MaxSide || int64_t(width) * height > gif::MaxPixels)
    Raise(gif::TooLarge);
}

bool SameNoCase(const uint8_t* p, const char* s) {
  for (int i = 0; s[i]; ++i)
    if (std::tolower(p[i]) != std::tolower(static_cast<unsigned char>(s[i]))) return false;
  return true;
}

// Reads a byte span; every read checks what is left.
struct Reader {
  std::span<const uint8_t> b;
  size_t pos = 0;
  bool AtEnd() const { return pos >= b.size(); }
  size_t Left() const { return AtEnd() ? 0 : b.size() - pos; }
  int Byte() { return AtEnd() ? -1 : b[pos++]; }
  // Exactly n bytes, or raises the read error.
  const uint8_t* Take(size_t n) {
    if (Left() < n) Raise(gif::ReadError);
    const uint8_t* p = b.data() + pos;
    pos += n;
    return p;
  }
  int Word() {
    const uint8_t* p = Take(2);
    return p[0] | (p[1] << 8);
  }
};

std::vector<TGIFRGB> ReadTable(Reader& r, int count) {
  const uint8_t* p = r.Take(3 * static_cast<size_t>(count));
  std::vector<TGIFRGB> t(count);
  for (int i = 0; i < count; ++i) t[i] = {p[3 * i], p[3 * i + 1], p[3 * i + 2]};
  return t;
}

// Data sub-blocks up to the zero terminator; a block cut by the end of the data ends the list.
std::vector<std::string> ReadSubBlocks(Reader& r) {
  std::vector<std::string> out;
  for (;;) {
    const int n = r.Byte();
    if (n <= 0) break;
    const size_t take = std::min<size_t>(n, r.Left());
    out.emplace_back(reinterpret_cast<const char*>(r.b.data() + r.pos), take);
    r.pos += take;
    if (take < static_cast<size_t>(n)) break;
  }
  return out;
}

TExtension ReadExtension(Reader& r, int label) {
  TExtension e;
  switch (label) {
    case 0xF9: e.Type = TExtensionType::GraphicControl; break;
    case 0x01: e.Type = TExtensionType::PlainText; break;
    case 0xFF: e.Type = TExtensionType::Application; break;
    case 0xFE: e.Type = TExtensionType::Comment; break;
    default: {
      char hex[3];
      std::snprintf(hex, sizeof hex, "%.2x", label);
      std::string m = gif::UnknownExtension;
      m.replace(m.find("%1"), 2, hex);
      throw EGIFError(m);
    }
  }
  // The fixed block is read by its own size byte, then the data sub-blocks follow; the graphic
  // control is thus 21 F9 04 pk dl dh ti 00 and nothing after its terminator is swallowed.
  if (e.Type != TExtensionType::Comment) {
    const int n = r.Byte();
    if (n > 0) {
      const size_t take = std::min<size_t>(n, r.Left());
      e.Fixed.assign(r.b.data() + r.pos, r.b.data() + r.pos + take);
      r.pos += take;
    }
  }
  e.Data = ReadSubBlocks(r);
  return e;
}

void Put16(std::vector<uint8_t>& o, int v) {
  o.push_back(v & 0xFF);
  o.push_back((v >> 8) & 0xFF);
}

// Packs codes least-significant bit first into 255-byte sub-blocks.
struct CodeWriter {
  explicit CodeWriter(std::vector<uint8_t>& o) : out(o) {}
  std::vector<uint8_t>& out;
  std::vector<uint8_t> block;
  uint32_t acc = 0;
  int bits = 0;
  void Put(int code, int width) {
    acc |= static_cast<uint32_t>(code) << bits;
    bits += width;
    while (bits >= 8) {
      block.push_back(acc & 0xFF);
      acc >>= 8;
      bits -= 8;
      if (block.size() == 255) Flush();
    }
  }
  void Flush() {
    if (block.empty()) return;
    out.push_back(static_cast<uint8_t>(block.size()));
    out.insert(out.end(), block.begin(), block.end());
    block.clear();
  }
  void Finish() {
    if (bits > 0) block.push_back(acc & 0xFF), acc = 0, bits = 0;
    Flush();
    out.push_back(0);
  }
};

// Code lookup of the encoder: (prefix code, pixel) -> code, open addressing over 17777 slots.
class CodeTable {
 public:
  static constexpr int kSlots = 17777;
  CodeTable() : key_(kSlots, -1), code_(kSlots, 0) {}
  void Clear() { std::fill(key_.begin(), key_.end(), -1); }
  int Find(int prefix, int pixel) const {
    const int k = (prefix << 8) | pixel;
    for (int s = Slot(k);; s = (s + 1) % kSlots) {
      if (key_[s] == -1) return -1;
      if (key_[s] == k) return code_[s];
    }
  }
  void Add(int prefix, int pixel, int code) {
    const int k = (prefix << 8) | pixel;
    int s = Slot(k);
    while (key_[s] != -1) s = (s + 1) % kSlots;
    key_[s] = k;
    code_[s] = code;
  }

 private:
  static int Slot(int k) { return static_cast<int>((static_cast<uint32_t>(k) * 2654435761u) % kSlots); }
  std::vector<int> key_, code_;
};

int BitCountForEncoding(int bpp) { return bpp <= 1 ? 1 : bpp <= 4 ? 4 : 8; }

std::vector<TGIFRGB> PaddedTable(const std::vector<TGIFRGB>& t) {
  std::vector<TGIFRGB> p = t;
  p.resize(static_cast<size_t>(1) << BitsCovering(static_cast<int>(t.size())));
  return p;
}

}  // namespace

int BitsOfColourCount(int count) {
  for (int b = 1; b <= 8; ++b)
    if (count == (1 << b)) return b;
  Raise(gif::WrongColourCount);
}

int BitsCovering(int count) {
  int b = 1;
  while (b < 8 && (1 << b) < count) ++b;
  return b;
}

std::vector<int> InterlacedRows(int height) {
  std::vector<int> rows;
  rows.reserve(std::max(0, height));
  static const int start[4] = {0, 4, 2, 1}, step[4] = {8, 8, 4, 2};
  for (int pass = 0; pass < 4; ++pass)
    for (int r = start[pass]; r < height; r += step[pass]) rows.push_back(r);
  return rows;
}

std::vector<uint8_t> EncodeLZW(const std::vector<uint8_t>& pixels, int width, int height, int bitCount,
                               bool interlaced, const TPercentDone& progress) {
  if (bitCount != 1 && bitCount != 4 && bitCount != 8) Raise(gif::EncodingError);
  const int initWidth = bitCount == 1 ? 3 : bitCount + 1;
  const int codeSize = initWidth - 1, clear = 1 << codeSize, end = clear + 1, mask = (1 << bitCount) - 1;
  std::vector<uint8_t> out{static_cast<uint8_t>(codeSize)};
  CodeWriter w(out);
  CodeTable table;
  int next = clear + 2, codeWidth = initWidth;
  // The decoder adds its entry one code later than we do, so the width grows after a code is
  // written, when the next code (before the new entry) reaches the width's limit.
  auto putCode = [&](int code) {
    w.Put(code, codeWidth);
    if (next >= (1 << codeWidth) && codeWidth < 12) ++codeWidth;
  };
  w.Put(clear, codeWidth);
  std::vector<int> rows;
  if (interlaced) rows = InterlacedRows(height);
  else
    for (int r = 0; r < height; ++r) rows.push_back(r);
  const size_t need = static_cast<size_t>(std::max(0, width)) * std::max(0, height);
  int current = -1, rowsDone = 0, reported = -1;
  for (int row : rows) {
    for (int x = 0; x < width; ++x) {
      const size_t i = static_cast<size_t>(row) * width + x;
      const int p = (i < pixels.size() && i < need ? pixels[i] : 0) & mask;
      if (current < 0) {
        current = p;
        continue;
      }
      const int found = table.Find(current, p);
      if (found >= 0) {
        current = found;
        continue;
      }
      putCode(current);
      if (next > 4093) {
        w.Put(clear, codeWidth);
        table.Clear();
        next = clear + 2;
        codeWidth = initWidth;
      } else {
        table.Add(current, p, next++);
      }
      current = p;
    }
    const int percent = static_cast<int>(int64_t(++rowsDone) * 100 / height);
    if (progress && percent != reported) progress(reported = percent);
  }
  if (current >= 0) putCode(current);
  w.Put(end, codeWidth);
  w.Finish();
  return out;
}

void DecodeFrame(TGIFFrame& f, bool tolerate, const TPercentDone& progress) {
  const int w = std::max(0, f.Width), h = std::max(0, f.Height);
  f.Pixels.assign(static_cast<size_t>(w) * h, 0);
  f.Decoded = true;
  if (f.BitsPerPixel < 1 || f.BitsPerPixel > 8) Raise(gif::WrongColourCount);
  if (f.Data.empty()) {
    f.Corrupted = true;
    return;
  }
  const int codeSize = f.Data[0];
  if (codeSize < 2 || codeSize > 9) Raise(gif::CodeSizeRange);
  const int pixelMask = (1 << f.BitsPerPixel) - 1;

  // Bits of the sub-blocks, least-significant first.
  size_t pos = 1, blockLeft = 0;
  bool dataEnded = false;
  uint32_t acc = 0;
  int accBits = 0;
  auto nextByte = [&]() -> int {
    if (dataEnded) return -1;
    if (blockLeft == 0) {
      if (pos >= f.Data.size() || f.Data[pos] == 0) {
        dataEnded = true;
        return -1;
      }
      blockLeft = f.Data[pos++];
    }
    if (pos >= f.Data.size()) {
      dataEnded = true;
      return -1;
    }
    --blockLeft;
    return f.Data[pos++];
  };
  auto readCode = [&](int width) -> int {
    while (accBits < width) {
      const int b = nextByte();
      if (b < 0) return -1;
      acc |= static_cast<uint32_t>(b) << accBits;
      accBits += 8;
    }
    const int code = static_cast<int>(acc & ((1u << width) - 1));
    acc >>= width;
    accBits -= width;
    return code;
  };

  const std::vector<int> order = f.Interlaced ? InterlacedRows(h) : std::vector<int>();
  int rowIndex = 0, x = 0, reported = -1;
  auto put = [&](int pixel) {
    if (rowIndex >= h) return;
    const int row = f.Interlaced ? order[rowIndex] : rowIndex;
    f.Pixels[static_cast<size_t>(row) * w + x] = static_cast<uint8_t>(pixel & pixelMask);
    if (++x >= w) {
      x = 0, ++rowIndex;
      const int percent = static_cast<int>(std::min<int64_t>(100, int64_t(pos) * 100 / int64_t(f.Data.size())));
      if (progress && percent != reported) progress(reported = percent);
    }
  };

  const int clear = 1 << codeSize, end = clear + 1;
  std::vector<uint16_t> prefix(4096), length(4096);
  std::vector<uint8_t> suffix(4096), first(4096), stack(4097);
  for (int c = 0; c < clear; ++c) suffix[c] = first[c] = static_cast<uint8_t>(c), length[c] = 1;
  int next = clear + 2, width = codeSize + 1, prev = -1;
  bool broken = false;
  while (rowIndex < h && w > 0) {
    const int code = readCode(width);
    if (code < 0) break;
    if (code == clear) {
      next = clear + 2;
      width = codeSize + 1;
      prev = -1;
      continue;
    }
    if (code == end) break;
    if (prev < 0) {
      // After a clear the code stands for itself; anything but a root is corruption.
      if (code >= clear) {
        broken = true;
        break;
      }
      put(code);
      prev = code;
      continue;
    }
    // A code beyond the next free one cannot have been written by an encoder.
    if (code > next) {
      broken = true;
      break;
    }
    int firstPixel;
    if (code < next) firstPixel = first[code];
    else firstPixel = first[prev];
    if (next < 4096) {
      prefix[next] = static_cast<uint16_t>(prev);
      suffix[next] = static_cast<uint8_t>(firstPixel);
      first[next] = first[prev];
      length[next] = static_cast<uint16_t>(length[prev] + 1);
      ++next;
      if (next == (1 << width) && width < 12) ++width;
    }
    // Walk the chain; every prefix is an older code, so the walk is at most 4096 long.
    int n = 0;
    for (int c = code; n < 4096; ++n) {
      stack[n] = suffix[c];
      if (c < clear) {
        ++n;
        break;
      }
      c = prefix[c];
    }
    while (n > 0) put(stack[--n]);
    prev = code;
  }
  if (rowIndex < h && w > 0) f.Corrupted = true;
  if (broken && !tolerate) Raise(gif::CorruptData);
}

QImage FrameToImage(const TGIFFrame& f) {
  if (f.Width <= 0 || f.Height <= 0) return {};
  QImage img(f.Width, f.Height, QImage::Format_Indexed8);
  if (img.isNull()) return {};
  const int bits = BitCountForEncoding(f.BitsPerPixel);
  QList<QRgb> table;
  for (int i = 0; i < (1 << bits); ++i)
    table.append(i < static_cast<int>(f.Colours.size()) ? qRgb(f.Colours[i].R, f.Colours[i].G, f.Colours[i].B)
                                                        : qRgb(128, 128, 128));
  img.setColorTable(table);
  for (int y = 0; y < f.Height; ++y) {
    uchar* line = img.scanLine(y);
    for (int x = 0; x < f.Width; ++x) {
      const size_t i = static_cast<size_t>(y) * f.Width + x;
      line[x] = i < f.Pixels.size() ? f.Pixels[i] : 0;
    }
  }
  return img;
}

void TGIFImage::Notify(TProgressStage stage, int percent, const std::string& message) {
  if (OnProgress) OnProgress(stage, percent, message);
}

// The end of an operation that failed or was aborted: a handler's abort then has nothing left to end.
void TGIFImage::NotifyFailure(const std::string& message) {
  try {
    Notify(TProgressStage::Ending, 0, message);
  } catch (const EAbort&) {
  }
}

bool TGIFImage::DecodeReported(TGIFFrame& f, bool tolerate) {
  try {
    Notify(TProgressStage::Starting, 0);
    DecodeFrame(f, tolerate, [this](int percent) { Notify(TProgressStage::Running, percent); });
    Notify(TProgressStage::Ending, 100);
    return true;
  } catch (const EAbort&) {
    f.Pixels.clear();
    f.Decoded = false;
    NotifyFailure({});
    return false;
  } catch (const std::exception& e) {
    NotifyFailure(e.what());
    throw;
  }
}

void TGIFImage::EncodeReported(TGIFFrame& f) {
  if (f.Grayscale && !f.Source.isNull()) {
    const TPaletteImage grey = ReduceImage(f.Source, TReductionMethod::Grey);
    f.Colours.clear();
    for (uint32_t c : grey.Palette) f.Colours.push_back({uint8_t(c >> 16), uint8_t(c >> 8), uint8_t(c)});
    f.Pixels = grey.Indexes;
    f.BitsPerPixel = 8;
    f.LocalColours = f.Colours != GlobalColours;
    f.TransparentIndex = -1;  // an entry of the old table
  }
  f.Source = QImage();
  try {
    Notify(TProgressStage::Starting, 0);
    f.Data = EncodeLZW(f.Pixels, f.Width, f.Height, BitCountForEncoding(f.BitsPerPixel), f.Interlaced,
                       [this](int percent) { Notify(TProgressStage::Running, percent); });
    f.Corrupted = false;
    Notify(TProgressStage::Ending, 100);
  } catch (const EAbort&) {
    f.Data.clear();
    NotifyFailure({});
    throw;
  } catch (const std::exception& e) {
    f.Data.clear();
    NotifyFailure(e.what());
    throw;
  }
}

void TGIFImage::Clear() {
  TGIFImage empty;
  empty.OnProgress = std::move(OnProgress);
  empty.Transparent = Transparent;
  *this = std::move(empty);
}

void TGIFImage::Assign(const TGIFImage& other) {
  if (&other == this) return;
  TProgressEvent handler = std::move(OnProgress);
  const bool transparent = Transparent;
  *this = other;
  OnProgress = std::move(handler);
  Transparent = transparent;
}

void TGIFImage::Assign(const TGIFFrame& frame, const TGIFImage& owner) {
  // Both may be ours: taken before this picture is cleared.
  TGIFFrame copy = frame;
  const uint8_t aspect = owner.Aspect;
  const int bits = owner.BitsPerPixel, resolution = owner.ColourResolution;
  std::vector<TGIFRGB> global = owner.GlobalColours;
  Clear();
  Aspect = aspect;
  BitsPerPixel = bits;
  ColourResolution = resolution;
  GlobalColours = std::move(global);
  ScreenWidth = copy.Left + copy.Width;
  ScreenHeight = copy.Top + copy.Height;
  Frames.push_back(std::move(copy));
  Current = 0;
  Version = 1;
}

void TGIFImage::Assign(const QImage& bitmap) {
  Clear();
  AddFrame(bitmap);
}

bool TGIFImage::Equals(const TGIFImage& o) const {
  return screen_ == o.screen_ && Aspect == o.Aspect && BitsPerPixel == o.BitsPerPixel &&
         ColourResolution == o.ColourResolution && GlobalColours == o.GlobalColours && Comment == o.Comment;
}

bool TGIFImage::AssignTo(QImage& bitmap, TColor* transparentColour) {
  if (Empty()) return false;
  QImage img = Bitmap();
  const TGIFFrame& f = Frames[std::clamp(Current, 0, static_cast<int>(Frames.size()) - 1)];
  if (f.Transparent != clNoneGIF && !f.Colours.empty() && img.colorCount() > 0) {
    int key = TransparentEntry(f);
    if (key < 0) key = NearestEntry(f.Colours, ColorRed(f.Transparent), ColorGreen(f.Transparent), ColorBlue(f.Transparent));
    if (transparentColour) *transparentColour = f.Colours[key].Couleur();
    if (key < img.colorCount()) img.setColor(key, img.color(key) & 0x00FFFFFF);
  }
  bitmap = img;
  return true;
}

void TGIFImage::LoadFromBytes(std::span<const uint8_t> bytes, bool decodeFirst) {
  Clear();
  if (bytes.empty()) return;
  Reader r{bytes};
  if (r.Left() < 6 || !SameNoCase(r.b.data(), "GIF")) Raise(gif::UnknownVersion);
  if (SameNoCase(r.b.data() + 3, "87a")) Version = 1;
  else if (SameNoCase(r.b.data() + 3, "89a")) Version = 2;
  else Raise(gif::UnknownVersion);
  r.pos = 6;
  ScreenWidth = r.Word();
  ScreenHeight = r.Word();
  RefuseOversize(ScreenWidth, ScreenHeight);
  const uint8_t* d = r.Take(3);
  const int packed = d[0], backgroundIndex = d[1];
  Aspect = d[2];
  BitsPerPixel = (packed & 7) + 1;
  ColourResolution = ((packed >> 4) & 7) + 1;
  if (packed & 0x80) {
    GlobalColours = ReadTable(r, 1 << BitsPerPixel);
    if (backgroundIndex < static_cast<int>(GlobalColours.size()))
      Background = GlobalColours[backgroundIndex].Couleur();
  }

  std::vector<TExtension> collected;
  int64_t pixels = 0;  // of every frame read so far
  auto nextMarker = [&] { return r.AtEnd() ? ';' : r.Byte(); };
  int b = nextMarker();
  while (b != 0 && b != ';') {
    while (b == '!') {
      if (r.AtEnd()) {
        b = ';';
        break;
      }
      TExtension e = ReadExtension(r, r.Byte());
      if (e.Type == TExtensionType::PlainText) {
        collected.clear();  // text drawn over the picture is not kept, nor what came before it
      } else if (e.Type == TExtensionType::Application) {
        if (e.Fixed.size() == 11 && std::memcmp(e.Fixed.data(), "NETSCAPE2.0", 11) == 0 && !e.Data.empty() &&
            e.Data[0].size() > 2 && e.Data[0][0] == 1) {
          Looping = true;
          const int n = static_cast<uint8_t>(e.Data[0][1]) | (static_cast<uint8_t>(e.Data[0][2]) << 8);
          RepeatCount = static_cast<uint16_t>(std::min(30000, n));
        }
      } else {
        collected.push_back(std::move(e));
      }
      b = nextMarker();
    }
    if (b == ',') {
      TGIFFrame f;
      if (!GlobalColours.empty()) f.BitsPerPixel = BitsOfColourCount(static_cast<int>(GlobalColours.size()));
      f.Extensions = std::move(collected);
      collected.clear();
      f.Left = r.Word();
      f.Top = r.Word();
      f.Width = r.Word();
      f.Height = r.Word();
      RefuseOversize(f.Width, f.Height);
      // Frames decode one at a time, but all of them may be: their sum is bounded as one frame is.
      pixels += int64_t(f.Width) * f.Height;
      if (pixels > gif::MaxPixels) Raise(gif::TooLarge);
      const int fp = *r.Take(1);
      f.Interlaced = (fp & 0x40) != 0;
      if (fp & 0x80) {
        f.BitsPerPixel = (fp & 7) + 1;
        f.Colours = ReadTable(r, 1 << f.BitsPerPixel);
        f.LocalColours = true;
      } else {
        f.Colours = GlobalColours;
      }
      // The code size byte and every sub-block, terminator included, exactly as in the file.
      if (r.AtEnd()) {
        f.Corrupted = true;
      } else {
        f.Data.push_back(static_cast<uint8_t>(r.Byte()));
        for (;;) {
          const int n = r.Byte();
          if (n < 0) {
            f.Corrupted = true;
            break;
          }
          f.Data.push_back(static_cast<uint8_t>(n));
          if (n == 0) break;
          const size_t take = std::min<size_t>(n, r.Left());
          f.Data.insert(f.Data.end(), r.b.data() + r.pos, r.b.data() + r.pos + take);
          r.pos += take;
          if (take < static_cast<size_t>(n)) {
            f.Corrupted = true;
            break;
          }
        }
      }
      for (const TExtension& e : f.Extensions) {
        if (e.Type != TExtensionType::GraphicControl || e.Fixed.size() < 4) continue;
        const int ti = e.Fixed[3];
        const bool keyed = (e.Fixed[0] & 1) && ti < static_cast<int>(f.Colours.size());
        f.Transparent = keyed ? f.Colours[ti].Couleur() : clNoneGIF;
        f.TransparentIndex = keyed ? ti : -1;
        f.Delay = std::max<uint32_t>(static_cast<uint32_t>(e.Fixed[1] | (e.Fixed[2] << 8)) * 10, f.Delay);
        f.Disposal = (e.Fixed[0] >> 2) & 7;
      }
      Frames.push_back(std::move(f));
      b = nextMarker();
      while (b == 0 && !r.AtEnd()) b = r.Byte();
      if (b != '!' && b != ',' && b != ';') b = 0;
    } else if (b != ';' && b != 0) {
      // Extensions after the last image end the picture; their comments are taken below.
      if (!collected.empty() && Comment.empty()) break;
      Raise(gif::ReadError);
    }
  }
  // Extensions that no image follows: their comments become the picture's comment.
  if (!collected.empty() && Comment.empty()) {
    bool firstComment = true;
    for (const TExtension& e : collected) {
      if (e.Type != TExtensionType::Comment) continue;
      if (!firstComment) Comment.emplace_back();
      firstComment = false;
      Comment.insert(Comment.end(), e.Data.begin(), e.Data.end());
    }
  }
  if (!Frames.empty()) {
    Current = 0;
    if (decodeFirst) {
      try {
        DecodeReported(Frames[0], true);
      } catch (...) {
        Frames.erase(Frames.begin());
        Current = Frames.empty() ? -1 : 0;
        throw;
      }
    }
  }
}

std::vector<uint8_t> TGIFImage::SaveToBytes() {
  if (Frames.empty()) Raise(gif::NoData);
  for (TGIFFrame& f : Frames) {
    // A frame without data, or whose data broke, is encoded again from its pixels.
    if (f.Data.empty() || f.Corrupted) {
      if (!f.Decoded && !f.Data.empty()) DecodeReported(f, true);
      if (f.Pixels.empty()) Raise(gif::NoData);
      EncodeReported(f);
    }
  }
  int version = std::max(1, Version);
  if (!Comment.empty() || (Looping && Frames.size() > 1)) version = 2;
  int right = 0, bottom = 0;
  for (TGIFFrame& f : Frames) {
    const bool hasControl = std::any_of(f.Extensions.begin(), f.Extensions.end(),
                                        [](const TExtension& e) { return e.Type == TExtensionType::GraphicControl; });
    if (!hasControl && (f.Delay || f.Transparent != clNoneGIF || f.Disposal))
      f.Extensions.push_back({TExtensionType::GraphicControl, {0, 0, 0, 0}, {}});
    for (TExtension& e : f.Extensions) {
      if (e.Type != TExtensionType::GraphicControl) continue;
      e.Fixed.resize(std::max<size_t>(e.Fixed.size(), 4), 0);
      const uint32_t hundredths = std::min<uint32_t>(f.Delay / 10, 0xFFFF);
      e.Fixed[1] = hundredths & 0xFF;
      e.Fixed[2] = (hundredths >> 8) & 0xFF;
      const int ti = TransparentEntry(f);
      if (ti >= 0) e.Fixed[0] |= 1, e.Fixed[3] = static_cast<uint8_t>(ti);
      else e.Fixed[0] &= ~1;
      e.Fixed[0] = static_cast<uint8_t>((e.Fixed[0] & ~0x1C) | ((f.Disposal & 7) << 2));
    }
    std::erase_if(f.Extensions, [](const TExtension& e) { return e.Type == TExtensionType::Comment && e.Data.empty(); });
    if (!f.Extensions.empty()) version = 2;
    right = std::max(right, f.Left + f.Width);
    bottom = std::max(bottom, f.Top + f.Height);
  }
  Version = version;
  ScreenWidth = right;
  ScreenHeight = bottom;

  const char* head = version == 2 ? "GIF89a" : "GIF87a";
  std::vector<uint8_t> o(head, head + 6);
  Put16(o, ScreenWidth);
  Put16(o, ScreenHeight);
  const std::vector<TGIFRGB> global = GlobalColours.empty() ? GlobalColours : PaddedTable(GlobalColours);
  int backgroundIndex = 0;
  if (!global.empty()) {
    const int bits = BitsOfColourCount(static_cast<int>(global.size()));
    o.push_back(static_cast<uint8_t>(0x80 | ((bits - 1) << 4) | (bits - 1)));
    for (size_t i = 0; i < GlobalColours.size(); ++i)
      if (GlobalColours[i].Couleur() == Background) {
        backgroundIndex = static_cast<int>(i);
        break;
      }
  } else {
    o.push_back(0);
  }
  o.push_back(static_cast<uint8_t>(backgroundIndex));
  o.push_back(Aspect);
  for (const TGIFRGB& c : global) o.insert(o.end(), {c.R, c.G, c.B});
  if (Looping && Frames.size() > 1) {
    o.insert(o.end(), {'!', 0xFF, 11});
    o.insert(o.end(), {'N', 'E', 'T', 'S', 'C', 'A', 'P', 'E', '2', '.', '0'});
    o.insert(o.end(), {3, 1, static_cast<uint8_t>(RepeatCount & 0xFF), static_cast<uint8_t>(RepeatCount >> 8), 0});
  }
  auto writeLines = [&](const std::vector<std::string>& lines) {
    for (const std::string& s : lines) {
      if (s.empty()) continue;
      const size_t n = std::min<size_t>(s.size(), 255);
      o.push_back(static_cast<uint8_t>(n));
      o.insert(o.end(), s.begin(), s.begin() + static_cast<long>(n));
    }
    o.push_back(0);
  };
  static const uint8_t labels[4] = {0xF9, 0x01, 0xFF, 0xFE};
  for (const TGIFFrame& f : Frames) {
    for (const TExtension& e : f.Extensions) {
      o.push_back('!');
      o.push_back(labels[static_cast<int>(e.Type)]);
      if (e.Type != TExtensionType::Comment) {
        const size_t n = std::min<size_t>(e.Fixed.size(), 255);
        o.push_back(static_cast<uint8_t>(n));
        o.insert(o.end(), e.Fixed.begin(), e.Fixed.begin() + static_cast<long>(n));
      }
      writeLines(e.Data);
    }
    o.push_back(',');
    Put16(o, f.Left);
    Put16(o, f.Top);
    Put16(o, f.Width);
    Put16(o, f.Height);
    uint8_t packed = f.Interlaced ? 0x40 : 0;
    const std::vector<TGIFRGB> local = f.LocalColours ? PaddedTable(f.Colours) : std::vector<TGIFRGB>();
    if (f.LocalColours) packed |= static_cast<uint8_t>(0x80 | (BitsOfColourCount(static_cast<int>(local.size())) - 1));
    o.push_back(packed);
    for (const TGIFRGB& c : local) o.insert(o.end(), {c.R, c.G, c.B});
    o.insert(o.end(), f.Data.begin(), f.Data.end());
  }
  if (!Comment.empty()) {
    o.push_back('!');
    o.push_back(0xFE);
    writeLines(Comment);
  }
  o.push_back(';');
  return o;
}

void TGIFImage::ReadData(std::span<const uint8_t> bytes, bool decodeFirst) {
  if (bytes.size() < 4) Raise(gif::ReadError);
  const uint32_t n = bytes[0] | (bytes[1] << 8) | (bytes[2] << 16) | (uint32_t(bytes[3]) << 24);
  if (n > bytes.size() - 4) Raise(gif::ReadError);
  LoadFromBytes(bytes.subspan(4, n), decodeFirst);
}

std::vector<uint8_t> TGIFImage::WriteData() {
  std::vector<uint8_t> gif = SaveToBytes(), o;
  const uint32_t n = static_cast<uint32_t>(gif.size());
  for (int i = 0; i < 4; ++i) o.push_back((n >> (8 * i)) & 0xFF);
  o.insert(o.end(), gif.begin(), gif.end());
  return o;
}

bool TGIFImage::Empty() const {
  if (Frames.empty()) return true;
  const TGIFFrame& f = Frames[std::clamp(Current, 0, static_cast<int>(Frames.size()) - 1)];
  return f.Data.empty() && f.Pixels.empty();
}

int TGIFImage::Width() {
  if (Current < 0 || Current >= static_cast<int>(Frames.size())) return 0;
  return Frames[Current].Width;
}

int TGIFImage::Height() {
  if (Current < 0 || Current >= static_cast<int>(Frames.size())) return 0;
  return Frames[Current].Height;
}

void TGIFImage::SetWidth(int) { Raise(gif::CannotResize); }
void TGIFImage::SetHeight(int) { Raise(gif::CannotResize); }

bool TGIFImage::IsTransparent() const {
  return Transparent && std::any_of(Frames.begin(), Frames.end(),
                                    [](const TGIFFrame& f) { return f.Transparent != clNoneGIF; });
}

QImage TGIFImage::Bitmap() {
  if (Frames.empty()) AddFrame(QImage());
  TGIFFrame& f = Frames[Current >= 0 && Current < static_cast<int>(Frames.size()) ? Current : 0];
  if (!f.Decoded) {
    try {
      if (!DecodeReported(f, true)) return {};
    } catch (const EGIFError&) {
      f.Corrupted = true;  // shown as far as it goes: the rows stay at index 0
    }
  }
  return FrameToImage(f);
}

void TGIFImage::AddFrame(const QImage& picture) {
  TGIFFrame f;
  f.Width = picture.width();
  f.Height = picture.height();
  QImage indexed;
  bool seeThrough = false;
  if (picture.hasAlphaChannel())
    for (int y = 0; y < picture.height() && !seeThrough; ++y)
      for (int x = 0; x < picture.width() && !seeThrough; ++x) seeThrough = qAlpha(picture.pixel(x, y)) < 255;
  if (picture.isNull()) {
    f.Width = f.Height = 0;  // an empty frame: no pixels, no colours
  } else if (seeThrough) {
    QImage laid(picture.size(), QImage::Format_RGB32);
    laid.fill(QColor(0xFF, 0x00, 0xFF));
    QPainter p(&laid);
    p.drawImage(0, 0, picture);
    p.end();
    indexed = PaletteImageToQImage(ReduceImage(laid, DefaultReduction));
    f.Source = laid;
  } else if (picture.format() == QImage::Format_Indexed8 && picture.colorCount() > 0) {
    indexed = picture;
  } else if (picture.depth() == 1) {
    indexed = picture.convertToFormat(QImage::Format_Indexed8);
  } else {
    indexed = PaletteImageToQImage(ReduceImage(picture, DefaultReduction));
    f.Source = picture;
  }
  for (QRgb c : indexed.colorTable())
    f.Colours.push_back({static_cast<uint8_t>(qRed(c)), static_cast<uint8_t>(qGreen(c)), static_cast<uint8_t>(qBlue(c))});
  if (f.Colours.size() > 256) f.Colours.resize(256);
  f.BitsPerPixel = BitsCovering(static_cast<int>(f.Colours.size()));
  f.Pixels.resize(static_cast<size_t>(f.Width) * f.Height);
  for (int y = 0; y < f.Height; ++y)
    std::memcpy(f.Pixels.data() + static_cast<size_t>(y) * f.Width, indexed.constScanLine(y), f.Width);
  f.Decoded = true;
  if (seeThrough) {
    f.TransparentIndex = NearestEntry(f.Colours, 0xFF, 0x00, 0xFF);
    f.Transparent = f.Colours[f.TransparentIndex].Couleur();
  }
  if (f.Colours.empty()) {
    f.BitsPerPixel = 1;
  } else if (GlobalColours.empty()) {
    GlobalColours = f.Colours;
    BitsPerPixel = f.BitsPerPixel;
  } else {
    f.LocalColours = f.Colours != GlobalColours;
  }
  ScreenWidth = std::max(ScreenWidth, f.Width);
  ScreenHeight = std::max(ScreenHeight, f.Height);
  Frames.push_back(std::move(f));
  Current = static_cast<int>(Frames.size()) - 1;
  Version = std::max(Version, Frames.size() > 1 ? 2 : 1);
}

void TGIFImage::Draw(QPainter& p, const QRect& r) {
  if (Current < 0 || Current >= static_cast<int>(Frames.size())) return;
  QImage img = Bitmap();
  const TGIFFrame& f = Frames[Current];
  const int key = IsTransparent() ? TransparentEntry(f) : -1;
  if (key >= 0 && key < img.colorCount()) {
    // Keyed on the entry, not its colour: another entry of the same colour stays opaque.
    img.setColor(key, img.color(key) & 0x00FFFFFF);
    p.save();
    p.setRenderHint(QPainter::SmoothPixmapTransform, false);
    p.drawImage(r, img);
    p.restore();
  } else {
    p.drawImage(r, img);
  }
}

void TGIFImage::AssignFromCursor(const TAnimatedCursorImage& cursor) {
  Clear();
  const QColor window = QGuiApplication::palette().color(QPalette::Base);
  Background = RGBToColor(window.red(), window.green(), window.blue());
  for (const TIconFrame& c : cursor.Frames) {
    const QImage img = IconImage(c.Icon);
    if (img.isNull()) continue;
    AddFrame(img);
    Frames.back().Delay = c.Rate * 100 / 6;
  }
  Current = Frames.empty() ? -1 : 0;
}

void TGIFImage::SaveToClipboard(QClipboard& clipboard) {
  if (Frames.empty()) Raise(gif::NoData);
  auto* data = new QMimeData;
  const int keep = Current;
  Current = 0;
  data->setImageData(Bitmap());
  Current = keep;
  const bool encoded = std::all_of(Frames.begin(), Frames.end(), [](const TGIFFrame& f) { return !f.Data.empty(); });
  if (encoded) {
    const std::vector<uint8_t> bytes = WriteData();
    data->setData(GIFClipboardFormat, QByteArray(reinterpret_cast<const char*>(bytes.data()),
                                                 static_cast<qsizetype>(bytes.size())));
  }
  clipboard.setMimeData(data);
}

void TGIFImage::LoadFromClipboard(const QClipboard& clipboard) {
  const QMimeData* data = clipboard.mimeData();
  if (data && data->hasFormat(GIFClipboardFormat)) {
    const QByteArray b = data->data(GIFClipboardFormat);
    ReadData(std::span(reinterpret_cast<const uint8_t*>(b.constData()), static_cast<size_t>(b.size())), false);
    if (!Frames.empty() && data->hasImage()) TakePixels(Frames[0], qvariant_cast<QImage>(data->imageData()));
    return;
  }
  Clear();
  if (data && data->hasImage()) AddFrame(qvariant_cast<QImage>(data->imageData()));
}
