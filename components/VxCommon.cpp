#include "components/VxCommon.h"

#include <QFontInfo>
#include <QFontMetrics>
#include <QTimer>
#include <algorithm>

TRect DrawSideLines(TCanvas& c, TRect r, TColor upperLeft, TColor lowerRight, TSides sides) {
  c.Pen.Color = upperLeft;
  if (sides & sdLeft) {
    c.MoveTo(r.Left, r.Top);
    c.LineTo(r.Left, r.Bottom);
  }
  if (sides & sdTop) {
    c.MoveTo(r.Left, r.Top);
    c.LineTo(r.Right, r.Top);
  }
  c.Pen.Color = lowerRight;
  if (sides & sdRight) {
    c.MoveTo(r.Right - 1, r.Top);
    c.LineTo(r.Right - 1, r.Bottom);
  }
  if (sides & sdBottom) {
    c.MoveTo(r.Left, r.Bottom - 1);
    c.LineTo(r.Right, r.Bottom - 1);
  }
  if (sides & sdLeft) ++r.Left;
  if (sides & sdTop) ++r.Top;
  if (sides & sdRight) --r.Right;
  if (sides & sdBottom) --r.Bottom;
  return r;
}

TRect DrawBevelBands(TCanvas& c, TRect r, TColor upperLeft, TColor lowerRight, int width, TSides sides) {
  c.Pen.Width = 1;
  for (int i = 0; i < width; ++i) r = DrawSideLines(c, r, upperLeft, lowerRight, sides);
  return r;
}

TRect DrawThreeDBorder(TCanvas& c, TRect r, bool lowered, TSides sides) {
  if (lowered) {
    r = DrawSideLines(c, r, clBtnShadow, clBtnHighlight, sides);
    return DrawSideLines(c, r, clBtnText, clBtnFace, sides);
  }
  r = DrawSideLines(c, r, clBtnFace, clBtnText, sides);
  return DrawSideLines(c, r, clBtnHighlight, clBtnShadow, sides);
}

TRect DrawButtonBorder(TCanvas& c, TRect r, bool lowered, TSides sides) {
  if (lowered) {
    r = DrawSideLines(c, r, clBtnText, clBtnText, sides);
    return DrawSideLines(c, r, clBtnShadow, clBtnShadow, sides);
  }
  r = DrawSideLines(c, r, clBtnHighlight, clBtnText, sides);
  return DrawSideLines(c, r, clBtnFace, clBtnShadow, sides);
}

TRect DrawFrameStyleSides(TCanvas& c, TRect r, TFrameStyle style, TSides sides) {
  switch (style) {
    case TFrameStyle::fsNone: return r;
    case TFrameStyle::fsFlat: return DrawSideLines(c, r, clWindowFrame, clWindowFrame, sides);
    case TFrameStyle::fsStatus: return DrawSideLines(c, r, clBtnShadow, clBtnHighlight, sides);
    case TFrameStyle::fsPopup: return DrawSideLines(c, r, clBtnHighlight, clBtnShadow, sides);
    case TFrameStyle::fsLowered:
    case TFrameStyle::fsRaised: return DrawThreeDBorder(c, r, style == TFrameStyle::fsLowered, sides);
    case TFrameStyle::fsButtonDown:
    case TFrameStyle::fsButtonUp: return DrawButtonBorder(c, r, style == TFrameStyle::fsButtonDown, sides);
    case TFrameStyle::fsGroove:
    case TFrameStyle::fsBump: break;
  }
  const TColor ul = style == TFrameStyle::fsGroove ? clBtnShadow : clBtnHighlight;
  const TColor lr = style == TFrameStyle::fsGroove ? clBtnHighlight : clBtnShadow;
  // The corner pixels where an etched side meets one that is not drawn.
  if (sides & sdRight) c.SetPixel(r.Right - 1, r.Top, lr);
  else if (sides & sdTop) c.SetPixel(r.Right - 1, r.Top, ul);
  if (sides & sdBottom) c.SetPixel(r.Left, r.Bottom - 1, lr);
  else if (sides & sdLeft) c.SetPixel(r.Left, r.Bottom - 1, ul);
  if ((sides & sdTop) && !(sides & sdLeft)) c.SetPixel(r.Left, r.Top + 1, lr);
  if ((sides & sdLeft) && !(sides & sdTop)) c.SetPixel(r.Left + 1, r.Top, lr);
  if ((sides & sdBottom) && !(sides & sdRight)) c.SetPixel(r.Right - 1, r.Bottom - 2, ul);
  if ((sides & sdRight) && !(sides & sdBottom)) c.SetPixel(r.Right - 2, r.Bottom - 1, ul);
  DrawSideLines(c, {r.Left + 1, r.Top + 1, r.Right, r.Bottom}, lr, lr, sides);
  DrawSideLines(c, {r.Left, r.Top, r.Right - 1, r.Bottom - 1}, ul, ul, sides);
  if (sides & sdLeft) r.Left += 2;
  if (sides & sdTop) r.Top += 2;
  if (sides & sdRight) r.Right -= 2;
  if (sides & sdBottom) r.Bottom -= 2;
  return r;
}

