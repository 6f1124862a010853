#pragma once
// The framed panel (with the caption strips of windows docked into it), the toolbar that lays out
// its small controls in wrapping rows in a stored order and sizes itself to them, and the spacer
// between groups of buttons.
#include <QFrame>
#include <QImage>
#include <QPointer>
#include <QStringList>
#include <functional>
#include <vector>

#include "components/VxCommon.h"

enum class TAlign : uint8_t { alNone, alTop, alBottom, alLeft, alRight, alClient };
enum class TVerticalAlignment : uint8_t { vaTop, vaCenter, vaBottom };

// One control as the arrangement sees it.
struct TToolbarItem {
  int Width = 0, Height = 0;
  bool Visible = true;
  bool RightToLeft = false;
  bool Destroying = false;
  int Left = 0, Top = 0;  // result
};

struct TToolbarArrangement {
  int Rows = 1;      // rows (columns when vertical)
  int Widest = 0;    // widest row (tallest column when vertical)
  int NewWidth = -1, NewHeight = -1;  // -1: unchanged
};

struct TToolbarMetrics {
  int Width = 32, Height = 32;
  int Margin = 4, TopMargin = 4, RowHeight = 25;
  bool WrapControls = true, AutoResize = true;
  TOrientation Orientation = TOrientation::orHorizontal;
  TAlign Align = TAlign::alTop;
};

// Places the controls in order, wrapping rows, and gives the toolbar's new size.
TToolbarArrangement ArrangeToolbar(const TToolbarMetrics& m, std::vector<TToolbarItem>& items);

class TVxPanelDockManager;

class TVxCustomPanel : public QFrame {
 public:
  explicit TVxCustomPanel(QWidget* parent = nullptr);
  ~TVxCustomPanel() override;

  TFrameStyle BorderInner = TFrameStyle::fsNone;
  TFrameStyle BorderOuter = TFrameStyle::fsRaised;
  TSides BorderSides = sdAll;
  TColor BorderColor = clBtnFace;
  TColor BorderHighlight = clBtnHighlight;
  TColor BorderShadow = clBtnShadow;
  TColor FlatColor = clBlack;
  TSides FrameSides = 0;
  TVerticalAlignment VerticalAlignment = TVerticalAlignment::vaCenter;
  int BevelWidth = 1;
  int BorderWidthValue = 0;
  bool FullRepaint = true;
  bool ShowDockClientCaptions = true;
  TColor Color = clBtnFace;
  QString Caption;
  Qt::Alignment HorizontalAlignment = Qt::AlignHCenter;
  std::function<void()> OnMouseEnter, OnMouseLeave;

  // The mouse position in the panel's own coordinates.
  virtual QPoint CursorPos() const;
  // Takes the borders off a rectangle of the panel's size.
  virtual void AdjustClientRect(TRect& r) const;
  virtual void SetVerticalAlignment(TVerticalAlignment a);
  virtual void SetBorderColor(TColor c);
  virtual void SetBorderInner(TFrameStyle s);
  virtual void SetBorderOuter(TFrameStyle s);
  virtual void SetBorderSides(TSides s);
  virtual void SetBorderHighlight(TColor c);
  virtual void SetBorderShadow(TColor c);
  virtual void SetFlatColor(TColor c);
  virtual void SetFrameSides(TSides s);
  // Width taken by the borders on one side.
  int BorderWidthOn(TSide side) const;
  // The client rectangle with the borders and the border width taken off.
  TRect ClientRect() const;
  // Paints the panel on a canvas of its size (what paintEvent does).
  void PaintPanel(TCanvas& c);

  // A panel at the bottom keeps its bottom edge when its height changes, one at the right its
  // right edge when its width changes.
  TAlign Align() const { return align_; }
  virtual void SetAlign(TAlign a);

  // Other windows may be docked into a dock site; with the dock manager each gets a caption strip.
  bool DockSite() const { return dockSite_; }
  void SetDockSite(bool on);
  bool UseDockManager() const { return useDockManager_; }
  void SetUseDockManager(bool on);
  TVxPanelDockManager* DockManager() const { return dockManager_; }

