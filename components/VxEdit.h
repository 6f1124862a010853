#pragma once
// The memo: a multi-line edit with an optional flat frame drawn by the border routines, caret
// line and column events, a clipboard-state event and mouse-wheel events.
#include <QPlainTextEdit>
#include <functional>

#include "components/VxFrame.h"

class TVxMemo : public QPlainTextEdit, public TProprietesCadre {
 public:
  explicit TVxMemo(QWidget* parent = nullptr);

  // The frame, set through the setters, which repaint.
  TColor Color = clWhite;

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
  void MontrerBordure() override;
  bool shown_ = false;
  int wheelSum_ = 0;  // vertical wheel steps not yet a whole notch
};
