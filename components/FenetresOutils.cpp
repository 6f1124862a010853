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

class CentrageEcran : public QObject {
 public:
  using QObject::QObject;
  bool eventFilter(QObject* o, QEvent* e) override {
    if (e->type() != QEvent::Show || e->spontaneous() || !o->isWidgetType()) return false;
    auto* f = static_cast<QWidget*>(o);
    const QScreen* ecran = QGuiApplication::primaryScreen();
    if (!ecran) return false;
    // Before its first mapping a window's frame is not known yet: its parent's frame stands in.
    QMargins cadre = f->windowHandle() ? f->windowHandle()->frameMargins() : QMargins();
    const QWidget* parent = f->parentWidget() ? f->parentWidget()->window() : nullptr;
    if (f->windowFlags() & Qt::FramelessWindowHint)
      cadre = QMargins();
    else if (cadre.isNull() && parent && parent->windowHandle())
      cadre = parent->windowHandle()->frameMargins();
    const QSize taille = f->size().grownBy(cadre);
    // move() places the frame's corner; it also keeps the dialog from centring itself on its parent.
    f->move(PositionCentree(ecran->availableGeometry(), taille));
    return false;
  }
};

}  // namespace

QPoint PositionCentree(const QRect& ecran, const QSize& cadre) {
  return {ecran.x() + Arrondi((ecran.width() - cadre.width()) / 2.0),
          ecran.y() + Arrondi((ecran.height() - cadre.height()) / 2.0)};
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
