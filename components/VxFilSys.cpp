#include "components/VxFilSys.h"

#include <QDesktopServices>
#include <QDir>
#include <QEvent>
#include <QFileIconProvider>
#include <QFileInfo>
#include <QHash>
#include <QLabel>
#include <QMessageBox>
#include <QPainter>
#include <QSignalBlocker>
#include <QStorageInfo>
#include <QStyledItemDelegate>
#include <QUrl>
#include <algorithm>

namespace {

constexpr int RoleChemin = Qt::UserRole;      // a root's mount point; a folder list entry's path
constexpr int RoleRetrait = Qt::UserRole + 1;  // indent of a folder list entry, in pixels

QFileIconProvider& Icones() {
  static QFileIconProvider p;
  return p;
}

// Tree order: the upper-cased name first, then the name itself, so two names that differ only in
// case both have their place.
bool AvantDans(const QString& a, const QString& b) {
  const int c = a.toUpper().compare(b.toUpper(), Qt::CaseSensitive);
  return c != 0 ? c < 0 : a.compare(b, Qt::CaseSensitive) < 0;
}

QString Joindre(const QString& dossier, const QString& nom) {
  return dossier.endsWith(QLatin1Char('/')) ? dossier + nom : dossier + QLatin1Char('/') + nom;
}

// The path shortened with an ellipsis in the middle to fit a label.
void MontrerChemin(QLabel* l, const QString& chemin, int largeur) {
  if (!l) return;
  l->setText(l->fontMetrics().elidedText(chemin, Qt::ElideMiddle, std::max(10, largeur)));
}

TColor EnTColor(const QColor& c) { return TColor(c.red() | c.green() << 8 | c.blue() << 16); }

// The frame of a scroll area: it replaces the style's own frame and keeps room for itself.
template <class W>
void MontrerCadre(W* w, TCadreControle& cadre, bool v, const std::function<void(int)>& marges) {
  cadre.FrameVisible = v;
  w->setFrameShape(v ? QFrame::NoFrame : QFrame::StyledPanel);
  marges(v ? 2 : 0);
  w->update();
}

template <class W>
void EvenementCadre(W* w, TCadreControle& cadre, QEvent* e, const std::function<void()>& entree,
                    const std::function<void()>& sortie) {
  cadre.Evenement(w, e, EnTColor(w->palette().color(QPalette::Base)));
  if (e->type() == QEvent::Enter && entree) entree();
  if (e->type() == QEvent::Leave && sortie) sortie();
}

}  // namespace

// ---- Long names ----

QString LongFileName(const QString& chemin) { return chemin; }

QString LongPathName(const QString& chemin) {
  if (chemin.isEmpty()) return chemin;
  return QDir::cleanPath(QFileInfo(chemin).absoluteFilePath());
}

QString ShortPathName(const QString& chemin) { return chemin; }

QStringList RacinesMontage() {
  QStringList r{QStringLiteral("/")};
  for (const QStorageInfo& s : QStorageInfo::mountedVolumes()) {
    if (!s.isValid() || !s.isReady()) continue;
    const QString p = s.rootPath();
    // System and package mounts are no place for songs.
    static const char* const exclus[] = {"/proc", "/sys", "/dev", "/run", "/snap", "/boot"};
    bool exclu = false;
    for (const char* e : exclus)
      exclu = exclu || p == QLatin1String(e) || p.startsWith(QLatin1String(e) + QLatin1Char('/'));
    if (p.startsWith(QLatin1String("/run/media/"))) exclu = false;
    if (!exclu && !r.contains(p)) r << p;
  }
  std::sort(r.begin() + 1, r.end());
  return r;
}

QString LabelVolume(const QString& label) {
  if (label.isEmpty()) return label;
  QString l = label.toLower();
  l[0] = l[0].toUpper();
  return l;
}

QStringList SousDossiers(const QString& dossier) {
  QStringList noms = QDir(dossier).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
  noms.erase(std::remove_if(noms.begin(), noms.end(), [](const QString& n) { return n.startsWith(QLatin1Char('.')); }),
             noms.end());
  std::sort(noms.begin(), noms.end(), AvantDans);
  return noms;
}

// ---- Directory tree ----

