#pragma once
// Buttons drawn from glyph strips: the flat toolbar button with a hot glyph under the mouse, and
// the speed button (grouped latching, auto-repeat, drop-down menu).
#include <QImage>
#include <QPixmap>
#include <QMenu>
#include <QPointer>
#include <QToolButton>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "platform/Types.h"

class QTimer;

// Images in a strip: width / height when the width is a whole multiple of the height and the
// result is at most `most`, else 1.
int GlyphCountOf(int width, int height, int most);
// The inactive (grey) look of a glyph: every pixel but the transparent and button-face ones
// becomes grey of level (77 R + 150 G + 29 B) >> 8.
QImage InactiveGlyph(const QImage& glyph, QRgb transparent, QRgb buttonFace);
// Image i of a strip of n.
QImage GlyphImage(const QImage& strip, int n, int i);

// The looks of a speed button; rbsInactive is only ever a glyph's.
enum class TButtonState { rbsUp, rbsDisabled, rbsDown, rbsExclusive, rbsInactive };
enum class TButtonLayout { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };
enum class TButtonStyle { bsAutoDetect, bsWin31, bsNew };
enum class TVxDropDownMenuPos { dmpBottom, dmpRight };
enum class TPopupAlignment { paLeft, paRight, paCenter };

// Glyph images of one size, each in a slot that stays put while others come and go.
class TGlyphList {
 public:
  TGlyphList(int width, int height) : Width(width), Height(height) {}
  // Stores the image in the first free slot; pixels of the mask colour become see-through.
  int Add(const QImage& image, QRgb maskColour);
  void Delete(int index);
  const QPixmap& Image(int index) const { return images_[index]; }
  int Count() const { return count_; }  // slots in use
  const int Width, Height;

 private:
  std::vector<QPixmap> images_;
  std::vector<bool> used_;
  int count_ = 0;
};

// The process's glyph lists, grouped by size. It lives while a glyph object does.
class TGlyphCache {
 public:
  TGlyphList* GetList(int width, int height);  // the last one made of that size, or a new one
  void ReturnList(TGlyphList* list);          // frees the list once nothing uses it
  bool Empty() const { return lists_.empty(); }
  int ListCount() const { return static_cast<int>(lists_.size()); }

 private:
  std::vector<std::unique_ptr<TGlyphList>> lists_;
};
TGlyphCache* GlyphCache();  // none while no glyph object exists

// A button's glyph strip and the images made from it, once per state, kept in the shared cache.
class TButtonGlyph {
 public:
  TButtonGlyph();
  ~TButtonGlyph();
  TButtonGlyph(const TButtonGlyph&) = delete;
  TButtonGlyph& operator=(const TButtonGlyph&) = delete;

  // The transparent colour becomes the strip's bottom-left pixel, unless one is given.
  void SetGlyph(const QImage& strip, std::optional<QRgb> transparent = std::nullopt);
  // One image with its alpha, as an action gives it: shown on magenta keyed out, and greyed from
  // its shape, so that a solid colour stays visible when disabled.
  void SetListImage(const QImage& image);
  const QImage& Glyph() const { return glyph_; }
  void SetNumGlyphs(int n);  // 1 to 5 (up, disabled, down, exclusive, inactive)
  int NumGlyphs() const { return numGlyphs_; }
  QRgb TransparentColor() const { return transparent_; }
  QSize ImageSize() const;  // one image of the strip; empty without a strip
  // The slot of the state's image in List(), made on first use; -1 without a strip.
  int CreateButtonGlyph(TButtonState state);
  const QPixmap* Pixmap(TButtonState state);
  TGlyphList* List() const { return list_; }
  void Invalidate();  // frees the made images

 private:
  QImage glyph_;
  QImage listImage_;  // the action's image the glyph was made from, if any
  int numGlyphs_ = 1;
  QRgb transparent_ = qRgb(255, 0, 255);
  TGlyphList* list_ = nullptr;
  int indexes_[5] = {-1, -1, -1, -1, -1};
};

// Where glyph, caption and drop-down mark go inside a button's client area.
struct TButtonPlacement {
  QPoint Glyph;
  QRect Caption;  // the text's own box
  QPoint Mark;    // top-left of the mark's 7 x 4 triangle
};
// The room the caption may take.
QSize CaptionSpace(QSize client, QSize glyph, TButtonLayout layout, int margin, int spacing, bool mark);
TButtonPlacement PlaceButtonParts(QSize client, QSize glyph, QSize caption, TButtonLayout layout, int margin,
                                  int spacing, bool mark);
// The point, relative to the button, the drop-down menu is shown at.
QPoint DropDownMenuPoint(int width, int height, TVxDropDownMenuPos pos, TPopupAlignment alignment);

// A button drawn entirely here: glyph and caption in four layouts, flat or raised, grouped
// latching, auto-repeat while held and an optional drop-down menu.
class TVxSpeedButton : public QToolButton {
 public:
  enum class TAlignment { taLeftJustify, taRightJustify, taCenter };

  explicit TVxSpeedButton(QWidget* parent = nullptr);
  ~TVxSpeedButton() override;

