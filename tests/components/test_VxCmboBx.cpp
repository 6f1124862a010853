// The combo box's typed prefix and its time-out, the editable style's completion, length limit
// and click, and the button strip redrawn alone when the flat frame is off.
#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QEnterEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QTimer>
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
  le->setText("Ju");
  QMouseEvent press(QEvent::MouseButtonPress, QPointF(2, 2), QPointF(2, 2), Qt::LeftButton, Qt::LeftButton,
                    Qt::NoModifier);
  QCoreApplication::sendEvent(le, &press);
  EXPECT_EQ(c.SearchText(), "Ju");
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
