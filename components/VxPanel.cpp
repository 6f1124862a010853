#include "components/VxPanel.h"

#include <QApplication>
#include <QChildEvent>
#include <QCursor>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOption>
#include <algorithm>

#include "platform/Canvas.h"

TToolbarArrangement ArrangeToolbar(const TToolbarMetrics& m, std::vector<TToolbarItem>& items) {
  TToolbarArrangement a;
  const bool horizontal = m.Orientation == TOrientation::orHorizontal;
  int pos = m.Margin;
  bool first = true;  // a hidden first control must not push the next one into a row of its own
  for (TToolbarItem& it : items) {
    if (!it.Visible || it.Destroying) continue;
    const int size = horizontal ? it.Width : it.Height;
    const int room = (horizontal ? m.Width : m.Height) - m.Margin;
    if (m.WrapControls && !first && room < pos + size) {
      a.Widest = std::max(a.Widest, pos);
      pos = m.Margin;
      ++a.Rows;
    }
    if (horizontal) {
      it.Left = it.RightToLeft ? m.Width - it.Width - pos : pos;
      it.Top = (a.Rows - 1) * m.RowHeight + m.TopMargin + m.RowHeight / 2 - it.Height / 2;
    } else {
      it.Left = (a.Rows - 1) * m.RowHeight + m.Margin + m.RowHeight / 2 - it.Width / 2;
      it.Top = pos;
    }
    pos += size;
    first = false;
  }
  if (!m.AutoResize) return a;
  const bool side = m.Align == TAlign::alLeft || m.Align == TAlign::alRight;
  const bool topBottom = m.Align == TAlign::alTop || m.Align == TAlign::alBottom;
  if (horizontal) {
    if (side && a.Widest > 0) a.NewWidth = m.Margin + a.Widest;
    else if (topBottom) a.NewHeight = m.RowHeight * a.Rows + m.TopMargin + 2;
  } else {
    if (side) a.NewWidth = m.RowHeight * a.Rows + m.TopMargin + 2;
    else if (topBottom && a.Widest > 0) a.NewHeight = m.Margin + a.Widest;
  }
  return a;
}

// ---- panel ----

TVxCustomPanel::TVxCustomPanel(QWidget* parent) : QFrame(parent) { setFrameStyle(QFrame::NoFrame); }

TVxCustomPanel::~TVxCustomPanel() { delete dockManager_; }

QPoint TVxCustomPanel::CursorPos() const { return mapFromGlobal(QCursor::pos()); }

void TVxCustomPanel::AdjustClientRect(TRect& r) const {
  r.Left += BorderWidthOn(sdLeft);
  r.Top += BorderWidthOn(sdTop);
  r.Right -= BorderWidthOn(sdRight);
  r.Bottom -= BorderWidthOn(sdBottom);
}

void TVxCustomPanel::SetVerticalAlignment(TVerticalAlignment a) {
  VerticalAlignment = a;
  update();
}
void TVxCustomPanel::SetBorderColor(TColor c) {
  BorderColor = c;
  update();
}
void TVxCustomPanel::SetBorderInner(TFrameStyle s) {
  BorderInner = s;
  update();
}
void TVxCustomPanel::SetBorderOuter(TFrameStyle s) {
  BorderOuter = s;
  update();
}
void TVxCustomPanel::SetBorderSides(TSides s) {
  BorderSides = s;
  update();
}
void TVxCustomPanel::SetBorderHighlight(TColor c) {
  BorderHighlight = c;
  update();
}
void TVxCustomPanel::SetBorderShadow(TColor c) {
  BorderShadow = c;
  update();
}
void TVxCustomPanel::SetFlatColor(TColor c) {
  FlatColor = c;
  update();
}
void TVxCustomPanel::SetFrameSides(TSides s) {
  FrameSides = s;
  update();
}

int TVxCustomPanel::BorderWidthOn(TSide side) const {
  int w = (FrameSides & side) ? 1 : 0;
  if (BorderSides & side) w += FrameStyleWidth(BorderOuter, BevelWidth) + FrameStyleWidth(BorderInner, BevelWidth);
  return w;
}