void PaintControlFrame(TCanvas& c, int width, int height, TFrameStyle style, TColor erase, TColor frame, TSides sides) {
  TRect r = DrawBevelBands(c, {0, 0, width, height}, erase, erase, 2, sdAll);
  if (style == TFrameStyle::fsFlat) DrawSideLines(c, r, frame, frame, sides);
  else DrawFrameStyleSides(c, r, style, sides);
}

int FrameStyleWidth(TFrameStyle style, int bevelWidth) {
  switch (style) {
    case TFrameStyle::fsNone: return 0;
    case TFrameStyle::fsFlat: return 1;
    case TFrameStyle::fsStatus:
    case TFrameStyle::fsPopup: return bevelWidth;
    default: return 2;
  }
}

TAngledFont CreateAngledFont(const QFont& font, int angleDegrees) {
  TAngledFont f;
  f.Height = font.pixelSize() > 0 ? -font.pixelSize() : -QFontInfo(font).pixelSize();
  f.Escapement = angleDegrees * 10;
  f.Weight = font.bold() ? 700 : 400;
  f.Italic = font.italic();
  f.Underline = font.underline();
  f.StrikeOut = font.strikeOut();
  f.Pitch = QFontInfo(font).fixedPitch() ? 1 : 2;
  f.FaceName = font.family();
  return f;
}

QFont FontOfAngled(const TAngledFont& a) {
  QFont f(a.FaceName);
  if (a.Height != 0) f.setPixelSize(a.Height < 0 ? -a.Height : a.Height);
  f.setBold(a.Weight >= 700);
  f.setItalic(a.Italic);
  f.setUnderline(a.Underline);
  f.setStrikeOut(a.StrikeOut);
  f.setFixedPitch(a.Pitch == 1);
  return f;
}

int FontLineHeight(const QFont& font) { return QFontMetrics(font).height() + 2; }

QChar LastCharOf(const QString& s) { return s.isEmpty() ? QChar() : s.back(); }

int CransMolette(int& reste, int dy) {
  if ((dy > 0 && reste < 0) || (dy < 0 && reste > 0)) reste = 0;
  const long long somme = static_cast<long long>(reste) + dy;  // a step near the int limit stays exact
  const long long crans = somme / 120;
  if (crans > kCransMaxMolette || crans < -kCransMaxMolette) {
    reste = 0;
    return crans > 0 ? kCransMaxMolette : -kCransMaxMolette;
  }
  reste = static_cast<int>(somme - crans * 120);
  return static_cast<int>(crans);
}

TVxBlinkingControlsList* BlinkingControls = nullptr;

TVxBlinkingControlsList::TVxBlinkingControlsList() : timer_(new QTimer(this)) {
  timer_->setInterval(OffInterval);
  QObject::connect(timer_, &QTimer::timeout, this, [this] { Tick(); });
  timer_->start();
}

void TVxBlinkingControlsList::Remove(IBlinkingControl* c) { std::erase(controls_, c); }

void TVxBlinkingControlsList::Tick() {
  if (Phase == 0) {
    Phase = 1;
    timer_->setInterval(OnInterval);
  } else {
    Phase = 0;
    timer_->setInterval(OffInterval);
  }
  // A control may leave the list while it is told the phase: walk a copy.
  const std::vector<IBlinkingControl*> now = controls_;
  for (IBlinkingControl* c : now)
    if (c->QueryBlink()) c->BlinkPhase(Phase);
}

void AddBlinkingControl(IBlinkingControl* c) {
  if (!BlinkingControls) BlinkingControls = new TVxBlinkingControlsList();
  BlinkingControls->Add(c);
}

void RemoveBlinkingControl(IBlinkingControl* c) {
  if (BlinkingControls) BlinkingControls->Remove(c);
}

void ReleaseBlinkingControls() {
  if (BlinkingControls && BlinkingControls->Count() == 0) {
    delete BlinkingControls;
    BlinkingControls = nullptr;
  }
}
