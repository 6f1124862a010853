#include "components/FileNameEdit.h"

#include <QApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QKeyEvent>
#include <QMimeData>
#include <QPainter>
#include <QProxyStyle>
#include <QScreen>
#include <QStyle>
#include <QStyleFactory>
#include <QStyleOption>
#include <QUrl>

#include "components/DialogueNomFichier.h"
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

QPoint PopupOrigin(const QRect& edit, const QSize& popup, const QRect& screen, TPopupAlign align) {
  int y = edit.bottom() + 1;
  if (y + popup.height() > screen.bottom() + 1) y = edit.top() - popup.height();
  int x = edit.left();
  const int excess = popup.width() - edit.width();
  if (align == TPopupAlign::epaRight) {
    if (x - excess >= screen.left()) x -= excess;
  } else if (x + popup.width() > screen.right() + 1) {
    x -= excess;
  }
  x = std::max(screen.left(), std::min(x, screen.right() + 1 - popup.width()));
  return {x, y};
}

// The button's default picture, a small open folder, made once for every edit.
static const QImage& FolderGlyph() {
  static const QImage glyph = [] {
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
  }();
  return glyph;
}

// The style's combo-box arrow on the button face (the bottom-left pixel, so keyed out).
static QImage DropDownGlyph(const QWidget* w) {
  QImage img(9, 9, QImage::Format_RGB32);
  img.fill(w->palette().color(QPalette::Button));
  QPainter p(&img);
  QStyleOption opt;
  opt.initFrom(w);
  opt.rect = img.rect();
  opt.state |= QStyle::State_Enabled;
  w->style()->drawPrimitive(QStyle::PE_IndicatorArrowDown, &opt, &p, w);
  return img;
}

// ---- the button ----

TEditButton::TEditButton(QWidget* parent) : TVxSpeedButton(parent) {}

TCustomComboEdit* TEditButton::Edit() const {
  for (QWidget* w = parentWidget(); w; w = w->parentWidget())
    if (auto* edit = dynamic_cast<TCustomComboEdit*>(w)) return edit;
  return nullptr;
}

void TEditButton::paintEvent(QPaintEvent* e) {
  TVxSpeedButton::paintEvent(e);
  if (isDown()) return;
  QPainter p(this);
  p.setPen(palette().color(QPalette::Button));
  p.drawLine(0, 0, 0, height() - 1);
  p.setPen(palette().color(QPalette::Light));
  p.drawLine(1, 1, 1, height() - 3);
}

void TEditButton::mousePressEvent(QMouseEvent* e) {
  TCustomComboEdit* edit = Edit();
  if (edit && e->button() == Qt::LeftButton) {
    if (edit->PopupVisible()) {
      // The press only closes the popup: the button never sees it, so no click follows.
      edit->PopupCloseUp(true);
      e->accept();
      return;
    }
    if ((edit->focusPolicy() & Qt::TabFocus) && edit->isEnabled() && edit->isVisible() && !edit->hasFocus())
      edit->setFocus(Qt::MouseFocusReason);
  }
  TVxSpeedButton::mousePressEvent(e);
}

// ---- the popup ----

TPopupWindow::TPopupWindow(QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::FramelessWindowHint | Qt::BypassWindowManagerHint | Qt::WindowDoesNotAcceptFocus) {
  setAttribute(Qt::WA_ShowWithoutActivating);
  setFocusPolicy(Qt::NoFocus);
}

void TPopupWindow::CloseUp(bool accept) {
  if (edit_) edit_->PopupCloseUp(accept);
}

void TPopupWindow::Changed() {
  if (edit_) edit_->PopupChange();
}

// ---- the combo edit ----

namespace {
// The application's look with the caret of a bold text, 2 pixels wide.
class BoldCaretStyle : public QProxyStyle {
 public:
  using QProxyStyle::QProxyStyle;
  int pixelMetric(PixelMetric m, const QStyleOption* o, const QWidget* w) const override {
    return m == PM_TextCursorWidth ? 2 : QProxyStyle::pixelMetric(m, o, w);
  }
};
}  // namespace

