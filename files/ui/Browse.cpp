#include "files/ui/Browse.h"

#include <QActionGroup>
#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLocale>
#include <QMenu>
#include <QPushButton>
#include <QSet>
#include <QSignalBlocker>
#include <QSplitter>
#include <QStatusBar>
#include <QStyle>
#include <QElapsedTimer>
#include <QTimer>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "components/FormPlace.h"
#include "components/VxCmboBx.h"
#include "components/VxFilSys.h"
#include "editor/state/EtatProgramme.h"
#include "editor/state/Partition.h"
#include "editor/state/VueEditeur.h"
#include "files/FichierSqt.h"
#include "midi/Lecture.h"
#include "platform/Evenements.h"
#include "platform/Folders.h"
#include "platform/IniFile.h"
#include "settings/ConfigFile.h"
#include "settings/Langue.h"
#include "settings/LignesLangue.h"
#include "settings/Mess.h"
#include "song/Song.h"

namespace {

// The tree shows a folder whose entries it may read, on one of its drives: not a file, not a
// folder closed to the user, not one outside the drives it was given.
bool Montrable(const TVxDirectoryTree& arbre, const QString& dossier) {
  const QFileInfo fi(dossier);
  return fi.isDir() && fi.isReadable() && fi.isExecutable() && !arbre.RacineDe(LongPathName(dossier)).isEmpty();
}

const char* const SECTION = "Browser";
constexpr int LARGEURS_COLONNES[4] = {200, 50, 90, 300};

// An entry of the list with the data it sorts by.
class TEntree : public QTreeWidgetItem {
 public:
  explicit TEntree(const cLigneList& l) : Ligne(l) {
    setText(0, l.Nom);
    setText(1, TailleKo(l.Taille));
    setText(2, QLocale::system().toString(l.Date, QLocale::ShortFormat));
    setText(3, l.Dossier);
    setTextAlignment(1, Qt::AlignRight | Qt::AlignVCenter);
  }
  bool operator<(const QTreeWidgetItem& autre) const override {
    const int col = treeWidget() ? treeWidget()->sortColumn() : 0;
    return ComparerLignes(Ligne, static_cast<const TEntree&>(autre).Ligne, col) < 0;
  }
  cLigneList Ligne;
};

struct CurseurAttente {
  CurseurAttente() { QApplication::setOverrideCursor(Qt::WaitCursor); }
  ~CurseurAttente() { QApplication::restoreOverrideCursor(); }
};

}  // namespace

