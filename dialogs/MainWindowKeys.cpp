#include "dialogs/MainWindowKeys.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QWidget>

bool PassKeyToMainWindow(QWidget* outil, const QKeyEvent* e) {
  QWidget* fenetre = outil->parentWidget() ? outil->parentWidget()->window() : nullptr;
  QWidget* cible = fenetre ? fenetre->focusWidget() : nullptr;
  if (!cible || cible->window() == outil->window()) return false;
  QKeyEvent copie(e->type(), e->key(), e->modifiers(), e->nativeScanCode(), e->nativeVirtualKey(),
                  e->nativeModifiers(), e->text(), e->isAutoRepeat(), e->count());
  QCoreApplication::sendEvent(cible, &copie);
  return true;
}
