#include "dialogs/Sais_par.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDesktopServices>
#include <QEvent>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QSignalBlocker>
#include <QSlider>
#include <QTabBar>
#include <QTimer>
#include <QToolButton>
#include <QUrl>
#include <QVBoxLayout>
#include <algorithm>

#include "dialogs/EcouteAccordage.h"
#include "dialogs/Sais_ins.h"
#include "dialogs/BoutonsRepetes.h"
#include "editor/state/EtatEdition.h"
#include "editor/state/EtatProgramme.h"
#include "editor/state/Notificateur.h"
#include "editor/state/Proprietes.h"
#include "editor/state/VueEditeur.h"
#include "editor/EditZoneModel.h"
#include "editor/state/RedessinSaisie.h"
#include "midi/ApercuAccordage.h"
#include "midi/Lecture.h"
#include "platform/Folders.h"
#include "platform/MediaPlayer.h"
#include "settings/Langue.h"
#include "settings/LignesLangue.h"
#include "settings/Mess.h"
#include "song/Accordages.h"

TSais_Partition* Sais_Partition = nullptr;

namespace {

constexpr const char* GroupeProp = "DLG_PROP_000";
enum { CURSEUR_VOLUME, CURSEUR_PAN, CURSEUR_CHORUS, CURSEUR_REVERB };

QString Legende(const char* groupe, int ligne, const char* design) {
  return LegendeGroupe(QString::fromLatin1(groupe), ligne, QString::fromLatin1(design));
}

QToolButton* Fleche(QWidget* parent, const QString& nom, Qt::ArrowType sens) {
  auto* b = new QToolButton(parent);
  b->setObjectName(nom);
  b->setArrowType(sens);
  b->setFixedSize(16, 11);
  // Like speed buttons they take no focus, so Tab goes from field to field.
  b->setFocusPolicy(Qt::NoFocus);
  return b;
}

QLineEdit* Champ(QWidget* parent, const QString& nom, int largeur, bool lectureSeule) {
  auto* e = new QLineEdit(parent);
  e->setObjectName(nom);
  e->setFixedWidth(largeur);
  e->setReadOnly(lectureSeule);
  return e;
}

// An edit with its up and down buttons stacked at its right.
QHBoxLayout* AvecFleches(QWidget* champ, QToolButton* haut, QToolButton* bas) {
  auto* v = new QVBoxLayout;
  v->setSpacing(0);
  v->addWidget(haut);
  v->addWidget(bas);
  auto* h = new QHBoxLayout;
  h->setSpacing(1);
  h->addWidget(champ);
  h->addLayout(v);
  return h;
}

int ValeurSlider(int valeur) { return std::clamp(Arrondi(valeur * 20.0 / 127.0), 0, 20); }
int ValeurMIDI(int position) { return std::clamp(Arrondi(position / 20.0 * 127.0), 0, 127); }

}  // namespace

