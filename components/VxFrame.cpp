#include "components/VxFrame.h"

#include <QEvent>
#include <QPainter>

#include "platform/Canvas.h"

void TCadreControle::SetFrameFlat(QWidget* w, bool v) {
  if (v == frameFlat_) return;
  frameFlat_ = v;
  if (v) {
    frameVisible_ = true;
    frameSides_ = sdAll;
    frameStyle_ = frameFlatStyle_;
  }
  w->update();
}

void TCadreControle::MajEtat(QWidget* w, bool parSouris, bool dedans) {
  if (parSouris) sourisDessus_ = dedans;
  if (!frameFlat_) return;
  frameStyle_ = w->hasFocus() || sourisDessus_ ? frameFocusStyle_ : frameFlatStyle_;
  w->update();
}

void TCadreControle::Peindre(QWidget* w, TColor fond) const {
  if (!frameVisible_) return;
  QPainter p(w);
  TCanvas c(&p);
  PaintControlFrame(c, w->width(), w->height(), frameStyle_, fond, frameColor_, frameSides_);
}

void TCadreControle::Evenement(QWidget* w, QEvent* e, TColor fond) {
  switch (e->type()) {
    case QEvent::FocusIn: MajEtat(w, false, true); break;
    case QEvent::FocusOut: MajEtat(w, false, false); break;
    case QEvent::Enter: MajEtat(w, true, true); break;
    case QEvent::Leave: MajEtat(w, true, false); break;
    case QEvent::Paint: Peindre(w, fond); break;
    default: break;
  }
}