  void SetGlyph(const QImage& strip);  // the count follows the strip's shape
  const QImage& Glyph() const { return glyph_; }
  void SetNumGlyphs(int n);            // 1 to 5 (up, disabled, down, exclusive, inactive)
  int NumGlyphs() const { return glyphs_.NumGlyphs(); }
  void SetFlat(bool f);
  bool Flat() const { return flat_; }
  bool GrayedInactive = true;
  void SetAllowTimer(bool on);  // repeat clicks while held: InitPause, then RepeatInterval
  bool AllowTimer() const { return allowTimer_; }
  int InitPause() const { return initPause_; }
  void SetInitPause(int ms);  // milliseconds; a negative delay is ignored
  int RepeatInterval() const { return repeatInterval_; }
  void SetRepeatInterval(int ms);
  int GroupIndex() const { return groupIndex_; }
  void SetGroupIndex(int g);
  bool AllowAllUp() const { return allowAllUp_; }
  void SetAllowAllUp(bool on);  // tells the group
  // Latched, in a group only; isChecked() shows it and toggled tells of it. With a checkable action
  // linked, the action's check is the truth and Down follows it, set in either order: a click
  // triggers the action, which flips its check (the checked action of an exclusive QActionGroup
  // stays checked), except on the down button of a group that does not allow all up, where a
  // click changes nothing. Without one, Down is the truth.
  bool Down() const { return down_; }
  void SetDown(bool d);
  void SetDropDownMenu(QMenu* m);
  QMenu* DropDownMenu() const { return menu_; }
  int ModalResult = 0;  // given to the parent dialog on a click
  std::function<void()> OnMouseEnter, OnMouseLeave, OnDblClick;

  QString Caption() const { return text(); }
  void SetCaption(const QString& c);
  TAlignment Alignment() const { return alignment_; }
  void SetAlignment(TAlignment a);
  TButtonLayout Layout() const { return layout_; }
  void SetLayout(TButtonLayout l);
  int Margin() const { return margin_; }
  void SetMargin(int m);  // -1 centres; below -1 is ignored
  int Spacing() const { return spacing_; }
  void SetSpacing(int s);  // -1 spreads evenly
  bool WordWrap() const { return wordWrap_; }
  void SetWordWrap(bool on);
  TButtonStyle Style() const { return style_; }
  void SetStyle(TButtonStyle s);
  bool Transparent() const { return transparent_; }
  void SetTransparent(bool on);
  bool MarkDropDown() const { return markDropDown_; }
  void SetMarkDropDown(bool on);
  TVxDropDownMenuPos MenuPosition() const { return menuPosition_; }
  void SetMenuPosition(TVxDropDownMenuPos p);
  TPopupAlignment MenuAlignment = TPopupAlignment::paLeft;  // which side of the point the menu takes
  TButtonState State() const { return state_; }
  bool MouseInside() const { return mouseInside_; }
  void Click();  // the parent dialog's result, the action's trigger, then clicked
  // The button's look at a device-pixel ratio; the paint shows it at the screen's. Drawing
  // changes nothing but the glyph images made on first use.
  QImage Render(qreal dpr) const;

 protected:
  void enterEvent(QEnterEvent* e) override;
  void leaveEvent(QEvent* e) override;
  void changeEvent(QEvent* e) override;
  void nextCheckState() override;
  void RebuildIcon();  // the glyph images are made again
  bool event(QEvent* e) override;
  void paintEvent(QPaintEvent* e) override;
  void mousePressEvent(QMouseEvent* e) override;
  void mouseMoveEvent(QMouseEvent* e) override;
  void mouseReleaseEvent(QMouseEvent* e) override;
  void mouseDoubleClickEvent(QMouseEvent* e) override;
  void showEvent(QShowEvent* e) override;
  void hideEvent(QHideEvent* e) override;
  void actionEvent(QActionEvent* e) override;

 private:
  bool ActionHoldsLatch() const;  // grouped, with a checkable action
  bool LatchHeld() const;         // down in a group that does not allow all up
  void SetState(TButtonState s);
  void Latch(bool d);
  void ShowDown();
  void LetGo();
  void FollowEnabled();
  void EndPress(QPoint at, bool mayClick);
  void ShowDropDownMenu();
  void RepeatTick();
  void TellGroup();
  void ButtonPressed(int group, TVxSpeedButton* sender);
  void RetestMouseInside(QPoint local);
  void MouseEntered();
  void MouseLeft();
  void FollowAction();
  QImage glyph_;
  mutable TButtonGlyph glyphs_;  // its images are made when first drawn
  int groupIndex_ = 0;
  int initPause_ = 500, repeatInterval_ = 100;
  bool down_ = false, allowAllUp_ = false;
  bool mouseInside_ = false;
  bool flat_ = false, allowTimer_ = false, dragging_ = false, menuTracking_ = false;
  bool wordWrap_ = false, transparent_ = false, markDropDown_ = true;
  TButtonState state_ = TButtonState::rbsUp;
  TAlignment alignment_ = TAlignment::taCenter;
  TButtonLayout layout_ = TButtonLayout::blGlyphTop;
  TButtonStyle style_ = TButtonStyle::bsAutoDetect;
  TVxDropDownMenuPos menuPosition_ = TVxDropDownMenuPos::dmpBottom;
  int margin_ = -1, spacing_ = 1;
  QPointer<QMenu> menu_;  // the menu belongs to its owner, who may delete it first
  QTimer* repeat_ = nullptr;
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
