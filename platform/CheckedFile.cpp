#include "platform/CheckedFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QRandomGenerator>
#include <algorithm>
#include <cerrno>
#include <climits>
#include <csignal>
#include <cstring>

void PrepareProcess() { std::signal(SIGXFSZ, SIG_IGN); }

namespace {

EFileRead Refus(int erreur) {
  return erreur == ENOENT || erreur == ENOTDIR || erreur == ENAMETOOLONG || erreur == ELOOP ? EFileRead::Missing
                                                                                            : EFileRead::Unreadable;
}

EFileRead Examiner(const struct stat& st, qint64 maxSize) {
  if (!S_ISREG(st.st_mode)) return EFileRead::NotAFile;
  if (st.st_size > maxSize) return EFileRead::TooLarge;
  return EFileRead::Ok;
}

// The descriptor of a regular file within the bound, or -1 with the reason in *why.
int OuvrirVerifie(const QString& path, qint64 maxSize, EFileRead* why, qint64* taille) {
  const QByteArray nom = QFile::encodeName(path);
  if (nom.isEmpty()) {
    *why = EFileRead::Missing;
    return -1;
  }
  struct stat st {};
  // A look before the open: a device or a FIFO is never opened at all, since opening some of them
  // does something (a serial line, a tape, a watchdog).
  if (::stat(nom.constData(), &st) != 0) {
    *why = Refus(errno);
    return -1;
  }
  if ((*why = Examiner(st, maxSize)) != EFileRead::Ok) return -1;
  int fd;
  do {
    fd = ::open(nom.constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
  } while (fd < 0 && errno == EINTR);
  if (fd < 0) {
    *why = Refus(errno);
    return -1;
  }
  // What was opened is what counts: the path may name something else by now. Another regular file
  // within the bound (a file replaced by an editor's save) is as good as the one looked at.
  if (::fstat(fd, &st) != 0) {
    *why = EFileRead::Unreadable;
  } else {
    *why = Examiner(st, maxSize);
  }
  if (*why != EFileRead::Ok) {
    ::close(fd);
    return -1;
  }
  // A regular file reads alike with or without the flag; it goes, so that no file system honours it.
  ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
  *taille = st.st_size;
  return fd;
}

}  // namespace

EFileRead OpenFileChecked(QFile& file, const QString& path, qint64 maxSize) {
  if (file.isOpen()) file.close();
  EFileRead why;
  qint64 taille = 0;
  const int fd = OuvrirVerifie(path, maxSize, &why, &taille);
  if (fd < 0) return why;
  if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
    ::close(fd);
    return EFileRead::Unreadable;
  }
  return EFileRead::Ok;
}

EFileRead ReadFileChecked(const QString& path, qint64 maxSize, QByteArray* bytes) {
  bytes->clear();
  EFileRead why;
  qint64 taille = 0;
  const int fd = OuvrirVerifie(path, maxSize, &why, &taille);
  if (fd < 0) return why;
  // The size found once open, then whatever the file gained meanwhile, never past the bound.
  QByteArray b(static_cast<qsizetype>(taille), Qt::Uninitialized);
  qint64 lu = 0;
  why = EFileRead::Ok;
  auto lire = [fd](char* vers, size_t n) {
    ssize_t r;
    do r = ::read(fd, vers, n);
    while (r < 0 && errno == EINTR);
    return r;
  };
  while (lu < b.size()) {
    const ssize_t n = lire(b.data() + lu, static_cast<size_t>(b.size() - lu));
    if (n <= 0) {
      if (n < 0) why = EFileRead::Unreadable;
      break;  // n == 0: the file shrank meanwhile
    }
    lu += n;
  }
  if (why == EFileRead::Ok && lu == b.size()) {
    char plus[65536];
    for (ssize_t n; (n = lire(plus, sizeof plus)) != 0;) {
      if (n < 0 || lu + n > maxSize) {
        why = n < 0 ? EFileRead::Unreadable : EFileRead::TooLarge;
        break;
      }
      b.append(plus, n);
      lu += n;
    }
  }
  ::close(fd);
  if (why != EFileRead::Ok) return why;
  b.resize(static_cast<qsizetype>(lu));
  *bytes = std::move(b);
  return EFileRead::Ok;
}

