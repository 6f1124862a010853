#include "components/VxLabel.h"

#include <QDesktopServices>
#include <QFontDatabase>
#include <QMouseEvent>
#include <QPainter>
#include <QUrl>
#include <algorithm>
#include <cmath>

#include "platform/Canvas.h"

namespace {
int Nearest(double v) { return static_cast<int>(std::nearbyint(v)); }
}  // namespace

int NormalizedAngle(int degrees) {
  const int r = degrees % 360;
  return r < 0 ? r + 360 : r;
}

TAngledTextPlace AngledTextPlace(int angle, Qt::Alignment horizontal, const TRect& client, int width, int height,
                                 int textHeight, int textWidth, int shadow) {
  const bool centre = horizontal & Qt::AlignHCenter, right = horizontal & Qt::AlignRight;
  const int W = textWidth, H = textHeight, s = shadow;
  const double theta = angle * M_PI / 180.0 + M_PI / 2.0, d = H / 4.0;
  TAngledTextPlace p{width / 2, height / 2, false, true};
  switch (angle) {
    case 0:
    case 360:
      p.Baseline = false;
      if (centre) p.CentreX = true;
      else p.X = right ? client.Right - W - s : client.Left + s;
      p.Y -= H / 2;
      break;
    case 90:
      p.X -= Nearest(std::cos(theta) * d);
      p.Y = centre ? client.Bottom - (client.Bottom - W) / 2 : right ? W + client.Top + s : client.Bottom - s;
      break;
    case 180:
      p.X = centre ? client.Right - (client.Right - W) / 2 : right ? W + client.Left : client.Right - s;
      p.Y -= H / 4;
      break;
    case 270:
      p.X -= Nearest(std::cos(theta) * d);
      p.Y = centre ? (client.Bottom - W) / 2 : right ? client.Bottom - W - s : client.Top + s;
      break;
    default:
      p.X -= Nearest(std::cos(theta) * d);
      p.Y += Nearest(std::sin(theta) * d);
      p.CentreX = true;
      break;
  }
  return p;
}

// ---- TVxLabel ----
TVxLabel::TVxLabel(QWidget* parent) : QLabel(parent) { AddBlinkingControl(this); }

TVxLabel::~TVxLabel() {
  RemoveBlinkingControl(this);
  ReleaseBlinkingControls();
}

void TVxLabel::SetAngle(int a) {
  // Any angle is kept within one turn: -30 is 330 and -400 is 320.
  const int v = NormalizedAngle(a);
  if (v == angle_) return;
  angle_ = v;
  if (v != 0) {
    autoSize_ = false;
    if (rotation_ == TRotation::roNone) rotation_ = TRotation::roFlat;
    EnsureScalableFont();
  }
  update();
}

void TVxLabel::SetRotation(TRotation r) {
  if (r == rotation_) return;
  rotation_ = r;
  if (r != TRotation::roNone) EnsureScalableFont();
  if (r == TRotation::roNone || r == TRotation::roFlat) angle_ = 0;
  if (r == TRotation::roFlat) centerPoint_ = TCenterPoint::cpCenter;
  update();
}

void TVxLabel::EnsureScalableFont() {
  // Rotated glyphs need an outline font.
  if (!QFontDatabase::isSmoothlyScalable(font().family())) {
    QFont f = font();
    f.setFamily(QStringLiteral("Arial"));
    setFont(f);
  }
}

void TVxLabel::SetCenterPoint(TCenterPoint c) {
  if (c == centerPoint_) return;
  centerPoint_ = c;
  update();
}
void TVxLabel::SetTextStyle(TTextStyle s) {
  if (s == textStyle_) return;
  textStyle_ = s;
  update();
}
void TVxLabel::SetLightTextStyle(bool v) {
  if (v == lightTextStyle_) return;
  lightTextStyle_ = v;
  update();
}
void TVxLabel::SetShadowDepth(int d) {
  if (d == shadowDepth_) return;
  shadowDepth_ = d;
  update();
}

void TVxLabel::SetFlyByEnabled(bool v) {
  if (v == flyByEnabled_) return;
  flyByEnabled_ = v;
  if (!v && underMouse()) ShowFontColor(flyBySaved_);
  update();
}

void TVxLabel::SetBlinking(bool v) {
  if (v == blinking_) return;
  blinking_ = v;
  if (!v && !normalShown_) {
    normalShown_ = true;
    ShowFontColor(blinkSaved_);
  }
}

