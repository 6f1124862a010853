#pragma once
// The memo: a multi-line edit with an optional flat frame drawn by the border routines, caret
// line and column events, a clipboard-state event and mouse-wheel events.
#include <QPlainTextEdit>
#include <functional>

#include "components/VxCommon.h"

class TVxMemo : public QPlainTextEdit {
 public:
  explicit TVxMemo(QWidget* parent = nullptr);

  TFrameStyle FrameFlatStyle = TFrameStyle::fsStatus;
  TFrameStyle FrameFocusStyle = TFrameStyle::fsLowered;
  TColor FrameColor() const { return frameColor_; }
  void SetFrameColor(TColor c);
  TSides FrameSides() const { return frameSides_; }
  void SetFrameSides(TSides s);
  bool UseFrameController = true;  // kept only
  TColor Color = clWhite;
  bool FrameFlat() const { return frameFlat_; }
  void SetFrameFlat(bool on);
  bool FrameVisible() const { return frameVisible_; }
  void SetFrameVisible(bool on);
  TFrameStyle FrameStyle() const { return frameStyle_; }
  void SetFrameStyle(TFrameStyle s);

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
  bool frameFlat_ = false, frameVisible_ = false, mouseOver_ = false, shown_ = false;
  int wheelSum_ = 0;  // vertical wheel steps not yet a whole notch
  TFrameStyle frameStyle_ = TFrameStyle::fsFlat;
  TColor frameColor_ = clBtnShadow;
  TSides frameSides_ = sdAll;
};
