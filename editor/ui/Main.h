#pragma once
// The main window: menus, toolbar, score view, edit zone and status row; its creation, first
// activation and close query hold the program's start-up and shut-down.
#include <QMainWindow>
#include <QStringList>
#include <functional>

#include "editor/ui/MainActions.h"
#include "editor/Clavier.h"
#include "song/Song.h"
#include "editor/SourisSaisie.h"
#include "editor/state/VueEditeur.h"

class QLabel;
class QMenu;
class QPushButton;
class QScrollBar;
class QTimer;
class TVxToolbar;
class QToolButton;
class TMediaPlayer;
class TControleurLecture;
class TPanelZoneAffScroll;
class TBrowseForm;

// The edit zone: shows the image ImageSaisie, which the edit-zone drawing paints through
// CanvasSaisie. The mouse handlers are set by the edit-zone mouse code.
class TZoneSaisie : public QWidget {
  Q_OBJECT
 public:
  explicit TZoneSaisie(QWidget* parent = nullptr);
  std::function<void(QMouseEvent*)> OnMouseDown, OnMouseMove, OnMouseUp, OnDoubleClick;

 protected:
  void paintEvent(QPaintEvent*) override;
  void mousePressEvent(QMouseEvent* e) override;
  void mouseMoveEvent(QMouseEvent* e) override;
  void mouseReleaseEvent(QMouseEvent* e) override;
  void mouseDoubleClickEvent(QMouseEvent* e) override;
};

// The hidden control that keeps the keyboard focus. A plain widget, not a text box, so that letter
// keys reach the key handlers and the command shortcuts instead of being typed.
class TEdInvisible : public QWidget {
  Q_OBJECT
 public:
  explicit TEdInvisible(QWidget* parent = nullptr);
  std::function<void(QKeyEvent*)> OnKeyDown, OnKeyUp;
  std::function<void()> OnMouseWheelUp, OnMouseWheelDown;

 protected:
  void keyPressEvent(QKeyEvent* e) override;
  void keyReleaseEvent(QKeyEvent* e) override;
  void wheelEvent(QWheelEvent* e) override;
  bool focusNextPrevChild(bool) override { return false; }  // Tab is an editing key here
};

// The window's actions (Ac_Fichier_Nouveau ...) are members through TActionsPrincipales. The window
// is the editor view of the engines while it lives (MainVue.cpp).
class TForm1 : public QMainWindow, public TActionsPrincipales, public TVueEditeur {
  Q_OBJECT
 public:
  explicit TForm1(QWidget* parent = nullptr);
  ~TForm1() override;

  // ---- Controls ----
  TVxToolbar* VxToolBar1 = nullptr;
  QWidget* Panel_NomPiste = nullptr;    // right of the toolbar
  QLabel* PartNomPiste = nullptr;       // the current track's name
  QWidget* PanelZoneAffScroll = nullptr;  // the score view
  QScrollBar* ScrollBarZoneAffScroll = nullptr;
  QWidget* PanelBarreBoutons2 = nullptr;  // button bar above the edit zone
  QPushButton* BT_Valider = nullptr;
  QPushButton* BT_AnnulerMesure = nullptr;
  QWidget* PanelZoneSaisie = nullptr;   // holds ZoneSaisie, which scrolls sideways inside it
  TZoneSaisie* ZoneSaisie = nullptr;
  QScrollBar* ScrollBarZoneSaisie = nullptr;
  QWidget* PanelBarreBoutons3 = nullptr;  // the column of note and effect buttons
  QWidget *PanelNumMesure = nullptr, *PanelNbTps = nullptr, *PanelNbTps2 = nullptr, *PanelTextCom = nullptr;
  QLabel *NumMesure = nullptr, *NbTps = nullptr, *NbTps2 = nullptr, *MessErreur = nullptr;
  TEdInvisible* Ed_Invisible = nullptr;
  TMediaPlayer* MediaPlayer1 = nullptr;
  QTimer* TimerMidi = nullptr;          // 100 ms, started by playback
  TControleurLecture* Lecture = nullptr;  // the play commands, the measure follow-up and the notices
  TBrowseForm* Browser = nullptr;         // the file browser while it is open

