#include "components/VxFrame.h"

#include <QEvent>
#include <QPainter>

#include "platform/Canvas.h"

void TCadreControle::Evenement(QWidget* w, QEvent* e, TColor fond) {
  switch (e->type()) {
    case QEvent::FocusIn: MajEtat(w, false, true); break;
    case QEvent::FocusOut: MajEtat(w, false, false); break;
    case QEvent::Enter: MajEtat(w, true, true); break;
    case QEvent::Leave: MajEtat(w, true, false); break;
    case QEvent::Paint:
      if (FrameVisible) {
        QPainter p(w);
        TCanvas c(&p);
        PaintControlFrame(c, w->width(), w->height(), FrameStyle, fond, FrameColor, FrameSides);
      }
      break;
    default: break;
  }
}
