#include "platform/CheckedFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
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

// What the target names, followed through its links, must be a regular file or nothing yet: the
// rename would otherwise put a file in the place of a device, a FIFO or a socket (the one a link
// names, even in /dev for root), and a folder cannot be replaced at all. A link to a regular file
// is written through, the link kept, as the save always did; a dangling link makes its target.
bool CibleRemplacable(const QString& path) {
  const QByteArray nom = QFile::encodeName(path);
  struct stat st {};
  if (nom.isEmpty() || ::stat(nom.constData(), &st) != 0) return true;  // nothing there: the open says why not
  return S_ISREG(st.st_mode);
}

const QString kPasUnFichier = QStringLiteral("Not a regular file");

}  // namespace

TCheckedFile::TCheckedFile(const QString& path) : file_(path) {}

TCheckedFile::~TCheckedFile() {
  if (open_ && !committed_) file_.cancelWriting();
}

void TCheckedFile::Fail(const QString& why) {
  if (error_.isEmpty()) error_ = why.isEmpty() ? QStringLiteral("Write error") : why;
  if (open_) file_.cancelWriting();
}

QString TCheckedFile::WriteFailure() {
  // Qt keeps no reason for a write the system cut short (a partial write sets no error: a file-size
  // limit or a full disk then reads "Unknown error"). One more byte offered straight to the system,
  // into the temporary file that goes anyway, is refused with the reason.
  if (open_ && file_.handle() >= 0) {
    const char octet = 0;
    if (::write(file_.handle(), &octet, 1) < 0) return QString::fromLocal8Bit(std::strerror(errno));
  }
  return file_.errorString();
}

bool TCheckedFile::Open() {
  if (Failed()) return false;
  if (!CibleRemplacable(file_.fileName())) {
    Fail(kPasUnFichier);
    return false;
  }
  if (!file_.open(QIODevice::WriteOnly)) {
    Fail(file_.errorString());
    return false;
  }
  open_ = true;
  return true;
}

bool TCheckedFile::Write(const char* data, qint64 size) {
  if (Failed() || !open_) {
    if (!Failed()) Fail(QStringLiteral("The file is not open"));
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
    if (!Failed()) Fail(QStringLiteral("The file is not open"));
    return false;
  }
  // The buffered bytes reach the kernel here: this is where a full disk shows for a small file.
  if (!file_.flush()) {
    Fail(WriteFailure());
    return false;
  }
  // And the disk, so that a rename never publishes blocks the file system has not allocated.
  if (::fsync(file_.handle()) != 0) {
    Fail(QString::fromLocal8Bit(std::strerror(errno)));
    return false;
  }
  // Looked at again just before the rename: the target may have been swapped meanwhile.
  if (!CibleRemplacable(file_.fileName())) {
    Fail(kPasUnFichier);
    return false;
  }
  committed_ = true;  // commit() closes the file either way; nothing is left to cancel
  if (!file_.commit()) {
    error_ = file_.errorString().isEmpty() ? QStringLiteral("Write error") : file_.errorString();
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
        return QString::fromLocal8Bit(std::strerror(errno));
  }
  return QStringLiteral("The document was not written whole");
}

bool TCheckedPdf::Commit(bool libraryOk) {
  if (file_.Failed() || !file_.open_) return file_.Commit();  // says why
  if (!libraryOk) {
    file_.Fail(Whole() ? QStringLiteral("The printer did not end the document") : ShortWriteReason());
    return false;
  }
  if (!Whole()) {
    file_.Fail(ShortWriteReason());
    return false;
  }
  return file_.Commit();
}
