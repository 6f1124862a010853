#include "components/VxFilSys.h"

#include <sys/statvfs.h>

#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QEvent>
#include <QFile>
#include <QFileIconProvider>
#include <QFileInfo>
#include <QHash>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPainter>
#include <QRegularExpression>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QStyle>
#include <QStyledItemDelegate>
#include <QTimer>
#include <QUrl>
#include <QWheelEvent>
#include <algorithm>
#include <utility>

#include "platform/Canvas.h"

namespace {

constexpr int RoleChemin = Qt::UserRole;       // a root's mount point; a folder list entry's path
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

// Line-wise wheel: a notch moves the view by the system's wheel scroll lines; upwards it stops at
// the first line, so the top is always within reach.
// Returns false for a sideways wheel, which the view handles as usual.
bool DefilerParLignes(QAbstractItemView* v, QWheelEvent* e, int& reste) {
  if (e->angleDelta().y() == 0) return false;
  const int crans = CransMolette(reste, e->angleDelta().y());
  QScrollBar* b = v->verticalScrollBar();
  const int cible = b->value() - crans * QApplication::wheelScrollLines() * b->singleStep();
  if (crans != 0) b->setValue(std::max(0, cible));
  e->accept();
  return true;
}

// A picture at the size of the rows: themes give their folder and drive pictures at other sizes
// too, and a view would pick the larger one and clip it.
QPixmap AuFormat(const QIcon& i) { return i.pixmap(kTailleImage); }

QIcon IconeDossierOuvert() {
  return QIcon(AuFormat(
      QIcon::fromTheme(QStringLiteral("folder-open"), QApplication::style()->standardIcon(QStyle::SP_DirOpenIcon))));
}

QIcon IconeDossierFerme() { return QIcon(AuFormat(Icones().icon(QFileIconProvider::Folder))); }

// A folder: closed, and open while selected.
QIcon IconeDossierArbre() {
  QIcon r;
  r.addPixmap(AuFormat(IconeDossierFerme()), QIcon::Normal);
  r.addPixmap(AuFormat(IconeDossierOuvert()), QIcon::Selected);
  return r;
}

// A memory module, for a drive that lives in memory: no theme has a picture of one.
QIcon IconeMemoire() {
  QPixmap pm(kTailleImage, kTailleImage);
  pm.fill(Qt::transparent);
  QPainter p(&pm);
  p.fillRect(1, 4, 14, 7, QColor(0, 110, 60));
  for (int x : {2, 6, 10}) p.fillRect(x, 5, 3, 4, Qt::black);
  for (int x = 2; x < 14; x += 2) p.fillRect(x, 11, 1, 2, QColor(210, 170, 0));
  return QIcon(pm);
}

}  // namespace

// ---- Long names ----

QString LongFileName(const QString& chemin) {
  if (chemin.isEmpty() || chemin == QLatin1String("/")) return chemin;
  const QFileInfo fi(chemin);
  // The entry itself, a dangling link included, as a directory search finds it.
  if (!fi.fileName().isEmpty() && (fi.exists() || fi.isSymLink())) return fi.fileName();
  return chemin;
}

QString LongPathName(const QString& chemin) {
  if (chemin.isEmpty()) return chemin;
  QString plein = QDir::cleanPath(QFileInfo(chemin).absoluteFilePath());
  // The root is its own parent: cleaning keeps a leading "..", which names no folder.
  while (plein == QLatin1String("/..") || plein.startsWith(QLatin1String("/../"))) plein.remove(0, 3);
  if (plein.isEmpty() || plein == QLatin1String("/")) return QStringLiteral("/");
  // From the last component up, each as found on disk; a component that is not there keeps the
  // name it was given, so a path still to be made comes back whole.
  QString r, reste = plein;
  while (reste.size() > 1) {
    const int sep = reste.lastIndexOf(QLatin1Char('/'));
    const QString donne = reste.mid(sep + 1);
    const QString trouve = LongFileName(reste);
    r.prepend(QLatin1Char('/') + (trouve == reste ? donne : trouve));
    reste.truncate(sep);
  }
  return r;
}

QString ShortPathName(const QString& chemin) { return chemin; }

// ---- Drives ----

