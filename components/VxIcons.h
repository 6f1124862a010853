#pragma once
// An owned list of icons that stores itself as bytes, and the reader of animated cursors
// (RIFF "ACON" files) into a list of icon frames.
#include <QByteArray>
#include <QColor>
#include <QImage>
#include <QPoint>
#include <QString>
#include <cstdint>
#include <functional>
#include <span>
#include <stdexcept>
#include <vector>

class EIconReadError : public std::runtime_error {
 public:
  EIconReadError() : std::runtime_error("Erreur de lecture du flux") {}
};
// An icon resource or an animated cursor file that could not be read; the text says why.
class EIconFileError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};
// The largest animated cursor file read: a cursor of many large frames stays far below it.
inline constexpr qint64 kMaxAnimatedCursorBytes = qint64(16) << 20;

// An icon is held as its file bytes (an icon resource: directory and images).
QImage IconImage(const QByteArray& icon);

class TIconList {
 public:
  std::function<void()> OnChange;  // raised once per change, or once when updating ends
  void BeginUpdate() { ++updates_; }
  void EndUpdate();
  int Count() const { return static_cast<int>(icons_.size()); }
  const QByteArray& Icon(int i) const { return icons_.at(i); }
  void Add(const QByteArray& icon);
  // An index past the end (or below 0) changes nothing, in Put, Delete and Exchange.
  void Put(int i, const QByteArray& icon);  // i == Count() appends
  void Insert(int i, const QByteArray& icon);
  // Inserts the icon file held in a Qt resource (":/..."); a missing resource or one that is not
  // an icon raises EIconFileError and leaves the list as it was.
  void InsertFromResource(int i, const QString& resourcePath);
  void Delete(int i);
  void Exchange(int a, int b);
  void Move(int from, int to);
  int IndexOf(const QByteArray& icon) const;
  void Clear();
  // The stored form: 32-bit count, then each icon's 32-bit size and bytes (0 for an empty slot).
  QByteArray Write() const;
  void Read(const QByteArray& bytes);  // raises EIconReadError on a short or bad stream

 private:
  void Changed();
  std::vector<QByteArray> icons_;
  int updates_ = 0;
};

struct TIconFrame {
  QByteArray Icon;
  bool IsIcon = true;  // an icon, not a cursor
  int Sequence = 0;    // position in the sequence
  uint32_t Rate = 0;   // sixtieths of a second
  QPoint HotSpot;
  QByteArray ChunkTag;
  uint32_t ChunkSize = 0;
};

struct TAniHeader {
  uint32_t Size = 0, Frames = 0, Steps = 0, Width = 0, Height = 0, BitCount = 0, Planes = 0, Rate = 0, Flags = 0;
};

class TAnimatedCursorImage {
 public:
  TAniHeader Header;
  std::vector<TIconFrame> Frames;
  QString Title, Author;
  int ColourCount = 0;

  void Clear();
  // Reads an animated cursor; false when the bytes are not one (nothing read). A header without
  // the icon flag or without frames raises EIconReadError; a cut chunk ends the reading with the
  // frames read so far.
  bool LoadFromBytes(std::span<const uint8_t> bytes);
  // Writing an animated cursor is not supported.
  [[noreturn]] void SaveToBytes();
  // Reads an animated cursor file through the checked read; a file that cannot be read, or a bad
  // one, clears the image and raises (EIconFileError, EIconReadError). False when it is no
  // animated cursor (nothing read).
  bool LoadFromFile(const QString& path);
  // All frames side by side (or stacked), on the background, reduced to the file's colour count;
  // null without frames.
  QImage FramesToBitmap(QColor background, bool vertical, bool reduceColours) const;
  // The first frame's icon (empty without frames).
  QByteArray AssignToIcon() const;
  // A horizontal strip of the frames on the bitmap's brush colour, reduced; without frames the
  // bitmap stays as it was.
  void AssignTo(QImage& bitmap, QColor brush) const;
  // Every frame's icon in order, in place of what the list held, with one change notice.
  void AssignTo(TIconList& list) const;
};
