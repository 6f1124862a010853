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
    dir = QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
    if (dir.isEmpty()) dir = QDir::homePath() + "/.config/vexo";
  }
  QDir().mkpath(dir);
  return WithSlash(QDir(dir).absolutePath());
}

QString DossierProgramme() {
  QString dir = QCoreApplication::instance() ? QCoreApplication::applicationDirPath() : QDir::currentPath();
  return WithSlash(dir);
}