TVxDirectoryTree::TVxDirectoryTree(QWidget* parent, const QStringList& racines)
    : QTreeWidget(parent), racinesDonnees_(racines) {
  setHeaderHidden(true);
  setColumnCount(1);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setSelectionMode(QAbstractItemView::SingleSelection);
  setIndentation(19);
  resize(250, 150);
  iconeDossier_ = Icones().icon(QFileIconProvider::Folder);
  iconeOuvert_ = iconeDossier_;
  iconeRacine_ = Icones().icon(QFileIconProvider::Drive);
  connect(this, &QTreeWidget::itemExpanded, this, [this](QTreeWidgetItem* n) { Deplier(n); });
  ConstruireRacines();
}

TVxDirectoryTree::~TVxDirectoryTree() { destroying_ = true; }

void TVxDirectoryTree::ConstruireRacines() {
  const QStringList racines = racinesDonnees_.isEmpty() ? RacinesMontage() : racinesDonnees_;
  for (const QString& r0 : racines) {
    const QString r = LongPathName(r0);
    const QString label = LabelVolume(QStorageInfo(r).name());
    auto* n = new QTreeWidgetItem(this, QStringList{label.isEmpty() || !racinesDonnees_.isEmpty() ? r : r + " " + label});
    n->setData(0, RoleChemin, r);
    n->setIcon(0, iconeRacine_);
    RemplirNoeud(n);
  }
}

QString TVxDirectoryTree::CheminNoeud(const QTreeWidgetItem* n) const {
  if (!n) return {};
  if (!n->parent()) return n->data(0, RoleChemin).toString();
  return Joindre(CheminNoeud(n->parent()), n->text(0));
}

QString TVxDirectoryTree::RacineDe(const QString& chemin) const {
  QString meilleure;
  for (int i = 0; i < topLevelItemCount(); ++i) {
    const QString r = topLevelItem(i)->data(0, RoleChemin).toString();
    const bool contient = chemin == r || chemin.startsWith(r.endsWith(QLatin1Char('/')) ? r : r + QLatin1Char('/'));
    if (contient && r.size() > meilleure.size()) meilleure = r;
  }
  return meilleure;
}

void TVxDirectoryTree::RemplirNoeud(QTreeWidgetItem* n) {
  // Reads the folder by its own path: neither the process's folder nor CurrentPath moves.
  const QStringList noms = SousDossiers(CheminNoeud(n));
  int i = 0;
  for (const QString& nom : noms) {
    while (i < n->childCount() && AvantDans(n->child(i)->text(0), nom)) ++i;
    if (i < n->childCount() && n->child(i)->text(0) == nom) continue;  // already there
    auto* c = new QTreeWidgetItem(QStringList{nom});
    c->setIcon(0, iconeDossier_);
    n->insertChild(i, c);
    ++i;
  }
}

void TVxDirectoryTree::Deplier(QTreeWidgetItem* n) {
  RemplirNoeud(n);
  // One level ahead, so that every folder shown knows whether it has sub-folders.
  for (int i = 0; i < n->childCount(); ++i) RemplirNoeud(n->child(i));
}

QTreeWidgetItem* TVxDirectoryTree::NoeudDe(const QString& chemin) {
  const QString racine = RacineDe(chemin);
  QTreeWidgetItem* n = nullptr;
  for (int i = 0; i < topLevelItemCount() && !n; ++i)
    if (topLevelItem(i)->data(0, RoleChemin).toString() == racine) n = topLevelItem(i);
  if (!n) return nullptr;
  const QStringList parties = chemin.mid(racine.size()).split(QLatin1Char('/'), Qt::SkipEmptyParts);
  const QSignalBlocker b(this);
  for (const QString& p : parties) {
    Deplier(n);
    n->setExpanded(true);
    QTreeWidgetItem* suivant = nullptr;
    for (int i = 0; i < n->childCount() && !suivant; ++i)
      if (n->child(i)->text(0) == p) suivant = n->child(i);
    for (int i = 0; i < n->childCount() && !suivant; ++i)
      if (n->child(i)->text(0).compare(p, Qt::CaseInsensitive) == 0) suivant = n->child(i);
    if (!suivant) break;  // a hidden folder has no node: its nearest shown parent is selected
    n = suivant;
  }
  return n;
}

