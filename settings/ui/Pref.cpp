#include "settings/ui/Pref.h"

#include <QApplication>
#include <QCheckBox>
#include <QColorDialog>
#include <QFontDialog>
#include <QFontMetrics>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QSignalBlocker>
#include <QSlider>
#include <QStyle>
#include <QTabWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "components/FenetresOutils.h"
#include "components/FileNameEdit.h"
#include "editor/state/EtatEdition.h"
#include "editor/state/EtatProgramme.h"
#include "editor/state/Notificateur.h"
#include "editor/Saisie.h"
#include "editor/state/VueEditeur.h"
#include "platform/Canvas.h"
#include "platform/Evenements.h"
#include "settings/Aide.h"
#include "settings/ConfigFile.h"
#include "settings/Langue.h"
#include "song/Song.h"
#include "view/MiseEnPageVue.h"

namespace {

constexpr const char* kGroupe = "DLG_PREF_000";

// Longest text and the text an empty field takes, per edit.
struct TChamp {
  const char* Nom;
  int Longueur;
  const char* Vide;
  int Ligne;  // caption line of its label
  const char* Design;
};
constexpr TChamp kChampsEcran[NB_CHAMPS_ECRAN] = {{"MargeGaucheLignes", 3, "25", 27, "Left margin"},
                                                  {"MargeDroiteLignes", 3, "25", 28, "Right margin"},
                                                  {"EspLignes", 2, "10", 29, "Space betw. lines"},
                                                  {"EspPortees", 3, "102", 30, "Space betw. tabs"},
                                                  {"EspDiagAc", 3, "20", 31, "Chord (diagrams) position"},
                                                  {"EspNomAc", 3, "18", 32, "Chord (name only) position"},
                                                  {"EspTexte", 3, "31", 33, "Text position"},
                                                  {"EpCroches", 1, "3", 34, "Rhythm horiz. line width"}};
constexpr TChamp kChampsImp[NB_CHAMPS_IMP] = {{"MargeHautePart_Prt", 3, "15", 63, "Top marg."},
                                              {"MargeBassePart_Prt", 3, "10", 64, "Bott. marg."},
                                              {"MargeGaucheLignes_Prt", 3, "10", 65, "Left m."},
                                              {"MargeDroiteLignes_Prt", 3, "10", 66, "Right m."},
                                              {"Largeur_Prt", 3, "100", 69, "Width"},
                                              {"Hauteur_Prt", 3, "100", 70, "Height"}};

struct TLegende {
  const char* Nom;
  int Ligne;
  const char* Design;
};
constexpr TLegende kPolicesEcran[NB_POLICES_ECRAN] = {
    {"FontNotes", 35, "Notes font :"},     {"FontAcc", 36, "Chord name font :"}, {"FontTxt", 37, "Text font :"},
    {"FontSign", 38, "Time sign. font :"}, {"FontNum", 39, "Num. bar font :"},   {"FontRenv", 40, "Repeat font :"}};
constexpr TLegende kPolicesImp[NB_POLICES_IMP] = {{"FontTitle_Prt", 83, "Title font :"},
                                                  {"FontAuteur_Prt", 84, "Author font :"},
                                                  {"FontComment_Prt", 85, "Comment font :"},
                                                  {"FontNumPage_Prt", 86, "Num. page font :"},
                                                  {"FontNotes_Prt", 87, "Note font :"},
                                                  {"FontAcc_Prt", 88, "Chord name font :"},
                                                  {"FontTxt_Prt", 90, "Text font :"},
                                                  {"FontSign_Prt", 91, "Time sign. font :"},
                                                  {"FontAccDiag_Prt", 89, "Chord diag. font :"},
                                                  {"FontRenv_Prt", 92, "Repeat font :"}};
constexpr TLegende kCouleurs[NB_COULEURS_ECRAN] = {
    {"ColDiag", 42, "Chord diagram color :"}, {"ColLines", 43, "Tab line color :"},
    {"ColRythm", 44, "Rhythm line color :"},  {"ColEff", 45, "Effect color :"},
    {"ColBackG", 46, "Background color :"},   {"ColBadBar", 47, "Bad time bar color :"},
    {"ColSelect", 48, "Selection color :"}};
constexpr TLegende kAffEcran[NB_AFF_ECRAN] = {{"AffDiag", 49, "Chord diagrams"},
                                              {"AffChordsName", 50, "Chord names"},
                                              {"AffTxt", 52, "Text"},
                                              {"AffEff", 53, "Effects"},
                                              {"AffRyt", 54, "Rhythm lines"},
                                              {"AffNum", 55, "Num. of bars"},
                                              {"AffListChord", 51, "Chords list on top"}};
constexpr TLegende kAffImp[NB_AFF_IMP] = {{"AffTitre_Prt", 93, "Title"},
                                          {"AffAuteur_Prt", 94, "Author"},
                                          {"AffComment_Prt", 95, "Comment"},
                                          {"AffTriplet_Prt", 96, "Triplet feel, tuning..."},
                                          {"AffNumP_Prt", 97, "Num. page"},
                                          {"AffNum_Prt", 98, "Num. of bars"},
                                          {"AffDiag_Prt", 99, "Chord diagrams"},
                                          {"AffChordsName_Prt", 100, "Chord names"},
                                          {"AffListChord_Prt", 101, "Chord list on top"},
                                          {"AffTxt_Prt", 102, "Text"},
                                          {"AffEff_Prt", 103, "Effects"},
                                          {"AffRyt_Prt", 104, "Rhythm lines"}};
constexpr TLegende kJaugesImp[NB_JAUGES_IMP] = {{"GlobalProportions_Prt", 73, "Global proportions"},
                                                {"ChordSize_Prt", 77, "Chord diagram size"},
                                                {"EspPortees_Prt", 74, "Space betw. tabs"},
                                                {"EspDiagAc_Prt", 78, "Diagram position"},
                                                {"EspNomAc_Prt", 79, "Chord name position"},
                                                {"EspTexte_Prt", 80, "Text position"},
                                                {"Esp_Titre_Auteur_Prt", 81, "Title/Author spacing"},
                                                {"Esp_Auteur_Tab_Prt", 82, "Author/Tab spacing"},
                                                {"CoefEspAff_Prt", 75, "Notes spacing"}};

bool* AffDe(TParamEcran& p, int i) {
  bool* a[NB_AFF_ECRAN] = {&p.AffDiag, &p.AffChordsName, &p.AffTxt, &p.AffEff, &p.AffRyt, &p.AffNum, &p.AffListChord};
  return a[i];
}
TColor* CouleurDe(TParamEcran& p, int i) {
  TColor* c[NB_COULEURS_ECRAN] = {&p.ColDiag,  &p.ColLines,  &p.ColRythm, &p.ColEff,
                                  &p.ColBackG, &p.ColBadBar, &p.ColSelect};
  return c[i];
}
int32_t* ChampEcranDe(TParamEcran& p, int i) {
  int32_t* c[NB_CHAMPS_ECRAN] = {&p.MargeGaucheLignes, &p.MargeDroiteLignes, &p.EspLignes, &p.EspPortees,
                                 &p.EspDiagAc,         &p.EspNomAc,          &p.EspTexte,  &p.EpCroches};
  return c[i];
}
bool* AffDe(TZoneImpression& z, int i) {
  bool* a[NB_AFF_IMP] = {&z.AffTitre_Prt,     &z.AffAuteur_Prt, &z.AffComment_Prt, &z.AffTriplet_Prt,
                         &z.AffNumP_Prt,      &z.AffNum_Prt,    &z.AffDiag_Prt,    &z.AffChordsName_Prt,
                         &z.AffListChord_Prt, &z.AffTxt_Prt,    &z.AffEff_Prt,     &z.AffRyt_Prt};
  return a[i];
}
double* ChampImpDe(TZoneImpression& z, int i) {
  double* c[NB_CHAMPS_IMP] = {&z.MargeHautePart,    &z.MargeBassePart, &z.MargeGaucheLignes,
                              &z.MargeDroiteLignes, &z.Largeur_Prt,    &z.Hauteur_Prt};
  return c[i];
}
int32_t* JaugeDe(TZoneImpression& z, int i) {
  int32_t* c[NB_JAUGES_IMP] = {&z.GlobalProportions_Prt, &z.ChordSize_Prt,      &z.EspPortees_Prt,
                               &z.EspDiagAc_Prt,         &z.EspNomAc_Prt,       &z.EspTexte_Prt,
                               &z.Esp_Titre_Auteur_Prt,  &z.Esp_Auteur_Tab_Prt, &z.CoefEspAff_Prt};
  return c[i];
}

TParamEcran* PresetEcran(int n) {
  TParamEcran* p[4] = {&ParamEcran, &ParamEcran_US1, &ParamEcran_US2, &ParamEcran_US3};
  return p[std::clamp(n, 0, 3)];
}
TZoneImpression* PresetImp(int n) {
  TZoneImpression* z[4] = {&ZoneImpression, &ZoneImpression_US1, &ZoneImpression_US2, &ZoneImpression_US3};
  return z[std::clamp(n, 0, 3)];
}

// Radio buttons of one group all unchecked: Qt keeps one checked in an exclusive group.
void DecocherTous(std::initializer_list<QRadioButton*> boutons) {
  for (QRadioButton* b : boutons) {
    b->setAutoExclusive(false);
    b->setChecked(false);
    b->setAutoExclusive(true);
  }
}

QSlider* Jauge(QWidget* parent, const char* nom, int min, int max, int pas) {
  auto* s = new QSlider(Qt::Horizontal, parent);
  s->setObjectName(QString::fromLatin1(nom));
  s->setRange(min, max);
  s->setTickInterval(pas);
  s->setTickPosition(QSlider::TicksBelow);
  s->setPageStep(pas);
  return s;
}

QFont FontQt(const TMyFont& f) {
  TCanvasFont c;
  c.Name = f.Name;
  c.Size = f.Size;
  c.Bold = f.Bold;
  c.Italic = f.Italic;
  return PoliceQt(c);
}

// A small chord diagram of one of the three sizes, for the diagram-size pictures.
QPixmap ImageDiagramme(int taille) {
  const int largeur[4] = {0, 36, 31, 26};
  const int w = largeur[taille], pas = w / 5, h = pas * 5;
  QPixmap pix(w + 8, h + 10);
  pix.fill(Qt::white);
  QPainter p(&pix);
  p.setPen(Qt::black);
  for (int c = 0; c < 6; ++c) p.drawLine(4 + c * pas, 5, 4 + c * pas, 5 + h);
  for (int f = 0; f <= 5; ++f) p.drawLine(4, 5 + f * pas, 4 + 5 * pas, 5 + f * pas);
  p.fillRect(3, 4, 5 * pas + 3, 2, Qt::black);
  p.setBrush(Qt::black);
  const int frettes[6] = {0, 3, 2, 0, 1, 0};  // C major, string 6 first (not played)
  for (int c = 0; c < 6; ++c)
    if (frettes[c] > 0) p.drawEllipse(QPoint(4 + c * pas, 5 + frettes[c] * pas - pas / 2), pas / 3, pas / 3);
  return pix;
}

// The text of a font sample.
QString TexteExemple(const TMyFont& f) { return f.Name + QStringLiteral(" (0123456789)"); }

// A font sample has one size whatever its font: a large font is clipped within it, never widening
// the fixed-border dialog (and its buttons) past the screen. The size is what its text takes in the
// default font of its holder, beside the button of its row, so that the default fonts show whole.
QLabel* ExemplePolice(QWidget* parent, const QString& nom, const QPushButton* bouton, const TMyFont& defaut) {
  auto* l = new QLabel(parent);
  l->setObjectName(nom);
  const QSize texte = QFontMetrics(FontQt(defaut)).size(0, TexteExemple(defaut));
  l->setFixedSize(std::max(170, texte.width()), std::max(bouton->sizeHint().height(), texte.height()));
  return l;
}

}  // namespace

