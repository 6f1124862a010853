#include "midi/ui/SelMIDI.h"

#include "dialogs/EcouteAccordage.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QTabBar>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

#include "dialogs/BoutonsRepetes.h"
#include "dialogs/Sais_ins.h"
#include "editor/state/EtatProgramme.h"
#include "editor/state/VueEditeur.h"
#include "files/FileCommands.h"  // CheminFichierTemp
#include "midi/ApercuAccordage.h"
#include "midi/Lecture.h"  // NomInstrument, NomKitBatterie, LecteurMIDI
#include "platform/MediaPlayer.h"
#include "platform/Types.h"
#include "song/Accordages.h"
#include "settings/Aide.h"
#include "settings/Langue.h"

TSelMIDIForm* SelMIDIForm = nullptr;

namespace {

QToolButton* Bouton(QWidget* parent, const QString& nom, const QString& texte) {
  auto* b = new QToolButton(parent);
  b->setObjectName(nom);
  b->setText(texte);
  b->setFocusPolicy(Qt::NoFocus);
  return b;
}

QLabel* Etiquette(QWidget* parent, const char* nom) {
  auto* l = new QLabel(parent);
  l->setObjectName(QString::fromLatin1(nom));
  return l;
}

}  // namespace

TSelMIDIForm::TSelMIDIForm(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("SelMIDIForm"));
  setModal(true);
  auto* racine = new QVBoxLayout(this);
  TabPiste = new QTabBar(this);
  TabPiste->setObjectName(QStringLiteral("TabPiste"));
  for (int t = 1; t <= NB_PISTES; ++t) TabPiste->addTab(QString::number(t));
  racine->addWidget(TabPiste);

  auto* corps = new QHBoxLayout;
  racine->addLayout(corps);
  auto* gauche = new QVBoxLayout;
  corps->addLayout(gauche);
  Lab_Sel_piste = Etiquette(this, "Lab_Sel_piste");
  ListePiste = new QListWidget(this);
  ListePiste->setObjectName(QStringLiteral("ListePiste"));
  DeselectionnerPiste = new QPushButton(this);
  DeselectionnerPiste->setObjectName(QStringLiteral("DeselectionnerPiste"));
  Lab_NomPiste = Etiquette(this, "Lab_NomPiste");
  NomPiste = new QLineEdit(this);
  NomPiste->setObjectName(QStringLiteral("NomPiste"));
  NomPiste->setMaxLength(100);
  Transposer = new QCheckBox(this);
  Transposer->setObjectName(QStringLiteral("Transposer"));
  Lab_Quantization = Etiquette(this, "Lab_Quantization");
  auto* quantif = new QHBoxLayout;
  auto* groupe = new QButtonGroup(this);
  const struct {
    QRadioButton** b;
    const char* nom;
    const char* texte;
  } radios[] = {{&CQuantize2, "CQuantize2", "1/8"},
                {&CQuantize4, "CQuantize4", "1/16"},
                {&CQuantize8, "CQuantize8", "1/32"},
                {&CQuantize16, "CQuantize16", "1/64"}};
  for (const auto& r : radios) {
    *r.b = new QRadioButton(QString::fromLatin1(r.texte), this);
    (*r.b)->setObjectName(QString::fromLatin1(r.nom));
    groupe->addButton(*r.b);
    quantif->addWidget(*r.b);
  }
  gauche->addWidget(Lab_Sel_piste);
  gauche->addWidget(ListePiste);
  gauche->addWidget(DeselectionnerPiste);
  gauche->addWidget(Lab_NomPiste);
  gauche->addWidget(NomPiste);
  gauche->addWidget(Transposer);
  gauche->addWidget(Lab_Quantization);
  gauche->addLayout(quantif);

  // The program stays in sight on every track (the drum kit on the percussion track); the
  // chooser, presets, strings, tuning and frets are hidden on the percussion track.
  auto* droite = new QVBoxLayout;
  corps->addLayout(droite);
  LigneInstrument = new QWidget(this);
  LigneInstrument->setObjectName(QStringLiteral("LigneInstrument"));
  auto* li = new QGridLayout(LigneInstrument);
  Lab_Instrument = Etiquette(LigneInstrument, "Lab_Instrument");
  Instrument = Etiquette(LigneInstrument, "Instrument");
  InstrumentDown = Bouton(LigneInstrument, QStringLiteral("InstrumentDown"), QStringLiteral("-"));
  InstrumentUp = Bouton(LigneInstrument, QStringLiteral("InstrumentUp"), QStringLiteral("+"));
  BT_Instrument = Bouton(LigneInstrument, QStringLiteral("BT_Instrument"), QStringLiteral("..."));
  BT_Instrument->setFocusPolicy(Qt::StrongFocus);
  li->addWidget(Lab_Instrument, 0, 0);
  li->addWidget(Instrument, 0, 1, 1, 3);
  li->addWidget(InstrumentDown, 0, 4);
  li->addWidget(InstrumentUp, 0, 5);
  li->addWidget(BT_Instrument, 0, 6);
  droite->addWidget(LigneInstrument);
  Reglages = new QWidget(this);
  auto* g = new QGridLayout(Reglages);
  Lab_Biblio = Etiquette(Reglages, "Lab_Biblio");
  ModeleList = new QComboBox(Reglages);
  ModeleList->setObjectName(QStringLiteral("ModeleList"));
  g->addWidget(Lab_Biblio, 1, 0);
  g->addWidget(ModeleList, 1, 1, 1, 6);
  LabNbCordes = Etiquette(Reglages, "LabNbCordes");
  NbCordes = new QLineEdit(Reglages);
  NbCordes->setObjectName(QStringLiteral("NbCordes"));
  NbCordes->setReadOnly(true);
  NbCordes->installEventFilter(this);
  BT_NbCordesDown = Bouton(Reglages, QStringLiteral("BT_NbCordesDown"), QStringLiteral("-"));
  BT_NbCordesUp = Bouton(Reglages, QStringLiteral("BT_NbCordesUp"), QStringLiteral("+"));
  g->addWidget(LabNbCordes, 2, 0);
  g->addWidget(NbCordes, 2, 1);
  g->addWidget(BT_NbCordesDown, 2, 2);
  g->addWidget(BT_NbCordesUp, 2, 3);
  LabAccordage = Etiquette(Reglages, "LabAccordage");
  g->addWidget(LabAccordage, 3, 0);
  for (int s = 1; s <= NB_CORDES_MAX; ++s) {
    NoteCorde[s] = new QLineEdit(Reglages);
    NoteCorde[s]->setObjectName(QStringLiteral("NoteCorde%1").arg(s));
    NoteCorde[s]->setReadOnly(true);
    NoteCorde[s]->setMaxLength(3);
    NoteCorde[s]->installEventFilter(this);
    BT_CDown[s] = Bouton(Reglages, QStringLiteral("BT_C%1Down").arg(s), QStringLiteral("-"));
    BT_CUp[s] = Bouton(Reglages, QStringLiteral("BT_C%1Up").arg(s), QStringLiteral("+"));
    Ecouter[s] = new QToolButton(Reglages);
    Ecouter[s]->setObjectName(QStringLiteral("Ecouter%1").arg(s));
    Ecouter[s]->setCheckable(true);
    Ecouter[s]->setText(QStringLiteral("\u266A"));
    Ecouter[s]->setFocusPolicy(Qt::NoFocus);
    g->addWidget(NoteCorde[s], 3 + s, 1);
    g->addWidget(BT_CDown[s], 3 + s, 2);
    g->addWidget(BT_CUp[s], 3 + s, 3);
    g->addWidget(Ecouter[s], 3 + s, 4);
  }
  EcouterTout = new QToolButton(Reglages);
  EcouterTout->setObjectName(QStringLiteral("EcouterTout"));
  EcouterTout->setCheckable(true);
  EcouterTout->setText(QStringLiteral("\u266B"));
  EcouterTout->setFocusPolicy(Qt::NoFocus);
  g->addWidget(EcouterTout, 10, 4);
  ToutDown = Bouton(Reglages, QStringLiteral("ToutDown"), QStringLiteral("-"));
  ToutUp = Bouton(Reglages, QStringLiteral("ToutUp"), QStringLiteral("+"));
  g->addWidget(ToutDown, 10, 2);
  g->addWidget(ToutUp, 10, 3);
  Lab_NbFrets = Etiquette(Reglages, "Lab_NbFrets");
  NbFrets = new QLineEdit(Reglages);
  NbFrets->setObjectName(QStringLiteral("NbFrets"));
  NbFrets->setReadOnly(true);
  NbFrets->installEventFilter(this);
  BT_FretDown = Bouton(Reglages, QStringLiteral("BT_FretDown"), QStringLiteral("-"));
  BT_FretUp = Bouton(Reglages, QStringLiteral("BT_FretUp"), QStringLiteral("+"));
  g->addWidget(Lab_NbFrets, 11, 0);
  g->addWidget(NbFrets, 11, 1);
  g->addWidget(BT_FretDown, 11, 2);
  g->addWidget(BT_FretUp, 11, 3);
  droite->addWidget(Reglages);

  Cache = new QWidget(this);
  Cache->setObjectName(QStringLiteral("Cache"));
  auto* c = new QVBoxLayout(Cache);
  Lab_Cache2 = Etiquette(Cache, "Lab_Cache2");
  Lab_Cache3 = Etiquette(Cache, "Lab_Cache3");
  Lab_Cache2->setWordWrap(true);
  Lab_Cache3->setWordWrap(true);
  c->addWidget(Lab_Cache2);
  c->addWidget(Lab_Cache3);
  c->addStretch();
  droite->addWidget(Cache);
  droite->addStretch();
  Cache->hide();

  auto* boutons = new QHBoxLayout;
  racine->addLayout(boutons);
  BT_OK = new QPushButton(this);
  BT_OK->setObjectName(QStringLiteral("BT_OK"));
  BT_OK->setDefault(true);
  BT_Annuler = new QPushButton(this);
  BT_Annuler->setObjectName(QStringLiteral("BT_Annuler"));
  BT_Aide = new QPushButton(this);
  BT_Aide->setObjectName(QStringLiteral("BT_Aide"));
  boutons->addStretch();
  boutons->addWidget(BT_OK);
  boutons->addWidget(BT_Annuler);
  boutons->addWidget(BT_Aide);

  connect(TabPiste, &QTabBar::currentChanged, this, [this](int i) {
    if (!chargement_) ChangerPiste(i + 1);
  });
  connect(ListePiste, &QListWidget::itemSelectionChanged, this, [this] {
    if (chargement_ || !copie_) return;
    const int ligne = LigneChoisie();
    if (ligne >= 0) {
      // Choosing a source proposes its name and its program.
      NomPiste->setText(ListePiste->item(ligne)->text());
      copie_->Instrument[piste_] = ListePiste->item(ligne)->data(Qt::UserRole).toInt();
      AfficherInstrument();
    } else {
      NomPiste->clear();  // no source (a click beside the sources too): no source's name either
    }
    DeselectionnerPiste->setEnabled(ligne >= 0);
    MajOK();
  });
  connect(DeselectionnerPiste, &QPushButton::clicked, this, [this] {
    ListePiste->clearSelection();
    NomPiste->clear();
  });
  connect(NomPiste, &QLineEdit::textChanged, this, [this] {
    if (!copie_) return;
    copie_->NomPiste[piste_] = QStringToAnsi(NomPiste->text());
    MajOnglet(piste_);
  });
  // The held buttons repeat on their family's timer; a click is one step.
  auto* repAccordage = new TBoutonsRepetes(this, ProfilRepetition::Accordage);
  auto* repInstrument = new TBoutonsRepetes(this, ProfilRepetition::Entier);
  auto* repFrettes = new TBoutonsRepetes(this, ProfilRepetition::Entier);
  Timer1 = repAccordage->Minuterie();
  Timer3 = repInstrument->Minuterie();
  Timer5 = repFrettes->Minuterie();
  repInstrument->Brancher(InstrumentUp, [this](int n) { PasInstrument(n); });
  repInstrument->Brancher(InstrumentDown, [this](int n) { PasInstrument(-n); });
  connect(BT_Instrument, &QToolButton::clicked, this, [this] {
    if (!copie_) return;
    if (ChoisirInstrument(copie_->Instrument[piste_], this)) AfficherInstrument();
  });
  connect(BT_NbCordesUp, &QToolButton::clicked, this, [this] { PasNbCordes(1); });
  connect(BT_NbCordesDown, &QToolButton::clicked, this, [this] { PasNbCordes(-1); });
  for (int s = 1; s <= NB_CORDES_MAX; ++s) {
    repAccordage->Brancher(BT_CUp[s], [this, s](int n) { PasCorde(s, n); });
    repAccordage->Brancher(BT_CDown[s], [this, s](int n) { PasCorde(s, -n); });
  }
  repAccordage->Brancher(ToutUp, [this](int n) { PasCorde(0, n); });
  repAccordage->Brancher(ToutDown, [this](int n) { PasCorde(0, -n); });
  repFrettes->Brancher(BT_FretUp, [this](int n) { PasFrettes(n); });
  repFrettes->Brancher(BT_FretDown, [this](int n) { PasFrettes(-n); });
  // The press made the step; the click hands the field to the keys (Up, Down, keypad + and -).
  connect(BT_FretDown, &QToolButton::clicked, this, [this] {
    NbFrets->setFocus();
    NbFrets->selectAll();
  });
  connect(ModeleList, &QComboBox::activated, this, [this](int i) {
    if (copie_ && AppliquerModele(i, copie_->NbCordes[piste_], copie_->Accordage[piste_])) AfficherAccordage();
  });
  for (int s = 1; s <= NB_CORDES_MAX; ++s)
    connect(Ecouter[s], &QToolButton::clicked, this, [this, s] { EcouterClic(s); });
  connect(EcouterTout, &QToolButton::clicked, this, [this] { EcouterClic(0); });
  connect(BT_OK, &QPushButton::clicked, this, [this] {
    EnregistrerPiste();
    Confirme = true;
    accept();
  });
  connect(BT_Annuler, &QPushButton::clicked, this, &QDialog::reject);
  connect(BT_Aide, &QPushButton::clicked, this, [] { OuvrirAide(QStringLiteral("SelMIDI")); });
  Traduire();
}

