#include "components/VxButton.h"

#include <QAction>
#include <QActionEvent>
#include <QCursor>
#include <QFontMetrics>
#include <QMouseEvent>
#include <QPointer>
#include <QTimer>
#include <QDialog>
#include <QGuiApplication>
#include <QIcon>
#include <QMenu>
#include <QPainter>
#include <QPixmap>

#include "components/VxCommon.h"
#include "components/VxUtils.h"
#include "platform/Canvas.h"

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

// The image with every pixel of the key colour see-through.
static QPixmap KeyedOn(const QImage& img, QRgb key) {
  QImage a = img.convertToFormat(QImage::Format_ARGB32);
  key &= 0xFFFFFF;
  for (int y = 0; y < a.height(); ++y)
    for (int x = 0; x < a.width(); ++x)
      if ((a.pixel(x, y) & 0xFFFFFF) == key) a.setPixel(x, y, 0);
  return QPixmap::fromImage(a);
}

// The strip's transparent colour is its bottom-left pixel.
static QPixmap Keyed(const QImage& img) {
  if (img.isNull()) return {};
  return KeyedOn(img, img.pixel(0, img.height() - 1));
}

// ---- glyph lists and their cache ----

int TGlyphList::Add(const QImage& image, QRgb maskColour) {
  int index = 0;
  while (index < static_cast<int>(used_.size()) && used_[index]) ++index;
  if (index == static_cast<int>(used_.size())) {
    used_.push_back(false);
    images_.emplace_back();
  }
  images_[index] = KeyedOn(image, maskColour);
  used_[index] = true;
  ++count_;
  return index;
}

void TGlyphList::Delete(int index) {
  if (index < 0 || index >= static_cast<int>(used_.size()) || !used_[index]) return;
  used_[index] = false;
  images_[index] = QPixmap();
  --count_;
}

TGlyphList* TGlyphCache::GetList(int width, int height) {
  for (auto it = lists_.rbegin(); it != lists_.rend(); ++it)
    if ((*it)->Width == width && (*it)->Height == height) return it->get();
  lists_.push_back(std::make_unique<TGlyphList>(width, height));
  return lists_.back().get();
}

void TGlyphCache::ReturnList(TGlyphList* list) {
  if (!list || list->Count() != 0) return;
  std::erase_if(lists_, [list](const auto& l) { return l.get() == list; });
}

namespace {
TGlyphCache* cache = nullptr;
int glyphObjects = 0;
}  // namespace

TGlyphCache* GlyphCache() { return cache; }

// ---- glyph object ----

TButtonGlyph::TButtonGlyph() {
  if (!cache) cache = new TGlyphCache;
  ++glyphObjects;
}

TButtonGlyph::~TButtonGlyph() {
  Invalidate();
  if (--glyphObjects == 0 && cache->Empty()) {
    delete cache;
    cache = nullptr;
  }
}

void TButtonGlyph::SetGlyph(const QImage& strip, std::optional<QRgb> transparent) {
  Invalidate();
  glyph_ = strip;
  listImage_ = QImage();
  if (strip.isNull()) return;
  transparent_ = transparent ? *transparent : strip.pixel(0, strip.height() - 1) & 0xFFFFFF;
  if (strip.height() > 0 && strip.width() % strip.height() == 0) numGlyphs_ = GlyphCountOf(strip.width(), strip.height(), 5);
}

void TButtonGlyph::SetListImage(const QImage& image) {
  constexpr QRgb kMagenta = qRgb(255, 0, 255);
  QImage shown(image.size(), QImage::Format_RGB32);
  shown.fill(kMagenta);
  QPainter p(&shown);
  p.drawImage(0, 0, image);
  p.end();
  SetGlyph(shown, kMagenta);
  listImage_ = image;
}

void TButtonGlyph::SetNumGlyphs(int n) {
  n = std::clamp(n, 1, 5);
  if (n == numGlyphs_) return;
  Invalidate();
  numGlyphs_ = n;
}

QSize TButtonGlyph::ImageSize() const {
  if (glyph_.isNull()) return {0, 0};
  return {glyph_.width() / numGlyphs_, glyph_.height()};
}

