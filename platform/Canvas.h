#pragma once
// The drawing surface every renderer of the program draws on. It keeps the classic raster rules
// the drawing code is written against:
//  - MoveTo/LineTo never paint the end pixel;
//  - Rectangle, FillRect and Ellipse leave the right and bottom edge out;
//  - Arc takes a bounding box and two ray points and runs counter-clockwise;
//  - TextOut puts the text's top-left at (x, y), on an opaque box when the brush is solid;
//  - pen, brush and font stay set between calls; no antialiasing; fonts sized at PixelsPerInch.
// The same canvas draws on a widget, a QImage (tests) or a QPrinter.
#include <QPoint>
#include <QString>
#include <vector>

#include "platform/Types.h"

class QColor;
class QPainter;
class QPaintDevice;
class QImage;
class QFont;

enum class TPenStyle { psSolid, psClear, psDot };
enum class TBrushStyle { bsSolid, bsClear };

struct TCanvasPen {
  TColor Color = clBlack;
  int Width = 1;
  TPenStyle Style = TPenStyle::psSolid;
};

struct TCanvasBrush {
  TColor Color = clWhite;
  TBrushStyle Style = TBrushStyle::bsSolid;
};

struct TCanvasFont {
  QString Name = "Arial";
  int Size = 10;  // points
  bool Bold = false;
  bool Italic = false;
  bool Underline = false;
  TColor Color = clBlack;
  int PixelsPerInch = 96;
};

// The one conversion of a colour of ours (0x00BBGGRR) to Qt's, for the code that draws with Qt
// itself (it includes <QColor>).
QColor ToQColor(TColor c);

// Font faces of the original program mapped to faces this machine has (one table).
QString SubstituerPolice(const QString& face);
// The QFont a canvas font gives (pixel size = round(Size x PixelsPerInch / 72)).
QFont PoliceQt(const TCanvasFont& f);

class TCanvas {
 public:
  // Draws on a paint device; the painter is opened and closed by the canvas.
  explicit TCanvas(QPaintDevice* device);
  // Draws through an existing painter (a widget's paint event, a printer job).
  explicit TCanvas(QPainter* painter);
  ~TCanvas();
  TCanvas(const TCanvas&) = delete;
  TCanvas& operator=(const TCanvas&) = delete;

  TCanvasPen Pen;
  TCanvasBrush Brush;
  TCanvasFont Font;

  void MoveTo(int x, int y);
  void LineTo(int x, int y);
  QPoint PenPos() const { return pos_; }
  void Rectangle(int x1, int y1, int x2, int y2);
  void FillRect(int x1, int y1, int x2, int y2);  // brush only, no outline
  void Ellipse(int x1, int y1, int x2, int y2);
  void Arc(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4);
  void Polygon(const std::vector<QPoint>& points);
  void Polyline(const std::vector<QPoint>& points);
  void TextOut(int x, int y, const QString& text);
  int TextWidth(const QString& text);
  int TextHeight(const QString& text);
  TColor Pixel(int x, int y) const;
  void SetPixel(int x, int y, TColor c);

  QPainter* Painter() const { return painter_; }

 private:
  void PlotLine(int x0, int y0, int x1, int y1, bool last);
  void ApplyPen();
  QImage* image_ = nullptr;  // set when drawing on an image, for Pixel()
  QPainter* painter_ = nullptr;
  bool ownsPainter_ = false;
  QPoint pos_{0, 0};
};