namespace {

// Set once the settings have loaded; every writer runs on the window's thread.
TWriteReasonTexts gTextesRaisons = nullptr;

QString Raison(EWriteReason raison, const QString& detail = QString()) {
  if (gTextesRaisons) {
    const QString t = gTextesRaisons(raison, detail);
    if (!t.isEmpty()) return t;
  }
  switch (raison) {
    case EWriteReason::NotAFile: return QStringLiteral("Not a regular file");
    case EWriteReason::PrinterNotEnded: return QStringLiteral("The printer did not end the document");
    case EWriteReason::DocumentNotWhole: return QStringLiteral("The document was not written whole");
    case EWriteReason::NoNewFile: return QStringLiteral("A new file cannot be made in its folder: %1").arg(detail);
    case EWriteReason::WriteError: break;
  }
  return QStringLiteral("Write error");
}

QString Systeme(int erreur) { return QString::fromLocal8Bit(std::strerror(erreur)); }

void Fermer(int& fd) {
  if (fd >= 0) ::close(fd);
  fd = -1;
}

// Opens the folder part of a name (relative to `depuis`) and gives the last part in *base. The
// system resolves the folder part, every link and ".." in it, once: what is opened stays that
// folder whatever its names lead to later. Readable where it may be, so that it can be synced.
QString OuvrirDossier(int depuis, const QByteArray& nom, int* dossier, QByteArray* base) {
  const qsizetype barre = nom.lastIndexOf('/');
  const QByteArray partie = barre < 0 ? QByteArray(".") : barre == 0 ? QByteArray("/") : nom.left(barre);
  *base = nom.mid(barre + 1);
  int fd = ::openat(depuis, partie.constData(), O_RDONLY | O_DIRECTORY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0 && errno == EACCES) fd = ::openat(depuis, partie.constData(), O_PATH | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) {
    // A folder that is not there is where the new file cannot be made.
    return errno == ENOENT ? Raison(EWriteReason::NoNewFile, Systeme(errno)) : Systeme(errno);
  }
  *dossier = fd;
  return {};
}

// The file the rename would replace must be a regular file or nothing yet: a device, a FIFO or a
// socket would be replaced by a file (even in /dev, for root), a folder cannot be, and a link there
// now was put in after the links were followed. Empty when it is; st->st_mode is 0 for nothing.
QString ExaminerCible(int dossier, const QByteArray& base, struct stat* st) {
  st->st_mode = 0;
  if (base.isEmpty() || base == "." || base == "..") return Raison(EWriteReason::NotAFile);  // a folder
  if (::fstatat(dossier, base.constData(), st, AT_SYMLINK_NOFOLLOW) != 0)
    return errno == ENOENT ? QString() : Systeme(errno);
  return S_ISREG(st->st_mode) ? QString() : Raison(EWriteReason::NotAFile);
}

// What the writer looks at before its open: the folder of the file the links lead to, opened in
// *dossier (closed by the caller, also on a refusal), that file's name in it, what is there, and
// that the process may write it: the folder alone would let a rename replace a read-only file. A
// link's relative target counts from the link's own folder, as the system reads it.
QString ExaminerAvantOuverture(const QString& path, int* dossier, QByteArray* base, struct stat* st) {
  const QByteArray nom = QFile::encodeName(path);
  if (nom.isEmpty()) return Raison(EWriteReason::NoNewFile, Systeme(ENOENT));
  if (QString pourquoi = OuvrirDossier(AT_FDCWD, nom, dossier, base); !pourquoi.isEmpty()) return pourquoi;
  for (int liens = 0;; ++liens) {
    if (QString pourquoi = ExaminerCible(*dossier, *base, st); !pourquoi.isEmpty() && !S_ISLNK(st->st_mode))
      return pourquoi;
    if (!S_ISLNK(st->st_mode)) break;
    if (liens == 40) return Systeme(ELOOP);  // as deep as the system follows
    QByteArray lien(PATH_MAX, Qt::Uninitialized);
    const ssize_t n = ::readlinkat(*dossier, base->constData(), lien.data(), static_cast<size_t>(lien.size()));
    if (n <= 0 || n >= lien.size()) return Systeme(n < 0 ? errno : n == 0 ? ENOENT : ENAMETOOLONG);
    lien.truncate(n);
    int suivant = -1;
    const QString pourquoi = OuvrirDossier(lien.startsWith('/') ? AT_FDCWD : *dossier, lien, &suivant, base);
    Fermer(*dossier);
    if (!pourquoi.isEmpty()) return pourquoi;
    *dossier = suivant;
  }
  if (st->st_mode != 0 && ::faccessat(*dossier, base->constData(), W_OK, AT_EACCESS) != 0) return Systeme(errno);
  return {};
}

}  // namespace

