#pragma once
// Buttons drawn from glyph strips: the flat toolbar button with a hot glyph under the mouse, and
// the speed button (grouped latching, auto-repeat, drop-down menu).
#include <QImage>
#include <QToolButton>
#include <functional>

#include "platform/Types.h"

class QMenu;

// Images in a strip: width / height when the width is a whole multiple of the height and the
// result is at most `most`, else 1.
int GlyphCountOf(int width, int height, int most);
// The inactive (grey) look of a glyph: every pixel but the transparent and button-face ones
// becomes grey of level (77 R + 150 G + 29 B) >> 8.
QImage InactiveGlyph(const QImage& glyph, QRgb transparent, QRgb buttonFace);
// Image i of a strip of n.
QImage GlyphImage(const QImage& strip, int n, int i);

class TVxSpeedButton : public QToolButton {
 public:
  explicit TVxSpeedButton(QWidget* parent = nullptr);

  void SetGlyph(const QImage& strip);  // the count follows the strip's shape
  const QImage& Glyph() const { return glyph_; }
  void SetNumGlyphs(int n);            // 1 to 5 (up, disabled, down, exclusive, inactive)
  int NumGlyphs() const { return numGlyphs_; }
  void SetFlat(bool f);
  bool Flat() const { return autoRaise(); }
  bool GrayedInactive = true;
  void SetAllowTimer(bool on);  // repeat clicks while held: InitPause, then RepeatInterval
  int InitPause = 500, RepeatInterval = 100;
  int GroupIndex() const { return groupIndex_; }
  void SetGroupIndex(int g);
  bool AllowAllUp = false;
  bool Down() const { return down_; }
  void SetDown(bool d);
  void SetDropDownMenu(QMenu* m);
  int ModalResult = 0;  // given to the parent dialog on a click
  std::function<void()> OnMouseEnter, OnMouseLeave;

 protected:
  void enterEvent(QEnterEvent* e) override;
  void leaveEvent(QEvent* e) override;
  void changeEvent(QEvent* e) override;
  void nextCheckState() override;
  void RebuildIcon();

 private:
  QImage glyph_;
  int numGlyphs_ = 1;
  int groupIndex_ = 0;
  bool down_ = false;
  bool mouseInside_ = false;
};

class TVxToolbarButton : public QToolButton {
 public:
  explicit TVxToolbarButton(QWidget* parent = nullptr);

  void SetGlyph(const QImage& strip, int numGlyphs = 1);
  void SetHotGlyph(const QImage& strip);  // switches the hot glyph on
  int HotNumGlyphs() const { return hotNumGlyphs_; }
  void SetHotNumGlyphs(int n) { hotNumGlyphs_ = n; }
  bool IgnoreActionCaption = false;  // keep the button's own caption when an action is attached
  std::function<void()> OnMouseEnter, OnMouseLeave;
  // The glyph strip shown now (the hot one while the mouse is over the button).
  const QImage& ShownGlyph() const { return shown_; }
  void SetOwnCaption(const QString& c);

 protected:
  void enterEvent(QEnterEvent* e) override;
  void leaveEvent(QEvent* e) override;
  void mousePressEvent(QMouseEvent* e) override;
  void actionEvent(QActionEvent* e) override;

 private:
  void Show(const QImage& strip, int n);
  QImage glyph_, hot_, shown_, saved_;
  int numGlyphs_ = 1, hotNumGlyphs_ = 0, savedNum_ = 1;
  bool hotOn_ = false, mouseOver_ = false, pressed_ = false;
  QString caption_;
};