void TSelMIDIForm::RemplirBibliotheque() {
  QSignalBlocker bloque(ModeleList);
  ModeleList->clear();
  for (const TAccordage& a : Accordages) ModeleList->addItem(QString::fromLatin1(a.Nom));
}

void TSelMIDIForm::Traduire() {
  const int dlg = TrouverGroupe(QStringLiteral("DLG_000"));
  if (dlg < 0) return;
  BT_OK->setText(TexteLigne(dlg, 1));
  BT_Annuler->setText(TexteLigne(dlg, 2));
  BT_Aide->setText(TexteLigne(dlg, 5));
  const int impm = TrouverGroupe(QStringLiteral("DLG_IMPM_000"));
  if (impm >= 0) {
    setWindowTitle(TexteLigne(impm, 1));
    Lab_Sel_piste->setText(TexteLigne(impm, 2));
    DeselectionnerPiste->setText(TexteLigne(impm, 3));
    Transposer->setText(TexteLigne(impm, 4));
    Lab_Quantization->setText(TexteLigne(impm, 5));
    Lab_Cache2->setText(TexteLigne(impm, 6));
    Lab_Cache3->setText(TexteLigne(impm, 7));
    const int prop = TrouverGroupe(QStringLiteral("DLG_PROP_000"));
    if (prop >= 0) {
      Lab_NomPiste->setText(TexteLigne(prop, 7));
      Lab_Instrument->setText(TexteLigne(prop, 8));
      BT_Instrument->setToolTip(TexteLigne(prop, 9));
      Lab_Biblio->setText(TexteLigne(prop, 10));
      LabNbCordes->setText(TexteLigne(prop, 11));
      LabAccordage->setText(TexteLigne(prop, 12));
      Lab_NbFrets->setText(TexteLigne(prop, 13));
    }
  }
  QSet<QChar> utilisees;
  for (QPushButton* b : {BT_OK, BT_Annuler, BT_Aide, DeselectionnerPiste}) b->setText(AjouterRaccourci(b->text(), utilisees));
  for (QLabel* l : {Lab_NomPiste, Lab_Instrument, Lab_Biblio, LabNbCordes, Lab_NbFrets, LabAccordage})
    l->setText(AjouterRaccourci(l->text(), utilisees));
  Transposer->setText(AjouterRaccourci(Transposer->text(), utilisees));
  Lab_Sel_piste->setText(AjouterRaccourci(Lab_Sel_piste->text(), utilisees));
  LabAccordage->setText(QLatin1Char(' ') + LabAccordage->text() + QLatin1Char(' '));
  Lab_NomPiste->setBuddy(NomPiste);
  Lab_Sel_piste->setBuddy(ListePiste);
  LabNbCordes->setBuddy(NbCordes);
  Lab_NbFrets->setBuddy(NbFrets);
  Lab_Biblio->setBuddy(ModeleList);
  Lab_Instrument->setBuddy(BT_Instrument);
  LabAccordage->setBuddy(NoteCorde[NB_CORDES_MAX]);
}

