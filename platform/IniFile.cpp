#include "platform/IniFile.h"

#include "platform/CheckedFile.h"

#include <QFile>
#include <QStringDecoder>
#include <limits>

#include "platform/Types.h"

namespace {
bool SameName(const QString& a, const QString& b) { return a.compare(b, Qt::CaseInsensitive) == 0; }

// A value holding a line break would split into lines and plant keys of its own.
QString OneLine(QString v) {
  v.replace(QLatin1Char('\r'), QLatin1Char(' '));
  v.replace(QLatin1Char('\n'), QLatin1Char(' '));
  return v;
}
}  // namespace

bool LireEntierIni(const QString& text, int* out) {
  QString t = text.trimmed();
  bool neg = false;
  if (t.startsWith(QLatin1Char('-')) || t.startsWith(QLatin1Char('+'))) {
    neg = t[0] == QLatin1Char('-');
    t = t.mid(1);
  }
  int base = 10;
  if (t.startsWith(QLatin1String("0x"), Qt::CaseInsensitive)) {
    base = 16;
    t = t.mid(2);
  }
  if (t.isEmpty()) return false;
  long long v = 0;
  for (QChar c : t) {
    int d;
    if (c >= QLatin1Char('0') && c <= QLatin1Char('9'))
      d = c.unicode() - '0';
    else if (base == 16 && c.toLower() >= QLatin1Char('a') && c.toLower() <= QLatin1Char('f'))
      d = c.toLower().unicode() - 'a' + 10;
    else
      return false;
    v = v * base + d;
    if (v > 0xFFFFFFFFLL) return false;
  }
  if (neg) v = -v;
  // Hex spells the bit pattern, so 0xFFFFFFFF is -1 as a colour written by the program would be.
  if (base == 16 && !neg && v > std::numeric_limits<int>::max()) v -= 0x100000000LL;
  if (v < std::numeric_limits<int>::min() || v > std::numeric_limits<int>::max()) return false;
  *out = static_cast<int>(v);
  return true;
}

