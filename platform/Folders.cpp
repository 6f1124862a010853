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
  return WithSlash(dir);  // absolute already; QDir would fold its ".." as text
}

QString DossierProgramme() {
  QString dir = QCoreApplication::instance() ? QCoreApplication::applicationDirPath() : QDir::currentPath();
  return WithSlash(dir);
}

QString CheminAuDepart(const QString& chemin) {
  // Put before a relative name as it stands: folding "lk/.." as text would skip the folder a link
  // leads to, which the system reads; and a name that would begin with ":" is now a file, never
  // one of Qt's resources.
  if (chemin.isEmpty() || chemin.startsWith(QLatin1Char('/'))) return chemin;
  return WithSlash(kDossierDepart) + chemin;
}