TSais_Partition::TSais_Partition(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("Sais_Partition"));
  setModal(true);

  // ---- Header ----
  LabTitre = new QLabel(this);
  LabAuteur = new QLabel(this);
  LabCom = new QLabel(this);
  LabTempo = new QLabel(this);
  Titre = Champ(this, QStringLiteral("Titre"), 330, false);
  Titre->setMaxLength(100);
  Auteur = Champ(this, QStringLiteral("Auteur"), 330, false);
  Auteur->setMaxLength(50);
  Note = Champ(this, QStringLiteral("Note"), 330, false);
  Note->setMaxLength(100);
  Tempo = Champ(this, QStringLiteral("Tempo"), 40, false);
  Tempo->setMaxLength(3);
  Tempo->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]{0,3}")), Tempo));
  BT_TempoUp = Fleche(this, QStringLiteral("BT_TempoUp"), Qt::UpArrow);
  BT_TempoDown = Fleche(this, QStringLiteral("BT_TempoDown"), Qt::DownArrow);
  Triplet = new QCheckBox(this);
  Triplet->setObjectName(QStringLiteral("Triplet"));
  LabTitre->setBuddy(Titre);
  LabAuteur->setBuddy(Auteur);
  LabCom->setBuddy(Note);
  LabTempo->setBuddy(Tempo);
  auto* entete = new QGridLayout;
  entete->addWidget(LabTitre, 0, 0);
  entete->addWidget(Titre, 0, 1, 1, 3);
  entete->addWidget(LabAuteur, 1, 0);
  entete->addWidget(Auteur, 1, 1, 1, 3);
  entete->addWidget(LabCom, 2, 0);
  entete->addWidget(Note, 2, 1, 1, 3);
  entete->addWidget(LabTempo, 3, 0);
  entete->addLayout(AvecFleches(Tempo, BT_TempoUp, BT_TempoDown), 3, 1);
  entete->addWidget(Triplet, 3, 2);
  entete->setColumnStretch(3, 1);

  // ---- Tracks ----
  TabPiste = new QTabBar(this);
  TabPiste->setObjectName(QStringLiteral("TabPiste"));
  TabPiste->setExpanding(false);
  TabPiste->setDrawBase(true);
  for (int t = 1; t <= NB_PISTES; ++t) TabPiste->addTab(QString::number(t));
  auto* page = new QFrame(this);
  page->setObjectName(QStringLiteral("Page"));
  page->setFrameShape(QFrame::StyledPanel);

  Lab_NomPiste = new QLabel(page);
  NomPiste = Champ(page, QStringLiteral("NomPiste"), 200, false);
  NomPiste->setMaxLength(25);
  Lab_NomPiste->setBuddy(NomPiste);

  Lab_Instrument = new QLabel(page);
  PanelInstrument = new QFrame(page);
  PanelInstrument->setObjectName(QStringLiteral("PanelInstrument"));
  PanelInstrument->setFrameShape(QFrame::Panel);
  PanelInstrument->setFrameShadow(QFrame::Sunken);
  Instrument = new QLabel(PanelInstrument);
  Instrument->setObjectName(QStringLiteral("Instrument"));
  Instrument->setMinimumWidth(200);
  auto* panneau = new QHBoxLayout(PanelInstrument);
  panneau->setContentsMargins(3, 1, 3, 1);
  panneau->addWidget(Instrument);
  InstrumentUp = Fleche(page, QStringLiteral("InstrumentUp"), Qt::UpArrow);
  InstrumentDown = Fleche(page, QStringLiteral("InstrumentDown"), Qt::DownArrow);
  BT_Instrument = new QToolButton(page);
  BT_Instrument->setObjectName(QStringLiteral("BT_Instrument"));
  BT_Instrument->setText(QStringLiteral("..."));

  Lab_Biblio = new QLabel(page);
  ModeleList = new QComboBox(page);
  ModeleList->setObjectName(QStringLiteral("ModeleList"));
  ModeleList->setMinimumWidth(230);
  Lab_Biblio->setBuddy(ModeleList);

  LabNbCordes = new QLabel(page);
  NbCordes = Champ(page, QStringLiteral("NbCordes"), 30, true);
  BT_NbCordesUp = Fleche(page, QStringLiteral("BT_NbCordesUp"), Qt::UpArrow);
  BT_NbCordesDown = Fleche(page, QStringLiteral("BT_NbCordesDown"), Qt::DownArrow);

  LabAccordage = new QGroupBox(page);
  LabAccordage->setObjectName(QStringLiteral("LabAccordage"));
  auto* grille = new QGridLayout(LabAccordage);
  grille->setVerticalSpacing(2);
  for (int r = 1; r <= 6; ++r) {
    NoteCorde[r] = Champ(LabAccordage, QStringLiteral("NoteCorde%1").arg(r), 40, true);
    NoteCorde[r]->installEventFilter(this);
    BT_CUp[r] = Fleche(LabAccordage, QStringLiteral("BT_C%1Up").arg(r), Qt::UpArrow);
    BT_CDown[r] = Fleche(LabAccordage, QStringLiteral("BT_C%1Down").arg(r), Qt::DownArrow);
    BT_CUp[r]->setProperty("Tag", r);
    BT_CDown[r]->setProperty("Tag", r);
    DessinCorde[r] = new QFrame(LabAccordage);
    DessinCorde[r]->setFrameShape(QFrame::HLine);
    DessinCorde[r]->setLineWidth(r <= 2 ? 1 : 2);
    DessinCorde[r]->setMinimumWidth(60);
    Ecouter[r] = new QToolButton(LabAccordage);
    Ecouter[r]->setObjectName(QStringLiteral("Ecouter%1").arg(r));
    Ecouter[r]->setCheckable(true);
    Ecouter[r]->setText(QStringLiteral("\u266A"));
    Ecouter[r]->setFocusPolicy(Qt::NoFocus);
    grille->addLayout(AvecFleches(NoteCorde[r], BT_CUp[r], BT_CDown[r]), r - 1, 0);
    grille->addWidget(DessinCorde[r], r - 1, 1);
    grille->addWidget(Ecouter[r], r - 1, 2);
    // Rows keep their place when the highest strings are hidden: the lowest string stays at the bottom.
    grille->setRowMinimumHeight(r - 1, 24);
  }
  ToutUp = Fleche(LabAccordage, QStringLiteral("ToutUp"), Qt::UpArrow);
  ToutDown = Fleche(LabAccordage, QStringLiteral("ToutDown"), Qt::DownArrow);
  EcouterTout = new QToolButton(LabAccordage);
  EcouterTout->setObjectName(QStringLiteral("EcouterTout"));
  EcouterTout->setCheckable(true);
  EcouterTout->setText(QStringLiteral("\u266B"));
  EcouterTout->setFocusPolicy(Qt::NoFocus);
  auto* tout = new QHBoxLayout;
  tout->addWidget(ToutUp);
  tout->addWidget(ToutDown);
  tout->addStretch();
  tout->addWidget(EcouterTout);
  grille->addLayout(tout, 6, 0, 1, 3);

  Lab_NbFrets = new QLabel(page);
  NbFrets = Champ(page, QStringLiteral("NbFrets"), 30, true);
  NbFrets->installEventFilter(this);
  BT_FretUp = Fleche(page, QStringLiteral("BT_FretUp"), Qt::UpArrow);
  BT_FretDown = Fleche(page, QStringLiteral("BT_FretDown"), Qt::DownArrow);
  Lab_Capo = new QLabel(page);
  Capo = Champ(page, QStringLiteral("Capo"), 30, true);
  Capo->installEventFilter(this);
  BT_CapoUp = Fleche(page, QStringLiteral("BT_CapoUp"), Qt::UpArrow);
  BT_CapoDown = Fleche(page, QStringLiteral("BT_CapoDown"), Qt::DownArrow);
  Tempo->installEventFilter(this);
  // The accelerators of these labels go to their controls.
  Lab_Instrument->setBuddy(BT_Instrument);
  LabNbCordes->setBuddy(NbCordes);
  Lab_NbFrets->setBuddy(NbFrets);
  Lab_Capo->setBuddy(Capo);

  auto curseur = [&](const QString& nom, QLabel*& lab) {
    lab = new QLabel(page);
    auto* s = new QSlider(Qt::Horizontal, page);
    s->setObjectName(nom);
    s->setRange(0, 20);
    s->setTickInterval(2);
    s->setTickPosition(QSlider::TicksBelow);
    s->setPageStep(2);
    lab->setBuddy(s);
    return s;
  };
  Volume = curseur(QStringLiteral("Volume"), Lab_Volume);
  Panoramique = curseur(QStringLiteral("Panoramique"), Lab_Panoramique);
  Chorus = curseur(QStringLiteral("Chorus"), Lab_Chorus);
  Reverb = curseur(QStringLiteral("Reverb"), Lab_Reverb);
  Solo = new QCheckBox(page);
  Solo->setObjectName(QStringLiteral("Solo"));
  Muette = new QCheckBox(page);
  Muette->setObjectName(QStringLiteral("Muette"));
  PasExporter = new QCheckBox(page);
  PasExporter->setObjectName(QStringLiteral("PasExporter"));
  DouzeCordes = new QCheckBox(page);
  DouzeCordes->setObjectName(QStringLiteral("DouzeCordes"));

  Cache = new QFrame(page);
  Cache->setObjectName(QStringLiteral("Cache"));
  Cache->setFrameShape(QFrame::StyledPanel);
  Lab_Cache1 = new QLabel(Cache);
  Lab_Cache2 = new QLabel(Cache);
  Lab_Cache3 = new QLabel(Cache);
  QFont gras = Lab_Cache1->font();
  gras.setBold(true);
  Lab_Cache1->setFont(gras);
  for (QLabel* l : {Lab_Cache2, Lab_Cache3}) l->setWordWrap(true);
  auto* cache = new QVBoxLayout(Cache);
  cache->addWidget(Lab_Cache1);
  cache->addWidget(Lab_Cache2);
  cache->addWidget(Lab_Cache3);
  cache->addStretch();
  Cache->hide();  // shown on the percussion track only

  // Left column: name, instrument, presets, strings, tuning; right: frets, capo, mixer, switches.
  auto* gauche = new QGridLayout;
  gauche->addWidget(Lab_NomPiste, 0, 0);
  gauche->addWidget(NomPiste, 0, 1, 1, 2);
  gauche->addWidget(Lab_Instrument, 1, 0);
  auto* instr = new QHBoxLayout;
  instr->setSpacing(2);
  instr->addWidget(PanelInstrument);
  auto* flechesInstr = new QVBoxLayout;
  flechesInstr->setSpacing(0);
  flechesInstr->addWidget(InstrumentUp);
  flechesInstr->addWidget(InstrumentDown);
  instr->addLayout(flechesInstr);
  instr->addWidget(BT_Instrument);
  gauche->addLayout(instr, 1, 1, 1, 2);
  gauche->addWidget(Lab_Biblio, 2, 0);
  gauche->addWidget(ModeleList, 2, 1, 1, 2);
  gauche->addWidget(LabNbCordes, 3, 0);
  gauche->addLayout(AvecFleches(NbCordes, BT_NbCordesUp, BT_NbCordesDown), 3, 1, Qt::AlignLeft);
  gauche->addWidget(LabAccordage, 4, 0, 1, 3);
  gauche->addWidget(Cache, 5, 0, 1, 3);
  gauche->setRowStretch(6, 1);

  auto* droite = new QGridLayout;
  droite->addWidget(Lab_NbFrets, 0, 0);
  droite->addLayout(AvecFleches(NbFrets, BT_FretUp, BT_FretDown), 0, 1, Qt::AlignLeft);
  droite->addWidget(Lab_Capo, 1, 0);
  droite->addLayout(AvecFleches(Capo, BT_CapoUp, BT_CapoDown), 1, 1, Qt::AlignLeft);
  int ligne = 2;
  for (auto [lab, s] : {std::pair{Lab_Volume, Volume}, {Lab_Panoramique, Panoramique}, {Lab_Chorus, Chorus},
                        {Lab_Reverb, Reverb}}) {
    droite->addWidget(lab, ligne, 0);
    droite->addWidget(s, ligne++, 1);
  }
  for (QCheckBox* c : {Solo, Muette, PasExporter, DouzeCordes}) droite->addWidget(c, ligne++, 0, 1, 2);
  droite->setRowStretch(ligne, 1);

  auto* pageLayout = new QHBoxLayout(page);
  pageLayout->addLayout(gauche);
  pageLayout->addSpacing(12);
  pageLayout->addLayout(droite);

  BT_OK = new QPushButton(QStringLiteral("OK"), this);
  BT_OK->setObjectName(QStringLiteral("BT_OK"));
  BT_OK->setDefault(true);
  BT_Annuler = new QPushButton(QStringLiteral("Cancel"), this);
  BT_Annuler->setObjectName(QStringLiteral("BT_Annuler"));
  BT_Aide = new QPushButton(QStringLiteral("Help"), this);
  BT_Aide->setObjectName(QStringLiteral("BT_Aide"));
  auto* boutons = new QHBoxLayout;
  boutons->addStretch();
  boutons->addWidget(BT_OK);
  boutons->addWidget(BT_Annuler);
  boutons->addWidget(BT_Aide);

  auto* fenetre = new QVBoxLayout(this);
  fenetre->addLayout(entete);
  fenetre->addSpacing(6);
  fenetre->setSpacing(0);
  fenetre->addWidget(TabPiste);
  fenetre->addWidget(page);
  fenetre->addSpacing(8);
  fenetre->addLayout(boutons);

  // ---- Timers and handlers ----
  QTimer** minuteries[5] = {&Timer1, &Timer2, &Timer3, &Timer4, &Timer5};
  for (int k = 0; k < 5; ++k) {
    repetitions_[k] = new TBoutonsRepetes(this, k == 0 ? ProfilRepetition::Accordage : ProfilRepetition::Entier);
    *minuteries[k] = repetitions_[k]->Minuterie();
  }
  TBoutonsRepetes &repAccordage = *repetitions_[0], &repTempo = *repetitions_[1], &repInstrument = *repetitions_[2],
                  &repCapo = *repetitions_[3], &repFrettes = *repetitions_[4];
  repTempo.Brancher(BT_TempoUp, [this](int n) { PasTempo(n); });
  repTempo.Brancher(BT_TempoDown, [this](int n) { PasTempo(-n); });
  repInstrument.Brancher(InstrumentUp, [this](int n) { PasInstrument(n); });
  repInstrument.Brancher(InstrumentDown, [this](int n) { PasInstrument(-n); });
  repCapo.Brancher(BT_CapoUp, [this](int n) { PasCapo(n); });
  repCapo.Brancher(BT_CapoDown, [this](int n) { PasCapo(-n); });
  repFrettes.Brancher(BT_FretUp, [this](int n) { PasFrettes(n); });
  repFrettes.Brancher(BT_FretDown, [this](int n) { PasFrettes(-n); });
  for (int r = 1; r <= 6; ++r) {
    repAccordage.Brancher(BT_CUp[r], [this, r](int n) { PasCorde(r, n); });
    repAccordage.Brancher(BT_CDown[r], [this, r](int n) { PasCorde(r, -n); });
    connect(Ecouter[r], &QToolButton::clicked, this, [this, r] { EcouterClic(r); });
  }
  connect(EcouterTout, &QToolButton::clicked, this, [this] { EcouterClic(0); });
  connect(ToutUp, &QToolButton::clicked, this, [this] { PasToutAccordage(+1); });
  connect(ToutDown, &QToolButton::clicked, this, [this] { PasToutAccordage(-1); });
  connect(BT_NbCordesUp, &QToolButton::clicked, this, [this] { PasNbCordes(+1); });
  connect(BT_NbCordesDown, &QToolButton::clicked, this, [this] { PasNbCordes(-1); });
  connect(BT_Instrument, &QToolButton::clicked, this, [this] {
    if (ChoisirInstrument(ProprietesTempo.Instrument[PisteEnCours], this))
      Instrument->setText(NomInstrument(ProprietesTempo.Instrument[PisteEnCours]));
  });
  connect(ModeleList, &QComboBox::activated, this, [this](int index) { AppliquerModele(index); });
  connect(NomPiste, &QLineEdit::textEdited, this, [this](const QString& t) {
    if (garde_) return;
    ProprietesTempo.NomPiste[PisteEnCours] = QStringToAnsi(t);
    RemplirOnglets();
  });
  connect(TabPiste, &QTabBar::currentChanged, this, [this](int index) { ChangerOnglet(index); });
  QSlider* curseurs[4] = {Volume, Panoramique, Chorus, Reverb};
  for (int k = 0; k < 4; ++k)
    connect(curseurs[k], &QSlider::valueChanged, this, [this, k] {
      if (!garde_) curseurBouge_[PisteEnCours][k] = true;
    });
  connect(Solo, &QCheckBox::clicked, this, [this](bool coche) { SoloClic(coche); });
  connect(BT_OK, &QPushButton::clicked, this, &TSais_Partition::BT_OKClick);
  connect(BT_Annuler, &QPushButton::clicked, this, &QDialog::reject);
  connect(BT_Aide, &QPushButton::clicked, this, [] {
    const QString page = DossierProgramme() + QStringLiteral("help/Sais_par.html");
    if (QFileInfo::exists(page))
      QDesktopServices::openUrl(QUrl::fromLocalFile(page));
    else
      MessageBoxD(TexteLangue("Dlg-Information"), TexteLangue("Aide-NonDisponible"), MB_ICONE_INFORMATION, MB_OK,
                  MB_DEF_OK);
  });
  RemplirListeAccordages();
  Traduire();
}