int TVxLabel::BlinkIntervalOn() { return BlinkingControls ? BlinkingControls->OnInterval : 500; }
void TVxLabel::SetBlinkIntervalOn(int ms) {
  if (BlinkingControls) BlinkingControls->OnInterval = ms;
}
int TVxLabel::BlinkIntervalOff() { return BlinkingControls ? BlinkingControls->OffInterval : 500; }
void TVxLabel::SetBlinkIntervalOff(int ms) {
  if (BlinkingControls) BlinkingControls->OffInterval = ms;
}

// The list may tell a label the phase it already shows (its first tick is an off phase): the
// normal colour is saved only when it leaves the screen, and put back only when it is not there.
void TVxLabel::BlinkPhase(int phase) {
  if (phase == 1) {
    if (normalShown_) blinkSaved_ = fontColor_;
    normalShown_ = false;
    ShowFontColor(blinkColor_);
  } else if (!normalShown_) {
    normalShown_ = true;
    ShowFontColor(blinkSaved_);
  }
}

// Border setters: the borders change the text area, so the label stops sizing itself.
void TVxLabel::SetBorderSides(TSides s) {
  autoSize_ = false;
  if (s == borderSides_) return;
  borderSides_ = s;
  update();
}
void TVxLabel::SetBorderOuter(TFrameStyle s) {
  autoSize_ = false;
  if (s == borderOuter_) return;
  borderOuter_ = s;
  update();
}
void TVxLabel::SetBorderInner(TFrameStyle s) {
  autoSize_ = false;
  if (s == borderInner_) return;
  borderInner_ = s;
  update();
}
void TVxLabel::SetBorderWidth(int w) {
  autoSize_ = false;
  if (w == borderWidth_) return;
  borderWidth_ = w;
  update();
}
void TVxLabel::SetBevelWidth(int w) {
  autoSize_ = false;
  if (w == bevelWidth_) return;
  bevelWidth_ = w;
  update();
}
void TVxLabel::SetFrameSides(TSides s) {
  autoSize_ = false;
  if (s == frameSides_) return;
  frameSides_ = s;
  update();
}
void TVxLabel::SetLayout(TTextLayout l) {
  if (l == layout_) return;
  layout_ = l;
  update();
}

void TVxLabel::SetFontColor(TColor c) {
  // While the blink colour shows, the new colour waits for the off phase.
  if (!normalShown_)
    blinkSaved_ = c;
  else
    ShowFontColor(c);
}

void TVxLabel::ShowFontColor(TColor c) {
  if (c == fontColor_) return;
  fontColor_ = c;
  update();
}

void TVxLabel::Repaint(TColor& field, TColor c) {
  if (c == field) return;
  field = c;
  update();
}
// A border's colours belong to a look the caller sizes: the label stops sizing itself.
void TVxLabel::RepaintUnsized(TColor& field, TColor c) {
  autoSize_ = false;
  Repaint(field, c);
}
void TVxLabel::SetShadowColor(TColor c) { Repaint(shadowColor_, c); }
void TVxLabel::SetHighlightColor(TColor c) { Repaint(highlightColor_, c); }
void TVxLabel::SetFlyByColor(TColor c) { Repaint(flyByColor_, c); }
void TVxLabel::SetBlinkColor(TColor c) { Repaint(blinkColor_, c); }
void TVxLabel::SetFlatColor(TColor c) { Repaint(flatColor_, c); }
void TVxLabel::SetColor(TColor c) { Repaint(color_, c); }
void TVxLabel::SetBorderColor(TColor c) { RepaintUnsized(borderColor_, c); }
void TVxLabel::SetBorderHighlight(TColor c) { RepaintUnsized(borderHighlight_, c); }
void TVxLabel::SetBorderShadow(TColor c) { RepaintUnsized(borderShadow_, c); }

void TVxLabel::SetTransparent(bool v) {
  if (v == transparent_) return;
  transparent_ = v;
  update();
}

void TVxLabel::SetShowAccelChar(bool v) {
  if (v == showAccelChar_) return;
  showAccelChar_ = v;
  AdjustBounds();
  update();
}

void TVxLabel::SetAutoSize(bool v) {
  if (v == autoSize_) return;
  autoSize_ = v;
  AdjustBounds();
}

