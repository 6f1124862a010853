#include "components/VxUtils.h"

#include <QApplication>
#include <QFileInfo>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QMessageBox>
#include <QPainter>
#include <QWidget>
#include <cstring>

QString SubstituteAll(const QString& text, const QString& searched, const QString& replacement) {
  if (searched.isEmpty()) return text;
  QString out;
  qsizetype from = 0;
  for (;;) {
    const qsizetype at = text.indexOf(searched, from);
    if (at < 0) {
      out += text.mid(from);
      return out;
    }
    out += text.mid(from, at - from);
    out += replacement;
    from = at + searched.size();
  }
}

int CountDelimitedWords(const QString& text, const QString& delimiters) {
  int n = 0;
  bool inWord = false;
  for (QChar ch : text) {
    const bool delim = delimiters.contains(ch);
    if (!delim && !inWord) ++n;
    inWord = !delim;
  }
  return n;
}

int DelimitedWordStart(int n, const QString& text, const QString& delimiters) {
  int count = 0;
  qsizetype i = 0;
  const qsizetype len = text.size();
  while (i < len) {
    while (i < len && delimiters.contains(text[i])) ++i;
    if (i >= len) break;
    if (++count == n) return static_cast<int>(i) + 1;
    while (i < len && !delimiters.contains(text[i])) ++i;
  }
  return 0;
}

QString DelimitedWord(int n, const QString& text, const QString& delimiters) {
  const int start = DelimitedWordStart(n, text, delimiters);
  if (start == 0) return {};
  qsizetype i = start - 1;
  QString out;
  while (i < text.size() && !delimiters.contains(text[i])) out += text[i++];
  return out;
}

bool FolderExists(const QString& path) { return !path.isEmpty() && QFileInfo(path).isDir(); }

bool ContainsAnyChar(const QString& chars, const QString& text) {
  for (QChar ch : text)
    if (chars.contains(ch)) return true;
  return false;
}

bool IsValidFileName(const QString& name) {
  if (name.isEmpty() || ContainsAnyChar(QStringLiteral("<>\"[]|"), name)) return false;
  const QString part = name.mid(name.lastIndexOf('/') + 1);
  return !part.contains('\\');
}

// The name of the file's own entry, as a directory search finds it (a dangling link included).
QString ShortFileNameOf(const QString& name) {
  const QFileInfo fi(name);
  return !name.isEmpty() && (fi.exists() || fi.isSymLink()) ? fi.fileName() : QString();
}
QString LongFileNameOf(const QString& name) { return ShortFileNameOf(name); }

std::pair<int, QString> NextCommandParam(const QString& line, int pos) {
  const int len = static_cast<int>(line.size());
  auto blank = [&](int i) { return line[i].unicode() <= 32; };
  for (;;) {
    while (pos < len && blank(pos)) ++pos;
    if (pos + 1 < len && line[pos] == '"' && line[pos + 1] == '"') {
      pos += 2;
      continue;
    }
    break;
  }
  // The parameter grows as long as it needs: no fixed buffer to run past.
  QString out;
  while (pos < len && !blank(pos)) {
    if (line[pos] == '"') {
      ++pos;
      while (pos < len && line[pos] != '"') out += line[pos++];
      if (pos < len) ++pos;
    } else {
      out += line[pos++];
    }
  }
  return {pos, out};
}

int CountCommandParams(const QString& line) {
  int n = 0, pos = 0;
  for (;;) {
    auto [next, p] = NextCommandParam(line, pos);
    if (p.isEmpty()) return n;
    ++n;
    pos = next;
  }
}

QString CommandParamAt(const QString& line, int index) {
  int pos = 0;
  for (int i = 0;; ++i) {
    auto [next, p] = NextCommandParam(line, pos);
    if (p.isEmpty()) return {};
    if (i == index) return p;
    pos = next;
  }
}