// ---- Texts ----

void TSais_Partition::Traduire() {
  QSet<QChar> utilisees;
  auto prop = [](int ligne, const char* defaut) { return Legende(GroupeProp, ligne, defaut); };
  auto raccourci = [&](const QString& t) { return AjouterRaccourci(t, utilisees); };
  setWindowTitle(prop(1, "Song and track properties"));
  BT_OK->setText(raccourci(Legende(LignesDlg::Groupe, LignesDlg::OK, "OK")));
  BT_Annuler->setText(raccourci(Legende(LignesDlg::Groupe, LignesDlg::Annuler, "Cancel")));
  BT_Aide->setText(raccourci(Legende(LignesDlg::Groupe, LignesDlg::Aide, "Help")));
  LabTitre->setText(raccourci(prop(2, "Title:")));
  LabAuteur->setText(raccourci(prop(3, "Author:")));
  LabCom->setText(raccourci(prop(4, "Comment:")));
  LabTempo->setText(raccourci(prop(5, "Tempo:")));
  Lab_NomPiste->setText(raccourci(prop(7, "Track name:")));
  Lab_Instrument->setText(raccourci(prop(8, "Instrument:")));
  BT_Instrument->setToolTip(prop(9, "Choose the instrument"));
  Lab_Biblio->setText(raccourci(prop(10, "Tuning library:")));
  LabNbCordes->setText(raccourci(prop(11, "Strings:")));
  Lab_NbFrets->setText(raccourci(prop(13, "Frets:")));
  Lab_Capo->setText(raccourci(QStringLiteral("Capo")));
  Lab_Volume->setText(raccourci(prop(18, "Volume")));
  Lab_Panoramique->setText(raccourci(prop(19, "Pan")));
  Lab_Chorus->setText(raccourci(prop(20, "Chorus")));
  Lab_Reverb->setText(raccourci(prop(21, "Reverb")));
  Triplet->setText(raccourci(prop(6, "Triplet feel")));
  Solo->setText(raccourci(prop(14, "Solo")));
  Muette->setText(raccourci(prop(15, "Mute")));
  PasExporter->setText(raccourci(prop(16, "Do not export")));
  DouzeCordes->setText(raccourci(prop(17, "12-string guitar")));
  LabAccordage->setTitle(QStringLiteral(" ") + prop(12, "Tuning") + QStringLiteral(" "));
  Lab_Cache1->setText(prop(22, "Percussion track"));
  Lab_Cache2->setText(prop(23, ""));
  Lab_Cache3->setText(prop(24, ""));
}

