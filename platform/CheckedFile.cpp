#include "platform/CheckedFile.h"

#include <unistd.h>

#include <cerrno>
#include <cstring>

TCheckedFile::TCheckedFile(const QString& path) : file_(path) {}

TCheckedFile::~TCheckedFile() {
  if (open_ && !committed_) file_.cancelWriting();
}

void TCheckedFile::Fail(const QString& why) {
  if (error_.isEmpty()) error_ = why.isEmpty() ? QStringLiteral("Write error") : why;
  if (open_) file_.cancelWriting();
}

bool TCheckedFile::Open() {
  if (Failed()) return false;
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
    Fail(file_.errorString());
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
    Fail(file_.errorString());
    return false;
  }
  // And the disk, so that a rename never publishes blocks the file system has not allocated.
  if (::fsync(file_.handle()) != 0) {
    Fail(QString::fromLocal8Bit(std::strerror(errno)));
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
