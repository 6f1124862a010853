// Labels: the angle kept within one turn, rotation resets, where turned text is placed, the URL
// label's address and visit mark.
#include <gtest/gtest.h>

#include <QMouseEvent>
#include <QTest>

#include "components/VxLabel.h"

TEST(VxLabel, AngleIsKeptWithinOneTurn) {
  struct Cas {
    int donne, garde;
  };
  for (const Cas& c : {Cas{-30, 330}, Cas{-400, 320}, Cas{725, 5}, Cas{360, 0}, Cas{-360, 0}, Cas{90, 90}}) {
    TVxLabel l;
    l.SetAngle(c.donne);
    EXPECT_EQ(l.Angle(), c.garde) << c.donne;
    EXPECT_EQ(l.Rotation(), c.garde ? TRotation::roFlat : TRotation::roNone) << c.donne;
  }
  TVxLabel l;
  l.SetRotation(TRotation::roCurve);
  l.SetCenterPoint(TCenterPoint::cpLowerLeft);
  l.SetAngle(45);
  EXPECT_EQ(l.Rotation(), TRotation::roCurve);
  l.SetRotation(TRotation::roFlat);
  EXPECT_EQ(l.Angle(), 0);
  EXPECT_EQ(l.CenterPoint(), TCenterPoint::cpCenter);
}

TEST(VxLabel, UrlLabelOpensItsAddressOnce) {
  struct Cas {
    const char *url, *legende, *ouverte;
  };
  const Cas cas[] = {{"https://a.example", "Site", "https://a.example"},
                     {"  ", " https://b.example ", "https://b.example"},
                     {"", "   ", nullptr}};
  QStringList ouvertes;
  auto ancien = TVxURLLabel::OpenAddress;
  TVxURLLabel::OpenAddress = [&](const QString& a) {
    ouvertes << a;
    return false;  // the outcome is not looked at
  };
  for (const Cas& c : cas) {
    ouvertes.clear();
    TVxURLLabel l;
    l.resize(120, 20);
    l.URL = c.url;
    l.setText(c.legende);
    const TColor avant = l.FontColor();
    QTest::mouseClick(&l, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(ouvertes, c.ouverte ? QStringList{c.ouverte} : QStringList{}) << c.legende;
    EXPECT_EQ(l.Visited(), c.ouverte != nullptr);
    EXPECT_EQ(l.FontColor(), c.ouverte ? l.VisitedColor() : avant);
  }
  TVxURLLabel::OpenAddress = ancien;
}

TEST(VxLabel, BlinkingFollowsThePhaseAndStopsOnTheNormalColour) {
  TVxLabel clignote, fixe;
  clignote.SetFontColor(clBlack);
  clignote.SetBlinking(true);
  ASSERT_NE(BlinkingControls, nullptr);
  BlinkingControls->Tick();
  BlinkingControls->Tick();
  const TColor phase = clignote.FontColor();
  EXPECT_TRUE(phase == clignote.BlinkColor || phase == clBlack);
  EXPECT_EQ(fixe.FontColor(), clBlack);
  if (phase == clBlack) BlinkingControls->Tick();
  EXPECT_EQ(clignote.FontColor(), clignote.BlinkColor);
  clignote.SetBlinking(false);
  EXPECT_EQ(clignote.FontColor(), clBlack);
}

TEST(VxLabel, TurnedTextIsPlacedByAngleAndAlignment) {
  // A 100 x 50 label, client area (2, 4, 98, 46), text 30 wide and 16 high (18 where marked).
  const Qt::Alignment L = Qt::AlignLeft, R = Qt::AlignRight, C = Qt::AlignHCenter;
  struct Cas {
    int angle;
    Qt::Alignment align;
    int height, shadow;
    TAngledTextPlace at;
  } cas[] = {
      {0, C, 16, 2, {50, 17, true, false}},   {0, R, 16, 2, {66, 17, false, false}},
      {90, C, 16, 2, {54, 38, false, true}},  {90, R, 16, 2, {54, 36, false, true}},
      {90, L, 18, 0, {54, 46, false, true}},  // 4.5 rounds to even
      {180, C, 16, 2, {64, 21, false, true}}, {180, R, 16, 2, {32, 21, false, true}},
      {270, R, 16, 2, {46, 14, false, true}}, {270, L, 18, 2, {46, 6, false, true}},
      {45, L, 16, 0, {53, 28, true, true}},
  };
  for (const Cas& c : cas)
    EXPECT_EQ(AngledTextPlace(c.angle, c.align, {2, 4, 98, 46}, 100, 50, c.height, 30, c.shadow), c.at)
        << c.angle << " " << int(c.align);
}
