#include "chords/ui/Sais_ac.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

#include "chords/Diagramme.h"
#include "chords/Doigtes.h"
#include "chords/EcouteAccord.h"
#include "editor/Curseur.h"
#include "editor/state/EtatEdition.h"
#include "editor/state/EtatProgramme.h"
#include "editor/Navigation.h"
#include "editor/Saisie.h"
#include "editor/state/VueEditeur.h"
#include "midi/Lecture.h"
#include "platform/Canvas.h"
#include "platform/MediaPlayer.h"
#include "settings/Aide.h"
#include "settings/Config.h"
#include "settings/Langue.h"
#include "settings/LignesLangue.h"
#include "settings/Mess.h"
#include "song/ListesAccords.h"

namespace {

constexpr int kLargeurCellule = 41, kHauteurCellule = 37;  // cells of the fingering list
constexpr int kLargeurListe = 342, kHauteurListe = 800;

QString Caption(const char* groupe, int ligne, const QString& design) {
  return LegendeGroupe(QString::fromLatin1(groupe), ligne, design);
}

void Selectionner(QListWidget* l, int ligne) {
  QSignalBlocker b(l);
  l->setCurrentRow(ligne);
  if (ligne < 0) l->clearSelection();
}

int Ligne(const QListWidget* l) { return l->currentRow(); }

QListWidget* NouvelleListe(QWidget* parent, const QStringList& textes) {
  auto* l = new QListWidget(parent);
  l->addItems(textes);
  l->setFixedWidth(58);
  return l;
}

QStringList Textes(const char* const* t, int n) {
  QStringList l;
  for (int i = 0; i < n; ++i) l << QString::fromLatin1(t[i]);
  return l;
}

}  // namespace

// ---- Image ----

TImageAccord::TImageAccord(int largeur, int hauteur, QWidget* parent) : QWidget(parent) {
  Redimensionner(largeur, hauteur);
  setMouseTracking(true);
}

void TImageAccord::Redimensionner(int largeur, int hauteur) {
  Image = QImage(largeur, hauteur, QImage::Format_RGB32);
  Image.fill(Qt::white);
  setFixedSize(largeur, hauteur);
  update();
}

void TImageAccord::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.drawImage(0, 0, Image);
}
void TImageAccord::mousePressEvent(QMouseEvent* e) {
  if (OnMouseDown) OnMouseDown(e);
}
void TImageAccord::mouseMoveEvent(QMouseEvent* e) {
  if (OnMouseMove) OnMouseMove(e);
}
void TImageAccord::mouseReleaseEvent(QMouseEvent* e) {
  if (OnMouseUp) OnMouseUp(e);
}

// ---- Construction ----