TCustomComboEdit::TCustomComboEdit(QWidget* parent)
    : QLineEdit(parent), container_(new QWidget(this)), button_(new TEditButton(container_)) {
  container_->setCursor(Qt::ArrowCursor);
  container_->resize(21, 17);
  button_->setGeometry(0, 0, container_->width(), container_->height());
  connect(button_, &QAbstractButton::clicked, this, [this] { ButtonClick(); });
  setMinimumHeight(MinHeight());
  RecreateGlyph();
  PlaceButton();
  FollowFontWeight();
}

TCustomComboEdit::~TCustomComboEdit() {
  // The button outlives this part of the edit: its click must not reach it any more.
  disconnect(button_, nullptr, this, nullptr);
  if (popupVisible_) {
    qApp->removeEventFilter(this);
    if (popup_) popup_->hide();
  }
  if (popup_) popup_->edit_ = nullptr;
}

void TCustomComboEdit::SetReadOnlyEdit(bool on) {
  readOnly_ = on;
  setReadOnly(readOnly_ || !directInput_);
}

void TCustomComboEdit::SetDirectInput(bool on) {
  directInput_ = on;
  setReadOnly(readOnly_ || !directInput_);
}

int TCustomComboEdit::ButtonWidth() const { return button_->width(); }

void TCustomComboEdit::SetButtonWidth(int w) {
  if (w == ButtonWidth()) return;
  container_->setVisible(w > 1);
  // A button as wide as the edit's inside (the edit less its 2-pixel frame) would leave no text.
  if (w < width() - 4) {
    button_->resize(w, button_->height());
    PlaceButton();
  }
  RecreateGlyph();
}

void TCustomComboEdit::SetGlyphKind(TGlyphKind k) {
  if (k == glyphKind_) return;
  glyphKind_ = k;
  RecreateGlyph();
  if (k == TGlyphKind::gkDefault && !Glyph().isNull())
    SetButtonWidth(std::max(Glyph().width() / NumGlyphs() + 6, ButtonWidth()));
  else if (k == TGlyphKind::gkDropDown)
    SetButtonWidth(style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this));
}

QImage TCustomComboEdit::Glyph() const { return button_->Glyph(); }

void TCustomComboEdit::SetGlyph(const QImage& strip) {
  button_->SetGlyph(strip);
  glyphKind_ = TGlyphKind::gkCustom;
}

int TCustomComboEdit::NumGlyphs() const { return button_->NumGlyphs(); }

void TCustomComboEdit::SetNumGlyphs(int n) {
  switch (glyphKind_) {
    case TGlyphKind::gkDropDown:
    case TGlyphKind::gkEllipsis:
      button_->SetNumGlyphs(1);
      break;
    case TGlyphKind::gkDefault:
      button_->SetNumGlyphs(DefNumGlyphs);
      break;
    case TGlyphKind::gkCustom:
      button_->SetNumGlyphs(n);
      break;
  }
}

QString TCustomComboEdit::ButtonHint() const { return button_->toolTip(); }
void TCustomComboEdit::SetButtonHint(const QString& hint) { button_->setToolTip(hint); }

int TCustomComboEdit::MinHeight() const {
  const int borders = 4 * 1;  // four one-pixel borders
  return std::min(QFontMetrics(QApplication::font()).height(), fontMetrics().height()) + borders + 1;
}

void TCustomComboEdit::RecreateGlyph() {
  switch (glyphKind_) {
    case TGlyphKind::gkDefault:
      button_->SetGlyph(DefaultGlyph());
      button_->SetNumGlyphs(DefNumGlyphs);
      break;
    case TGlyphKind::gkDropDown:
      button_->SetGlyph(DropDownGlyph(button_));
      button_->SetNumGlyphs(1);
      break;
    case TGlyphKind::gkEllipsis:
      button_->SetGlyph(EllipsisGlyph(ButtonWidth()));
      button_->SetNumGlyphs(1);
      break;
    case TGlyphKind::gkCustom:
      break;
  }
}

