#pragma once
// The memo: a multi-line edit with an optional flat frame drawn by the border routines, caret
// line and column events, a clipboard-state event and mouse-wheel events.
#include <QPlainTextEdit>
#include <functional>

#include "components/VxFrame.h"

class TVxMemo : public QPlainTextEdit {
 public:
  explicit TVxMemo(QWidget* parent = nullptr);

  // The frame, set through the setters, which repaint.
  const TCadreControle& Cadre() const { return cadre_; }
  bool UseFrameController = true;  // kept only
  TColor Color = clWhite;
  TColor FrameColor() const { return cadre_.FrameColor(); }
  void SetFrameColor(TColor c) { cadre_.SetFrameColor(this, c); }
  TSides FrameSides() const { return cadre_.FrameSides(); }
  void SetFrameSides(TSides s) { cadre_.SetFrameSides(this, s); }
  TFrameStyle FrameFlatStyle() const { return cadre_.FrameFlatStyle(); }
  void SetFrameFlatStyle(TFrameStyle s) { cadre_.SetFrameFlatStyle(this, s); }
  TFrameStyle FrameFocusStyle() const { return cadre_.FrameFocusStyle(); }
  void SetFrameFocusStyle(TFrameStyle s) { cadre_.SetFrameFocusStyle(this, s); }
  TFrameStyle FrameStyle() const { return cadre_.FrameStyle(); }
  void SetFrameStyle(TFrameStyle s) { cadre_.SetFrameStyle(this, s); }
  bool FrameFlat() const { return cadre_.FrameFlat(); }
  void SetFrameFlat(bool on);
  bool FrameVisible() const { return cadre_.FrameVisible(); }
  void SetFrameVisible(bool on);

  int Line() const;    // 1-based
  int Column() const;  // 1-based
  void SetLine(int line);
  void SetColumn(int column);

  std::function<void(int line, int column)> OnLineColChange;
  std::function<void(bool hasSelection, bool clipboardHasText)> OnClipboardChange;
  std::function<void()> OnMouseEnter, OnMouseLeave;
  std::function<void(Qt::KeyboardModifiers, QPoint)> OnMouseWheelUp, OnMouseWheelDown;
  std::function<void(QKeyEvent*)> OnKeyDown;

  // Focus and hover decide the flat frame's style (what the events call).
  void UpdateFrameState(bool byMouse, bool inside);

 protected:
  bool event(QEvent* e) override;
  void keyPressEvent(QKeyEvent* e) override;
  void keyReleaseEvent(QKeyEvent* e) override;
  void mouseReleaseEvent(QMouseEvent* e) override;
  void wheelEvent(QWheelEvent* e) override;
  void focusInEvent(QFocusEvent* e) override;
  void focusOutEvent(QFocusEvent* e) override;
  void enterEvent(QEnterEvent* e) override;
  void leaveEvent(QEvent* e) override;

 private:
  void Report();
  void ReportClipboard();
  void MontrerBordure();
  bool shown_ = false;
  int wheelSum_ = 0;  // vertical wheel steps not yet a whole notch
  TCadreControle cadre_;
};
