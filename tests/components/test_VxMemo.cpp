// The memo's wheel: whole vertical notches only; and the caret's place told when it is first shown.
#include <gtest/gtest.h>

#include <QApplication>
#include <QWheelEvent>
#include <climits>
#include <tuple>
#include <utility>
#include <vector>

#include "components/VxEdit.h"

TEST(VxMemo, WheelCountsWholeVerticalNotchesAndTellsTheCaretOnceShown) {
  // Angle deltas (x, y) in turn, then the notches told up and down.
  const std::tuple<const char*, std::vector<QPoint>, int, int> cas[] = {
      {"one notch each way", {{0, 120}, {0, -120}}, 1, 1},
      {"sideways only", {{120, 0}, {-120, 0}, {-240, 0}}, 0, 0},
      {"a diagonal counts its vertical part", {{120, -120}}, 0, 1},
      {"touchpad steps add up", {{0, -40}, {0, -40}, {0, -39}, {0, -1}}, 0, 1},
      {"two notches at once", {{0, 240}}, 2, 0},
      {"a turn back starts anew", {{0, 100}, {0, -100}, {0, -20}}, 0, 1},
      {"a huge step counts a bounded number", {{0, INT_MAX}, {0, INT_MIN}}, kCransMaxMolette, kCransMaxMolette},
  };
  for (const auto& [name, steps, wantUps, wantDowns] : cas) {
    TVxMemo m;
    int ups = 0, downs = 0;
    m.OnMouseWheelUp = [&](Qt::KeyboardModifiers, QPoint) { ++ups; };
    m.OnMouseWheelDown = [&](Qt::KeyboardModifiers, QPoint) { ++downs; };
    for (QPoint d : steps) {
      QWheelEvent e(QPointF(2, 2), QPointF(2, 2), QPoint(), d, Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
      QCoreApplication::sendEvent(m.viewport(), &e);
    }
    EXPECT_EQ(std::pair(ups, downs), std::pair(wantUps, wantDowns)) << name;
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