void TCustomComboEdit::PlaceButton() {
  const int bw = button_->width();
  container_->setGeometry(width() - bw - 2, 2, bw, std::max(0, height() - 4));
  button_->setGeometry(0, 0, bw, container_->height());
  // The text never runs under the button.
  setTextMargins(0, 0, (container_->isHidden() ? 0 : bw) + 2, 0);
}

void TCustomComboEdit::ButtonClick() {
  if (!GetReadOnly()) DoButtonClick();
}

void TCustomComboEdit::DoButtonClick() {
  if (OnButtonClick) OnButtonClick();
  if (!popup_) return;
  if (popupVisible_)
    PopupCloseUp(true);
  else
    PopupDropDown(true);
}

void TCustomComboEdit::SetPopup(TPopupWindow* popup) {
  if (popupVisible_) PopupCloseUp(false);
  if (popup_) popup_->edit_ = nullptr;
  popup_ = popup;
  if (popup_) popup_->edit_ = this;
}

void TCustomComboEdit::PopupDropDown(bool disableEdit) {
  if (!popup_ || GetReadOnly() || popupVisible_) return;
  const QRect screen = (this->screen() ? this->screen() : QGuiApplication::primaryScreen())->geometry();
  const QPoint origin = PopupOrigin(QRect(mapToGlobal(QPoint(0, 0)), size()), popup_->size(), screen, PopupAlign);
  SetPopupValue(text().isEmpty() ? QVariant() : QVariant(text()));
  if (isEnabled() && isVisible()) setFocus();
  ShowPopup(origin);
  popupVisible_ = true;
  // A press anywhere but on the popup or the button closes it.
  qApp->installEventFilter(this);
  if (disableEdit) setReadOnly(true);
}

void TCustomComboEdit::ShowPopup(const QPoint& origin) {
  popup_->move(origin);
  popup_->show();
}

void TCustomComboEdit::HidePopup() { popup_->hide(); }

void TCustomComboEdit::SetPopupValue(const QVariant& value) { popup_->SetValue(value); }

QVariant TCustomComboEdit::GetPopupValue() const { return popup_->GetValue(); }

void TCustomComboEdit::PopupCloseUp(bool accept) {
  if (!popupVisible_) return;
  if (QWidget* grabber = QWidget::mouseGrabber()) grabber->releaseMouse();
  // A popup destroyed while open still leaves the edit closed and writable.
  const QVariant value = popup_ ? GetPopupValue() : QVariant();
  if (popup_) HidePopup();
  popupVisible_ = false;
  qApp->removeEventFilter(this);
  SetDirectInput(directInput_);
  if (accept && popup_ && AcceptPopup(value) && EditCanModify()) {
    AcceptValue(value);
    if (AutoSelect) selectAll();
  }
}

void TCustomComboEdit::AcceptValue(const QVariant& value) {
  const QString s = value.toString();
  if (text() == s) return;
  setText(s);
  setModified(true);
}

bool TCustomComboEdit::eventFilter(QObject* watched, QEvent* e) {
  if (popupVisible_ && (e->type() == QEvent::MouseButtonPress || e->type() == QEvent::MouseButtonDblClick)) {
    auto* w = qobject_cast<QWidget*>(watched);
    const bool ours =
        w && popup_ && (w == popup_ || popup_->isAncestorOf(w) || w == container_ || container_->isAncestorOf(w));
    if (w && !ours) PopupCloseUp(false);
  }
  return QLineEdit::eventFilter(watched, e);
}

void TCustomComboEdit::keyPressEvent(QKeyEvent* e) {
  if (QKeySequence(e->keyCombination()) == ClickKey && ButtonWidth() > 0) {
    ButtonClick();
    e->accept();
    return;
  }
  const bool enter = e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter;
  if (popupVisible_ && (enter || e->key() == Qt::Key_Escape)) {
    PopupCloseUp(enter);
    e->accept();
    return;
  }
  QLineEdit::keyPressEvent(e);
}

