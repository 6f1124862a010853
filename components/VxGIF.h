#pragma once
// GIF pictures (87a and 89a) read, decoded, encoded and written by our own code: LZW both ways,
// interlacing, graphic-control, comment, plain-text and application extensions, looping.
// The codec works on bytes and palette indexes; QImage appears only at the edges (decoded frame,
// frame from a picture, drawing).
#include <QImage>
#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/Types.h"

class QClipboard;
class QPainter;
class QRect;
class TAnimatedCursorImage;

// Every format error of the codec.
class EGIFError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

namespace gif {
inline constexpr const char* UnknownVersion = "Unknown GIF version";
inline constexpr const char* EncodingError = "GIF image encoding error";
inline constexpr const char* CorruptData = "GIF encoded data is corrupt";
inline constexpr const char* CodeSizeRange = "GIF code size not in range 2 to 9";
inline constexpr const char* WrongColourCount = "Wrong number of colors; must be a power of 2";
inline constexpr const char* UnknownExtension = "Unrecognized extension block: %1";
inline constexpr const char* NoData = "No GIF Data to write";
inline constexpr const char* CannotResize = "Cannot change the Size of a GIF image";
inline constexpr const char* TooLarge = "GIF image too large";
// The largest picture read: a side of 16384 pixels, and 64 M pixels in all, over every frame of one
// file together. A file declares its sizes in a few bytes, and they are refused before anything that
// size is allocated.
inline constexpr int MaxSide = 16384;
inline constexpr int64_t MaxPixels = int64_t(64) << 20;
inline constexpr const char* ReadError = "Erreur de lecture du flux";
inline constexpr const char* Description = "CompuServe GIF Image";
}  // namespace gif

// "No colour" (no background, no transparency).
constexpr TColor clNoneGIF = 0x1FFFFFFF;

struct TGIFRGB {
  uint8_t R = 0, G = 0, B = 0;
  bool operator==(const TGIFRGB&) const = default;
  TColor Couleur() const { return RGBToColor(R, G, B); }
};

enum class TExtensionType { GraphicControl, PlainText, Application, Comment };

struct TExtension {
  TExtensionType Type = TExtensionType::Comment;
  std::vector<uint8_t> Fixed;      // the fixed block without its size byte (4 bytes for graphic control)
  std::vector<std::string> Data;   // one string per data sub-block
};

struct TGIFFrame {
  int Left = 0, Top = 0, Width = 0, Height = 0;
  bool Interlaced = false;
  bool Corrupted = false;  // the data ended or broke before the picture was complete
  bool Grayscale = false;  // reduce to grey when encoding from a picture
  bool LocalColours = false;
  int BitsPerPixel = 8;
  std::vector<TGIFRGB> Colours;
  std::vector<uint8_t> Data;  // LZW code size byte, then the sub-blocks with the zero terminator
  std::vector<TExtension> Extensions;
  TColor Transparent = clNoneGIF;
  // The see-through entry of the colour table: a table may hold the transparent colour more than
  // once, and only this entry's pixels are left out. -1, or an entry of another colour, stands for
  // the first entry of the transparent colour.
  int TransparentIndex = -1;
  uint32_t Delay = 0;  // milliseconds: 65535 hundredths do not fit 16 bits once scaled
  int Disposal = 0;
  // Decoded palette indexes, Width x Height in row order; empty until decoded.
  std::vector<uint8_t> Pixels;
  bool Decoded = false;
  // The true-colour picture the frame was reduced from when it was added, kept until the frame is
  // encoded, so that the grayscale switch set meanwhile still applies.
  QImage Source;
};

// The progress of a long operation (decoding or encoding one frame): Starting with 0, Running with
// the percentage done, Ending with 100, or with 0 and the error's text when it failed. A handler may
// throw EAbort: a decode then leaves the frame without its pixels and no error, an encode resets the
// frame and passes the abort on.
enum class TProgressStage { Starting, Running, Ending };
using TProgressEvent = std::function<void(TProgressStage stage, int percent, const std::string& message)>;
// Called with each new percentage of a decode or an encode.
using TPercentDone = std::function<void(int percent)>;

// Bits per pixel of a colour count (2 -> 1 ... 256 -> 8); raises for any other count.
int BitsOfColourCount(int count);
// Smallest bit count (1..8) whose power of two covers the count.
int BitsCovering(int count);

// LZW: pixels (row order, one index per byte) to the data stream (code size byte, sub-blocks,
// terminator). bitCount is 1, 4 or 8; interlaced takes the rows in the four passes.
// Reports the rows done over the height.
std::vector<uint8_t> EncodeLZW(const std::vector<uint8_t>& pixels, int width, int height, int bitCount,
                               bool interlaced = false, const TPercentDone& progress = {});
