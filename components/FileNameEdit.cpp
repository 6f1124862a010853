#include "components/FileNameEdit.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QKeyEvent>
#include <QMimeData>
#include <QPainter>
#include <QUrl>

#include "components/VxUtils.h"

QString FileNameFromText(const QString& text) {
  if (!text.isEmpty() && QFileInfo(text).isFile()) return text;
  return SplitProgramAndParams(text).first;
}

QString QuotedFileName(const QString& name) {
  if (name.contains(' ') && !name.startsWith('"')) return '"' + name + '"';
  return name;
}

QString DialogFilterOf(const QString& filter) {
  const QStringList parts = filter.split('|');
  QStringList out;
  for (int i = 0; i + 1 < parts.size(); i += 2) {
    QStringList patterns = parts[i + 1].split(';', Qt::SkipEmptyParts);
    for (const QString& p : QStringList(patterns))
      for (const QString& form : {p.toLower(), p.toUpper()})
        if (!patterns.contains(form)) patterns << form;
    out << parts[i] + " (" + patterns.join(' ') + ")";
  }
  return out.join(QStringLiteral(";;"));
}

QImage EllipsisGlyph(int buttonWidth) {
  const int w = std::max(1, buttonWidth - 6);
  QImage img(w, 4, QImage::Format_RGB32);
  img.fill(Qt::white);
  const int gap = std::clamp((w - 6) / 2, 1, 3);
  int x = (w - 6 - 2 * gap) / 2;
  for (int d = 0; d < 3; ++d, x += gap + 2)
    for (int dy = 1; dy < 3; ++dy)
      for (int dx = 0; dx < 2; ++dx)
        if (x + dx >= 0 && x + dx < w) img.setPixel(x + dx, dy, qRgb(0, 0, 0));
  return img;
}

// The button's default picture: a small open folder.
static QImage FolderGlyph() {
  QImage img(15, 13, QImage::Format_RGB32);
  img.fill(qRgb(255, 0, 255));  // transparent key (bottom-left pixel)
  QPainter p(&img);
  p.setPen(QColor(0, 0, 0));
  p.setBrush(QColor(255, 220, 110));
  p.drawPolygon(QPolygon({QPoint(1, 3), QPoint(5, 3), QPoint(6, 4), QPoint(12, 4), QPoint(12, 10), QPoint(1, 10)}));
  p.setBrush(QColor(240, 190, 60));
  p.drawPolygon(QPolygon({QPoint(3, 6), QPoint(14, 6), QPoint(12, 10), QPoint(1, 10)}));
  p.end();
  img.setPixel(0, 12, qRgb(255, 0, 255));
  return img;
}

TEditButton::TEditButton(QWidget* parent) : TVxSpeedButton(parent) {}

void TEditButton::paintEvent(QPaintEvent* e) {
  TVxSpeedButton::paintEvent(e);
  if (isDown()) return;
  QPainter p(this);
  p.setPen(palette().color(QPalette::Button));
  p.drawLine(0, 0, 0, height() - 1);
  p.setPen(palette().color(QPalette::Light));
  p.drawLine(1, 1, 1, height() - 3);
}

TFilenameEdit::TFilenameEdit(QWidget* parent) : QLineEdit(parent), button_(new TEditButton(this)) {
  button_->setCursor(Qt::ArrowCursor);
  button_->SetGlyph(FolderGlyph());
  button_->resize(21, 17);
  connect(button_, &QToolButton::clicked, this, [this] { ButtonClick(); });
  PlaceButton();
}

QString TFilenameEdit::FileName() const { return FileNameFromText(text()); }

void TFilenameEdit::SetFileName(const QString& name) {
  if (!name.isEmpty() && !IsValidFileName(FileNameFromText(name)))
    throw EComponentError(QStringLiteral("Nom de fichier incorrect - %1").arg(name).toStdString());
  setText(QuotedFileName(name));
  Files.clear();
}

void TFilenameEdit::SetReadOnlyEdit(bool on) {
  readOnly_ = on;
  setReadOnly(readOnly_ || !directInput_);
}

void TFilenameEdit::SetDirectInput(bool on) {
  directInput_ = on;
  setReadOnly(readOnly_ || !directInput_);
}

