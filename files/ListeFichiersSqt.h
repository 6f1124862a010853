#pragma once
// What the file browser knows of the song files of a folder, without a window: the entries of a
// folder, the walk through its sub-folders, the order of the list's columns and the summary of a
// song shown beside the list.
#include <QDateTime>
#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

struct TPartition;

// One entry of the browser's list.
struct cLigneList {
  QString Nom;      // the caption: the file name without its extension
  qint64 Taille = 0;  // bytes
  QDateTime Date;
  QString Dossier;  // with its trailing "/"
  // The file's name as the folder spells it: on a disk that tells cases apart, "SONG.SQT" opens
  // only as "SONG.SQT", never as a name rebuilt from the caption.
  QString Fichier;
};

// The ".sqt" files of one folder (not of its sub-folders), the extension in any case, in the order
// the folder gives them.
std::vector<cLigneList> ListerFichiersSqt(const QString& dossier);
// A folder, then each of its sub-folders in depth, one at a time, so that a window can list each
// in a step of its own. Symbolic links are not followed, so a link back up the tree cannot loop.
class TParcoursDossiers {
 public:
  explicit TParcoursDossiers(const QString& racine) : aVoir_{racine} {}
  // The next folder; empty once the walk is over.
  QString Suivant();
  bool Fini() const { return aVoir_.isEmpty(); }

 private:
  QStringList aVoir_;  // the folders still to visit, the next one last
};
// A size as the list shows it: rounded to thousands of bytes, then " Ko".
QString TailleKo(qint64 octets);

// The list's order: a click on the sort column reverses it, another column sorts ascending.
struct TTriBrowse {
  int Colonne = 0;  // 0 name, 1 size, 2 date, 3 folder
  bool Croissant = true;
  void Cliquer(int colonne);
};
// -1, 0 or 1 for one column, ascending. Names and folders ignore case; sizes and dates are numbers.
int ComparerLignes(const cLigneList& a, const cLigneList& b, int colonne);

// The summary of a song shown beside the list.
struct TResumePartition {
  QString Titre, Auteur, Commentaire;  // at most 50 characters each
  QString Mesures;                     // the number of measures
  QString Pistes;                      // "guitars - basses - drums (1 or 0)"
};
TResumePartition ResumePartition(const TPartition& p);