void TSais_Partition::changeEvent(QEvent* e) {
  QDialog::changeEvent(e);
  if (e->type() == QEvent::LanguageChange) Traduire();
}

// ---- Presets ----

void TSais_Partition::RemplirListeAccordages() {
  const QSignalBlocker b(ModeleList);
  ModeleList->clear();
  for (const TAccordage& a : Accordages) ModeleList->addItem(QString::fromLatin1(a.Nom));
  ModeleList->setCurrentIndex(-1);
}

int TSais_Partition::ChercherModele() const {
  return ::ChercherModele(ProprietesTempo.NbCordes[PisteEnCours], ProprietesTempo.Accordage[PisteEnCours]);
}

void TSais_Partition::AppliquerModele(int index) {
  // No note moves here: a change of string count is checked and carried out on OK.
  if (!::AppliquerModele(index, ProprietesTempo.NbCordes[PisteEnCours], ProprietesTempo.Accordage[PisteEnCours]))
    return;
  AfficherAccordage();
  MajLignesCordes();
}

// ---- Activation, loading and storing ----

void TSais_Partition::showEvent(QShowEvent* e) {
  QDialog::showEvent(e);
  FormActivate();
}

void TSais_Partition::FormActivate() {
  const int hauteur = Arrondi(logicalDpiY() * 18.0 / 96.0);
  for (QSlider* s : {Volume, Panoramique, Chorus, Reverb}) s->setFixedHeight(std::max(hauteur, s->minimumSizeHint().height()));
  PisteEnCours = std::clamp(PisteCourante, 1, NB_PISTES);
  CopierVersProprietes(Partition, ProprietesTempo);
  for (auto& b : curseurBouge_) std::fill(std::begin(b), std::end(b), false);
  {
    const QSignalBlocker b(TabPiste);
    RemplirOnglets();
    TabPiste->setCurrentIndex(PisteEnCours - 1);
  }
  ChargerEntete();
  ChargerPiste();
  CordeEcoutee = -1;
  FermetureAutorisee = 1;
  MajEtatLecture();
  MajPistePercussions();
  NomPiste->setFocus();
  NomPiste->selectAll();
}