int ValeurChamp(const QString& texte, int defaut) {
  if (texte.isEmpty()) return defaut;
  for (QChar c : texte)
    if (c < QLatin1Char('0') || c > QLatin1Char('9')) return defaut;
  bool ok = false;
  const int v = texte.toInt(&ok);
  return ok ? v : defaut;
}

// ---- Creation ----
TPref_Form::TPref_Form(QWidget* parent) : QDialog(parent) {
  PrefOuvert = true;
  setObjectName(QStringLiteral("Pref_Form"));
  setWindowTitle(QStringLiteral("Preferences"));
  setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
  PageControle = new QTabWidget(this);
  PageControle->setObjectName(QStringLiteral("PageControle"));
  CreerGeneral();
  CreerDisplay();
  CreerPrinting();

  BT_OK = new QPushButton(QStringLiteral("OK"), this);
  BT_OK->setObjectName(QStringLiteral("BT_OK"));
  BT_OK->setDefault(true);
  BT_Annuler = new QPushButton(QStringLiteral("Cancel"), this);
  BT_Annuler->setObjectName(QStringLiteral("BT_Annuler"));
  BT_Aide = new QPushButton(QStringLiteral("Help"), this);
  BT_Aide->setObjectName(QStringLiteral("BT_Aide"));
  connect(BT_OK, &QPushButton::clicked, this, [this] {
    BT_OKClick();
    accept();
  });
  connect(BT_Annuler, &QPushButton::clicked, this, &QDialog::reject);
  connect(BT_Aide, &QPushButton::clicked, this, [this] { BT_AideClick(); });
  auto* boutons = new QHBoxLayout;
  boutons->addStretch();
  boutons->addWidget(BT_OK);
  boutons->addWidget(BT_Annuler);
  boutons->addWidget(BT_Aide);
  auto* tout = new QVBoxLayout(this);
  tout->addWidget(PageControle);
  tout->addLayout(boutons);
  // A fixed-border dialog: its size is what its pages need.
  tout->setSizeConstraint(QLayout::SetFixedSize);

  ChoisirPolice = [this](TMyFont& f, const QString& titre, bool avecCouleur) {
    bool ok = false;
    const QFont choisie = QFontDialog::getFont(&ok, FontQt(f), this, titre, QFontDialog::DontUseNativeDialog);
    if (!ok) return false;
    // The face shown for a classic name (Arial as Liberation Sans) keeps that name.
    if (choisie.family() != SubstituerPolice(f.Name)) f.Name = choisie.family();
    f.Size = choisie.pointSize() > 0 ? choisie.pointSize() : f.Size;
    f.Bold = choisie.bold();
    f.Italic = choisie.italic();
    if (avecCouleur) {
      // The standard font dialog has no colour: the screen fonts take theirs from the colour dialog.
      const QColor c = QColorDialog::getColor(ToQColor(f.Col), this, titre);
      if (c.isValid()) f.Col = RGBToColor(c.red(), c.green(), c.blue());
    }
    return true;
  };
  ChoisirCouleur = [this](TColor& col, const QString& titre) {
    const QColor c = QColorDialog::getColor(ToQColor(col), this, titre);
    if (!c.isValid()) return false;
    col = RGBToColor(c.red(), c.green(), c.blue());
    return true;
  };
  MontrerApercu = [] { VueEditeur().ShowPrintPreview(); };
  CentrerSurEcran(this);
  Traduire();
}

TPref_Form::~TPref_Form() { PrefOuvert = false; }