void TButtonGlyph::Invalidate() {
  if (!list_) return;
  for (int& index : indexes_) {
    list_->Delete(index);
    index = -1;
  }
  if (cache) cache->ReturnList(list_);
  list_ = nullptr;
}

int TButtonGlyph::CreateButtonGlyph(TButtonState state) {
  if (glyph_.isNull()) return -1;
  int slot = static_cast<int>(state);
  // Without its own image the down look is the up one.
  if (state == TButtonState::rbsDown && numGlyphs_ < 3) slot = 0;
  if (indexes_[slot] != -1) return indexes_[slot];
  const QSize size = ImageSize();
  if (size.width() <= 0 || size.height() <= 0) return -1;
  if (!list_) list_ = cache->GetList(size.width(), size.height());
  const int own = static_cast<int>(state);
  const QImage source = GlyphImage(glyph_, numGlyphs_, numGlyphs_ > own ? own : 0);
  const QRgb face = ToQColor(clBtnFace).rgb();
  int made;
  if (state == TButtonState::rbsDisabled && !listImage_.isNull()) {
    // An action's image is greyed from its shape: the black-outline look would lose a solid colour.
    // One pixel more each way holds the highlight's offset.
    QImage off(size + QSize(1, 1), QImage::Format_RGB32);
    off.fill(face);
    QPainter p(&off);
    DrawDisabledListImage({listImage_}, p, 0, 0, 0, clBtnShadow, clBtnHighlight, true);
    p.end();
    made = list_->Add(off, face);
  } else if (state == TButtonState::rbsDisabled && numGlyphs_ < 2)
    made = list_->Add(MakeDisabledGlyph(source, clBlack), face);
  else if (state == TButtonState::rbsInactive && numGlyphs_ < 5)
    made = list_->Add(InactiveGlyph(source, transparent_, face), transparent_);
  else
    made = list_->Add(source, transparent_);
  indexes_[slot] = made;
  return made;
}

const QPixmap* TButtonGlyph::Pixmap(TButtonState state) {
  const int index = CreateButtonGlyph(state);
  return index < 0 ? nullptr : &list_->Image(index);
}

// ---- layout ----

static bool Beside(TButtonLayout l) { return l == TButtonLayout::blGlyphLeft || l == TButtonLayout::blGlyphRight; }

QSize CaptionSpace(QSize client, QSize glyph, TButtonLayout layout, int margin, int spacing, bool mark) {
  const int set = (margin != -1 ? margin : 0) + (spacing != -1 ? spacing : 0);
  if (Beside(layout))
    return {std::max(0, client.width() - glyph.width() - 2 - set - (mark ? 9 : 0)), std::max(0, client.height() - 2)};
  return {std::max(0, client.width() - 2), std::max(0, client.height() - glyph.height() - 2 - set)};
}

TButtonPlacement PlaceButtonParts(QSize client, QSize glyph, QSize caption, TButtonLayout layout, int margin,
                                  int spacing, bool mark) {
  const int W = client.width(), H = client.height();
  const bool hasGlyph = glyph.width() > 0 && glyph.height() > 0;
  const bool hasCaption = caption.width() > 0 && caption.height() > 0;
  const bool beside = Beside(layout);
  int gw = glyph.width(), cw = caption.width();
  const int gh = glyph.height(), ch = caption.height();
  // The mark takes its room beside the glyph, or after the caption when the glyph is on the left
  // or absent.
  const bool markByGlyph = mark && hasGlyph && layout != TButtonLayout::blGlyphLeft;
  if (mark) (markByGlyph ? gw : cw) += markByGlyph ? 6 : 9;

  TButtonPlacement p;
  int gx = 0, gy = 0, cx = 0, cy = 0;
  if (beside) {
    gy = (H - gh + 1) / 2;
    cy = (H - ch + 1) / 2;
  } else {
    gx = (W - gw + 1) / 2;
    cx = (W - cw + 1) / 2;
  }
  if (!hasCaption || !hasGlyph) spacing = 0;
  const int span = beside ? W : H, g = beside ? gw : gh, c = beside ? cw : ch;
  if (margin == -1 && spacing == -1) margin = spacing = (span - g - c) / 3;
  else if (margin == -1) margin = (span - g - spacing - c) / 2;
  else if (spacing == -1) spacing = (span - margin - g - c) / 2;
  switch (layout) {
    case TButtonLayout::blGlyphLeft: gx = margin, cx = gx + gw + spacing; break;
    case TButtonLayout::blGlyphRight: gx = W - margin - gw, cx = gx - spacing - cw; break;
    case TButtonLayout::blGlyphTop: gy = margin, cy = gy + gh + spacing; break;
    case TButtonLayout::blGlyphBottom: gy = H - margin - gh, cy = gy - spacing - ch; break;
  }
  p.Glyph = {gx, gy};
  p.Caption = QRect(cx, cy, caption.width(), ch);
  if (markByGlyph) p.Mark = {gx + glyph.width() + 1, gy + (gh - 4) / 2};
  else if (hasCaption) p.Mark = {cx + caption.width() + 3, cy + (ch - 4) / 2};
  else p.Mark = {cx + (cw - 7) / 2, cy + (ch - 4) / 2};
  return p;
}