namespace {

// The mount table escapes blanks, tabs, new lines and backslashes as three octal digits.
QString DecoderMontage(const QByteArray& b) {
  QByteArray r;
  r.reserve(b.size());
  for (int i = 0; i < b.size(); ++i) {
    if (b[i] == '\\' && i + 3 < b.size() && b[i + 1] >= '0' && b[i + 1] <= '3' && b[i + 2] >= '0' && b[i + 2] <= '7' &&
        b[i + 3] >= '0' && b[i + 3] <= '7') {
      r += char((b[i + 1] - '0') * 64 + (b[i + 2] - '0') * 8 + (b[i + 3] - '0'));
      i += 3;
    } else {
      r += b[i];
    }
  }
  return QString::fromUtf8(r);
}

bool DansSysteme(const QString& racine, const char* dossier) {
  const QLatin1String d(dossier);
  return racine == d || racine.startsWith(d + QLatin1Char('/'));
}

// A network file system, known by its type or by a remote source ("host:/path", "//host/share").
bool EstReseau(const TMontage& m) {
  static const char* const reseau[] = {
      "nfs",       "nfs4",        "cifs",           "smb3",     "smbfs", "ncpfs",      "afs",
      "ceph",      "glusterfs",   "lustre",         "9p",       "davfs", "fuse.sshfs", "fuse.rclone",
      "fuse.s3fs", "fuse.davfs2", "fuse.glusterfs", "fuse.ceph"};
  for (const char* r : reseau)
    if (m.Systeme == QLatin1String(r)) return true;
  return m.Source.startsWith(QLatin1String("//")) || (m.Majeur == 0 && m.Source.contains(QLatin1String(":/")));
}

// What the kernel's block device says of itself: /sys/dev/block/<major>:<minor>, a partition
// asking its disk.
QString DossierBloc(int majeur, int mineur) {
  return majeur == 0 ? QString()
                     : QFileInfo(QStringLiteral("/sys/dev/block/%1:%2").arg(majeur).arg(mineur)).canonicalFilePath();
}

QByteArray LireSys(const QString& f) {
  QFile fichier(f);
  if (!fichier.open(QIODevice::ReadOnly)) return {};
  return fichier.read(64).trimmed();
}

bool Amovible(const QString& bloc) {
  if (bloc.isEmpty()) return false;
  const QString disque = QFileInfo::exists(bloc + QStringLiteral("/partition")) ? QFileInfo(bloc).path() : bloc;
  return LireSys(disque + QStringLiteral("/removable")) == "1";
}

// The label the system gives a block device (/dev/disk/by-label, its escapes decoded).
QString LabelBloc(const QString& bloc) {
  if (bloc.isEmpty()) return {};
  const QString dev = QStringLiteral("/dev/") + QFileInfo(bloc).fileName();
  const QDir d(QStringLiteral("/dev/disk/by-label"));
  for (const QFileInfo& fi : d.entryInfoList(QDir::System | QDir::Files | QDir::NoDotAndDotDot))
    if (fi.canonicalFilePath() == dev) {
      const QByteArray nom = fi.fileName().toUtf8();
      QByteArray r;
      for (int i = 0; i < nom.size(); ++i) {
        bool ok = false;
        if (nom[i] == '\\' && i + 3 < nom.size() && nom[i + 1] == 'x') {
          const int c = nom.mid(i + 2, 2).toInt(&ok, 16);
          if (ok) {
            r += char(c);
            i += 3;
          }
        }
        if (!ok) r += nom[i];
      }
      return QString::fromUtf8(r);
    }
  return {};
}

}  // namespace

std::vector<TMontage> LireMountinfo(const QByteArray& texte) {
  std::vector<TMontage> r;
  for (const QByteArray& ligne : texte.split('\n')) {
    const QList<QByteArray> champs = ligne.split(' ');
    // id, parent, major:minor, root, mount point, options, optional fields, "-", type, source
    const qsizetype tiret = champs.indexOf("-", 6);
    if (champs.size() < 6 || tiret < 0 || tiret + 2 >= champs.size()) continue;
    TMontage m;
    m.Racine = DecoderMontage(champs[4]);
    m.Systeme = DecoderMontage(champs[tiret + 1]);
    m.Source = DecoderMontage(champs[tiret + 2]);
    const QList<QByteArray> dev = champs[2].split(':');
    if (dev.size() == 2) {
      m.Majeur = dev[0].toInt();
      m.Mineur = dev[1].toInt();
    }
    if (m.Racine.startsWith(QLatin1Char('/'))) r.push_back(m);
  }
  return r;
}

TDriveType GenreMontage(const TMontage& m, bool amovible) {
  const QString& t = m.Systeme;
  if (EstReseau(m)) return TDriveType::dtNetwork;
  if (t == QLatin1String("iso9660") || t == QLatin1String("udf")) return TDriveType::dtCDROM;
  if (t == QLatin1String("tmpfs") || t == QLatin1String("ramfs")) return TDriveType::dtRAM;
  if (amovible) return TDriveType::dtFloppy;
  return m.Majeur != 0 || t == QLatin1String("btrfs") || t == QLatin1String("zfs") || t == QLatin1String("overlay") ||
                 t.startsWith(QLatin1String("fuse"))
             ? TDriveType::dtFixed
             : TDriveType::dtUnknown;
}