TSais_Ac_Form::TSais_Ac_Form(const TContexte& contexte, QWidget* parent) : QDialog(parent), ctx_(contexte) {
  setObjectName("Sais_Ac_Form");
  setWindowTitle("Chord");

  QStringList racines;
  for (int i = 0; i <= 12; ++i) racines << NomFondamentale(i, true);
  Fondamentale = NouvelleListe(this, racines);
  Typ = NouvelleListe(this, Textes(TextesTypeAccord, 15));
  NeufOnzeTreize = NouvelleListe(this, Textes(TextesExtension, 4));
  DimAug = NouvelleListe(this, Textes(TextesDimAug, 3));
  Quinte = NouvelleListe(this, Textes(TextesQuinte, 3));
  Neuf = NouvelleListe(this, Textes(TextesNeuf, 3));
  Onze = NouvelleListe(this, Textes(TextesOnze, 3));
  Add = new QCheckBox("add", this);

  BT_Diese = new QToolButton(this);
  BT_Diese->setText("#");
  BT_Bemol = new QToolButton(this);
  BT_Bemol->setText("b");
  for (QToolButton* b : {BT_Diese, BT_Bemol}) b->setCheckable(true);
  auto* groupeOrth = new QButtonGroup(this);
  groupeOrth->addButton(BT_Diese);
  groupeOrth->addButton(BT_Bemol);
  BT_Diese->setChecked(true);

  Basse = new QComboBox(this);
  Basse->setMaxVisibleItems(12);
  for (int i = 0; i < 12; ++i) Basse->addItem(NomNote(i, true));
  Renversement = new QComboBox(this);
  for (int i = 0; i < 6; ++i) Renversement->addItem(i == 0 ? QStringLiteral("Root") : QStringLiteral("Inversion #%1").arg(i));
  Lab_Renv = new QLabel("Inversion:", this);
  Lab_Bass = new QLabel("Bass:", this);

  Simplifie = new QRadioButton("Simple", this);
  Moyen = new QRadioButton("Medium", this);
  Tout = new QRadioButton("All", this);
  Moyen->setChecked(true);

  ImDiag = new TImageAccord(141, 160, this);
  ScrollFret = new QScrollBar(Qt::Vertical, this);
  ScrollFret->setRange(1, FRETTE_BASE_MAX);
  ScrollSol = new QScrollBar(Qt::Horizontal, this);
  ScrollSol->setRange(1, 1);
  ScrollSol->setEnabled(false);
  NbComb = new QLabel("0/0", this);

  static const char* const legendes[8] = {"", "1'", "3'", "5'", "7'", "9'", "11'", "13'"};
  auto* grilleDegres = new QGridLayout;
  for (int r = 1; r <= 7; ++r) {
    Lab[r] = new QLabel(QString::fromLatin1(legendes[r]), this);
    C[r] = new QCheckBox(this);
    Note[r] = new QLabel(this);
    Note[r]->setMinimumWidth(24);
    grilleDegres->addWidget(Lab[r], 0, r - 1, Qt::AlignHCenter);
    grilleDegres->addWidget(C[r], 1, r - 1, Qt::AlignHCenter);
    grilleDegres->addWidget(Note[r], 2, r - 1, Qt::AlignHCenter);
    connect(C[r], &QCheckBox::toggled, this, [this] { C1Click(); });
  }

  Lab_Nom = new QLabel(this);
  Ed_Accord = new QLineEdit(this);
  Ed_Accord->setMaxLength(20);
  BoutonSon = new QToolButton(this);
  BoutonSon->setText(QStringLiteral("\u266A"));

  ImListeDiag = new TImageAccord(kLargeurListe, kHauteurListe, this);
  ScrollBoxSol = new QScrollArea(this);
  ScrollBoxSol->setWidget(ImListeDiag);
  ScrollBoxSol->setFixedSize(kLargeurListe + 22, 6 * kHauteurCellule);
  ScrollBoxSol->verticalScrollBar()->setSingleStep(kHauteurCellule);
  LabOmissions = new QLabel("Please choose omissions", this);
  LabOmissions->hide();
  Lab_DiffNames = new QLabel("Different names", this);
  DifferentsNoms = new QListWidget(this);

  Lab_DejaUsed = new QLabel("Used", this);
  Lab_OnTop = new QLabel("On top", this);
  Lab_Library = new QLabel("Library", this);
  DejaUtilises = new QListWidget(this);
  Imprimer = new QListWidget(this);
  Librairie = new QListWidget(this);
  static const char* const glyphes[5] = {"+", "-", "=", "\u2191", "\u2193"};
  for (int l = 0; l < 3; ++l)
    for (int b = 0; b < 5; ++b) {
      BoutonsListe[l][b] = new QToolButton(this);
      BoutonsListe[l][b]->setText(QString::fromUtf8(glyphes[b]));
      connect(BoutonsListe[l][b], &QToolButton::clicked, this, [this, l, b] { BoutonListeClick(l, b); });
    }
  AddDiag = new QCheckBox("Use diagram", this);
  PanelImagePopup = new QLabel(this);
  PanelImagePopup->setFixedSize(58, 63);
  PanelImagePopup->hide();

  BT_OK = new QPushButton("&OK", this);
  BT_OK->setDefault(true);
  BT_Annuler = new QPushButton("&Annuler", this);
  BT_Clear = new QPushButton("&Clear", this);
  BT_Aide = new QPushButton("Aid&e", this);

  // ---- Placement ----
  auto* theorie = new QHBoxLayout;
  auto* colRacine = new QVBoxLayout;
  colRacine->addWidget(Fondamentale);
  auto* orth = new QHBoxLayout;
  orth->addWidget(BT_Diese);
  orth->addWidget(BT_Bemol);
  colRacine->addLayout(orth);
  theorie->addLayout(colRacine);
  theorie->addWidget(Typ);
  auto* colExt = new QVBoxLayout;
  colExt->addWidget(NeufOnzeTreize);
  colExt->addWidget(DimAug);
  colExt->addWidget(Add);
  theorie->addLayout(colExt);
  auto* colAlt = new QVBoxLayout;
  colAlt->addWidget(Quinte);
  colAlt->addWidget(Neuf);
  colAlt->addWidget(Onze);
  theorie->addLayout(colAlt);
  for (QListWidget* l : {NeufOnzeTreize, DimAug, Quinte, Neuf, Onze}) l->setFixedHeight(l->count() * 18 + 6);
  auto* colBasse = new QVBoxLayout;
  colBasse->addWidget(Lab_Bass);
  colBasse->addWidget(Basse);
  colBasse->addWidget(Lab_Renv);
  colBasse->addWidget(Renversement);
  colBasse->addWidget(Simplifie);
  colBasse->addWidget(Moyen);
  colBasse->addWidget(Tout);
  colBasse->addStretch();
  theorie->addLayout(colBasse);
  auto* diag = new QHBoxLayout;
  diag->addWidget(ImDiag);
  diag->addWidget(ScrollFret);
  auto* colDiag = new QVBoxLayout;
  colDiag->addLayout(diag);
  auto* solRangee = new QHBoxLayout;
  solRangee->addWidget(ScrollSol);
  solRangee->addWidget(NbComb);
  colDiag->addLayout(solRangee);
  theorie->addLayout(colDiag);

  auto* nom = new QHBoxLayout;
  nom->addWidget(Lab_Nom);
  nom->addWidget(Ed_Accord);
  nom->addWidget(BoutonSon);
  nom->addWidget(AddDiag);
  nom->addWidget(LabOmissions);
  nom->addStretch();

  auto* gauche = new QVBoxLayout;
  gauche->addLayout(theorie);
  gauche->addLayout(grilleDegres);
  gauche->addLayout(nom);
  auto* bas = new QHBoxLayout;
  bas->addWidget(ScrollBoxSol);
  auto* colNoms = new QVBoxLayout;
  colNoms->addWidget(Lab_DiffNames);
  colNoms->addWidget(DifferentsNoms);
  bas->addLayout(colNoms);
  gauche->addLayout(bas);

  auto* droite = new QVBoxLayout;
  QLabel* titres[3] = {Lab_Library, Lab_OnTop, Lab_DejaUsed};
  QListWidget* boites[3] = {Librairie, Imprimer, DejaUtilises};
  for (int l = 0; l < 3; ++l) {
    droite->addWidget(titres[l]);
    auto* rangee = new QHBoxLayout;
    rangee->addWidget(boites[l]);
    auto* boutons = new QVBoxLayout;
    for (int b = 0; b < 5; ++b) boutons->addWidget(BoutonsListe[l][b]);
    boutons->addStretch();
    rangee->addLayout(boutons);
    droite->addLayout(rangee);
    boites[l]->setFixedWidth(130);
    boites[l]->setMouseTracking(true);
    boites[l]->viewport()->setMouseTracking(true);
    boites[l]->viewport()->installEventFilter(this);
    connect(boites[l], &QListWidget::itemClicked, this, [this, l] { ListeClick(l); });
  }
  auto* haut = new QHBoxLayout;
  haut->addLayout(gauche);
  haut->addLayout(droite);
  auto* boutons = new QHBoxLayout;
  boutons->addStretch();
  for (QPushButton* b : {BT_OK, BT_Annuler, BT_Clear, BT_Aide}) boutons->addWidget(b);
  auto* tout = new QVBoxLayout(this);
  tout->addLayout(haut);
  tout->addLayout(boutons);

  // ---- Handlers ----
  connect(Fondamentale, &QListWidget::currentRowChanged, this, [this] { FondamentaleClick(); });
  for (QListWidget* l : {Typ, NeufOnzeTreize, DimAug, Quinte, Neuf, Onze})
    connect(l, &QListWidget::currentRowChanged, this, [this] { TypClick(); });
  connect(Add, &QCheckBox::toggled, this, [this] { TypClick(); });
  connect(Basse, &QComboBox::currentIndexChanged, this, [this] { BasseChange(); });
  connect(Renversement, &QComboBox::currentIndexChanged, this, [this] { RenversementChange(); });
  for (QRadioButton* r : {Simplifie, Moyen, Tout})
    connect(r, &QRadioButton::toggled, this, [this](bool on) {
      if (on) ChercherDoigtes();
    });
  connect(BT_Diese, &QToolButton::toggled, this, [this] { BT_DieseClick(); });
  connect(ScrollSol, &QScrollBar::valueChanged, this, [this] { ScrollSolChange(); });
  connect(ScrollFret, &QScrollBar::valueChanged, this, [this] { ScrollFretChange(); });
  connect(DifferentsNoms, &QListWidget::itemClicked, this, [this] { DifferentsNomsClick(); });
  connect(BoutonSon, &QToolButton::clicked, this, [this] { BoutonSonClick(); });
  connect(BT_OK, &QPushButton::clicked, this, [this] { BT_OKClick(); });
  connect(BT_Annuler, &QPushButton::clicked, this, &QDialog::reject);
  connect(BT_Clear, &QPushButton::clicked, this, [this] { BT_ClearClick(); });
  connect(BT_Aide, &QPushButton::clicked, this, [] { OuvrirAide(QStringLiteral("Sais_ac")); });

  ImDiag->setCursor(Qt::PointingHandCursor);
  ImListeDiag->setCursor(Qt::PointingHandCursor);
  ImListeDiag->OnMouseDown = [this](QMouseEvent* e) {
    glisseListe_ = true;
    ImListeDiagMouse(e->position().toPoint().x(), e->position().toPoint().y());
  };
  ImListeDiag->OnMouseMove = [this](QMouseEvent* e) {
    PanelImagePopup->hide();
    if (glisseListe_) ImListeDiagMouse(e->position().toPoint().x(), e->position().toPoint().y());
  };
  ImListeDiag->OnMouseUp = [this](QMouseEvent*) { glisseListe_ = false; };
  ImDiag->OnMouseDown = [this](QMouseEvent* e) { ImDiagPress(e->position().toPoint().x(), e->position().toPoint().y(), true); };
  ImDiag->OnMouseMove = [this](QMouseEvent* e) {
    PanelImagePopup->hide();
    if (glisseDiag_) ImDiagPress(e->position().toPoint().x(), e->position().toPoint().y(), false);
  };
  ImDiag->OnMouseUp = [this](QMouseEvent*) {
    glisseDiag_ = false;
    cordeGlisse_ = 0;
    rangGlisse_ = -1;
  };
  setMouseTracking(true);
  Traduire();
}

