#include "components/VxEdit.h"

#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QPointer>
#include <QScrollBar>
#include <QTextBlock>
#include <QWheelEvent>
#include <cstdlib>

TVxMemo::TVxMemo(QWidget* parent) : QPlainTextEdit(parent), TProprietesCadre(this) {
  connect(this, &QPlainTextEdit::textChanged, this, [this] { Report(); });
  connect(this, &QPlainTextEdit::cursorPositionChanged, this, [this] { Report(); });
}

void TVxMemo::MontrerBordure() {
  const bool on = cadre_.FrameVisible();
  // The frame takes the 2-pixel erase band and, inside it, up to two pixels of its style; the
  // text area starts beyond both, so that the text never covers the frame.
  const int m = on ? 4 : 0;
  setFrameStyle(on ? QFrame::NoFrame : QFrame::StyledPanel | QFrame::Sunken);
  setViewportMargins(m, m, m, m);
}

int TVxMemo::Line() const { return textCursor().blockNumber() + 1; }
int TVxMemo::Column() const { return textCursor().positionInBlock() + 1; }

void TVxMemo::SetLine(int line) {
  const QTextBlock b = document()->findBlockByNumber(line - 1);
  if (!b.isValid()) return;
  QTextCursor c(b);
  setTextCursor(c);
  ensureCursorVisible();
}

void TVxMemo::SetColumn(int column) {
  QTextCursor c = textCursor();
  if (column - 1 > c.block().length() - 1 || column < 1) return;  // a shorter line keeps the caret
  c.setPosition(c.block().position() + column - 1);
  setTextCursor(c);
}

void TVxMemo::Report() {
  if (OnLineColChange) OnLineColChange(Line(), Column());
  ReportClipboard();
}

void TVxMemo::ReportClipboard() {
  if (!OnClipboardChange) return;
  const QClipboard* cb = QApplication::clipboard();
  OnClipboardChange(textCursor().hasSelection(), cb && !cb->text().isEmpty());
}

void TVxMemo::UpdateFrameState(bool byMouse, bool inside) {
  cadre_.MajEtat(this, byMouse, inside);
  if (cadre_.FrameFlat()) repaint();
}

bool TVxMemo::event(QEvent* e) {
  const bool r = QPlainTextEdit::event(e);
  // The window exists from the first showing: the caret's place is told once then.
  if (e->type() == QEvent::Show && !shown_) {
    shown_ = true;
    Report();
  }
  if (e->type() == QEvent::Paint) cadre_.Peindre(this, Color);
  return r;
}

void TVxMemo::keyPressEvent(QKeyEvent* e) {
  if (OnKeyDown) OnKeyDown(e);
  if (!e->isAccepted()) return;
  QPlainTextEdit::keyPressEvent(e);
  Report();
}

void TVxMemo::keyReleaseEvent(QKeyEvent* e) {
  QPlainTextEdit::keyReleaseEvent(e);
  Report();
}

void TVxMemo::mouseReleaseEvent(QMouseEvent* e) {
  QPlainTextEdit::mouseReleaseEvent(e);
  ReportClipboard();
}

void TVxMemo::wheelEvent(QWheelEvent* e) {
  // Only vertical steps count, in whole notches.
  const int crans = CransMolette(wheelSum_, e->angleDelta().y());
  const int lines = (e->modifiers() & Qt::ControlModifier) ? QApplication::wheelScrollLines() : 1;
  e->accept();
  // A handler may delete the memo: the notches left over go with it.
  const QPointer<TVxMemo> self(this);
  for (int i = 0; i < std::abs(crans); ++i) {
    const bool up = crans > 0;
    if (up && OnMouseWheelUp) OnMouseWheelUp(e->modifiers(), e->position().toPoint());
    if (!up && OnMouseWheelDown) OnMouseWheelDown(e->modifiers(), e->position().toPoint());
    if (!self) return;
    verticalScrollBar()->setValue(verticalScrollBar()->value() + (up ? -lines : lines));
  }
}

void TVxMemo::focusInEvent(QFocusEvent* e) {
  UpdateFrameState(false, true);
  QPlainTextEdit::focusInEvent(e);
}

void TVxMemo::focusOutEvent(QFocusEvent* e) {
  QPlainTextEdit::focusOutEvent(e);
  UpdateFrameState(false, false);
}

void TVxMemo::enterEvent(QEnterEvent* e) {
  QPlainTextEdit::enterEvent(e);
  UpdateFrameState(true, true);
  if (OnMouseEnter) OnMouseEnter();
}

void TVxMemo::leaveEvent(QEvent* e) {
  QPlainTextEdit::leaveEvent(e);
  UpdateFrameState(true, false);
  if (OnMouseLeave) OnMouseLeave();
}
