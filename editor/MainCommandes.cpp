// The command side of the main window: its actions, menus and buttons, the command-state refresh,
// the keyboard map, the edit-zone mouse with its fret menu, the track buttons and the translation
// of its texts.
#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QFileDialog>
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

#include "dialogs/Assistant_Bat.h"
#include "dialogs/Classiq.h"
#include "dialogs/Dyna.h"
#include "dialogs/Sais_par.h"
#include "midi/SelMIDI.h"
#include "editor/Curseur.h"
#include "editor/EtatsCommandes.h"
#include "song/Song.h"
#include "editor/EtatEdition.h"
#include "editor/Notificateur.h"
#include "editor/Partition.h"
#include "editor/EtatProgramme.h"
#include "settings/Config.h"
#include "editor/Main.h"
#include "editor/Navigation.h"
#include "editor/Pistes.h"
#include "files/FichierSqt.h"
#include "files/FileCommands.h"
#include "editor/Saisie.h"
#include "editor/ZoneSaisie.h"
#include "platform/MediaPlayer.h"
#include "settings/Langue.h"
#include "settings/Traduction.h"

namespace {
// During playback the keyboard does nothing but stop it (Space, Escape) or change the track
// (Ctrl with keypad plus or minus): the command shortcuts are held back as well.
class FiltreLecture : public QObject {
 public:
  explicit FiltreLecture(TForm1* f) : QObject(f), form(f) {}
  bool eventFilter(QObject* o, QEvent* e) override {
    if (e->type() != QEvent::ShortcutOverride || !form->LecturePartition()) return false;
    auto* w = qobject_cast<QWidget*>(o);
    if (!w || w->window() != form) return false;
    auto* k = static_cast<QKeyEvent*>(e);
    const int vk = ToucheVirtuelle(*k), etat = EtatModificateurs(*k);
    const bool permise = vk == VK_SPACE || vk == VK_ESCAPE || (etat == ssCtrl && (vk == VK_ADD || vk == VK_SUBTRACT));
    if (!permise) e->accept();  // the focused widget takes the key: no shortcut fires
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

void RedessinerEffets() {
  if (Curseur.RedessinTemps) {
    Curseur.RedessinTemps = 0;
    DessinerTemps(CanvasSaisie, Curseur, Partition.MesureCourante, PisteCourante, Curseur.Temps);
  }
  DessinerEffetsTemps(Curseur.Temps, true);
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
    QAction* item = Mn_Piste->addAction(QString());
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
  BT_Valider->setIcon(style()->standardIcon(QStyle::SP_DialogApplyButton));
  BT_AnnulerMesure->setIcon(style()->standardIcon(QStyle::SP_DialogCancelButton));
  BT_AnnulerMesure->setToolTip(QStringLiteral("Annuler tout [CTRL+SHIFT+Z]"));
  connect(BT_Valider, &QPushButton::clicked, this, [this] { BT_ValiderClick(); });
  connect(BT_AnnulerMesure, &QPushButton::clicked, this, [this] { BT_AnnulerMesureClick(); });

  // The measure-number, time-signature, status and track-name labels run their commands' handlers.
  auto lier = [this](QLabel* l, const char* action) {
    const int i = IndiceActionParNom(QLatin1String(action));
    l->installEventFilter(new ClicEtiquette(l, [this, i] {
      if (Execute[i]) Execute[i]();
    }));
  };
  lier(NumMesure, "Ac_Mesure_AllerA");
  lier(NbTps, "Ac_Mesure_Signature");
  lier(NbTps2, "Ac_Mesure_Signature");
  lier(MessErreur, "Ac_Fichier_Proprietes");
  lier(PartNomPiste, "Ac_Fichier_Proprietes");

  BrancherCommandes();
  for (int i = 1; i <= 3; ++i)
    connect(Menus.Mn_Aide_Langue[i], &QAction::triggered, this, [this, i] {
      LangueAide = i;
      CocherLangueAide();
    });
  ConstruireMenuLangues();
  CocherLangueAide();
  TraduireFenetrePrincipale();
  MajMenuPistes();
}

// ---- Handlers of the actions whose operations exist ----
void TForm1::BrancherCommandes() {
  auto puis = [this](void (*op)()) {
    return [this, op] {
      op();
      RafraichirActions();
    };
  };
  DefinirExecute("Ac_Edition_Annuler", [this] {
    Modifie = 1;
    AnnulerModification();
    RafraichirActions();
  });
  // The commands that run one editing operation and then refresh the command states.
  const struct {
    const char* nom;
    void (*op)();
  } simples[] = {{"Ac_Mesure_Premiere", PremiereMesure},       {"Ac_Mesure_Precedente", MesurePrecedente},
                 {"Ac_Mesure_AllerA", AllerAMesure},           {"Ac_Mesure_Suivante", MesureSuivante},
                 {"Ac_Mesure_Derniere", DerniereMesure},       {"Ac_Note_NoteEtouffee", SaisirNoteEtouffee},
                 {"Ac_Note_Silence", PoserSilence},            {"Ac_Note_Triolet", BasculerTriolet},
                 {"Ac_Note_InsererTemps", InsererTemps},       {"Ac_Note_CopierTempsfin", CopierTempsFin},
                 {"Ac_Note_DeplacerHaut", DeplacerNoteHaut},   {"Ac_Note_DeplacerBas", DeplacerNoteBas}};
  for (const auto& s : simples) DefinirExecute(s.nom, puis(s.op));
  DefinirExecute("Ac_Note_SupprimerTemps", [this] {
    TempsSupprimeLie = TempsCourant().Lie;
    SupprimerTemps();
    RafraichirActions();
  });
  DefinirExecute("Ac_Note_Lier", [this] {
    SauverAnnulation();
    TempsCourant().Lie = !TempsCourant().Lie;
    AppliquerLiaison();
    RafraichirActions();
  });
  const char* durees[] = {"Ac_Note_Ronde", "Ac_Note_Blanche", "Ac_Note_Noire", "Ac_Note_Croche",
                          "Ac_Note_DCroche", "Ac_Note_TCroche", "Ac_Note_QCroche"};
  for (int k = 0; k < 7; ++k) DefinirExecute(durees[k], [this, k] { NoteDureeExecute(k - 2); });
  DefinirExecute("Ac_Note_Pointee", [this] { Ac_Note_PointeeExecute(); });
  for (const TDefAction& d : TableActions) {
    const QString h = QString::fromLatin1(d.Execute);
    QAction* act = this->*d.Membre;
    if (h == "Ac_Effet_HOExecute") DefinirExecute(d.Nom, [this, act] { Ac_Effet_HOExecute(act); });
    if (h == "Ac_Effet_VibMainGaucheExecute") DefinirExecute(d.Nom, [this, act] { Ac_Effet_VibMainGaucheExecute(act); });
  }
  DefinirExecute("Ac_Son_JouerSaisie", [this] { Ac_Son_JouerSaisie->setChecked(!Ac_Son_JouerSaisie->isChecked()); });
  DefinirExecute("Ac_Son_Stop", [this] { Ac_Son_StopExecute(); });
  DefinirExecute("Ac_Fichier_Quitter", [this] { close(); });
  BrancherCommandesFichier();
}

// ---- File commands over the song-file services ----
void TForm1::BrancherCommandesFichier() {
  DefinirExecute("Ac_Fichier_Nouveau", [this] {
    if (!DemanderEnregistrement()) return;
    ViderPartition();
    if (Sais_Partition) Sais_Partition->exec();
    MontrerPercussion(PisteCourante == PISTE_PERCUSSION);
  });
  DefinirExecute("Ac_Fichier_Ouvrir", [this] {
    if (DemanderEnregistrement()) OuvrirPartition(QString());
    else
      for (int p = 1; p <= NB_PISTES; ++p) MajBoutonPiste(p);
  });
  DefinirExecute("Ac_Fichier_Enregistrer", [this] {
    CommandeEnregistrer();
    RafraichirActions();
  });
  DefinirExecute("Ac_Fichier_EnregistrerSous", [] { CommandeEnregistrerSous(); });
  DefinirExecute("Ac_Fichier_ExporterMIDI", [this] {
    // The export computes its own play order and lengths over those the playback follows.
    if (LecturePartition()) Ac_Son_StopExecute();
    QString nom = QFileDialog::getSaveFileName(this, SaveDialog2.Title,
                                               CheminDansRepertoire(NomExportPropose(QStringLiteral(".mid"))),
                                               FiltreQt(SaveDialog2.Filter), nullptr, QFileDialog::DontConfirmOverwrite);
    if (RetenirDossier(nom).isEmpty()) return;
    if (QFileInfo(nom).suffix().isEmpty()) nom += QStringLiteral(".mid");
    if (ConfirmerRemplacement(nom)) ExporterMIDI(nom);
  });
  DefinirExecute("Ac_Fichier_Proprietes", [this] {
    if (Sais_Partition) {
      Sais_Partition->NouvellePartitionDemandee = 0;
      Sais_Partition->exec();
    }
    if (PisteCourante == PISTE_PERCUSSION && Ac_Son_Stop->isEnabled()) {
      RouvrirPercussion = true;
      return;
    }
    MontrerPercussion(PisteCourante == PISTE_PERCUSSION);
  });
  for (int k = 1; k <= 5; ++k)
    connect(Menus.Mn_Fichier_DernierFichier[k], &QAction::triggered, this, [k] { OuvrirFichierRecent(k); });
}

// The reset to an empty song of the New command.
void TForm1::ViderPartition() {
  if (MIDIDisponible && LecturePartition()) Executer(Ac_Son_Stop);
  NouvellePartition();
  FinRemplacementPartition(false);
}

void TForm1::NoteDureeExecute(int code) {
  static const int ticks[7][3] = {{1920, 1920, 1920}, {960, 1440, 640}, {480, 720, 320}, {240, 360, 160},
                                  {120, 180, 80},     {60, 90, 60},     {30, 45, 30}};
  SauverAnnulation();
  TTemps& t = TempsCourant();
  t.Duree = ticks[code + 2][t.Triolet ? 2 : t.Pointee ? 1 : 0];
  t.CodeDuree = static_cast<int8_t>(code);
  if (t.Triolet && code >= -1 && code <= 2) {
    PropagerDureeTriolet();
    const int debut = Curseur.Temps - t.PlaceTriolet + 1;
    for (int b = debut; b <= debut + 2; ++b)
      if (b >= 1 && b <= NbTempsCourant() + 1) DessinerTemps(CanvasSaisie, Curseur, Partition.MesureCourante, PisteCourante, b);
  } else {
    DessinerTemps(CanvasSaisie, Curseur, Partition.MesureCourante, PisteCourante, Curseur.Temps);
  }
  RegrouperRythme(0);
  RafraichirActions();
}

void TForm1::Ac_Note_PointeeExecute() {
  SauverAnnulation();
  TTemps& t = TempsCourant();
  t.Duree = static_cast<int32_t>(std::nearbyint(t.Pointee ? t.Duree * 2.0 / 3.0 : t.Duree * 3.0 / 2.0));
  DessinerTemps(CanvasSaisie, Curseur, Partition.MesureCourante, PisteCourante, Curseur.Temps);
  t.Pointee = !t.Pointee;
  RegrouperRythme(0);
  RafraichirActions();
}

void TForm1::Ac_Effet_HOExecute(QAction* sender) {
  const int code = sender->data().toInt();
  sender->setChecked(!sender->isChecked());
  SauverAnnulation();
  TempsCourant().Notes[std::clamp(Curseur.Corde, 1, NB_CORDES_MAX)].Effet =
      static_cast<int8_t>(sender->isChecked() ? code : 0);
  RedessinerEffets();
  if (Ac_Son_JouerSaisie->isChecked() && code > 2 && MIDIDisponible) VueEditeur().PlayCurrentBeat();
  RafraichirActions();
}

void TForm1::Ac_Effet_VibMainGaucheExecute(QAction* sender) {
  const int code = sender->data().toInt();
  sender->setChecked(!sender->isChecked());
  SauverAnnulation();
  TempsCourant().EffetTemps = static_cast<int8_t>(sender->isChecked() ? code : 0);
  RedessinerEffets();
  if (Ac_Son_JouerSaisie->isChecked() && MIDIDisponible && (code <= 4 || code >= 8))
    VueEditeur().PlayCurrentBeat();
  RafraichirActions();
}

void TForm1::BT_DynaFormClick() {
  if (!DynaForm) return;
  if (DynaForm->isVisible()) DynaForm->close();
  else DynaForm->show();
}

// ---- Command states ----
void TForm1::RafraichirActions() {
  if (!Ac_Son_LectureDebut) return;  // before the actions exist
  TContexteEtats ctx;
  ctx.LectureEnCours = LecturePartition();
  ctx.AnnulerMesureActif = BT_AnnulerMesure->isEnabled();
  ctx.PressePapierPlein = PressePapierPlein != 0;
  ctx.Modifie = Modifie != 0;
  const TEtatsCommandes e = CalculerEtatsCommandes(Partition, Curseur, PisteCourante, ctx);
  AppliquerEtatsCommandes(e, *this);
  if (!e.Complet) return;
  BT_Valider->setEnabled(e.ValiderActif);
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

// ---- Keyboard ----
void TForm1::FormKeyDown(QKeyEvent* e) {
  const int vk = ToucheVirtuelle(*e);
  // A held key repeats its press: the scroll it started goes on, at most 500 passes for one press.
  if (e->isAutoRepeat() && (vk == VK_PRIOR || vk == VK_NEXT)) return;
  FormKeyDown(vk, EtatModificateurs(*e));
}

void TForm1::FormKeyDown(int vk, int etat) {
  using C = TCommandeClavier;
  const TActionClavier a = CommandeTouche(vk, etat, LecturePartition(), PleinEcranActif != 0);
  switch (a.Commande) {
    case C::PisteSuivante: PisteUpClick(); break;
    case C::PistePrecedente: PisteDownClick(); break;
    case C::Stop:
      if (MIDIDisponible) Executer(Ac_Son_Stop);
      break;
    case C::LectureDebut: Executer(Ac_Son_LectureDebut); break;
    case C::LecturePosEC: Executer(Ac_Son_LecturePosEC); break;
    case C::LectureMesureEC: Executer(Ac_Son_LectureMesureEC); break;
    case C::DefilerHaut:
    case C::DefilerBas:
      Defilement.Demarrer(a.Commande == C::DefilerHaut ? -4 : 4);
      ToucheEnfoncee = true;
      DefilerTantQueTouche();
      TimerDefilement->start();
      break;
    case C::Chiffre: SaisirChiffre(a.Chiffre, etat); break;
    case C::CurseurDebutMesure: CurseurDebutMesure(); break;
    case C::CurseurTempsPrecedent: CurseurTempsPrecedent(); break;
    case C::CurseurTempsSuivant: CurseurTempsSuivant(); break;
    case C::CurseurFinMesure: CurseurFinMesure(); break;
    case C::CurseurCordeHaut: CurseurCordeHaut(); break;
    case C::CurseurCordeBas: CurseurCordeBas(); break;
    case C::ValiderSiPossible: ValiderSiPossible(); break;
    case C::EffacerSousCurseur:
    case C::EffacerSousCurseurRetour:
      TempsSupprimeLie = TempsCourant().Lie;
      EffacerSousCurseur();
      if (a.Commande == C::EffacerSousCurseurRetour) CurseurTempsPrecedent();
      break;
    case C::SupprimerTemps:
    case C::SupprimerTempsRetour:
      TempsSupprimeLie = TempsCourant().Lie;
      SupprimerTemps();
      if (a.Commande == C::SupprimerTempsRetour) CurseurTempsPrecedent();
      break;
    case C::RaccourcirDuree: RaccourcirDuree(); break;
    case C::AllongerDuree: AllongerDuree(); break;
    case C::PointerSiPossible: PointerSiPossible(); break;
    case C::BasculerTriolet: BasculerTriolet(); break;
    case C::Aucune:
    case C::CacherPercussion: break;
  }
  if (a.Rafraichir) RafraichirActions();
}

void TForm1::FormKeyUp(QKeyEvent* e) {
  if (e->isAutoRepeat()) return;  // a held key sends repeated pairs: only the real release counts
  if (Defilement.ToucheEnfoncee) {
    Defilement.Arreter();
    ToucheEnfoncee = false;
    TimerDefilement->stop();
  }
}

// One pass of the held-key scroll per timer tick, so that the key-up comes through the normal event
// loop; the scroll bar clamps the position and its change handler scrolls the view.
void TForm1::DefilerTantQueTouche() {
  const int pas = Defilement.PasSuivant();
  if (pas == 0) {
    TimerDefilement->stop();
    ToucheEnfoncee = false;
    return;
  }
  ScrollBarZoneAffScroll->setValue(ScrollBarZoneAffScroll->value() + pas);
}

void TForm1::Ed_InvisibleKeyDown(int vk) {
  const TActionClavier a = CommandeToucheInvisible(vk, LecturePartition());
  if (a.Commande == TCommandeClavier::CurseurTempsSuivant) {
    CurseurTempsSuivant();
    RafraichirActions();
  } else if (a.Commande == TCommandeClavier::CacherPercussion) {
    if (LecturePartition() && MIDIDisponible) Executer(Ac_Son_Stop);
    if (Assistant_Bat_Form && Assistant_Bat_Form->isVisible()) {
      Assistant_Bat_Form->hide();
      Ac_Ass_Percussion->setEnabled(PisteCourante == PISTE_PERCUSSION);
    }
  }
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
  const bool pleine = PisteAvecTemps(Partition, piste);
  BT_Piste[piste]->setProperty("Pleine", pleine);
  BT_Piste[piste]->setStyleSheet(pleine ? QStringLiteral("color: #0000FF;") : QStringLiteral("color: #000000;"));
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
  if (piste == PISTE_PERCUSSION && Ac_Son_Stop->isEnabled()) {
    RouvrirPercussion = true;  // shown when playback ends
    return;
  }
  MontrerPercussion(piste == PISTE_PERCUSSION);
}

void TForm1::MontrerPercussion(bool montrer) {
  if (Assistant_Bat_Form) Assistant_Bat_Form->setVisible(montrer);
  Ac_Ass_Percussion->setEnabled(montrer);
}

// ---- Translation ----
void TForm1::TraduireFenetrePrincipale() {
  AppliquerTraductionPrincipale(CalculerTraductionPrincipale(LignesPatch), *this, this);
}

// ---- Language menu ----
void TForm1::ConstruireMenuLangues() {
  QMenu* menu = Menus.Mn_Options_LangueLog;
  menu->clear();
  auto* groupe = new QActionGroup(menu);
  for (int i = 0; i < ListeLangues.size(); ++i) {
    QAction* item = menu->addAction(ListeLangues[i]);
    item->setCheckable(true);
    item->setData(i);
    groupe->addAction(item);
    connect(item, &QAction::triggered, this, [this, i] { Mn_Options_LangueLogNClick(i); });
  }
  CocherLangueCourante();
}

void TForm1::CocherLangueCourante() {
  for (QAction* item : Menus.Mn_Options_LangueLog->actions()) item->setChecked(item->text() == PatcheLangue);
}

void TForm1::Mn_Options_LangueLogNClick(int indice) {
  if (indice < 0 || indice >= ListeLangues.size()) return;
  QApplication::setOverrideCursor(Qt::WaitCursor);
  PatcheLangue = ListeLangues[indice];
  ChargerLangue(PatcheLangue);
  TraduireFenetrePrincipale();
  if (DynaForm) DynaForm->Traduire();
  if (Sais_Partition) Sais_Partition->Traduire();
  if (SelMIDIForm) SelMIDIForm->Traduire();
  if (Assistant_Bat_Form) Assistant_Bat_Form->Traduire();
  RetraduireTitre();
  const int aide = PatcheLangue == QStringLiteral("Français") ? 1
                   : PatcheLangue == QStringLiteral("English") ? 2
                   : PatcheLangue == QStringLiteral("Deutsch") ? 3
                                                                 : 0;
  if (aide) {
    LangueAide = aide;
    CocherLangueAide();
  }
  CocherLangueCourante();
  QApplication::restoreOverrideCursor();
}

void TForm1::CocherLangueAide() {
  if (LangueAide >= 1 && LangueAide <= 3 && Menus.Mn_Aide_Langue[LangueAide]) Menus.Mn_Aide_Langue[LangueAide]->setChecked(true);
}

void TForm1::RetraduireTitre() {
  if (NomFichier.isEmpty()) {
    CheminFichier = TexteLangue("Fichier-SansNom");
    setWindowTitle(QStringLiteral("Strumquill 2.2 - ") + QFileInfo(CheminFichier).fileName());
  }
  AfficherEtatMesure();
}
