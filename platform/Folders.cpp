#include "platform/Folders.h"

#include <QCoreApplication>
#include <QDir>
#include <QStandardPaths>

// Read as the process is loaded, before anything can move the working folder.
static const QString kDossierDepart = QDir::currentPath();

static QString WithSlash(QString p) {
  if (!p.endsWith('/')) p += '/';
  return p;
}

QString DossierConfiguration() {
  QString dir = CheminAuDepart(qEnvironmentVariable("VEXO_HOME"));
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

QString CheminAuDepart(const QString& chemin) {
  if (chemin.isEmpty()) return chemin;
  return QDir::cleanPath(QDir(kDossierDepart).absoluteFilePath(chemin));
}
