// The thin widget subclasses: glyph strips, hot glyphs, grouped buttons, the memo's frame and
// caret, and the file-name edit's naming, quoting, dialog and drop rules.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <functional>

#include "components/FileNameEdit.h"
#include "components/VxButton.h"
#include "components/VxEdit.h"

TEST(VxWidgets, GlyphStripsAndButtons) {
  EXPECT_EQ(GlyphCountOf(64, 16, 5), 4);
  EXPECT_EQ(GlyphCountOf(112, 16, 5), 1);
  EXPECT_EQ(GlyphCountOf(96, 16, 4), 1);
  QImage g(2, 1, QImage::Format_RGB32);
  g.setPixel(0, 0, qRgb(255, 0, 0));
  g.setPixel(1, 0, qRgb(255, 0, 255));
  const QImage grey = InactiveGlyph(g, qRgb(255, 0, 255), qRgb(0xD4, 0xD0, 0xC8));
  EXPECT_EQ(grey.pixel(0, 0) & 0xFFFFFF, qRgb(76, 76, 76) & 0xFFFFFF);
  EXPECT_EQ(grey.pixel(1, 0) & 0xFFFFFF, qRgb(255, 0, 255) & 0xFFFFFF);

  TVxToolbarButton b;
  QImage strip(16, 16, QImage::Format_RGB32), hot(96, 16, QImage::Format_RGB32);
  strip.fill(Qt::red);
  hot.fill(Qt::blue);
  b.SetGlyph(strip);
  QEnterEvent enter(QPointF(1, 1), QPointF(1, 1), QPointF(1, 1));
  QEvent leave(QEvent::Leave);
  QApplication::sendEvent(&b, &enter);
  EXPECT_EQ(b.ShownGlyph(), strip) << "no hot glyph: the glyph stays";
  b.SetHotGlyph(hot);
  EXPECT_EQ(b.HotNumGlyphs(), 1);
  for (int pass = 0; pass < 2; ++pass) {  // every hover shows the hot glyph, not every other one
    QApplication::sendEvent(&b, &enter);
    EXPECT_EQ(b.ShownGlyph(), hot);
    QApplication::sendEvent(&b, &leave);
    EXPECT_EQ(b.ShownGlyph(), strip);
  }
  b.IgnoreActionCaption = true;
  b.SetOwnCaption("");
  QAction act("Nouveau");
  b.setDefaultAction(&act);
  act.setText("Other");
  EXPECT_EQ(b.text(), "");

  QWidget parent;
  auto* one = new TVxSpeedButton(&parent);
  auto* two = new TVxSpeedButton(&parent);
  one->SetGroupIndex(1);
  two->SetGroupIndex(1);
  one->SetDown(true);
  two->SetDown(true);
  EXPECT_FALSE(one->Down());
  EXPECT_TRUE(two->Down());
  two->SetDown(false);
  EXPECT_TRUE(two->Down()) << "without AllowAllUp the down button stays down";
}

TEST(VxWidgets, MemoFrameAndCaret) {
  TVxMemo m;
  m.setPlainText("one\ntwo lines\nthree");
  int line = 0, col = 0;
  m.OnLineColChange = [&](int l, int c) { line = l, col = c; };
  m.SetLine(2);
  m.SetColumn(5);
  EXPECT_EQ(line, 2);
  EXPECT_EQ(col, 5);
  m.SetLine(1);
  m.SetColumn(9);  // the line is shorter: the caret stays
  EXPECT_EQ(m.Column(), 1);

  m.SetFrameFlat(true);
  EXPECT_TRUE(m.FrameVisible());
  EXPECT_EQ(m.FrameStyle(), TFrameStyle::fsStatus);
  m.UpdateFrameState(true, true);
  EXPECT_EQ(m.FrameStyle(), TFrameStyle::fsLowered);
  m.UpdateFrameState(true, false);
  EXPECT_EQ(m.FrameStyle(), TFrameStyle::fsStatus);
}

