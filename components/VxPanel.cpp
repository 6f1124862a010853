#include "components/VxPanel.h"

#include <QApplication>
#include <QChildEvent>
#include <QPainter>
#include <algorithm>

TToolbarArrangement ArrangeToolbar(const TToolbarMetrics& m, std::vector<TToolbarItem>& items) {
  TToolbarArrangement a;
  const bool horizontal = m.Orientation == TOrientation::orHorizontal;
  int pos = m.Margin;
  for (size_t i = 0; i < items.size(); ++i) {
    TToolbarItem& it = items[i];
    if (!it.Visible || it.Destroying) continue;
    const int size = horizontal ? it.Width : it.Height;
    const int room = (horizontal ? m.Width : m.Height) - m.Margin;
    if (m.WrapControls && i != 0 && room < pos + size) {
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
  return {BorderWidthOn(sdLeft), BorderWidthOn(sdTop), width() - BorderWidthOn(sdRight),
          height() - BorderWidthOn(sdBottom)};
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
  align_ = a;
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
    if (auto* w = qobject_cast<QWidget*>(ch); w && !w->isWindow()) AddControl(w);
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
  if (e->type() == QEvent::ChildRemoved) {
    std::erase_if(order_, [&](const QPointer<QWidget>& w) { return w.isNull() || w.data() == e->child(); });
    ArrangeControls();
  }
}

void TVxToolbar::resizeEvent(QResizeEvent* e) {
  TVxCustomPanel::resizeEvent(e);
  ArrangeControls();
}
