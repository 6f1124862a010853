// The file-name edit beyond its naming rules: the button by glyph kind, the drop-down popup, what the
// file dialog is given, and an edit closed to typing that the button and a drop still write.
#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QFileDialog>
#include <QMimeData>
#include <QSettings>
#include <QStandardPaths>
#include <QStyle>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>
#include <memory>

#include "components/FileNameEdit.h"
#include "components/VxUtils.h"

namespace {
class TestPopup : public TPopupWindow {
 public:
  QVariant value;
  QVariant GetValue() const override { return value; }
  void SetValue(const QVariant& v) override { value = v; }
};

class CountingEdit : public TCustomComboEdit {
 public:
  using TCustomComboEdit::TCustomComboEdit;
  int popupChanges = 0;
  void PopupChange() override { ++popupChanges; }
};

void Mouse(QWidget* w, bool press = true) {
  QMouseEvent e(press ? QEvent::MouseButtonPress : QEvent::MouseButtonRelease, QPointF(2, 2),
                w->mapToGlobal(QPointF(2, 2)), Qt::LeftButton, press ? Qt::LeftButton : Qt::NoButton, Qt::NoModifier);
  QApplication::sendEvent(w, &e);
}
}  // namespace

TEST(FileNameEdit, ButtonSizeAndGlyphByKind) {
  TFilenameEdit e;
  e.resize(60, 22);
  QFont big = e.font();
  big.setPointSize(big.pointSize() * 3);
  e.setFont(big);
  EXPECT_EQ(e.minimumHeight(), QFontMetrics(QApplication::font()).height() + 5) << "the smaller of the two fonts";

  // A width is taken only below the client width (the edit less its frame); 1 or less hides it.
  struct Width { int asked, width; bool shown; };
  for (const Width& w : {Width{40, 40, true}, Width{56, 40, true}, Width{1, 1, false}, Width{30, 30, true}}) {
    e.SetButtonWidth(w.asked);
    EXPECT_EQ(e.ButtonWidth(), w.width) << w.asked;
    EXPECT_EQ(!e.ButtonContainer()->isHidden(), w.shown) << w.asked;
  }
  EXPECT_EQ(e.ButtonContainer()->geometry(), QRect(60 - 30 - 2, 2, 30, 22 - 4));

  const int scrollBar = e.style()->pixelMetric(QStyle::PM_ScrollBarExtent);
  e.SetGlyphKind(TGlyphKind::gkEllipsis);
  EXPECT_EQ(e.Glyph(), EllipsisGlyph(30));
  e.SetGlyphKind(TGlyphKind::gkDropDown);
  EXPECT_EQ(e.ButtonWidth(), scrollBar);
  e.SetGlyphKind(TGlyphKind::gkDefault);
  EXPECT_EQ(e.ButtonWidth(), std::max(15 + 6, scrollBar)) << "the folder glyph and 3 pixels each side";
  e.SetGlyph(QImage(30, 10, QImage::Format_RGB32));
  e.SetNumGlyphs(2);
  EXPECT_TRUE(e.GlyphKind() == TGlyphKind::gkCustom && e.NumGlyphs() == 2);
  e.SetGlyphKind(TGlyphKind::gkEllipsis);
  e.SetNumGlyphs(2);
  EXPECT_EQ(e.NumGlyphs(), 1);
}

TEST(FileNameEdit, PopupOriginKeepsOnScreen) {
  const QRect screen(0, 0, 800, 600);
  struct Case { QRect edit; QSize popup; TPopupAlign align; QPoint origin; };
  for (const Case& c : {
           Case{{100, 100, 120, 20}, {200, 150}, TPopupAlign::epaRight, {20, 120}},   // right edges meet
           Case{{10, 100, 120, 20}, {200, 150}, TPopupAlign::epaRight, {10, 120}},    // not off the left
           Case{{100, 500, 120, 20}, {200, 150}, TPopupAlign::epaLeft, {100, 350}},   // above: no room below
           Case{{650, 100, 120, 20}, {200, 150}, TPopupAlign::epaLeft, {570, 120}},   // back by its excess
           Case{{-30, 100, 120, 20}, {50, 10}, TPopupAlign::epaLeft, {0, 120}},       // clamped left
           Case{{790, 100, 30, 20}, {20, 10}, TPopupAlign::epaLeft, {780, 120}},      // clamped right
       })
    EXPECT_EQ(PopupOrigin(c.edit, c.popup, screen, c.align), c.origin) << c.edit.x() << "," << c.edit.y();
}