TIniFile::TIniFile(const QString& path) : path_(path) {
  sections_.push_back(Section{});  // lines ahead of the first section
  // Anything but a regular file within the bound reads as a missing file: every key its default.
  QByteArray bytes;
  if (ReadFileChecked(path, kIniFileMaxSize, &bytes) != EFileRead::Ok) return;
  if (bytes.startsWith("\xEF\xBB\xBF")) {
    bytes.remove(0, 3);
    utf8_ = true;
  }
  // A file that holds text Windows-1252 cannot spell (a path in another script) is kept in UTF-8;
  // a Windows-1252 byte above 0x7F is almost never part of valid UTF-8, so the two tell apart.
  if (!utf8_) {
    bool haut = false;
    for (char c : bytes) haut = haut || static_cast<unsigned char>(c) >= 0x80;
    if (haut) {
      QStringDecoder essai(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
      const QString texte = essai.decode(bytes);  // decodes now: the call operator is lazy
      utf8_ = !essai.hasError();
    }
  }
  if (bytes.contains("\r\n")) eol_ = QStringLiteral("\r\n");
  const QList<QByteArray> lines = bytes.split('\n');
  for (qsizetype i = 0; i < lines.size(); ++i) {
    QByteArray raw = lines[i];
    if (raw.endsWith('\r')) raw.chop(1);
    if (i == lines.size() - 1 && raw.isEmpty()) break;  // the newline that ends the file
    QString line = utf8_ ? QString::fromUtf8(raw)
                         : AnsiToQString(std::string_view(raw.constData(), static_cast<size_t>(raw.size())));
    QString t = line.trimmed();
    if (t.startsWith(QLatin1Char('['))) {
      qsizetype close = t.indexOf(QLatin1Char(']'));
      Section s;
      s.header = line;
      s.name = (close < 0 ? t.mid(1) : t.mid(1, close - 1)).trimmed();
      sections_.push_back(std::move(s));
      continue;
    }
    Entry e;
    e.line = line;
    qsizetype eq = t.indexOf(QLatin1Char('='));
    if (eq > 0 && !t.startsWith(QLatin1Char(';'))) {
      e.key = t.left(eq).trimmed();
      e.value = t.mid(eq + 1).trimmed();
    }
    sections_.back().entries.push_back(std::move(e));
  }
}

const TIniFile::Section* TIniFile::FindSection(const QString& section) const {
  if (section.trimmed().isEmpty()) return nullptr;
  for (size_t i = 1; i < sections_.size(); ++i)
    if (SameName(sections_[i].name, section.trimmed())) return &sections_[i];
  return nullptr;
}

TIniFile::Section* TIniFile::FindSection(const QString& section) {
  return const_cast<Section*>(std::as_const(*this).FindSection(section));
}

int TIniFile::IndexOfKey(const Section& s, const QString& key) {
  QString k = key.trimmed();
  if (k.isEmpty()) return -1;
  for (size_t i = 0; i < s.entries.size(); ++i)
    if (!s.entries[i].key.isEmpty() && SameName(s.entries[i].key, k)) return static_cast<int>(i);
  return -1;
}

const QString* TIniFile::FindValue(const QString& section, const QString& key) const {
  const Section* s = FindSection(section);
  if (!s) return nullptr;
  int i = IndexOfKey(*s, key);
  return i < 0 ? nullptr : &s->entries[static_cast<size_t>(i)].value;
}

QString TIniFile::ReadString(const QString& section, const QString& key, const QString& def) const {
  const QString* v = FindValue(section, key);
  return v ? *v : def;
}

int TIniFile::ReadInteger(const QString& section, const QString& key, int def) const {
  const QString* v = FindValue(section, key);
  int out = def;
  if (v) LireEntierIni(*v, &out);
  return out;
}

bool TIniFile::ReadBool(const QString& section, const QString& key, bool def) const {
  return ReadInteger(section, key, def ? 1 : 0) != 0;
}

void TIniFile::WriteString(const QString& section, const QString& key, const QString& value) {
  QString sec = section.trimmed(), k = key.trimmed();
  if (sec.isEmpty() || k.isEmpty()) return;
  QString v = OneLine(value);
  Section* s = FindSection(sec);
  if (!s) {
    sections_.push_back(Section{QLatin1Char('[') + sec + QLatin1Char(']'), sec, {}});
    s = &sections_.back();
  }
  if (int i = IndexOfKey(*s, k); i >= 0) {
    Entry& e = s->entries[static_cast<size_t>(i)];
    e.value = v.trimmed();
    e.line = e.key + QLatin1Char('=') + v;
    return;
  }
  // A new key goes after the section's last key, ahead of the blank lines that part it from the next.
  size_t at = 0;
  for (size_t i = 0; i < s->entries.size(); ++i)
    if (!s->entries[i].line.trimmed().isEmpty()) at = i + 1;
  s->entries.insert(s->entries.begin() + static_cast<std::ptrdiff_t>(at),
                    Entry{k + QLatin1Char('=') + v, k, v.trimmed()});
}

void TIniFile::WriteInteger(const QString& section, const QString& key, int value) {
  WriteString(section, key, QString::number(value));
}

void TIniFile::WriteBool(const QString& section, const QString& key, bool value) {
  WriteString(section, key, value ? QStringLiteral("1") : QStringLiteral("0"));
}

bool TIniFile::SectionExists(const QString& section) const { return FindSection(section) != nullptr; }

bool TIniFile::ValueExists(const QString& section, const QString& key) const {
  return FindValue(section, key) != nullptr;
}

QStringList TIniFile::ReadSection(const QString& section) const {
  QStringList keys;
  if (const Section* s = FindSection(section))
    for (const Entry& e : s->entries)
      if (!e.key.isEmpty()) keys << e.key;
  return keys;
}

QStringList TIniFile::ReadSections() const {
  QStringList names;
  for (size_t i = 1; i < sections_.size(); ++i) names << sections_[i].name;
  return names;
}

void TIniFile::EraseSection(const QString& section) {
  // Every copy goes, or the next one would surface in its place.
  while (const Section* s = FindSection(section)) sections_.erase(sections_.begin() + (s - sections_.data()));
}

bool TIniFile::UpdateFile(QString* error) {
  QString text;
  for (const Section& s : sections_) {
    if (!s.header.isEmpty()) text += s.header + eol_;
    for (const Entry& e : s.entries) text += e.line + eol_;
  }
  std::string bytes = QStringToAnsi(text);
  // Windows-1252 while it can hold every character; UTF-8 rather than lose one.
  if (utf8_ || AnsiToQString(bytes) != text) {
    utf8_ = true;
    bytes = text.toStdString();
  }
  return WriteFileChecked(path_, bytes.data(), static_cast<qint64>(bytes.size()), error);
}