bool TVxDirectoryTree::SetCurrentPath(const QString& v) {
  if (v.isEmpty()) return true;
  const QFileInfo fi(v);
  if (!fi.isDir()) return false;
  const QString p = LongPathName(v);
  if (p == path_) return true;
  QTreeWidgetItem* n = NoeudDe(p);
  racineRetenue_ = RacineDe(path_);
  path_ = p;
  if (n) {
    retour_ = true;  // the path is set here, not from the node (which may be a parent)
    setCurrentItem(n);
    retour_ = false;
    scrollToItem(n);
  }
  if (RacineDe(p) != racineRetenue_ && OnDriveChange) OnDriveChange();
  if (fileList_) fileList_->SetDirectory(path_);
  MajDirLabel();
  if (OnChange) OnChange();
  return true;
}

void TVxDirectoryTree::Rebuild() {
  const QString avant = path_;
  setUpdatesEnabled(false);
  rebuilding_ = true;
  clear();
  ConstruireRacines();
  rebuilding_ = false;
  path_.clear();
  if (QFileInfo(avant).isDir()) SetCurrentPath(avant);
  setUpdatesEnabled(true);
  if (currentItem()) scrollToItem(currentItem());
}

void TVxDirectoryTree::currentChanged(const QModelIndex& courant, const QModelIndex& precedent) {
  QTreeWidget::currentChanged(courant, precedent);
  if (retour_ || rebuilding_ || destroying_) return;
  QTreeWidgetItem* n = itemFromIndex(courant);
  if (!n) return;
  racineRetenue_ = RacineDe(path_);
  bool ok = !OnChanging || OnChanging();
  if (ok && !n->parent()) {
    const QString r = CheminNoeud(n);
    if (!QFileInfo(r).isDir() || !QFileInfo(r).isReadable()) {
      QMessageBox::critical(this, QString(), TexteRacineInaccessible.arg(r));
      ok = false;
    } else {
      RemplirNoeud(n);  // new top-level folders appear
    }
  }
  if (!ok) {
    retour_ = true;
    setCurrentIndex(precedent);
    retour_ = false;
    return;
  }
  SelectionChangee(n);
}

void TVxDirectoryTree::SelectionChangee(QTreeWidgetItem* n) {
  path_ = CheminNoeud(n);
  if (RacineDe(path_) != racineRetenue_ && OnDriveChange) OnDriveChange();
  if (fileList_) fileList_->SetDirectory(path_);
  MajDirLabel();
  if (OnChange) OnChange();
}

void TVxDirectoryTree::SetFrameVisible(bool v) {
  MontrerCadre(this, Cadre, v, [this](int m) { setViewportMargins(m, m, m, m); });
}

void TVxDirectoryTree::SetFrameFlat(bool v) {
  Cadre.DefinirFlat(this, v);
  SetFrameVisible(Cadre.FrameVisible);
}

bool TVxDirectoryTree::event(QEvent* e) {
  const bool r = QTreeWidget::event(e);
  EvenementCadre(this, Cadre, e, OnMouseEnter, OnMouseLeave);
  return r;
}

void TVxDirectoryTree::paintEvent(QPaintEvent* e) {
  QTreeWidget::paintEvent(e);
  // Without the focus the selected folder keeps an outline, so the user still sees where it is.
  QTreeWidgetItem* n = currentItem();
  if (hasFocus() || !n) return;
  QRect r = visualItemRect(n);
  if (!r.isValid()) return;
  r.setLeft(r.left() + iconSize().width() + 2);
  r.setWidth(std::min(r.width(), fontMetrics().horizontalAdvance(n->text(0)) + 6));
  QPainter p(viewport());
  p.setPen(QColor(ColorRed(SelectionPen), ColorGreen(SelectionPen), ColorBlue(SelectionPen)));
  p.setBrush(Qt::NoBrush);
  p.drawRect(r.adjusted(0, 0, -1, -1));
}

void TVxDirectoryTree::SetFileList(TVxFileListBox* f) {
  fileList_ = f;
  if (f) {
    f->DirTree = this;
    if (!path_.isEmpty()) f->SetDirectory(path_);
  }
}

void TVxDirectoryTree::SetDirLabel(QLabel* l) {
  dirLabel_ = l;
  MajDirLabel();
}

void TVxDirectoryTree::MajDirLabel() {
  if (dirLabel_) MontrerChemin(dirLabel_, path_, dirLabel_->width() > 10 ? dirLabel_->width() : width());
}

// ---- File list ----

