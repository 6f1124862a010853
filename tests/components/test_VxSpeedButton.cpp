// The speed button: glyph images made once per state and shared by size, the placement of glyph,
// caption and mark, what it paints (pixel by pixel), and press, repeat, groups, action and menu.
#include <gtest/gtest.h>

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QCursor>
#include <QGuiApplication>
#include <QMenu>
#include <QMouseEvent>
#include <QPointer>
#include <QShortcutEvent>
#include <QTest>
#include <QTimer>

#include "components/VxButton.h"

namespace {

constexpr QRgb kRed = 0xFFFF0000, kBlue = 0xFF0000FF, kBlack = 0xFF000000, kWhite = 0xFFFFFFFF;
constexpr QRgb kFace = 0xFFD4D0C8, kShadow = 0xFF808080;

// A strip of one colour keyed on a magenta bottom-left pixel, with a black dot at (4, 4) if asked.
QImage Strip(int w, int h, QRgb colour, bool dot = true) {
  QImage g(w, h, QImage::Format_RGB32);
  g.fill(colour);
  g.setPixel(0, h - 1, 0xFFFF00FF);
  if (dot) g.setPixel(4, 4, kBlack);
  return g;
}

// The box of the pixels of one colour inside the frame (2 pixels kept clear all round).
QRect BoxOf(const QImage& img, QRgb colour) {
  QRect box;
  for (int y = 2; y < img.height() - 2; ++y)
    for (int x = 2; x < img.width() - 2; ++x)
      if (img.pixel(x, y) == colour) box |= QRect(x, y, 1, 1);
  return box;
}

void Mouse(QWidget* w, QEvent::Type type, QPoint at, Qt::MouseButtons held = Qt::NoButton) {
  QMouseEvent e(type, at, w->mapToGlobal(at), type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton, held, {});
  QApplication::sendEvent(w, &e);
}

}  // namespace

TEST(SpeedButtonGlyphs, MadeOncePerStateSharedBySizeAndFreed) {
  {
    TButtonGlyph a, b, two;
    a.SetGlyph(Strip(16, 16, kRed));
    b.SetGlyph(Strip(16, 16, 0xFF00FF00));
    const int up = a.CreateButtonGlyph(TButtonState::rbsUp);
    EXPECT_EQ(a.CreateButtonGlyph(TButtonState::rbsUp), up) << "made once";
    EXPECT_EQ(a.CreateButtonGlyph(TButtonState::rbsDown), up) << "fewer than 3 images: the up one";
    b.CreateButtonGlyph(TButtonState::rbsUp);
    ASSERT_EQ(a.List(), b.List()) << "one list per size";
    EXPECT_EQ(a.List()->Count(), 2);

    const QImage off = a.Pixmap(TButtonState::rbsDisabled)->toImage();  // embossed from the black dot
    EXPECT_EQ(off.pixel(4, 4), kShadow);
    EXPECT_EQ(off.pixel(5, 5), kWhite);
    EXPECT_EQ(qAlpha(off.pixel(8, 8)), 0) << "the button face is see-through";
    const QImage grey = a.Pixmap(TButtonState::rbsInactive)->toImage();
    EXPECT_EQ(grey.pixel(8, 8), qRgb(76, 76, 76));
    EXPECT_EQ(qAlpha(grey.pixel(0, 15)), 0) << "the transparent colour stays out";
    two.SetGlyph(Strip(32, 16, kBlue));  // a second image is the disabled one
    EXPECT_EQ(two.Pixmap(TButtonState::rbsDisabled)->toImage().pixel(8, 8), kBlue);

    two.Invalidate();
    a.Invalidate();
    EXPECT_EQ(b.List()->Count(), 1);
    b.Invalidate();
    EXPECT_EQ(GlyphCache()->ListCount(), 0) << "a list nothing uses is freed";
  }
  EXPECT_EQ(GlyphCache(), nullptr) << "the cache goes with the last glyph";
}