TEST(VxWidgets, FileNameEditRules) {
  QTemporaryDir dir;
  const QString spaced = dir.path() + "/my song.wav";
  QFile(spaced).open(QIODevice::WriteOnly);
  EXPECT_EQ(FileNameFromText(spaced), spaced);
  EXPECT_EQ(FileNameFromText("/no such/file.wav"), "/no");
  EXPECT_EQ(FileNameFromText("\"/a b/c.wav\" x"), "/a b/c.wav");
  EXPECT_EQ(QuotedFileName("/a b.wav"), "\"/a b.wav\"");
  EXPECT_EQ(QuotedFileName("/ab.wav"), "/ab.wav");
  EXPECT_EQ(DialogFilterOf("Wave Files (*.WAV)|*.WAV"), "Wave Files (*.WAV) (*.WAV *.wav)");

  TFilenameEdit e;
  EXPECT_THROW(e.SetFileName("a|b"), EComponentError);
  e.SetFileName(spaced);
  EXPECT_EQ(e.text(), '"' + spaced + '"');
  EXPECT_EQ(e.FileName(), spaced);

  int dialogs = 0;
  e.RunDialog = [&](QString& name) {
    ++dialogs;
    name = dir.path() + "/chosen one.wav";
    return true;
  };
  e.ButtonClick();
  EXPECT_EQ(e.text(), "\"" + dir.path() + "/chosen one.wav\"");
  e.OnAfterDialog = [](QString&, bool& action) { action = false; };
  e.setText("kept");
  e.ButtonClick();
  EXPECT_EQ(e.text(), "kept");
  e.OnBeforeDialog = [](QString&, bool& action) { action = false; };
  e.ButtonClick();
  EXPECT_EQ(dialogs, 2);
  e.OnBeforeDialog = nullptr;
  e.SetReadOnlyEdit(true);
  e.ButtonClick();
  EXPECT_EQ(dialogs, 2);
  e.SetReadOnlyEdit(false);
  e.SetDirectInput(false);
  EXPECT_TRUE(e.isReadOnly());

  int drops = 0;
  e.OnDropFiles = [&] { ++drops; };
  e.DropFiles({"/x/a.wav", "/x/b.wav", "/x/c.wav"});
  EXPECT_EQ(e.text(), "/x/a.wav");
  EXPECT_EQ(drops, 1);

  const QImage dots = EllipsisGlyph(21);
  EXPECT_EQ(dots.size(), QSize(15, 4));
}

TEST(VxWidgets, MemoFrameRepaintsAndKeepsItsFocusLook) {
  QWidget w;
  auto* m = new TVxMemo(&w);
  m->resize(80, 40);
  w.show();
  w.activateWindow();
  m->setFocus();
  struct Paints : QObject {
    int n = 0;
    bool eventFilter(QObject*, QEvent* e) override { return n += e->type() == QEvent::Paint, false; }
  } paints;
  m->installEventFilter(&paints);
  // Whether a change repaints the memo, and how many pixels its frame's red then covers.
  auto check = [&](const std::function<void()>& change, bool redrawn, int reds) {
    QCoreApplication::processEvents();
    const int before = paints.n;
    change();
    QCoreApplication::processEvents();
    const bool r = paints.n > before;  // before the grab paints
    const QImage img = m->grab().toImage().convertToFormat(QImage::Format_RGB32);
    const auto* px = reinterpret_cast<const QRgb*>(img.constBits());
    EXPECT_EQ(std::tuple(r, std::count(px, px + img.width() * img.height(), qRgb(255, 0, 0))),
              std::tuple(redrawn, reds));
  };
  check([&] { m->SetFrameColor(clRed); }, true, 0);  // no frame, nothing in its colour
  m->SetFrameVisible(true);
  check([&] { m->SetFrameSides(sdLeft); }, true, 40 - 4);  // one column inside the 2-pixel erase band
  check([&] { m->SetFrameSides(sdLeft); }, false, 40 - 4);
  ASSERT_TRUE(m->hasFocus());
  m->SetFrameFlat(true);
  m->UpdateFrameState(true, true);
  m->UpdateFrameState(true, false);
  EXPECT_EQ(m->FrameStyle(), TFrameStyle::fsLowered);  // the focus look stays after the mouse leaves
}
