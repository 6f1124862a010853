#pragma once
// Small routines the component units share: integers, delimited words, file-name tests, and the
// command-line and drawing helpers of the windows (caption shortening, keyed and embossed glyphs).
#include <QImage>
#include <QString>
#include <cstdint>
#include <utility>

#include "platform/Types.h"

class QFontMetrics;
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

// Command lines: blanks separate parameters, double quotes hold blanks, "" is nothing.
// Reads one parameter from pos (0-based); returns the new position and the parameter.
std::pair<int, QString> NextCommandParam(const QString& line, int pos);
int CountCommandParams(const QString& line);
QString CommandParamAt(const QString& line, int index);
// The program (parameter 0) and the others joined with blanks, those holding a blank quoted.
std::pair<QString, QString> SplitProgramAndParams(const QString& line);

// The text, cut with "..." until it fits the width.
QString ShortenToWidth(const QString& text, const QFontMetrics& fm, int maxWidth);
bool SameBytes(const void* a, const void* b, int count);
bool IsApplicationActive();
// The embossed (disabled) look of a glyph: pixels of the outline colour become the shadow
// colour, with the highlight one pixel down and right when emboss is on; the rest is background.
QImage MakeEmbossedBitmap(const QImage& glyph, TColor outline, TColor background, bool emboss, TColor shadow,
                          TColor highlight);
QImage MakeDisabledGlyph(const QImage& glyph, TColor outline);
// Draws a picture stretched, leaving out the pixels of the transparent colour (clNoneKey: none;
// clDefaultKey: the bottom-left pixel's colour).
constexpr TColor clNoneKey = 0x1FFFFFFF;
constexpr TColor clDefaultKey = 0x20000000;
void StretchDrawBitmapKeyed(QPainter& p, int x, int y, int w, int h, const QImage& bitmap, int sx, int sy, int sw,
                            int sh, TColor transparent);
// Paints what lies behind a see-through control on its parent.
void PaintParentBehind(QWidget* control, QPainter& p);
// Tells the user that a function is not there yet and ends the operation (throws EAbort).
struct EAbort {};
[[noreturn]] void ShowNotImplemented();
