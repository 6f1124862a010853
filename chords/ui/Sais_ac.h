#pragma once
// The chord dialog: names a chord from its theory, offers the fingerings found on the current
// track's tuning, names a fingering drawn with the mouse, keeps the three chord lists and
// attaches the chord to the beat under the cursor.
#include <QDialog>
#include <QImage>
#include <functional>
#include <vector>

#include "chords/Accord.h"
#include "chords/Reconnaissance.h"
#include "chords/EditionListes.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;
class QScrollArea;
class QScrollBar;
class QToolButton;
struct TTemps;

// An image the dialog draws on, with the mouse handed to the dialog.
class TImageAccord : public QWidget {
  Q_OBJECT
 public:
  explicit TImageAccord(int largeur, int hauteur, QWidget* parent = nullptr);
  QImage Image;
  void Redimensionner(int largeur, int hauteur);  // a white image of that size
  std::function<void(QMouseEvent*)> OnMouseDown, OnMouseMove, OnMouseUp;

 protected:
  void paintEvent(QPaintEvent*) override;
  void mousePressEvent(QMouseEvent* e) override;
  void mouseMoveEvent(QMouseEvent* e) override;
  void mouseReleaseEvent(QMouseEvent* e) override;
};

class TSais_Ac_Form : public QDialog {
  Q_OBJECT
 public:
  // What the dialog reads and writes of the song: the beat under the cursor and its track.
  struct TContexte {
    std::function<TTemps*()> Temps;  // null when the cursor is on no beat
    const int32_t* Accordage = nullptr;
    int NbCordes = 6;
    int Instrument = 0;
  };
  explicit TSais_Ac_Form(const TContexte& contexte, QWidget* parent = nullptr);

  // ---- Controls ----
  QListWidget *Fondamentale, *Typ, *NeufOnzeTreize, *DimAug, *Quinte, *Neuf, *Onze;
  QCheckBox* Add;
  QToolButton *BT_Diese, *BT_Bemol, *BoutonSon;
  QComboBox *Basse, *Renversement;
  QRadioButton *Simplifie, *Moyen, *Tout;
  TImageAccord* ImDiag;
  QScrollBar *ScrollFret, *ScrollSol;
  QLabel *NbComb, *LabOmissions, *Lab_Renv, *Lab_Bass, *Lab_DiffNames, *Lab_Library, *Lab_OnTop, *Lab_DejaUsed,
      *Lab_Nom;
  QLabel* Lab[8];    // [1..7] degree captions
  QCheckBox* C[8];   // [1..7] C1, C3, ... C13
  QLabel* Note[8];   // [1..7] note names
  QLineEdit* Ed_Accord;
  QScrollArea* ScrollBoxSol;
  TImageAccord* ImListeDiag;
  QListWidget *DifferentsNoms, *Librairie, *Imprimer, *DejaUtilises;
  QToolButton* BoutonsListe[3][5];  // [list][Add, Suppr, MAJ, Haut, Bas]
  QCheckBox* AddDiag;
  QLabel* PanelImagePopup;
  QPushButton *BT_OK, *BT_Annuler, *BT_Clear, *BT_Aide;

  // ---- State ----
  TEtatDegres Degres;
  std::vector<TAccord> Solutions;
  int SolutionAffichee = 0;  // 1..count, 0 none
  std::vector<TCandidatAccord> Candidats;

  void Reinitialiser();
  void Traduire();
  void FormActivate();
  void AppliquerReglesDegres();
  void AfficherNotesDegres(bool diese);
  void ChercherDoigtes();
  void AfficherListeDoigtes();
  void MarquerDoigteCourant();
  void AfficherDiagramme(const TAccord& a);

  // ---- Handlers ----
  void FondamentaleClick();
  void TypClick();
  void C1Click();
  void BasseChange();
  void RenversementChange();
  void BT_DieseClick();
  void ScrollSolChange();
  void ScrollFretChange();
  void ImListeDiagMouse(int x, int y);
  void ImDiagPress(int x, int y, bool nouvelAppui);
  void DifferentsNomsClick();
  void ListeClick(int liste);
  void BoutonListeClick(int liste, int bouton);
  void BoutonSonClick();
  void BT_OKClick();
  void BT_ClearClick();
  int Mode() const;  // 0 Simple, 1 Medium, 2 All

  // Columns of the fingering list.
  int Colonnes() const;
  // Cell size of the large diagram, scaled.
  int Echelle(int v) const;

 protected:
  void showEvent(QShowEvent* e) override;
  void done(int r) override;
  bool eventFilter(QObject* o, QEvent* e) override;
  void mouseMoveEvent(QMouseEvent* e) override;  // away from the lists: no preview

 private:
  TContexte ctx_;
  bool gardeCoches_ = false, gardeBasse_ = false, gardeRenv_ = false, remplissage_ = false, gardeFret_ = false;
  bool active_ = false;
  int marquee_ = 0;
  bool glisseDiag_ = false, glisseListe_ = false;
  int cordeGlisse_ = 0, rangGlisse_ = -1;
  QListWidget* survolee_ = nullptr;
  int ligneSurvolee_ = -1;

  TListeAccords Liste(int liste) const;
  QListWidget* BoiteListe(int liste) const;
  void RemplirListe(int liste);
  void Respeller();
  TChoixAccord Choix() const;
  void PoserChoix(const TAccord& a);
  void PoserCoches(const TAccord& a);
  TAccord AccordDesChoix(const TAccord& base) const;
  QString NomDesChoix() const;
  void ChargerAccord(const TAccord& a);
  void ViderDoigtes();
  void PoserScrollFret(int position);
  void MontrerPopup(QListWidget* l, int ligne);
  bool DansZoneDiag(int x, int y) const;
};

// The chord command of the main window: the undo copy, the dialog on the beat under the cursor.
// True when OK was pressed.
bool ExecuterDialogueAccord(QWidget* parent);
