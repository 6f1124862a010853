#include "components/VxButton.h"

#include <QActionEvent>
#include <QDialog>
#include <QIcon>
#include <QMenu>
#include <QPainter>
#include <QPixmap>

int GlyphCountOf(int width, int height, int most) {
  if (height <= 0 || width % height != 0) return 1;
  const int n = width / height;
  return n >= 1 && n <= most ? n : 1;
}

QImage GlyphImage(const QImage& strip, int n, int i) {
  if (strip.isNull() || n <= 0) return {};
  const int w = strip.width() / n;
  return strip.copy(std::min(i, n - 1) * w, 0, w, strip.height());
}

QImage InactiveGlyph(const QImage& glyph, QRgb transparent, QRgb buttonFace) {
  QImage out = glyph.convertToFormat(QImage::Format_ARGB32);
  for (int y = 0; y < out.height(); ++y)
    for (int x = 0; x < out.width(); ++x) {
      const QRgb c = out.pixel(x, y);
      const QRgb rgb = c & 0xFFFFFF;
      if (rgb == (transparent & 0xFFFFFF) || rgb == (buttonFace & 0xFFFFFF)) continue;
      const int g = (77 * qRed(c) + 150 * qGreen(c) + 29 * qBlue(c)) >> 8;
      out.setPixel(x, y, qRgba(g, g, g, qAlpha(c)));
    }
  return out;
}

// The strip's transparent colour is its bottom-left pixel.
static QPixmap Keyed(const QImage& img) {
  if (img.isNull()) return {};
  QImage a = img.convertToFormat(QImage::Format_ARGB32);
  const QRgb key = img.pixel(0, img.height() - 1) & 0xFFFFFF;
  for (int y = 0; y < a.height(); ++y)
    for (int x = 0; x < a.width(); ++x)
      if ((a.pixel(x, y) & 0xFFFFFF) == key) a.setPixel(x, y, 0);
  return QPixmap::fromImage(a);
}

// ---- speed button ----

TVxSpeedButton::TVxSpeedButton(QWidget* parent) : QToolButton(parent) {
  resize(25, 25);
  setToolButtonStyle(Qt::ToolButtonIconOnly);
  setFocusPolicy(Qt::NoFocus);
  connect(this, &QToolButton::clicked, this, [this] {
    if (ModalResult != 0)
      if (auto* d = qobject_cast<QDialog*>(window())) d->done(ModalResult);
  });
}

void TVxSpeedButton::SetGlyph(const QImage& strip) {
  glyph_ = strip;
  if (!strip.isNull()) numGlyphs_ = GlyphCountOf(strip.width(), strip.height(), 5);
  RebuildIcon();
}

void TVxSpeedButton::SetNumGlyphs(int n) {
  numGlyphs_ = std::clamp(n, 1, 5);
  RebuildIcon();
}

void TVxSpeedButton::SetFlat(bool f) {
  setAutoRaise(f);
  RebuildIcon();
}

void TVxSpeedButton::SetAllowTimer(bool on) {
  setAutoRepeat(on);
  setAutoRepeatDelay(InitPause);
  setAutoRepeatInterval(RepeatInterval);
}

void TVxSpeedButton::SetGroupIndex(int g) {
  groupIndex_ = g;
  setCheckable(g != 0);
  if (g == 0) SetDown(false);
}

void TVxSpeedButton::SetDown(bool d) {
  if (groupIndex_ == 0) d = false;
  if (d == down_) return;
  if (!d && !AllowAllUp) return;  // the last down button of a group stays down
  down_ = d;
  setChecked(d);
  // One down button per group among the siblings.
  if (d && parentWidget())
    for (auto* other : parentWidget()->findChildren<TVxSpeedButton*>(Qt::FindDirectChildrenOnly))
      if (other != this && other->groupIndex_ == groupIndex_ && other->down_) {
        other->down_ = false;
        other->setChecked(false);
        other->AllowAllUp = AllowAllUp;
      }
}

void TVxSpeedButton::nextCheckState() {
  if (groupIndex_ == 0) return;
  SetDown(!down_ || !AllowAllUp ? true : false);
}

void TVxSpeedButton::SetDropDownMenu(QMenu* m) {
  setMenu(m);
  setPopupMode(m ? QToolButton::InstantPopup : QToolButton::DelayedPopup);
}

