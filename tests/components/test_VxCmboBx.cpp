// The combo box's typed prefix and its time-out, the editable style's completion, Backspace, length
// limit and click, the button strip redrawn alone when the flat frame is off, and the frame setters.
#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QEnterEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QTest>
#include <QTimer>
#include <functional>
#include <tuple>

#include "components/VxCmboBx.h"

namespace {
struct Combo : TVxCustomComboBox {
  int beeps = 0, matches = 0;
  std::vector<QRect> painted;
  Combo() {
    addItems({"No jump", "Jump after 1 bar", "Just one", "Joy", "Undo"});
    OnMatch = [this] { ++matches; };
  }
  void MessageBeep() override { ++beeps; }
  void Key(int k, const QString& t = {}, Qt::KeyboardModifiers m = Qt::NoModifier) {
    QKeyEvent e(QEvent::KeyPress, k, m, t);
    QCoreApplication::sendEvent(this, &e);
  }
  void paintEvent(QPaintEvent* e) override {
    painted.push_back(e->rect());
    TVxCustomComboBox::paintEvent(e);
  }
};
}  // namespace

TEST(VxComboBox, TypedPrefixIsForgottenAfterTheQuietTime) {
  Combo c;
  c.Key(Qt::Key_J, "J");
  EXPECT_EQ(std::tuple(c.SearchTimer()->interval(), c.SearchTimer()->isActive()), std::tuple(1500, true));
  c.SearchTimeout();  // what 1.5 s of quiet brings
  EXPECT_FALSE(c.SearchTimer()->isActive());
  c.Key(Qt::Key_U, "u");  // a new prefix, not "ju"
  EXPECT_EQ(c.currentIndex(), 4);
}

TEST(VxComboBox, EditableStyleCompletesLimitsAndFollowsTheClick) {
  Combo c;
  c.setEditable(true);
  QLineEdit* le = c.lineEdit();
  // Pasted text, and what a cut leaves, complete to the first item they begin.
  QApplication::clipboard()->setText("jus");
  for (auto [text, from, key, then, tail] : {std::tuple{"", 0, QKeySequence::Paste, "Just one", "t one"},
                                             std::tuple{"Jozz", 2, QKeySequence::Cut, "Joy", "y"}}) {
    le->setText(text);
    le->setSelection(from, 2);
    const QKeyCombination k = QKeySequence(key)[0];
    c.Key(k.key(), {}, k.keyboardModifiers());
    EXPECT_EQ(le->text() + "|" + le->selectedText(), QString(then) + "|" + tail);
  }
  EXPECT_EQ(c.matches, 2);
  // A full text refuses a printable key with a beep, unless something is selected.
  c.SetMaxLength(3);
  le->setText("Abc");
  c.Key(Qt::Key_D, "d");
  le->selectAll();
  c.Key(Qt::Key_J, "J");
  EXPECT_EQ(std::tuple(c.beeps, le->text()), std::tuple(1, QString("Jump after 1 bar")));
  // A click in the text takes the text as the prefix typed so far.
  le->setText("Jux");  // matches no item, so it is not completed
  QMouseEvent press(QEvent::MouseButtonPress, QPointF(2, 2), QPointF(2, 2), Qt::LeftButton, Qt::LeftButton,
                    Qt::NoModifier);
  QCoreApplication::sendEvent(le, &press);
  EXPECT_EQ(c.SearchText(), "Jux");
}

TEST(VxComboBox, HoverRedrawsOnlyTheButtonWithoutTheFlatFrame) {
  Combo c;
  c.resize(150, 24);
  c.show();
  QCoreApplication::processEvents();  // the first whole painting
  QEnterEvent enter(QPointF(1, 1), QPointF(1, 1), QPointF(1, 1));
  QEvent leave(QEvent::Leave);
  for (QEvent* e : {static_cast<QEvent*>(&enter), &leave}) {
    QCoreApplication::processEvents();
    c.painted.clear();
    QCoreApplication::sendEvent(&c, e);
    EXPECT_EQ(c.painted, std::vector<QRect>{c.ButtonStrip()});
  }
  EXPECT_EQ(c.ButtonStrip().right(), 149);
}

