#pragma once
// The first paint of a window: an application-wide event filter that sees the first paint of any
// of the window's widgets, then goes. Header-only, so that the start-up benchmark's bare window,
// which links nothing of ours, watches its first paint the way the editor does.
#include <QCoreApplication>
#include <QEvent>
#include <QFile>
#include <QTimer>
#include <QWidget>
#include <cstdio>
#include <functional>

class TPremierePeinture : public QObject {
 public:
  // aLaPeinture runs as the paint begins (it may be empty), apres from the event loop once the
  // paint is over. Installs itself on the application, which owns it.
  TPremierePeinture(QWidget* fenetre, std::function<void()> aLaPeinture, std::function<void()> apres)
      : QObject(QCoreApplication::instance()), fenetre_(fenetre), aLaPeinture_(std::move(aLaPeinture)),
        apres_(std::move(apres)) {
    QCoreApplication::instance()->installEventFilter(this);
  }

  bool eventFilter(QObject* o, QEvent* e) override {
    auto* w = qobject_cast<QWidget*>(o);
    if (e->type() != QEvent::Paint || !w || w->window() != fenetre_) return false;
    QCoreApplication::instance()->removeEventFilter(this);
    if (aLaPeinture_) aLaPeinture_();
    QTimer::singleShot(0, this, [this] {
      if (apres_) apres_();
      deleteLater();
    });
    return false;
  }

 private:
  QWidget* fenetre_;
  std::function<void()> aLaPeinture_, apres_;
};

// The start-up benchmark's probe lines: "peint" at the first paint, then "rss <kB>" and the end of
// the run (exit(), not quit(): a window may refuse to close).
inline void SignalerPremierePeinture() {
  std::printf("peint\n");
  std::fflush(stdout);
}
inline void SignalerMemoireEtQuitter() {
  QFile f(QStringLiteral("/proc/self/status"));
  long kb = 0;
  if (f.open(QIODevice::ReadOnly))
    for (const QByteArray& l : f.readAll().split('\n'))
      if (l.startsWith("VmRSS:")) kb = l.mid(6).trimmed().split(' ').value(0).toLong();
  std::printf("rss %ld\n", kb);
  std::fflush(stdout);
  QCoreApplication::exit(0);
}