void TPref_Form::CreerGeneral() {
  General = new QWidget;
  General->setObjectName(QStringLiteral("General"));
  PageControle->addTab(General, QStringLiteral("General"));
  auto groupe = [this](const char* nom, const char* titre) {
    auto* g = new QGroupBox(QString::fromLatin1(titre), General);
    g->setObjectName(QString::fromLatin1(nom));
    return g;
  };
  auto coche = [](QWidget* parent, const char* nom, const char* titre) {
    auto* c = new QCheckBox(QString::fromLatin1(titre), parent);
    c->setObjectName(QString::fromLatin1(nom));
    return c;
  };
  auto radio = [](QWidget* parent, const char* nom, const char* titre) {
    auto* r = new QRadioButton(QString::fromLatin1(titre), parent);
    r->setObjectName(QString::fromLatin1(nom));
    return r;
  };
  auto marquer = [this] { GeneralModifie = true; };

  StartingMusic = groupe("StartingMusic", "Starting Music");
  Music_VX = radio(StartingMusic, "Music_VX", "Strumquill");
  Music_WAV = radio(StartingMusic, "Music_WAV", ".WAV");
  Music_Rien = radio(StartingMusic, "Music_Rien", "Nothing");
  Music_File = new TFilenameEdit(StartingMusic);
  Music_File->setObjectName(QStringLiteral("Music_File"));
  Music_File->DefaultExt = QStringLiteral(".WAV");
  Music_File->Filter = QStringLiteral("Wave Files (*.WAV)|*.WAV");
  {
    auto* l = new QGridLayout(StartingMusic);
    l->addWidget(Music_VX, 0, 0, 1, 2);
    l->addWidget(Music_WAV, 1, 0);
    l->addWidget(Music_File, 1, 1);
    l->addWidget(Music_Rien, 2, 0, 1, 2);
    l->setColumnStretch(1, 1);
  }
  for (QRadioButton* r : {Music_VX, Music_WAV, Music_Rien})
    connect(r, &QRadioButton::toggled, this, [this] {
      MajMusicFile();
      GeneralModifie = true;
    });
  connect(Music_File, &QLineEdit::textChanged, this, marquer);

  GroupScrolling = groupe("GroupScrolling", "Scrolling mode during playing");
  ScrollingScreen = radio(GroupScrolling, "ScrollingScreen", "Screen per screen");
  ScrollingLine = radio(GroupScrolling, "ScrollingLine", "Staff per staff");
  {
    auto* l = new QVBoxLayout(GroupScrolling);
    l->addWidget(ScrollingScreen);
    l->addWidget(ScrollingLine);
  }

  GroupMetronome = groupe("GroupMetronome", "Metronome");
  Lab_Volume = new QLabel(QStringLiteral("Volume"), GroupMetronome);
  Lab_Volume->setObjectName(QStringLiteral("Lab_Volume"));
  MetronomeVolume = Jauge(GroupMetronome, "MetronomeVolume", 0, 127, 8);
  MetronomeDuringScore = coche(GroupMetronome, "MetronomeDuringScore", "During the score");
  FirstBarMetronome = coche(GroupMetronome, "FirstBarMetronome", "Count in");
  DifferentMetronomeFirstSound = coche(GroupMetronome, "DifferentMetronomeFirstSound", "Emphasise first beat");
  AlwaysUseMetronomeSpeedTrainer =
      coche(GroupMetronome, "AlwaysUseMetronomeSpeedTrainer", "Always use metronome count in with Speed Trainer");
  {
    auto* l = new QGridLayout(GroupMetronome);
    l->addWidget(Lab_Volume, 0, 0);
    l->addWidget(MetronomeVolume, 0, 1);
    l->addWidget(MetronomeDuringScore, 1, 0, 1, 2);
    l->addWidget(FirstBarMetronome, 2, 0, 1, 2);
    l->addWidget(DifferentMetronomeFirstSound, 3, 0, 1, 2);
    l->addWidget(AlwaysUseMetronomeSpeedTrainer, 4, 0, 1, 2);
  }

  GroupPlay = groupe("GroupPlay", "Play");
  PlayEffects = coche(GroupPlay, "PlayEffects", "Effects");
  PlayRepeats = coche(GroupPlay, "PlayRepeats", "Repeats");
  GroupExport = groupe("GroupExport", "Export (MIDI)");
  ExportEffects = coche(GroupExport, "ExportEffects", "Effects");
  ExportRepeats = coche(GroupExport, "ExportRepeats", "Repeats");
  for (QGroupBox* g : {GroupPlay, GroupExport}) {
    auto* l = new QVBoxLayout(g);
    for (QObject* o : g->children())
      if (auto* c = qobject_cast<QCheckBox*>(o)) l->addWidget(c);
  }
  BendConfig = groupe("BendConfig", "Sound Card");
  LimitBend = coche(BendConfig, "LimitBend", "Limit Bend to 1 tone");
  LibBendConfig = new QLabel(QStringLiteral("Use this option if the bend effect sounds wrong."), BendConfig);
  LibBendConfig->setObjectName(QStringLiteral("LibBendConfig"));
  LibBendConfig->setWordWrap(true);
  {
    auto* l = new QVBoxLayout(BendConfig);
    l->addWidget(LimitBend);
    l->addWidget(LibBendConfig);
  }
  GroupChord = groupe("GroupChord", "Chord recognization");
  AlwaysAddBass =
      coche(GroupChord, "AlwaysAddBass", "Always add the bass note in the name when it is different than the root");
  {
    auto* l = new QVBoxLayout(GroupChord);
    l->addWidget(AlwaysAddBass);
  }
  GeneralDefault = new QPushButton(QStringLiteral("Default"), General);
  GeneralDefault->setObjectName(QStringLiteral("GeneralDefault"));
  connect(GeneralDefault, &QPushButton::clicked, this, [this] { GeneralDefaultClick(); });

  for (QRadioButton* r : {ScrollingScreen, ScrollingLine}) connect(r, &QRadioButton::toggled, this, marquer);
  for (QCheckBox* c :
       {MetronomeDuringScore, FirstBarMetronome, DifferentMetronomeFirstSound, AlwaysUseMetronomeSpeedTrainer,
        PlayEffects, PlayRepeats, ExportEffects, ExportRepeats, LimitBend, AlwaysAddBass})
    connect(c, &QCheckBox::toggled, this, marquer);
  connect(MetronomeVolume, &QSlider::valueChanged, this, marquer);

  auto* grille = new QGridLayout(General);
  auto* gauche = new QVBoxLayout;
  gauche->addWidget(StartingMusic);
  gauche->addWidget(GroupScrolling);
  gauche->addWidget(GroupMetronome);
  gauche->addStretch();
  auto* droite = new QVBoxLayout;
  auto* jeuExport = new QHBoxLayout;
  jeuExport->addWidget(GroupPlay);
  jeuExport->addWidget(GroupExport);
  droite->addLayout(jeuExport);
  droite->addWidget(BendConfig);
  droite->addWidget(GroupChord);
  droite->addStretch();
  auto* bas = new QHBoxLayout;
  bas->addStretch();
  bas->addWidget(GeneralDefault);
  droite->addLayout(bas);
  grille->addLayout(gauche, 0, 0);
  grille->addLayout(droite, 0, 1);
}

