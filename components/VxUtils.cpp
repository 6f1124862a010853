#include "components/VxUtils.h"

#include <QApplication>
#include <QFileInfo>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QMessageBox>
#include <QPainter>
#include <QThread>
#include <QWidget>
#include <cstdlib>
#include <cstring>

#include "components/VxCommon.h"
#include "platform/Canvas.h"

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
  // A parameter keeps its first kCommandParamMax characters; the rest of it is read past, so that
  // the parameters after it stay where they are.
  QString out;
  auto keep = [&](QChar c) {
    if (out.size() < kCommandParamMax) out += c;
  };
  while (pos < len && !blank(pos)) {
    if (line[pos] == '"') {
      ++pos;
      while (pos < len && line[pos] != '"') keep(line[pos++]);
      if (pos < len) ++pos;
    } else {
      keep(line[pos++]);
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

// One walk over the line: each parameter is read once.
std::pair<QString, QString> SplitProgramAndParams(const QString& line) {
  auto [pos, program] = NextCommandParam(line, 0);
  if (program.isEmpty()) return {};
  QString params;
  for (;;) {
    auto [next, p] = NextCommandParam(line, pos);
    if (p.isEmpty()) break;
    if (p.contains(' ')) p = '"' + p + '"';
    if (!params.isEmpty()) params += ' ';
    params += p;
    pos = next;
  }
  return {program, params};
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

bool IsApplicationActive() {
  // Windows live on the GUI thread alone: no other thread has an active one.
  if (!qApp || QThread::currentThread() != qApp->thread()) return false;
  return QApplication::activeWindow() != nullptr;
}

static QRgb ToRgb(TColor c) { return ToQColor(c).rgb(); }
static TColor FromRgb(QRgb c) { return RGBToColor(qRed(c), qGreen(c), qBlue(c)); }

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
  return MakeEmbossedBitmap(glyph, outline, clBtnFace, true, clBtnShadow, clBtnHighlight);
}

void DrawDisabledListImage(const QList<QImage>& images, QPainter& p, int x, int y, int index, TColor shadow,
                           TColor highlight, bool emboss) {
  if (index < 0 || index >= images.size() || images[index].isNull()) return;
  const QImage src = images[index].convertToFormat(QImage::Format_ARGB32);
  // The image's mask: a pixel at least half opaque counts as drawn.
  auto inColour = [&](TColor c) {
    QImage out(src.size(), QImage::Format_ARGB32);
    out.fill(Qt::transparent);
    const QRgb rgb = ToRgb(c);
    for (int yy = 0; yy < src.height(); ++yy)
      for (int xx = 0; xx < src.width(); ++xx)
        if (qAlpha(src.pixel(xx, yy)) >= 128) out.setPixel(xx, yy, rgb);
    return out;
  };
  if (emboss) p.drawImage(x + 1, y + 1, inColour(highlight));
  p.drawImage(x, y, inColour(shadow));
}

uint32_t PaletteRelativeColour(TColor colour) {
  TColor rgb;
  switch (static_cast<uint32_t>(colour)) {
    case 0x8000000Fu: rgb = clBtnFace; break;
    case 0x80000010u: rgb = clBtnShadow; break;
    case 0x80000014u: rgb = clBtnHighlight; break;
    default: rgb = colour; break;
  }
  return (static_cast<uint32_t>(rgb) & 0xFFFFFFu) | 0x02000000u;
}

void StretchBlitKeyed(QPainter& dest, int x, int y, int w, int h, const QImage& source, int sx, int sy, int sw,
                      int sh, TColor transparent) {
  if (source.isNull()) return;
  QImage part = source.copy(sx, sy, sw, sh).convertToFormat(QImage::Format_ARGB32);
  const QRgb key = ToRgb(static_cast<TColor>(PaletteRelativeColour(transparent) & 0xFFFFFFu)) & 0xFFFFFF;
  for (int yy = 0; yy < part.height(); ++yy) {
    auto* line = reinterpret_cast<QRgb*>(part.scanLine(yy));
    for (int xx = 0; xx < part.width(); ++xx)
      line[xx] = (line[xx] & 0xFFFFFF) == key ? 0 : line[xx] | 0xFF000000u;
  }
  dest.save();
  dest.setRenderHint(QPainter::SmoothPixmapTransform, false);
  dest.drawImage(QRect(x, y, w, h), part);
  dest.restore();
}

void StretchDrawBitmapKeyed(QPainter& p, int x, int y, int w, int h, const QImage& bitmap, int sx, int sy, int sw,
                            int sh, TColor transparent) {
  if (bitmap.isNull()) return;
  if (w < 1) w = bitmap.width();
  if (h < 1) h = bitmap.height();
  if (sw < 1 || sh < 1) sx = sy = 0, sw = bitmap.width(), sh = bitmap.height();
  if (transparent == clNoneKey) {
    p.save();
    p.setRenderHint(QPainter::SmoothPixmapTransform, false);
    p.drawImage(QRect(x, y, w, h), bitmap, QRect(sx, sy, sw, sh));
    p.restore();
    return;
  }
  TColor key;
  if (bitmap.depth() == 1) key = clWhite;
  else if (transparent == clDefaultKey) key = FromRgb(bitmap.pixel(0, bitmap.height() - 1));
  else key = transparent;
  StretchBlitKeyed(p, x, y, w, h, bitmap, sx, sy, sw, sh, key);
}

void DrawBitmapRectKeyed(QPainter& p, int x, int y, int w, int h, const QImage& bitmap, const QRect& source,
                         TColor transparent) {
  StretchDrawBitmapKeyed(p, x, y, w, h, bitmap, source.left(), source.top(), RectWidthOf(source),
                         RectHeightOf(source), transparent);
}

void PaintParentBehind(QWidget* control, QPainter& p) {
  QWidget* parent = control ? control->parentWidget() : nullptr;
  if (!parent) return;
  const QRect bounds = control->geometry();
  // Parts are in the parent's coordinates, as the control's bounds are; a widget renders the part
  // asked for with that part's top-left corner at the target offset.
  auto rendre = [&](QWidget* w, QPoint origine, const QRect& partie, QWidget::RenderFlags flags) {
    if (partie.isEmpty()) return;
    w->render(&p, partie.topLeft() - bounds.topLeft(), QRegion(partie.translated(-origine)), flags);
  };
  // The parent paints itself alone, clipped to its client area.
  rendre(parent, QPoint(), bounds.intersected(parent->rect()), QWidget::DrawWindowBackground);
  // Then, from the bottom of the stacking order up to the control, the siblings it covers.
  for (QObject* o : parent->children()) {
    if (o == control) break;
    auto* child = qobject_cast<QWidget*>(o);
    if (!child || child->isWindow() || child->isHidden() || child->testAttribute(Qt::WA_NativeWindow)) continue;
    rendre(child, child->pos(), bounds.intersected(child->geometry()),
           QWidget::DrawWindowBackground | QWidget::DrawChildren);
  }
}

void ShowNotImplemented() {
  // The busy cursor would stay over the box and after it.
  while (QGuiApplication::overrideCursor()) QGuiApplication::restoreOverrideCursor();
  QMessageBox::information(QApplication::activeWindow(), QString(),
                           QString::fromUtf8("Cette fonction n'est pas encore implémentée."), QMessageBox::Ok);
  throw EAbort{};
}

void DropPendingMessage(QObject* receiver, QEvent::Type type) {
  // A quit must survive: the program would otherwise stay up after being asked to end.
  if (type == QEvent::Quit) return;
  QCoreApplication::removePostedEvents(receiver, type);
}

void CopyBytes(void* dest, const void* source, int count) {
  if (count > 0) std::memmove(dest, source, static_cast<size_t>(count));
}

void* AllocZeroedBlock(int size) { return size > 0 ? std::calloc(static_cast<size_t>(size), 1) : nullptr; }

void FreeZeroedBlock(void*& block) {
  std::free(block);
  block = nullptr;
}

std::unique_ptr<char[]> NewPCharCopy(const QString& text) {
  const std::string bytes = QStringToAnsi(text);
  auto out = std::make_unique<char[]>(bytes.size() + 1);
  std::memcpy(out.get(), bytes.c_str(), bytes.size() + 1);
  return out;
}

QString StringFromPChar(const char* text) { return text ? AnsiToQString(text) : QString(); }