TEST(SpeedButtonLayout, GlyphCaptionAndMark) {
  using L = TButtonLayout;
  struct Row {
    L layout;
    int margin, spacing;
    QSize caption;
    bool mark;
    QPoint glyph, captionAt, markAt;
  };
  const QSize client(60, 40), glyph(16, 16);
  const Row rows[] = {
      {L::blGlyphLeft, -1, 1, {20, 10}, false, {11, 12}, {28, 15}, {}},
      {L::blGlyphRight, 2, 4, {20, 10}, false, {42, 12}, {18, 15}, {}},
      {L::blGlyphTop, -1, -1, {20, 10}, false, {22, 4}, {20, 24}, {}},
      {L::blGlyphBottom, 3, -1, {20, 10}, false, {22, 21}, {20, 6}, {}},
      {L::blGlyphLeft, -1, 5, {0, 0}, false, {22, 12}, {38, 20}, {}},
      {L::blGlyphLeft, -1, 1, {20, 10}, true, {7, 12}, {24, 15}, {47, 18}},
      {L::blGlyphRight, -1, 1, {20, 10}, true, {30, 12}, {9, 15}, {47, 18}},
  };
  for (const Row& r : rows) {
    const TButtonPlacement p = PlaceButtonParts(client, glyph, r.caption, r.layout, r.margin, r.spacing, r.mark);
    EXPECT_EQ(p.Glyph, r.glyph) << int(r.layout) << ' ' << r.margin << ' ' << r.spacing;
    EXPECT_EQ(p.Caption.topLeft(), r.captionAt) << int(r.layout) << ' ' << r.margin << ' ' << r.spacing;
    EXPECT_TRUE(!r.mark || p.Mark == r.markAt) << int(r.layout);
  }
  // The mark sits where its room was made: never over the glyph or the caption.
  for (L l : {L::blGlyphLeft, L::blGlyphRight, L::blGlyphTop, L::blGlyphBottom})
    for (QSize caption : {QSize(20, 10), QSize(0, 0)}) {
      const TButtonPlacement p = PlaceButtonParts({90, 60}, glyph, caption, l, -1, 1, true);
      const QRect mark(p.Mark, QSize(7, 4));
      EXPECT_FALSE(mark.intersects(QRect(p.Glyph, glyph)) || mark.intersects(p.Caption)) << int(l);
    }
  EXPECT_EQ(CaptionSpace(client, glyph, L::blGlyphLeft, 2, 4, true), QSize(27, 38));
  EXPECT_EQ(CaptionSpace({10, 10}, glyph, L::blGlyphTop, -1, 1, true), QSize(8, 0));
}