void TPref_Form::CreerDisplay() {
  Display = new QWidget;
  Display->setObjectName(QStringLiteral("Display"));
  PageControle->addTab(Display, QStringLiteral("Display"));
  auto marquer = [this] { AffichageModifie = true; };

  auto* PanelMarges = new QFrame(Display);
  PanelMarges->setObjectName(QStringLiteral("PanelMarges"));
  PanelMarges->setFrameShape(QFrame::StyledPanel);
  auto* gm = new QGridLayout(PanelMarges);
  for (int i = 0; i < NB_CHAMPS_ECRAN; ++i) {
    const TChamp& c = kChampsEcran[i];
    auto* e = new QLineEdit(PanelMarges);
    e->setObjectName(QString::fromLatin1(c.Nom));
    e->setMaxLength(c.Longueur);
    // Digits only, typed or pasted: anything else never reaches the conversion.
    e->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]{0,%1}").arg(c.Longueur)), e));
    e->setFixedWidth(44);
    auto* l = new QLabel(QString::fromLatin1(c.Design), PanelMarges);
    l->setObjectName(QString::fromLatin1(c.Nom) + QStringLiteral("_Lab"));
    l->setBuddy(e);
    ChampsEcran[i] = e;
    LabChampsEcran[i] = l;
    gm->addWidget(l, i, 0);
    gm->addWidget(e, i, 1);
    connect(e, &QLineEdit::textChanged, this, marquer);
  }

  auto* PanelFontes = new QFrame(Display);
  PanelFontes->setObjectName(QStringLiteral("PanelFontes"));
  PanelFontes->setFrameShape(QFrame::StyledPanel);
  auto* gf = new QGridLayout(PanelFontes);
  TParamEcran defaut;
  ParamEcranParDefaut(defaut, false);
  for (int i = 0; i < NB_POLICES_ECRAN; ++i) {
    const QString nom = QString::fromLatin1(kPolicesEcran[i].Nom);
    ModifierFont_Lab[i] = new QLabel(QString::fromLatin1(kPolicesEcran[i].Design), PanelFontes);
    ModifierFont_Lab[i]->setObjectName(QStringLiteral("Modifier") + nom + QStringLiteral("_Lab"));
    ModifierFont[i] = new QPushButton(QStringLiteral("..."), PanelFontes);
    ModifierFont[i]->setObjectName(QStringLiteral("Modifier") + nom);
    ModifierFont[i]->setFixedWidth(28);
    LibExFont[i] = ExemplePolice(PanelFontes, QStringLiteral("LibEx") + nom, ModifierFont[i], *PolicesDe(defaut, i));
    gf->addWidget(ModifierFont_Lab[i], i, 0);
    gf->addWidget(LibExFont[i], i, 1);
    gf->addWidget(ModifierFont[i], i, 2);
    connect(ModifierFont[i], &QPushButton::clicked, this, [this, i] { ModifierFontClick(i); });
  }

  auto* PanelColor = new QFrame(Display);
  PanelColor->setObjectName(QStringLiteral("PanelColor"));
  PanelColor->setFrameShape(QFrame::StyledPanel);
  auto* gc = new QGridLayout(PanelColor);
  for (int i = 0; i < NB_COULEURS_ECRAN; ++i) {
    const QString nom = QString::fromLatin1(kCouleurs[i].Nom);
    ModifierCol_Lab[i] = new QLabel(QString::fromLatin1(kCouleurs[i].Design), PanelColor);
    // The rhythm colour's controls keep the spelling the rest of the program knows them by.
    const QString bouton = i == ColRythm ? QStringLiteral("ModfiierColRythm") : QStringLiteral("Modifier") + nom;
    ModifierCol_Lab[i]->setObjectName(bouton + QStringLiteral("_Lab"));
    ExCol[i] = new QFrame(PanelColor);
    ExCol[i]->setObjectName(QStringLiteral("Ex") + nom);
    ExCol[i]->setFixedSize(40, 16);
    ExCol[i]->setFrameShape(QFrame::Box);
    ExCol[i]->setAutoFillBackground(true);
    ModifierCol[i] = new QPushButton(QStringLiteral("..."), PanelColor);
    ModifierCol[i]->setObjectName(bouton);
    ModifierCol[i]->setFixedWidth(28);
    gc->addWidget(ModifierCol_Lab[i], i, 0);
    gc->addWidget(ExCol[i], i, 1);
    gc->addWidget(ModifierCol[i], i, 2);
    connect(ModifierCol[i], &QPushButton::clicked, this, [this, i] { ModifierColClick(i); });
  }

  auto* PanelAff = new QFrame(Display);
  PanelAff->setObjectName(QStringLiteral("PanelAff"));
  PanelAff->setFrameShape(QFrame::StyledPanel);
  auto* ga = new QVBoxLayout(PanelAff);
  for (int i = 0; i < NB_AFF_ECRAN; ++i) {
    AffEcran[i] = new QCheckBox(QString::fromLatin1(kAffEcran[i].Design), PanelAff);
    AffEcran[i]->setObjectName(QString::fromLatin1(kAffEcran[i].Nom));
    ga->addWidget(AffEcran[i]);
    connect(AffEcran[i], &QCheckBox::toggled, this, marquer);
  }

  auto* PanelJauges = new QFrame(Display);
  PanelJauges->setObjectName(QStringLiteral("PanelJauges"));
  PanelJauges->setFrameShape(QFrame::StyledPanel);
  auto* gj = new QGridLayout(PanelJauges);
  CoefEspAff_Lab = new QLabel(QStringLiteral("Notes spacing"), PanelJauges);
  CoefEspAff_Lab->setObjectName(QStringLiteral("CoefEspAff_Lab"));
  CoefEspAff = Jauge(PanelJauges, "CoefEspAff", 0, 10, 1);
  CoefPAff_Lab = new QLabel(QStringLiteral("Rhythm. proportion"), PanelJauges);
  CoefPAff_Lab->setObjectName(QStringLiteral("CoefPAff_Lab"));
  CoefPAff = Jauge(PanelJauges, "CoefPAff", 10, 20, 1);
  gj->addWidget(CoefEspAff_Lab, 0, 0);
  gj->addWidget(CoefEspAff, 0, 1);
  gj->addWidget(CoefPAff_Lab, 1, 0);
  gj->addWidget(CoefPAff, 1, 1);
  for (QSlider* s : {CoefEspAff, CoefPAff}) connect(s, &QSlider::valueChanged, this, marquer);

  auto* PanelDiag = new QFrame(Display);
  PanelDiag->setObjectName(QStringLiteral("PanelDiag"));
  PanelDiag->setFrameShape(QFrame::StyledPanel);
  auto* gd = new QGridLayout(PanelDiag);
  DiagSize_Lab = new QLabel(QStringLiteral("Diagram size :"), PanelDiag);
  DiagSize_Lab->setObjectName(QStringLiteral("DiagSize_Lab"));
  gd->addWidget(DiagSize_Lab, 0, 0, 1, 3);
  const char* nomsImages[4] = {nullptr, "Image1", "Image2", "Image12"};
  for (int n = 1; n <= 3; ++n) {
    TypeDiag[n] = new QRadioButton(QString::number(n), PanelDiag);
    TypeDiag[n]->setObjectName(QStringLiteral("TypeDiag%1").arg(n));
    ImageDiag[n] = new QPushButton(PanelDiag);
    ImageDiag[n]->setObjectName(QString::fromLatin1(nomsImages[n]));
    ImageDiag[n]->setFlat(true);
    const QPixmap pix = ImageDiagramme(n);
    ImageDiag[n]->setIcon(QIcon(pix));
    ImageDiag[n]->setIconSize(pix.size());
    gd->addWidget(ImageDiag[n], 1, n - 1, Qt::AlignHCenter | Qt::AlignBottom);
    gd->addWidget(TypeDiag[n], 2, n - 1, Qt::AlignHCenter);
    connect(TypeDiag[n], &QRadioButton::toggled, this, marquer);
    connect(ImageDiag[n], &QPushButton::clicked, this, [this, n] { ImageDiagClick(n); });
  }

  DisplayDefault = new QPushButton(QStringLiteral("Default"), Display);
  DisplayDefault->setObjectName(QStringLiteral("DisplayDefault"));
  connect(DisplayDefault, &QPushButton::clicked, this, [this] { DisplayDefaultClick(); });
  BT_Look = new QPushButton(QStringLiteral("Look"), Display);
  BT_Look->setObjectName(QStringLiteral("BT_Look"));
  connect(BT_Look, &QPushButton::clicked, this, [this] { BT_LookClick(); });
  auto* presets = new QHBoxLayout;
  presets->addWidget(DisplayDefault);
  for (int n = 1; n <= 3; ++n) {
    DisplayUser[n] = new QPushButton(QStringLiteral("User #%1").arg(n), Display);
    DisplayUser[n]->setObjectName(QStringLiteral("DisplayUser%1").arg(n));
    SaveDisplayUser[n] = new QPushButton(Display);
    SaveDisplayUser[n]->setObjectName(QStringLiteral("SaveDisplayUser%1").arg(n));
    SaveDisplayUser[n]->setIcon(style()->standardIcon(QStyle::SP_DialogSaveButton));
    SaveDisplayUser[n]->setFixedWidth(30);
    presets->addWidget(DisplayUser[n]);
    presets->addWidget(SaveDisplayUser[n]);
    connect(DisplayUser[n], &QPushButton::clicked, this, [this, n] { DisplayUserClick(n); });
    connect(SaveDisplayUser[n], &QPushButton::clicked, this, [this, n] { SaveDisplayUserClick(n); });
  }
  presets->addStretch();
  presets->addWidget(BT_Look);

  auto* grille = new QGridLayout(Display);
  grille->addWidget(PanelMarges, 0, 0, 2, 1);
  grille->addWidget(PanelFontes, 0, 1);
  grille->addWidget(PanelColor, 1, 1);
  grille->addWidget(PanelAff, 0, 2);
  auto* colonne = new QVBoxLayout;
  colonne->addWidget(PanelJauges);
  colonne->addWidget(PanelDiag);
  grille->addLayout(colonne, 1, 2);
  grille->addLayout(presets, 2, 0, 1, 3);
}