QPoint DropDownMenuPoint(int width, int height, TVxDropDownMenuPos pos, TPopupAlignment alignment) {
  if (pos == TVxDropDownMenuPos::dmpBottom) {
    switch (alignment) {
      case TPopupAlignment::paLeft: return {-1, height};
      case TPopupAlignment::paRight: return {width + 1, height};
      case TPopupAlignment::paCenter: return {width / 2, height};
    }
  }
  switch (alignment) {
    case TPopupAlignment::paLeft: return {width, -1};
    case TPopupAlignment::paRight: return {-1, -1};
    case TPopupAlignment::paCenter: return {width / 2, height};
  }
  return {};
}

// ---- speed button ----

TVxSpeedButton::TVxSpeedButton(QWidget* parent) : QToolButton(parent) {
  resize(25, 25);
  setFocusPolicy(Qt::NoFocus);
  FollowEnabled();  // a disabled parent sends no change
  // Once the application has lost the mouse, the release goes to another program.
  if (qGuiApp)
    connect(qGuiApp, &QGuiApplication::applicationStateChanged, this, [this](Qt::ApplicationState s) {
      if (s != Qt::ApplicationActive) LetGo();
    });
}

TVxSpeedButton::~TVxSpeedButton() = default;

void TVxSpeedButton::SetGlyph(const QImage& strip) {
  glyph_ = strip;
  glyphs_.SetGlyph(strip);
  update();
}

void TVxSpeedButton::SetNumGlyphs(int n) {
  glyphs_.SetNumGlyphs(n);
  update();
}

void TVxSpeedButton::RebuildIcon() {
  glyphs_.Invalidate();
  update();
}

void TVxSpeedButton::SetFlat(bool f) {
  flat_ = f;
  update();
}

void TVxSpeedButton::SetAllowTimer(bool on) {
  allowTimer_ = on;
  if (!on && repeat_) repeat_->stop();
}

void TVxSpeedButton::SetInitPause(int ms) {
  if (ms >= 0) initPause_ = ms;
}

void TVxSpeedButton::SetRepeatInterval(int ms) {
  if (ms >= 0) repeatInterval_ = ms;
}

void TVxSpeedButton::SetCaption(const QString& c) {
  setText(c);
  update();
}

#define VX_SETTER(Name, member)          \
  void TVxSpeedButton::Set##Name(decltype(member) v) { \
    if (member == v) return;             \
    member = v;                          \
    update();                            \
  }
VX_SETTER(Alignment, alignment_)
VX_SETTER(Layout, layout_)
VX_SETTER(Spacing, spacing_)
VX_SETTER(WordWrap, wordWrap_)
VX_SETTER(Style, style_)
VX_SETTER(Transparent, transparent_)
VX_SETTER(MarkDropDown, markDropDown_)
VX_SETTER(MenuPosition, menuPosition_)
#undef VX_SETTER

void TVxSpeedButton::SetMargin(int m) {
  if (m < -1 || m == margin_) return;
  margin_ = m;
  update();
}

void TVxSpeedButton::SetDropDownMenu(QMenu* m) {
  menu_ = m;
  update();
}

void TVxSpeedButton::SetState(TButtonState s) {
  if (state_ == s) return;
  state_ = s;
  // isDown() stays true to the look for those who paint over the button.
  QAbstractButton::setDown(s == TButtonState::rbsDown || s == TButtonState::rbsExclusive);
  update();
}