std::vector<TLecteur> Lecteurs() {
  QFile f(QStringLiteral("/proc/self/mountinfo"));
  std::vector<TMontage> montages;
  if (f.open(QIODevice::ReadOnly)) montages = LireMountinfo(f.read(4 << 20));
  // A mount point mounted over keeps only its last mount, the one that shows.
  std::vector<TMontage> visibles;
  for (const TMontage& m : montages) {
    std::erase_if(visibles, [&](const TMontage& v) { return v.Racine == m.Racine; });
    visibles.push_back(m);
  }
  std::vector<TLecteur> r;
  for (const TMontage& m : visibles) {
    const QString& p = m.Racine;
    // System and package mounts are no place for songs.
    bool exclu = false;
    for (const char* e : {"/proc", "/sys", "/dev", "/run", "/var/run", "/var/lock", "/snap", "/boot"})
      exclu = exclu || DansSysteme(p, e);
    if (p.startsWith(QLatin1String("/run/media/"))) exclu = false;
    if (exclu || m.Systeme == QLatin1String("rootfs") || m.Systeme == QLatin1String("autofs")) continue;
    TLecteur l{p, TDriveType::dtNetwork, {}};
    if (EstReseau(m)) {
      l.Nom = m.Source;  // the remote name, from the table alone
    } else if (!m.Systeme.startsWith(QLatin1String("fuse"))) {
      // A local file system of no size is a kernel interface, not a disk.
      struct statvfs sv {};
      if (p != QLatin1String("/") && (statvfs(QFile::encodeName(p).constData(), &sv) != 0 || sv.f_blocks == 0))
        continue;
      if (p != QLatin1String("/") && !QFileInfo(p).isDir()) continue;  // a file mounted over a file
      const QString bloc = DossierBloc(m.Majeur, m.Mineur);
      l.Genre = QFileInfo(bloc).fileName().startsWith(QLatin1String("sr")) ? TDriveType::dtCDROM  // an optical drive
                                                                           : GenreMontage(m, Amovible(bloc));
      l.Nom = LabelBloc(bloc);
    } else {
      l.Genre = GenreMontage(m, false);
    }
    r.push_back(l);
  }
  std::sort(r.begin(), r.end(), [](const TLecteur& a, const TLecteur& b) {
    const bool ra = a.Racine == QLatin1String("/"), rb = b.Racine == QLatin1String("/");
    return ra != rb ? ra : a.Racine < b.Racine;
  });
  if (r.empty() || r.front().Racine != QLatin1String("/"))
    r.insert(r.begin(), TLecteur{QStringLiteral("/"), TDriveType::dtFixed, {}});
  return r;
}

QString LabelVolume(const QString& label) {
  if (label.isEmpty()) return label;
  QString l = label.toLower();
  l[0] = l[0].toUpper();
  return l;
}

QString TexteRacineArbre(const TLecteur& l) {
  QString label;
  switch (l.Genre) {
    case TDriveType::dtFixed:
    case TDriveType::dtCDROM:
    case TDriveType::dtRAM:
      label = LabelVolume(l.Nom);
      break;
    case TDriveType::dtNetwork:
      label = l.Nom;
      break;
    default:
      break;
  }
  return l.Racine + QLatin1Char(' ') + label;
}

QIcon IconeLecteur(TDriveType genre) {
  QStyle* s = QApplication::style();
  switch (genre) {
    case TDriveType::dtFloppy:
      return AuFormat(
          QIcon::fromTheme(QStringLiteral("drive-removable-media"), s->standardIcon(QStyle::SP_DriveFDIcon)));
    case TDriveType::dtCDROM:
      return AuFormat(QIcon::fromTheme(QStringLiteral("drive-optical"), s->standardIcon(QStyle::SP_DriveCDIcon)));
    case TDriveType::dtNetwork:
      return AuFormat(QIcon::fromTheme(QStringLiteral("folder-remote"), s->standardIcon(QStyle::SP_DriveNetIcon)));
    case TDriveType::dtRAM:
      return IconeMemoire();
    default:
      return AuFormat(Icones().icon(QFileIconProvider::Drive));  // fixed and the rest
  }
}

namespace {
// A folder's entries of the kinds asked for, a link taken as what it leads to. The listing also
// gives links to what is neither a folder nor a file (a pipe, a device), as folders and as files:
// they go, as the pipe or device itself does.
QFileInfoList EntreesDossier(const QString& dossier, QDir::Filters filtres) {
  QFileInfoList r = QDir(dossier).entryInfoList(filtres);
  r.removeIf([](const QFileInfo& fi) { return !fi.isDir() && !fi.isFile(); });
  return r;
}
}  // namespace

