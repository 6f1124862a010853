#include "platform/CheckedFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <algorithm>
#include <atomic>
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

std::atomic<TWriteReasonTexts> gTextesRaisons{nullptr};

QString Raison(EWriteReason raison, const QString& detail = QString()) {
  if (const TWriteReasonTexts textes = gTextesRaisons.load()) {
    const QString t = textes(raison, detail);
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

// The file a name leads to once the links on the way are followed, as an absolute name. A link's
// relative target counts from the link's folder, as the system reads it (so "..", which a link in
// the folder part may move, is left to the system). Nothing there ends the chain: a new file, or
// the target a dangling link makes. False, with errno set, when the chain cannot be followed.
bool SuivreLiens(const QString& path, QByteArray* cible) {
  QByteArray nom = QFile::encodeName(path);
  if (nom.isEmpty()) {
    errno = ENOENT;
    return false;
  }
  // Absolute now, so that the name stays the same file's whatever folder is current at the rename.
  if (!nom.startsWith('/')) nom = QFile::encodeName(QDir::currentPath()) + '/' + nom;
  for (int liens = 0;; ++liens) {
    struct stat st {};
    if (::lstat(nom.constData(), &st) != 0) {
      if (errno == ENOENT) break;
      return false;
    }
    if (!S_ISLNK(st.st_mode)) break;
    if (liens == 40) {  // as deep as the system follows
      errno = ELOOP;
      return false;
    }
    QByteArray lien(PATH_MAX, Qt::Uninitialized);
    const ssize_t n = ::readlink(nom.constData(), lien.data(), static_cast<size_t>(lien.size()));
    if (n < 0) return false;
    if (n == 0 || n >= lien.size()) {
      errno = n == 0 ? ENOENT : ENAMETOOLONG;
      return false;
    }
    lien.truncate(n);
    nom = lien.startsWith('/') ? lien : nom.left(nom.lastIndexOf('/') + 1) + lien;
  }
  // The file is made and renamed by its name in text: a name the text cannot hold byte for byte
  // would be another file.
  if (QFile::encodeName(QFile::decodeName(nom)) != nom) {
    errno = EILSEQ;
    return false;
  }
  *cible = nom;
  return true;
}

// The file the rename would replace must be a regular file or nothing yet: a device, a FIFO or a
// socket would be replaced by a file (even in /dev, for root), a folder cannot be, and a link there
// now was put in after the links were followed. Empty when it is; st->st_mode is 0 for nothing.
QString ExaminerCible(const QByteArray& cible, struct stat* st) {
  if (::lstat(cible.constData(), st) != 0) {
    if (errno != ENOENT) return Systeme(errno);
    st->st_mode = 0;
    return {};
  }
  return S_ISREG(st->st_mode) ? QString() : Raison(EWriteReason::NotAFile);
}

// What the writer looks at before its open: where the links lead, what is there, and that the
// process may write it (QSaveFile's own test of that says it in a text of its own).
QString ExaminerAvantOuverture(const QString& path, QByteArray* cible, struct stat* st) {
  if (!SuivreLiens(path, cible)) return Systeme(errno);
  QString pourquoi = ExaminerCible(*cible, st);
  if (pourquoi.isEmpty() && st->st_mode != 0 && ::faccessat(AT_FDCWD, cible->constData(), W_OK, AT_EACCESS) != 0)
    pourquoi = Systeme(errno);
  return pourquoi;
}

}  // namespace

void SetWriteReasonTexts(TWriteReasonTexts texts) { gTextesRaisons = texts; }

bool CheckWriteTarget(const QString& path, QString* error) {
  QByteArray cible;
  struct stat st {};
  const QString pourquoi = ExaminerAvantOuverture(path, &cible, &st);
  if (error) *error = pourquoi;
  return pourquoi.isEmpty();
}

TCheckedFile::TCheckedFile(const QString& path) : file_(path) {}

TCheckedFile::~TCheckedFile() {
  if (open_ && !committed_) file_.cancelWriting();
}

void TCheckedFile::Fail(const QString& why) {
  if (error_.isEmpty()) error_ = why.isEmpty() ? Raison(EWriteReason::WriteError) : why;
  if (open_) file_.cancelWriting();
}

QString TCheckedFile::WriteFailure() {
  // Qt keeps no reason for a write the system cut short (a partial write sets no error: a file-size
  // limit or a full disk then reads "Unknown error"). One more byte offered straight to the system,
  // into the temporary file that goes anyway, is refused with the reason.
  if (open_ && file_.handle() >= 0) {
    const char octet = 0;
    if (::write(file_.handle(), &octet, 1) < 0) return Systeme(errno);
  }
  return file_.errorString();
}

bool TCheckedFile::Open() {
  if (Failed()) return false;
  struct stat st {};
  if (const QString pourquoi = ExaminerAvantOuverture(file_.fileName(), &target_, &st); !pourquoi.isEmpty()) {
    Fail(pourquoi);
    return false;
  }
  // Given the file the links lead to, QSaveFile makes its temporary file beside it and renames it
  // over it, whatever the links name later.
  file_.setFileName(QFile::decodeName(target_));
  if (!file_.open(QIODevice::WriteOnly)) {
    // The target was looked at: what failed is the temporary file, and the system's reason alone
    // ("No such file or directory" in /proc) would seem to speak of the target.
    Fail(Raison(EWriteReason::NoNewFile, file_.errorString()));
    return false;
  }
  open_ = true;
  // The new file takes the old one's owner and group as QSaveFile gives it its mode: a save as root
  // over another user's file leaves it theirs. A process that may not give a file away keeps it
  // (EPERM), as does one that cannot name that owner (EINVAL, in a user namespace).
  if (st.st_mode != 0 && ::fchown(file_.handle(), st.st_uid, st.st_gid) != 0 && errno != EPERM && errno != EINVAL) {
    Fail(Systeme(errno));
    return false;
  }
  return true;
}

bool TCheckedFile::Write(const char* data, qint64 size) {
  if (Failed() || !open_) {
    if (!Failed()) Fail(QString());
    return false;
  }
  if (size <= 0) return true;
  if (file_.write(data, size) != size) {
    Fail(WriteFailure());
    return false;
  }
  return true;
}

bool TCheckedFile::Commit() {
  if (Failed() || !open_) {
    if (!Failed()) Fail(QString());
    return false;
  }
  // The buffered bytes reach the kernel here: this is where a full disk shows for a small file.
  if (!file_.flush()) {
    Fail(WriteFailure());
    return false;
  }
  // And the disk, so that a rename never publishes blocks the file system has not allocated.
  if (::fsync(file_.handle()) != 0) {
    Fail(Systeme(errno));
    return false;
  }
  // The file found at the open, looked at again just before the rename: it may have been swapped
  // meanwhile, while the name the caller gave may lead somewhere else by now.
  struct stat st {};
  if (const QString pourquoi = ExaminerCible(target_, &st); !pourquoi.isEmpty()) {
    Fail(pourquoi);
    return false;
  }
  committed_ = true;  // commit() closes the file either way; nothing is left to cancel
  if (!file_.commit()) {
    error_ = file_.errorString().isEmpty() ? Raison(EWriteReason::WriteError) : file_.errorString();
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
  // file the checked writer syncs and renames, whatever name QSaveFile gave it.
  return file_.open_ ? QStringLiteral("/proc/self/fd/%1").arg(file_.file_.handle()) : QString();
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
  const int fd = file_.file_.handle();
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
  const int fd = file_.file_.handle();
  if (fd >= 0 && ::lseek(fd, 0, SEEK_END) >= 0) {
    const QByteArray bloc(65536, '\0');
    for (int i = 0; i < 4; ++i)
      if (::write(fd, bloc.constData(), static_cast<size_t>(bloc.size())) < 0)
        return Systeme(errno);
  }
  return Raison(EWriteReason::DocumentNotWhole);
}

bool TCheckedPdf::Commit(bool libraryOk) {
  if (file_.Failed() || !file_.open_) return file_.Commit();  // says why
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