void TVxSpeedButton::FollowEnabled() {
  if (!isEnabled()) {
    dragging_ = false;
    SetState(TButtonState::rbsDisabled);
  } else if (state_ == TButtonState::rbsDisabled) {
    SetState(down_ && groupIndex_ != 0 ? TButtonState::rbsExclusive : TButtonState::rbsUp);
  }
}

// ---- groups ----

void TVxSpeedButton::SetGroupIndex(int g) {
  if (g == groupIndex_) return;
  groupIndex_ = g;
  if (g == 0 && down_) Latch(false);
  else if (ActionHoldsLatch()) Latch(defaultAction()->isChecked());  // linked before the group was set
  TellGroup();
}

void TVxSpeedButton::SetAllowAllUp(bool on) {
  if (on == allowAllUp_) return;
  allowAllUp_ = on;
  TellGroup();
}

void TVxSpeedButton::SetDown(bool d) {
  if (groupIndex_ == 0) d = false;
  if (d == down_) return;
  if (LatchHeld()) return;  // the last down button of a group stays down
  Latch(d);
}

void TVxSpeedButton::Latch(bool d) {
  if (d == down_) return;
  down_ = d;
  if (isEnabled()) SetState(d ? TButtonState::rbsExclusive : TButtonState::rbsUp);
  ShowDown();
  if (d) TellGroup();
}

// Qt's checked state is the latch. Through Qt's own link a default action follows it; a button
// out of a group leaves a linked action's check as Qt shows it.
void TVxSpeedButton::ShowDown() {
  if (groupIndex_ == 0 && defaultAction()) return;
  if (down_ && !isCheckable()) setCheckable(true);
  if (isCheckable() && isChecked() != down_) setChecked(down_);
}

void TVxSpeedButton::TellGroup() {
  if (groupIndex_ == 0 || !parentWidget()) return;
  for (auto* other : parentWidget()->findChildren<TVxSpeedButton*>(Qt::FindDirectChildrenOnly))
    if (other != this) other->ButtonPressed(groupIndex_, this);
}

void TVxSpeedButton::ButtonPressed(int group, TVxSpeedButton* sender) {
  if (group != groupIndex_) return;
  if (sender->down_ && down_) Latch(false);
  allowAllUp_ = sender->allowAllUp_;
}

bool TVxSpeedButton::ActionHoldsLatch() const {
  return groupIndex_ != 0 && defaultAction() && defaultAction()->isCheckable();
}

// The down button of a group that does not allow all up stays down: a click leaves its action
// checked, since a plain checkable action would flip.
bool TVxSpeedButton::LatchHeld() const { return groupIndex_ != 0 && down_ && !allowAllUp_; }

void TVxSpeedButton::nextCheckState() {
  if (groupIndex_ != 0 && !ActionHoldsLatch()) SetDown(!down_);
  else if (!(ActionHoldsLatch() && LatchHeld())) QToolButton::nextCheckState();  // triggers the action, if any
}

// ---- mouse, keys and repeat ----

void TVxSpeedButton::Click() {
  if (ModalResult != 0)
    if (auto* d = qobject_cast<QDialog*>(window())) d->done(ModalResult);
  // The action first, as Qt's own buttons do, so that clicked tells of the latch it left. Either
  // handler may delete the button.
  QPointer<TVxSpeedButton> self(this);
  if (QAction* a = defaultAction(); a && !(ActionHoldsLatch() && LatchHeld())) a->trigger();
  if (self) emit clicked(isChecked());
}

void TVxSpeedButton::mousePressEvent(QMouseEvent* e) {
  if (e->button() == Qt::RightButton) RetestMouseInside(e->position().toPoint());
  if (menuTracking_) return;  // the press that closed the menu goes no further
  if (e->button() != Qt::LeftButton || !isEnabled()) {
    e->ignore();
    return;
  }
  if (!down_) SetState(TButtonState::rbsDown);
  dragging_ = true;
  QPointer<TVxSpeedButton> self(this);
  emit pressed();
  if (!self || !dragging_) return;
  if (menu_) ShowDropDownMenu();
  if (self && allowTimer_ && dragging_) {
    if (!repeat_) {
      repeat_ = new QTimer(this);
      connect(repeat_, &QTimer::timeout, this, &TVxSpeedButton::RepeatTick);
    }
    repeat_->start(initPause_);
  }
}

