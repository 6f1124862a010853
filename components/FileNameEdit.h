#pragma once
// A one-line edit with a small button inside its right edge, in three layers: the combo edit
// (button, click key, an optional drop-down popup), the file edit (dropped files, the events around
// the dialog) and the file-name edit, whose button (or Alt+Down) opens a file dialog whose choice
// lands in the text.
#include <QFlags>
#include <QKeySequence>
#include <QLineEdit>
#include <QPointer>
#include <QStringList>
#include <QVariant>
#include <functional>
#include <memory>
#include <stdexcept>

#include "components/VxButton.h"

class QFileDialog;
class QStyle;
class TCustomComboEdit;

enum class TFileDialogKind { dkOpen, dkSave, dkOpenPicture, dkSavePicture };
enum class TGlyphKind { gkCustom, gkDefault, gkDropDown, gkEllipsis };
// Which edges of the popup and the edit meet.
enum class TPopupAlign { epaRight, epaLeft };
// With fsComboBox the dialog offers the history list.
enum class TFileEditStyle { fsEdit, fsComboBox };
// The dialog options a Qt file dialog has a meaning for. Its dialog has no read-only check box, so
// ofHideReadOnly only records the choice.
enum class TOpenOption {
  ofOverwritePrompt = 0x1,
  ofHideReadOnly = 0x2,
  ofAllowMultiSelect = 0x4,
  ofNoDereferenceLinks = 0x8
};
Q_DECLARE_FLAGS(TOpenOptions, TOpenOption)
Q_DECLARE_OPERATORS_FOR_FLAGS(TOpenOptions)

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
// Where a popup of the given size drops down from an edit (both in screen coordinates): below it,
// or above when there is no room below, its right or left edge on the edit's, kept on the screen.
QPoint PopupOrigin(const QRect& edit, const QSize& popup, const QRect& screen, TPopupAlign align);

// The button inside the edit: a speed button with a separating line on its left. A press closes an
// open popup (accepting its value) or else gives the edit the focus.
class TEditButton : public TVxSpeedButton {
 public:
  explicit TEditButton(QWidget* parent = nullptr);

 protected:
  void paintEvent(QPaintEvent* e) override;
  void mousePressEvent(QMouseEvent* e) override;

 private:
  TCustomComboEdit* Edit() const;
};

// A window that drops down under a combo edit and gives it a value back. It never takes the focus:
// the keys stay with the edit.
class TPopupWindow : public QWidget {
 public:
  explicit TPopupWindow(QWidget* parent = nullptr);
  virtual QVariant GetValue() const = 0;
  virtual void SetValue(const QVariant& value) = 0;
  // For the popup's own controls: close through the edit (a pick accepts), or say the value changed.
  void CloseUp(bool accept);
  void Changed();

 private:
  friend class TCustomComboEdit;
  QPointer<TCustomComboEdit> edit_;
};

class TCustomComboEdit : public QLineEdit {
 public:
  explicit TCustomComboEdit(QWidget* parent = nullptr);
  ~TCustomComboEdit() override;

  QKeySequence ClickKey = QKeySequence(Qt::ALT | Qt::Key_Down);
  bool AutoSelect = true;  // a value taken from the popup is selected
  bool ReadOnlyEdit() const { return GetReadOnly(); }
  void SetReadOnlyEdit(bool on);
  bool DirectInput() const { return directInput_; }
  void SetDirectInput(bool on);  // off: nothing typed, pasted or cut; the button still writes
  bool EditCanModify() const { return !GetReadOnly(); }

  int ButtonWidth() const;
  void SetButtonWidth(int w);
  TGlyphKind GlyphKind() const { return glyphKind_; }
  void SetGlyphKind(TGlyphKind k);
  QImage Glyph() const;
  void SetGlyph(const QImage& strip);  // the kind becomes gkCustom
  int NumGlyphs() const;
  void SetNumGlyphs(int n);
  QString ButtonHint() const;
  void SetButtonHint(const QString& hint);
  TEditButton* Button() const { return button_; }
  QWidget* ButtonContainer() const { return container_; }
  // The smaller of the application's and the edit's text height, plus the borders.
  int MinHeight() const;

  TPopupWindow* Popup() const { return popup_; }
  void SetPopup(TPopupWindow* popup);  // not owned
  bool PopupVisible() const { return popupVisible_; }
  TPopupAlign PopupAlign = TPopupAlign::epaRight;
  void PopupCloseUp(bool accept);