TEST(SpeedButtonPaint, FramesCaptionLayoutsAndMarkPixelChecked) {
  QWidget parent;
  auto* b = new TVxSpeedButton(&parent);
  b->resize(60, 40);
  b->SetGlyph(Strip(16, 16, kRed, false));
  b->SetCaption("Ab");
  b->SetMargin(-2);  // ignored
  EXPECT_EQ(b->Margin(), -1);

  using L = TButtonLayout;  // the glyph's side of the caption, by layout
  for (L l : {L::blGlyphLeft, L::blGlyphRight, L::blGlyphTop, L::blGlyphBottom}) {
    b->SetLayout(l);
    const QImage img = b->grab().toImage();
    const QRect glyph = BoxOf(img, kRed), text = BoxOf(img, kBlack);
    ASSERT_FALSE(text.isEmpty()) << int(l);
    ASSERT_EQ(glyph.size(), QSize(16, 16)) << int(l);
    const bool ok = l == L::blGlyphLeft    ? glyph.right() < text.left()
                    : l == L::blGlyphRight ? glyph.left() > text.right()
                    : l == L::blGlyphTop   ? glyph.bottom() < text.top()
                                           : glyph.top() > text.bottom();
    EXPECT_TRUE(ok) << int(l) << " glyph " << glyph.x() << " text " << text.x();
  }
  b->SetLayout(L::blGlyphLeft);
  b->SetMargin(4);
  EXPECT_EQ(BoxOf(b->grab().toImage(), kRed).topLeft(), QPoint(4, 12));
  b->setEnabled(false);  // the caption in white one pixel down and right, then grey
  const QImage off = b->grab().toImage();
  const QRect grey = BoxOf(off, kShadow);
  EXPECT_FALSE(grey.isEmpty());
  EXPECT_TRUE(BoxOf(off, kBlack).isEmpty());
  EXPECT_EQ(BoxOf(off, kWhite).bottomRight(), grey.bottomRight() + QPoint(1, 1));
  b->setEnabled(true);

  // Frames by look, latch and flatness: corner pixels outside in, then the lower-right ones.
  struct Frame {
    TButtonStyle style;
    bool down, flat;
    QRgb outer, inner, lowerOuter, lowerInner;
  };
  using S = TButtonStyle;
  const Frame frames[] = {{S::bsNew, false, false, kWhite, kFace, kBlack, kShadow},
                          {S::bsNew, true, false, kBlack, kShadow, kWhite, kFace},
                          {S::bsWin31, false, false, kBlack, kWhite, kBlack, kShadow},
                          {S::bsWin31, true, false, kBlack, kShadow, kBlack, kFace},
                          {S::bsNew, true, true, kBlack, kFace, kWhite, kFace},
                          {S::bsWin31, true, true, kBlack, kFace, kWhite, kFace}};
  b->SetGroupIndex(1);
  b->SetAllowAllUp(true);
  for (const Frame& f : frames) {
    b->SetStyle(f.style);
    b->SetDown(f.down);
    b->SetFlat(f.flat);
    const QImage img = b->grab().toImage();
    const QRgb got[] = {img.pixel(0, 0), img.pixel(1, 1), img.pixel(59, 39), img.pixel(58, 38)};
    const QRgb want[] = {f.outer, f.inner, f.lowerOuter, f.lowerInner};
    for (int i = 0; i < 4; ++i) EXPECT_EQ(got[i], want[i]) << int(f.style) << f.down << f.flat << ' ' << i;
  }
  // Latched and raised: a checkered face, and the content one pixel down and right.
  b->SetStyle(S::bsNew);
  b->SetFlat(false);
  const QImage latched = b->grab().toImage();
  EXPECT_NE(latched.pixel(3, 3), latched.pixel(4, 3));
  EXPECT_EQ(latched.pixel(3, 3), latched.pixel(4, 4));
  EXPECT_EQ(BoxOf(latched, kRed).topLeft(), QPoint(5, 13));
  b->SetDown(false);

  b->SetFlat(true);  // the mouse is away: no frame, and a grey glyph unless told otherwise
  const QImage flat = b->grab().toImage();
  EXPECT_EQ(flat.pixel(0, 0), kFace);
  EXPECT_TRUE(BoxOf(flat, kRed).isEmpty());
  b->GrayedInactive = false;
  EXPECT_EQ(BoxOf(b->grab().toImage(), kRed).size(), QSize(16, 16));
  parent.setPalette(QPalette(Qt::blue));  // new system colours: the made images go
  EXPECT_EQ(GlyphCache()->ListCount(), 0);

  TVxSpeedButton mark;  // no glyph, no caption: the triangle alone, rows of 7, 5, 3, 1
  QMenu menu;
  mark.SetDropDownMenu(&menu);
  const QImage m = mark.grab().toImage();
  const QRect box = BoxOf(m, kBlack);
  ASSERT_EQ(box.size(), QSize(7, 4));
  EXPECT_NE(m.pixel(box.left() + 2, box.bottom()), kBlack);  // 1 pixel wide at the bottom, 3 above
  EXPECT_EQ(m.pixel(box.left() + 2, box.bottom() - 1), kBlack);
  EXPECT_EQ(m.pixel(box.left() + 3, box.bottom()), kBlack);

  TVxSpeedButton wrap;  // a caption too wide: shortened, or wrapped onto a second line
  wrap.resize(40, 40);
  wrap.SetCaption("Open this file");
  const int oneLine = BoxOf(wrap.grab().toImage(), kBlack).height();
  wrap.SetWordWrap(true);
  EXPECT_GT(BoxOf(wrap.grab().toImage(), kBlack).height(), oneLine + 4);
}

TEST(SpeedButtonPaint, TransparentShowsTheParent) {
  QWidget parent;
  parent.setStyleSheet("background: #00FF00");
  auto* b = new TVxSpeedButton(&parent);
  b->move(10, 10);
  b->SetFlat(true);  // no frame while the mouse is away
  b->SetTransparent(true);
  EXPECT_EQ(b->grab().toImage().pixel(0, 0), 0xFF00FF00);
}