void TSais_Ac_Form::Traduire() {
  const char* g = "DLG_CHORD_000";
  QSet<QChar> utilisees;
  BT_OK->setText(AjouterRaccourci(Caption(LignesDlg::Groupe, LignesDlg::OK, "OK"), utilisees));
  BT_Annuler->setText(AjouterRaccourci(Caption(LignesDlg::Groupe, LignesDlg::Annuler, "Cancel"), utilisees));
  BT_Aide->setText(AjouterRaccourci(Caption(LignesDlg::Groupe, LignesDlg::Aide, "Help"), utilisees));
  BT_Clear->setText(AjouterRaccourci(Caption(LignesDlg::Groupe, LignesDlg::Effacer, "Clear"), utilisees));
  setWindowTitle(Caption(g, 1, "Chord"));
  Simplifie->setText(Caption(g, 2, "Simple"));
  Moyen->setText(Caption(g, 3, "Medium"));
  Tout->setText(Caption(g, 4, "All"));
  Lab_Renv->setText(Caption(g, 5, "Inversion:"));
  Lab_Bass->setText(Caption(g, 6, "Bass:"));
  LabOmissions->setText(Caption(g, 7, "Please choose omissions"));
  Lab_DiffNames->setText(Caption(g, 8, "Different names"));
  Lab_DejaUsed->setText(Caption(g, 9, "Used"));
  Lab_OnTop->setText(Caption(g, 10, "On top"));
  Lab_Library->setText(Caption(g, 11, "Library"));
  AddDiag->setText(AjouterRaccourci(Caption(g, 12, "Use diagram"), utilisees));
  for (int l = 0; l < 3; ++l)
    for (int b = 0; b < 5; ++b) BoutonsListe[l][b]->setToolTip(Caption(g, 13 + b, ""));
  BoutonSon->setToolTip(Caption(g, 18, "Listen"));
  const char* g2 = LignesAccord::Groupe;
  Lab_Nom->setText(Caption(g2, LignesAccord::Nom, "Name:"));
  QSignalBlocker b(Renversement);
  for (int i = 0; i < 6; ++i)
    Renversement->setItemText(i, Caption(g2, LignesAccord::Fondamentale + i,
                                         i == 0 ? QStringLiteral("Root") : QStringLiteral("Inversion #%1").arg(i)));
}

// ---- Helpers ----

int TSais_Ac_Form::Echelle(int v) const {
  const int ppi = logicalDpiX() > 0 ? logicalDpiX() : 96;
  return Arrondi(v * ppi / 96.0);
}

int TSais_Ac_Form::Colonnes() const { return std::max(1, Echelle(kLargeurListe) / kLargeurCellule); }

int TSais_Ac_Form::Mode() const { return Simplifie->isChecked() ? DoigtesSimples : Moyen->isChecked() ? DoigtesMoyens : DoigtesTous; }

TListeAccords TSais_Ac_Form::Liste(int liste) const {
  switch (liste) {
    case 0: return {AccordsLibrairie, &NbAccordsLibrairie, NB_ACCORDS_LIBRAIRIE_MAX};
    case 1: return {AccordsImprimer, &NbAccordsImprimer, NB_ACCORDS_IMPRIMER_MAX};
    default: return {AccordsDejaUtilises, &NbAccordsDejaUtilises, NB_ACCORDS_UTILISES_MAX};
  }
}

QListWidget* TSais_Ac_Form::BoiteListe(int liste) const {
  return liste == 0 ? Librairie : liste == 1 ? Imprimer : DejaUtilises;
}

void TSais_Ac_Form::RemplirListe(int liste) {
  QListWidget* boite = BoiteListe(liste);
  TListeAccords l = Liste(liste);
  QSignalBlocker b(boite);
  boite->clear();
  for (int i = 1; i <= std::clamp(*l.Nb, 0, l.Max); ++i)
    boite->addItem(l.Entrees[i] ? AnsiToQString(l.Entrees[i]->Nom.view()) : QString());
}

void TSais_Ac_Form::Respeller() {
  const bool diese = BT_Diese->isChecked();
  QSignalBlocker b1(Fondamentale), b2(Basse);
  for (int i = 0; i < 12; ++i) {
    Fondamentale->item(i)->setText(NomNote(i, diese));
    Basse->setItemText(i, NomNote(i, diese));
  }
  Fondamentale->item(12)->setText(TexteLangue("Accord-Perso") == TexteIntrouvable ? QStringLiteral("User")
                                                                                   : TexteLangue("Accord-Perso"));
}

TChoixAccord TSais_Ac_Form::Choix() const {
  TChoixAccord c;
  c.Fondamentale = std::max(0, Ligne(Fondamentale));
  c.Typ = std::max(0, Ligne(Typ));
  c.NeufOnzeTreize = std::max(0, Ligne(NeufOnzeTreize));
  c.DimAug = std::max(0, Ligne(DimAug));
  c.Quinte = std::max(0, Ligne(Quinte));
  c.Neuf = std::max(0, Ligne(Neuf));
  c.Onze = std::max(0, Ligne(Onze));
  c.Add = Add->isChecked();
  return c;
}

