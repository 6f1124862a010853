#include "editor/ui/Main.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QLabel>
#include <QLocale>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QPushButton>
#include <QScrollBar>
#include <QTimer>
#include <QToolBar>
#include <QWindow>

#include "components/FenetresOutils.h"
#include "components/VxPanel.h"
#include "dialogs/Assistant_Bat.h"
#include "dialogs/Classiq.h"
#include "dialogs/Dyna.h"
#include "dialogs/Sais_par.h"
#include "dialogs/SpeedT.h"
#include "song/Song.h"
#include "song/ListesAccords.h"
#include "editor/state/EtatEdition.h"
#include "editor/state/EtatProgramme.h"
#include "editor/state/Partition.h"
#include "editor/Saisie.h"
#include "editor/EditZoneModel.h"
#include "editor/state/RedessinSaisie.h"
#include "editor/ui/ZoneSaisie.h"
#include "files/FichierSqt.h"
#include "files/FileCommands.h"
#include "midi/Lecture.h"
#include "midi/ui/SelMIDI.h"
#include "platform/Canvas.h"
#include "platform/Evenements.h"
#include "platform/FluidMediaPlayer.h"
#include "platform/Folders.h"
#include "settings/Config.h"
#include "settings/ConfigFile.h"
#include "settings/Langue.h"
#include "settings/Mess.h"
#include "view/ui/PanelZoneAffScroll.h"

TForm1* Form1 = nullptr;

namespace {
// The longest the first activation waits for the window to be on screen.
constexpr int kAttentePremierePeintureMs = 250;
// The edit zone's image: room for every beat slot of a measure, so that the zone scrolls sideways
// instead of being redrawn; 153 pixels high, centred in its panel.
constexpr int kHauteurZoneSaisie = 153;
int LargeurImageSaisie() { return 2 * Curseur.XSaisie + NB_SLOTS_TEMPS * Curseur.EcartTemps; }

QWidget* Panneau(QWidget* parent, const char* nom) {
  auto* p = new QWidget(parent);
  p->setObjectName(QString::fromLatin1(nom));
  return p;
}

QLabel* Etiquette(QWidget* panneau, const char* nom) {
  auto* l = new QLabel(panneau);
  l->setObjectName(QString::fromLatin1(nom));
  l->setTextFormat(Qt::PlainText);
  return l;
}
}  // namespace

QCursor CurseurEcran(int numero) {
  switch (numero) {
    case 1: return QCursor(Qt::PointingHandCursor);
    case 2: return QCursor(Qt::OpenHandCursor);
    case 3: return QCursor(Qt::ClosedHandCursor);
    default: return QCursor(Qt::ArrowCursor);
  }
}

// ---- Edit zone and focus holder ----

TZoneSaisie::TZoneSaisie(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("ZoneSaisie"));
  setAttribute(Qt::WA_OpaquePaintEvent);
}

void TZoneSaisie::paintEvent(QPaintEvent* e) {
  QPainter p(this);
  if (ImageSaisie)
    p.drawImage(e->rect(), *ImageSaisie, e->rect());
  else
    p.fillRect(e->rect(), Qt::white);
}

void TZoneSaisie::mousePressEvent(QMouseEvent* e) {
  if (OnMouseDown) OnMouseDown(e);
}
void TZoneSaisie::mouseMoveEvent(QMouseEvent* e) {
  if (OnMouseMove) OnMouseMove(e);
}
void TZoneSaisie::mouseReleaseEvent(QMouseEvent* e) {
  if (OnMouseUp) OnMouseUp(e);
}
void TZoneSaisie::mouseDoubleClickEvent(QMouseEvent* e) {
  if (OnDoubleClick) OnDoubleClick(e);
}

TEdInvisible::TEdInvisible(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("Ed_Invisible"));
  setFocusPolicy(Qt::StrongFocus);
}

void TEdInvisible::keyPressEvent(QKeyEvent* e) {
  if (OnKeyDown) OnKeyDown(e);
}
void TEdInvisible::keyReleaseEvent(QKeyEvent* e) {
  if (OnKeyUp) OnKeyUp(e);
}
void TEdInvisible::wheelEvent(QWheelEvent* e) {
  int dy = e->angleDelta().y();
  if (dy > 0 && OnMouseWheelUp) OnMouseWheelUp();
  if (dy < 0 && OnMouseWheelDown) OnMouseWheelDown();
  e->accept();
}