void TSelMIDIForm::changeEvent(QEvent* e) {
  QDialog::changeEvent(e);
  if (e->type() == QEvent::LanguageChange) Traduire();
}

bool TSelMIDIForm::Choisir(const std::vector<TSourceMIDI>& sources, TProprietesTempo& copie) {
  copie_ = &copie;
  Confirme = false;
  CordeEcoutee = -1;
  chargement_ = true;
  ListePiste->clear();
  for (const TSourceMIDI& s : sources) {
    auto* item = new QListWidgetItem(s.Texte, ListePiste);
    item->setData(Qt::UserRole, s.Programme);
  }
  if (ModeleList->count() == 0) RemplirBibliotheque();
  for (int t = 1; t <= NB_PISTES; ++t) {
    copie.PisteSource[t] = 0;
    copie.OctaveInferieure[t] = 0;
    copie.Quantification[t] = 4;
    MajOnglet(t);
  }
  piste_ = 1;
  TabPiste->setCurrentIndex(0);
  chargement_ = false;
  ChargerPiste();
  NomPiste->setFocus();
  NomPiste->selectAll();
  exec();
  // A preview still sounding ends by itself; nothing replays it.
  for (int r = 0; r <= NB_CORDES_MAX; ++r) (r ? Ecouter[r] : EcouterTout)->setChecked(false);
  copie_ = nullptr;
  return Confirme;
}