TEST(SpeedButtonMouse, PressOutsideRepeatGroupsActionAndMenu) {
  QWidget top;
  top.resize(200, 100);
  auto* b = new TVxSpeedButton(&top);
  auto* other = new TVxSpeedButton(&top);
  auto* third = new TVxSpeedButton(&top);
  other->move(100, 0);
  QCursor::setPos(1000, 1000);  // away from the buttons when they show
  top.show();
  top.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&top));
  int clicks = 0, enters = 0, leaves = 0;
  QObject::connect(b, &QToolButton::clicked, [&] { ++clicks; });
  b->OnMouseEnter = [&] { ++enters; };
  b->OnMouseLeave = [&] { ++leaves; };

  QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), b->mapToGlobal(QPointF(5, 5)));
  QApplication::sendEvent(b, &enter);
  EXPECT_EQ(enters, 1);
  Mouse(b, QEvent::MouseButtonPress, {5, 5});
  EXPECT_EQ(b->State(), TButtonState::rbsDown);
  QEvent leave(QEvent::Leave);
  QApplication::sendEvent(b, &leave);
  EXPECT_EQ(leaves, 0) << "not while the button holds the mouse";
  Mouse(b, QEvent::MouseMove, {150, 50}, Qt::LeftButton);
  EXPECT_EQ(b->State(), TButtonState::rbsUp);
  Mouse(b, QEvent::MouseButtonRelease, {150, 50});
  EXPECT_EQ(clicks, 0);
  EXPECT_EQ(leaves, 1) << "the release outside is a leave";

  // Held down: the first click after InitPause, then one every RepeatInterval; both read anew.
  b->SetAllowTimer(true);
  Mouse(b, QEvent::MouseButtonPress, {5, 5});
  auto* timer = b->findChild<QTimer*>();
  ASSERT_NE(timer, nullptr);
  EXPECT_TRUE(timer->isActive() && timer->interval() == 500);
  EXPECT_TRUE(QTest::qWaitFor([&] { return clicks == 1; }, 5000));
  EXPECT_EQ(timer->interval(), 100);
  EXPECT_TRUE(QTest::qWaitFor([&] { return clicks == 2; }, 5000));
  Mouse(b, QEvent::MouseButtonRelease, {150, 50});
  EXPECT_FALSE(timer->isActive());
  b->SetInitPause(300);
  Mouse(b, QEvent::MouseButtonPress, {5, 5});
  EXPECT_EQ(timer->interval(), 300);
  Mouse(b, QEvent::MouseButtonRelease, {150, 50});
  b->SetAllowTimer(false);

  // Groups: the notice goes out on Down, on AllowAllUp and on GroupIndex; only the group listens.
  b->SetGroupIndex(1);
  other->SetGroupIndex(1);
  third->SetGroupIndex(2);
  other->SetAllowAllUp(true);
  EXPECT_TRUE(b->AllowAllUp() && !third->AllowAllUp());
  Mouse(b, QEvent::MouseButtonPress, {5, 5});
  Mouse(b, QEvent::MouseButtonRelease, {5, 5});
  EXPECT_TRUE(b->Down());
  EXPECT_EQ(clicks, 3);
  third->SetDown(true);
  third->SetGroupIndex(1);
  EXPECT_FALSE(b->Down()) << "a down button joining the group raises the other";

  QAction act;  // a linked action: its checked state, its image as glyph, one trigger per click
  act.setCheckable(true);
  QPixmap blue(16, 16);
  blue.fill(Qt::blue);
  act.setIcon(QIcon(blue));
  int triggers = 0;
  QObject::connect(&act, &QAction::triggered, [&] { ++triggers; });
  other->setDefaultAction(&act);
  act.setChecked(true);
  EXPECT_TRUE(other->Down());
  EXPECT_EQ(BoxOf(other->grab().toImage(), kBlue).size(), QSize(16, 16));
  other->SetAllowAllUp(true);
  other->Click();  // the action flips itself and the latch follows, both ways, all up allowed
  EXPECT_FALSE(other->Down() || act.isChecked());
  other->Click();
  EXPECT_EQ(triggers, 2);
  int doubles = 0;  // a double click acts on a down button only
  other->OnDblClick = b->OnDblClick = [&] { ++doubles; };
  Mouse(other, QEvent::MouseButtonDblClick, {5, 5});
  Mouse(b, QEvent::MouseButtonDblClick, {5, 5});
  EXPECT_EQ(doubles, 1);

  b->SetCaption("&Go");  // the accelerator clicks an enabled button only
  QShortcutEvent key(QKeySequence("Alt+G"), 0);
  QApplication::sendEvent(b, &key);
  b->setEnabled(false);
  QApplication::sendEvent(b, &key);
  b->setEnabled(true);
  EXPECT_EQ(clicks, 4);

  // The menu shows on the press; its closing releases the button without a click.
  QMenu menu;
  menu.addAction("one");
  b->SetGroupIndex(0);
  b->SetDropDownMenu(&menu);
  b->SetMenuPosition(TVxDropDownMenuPos::dmpRight);  // beside the button, from its top
  QPoint shownAt;
  QTimer::singleShot(0, &menu, [&] { shownAt = menu.isVisible() ? menu.pos() : QPoint(), menu.close(); });
  Mouse(b, QEvent::MouseButtonPress, {5, 5});
  EXPECT_EQ(shownAt, b->mapToGlobal(QPoint(b->width(), -1)));
  EXPECT_EQ(b->State(), TButtonState::rbsUp);
  Mouse(b, QEvent::MouseButtonRelease, {5, 5});
  EXPECT_EQ(clicks, 4);
}