void TVxSpeedButton::ShowDropDownMenu() {
  const QPoint at = DropDownMenuPoint(width(), height(), menuPosition_, MenuAlignment);
  QPoint global = mapToGlobal(at);
  const int w = menu_->sizeHint().width();
  if (MenuAlignment == TPopupAlignment::paRight) global.rx() -= w;
  else if (MenuAlignment == TPopupAlignment::paCenter) global.rx() -= w / 2;
  QPointer<TVxSpeedButton> self(this);
  menuTracking_ = true;
  // The press that closes the menu inside the button reaches it while menuTracking_ is still
  // set, and is dropped there.
  menu_->exec(global);
  if (!self) return;
  EndPress(mapFromGlobal(QCursor::pos()), false);
  menuTracking_ = false;
}

void TVxSpeedButton::RepeatTick() {
  repeat_->setInterval(repeatInterval_);
  if (!dragging_) {
    repeat_->stop();
    return;
  }
  if (state_ != TButtonState::rbsDown) return;
  try {
    Click();
  } catch (...) {
    repeat_->stop();
    throw;
  }
}

void TVxSpeedButton::mouseMoveEvent(QMouseEvent* e) {
  if (!dragging_) return;
  const bool inside = rect().contains(e->position().toPoint());
  SetState(down_ ? TButtonState::rbsExclusive : inside ? TButtonState::rbsDown : TButtonState::rbsUp);
}

void TVxSpeedButton::mouseReleaseEvent(QMouseEvent* e) {
  if (e->button() != Qt::LeftButton || !dragging_) return;
  EndPress(e->position().toPoint(), !menuTracking_);
}

void TVxSpeedButton::EndPress(QPoint at, bool mayClick) {
  const bool inside = rect().contains(at);
  dragging_ = false;
  if (groupIndex_ == 0) {
    SetState(TButtonState::rbsUp);
  } else {
    if (inside && !ActionHoldsLatch()) SetDown(!down_);  // else the click's trigger flips the action
    SetState(down_ ? TButtonState::rbsExclusive : TButtonState::rbsUp);
  }
  if (repeat_) repeat_->stop();
  QPointer<TVxSpeedButton> self(this);
  emit released();
  if (self && inside && mayClick) Click();
  if (self) RetestMouseInside(at);
}

// The window system gives the release to nobody once the window hides, or once the application
// has lost the mouse: the hold ends here, drawn up, and a late release is no click.
void TVxSpeedButton::LetGo() {
  if (!dragging_ || menuTracking_) return;
  dragging_ = false;
  if (repeat_) repeat_->stop();
  if (isEnabled()) SetState(down_ ? TButtonState::rbsExclusive : TButtonState::rbsUp);
  emit released();
}

void TVxSpeedButton::mouseDoubleClickEvent(QMouseEvent* e) {
  if (e->button() != Qt::LeftButton || !isEnabled()) return;
  if (down_ && !menuTracking_ && OnDblClick) OnDblClick();
}

bool TVxSpeedButton::event(QEvent* e) {
  if (e->type() == QEvent::Shortcut) {
    if (isEnabled()) Click();
    return true;
  }
  if (e->type() == QEvent::WindowDeactivate) LetGo();
  return QToolButton::event(e);
}

// ---- hover ----

void TVxSpeedButton::MouseEntered() {
  mouseInside_ = true;
  if (flat_) update();
  if (OnMouseEnter) OnMouseEnter();
}

void TVxSpeedButton::MouseLeft() {
  mouseInside_ = false;
  if (flat_) update();
  if (OnMouseLeave) OnMouseLeave();
}

void TVxSpeedButton::enterEvent(QEnterEvent* e) {
  QToolButton::enterEvent(e);
  if (isEnabled() && !mouseInside_ && IsApplicationActive()) MouseEntered();
}

void TVxSpeedButton::leaveEvent(QEvent* e) {
  QToolButton::leaveEvent(e);
  if (!dragging_ && mouseInside_) MouseLeft();
}

void TVxSpeedButton::RetestMouseInside(QPoint local) {
  const bool inside = isEnabled() && isVisible() && rect().contains(local) && IsApplicationActive();
  if (inside && !mouseInside_) MouseEntered();
  else if (!inside && mouseInside_) MouseLeft();
}

