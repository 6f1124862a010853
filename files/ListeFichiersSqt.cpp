#include "files/ListeFichiersSqt.h"

#include <QDir>
#include <QFileInfo>
#include <cmath>

#include "platform/Types.h"
#include "song/Song.h"

std::vector<cLigneList> ListerFichiersSqt(const QString& dossier) {
  std::vector<cLigneList> r;
  QString d = dossier;
  if (!d.endsWith(QLatin1Char('/'))) d += QLatin1Char('/');
  // Name filters ignore case: "SONG.SQT" is a song too.
  const QFileInfoList l = QDir(d).entryInfoList({QStringLiteral("*.sqt")}, QDir::Files | QDir::Hidden | QDir::Readable);
  r.reserve(size_t(l.size()));
  for (const QFileInfo& fi : l) r.push_back({fi.fileName().chopped(4), fi.size(), fi.lastModified(), d, fi.fileName()});
  return r;
}

QString TParcoursDossiers::Suivant() {
  if (aVoir_.isEmpty()) return {};
  const QString dossier = aVoir_.takeLast();
  const QDir d(dossier);
  const QStringList sous = d.entryList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden | QDir::NoSymLinks, QDir::Name);
  for (auto s = sous.crbegin(); s != sous.crend(); ++s) aVoir_.append(d.filePath(*s));
  return dossier;
}

QString TailleKo(qint64 octets) {
  return QString::number(std::llrint(double(octets) / 1000.0)) + QStringLiteral(" Ko");
}

int ComparerLignes(const cLigneList& a, const cLigneList& b, int colonne) {
  auto signe = [](auto x, auto y) { return x < y ? -1 : y < x ? 1 : 0; };
  switch (colonne) {
    case 1: return signe(a.Taille, b.Taille);
    case 2: return signe(a.Date, b.Date);
    case 3: return signe(a.Dossier.compare(b.Dossier, Qt::CaseInsensitive), 0);
    default: return signe(a.Nom.compare(b.Nom, Qt::CaseInsensitive), 0);
  }
}

void TTriBrowse::Cliquer(int colonne) {
  if (colonne == Colonne) {
    Croissant = !Croissant;
  } else {
    Colonne = colonne;
    Croissant = true;
  }
}

TResumePartition ResumePartition(const TPartition& p) {
  TResumePartition r;
  r.Titre = AnsiToQString(p.Titre.view()).left(50);
  r.Auteur = AnsiToQString(p.Auteur.view()).left(50);
  r.Commentaire = AnsiToQString(p.Commentaire.view()).left(50);
  r.Mesures = QString::number(p.NbMesures);
  r.Pistes = QStringLiteral("%1 - %2 - %3").arg(p.NbPistesNonBasse).arg(p.NbPistesBasse).arg(p.AvecPercussions ? 1 : 0);
  return r;
}