TRect TVxCustomPanel::ClientRect() const {
  TRect r{0, 0, width(), height()};
  AdjustClientRect(r);
  // The border width stands between the bevels on every side, drawn or not.
  r.Left += BorderWidthValue;
  r.Top += BorderWidthValue;
  r.Right -= BorderWidthValue;
  r.Bottom -= BorderWidthValue;
  return r;
}

void TVxCustomPanel::SetAlign(TAlign a) {
  align_ = a;
  if (dockManager_) dockManager_->ResetBounds();
  update();
}

void TVxCustomPanel::SetDockSite(bool on) {
  dockSite_ = on;
  UpdateDockManager();
}

void TVxCustomPanel::SetUseDockManager(bool on) {
  useDockManager_ = on;
  UpdateDockManager();
}

void TVxCustomPanel::UpdateDockManager() {
  const bool wanted = dockSite_ && useDockManager_;
  if (wanted && !dockManager_) dockManager_ = new TVxPanelDockManager(this);
  if (!wanted && dockManager_) {
    delete dockManager_;
    dockManager_ = nullptr;
  }
  update();
}

void TVxCustomPanel::enterEvent(QEnterEvent* e) {
  QFrame::enterEvent(e);
  if (OnMouseEnter) OnMouseEnter();
}

void TVxCustomPanel::leaveEvent(QEvent* e) {
  QFrame::leaveEvent(e);
  if (OnMouseLeave) OnMouseLeave();
}

void TVxCustomPanel::moveEvent(QMoveEvent* e) {
  QFrame::moveEvent(e);
  // A move that comes with a resize is judged by the resize that follows it.
  if (known_.isValid() && size() == known_.size()) known_.moveTopLeft(pos());
}

void TVxCustomPanel::resizeEvent(QResizeEvent* e) {
  QFrame::resizeEvent(e);
  if (known_.isValid()) {
    if (align_ == TAlign::alBottom && height() != known_.height())
      move(x(), known_.top() + known_.height() - height());
    if (align_ == TAlign::alRight && width() != known_.width())
      move(known_.left() + known_.width() - width(), y());
  }
  known_ = geometry();
  if (dockManager_) dockManager_->ResetBounds();
}

void TVxCustomPanel::mousePressEvent(QMouseEvent* e) {
  if (dockManager_ && e->button() == Qt::LeftButton && dockManager_->MouseDown(e->position().toPoint())) return;
  QFrame::mousePressEvent(e);
}

void TVxCustomPanel::childEvent(QChildEvent* e) {
  QFrame::childEvent(e);
  if (dockManager_ && e->type() == QEvent::ChildRemoved) {
    dockManager_->RemoveControl(e->child());
  }
}

// ---- dock manager ----

void TVxPanelDockManager::InsertControl(QWidget* client) {
  for (const auto& c : clients_)
    if (c == client) return;
  clients_.emplace_back(client);
  if (client->parentWidget() != panel_) client->setParent(panel_);
  client->show();
  ResetBounds();
  panel_->update();
}

void TVxPanelDockManager::RemoveControl(const QObject* client) {
  std::erase_if(clients_, [&](const QPointer<QWidget>& c) { return c.isNull() || c.data() == client; });
  ResetBounds();
  panel_->update();
}

bool TVxPanelDockManager::Contains(const QObject* client) const {
  for (const auto& c : clients_)
    if (c && c.data() == client) return true;
  return false;
}

bool TVxPanelDockManager::SideCaptions() const {
  return panel_->Align() == TAlign::alTop || panel_->Align() == TAlign::alBottom;
}

// The i-th of n equal zones of the client rectangle: side by side on a top or bottom panel.
QRect TVxPanelDockManager::Zone(int i, int n) const {
  const TRect r = panel_->ClientRect();
  const int w = r.Right - r.Left, h = r.Bottom - r.Top;
  if (SideCaptions()) {
    const int l = r.Left + w * i / n;
    return QRect(l, r.Top, r.Left + w * (i + 1) / n - l, h);
  }
  const int t = r.Top + h * i / n;
  return QRect(r.Left, t, w, r.Top + h * (i + 1) / n - t);
}