void TPref_Form::CreerPrinting() {
  Printing = new QWidget;
  Printing->setObjectName(QStringLiteral("Printing"));
  PageControle->addTab(Printing, QStringLiteral("Printing"));
  auto marquer = [this] { ImpressionModifie = true; };

  auto* Panel01 = new QFrame(Printing);
  Panel01->setObjectName(QStringLiteral("Panel01"));
  Panel01->setFrameShape(QFrame::StyledPanel);
  auto* g1 = new QGridLayout(Panel01);
  FullPage_Prt = new QRadioButton(QStringLiteral("Full page printing area"), Panel01);
  FullPage_Prt->setObjectName(QStringLiteral("FullPage_Prt"));
  SelectedArea_Prt = new QRadioButton(QStringLiteral("Selected printing area :"), Panel01);
  SelectedArea_Prt->setObjectName(QStringLiteral("SelectedArea_Prt"));
  Center_Prt = new QCheckBox(QStringLiteral("Center the area"), Panel01);
  Center_Prt->setObjectName(QStringLiteral("Center_Prt"));
  TracerCadre_Prt = new QCheckBox(QStringLiteral("Print border area"), Panel01);
  TracerCadre_Prt->setObjectName(QStringLiteral("TracerCadre_Prt"));
  for (int i = 0; i < NB_CHAMPS_IMP; ++i) {
    const TChamp& c = kChampsImp[i];
    auto* e = new QLineEdit(Panel01);
    e->setObjectName(QString::fromLatin1(c.Nom));
    e->setMaxLength(c.Longueur);
    e->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]{0,%1}").arg(c.Longueur)), e));
    e->setFixedWidth(44);
    auto* l = new QLabel(QString::fromLatin1(c.Design), Panel01);
    l->setObjectName(QString::fromLatin1(c.Nom) + QStringLiteral("_Lab"));
    l->setBuddy(e);
    ChampsImp[i] = e;
    LabChampsImp[i] = l;
    connect(e, &QLineEdit::textChanged, this, marquer);
  }
  auto mm = [Panel01] { return new QLabel(QStringLiteral("mm"), Panel01); };
  for (int i = 0; i < 4; ++i) {
    g1->addWidget(LabChampsImp[i], i / 2, (i % 2) * 3);
    g1->addWidget(ChampsImp[i], i / 2, (i % 2) * 3 + 1);
    g1->addWidget(mm(), i / 2, (i % 2) * 3 + 2);
  }
  g1->addWidget(FullPage_Prt, 2, 0, 1, 6);
  g1->addWidget(SelectedArea_Prt, 3, 0, 1, 6);
  for (int i = 4; i < 6; ++i) {
    g1->addWidget(LabChampsImp[i], 4, (i - 4) * 3);
    g1->addWidget(ChampsImp[i], 4, (i - 4) * 3 + 1);
    g1->addWidget(mm(), 4, (i - 4) * 3 + 2);
  }
  g1->addWidget(Center_Prt, 5, 0, 1, 6);
  g1->addWidget(TracerCadre_Prt, 6, 0, 1, 6);
  for (QRadioButton* r : {FullPage_Prt, SelectedArea_Prt})
    connect(r, &QRadioButton::toggled, this, [this] {
      ImpressionModifie = true;
      MajZoneImpression();
    });
  for (QCheckBox* c : {Center_Prt, TracerCadre_Prt}) connect(c, &QCheckBox::toggled, this, marquer);

  auto* PanelJauges = new QFrame(Printing);
  PanelJauges->setObjectName(QStringLiteral("Panel_Jauges_Prt"));
  PanelJauges->setFrameShape(QFrame::StyledPanel);
  auto* gj = new QGridLayout(PanelJauges);
  for (int i = 0; i < NB_JAUGES_IMP; ++i) {
    const bool coef = i == NB_JAUGES_IMP - 1;
    JaugesImp[i] = Jauge(PanelJauges, kJaugesImp[i].Nom, coef ? 0 : -40, coef ? 10 : 40, coef ? 1 : 5);
    LabJaugesImp[i] = new QLabel(QString::fromLatin1(kJaugesImp[i].Design), PanelJauges);
    LabJaugesImp[i]->setObjectName(QString::fromLatin1(kJaugesImp[i].Nom) + QStringLiteral("_Lab"));
    connect(JaugesImp[i], &QSlider::valueChanged, this, marquer);
  }
  CoefPAff_Prt = Jauge(PanelJauges, "CoefPAff_Prt", 10, 20, 1);
  CoefPAff_Prt_Lab = new QLabel(QStringLiteral("Rhythm proportion"), PanelJauges);
  CoefPAff_Prt_Lab->setObjectName(QStringLiteral("CoefPAff_Prt_Lab"));
  connect(CoefPAff_Prt, &QSlider::valueChanged, this, marquer);
  // On screen: proportions, staves, notes spacing, rhythm, then the chord, text and header spacings.
  const int ordre[NB_JAUGES_IMP] = {0, 2, 8, 1, 3, 4, 5, 6, 7};
  int ligne = 0;
  for (int k = 0; k < NB_JAUGES_IMP; ++k) {
    const int i = ordre[k];
    gj->addWidget(LabJaugesImp[i], ligne, 0);
    gj->addWidget(JaugesImp[i], ligne++, 1);
    if (i == 8) {
      gj->addWidget(CoefPAff_Prt_Lab, ligne, 0);
      gj->addWidget(CoefPAff_Prt, ligne++, 1);
    }
  }

  auto* Panel07 = new QFrame(Printing);
  Panel07->setObjectName(QStringLiteral("Panel07"));
  Panel07->setFrameShape(QFrame::StyledPanel);
  auto* gf = new QGridLayout(Panel07);
  TZoneImpression defaut;
  ZoneImpressionParDefaut(defaut);
  for (int i = 0; i < NB_POLICES_IMP; ++i) {
    const QString nom = QString::fromLatin1(kPolicesImp[i].Nom);
    ModifierFontPrt_Lab[i] = new QLabel(QString::fromLatin1(kPolicesImp[i].Design), Panel07);
    ModifierFontPrt_Lab[i]->setObjectName(QStringLiteral("Modifier") + nom + QStringLiteral("_Lab"));
    ModifierFontPrt[i] = new QPushButton(QStringLiteral("..."), Panel07);
    ModifierFontPrt[i]->setObjectName(QStringLiteral("Modifier") + nom);
    ModifierFontPrt[i]->setFixedWidth(28);
    LibExFontPrt[i] = ExemplePolice(Panel07, QStringLiteral("LibEx") + nom, ModifierFontPrt[i], *PolicesDe(defaut, i));
    gf->addWidget(ModifierFontPrt_Lab[i], i, 0);
    gf->addWidget(LibExFontPrt[i], i, 1);
    gf->addWidget(ModifierFontPrt[i], i, 2);
    connect(ModifierFontPrt[i], &QPushButton::clicked, this, [this, i] { ModifierFontPrtClick(i); });
  }

  auto* Panel08 = new QFrame(Printing);
  Panel08->setObjectName(QStringLiteral("Panel08"));
  Panel08->setFrameShape(QFrame::StyledPanel);
  auto* g8 = new QGridLayout(Panel08);
  for (int i = 0; i < NB_AFF_IMP; ++i) {
    AffImp[i] = new QCheckBox(QString::fromLatin1(kAffImp[i].Design), Panel08);
    AffImp[i]->setObjectName(QString::fromLatin1(kAffImp[i].Nom));
    g8->addWidget(AffImp[i], i % 6, i / 6);
    connect(AffImp[i], &QCheckBox::toggled, this, marquer);
  }
  BlackBlocks = new QCheckBox(QStringLiteral("Check this box if all texts like black blocks"), Printing);
  BlackBlocks->setObjectName(QStringLiteral("BlackBlocks"));
  connect(BlackBlocks, &QCheckBox::toggled, this, marquer);

  PrintDefault = new QPushButton(QStringLiteral("Default"), Printing);
  PrintDefault->setObjectName(QStringLiteral("PrintDefault"));
  connect(PrintDefault, &QPushButton::clicked, this, [this] { PrintDefaultClick(); });
  BT_Look_Prt = new QPushButton(QStringLiteral("Preview"), Printing);
  BT_Look_Prt->setObjectName(QStringLiteral("BT_Look_Prt"));
  connect(BT_Look_Prt, &QPushButton::clicked, this, [this] { BT_Look_PrtClick(); });
  auto* presets = new QHBoxLayout;
  presets->addWidget(PrintDefault);
  for (int n = 1; n <= 3; ++n) {
    PrintUser[n] = new QPushButton(QStringLiteral("User #%1").arg(n), Printing);
    PrintUser[n]->setObjectName(QStringLiteral("PrintUser%1").arg(n));
    SavePrintUser[n] = new QPushButton(Printing);
    SavePrintUser[n]->setObjectName(QStringLiteral("SavePrintUser%1").arg(n));
    SavePrintUser[n]->setIcon(style()->standardIcon(QStyle::SP_DialogSaveButton));
    SavePrintUser[n]->setFixedWidth(30);
    presets->addWidget(PrintUser[n]);
    presets->addWidget(SavePrintUser[n]);
    connect(PrintUser[n], &QPushButton::clicked, this, [this, n] { PrintUserClick(n); });
    connect(SavePrintUser[n], &QPushButton::clicked, this, [this, n] { SavePrintUserClick(n); });
  }
  presets->addStretch();
  presets->addWidget(BT_Look_Prt);

  auto* grille = new QGridLayout(Printing);
  grille->addWidget(Panel01, 0, 0);
  grille->addWidget(PanelJauges, 1, 0, 2, 1);
  grille->addWidget(Panel07, 0, 1, 2, 1);
  grille->addWidget(Panel08, 2, 1);
  grille->addWidget(BlackBlocks, 3, 0, 1, 2);
  grille->addLayout(presets, 4, 0, 1, 2);
}