void TVxLabel::setText(const QString& text) {
  QLabel::setText(text);
  AdjustBounds();
}

int TVxLabel::TextFlags() const {
  const Qt::Alignment h = alignment() & Qt::AlignHorizontal_Mask;
  int flags = Qt::TextExpandTabs | Qt::AlignTop |
              ((h & Qt::AlignRight) ? Qt::AlignRight : (h & Qt::AlignHCenter) ? Qt::AlignHCenter : Qt::AlignLeft);
  if (wordWrap()) flags |= Qt::TextWordWrap;
  if (showAccelChar_) flags |= Qt::TextShowMnemonic;
  return flags;
}

QSize TVxLabel::AutoSizeExtent() const {
  const TRect cr = ClientRect();
  const int extraW = width() - (cr.Right - cr.Left), extraH = height() - (cr.Bottom - cr.Top);
  // An empty text still takes a line's height.
  const QString t = text().isEmpty() ? QStringLiteral(" ") : text();
  const QFontMetrics fm(font());
  // A wrapped text keeps the width and takes the height its lines need.
  if (wordWrap()) {
    const int room = std::max(1, cr.Right - cr.Left);
    return {width(), fm.boundingRect(QRect(0, 0, room, 0x7FFF), TextFlags(), t).height() + extraH};
  }
  const QSize need = fm.size(TextFlags(), t);
  return {need.width() + extraW, need.height() + extraH};
}

void TVxLabel::AdjustBounds() {
  if (autoSize_) resize(AutoSizeExtent());
}

void TVxLabel::changeEvent(QEvent* e) {
  QLabel::changeEvent(e);
  // A font that cannot be rotated takes the text back to straight.
  if (e->type() == QEvent::FontChange && angle_ != 0 && !QFontDatabase::isSmoothlyScalable(font().family())) angle_ = 0;
  if (e->type() == QEvent::FontChange) AdjustBounds();
}

TRect TVxLabel::ClientRect() const {
  TRect r{0, 0, width(), height()};
  if (frameSides_ & sdLeft) ++r.Left;
  if (frameSides_ & sdTop) ++r.Top;
  if (frameSides_ & sdRight) --r.Right;
  if (frameSides_ & sdBottom) --r.Bottom;
  r.Left += borderWidth_;
  r.Top += borderWidth_;
  r.Right -= borderWidth_;
  r.Bottom -= borderWidth_;
  const int w = FrameStyleWidth(borderOuter_, bevelWidth_) + FrameStyleWidth(borderInner_, bevelWidth_);
  if (borderSides_ & sdLeft) r.Left += w;
  if (borderSides_ & sdTop) r.Top += w;
  if (borderSides_ & sdRight) r.Right -= w;
  if (borderSides_ & sdBottom) r.Bottom -= w;
  return r;
}

void TVxLabel::paintEvent(QPaintEvent*) {
  QPainter p(this);
  TCanvas c(&p);
  PaintLabel(c);
}

void TVxLabel::PaintLabel(TCanvas& c) {
  TRect r{0, 0, width(), height()};
  r = DrawSideLines(c, r, clBlack, clBlack, frameSides_);
  auto border = [&](TFrameStyle s) {
    switch (s) {
      case TFrameStyle::fsFlat:
        r = DrawBevelBands(c, r, flatColor_, flatColor_, 1, borderSides_);
        break;
      case TFrameStyle::fsPopup:
        r = DrawBevelBands(c, r, borderHighlight_, borderShadow_, bevelWidth_, borderSides_);
        break;
      case TFrameStyle::fsStatus:
        r = DrawBevelBands(c, r, borderShadow_, borderHighlight_, bevelWidth_, borderSides_);
        break;
      default:
        r = DrawFrameStyleSides(c, r, s, borderSides_);
        break;
    }
  };
  border(borderOuter_);
  if (borderWidth_ > 0) r = DrawBevelBands(c, r, borderColor_, borderColor_, borderWidth_, borderSides_);
  border(borderInner_);
  QPainter& p = *c.Painter();
  if (!transparent_) p.fillRect(QRect(r.Left, r.Top, r.Right - r.Left, r.Bottom - r.Top), ToQColor(color_));
  p.setFont(font());
  if (rotation_ == TRotation::roCurve)
    DrawCurvedText(p);
  else
    DrawStraightText(p, ClientRect());
}