void TCustomComboEdit::focusOutEvent(QFocusEvent* e) {
  QLineEdit::focusOutEvent(e);
  if (popupVisible_) PopupCloseUp(false);
}

void TCustomComboEdit::resizeEvent(QResizeEvent* e) {
  QLineEdit::resizeEvent(e);
  PlaceButton();
}

void TCustomComboEdit::changeEvent(QEvent* e) {
  QLineEdit::changeEvent(e);
  if (e->type() == QEvent::FontChange) {
    setMinimumHeight(MinHeight());
    PlaceButton();
    FollowFontWeight();
  }
}

void TCustomComboEdit::FollowFontWeight() {
  if (font().bold() == (caretStyle_ != nullptr)) return;
  if (font().bold()) {
    caretStyle_ = std::make_unique<BoldCaretStyle>(QStyleFactory::create(QApplication::style()->name()));
    setStyle(caretStyle_.get());
  } else {
    setStyle(nullptr);
    caretStyle_.reset();
  }
}

// ---- the file edit ----

TFileDirEdit::TFileDirEdit(QWidget* parent) : TCustomComboEdit(parent) { RecreateGlyph(); }

QImage TFileDirEdit::DefaultGlyph() const { return FolderGlyph(); }

void TFileDirEdit::DoBeforeDialog(QString& name, bool& action) {
  if (OnBeforeDialog) OnBeforeDialog(name, action);
}

void TFileDirEdit::DoAfterDialog(QString& name, bool& action) {
  if (OnAfterDialog) OnAfterDialog(name, action);
}

void TFileDirEdit::DropFiles(const QStringList& names) {
  if (!names.isEmpty()) {
    ClearFileList();
    if (!multiSelect_)
      ReceiveDroppedName(names.first());
    else
      for (const QString& name : names) ReceiveDroppedName(name);
  }
  if (OnDropFiles) OnDropFiles();
}

// Dropped files are taken only when the edit accepts them; otherwise they are refused whole, so that
// a file's address never lands in the text as if typed.
void TFileDirEdit::dragEnterEvent(QDragEnterEvent* e) {
  if (!e->mimeData()->hasUrls())
    TCustomComboEdit::dragEnterEvent(e);
  else if (acceptFiles_)
    e->acceptProposedAction();
  else
    e->ignore();
}

void TFileDirEdit::dropEvent(QDropEvent* e) {
  if (!e->mimeData()->hasUrls()) return TCustomComboEdit::dropEvent(e);
  if (!acceptFiles_) return e->ignore();
  QStringList names;
  for (const QUrl& u : e->mimeData()->urls())
    if (u.isLocalFile()) names << u.toLocalFile();
  try {
    DropFiles(names);
    e->acceptProposedAction();
  } catch (const EComponentError&) {
    // A name the edit cannot hold ("[", "|"...): the drop is refused and the text stays.
    e->ignore();
  }
}

// ---- the file-name edit ----

TFilenameEdit::TFilenameEdit(QWidget* parent) : TFileDirEdit(parent) {}

QString TFilenameEdit::FileName() const { return FileNameFromText(text()); }

void TFilenameEdit::SetFileName(const QString& name) {
  if (!name.isEmpty() && !IsValidFileName(FileNameFromText(name)))
    throw EComponentError(QStringLiteral("Nom de fichier incorrect - %1").arg(name).toStdString());
  setText(QuotedFileName(name));
  ClearFileList();
}

void TFilenameEdit::SetDialogOptions(TOpenOptions o) {
  options_ = o;
  multiSelect_ = o.testFlag(TOpenOption::ofAllowMultiSelect);
  if (!multiSelect_) ClearFileList();
}

void TFilenameEdit::SetMultiSelect(bool on) {
  TOpenOptions o = options_;
  o.setFlag(TOpenOption::ofAllowMultiSelect, on);
  SetDialogOptions(o);
}

