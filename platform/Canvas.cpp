#include "platform/Canvas.h"

#include <QFont>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <QPaintDevice>
#include <QPen>
#include <cmath>

QColor ToQColor(TColor c) { return QColor(ColorRed(c), ColorGreen(c), ColorBlue(c)); }

namespace {

struct Substitution {
  const char* from;
  const char* to;
};
// Faces of the original program and the metric-compatible faces that stand for them.
constexpr Substitution kSubstitutions[] = {
    {"Arial", "Liberation Sans"},
    {"Times New Roman", "Liberation Serif"},
    {"Courier New", "Liberation Mono"},
    {"MS Sans Serif", "Liberation Sans"},
    {"Small Fonts", "Liberation Sans"},
    {"Symbol", "Liberation Serif"},
};
}  // namespace

QString SubstituerPolice(const QString& face) {
  for (const auto& s : kSubstitutions)
    if (face.compare(QLatin1String(s.from), Qt::CaseInsensitive) == 0) return QString::fromLatin1(s.to);
  return face;
}

QFont PoliceQt(const TCanvasFont& f) {
  QFont q(SubstituerPolice(f.Name));
  q.setPixelSize(std::max(1, Arrondi(std::abs(f.Size) * f.PixelsPerInch / 72.0)));
  q.setBold(f.Bold);
  q.setItalic(f.Italic);
  q.setUnderline(f.Underline);
  q.setStyleStrategy(QFont::NoAntialias);
  q.setHintingPreference(QFont::PreferFullHinting);
  return q;
}

TCanvas::TCanvas(QPaintDevice* device) {
  if (device->devType() == QInternal::Image) image_ = static_cast<QImage*>(device);
  painter_ = new QPainter(device);
  ownsPainter_ = true;
  painter_->setRenderHint(QPainter::Antialiasing, false);
  painter_->setRenderHint(QPainter::TextAntialiasing, false);
}

TCanvas::TCanvas(QPainter* painter) : painter_(painter) {
  if (painter_->device() && painter_->device()->devType() == QInternal::Image)
    image_ = static_cast<QImage*>(painter_->device());
  painter_->setRenderHint(QPainter::Antialiasing, false);
  painter_->setRenderHint(QPainter::TextAntialiasing, false);
}

TCanvas::~TCanvas() {
  if (ownsPainter_) {
    painter_->end();
    delete painter_;
  }
}

void TCanvas::ApplyPen() {
  QPen p(ToQColor(Pen.Color));
  p.setWidth(std::max(1, Pen.Width));
  p.setCapStyle(Qt::FlatCap);
  p.setJoinStyle(Qt::MiterJoin);
  if (Pen.Style == TPenStyle::psClear) p.setStyle(Qt::NoPen);
  if (Pen.Style == TPenStyle::psDot) p.setStyle(Qt::DotLine);
  painter_->setPen(p);
}

// Bresenham, so that thin lines hit exactly the pixels the drawing code expects.
void TCanvas::PlotLine(int x0, int y0, int x1, int y1, bool last) {
  if (Pen.Style == TPenStyle::psClear) return;
  if (Pen.Width > 1) {
    ApplyPen();
    painter_->setBrush(Qt::NoBrush);
    // Thick lines: centred on the ideal line, end pixel excluded by shortening one pixel.
    double dx = x1 - x0, dy = y1 - y0;
    double len = std::hypot(dx, dy);
    if (len < 1) return;
    double ex = last ? x1 : x1 - dx / len, ey = last ? y1 : y1 - dy / len;
    painter_->drawLine(QPointF(x0 + 0.5, y0 + 0.5), QPointF(ex + 0.5, ey + 0.5));
    return;
  }
  QColor col = ToQColor(Pen.Color);
  if (Pen.Style == TPenStyle::psSolid && (x0 == x1 || y0 == y1)) {
    // A straight run in one fill: the pixels of the walk below, end pixel included only when asked.
    int xa = x0, ya = y0, xb = x1, yb = y1;
    if (!last) {
      if (x0 == x1 && y0 == y1) return;
      if (x1 != x0) xb -= x1 > x0 ? 1 : -1;
      else yb -= y1 > y0 ? 1 : -1;
    }
    painter_->fillRect(std::min(xa, xb), std::min(ya, yb), std::abs(xb - xa) + 1, std::abs(yb - ya) + 1, col);
    return;
  }
  int dx = std::abs(x1 - x0), sx = x0 < x1 ? 1 : -1;
  int dy = -std::abs(y1 - y0), sy = y0 < y1 ? 1 : -1;
  int err = dx + dy;
  int x = x0, y = y0;
  int n = 0;
  painter_->save();
  painter_->setPen(Qt::NoPen);
  painter_->setBrush(Qt::NoBrush);
  while (true) {
    if (x == x1 && y == y1) {
      if (last) painter_->fillRect(x, y, 1, 1, col);
      break;
    }
    if (Pen.Style != TPenStyle::psDot || (n % 2) == 0) painter_->fillRect(x, y, 1, 1, col);
    ++n;
    int e2 = 2 * err;
    if (e2 >= dy) { err += dy; x += sx; }
    if (e2 <= dx) { err += dx; y += sy; }
  }
  painter_->restore();
}