TEST(FileNameEdit, PopupDropsDownAndClosesUp) {
  QWidget form;
  auto* e = new CountingEdit(&form);
  auto* other = new QLineEdit(&form);
  TestPopup popup;
  e->SetPopup(&popup);
  int clicks = 0, changes = 0;
  e->OnButtonClick = [&] { ++clicks; };
  QObject::connect(e, &QLineEdit::textChanged, [&] { ++changes; });
  form.show();
  form.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
  other->setFocus();

  Mouse(e->Button());  // with the popup closed, the press gives the edit the focus
  EXPECT_TRUE(e->hasFocus());
  Mouse(e->Button(), false);
  ASSERT_TRUE(e->PopupVisible() && popup.isVisible() && e->isReadOnly());
  EXPECT_FALSE(popup.value.isValid()) << "an empty text is given as no value";
  popup.value = QStringLiteral("picked");
  popup.Changed();
  QTest::keyClick(e, Qt::Key_Return);
  EXPECT_EQ(e->selectedText(), "picked");
  EXPECT_TRUE(!e->PopupVisible() && e->isModified() && !e->isReadOnly());
  EXPECT_TRUE(clicks == 1 && changes == 1 && e->popupChanges == 1);

  // Every other way out leaves the text.
  const std::function<void()> ways[] = {[&] { QTest::keyClick(e, Qt::Key_Escape); }, [&] { Mouse(e); },
                                        [&] { other->setFocus(); }, [&] { Mouse(other); },
                                        [&] { popup.CloseUp(false); }};
  for (const auto& way : ways) {
    e->setFocus();
    e->ButtonClick();
    EXPECT_EQ(popup.value.toString(), "picked");
    popup.value = QStringLiteral("dropped");
    way();
    EXPECT_TRUE(!e->PopupVisible() && e->text() == "picked");
  }
  // A press on the button closes it accepting, with no click; closed to typing, it still writes.
  e->SetDirectInput(false);
  e->ButtonClick();
  popup.value = QStringLiteral("dropped");
  Mouse(e->Button());
  Mouse(e->Button(), false);
  EXPECT_TRUE(e->text() == "dropped" && e->isReadOnly() && clicks == 7);
}

TEST(FileNameEdit, DialogIsGivenTheSettings) {
  TFilenameEdit e;
  e.Filter = "A (*.a)|*.a|B (*.b)|*.b";
  e.DialogTitle = "Choose";
  e.DefaultExt = ".WAV";
  e.HistoryList = {"/tmp/x.wav", "/"};
  e.SetButtonHint("Browse");
  EXPECT_EQ(e.Button()->toolTip(), "Browse");
  // Qt's dialog keeps its history in the user's settings: keep them in a folder of the test's own.
  QTemporaryDir config;
  QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, config.path());
  const std::shared_ptr<void> restore(nullptr, [](void*) {
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope,
                       QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation));
  });
  QFileDialog d;
  using enum TFileEditStyle;
  using enum TOpenOption;
  using enum TFileDialogKind;
  struct Case { int filterIndex; bool multi; TFileEditStyle style; TOpenOptions options; TFileDialogKind kind; };
  for (const Case& c : {Case{2, false, fsEdit, ofHideReadOnly, dkOpen}, Case{9, false, fsEdit, {}, dkOpenPicture},
                        Case{0, true, fsComboBox, ofOverwritePrompt, dkSave},
                        Case{1, true, fsComboBox, ofAllowMultiSelect, dkOpen}}) {
    e.FilterIndex = c.filterIndex;
    e.FileEditStyle = c.style;
    e.SetDialogOptions(c.options);
    e.SetMultiSelect(c.multi);
    e.DialogKind = c.kind;
    e.PrepareDialog(d, {});
    EXPECT_TRUE(d.windowTitle() == "Choose" && d.defaultSuffix() == "WAV");
    EXPECT_EQ(d.selectedNameFilter(), c.filterIndex == 2 ? "B (*.b) (*.b *.B)" : "A (*.a) (*.a *.A)");
    EXPECT_EQ(d.history().contains("/tmp"), c.style == fsComboBox);
    EXPECT_EQ(d.testOption(QFileDialog::DontConfirmOverwrite), !(c.options & ofOverwritePrompt));
    EXPECT_EQ(d.acceptMode(), c.kind == dkSave ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    EXPECT_EQ(d.fileMode() == QFileDialog::ExistingFiles, c.multi && c.kind != dkSave);
  }

  // A drop with multi-select keeps every name; turning multi-select off forgets them.
  e.DropFiles({"/x/a.wav", "/x/b c.wav", "/x/d.wav"});
  EXPECT_TRUE(e.FileName() == "/x/a.wav" && e.Files.size() == 3);
  e.SetMultiSelect(false);
  EXPECT_TRUE(e.Files.isEmpty());

  QFile(config.filePath("a b.wav")).open(QIODevice::WriteOnly);
  e.SetFileName(config.filePath("a b.wav"));
  EXPECT_TRUE(e.ShortName() == ShortFileNameOf(e.FileName()) && e.LongName() == LongFileNameOf(e.FileName()));
  e.SetFileName(config.filePath("gone.wav"));
  EXPECT_TRUE(e.ShortName().isEmpty() && e.LongName().isEmpty());
}