// ---- Translation ----
void TPref_Form::Traduire() {
  if (TrouverGroupe(QStringLiteral("DLG_000")) < 0) return;
  // Once its group is there, a caption is its line's quoted text, empty for a line without one.
  auto texte = [](const char* groupe, int ligne) {
    return TexteGroupe(QString::fromLatin1(groupe), ligne);
  };
  BT_OK->setText(texte("DLG_000", 1));
  BT_Annuler->setText(texte("DLG_000", 2));
  BT_Aide->setText(texte("DLG_000", 5));
  if (TrouverGroupe(QString::fromLatin1(kGroupe)) < 0) return;
  auto L = [&](int ligne) { return texte(kGroupe, ligne); };
  auto legende = [&](QAbstractButton* b, int ligne) { b->setText(L(ligne)); };
  auto etiquette = [&](QLabel* l, int ligne) { l->setText(L(ligne)); };
  auto groupe = [&](QGroupBox* g, int ligne) { g->setTitle(L(ligne)); };

  setWindowTitle(L(1));
  PageControle->setTabText(PAGE_GENERAL, L(2));
  groupe(StartingMusic, 3);
  legende(Music_Rien, 4);
  Music_File->DialogTitle = L(5);
  Music_File->Filter = L(6) + QStringLiteral(" (*.WAV)|*.WAV");
  groupe(GroupScrolling, 7);
  legende(ScrollingScreen, 8);
  legende(ScrollingLine, 9);
  groupe(GroupMetronome, 10);
  etiquette(Lab_Volume, 11);
  legende(MetronomeDuringScore, 12);
  legende(FirstBarMetronome, 13);
  legende(DifferentMetronomeFirstSound, 14);
  legende(AlwaysUseMetronomeSpeedTrainer, 15);
  groupe(GroupPlay, 16);
  groupe(GroupExport, 17);
  legende(PlayEffects, 18);
  legende(ExportEffects, 18);
  legende(PlayRepeats, 19);
  legende(ExportRepeats, 19);
  groupe(BendConfig, 20);
  legende(LimitBend, 21);
  etiquette(LibBendConfig, 22);
  groupe(GroupChord, 23);
  legende(AlwaysAddBass, 24);
  for (QPushButton* b : {GeneralDefault, DisplayDefault, PrintDefault}) legende(b, 25);
  PageControle->setTabText(PAGE_DISPLAY, L(26));
  for (int i = 0; i < NB_CHAMPS_ECRAN; ++i) etiquette(LabChampsEcran[i], kChampsEcran[i].Ligne);
  for (int i = 0; i < NB_POLICES_ECRAN; ++i) etiquette(ModifierFont_Lab[i], kPolicesEcran[i].Ligne);
  etiquette(DiagSize_Lab, 41);
  for (int i = 0; i < NB_COULEURS_ECRAN; ++i) etiquette(ModifierCol_Lab[i], kCouleurs[i].Ligne);
  for (int i = 0; i < NB_AFF_ECRAN; ++i) legende(AffEcran[i], kAffEcran[i].Ligne);
  etiquette(CoefEspAff_Lab, 56);
  etiquette(CoefPAff_Lab, 57);
  for (int n = 1; n <= 3; ++n) {
    legende(DisplayUser[n], 57 + n);
    legende(PrintUser[n], 57 + n);
  }
  legende(BT_Look, 61);
  PageControle->setTabText(PAGE_PRINTING, L(62));
  for (int i = 0; i < NB_CHAMPS_IMP; ++i) etiquette(LabChampsImp[i], kChampsImp[i].Ligne);
  legende(FullPage_Prt, 67);
  legende(SelectedArea_Prt, 68);
  legende(Center_Prt, 71);
  legende(TracerCadre_Prt, 72);
  for (int i = 0; i < NB_JAUGES_IMP; ++i) etiquette(LabJaugesImp[i], kJaugesImp[i].Ligne);
  etiquette(CoefPAff_Prt_Lab, 76);
  for (int i = 0; i < NB_POLICES_IMP; ++i) etiquette(ModifierFontPrt_Lab[i], kPolicesImp[i].Ligne);
  for (int i = 0; i < NB_AFF_IMP; ++i) legende(AffImp[i], kAffImp[i].Ligne);
  legende(BlackBlocks, 105);
  legende(BT_Look_Prt, 106);

  QSet<QChar> utilisees;
  for (QPushButton* b : {BT_OK, BT_Annuler, BT_Aide, BT_Look, BT_Look_Prt})
    b->setText(AjouterRaccourci(b->text(), utilisees));
  for (QGroupBox* g : {StartingMusic, GroupScrolling, GroupMetronome, GroupPlay, GroupExport, BendConfig, GroupChord})
    g->setTitle(QLatin1Char(' ') + g->title() + QLatin1Char(' '));
}

// ---- Filling ----
void TPref_Form::showEvent(QShowEvent* e) {
  QDialog::showEvent(e);
  FormActivate();
}

void TPref_Form::FormActivate() {
  // Once per opening: filling again when the dialog comes back in front (after a print preview
  // opened from it) would take the previewed layout as the snapshot that Cancel restores.
  if (remplie_) return;
  remplie_ = true;
  const int hauteur = Arrondi(logicalDpiY() * 18 / 96.0);
  for (QSlider* s : findChildren<QSlider*>()) s->setFixedHeight(std::max(hauteur, s->sizeHint().height()));
  // Holders still empty: the main window never loaded the fonts (tests, a failed start).
  if (PorteursPolices.Ecran[JEU_LIVE][0].Name.isEmpty()) ChargerPolices();

  RemplirGeneral();
  GeneralModifie = false;

  ParamEcranMem = ParamEcran;
  for (int i = 0; i < NB_POLICES_ECRAN; ++i) PorteursPolices.Ecran[JEU_MEM][i] = PorteursPolices.Ecran[JEU_LIVE][i];
  AffichageApplique = false;
  RemplirAffichage(ParamEcran, PorteursPolices.Ecran[JEU_LIVE]);
  AffichageModifie = false;

  ZoneImpressionMem = ZoneImpression;
  for (int i = 0; i < NB_POLICES_IMP; ++i) PorteursPolices.Imp[JEU_MEM][i] = PorteursPolices.Imp[JEU_LIVE][i];
  BlackBlocksMem = Configuration.BlackBlocks;
  RemplirImpression(ZoneImpression, PorteursPolices.Imp[JEU_LIVE], true);
  ImpressionModifie = false;
  MajZoneImpression();
}

void TPref_Form::MajMusicFile() { Music_File->setEnabled(Music_WAV->isChecked()); }