// Sets the theory controls from a chord without running their handlers.
void TSais_Ac_Form::PoserChoix(const TAccord& a) {
  Selectionner(Fondamentale, std::clamp(a.Fondamentale, 0, 12));
  Selectionner(Typ, std::clamp(a.Typ, 0, 14));
  Selectionner(NeufOnzeTreize, std::clamp(a.NeufOnzeTreize, 0, 3));
  Selectionner(DimAug, std::clamp(a.DimAug, 0, 2));
  Selectionner(Quinte, std::clamp(a.Quinte, 0, 2));
  Selectionner(Neuf, std::clamp(a.Neuf, 0, 2));
  Selectionner(Onze, std::clamp(a.Onze, 0, 2));
  {
    QSignalBlocker b(Add);
    Add->setChecked(a.Add != 0);
  }
  QSignalBlocker b(Basse);
  gardeBasse_ = true;
  Basse->setCurrentIndex(a.Basse >= 0 && a.Basse <= 11 ? a.Basse : -1);
  gardeBasse_ = false;
  QSignalBlocker d1(BT_Diese), d2(BT_Bemol);
  (a.Diese ? BT_Diese : BT_Bemol)->setChecked(true);
}

void TSais_Ac_Form::PoserCoches(const TAccord& a) {
  gardeCoches_ = true;
  for (int r = 1; r <= 7; ++r) C[r]->setChecked(a.Degres[r] == 0);
  gardeCoches_ = false;
}

// The chord the dialog's choices describe, over the fingering of `base`.
TAccord TSais_Ac_Form::AccordDesChoix(const TAccord& base) const {
  TAccord a = base;
  a.Nom = QStringToAnsi(Ed_Accord->text().left(20));
  for (int r = 1; r <= 7; ++r) a.Degres[r] = C[r]->isChecked() ? 0 : 1;
  a.Basse = Basse->currentIndex();
  a.Diese = BT_Diese->isChecked() ? 1 : 0;
  const TChoixAccord c = Choix();
  a.Fondamentale = c.Fondamentale;
  a.Typ = c.Typ;
  a.NeufOnzeTreize = c.NeufOnzeTreize;
  a.DimAug = c.DimAug;
  a.Add = c.Add ? 1 : 0;
  a.Quinte = c.Quinte;
  a.Neuf = c.Neuf;
  a.Onze = c.Onze;
  return a;
}

QString TSais_Ac_Form::NomDesChoix() const {
  const TChoixAccord c = Choix();
  std::array<bool, 7> omis{};
  for (int r = 1; r <= 7; ++r) omis[r - 1] = !C[r]->isChecked();
  return ConstruireNomAccord(c.Fondamentale, c.Typ, c.NeufOnzeTreize, c.DimAug, c.Quinte, c.Neuf, c.Onze, c.Add,
                             Renversement->currentIndex(), Basse->currentIndex(), omis, false, BT_Diese->isChecked());
}

void TSais_Ac_Form::ViderDoigtes() {
  Solutions.clear();
  SolutionAffichee = 0;
  marquee_ = 0;
}

void TSais_Ac_Form::PoserScrollFret(int position) {
  gardeFret_ = true;
  ScrollFret->setValue(std::clamp(position, 1, FRETTE_BASE_MAX));
  gardeFret_ = false;
}

// ---- Degree rules ----

void TSais_Ac_Form::AppliquerReglesDegres() {
  Degres = CalculerDegres(Choix());
  const TChoixAccord& c = Degres.Choix;
  if (Ligne(Fondamentale) == 12 || Ligne(Fondamentale) < 0) {
    InitDiagrammeAccord();
    QSignalBlocker b(Basse);
    Basse->setCurrentIndex(-1);
  }
  Selectionner(Typ, c.Typ);
  Selectionner(NeufOnzeTreize, c.NeufOnzeTreize);
  Selectionner(DimAug, c.DimAug);
  Selectionner(Quinte, c.Quinte);
  Selectionner(Neuf, c.Neuf);
  Selectionner(Onze, c.Onze);
  {
    QSignalBlocker b(Add);
    Add->setChecked(c.Add);
  }
  Typ->setEnabled(Degres.TypActif);
  NeufOnzeTreize->setEnabled(Degres.ExtensionActif);
  DimAug->setEnabled(Degres.DimAugActif);
  Add->setEnabled(Degres.AddActif);
  Quinte->setEnabled(Degres.QuinteActif);
  Neuf->setEnabled(Degres.NeufActif);
  Onze->setEnabled(Degres.OnzeActif);
  for (QWidget* w : std::initializer_list<QWidget*>{Basse, Renversement, Simplifie, Moyen, Tout})
    w->setEnabled(Degres.BasseActive);
  Lab[2]->setText(Degres.Legende3);
  Lab[4]->setText(Degres.Legende7);
  gardeCoches_ = true;
  for (int r = 1; r <= 7; ++r) {
    C[r]->setEnabled(Degres.DegrePresent[r]);
    if (!remplissage_) C[r]->setChecked(Degres.DegreCoche[r]);
  }
  gardeCoches_ = false;
  AfficherNotesDegres(BT_Diese->isChecked());
}

void TSais_Ac_Form::AfficherNotesDegres(bool diese) {
  for (int r = 1; r <= 7; ++r) Note[r]->setText(NomNote(Degres.Intervalles[r], diese));
}

// ---- Fingering search and list ----

void TSais_Ac_Form::ChercherDoigtes() {
  setCursor(Qt::WaitCursor);
  bool coches[8] = {};
  for (int r = 1; r <= 7; ++r) coches[r] = C[r]->isChecked();
  TRechercheDoigtes r;
  r.Notes = NotesDoigtes(Degres, coches);
  r.Basse = Basse->currentIndex();
  r.Typ = std::max(0, Ligne(Typ));
  r.Mode = Mode();
  r.Accordage = ctx_.Accordage;
  r.NbCordes = ctx_.NbCordes;
  r.Nom = Ed_Accord->text();
  r.Diese = BT_Diese->isChecked();
  TResultatDoigtes res = Ligne(Fondamentale) >= 0 && Ligne(Fondamentale) < 12 ? ::ChercherDoigtes(r) : TResultatDoigtes{};
  if (Ligne(Fondamentale) >= 0 && Ligne(Fondamentale) < 12) res.Omissions = r.Notes.size() > 6;
  Solutions = std::move(res.Solutions);
  gardeRenv_ = true;
  {
    QSignalBlocker b(Renversement);
    Renversement->setCurrentIndex(res.Renversement);
  }
  gardeRenv_ = false;
  LabOmissions->setVisible(res.Omissions);
  SolutionAffichee = !Solutions.empty() && !remplissage_ ? 1 : 0;
  AfficherListeDoigtes();
  unsetCursor();
}