QStringList SousDossiers(const QString& dossier) {
  QStringList noms;
  for (const QFileInfo& fi : EntreesDossier(dossier, QDir::Dirs | QDir::NoDotAndDotDot))
    if (!fi.fileName().startsWith(QLatin1Char('.'))) noms << fi.fileName();
  std::sort(noms.begin(), noms.end(), AvantDans);
  return noms;
}

// ---- The frame of the tree and the lists ----

void TCadreVue::MontrerBordure() {
  QAbstractScrollArea* vue = Vue();
  const bool v = cadre_.FrameVisible();
  // The frame takes the place of the style's own: a plain panel as wide as the band keeps the
  // view, its scroll bars and a tree's header inside it; the band is painted over as the control
  // paints.
  vue->setFrameStyle(v ? QFrame::Panel | QFrame::Plain : QFrame::StyledPanel | QFrame::Sunken);
  vue->setLineWidth(v ? kLargeurCadre : 1);
}

void TCadreVue::EvenementCadre(QEvent* e, const std::function<void()>& entree, const std::function<void()>& sortie) {
  QAbstractScrollArea* vue = Vue();
  const QColor fond = vue->palette().color(QPalette::Base);
  if (e->type() == QEvent::Paint && cadre_.FrameVisible()) {
    // The band under the frame, where the plain panel was drawn.
    QPainter p(vue);
    const int l = vue->width(), h = vue->height(), b = kLargeurCadre;
    for (const QRect& r : {QRect(0, 0, l, b), QRect(0, h - b, l, b), QRect(0, 0, b, h), QRect(l - b, 0, b, h)})
      p.fillRect(r, fond);
  }
  cadre_.Evenement(vue, e, EnTColor(fond));
  if (e->type() == QEvent::Enter && entree) entree();
  if (e->type() == QEvent::Leave && sortie) sortie();
}

// ---- Directory tree ----

TVxDirectoryTree::TVxDirectoryTree(QWidget* parent, const QStringList& racines)
    : QTreeWidget(parent), TCadreVue(this), racinesDonnees_(racines) {
  setHeaderHidden(true);
  setColumnCount(1);
  setEditTriggers(QAbstractItemView::NoEditTriggers);  // F2 alone renames, and only when not ReadOnly
  setSelectionMode(QAbstractItemView::SingleSelection);
  setIndentation(19);
  setIconSize(QSize(kTailleImage, kTailleImage));
  resize(250, 150);
  iconeDossier_ = IconeDossierArbre();
  connect(this, &QTreeWidget::itemExpanded, this, [this](QTreeWidgetItem* n) { Deplier(n); });
  ConstruireRacines();
}

TVxDirectoryTree::~TVxDirectoryTree() { destroying_ = true; }

