#include "components/FenetresOutils.h"

#include <QApplication>
#include <QEvent>
#include <QPointer>
#include <QScreen>
#include <QWidget>
#include <QWindow>

#include "platform/Types.h"

namespace {

class SuiviFenetreOutil : public QObject {
 public:
  explicit SuiviFenetreOutil(QWidget* f) : QObject(f), fenetre_(f) {}
  bool eventFilter(QObject* o, QEvent* e) override {
    if (o != fenetre_) return false;
    if (e->type() == QEvent::Hide && !fenetre_->isVisible()) {
      place_ = fenetre_->pos();
      connue_ = true;
      // A dialog not moved by the program is centred again when shown; the user's place counts.
      fenetre_->setAttribute(Qt::WA_Moved, true);
      QWidget* parent = fenetre_->parentWidget() ? fenetre_->parentWidget()->window() : nullptr;
      QWidget* active = QApplication::activeWindow();
      if (parent && parent->isVisible() && (!active || active == fenetre_)) parent->activateWindow();
    } else if (e->type() == QEvent::Show && connue_ && fenetre_->pos() != place_) {
      fenetre_->move(place_);
    }
    return false;
  }

 private:
  QPointer<QWidget> fenetre_;
  QPoint place_;
  bool connue_ = false;
};

bool OutilAuDessusVisible(const QWidget* sauf) {
  for (QWidget* w : QApplication::topLevelWidgets())
    if (w != sauf && w->isVisible() && (w->windowFlags() & Qt::WindowStaysOnTopHint) &&
        (w->windowFlags() & Qt::WindowType_Mask) == Qt::Tool)
      return true;
  return false;
}

class DialoguesAuDessus : public QObject {
 public:
  using QObject::QObject;
  bool eventFilter(QObject* o, QEvent* e) override {
    if (e->type() != QEvent::Show || !o->isWidgetType()) return false;
    auto* w = static_cast<QWidget*>(o);
    // The show event comes before the window is mapped: the layer is set on the native window,
    // which changing the widget's own flags would hide (and so end a dialog's exec).
    QWindow* fenetre = w->isWindow() && w->isModal() ? w->windowHandle() : nullptr;
    if (fenetre && !(fenetre->flags() & Qt::WindowStaysOnTopHint) && OutilAuDessusVisible(w))
      fenetre->setFlags(fenetre->flags() | Qt::WindowStaysOnTopHint);
    return false;
  }
};

// A window is placed before it is first mapped, when the window manager has not yet framed it: it
// then takes the point given for the client area's corner, and the frame's size is a guess (the
// parent's). Once the frame is known the window is placed again, unless something else moved it.
class CentrageEcran : public QObject {
 public:
  using QObject::QObject;
  bool eventFilter(QObject* o, QEvent* e) override {
    if (!o->isWidgetType()) return false;
    auto* f = static_cast<QWidget*>(o);
    if (e->type() == QEvent::Show && !e->spontaneous()) {
      cadre_ = CadreConnu(f);
      if (cadre_.isNull() && !SansCadre(f)) {
        // Not framed yet: its parent's frame stands in until its own is known.
        const QWidget* parent = f->parentWidget() ? f->parentWidget()->window() : nullptr;
        if (parent) cadre_ = CadreConnu(parent);
        aVerifier_ = true;
      }
      Placer(f);
    } else if (aVerifier_ && (e->type() == QEvent::Paint || e->type() == QEvent::Move ||
                              e->type() == QEvent::WindowActivate)) {
      if (f->geometry().topLeft() != place_) {
        aVerifier_ = false;  // placed elsewhere since (a stored place, the user)
      } else if (const QMargins cadre = CadreConnu(f); !cadre.isNull()) {
        aVerifier_ = false;
        if (cadre != cadre_) {
          cadre_ = cadre;
          Placer(f);
        }
      }
    }
    return false;
  }

 private:
  static bool SansCadre(const QWidget* f) { return f->windowFlags() & Qt::FramelessWindowHint; }
  static QMargins CadreConnu(const QWidget* f) {
    return SansCadre(f) || !f->windowHandle() ? QMargins() : f->windowHandle()->frameMargins();
  }
  void Placer(QWidget* f) {
    const QScreen* ecran = QGuiApplication::primaryScreen();
    if (!ecran) return;
    place_ = PositionCentree(ecran->availableGeometry(), f->size(), cadre_);
    // move() takes the frame's corner, as far as the frame is known (not at all before the first
    // mapping); it also keeps a dialog from centring itself on its parent.
    f->move(place_ - (f->geometry().topLeft() - f->pos()));
  }
  QMargins cadre_;
  QPoint place_;
  bool aVerifier_ = false;
};

}  // namespace

QPoint PositionCentree(const QRect& ecran, const QSize& client, const QMargins& cadre) {
  const QSize total = client.grownBy(cadre);
  return {ecran.x() + Arrondi((ecran.width() - total.width()) / 2.0) + cadre.left(),
          ecran.y() + Arrondi((ecran.height() - total.height()) / 2.0) + cadre.top()};
}

void CentrerSurEcran(QWidget* fenetre) {
  if (fenetre) fenetre->installEventFilter(new CentrageEcran(fenetre));
}

void SuivreFenetreOutil(QWidget* fenetre) {
  if (fenetre) fenetre->installEventFilter(new SuiviFenetreOutil(fenetre));
}

void PlacerDialoguesModauxAuDessus() {
  static bool fait = false;
  if (fait || !qApp) return;
  fait = true;
  qApp->installEventFilter(new DialoguesAuDessus(qApp));
}
