// Labels: the angle kept within one turn, rotation resets, where turned text is placed, the URL
// label's address and visit mark, blinking, the look setters, auto-size and accelerator marks.
#include <gtest/gtest.h>

#include <QApplication>
#include <QMouseEvent>
#include <QTest>
#include <functional>

#include "components/VxLabel.h"
#include "platform/Canvas.h"

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
  EXPECT_TRUE(phase == clignote.BlinkColor() || phase == clBlack);
  EXPECT_EQ(fixe.FontColor(), clBlack);
  if (phase == clBlack) BlinkingControls->Tick();
  EXPECT_EQ(clignote.FontColor(), clignote.BlinkColor());
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

TEST(VxLabel, BlinkingKeepsTheLabelsOwnColour) {
  TVxLabel own;
  own.SetFontColor(clRed);
  TVxURLLabel link;
  for (TVxLabel* l : {static_cast<TVxLabel*>(&own), static_cast<TVxLabel*>(&link)})
    l->SetBlinkColor(clLime);  // the link's unvisited colour is the default blink colour
  for (TVxLabel* l : {static_cast<TVxLabel*>(&own), static_cast<TVxLabel*>(&link)}) {
    const TColor normal = l->FontColor();
    if (BlinkingControls->Phase == 0) BlinkingControls->Tick();
    l->SetBlinking(true);  // the next tick is an off phase, as the list's first one is
    std::vector<TColor> seen;
    for (int i = 0; i < 4; ++i) BlinkingControls->Tick(), seen.push_back(l->FontColor());
    EXPECT_EQ(seen, (std::vector<TColor>{normal, clLime, normal, clLime}));
    l->SetBlinking(false);
    EXPECT_EQ(l->FontColor(), normal);
  }
  IBlinkingControl& told = own;  // two on phases in a row: the second keeps the saved colour
  told.BlinkPhase(1), told.BlinkPhase(1), told.BlinkPhase(0);
  EXPECT_EQ(own.FontColor(), clRed);
  // A visit while the blink colour shows is the colour the off phase brings back.
  link.SetBlinking(true);
  if (BlinkingControls->Phase == 1) BlinkingControls->Tick();
  BlinkingControls->Tick();
  link.resize(80, 20);
  link.setText("https://c.example");
  auto ancien = TVxURLLabel::OpenAddress;
  TVxURLLabel::OpenAddress = [](const QString&) { return true; };
  QTest::mouseClick(&link, Qt::LeftButton, {}, QPoint(5, 5));
  TVxURLLabel::OpenAddress = ancien;
  EXPECT_EQ(link.FontColor(), clLime);
  BlinkingControls->Tick();
  EXPECT_EQ(link.FontColor(), link.VisitedColor());
}

TEST(VxLabel, LookSettersRepaintAndBorderColoursStopTheAutoSize) {
  QWidget form;
  auto* l = new TVxLabel(&form);
  l->setText("Www");
  form.show();
  struct Paints : QObject {
    int n = 0;
    bool eventFilter(QObject*, QEvent* e) override { return n += e->type() == QEvent::Paint, false; }
  } paints;
  l->installEventFilter(&paints);
  const std::tuple<const char*, std::function<void()>, bool> cas[] = {  // the change, AutoSize after it
      {"Color", [&] { l->SetColor(clRed); }, true},
      {"ShadowColor", [&] { l->SetShadowColor(clLime); }, true},
      {"HighlightColor", [&] { l->SetHighlightColor(clBlue); }, true},
      {"Transparent", [&] { l->SetTransparent(true); }, true},
      {"FlatColor", [&] { l->SetFlatColor(clGreen); }, true},
      {"FlyByColor", [&] { l->SetFlyByColor(clGreen); }, true},
      {"FlyByEnabled", [&] { l->SetFlyByEnabled(true); }, true},
      {"BlinkColor", [&] { l->SetBlinkColor(clGreen); }, true},
      {"BorderColor", [&] { l->SetBorderColor(clYellow); }, false},
      {"BorderHighlight", [&] { l->SetBorderHighlight(clNavy); }, false},
      {"BorderShadow", [&] { l->SetBorderShadow(clNavy); }, false},
  };
  for (const auto& [name, set, autoSize] : cas) {
    l->SetAutoSize(true);
    QCoreApplication::processEvents();
    const int before = paints.n;
    set();
    QCoreApplication::processEvents();
    const int after = paints.n;
    set();  // the same value again changes nothing
    QCoreApplication::processEvents();
    EXPECT_EQ(std::tuple(after > before, paints.n == after, l->AutoSize()), std::tuple(true, true, autoSize)) << name;
  }
}

TEST(VxLabel, AutoSizeFitsTheTextAndAmpersandsMarkTheAccelerator) {
  TVxLabel l;
  QFont f = l.font();
  f.setPixelSize(14);
  l.setFont(f);
  const QFontMetrics fm(f);
  const QSize hello = fm.size(0, "Hello"), amp = fm.size(0, "&Hello");  // drawn as they are
  l.setText("Hello");
  EXPECT_EQ(l.size(), hello);
  l.SetFrameSides(sdAll);  // a border stops the sizing
  l.SetAutoSize(true);
  EXPECT_EQ(l.size(), hello + QSize(2, 2));
  l.setText("&Hello");
  EXPECT_EQ(l.width(), hello.width() + 2) << "the & is not shown";
  l.SetShowAccelChar(false);
  EXPECT_EQ(l.width(), amp.width() + 2);
  l.SetAutoSize(false);
  l.setText("Hi");
  EXPECT_EQ(l.width(), amp.width() + 2) << "kept without AutoSize";
  // What is drawn: "&&" is one ampersand with the accelerator marks on, two with them off.
  l.setText("&&");
  l.SetFrameSides(0);
  l.SetTextStyle(TTextStyle::tsNormal);
  int ink[2] = {0, 0};
  for (bool on : {true, false}) {
    l.SetShowAccelChar(on);
    const QImage img = l.grab().toImage();
    for (int y = 0; y < img.height(); ++y)
      for (int x = 0; x < img.width(); ++x) ink[on] += qGray(img.pixel(x, y)) < 128;
  }
  EXPECT_GT(ink[0], ink[1] * 3 / 2);
}