void TSelMIDIForm::MajOnglet(int piste) {
  if (!copie_) return;
  TabPiste->setTabText(piste - 1, QStringLiteral("%1 - %2").arg(piste).arg(AnsiToQString(copie_->NomPiste[piste])));
}

int TSelMIDIForm::LigneChoisie() const {
  const QList<QListWidgetItem*> choisis = ListePiste->selectedItems();
  return choisis.isEmpty() ? -1 : ListePiste->row(choisis.first());
}

void TSelMIDIForm::MajOK() {
  bool source = LigneChoisie() >= 0;
  for (int t = 1; t <= NB_PISTES && copie_; ++t)
    if (t != piste_ && copie_->PisteSource[t] > 0) source = true;
  BT_OK->setEnabled(source);
}

void TSelMIDIForm::AfficherAccordage() {
  if (!copie_) return;
  const int n = copie_->NbCordes[piste_];
  NbCordes->setText(QString::number(n));
  // The shown strings are the last rows: a 4-string track uses rows 3 to 6. While a song plays
  // the strings can be neither changed nor heard.
  const bool libre = !VueEditeur().SongPlaying();
  for (int s = 1; s <= NB_CORDES_MAX; ++s) {
    const int corde = s - (NB_CORDES_MAX - n);
    const bool montre = corde >= 1;
    for (QWidget* w : std::initializer_list<QWidget*>{NoteCorde[s], BT_CUp[s], BT_CDown[s], Ecouter[s]})
      w->setVisible(montre);
    for (QWidget* w : std::initializer_list<QWidget*>{BT_CUp[s], BT_CDown[s], Ecouter[s]}) w->setEnabled(libre);
    if (montre) NoteCorde[s]->setText(NomNoteCorde(copie_->Accordage[piste_][corde]));
  }
  EcouterTout->setEnabled(libre);
  QSignalBlocker bloque(ModeleList);
  ModeleList->setCurrentIndex(ChercherModele(n, copie_->Accordage[piste_]));
}