void TSais_Ac_Form::AfficherListeDoigtes() {
  ScrollFret->setEnabled(false);
  marquee_ = 0;
  const int c = Colonnes();
  const int n = static_cast<int>(Solutions.size());
  // The image holds every fingering found, however many rows they take.
  const int lignes = n > 0 ? (n - 1) / c + 1 : 0;
  ImListeDiag->Redimensionner(Echelle(kLargeurListe), std::max(kHauteurListe, lignes * kHauteurCellule + 3));
  {
    TCanvas canvas(&ImListeDiag->Image);
    for (int k = 1; k <= n; ++k)
      DessinerDiagrammePetit(Solutions[k - 1], canvas, ((k - 1) % c) * kLargeurCellule + 15,
                             ((k - 1) / c) * kHauteurCellule + 10, false, clBlack);
  }
  {
    QSignalBlocker b(ScrollSol);
    if (n == 0) {
      ScrollSol->setRange(1, 1);
      ScrollSol->setValue(1);
      ScrollSol->setEnabled(false);
      if (!remplissage_) InitDiagrammeAccord();
    } else if (!remplissage_) {
      AccordCourant = Solutions[std::clamp(SolutionAffichee, 1, n) - 1];
      AccordCourant.Diese = BT_Diese->isChecked() ? 1 : 0;
      ScrollSol->setRange(1, n);
      ScrollSol->setValue(1);
      ScrollSol->setEnabled(true);
    }
  }
  ScrollBoxSol->verticalScrollBar()->setValue(0);
  ImListeDiag->update();
  if (!remplissage_) AfficherDiagramme(AccordCourant);
}

void TSais_Ac_Form::MarquerDoigteCourant() {
  if (SolutionAffichee < 1 || SolutionAffichee > static_cast<int>(Solutions.size())) return;
  const int c = Colonnes();
  auto cadre = [&](int k) {
    const int ligne = (k - 1) / c, col = (k - 1) % c;
    return QRect(QPoint(col * kLargeurCellule + 15, ligne * kHauteurCellule + 10),
                 QPoint(col * kLargeurCellule + 40, ligne * kHauteurCellule + 35));
  };
  {
    // An inverting paint: drawing the same frame again restores the pixels.
    QPainter p(&ImListeDiag->Image);
    p.setCompositionMode(QPainter::RasterOp_NotSourceXorDestination);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 0));
    if (marquee_ > 0) p.drawRect(cadre(marquee_));
    p.drawRect(cadre(SolutionAffichee));
  }
  marquee_ = SolutionAffichee;
  ImListeDiag->update();
  const int ligne = (SolutionAffichee - 1) / c;
  ScrollBoxSol->ensureVisible(0, ligne * kHauteurCellule + 20, 0, kHauteurCellule / 2 + 4);
}

// ---- Recognition and the large diagram ----

void TSais_Ac_Form::AfficherDiagramme(const TAccord& a) {
  Candidats = ReconnaitreAccord(NotesAccord(a, ctx_.Accordage, ctx_.NbCordes), BT_Diese->isChecked());
  {
    QSignalBlocker b(DifferentsNoms);
    DifferentsNoms->clear();
    for (const auto& c : Candidats) DifferentsNoms->addItem(c.Nom);
    DifferentsNoms->setCurrentRow(-1);
  }
  QImage& im = ImDiag->Image;
  im.fill(Qt::white);
  {
    TCanvas cv(&im);
    const int X0 = Echelle(24), Y0 = Echelle(33), f = Echelle(20);
    cv.Font.Name = "MS Sans Serif";
    cv.Font.Bold = true;
    cv.Font.Size = 8;
    cv.Font.Color = clBlack;
    cv.Font.PixelsPerInch = logicalDpiY() > 0 ? logicalDpiY() : 96;
    cv.Pen.Color = clBlack;
    cv.Pen.Width = 1;
    cv.Pen.Style = TPenStyle::psSolid;
    cv.Brush.Style = TBrushStyle::bsClear;
    for (int i = 0; i <= 5; ++i) {
      cv.MoveTo(X0, Y0 + i * f);
      cv.LineTo(X0 + 5 * f + 1, Y0 + i * f);
      cv.MoveTo(X0 + i * f, Y0);
      cv.LineTo(X0 + i * f, Y0 + 5 * f + 1);
    }
    const int base = std::clamp(a.FretteBase, 1, FRETTE_BASE_MAX);
    const int lift = base == 1 ? 5 : 0;
    if (base == 1) {
      cv.MoveTo(X0, Y0 - 5);
      cv.LineTo(X0 + 5 * f + 1, Y0 - 5);
    }
    for (int s = 1; s <= 6; ++s) {
      const int x = X0 + (6 - s) * f;
      const int fr = a.Frettes[s];
      if (fr < 0) {
        cv.MoveTo(x - 6, Y0 - 18 - lift);
        cv.LineTo(x + 7, Y0 - 5 - lift);
        cv.MoveTo(x - 6, Y0 - 6 - lift);
        cv.LineTo(x + 7, Y0 - 19 - lift);
      } else if (fr == 0) {
        cv.Brush = {clWhite, TBrushStyle::bsSolid};
        cv.Ellipse(x - 7, Y0 - 19 - lift, x + 8, Y0 - 4 - lift);
      } else if (fr >= base && fr <= base + 4) {
        const int top = Y0 + f * (fr - base);
        cv.Brush = {clBlack, TBrushStyle::bsSolid};
        cv.Ellipse(x - 7, top + 3, x + 8, top + 18);
      }
    }
    cv.Brush = {clBlack, TBrushStyle::bsSolid};
    for (int i = 1; i <= std::clamp(a.NbBarres, 0, 2); ++i) {
      const int fb = a.FretteBarre[i];
      if (fb < base || fb > base + 4) continue;
      const int top = Y0 + f * (fb - base);
      const int xa = X0 + (6 - std::clamp(a.CordeFinBarre[i], 1, 6)) * f;
      const int xb = X0 + (6 - std::clamp(a.CordeDebutBarre[i], 1, 6)) * f;
      cv.Rectangle(xa, top + 3, xb + 1, top + 18);
      cv.Ellipse(xa - 7, top + 3, xa + 8, top + 18);
      cv.Ellipse(xb - 7, top + 3, xb + 8, top + 18);
    }
    cv.Brush.Style = TBrushStyle::bsClear;
    const QString num = QString::number(base);
    cv.TextOut(X0 - 8 - cv.TextWidth(num), Y0 + 4, num);
    for (int s = 1; s <= std::min(6, ctx_.NbCordes); ++s) {
      if (a.Frettes[s] < 0 || !ctx_.Accordage) continue;
      const QString n = NomNote(ctx_.Accordage[s] + a.Frettes[s], a.Diese != 0);
      cv.TextOut(X0 + (6 - s) * f - cv.TextWidth(n) / 2, Y0 + 5 * f + 5, n);
    }
  }
  ImDiag->update();
  const int n = static_cast<int>(Solutions.size());
  NbComb->setText(n > 0 ? QStringLiteral("%1/%2").arg(SolutionAffichee).arg(n) : QString());
  if (n > 0 && !remplissage_) MarquerDoigteCourant();
}

// ---- Theory handlers ----

void TSais_Ac_Form::FondamentaleClick() {
  const int racine = Ligne(Fondamentale);
  if (racine >= 0 && racine < 12) {
    QSignalBlocker b(Basse);
    gardeBasse_ = true;
    Basse->setCurrentIndex(racine);
    gardeBasse_ = false;
  }
  AppliquerReglesDegres();
  ChercherDoigtes();
  if (racine == 12) ScrollFret->setEnabled(true);
  Ed_Accord->setText(NomDesChoix());
}

