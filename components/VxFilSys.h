#pragma once
// Folders and files of the machine as controls: the folder tree (mount points as its roots), the
// drive combo box, the folder list box and the file list box, with the long-name path routines.
// The tree fills folders lazily, one level ahead of what is shown, and keeps the path of the
// selected folder in CurrentPath.
#include <QComboBox>
#include <QDateTime>
#include <QIcon>
#include <QLabel>
#include <QListWidget>
#include <QPointer>
#include <QStringList>
#include <QTreeWidget>
#include <functional>
#include <vector>

#include "components/VxFrame.h"

class TVxDirectoryListBox;
class TVxFileListBox;

// ---- Long-name routines (names are long on this system; these keep the paths whole) ----
// The long name of one path: the path itself when it exists or cannot be looked up.
QString LongFileName(const QString& chemin);
// The full path with no trailing separator (a root stays as it is).
QString LongPathName(const QString& chemin);
// The short form: the path itself.
QString ShortPathName(const QString& chemin);

// The mount points of the machine that hold real file systems, "/" first.
QStringList RacinesMontage();
// A volume label as a tree root shows it: lower case with a capital first letter.
QString LabelVolume(const QString& label);
// The sub-folders of a folder in tree order: ascending by upper-cased name, names that differ
// only in case both kept (in byte order); hidden folders (a leading ".") left out.
QStringList SousDossiers(const QString& dossier);

class TVxDirectoryTree : public QTreeWidget {
  Q_OBJECT
 public:
  // The message for a root that cannot be entered, %1 standing for it; the window gives it in the
  // user's language (the components know no language file).
  QString TexteRacineInaccessible = QStringLiteral("Drive %1 is not accessible");
  // racines: the root folders to show; empty for the machine's mount points.
  explicit TVxDirectoryTree(QWidget* parent = nullptr, const QStringList& racines = {});
  ~TVxDirectoryTree() override;

  QString CurrentPath() const { return path_; }
  // Selects the folder v. Nothing happens when v is empty or already current; false (and nothing
  // changes) when the folder does not exist.
  bool SetCurrentPath(const QString& v);
  // Builds all nodes again and selects the previous path when it still exists.
  void Rebuild();
  // The folder a node stands for.
  QString CheminNoeud(const QTreeWidgetItem* n) const;
  // Adds the sub-folders of the node's folder that are not yet among its children.
  void RemplirNoeud(QTreeWidgetItem* n);
  // The root that holds a path: the one with the longest matching mount point.
  QString RacineDe(const QString& chemin) const;

  TVxFileListBox* FileList() const { return fileList_; }
  void SetFileList(TVxFileListBox* f);
  QLabel* DirLabel() const { return dirLabel_; }
  void SetDirLabel(QLabel* l);

  // Asked before the selection changes; false keeps the old selection.
  std::function<bool()> OnChanging;
  std::function<void()> OnChange, OnDriveChange, OnMouseEnter, OnMouseLeave;

  TCadreControle Cadre;
  void SetFrameVisible(bool v);
  void SetFrameFlat(bool v);
  TColor SelectionPen = clBtnShadow;  // the outline of the selected node while the tree has no focus

 protected:
  void currentChanged(const QModelIndex& courant, const QModelIndex& precedent) override;
  bool event(QEvent* e) override;
  void paintEvent(QPaintEvent* e) override;

 private:
  void ConstruireRacines();
  void SelectionChangee(QTreeWidgetItem* n);
  void MajDirLabel();
  void Deplier(QTreeWidgetItem* n);
  QTreeWidgetItem* NoeudDe(const QString& chemin);

  QStringList racinesDonnees_;
  QString path_;
  QString racineRetenue_;  // the root when a selection change starts
  bool rebuilding_ = false, destroying_ = false, retour_ = false;
  QIcon iconeDossier_, iconeOuvert_, iconeRacine_;
  QPointer<TVxFileListBox> fileList_;
  QPointer<QLabel> dirLabel_;
};

// One entry of a file list box.
struct TVxFileInfo {
  QString Name;
  bool IsFolder = false;
  qint64 Size = 0;
  QDateTime Time;
};
// Folders before files, then by name ignoring case (then in byte order).
void TrierEntrees(std::vector<TVxFileInfo>& e);

class TVxFileListBox : public QListWidget {
  Q_OBJECT
 public:
  // The message when the system cannot open a file; the window gives it in the user's language.
  QString TexteOuvertureImpossible = QStringLiteral("Could not open file.");
  enum TypeFichier { ftNormal = 1, ftDirectory = 2, ftHidden = 4 };
  explicit TVxFileListBox(QWidget* parent = nullptr);

  QString Directory() const { return dossier_; }
  void SetDirectory(const QString& d);
  QString Mask() const { return mask_; }
  void SetMask(const QString& m);  // patterns separated by ";"
  int FileType = ftNormal;
  bool AllowOpen = false;
  bool ShowGlyphs() const { return glyphes_; }
  void SetShowGlyphs(bool v);
  // The selected file's full path; empty when none.
  QString FileName() const;
  // Selects a file (a folder part moves the list, or its linked folder list or tree, there; a
  // file part with "*" or "?" becomes the mask). False when the named file does not exist.
  bool SetFileName(const QString& nom);
  const std::vector<TVxFileInfo>& Entrees() const { return infos_; }
  void Lire();

  QPointer<TVxDirectoryListBox> DirList;
  QPointer<TVxDirectoryTree> DirTree;
  std::function<void()> OnMouseEnter, OnMouseLeave;
  TCadreControle Cadre;
  void SetFrameVisible(bool v);
  void SetFrameFlat(bool v);

 protected:
  bool event(QEvent* e) override;

 private:
  void DoubleClic(QListWidgetItem* it);
  QString dossier_, mask_ = QStringLiteral("*");
  bool glyphes_ = true, occupe_ = false;
  std::vector<TVxFileInfo> infos_;
};

class TVxDirectoryListBox : public QListWidget {
  Q_OBJECT
 public:
  explicit TVxDirectoryListBox(QWidget* parent = nullptr);
  QString Directory() const { return dossier_; }
  // Shows a folder; a folder that no longer exists gives way to its nearest existing parent.
  void SetDirectory(const QString& d);
  QPointer<TVxFileListBox> FileList;
  QPointer<QLabel> DirLabel;
  std::function<void()> OnChange, OnMouseEnter, OnMouseLeave;
  TCadreControle Cadre;
  void SetFrameVisible(bool v);
  void SetFrameFlat(bool v);

 protected:
  bool event(QEvent* e) override;

 private:
  QString dossier_;
};

class TVxDriveComboBox : public QComboBox {
  Q_OBJECT
 public:
  explicit TVxDriveComboBox(QWidget* parent = nullptr);
  QString Drive() const;  // the selected mount point
  void SetDrive(const QString& racine);
  QPointer<TVxDirectoryListBox> DirList;
};
