#include "components/VxHook.h"

#include <QApplication>
#include <QEvent>
#include <QList>
#include <QMessageBox>
#include <QStringList>
#include <QtGlobal>
#include <exception>

#include "components/VxUtils.h"

namespace {

// The one event filter of a hooked widget, shared by all its hooks; a child of the widget, so it
// goes with it.
class TControlHook : public QObject {
 public:
  explicit TControlHook(QWidget* w) : QObject(w), control_(w) {
    setObjectName(QStringLiteral("TControlHook"));
    w->installEventFilter(this);
  }

  static TControlHook* De(QWidget* w, bool creer) {
    // Found by name: only this file makes objects of that name.
    auto* h = static_cast<TControlHook*>(w->findChild<QObject*>(QStringLiteral("TControlHook"), Qt::FindDirectChildrenOnly));
    if (!h && creer) h = new TControlHook(w);
    return h;
  }

  void Ajouter(TVxWindowHook* h) {
    if (!hooks_.contains(h)) hooks_.append(h);
  }
  // False when no hook is left: the caller then frees the object.
  bool Retirer(TVxWindowHook* h) {
    hooks_.removeAll(h);
    return !hooks_.isEmpty();
  }

 protected:
  bool eventFilter(QObject* o, QEvent* e) override {
    if (o != control_) return false;
    // A handler may attach or detach hooks: work on a copy, and skip those that went.
    QList<QPointer<TVxWindowHook>> hooks;
    bool apres = false;
    for (TVxWindowHook* h : hooks_) {
      hooks.append(h);
      apres = apres || (h->AfterMessage != nullptr);
    }
    bool traite = Appeler(hooks, e, true);
    if (!apres) return traite;
    // After-handlers must see the event once the widget has handled it: hand it over here.
    if (!traite) o->event(e);
    Appeler(hooks, e, false);
    return true;
  }

 private:
  static bool Appeler(const QList<QPointer<TVxWindowHook>>& hooks, QEvent* e, bool avant) {
    bool traite = false;
    for (qsizetype i = hooks.size() - 1; i >= 0 && !traite; --i) {
      TVxWindowHook* h = hooks[i];
      if (!h) continue;
      const auto& f = avant ? h->BeforeMessage : h->AfterMessage;
      if (!f) continue;
      // One failing handler must not keep the others, or the widget, from the event.
      try {
        f(h, e, traite);
      } catch (...) {
        ReportHandlerException(std::current_exception());
      }
    }
    return traite;
  }

  QWidget* control_;
  QList<TVxWindowHook*> hooks_;
};

std::function<void(const QString&)>& Rapport() {
  static std::function<void(const QString&)> r;
  return r;
}

}  // namespace

void SetHandlerExceptionReport(std::function<void(const QString&)> report) { Rapport() = std::move(report); }

void ReportHandlerException(std::exception_ptr e) {
  QString message;
  try {
    std::rethrow_exception(e);
  } catch (const EAbort&) {
    return;
  } catch (const std::exception& ex) {
    message = QString::fromLocal8Bit(ex.what());
  } catch (...) {
    message = QStringLiteral("Erreur inattendue");
  }
  if (Rapport()) {
    Rapport()(message);
    return;
  }
  if (!qobject_cast<QApplication*>(QCoreApplication::instance())) return;
  static QStringList enAttente;
  if (enAttente.contains(message)) return;
  enAttente << message;
  QMetaObject::invokeMethod(
      qApp,
      [message] {
        QMessageBox::critical(QApplication::activeWindow(), QString(), message, QMessageBox::Ok);
        enAttente.removeOne(message);
      },
      Qt::QueuedConnection);
}

TVxWindowHook::TVxWindowHook(QObject* owner) : QObject(owner) {}

TVxWindowHook::~TVxWindowHook() { Detacher(); }

void TVxWindowHook::SetActive(bool v) {
  if (v == active_) return;
  active_ = v;
  if (v)
    Attacher();
  else
    Detacher();
}

void TVxWindowHook::SetWinControl(QWidget* w) {
  if (w == control_) return;
  Detacher();
  control_ = w;
  if (active_) Attacher();
}

void TVxWindowHook::Attacher() {
  if (attache_ || !control_) return;
  TControlHook::De(control_, true)->Ajouter(this);
  attache_ = true;
}

void TVxWindowHook::Detacher() {
  if (!attache_) return;
  attache_ = false;
  if (!control_) return;  // the widget went, and its filter with it
  if (TControlHook* h = TControlHook::De(control_, false))
    if (!h->Retirer(this)) {
      control_->removeEventFilter(h);
      h->deleteLater();
      h->setObjectName(QString());  // a new hook must not find the one on its way out
    }
}
