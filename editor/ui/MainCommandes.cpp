// The command side of the main window: its actions, menus and buttons, the command-state refresh,
// the edit-zone mouse with its fret menu and the track buttons. The handlers live by command group
// (MainFichier, MainEdition, MainMesure, MainNotes, MainSon, MainAffichage), the keys in MainClavier.
#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPushButton>
#include <QScrollBar>
#include <QStyle>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QWidgetAction>
#include <string_view>

#include "dialogs/Assistant_Bat.h"
#include "dialogs/Classiq.h"
#include "dialogs/Dyna.h"
#include "dialogs/Sais_par.h"
#include "midi/ui/SelMIDI.h"
#include "editor/Curseur.h"
#include "editor/ui/EtatsCommandes.h"
#include "song/Song.h"
#include "editor/state/EtatEdition.h"
#include "editor/state/Notificateur.h"
#include "editor/state/Partition.h"
#include "editor/state/EtatProgramme.h"
#include "settings/Config.h"
#include "editor/ui/Main.h"
#include "editor/Navigation.h"
#include "editor/Pistes.h"
#include "files/FichierSqt.h"
#include "files/FileCommands.h"
#include "editor/Saisie.h"
#include "editor/EditZoneModel.h"
#include "editor/state/RedessinSaisie.h"
#include "platform/Canvas.h"
#include "platform/MediaPlayer.h"
#include "settings/Langue.h"
#include "settings/LanguesConnues.h"
#include "settings/ui/Traduction.h"

namespace {
// During playback the song must not change under the player: the shortcuts of the editing commands
// (edit, measure, note, effect and dynamics) are held back. The others (file, sound, display, the
// menus' letters) act as from the menus; the other keys reach the key map, which only stops.
class FiltreLecture : public QObject {
 public:
  explicit FiltreLecture(TForm1* f) : QObject(f), form(f) {}
  bool eventFilter(QObject* o, QEvent* e) override {
    if (e->type() != QEvent::ShortcutOverride || !form->LecturePartition()) return false;
    auto* w = qobject_cast<QWidget*>(o);
    if (!w || w->window() != form) return false;
    if (RaccourciEdition(*static_cast<QKeyEvent*>(e))) e->accept();  // the focused widget takes the key
    return false;
  }
  bool RaccourciEdition(const QKeyEvent& k) const {
    const QKeySequence touches[] = {QKeySequence(QKeyCombination(k.modifiers(), Qt::Key(k.key()))),
                                    QKeySequence(QKeyCombination(k.modifiers() & ~Qt::KeypadModifier, Qt::Key(k.key())))};
    for (int i = 0; i < NB_ACTIONS; ++i) {
      const std::string_view groupe = TableActions[i].Categorie;
      if (groupe != "Edition" && groupe != "Mesure" && groupe != "Note" && groupe != "Effets" && groupe != "Dyna")
        continue;
      const QAction* a = form->Action(i);
      if (!a) continue;
      for (const QKeySequence& r : a->shortcuts())
        for (const QKeySequence& t : touches)
          if (r == t) return true;
    }
    return false;
  }
  TForm1* form;
};

// The wheel acts on the score view wherever the pointer stands in the window: it belongs to the
// focus holder, as the keys do, whereas Qt gives it to the widget under the pointer (and the focus
// holder stands off-screen, so it would never see it).
class RouteurMolette : public QObject {
 public:
  explicit RouteurMolette(TForm1* f) : QObject(f), form(f) {}
  bool eventFilter(QObject* o, QEvent* e) override {
    if (e->type() != QEvent::Wheel || o == form->Ed_Invisible) return false;
    auto* w = qobject_cast<QWidget*>(o);
    if (!w || w->window() != form || !form->Ed_Invisible) return false;
    QCoreApplication::sendEvent(form->Ed_Invisible, e);
    return true;
  }
  TForm1* form;
};

// Labels of the window that run a command's handler when clicked.
class ClicEtiquette : public QObject {
 public:
  ClicEtiquette(QObject* parent, std::function<void()> f) : QObject(parent), faire(std::move(f)) {}
  bool eventFilter(QObject*, QEvent* e) override {
    if (e->type() == QEvent::MouseButtonRelease && static_cast<QMouseEvent*>(e)->button() == Qt::LeftButton && faire)
      faire();
    return false;
  }
  std::function<void()> faire;
};

// Qt's own pictures of a dialog button's glyph. The style would first look the name up in the
// desktop's icon theme, which parses the theme's index and costs the start-up several milliseconds;
// the window's look does not follow the desktop's theme anyway. Another Qt without these pictures
// gets the style's glyph.
QIcon GlypheBouton(QStyle* style, QStyle::StandardPixmap glyphe, const char* nom) {
  const QString chemin = QStringLiteral(":/qt-project.org/styles/commonstyle/images/standardbutton-%1-%2.png");
  QIcon icone;
  for (int taille : {16, 32, 128}) {
    const QString fichier = chemin.arg(QLatin1String(nom)).arg(taille);
    if (!QFile::exists(fichier)) return style->standardIcon(glyphe);
    icone.addFile(fichier, QSize(taille, taille));
  }
  return icone;
}

}  // namespace

