#pragma once
// The framed panel, the toolbar that lays out its small controls in wrapping rows in a stored
// order and sizes itself to them, and the spacer between groups of buttons.
#include <QFrame>
#include <QImage>
#include <QPointer>
#include <QStringList>
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

class TVxCustomPanel : public QFrame {
 public:
  explicit TVxCustomPanel(QWidget* parent = nullptr);

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

  virtual void SetBorderInner(TFrameStyle s);
  virtual void SetBorderOuter(TFrameStyle s);
  virtual void SetBorderSides(TSides s);
  virtual void SetFrameSides(TSides s);
  // Width taken by the borders on one side.
  int BorderWidthOn(TSide side) const;
  // The client rectangle with the borders taken off.
  TRect ClientRect() const;
  // Paints the panel on a canvas of its size (what paintEvent does).
  void PaintPanel(TCanvas& c);

 protected:
  void paintEvent(QPaintEvent*) override;
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
  TAlign Align() const { return align_; }
  void SetAlign(TAlign a);
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

 private:
  void ApplyAlignStyle();
  std::vector<QPointer<QWidget>> order_;
  bool showDivider_ = true;
  TAlign align_ = TAlign::alTop;
  int margin_ = 4, topMargin_ = 4, rowHeight_ = 25;
  bool wrap_ = true, autoResize_ = true;
  TOrientation orientation_ = TOrientation::orHorizontal;
  QImage background_;
  bool arranging_ = false;
};