// Decodes a frame's data into its Pixels. Bad data raises, unless tolerate: then the frame is
// marked corrupted and the rows not reached stay at index 0. Reports the data read over its size.
void DecodeFrame(TGIFFrame& frame, bool tolerate = true, const TPercentDone& progress = {});
// Row order of an interlaced picture: the n-th row sent is row InterlacedRows(h)[n].
std::vector<int> InterlacedRows(int height);

class TGIFImage {
 public:
  int Version = 0;  // 0 none, 1 "87a", 2 "89a"
  int ScreenWidth = 0, ScreenHeight = 0;
  uint8_t Aspect = 0;
  int BitsPerPixel = 8, ColourResolution = 8;
  std::vector<TGIFRGB> GlobalColours;
  std::vector<std::string> Comment;
  TColor Background = clNoneGIF;
  bool Looping = false;
  uint16_t RepeatCount = 1;
  std::vector<TGIFFrame> Frames;
  int Current = -1;
  bool Transparent = true;  // draw transparent frames keyed
  TProgressEvent OnProgress;

  // An empty picture (the handler and the transparent switch stay).
  void Clear();
  // Assigning another picture shares its screen data (see Equals) and copies its frames.
  void Assign(const TGIFImage& other);
  // A new one-frame picture of that frame, with the screen data of the picture it belongs to.
  void Assign(const TGIFFrame& frame, const TGIFImage& owner);
  // A one-frame picture of the bitmap (empty for a null one).
  void Assign(const QImage& bitmap);
  // True when both share one screen data: one was assigned from the other, and neither changed
  // its global colours, aspect, depths or comment since.
  bool Equals(const TGIFImage& other) const;
  // The current frame's bitmap, carrying the frame's transparent colour: its see-through entry (the
  // entry nearest to the colour when none has it) becomes see-through and *transparentColour (when
  // given) is set to that entry's colour. An empty picture leaves the bitmap as it was and gives false.
  bool AssignTo(QImage& bitmap, TColor* transparentColour = nullptr);

  // Replaces the picture with the GIF in bytes; decodeFirst decodes frame 0 now (a failure there
  // drops that frame and raises). Format errors raise EGIFError.
  void LoadFromBytes(std::span<const uint8_t> bytes, bool decodeFirst = true);
  std::vector<uint8_t> SaveToBytes();
  // The form-stream forms: a 32-bit little-endian length, then the GIF.
  void ReadData(std::span<const uint8_t> bytes, bool decodeFirst = true);
  std::vector<uint8_t> WriteData();

  bool Empty() const;
  int Width();
  int Height();
  void SetWidth(int);   // raises: a GIF keeps its size
  void SetHeight(int);  // raises
  bool IsTransparent() const;
  // The current frame (decoded on demand) as an indexed picture. A picture without frames first
  // becomes a one-frame picture of an empty bitmap (and gives a null one).
  QImage Bitmap();
  // Appends a frame made from a picture (reduced to a palette when it has none) and makes it current.
  // A picture with see-through pixels is laid on 0xFF00FF first, whose nearest colour becomes the
  // frame's transparent one.
  void AddFrame(const QImage& picture);
  // Draws the current frame stretched into the rectangle.
  void Draw(QPainter& p, const QRect& r);
  // One frame per cursor image, each lasting the cursor's rate (sixtieths of a second).
  void AssignFromCursor(const TAnimatedCursorImage& cursor);
  // The clipboard: the first frame as a picture, and the whole GIF (length first) under
  // GIFClipboardFormat when every frame has data. Loading takes the GIF when it is there (its first
  // frame's pixels from the clipboard's picture, when there is one, else decoded on demand), else
  // the picture as a one-frame GIF.
  void SaveToClipboard(QClipboard& clipboard);
  void LoadFromClipboard(const QClipboard& clipboard);

 private:
  void Notify(TProgressStage stage, int percent, const std::string& message = {});
  void NotifyFailure(const std::string& message);
  // Decodes a frame with its progress notices; false when a handler aborted it.
  bool DecodeReported(TGIFFrame& frame, bool tolerate);
  void EncodeReported(TGIFFrame& frame);
  // The identity of the screen data: shared by assignment, new at every load or clear.
  std::shared_ptr<const char> screen_ = std::make_shared<const char>(0);
};

// The GIF with its 32-bit length in front, under the format name "GIF Image": a private type of
// ours, so that another program's "image/gif" (plain GIF bytes) is never read as this one.
inline constexpr const char* GIFClipboardFormat = "application/x-qt-windows-mime;value=\"GIF Image\"";

// A decoded frame as an 8-bit indexed picture with its colour table.
QImage FrameToImage(const TGIFFrame& f);