void TVxSpeedButton::changeEvent(QEvent* e) {
  // Qt would tell of a release for any button drawn down, latched ones too: LetGo tells of a held
  // button's, once.
  if (e->type() == QEvent::EnabledChange && !isEnabled()) QAbstractButton::setDown(false);
  QToolButton::changeEvent(e);
  switch (e->type()) {
    case QEvent::ParentChange:
      FollowEnabled();
      break;
    case QEvent::EnabledChange:
      if (!isEnabled()) LetGo();
      FollowEnabled();
      RetestMouseInside(mapFromGlobal(QCursor::pos()));
      update();
      break;
    case QEvent::PaletteChange: RebuildIcon(); break;
    case QEvent::FontChange: update(); break;
    default: break;
  }
}

void TVxSpeedButton::showEvent(QShowEvent* e) {
  QToolButton::showEvent(e);
  RetestMouseInside(mapFromGlobal(QCursor::pos()));
}

void TVxSpeedButton::hideEvent(QHideEvent* e) {
  QToolButton::hideEvent(e);
  LetGo();
  RetestMouseInside(mapFromGlobal(QCursor::pos()));
}

// A linked action gives a grouped button its checked state, and a button without a glyph the
// action's image, keyed on magenta.
void TVxSpeedButton::actionEvent(QActionEvent* e) {
  QToolButton::actionEvent(e);
  if (e->action() == defaultAction() && e->type() != QEvent::ActionRemoved) FollowAction();
  ShowDown();  // Qt copies an action's check onto a button even where it is not checkable
}

void TVxSpeedButton::FollowAction() {
  QAction* a = defaultAction();
  if (ActionHoldsLatch()) Latch(a->isChecked());
  if (!glyph_.isNull()) return;
  const QIcon icon = a->icon();
  if (icon.isNull()) {
    glyphs_.SetGlyph({});
  } else {
    const QList<QSize> sizes = icon.availableSizes();
    const QSize size = sizes.isEmpty() ? QSize(16, 16) : sizes.first();
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    icon.paint(&p, image.rect());
    p.end();
    glyphs_.SetListImage(image);
  }
  update();
}

// ---- painting ----

// The frame by pressed state, look and flatness; returns what is left inside it.
static TRect DrawSpeedFrame(TCanvas& c, TRect r, bool pressed, bool newLook, bool flat) {
  if (pressed) {
    if (newLook) {
      r = DrawSideLines(c, r, clWindowFrame, clBtnHighlight, sdAll);
      if (!flat) r = DrawSideLines(c, r, clBtnShadow, clBtnFace, sdAll);
    } else if (!flat) {
      r = DrawSideLines(c, r, clWindowFrame, clWindowFrame, sdAll);
      r = DrawSideLines(c, r, clBtnShadow, clBtnShadow, sdLeft | sdTop);
    } else {
      r = DrawSideLines(c, r, clWindowFrame, clBtnHighlight, sdAll);
    }
  } else if (newLook) {
    r = flat ? DrawSideLines(c, r, clBtnHighlight, clBtnShadow, sdAll) : DrawButtonBorder(c, r, false, sdAll);
  } else if (!flat) {
    r = DrawSideLines(c, r, clWindowFrame, clWindowFrame, sdAll);
    r = DrawSideLines(c, r, clBtnHighlight, clBtnShadow, sdAll);
  } else {
    r = DrawSideLines(c, r, clBtnHighlight, clWindowFrame, sdAll);
  }
  return {r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom - 1};
}

// The drop-down triangle: rows of 7, 5, 3 and 1 pixels.
static void DrawMark(QPainter& p, QPoint at, TColor colour) {
  for (int row = 0; row < 4; ++row) p.fillRect(at.x() + row, at.y() + row, 7 - 2 * row, 1, ToQColor(colour));
}

void TVxSpeedButton::paintEvent(QPaintEvent*) {
  if (width() <= 0 || height() <= 0) return;
  // Drawn off screen and shown in one step, so that the button never flickers.
  const QImage image = Render(devicePixelRatioF());
  QPainter screen(this);
  screen.drawImage(0, 0, image);
}