void TrierEntrees(std::vector<TVxFileInfo>& e) {
  std::stable_sort(e.begin(), e.end(), [](const TVxFileInfo& a, const TVxFileInfo& b) {
    if (a.IsFolder != b.IsFolder) return a.IsFolder;
    const int c = a.Name.compare(b.Name, Qt::CaseInsensitive);
    return c != 0 ? c < 0 : a.Name < b.Name;
  });
}

TVxFileListBox::TVxFileListBox(QWidget* parent) : QListWidget(parent) {
  setSortingEnabled(false);  // the list sorts itself
  connect(this, &QListWidget::itemDoubleClicked, this, &TVxFileListBox::DoubleClic);
}

void TVxFileListBox::SetFrameVisible(bool v) {
  MontrerCadre(this, Cadre, v, [this](int m) { setViewportMargins(m, m, m, m); });
}

void TVxFileListBox::SetFrameFlat(bool v) {
  Cadre.DefinirFlat(this, v);
  SetFrameVisible(Cadre.FrameVisible);
}

bool TVxFileListBox::event(QEvent* e) {
  const bool r = QListWidget::event(e);
  // The frame waits while the list is being read.
  if (!occupe_) EvenementCadre(this, Cadre, e, OnMouseEnter, OnMouseLeave);
  return r;
}

void TVxFileListBox::SetDirectory(const QString& d) {
  const QString p = LongPathName(d);
  if (p == dossier_) return;
  dossier_ = p;
  Lire();
}

void TVxFileListBox::SetMask(const QString& m) {
  if (m == mask_) return;
  mask_ = m;
  Lire();
}

void TVxFileListBox::SetShowGlyphs(bool v) {
  if (v == glyphes_) return;
  glyphes_ = v;
  Lire();
}

void TVxFileListBox::Lire() {
  occupe_ = true;
  clear();
  infos_.clear();
  if (!dossier_.isEmpty()) {
    QDir::Filters filtres = QDir::NoDotAndDotDot;
    if (FileType & ftNormal) filtres |= QDir::Files;
    if (FileType & ftDirectory) filtres |= QDir::Dirs;
    if (FileType & ftHidden) filtres |= QDir::Hidden;
    QStringList motifs;
    for (const QString& m : mask_.split(QLatin1Char(';'), Qt::SkipEmptyParts)) motifs << m.trimmed();
    QDir d(dossier_);
    for (const QFileInfo& fi : d.entryInfoList(motifs, filtres))
      infos_.push_back({fi.fileName(), fi.isDir(), fi.isDir() ? 0 : fi.size(), fi.lastModified()});
    TrierEntrees(infos_);
    // One icon per extension is enough, save for files that carry their own.
    static QHash<QString, QIcon> cache;
    for (const TVxFileInfo& e : infos_) {
      auto* it = new QListWidgetItem(e.Name, this);
      if (!glyphes_) continue;
      const QFileInfo fi(Joindre(dossier_, e.Name));
      const QString ext = fi.suffix().toLower();
      if (e.IsFolder || ext.isEmpty() || ext == QLatin1String("desktop")) {
        it->setIcon(Icones().icon(fi));
      } else {
        auto c = cache.find(ext);
        if (c == cache.end()) c = cache.insert(ext, Icones().icon(fi));
        it->setIcon(*c);
      }
    }
  }
  occupe_ = false;
}

QString TVxFileListBox::FileName() const {
  const QListWidgetItem* it = currentItem();
  return it && !dossier_.isEmpty() ? Joindre(dossier_, it->text()) : QString();
}