void TSais_Partition::RemplirOnglets() {
  for (int t = 1; t <= NB_PISTES; ++t)
    TabPiste->setTabText(t - 1, QString::number(t) + QStringLiteral(" - ") + AnsiToQString(ProprietesTempo.NomPiste[t]));
}

void TSais_Partition::ChargerEntete() {
  garde_ = true;
  Titre->setText(AnsiToQString(ProprietesTempo.Titre));
  Auteur->setText(AnsiToQString(ProprietesTempo.Auteur));
  Note->setText(AnsiToQString(ProprietesTempo.Commentaire));
  for (QLineEdit* e : {Titre, Auteur, Note}) e->setModified(false);
  Tempo->setText(QString::number(ProprietesTempo.Tempo));
  Triplet->setChecked(ProprietesTempo.TripletFeel == 1);
  garde_ = false;
}

void TSais_Partition::EnregistrerEntete() {
  // A text the user did not touch keeps its bytes, even those the edit cannot show.
  if (Titre->isModified()) ProprietesTempo.Titre = QStringToAnsi(Titre->text());
  if (Auteur->isModified()) ProprietesTempo.Auteur = QStringToAnsi(Auteur->text());
  if (Note->isModified()) ProprietesTempo.Commentaire = QStringToAnsi(Note->text());
  ProprietesTempo.Tempo = Tempo->text().toInt();
  ProprietesTempo.TripletFeel = Triplet->isChecked() ? 1 : 0;
}