void TPref_Form::RemplirGeneral() {
  const TCONFIG& c = Configuration;
  DecocherTous({ScrollingScreen, ScrollingLine});
  if (c.TypeScrolling == 2) ScrollingLine->setChecked(true);
  if (c.TypeScrolling == 1) ScrollingScreen->setChecked(true);
  DecocherTous({Music_VX, Music_WAV, Music_Rien});
  if (c.StartingMusic == 1) Music_VX->setChecked(true);
  if (c.StartingMusic == 2) Music_WAV->setChecked(true);
  if (c.StartingMusic == 3) Music_Rien->setChecked(true);
  Music_File->setText(c.StartingFile);
  MajMusicFile();
  MetronomeVolume->setValue(c.MetronomeVolume);
  MetronomeDuringScore->setChecked(c.MetronomeDuringScore);
  DifferentMetronomeFirstSound->setChecked(c.DifferentMetronomeFirstSound);
  FirstBarMetronome->setChecked(c.FirstBarMetronome);
  AlwaysUseMetronomeSpeedTrainer->setChecked(c.AlwaysUseMetronomeSpeedTrainer);
  PlayEffects->setChecked(c.PlayEffects);
  PlayRepeats->setChecked(c.PlayRepeats);
  ExportEffects->setChecked(c.ExportEffects);
  ExportRepeats->setChecked(c.ExportRepeats);
  LimitBend->setChecked(c.LimitBend);
  AlwaysAddBass->setChecked(c.AlwaysAddBass);
}

void TPref_Form::RemplirAffichage(const TParamEcran& source, const TMyFont polices[NB_POLICES_ECRAN]) {
  TParamEcran p = source;
  for (int i = 0; i < NB_CHAMPS_ECRAN; ++i) ChampsEcran[i]->setText(QString::number(*ChampEcranDe(p, i)));
  for (int i = 0; i < NB_POLICES_ECRAN; ++i) {
    PolicesEcran[i] = polices[i];
    AfficherExempleFonte(i);
  }
  for (int i = 0; i < NB_AFF_ECRAN; ++i) AffEcran[i]->setChecked(*AffDe(p, i));
  for (int i = 0; i < NB_COULEURS_ECRAN; ++i) {
    Couleurs[i] = *CouleurDe(p, i);
    AfficherExempleCouleur(i);
  }
  CoefPAff->setValue(Arrondi(p.CoefPAff * 10));
  CoefEspAff->setValue(p.CoefEspAff);
  DecocherTous({TypeDiag[1], TypeDiag[2], TypeDiag[3]});
  if (p.TypeDiag >= 1 && p.TypeDiag <= 3) TypeDiag[p.TypeDiag]->setChecked(true);
}

void TPref_Form::RemplirImpression(const TZoneImpression& source, const TMyFont polices[NB_POLICES_IMP],
                                   bool aussiBlackBlocks) {
  TZoneImpression z = source;
  for (int i = 0; i < NB_CHAMPS_IMP; ++i) ChampsImp[i]->setText(QString::number(Arrondi(*ChampImpDe(z, i))));
  if (z.FullPage)
    FullPage_Prt->setChecked(true);
  else
    SelectedArea_Prt->setChecked(true);
  Center_Prt->setChecked(z.Center_Prt);
  TracerCadre_Prt->setChecked(z.TracerCadre_Prt);
  for (int i = 0; i < NB_JAUGES_IMP; ++i) JaugesImp[i]->setValue(*JaugeDe(z, i));
  CoefPAff_Prt->setValue(Arrondi(z.CoefPAff_Prt * 10));
  for (int i = 0; i < NB_POLICES_IMP; ++i) {
    PolicesImp[i] = polices[i];
    AfficherExempleFontePrt(i);
  }
  for (int i = 0; i < NB_AFF_IMP; ++i) AffImp[i]->setChecked(*AffDe(z, i));
  if (aussiBlackBlocks) BlackBlocks->setChecked(Configuration.BlackBlocks);
}

// ---- Samples ----
void TPref_Form::AfficherExempleFonte(int i) {
  const TMyFont& f = PolicesEcran[i];
  LibExFont[i]->setText(TexteExemple(f));
  LibExFont[i]->setFont(FontQt(f));
  QPalette pal = LibExFont[i]->palette();
  pal.setColor(QPalette::WindowText, ToQColor(f.Col));
  LibExFont[i]->setPalette(pal);
}

void TPref_Form::AfficherExempleFontePrt(int i) {
  const TMyFont& f = PolicesImp[i];
  LibExFontPrt[i]->setText(TexteExemple(f));
  LibExFontPrt[i]->setFont(FontQt(f));
  QPalette pal = LibExFontPrt[i]->palette();
  pal.setColor(QPalette::WindowText, ToQColor(f.Col));
  LibExFontPrt[i]->setPalette(pal);
}

void TPref_Form::AfficherExempleCouleur(int i) {
  QPalette pal = ExCol[i]->palette();
  pal.setColor(QPalette::Window, ToQColor(Couleurs[i]));
  ExCol[i]->setPalette(pal);
}

// ---- Confirming ----
void TPref_Form::CompleterChampsVides() {
  for (int i = 0; i < NB_CHAMPS_ECRAN; ++i)
    if (ChampsEcran[i]->text().isEmpty()) ChampsEcran[i]->setText(QString::fromLatin1(kChampsEcran[i].Vide));
  for (int i = 0; i < NB_CHAMPS_IMP; ++i)
    if (ChampsImp[i]->text().isEmpty()) ChampsImp[i]->setText(QString::fromLatin1(kChampsImp[i].Vide));
}

void TPref_Form::BT_OKClick() {
  CompleterChampsVides();
  const bool affichage = AffichageModifie;
  if (GeneralModifie) AppliquerGeneral();
  if (affichage) AppliquerAffichage();
  if (ImpressionModifie) AppliquerImpression();
  if (affichage) RafraichirApresPreferences();
}

void TPref_Form::BT_AideClick() {
  const char* sujets[3] = {"R7_1", "R7_2", "R7_3"};
  // A topic of the help in the help language, as the Help menu opens it.
  OuvrirAide(NomFichierAide(LangueAide), QString::fromLatin1(sujets[std::clamp(PageControle->currentIndex(), 0, 2)]));
}

void TPref_Form::AppliquerGeneral() {
  TCONFIG& c = Configuration;
  if (ScrollingLine->isChecked()) c.TypeScrolling = 2;
  if (ScrollingScreen->isChecked()) c.TypeScrolling = 1;
  if (Music_VX->isChecked()) c.StartingMusic = 1;
  if (Music_WAV->isChecked()) c.StartingMusic = 2;
  if (Music_Rien->isChecked()) c.StartingMusic = 3;
  c.StartingFile = Music_File->text();
  c.MetronomeVolume = MetronomeVolume->value();
  c.MetronomeDuringScore = MetronomeDuringScore->isChecked();
  c.DifferentMetronomeFirstSound = DifferentMetronomeFirstSound->isChecked();
  c.FirstBarMetronome = FirstBarMetronome->isChecked();
  c.AlwaysUseMetronomeSpeedTrainer = AlwaysUseMetronomeSpeedTrainer->isChecked();
  c.PlayEffects = PlayEffects->isChecked();
  c.PlayRepeats = PlayRepeats->isChecked();
  c.ExportEffects = ExportEffects->isChecked();
  c.ExportRepeats = ExportRepeats->isChecked();
  c.LimitBend = LimitBend->isChecked();
  c.AlwaysAddBass = AlwaysAddBass->isChecked();
}

void TPref_Form::EcrireAffichage(TParamEcran& p, TMyFont polices[NB_POLICES_ECRAN]) {
  for (int i = 0; i < NB_CHAMPS_ECRAN; ++i)
    *ChampEcranDe(p, i) =
        ValeurChamp(ChampsEcran[i]->text(), ValeurChamp(QString::fromLatin1(kChampsEcran[i].Vide), 0));
  for (int i = 0; i < NB_POLICES_ECRAN; ++i) polices[i] = PolicesEcran[i];
  for (int i = 0; i < NB_AFF_ECRAN; ++i) *AffDe(p, i) = AffEcran[i]->isChecked();
  for (int i = 0; i < NB_COULEURS_ECRAN; ++i) *CouleurDe(p, i) = Couleurs[i];
  p.CoefPAff = CoefPAff->value() / 10.0;
  p.CoefEspAff = CoefEspAff->value();
  for (int n = 1; n <= 3; ++n)
    if (TypeDiag[n]->isChecked()) {
      p.TypeDiag = n;
      break;
    }
}

