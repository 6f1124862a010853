#include "platform/Evenements.h"

#include <QCoreApplication>

void LaisserPasserMessages(bool attendre) {
  if (!QCoreApplication::instance()) return;
  QEventLoop::ProcessEventsFlags f = QEventLoop::ExcludeUserInputEvents;
  if (attendre) f |= QEventLoop::WaitForMoreEvents;
  QCoreApplication::processEvents(f);
}