QRect TVxPanelDockManager::CaptionRect(const QWidget* client) const {
  if (!panel_->ShowDockClientCaptions) return {};
  int n = 0, at = -1;
  for (const auto& c : clients_) {
    if (!c || c->isHidden()) continue;
    if (c == client) at = n;
    ++n;
  }
  if (at < 0) return {};
  const QRect z = Zone(at, n);
  return SideCaptions() ? QRect(z.left(), z.top(), kCaptionSize, z.height())
                        : QRect(z.left(), z.top(), z.width(), kCaptionSize);
}

QRect TVxPanelDockManager::CloseButtonRect(const QWidget* client) const {
  const QRect c = CaptionRect(client);
  if (c.isEmpty()) return {};
  const int b = kCaptionSize - 2;
  // At the far end of the strip: its top when the strip stands upright.
  return SideCaptions() ? QRect(c.left() + 1, c.top() + 1, b, b) : QRect(c.right() - b, c.top() + 1, b, b);
}

void TVxPanelDockManager::ResetBounds() {
  int n = 0;
  for (const auto& c : clients_)
    if (c && !c->isHidden()) ++n;
  int i = 0;
  for (const auto& c : clients_) {
    if (!c || c->isHidden()) continue;
    QRect z = Zone(i++, n);
    if (panel_->ShowDockClientCaptions) {
      if (SideCaptions()) z.setLeft(z.left() + kCaptionSize);
      else z.setTop(z.top() + kCaptionSize);
    }
    c->setGeometry(z);
  }
}

void TVxPanelDockManager::PaintCaptions(QPainter& p) {
  if (!panel_->ShowDockClientCaptions) return;
  QFont font(QStringLiteral("Arial"));
  font.setPointSize(8);
  font.setStyleStrategy(QFont::NoAntialias);
  const QColor text = ToQColor(clCaptionText), back = ToQColor(clActiveCaption);
  for (const auto& c : clients_) {
    const QRect r = CaptionRect(c);
    if (!c || r.isEmpty()) continue;
    p.save();
    p.fillRect(r, back);
    p.setPen(text);
    const QRect close = CloseButtonRect(c);
    if (SideCaptions()) {
      // Upright strip: the text reads from the bottom up.
      const TAngledFont a = CreateAngledFont(font, 90);
      QFont turned = FontOfAngled(a);
      turned.setStyleStrategy(QFont::NoAntialias);
      p.setFont(turned);
      p.translate(r.left(), r.bottom() + 1);
      p.rotate(-a.Escapement / 10.0);
      p.drawText(QRect(2, 0, r.height() - kCaptionSize - 2, kCaptionSize), Qt::AlignLeft | Qt::AlignVCenter,
                 c->windowTitle());
    } else {
      p.setFont(font);
      p.drawText(r.adjusted(2, 0, -kCaptionSize, 0), Qt::AlignLeft | Qt::AlignVCenter, c->windowTitle());
    }
    p.restore();
    QStyleOption o;
    o.initFrom(panel_);
    o.rect = close;
    panel_->style()->drawPrimitive(QStyle::PE_IndicatorTabClose, &o, &p, panel_);
  }
}

bool TVxPanelDockManager::MouseDown(const QPoint& at) {
  for (const auto& c : clients_) {
    if (c && CloseButtonRect(c).contains(at)) {
      c->hide();
      ResetBounds();
      panel_->update();
      return true;
    }
  }
  return false;
}