TBrowseForm::TBrowseForm(QWidget* parent, const QStringList& racines) : QDialog(parent) {
  setObjectName(QStringLiteral("BrowseForm"));
  resize(760, 480);
  setSizeGripEnabled(true);

  Splitter = new QSplitter(Qt::Horizontal, this);
  Panel_Gauche = new QWidget(Splitter);
  Panel_Gauche->setObjectName(QStringLiteral("Panel_Gauche"));
  auto* lg = new QVBoxLayout(Panel_Gauche);
  lg->setContentsMargins(0, 0, 0, 0);
  SystemTreeView1 = new TVxDirectoryTree(Panel_Gauche, racines);
  lg->addWidget(SystemTreeView1);

  auto* droite = new QWidget(Splitter);
  auto* ld = new QVBoxLayout(droite);
  ld->setContentsMargins(0, 0, 0, 0);
  ListView1 = new QTreeWidget(droite);
  ListView1->setColumnCount(4);
  ListView1->setRootIsDecorated(false);
  ListView1->setUniformRowHeights(true);
  ListView1->setSelectionMode(QAbstractItemView::SingleSelection);
  ListView1->setAllColumnsShowFocus(true);
  ListView1->header()->setSectionsClickable(true);
  ListView1->header()->setSortIndicatorShown(true);
  ListView1->header()->setSortIndicator(0, Qt::AscendingOrder);
  ListView1->header()->setStretchLastSection(true);
  {
    // Hidden while a folder is listed, the list keeps its room: the labels below stay in place.
    QSizePolicy place = ListView1->sizePolicy();
    place.setRetainSizeWhenHidden(true);
    ListView1->setSizePolicy(place);
  }
  ld->addWidget(ListView1, 1);

  auto* infos = new QGridLayout;
  QLabel** valeurs[5] = {&TitleLib, &AuthorLib, &NoteLib, &NbBarLib, &NbGBDLib};
  for (int i = 0; i < 5; ++i) {
    Legende[i] = new QLabel(droite);
    *valeurs[i] = new QLabel(droite);
    (*valeurs[i])->setTextInteractionFlags(Qt::TextSelectableByMouse);
    infos->addWidget(Legende[i], i, 0);
    infos->addWidget(*valeurs[i], i, 1);
  }
  infos->setColumnStretch(1, 1);
  ld->addLayout(infos);

  auto* boutons = new QHBoxLayout;
  Ecouter = new QToolButton(droite);
  Ecouter->setCheckable(true);
  Ecouter->setIcon(style()->standardIcon(QStyle::SP_MediaPlay));
  Ecouter->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
  JumpAfter = new TVxLineComboBox(droite);
  JumpAfter->SetLineStyle(TLineStyle::lsBump);
  JumpAfter->setMinimumWidth(170);
  auto* menuLecture = new QMenu(Ecouter);
  auto* groupeLecture = new QActionGroup(menuLecture);
  static const char* const nomsMenus[NbMenusLecture] = {"Menu_Lire1Mesure",   "Menu_Lire2Mesures",
                                                        "Menu_Lire5Mesures",   "Menu_Lire10Mesures",
                                                        "Menu_Lire25Mesures",  "Menu_LirePartition"};
  for (int k = 0; k < NbMenusLecture; ++k) {
    QAction* a = menuLecture->addAction(QString());
    a->setObjectName(QString::fromLatin1(nomsMenus[k]));
    a->setCheckable(true);
    groupeLecture->addAction(a);
    connect(a, &QAction::triggered, this, [this, k] { JumpAfter->setCurrentIndex(k + 1); });
    MenusLecture[k] = a;
  }
  Menu_Lire1Mesure = MenusLecture[0];
  Ecouter->setMenu(menuLecture);
  Ecouter->setPopupMode(QToolButton::MenuButtonPopup);
  connect(JumpAfter, &QComboBox::currentIndexChanged, this, &TBrowseForm::MajMenuLecture);
  BT_ScannerSousRep = new QToolButton(droite);
  BT_ScannerSousRep->setIcon(style()->standardIcon(QStyle::SP_FileDialogContentsView));
  BT_Fermer = new QPushButton(droite);
  boutons->addWidget(Ecouter);
  boutons->addWidget(JumpAfter);
  boutons->addWidget(BT_ScannerSousRep);
  boutons->addStretch(1);
  boutons->addWidget(BT_Fermer);
  ld->addLayout(boutons);

  Splitter->addWidget(Panel_Gauche);
  Splitter->addWidget(droite);
  Splitter->setStretchFactor(1, 1);
  Splitter->setSizes({250, 510});

  StatusBar1 = new QStatusBar(this);
  StatusBar1->setSizeGripEnabled(false);
  for (int i = 0; i < 2; ++i) {
    Panneau[i] = new QLabel(StatusBar1);
    StatusBar1->addWidget(Panneau[i], i == 0 ? 0 : 1);
  }
  Panneau[0]->setMinimumWidth(120);

  auto* l = new QVBoxLayout(this);
  l->setContentsMargins(4, 4, 4, 0);
  l->addWidget(Splitter, 1);
  l->addWidget(StatusBar1);

  FormStorage1 = new TFormStorage(this);
  FormStorage1->IniFileName = QStringLiteral("Vexo.ini");
  FormStorage1->IniSection = QString::fromLatin1(SECTION);
  FormStorage1->StoredProps = {QStringLiteral("Panel_Gauche.Width")};
  FormStorage1->OnSaveFailed = AfficherEcritureImpossible;

  SystemTreeView1->OnChanging = [this] { return !listage_ && !scan_; };
  SystemTreeView1->OnChange = [this] { ChangerDossier(); };
  connect(ListView1->header(), &QHeaderView::sectionClicked, this, &TBrowseForm::TrierColonne);
  connect(ListView1, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* it) {
    if (it && !listage_) SelectionnerEntree();
  });
  connect(Ecouter, &QToolButton::clicked, this, [this](bool enfonce) {
    ApresArret([this, enfonce] {
      if (enfonce && JouerDepuisDebut && (!MidiDisponible || MidiDisponible())) JouerDepuisDebut();
    });
  });
  connect(BT_ScannerSousRep, &QToolButton::clicked, this, &TBrowseForm::ScannerSousRep);
  connect(BT_Fermer, &QPushButton::clicked, this, &QDialog::close);
  Traduire();
}