void TVxDirectoryTree::ConstruireRacines() {
  std::vector<TLecteur> lecteurs;
  for (const QString& r : racinesDonnees_) lecteurs.push_back({r, TDriveType::dtFixed, {}});
  if (racinesDonnees_.isEmpty()) lecteurs = Lecteurs();
  for (const TLecteur& l : lecteurs) {
    const QString r = LongPathName(l.Racine);
    auto* n = new QTreeWidgetItem(this, QStringList{racinesDonnees_.isEmpty() ? TexteRacineArbre(l) : r});
    n->setData(0, RoleChemin, r);
    n->setIcon(0, IconeLecteur(l.Genre));
    // A network drive is read only when the user opens it: a dead server would hang the start.
    if (l.Genre != TDriveType::dtNetwork) RemplirNoeud(n);
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
    c->setFlags(c->flags() | Qt::ItemIsEditable);
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
  // Leaving an edited node ends its edit; the rename follows once this call has returned.
  QTreeWidget::currentChanged(courant, precedent);
  if (retour_ || rebuilding_ || destroying_) return;
  QTreeWidgetItem* n = itemFromIndex(courant);
  if (!n) return;
  racineRetenue_ = RacineDe(path_);
  bool ok = !OnChanging || OnChanging();
  if (ok && !n->parent()) {
    const QString r = CheminNoeud(n);
    if (!QFileInfo(r).isDir() || !QFileInfo(r).isReadable()) {
      // The box once the view's own calls have returned, as for a rename.
      QMetaObject::invokeMethod(this, [this, r] { Erreur(TexteRacineInaccessible.arg(r)); }, Qt::QueuedConnection);
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
  CheminChange();
}

void TVxDirectoryTree::CheminChange() {
  if (RacineDe(path_) != racineRetenue_ && OnDriveChange) OnDriveChange();
  if (fileList_) fileList_->SetDirectory(path_);
  MajDirLabel();
  if (OnChange) OnChange();
}

void TVxDirectoryTree::Erreur(const QString& texte) {
  const QPointer<TVxDirectoryTree> vivant(this);
  ++boites_;
  // On the heap: the tree, or its window, deleted while the box is up deletes the box with it,
  // which ends the box's loop; a box on this stack would be freed as the tree's child.
  const QPointer<QMessageBox> boite = new QMessageBox(QMessageBox::Critical, QString(), texte, QMessageBox::Ok, this);
  boite->exec();
  if (!vivant) return;
  delete boite.data();
  --boites_;
  // Asked to go while the box was up: see event().
  if (boites_ == 0 && aSupprimer_) QTimer::singleShot(0, this, [this] { delete this; });
}

bool TVxDirectoryTree::event(QEvent* e) {
  // A deleteLater() made while a box is up (by a timer, by another window) is delivered by the
  // box's own loop, which runs the deferred deletes posted inside it: the tree would go before the
  // call that opened the box returns, under a caller of Renommer that still holds it. It waits
  // for the box instead, and then deletes itself from a zero-time timer, not by deleteLater():
  // newer Qt (6.9 is one) posts at most one deferred delete per object, the one swallowed here,
  // so a second deleteLater() would post nothing and the tree would never go.
  if (e->type() == QEvent::DeferredDelete && boites_ > 0) {
    aSupprimer_ = true;
    return true;
  }
  // Deleted outright while a box is up, the tree is gone when the event that opened it returns.
  const QPointer<TVxDirectoryTree> vivant(this);
  const bool r = QTreeWidget::event(e);
  if (vivant) EvenementCadre(e, OnMouseEnter, OnMouseLeave);
  return r;
}

void TVxDirectoryTree::paintEvent(QPaintEvent* e) {
  QTreeWidget::paintEvent(e);
  // Without the focus the selected folder keeps an outline, so the user still sees where it is.
  QTreeWidgetItem* n = currentItem();
  if (hideSelection_ || hasFocus() || !n) return;
  QRect r = visualItemRect(n);
  if (!r.isValid()) return;
  r.setLeft(r.left() + iconSize().width() + 2);
  r.setWidth(std::min(r.width(), fontMetrics().horizontalAdvance(n->text(0)) + 6));
  QPainter p(viewport());
  TCanvas c(&p);
  c.Pen = selectionPen_;
  c.Brush.Style = TBrushStyle::bsClear;
  c.Rectangle(r.left(), r.top(), r.left() + r.width(), r.top() + r.height());
}

void TVxDirectoryTree::SetSelectionPen(const TCanvasPen& p) {
  selectionPen_ = p;
  viewport()->update();
}

void TVxDirectoryTree::SetHideSelection(bool v) {
  hideSelection_ = v;
  viewport()->update();
}

void TVxDirectoryTree::drawRow(QPainter* p, const QStyleOptionViewItem& o, const QModelIndex& i) const {
  if (!hideSelection_ || hasFocus()) return QTreeWidget::drawRow(p, o, i);
  // The selection drawn in the colours of the rest, as if there were none.
  QStyleOptionViewItem op(o);
  for (QPalette::ColorGroup g : {QPalette::Active, QPalette::Inactive}) {
    op.palette.setColor(g, QPalette::Highlight, op.palette.color(g, QPalette::Base));
    op.palette.setColor(g, QPalette::HighlightedText, op.palette.color(g, QPalette::Text));
  }
  QTreeWidget::drawRow(p, op, i);
}

void TVxDirectoryTree::keyPressEvent(QKeyEvent* e) {
  if (e->key() == Qt::Key_F2 && e->modifiers() == Qt::NoModifier) {
    QTreeWidgetItem* n = currentItem();
    if (!ReadOnly && n && n->parent()) editItem(n);  // a drive keeps its name
    e->accept();
    return;
  }
  QTreeWidget::keyPressEvent(e);
}

bool TVxDirectoryTree::edit(const QModelIndex& i, EditTrigger declencheur, QEvent* e) {
  const bool r = QTreeWidget::edit(i, declencheur, e);
  if (r && state() == EditingState) edite_ = i;
  return r;
}

void TVxDirectoryTree::commitData(QWidget* editeur) {
  // The name is only taken here: a refused name's box must not open while the editor is still
  // there, or its loss of focus commits the edit again under the box.
  if (auto* le = qobject_cast<QLineEdit*>(editeur)) nomEdite_ = TNomEdite{edite_, le->text()};
}

void TVxDirectoryTree::closeEditor(QWidget* editeur, QAbstractItemDelegate::EndEditHint indice) {
  // Tab and Shift+Tab go on to the next name only once the edited folder has its new one: the
  // base class would move the selection first and open the next editor under the box.
  const bool suite = indice == QAbstractItemDelegate::EditNextItem || indice == QAbstractItemDelegate::EditPreviousItem;
  QTreeWidget::closeEditor(editeur, suite ? QAbstractItemDelegate::NoHint : indice);
  const std::optional<TNomEdite> edite = std::exchange(nomEdite_, std::nullopt);
  if (!edite && !suite) return;
  // The rename, and its box, once the view's own calls have returned: the tree or its window may
  // be deleted while the box is up, and those calls would go on with the deleted view.
  QMetaObject::invokeMethod(
      this,
      [this, edite, suite, indice] {
        const QPointer<TVxDirectoryTree> vivant(this);
        // The node takes the new name only once the folder has it on disk.
        if (edite) Renommer(itemFromIndex(edite->Noeud), edite->Nom);
        if (vivant && suite) QTreeWidget::closeEditor(nullptr, indice);
      },
      Qt::QueuedConnection);
}

bool TVxDirectoryTree::Renommer(QTreeWidgetItem* n, const QString& nom) {
  if (!n || !n->parent() || nom == n->text(0)) return false;
  const QString ancien = CheminNoeud(n), nouveau = Joindre(CheminNoeud(n->parent()), nom);
  // A separator would move the folder elsewhere; "." and ".." name other folders. The rename
  // itself never replaces an existing folder.
  const bool valide =
      !nom.isEmpty() && !nom.contains(QLatin1Char('/')) && nom != QLatin1String(".") && nom != QLatin1String("..");
  if (!valide || !QDir().rename(ancien, nouveau)) {
    Erreur(TexteNomDossierInvalide);
    return false;
  }
  n->setText(0, nom);
  if (path_ == ancien || path_.startsWith(ancien + QLatin1Char('/'))) {
    racineRetenue_ = RacineDe(path_);
    path_ = nouveau + path_.mid(ancien.size());
    CheminChange();
  }
  return true;
}

void TVxDirectoryTree::wheelEvent(QWheelEvent* e) {
  if (!DefilerParLignes(this, e, resteMolette_)) QTreeWidget::wheelEvent(e);
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

namespace {
// A mask's patterns, separated by ";": "*" stands for any run of characters and "?" for any one,
// as in the masks users type; every other character, a bracket included, for itself. Case is
// ignored.
std::vector<QRegularExpression> MotifsMasque(const QString& masque) {
  std::vector<QRegularExpression> motifs;
  for (const QString& m : masque.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
    QString re;
    for (const QChar c : m.trimmed())
      re += c == QLatin1Char('*')   ? QStringLiteral(".*")
            : c == QLatin1Char('?') ? QStringLiteral(".")
                                    : QRegularExpression::escape(QString(c));
    motifs.emplace_back(QRegularExpression::anchoredPattern(re), QRegularExpression::CaseInsensitiveOption);
  }
  return motifs;
}

bool Retenu(const std::vector<QRegularExpression>& motifs, const QString& nom) {
  return std::any_of(motifs.begin(), motifs.end(),
                     [&](const QRegularExpression& r) { return r.match(nom).hasMatch(); });
}

// Every line of a list at the list's own item height (the file list and the drive list).
template <class TListe>
class THauteurLigne : public QStyledItemDelegate {
 public:
  explicit THauteurLigne(TListe* l) : QStyledItemDelegate(l), liste_(l) {}
  QSize sizeHint(const QStyleOptionViewItem& o, const QModelIndex& i) const override {
    return {QStyledItemDelegate::sizeHint(o, i).width(), liste_->ItemHeight()};
  }

 private:
  TListe* liste_;
};
}  // namespace

TVxFileListBox::TVxFileListBox(QWidget* parent) : QListWidget(parent), TCadreVue(this) {
  setSortingEnabled(false);  // the list sorts itself
  setIconSize(QSize(kTailleImage, kTailleImage));
  setItemDelegate(new THauteurLigne<TVxFileListBox>(this));
  MajHauteur();
  connect(this, &QListWidget::itemDoubleClicked, this, &TVxFileListBox::DoubleClic);
  AdopterParArbres();
}

void TVxFileListBox::SetColor(TColor c) {
  if (c == couleur_) return;
  couleur_ = c;
  QPalette p = palette();
  p.setColor(QPalette::Base, ToQColor(c));
  setPalette(p);
  if (Cadre().FrameVisible()) update();
}

void TVxFileListBox::AdopterParArbres() {
  QWidget* fenetre = parentWidget() ? window() : nullptr;
  if (!fenetre) return;
  for (TVxDirectoryTree* t : fenetre->findChildren<TVxDirectoryTree*>())
    if (!t->FileList()) t->SetFileList(this);
}

void TVxFileListBox::MajHauteur() {
  const int h = FontLineHeight(font()) - 3;
  hauteur_ = glyphes_ ? std::max(18, h) : h;
  MajColonnes();
  doItemsLayout();
}

void TVxFileListBox::SetColumns(int n) {
  colonnes_ = std::max(0, n);
  MajColonnes();
}

void TVxFileListBox::MajColonnes() {
  setWrapping(colonnes_ > 0);
  if (colonnes_ > 0) {
    setResizeMode(QListView::Adjust);
    setMinimumWidth(std::max(minimumWidth(), 3));
    setGridSize(QSize(std::max(1, viewport()->width() / colonnes_), hauteur_));
  } else {
    setGridSize(QSize());
  }
}

void TVxFileListBox::resizeEvent(QResizeEvent* e) {
  QListWidget::resizeEvent(e);
  if (colonnes_ > 0) MajColonnes();
}

void TVxFileListBox::wheelEvent(QWheelEvent* e) {
  if (!DefilerParLignes(this, e, resteMolette_)) QListWidget::wheelEvent(e);
}

bool TVxFileListBox::event(QEvent* e) {
  const bool r = QListWidget::event(e);
  if (e->type() == QEvent::FontChange) MajHauteur();
  if (e->type() == QEvent::ParentChange) AdopterParArbres();
  // The frame waits while the list is being read.
  if (!occupe_) EvenementCadre(e, OnMouseEnter, OnMouseLeave);
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
  MajHauteur();
  Lire();
}

QFileInfoList TVxFileListBox::EntreesDe(const QString& dossier) const {
  QDir::Filters filtres = QDir::NoDotAndDotDot;
  if (FileType & ftNormal) filtres |= QDir::Files;
  if (FileType & ftDirectory) filtres |= QDir::Dirs;
  if (FileType & ftHidden) filtres |= QDir::Hidden;
  return EntreesDossier(dossier, filtres);
}

void TVxFileListBox::Lire() {
  occupe_ = true;
  clear();
  infos_.clear();
  if (!dossier_.isEmpty()) {
    const std::vector<QRegularExpression> motifs = MotifsMasque(mask_);
    for (const QFileInfo& fi : EntreesDe(dossier_))
      if (Retenu(motifs, fi.fileName()))
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
  const QString dossier = sep < 0 ? dossier_ : sep == 0 ? QStringLiteral("/") : nom.left(sep);
  const bool motif = fichier.contains(QLatin1Char('*')) || fichier.contains(QLatin1Char('?'));
  // Checked before anything moves: a name that fails leaves the list and its links as they were.
  // A file must be one the list shows, under the mask or under its own name as the mask (a
  // hidden file is no entry of a list without ftHidden).
  if (dossier.isEmpty() || !QFileInfo(dossier).isDir()) return false;
  if (!motif && !fichier.isEmpty()) {
    const QFileInfoList entrees = EntreesDe(dossier);
    const bool listee =
        std::any_of(entrees.begin(), entrees.end(), [&](const QFileInfo& fi) { return fi.fileName() == fichier; });
    if (!listee || !(Retenu(MotifsMasque(mask_), fichier) || Retenu(MotifsMasque(fichier), fichier))) return false;
  }
  if (sep >= 0) {
    if (DirTree)
      DirTree->SetCurrentPath(dossier);
    else if (DirList)
      DirList->SetDirectory(dossier);
    if (LongPathName(dossier) != dossier_) SetDirectory(dossier);
  }
  if (motif) {
    SetMask(fichier);
    return true;
  }
  if (fichier.isEmpty()) return true;
  auto trouver = [&] {
    const auto l = findItems(fichier, Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (!l.isEmpty()) setCurrentItem(l.first());
    return !l.isEmpty();
  };
  if (trouver()) return true;
  // A file the mask leaves out: its name, taken as a name, becomes the mask.
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

TVxDirectoryListBox::TVxDirectoryListBox(QWidget* parent) : QListWidget(parent), TCadreVue(this) {
  setItemDelegate(new TRetrait(this));
  setIconSize(QSize(kTailleImage, kTailleImage));
  connect(this, &QListWidget::itemDoubleClicked, this,
          [this](QListWidgetItem* it) { SetDirectory(it->data(RoleChemin).toString()); });
}

bool TVxDirectoryListBox::event(QEvent* e) {
  const bool r = QListWidget::event(e);
  EvenementCadre(e, OnMouseEnter, OnMouseLeave);
  return r;
}

void TVxDirectoryListBox::wheelEvent(QWheelEvent* e) {
  if (!DefilerParLignes(this, e, resteMolette_)) QListWidget::wheelEvent(e);
}

QIcon TVxDirectoryListBox::ImageDossier(Image i) {
  switch (i) {
    case imOuvert:
      return IconeDossierOuvert();
    case imCourant:
      return QIcon(IconeDossierOuvert().pixmap(kTailleImage, QIcon::Selected));  // the open folder, marked
    default:
      return IconeDossierFerme();
  }
}

void TVxDirectoryListBox::SetDirectory(const QString& d) {
  QString p = LongPathName(d);
  while (!QFileInfo(p).isDir() && p != QLatin1String("/")) p = LongPathName(p + QStringLiteral("/.."));
  dossier_ = p;
  clear();
  QStringList parties = p.split(QLatin1Char('/'), Qt::SkipEmptyParts);
  QString chemin = QStringLiteral("/");
  auto ajouter = [&](Image image, const QString& texte, const QString& ch, int retrait) {
    auto* it = new QListWidgetItem(ImageDossier(image), texte, this);
    it->setData(RoleChemin, ch);
    it->setData(RoleRetrait, retrait);
    return it;
  };
  QListWidgetItem* courant = ajouter(parties.isEmpty() ? imCourant : imOuvert, QStringLiteral("/"), chemin, 2);
  for (int i = 0; i < parties.size(); ++i) {
    chemin = Joindre(chemin, parties[i]);
    courant = ajouter(i + 1 == parties.size() ? imCourant : imOuvert, parties[i], chemin, (i + 1) * 4 + 2);
  }
  for (const QString& s : SousDossiers(p)) ajouter(imFerme, s, Joindre(p, s), int(parties.size()) * 4 + 6);
  setCurrentItem(courant);
  if (DirLabel) MontrerChemin(DirLabel, p, DirLabel->width() > 10 ? DirLabel->width() : width());
  if (FileList) FileList->SetDirectory(p);
  if (OnChange) OnChange();
}

// ---- Drive list ----

TVxDriveComboBox::TVxDriveComboBox(QWidget* parent, std::vector<TLecteur> lecteurs)
    : TVxCustomComboBox(parent), donnes_(std::move(lecteurs)) {
  setIconSize(QSize(kTailleImage, kTailleImage));
  setItemDelegate(new THauteurLigne<TVxDriveComboBox>(this));
  Remplir();
  connect(this, &QComboBox::currentIndexChanged, this, [this] {
    if (DirList) DirList->SetDirectory(Drive());
  });
}

QString TVxDriveComboBox::TexteLecteur(const TLecteur& l, TTextCase casse) {
  // A mount point is a path and a network name a remote one: the case goes to the volume label.
  const QString label = casse == TTextCase::tcUpperCase ? l.Nom.toUpper() : l.Nom.toLower();
  switch (l.Genre) {
    case TDriveType::dtFixed:
    case TDriveType::dtCDROM:
    case TDriveType::dtRAM:
      return l.Racine + QLatin1Char(' ') + label;
    case TDriveType::dtNetwork:
      return l.Racine + QLatin1Char(' ') + l.Nom;
    default:
      return l.Racine;
  }
}

void TVxDriveComboBox::Remplir() {
  const QString avant = Drive();
  const QSignalBlocker b(this);
  clear();
  for (const TLecteur& l : donnes_.empty() ? Lecteurs() : donnes_)
    if (types_ & DriveTypeBit(l.Genre)) addItem(IconeLecteur(l.Genre), TexteLecteur(l, casse_), l.Racine);
  const int i = findData(avant);
  setCurrentIndex(i >= 0 ? i : count() > 0 ? 0 : -1);
}

void TVxDriveComboBox::SetDriveTypes(TDriveTypes t) {
  if (t == types_) return;
  types_ = t;
  Remplir();
}

void TVxDriveComboBox::SetTextCase(TTextCase c) {
  if (c == casse_) return;
  casse_ = c;
  Remplir();
}

int TVxDriveComboBox::ItemHeight() const { return std::max(fontMetrics().height(), iconSize().height()); }

void TVxDriveComboBox::changeEvent(QEvent* e) {
  TVxCustomComboBox::changeEvent(e);
  if (e->type() == QEvent::FontChange && view()) view()->doItemsLayout();
}

QString TVxDriveComboBox::Drive() const { return currentData().toString(); }

void TVxDriveComboBox::SetDrive(const QString& racine) {
  const int i = findData(racine);
  if (i >= 0) setCurrentIndex(i);
}
