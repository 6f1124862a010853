#include "components/VxIcons.h"

#include <QFile>
#include <QPainter>
#include <algorithm>
#include <cstring>

#include "components/VxBitmap.h"
#include "components/VxUtils.h"
#include "platform/CheckedFile.h"

QImage IconImage(const QByteArray& icon) {
  if (icon.size() < 6) return {};
  QByteArray b = icon;
  b[2] = 1;  // a cursor directory reads as an icon one
  b[3] = 0;
  return QImage::fromData(b, "ICO");
}

// ---- icon list ----

void TIconList::Changed() {
  if (updates_ == 0 && OnChange) OnChange();
}

void TIconList::EndUpdate() {
  if (updates_ > 0 && --updates_ == 0) Changed();
}

void TIconList::Add(const QByteArray& icon) {
  icons_.push_back(icon);
  Changed();
}

void TIconList::Put(int i, const QByteArray& icon) {
  if (i == Count()) return Add(icon);
  if (i < 0 || i > Count()) return;
  icons_[i] = icon;
  Changed();
}

void TIconList::Insert(int i, const QByteArray& icon) {
  icons_.insert(icons_.begin() + std::clamp(i, 0, Count()), icon);
  Changed();
}

void TIconList::InsertFromResource(int i, const QString& resourcePath) {
  QFile file(resourcePath);
  // Only what Qt holds in the program itself: a path on disk would bypass the checked read.
  if (!resourcePath.startsWith(QLatin1Char(':')) || !file.open(QIODevice::ReadOnly))
    throw EIconFileError("Icon resource not found: " + resourcePath.toStdString());
  const QByteArray icon = file.read(kMaxAnimatedCursorBytes + 1);
  if (icon.size() > kMaxAnimatedCursorBytes || IconImage(icon).isNull())
    throw EIconFileError("Not an icon: " + resourcePath.toStdString());
  Insert(i, icon);
}

void TIconList::Delete(int i) {
  if (i < 0 || i >= Count()) return;
  icons_.erase(icons_.begin() + i);
  Changed();
}

void TIconList::Exchange(int a, int b) {
  if (a < 0 || a >= Count() || b < 0 || b >= Count()) return;
  std::swap(icons_[a], icons_[b]);
  Changed();
}

void TIconList::Move(int from, int to) {
  QByteArray x = icons_.at(from);
  icons_.erase(icons_.begin() + from);
  icons_.insert(icons_.begin() + std::clamp(to, 0, Count()), x);
  Changed();
}

int TIconList::IndexOf(const QByteArray& icon) const {
  auto it = std::find(icons_.begin(), icons_.end(), icon);
  return it == icons_.end() ? -1 : static_cast<int>(it - icons_.begin());
}

void TIconList::Clear() {
  BeginUpdate();
  icons_.clear();
  EndUpdate();
}

static void Put32(QByteArray& b, uint32_t v) {
  for (int i = 0; i < 4; ++i) b.append(static_cast<char>((v >> (8 * i)) & 0xFF));
}
static uint32_t Get32(const uint8_t* p) { return p[0] | (p[1] << 8) | (p[2] << 16) | (uint32_t(p[3]) << 24); }
static uint16_t Get16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | (p[1] << 8)); }

QByteArray TIconList::Write() const {
  QByteArray b;
  Put32(b, static_cast<uint32_t>(icons_.size()));
  for (const QByteArray& i : icons_) {
    Put32(b, static_cast<uint32_t>(i.size()));
    b.append(i);
  }
  return b;
}