QImage TVxSpeedButton::Render(qreal dpr) const {
  const int W = width(), H = height();
  if (W <= 0 || H <= 0) return {};
  const bool exclusive = state_ == TButtonState::rbsExclusive;
  const bool pressed = state_ == TButtonState::rbsDown || exclusive;
  const bool inactive = flat_ && !mouseInside_ && !exclusive;
  const bool enabled = state_ != TButtonState::rbsDisabled;

  QImage image(QSize(W, H) * dpr, QImage::Format_RGB32);
  image.setDevicePixelRatio(dpr);
  image.fill(ToQColor(clBtnFace));
  QPainter p(&image);
  if (transparent_) PaintParentBehind(const_cast<TVxSpeedButton*>(this), p);
  TCanvas c(&p);
  TRect r{0, 0, W, H};
  const bool newLook = style_ != TButtonStyle::bsWin31;  // every desktop here has the new-style controls
  if (!inactive) r = DrawSpeedFrame(c, r, pressed, newLook, flat_);
  else if (flat_) r = {r.Left + 2, r.Top + 2, r.Right - 2, r.Bottom - 2};
  if (exclusive && !flat_ && r.Right > r.Left && r.Bottom > r.Top) {
    QImage checkers(r.Right - r.Left, r.Bottom - r.Top, QImage::Format_RGB32);
    for (int y = r.Top; y < r.Bottom; ++y)
      for (int x = r.Left; x < r.Right; ++x)
        checkers.setPixel(x - r.Left, y - r.Top,
                          ((x + y) & 1) == 0 ? ToQColor(clBtnHighlight).rgb() : ToQColor(clBtnFace).rgb());
    p.drawImage(r.Left, r.Top, checkers);  // a pixel of the pattern per pixel of the button
  }
  const QPoint shift = pressed ? QPoint(1, 1) : QPoint(0, 0);

  TButtonState glyphState = state_;
  if (GrayedInactive && inactive && enabled) glyphState = TButtonState::rbsInactive;
  const QPixmap* glyph = glyphs_.Pixmap(glyphState);
  const QSize gsize = glyph ? glyphs_.ImageSize() : QSize(0, 0);
  const bool mark = markDropDown_ && menu_;

  QFont f = font();
  f.setStyleStrategy(QFont::NoAntialias);
  p.setFont(f);
  const QFontMetrics fm(f);
  const QSize space = CaptionSpace({W, H}, gsize, layout_, margin_, spacing_, mark);
  QString caption = text();
  if (!wordWrap_) {
    QStringList lines = caption.split('\n');
    for (QString& line : lines) line = ShortenToWidth(line, fm, space.width());
    caption = lines.join('\n');
  }
  int flags = Qt::TextShowMnemonic | Qt::AlignVCenter;
  flags |= alignment_ == TAlignment::taLeftJustify    ? Qt::AlignLeft
           : alignment_ == TAlignment::taRightJustify ? Qt::AlignRight
                                                      : Qt::AlignHCenter;
  if (wordWrap_) flags |= Qt::TextWordWrap;
  QSize csize(0, 0);
  if (!caption.isEmpty()) {
    csize = fm.boundingRect(QRect(0, 0, std::max(1, space.width()), 0x7FFF), flags & ~Qt::AlignVCenter, caption).size();
    csize = csize.boundedTo(space);
  }
  const TButtonPlacement at = PlaceButtonParts({W, H}, gsize, csize, layout_, margin_, spacing_, mark);

  if (glyph) p.drawPixmap(at.Glyph + shift, *glyph);
  if (!caption.isEmpty()) {
    const QRect box = at.Caption.translated(shift);
    if (!enabled) {
      p.setPen(ToQColor(clWhite));
      p.drawText(box.translated(1, 1), flags, caption);
      p.setPen(ToQColor(clGray));
    } else {
      p.setPen(ToQColor(clBtnText));
    }
    p.drawText(box, flags, caption);
  }
  if (mark) {
    if (enabled) {
      DrawMark(p, at.Mark + shift, clBtnText);
    } else {
      DrawMark(p, at.Mark + shift + QPoint(1, 1), clBtnHighlight);
      DrawMark(p, at.Mark + shift, clBtnShadow);
    }
  }
  p.end();
  return image;
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
