#pragma once
// The one way the program writes a file. The bytes go to a temporary file beside the target, which
// replaces the target only once every byte was written, flushed and synced to the disk; on any
// failure the temporary file is dropped and the old file stays exactly as it was.
// QSaveFile alone is not enough: its writes are buffered, so a full disk shows only at the final
// flush, and commit() (Qt 6.4) then renames the short file over the old one and reports success.
#include <QByteArray>
#include <QSaveFile>
#include <QString>

class TCheckedFile {
 public:
  explicit TCheckedFile(const QString& path);
  ~TCheckedFile();  // cancels an uncommitted file
  TCheckedFile(const TCheckedFile&) = delete;
  TCheckedFile& operator=(const TCheckedFile&) = delete;

  // False (with Error() set) when the file cannot be written; later calls then do nothing.
  bool Open();
  bool Write(const char* data, qint64 size);
  bool Write(const QByteArray& bytes) { return Write(bytes.constData(), bytes.size()); }
  // Flushes, syncs and replaces the target; false when any step, or any write before, failed.
  bool Commit();
  bool Failed() const { return !error_.isEmpty(); }
  QString Error() const { return error_; }

 private:
  void Fail(const QString& why);

  QSaveFile file_;
  QString error_;
  bool open_ = false;
  bool committed_ = false;
};

// Writes a whole file in one go; false, with the reason in *error, when it could not.
bool WriteFileChecked(const QString& path, const char* data, qint64 size, QString* error = nullptr);
inline bool WriteFileChecked(const QString& path, const QByteArray& bytes, QString* error = nullptr) {
  return WriteFileChecked(path, bytes.constData(), bytes.size(), error);
}
