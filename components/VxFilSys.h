#pragma once
// Folders and files of the machine as controls: the folder tree (mount points as its roots), the
// drive combo box, the folder list box and the file list box, with the long-name path routines.
// The tree fills folders lazily, one level ahead of what is shown, and keeps the path of the
// selected folder in CurrentPath.
#include <QByteArray>
#include <QComboBox>
#include <QDateTime>
#include <QFileInfo>
#include <QIcon>
#include <QLabel>
#include <QListWidget>
#include <QPointer>
#include <QStringList>
#include <QTreeWidget>
#include <functional>
#include <optional>
#include <vector>

#include "components/VxCmboBx.h"
#include "components/VxFrame.h"
#include "platform/Canvas.h"

class TVxDirectoryListBox;
class TVxFileListBox;

// ---- Long-name routines ----
// This system keeps one name per file: the name found on disk stands for both the long and the
// short form.
// The name of the entry a path names, as found on disk; the path itself for the root or when no
// entry is found.
QString LongFileName(const QString& chemin);
// The full path, each component as found on disk, with no trailing separator (the root stays "/").
QString LongPathName(const QString& chemin);
// The short form of a path: the path itself, there being no second name.
QString ShortPathName(const QString& chemin);

// ---- Drives: the mounted file systems ----
enum class TDriveType : uint8_t { dtUnknown, dtNoDrive, dtFloppy, dtFixed, dtNetwork, dtCDROM, dtRAM };
using TDriveTypes = unsigned;  // a set of TDriveType bits
constexpr TDriveTypes DriveTypeBit(TDriveType t) { return 1u << unsigned(t); }
constexpr TDriveTypes kDriveTypesDefaut = DriveTypeBit(TDriveType::dtFloppy) | DriveTypeBit(TDriveType::dtFixed) |
                                          DriveTypeBit(TDriveType::dtNetwork) | DriveTypeBit(TDriveType::dtCDROM) |
                                          DriveTypeBit(TDriveType::dtRAM);

// One line of the mount table.
struct TMontage {
  QString Racine;   // the mount point
  QString Systeme;  // the file system type
  QString Source;   // the device, or the remote name of a network file system
  int Majeur = 0, Mineur = 0;
};
// The mount table in the kernel's mountinfo form, escapes decoded, in its order.
std::vector<TMontage> LireMountinfo(const QByteArray& texte);
// The kind of a mount from its type and source; removable as the block device says of itself.
TDriveType GenreMontage(const TMontage& m, bool amovible);

// A drive as the lists show it: its mount point, its kind and its name (volume label, or the
// remote name of a network drive).
struct TLecteur {
  QString Racine;
  TDriveType Genre = TDriveType::dtFixed;
  QString Nom;
};
// The mounted file systems that hold files, "/" first. Network mounts are never touched: their
// kind and name come from the mount table alone, so a dead server cannot hang the caller.
std::vector<TLecteur> Lecteurs();
// A volume label as a tree root shows it: lower case with a capital first letter.
QString LabelVolume(const QString& label);
// A drive's node in the folder tree: its mount point, a blank and its label (none for a
// removable drive, the remote name for a network drive).
QString TexteRacineArbre(const TLecteur& l);
// The picture of a drive kind.
QIcon IconeLecteur(TDriveType genre);

// The sub-folders of a folder in tree order: ascending by upper-cased name, names that differ
// only in case both kept (in byte order); hidden folders (a leading ".") left out.
QStringList SousDossiers(const QString& dossier);

// The side of every picture of the tree and the lists, which fits their rows.
constexpr int kTailleImage = 16;

// The flat frame of the tree and the list boxes, in a band of its own around the view so that
// neither the items nor the scroll bars cover it. Each property repaints the frame when set.
class TCadreVue : public TProprietesCadre {
 public:
  // The band's width: the erased edge and the widest frame style.
  static constexpr int kLargeurCadre = 4;

 protected:
  explicit TCadreVue(QAbstractScrollArea* vue) : TProprietesCadre(vue) {}
  // What the view's event() runs after the standard handling: the frame and its band, and the
  // mouse's coming and going.
  void EvenementCadre(QEvent* e, const std::function<void()>& entree, const std::function<void()>& sortie);