bool TForm1::LecturePartition() const { return Ac_Son_LectureDebut && !Ac_Son_LectureDebut->isEnabled(); }

void TForm1::CreerCommandes() {
  CreerActions(this, *this);
  ConstruireMenus(menuBar(), *this, Menus);
  ConstruireBarreOutils(VxToolBar1, *this);

  // The note, measure and effect buttons beside the edit zone, in a grid.
  auto* grille = new QGridLayout(PanelBarreBoutons3);
  grille->setContentsMargins(2, 2, 2, 2);
  grille->setSpacing(0);
  QList<QToolButton*> boutons = ConstruireBoutonsPanneau(PanelBarreBoutons3, *this);
  BT_DynaForm = new QToolButton(PanelBarreBoutons3);
  BT_DynaForm->setObjectName(QStringLiteral("BT_DynaForm"));
  BT_DynaForm->setText(QStringLiteral("mf"));
  BT_DynaForm->setToolTip(QStringLiteral("Dynamic Window"));
  BT_DynaForm->setAutoRaise(true);
  BT_DynaForm->setFocusPolicy(Qt::NoFocus);
  connect(BT_DynaForm, &QToolButton::clicked, this, [this] { BT_DynaFormClick(); });
  boutons.append(BT_DynaForm);
  const int colonnes = 7;
  for (int i = 0; i < boutons.size(); ++i) {
    boutons[i]->setFixedSize(22, 22);
    grille->addWidget(boutons[i], i / colonnes, i % colonnes);
  }

  // Track buttons, the arrows and the track menu.
  auto* groupeBoutons = new QActionGroup(this);
  auto* groupeMenu = new QActionGroup(this);
  int x = 190;
  for (int p = 1; p <= NB_PISTES; ++p) {
    auto* b = new QToolButton(PanelBarreBoutons2);
    b->setObjectName(QStringLiteral("BT_Piste%1").arg(p));
    b->setText(QString::number(p));
    b->setCheckable(true);
    b->setAutoExclusive(true);
    b->setFocusPolicy(Qt::NoFocus);
    b->setGeometry(x, 1, 22, 22);
    x += 23;
    b->setProperty("Tag", p);
    connect(b, &QToolButton::clicked, this, [this, p] { BT_Piste1Click(p); });
    BT_Piste[p] = b;
    QAction* item = Menus.Mn_Piste->addAction(QString());
    item->setObjectName(QStringLiteral("Mn_Piste%1").arg(p));
    item->setCheckable(true);
    item->setData(p);
    groupeMenu->addAction(item);
    connect(item, &QAction::triggered, this, [this, p] { Mn_Piste1Click(p); });
    Mn_PisteN[p] = item;
  }
  (void)groupeBoutons;
  PisteDown = new QToolButton(PanelBarreBoutons2);
  PisteDown->setObjectName(QStringLiteral("PisteDown"));
  PisteDown->setArrowType(Qt::LeftArrow);
  PisteDown->setToolTip(QStringLiteral("[CTRL+'-']"));
  PisteUp = new QToolButton(PanelBarreBoutons2);
  PisteUp->setObjectName(QStringLiteral("PisteUp"));
  PisteUp->setArrowType(Qt::RightArrow);
  PisteUp->setToolTip(QStringLiteral("[CTRL+'+']"));
  for (QToolButton* b : {PisteDown, PisteUp}) {
    b->setFocusPolicy(Qt::NoFocus);
    b->setGeometry(x + 4, 1, 18, 22);
    x += 19;
  }
  connect(PisteUp, &QToolButton::clicked, this, [this] { PisteUpClick(); });
  connect(PisteDown, &QToolButton::clicked, this, [this] { PisteDownClick(); });
  PartNomPiste->setToolTip(QStringLiteral("[CTRL+1..8]"));

  // The fret menu of the right button: 0..24 in three columns.
  TurboMenu = new QMenu(this);
  TurboMenu->setObjectName(QStringLiteral("TurboMenu"));
  auto* grilleFrettes = new QWidget(TurboMenu);
  auto* gf = new QGridLayout(grilleFrettes);
  gf->setContentsMargins(2, 2, 2, 2);
  gf->setSpacing(0);
  for (int f = 0; f <= 24; ++f) {
    auto* item = new QToolButton(grilleFrettes);
    item->setObjectName(QStringLiteral("Turbo%1").arg(f, 2, 10, QLatin1Char('0')));
    item->setText(QString::number(f));
    item->setAutoRaise(true);
    item->setFixedSize(30, 20);
    gf->addWidget(item, f - 9 * ColonneTurbo(f), ColonneTurbo(f));
    connect(item, &QToolButton::clicked, this, [this, item] {
      TurboMenu->close();
      Turbo00Click(FretteItemTurbo(item->objectName()));
    });
  }
  auto* wa = new QWidgetAction(TurboMenu);
  wa->setDefaultWidget(grilleFrettes);
  TurboMenu->addAction(wa);

  // Keys, mouse and buttons of the window.
  // The window previews every key, then the focus holder handles its own.
  Ed_Invisible->OnKeyDown = [this](QKeyEvent* e) {
    FormKeyDown(e);
    Ed_InvisibleKeyDown(ToucheVirtuelle(*e));
  };
  Ed_Invisible->OnKeyUp = [this](QKeyEvent* e) { FormKeyUp(e); };
  Ed_Invisible->OnMouseWheelDown = [this] {
    if (ScrollBarZoneAffScroll->value() < ScrollBarZoneAffScroll->maximum())
      ScrollBarZoneAffScroll->setValue(ScrollBarZoneAffScroll->value() + ScrollBarZoneAffScroll->singleStep());
  };
  Ed_Invisible->OnMouseWheelUp = [this] {
    if (ScrollBarZoneAffScroll->value() > ScrollBarZoneAffScroll->minimum())
      ScrollBarZoneAffScroll->setValue(ScrollBarZoneAffScroll->value() - ScrollBarZoneAffScroll->singleStep());
  };
  qApp->installEventFilter(new FiltreLecture(this));
  qApp->installEventFilter(new RouteurMolette(this));
  TimerDefilement = new QTimer(this);
  TimerDefilement->setInterval(15);
  connect(TimerDefilement, &QTimer::timeout, this, [this] { DefilerTantQueTouche(); });

  Souris.Cliquer = [](int x, int y) { CliquerZoneSaisie(x, y); };
  Souris.Rafraichir = [this] { RafraichirActions(); };
  Souris.AccordPermis = [this] { return Ac_Note_Accord->isEnabled(); };
  Souris.OuvrirAccord = [this] { Executer(Ac_Note_Accord); };
  ZoneSaisie->OnMouseDown = [this](QMouseEvent* e) { ZoneSaisieMouseDown(e); };
  ZoneSaisie->OnMouseMove = [this](QMouseEvent* e) {
    Souris.Deplacer(e->position().toPoint().x(), e->position().toPoint().y());
  };
  ZoneSaisie->OnMouseUp = [this](QMouseEvent*) { Souris.Relacher(); };
  // Qt delivers the second button-down of a double click as the double click itself, with no press
  // after it: nothing is left to swallow, and the next real click must move the cursor.
  ZoneSaisie->OnDoubleClick = [this](QMouseEvent* e) {
    if (e->button() != Qt::LeftButton) return;
    Souris.DoubleCliquer();
    Souris.DoubleClic = 0;
  };
  // The two buttons carry glyphs, not captions: without them they show as blank boxes.
  BT_Valider->setIcon(GlypheBouton(style(), QStyle::SP_DialogApplyButton, "apply"));
  BT_AnnulerMesure->setIcon(GlypheBouton(style(), QStyle::SP_DialogCancelButton, "cancel"));
  BT_AnnulerMesure->setToolTip(QStringLiteral("Annuler tout [CTRL+SHIFT+Z]"));
  connect(BT_Valider, &QPushButton::clicked, this, [this] { BT_ValiderClick(); });
  connect(BT_AnnulerMesure, &QPushButton::clicked, this, [this] { BT_AnnulerMesureClick(); });

  // The measure-number, time-signature, status and track-name labels run their commands' handlers.
  auto lier = [this](QLabel* l, TMembreAction action) {
    const int i = IndiceMembre(action);
    l->installEventFilter(new ClicEtiquette(l, [this, i] {
      if (Execute[i]) Execute[i]();
    }));
  };
  lier(NumMesure, &TForm1::Ac_Mesure_AllerA);
  lier(NbTps, &TForm1::Ac_Mesure_Signature);
  lier(NbTps2, &TForm1::Ac_Mesure_Signature);
  lier(MessErreur, &TForm1::Ac_Fichier_Proprietes);
  lier(PartNomPiste, &TForm1::Ac_Fichier_Proprietes);

  BrancherCommandes();
  for (const TLangueConnue& langue : LanguesConnues)
    connect(Menus.Mn_Aide_Langue[langue.Aide], &QAction::triggered, this, [this, i = langue.Aide] {
      LangueAide = i;
      CocherLangueAide();
    });
  ConstruireMenuLangues();
  CocherLangueAide();
  TraduireFenetrePrincipale();
  MajMenuPistes();
}