TBrowseForm::~TBrowseForm() {
  if (parcours_) QApplication::restoreOverrideCursor();  // gone in the middle of a scan
  SystemTreeView1->OnChange = nullptr;
  SystemTreeView1->OnChanging = nullptr;
}

void TBrowseForm::Traduire() {
  using namespace LignesBrowse;
  SystemTreeView1->TexteRacineInaccessible =
      RemplacerParam1(TexteLangue("Fichier-Introuvable"), QStringLiteral("%1"));
  auto texte = [](int ligne, const char* design) {
    return LegendeGroupe(QString::fromLatin1(Groupe), ligne, QString::fromUtf8(design));
  };
  setWindowTitle(texte(Titre, "File browser"));
  texteNombre_ = texte(Nombre, "Files:");
  texteRecherche_ = texte(Recherche, "scanning...");
  hintScanner_ = texte(HintScanner, "Scan the subfolders");
  hintArreter_ = texte(HintArreter, "Stop scanning");
  BT_ScannerSousRep->setToolTip(scan_ ? hintArreter_ : hintScanner_);
  ListView1->setHeaderLabels({texte(ColNom, "File name"), texte(ColTaille, "Size"), texte(ColDate, "Date"),
                              texte(ColDossier, "Folder")});
  const char* const legendes[5] = {"Title:", "Author:", "Comment:", "Bars:", "Guitars - Basses - Drums:"};
  for (int i = 0; i < 5; ++i) Legende[i]->setText(texte(LabTitre + i, legendes[i]));
  QSet<QChar> utilisees;
  Ecouter->setText(AjouterRaccourci(texte(LignesBrowse::Ecouter, "Play the selected file"), utilisees));
  BT_Fermer->setText(AjouterRaccourci(
      LegendeGroupe(QString::fromLatin1(LignesDlg::Groupe), LignesDlg::Fermer, QStringLiteral("Close")), utilisees));
  static const char* const sauts[] = {"No jump", "Jump after 1 bar", "Jump after 2 bars", "Jump after 5 bars",
                                      "Jump after 10 bars", "Jump after 25 bars", "Jump after the score"};
  const QSignalBlocker b(JumpAfter);
  const int choix = std::max(0, JumpAfter->currentIndex());
  JumpAfter->clear();
  for (int i = SautPremier; i <= SautDernier; ++i) JumpAfter->addItem(texte(i, sauts[i - SautPremier]));
  JumpAfter->setCurrentIndex(choix);
  static const char* const lectures[NbMenusLecture] = {"Play 1 Bar",   "Play 2 Bars",  "Play 5 Bars",
                                                       "Play 10 Bars", "Play 25 Bars", "Play the Score"};
  QSet<QChar> accelerateurs;
  for (int k = 0; k < NbMenusLecture; ++k)
    MenusLecture[k]->setText(AjouterRaccourci(texte(LirePremier + k, lectures[k]), accelerateurs));
  MajMenuLecture();
}

void TBrowseForm::MajMenuLecture() {
  const int choix = JumpAfter->currentIndex();
  for (int k = 0; k < NbMenusLecture; ++k) MenusLecture[k]->setChecked(choix == k + 1);
}

void TBrowseForm::showEvent(QShowEvent* e) {
  QDialog::showEvent(e);
  if (!active_) {
    active_ = true;
    // After the window shows, so that the first listing is seen to happen.
    QTimer::singleShot(0, this, &TBrowseForm::FormActivate);
  }
}

void TBrowseForm::FormActivate() {
  const TIniFile ini(CheminFichierConfig());
  const QString s = QString::fromLatin1(SECTION);
  for (int c = 0; c < 4; ++c)
    ListView1->setColumnWidth(c, std::clamp(ini.ReadInteger(s, QStringLiteral("WC%1").arg(c + 1), LARGEURS_COLONNES[c]),
                                            10, 2000));
  {
    const QSignalBlocker b(JumpAfter);
    JumpAfter->setCurrentIndex(std::clamp(ini.ReadInteger(s, QStringLiteral("JumpAfter"), 0), 0, JumpAfter->count() - 1));
  }
  MajMenuLecture();
  QString dossier = ini.ReadString(s, QStringLiteral("Directory"), QString());
  // A stored folder that went (another machine, a removed disk) gives way to the program folder;
  // one that is there but that the tree cannot show gives way to the home folder.
  if (dossier.isEmpty() || !QFileInfo::exists(dossier)) dossier = DossierProgramme();
  if (!Montrable(*SystemTreeView1, dossier) || !SystemTreeView1->SetCurrentPath(dossier))
    SystemTreeView1->SetCurrentPath(QDir::homePath());
}