  // ---- State of the window shared with the commands and playback ----
  uint8_t FenetreActivee = 0;
  bool ArretDemande = false;       // Stop was pressed
  bool EcouteTemps = false;        // a single beat is being played for listening
  bool RouvrirSolfege = false, RouvrirPercussion = false, RouvrirDyna = false;
  int MesureRetourLecture = -1;    // measure to return to when playback ends, -1 none
  bool ToucheEnfoncee = false;     // a note key is held
  bool DoubleClic = false;         // the edit zone saw a double click
  // Arguments of the command line (without the program); the test sets its own.
  QStringList LigneCommande;

  // ---- Life cycle ----
  void FormCreate();
  void FormActivate();       // the first call only does the start-up work
  bool FormCloseQuery();     // true when the window may close
  void FormDestroy();
  void ChargerPolices();

  // ---- Handlers filled by the units that own them ----
  void FormResize();
  void DisposerControles();
  // Sideways scrolling of the edit zone so that the cursor beat shows.
  void CalculerDefilementSaisie();
  void AjusterLargeurSaisie();
  void MontrerCurseurSaisie();
  void ScrollBarZoneSaisieChange();
  void AjusterDefilementSaisie();  // the three above, in order
  void RafraichirActions();
  void MajMenuPistes();
  void MajBoutonPiste(int piste);
  void ViderSpeedTrainer();
  void TimerMidiTimer();
  void MediaPlayer1Notify();
  void Ac_Son_StopExecute();
  void Ac_Son_LectureDebutExecute();
  void Ac_Son_LecturePosECExecute();
  void Ac_Son_LectureMesureECExecute();
  void Ac_Son_EnBoucleExecute();
  void Ac_Son_MetronomeExecute();
  void Ac_Ass_SpeedTrainerExecute();
  void JouerTempsCourant();  // plays the beat under the cursor
  bool LectureEnCours() const;  // something plays

  // ---- Commands, keyboard, edit-zone mouse and tracks (MainCommandes.cpp) ----
  TMenusPrincipaux Menus;
  QToolButton* BT_Piste[NB_PISTES + 1] = {};  // BT_Piste1..8 ([1..8])
  QAction* Mn_PisteN[NB_PISTES + 1] = {};     // Mn_Piste1..8 ([1..8])
  QToolButton *PisteUp = nullptr, *PisteDown = nullptr, *BT_DynaForm = nullptr;
  QMenu* TurboMenu = nullptr;                 // the fret menu of the right button
  cSourisSaisie Souris;
  cDefilementTouche Defilement;               // the held Page Up / Page Down scroll
  QTimer* TimerDefilement = nullptr;
  void CreerCommandes();
  bool LecturePartition() const;              // a playback runs: Ac_Son_LectureDebut is disabled
  void FormKeyDown(QKeyEvent* e);             // the key preview (also fed by the tool windows)
  void FormKeyDown(int vk, int etat);
  void FormKeyUp(QKeyEvent* e);
  void Ed_InvisibleKeyDown(int vk);
  void SuivreMenusPourClavier();              // the focus holder gets the keyboard back from menus
  void RendreClavier();
  void DefilerTantQueTouche();
  void ZoneSaisieMouseDown(QMouseEvent* e);
  void Turbo00Click(int frette);
  void BT_ValiderClick();
  void BT_AnnulerMesureClick();
  void BT_DynaFormClick();
  bool BoutonPisteMarque();
  void PisteUpClick();
  void PisteDownClick();
  void BT_Piste1Click(int piste);
  void Mn_Piste1Click(int piste);
  void ChangerPiste(int piste);
  // The last step of every track change: the drum assistant shows on track 8 only (after the
  // playback when something plays).
  void DrumAssistantFollowsTrack(int piste);
  void MontrerPercussion(bool montrer);
  void TraduireFenetrePrincipale();
  void ConstruireMenuLangues();
  void CocherLangueCourante();
  void Mn_Options_LangueLogNClick(int indice);
  void CocherLangueAide();
  void RetraduireTitre();
  void NoteDureeExecute(int code);
  void Ac_Note_PointeeExecute();
  void Ac_Effet_HOExecute(QAction* sender);
  void Ac_Effet_VibMainGaucheExecute(QAction* sender);
  void BrushExecute(QAction* sender);
  void DynamiqueExecute(int nuance);  // a dynamic through the palette (or straight when it is absent)