// ---- Main window ----

TForm1::TForm1(QWidget* parent) : QMainWindow(parent) {
  setObjectName(QStringLiteral("Form1"));
  if (!Form1) Form1 = this;
  LigneCommande = QCoreApplication::arguments().mid(1);
  setMinimumSize(433, 315);
  resize(800, 600);
  CreerControles();
  CreerCommandes();
  CreerLecture();
  BrancherVuePartition();
  FormCreate();
}

TForm1::~TForm1() {
  FormDestroy();
  if (Form1 == this) {
    Form1 = nullptr;
  }
}

void TForm1::CreerControles() {
  // Top menus, filled from the command table.
  CreerMenusPrincipaux(menuBar(), Menus);

  auto* fond = new QWidget(this);
  fond->setObjectName(QStringLiteral("Fond"));
  setCentralWidget(fond);
  fond->installEventFilter(this);

  VxToolBar1 = new TVxToolbar(fond);
  VxToolBar1->setObjectName(QStringLiteral("VxToolBar1"));
  Panel_NomPiste = Panneau(fond, "Panel_NomPiste");
  PartNomPiste = Etiquette(Panel_NomPiste, "PartNomPiste");

  ScrollBarZoneAffScroll = new QScrollBar(Qt::Vertical, fond);
  ScrollBarZoneAffScroll->setObjectName(QStringLiteral("ScrollBarZoneAffScroll"));
  PanelZoneAffScroll = ZoneAffScroll = new TPanelZoneAffScroll(ScrollBarZoneAffScroll, fond);

  PanelBarreBoutons2 = Panneau(fond, "PanelBarreBoutons2");
  BT_Valider = new QPushButton(PanelBarreBoutons2);
  BT_Valider->setObjectName(QStringLiteral("BT_Valider"));
  BT_AnnulerMesure = new QPushButton(PanelBarreBoutons2);
  BT_AnnulerMesure->setObjectName(QStringLiteral("BT_AnnulerMesure"));
  for (QPushButton* b : {BT_Valider, BT_AnnulerMesure}) {
    b->setEnabled(false);
    b->setFocusPolicy(Qt::NoFocus);  // the keyboard stays with Ed_Invisible
  }

  PanelZoneSaisie = Panneau(fond, "PanelZoneSaisie");
  ZoneSaisie = new TZoneSaisie(PanelZoneSaisie);
  ScrollBarZoneSaisie = new QScrollBar(Qt::Horizontal, fond);
  ScrollBarZoneSaisie->setObjectName(QStringLiteral("ScrollBarZoneSaisie"));
  ScrollBarZoneSaisie->setFocusPolicy(Qt::NoFocus);
  ScrollBarZoneSaisie->setRange(0, 1);
  connect(ScrollBarZoneSaisie, &QScrollBar::valueChanged, this, [this] { ScrollBarZoneSaisieChange(); });
  PanelBarreBoutons3 = Panneau(fond, "PanelBarreBoutons3");

  PanelNumMesure = Panneau(fond, "PanelNumMesure");
  PanelNbTps = Panneau(fond, "PanelNbTps");
  PanelNbTps2 = Panneau(fond, "PanelNbTps2");
  PanelTextCom = Panneau(fond, "PanelTextCom");
  NumMesure = Etiquette(PanelNumMesure, "NumMesure");
  NbTps = Etiquette(PanelNbTps, "NbTps");
  NbTps2 = Etiquette(PanelNbTps2, "NbTps2");
  MessErreur = Etiquette(PanelTextCom, "MessErreur");

  Ed_Invisible = new TEdInvisible(fond);
  Ed_Invisible->resize(1, 1);

  MediaPlayer1 = CreerMediaPlayer(this);
  MediaPlayer1->setObjectName(QStringLiteral("MediaPlayer1"));
  connect(MediaPlayer1, &TMediaPlayer::Termine, this, &TForm1::MediaPlayer1Notify);
  TimerMidi = new QTimer(this);
  TimerMidi->setObjectName(QStringLiteral("TimerMidi"));
  TimerMidi->setInterval(100);
  connect(TimerMidi, &QTimer::timeout, this, &TForm1::TimerMidiTimer);
}