void TSais_Ac_Form::TypClick() {
  if (remplissage_) return;
  AppliquerReglesDegres();
  ChercherDoigtes();
  Ed_Accord->setText(NomDesChoix());
}

void TSais_Ac_Form::C1Click() {
  if (gardeCoches_) return;
  ChercherDoigtes();
  Ed_Accord->setText(NomDesChoix());
}

void TSais_Ac_Form::BasseChange() {
  if (gardeBasse_) return;
  ChercherDoigtes();
  Ed_Accord->setText(NomDesChoix());
}

void TSais_Ac_Form::RenversementChange() {
  if (gardeRenv_) return;
  std::vector<int> notes;
  for (int r = 1; r <= 7; ++r) {
    const int pc = Degres.Intervalles[r];
    if (Degres.DegrePresent[r] && C[r]->isChecked() && pc >= 0 && std::find(notes.begin(), notes.end(), pc) == notes.end())
      notes.push_back(pc);
  }
  const int k = Renversement->currentIndex();
  int basse = -1;
  if (k >= 0 && k < static_cast<int>(notes.size())) {
    basse = notes[k];
  } else {
    gardeRenv_ = true;
    QSignalBlocker b(Renversement);
    Renversement->setCurrentIndex(0);
    gardeRenv_ = false;
    if (!notes.empty()) basse = notes[0];
  }
  {
    QSignalBlocker b(Basse);
    gardeBasse_ = true;
    Basse->setCurrentIndex(basse);
    gardeBasse_ = false;
  }
  ChercherDoigtes();
  Ed_Accord->setText(NomDesChoix());
}

void TSais_Ac_Form::BT_DieseClick() {
  Respeller();
  if (gardeCoches_) return;
  Ed_Accord->setText(NomDesChoix());
  AccordCourant.Diese = BT_Diese->isChecked() ? 1 : 0;
  AfficherNotesDegres(BT_Diese->isChecked());
  AfficherDiagramme(AccordCourant);
}

// ---- Fingering handlers ----

void TSais_Ac_Form::ScrollSolChange() {
  const int n = static_cast<int>(Solutions.size());
  if (n == 0) return;
  ScrollFret->setEnabled(false);
  SolutionAffichee = std::clamp(ScrollSol->value(), 1, n);
  AccordCourant = Solutions[SolutionAffichee - 1];
  AccordCourant.Diese = BT_Diese->isChecked() ? 1 : 0;
  AfficherDiagramme(AccordCourant);
}

void TSais_Ac_Form::ScrollFretChange() {
  if (gardeFret_) return;
  ViderDoigtes();
  if (Ligne(Fondamentale) != 12) {
    const TAccord garde = AccordCourant;
    Selectionner(Fondamentale, 12);
    FondamentaleClick();
    AccordCourant = garde;
    AccordCourant.Fondamentale = 12;
  }
  const int nouvelle = std::clamp(ScrollFret->value(), 1, FRETTE_BASE_MAX);
  const int ecart = nouvelle - AccordCourant.FretteBase;
  AccordCourant.FretteBase = nouvelle;
  for (int s = 1; s <= 6; ++s)
    if (AccordCourant.Frettes[s] > 0) AccordCourant.Frettes[s] = std::max(1, AccordCourant.Frettes[s] + ecart);
  for (int i = 1; i <= std::clamp(AccordCourant.NbBarres, 0, 2); ++i) AccordCourant.FretteBarre[i] += ecart;
  ImListeDiag->Redimensionner(Echelle(kLargeurListe), kHauteurListe);
  ScrollFret->setEnabled(true);
  AfficherDiagramme(AccordCourant);
}

void TSais_Ac_Form::ImListeDiagMouse(int x, int y) {
  const int c = Colonnes();
  const int col = std::clamp((x - 3) / kLargeurCellule, 0, c - 1);
  const int ligne = std::max(0, (y - 3) / kHauteurCellule);
  const int k = ligne * c + col + 1;
  const int n = static_cast<int>(Solutions.size());
  if (k > n || k == SolutionAffichee) return;
  ScrollFret->setEnabled(false);
  SolutionAffichee = k;
  {
    QSignalBlocker b(ScrollSol);
    ScrollSol->setRange(1, n);
    ScrollSol->setValue(k);
    ScrollSol->setEnabled(true);
  }
  ScrollSolChange();
}

bool TSais_Ac_Form::DansZoneDiag(int x, int y) const {
  const int X0 = Echelle(24), Y0 = Echelle(33), f = Echelle(20), h = Arrondi(f / 2.0);
  return x + 4 >= X0 - h && x + 4 <= X0 + 5 * f + h && y >= Y0 - f - h && y <= Y0 + 5 * f + h;
}

void TSais_Ac_Form::ImDiagPress(int x, int y, bool nouvelAppui) {
  if (!DansZoneDiag(x, y)) return;
  const int X0 = Echelle(24), Y0 = Echelle(33), f = Echelle(20), h = Arrondi(f / 2.0);
  const int corde = std::max(1, 6 - Arrondi((x + 4 - X0) / static_cast<double>(f)));
  const int rang = std::clamp(Arrondi((y - Y0 - h) / static_cast<double>(f)) + 1, 0, 5);
  if (!nouvelAppui && corde == cordeGlisse_ && rang == rangGlisse_) return;
  glisseDiag_ = true;
  cordeGlisse_ = corde;
  rangGlisse_ = rang;
  if (corde > ctx_.NbCordes) return;  // the track has no such string

  if (Ligne(Fondamentale) != 12) {
    PoserScrollFret(AccordCourant.FretteBase);
    const TAccord garde = AccordCourant;
    Selectionner(Fondamentale, 12);
    FondamentaleClick();
    AccordCourant = garde;
    AccordCourant.Fondamentale = 12;
  }
  TAccord& a = AccordCourant;
  a.FretteBase = std::clamp(a.FretteBase, 1, FRETTE_BASE_MAX);
  const int frette = rang == 0 ? 0 : a.FretteBase + rang - 1;
  a.Frettes[corde] = a.Frettes[corde] == frette ? -1 : frette;
  ViderDoigtes();
  CalculerBarres(a);
  ImListeDiag->Redimensionner(Echelle(kLargeurListe), kHauteurListe);
  AfficherDiagramme(a);
  ScrollSol->setEnabled(false);
  ScrollFret->setEnabled(true);
  PoserScrollFret(a.FretteBase);
}