 protected:
  void paintEvent(QPaintEvent*) override;
  void enterEvent(QEnterEvent* e) override;
  void leaveEvent(QEvent* e) override;
  void resizeEvent(QResizeEvent* e) override;
  void moveEvent(QMoveEvent* e) override;
  void mousePressEvent(QMouseEvent* e) override;
  void childEvent(QChildEvent* e) override;
  TAlign align_ = TAlign::alNone;

 private:
  void UpdateDockManager();
  bool dockSite_ = false, useDockManager_ = false;
  TVxPanelDockManager* dockManager_ = nullptr;
  QRect known_;  // the geometry the last resize left
};

// The docked clients of a panel, side by side along a top or bottom panel and stacked otherwise,
// each under a caption strip (beside it, the text turned a quarter, on a top or bottom panel)
// with a close button that hides the client.
class TVxPanelDockManager {
 public:
  static constexpr int kCaptionSize = 13;
  explicit TVxPanelDockManager(TVxCustomPanel* panel) : panel_(panel) {}

  void InsertControl(QWidget* client);
  void RemoveControl(const QObject* client);
  bool Contains(const QObject* client) const;
  int Count() const { return static_cast<int>(clients_.size()); }
  QWidget* Client(int i) const { return clients_[static_cast<size_t>(i)]; }
  // The caption strip of a docked client and its close button (empty rectangles without captions).
  QRect CaptionRect(const QWidget* client) const;
  QRect CloseButtonRect(const QWidget* client) const;
  void ResetBounds();
  void PaintCaptions(QPainter& p);
  // A press on a close button hides its client; true when one was hit.
  bool MouseDown(const QPoint& at);

 private:
  bool SideCaptions() const;
  QRect Zone(int i, int n) const;
  TVxCustomPanel* panel_;
  std::vector<QPointer<QWidget>> clients_;
};

class TVxSpacer : public QWidget {
 public:
  explicit TVxSpacer(QWidget* parent = nullptr);
  bool Grooved() const { return grooved_; }
  void SetGrooved(bool g);
  TOrientation Orientation() const { return orientation_; }
  void SetOrientation(TOrientation o);  // a new orientation exchanges width and height
  void PaintSpacer(TCanvas& c);

 protected:
  void paintEvent(QPaintEvent*) override;

 private:
  bool grooved_ = false;
  TOrientation orientation_ = TOrientation::orHorizontal;
};

class TVxToolbar : public TVxCustomPanel {
 public:
  explicit TVxToolbar(QWidget* parent = nullptr);

  bool ShowDivider() const { return showDivider_; }
  void SetShowDivider(bool on);
  bool AutoStyle = true;
  void SetAlign(TAlign a) override;
  TToolbarMetrics Metrics() const;
  void SetMargin(int v);
  void SetTopMargin(int v);
  void SetRowHeight(int v);
  void SetWrapControls(bool v);
  void SetAutoResize(bool v);
  void SetOrientation(TOrientation o);
  int Margin() const { return margin_; }
  int TopMargin() const { return topMargin_; }
  int RowHeight() const { return rowHeight_; }
  void SetBackground(const QImage& img);

  void SetBorderInner(TFrameStyle s) override;
  void SetBorderOuter(TFrameStyle s) override;
  void SetBorderSides(TSides s) override;
  void SetFrameSides(TSides s) override;

  // The stored order ("ToolbarControls"): names of the controls in order.
  QStringList ToolbarControls() const;
  // Takes a stored order: each name found among the window's controls joins in that order;
  // without names, every child joins in child order. Then the controls are arranged.
  void Loaded(const QStringList& names);
  // Appends a control to the order (its existing place when it is listed already).
  int AddControl(QWidget* w);
  int IndexOfName(const QString& name) const;  // -1 when absent
  void ArrangeControls();

 protected:
  void paintEvent(QPaintEvent*) override;
  void childEvent(QChildEvent* e) override;
  void resizeEvent(QResizeEvent* e) override;
  void changeEvent(QEvent* e) override;
  bool eventFilter(QObject* o, QEvent* e) override;

 private:
  void ApplyAlignStyle();
  std::vector<QPointer<QWidget>> order_;
  bool showDivider_ = true;
  int margin_ = 4, topMargin_ = 4, rowHeight_ = 25;
  bool wrap_ = true, autoResize_ = true;
  TOrientation orientation_ = TOrientation::orHorizontal;
  QImage background_;
  bool arranging_ = false;
};