void TPref_Form::AppliquerAffichage() {
  EcrireAffichage(ParamEcran, PorteursPolices.Ecran[JEU_LIVE]);
  CalculeParamEcran();
}

void TPref_Form::EcrireImpression(TZoneImpression& z, TMyFont polices[NB_POLICES_IMP]) {
  for (int i = 0; i < NB_CHAMPS_IMP; ++i)
    *ChampImpDe(z, i) = ValeurChamp(ChampsImp[i]->text(), ValeurChamp(QString::fromLatin1(kChampsImp[i].Vide), 0));
  z.FullPage = FullPage_Prt->isChecked();
  z.Center_Prt = Center_Prt->isChecked();
  z.TracerCadre_Prt = TracerCadre_Prt->isChecked();
  for (int i = 0; i < NB_JAUGES_IMP; ++i) *JaugeDe(z, i) = JaugesImp[i]->value();
  z.CoefPAff_Prt = CoefPAff_Prt->value() / 10.0;
  for (int i = 0; i < NB_POLICES_IMP; ++i) polices[i] = PolicesImp[i];
  for (int i = 0; i < NB_AFF_IMP; ++i) *AffDe(z, i) = AffImp[i]->isChecked();
}

void TPref_Form::AppliquerImpression() {
  EcrireImpression(ZoneImpression, PorteursPolices.Imp[JEU_LIVE]);
  Configuration.BlackBlocks = BlackBlocks->isChecked();
  // The print layout derives its working values when a page is laid out.
}

// ---- General page ----
void TPref_Form::GeneralDefaultClick() {
  Music_VX->setChecked(true);
  MajMusicFile();
  ScrollingScreen->setChecked(true);
  MetronomeVolume->setValue(95);
  for (QCheckBox* c : {MetronomeDuringScore, DifferentMetronomeFirstSound, FirstBarMetronome,
                       AlwaysUseMetronomeSpeedTrainer, PlayEffects, PlayRepeats, ExportEffects, ExportRepeats})
    c->setChecked(true);
  LimitBend->setChecked(false);
  AlwaysAddBass->setChecked(false);
  GeneralModifie = true;
}

// ---- Display page ----
void TPref_Form::ModifierFontClick(int i) {
  if (i < 0 || i >= NB_POLICES_ECRAN) return;
  TMyFont f = PolicesEcran[i];
  if (ChoisirPolice && ChoisirPolice(f, ModifierFont_Lab[i]->text(), true)) {
    PolicesEcran[i] = f;
    AffichageModifie = true;
  }
  AfficherExempleFonte(i);
}

void TPref_Form::ModifierColClick(int i) {
  if (i < 0 || i >= NB_COULEURS_ECRAN) return;
  TColor c = Couleurs[i];
  if (ChoisirCouleur && ChoisirCouleur(c, ModifierCol_Lab[i]->text())) {
    Couleurs[i] = c;
    AffichageModifie = true;
  }
  AfficherExempleCouleur(i);
}

void TPref_Form::ImageDiagClick(int n) {
  if (n < 1 || n > 3 || TypeDiag[n]->isChecked()) return;
  TypeDiag[n]->setChecked(true);
  AffichageModifie = true;
}

void TPref_Form::DisplayDefaultClick() {
  TParamEcran p;
  ParamEcranParDefaut(p, false);
  TMyFont polices[NB_POLICES_ECRAN];
  for (int i = 0; i < NB_POLICES_ECRAN; ++i) polices[i] = *PolicesDe(p, i);
  RemplirAffichage(p, polices);
  AffichageModifie = true;
}

void TPref_Form::DisplayUserClick(int n) {
  if (n < 1 || n > 3) return;
  RemplirAffichage(*PresetEcran(n), PorteursPolices.Ecran[n]);
  AffichageModifie = true;
}

void TPref_Form::SaveDisplayUserClick(int n) {
  if (n < 1 || n > 3) return;
  const bool marque = AffichageModifie;
  CompleterChampsVides();
  AffichageModifie = marque;
  EcrireAffichage(*PresetEcran(n), PorteursPolices.Ecran[n]);
}

void TPref_Form::BT_LookClick() {
  CompleterChampsVides();
  AppliquerAffichage();
  RafraichirApresPreferences();
  AffichageApplique = true;
  AffichageModifie = false;
}

// ---- Printing page ----
void TPref_Form::MajZoneImpression() {
  const bool zone = !FullPage_Prt->isChecked();
  for (QWidget* w : {static_cast<QWidget*>(ChampsImp[CI_Largeur]), static_cast<QWidget*>(ChampsImp[CI_Hauteur]),
                     static_cast<QWidget*>(Center_Prt), static_cast<QWidget*>(TracerCadre_Prt)})
    w->setEnabled(zone);
}

void TPref_Form::ModifierFontPrtClick(int i) {
  if (i < 0 || i >= NB_POLICES_IMP) return;
  TMyFont f = PolicesImp[i];
  if (ChoisirPolice && ChoisirPolice(f, ModifierFontPrt_Lab[i]->text(), false)) {
    PolicesImp[i] = f;
    ImpressionModifie = true;
  }
  // Printers get black text whatever was chosen.
  PolicesImp[i].Col = clBlack;
  AfficherExempleFontePrt(i);
}

void TPref_Form::PrintDefaultClick() {
  TZoneImpression z;
  ZoneImpressionParDefaut(z);
  TMyFont polices[NB_POLICES_IMP];
  for (int i = 0; i < NB_POLICES_IMP; ++i) polices[i] = *PolicesDe(z, i);
  RemplirImpression(z, polices, false);
  ImpressionModifie = true;
  MajZoneImpression();
}

void TPref_Form::PrintUserClick(int n) {
  if (n < 1 || n > 3) return;
  RemplirImpression(*PresetImp(n), PorteursPolices.Imp[n], false);
  ImpressionModifie = true;
  MajZoneImpression();
}

void TPref_Form::SavePrintUserClick(int n) {
  if (n < 1 || n > 3) return;
  const bool marque = ImpressionModifie;
  CompleterChampsVides();
  ImpressionModifie = marque;
  EcrireImpression(*PresetImp(n), PorteursPolices.Imp[n]);
}

void TPref_Form::BT_Look_PrtClick() {
  CompleterChampsVides();
  AppliquerImpression();
  if (ApercuOuvert) {
    // Opened from the print preview: confirm, and the preview redraws with the new layout.
    BT_OK->click();
    return;
  }
  if (MontrerApercu) MontrerApercu();
}

// ---- The opener's side ----
void RafraichirApresPreferences() {
  if (TMesure* m = Partition.Courante()) {
    MesureOrigine = *m;
    MesureAnnuler = *m;
    TempsAnnuler = Curseur.Temps;
    CordeAnnuler = Curseur.Corde;
  }
  ActiverAnnulation(false);
  ActiverAnnulerMesure(false);
  VueEditeur().RefreshActions();
  VueEditeur().ScreenLayoutChanged();
}

void RestaurerPreferences(const TPref_Form& f) {
  if (f.AffichageApplique) {
    ParamEcran = ParamEcranMem;
    for (int i = 0; i < NB_POLICES_ECRAN; ++i) PorteursPolices.Ecran[JEU_LIVE][i] = PorteursPolices.Ecran[JEU_MEM][i];
    RafraichirApresPreferences();
  }
  ZoneImpression = ZoneImpressionMem;
  for (int i = 0; i < NB_POLICES_IMP; ++i) PorteursPolices.Imp[JEU_LIVE][i] = PorteursPolices.Imp[JEU_MEM][i];
  Configuration.BlackBlocks = f.BlackBlocksMem;
}

bool ExecuterPreferences(QWidget* parent, int page) {
  auto* f = new TPref_Form(parent);
  f->PageControle->setCurrentIndex(std::clamp(page, 0, 2));
  const bool ok = f->exec() == QDialog::Accepted;
  if (!ok) {
    LaisserPasserMessages();
    RestaurerPreferences(*f);
  }
  delete f;
  return ok;
}
