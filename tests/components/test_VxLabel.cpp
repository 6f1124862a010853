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
  link.SetBlinkColor(clLime);  // its unvisited colour is the default blink colour
  for (TVxLabel* l : {static_cast<TVxLabel*>(&own), static_cast<TVxLabel*>(&link)}) {
    const TColor normal = l->FontColor();
    if (BlinkingControls->Phase == 0) BlinkingControls->Tick();
    l->SetBlinking(true);  // the next tick is an off phase, as the list's first one is
    std::vector<TColor> seen;
    for (int i = 0; i < 4; ++i) {
      BlinkingControls->Tick();
      seen.push_back(l->FontColor());
    }
    EXPECT_EQ(seen, (std::vector<TColor>{normal, l->BlinkColor(), normal, l->BlinkColor()}));
    l->SetBlinking(false);
    EXPECT_EQ(l->FontColor(), normal);
  }
  // A visit while the blink colour shows is the colour the off phase brings back.
  link.SetBlinking(true);
  if (BlinkingControls->Phase == 1) BlinkingControls->Tick();
  BlinkingControls->Tick();
  ASSERT_EQ(link.FontColor(), link.BlinkColor());
  link.resize(80, 20);
  link.setText("https://c.example");
  auto ancien = TVxURLLabel::OpenAddress;
  TVxURLLabel::OpenAddress = [](const QString&) { return true; };
  QTest::mouseClick(&link, Qt::LeftButton, {}, QPoint(5, 5));
  TVxURLLabel::OpenAddress = ancien;
  EXPECT_EQ(link.FontColor(), link.BlinkColor());
  BlinkingControls->Tick();
  EXPECT_EQ(link.FontColor(), link.VisitedColor());
}

namespace {
int CountOf(const QImage& source, TColor colour) {
  const QImage img = source.convertToFormat(QImage::Format_RGB32);
  int n = 0;
  for (int y = 0; y < img.height(); ++y)
    for (int x = 0; x < img.width(); ++x) n += (img.pixel(x, y) & 0xFFFFFF) == (ToQColor(colour).rgb() & 0xFFFFFF);
  return n;
}
}  // namespace

TEST(VxLabel, LookSettersRepaintAndBordersStopTheAutoSize) {
  QWidget form;
  auto* l = new TVxLabel(&form);
  l->setText("Www");
  QFont f = l->font();
  f.setPixelSize(16);
  l->setFont(f);
  form.show();
  struct Paints : QObject {
    int n = 0;
    bool eventFilter(QObject*, QEvent* e) override { return n += e->type() == QEvent::Paint, false; }
  } paints;
  l->installEventFilter(&paints);
  struct Cas {
    const char* name;
    std::function<void()> prep, set;
    TColor colour;  // shown after the change (none: not on screen without a tick or the mouse)
    bool shown, autoSize;
  };
  const TColor none = 0xFFFFFFFF;
  const Cas cas[] = {
      {"Color", [] {}, [&] { l->SetColor(clRed); }, clRed, true, true},
      {"Transparent", [&] { l->SetColor(clRed); }, [&] { l->SetTransparent(true); }, clRed, false, true},
      {"ShadowColor", [] {}, [&] { l->SetShadowColor(clRed); }, clRed, true, true},
      {"HighlightColor", [] {}, [&] { l->SetHighlightColor(clLime); }, clLime, true, true},
      {"FlyByColor", [] {}, [&] { l->SetFlyByColor(clLime); }, none, false, true},
      {"BlinkColor", [] {}, [&] { l->SetBlinkColor(clLime); }, none, false, true},
      {"FlatColor", [&] { l->SetBorderOuter(TFrameStyle::fsFlat); }, [&] { l->SetFlatColor(clBlue); }, clBlue, true,
       true},
      {"BorderColor", [&] { l->SetBorderWidth(2); }, [&] { l->SetBorderColor(clYellow); }, clYellow, true, false},
      {"BorderHighlight", [&] { l->SetBorderOuter(TFrameStyle::fsPopup); }, [&] { l->SetBorderHighlight(clLime); },
       clLime, true, false},
      {"BorderShadow", [&] { l->SetBorderOuter(TFrameStyle::fsPopup); }, [&] { l->SetBorderShadow(clBlue); }, clBlue,
       true, false},
  };
  for (const Cas& c : cas) {
    l->SetTransparent(false);
    l->SetColor(clBtnFace);
    l->SetBorderOuter(TFrameStyle::fsNone);
    l->SetBorderWidth(0);
    c.prep();
    l->SetAutoSize(true);
    QCoreApplication::processEvents();
    const int before = paints.n;
    c.set();
    QCoreApplication::processEvents();
    EXPECT_GT(paints.n, before) << c.name;
    EXPECT_EQ(l->AutoSize(), c.autoSize) << c.name;
    if (c.colour != none) {
      EXPECT_EQ(CountOf(l->grab().toImage(), c.colour) > 0, c.shown) << c.name;
    }
    const int after = paints.n;
    c.set();  // the same value again changes nothing
    QCoreApplication::processEvents();
    EXPECT_EQ(paints.n, after) << c.name;
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
  l.SetFrameSides(0);
  l.resize(60, 20);
  l.SetTextStyle(TTextStyle::tsNormal);
  l.setText("&&");
  int ink[2];
  for (bool on : {true, false}) {
    l.SetShowAccelChar(on);
    ink[on] = CountOf(l.grab().toImage(), clBlack);
  }
  EXPECT_GT(ink[0], ink[1] * 3 / 2);
  EXPECT_GT(ink[1], 0);
}