void TVxLabel::DrawTextCopies(QPainter& p, const std::function<void(int, int, TColor)>& draw) {
  if (!isEnabled()) {
    draw(1, 1, clBtnHighlight);
    draw(0, 0, clGrayText);
    return;
  }
  switch (textStyle_) {
    case TTextStyle::tsRaised:
      if (!lightTextStyle_) draw(1, 1, shadowColor_);
      draw(-1, -1, highlightColor_);
      break;
    case TTextStyle::tsRecessed:
      draw(1, 1, highlightColor_);
      if (!lightTextStyle_) draw(-1, -1, shadowColor_);
      break;
    case TTextStyle::tsShadow:
      draw(shadowDepth_, shadowDepth_, shadowColor_);
      break;
    case TTextStyle::tsNormal:
      break;
  }
  draw(0, 0, fontColor_);
  (void)p;
}

void TVxLabel::DrawStraightText(QPainter& p, const TRect& cr) {
  const QRect client(cr.Left, cr.Top, cr.Right - cr.Left, cr.Bottom - cr.Top);
  const QString t = text();
  const Qt::Alignment h = alignment() & Qt::AlignHorizontal_Mask;
  const Qt::Alignment horizontal = (h & Qt::AlignRight) ? Qt::AlignRight : (h & Qt::AlignHCenter) ? Qt::AlignHCenter : Qt::AlignLeft;
  const int shadow = textStyle_ == TTextStyle::tsShadow ? shadowDepth_ : 0;
  p.save();
  p.setClipRect(client);
  if (rotation_ == TRotation::roFlat) {
    const TAngledFont a = CreateAngledFont(font(), angle_);
    const QFont f = FontOfAngled(a);
    const QFontMetrics fm(f);
    const int mnemonic = showAccelChar_ ? Qt::TextShowMnemonic : 0;
    const int W = fm.size(mnemonic, t).width();
    const TAngledTextPlace at = AngledTextPlace(angle_, horizontal, cr, width(), height(),
                                                fm.height(), W, shadow);
    p.setFont(f);
    const QPoint origin(at.CentreX ? -W / 2 : 0, at.Baseline ? 0 : fm.ascent());
    DrawTextCopies(p, [&](int dx, int dy, TColor col) {
      p.save();
      p.translate(at.X + dx, at.Y + dy);
      p.rotate(-a.Escapement / 10.0);
      p.setPen(ToQColor(col));
      p.drawText(QRect(origin.x(), origin.y() - fm.ascent(), W, fm.height()),
                 Qt::AlignLeft | Qt::AlignTop | Qt::TextDontClip | mnemonic, t);
      p.restore();
    });
    p.restore();
    return;
  }
  const int flags = TextFlags();
  // The text is measured, then moved down into place: the whole way for the bottom, half for the centre.
  QRect zone = client;
  if (layout_ != TTextLayout::tlTop) {
    const QRect need = p.boundingRect(client, flags, t);
    int down = height() - borderWidth_ - (client.top() + need.height());
    if (layout_ == TTextLayout::tlCenter) down /= 2;
    zone.translate(0, down);
  }
  // Copies drawn to the right or below stay inside the area.
  const int recul = textStyle_ == TTextStyle::tsShadow ? shadowDepth_ : 1;
  if (horizontal & Qt::AlignRight) zone.translate(-recul, 0);
  if (layout_ == TTextLayout::tlBottom) zone.translate(0, -recul);
  DrawTextCopies(p, [&](int dx, int dy, TColor col) {
    p.setPen(ToQColor(col));
    p.drawText(zone.translated(dx, dy), flags, t);
  });
  p.restore();
}