bool TForm1::eventFilter(QObject* o, QEvent* e) {
  if (e->type() == QEvent::Resize && o == centralWidget()) FormResize();
  return QMainWindow::eventFilter(o, e);
}

void TForm1::FormCreate() {
  PremiereActivation = 1;
  for (QLabel* l : {NumMesure, NbTps, NbTps2, MessErreur, PartNomPiste}) l->setCursor(CurseurEcran(1));
  SaisAcOuvert = ApercuOuvert = PrefOuvert = CopierToutesPistes = false;
  PleinEcranActif = 0;
  ModeParcourir = false;
  LectureDepuisBande = 0;
  PressePapierPlein = 0;
  // The controls that must exist but never be seen stand off-screen; the focus holder must stay
  // "visible" for Qt to give it the keyboard.
  Ed_Invisible->move(-500, 0);
  DisposerControles();
  DefinirLecteurMIDI(MediaPlayer1);
  DefinirVueEditeur(this);
  SuivreMenusPourClavier();
  PlacerDialoguesModauxAuDessus();
}

void TForm1::showEvent(QShowEvent* e) {
  QMainWindow::showEvent(e);
  // Without a window manager the window may never be activated: the first showing is enough.
  if (PremiereActivation) QTimer::singleShot(0, this, &TForm1::FormActivate);
}

void TForm1::changeEvent(QEvent* e) {
  QMainWindow::changeEvent(e);
  if (e->type() == QEvent::LanguageChange) TraduireFenetrePrincipale();
  if (e->type() == QEvent::ActivationChange && isActiveWindow()) {
    FormActivate();
    RendreClavier();  // the focus holder has the keyboard whenever the window is active
  }
}

// Lets pending messages run until the window is on screen and has painted once, so that the rest
// of the first activation (renderers, fonts, the first song) comes after the user sees the window.
// A window that is never exposed (minimised, or no display) is waited for a moment only. Keys and
// clicks given meanwhile wait for the activation to end, and then come in their order.
void TForm1::LaisserPeindre() {
  LaisserPasserMessages();
  QWindow* fenetre = windowHandle();
  if (!isVisible() || !fenetre) return;
  QDeadlineTimer limite(kAttentePremierePeintureMs);
  QTimer reveil;  // wakes the wait below when nothing else comes
  reveil.start(10);
  while (!fenetre->isExposed() && !limite.hasExpired()) LaisserPasserMessages(true);
}

void TForm1::FormActivate() {
  static bool enCours = false;  // pending events run below may activate the window again
  if (!PremiereActivation || enCours) return;
  enCours = true;
  // The display and sound switches start as the settings left them.
  if (Ac_Ass_MontrerLetRing) Ac_Ass_MontrerLetRing->setChecked(Configuration.ShowLetRingNotes);
  if (Ac_Ass_MontrerDyna) Ac_Ass_MontrerDyna->setChecked(Configuration.ShowDynamic);
  LaisserPeindre();
  // Without a window manager nobody else gives the window the keyboard (and its shortcuts).
  activateWindow();
  Ed_Invisible->setFocus();
  FenetreActivee = 1;
  ToucheEnfoncee = false;
  ChargerPolices();
  NbAccordsDejaUtilises = 0;
  // The synth comes up on its own thread: the output test runs once it is there (a play command
  // given before then waits for it).
  MIDIDisponible = 0;
  if (MediaPlayer1->Pret())
    MIDIDisponible = TesterSortieMIDI() ? 1 : 0;
  else
    connect(MediaPlayer1, &TMediaPlayer::Demarre, this, [] { MIDIDisponible = TesterSortieMIDI() ? 1 : 0; },
            Qt::SingleShotConnection);
  if (Ac_Son_JouerSaisie) Ac_Son_JouerSaisie->setChecked(Configuration.JouerPendantSaisie);
  if (Ac_Son_Metronome) Ac_Son_Metronome->setChecked(Configuration.Metronome);  // its button follows
  NbMesuresCopiees = 0;
  EcouteTemps = false;
  if (Sais_Partition) Sais_Partition->CordeEcoutee = -1;
  if (SelMIDIForm) SelMIDIForm->CordeEcoutee = -1;
  PremiereActivation = 0;
  FermetureEnCours = 0;
  DoubleClic = false;
  SeparateurDecimal = QLocale::system().decimalPoint().at(0);

  if (!Partition.Mesures[1]) Partition.Mesures[1] = std::make_unique<TMesure>();
  if (!ImageSaisie) {
    auto* image = new QImage(LargeurImageSaisie(), kHauteurZoneSaisie, QImage::Format_RGB32);
    image->fill(Qt::white);
    InstallerZoneSaisie(image);
    ZoneSaisie->setFixedSize(ImageSaisie->size());
  }
  Partition.NbMesures = 1;
  NouvellePartition();
  int piste = PisteCourante;
  for (PisteCourante = 1; PisteCourante <= Partition.NbPistes; ++PisteCourante) PreparerTempsSaisie();
  PisteCourante = piste;
  setWindowTitle(TitreProgramme + QStringLiteral(" - ") + QFileInfo(CheminFichier).fileName());
  MesureOrigine = *Partition.Courante();
  Curseur.Temps = 1;
  Curseur.Corde = 1;
  FormResize();
  RafraichirActions();
  RafraichirZoneSaisie();
  OuvrirLigneCommande();
  MajMenuFichiersRecents();
  if (!QDir::setCurrent(Repertoire)) QDir::setCurrent(RepertoireAppli);
  if (Sais_Partition) {
    Sais_Partition->ConstruireBibliothequeAccordages();
    Sais_Partition->RemplirListeAccordages();
  }
  if (SelMIDIForm) SelMIDIForm->RemplirBibliotheque();
  enCours = false;
  ZoneSaisie->update();
}

