#pragma once
// A one-line edit with a browse button inside its right edge: the button (or Alt+Down) opens a
// file dialog whose choice lands in the text; files dropped on the edit are taken too.
#include <QLineEdit>
#include <QKeySequence>
#include <QStringList>
#include <functional>
#include <stdexcept>

#include "components/VxButton.h"

enum class TFileDialogKind { dkOpen, dkSave, dkOpenPicture, dkSavePicture };
enum class TGlyphKind { gkCustom, gkDefault, gkDropDown, gkEllipsis };

class EComponentError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The file name a text stands for: the whole text when it names an existing file, else its first
// command-line token.
QString FileNameFromText(const QString& text);
// A name holding a blank (and not already quoted) is written in double quotes.
QString QuotedFileName(const QString& name);
// "Desc|*.ext|Desc2|*.x" as the dialog's filter list; patterns match in either case.
QString DialogFilterOf(const QString& filter);
// The ellipsis glyph: three 2 x 2 dots on a 4-pixel-high strip.
QImage EllipsisGlyph(int buttonWidth);

// The button inside the file-name edit: a speed button with a separating line on its left.
class TEditButton : public TVxSpeedButton {
 public:
  explicit TEditButton(QWidget* parent = nullptr);

 protected:
  void paintEvent(QPaintEvent* e) override;
};

class TFilenameEdit : public QLineEdit {
 public:
  explicit TFilenameEdit(QWidget* parent = nullptr);

  QString FileName() const;
  void SetFileName(const QString& name);  // raises EComponentError for an invalid name
  TFileDialogKind DialogKind = TFileDialogKind::dkOpen;
  QString DefaultExt;
  QString Filter = QStringLiteral("Tous les fichier (*.*)|*.*");
  int FilterIndex = 1;
  QString InitialDir;
  QString DialogTitle = QStringLiteral("Parcourir");
  bool MultiSelect = false;
  QStringList Files;  // the dialog's file list (several dropped files with MultiSelect)
  QKeySequence ClickKey = QKeySequence(Qt::ALT | Qt::Key_Down);

  bool ReadOnlyEdit() const { return readOnly_; }
  void SetReadOnlyEdit(bool on);
  bool DirectInput() const { return directInput_; }
  void SetDirectInput(bool on);
  bool AcceptFiles() const { return acceptDrops(); }
  void SetAcceptFiles(bool on) { setAcceptDrops(on); }
  int ButtonWidth() const;
  void SetButtonWidth(int w);
  void SetGlyphKind(TGlyphKind k);
  TGlyphKind GlyphKind() const { return glyphKind_; }
  TEditButton* Button() const { return button_; }

  std::function<void()> OnButtonClick, OnDropFiles;
  std::function<void(QString& name, bool& action)> OnBeforeDialog, OnAfterDialog;
  // Runs the dialog on the name; true with the chosen name when accepted. Tests replace it.
  std::function<bool(QString& name)> RunDialog;

  void ButtonClick();                       // what the button and the click key do
  void DropFiles(const QStringList& names);  // what a drop does

 protected:
  void keyPressEvent(QKeyEvent* e) override;
  void resizeEvent(QResizeEvent* e) override;
  void dragEnterEvent(QDragEnterEvent* e) override;
  void dropEvent(QDropEvent* e) override;

 private:
  bool DefaultDialog(QString& name);
  void PlaceButton();
  TEditButton* button_;
  bool readOnly_ = false, directInput_ = true;
  TGlyphKind glyphKind_ = TGlyphKind::gkDefault;
};