int TFilenameEdit::ButtonWidth() const { return button_->isVisible() || !isVisible() ? button_->width() : 0; }

void TFilenameEdit::SetButtonWidth(int w) {
  button_->setVisible(w > 1);
  button_->resize(std::max(0, w), button_->height());
  if (glyphKind_ == TGlyphKind::gkEllipsis) button_->SetGlyph(EllipsisGlyph(w));
  PlaceButton();
}

void TFilenameEdit::SetGlyphKind(TGlyphKind k) {
  glyphKind_ = k;
  if (k == TGlyphKind::gkDefault) button_->SetGlyph(FolderGlyph());
  else if (k == TGlyphKind::gkEllipsis) button_->SetGlyph(EllipsisGlyph(button_->width()));
  else if (k == TGlyphKind::gkDropDown) button_->setArrowType(Qt::DownArrow);
}

void TFilenameEdit::PlaceButton() {
  const int bw = button_->isHidden() ? 0 : button_->width();
  button_->setGeometry(width() - bw - 2, 2, bw, std::max(0, height() - 4));
  // The text never runs under the button.
  setTextMargins(0, 0, bw + 2, 0);
}

void TFilenameEdit::resizeEvent(QResizeEvent* e) {
  QLineEdit::resizeEvent(e);
  PlaceButton();
}

void TFilenameEdit::keyPressEvent(QKeyEvent* e) {
  if (QKeySequence(e->keyCombination()) == ClickKey && !button_->isHidden() && button_->width() > 0) {
    ButtonClick();
    e->accept();
    return;
  }
  QLineEdit::keyPressEvent(e);
}

bool TFilenameEdit::DefaultDialog(QString& name) {
  const bool save = DialogKind == TFileDialogKind::dkSave || DialogKind == TFileDialogKind::dkSavePicture;
  const QString start = name.isEmpty() ? InitialDir : name;
  QString chosen = save ? QFileDialog::getSaveFileName(this, DialogTitle, start, DialogFilterOf(Filter))
                        : QFileDialog::getOpenFileName(this, DialogTitle, start, DialogFilterOf(Filter));
  if (chosen.isEmpty()) return false;
  if (save && !DefaultExt.isEmpty() && QFileInfo(chosen).suffix().isEmpty())
    chosen += DefaultExt.startsWith('.') ? DefaultExt : '.' + DefaultExt;
  name = chosen;
  return true;
}

void TFilenameEdit::ButtonClick() {
  if (readOnly_) return;
  if (OnButtonClick) OnButtonClick();
  QString name = FileName();
  bool action = true;
  if (OnBeforeDialog) OnBeforeDialog(name, action);
  if (!action) return;
  if (IsValidFileName(name)) {
    const QFileInfo fi(name);
    if (FolderExists(fi.absolutePath())) InitialDir = fi.absolutePath();
    if (fi.fileName().isEmpty() || !IsValidFileName(fi.fileName())) name.clear();
  } else {
    name.clear();
  }
  action = RunDialog ? RunDialog(name) : DefaultDialog(name);
  if (focusPolicy() != Qt::NoFocus) setFocus();
  if (OnAfterDialog) OnAfterDialog(name, action);
  if (!action) return;
  setText(QuotedFileName(name));
  InitialDir = QFileInfo(name).absolutePath();
}

void TFilenameEdit::DropFiles(const QStringList& names) {
  if (!names.isEmpty()) {
    Files.clear();
    if (!MultiSelect) {
      setText(QuotedFileName(names.first()));
    } else {
      setText(QuotedFileName(names.first()));
      Files = names;
    }
  }
  if (OnDropFiles) OnDropFiles();
}

void TFilenameEdit::dragEnterEvent(QDragEnterEvent* e) {
  if (e->mimeData()->hasUrls()) e->acceptProposedAction();
  else QLineEdit::dragEnterEvent(e);
}

void TFilenameEdit::dropEvent(QDropEvent* e) {
  if (!e->mimeData()->hasUrls()) return QLineEdit::dropEvent(e);
  QStringList names;
  for (const QUrl& u : e->mimeData()->urls())
    if (u.isLocalFile()) names << u.toLocalFile();
  DropFiles(names);
  e->acceptProposedAction();
}
