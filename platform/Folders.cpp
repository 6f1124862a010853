#include "platform/Folders.h"

#include <QCoreApplication>
#include <QDir>
#include <QStandardPaths>

static QString WithSlash(QString p) {
  if (!p.endsWith('/')) p += '/';
  return p;
}

QString DossierConfiguration() {
  QString dir = qEnvironmentVariable("VEXO_HOME");
  if (dir.isEmpty()) {
    // Named here rather than by the application name, which is the product's display name.
    dir = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    dir = (dir.isEmpty() ? QDir::homePath() + "/.config" : dir) + "/vexo";
  }
  QDir().mkpath(dir);
  return WithSlash(QDir(dir).absolutePath());
}

QString DossierProgramme() {
  QString dir = QCoreApplication::instance() ? QCoreApplication::applicationDirPath() : QDir::currentPath();
  return WithSlash(dir);
}