std::function<void()> TForm1::PuisRafraichir(void (*op)()) {
  return [this, op] {
    op();
    RafraichirActions();
  };
}

// ---- Handlers of the commands, group by group ----
void TForm1::BrancherCommandes() {
  BrancherCommandesFichier();
  BrancherCommandesEdition();
  BrancherCommandesMesure();
  BrancherCommandesNotes();
  BrancherCommandesSon();
  BrancherCommandesAffichage();
  BrancherCommandesAssistants();
}

// ---- Command states ----
void TForm1::RafraichirActions() {
  if (!Ac_Son_LectureDebut) return;  // before the actions exist
  TContexteEtats ctx;
  ctx.LectureEnCours = LecturePartition();
  ctx.PressePapierPlein = PressePapierPlein != 0;
  ctx.Modifie = PartitionModifiee();
  const TEtatsCommandes e = CalculerEtatsCommandes(Partition, Curseur, PisteCourante, ctx);
  AppliquerEtatsCommandes(e, *this);
  if (!e.Complet) return;
  if (DynaForm) {
    for (int k = 1; k <= 8; ++k)
      if (QToolButton* b = DynaForm->BT_DynaNote[k]) {
        b->setEnabled(e.PaletteActive);
        b->setChecked(e.PaletteBas == k);
      }
    for (QToolButton* b : {DynaForm->BT_Default, DynaForm->BT_Apply})
      if (b) b->setEnabled(e.PaletteActive);
  }
  AjusterDefilementSaisie();
  Notificateur().curseurDeplace();
  if (ClassForm && ClassForm->isVisible()) ClassForm->AfficherNotesTemps();
}