QString TFilenameEdit::ShortName() const { return ShortFileNameOf(FileName()); }
QString TFilenameEdit::LongName() const { return LongFileNameOf(FileName()); }

void TFilenameEdit::ReceiveDroppedName(const QString& name) {
  if (multiSelect_) {
    if (Files.isEmpty()) SetFileName(name);
    Files << name;
  } else {
    SetFileName(name);
  }
}

void TFilenameEdit::PrepareDialog(QFileDialog& d, const QString& name) const {
  const bool save = DialogKind == TFileDialogKind::dkSave || DialogKind == TFileDialogKind::dkSavePicture;
  d.setWindowTitle(DialogTitle);
  d.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
  d.setFileMode(save ? QFileDialog::AnyFile : multiSelect_ ? QFileDialog::ExistingFiles : QFileDialog::ExistingFile);
  d.setOption(QFileDialog::DontConfirmOverwrite, !options_.testFlag(TOpenOption::ofOverwritePrompt));
  d.setOption(QFileDialog::DontResolveSymlinks, options_.testFlag(TOpenOption::ofNoDereferenceLinks));
  d.setDefaultSuffix(DefaultExt);
  const QStringList filters = DialogFilterOf(Filter).split(QStringLiteral(";;"), Qt::SkipEmptyParts);
  d.setNameFilters(filters);
  if (!filters.isEmpty()) d.selectNameFilter(filters.value(FilterIndex - 1, filters.first()));
  if (FileEditStyle == TFileEditStyle::fsComboBox && !HistoryList.isEmpty()) {
    // Qt's dialog keeps folders in its history: each name stands by its folder.
    QStringList folders;
    for (const QString& h : HistoryList) {
      const QString folder = QFileInfo(h).isDir() ? h : QFileInfo(h).absolutePath();
      if (!folders.contains(folder)) folders << folder;
    }
    d.setHistory(folders);
  }
  if (!InitialDir.isEmpty()) d.setDirectory(InitialDir);
  if (!name.isEmpty()) d.selectFile(name);
}

bool TFilenameEdit::DefaultDialog(QString& name) {
  TDialogueNomFichier d(this);
  PrepareDialog(d, name);
  if (d.exec() != QDialog::Accepted || d.selectedFiles().isEmpty()) return false;
  const QStringList chosen = d.selectedFiles();
  name = chosen.first();
  Files = chosen;
  const int index = d.nameFilters().indexOf(d.selectedNameFilter());
  if (index >= 0) FilterIndex = index + 1;
  return true;
}

// The folder a name gives, as an absolute path; empty for a bare name, which gives none (not the
// working folder).
static QString FolderOfName(const QString& name) {
  return name.contains('/') ? QFileInfo(name).absolutePath() : QString();
}

void TFilenameEdit::DoButtonClick() {
  if (OnButtonClick) OnButtonClick();
  QString name = FileName();
  bool action = true;
  DoBeforeDialog(name, action);
  if (!action) return;
  // The dialog starts in the name's folder when it exists, and on the name when the dialog can
  // take it; an invalid name starts it on nothing and is handed back unchanged when it is cancelled.
  QString chosen;
  if (IsValidFileName(name)) {
    const QString folder = FolderOfName(name);
    if (!folder.isEmpty() && FolderExists(folder)) InitialDir = folder;
    const QString part = QFileInfo(name).fileName();
    if (part.isEmpty() || !IsValidFileName(part)) name.clear();
    chosen = name;
  }
  action = RunDialog ? RunDialog(chosen) : DefaultDialog(chosen);
  if (action) name = chosen;
  if (focusPolicy() != Qt::NoFocus && isEnabled() && isVisible()) setFocus();
  DoAfterDialog(name, action);
  if (!action) return;
  setText(QuotedFileName(name));
  if (const QString folder = FolderOfName(chosen); !folder.isEmpty()) InitialDir = folder;
}
