// The memo's wheel: whole vertical notches only; and the caret's place told when it is first shown.
#include <gtest/gtest.h>

#include <QApplication>
#include <QPointer>
#include <QWheelEvent>
#include <climits>
#include <tuple>
#include <utility>
#include <vector>

#include "components/VxEdit.h"

TEST(VxMemo, WheelCountsWholeVerticalNotchesAndTellsTheCaretOnceShown) {
  // Angle deltas (x, y) in turn, then the notches told up and down; a handler may delete the memo.
  const std::tuple<const char*, std::vector<QPoint>, int, int, bool> cas[] = {
      {"one notch each way", {{0, 120}, {0, -120}}, 1, 1, false},
      {"sideways only", {{120, 0}, {-120, 0}, {-240, 0}}, 0, 0, false},
      {"a diagonal counts its vertical part", {{120, -120}}, 0, 1, false},
      {"touchpad steps add up", {{0, -40}, {0, -40}, {0, -39}, {0, -1}}, 0, 1, false},
      {"two notches at once", {{0, 240}}, 2, 0, false},
      {"a turn back starts anew", {{0, 100}, {0, -100}, {0, -20}}, 0, 1, false},
      {"a huge step counts 273 notches, all a 16-bit step holds", {{0, INT_MAX}, {0, INT_MIN}}, 273, 273, false},
      {"a handler that deletes the memo ends the notches", {{0, 360}}, 1, 0, true},
  };
  for (const auto& [name, steps, wantUps, wantDowns, deletes] : cas) {
    QPointer<TVxMemo> m = new TVxMemo;
    int ups = 0, downs = 0;
    m->OnMouseWheelUp = [&](Qt::KeyboardModifiers, QPoint) { ++ups, deletes ? delete m.data() : void(); };
    m->OnMouseWheelDown = [&](Qt::KeyboardModifiers, QPoint) { ++downs; };
    for (QPoint d : steps) {
      QWheelEvent e(QPointF(2, 2), QPointF(2, 2), QPoint(), d, Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
      if (m) QCoreApplication::sendEvent(m->viewport(), &e);
    }
    EXPECT_EQ(std::pair(ups, downs), std::pair(wantUps, wantDowns)) << name;
    delete m.data();
  }
  TVxMemo m;
  m.setPlainText("ab\ncd");
  std::vector<std::pair<int, int>> told;
  m.OnLineColChange = [&](int l, int c) { told.emplace_back(l, c); };
  m.show();
  m.hide();
  m.show();
  EXPECT_EQ(told, (std::vector<std::pair<int, int>>{{1, 1}}));
}