// ---- Edit-zone mouse ----
void TForm1::ZoneSaisieMouseDown(QMouseEvent* e) {
  const QPoint p = e->position().toPoint();
  if (!Souris.Appuyer(p.x(), p.y(), e->button() == Qt::RightButton)) return;
  TurboMenu->popup(ZoneSaisie->mapToGlobal(QPoint(p.x() + 5, p.y() + 5)));
}

void TForm1::Turbo00Click(int frette) {
  if (frette < 0) return;
  if (PoserFretteTurbo(frette)) {
    EcouteTemps = true;
    VueEditeur().PlayCurrentBeat();
  }
  RafraichirActions();
}

void TForm1::BT_ValiderClick() {
  ValiderMesure();
  RafraichirActions();
}

void TForm1::BT_AnnulerMesureClick() {
  Modifie = 1;
  AnnulerMesure();
  RafraichirActions();
}

// ---- Tracks ----
void TForm1::MajMenuPistes() {
  for (int p = 1; p <= NB_PISTES; ++p) {
    const QString nom = AnsiToQString(Partition.NomPiste[p].view());
    if (Mn_PisteN[p]) {
      Mn_PisteN[p]->setText(CaptionMenuPiste(p, nom));
      if (p == PisteCourante) Mn_PisteN[p]->setChecked(true);
    }
    if (BT_Piste[p]) {
      BT_Piste[p]->setToolTip(nom);
      if (p == PisteCourante) BT_Piste[p]->setChecked(true);
    }
  }
  if (PisteCourante >= 1 && PisteCourante <= NB_PISTES)
    PartNomPiste->setText(AnsiToQString(Partition.NomPiste[PisteCourante].view()));
}