void TIconList::Read(const QByteArray& bytes) {
  const auto* p = reinterpret_cast<const uint8_t*>(bytes.constData());
  const size_t n = static_cast<size_t>(bytes.size());
  if (n < 4) throw EIconReadError();
  const uint32_t count = Get32(p);
  std::vector<QByteArray> read;
  size_t pos = 4;
  for (uint32_t i = 0; i < count; ++i) {  // every size is checked against what is left
    if (n - pos < 4) throw EIconReadError();
    const uint32_t size = Get32(p + pos);
    pos += 4;
    if (size > n - pos) throw EIconReadError();
    read.emplace_back(bytes.constData() + pos, static_cast<qsizetype>(size));
    pos += size;
  }
  BeginUpdate();
  icons_ = std::move(read);
  EndUpdate();
}

// ---- animated cursor ----

void TAnimatedCursorImage::Clear() {
  Frames.clear();
  Title.clear();
  Author.clear();
  Header = {};
  ColourCount = 0;
}

bool TAnimatedCursorImage::LoadFromBytes(std::span<const uint8_t> b) {
  if (b.size() < 12 || std::memcmp(b.data(), "RIFF", 4) != 0 || std::memcmp(b.data() + 8, "ACON", 4) != 0)
    return false;
  Clear();
  size_t rateNext = 0, seqNext = 0, iconNext = 0;
  auto text255 = [](const uint8_t* p, size_t n) {
    n = std::min<size_t>(n, 255);
    const size_t len = std::find(p, p + n, 0) - p;
    return QString::fromLatin1(reinterpret_cast<const char*>(p), static_cast<qsizetype>(len));
  };
  // Walks the chunks of [from, to); lists recurse once into their sub-chunks.
  std::function<void(size_t, size_t, const char*)> walk = [&](size_t pos, size_t to, const char* listType) {
    while (pos < to && to - pos >= 8) {
      const uint8_t* tag = b.data() + pos;
      const uint32_t len = Get32(tag + 4);
      pos += 8;
      // A cut chunk ends the reading; of a cut list, the sub-chunks it still holds whole are read.
      const bool list = listType == nullptr && std::memcmp(tag, "LIST", 4) == 0;
      const bool cut = len > to - pos;
      if (cut && !list) return;
      const size_t held = cut ? to - pos : len;
      const uint8_t* d = b.data() + pos;
      if (listType == nullptr && std::memcmp(tag, "anih", 4) == 0) {
        if (len < 36) throw EIconReadError();
        Header = {Get32(d), Get32(d + 4), Get32(d + 8), Get32(d + 12), Get32(d + 16),
                  Get32(d + 20), Get32(d + 24), Get32(d + 28), Get32(d + 32)};
        if (!(Header.Flags & 1) || Header.Frames == 0) throw EIconReadError();
        // Each frame needs at least a chunk header of its own: the file bounds the count.
        const size_t frames = std::min<size_t>(Header.Frames, b.size() / 8);
        Frames.assign(frames, TIconFrame{});
        for (size_t i = 0; i < frames; ++i) Frames[i].Sequence = static_cast<int>(i);
      } else if (listType == nullptr && std::memcmp(tag, "rate", 4) == 0) {
        for (size_t k = 0; k + 4 <= len && rateNext < Frames.size(); k += 4) Frames[rateNext++].Rate = Get32(d + k);
      } else if (listType == nullptr && std::memcmp(tag, "seq ", 4) == 0) {
        for (size_t k = 0; k + 4 <= len && seqNext < Frames.size(); k += 4)
          Frames[seqNext++].Sequence = static_cast<int>(Get32(d + k));
      } else if (list && held >= 4) {
        if (std::memcmp(d, "fram", 4) == 0) walk(pos + 4, pos + held, "fram");
        else if (std::memcmp(d, "INFO", 4) == 0) walk(pos + 4, pos + held, "INFO");
      } else if (listType && std::strcmp(listType, "fram") == 0 && std::memcmp(tag, "icon", 4) == 0) {
        TIconFrame f;
        f.Icon = QByteArray(reinterpret_cast<const char*>(d), len);
        f.ChunkTag = QByteArray(reinterpret_cast<const char*>(tag), 4);
        f.ChunkSize = len;
        if (len >= 6) {
          // A cursor directory (type 2) carries the hot spot where an icon has planes and depth.
          const int type = Get16(d + 2);
          if (type == 2 && len >= 6 + 16) f.HotSpot = QPoint(Get16(d + 10), Get16(d + 12));
          f.IsIcon = type == 1;
          const size_t images = std::min<size_t>(Get16(d + 4), (len - 6) / 16);
          for (size_t i = 0; i < images; ++i) {
            const int colours = d[6 + 16 * i + 2];
            ColourCount = std::max(ColourCount, colours == 0 ? 256 : colours);
          }
        }
        // The icon goes to the frame whose sequence position is its order, else to a new frame.
        auto it = std::find_if(Frames.begin(), Frames.end(),
                               [&](const TIconFrame& x) { return x.Sequence == static_cast<int>(iconNext) && x.Icon.isEmpty(); });
        if (it != Frames.end()) {
          const int seq = it->Sequence;
          const uint32_t rate = it->Rate;
          *it = f;
          it->Sequence = seq;
          it->Rate = rate;
        } else {
          f.Sequence = static_cast<int>(iconNext);
          Frames.push_back(f);
        }
        ++iconNext;
      } else if (listType && std::strcmp(listType, "INFO") == 0) {
        if (std::memcmp(tag, "INAM", 4) == 0) Title = text255(d, len);
        else if (std::memcmp(tag, "IART", 4) == 0) Author = text255(d, len);
      }
      if (cut) return;
      pos += len + (len & 1);
      if (pos > to) return;
    }
  };
  walk(12, b.size(), nullptr);
  // A frame that never received its icon has nothing to show.
  std::erase_if(Frames, [](const TIconFrame& f) { return f.Icon.isEmpty(); });
  return true;
}