std::pair<QString, QString> SplitProgramAndParams(const QString& line) {
  const int n = CountCommandParams(line);
  if (n == 0) return {};
  QString params;
  for (int i = 1; i < n; ++i) {
    QString p = CommandParamAt(line, i);
    if (p.contains(' ')) p = '"' + p + '"';
    if (i > 1) params += ' ';
    params += p;
  }
  return {CommandParamAt(line, 0), params};
}

QString ShortenToWidth(const QString& text, const QFontMetrics& fm, int maxWidth) {
  QString result = text;
  for (int i = 1; i <= text.size() && fm.horizontalAdvance(result) > maxWidth;) {
    ++i;
    result = text.left(std::max<qsizetype>(0, text.size() - i)) + QStringLiteral("...");
  }
  return result;
}

bool SameBytes(const void* a, const void* b, int count) { return count <= 0 || std::memcmp(a, b, count) == 0; }

bool IsApplicationActive() { return QApplication::activeWindow() != nullptr; }

static QRgb ToRgb(TColor c) { return qRgb(ColorRed(c), ColorGreen(c), ColorBlue(c)); }

QImage MakeEmbossedBitmap(const QImage& glyph, TColor outline, TColor background, bool emboss, TColor shadow,
                          TColor highlight) {
  QImage src = glyph.convertToFormat(QImage::Format_RGB32);
  QImage out(src.size(), QImage::Format_RGB32);
  out.fill(ToRgb(background));
  const QRgb key = ToRgb(outline) & 0xFFFFFF;
  auto mark = [&](int dx, int dy, QRgb colour) {
    for (int y = 0; y < src.height(); ++y)
      for (int x = 0; x < src.width(); ++x)
        if ((src.pixel(x, y) & 0xFFFFFF) == key && x + dx < out.width() && y + dy < out.height())
          out.setPixel(x + dx, y + dy, colour);
  };
  if (emboss) mark(1, 1, ToRgb(highlight));
  mark(0, 0, ToRgb(shadow));
  return out;
}

QImage MakeDisabledGlyph(const QImage& glyph, TColor outline) {
  return MakeEmbossedBitmap(glyph, outline, 0xC8D0D4, true, 0x808080, 0xFFFFFF);
}

void StretchDrawBitmapKeyed(QPainter& p, int x, int y, int w, int h, const QImage& bitmap, int sx, int sy, int sw,
                            int sh, TColor transparent) {
  if (bitmap.isNull()) return;
  if (w < 1) w = bitmap.width();
  if (h < 1) h = bitmap.height();
  if (sw < 1 || sh < 1) sx = sy = 0, sw = bitmap.width(), sh = bitmap.height();
  QImage part = bitmap.copy(sx, sy, sw, sh).convertToFormat(QImage::Format_ARGB32);
  if (transparent != clNoneKey) {
    QRgb key;
    if (transparent == clDefaultKey) key = bitmap.pixel(0, bitmap.height() - 1) & 0xFFFFFF;
    else key = ToRgb(transparent) & 0xFFFFFF;
    if (bitmap.depth() == 1 && transparent != clDefaultKey) key = 0xFFFFFF;
    for (int yy = 0; yy < part.height(); ++yy)
      for (int xx = 0; xx < part.width(); ++xx)
        if ((part.pixel(xx, yy) & 0xFFFFFF) == key) part.setPixel(xx, yy, 0);
  }
  p.drawImage(QRect(x, y, w, h), part);
}

void PaintParentBehind(QWidget* control, QPainter& p) {
  QWidget* parent = control ? control->parentWidget() : nullptr;
  if (!parent) return;
  // The parent renders itself without its children, then the siblings below the control.
  p.save();
  p.translate(-control->pos());
  parent->render(p.device(), p.deviceTransform().map(QPoint(0, 0)), QRegion(control->geometry()),
                 QWidget::DrawWindowBackground);
  p.restore();
}

void ShowNotImplemented() {
  QGuiApplication::restoreOverrideCursor();
  QMessageBox::information(QApplication::activeWindow(), QString(),
                           QString::fromUtf8("Cette fonction n'est pas encore implémentée."));
  throw EAbort{};
}
