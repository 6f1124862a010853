// Sideways scrolling of the edit zone.
#include <gtest/gtest.h>

#include "editor/DefilementSaisie.h"

TEST(EditZoneScroll, TwentyBeatsInAPanelOfTen) {
  // 20 beats and the cursor on the input slot (21 shown), a panel that fits 10 beats.
  const TDefilementSaisie d = CalculerDefilement(2 * 30 + 10 * 50 + 49, 30, 50, 21);
  EXPECT_EQ(d.NbTempsVisibles, 10);
  EXPECT_EQ(d.DecalageMax, 12);
  EXPECT_EQ(d.Maximum, 13);
  EXPECT_EQ(d.PasPage, 5);
  EXPECT_TRUE(d.Actif);
  EXPECT_EQ(d.LargeurSaisie, 23 * 50);
  EXPECT_EQ(PositionPourCurseur(0, 21, d.NbTempsVisibles), 16);
}

TEST(EditZoneScroll, CursorAlreadyVisibleKeepsThePosition) {
  EXPECT_EQ(PositionPourCurseur(4, 5, 10), 4);    // first visible beat
  EXPECT_EQ(PositionPourCurseur(4, 14, 10), 4);   // last visible beat
  EXPECT_EQ(PositionPourCurseur(4, 15, 10), 10);  // one past: centred
  EXPECT_EQ(PositionPourCurseur(4, 4, 10), 0);    // before: centred, never below 0
}

TEST(EditZoneScroll, ShortMeasureNeedsNoScrolling) {
  const TDefilementSaisie d = CalculerDefilement(660, 30, 50, 4);
  EXPECT_EQ(d.NbTempsVisibles, 12);
  EXPECT_EQ(d.DecalageMax, 0);
  EXPECT_FALSE(d.Actif);
  EXPECT_EQ(d.LargeurSaisie, 600);  // the panel's width, not the beats'
  EXPECT_EQ(CalculerDefilement(660, 30, 0, 4).NbTempsVisibles, 0);  // no spacing: nothing divides by it
}