void TVxCustomPanel::PaintPanel(TCanvas& c) {
  TRect r{0, 0, width(), height()};
  r = DrawSideLines(c, r, clBlack, clBlack, FrameSides);
  auto border = [&](TFrameStyle s) {
    if (s == TFrameStyle::fsFlat) r = DrawSideLines(c, r, FlatColor, FlatColor, BorderSides);
    else if (s == TFrameStyle::fsPopup) r = DrawBevelBands(c, r, BorderHighlight, BorderShadow, BevelWidth, BorderSides);
    else if (s == TFrameStyle::fsStatus) r = DrawBevelBands(c, r, BorderShadow, BorderHighlight, BevelWidth, BorderSides);
    else r = DrawFrameStyleSides(c, r, s, BorderSides);
  };
  border(BorderOuter);
  if (BorderWidthValue != 0) r = DrawBevelBands(c, r, BorderColor, BorderColor, BorderWidthValue, BorderSides);
  border(BorderInner);
  c.Brush.Color = Color;
  c.Brush.Style = TBrushStyle::bsSolid;
  c.FillRect(r.Left, r.Top, r.Right, r.Bottom);
  c.Brush.Style = TBrushStyle::bsClear;
  if (Caption.isEmpty() || !c.Painter()) return;
  QPainter& p = *c.Painter();
  QRect box(r.Left + 1, r.Top, std::max(0, r.Right - r.Left - 1), std::max(0, r.Bottom - r.Top));
  const int flags = int(HorizontalAlignment) | Qt::TextWordWrap | Qt::TextExpandTabs;
  const QRect need = p.boundingRect(box, flags, Caption);
  if (VerticalAlignment == TVerticalAlignment::vaCenter) box.setTop((r.Top + r.Bottom - need.height()) / 2);
  else if (VerticalAlignment == TVerticalAlignment::vaBottom) box.setTop(r.Bottom - need.height() - 1);
  box.setHeight(need.height());
  p.setFont(font());
  if (!isEnabled()) {
    p.setPen(QColor(255, 255, 255));
    p.drawText(box.translated(1, 1), flags, Caption);
    p.setPen(QColor(128, 128, 128));
  } else {
    p.setPen(palette().color(QPalette::WindowText));
  }
  p.drawText(box, flags, Caption);
}

void TVxCustomPanel::paintEvent(QPaintEvent*) {
  QPainter p(this);
  TCanvas c(&p);
  PaintPanel(c);
  if (dockManager_) dockManager_->PaintCaptions(p);
}

// ---- spacer ----

TVxSpacer::TVxSpacer(QWidget* parent) : QWidget(parent) { resize(8, 25); }

void TVxSpacer::SetGrooved(bool g) {
  grooved_ = g;
  update();
}

void TVxSpacer::SetOrientation(TOrientation o) {
  if (o == orientation_) return;
  orientation_ = o;
  resize(height(), width());
}

void TVxSpacer::PaintSpacer(TCanvas& c) {
  if (!grooved_) return;
  const int l = 0, t = 0, r = width(), b = height();
  if (width() > height()) {
    const int y = t + (b - t) / 2 - 1;
    c.Pen.Color = clBtnShadow;
    c.MoveTo(l + 1, y);
    c.LineTo(r, y);
    c.Pen.Color = clBtnHighlight;
    c.MoveTo(l + 1, y + 1);
    c.LineTo(r, y + 1);
  } else {
    const int x = l + (r - l) / 2 - 1;
    c.Pen.Color = clBtnShadow;
    c.MoveTo(x, t + 1);
    c.LineTo(x, b);
    c.Pen.Color = clBtnHighlight;
    c.MoveTo(x + 1, t + 1);
    c.LineTo(x + 1, b);
  }
}

void TVxSpacer::paintEvent(QPaintEvent*) {
  QPainter p(this);
  TCanvas c(&p);
  PaintSpacer(c);
}

// ---- toolbar ----

TVxToolbar::TVxToolbar(QWidget* parent) : TVxCustomPanel(parent) {
  BorderInner = TFrameStyle::fsNone;
  BorderOuter = TFrameStyle::fsGroove;
  BorderSides = sdTop;
  FrameSides = 0;
  align_ = TAlign::alTop;
  setToolTipDuration(-1);
  resize(32, 32);
}