void TSais_Partition::ChargerPiste() {
  const int t = PisteEnCours;
  garde_ = true;
  NomPiste->setText(AnsiToQString(ProprietesTempo.NomPiste[t]));
  Instrument->setText(t == PISTE_PERCUSSION ? NomKitBatterie(ProprietesTempo.Instrument[t])
                                            : NomInstrument(ProprietesTempo.Instrument[t]));
  Muette->setChecked(ProprietesTempo.Muette[t]);
  PasExporter->setChecked(ProprietesTempo.PasExporter[t]);
  DouzeCordes->setChecked(ProprietesTempo.DouzeCordes[t]);
  Volume->setValue(ValeurSlider(ProprietesTempo.Volume[t]));
  Panoramique->setValue(ValeurSlider(ProprietesTempo.Panoramique[t]));
  Chorus->setValue(ValeurSlider(ProprietesTempo.Chorus[t]));
  Reverb->setValue(ValeurSlider(ProprietesTempo.Reverb[t]));
  AfficherAccordage();
  MajLignesCordes();
  Muette->setEnabled(!ProprietesTempo.SoloActif && !EnLecture());
  Solo->setChecked(ProprietesTempo.SoloActif && ProprietesTempo.PisteSolo == t);
  Capo->setText(QString::number(ProprietesTempo.Capo[t]));
  NbFrets->setText(QString::number(ProprietesTempo.NbFrettes[t]));
  garde_ = false;
}

void TSais_Partition::EnregistrerPiste() {
  const int t = PisteEnCours;
  ProprietesTempo.Solo[t] = Solo->isChecked() ? 1 : 0;
  ProprietesTempo.Muette[t] = Muette->isChecked() ? 1 : 0;
  ProprietesTempo.PasExporter[t] = PasExporter->isChecked() ? 1 : 0;
  ProprietesTempo.DouzeCordes[t] = DouzeCordes->isChecked() ? 1 : 0;
  // A slider holds 21 steps: writing back one the user left alone would change its value.
  int32_t* valeurs[4] = {ProprietesTempo.Volume, ProprietesTempo.Panoramique, ProprietesTempo.Chorus,
                         ProprietesTempo.Reverb};
  QSlider* curseurs[4] = {Volume, Panoramique, Chorus, Reverb};
  for (int k = 0; k < 4; ++k)
    if (curseurBouge_[t][k]) valeurs[k][t] = ValeurMIDI(curseurs[k]->value());
  bool ok = false;
  int v = Capo->text().toInt(&ok);
  if (ok) ProprietesTempo.Capo[t] = std::clamp(v, 0, 12);
  v = NbFrets->text().toInt(&ok);
  if (ok) ProprietesTempo.NbFrettes[t] = std::clamp(v, 3, 24);
}

int TSais_Partition::Rangee(int corde) const { return corde + (6 - ProprietesTempo.NbCordes[PisteEnCours]); }

void TSais_Partition::AfficherAccordage() {
  const int t = PisteEnCours;
  const int n = std::clamp(ProprietesTempo.NbCordes[t], 4, 6);
  {
    const QSignalBlocker b(ModeleList);
    ModeleList->setCurrentIndex(ChercherModele());
  }
  NbCordes->setText(QString::number(n));
  for (int r = 1; r <= 6; ++r) {
    const int s = r - (6 - n);
    NoteCorde[r]->setText(s >= 1 ? NomNoteCorde(ProprietesTempo.Accordage[t][s]) : QString());
  }
  DouzeCordes->setEnabled(n == 6 && !EnLecture());
}

void TSais_Partition::MajLignesCordes() {
  const int n = std::clamp(ProprietesTempo.NbCordes[PisteEnCours], 4, 6);
  const bool lecture = EnLecture();
  for (int r = 1; r <= 2; ++r) {
    const bool existe = r > 6 - n;
    const bool actif = existe && !lecture;
    BT_CUp[r]->setEnabled(actif);
    BT_CDown[r]->setEnabled(actif);
    Ecouter[r]->setEnabled(actif);
    if (!actif) Ecouter[r]->setChecked(false);
    NoteCorde[r]->setVisible(existe);
    DessinCorde[r]->setVisible(existe);
    BT_CUp[r]->setVisible(existe);
    BT_CDown[r]->setVisible(existe);
    Ecouter[r]->setVisible(existe);
  }
}

