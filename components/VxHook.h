#pragma once
// A window hook: sees the events of another widget before and after the widget handles them.
// Several hooks on one widget share one event filter, which runs the before-handlers from the
// last attached to the first (stopping at the first that sets `handled`), lets the widget handle
// the event unless one did, then runs the after-handlers the same way. While any hook of the
// widget has an after-handler, the filter hands each event to the widget itself, so filters
// installed on the widget before it no longer see the events. A handler that throws is reported
// (ReportHandlerException) and the next handler still runs.
#include <QObject>
#include <QPointer>
#include <QString>
#include <QWidget>
#include <exception>
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

// What becomes of a failure that reached an event handler (a hook's handler, a form placement's
// save or restore): EAbort, the silent end of an operation, ends there; anything else is shown to
// the user in an error box with its message, once the current event is over (never a box inside a
// paint), and only once while the same message is still waiting or on screen.
void ReportHandlerException(std::exception_ptr e);
// Tests take the reports here instead of the box; an empty function gives the box back.
void SetHandlerExceptionReport(std::function<void(const QString& message)> report);