void TForm1::MajBoutonPiste(int piste) {
  if (piste < 1 || piste > NB_PISTES || !BT_Piste[piste]) return;
  QToolButton* b = BT_Piste[piste];
  const bool pleine = PisteAvecTemps(Partition, piste);
  // Every measure edit refreshes the eight buttons: the look is set only when it changes, and
  // through the palette (a style sheet set anew keeps a cache each time the button is painted).
  const QVariant avant = b->property("Pleine");
  if (avant.isValid() && avant.toBool() == pleine) return;
  b->setProperty("Pleine", pleine);
  QPalette palette = b->palette();
  palette.setColor(QPalette::ButtonText, ToQColor(pleine ? clBlue : clBlack));
  b->setPalette(palette);
}

bool TForm1::BoutonPisteMarque() {
  return PisteCourante >= 1 && PisteCourante <= NB_PISTES && BT_Piste[PisteCourante] &&
         BT_Piste[PisteCourante]->property("Pleine").toBool();
}

void TForm1::PisteUpClick() { ChangerPiste(PisteVoisine(PisteCourante, +1, Partition.NbPistes)); }
void TForm1::PisteDownClick() { ChangerPiste(PisteVoisine(PisteCourante, -1, Partition.NbPistes)); }
void TForm1::BT_Piste1Click(int piste) { ChangerPiste(piste); }
void TForm1::Mn_Piste1Click(int piste) { ChangerPiste(piste); }

void TForm1::ChangerPiste(int piste) {
  if (piste < 1 || piste > NB_PISTES || !Partition.Courante()) return;
  SwitchToTrack(piste);
  Notificateur().curseurDeplace();
  RafraichirActions();
  MesureOrigine = *Partition.Courante();
  MajMenuPistes();
  DrumAssistantFollowsTrack(piste);
}

void TForm1::DrumAssistantFollowsTrack(int piste) {
  if (piste == PISTE_PERCUSSION && Ac_Son_Stop->isEnabled()) {
    RouvrirPercussion = true;  // shown when playback ends
    return;
  }
  MontrerPercussion(piste == PISTE_PERCUSSION);
}

void TForm1::DrumAssistantShown(bool v) {
  if (v) Ac_Ass_Percussion->setEnabled(true);
  Ac_Ass_Percussion->setChecked(v);
}

void TForm1::MontrerPercussion(bool montrer) {
  if (Assistant_Bat_Form) Assistant_Bat_Form->setVisible(montrer);
  Ac_Ass_Percussion->setEnabled(montrer);
}