void TForm1::OuvrirLigneCommande() {
  if (LigneCommande.isEmpty()) return;
  // A path with blanks arrives split: put it back together. A relative one names the file from the
  // folder the user started in, so that the song keeps that file once the working folder moves.
  const QString chemin = CheminAuDepart(LigneCommande.join(QLatin1Char(' ')));
  if (!QFileInfo(chemin).isFile()) {
    MessageBoxD(TexteLangue("Dlg-Erreur"),
                RemplacerParam1(TexteLangue("Fichier-Introuvable"), QFileInfo(chemin).fileName()),
                MB_ICONE_ERREUR, MB_OK, MB_DEF_OK);
    return;
  }
  OuvrirPartition(chemin);
}

void TForm1::ChargerPolices() { ::ChargerPolices(); }

bool TForm1::FormCloseQuery() {
  if (LectureEnCours() && MIDIDisponible) Ac_Son_StopExecute();
  LaisserPasserMessages();
  FermetureEnCours = DemanderEnregistrement() ? 1 : 0;
  if (!FermetureEnCours) return false;
  if (LectureEnCours() && MIDIDisponible) Ac_Son_StopExecute();
  // Nothing may run on the song from here: no timer tick, no completion notice.
  TimerMidi->stop();
  MediaPlayer1->Notify = false;
  MediaPlayer1->Close();
  SupprimerFichierTemp();
  // The command's tick is what the user last chose.
  if (Ac_Son_JouerSaisie) Configuration.JouerPendantSaisie = Ac_Son_JouerSaisie->isChecked();
  EnregistrerConfig(PisteCourante);
  LibererMesures();
  Partition.NbMesures = 0;  // every "current measure within the song" test now fails
  ViderListeAccords(AccordsLibrairie, NbAccordsLibrairie);
  ViderListeAccords(AccordsImprimer, NbAccordsImprimer);
  ViderListeAccords(AccordsDejaUtilises, NbAccordsDejaUtilises);
  // The tool windows close with the main window, so that the run ends.
  for (QWidget* w : QApplication::topLevelWidgets())
    if (w != this && w->isVisible()) w->hide();
  return true;
}

void TForm1::closeEvent(QCloseEvent* e) {
  if (FormCloseQuery())
    e->accept();
  else
    e->ignore();
}

void TForm1::FormDestroy() {
  if (LecteurMIDI() == MediaPlayer1) DefinirLecteurMIDI(nullptr);
  // Nothing may reach this window once it goes: the engines fall back on the null view.
  DefinirVueEditeur(nullptr);
  QImage* image = ImageSaisie;
  RetirerZoneSaisie();  // the canvas's painter works on the image: first
  delete image;
}