void TSais_Partition::MajPistePercussions() {
  const bool percussions = PisteEnCours == PISTE_PERCUSSION;
  Cache->setVisible(percussions);
  for (QWidget* w : std::initializer_list<QWidget*>{
           BT_Instrument, ModeleList, Lab_Biblio, NbCordes, BT_NbCordesUp, BT_NbCordesDown, LabNbCordes, LabAccordage,
           EcouterTout, ToutUp, ToutDown, NbFrets, BT_FretUp, BT_FretDown, Lab_NbFrets, Capo, BT_CapoUp, BT_CapoDown,
           Lab_Capo, DouzeCordes})
    w->setVisible(!percussions);
}

bool TSais_Partition::EnLecture() const { return VueEditeur().SongPlaying(); }

void TSais_Partition::MajEtatLecture() {
  const bool actif = !EnLecture();
  for (QWidget* w : std::initializer_list<QWidget*>{
           InstrumentUp, InstrumentDown, BT_Instrument, Tempo, BT_TempoUp, BT_TempoDown, ModeleList, BT_NbCordesUp,
           BT_NbCordesDown, ToutUp, ToutDown, Triplet, EcouterTout, Volume, Panoramique, Chorus, Reverb})
    w->setEnabled(actif);
  for (int r = 3; r <= 6; ++r)
    for (QWidget* w : std::initializer_list<QWidget*>{BT_CUp[r], BT_CDown[r], Ecouter[r]}) w->setEnabled(actif);
  if (!actif)
    for (int r = 0; r <= 6; ++r) (r ? Ecouter[r] : EcouterTout)->setChecked(false);
  Muette->setEnabled(actif && !ProprietesTempo.SoloActif);
  DouzeCordes->setEnabled(actif && ProprietesTempo.NbCordes[PisteEnCours] == 6);
  MajLignesCordes();
}

void TSais_Partition::ChangerOnglet(int index) {
  // The tab bar has no veto: a refused change puts the old tab back.
  if (!VerifierSaisie()) {
    const QSignalBlocker b(TabPiste);
    TabPiste->setCurrentIndex(PisteEnCours - 1);
    return;
  }
  EnregistrerPiste();
  PisteEnCours = std::clamp(index + 1, 1, NB_PISTES);
  ChargerPiste();
  MajPistePercussions();
}

// ---- Validation and apply ----

bool TSais_Partition::VerifierSaisie() {
  auto refuser = [](QLineEdit* e) {
    AfficherSaisieIncorrecte();
    e->setFocus();
    e->selectAll();
    return false;
  };
  if (Tempo->text().isEmpty()) return refuser(Tempo);
  if (Capo->text().isEmpty()) return refuser(Capo);
  if (Tempo->text().toInt() == 0) return refuser(Tempo);
  const int n = NbCordes->text().toInt();
  const int m = MesureCordeRetiree(Partition, PisteEnCours, n);
  if (m == 0) return true;
  MessageBoxD(TexteLangue("Dlg-Erreur"), RemplacerParam1et2(TexteLangue("Prop-PeutPasChangerDeNbDeCordes"), m, n),
              MB_ICONE_ERREUR, MB_OK, MB_DEF_OK);
  return false;
}

void TSais_Partition::BT_OKClick() {
  if (!VerifierSaisie()) {
    FermetureAutorisee = 0;
    return;
  }
  FermetureAutorisee = 1;
  EnregistrerPiste();
  EnregistrerEntete();
  bool deplacement = false;
  for (int t = 1; t <= NB_PISTES; ++t) deplacement |= ProprietesTempo.NbCordes[t] != Partition.NbCordes[t];
  if (deplacement) QApplication::setOverrideCursor(Qt::WaitCursor);
  int piste = 0, mesure = 0;
  const bool ok = AppliquerProprietesEdition(ProprietesTempo, PisteEnCours, &piste, &mesure);
  if (deplacement) QApplication::restoreOverrideCursor();
  if (!ok) {
    // Another tab's string count would drop a note: say where, and stay open.
    MessageBoxD(TexteLangue("Dlg-Erreur"),
                RemplacerParam1et2(TexteLangue("Prop-PeutPasChangerDeNbDeCordes"), mesure, ProprietesTempo.NbCordes[piste]),
                MB_ICONE_ERREUR, MB_OK, MB_DEF_OK);
    FermetureAutorisee = 0;
    return;
  }
  VueEditeur().ShowTitle();
  RafraichirZoneSaisie();
  VueEditeur().EditZoneImageChanged();
  Notificateur().vueARefaire();
  VueEditeur().RefreshActions();
  VueEditeur().UpdateTrackMenu();
  for (int t = 1; t <= NB_PISTES; ++t) VueEditeur().UpdateTrackButton(t);
  accept();
}

void TSais_Partition::done(int r) {
  // Closing after a listen releases the listen buttons; the sound ends by itself.
  if (CordeEcoutee >= 0) {
    for (int k = 1; k <= 6; ++k) Ecouter[k]->setChecked(false);
    EcouterTout->setChecked(false);
  }
  for (TBoutonsRepetes* rep : repetitions_) rep->Arreter();
  QDialog::done(r);
}