void TSais_Ac_Form::DifferentsNomsClick() {
  const int i = Ligne(DifferentsNoms);
  if (i < 0 || i >= static_cast<int>(Candidats.size())) return;
  const TCandidatAccord& k = Candidats[i];
  TAccord dessine = AccordCourant;
  dessine.Fondamentale = k.Fondamentale;
  dessine.Typ = k.Typ;
  dessine.NeufOnzeTreize = k.NeufOnzeTreize;
  dessine.DimAug = k.DimAug;
  dessine.Add = k.Add ? 1 : 0;
  dessine.Quinte = k.Quinte;
  dessine.Neuf = k.Neuf;
  dessine.Onze = k.Onze;
  dessine.Basse = k.Basse;
  std::copy(std::begin(k.Degres), std::end(k.Degres), dessine.Degres);
  AccordCourant = dessine;
  remplissage_ = true;
  PoserChoix(dessine);
  PoserCoches(dessine);
  Respeller();
  ViderDoigtes();
  AppliquerReglesDegres();
  ChercherDoigtes();
  Ed_Accord->setText(NomDesChoix());
  remplissage_ = false;
  AccordCourant = dessine;
  SolutionAffichee = 0;
  ScrollSol->setEnabled(false);
  ScrollFret->setEnabled(true);
  PoserScrollFret(AccordCourant.FretteBase);
  AfficherDiagramme(AccordCourant);
  Selectionner(DifferentsNoms, i);
  NbComb->setText(Solutions.empty() ? QString() : QString::number(Solutions.size()));
}

// Loads a stored chord (the beat's or a list entry) into the dialog; its fingering is kept.
void TSais_Ac_Form::ChargerAccord(const TAccord& stocke) {
  TAccord a = stocke;
  a.FretteBase = std::clamp(a.FretteBase, 1, FRETTE_BASE_MAX);
  AccordCourant = a;
  Ed_Accord->setText(AnsiToQString(a.Nom.view()));
  remplissage_ = true;
  PoserChoix(a);
  PoserCoches(a);
  Respeller();
  ViderDoigtes();
  AppliquerReglesDegres();
  ChercherDoigtes();
  remplissage_ = false;
  AccordCourant = a;
  ScrollSol->setEnabled(false);
  ScrollFret->setEnabled(true);
  PoserScrollFret(a.FretteBase);
  AfficherDiagramme(AccordCourant);
  NbComb->setText(Solutions.empty() ? QString() : QString::number(Solutions.size()));
}

// ---- Lists ----

void TSais_Ac_Form::ListeClick(int liste) {
  TListeAccords l = Liste(liste);
  const int i = Ligne(BoiteListe(liste)) + 1;
  if (i < 1 || i > std::clamp(*l.Nb, 0, l.Max) || !l.Entrees[i]) return;
  ChargerAccord(*l.Entrees[i]);
}

void TSais_Ac_Form::BoutonListeClick(int liste, int bouton) {
  TListeAccords l = Liste(liste);
  QListWidget* boite = BoiteListe(liste);
  const int n = std::clamp(*l.Nb, 0, l.Max);
  const int i = Ligne(boite) + 1;
  auto erreur = [](const char* cle) {
    MessageBoxD(TexteLangue("Dlg-Erreur"), TexteLangue(QString::fromLatin1(cle)), MB_ICONE_ERREUR, MB_OK, MB_DEF_OK);
  };
  switch (bouton) {
    case 0:  // add
      if (n >= l.Max) return;
      if (Ed_Accord->text().isEmpty()) return erreur("Accord-DonnerUnNom");
      AjouterAccordListe(l, AccordDesChoix(AccordCourant));
      RemplirListe(liste);
      Selectionner(boite, *l.Nb - 1);
      return;
    case 1: {  // delete
      if (n == 0) return;
      if (i < 1) return erreur("Accord-SelectionnerSuppr");
      const QString q = RemplacerParam1(TexteLangue("Accord-ConfirmerSuppr"), AnsiToQString(l.Entrees[i]->Nom.view()));
      if (MessageBoxD(TexteLangue("Dlg-Confirmation"), q, MB_ICONE_QUESTION, MB_OUI | MB_NON, MB_DEF_OUI) != ID_OUI)
        return;
      const int suivante = SupprimerAccordListe(l, i);
      RemplirListe(liste);
      if (suivante == 0) {
        Selectionner(Fondamentale, 12);
        FondamentaleClick();
      } else {
        Selectionner(boite, suivante - 1);
        ListeClick(liste);
      }
      return;
    }
    case 2:  // update
      if (n == 0) return;
      if (i < 1) return erreur("Accord-SelectionnerRempl");
      if (Ed_Accord->text().isEmpty()) return erreur("Accord-DonnerUnNom");
      RemplacerAccordListe(l, i, AccordDesChoix(AccordCourant));
      RemplirListe(liste);
      Selectionner(boite, i - 1);
      return;
    default: {  // move up, move down
      const int sens = bouton == 3 ? -1 : 1;
      if (n == 0 || (i == 1 && sens < 0) || (i == n && sens > 0)) return;
      if (i < 1) return erreur("Accord-SelectionnerDepl");
      DeplacerAccordListe(l, i, sens);
      RemplirListe(liste);
      Selectionner(boite, i - 1 + sens);
      return;
    }
  }
}

void TSais_Ac_Form::MontrerPopup(QListWidget* l, int ligne) {
  if (ligne < 0) {
    PanelImagePopup->hide();
    survolee_ = nullptr;
    ligneSurvolee_ = -1;
    return;
  }
  if (l == survolee_ && ligne == ligneSurvolee_ && PanelImagePopup->isVisible()) return;
  int liste = l == Librairie ? 0 : l == Imprimer ? 1 : 2;
  TListeAccords lst = Liste(liste);
  if (ligne + 1 > std::clamp(*lst.Nb, 0, lst.Max) || !lst.Entrees[ligne + 1]) return;
  const TAccord& a = *lst.Entrees[ligne + 1];
  QImage im(58, 63, QImage::Format_RGB32);
  im.fill(Qt::white);
  {
    TCanvas cv(&im);
    cv.Pen.Color = clBlack;
    cv.Brush.Style = TBrushStyle::bsClear;
    cv.Rectangle(0, 0, 58, 63);
    const int x = a.FretteBase <= 1 ? 11 : a.FretteBase <= 9 ? 13 : 15;
    DessinerDiagrammeGrand(a, cv, x, 13, true, clBlack);
  }
  PanelImagePopup->setPixmap(QPixmap::fromImage(im));
  const QRect r = l->visualItemRect(l->item(ligne));
  const QPoint coin = l->viewport()->mapTo(this, r.topLeft());
  PanelImagePopup->move(l->mapTo(this, QPoint(0, 0)).x() - 58, coin.y() + 2);
  PanelImagePopup->show();
  PanelImagePopup->raise();
  survolee_ = l;
  ligneSurvolee_ = ligne;
}

void TSais_Ac_Form::mouseMoveEvent(QMouseEvent* e) {
  MontrerPopup(nullptr, -1);
  QDialog::mouseMoveEvent(e);
}

bool TSais_Ac_Form::eventFilter(QObject* o, QEvent* e) {
  if (e->type() == QEvent::MouseMove) {
    for (QListWidget* l : {Librairie, Imprimer, DejaUtilises})
      if (o == l->viewport()) {
        auto* m = static_cast<QMouseEvent*>(e);
        QListWidgetItem* it = l->itemAt(m->position().toPoint());
        MontrerPopup(l, it ? l->row(it) : -1);
      }
  } else if (e->type() == QEvent::Leave) {
    for (QListWidget* l : {Librairie, Imprimer, DejaUtilises})
      if (o == l->viewport()) MontrerPopup(l, -1);
  }
  return QDialog::eventFilter(o, e);
}