// Placement of the controls for the window's size (lengths at 96 dpi, scaled to the screen).
void TForm1::DisposerControles() {
  QWidget* fond = centralWidget();
  if (!fond) return;
  const double dpi = logicalDpiX() > 0 ? logicalDpiX() : 96;
  auto px = [&](int k) { return Arrondi(k * dpi / 96.0); };
  const int W = fond->width(), H = fond->height(), m = px(4);
  // The toolbar is as wide as its controls in their stored order.
  int largeurBarre = px(23);
  for (QWidget* w : VxToolBar1->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
    if (!w->isHidden()) largeurBarre = std::max(largeurBarre, w->x() + w->width());
  const int hBarre = px(26);
  VxToolBar1->setGeometry(0, 0, largeurBarre, hBarre);
  const int xNom = VxToolBar1->x() + VxToolBar1->width();
  Panel_NomPiste->setGeometry(xNom, 0, std::max(0, W - m - xNom), hBarre);
  PartNomPiste->setGeometry(px(4), 0, std::max(0, Panel_NomPiste->width() - px(4)), hBarre);

  const int hStatut = px(20), topStatut = H - hStatut - m;
  int x = m;
  // The status label is as wide as the longest of its translated texts ("Mesure incomplète").
  int lStatut = px(100);
  for (const char* cle : {"Gene-MesureComplete", "Gene-MesureIncomplete", "Gene-MesureDepassee"})
    lStatut = std::max(lStatut, NbTps2->fontMetrics().horizontalAdvance(TexteLangue(QLatin1String(cle))) + px(8));
  for (auto [panneau, largeur] : {std::pair{PanelNumMesure, px(90)}, {PanelNbTps, px(120)}, {PanelNbTps2, lStatut}}) {
    panneau->setGeometry(x, topStatut, largeur, hStatut);
    x += largeur + m;
  }
  const int lBarre3 = px(160), hBarre3 = kHauteurZoneSaisie + px(40);
  PanelBarreBoutons3->setGeometry(W - lBarre3 - m, H - hBarre3 - m, lBarre3, hBarre3);
  const int topSaisie = PanelBarreBoutons3->y();
  PanelZoneSaisie->setGeometry(m, topSaisie, std::max(0, PanelBarreBoutons3->x() - 2 * m),
                               std::max(0, topStatut - topSaisie - px(2)));
  const int lDefil = std::min(px(200), std::max(0, PanelZoneSaisie->width() - (x - m)));
  ScrollBarZoneSaisie->setGeometry(PanelZoneSaisie->x() + PanelZoneSaisie->width() - lDefil - 1, topStatut + 1,
                                   lDefil, hStatut - 2);
  PanelTextCom->setGeometry(x, topStatut, std::max(0, ScrollBarZoneSaisie->x() - x - px(3)), hStatut);
  for (QWidget* p : {PanelNumMesure, PanelNbTps, PanelNbTps2, PanelTextCom})
    p->findChild<QLabel*>()->setGeometry(0, 0, p->width(), p->height());
  ZoneSaisie->move(ZoneSaisie->x(), std::max(0, (PanelZoneSaisie->height() - kHauteurZoneSaisie) / 2));
  AjusterDefilementSaisie();

  const int hBarre2 = px(26);
  PanelBarreBoutons2->setGeometry(m, topSaisie - hBarre2 - 1, std::max(0, W - 2 * m - 1), hBarre2);
  BT_Valider->setGeometry(0, 0, px(90), hBarre2);
  BT_AnnulerMesure->setGeometry(px(94), 0, px(90), hBarre2);
  const int lDefilV = ScrollBarZoneAffScroll->sizeHint().width(), topVue = hBarre + px(2);
  PanelZoneAffScroll->setGeometry(m, topVue, std::max(0, W - m - lDefilV - m - 1),
                                  std::max(0, PanelBarreBoutons2->y() - topVue - 1));
  ScrollBarZoneAffScroll->setGeometry(PanelZoneAffScroll->x() + PanelZoneAffScroll->width(), topVue, lDefilV,
                                      PanelZoneAffScroll->height());
  if (PleinEcranActif)
    ModePleinEcran();
  else
    ModeNormal();
}

void TForm1::FormResize() {
  if (FermetureEnCours) return;
  DisposerControles();
  RedimensionnerVuePartition();
}

// ---- Handlers whose bodies belong to the command, track and playback units ----
void TForm1::TimerMidiTimer() { Lecture->TimerMidiTimer(); }
void TForm1::MediaPlayer1Notify() { Lecture->MediaPlayer1Notify(); }