void TBrowseForm::EcrireReglages() {
  TIniFile ini(CheminFichierConfig());
  const QString s = QString::fromLatin1(SECTION);
  for (int c = 0; c < 4; ++c) ini.WriteInteger(s, QStringLiteral("WC%1").arg(c + 1), ListView1->columnWidth(c));
  ini.WriteInteger(s, QStringLiteral("JumpAfter"), std::max(0, JumpAfter->currentIndex()));
  if (!SystemTreeView1->CurrentPath().isEmpty())
    ini.WriteString(s, QStringLiteral("Directory"), SystemTreeView1->CurrentPath());
  QString raison;
  if (!ini.UpdateFile(&raison)) AfficherEcritureImpossible(CheminFichierConfig(), raison);
}

void TBrowseForm::done(int r) {
  if (scan_) {
    // Closed during a scan: the scan stops first, and the window closes once it has.
    scan_ = false;
    fermerApresScan_ = true;
    return;
  }
  if (listage_) {
    fermerApresScan_ = true;
    return;
  }
  if (active_) EcrireReglages();
  QDialog::done(r);
}

void TBrowseForm::ViderInfos() {
  for (QLabel* l : {TitleLib, AuthorLib, NoteLib, NbBarLib, NbGBDLib}) l->clear();
}

void TBrowseForm::MajNombre() {
  Panneau[0]->setText(texteNombre_ + QLatin1Char(' ') + QString::number(ListView1->topLevelItemCount()));
}

void TBrowseForm::ListerDossier(const QString& dossier) {
  LaisserPasserMessages();
  MajNombre();
  Panneau[1]->setText(dossier + QLatin1Char(' ') + texteRecherche_);
  const std::vector<cLigneList> lignes = ListerFichiersSqt(dossier);
  int n = 0;
  for (const cLigneList& l : lignes) {
    ListView1->addTopLevelItem(new TEntree(l));
    if (++n % 10 == 0) {
      MajNombre();
      LaisserPasserMessages();
    }
  }
}

void TBrowseForm::ChangerDossier() {
  if (scan_ || listage_) return;
  listage_ = true;
  {
    const QSignalBlocker b(ListView1);
    ListView1->clear();
  }
  ViderInfos();
  ListView1->hide();
  BT_ScannerSousRep->setEnabled(false);
  {
    CurseurAttente c;
    ListerDossier(SystemTreeView1->CurrentPath());
  }
  ListView1->sortItems(tri_.Colonne, tri_.Croissant ? Qt::AscendingOrder : Qt::DescendingOrder);
  ListView1->show();
  BT_ScannerSousRep->setEnabled(true);
  MajNombre();
  Panneau[1]->clear();
  listage_ = false;
  if (fermerApresScan_) QTimer::singleShot(0, this, &QDialog::close);
}

void TBrowseForm::ScannerSousRep() {
  if (scan_) {
    scan_ = false;  // the scan's next step sees it
    return;
  }
  if (listage_) return;
  scan_ = true;
  BT_ScannerSousRep->setIcon(style()->standardIcon(QStyle::SP_BrowserStop));
  BT_ScannerSousRep->setToolTip(hintArreter_);
  {
    const QSignalBlocker b(ListView1);
    ListView1->clear();
  }
  ViderInfos();
  ListView1->hide();
  QApplication::setOverrideCursor(Qt::WaitCursor);
  parcours_.emplace(SystemTreeView1->CurrentPath());
  QTimer::singleShot(1, this, &TBrowseForm::EtapeScan);
}

// The scan goes in steps of whole folders, about kTrancheScanMs each; between two steps the
// dialog's own loop handles the user's input in its order, the second click on the scan button
// among it, never in the middle of a folder's listing. The next step waits on a timer of 1 ms, not
// 0: a step always ready at once would keep the window system's input from ever coming first.
void TBrowseForm::EtapeScan() {
  constexpr int kTrancheScanMs = 20;
  QElapsedTimer tranche;
  tranche.start();
  while (scan_ && !parcours_->Fini() && !tranche.hasExpired(kTrancheScanMs)) ListerDossier(parcours_->Suivant());
  if (scan_ && !parcours_->Fini()) {
    QTimer::singleShot(1, this, &TBrowseForm::EtapeScan);
    return;
  }
  parcours_.reset();
  QApplication::restoreOverrideCursor();
  ListView1->sortItems(tri_.Colonne, tri_.Croissant ? Qt::AscendingOrder : Qt::DescendingOrder);
  ListView1->show();
  MajNombre();
  Panneau[1]->clear();
  scan_ = false;
  BT_ScannerSousRep->setIcon(style()->standardIcon(QStyle::SP_FileDialogContentsView));
  BT_ScannerSousRep->setToolTip(hintScanner_);
  if (fermerApresScan_) QTimer::singleShot(0, this, &QDialog::close);
}