void TVxToolbar::ApplyAlignStyle() {
  BorderInner = TFrameStyle::fsNone;
  BorderOuter = showDivider_ ? TFrameStyle::fsGroove : TFrameStyle::fsNone;
  FrameSides = 0;
  switch (align_) {
    case TAlign::alBottom: BorderSides = sdBottom; break;
    case TAlign::alLeft: BorderSides = sdLeft; break;
    case TAlign::alRight: BorderSides = sdRight; break;
    default: BorderSides = sdTop; break;
  }
  update();
}

void TVxToolbar::SetShowDivider(bool on) {
  showDivider_ = on;
  BorderOuter = on ? TFrameStyle::fsGroove : TFrameStyle::fsNone;
  update();
}

void TVxToolbar::SetAlign(TAlign a) {
  if (AutoStyle) {
    align_ = a;
    ApplyAlignStyle();
  }
  TVxCustomPanel::SetAlign(a);
  if (a == TAlign::alLeft || a == TAlign::alRight) resize(32, height());
  else resize(width(), 32);
}

TToolbarMetrics TVxToolbar::Metrics() const {
  TToolbarMetrics m;
  m.Width = width();
  m.Height = height();
  m.Margin = margin_;
  m.TopMargin = topMargin_;
  m.RowHeight = rowHeight_;
  m.WrapControls = wrap_;
  m.AutoResize = autoResize_;
  m.Orientation = orientation_;
  m.Align = align_;
  return m;
}

void TVxToolbar::SetMargin(int v) {
  if (v != margin_) margin_ = v, ArrangeControls();
}
void TVxToolbar::SetTopMargin(int v) {
  if (v != topMargin_) topMargin_ = v, ArrangeControls();
}
void TVxToolbar::SetRowHeight(int v) {
  if (v != rowHeight_) rowHeight_ = v, ArrangeControls();
}
void TVxToolbar::SetWrapControls(bool v) {
  if (v != wrap_) wrap_ = v, ArrangeControls();
}
void TVxToolbar::SetAutoResize(bool v) {
  if (v != autoResize_) autoResize_ = v, ArrangeControls();
}
void TVxToolbar::SetOrientation(TOrientation o) {
  if (o == orientation_) return;
  orientation_ = o;
  for (QObject* ch : children())
    if (auto* s = dynamic_cast<TVxSpacer*>(ch)) s->SetOrientation(o);
  ArrangeControls();
}

void TVxToolbar::SetBackground(const QImage& img) {
  background_ = img;
  update();
}

// A border set by hand ends the automatic style.
void TVxToolbar::SetBorderInner(TFrameStyle s) {
  AutoStyle = false;
  TVxCustomPanel::SetBorderInner(s);
}
void TVxToolbar::SetBorderOuter(TFrameStyle s) {
  AutoStyle = false;
  TVxCustomPanel::SetBorderOuter(s);
}
void TVxToolbar::SetBorderSides(TSides s) {
  AutoStyle = false;
  TVxCustomPanel::SetBorderSides(s);
}
void TVxToolbar::SetFrameSides(TSides s) {
  AutoStyle = false;
  TVxCustomPanel::SetFrameSides(s);
}

QStringList TVxToolbar::ToolbarControls() const {
  QStringList names;
  for (const auto& w : order_)
    if (w) names << w->objectName();
  return names;
}

int TVxToolbar::IndexOfName(const QString& name) const {
  for (size_t i = 0; i < order_.size(); ++i)
    if (order_[i] && order_[i]->objectName().compare(name, Qt::CaseInsensitive) == 0) return static_cast<int>(i);
  return -1;
}

int TVxToolbar::AddControl(QWidget* w) {
  for (size_t i = 0; i < order_.size(); ++i)
    if (order_[i] == w) return static_cast<int>(i);
  order_.emplace_back(w);
  return static_cast<int>(order_.size()) - 1;
}