void TSelMIDIForm::AfficherInstrument() {
  if (!copie_) return;
  const int i = copie_->Instrument[piste_];
  Instrument->setText(piste_ == PISTE_PERCUSSION ? NomKitBatterie(i) : NomInstrument(i));
}

void TSelMIDIForm::ChargerPiste() {
  if (!copie_) return;
  chargement_ = true;
  const TProprietesTempo& c = *copie_;
  const int t = piste_;
  NomPiste->setText(AnsiToQString(c.NomPiste[t]));
  AfficherInstrument();
  ListePiste->clearSelection();
  if (c.PisteSource[t] > 0) ListePiste->setCurrentRow(c.PisteSource[t] - 1);
  DeselectionnerPiste->setEnabled(c.PisteSource[t] > 0);
  Transposer->setChecked(c.OctaveInferieure[t]);
  (c.Quantification[t] == 2    ? CQuantize2
   : c.Quantification[t] == 8  ? CQuantize8
   : c.Quantification[t] == 16 ? CQuantize16
                               : CQuantize4)
      ->setChecked(true);
  NbFrets->setText(QString::number(c.NbFrettes[t]));
  AfficherAccordage();
  const bool percussion = t == PISTE_PERCUSSION;
  BT_Instrument->setVisible(!percussion);
  Reglages->setVisible(!percussion);
  Transposer->setVisible(!percussion);
  Cache->setVisible(percussion);
  chargement_ = false;
  MajOK();
}

