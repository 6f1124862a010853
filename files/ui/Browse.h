#pragma once
// The file browser: a folder tree, the song files of the chosen folder (or of a whole tree of
// folders) with their size and date, the selected file loaded into the editor with its summary,
// and each file played in turn, for as many measures as the jump-after choice says.
#include <QDialog>
#include <functional>
#include <optional>
#include <vector>

#include "files/ListeFichiersSqt.h"

class QAction;
class QLabel;
class QSplitter;
class QStatusBar;
class QToolButton;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;
class TFormStorage;
class TVxDirectoryTree;
class TVxLineComboBox;

class TBrowseForm : public QDialog {
  Q_OBJECT
 public:
  // racines: the roots of the folder tree; empty for the machine's mount points.
  explicit TBrowseForm(QWidget* parent = nullptr, const QStringList& racines = {});
  ~TBrowseForm() override;

  QSplitter* Splitter;
  QWidget* Panel_Gauche;
  TVxDirectoryTree* SystemTreeView1;
  QTreeWidget* ListView1;
  QStatusBar* StatusBar1;
  QLabel* Panneau[2];
  QLabel *TitleLib, *AuthorLib, *NoteLib, *NbBarLib, *NbGBDLib;
  QLabel* Legende[5];
  QToolButton *Ecouter, *BT_ScannerSousRep;
  TVxLineComboBox* JumpAfter;
  // The radio menu of Ecouter's drop-down, one item for each play length of JumpAfter after "No
  // jump" (1, 2, 5, 10, 25 bars, the score), Menu_Lire1Mesure first; the two always show the same.
  static constexpr int NbMenusLecture = 6;
  QAction* MenusLecture[NbMenusLecture];
  QAction* Menu_Lire1Mesure;
  QPushButton* BT_Fermer;
  TFormStorage* FormStorage1;

  // What the browser asks of the main window's playback.
  std::function<void()> JouerDepuisDebut, ArreterLecture;
  std::function<bool()> LectureEnCours, MidiDisponible;

  void Traduire();
  // Reads the section Browser of the settings file and opens the starting folder (the program
  // folder when the stored one is gone).
  void FormActivate();
  void EcrireReglages();
  // Adds the song files of one folder to the list.
  void ListerDossier(const QString& dossier);
  // The tree's selection changed: lists its folder.
  void ChangerDossier();
  // The scan button: lists the folder and all its sub-folders, a folder a step; a second click stops
  // it. It returns once the scan has started; EnScan() says when it is over.
  void ScannerSousRep();
  bool EnScan() const { return scan_; }
  void TrierColonne(int colonne);
  const TTriBrowse& Tri() const { return tri_; }
  // The list's entries in the order shown.
  std::vector<cLigneList> LignesAffichees() const;
  QString CheminEntree(const QTreeWidgetItem* it) const;
  // Loads the selected file and shows its summary; plays it when Ecouter is down.
  void SelectionnerEntree();
  // The next entry becomes selected (and so is loaded and played), when Ecouter is down.
  void FichierSuivant();
  // The playback ended (stopped or not): moves on, or runs what waited for the stop.
  void LectureTerminee(bool arrete);
  // Measures to play of a song of nbMesures (the jump-after choice).
  int MesuresAJouer(int nbMesures) const;

  void done(int r) override;

 protected:
  void showEvent(QShowEvent* e) override;

 private:
  void ViderInfos();
  void MajNombre();
  void MajMenuLecture();  // checks the item of JumpAfter's choice (none for "No jump")
  void ApresArret(std::function<void()> f);  // runs f now, or once the running playback stopped
  void EtapeScan();                          // lists the scan's next folder, or ends the scan
  TTriBrowse tri_;
  std::optional<TParcoursDossiers> parcours_;  // the running scan's walk
  bool scan_ = false, listage_ = false, active_ = false, fermerApresScan_ = false;
  std::function<void()> apresArret_;
  QString texteNombre_, texteRecherche_, hintScanner_, hintArreter_;
};