TEST(SpeedButtonMouse, AHoldEndsWhenTheReleaseCanNoLongerCome) {
  enum class Loss { hide, panelHides, deactivate, appInactive };
  for (Loss loss : {Loss::hide, Loss::panelHides, Loss::deactivate, Loss::appInactive}) {
    QWidget top, elsewhere;
    top.resize(100, 60);
    elsewhere.resize(50, 50);
    auto* panel = new QWidget(&top);
    panel->resize(100, 60);
    auto* b = new TVxSpeedButton(panel);
    b->SetAllowTimer(true);
    b->SetInitPause(30);
    b->SetRepeatInterval(20);
    top.show();
    top.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&top));
    int clicks = 0, releases = 0;
    QObject::connect(b, &QToolButton::clicked, [&] { ++clicks; });
    QObject::connect(b, &QToolButton::released, [&] { ++releases; });
    Mouse(b, QEvent::MouseButtonPress, {5, 5});
    ASSERT_TRUE(QTest::qWaitFor([&] { return clicks >= 1; }, 5000)) << int(loss);
    switch (loss) {
      case Loss::hide: top.hide(); break;
      case Loss::panelHides: panel->hide(); break;  // the window stays active
      case Loss::deactivate:
        elsewhere.show();
        elsewhere.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&elsewhere));
        break;
      case Loss::appInactive:
        emit qGuiApp->applicationStateChanged(Qt::ApplicationInactive);  // as the window system tells it
        break;
    }
    const int held = clicks;
    QTest::qWait(150);
    EXPECT_EQ(clicks, held) << int(loss);
    EXPECT_EQ(b->State(), TButtonState::rbsUp) << int(loss);
    EXPECT_EQ(releases, 1) << int(loss);
    Mouse(b, QEvent::MouseButtonRelease, {5, 5});  // a late release is no click
    EXPECT_EQ(clicks, held) << int(loss);
  }
}

TEST(SpeedButtonMouse, LatchActionAndQtSignalsAgree) {
  QWidget parent;
  auto* one = new TVxSpeedButton(&parent);
  auto* two = new TVxSpeedButton(&parent);
  QAction a, b;  // each its own checkable action, no action group
  a.setCheckable(true);
  b.setCheckable(true);
  b.setChecked(true);
  one->SetGroupIndex(1);
  one->setDefaultAction(&a);
  two->setDefaultAction(&b);
  two->SetGroupIndex(1);  // the latch takes the check of an action linked before
  EXPECT_EQ(two->State(), TButtonState::rbsExclusive);
  int pressed = 0, released = 0, triggered = 0;
  std::vector<bool> toggled;
  QObject::connect(one, &QToolButton::pressed, [&] { ++pressed; });
  QObject::connect(one, &QToolButton::released, [&] { ++released; });
  QObject::connect(one, &QToolButton::toggled, [&](bool on) { toggled.push_back(on); });
  QObject::connect(&a, &QAction::triggered, [&] { ++triggered; });
  auto click = [](TVxSpeedButton* w) {
    Mouse(w, QEvent::MouseButtonPress, {5, 5});
    Mouse(w, QEvent::MouseButtonRelease, {5, 5});
  };
  struct Step {
    TVxSpeedButton* clicked;
    bool oneDown, twoDown;
  };
  // A click flips the action's check and the latch follows it; a click on the down button changes
  // nothing, the group not allowing all up.
  const Step steps[] = {{one, true, false}, {one, true, false}, {two, false, true}, {one, true, false}};
  for (const Step& s : steps) {
    click(s.clicked);
    EXPECT_EQ(one->Down(), s.oneDown);
    EXPECT_EQ(a.isChecked(), s.oneDown);
    EXPECT_EQ(one->isChecked(), s.oneDown);
    EXPECT_EQ(two->Down(), s.twoDown);
    EXPECT_EQ(b.isChecked(), s.twoDown);
    EXPECT_EQ(two->isChecked(), s.twoDown);
  }
  EXPECT_EQ(pressed, 3);
  EXPECT_EQ(released, 3);
  EXPECT_EQ(triggered, 2);
  EXPECT_EQ(toggled, (std::vector<bool>{true, false, true}));
  b.setChecked(true);  // the program's word: the other way round
  EXPECT_TRUE(two->Down() && !one->Down() && !a.isChecked());
  QActionGroup exclusive(&parent);  // the checked action of an exclusive group stays checked
  exclusive.addAction(&a), exclusive.addAction(&b);
  two->SetAllowAllUp(true);
  click(two);
  EXPECT_TRUE(two->Down() && b.isChecked());
  Mouse(one, QEvent::MouseButtonPress, {5, 5});
  one->setEnabled(false);  // a held button disabled is released once
  EXPECT_EQ(released, 4);
  QAction plain;
  QPointer<TVxSpeedButton> gone = new TVxSpeedButton(&parent);  // a click handler may delete the button
  gone->setDefaultAction(&plain);
  QObject::connect(gone.data(), &QToolButton::clicked, [&] { delete gone.data(); });
  click(gone);
  EXPECT_TRUE(gone.isNull());

  QWidget off;  // a button made in a disabled window is drawn disabled, painted or not
  off.setEnabled(false);
  TVxSpeedButton* late = new TVxSpeedButton(&off);
  EXPECT_EQ(late->State(), TButtonState::rbsDisabled);
  late->SetInitPause(-1);
  late->SetRepeatInterval(-1);
  EXPECT_EQ(late->InitPause(), 500);
  EXPECT_EQ(late->RepeatInterval(), 100);
}

