#pragma once
// Small routines the component units share: integers, delimited words, file-name tests, the
// command-line and drawing helpers of the windows (caption shortening, keyed and embossed glyphs,
// the parent's image behind a see-through control), and byte and memory helpers.
#include <QEvent>
#include <QImage>
#include <QList>
#include <QRect>
#include <QString>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <utility>

#include "platform/Types.h"

class QFontMetrics;
class QObject;
class QPainter;
class QWidget;

inline int32_t MaxInteger(int32_t a, int32_t b) { return a > b ? a : b; }
inline int32_t MinInteger(int32_t a, int32_t b) { return a < b ? a : b; }

// Every occurrence, left to right, without overlap and without rescanning what was put in.
QString SubstituteAll(const QString& text, const QString& searched, const QString& replacement);
int CountDelimitedWords(const QString& text, const QString& delimiters);
int DelimitedWordStart(int n, const QString& text, const QString& delimiters);  // 1-based; 0 when absent
QString DelimitedWord(int n, const QString& text, const QString& delimiters);
bool FolderExists(const QString& path);
bool ContainsAnyChar(const QString& chars, const QString& text);
bool IsValidFileName(const QString& name);
// The name of the file's entry as found on disk, without its folder (the short and long forms are
// the same name here); empty when the file does not exist.
QString ShortFileNameOf(const QString& name);
QString LongFileNameOf(const QString& name);

// Command lines: blanks separate parameters, double quotes hold blanks, "" is nothing. A parameter
// keeps its first kCommandParamMax characters (the rest of it is skipped).
inline constexpr int kCommandParamMax = 256;
// Reads one parameter from pos (0-based); returns the new position and the parameter.
std::pair<int, QString> NextCommandParam(const QString& line, int pos);
int CountCommandParams(const QString& line);
QString CommandParamAt(const QString& line, int index);
// The program (parameter 0) and the others joined with blanks, those holding a blank quoted.
std::pair<QString, QString> SplitProgramAndParams(const QString& line);

// The text, cut with "..." until it fits the width.
QString ShortenToWidth(const QString& text, const QFontMetrics& fm, int maxWidth);
bool SameBytes(const void* a, const void* b, int count);
// Whether one of this program's windows is the active one (called from another thread: false).
bool IsApplicationActive();
// The embossed (disabled) look of a glyph: pixels of the outline colour become the shadow
// colour, with the highlight one pixel down and right when emboss is on; the rest is background.
QImage MakeEmbossedBitmap(const QImage& glyph, TColor outline, TColor background, bool emboss, TColor shadow,
                          TColor highlight);
QImage MakeDisabledGlyph(const QImage& glyph, TColor outline);
// One image of a list in the disabled look: its opaque area in the shadow colour, with the
// highlight one pixel down and right when emboss is on; the rest shows what is already drawn.
// An index outside the list draws nothing.
void DrawDisabledListImage(const QList<QImage>& images, QPainter& p, int x, int y, int index, TColor shadow,
                           TColor highlight, bool emboss);

// Draws a picture stretched, leaving out the pixels of the transparent colour (clNoneKey: none;
// clDefaultKey: the bottom-left pixel's colour). A destination size below 1 is the picture's, a
// source size below 1 the whole picture. A monochrome picture is keyed on white.
constexpr TColor clNoneKey = 0x1FFFFFFF;
constexpr TColor clDefaultKey = 0x20000000;
void StretchDrawBitmapKeyed(QPainter& p, int x, int y, int w, int h, const QImage& bitmap, int sx, int sy, int sw,
                            int sh, TColor transparent);
// The same with the source part given as a rectangle.
void DrawBitmapRectKeyed(QPainter& p, int x, int y, int w, int h, const QImage& bitmap, const QRect& source,
                         TColor transparent);
// Stretches the source part onto the destination pixel for pixel (no smoothing), leaving the
// destination as it was where the source has the transparent colour.
void StretchBlitKeyed(QPainter& dest, int x, int y, int w, int h, const QImage& source, int sx, int sy, int sw,
                      int sh, TColor transparent);
// The colour as 0x00BBGGRR with bit 25 set (the palette-relative form); the button colours given by
// their system numbers (0x8000000F face, 0x80000010 shadow, 0x80000014 highlight) are resolved to
// the fixed ones the components draw with.
uint32_t PaletteRelativeColour(TColor colour);

// Paints what lies behind a see-through control: its parent's own background, then the parent's
// other children that stand below it in the stacking order and overlap it (native child windows,
// which cover it anyway, excepted). The painter's origin is the control's top-left corner.
void PaintParentBehind(QWidget* control, QPainter& p);

// The silent end of an operation: whoever starts an operation that may end this way catches it and
// does nothing more (the window hooks do so for their handlers).
struct EAbort {};
// Tells the user that a function is not there yet (an information box with an OK button, the
// busy cursor put back first) and ends the operation by throwing EAbort.
[[noreturn]] void ShowNotImplemented();

// Drops the events of that type posted to the receiver (to any object of this thread when it is
// null) and not yet delivered. Nothing runs meanwhile. The user's keys and clicks never wait in
// that queue (they come from the window system), so they are never lost this way. A quit request
// is never dropped.
void DropPendingMessage(QObject* receiver, QEvent::Type type);

inline int32_t RectWidthOf(const QRect& r) { return r.width(); }
inline int32_t RectHeightOf(const QRect& r) { return r.height(); }
inline void* OffsetPointer(void* p, std::ptrdiff_t offset) { return static_cast<char*>(p) + offset; }
inline const void* OffsetPointer(const void* p, std::ptrdiff_t offset) {
  return static_cast<const char*>(p) + offset;
}
// Copies count bytes; the two blocks may overlap. Nothing for a count of 0 or less.
void CopyBytes(void* dest, const void* source, int count);
// A zero-filled block of that many bytes, or null for a size of 0 or less; freed by FreeZeroedBlock,
// which also clears the pointer (a null pointer is left alone).
void* AllocZeroedBlock(int size);
void FreeZeroedBlock(void*& block);
// The text as 8-bit Windows-1252 characters with a terminating null, and back (null gives "").
std::unique_ptr<char[]> NewPCharCopy(const QString& text);
QString StringFromPChar(const char* text);