void SetWriteReasonTexts(TWriteReasonTexts texts) { gTextesRaisons = texts; }

bool CheckWriteTarget(const QString& path, QString* error) {
  int dossier = -1;
  QByteArray base;
  struct stat st {};
  const QString pourquoi = ExaminerAvantOuverture(path, &dossier, &base, &st);
  Fermer(dossier);
  if (error) *error = pourquoi;
  return pourquoi.isEmpty();
}

TCheckedFile::TCheckedFile(const QString& path) : path_(path) {}

TCheckedFile::~TCheckedFile() {
  Annuler();
  Fermer(dossier_);
}

void TCheckedFile::Annuler() {
  Fermer(fd_);
  if (!temp_.isEmpty()) ::unlinkat(dossier_, temp_.constData(), 0);
  temp_.clear();
}

void TCheckedFile::Fail(const QString& why) {
  if (error_.isEmpty()) error_ = why.isEmpty() ? Raison(EWriteReason::WriteError) : why;
  Annuler();
}

bool TCheckedFile::Open() {
  if (Failed()) return false;
  if (const QString pourquoi = ExaminerAvantOuverture(path_, &dossier_, &base_, &ancien_); !pourquoi.isEmpty()) {
    Fail(pourquoi);
    return false;
  }
  // The temporary file beside the target, in the folder held open: a name of its own, made here and
  // nowhere else (O_EXCL), readable by this process only until it takes the old file's mode.
  static const char kLettres[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
  const QByteArray debut = base_.left(NAME_MAX - 7) + '.';
  for (int essai = 0; fd_ < 0; ++essai) {
    QByteArray nom = debut;
    for (int i = 0; i < 6; ++i) nom += kLettres[QRandomGenerator::global()->bounded(int(sizeof kLettres - 1))];
    fd_ = ::openat(dossier_, nom.constData(), O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC,
                   ancien_.st_mode != 0 ? 0600 : 0666);
    if (fd_ >= 0) {
      temp_ = nom;
    } else if (errno != EEXIST || essai == 100) {
      // The target was looked at: what failed is the temporary file, and the system's reason alone
      // ("No such file or directory" in /proc) would seem to speak of the target.
      Fail(Raison(EWriteReason::NoNewFile, Systeme(errno)));
      return false;
    }
  }
  return true;
}

bool TCheckedFile::Write(const char* data, qint64 size) {
  if (Failed() || fd_ < 0) {
    if (!Failed()) Fail(QString());
    return false;
  }
  while (size > 0) {
    const ssize_t n = ::write(fd_, data, static_cast<size_t>(size));
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      Fail(n < 0 ? Systeme(errno) : QString());
      return false;
    }
    data += n;
    size -= n;
  }
  return true;
}

bool TCheckedFile::Commit() {
  if (Failed() || fd_ < 0) {
    if (!Failed()) Fail(QString());
    return false;
  }
  // The old file's owner and group, where the process may give them (a save as root over another
  // user's file leaves it theirs; EPERM where it may not, EINVAL where it cannot name that owner in
  // a user namespace), then its whole mode: giving a file away clears its set-ID bits, and so does
  // a write by a process that may not keep them, hence after the last byte.
  if (ancien_.st_mode != 0) {
    if (::fchown(fd_, ancien_.st_uid, ancien_.st_gid) != 0 && errno != EPERM && errno != EINVAL) {
      Fail(Systeme(errno));
      return false;
    }
    if (::fchmod(fd_, ancien_.st_mode & 07777) != 0) {
      Fail(Systeme(errno));
      return false;
    }
  }
  // The disk, so that a rename never publishes blocks the file system has not allocated.
  if (::fsync(fd_) != 0) {
    Fail(Systeme(errno));
    return false;
  }
  // The file found at the open, in the folder found then, looked at again just before the rename:
  // it may have been swapped meanwhile.
  struct stat st {};
  if (const QString pourquoi = ExaminerCible(dossier_, base_, &st); !pourquoi.isEmpty()) {
    Fail(pourquoi);
    return false;
  }
  if (::renameat(dossier_, temp_.constData(), dossier_, base_.constData()) != 0) {
    Fail(Systeme(errno));
    return false;
  }
  temp_.clear();
  Fermer(fd_);
  // The rename itself, on the disk. A folder only searchable (opened without reading) cannot be
  // synced; a file system that syncs no folders says EINVAL. Any other failure is told: the new file
  // may not outlive a crash, and the song stays modified so that it can be saved again.
  if (::fsync(dossier_) != 0 && errno != EBADF && errno != EINVAL) {
    error_ = Systeme(errno);
    return false;
  }
  return true;
}