 private:
  void MontrerBordure() override;
  // The view the frame was made for.
  QAbstractScrollArea* Vue() const { return static_cast<QAbstractScrollArea*>(Controle()); }
};

class TVxDirectoryTree : public QTreeWidget, public TCadreVue {
  Q_OBJECT
 public:
  // The messages of the tree, %1 standing for the root; the window gives them in the user's
  // language (the components know no language file).
  QString TexteRacineInaccessible = QStringLiteral("Drive %1 is not accessible");
  QString TexteNomDossierInvalide =
      QStringLiteral("A directory name cannot contain any of the following characters:\n\\ / : * ? \" < > |");
  // racines: the root folders to show; empty for the machine's drives.
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
  // Renames a folder's node (not a root) and its folder to nom; an error box when the system
  // refuses. The current path follows when it lies in that folder.
  bool Renommer(QTreeWidgetItem* n, const QString& nom);

  TVxFileListBox* FileList() const { return fileList_; }
  void SetFileList(TVxFileListBox* f);
  QLabel* DirLabel() const { return dirLabel_; }
  void SetDirLabel(QLabel* l);

  // Asked before the selection changes; false keeps the old selection.
  std::function<bool()> OnChanging;
  std::function<void()> OnChange, OnDriveChange, OnMouseEnter, OnMouseLeave;

  // The outline of the selected node while the tree has no focus.
  const TCanvasPen& SelectionPen() const { return selectionPen_; }
  void SetSelectionPen(const TCanvasPen& p);
  // Read-only: F2 renames nothing.
  bool ReadOnly = true;
  using QTreeWidget::edit;  // the edit of an index stays public beside the override below
  // Without the focus the selection is shown neither highlighted nor outlined.
  bool HideSelection() const { return hideSelection_; }
  void SetHideSelection(bool v);

 protected:
  void currentChanged(const QModelIndex& courant, const QModelIndex& precedent) override;
  bool event(QEvent* e) override;
  void paintEvent(QPaintEvent* e) override;
  void keyPressEvent(QKeyEvent* e) override;
  void wheelEvent(QWheelEvent* e) override;
  void drawRow(QPainter* p, const QStyleOptionViewItem& o, const QModelIndex& i) const override;
  bool edit(const QModelIndex& i, EditTrigger declencheur, QEvent* e) override;
  void commitData(QWidget* editeur) override;
  void closeEditor(QWidget* editeur, QAbstractItemDelegate::EndEditHint indice) override;

 private:
  void ConstruireRacines();
  void SelectionChangee(QTreeWidgetItem* n);
  void CheminChange();
  // An error box over the tree, which may be deleted while the box is up.
  void Erreur(const QString& texte);
  void MajDirLabel();
  void Deplier(QTreeWidgetItem* n);
  QTreeWidgetItem* NoeudDe(const QString& chemin);

  QStringList racinesDonnees_;
  QString path_;
  QString racineRetenue_;  // the root when a selection change starts
  bool rebuilding_ = false, destroying_ = false, retour_ = false, hideSelection_ = false;
  int boites_ = 0;               // error boxes up
  bool aSupprimer_ = false;      // deleteLater came while a box was up
  QPersistentModelIndex edite_;  // the node whose name the open editor holds
  // The node and the name an edit ended with, taken once its editor is gone.
  struct TNomEdite {
    QPersistentModelIndex Noeud;
    QString Nom;
  };
  std::optional<TNomEdite> nomEdite_;
  TCanvasPen selectionPen_{clBtnShadow, 1, TPenStyle::psSolid};
  int resteMolette_ = 0;
  QIcon iconeDossier_;
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

class TVxFileListBox : public QListWidget, public TCadreVue {
  Q_OBJECT
 public:
  // The message when the system cannot open a file; the window gives it in the user's language.
  QString TexteOuvertureImpossible = QStringLiteral("Could not open file.");
  enum TypeFichier { ftNormal = 1, ftDirectory = 2, ftHidden = 4 };
  // A directory tree of the same window that has no file list yet takes this one.
  explicit TVxFileListBox(QWidget* parent = nullptr);

