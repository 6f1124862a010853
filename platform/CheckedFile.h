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
// Writing: the folder of the target is found once, at the open, as the system reads the name
// (every link on the way, and ".." from where a link leads), and held open; the links the name ends
// with are followed from there. Everything after that happens in that folder, whatever its names
// lead to later: the bytes go to a temporary file made beside the file the links lead to, which
// replaces that file only once every byte was written and synced to the disk; on any failure the
// temporary file goes and the old file stays exactly as it was. The file replaced is looked at at
// the open and again just before the rename: it must be a regular file or nothing yet, never a
// folder, a FIFO, a device, or a link put there meanwhile. A link to a regular file is written
// through and stays a link. The new file keeps the old one's whole mode (set-ID and sticky bits
// too), and its owner and group wherever the process may give them.
#include <QByteArray>
#include <QFile>
#include <QString>
#include <sys/stat.h>

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
  void Annuler();  // closes and removes the temporary file, if any
  friend class TCheckedPdf;

  QString path_;
  int dossier_ = -1;   // the folder found at the open: the one the rename happens in
  QByteArray base_;    // the name, in that folder, of the file the links led to
  struct stat ancien_ {};  // that file as found at the open; st_mode 0 when there was none
  QByteArray temp_;    // the temporary file's name in that folder while it is there
  int fd_ = -1;        // open on the temporary file
  QString error_;
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
