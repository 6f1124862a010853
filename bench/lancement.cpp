#include "lancement.h"

#include <QProcess>
#include <QTemporaryDir>

#include <map>
#include <string>

namespace {
QTemporaryDir& Dossier() {
  static QTemporaryDir d;
  return d;
}
}  // namespace

TSortieMesure LancerMesure(const QStringList& arguments) {
  QProcess p;
  p.start(QStringLiteral(VEXO_MESURE_EXE), arguments);
  TSortieMesure r;
  if (!p.waitForFinished(60000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0) return r;
  for (const QByteArray& l : p.readAllStandardOutput().split('\n')) {
    if (l.startsWith("ms ")) r.ms = l.mid(3).toDouble();
    if (l.startsWith("rss ")) r.rssKo = l.mid(4).toLong();
  }
  return r;
}

QString FichierTemporaire(const QString& nom) { return Dossier().filePath(nom); }

QString FichierReference(const char* genre) {
  static std::map<std::string, QString> faits;
  auto i = faits.find(genre);
  if (i != faits.end()) return i->second;
  const QString chemin =
      FichierTemporaire(QString::fromLatin1(genre) + (std::string(genre) == "midi" ? ".mid" : ".sqt"));
  if (LancerMesure({QString::fromLatin1(genre), chemin}).ms < 0) return {};
  faits[genre] = chemin;
  return chemin;
}