TEST(SpeedButtonPaint, ActionImageDisabledAndDevicePixelRatio) {
  QWidget parent;
  auto* b = new TVxSpeedButton(&parent);
  b->resize(30, 30);
  QAction act;
  QPixmap blue(16, 16);
  blue.fill(Qt::blue);
  act.setIcon(QIcon(blue));
  b->setDefaultAction(&act);
  act.setEnabled(false);  // a solid colour greys to its shape, with the highlight below and right
  const QImage off = b->grab().toImage();
  EXPECT_EQ(BoxOf(off, kShadow), QRect(7, 7, 16, 16));
  EXPECT_EQ(off.pixel(23, 23), kWhite);

  act.setEnabled(true);
  const QImage one = b->Render(1), two = b->Render(2);
  ASSERT_EQ(two.size(), QSize(60, 60));
  EXPECT_EQ(two.devicePixelRatio(), 2);
  const TButtonState before = b->State();
  // Each pixel of the plain look is a 2 x 2 block: frames, face and glyph line up.
  for (QPoint at : {QPoint(0, 0), QPoint(1, 1), QPoint(29, 29), QPoint(28, 28), QPoint(10, 10), QPoint(3, 20)})
    for (QPoint d : {QPoint(0, 0), QPoint(1, 1)}) EXPECT_EQ(two.pixel(at * 2 + d), one.pixel(at)) << at.x() << ',' << at.y();
  EXPECT_EQ(b->State(), before);
}

TEST(SpeedButtonMouse, DropDownMenuAtEachPositionAndAlignment) {
  QWidget top;
  top.setGeometry(300, 200, 200, 100);
  auto* b = new TVxSpeedButton(&top);
  b->move(40, 30);
  b->resize(24, 22);
  top.show();
  QMenu menu;
  menu.addAction("a menu item of some width");
  b->SetDropDownMenu(&menu);
  using P = TVxDropDownMenuPos;
  using A = TPopupAlignment;
  const int mw = menu.sizeHint().width();
  struct Row {
    P pos;
    A align;
    QPoint point;  // relative to the button, before the menu's own alignment
  };
  const Row rows[] = {{P::dmpBottom, A::paLeft, {-1, 22}},  {P::dmpBottom, A::paRight, {25, 22}},
                      {P::dmpBottom, A::paCenter, {12, 22}}, {P::dmpRight, A::paLeft, {24, -1}},
                      {P::dmpRight, A::paRight, {-1, -1}},   {P::dmpRight, A::paCenter, {12, 22}}};
  for (const Row& r : rows) {
    b->SetMenuPosition(r.pos);
    b->MenuAlignment = r.align;
    QPoint shownAt;
    QTimer::singleShot(0, &menu, [&] { shownAt = menu.isVisible() ? menu.pos() : QPoint(), menu.close(); });
    Mouse(b, QEvent::MouseButtonPress, {5, 5});
    const int shift = r.align == A::paRight ? mw : r.align == A::paCenter ? mw / 2 : 0;
    EXPECT_EQ(shownAt, b->mapToGlobal(r.point) - QPoint(shift, 0)) << int(r.pos) << int(r.align);
  }
}