  // ---- The editor view (MainVue.cpp) ----
  void SetUndoEnabled(bool v) override;
  void SetRevertEnabled(bool v) override;
  void RefreshActions() override { RafraichirActions(); }
  void SetTieChecked(bool v) override;
  void TriggerDottedIfEnabled() override;
  bool PreviousMeasureEnabled() override;
  bool NextMeasureEnabled() override;
  void UpdateTrackMenu() override { MajMenuPistes(); }
  void UpdateTrackButton(int piste) override { MajBoutonPiste(piste); }
  bool TrackButtonMarked(int piste) override;
  bool AskGoToMeasure() override;
  void ShowTitle() override;
  void SetCaption(const QString& t) override { setWindowTitle(t); }
  void ShowRecentFiles(const QStringList& legendes, bool separateur) override;
  void ShowDrumAssistant(bool v) override { MontrerPercussion(v); }
  void NotationAssistantShown(bool v) override { Ac_Ass_Solfege->setChecked(v); }
  void DrumAssistantShown(bool v) override;
  void ShowEditZoneLabels(const EditZoneLabels& e) override;
  void EditZoneImageChanged() override;
  QString AskOpenFileName() override;
  QString AskSaveFileName(const QString& nomPropose) override;
  void ScreenLayoutChanged() override;  // MainAffichage.cpp
  void ShowPrintPreview() override;      // MainFichier.cpp
  bool OpenPrintPreferences() override;  // MainFichier.cpp
  bool PlayWhileEntering() override;
  void PlayCurrentBeat() override { JouerTempsCourant(); }
  void StopSound() override;
  bool SongPlaying() override { return LecturePartition(); }
  void StopPlayback() override;
  void ShowPlaybackMeasure(int mesure) override;
  void SetPlaybackCommands(bool enLecture) override;
  bool SetPlaybackTimer(bool actif) override;
  void BeforePlayback() override;
  void AfterPlayback() override;
  bool CheckBeforePlayback() override;
  bool DialogTakesCompletion() override;
  void SongReplaced(bool chargee) override;
  int BrowserMeasures() override;
  void BrowserPlaybackEnded(bool arrete) override;

  // ---- Score view, full screen and score-view clicks (MainZoneAff.cpp) ----
  TPanelZoneAffScroll* ZoneAffScroll = nullptr;  // the score view; PanelZoneAffScroll points at it
  QMenu* PopupMenuAff = nullptr;                 // right click in the score view
  void BrancherVuePartition();
  void RedimensionnerVuePartition();             // FormResize's part for the score view
  void ModePleinEcran();
  void ModeNormal();
  void Ac_Affichage_PleinEcranExecute();
  void AjusterZoneSaisie();
  void Band01MouseDown(int bande, Qt::MouseButton bouton, int x, int y);

 protected:
  void changeEvent(QEvent* e) override;
  void showEvent(QShowEvent* e) override;
  void closeEvent(QCloseEvent* e) override;
  bool eventFilter(QObject* o, QEvent* e) override;

 private:
  void LaisserPeindre();
  void CreerControles();
  void BrancherCommandes();
  void BrancherCommandesFichier();   // MainFichier.cpp
  void BrancherCommandesEdition();   // MainEdition.cpp
  void BrancherCommandesMesure();    // MainMesure.cpp
  void BrancherCommandesNotes();     // MainNotes.cpp
  void BrancherCommandesEffets();    // MainNotes.cpp
  void BrancherCommandesSon();       // MainSon.cpp
  void BrancherCommandesAffichage(); // MainAffichage.cpp
  void BrancherCommandesAssistants();  // MainAssistants.cpp
  void Ac_Ass_TransposerExecute();
  void Ac_Ass_RedecouperExecute();
  void Ac_Ass_CompleterReduireExecute();
  void Ac_Ass_PlacementAutoExecute();
  void RafraichirApresAssistant();
  void RefaireBandesVue();
  // A handler that runs one editing operation, then refreshes the command states.
  std::function<void()> PuisRafraichir(void (*op)());
  void ViderPartition();
  void CreerLecture();
  void OuvrirLigneCommande();
};

extern TForm1* Form1;

// Screen cursors 1..3 of the program: click, flat hand, grabbing hand.
QCursor CurseurEcran(int numero);
