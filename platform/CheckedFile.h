#pragma once
// The one way the program reads a file, and the one way it writes one.
//
// Reading: only a regular file no larger than the reader's bound is opened, and the open itself
// can never block. The path is looked at first (a FIFO, a device, a folder or a file above the
// bound is refused without being opened), then opened without waiting (O_NONBLOCK: a FIFO swapped
// in after that look does not hold the open), and the open descriptor is looked at again, so that
// what is read is a regular file within the bound whatever happened to the path meanwhile. At most
// the bound is ever read.
//
// Writing: the links that lead to the target are followed once, at the open; the bytes go to a
// temporary file beside the file they lead to, which replaces that file only once every byte was
// written, flushed and synced to the disk; on any failure the temporary file is dropped and the old
// file stays exactly as it was. The file replaced is the one found at the open, looked at then and
// again just before the rename: it must be a regular file or nothing yet, never a folder, a FIFO, a
// device, or a link put there meanwhile, so that a link pointed elsewhere in between does not make
// the rename replace what was swapped in for the old target. A link to a regular file is written
// through and stays a link. The new file keeps the old one's mode, and its owner and group wherever
// the process may give them.
// QSaveFile alone is not enough: its writes are buffered, so a full disk shows only at the final
// flush, and commit() (Qt 6.4) then renames the short file over the old one and reports success.
#include <QByteArray>
#include <QFile>
#include <QSaveFile>
#include <QString>

// What a checked read found. Every refusal leaves nothing open and nothing read.
enum class EFileRead {
  Ok,
  Missing,     // no such file (also one that went between the look and the open)
  NotAFile,    // a folder, a FIFO, a device, a socket: never opened for reading
  TooLarge,    // above the reader's bound
  Unreadable,  // there, but the system refuses it (permissions, an input/output error)
};

// Opens a regular file of at most maxSize bytes for reading; file is then open on it and its size()
// is the size found once open, so a reader that reads no further than size() reads at most the bound.
EFileRead OpenFileChecked(QFile& file, const QString& path, qint64 maxSize);
// Reads a whole regular file of at most maxSize bytes into *bytes (emptied on any refusal); a file
// that grows past the bound while it is read is refused as TooLarge.
EFileRead ReadFileChecked(const QString& path, qint64 maxSize, QByteArray* bytes);

// The process-wide set-up that the program and its tests share: the signal a write past the
// file-size limit (RLIMIT_FSIZE) sends is ignored, so that write fails with EFBIG through the
// checked writer below, is reported and keeps the old file, like a full disk, instead of ending
// the process.
void PrepareProcess();

// The reasons the writer gives of its own; every other reason is the system's text for the step
// that failed. They read in English until the settings give their texts in the user's language.
enum class EWriteReason {
  NotAFile,          // what the name leads to is not a regular file
  WriteError,        // a failure the system gave no reason for
  PrinterNotEnded,   // the library that writes a document did not end it
  DocumentNotWhole,  // the document written is not whole
  NoNewFile,         // the temporary file cannot be made beside the target; the detail says why
};
// The text of a reason, the system's detail put in where the reason carries one; an empty text
// leaves the English one.
using TWriteReasonTexts = QString (*)(EWriteReason reason, const QString& detail);
void SetWriteReasonTexts(TWriteReasonTexts texts);

// The check the writer makes at its open, for a name to be given to something that opens it
// itself: the file the name leads to through its links is a regular file the process may write, or
// nothing yet. False, with the reason in *error, otherwise. Opens nothing, so never blocks.
bool CheckWriteTarget(const QString& path, QString* error);

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
  QString WriteFailure();  // the reason of a failed write or flush
  friend class TCheckedPdf;

  QSaveFile file_;
  QByteArray target_;  // the file the links led to at the open: the one the rename replaces
  QString error_;
  bool open_ = false;
  bool committed_ = false;
};

// Writes a whole file in one go; false, with the reason in *error, when it could not.
bool WriteFileChecked(const QString& path, const char* data, qint64 size, QString* error = nullptr);
inline bool WriteFileChecked(const QString& path, const QByteArray& bytes, QString* error = nullptr) {
  return WriteFileChecked(path, bytes.constData(), bytes.size(), error);
}

// A PDF that another library writes itself, by file name (QPrinter opens the name it is given,
// truncates it, and reports no failed write: a full disk leaves a short file and a "success").
// The library is given Name(), the checked writer's own temporary file beside the target; Commit()
// puts it in place by that writer's sync and rename only when the library reported success and the
// file is a whole PDF. Until then, and on any failure, the old file stays as it was and the
// temporary file goes.
class TCheckedPdf {
 public:
  explicit TCheckedPdf(const QString& path) : file_(path) {}
  bool Open();
  // The name the library writes to while this lives.
  QString Name() const;
  // libraryOk: the library ended its document without an error of its own.
  bool Commit(bool libraryOk);
  QString Error() const { return file_.Error(); }

 private:
  bool Whole();  // ends as a PDF ends, with the cross-reference its last lines point to
  QString ShortWriteReason();

  TCheckedFile file_;
};
