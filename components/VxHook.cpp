#include "components/VxHook.h"

#include <QEvent>
#include <QList>
#include <QtGlobal>
#include <exception>

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
      } catch (const std::exception& ex) {
        qWarning("window hook: %s", ex.what());
      } catch (...) {
        qWarning("window hook: handler failed");
      }
    }
    return traite;
  }

  QWidget* control_;
  QList<TVxWindowHook*> hooks_;
};

}  // namespace

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
