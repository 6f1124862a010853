#pragma once
// The settings file reader and writer, with the classic profile-file rules:
//  - "[Section]" lines open sections, "Key=Value" lines inside them hold values;
//  - sections and keys are matched ignoring case, and the first match wins;
//  - a value runs to the end of its line (blanks around it are dropped);
//  - integers are decimal or 0x hex, and anything that is not a number reads as the default;
//  - booleans are written 1 / 0; any other integer reads as true;
//  - lines this program does not know (unknown sections and keys, comments) stay where they are.
// The file is read whole (through ReadFileChecked, so never a FIFO or a device, and at most
// kIniFileMaxSize bytes) when the object is made; writes change the copy in memory and
// UpdateFile() writes it back in one go. The text is Windows-1252, or UTF-8 when it holds
// characters that Windows-1252 has not (a file in UTF-8 is read as such).
#include <QString>
#include <QStringList>
#include <vector>

// The largest settings or placement file read; anything larger, and anything that is not a regular
// file, reads as a missing file (every key takes its default, and the next save writes a new one).
// The settings file the program writes is about 11 KB with the defaults, and about 50 KB with a full
// chord library and every file name as long as a path may be: the bound is twenty times that.
inline constexpr qint64 kIniFileMaxSize = qint64(1) << 20;

class TIniFile {
 public:
  explicit TIniFile(const QString& path);

  const QString& FileName() const { return path_; }

  QString ReadString(const QString& section, const QString& key, const QString& def) const;
  int ReadInteger(const QString& section, const QString& key, int def) const;
  bool ReadBool(const QString& section, const QString& key, bool def) const;

  void WriteString(const QString& section, const QString& key, const QString& value);
  void WriteInteger(const QString& section, const QString& key, int value);
  void WriteBool(const QString& section, const QString& key, bool value);

  bool SectionExists(const QString& section) const;
  bool ValueExists(const QString& section, const QString& key) const;
  QStringList ReadSection(const QString& section) const;  // the keys, in file order
  QStringList ReadSections() const;
  void EraseSection(const QString& section);

  // Writes the file through the checked writer, so a failed write leaves the old file whole; false, with
  // the reason in *error, when it could not.
  bool UpdateFile(QString* error = nullptr);

 private:
  struct Entry {
    QString line;  // the line as it stands in the file
    QString key;   // empty for a line that holds no key (comment, blank, junk)
    QString value;
  };
  struct Section {
    QString header;  // the "[...]" line; empty for the lines ahead of the first section
    QString name;
    std::vector<Entry> entries;
  };

  const Section* FindSection(const QString& section) const;
  Section* FindSection(const QString& section);
  static int IndexOfKey(const Section& s, const QString& key);  // -1 when absent
  const QString* FindValue(const QString& section, const QString& key) const;

  QString path_;
  QString eol_ = QStringLiteral("\n");
  bool utf8_ = false;  // the file is (or must become) UTF-8
  std::vector<Section> sections_;
};

// Integer parsing of the settings file: optional sign, decimal or 0x hex, the whole text must be
// the number and fit in an int. Returns false (and leaves *out alone) otherwise.
bool LireEntierIni(const QString& text, int* out);