TEST(VxComboBox, EditableStyleBackspaceEmptyTextProgramTextAndNavigation) {
  struct Cas {
    const char* name;
    std::function<void(Combo&)> steps;
    const char *text, *selected;
    int index, beeps;
    const char* search;
  };
  auto keys = [](Combo& c, const char* typed) { QTest::keyClicks(&c, typed); };
  auto back = [](Combo& c) { QTest::keyClick(&c, Qt::Key_Backspace); };
  const Cas cas[] = {
      {"typed", [&](Combo& c) { keys(c, "Ju"); }, "Jump after 1 bar", "mp after 1 bar", 1, 0, "Ju"},
      {"backspace completes the shorter prefix", [&](Combo& c) { keys(c, "Ju"), back(c); }, "Jump after 1 bar",
       "ump after 1 bar", 1, 0, "J"},
      {"to another item", [&](Combo& c) { keys(c, "Jus"), back(c); }, "Jump after 1 bar", "mp after 1 bar", 1, 0,
       "Ju"},
      {"backspace to nothing", [&](Combo& c) { keys(c, "J"), back(c); }, "", "", -1, 0, ""},
      {"backspace with nothing typed", [&](Combo& c) { back(c); }, "", "", -1, 1, ""},
      {"text set by the program", [](Combo& c) { c.setEditText("jo"); }, "Joy", "y", 3, 0, "jo"},
      {"empty text set by the program", [](Combo& c) { c.setCurrentIndex(2), c.setEditText(""); }, "", "", -1, 0,
       ""},
      {"all cut", [](Combo& c) { c.setCurrentIndex(2), c.lineEdit()->selectAll(), QTest::keyClick(&c, Qt::Key_X, Qt::ControlModifier); },
       "", "", -1, 0, ""},
      {"home takes the text", [&](Combo& c) { keys(c, "J"), QTest::keyClick(&c, Qt::Key_Home); }, "Jump after 1 bar",
       "", 1, 0, "Jump after 1 bar"},
      {"down forgets the prefix", [&](Combo& c) { keys(c, "J"), QTest::keyClick(&c, Qt::Key_Down); }, "Just one", "",
       2, 0, ""},
  };
  for (const Cas& k : cas) {
    Combo c;
    c.setEditable(true);
    c.setCurrentIndex(-1);
    k.steps(c);
    EXPECT_EQ(std::tuple(c.lineEdit()->text(), c.lineEdit()->selectedText(), c.currentIndex(), c.beeps, c.SearchText()),
              std::tuple(QString(k.text), QString(k.selected), k.index, k.beeps, QString(k.search)))
        << k.name;
  }
}

TEST(VxComboBox, FrameSettersRepaint) {
  Combo c;
  c.resize(150, 24);
  c.show();
  const std::pair<const char*, std::function<void()>> cas[] = {
      {"FrameColor", [&] { c.SetFrameColor(clRed); }},
      {"FrameVisible", [&] { c.SetFrameVisible(true); }},
      {"FrameFlatStyle", [&] { c.SetFrameFlatStyle(TFrameStyle::fsGroove); }},
      {"FrameFocusStyle", [&] { c.SetFrameFocusStyle(TFrameStyle::fsRaised); }},
      {"FlatButtons", [&] { c.SetFlatButtons(false); }},
      {"FrameFlat", [&] { c.SetFrameFlat(true); }},  // all sides in the flat style
      {"FrameStyle", [&] { c.SetFrameStyle(TFrameStyle::fsFlat); }},
      {"FrameSides", [&] { c.SetFrameSides(sdLeft); }},
  };
  for (const auto& [name, set] : cas) {
    QCoreApplication::processEvents();
    c.painted.clear();
    set();
    QCoreApplication::processEvents();
    EXPECT_FALSE(c.painted.empty()) << name;
    c.painted.clear();
    set();  // the same value again
    QCoreApplication::processEvents();
    EXPECT_TRUE(c.painted.empty()) << name;
  }
  // The frame shows in its colour once visible, inside the erase band on the side asked for.
  const QImage img = c.grab().toImage().convertToFormat(QImage::Format_RGB32);
  int reds = 0;
  for (int y = 0; y < img.height(); ++y) reds += (img.pixel(2, y) & 0xFFFFFF) == 0xFF0000;
  EXPECT_EQ(reds, 24 - 4);
  // The editable style's edit part leaves the frame showing all along, not only over the button.
  c.setEditable(true);
  c.SetFrameSides(sdTop);
  const QImage haut = c.grab().toImage().convertToFormat(QImage::Format_RGB32);
  reds = 0;
  for (int x = 0; x < haut.width(); ++x) reds += (haut.pixel(x, 2) & 0xFFFFFF) == 0xFF0000;
  EXPECT_EQ(reds, 150 - 4);
  // The frame that FrameFlat brings takes the standard border's place, as FrameVisible's does.
  Combo plat;
  plat.SetFrameFlat(true);
  EXPECT_FALSE(plat.hasFrame());
}