void TBrowseForm::TrierColonne(int colonne) {
  tri_.Cliquer(colonne);
  const Qt::SortOrder ordre = tri_.Croissant ? Qt::AscendingOrder : Qt::DescendingOrder;
  ListView1->header()->setSortIndicator(tri_.Colonne, ordre);
  const QSignalBlocker b(ListView1);
  ListView1->sortItems(tri_.Colonne, ordre);
}

std::vector<cLigneList> TBrowseForm::LignesAffichees() const {
  std::vector<cLigneList> r;
  for (int i = 0; i < ListView1->topLevelItemCount(); ++i)
    r.push_back(static_cast<const TEntree*>(ListView1->topLevelItem(i))->Ligne);
  return r;
}

QString TBrowseForm::CheminEntree(const QTreeWidgetItem* it) const {
  if (!it) return {};
  const cLigneList& l = static_cast<const TEntree*>(it)->Ligne;
  return l.Dossier + l.Fichier;
}

void TBrowseForm::ApresArret(std::function<void()> f) {
  if (LectureEnCours && LectureEnCours() && ArreterLecture) {
    // The stop ends at the player's next notice; what follows waits for it.
    apresArret_ = std::move(f);
    ArreterLecture();
    return;
  }
  apresArret_ = nullptr;
  f();
}

void TBrowseForm::SelectionnerEntree() {
  // The song is not replaced under a running playback: it stops first.
  ApresArret([this] {
    const QTreeWidgetItem* it = ListView1->currentItem();
    if (!it) return;
    bool ok;
    {
      CurseurAttente c;
      NouvellePartition();
      CheminFichier = CheminEntree(it);
      NomFichier = QFileInfo(CheminFichier).fileName();
      VueEditeur().SetCaption(TitreProgramme + QStringLiteral(" - ") + NomFichier);
      ok = OuvrirFichier();  // ends through FinRemplacementPartition, read or refused
    }
    ViderInfos();
    if (!ok) {
      // A file that cannot be read does not end the play-through: once its message is answered,
      // the next file plays.
      if (Ecouter->isChecked() && JumpAfter->currentIndex() > 0 && (!MidiDisponible || MidiDisponible()))
        QTimer::singleShot(0, this, &TBrowseForm::FichierSuivant);
      return;
    }
    const TResumePartition r = ResumePartition(Partition);
    TitleLib->setText(r.Titre);
    AuthorLib->setText(r.Auteur);
    NoteLib->setText(r.Commentaire);
    NbBarLib->setText(r.Mesures);
    NbGBDLib->setText(r.Pistes);
    if (Ecouter->isChecked() && (!MidiDisponible || MidiDisponible()) && JouerDepuisDebut) JouerDepuisDebut();
  });
}

void TBrowseForm::FichierSuivant() {
  if (!Ecouter->isChecked() || scan_ || listage_ || ListView1->topLevelItemCount() == 0) return;
  QTreeWidgetItem* it = ListView1->currentItem();
  if (!it) return;
  const int i = ListView1->indexOfTopLevelItem(it);
  if (i + 1 >= ListView1->topLevelItemCount()) return;
  QTreeWidgetItem* suivant = ListView1->topLevelItem(i + 1);
  ListView1->setCurrentItem(suivant);
  ListView1->scrollToItem(suivant);
}

void TBrowseForm::LectureTerminee(bool arrete) {
  if (apresArret_) {
    auto f = std::move(apresArret_);
    apresArret_ = nullptr;
    QTimer::singleShot(0, this, f);
    return;
  }
  if (!arrete && JumpAfter->currentIndex() > 0 && ListView1->isVisible())
    QTimer::singleShot(0, this, &TBrowseForm::FichierSuivant);
}

int TBrowseForm::MesuresAJouer(int nbMesures) const {
  return MesuresSelonJumpAfter(JumpAfter->currentIndex(), nbMesures);
}