  QString Directory() const { return dossier_; }
  void SetDirectory(const QString& d);
  QString Mask() const { return mask_; }
  void SetMask(const QString& m);  // patterns separated by ";"
  int FileType = ftNormal;
  bool AllowOpen = false;
  bool ShowGlyphs() const { return glyphes_; }
  void SetShowGlyphs(bool v);
  // The height of a line: the font's line height less 3, at least 18 with the glyphs.
  int ItemHeight() const { return hauteur_; }
  // Above 0: the entries run in that many columns, top to bottom.
  int Columns() const { return colonnes_; }
  void SetColumns(int n);
  // The list's background; a change repaints a visible frame with it.
  TColor Color() const { return couleur_; }
  void SetColor(TColor c);
  // The selected file's full path; empty when none.
  QString FileName() const;
  // The selected file's path in its long and its short form.
  QString LongName() const { return LongPathName(FileName()); }
  QString ShortName() const { return ShortPathName(FileName()); }
  // Selects a file (a folder part moves the list, or its linked folder list or tree, there; a
  // file part with "*" or "?" becomes the mask). False when the named file does not exist.
  bool SetFileName(const QString& nom);
  const std::vector<TVxFileInfo>& Entrees() const { return infos_; }
  void Lire();

  QPointer<TVxDirectoryListBox> DirList;
  QPointer<TVxDirectoryTree> DirTree;
  std::function<void()> OnMouseEnter, OnMouseLeave;

 protected:
  bool event(QEvent* e) override;
  void wheelEvent(QWheelEvent* e) override;
  void resizeEvent(QResizeEvent* e) override;

 private:
  // The entries of a folder that FileType takes, whatever the mask.
  QFileInfoList EntreesDe(const QString& dossier) const;
  void DoubleClic(QListWidgetItem* it);
  void MajHauteur();
  void MajColonnes();
  void AdopterParArbres();
  QString dossier_, mask_ = QStringLiteral("*");
  bool glyphes_ = true, occupe_ = false;
  int hauteur_ = 18, colonnes_ = 0, resteMolette_ = 0;
  TColor couleur_ = 0xFFFFFF;
  std::vector<TVxFileInfo> infos_;
};

class TVxDirectoryListBox : public QListWidget, public TCadreVue {
  Q_OBJECT
 public:
  explicit TVxDirectoryListBox(QWidget* parent = nullptr);
  QString Directory() const { return dossier_; }
  // Shows a folder; a folder that no longer exists gives way to its nearest existing parent.
  void SetDirectory(const QString& d);
  QPointer<TVxFileListBox> FileList;
  QPointer<QLabel> DirLabel;
  std::function<void()> OnChange, OnMouseEnter, OnMouseLeave;
  // The pictures of the folders above the current one, of the current one and of those below.
  enum Image { imOuvert, imCourant, imFerme };
  static QIcon ImageDossier(Image i);

 protected:
  bool event(QEvent* e) override;
  void wheelEvent(QWheelEvent* e) override;

 private:
  QString dossier_;
  int resteMolette_ = 0;
};

enum class TTextCase : uint8_t { tcLowerCase, tcUpperCase };

// The machine's drives with their pictures. The list is read again whenever DriveTypes changes.
class TVxDriveComboBox : public TVxCustomComboBox {
  Q_OBJECT
 public:
  // lecteurs: the drives to offer; empty for the machine's.
  explicit TVxDriveComboBox(QWidget* parent = nullptr, std::vector<TLecteur> lecteurs = {});
  QString Drive() const;  // the selected mount point
  void SetDrive(const QString& racine);
  QPointer<TVxDirectoryListBox> DirList;

  TDriveTypes DriveTypes() const { return types_; }
  void SetDriveTypes(TDriveTypes t);
  TTextCase TextCase() const { return casse_; }
  void SetTextCase(TTextCase c);
  // The larger of the font's text height and the pictures' height.
  int ItemHeight() const;
  // The text of a drive's entry: the mount point, then for all but a removable drive a blank and
  // its name, a volume label in the case TextCase sets.
  static QString TexteLecteur(const TLecteur& l, TTextCase casse);

 protected:
  void changeEvent(QEvent* e) override;

 private:
  void Remplir();
  std::vector<TLecteur> donnes_;
  TDriveTypes types_ = kDriveTypesDefaut;
  TTextCase casse_ = TTextCase::tcLowerCase;
};