// ---- Steps ----

static void PasChamp(QLineEdit* e, int pas, int minimum, int maximum) {
  // Nothing happens while the edit is empty.
  if (e->text().isEmpty()) return;
  e->setText(QString::number(std::clamp(e->text().toInt() + pas, minimum, maximum)));
  e->setFocus();
  e->selectAll();
}

void TSais_Partition::PasTempo(int sens) { PasChamp(Tempo, sens, 1, 999); }
void TSais_Partition::PasCapo(int sens) { PasChamp(Capo, sens, 0, 12); }
void TSais_Partition::PasFrettes(int sens) { PasChamp(NbFrets, sens, 3, 24); }

void TSais_Partition::PasInstrument(int sens) {
  const int t = PisteEnCours;
  ProprietesTempo.Instrument[t] = std::clamp(ProprietesTempo.Instrument[t] + sens, 0, 127);
  Instrument->setText(t == PISTE_PERCUSSION ? NomKitBatterie(ProprietesTempo.Instrument[t])
                                            : NomInstrument(ProprietesTempo.Instrument[t]));
}

void TSais_Partition::PasNbCordes(int sens) {
  const int t = PisteEnCours;
  const int n = ProprietesTempo.NbCordes[t] + sens;
  if (n < 4 || n > 6) return;
  ProprietesTempo.NbCordes[t] = n;
  MajLignesCordes();
  AccordageParDefaut(n, ProprietesTempo.Accordage[t]);
  AfficherAccordage();
}

void TSais_Partition::PasCorde(int rangee, int sens) {
  const int t = PisteEnCours;
  const int s = rangee - (6 - ProprietesTempo.NbCordes[t]);
  if (s < 1 || s > 6) return;
  ProprietesTempo.Accordage[t][s] = std::clamp(ProprietesTempo.Accordage[t][s] + sens, 0, 119);
  AfficherAccordage();
}

void TSais_Partition::PasToutAccordage(int sens) {
  for (int r = 1; r <= 6; ++r)
    if ((sens > 0 ? BT_CUp[r] : BT_CDown[r])->isEnabled() && Rangee(1) <= r) PasCorde(r, sens);
}

void TSais_Partition::SoloClic(bool coche) {
  const int t = PisteEnCours;
  if (coche) {
    ProprietesTempo.SoloActif = 1;
    ProprietesTempo.PisteSolo = t;
    Muette->setEnabled(false);
    for (int p = 1; p <= NB_PISTES; ++p)
      if (p != t) ProprietesTempo.Solo[p] = 0;
  } else if (ProprietesTempo.PisteSolo == t) {
    ProprietesTempo.SoloActif = 0;
    ProprietesTempo.PisteSolo = 0;
    Muette->setEnabled(!EnLecture());
  }
}

// ---- Listening ----

void TSais_Partition::EcouterClic(int rangee) {
  if (ClicEcoute(BoutonsEcoute(), rangee, CordeEcoutee)) EcouterAccordage();
}

void TSais_Partition::EcouterAccordage() {
  if (!LecteurMIDI() || CordeEcoutee < 0) return;
  EnregistrerPiste();
  const TApercuAccordage a =
      ApercuProprietes(ProprietesTempo, PisteEnCours, CordeEcoutee, Capo->text().toInt(), DouzeCordes->isChecked());
  JouerApercu([&](const QString& chemin) { return EcrireMidiAccordage(chemin, a); });
}

bool TSais_Partition::NotificationLecture() {
  return NotificationEcoute(BoutonsEcoute(), isVisible(), CordeEcoutee, [this] { EcouterAccordage(); });
}

TBoutonsEcoute TSais_Partition::BoutonsEcoute() const { return {EcouterTout, Ecouter, 6}; }

// ---- Keys in the edits ----

bool TSais_Partition::eventFilter(QObject* o, QEvent* e) {
  if (e->type() != QEvent::KeyPress) return QDialog::eventFilter(o, e);
  auto* k = static_cast<QKeyEvent*>(e);
  const bool pave = k->modifiers() & Qt::KeypadModifier;
  int sens = 0;
  if (k->key() == Qt::Key_Up || (pave && k->key() == Qt::Key_Plus)) sens = +1;
  if (k->key() == Qt::Key_Down || (pave && k->key() == Qt::Key_Minus)) sens = -1;
  for (int r = 1; r <= 6; ++r) {
    if (o != NoteCorde[r]) continue;
    if (sens && BT_CUp[r]->isEnabled()) PasCorde(r, sens);
    // Every other key is swallowed but Backspace and the keys that leave the field.
    return k->key() != Qt::Key_Backspace && k->key() != Qt::Key_Tab && k->key() != Qt::Key_Backtab &&
           k->key() != Qt::Key_Escape && k->key() != Qt::Key_Return && k->key() != Qt::Key_Enter;
  }
  if (sens == 0) return QDialog::eventFilter(o, e);
  if (o == Tempo && BT_TempoUp->isEnabled()) PasTempo(sens);
  else if (o == Capo) PasCapo(sens);
  else if (o == NbFrets) PasFrettes(sens);
  else return QDialog::eventFilter(o, e);
  return true;
}