  std::function<void()> OnButtonClick;
  void ButtonClick();  // what the button and the click key do: nothing while read-only

 protected:
  virtual QImage DefaultGlyph() const { return {}; }
  virtual void PopupDropDown(bool disableEdit);
  virtual void ShowPopup(const QPoint& origin);
  virtual void HidePopup();
  virtual bool AcceptPopup(const QVariant&) { return true; }
  virtual void AcceptValue(const QVariant& value);
  virtual void SetPopupValue(const QVariant& value);
  virtual QVariant GetPopupValue() const;
  virtual void PopupChange() {}
  virtual bool GetReadOnly() const { return readOnly_; }
  virtual void DoButtonClick();  // calls OnButtonClick, then opens or closes the popup
  void RecreateGlyph();
  int DefNumGlyphs = 1;

  void keyPressEvent(QKeyEvent* e) override;
  void resizeEvent(QResizeEvent* e) override;
  void focusOutEvent(QFocusEvent* e) override;
  void changeEvent(QEvent* e) override;
  bool eventFilter(QObject* watched, QEvent* e) override;

 private:
  friend class TPopupWindow;
  void PlaceButton();
  // A bold text gets a 2-pixel caret: the edit then draws with a copy of the application's style
  // that says so.
  void FollowFontWeight();
  std::unique_ptr<QStyle> caretStyle_;
  QWidget* container_;
  TEditButton* button_;
  QPointer<TPopupWindow> popup_;
  bool readOnly_ = false, directInput_ = true, popupVisible_ = false;
  TGlyphKind glyphKind_ = TGlyphKind::gkDefault;
};

// Adds dropped files and the events around the dialog; the names are received one by one.
class TFileDirEdit : public TCustomComboEdit {
 public:
  explicit TFileDirEdit(QWidget* parent = nullptr);

  bool AcceptFiles() const { return acceptFiles_; }
  void SetAcceptFiles(bool on) { acceptFiles_ = on; }
  bool MultiSelect() const { return multiSelect_; }
  virtual QString ShortName() const = 0;
  virtual QString LongName() const = 0;
  // What a drop does; a name the edit refuses raises EComponentError.
  void DropFiles(const QStringList& names);

  std::function<void()> OnDropFiles;
  // The name may be changed and Action set false to stop.
  std::function<void(QString& name, bool& action)> OnBeforeDialog, OnAfterDialog;

 protected:
  QImage DefaultGlyph() const override;
  virtual void ReceiveDroppedName(const QString& name) = 0;
  virtual void ClearFileList() {}
  virtual void DoBeforeDialog(QString& name, bool& action);
  virtual void DoAfterDialog(QString& name, bool& action);
  bool multiSelect_ = false;

  void dragEnterEvent(QDragEnterEvent* e) override;
  void dropEvent(QDropEvent* e) override;

 private:
  bool acceptFiles_ = false;
};

class TFilenameEdit : public TFileDirEdit {
 public:
  explicit TFilenameEdit(QWidget* parent = nullptr);

  QString FileName() const;
  void SetFileName(const QString& name);  // raises EComponentError for an invalid name
  // The settings of the dialog the button opens; a change of kind keeps them.
  TFileDialogKind DialogKind = TFileDialogKind::dkOpen;
  QString DefaultExt;
  QString Filter = QStringLiteral("Tous les fichier (*.*)|*.*");
  int FilterIndex = 1;  // from 1; the dialog gives back the one the user chose
  QString InitialDir;
  QStringList HistoryList;
  QString DialogTitle = QStringLiteral("Parcourir");
  TFileEditStyle FileEditStyle = TFileEditStyle::fsEdit;
  QStringList Files;  // the dialog's file list (several names with MultiSelect)
  TOpenOptions DialogOptions() const { return options_; }
  void SetDialogOptions(TOpenOptions o);  // without multi-select the file list is cleared
  void SetMultiSelect(bool on);

  QString ShortName() const override;
  QString LongName() const override;

  // Runs the dialog on the name; true with the chosen name when accepted. Tests replace it.
  std::function<bool(QString& name)> RunDialog;
  // Gives the dialog the settings above and the name it starts on.
  void PrepareDialog(QFileDialog& d, const QString& name) const;

 protected:
  void DoButtonClick() override;
  void ReceiveDroppedName(const QString& name) override;
  void ClearFileList() override { Files.clear(); }

 private:
  bool DefaultDialog(QString& name);
  TOpenOptions options_ = TOpenOption::ofHideReadOnly;
};