void TCanvas::MoveTo(int x, int y) { pos_ = QPoint(x, y); }

void TCanvas::LineTo(int x, int y) {
  PlotLine(pos_.x(), pos_.y(), x, y, false);
  pos_ = QPoint(x, y);
}

void TCanvas::Polyline(const std::vector<QPoint>& pts) {
  for (size_t i = 1; i < pts.size(); ++i) PlotLine(pts[i - 1].x(), pts[i - 1].y(), pts[i].x(), pts[i].y(), false);
  if (!pts.empty()) pos_ = pts.back();
}

void TCanvas::FillRect(int x1, int y1, int x2, int y2) {
  if (Brush.Style == TBrushStyle::bsClear) return;
  if (x2 < x1) std::swap(x1, x2);
  if (y2 < y1) std::swap(y1, y2);
  painter_->fillRect(x1, y1, x2 - x1, y2 - y1, ToQColor(Brush.Color));
}

void TCanvas::Rectangle(int x1, int y1, int x2, int y2) {
  if (x2 < x1) std::swap(x1, x2);
  if (y2 < y1) std::swap(y1, y2);
  FillRect(x1, y1, x2, y2);
  if (Pen.Style == TPenStyle::psClear || x2 - x1 < 1 || y2 - y1 < 1) return;
  int w = std::max(1, Pen.Width);
  if (w == 1) {
    PlotLine(x1, y1, x2 - 1, y1, true);
    PlotLine(x2 - 1, y1, x2 - 1, y2 - 1, true);
    PlotLine(x2 - 1, y2 - 1, x1, y2 - 1, true);
    PlotLine(x1, y2 - 1, x1, y1, true);
    return;
  }
  // A thick frame stays inside the box, which is what the layout code counts on.
  QColor c = ToQColor(Pen.Color);
  painter_->fillRect(x1, y1, x2 - x1, w, c);
  painter_->fillRect(x1, y2 - w, x2 - x1, w, c);
  painter_->fillRect(x1, y1, w, y2 - y1, c);
  painter_->fillRect(x2 - w, y1, w, y2 - y1, c);
}

void TCanvas::Ellipse(int x1, int y1, int x2, int y2) {
  if (x2 < x1) std::swap(x1, x2);
  if (y2 < y1) std::swap(y1, y2);
  ApplyPen();
  if (Brush.Style == TBrushStyle::bsSolid)
    painter_->setBrush(ToQColor(Brush.Color));
  else
    painter_->setBrush(Qt::NoBrush);
  painter_->drawEllipse(QRect(x1, y1, std::max(0, x2 - x1 - 1), std::max(0, y2 - y1 - 1)));
}

void TCanvas::Arc(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4) {
  if (Pen.Style == TPenStyle::psClear) return;
  if (x2 < x1) std::swap(x1, x2);
  if (y2 < y1) std::swap(y1, y2);
  double cx = (x1 + x2) / 2.0, cy = (y1 + y2) / 2.0;
  // Angles in degrees, counter-clockwise with y pointing up, as Qt's drawArc wants them.
  double a1 = std::atan2(-(y3 - cy), x3 - cx) * 180.0 / M_PI;
  double a2 = std::atan2(-(y4 - cy), x4 - cx) * 180.0 / M_PI;
  double span = a2 - a1;
  while (span <= 0) span += 360.0;
  ApplyPen();
  painter_->setBrush(Qt::NoBrush);
  painter_->drawArc(QRect(x1, y1, std::max(0, x2 - x1 - 1), std::max(0, y2 - y1 - 1)), Arrondi(a1 * 16),
                    Arrondi(span * 16));
}

void TCanvas::Polygon(const std::vector<QPoint>& points) {
  if (points.empty()) return;
  ApplyPen();
  if (Brush.Style == TBrushStyle::bsSolid)
    painter_->setBrush(ToQColor(Brush.Color));
  else
    painter_->setBrush(Qt::NoBrush);
  painter_->drawPolygon(points.data(), static_cast<int>(points.size()));
}

int TCanvas::TextWidth(const QString& text) {
  QFontMetrics fm(PoliceQt(Font));
  return fm.horizontalAdvance(text);
}

int TCanvas::TextHeight(const QString& text) {
  QFontMetrics fm(PoliceQt(Font));
  (void)text;
  return fm.height();
}

void TCanvas::TextOut(int x, int y, const QString& text) {
  QFont f = PoliceQt(Font);
  QFontMetrics fm(f);
  int w = fm.horizontalAdvance(text), h = fm.height();
  if (Brush.Style == TBrushStyle::bsSolid) painter_->fillRect(x, y, w, h, ToQColor(Brush.Color));
  painter_->setFont(f);
  painter_->setPen(ToQColor(Font.Color));
  painter_->drawText(x, y + fm.ascent(), text);
  pos_ = QPoint(x + w, y);
}

TColor TCanvas::Pixel(int x, int y) const {
  if (!image_ || x < 0 || y < 0 || x >= image_->width() || y >= image_->height()) return -1;
  QRgb p = image_->pixel(x, y);
  return RGBToColor(qRed(p), qGreen(p), qBlue(p));
}

void TCanvas::SetPixel(int x, int y, TColor c) { painter_->fillRect(x, y, 1, 1, ToQColor(c)); }