void TVxSpeedButton::RebuildIcon() {
  if (glyph_.isNull()) {
    setIcon(QIcon());
    return;
  }
  const QImage up = GlyphImage(glyph_, numGlyphs_, 0);
  QIcon icon;
  const bool inactive = autoRaise() && GrayedInactive && !mouseInside_ && !down_;
  const QRgb key = glyph_.pixel(0, glyph_.height() - 1);
  icon.addPixmap(Keyed(inactive ? (numGlyphs_ >= 5 ? GlyphImage(glyph_, 5, 4) : InactiveGlyph(up, key, qRgb(0xD4, 0xD0, 0xC8)))
                                : up),
                 QIcon::Normal, QIcon::Off);
  if (numGlyphs_ >= 2) icon.addPixmap(Keyed(GlyphImage(glyph_, numGlyphs_, 1)), QIcon::Disabled);
  icon.addPixmap(Keyed(GlyphImage(glyph_, numGlyphs_, numGlyphs_ >= 3 ? 2 : 0)), QIcon::Active);
  icon.addPixmap(Keyed(GlyphImage(glyph_, numGlyphs_, numGlyphs_ >= 4 ? 3 : 0)), QIcon::Normal, QIcon::On);
  setIcon(icon);
  setIconSize(up.size());
}

void TVxSpeedButton::enterEvent(QEnterEvent* e) {
  QToolButton::enterEvent(e);
  if (!isEnabled()) return;
  mouseInside_ = true;
  if (autoRaise()) RebuildIcon();
  if (OnMouseEnter) OnMouseEnter();
}

void TVxSpeedButton::leaveEvent(QEvent* e) {
  QToolButton::leaveEvent(e);
  if (isDown()) return;
  mouseInside_ = false;
  if (autoRaise()) RebuildIcon();
  if (OnMouseLeave) OnMouseLeave();
}

void TVxSpeedButton::changeEvent(QEvent* e) {
  QToolButton::changeEvent(e);
  if (e->type() == QEvent::EnabledChange) RebuildIcon();
}

// ---- toolbar button ----

TVxToolbarButton::TVxToolbarButton(QWidget* parent) : QToolButton(parent) {
  setAutoRaise(true);  // flat
  setToolButtonStyle(Qt::ToolButtonIconOnly);
}

void TVxToolbarButton::Show(const QImage& strip, int n) {
  shown_ = strip;
  if (strip.isNull()) return;
  QIcon icon;
  icon.addPixmap(Keyed(GlyphImage(strip, n, 0)), QIcon::Normal);
  if (n >= 2) icon.addPixmap(Keyed(GlyphImage(strip, n, 1)), QIcon::Disabled);
  setIcon(icon);
}

void TVxToolbarButton::SetGlyph(const QImage& strip, int numGlyphs) {
  glyph_ = strip;
  numGlyphs_ = numGlyphs;
  Show(strip, numGlyphs);
}

void TVxToolbarButton::SetHotGlyph(const QImage& strip) {
  hot_ = strip;
  hotOn_ = true;
  if (!strip.isNull() && strip.height() != 0 && strip.width() % strip.height() == 0) {
    const int n = strip.width() / strip.height();
    hotNumGlyphs_ = n < 5 ? n : 1;
  }
  update();
}

void TVxToolbarButton::SetOwnCaption(const QString& c) {
  caption_ = c;
  setText(c);
}

void TVxToolbarButton::enterEvent(QEnterEvent* e) {
  QToolButton::enterEvent(e);
  if (OnMouseEnter) OnMouseEnter();
  mouseOver_ = true;
  if (!hotOn_) return;
  if (pressed_) {
    pressed_ = false;  // back in while pressed: the hot glyph is already shown
  } else {
    pressed_ = true;
    saved_ = glyph_;
    savedNum_ = numGlyphs_;
    Show(hot_, std::max(1, hotNumGlyphs_));
  }
  update();
}

void TVxToolbarButton::leaveEvent(QEvent* e) {
  QToolButton::leaveEvent(e);
  if (OnMouseLeave) OnMouseLeave();
  mouseOver_ = false;
  if (!hotOn_) return;
  pressed_ = false;
  Show(saved_.isNull() ? glyph_ : saved_, savedNum_);
  update();
}

void TVxToolbarButton::mousePressEvent(QMouseEvent* e) {
  QToolButton::mousePressEvent(e);
  if (hotOn_) pressed_ = true;
}

void TVxToolbarButton::actionEvent(QActionEvent* e) {
  QToolButton::actionEvent(e);
  // Enabled state, hint, check mark and click come from the action; the caption stays ours.
  if (IgnoreActionCaption && e->type() == QEvent::ActionChanged) setText(caption_);
}