TEST(FileNameEdit, NoDirectInputButTheButtonAndDropsStillWrite) {
  TFilenameEdit e;
  e.setText("/x/old.wav");
  e.SetDirectInput(false);
  QApplication::clipboard()->setText("pasted");
  QTest::keyClicks(&e, "typed");
  QTest::keySequence(&e, QKeySequence::Paste);
  e.selectAll();
  QTest::keySequence(&e, QKeySequence::Cut);
  EXPECT_TRUE(e.text() == "/x/old.wav" && QApplication::clipboard()->text() == "pasted");

  e.RunDialog = [](QString& name) { return !(name = "/x/new one.wav").isEmpty(); };
  QTest::keyClick(&e, Qt::Key_Down, Qt::AltModifier);
  EXPECT_EQ(e.text(), "\"/x/new one.wav\"");

  // Files are taken only when asked for; a name the edit refuses is not taken, and nothing fails.
  QMimeData mime;
  const auto drop = [&](const QString& file) {  // the text after the drop; "refused" when not taken
    mime.setUrls({QUrl::fromLocalFile(file)});
    QDragEnterEvent enter(QPoint(2, 2), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&e, &enter);
    QDropEvent drop(QPointF(2, 2), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    if (enter.isAccepted()) QApplication::sendEvent(&e, &drop);
    return enter.isAccepted() ? e.text() : QStringLiteral("refused");
  };
  EXPECT_EQ(drop("/x/dropped.wav"), "refused");
  e.SetDirectInput(true);  // an editable text takes no file's address either
  EXPECT_EQ(drop("/x/dropped.wav"), "refused");
  e.SetDirectInput(false);
  e.SetAcceptFiles(true);
  EXPECT_EQ(drop("/x/take[2].wav"), "\"/x/new one.wav\"");
  EXPECT_EQ(drop("/x/dropped.wav"), "/x/dropped.wav");
  const QString deep = "/x/" + QString(300, 'a') + ".wav";  // longer than the 255 of other systems
  EXPECT_EQ(drop(deep), deep);
}

// The dialog starts in the folder the name gives, never in the working folder for a bare name;
// cancelled, it hands the name back as it was, an invalid one included.
TEST(FileNameEdit, DialogStartAndCancel) {
  QTemporaryDir dir;
  const QString start = dir.filePath("start");
  struct Case { QString text, initialDir, dialogOn, after; };
  const Case cases[] = {
      {"plain.wav", start, "plain.wav", "plain.wav"},
      {dir.filePath("x.wav"), dir.path(), dir.filePath("x.wav"), dir.filePath("x.wav")},
      {"/no/such/folder/x.wav", start, "/no/such/folder/x.wav", "/no/such/folder/x.wav"},
      {"a|b.wav", start, "", "a|b.wav"},
      {dir.path() + "/", dir.path(), "", ""},  // a folder alone: no name to start on
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text.toStdString());
    TFilenameEdit e;
    e.setText(c.text);
    e.InitialDir = start;
    QString dialogOn = "not run", after = "not called";
    e.RunDialog = [&](QString& name) {
      dialogOn = name;
      return false;
    };
    e.OnAfterDialog = [&](QString& name, bool&) { after = name; };
    e.ButtonClick();
    EXPECT_EQ(std::tuple(e.InitialDir, dialogOn, after, e.text()), std::tuple(c.initialDir, c.dialogOn, c.after, c.text));
  }
}

// The caret is 2 pixels wide in a bold text, 1 otherwise; the button keeps the application's look.
TEST(FileNameEdit, BoldTextHasTheWiderCaret) {
  TFilenameEdit e;
  e.setText("abc");
  const auto caret = [&] {
    e.grab();  // the edit takes its caret's width when it paints
    return e.inputMethodQuery(Qt::ImCursorRectangle).toRect().width();
  };
  const int thin = caret();
  QFont f = e.font();
  for (bool bold : {true, false, true}) {
    f.setBold(bold);
    e.setFont(f);
    EXPECT_EQ(caret(), thin + bold) << bold;
    EXPECT_EQ(e.Button()->style(), QApplication::style());
  }
}
