#pragma once
// A window hook: sees the events of another widget before and after the widget handles them.
// Several hooks on one widget share one event filter, which runs the before-handlers from the
// last attached to the first (stopping at the first that sets `handled`), lets the widget handle
// the event unless one did, then runs the after-handlers the same way. While any hook of the
// widget has an after-handler, the filter hands each event to the widget itself, so filters
// installed on the widget before it no longer see the events.
#include <QObject>
#include <QPointer>
#include <QWidget>
#include <functional>

class QEvent;

class TVxWindowHook : public QObject {
  Q_OBJECT
 public:
  using THookMessageEvent = std::function<void(TVxWindowHook* sender, QEvent* e, bool& handled)>;

  explicit TVxWindowHook(QObject* owner = nullptr);
  ~TVxWindowHook() override;

  bool Active() const { return active_; }
  void SetActive(bool v);
  QWidget* WinControl() const { return control_; }
  void SetWinControl(QWidget* w);

  THookMessageEvent BeforeMessage;
  THookMessageEvent AfterMessage;

 private:
  void Attacher();
  void Detacher();
  bool active_ = true;
  bool attache_ = false;
  QPointer<QWidget> control_;
};