bool TVxFileListBox::SetFileName(const QString& nom) {
  if (nom.isEmpty() || nom == FileName()) return true;
  const int sep = nom.lastIndexOf(QLatin1Char('/'));
  const QString fichier = sep >= 0 ? nom.mid(sep + 1) : nom;
  if (sep >= 0) {
    const QString dossier = sep == 0 ? QStringLiteral("/") : nom.left(sep);
    if (DirTree)
      DirTree->SetCurrentPath(dossier);
    else if (DirList)
      DirList->SetDirectory(dossier);
    if (LongPathName(dossier) != dossier_) SetDirectory(dossier);
  }
  if (fichier.contains(QLatin1Char('*')) || fichier.contains(QLatin1Char('?'))) {
    SetMask(fichier);
    return true;
  }
  auto trouver = [&] {
    const auto l = findItems(fichier, Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (!l.isEmpty()) setCurrentItem(l.first());
    return !l.isEmpty();
  };
  if (trouver()) return true;
  if (!QFileInfo::exists(Joindre(dossier_, fichier))) return false;
  SetMask(fichier);
  return trouver();
}

void TVxFileListBox::DoubleClic(QListWidgetItem* it) {
  if (!it) return;
  const QString chemin = Joindre(dossier_, it->text());
  if (QFileInfo(chemin).isDir()) {
    if (DirTree)
      DirTree->SetCurrentPath(chemin);
    else if (DirList)
      DirList->SetDirectory(chemin);
    else
      SetDirectory(chemin);
  } else if (AllowOpen && !QDesktopServices::openUrl(QUrl::fromLocalFile(chemin))) {
    QMessageBox::information(this, QString(), TexteOuvertureImpossible);
  }
}

// ---- Folder list ----

namespace {
class TRetrait : public QStyledItemDelegate {
 public:
  using QStyledItemDelegate::QStyledItemDelegate;
  void paint(QPainter* p, const QStyleOptionViewItem& o, const QModelIndex& i) const override {
    QStyleOptionViewItem op(o);
    op.rect.adjust(i.data(RoleRetrait).toInt(), 0, 0, 0);
    QStyledItemDelegate::paint(p, op, i);
  }
};
}  // namespace

TVxDirectoryListBox::TVxDirectoryListBox(QWidget* parent) : QListWidget(parent) {
  setItemDelegate(new TRetrait(this));
  connect(this, &QListWidget::itemDoubleClicked, this,
          [this](QListWidgetItem* it) { SetDirectory(it->data(RoleChemin).toString()); });
}

void TVxDirectoryListBox::SetFrameVisible(bool v) {
  MontrerCadre(this, Cadre, v, [this](int m) { setViewportMargins(m, m, m, m); });
}

void TVxDirectoryListBox::SetFrameFlat(bool v) {
  Cadre.DefinirFlat(this, v);
  SetFrameVisible(Cadre.FrameVisible);
}

bool TVxDirectoryListBox::event(QEvent* e) {
  const bool r = QListWidget::event(e);
  EvenementCadre(this, Cadre, e, OnMouseEnter, OnMouseLeave);
  return r;
}

void TVxDirectoryListBox::SetDirectory(const QString& d) {
  QString p = LongPathName(d);
  while (!QFileInfo(p).isDir() && p != QLatin1String("/")) p = LongPathName(p + QStringLiteral("/.."));
  dossier_ = p;
  clear();
  const QIcon ouvert = Icones().icon(QFileIconProvider::Folder);
  QStringList parties = p.split(QLatin1Char('/'), Qt::SkipEmptyParts);
  QString chemin = QStringLiteral("/");
  auto ajouter = [&](const QString& texte, const QString& ch, int retrait) {
    auto* it = new QListWidgetItem(ouvert, texte, this);
    it->setData(RoleChemin, ch);
    it->setData(RoleRetrait, retrait);
    return it;
  };
  QListWidgetItem* courant = ajouter(QStringLiteral("/"), chemin, 2);
  for (int i = 0; i < parties.size(); ++i) {
    chemin = Joindre(chemin, parties[i]);
    courant = ajouter(parties[i], chemin, (i + 1) * 4 + 2);
  }
  for (const QString& s : SousDossiers(p)) ajouter(s, Joindre(p, s), int(parties.size()) * 4 + 6);
  setCurrentItem(courant);
  if (DirLabel) MontrerChemin(DirLabel, p, DirLabel->width() > 10 ? DirLabel->width() : width());
  if (FileList) FileList->SetDirectory(p);
  if (OnChange) OnChange();
}

// ---- Drive list ----

TVxDriveComboBox::TVxDriveComboBox(QWidget* parent) : QComboBox(parent) {
  const QIcon icone = Icones().icon(QFileIconProvider::Drive);
  for (const QString& r : RacinesMontage()) {
    const QString label = LabelVolume(QStorageInfo(r).name());
    addItem(icone, label.isEmpty() ? r : r + QStringLiteral(": ") + label, r);
  }
  connect(this, &QComboBox::currentIndexChanged, this, [this] {
    if (DirList) DirList->SetDirectory(Drive());
  });
}

QString TVxDriveComboBox::Drive() const { return currentData().toString(); }

void TVxDriveComboBox::SetDrive(const QString& racine) {
  const int i = findData(racine);
  if (i >= 0) setCurrentIndex(i);
}