bool TVxToolbar::eventFilter(QObject* o, QEvent* e) {
  const QEvent::Type t = e->type();
  if ((t == QEvent::ShowToParent || t == QEvent::HideToParent || t == QEvent::Resize) && o->parent() == this)
    ArrangeControls();
  return TVxCustomPanel::eventFilter(o, e);
}

void TVxToolbar::Loaded(const QStringList& names) {
  order_.clear();
  QWidget* form = window();
  for (const QString& n : names) {
    QWidget* w = form->objectName().compare(n, Qt::CaseInsensitive) == 0 ? nullptr : form->findChild<QWidget*>(n);
    if (w) AddControl(w);  // a name that no longer exists is skipped
  }
  ArrangeControls();
  if (AutoStyle) ApplyAlignStyle();
}

void TVxToolbar::ArrangeControls() {
  if (arranging_) return;
  arranging_ = true;
  std::erase_if(order_, [](const QPointer<QWidget>& w) { return w.isNull(); });
  // Children placed on the toolbar since the last time join at the end, in child order.
  for (QObject* ch : children())
    if (auto* w = qobject_cast<QWidget*>(ch); w && !w->isWindow() && !(DockManager() && DockManager()->Contains(w))) AddControl(w);
  std::vector<TToolbarItem> items;
  for (const auto& w : order_)
    items.push_back({w->width(), w->height(), !w->isHidden(), w->layoutDirection() == Qt::RightToLeft, false});
  const TToolbarArrangement a = ArrangeToolbar(Metrics(), items);
  for (size_t i = 0; i < order_.size(); ++i)
    if (items[i].Visible) order_[i]->move(items[i].Left, items[i].Top);
  const QRect old = geometry();
  QRect now(old.topLeft(), QSize(a.NewWidth >= 0 ? a.NewWidth : width(), a.NewHeight >= 0 ? a.NewHeight : height()));
  // A toolbar at the bottom keeps its bottom edge, one at the right its right edge.
  if (align_ == TAlign::alBottom) now.moveBottom(old.bottom());
  if (align_ == TAlign::alRight) now.moveRight(old.right());
  setGeometry(now);
  if (now != old) update();
  // The parent lays itself out again around the new size.
  if (parentWidget()) QApplication::postEvent(parentWidget(), new QEvent(QEvent::LayoutRequest));
  arranging_ = false;
}

void TVxToolbar::paintEvent(QPaintEvent* e) {
  TVxCustomPanel::paintEvent(e);
  if (background_.isNull()) return;
  QPainter p(this);
  const TRect r = ClientRect();
  p.setClipRect(QRect(r.Left, r.Top, r.Right - r.Left, r.Bottom - r.Top));
  const int bw = background_.width(), bh = background_.height();
  const int cols = (r.Right - r.Left) / bw + ((r.Right - r.Left) % bw ? 1 : 0);
  const int rows = (r.Bottom - r.Top) / bh + ((r.Bottom - r.Top) % bh ? 1 : 0);
  for (int y = 0; y < rows; ++y)
    for (int x = 0; x < cols; ++x) p.drawImage(r.Left + x * bw, r.Top + y * bh, background_);
}

void TVxToolbar::childEvent(QChildEvent* e) {
  TVxCustomPanel::childEvent(e);
  // A control shown, hidden or resized takes or gives back its room at once.
  if (e->type() == QEvent::ChildAdded && e->child()->isWidgetType()) e->child()->installEventFilter(this);
  if (e->type() == QEvent::ChildRemoved) {
    std::erase_if(order_, [&](const QPointer<QWidget>& w) { return w.isNull() || w.data() == e->child(); });
    ArrangeControls();
  }
}

void TVxToolbar::resizeEvent(QResizeEvent* e) {
  TVxCustomPanel::resizeEvent(e);
  ArrangeControls();
}

void TVxToolbar::changeEvent(QEvent* e) {
  TVxCustomPanel::changeEvent(e);
  // Right-to-left controls are placed from the right edge.
  if (e->type() == QEvent::LayoutDirectionChange) ArrangeControls();
}