void TSelMIDIForm::EnregistrerPiste() {
  if (!copie_) return;
  TProprietesTempo& c = *copie_;
  const int t = piste_;
  c.NomPiste[t] = QStringToAnsi(NomPiste->text());
  c.PisteSource[t] = LigneChoisie() + 1;
  c.OctaveInferieure[t] = Transposer->isChecked();
  c.NbFrettes[t] = NbFrets->text().toInt();
  c.Quantification[t] = CQuantize2->isChecked() ? 2 : CQuantize8->isChecked() ? 8 : CQuantize16->isChecked() ? 16 : 4;
}

void TSelMIDIForm::ChangerPiste(int piste) {
  if (piste < 1 || piste > NB_PISTES || piste == piste_) return;
  EnregistrerPiste();
  piste_ = piste;
  {
    QSignalBlocker bloque(TabPiste);
    TabPiste->setCurrentIndex(piste - 1);
  }
  ChargerPiste();
}

void TSelMIDIForm::PasInstrument(int sens) {
  if (!copie_) return;
  int32_t& i = copie_->Instrument[piste_];
  i = std::clamp(i + sens, 0, 127);
  AfficherInstrument();
}

void TSelMIDIForm::PasNbCordes(int sens) {
  if (!copie_) return;
  const int n = std::clamp(copie_->NbCordes[piste_] + sens, 4, NB_CORDES_MAX);
  if (n == copie_->NbCordes[piste_]) return;
  copie_->NbCordes[piste_] = n;
  AccordageParDefaut(n, copie_->Accordage[piste_]);
  AfficherAccordage();
}

void TSelMIDIForm::PasCorde(int corde, int sens) {
  if (!copie_) return;
  const int n = copie_->NbCordes[piste_];
  for (int c = 1; c <= n; ++c) {
    // Rows count from the top of six; a track of n strings shows the last n.
    const int rang = c + (NB_CORDES_MAX - n);
    int32_t& h = copie_->Accordage[piste_][c];
    if (corde == 0 || corde == rang) h = std::clamp(h + sens, 0, 119);
  }
  AfficherAccordage();
}

void TSelMIDIForm::PasFrettes(int sens) {
  NbFrets->setText(QString::number(std::clamp(NbFrets->text().toInt() + sens, 3, 24)));
  if (copie_) copie_->NbFrettes[piste_] = NbFrets->text().toInt();
}

// ---- Listening ----

void TSelMIDIForm::EcouterClic(int rangee) {
  if (ClicEcoute(BoutonsEcoute(), rangee, CordeEcoutee)) EcouterAccordage();
}

void TSelMIDIForm::EcouterAccordage() {
  if (!LecteurMIDI() || !copie_ || CordeEcoutee < 0) return;
  EnregistrerPiste();
  const auto apercu = ApercuImport(*copie_, piste_, CordeEcoutee);
  JouerApercu([&](const QString& chemin) { return EcrireMidiAccordageImport(chemin, apercu); });
}

bool TSelMIDIForm::NotificationLecture() {
  return NotificationEcoute(BoutonsEcoute(), isVisible(), CordeEcoutee, [this] { EcouterAccordage(); });
}

TBoutonsEcoute TSelMIDIForm::BoutonsEcoute() const { return {EcouterTout, Ecouter, NB_CORDES_MAX}; }

bool TSelMIDIForm::eventFilter(QObject* o, QEvent* e) {
  if (e->type() != QEvent::KeyPress) return QDialog::eventFilter(o, e);
  const int k = static_cast<QKeyEvent*>(e)->key();
  const int sens = (k == Qt::Key_Up || k == Qt::Key_Plus) ? 1 : (k == Qt::Key_Down || k == Qt::Key_Minus) ? -1 : 0;
  if (!sens) return QDialog::eventFilter(o, e);
  if (o == NbCordes) PasNbCordes(sens);
  if (o == NbFrets) PasFrettes(sens);
  for (int s = 1; s <= NB_CORDES_MAX; ++s)
    if (o == NoteCorde[s]) PasCorde(s, sens);
  return true;
}