// ---- Listen, OK, clear ----

void TSais_Ac_Form::BoutonSonClick() {
  TMediaPlayer* p = LecteurMIDI();
  if (!MIDIDisponible || !p || VueEditeur().SongPlaying()) return;
  p->Notify = false;
  p->Close();
  const QString chemin = CheminFichierTemp();
  if (!EcrireFichierEcoute(chemin, AccordCourant, ctx_.Accordage, ctx_.NbCordes, ctx_.Instrument)) {
    unsetCursor();
    MessageBoxD(TexteLangue("Dlg-Erreur"), TexteLangue("MidiExp-EcritureFichierImpossibleEnregAb"), MB_ICONE_ERREUR,
                MB_OK, MB_DEF_OK);
    return;
  }
  // The main window's completion handler is left out of a chord preview.
  if (!p->Open(chemin) || !p->Play() || !p->Erreur().isEmpty()) p->Stop();
}

void TSais_Ac_Form::BT_OKClick() {
  TTemps* t = ctx_.Temps ? ctx_.Temps() : nullptr;
  if (t) {
    bool aucuneFrette = true;
    for (int s = 1; s <= 6; ++s) aucuneFrette = aucuneFrette && AccordCourant.Frettes[s] == -1;
    const bool vide = Ed_Accord->text().isEmpty() && (aucuneFrette || !AddDiag->isChecked());
    if (vide) {
      t->AvecAccord = 0;
      t->Accord.reset();
    } else {
      TAccord a;
      if (AddDiag->isChecked()) {
        a = AccordDesChoix(AccordCourant);
      } else {
        InitDiagrammeAccord();
        AccordCourant.Nom = QStringToAnsi(Ed_Accord->text().left(20));
        a = AccordCourant;
      }
      t->AvecAccord = 1;
      t->Accord.emplace() = a;
      AjouterAccordUtilise(Liste(2), a);
    }
  }
  Configuration.AddDiag = AddDiag->isChecked();
  accept();
}

void TSais_Ac_Form::BT_ClearClick() {
  Selectionner(Fondamentale, 12);
  FondamentaleClick();
}

// ---- Life cycle ----

void TSais_Ac_Form::Reinitialiser() {
  {
    QSignalBlocker b1(Basse), b2(Renversement);
    Basse->setCurrentIndex(-1);
    Renversement->setCurrentIndex(-1);
  }
  Ed_Accord->clear();
  LabOmissions->hide();
  ImDiag->Image.fill(Qt::white);
  ImListeDiag->Redimensionner(Echelle(kLargeurListe), kHauteurListe);
  ImDiag->update();
}

void TSais_Ac_Form::showEvent(QShowEvent* e) {
  QDialog::showEvent(e);
  if (!active_) {
    active_ = true;
    FormActivate();
  }
}

void TSais_Ac_Form::FormActivate() {
  SaisAcOuvert = true;
  PanelImagePopup->hide();
  {
    QRadioButton* r = Configuration.DiagSimpleMoyenTout == 0 ? Simplifie
                      : Configuration.DiagSimpleMoyenTout == 2 ? Tout
                                                               : Moyen;
    QSignalBlocker b(r);
    r->setChecked(true);
  }
  ViderDoigtes();
  RemplirListe(2);
  TTemps* t = ctx_.Temps ? ctx_.Temps() : nullptr;
  if (t && t->AvecAccord && t->Accord) {
    ChargerAccord(*t->Accord);
  } else {
    Selectionner(Fondamentale, 12);
    for (QListWidget* l : {Typ, NeufOnzeTreize, DimAug, Quinte, Neuf, Onze}) Selectionner(l, 0);
    {
      QSignalBlocker b(Add);
      Add->setChecked(false);
      QSignalBlocker r(Renversement);
      Renversement->setCurrentIndex(0);
    }
    PoserScrollFret(1);
    Respeller();
    FondamentaleClick();
    // The diagram starts from the notes of the beat.
    TAccord& a = AccordCourant;
    int haute = 0, basse = 0;
    for (int s = 1; s <= std::min(6, ctx_.NbCordes); ++s) {
      const int f = t ? t->Notes[s].Frette : -1;
      a.Frettes[s] = f >= 0 && f <= 99 && f != FRETTE_MORTE ? f : -1;
      if (a.Frettes[s] > 0) {
        haute = std::max(haute, a.Frettes[s]);
        basse = basse == 0 ? a.Frettes[s] : std::min(basse, a.Frettes[s]);
      }
    }
    if (haute > 5) {
      a.FretteBase = std::clamp(basse, 1, FRETTE_BASE_MAX);
      for (int s = 1; s <= 6; ++s)
        if (a.Frettes[s] > a.FretteBase + 4) a.Frettes[s] = -1;
      PoserScrollFret(a.FretteBase);
    }
    CalculerBarres(a);
    AfficherDiagramme(a);
    Ed_Accord->setMaxLength(20);
    Ed_Accord->clear();
    if (!Candidats.empty()) {
      Selectionner(DifferentsNoms, 0);
      DifferentsNomsClick();
    }
  }
  RemplirListe(0);
  RemplirListe(1);
  for (QListWidget* l : {Librairie, Imprimer, DejaUtilises, DifferentsNoms}) Selectionner(l, -1);
  AddDiag->setChecked(Configuration.AddDiag);
  Ed_Accord->setFocus();
  Ed_Accord->selectAll();
}

void TSais_Ac_Form::done(int r) {
  SaisAcOuvert = false;
  Configuration.DiagSimpleMoyenTout = Mode();
  QDialog::done(r);
}

// ---- The chord command ----
// The one place that ties the dialog to the editor: the beat under the cursor, its track, the
// undo copy and the redraw.

bool ExecuterDialogueAccord(QWidget* parent) {
  if (!Partition.Courante() || PisteCourante < 1 || PisteCourante > NB_PISTES) return false;
  SauverAnnulation();
  TSais_Ac_Form::TContexte ctx;
  ctx.Temps = []() -> TTemps* {
    const int n = NbTempsCourant();
    if (Curseur.Temps < 1 || Curseur.Temps > std::min(n + 1, NB_TEMPS_MAX)) return nullptr;
    return &TempsCourant();
  };
  ctx.Accordage = Partition.Accordage[PisteCourante];
  ctx.NbCordes = std::clamp(Partition.NbCordes[PisteCourante], 1, NB_CORDES_MAX);
  ctx.Instrument = Partition.Instrument[PisteCourante];
  TSais_Ac_Form f(ctx, parent);
  f.Reinitialiser();
  const bool ok = f.exec() == QDialog::Accepted;
  if (ok) RemplirNotesAccord();
  return ok;
}