bool WriteFileChecked(const QString& path, const char* data, qint64 size, QString* error) {
  TCheckedFile f(path);
  const bool ok = f.Open() && f.Write(data, size) && f.Commit();
  if (!ok && error) *error = f.Error();
  return ok;
}

bool TCheckedPdf::Open() { return file_.Open(); }

QString TCheckedPdf::Name() const {
  // The temporary file's own descriptor, reopened by name: what the library writes lands in the
  // file the checked writer syncs and renames.
  return file_.fd_ >= 0 ? QStringLiteral("/proc/self/fd/%1").arg(file_.fd_) : QString();
}

namespace {

bool LireA(int fd, qint64 position, char* vers, qint64 n) {
  while (n > 0) {
    const ssize_t r = ::pread(fd, vers, static_cast<size_t>(n), position);
    if (r < 0 && errno == EINTR) continue;
    if (r <= 0) return false;
    vers += r;
    position += r;
    n -= r;
  }
  return true;
}

}  // namespace

bool TCheckedPdf::Whole() {
  const int fd = file_.fd_;
  struct stat st {};
  if (fd < 0 || ::fstat(fd, &st) != 0 || st.st_size < 16) return false;
  char debut[5];
  if (!LireA(fd, 0, debut, 5) || std::memcmp(debut, "%PDF-", 5) != 0) return false;
  // A write cut short loses the end; one lost in the middle moves what follows it, so the offset
  // the last lines give no longer falls on the cross-reference table.
  const qint64 n = std::min<qint64>(st.st_size, 1024);
  QByteArray fin(static_cast<qsizetype>(n), Qt::Uninitialized);
  if (!LireA(fd, st.st_size - n, fin.data(), n)) return false;
  const QByteArray queue = fin.trimmed();
  if (!queue.endsWith("%%EOF")) return false;
  const qsizetype s = queue.lastIndexOf("startxref");
  if (s < 0) return false;
  bool ok = false;
  const qint64 xref = queue.mid(s + 9, queue.size() - 5 - s - 9).trimmed().toLongLong(&ok);
  char table[4];
  return ok && xref > 0 && xref + 4 <= st.st_size && LireA(fd, xref, table, 4) && std::memcmp(table, "xref", 4) == 0;
}

QString TCheckedPdf::ShortWriteReason() {
  // The library keeps no reason. More bytes appended to the temporary file, which goes anyway, meet
  // what cut it short: a full disk or the file-size limit refuses them with the reason. A partial
  // write sets no error, hence a second try.
  const int fd = file_.fd_;
  if (fd >= 0 && ::lseek(fd, 0, SEEK_END) >= 0) {
    const QByteArray bloc(65536, '\0');
    for (int i = 0; i < 4; ++i)
      if (::write(fd, bloc.constData(), static_cast<size_t>(bloc.size())) < 0)
        return Systeme(errno);
  }
  return Raison(EWriteReason::DocumentNotWhole);
}

bool TCheckedPdf::Commit(bool libraryOk) {
  if (file_.Failed() || file_.fd_ < 0) return file_.Commit();  // says why
  if (!libraryOk) {
    file_.Fail(Whole() ? Raison(EWriteReason::PrinterNotEnded) : ShortWriteReason());
    return false;
  }
  if (!Whole()) {
    file_.Fail(ShortWriteReason());
    return false;
  }
  return file_.Commit();
}