void TVxLabel::DrawCurvedText(QPainter& p) {
  const int W = width(), H = height(), b = borderWidth_;
  QPoint C;
  int rx = 0, ry = 0;
  switch (centerPoint_) {
    case TCenterPoint::cpUpperLeft:
      C = {b, b};
      rx = W - 2 * b;
      ry = H - 2 * b;
      break;
    case TCenterPoint::cpUpperCenter:
      C = {W / 2, b};
      rx = W / 2 - 2 * b;
      ry = H - 2 * b;
      break;
    case TCenterPoint::cpUpperRight:
      C = {W, b};
      rx = W - 2 * b;
      ry = H - 2 * b;
      break;
    case TCenterPoint::cpLeftCenter:
      C = {b, H / 2};
      rx = W - 2 * b;
      ry = H / 2 - 2 * b;
      break;
    case TCenterPoint::cpCenter:
      C = {W / 2, H / 2};
      rx = W / 2 - 2 * b;
      ry = H / 2 - 2 * b;
      break;
    case TCenterPoint::cpRightCenter:
      C = {W - b, H / 2};
      rx = W - 2 * b;
      ry = H / 2 - 2 * b;
      break;
    case TCenterPoint::cpLowerLeft:
      C = {b, H - b};
      rx = W - 2 * b;
      ry = H - 2 * b;
      break;
    case TCenterPoint::cpLowerCenter:
      C = {W / 2, H - b};
      rx = W / 2 - 2 * b;
      ry = H - 2 * b;
      break;
    case TCenterPoint::cpLowerRight:
      C = {W - b, H - b};
      rx = W - 2 * b;
      ry = H - 2 * b;
      break;
  }
  if (rx <= 0) return;
  const QFontMetrics fm(font());
  const int h = fm.height();
  const double pas = (fm.horizontalAdvance(QLatin1Char('w')) + 2.0) / rx;
  double theta = angle_ * M_PI / 180.0;
  for (QChar ch : text()) {
    const int x = C.x() - Nearest(std::sin(theta) * (rx - h));
    const int y = C.y() - Nearest(std::cos(theta) * (ry - h));
    p.save();
    p.translate(x, y);
    p.rotate(-theta * 180.0 / M_PI);
    const int w = fm.horizontalAdvance(ch);
    DrawTextCopies(p, [&](int dx, int dy, TColor col) {
      p.setPen(ToQColor(col));
      p.drawText(QPoint(dx - w / 2, dy), QString(ch));
    });
    p.restore();
    theta -= pas;  // clockwise
  }
}

void TVxLabel::mouseReleaseEvent(QMouseEvent* e) {
  QLabel::mouseReleaseEvent(e);
  if (e->button() == Qt::LeftButton && rect().contains(e->position().toPoint())) Click();
}

void TVxLabel::Click() {
  if (OnClick) OnClick();
}

void TVxLabel::enterEvent(QEnterEvent* e) {
  QLabel::enterEvent(e);
  if (flyByEnabled_) {
    flyBySaved_ = fontColor_;
    ShowFontColor(flyByColor_);
  }
  if (OnMouseEnter) OnMouseEnter();
}

void TVxLabel::leaveEvent(QEvent* e) {
  QLabel::leaveEvent(e);
  if (flyByEnabled_) ShowFontColor(flyBySaved_);
  if (OnMouseLeave) OnMouseLeave();
}

// ---- TVxURLLabel ----
std::function<bool(const QString&)> TVxURLLabel::OpenAddress = [](const QString& adresse) {
  return QDesktopServices::openUrl(QUrl::fromUserInput(adresse));
};

TVxURLLabel::TVxURLLabel(QWidget* parent) : TVxLabel(parent) {
  setCursor(Qt::PointingHandCursor);
  SetTextStyle(TTextStyle::tsNormal);
  SetFontColor(unvisitedColor_);
  QFont f = font();
  f.setUnderline(true);
  setFont(f);
}

QString TVxURLLabel::Address() const {
  const QString u = URL.trimmed();
  return u.isEmpty() ? text().trimmed() : u;
}

void TVxURLLabel::Click() {
  TVxLabel::Click();
  const QString adresse = Address();
  if (adresse.isEmpty()) return;
  // Whether the desktop could open it is not told: the link counts as followed.
  if (OpenAddress) OpenAddress(adresse);
  SetVisited(true);
}

void TVxURLLabel::ShowVisitState() { SetFontColor(visited_ ? visitedColor_ : unvisitedColor_); }

void TVxURLLabel::SetVisited(bool v) {
  if (v == visited_) return;
  visited_ = v;
  ShowVisitState();
}
void TVxURLLabel::SetVisitedColor(TColor c) {
  if (c == visitedColor_) return;
  visitedColor_ = c;
  ShowVisitState();
}
void TVxURLLabel::SetUnvisitedColor(TColor c) {
  if (c == unvisitedColor_) return;
  unvisitedColor_ = c;
  ShowVisitState();
}