void TAnimatedCursorImage::SaveToBytes() { ShowNotImplemented(); }

bool TAnimatedCursorImage::LoadFromFile(const QString& path) {
  QByteArray bytes;
  const EFileRead r = ReadFileChecked(path, kMaxAnimatedCursorBytes, &bytes);
  try {
    if (r != EFileRead::Ok) throw EIconFileError("Cannot read " + path.toStdString());
    return LoadFromBytes(std::span(reinterpret_cast<const uint8_t*>(bytes.constData()), static_cast<size_t>(bytes.size())));
  } catch (...) {
    Clear();
    throw;
  }
}

QImage TAnimatedCursorImage::FramesToBitmap(QColor background, bool vertical, bool reduceColours) const {
  if (Frames.empty()) return {};
  const QImage first = IconImage(Frames[0].Icon);
  const int w = first.isNull() ? 32 : first.width(), h = first.isNull() ? 32 : first.height();
  const int n = static_cast<int>(Frames.size());
  QImage out(vertical ? w : w * n, vertical ? h * n : h, QImage::Format_RGB32);
  if (out.isNull()) return {};
  out.fill(background);
  QPainter p(&out);
  for (int i = 0; i < n; ++i) {
    const QImage frame = i == 0 ? first : IconImage(Frames[i].Icon);
    p.drawImage(vertical ? QPoint(0, i * frame.height()) : QPoint(i * frame.width(), 0), frame);
  }
  p.end();
  return reduceColours && ColourCount > 0 ? ReduceToColourCount(out, ColourCount) : out;
}

QByteArray TAnimatedCursorImage::AssignToIcon() const { return Frames.empty() ? QByteArray() : Frames[0].Icon; }

void TAnimatedCursorImage::AssignTo(QImage& bitmap, QColor brush) const {
  if (!Frames.empty()) bitmap = FramesToBitmap(brush, false, true);
}

void TAnimatedCursorImage::AssignTo(TIconList& list) const {
  list.BeginUpdate();
  list.Clear();
  for (const TIconFrame& f : Frames) list.Add(f.Icon);
  list.EndUpdate();
}
