// Border routines pixel by pixel, the toolbar's arrangement of the main window's order, and the panel's
// aligned edges, mouse events, border setters and the caption strips of docked windows.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QCursor>
#include <QImage>
#include <QMouseEvent>
#include <QToolButton>
#include <functional>
#include <map>
#include <tuple>

#include "components/VxPanel.h"

namespace {
QImage White(int w, int h) {
  QImage img(w, h, QImage::Format_RGB32);
  img.fill(Qt::white);
  return img;
}
TColor Px(const QImage& img, int x, int y) {
  QRgb p = img.pixel(x, y);
  return RGBToColor(qRed(p), qGreen(p), qBlue(p));
}
}  // namespace

TEST(VxCommon, BorderRoutinesDrawAndShrink) {
  QImage img = White(10, 5);
  TRect r;
  {
    TCanvas c(&img);
    EXPECT_EQ(DrawSideLines(c, {0, 0, 10, 5}, clRed, clBlue, 0), (TRect{0, 0, 10, 5}));
    r = DrawSideLines(c, {0, 0, 10, 5}, clRed, clBlue, sdAll);
  }
  EXPECT_EQ(r, (TRect{1, 1, 9, 4}));
  EXPECT_EQ(Px(img, 9, 0), clBlue);
  EXPECT_EQ(Px(img, 0, 4), clBlue);
  EXPECT_EQ(Px(img, 0, 0), clRed);
  EXPECT_EQ(Px(img, 5, 0), clRed);
  EXPECT_EQ(Px(img, 9, 4), clBlue);
  EXPECT_EQ(Px(img, 5, 2), clWhite);

  QImage big = White(40, 30);
  TCanvas c(&big);
  EXPECT_EQ(DrawFrameStyleSides(c, {2, 3, 30, 20}, TFrameStyle::fsGroove, sdAll), (TRect{4, 5, 28, 18}));
  EXPECT_EQ(DrawFrameStyleSides(c, {2, 3, 30, 20}, TFrameStyle::fsGroove, sdTop), (TRect{2, 5, 30, 20}));
  EXPECT_EQ(DrawBevelBands(c, {0, 0, 20, 20}, clRed, clRed, 3, sdLeft | sdBottom), (TRect{3, 0, 20, 17}));
  EXPECT_EQ(DrawFrameStyleSides(c, {1, 1, 9, 9}, TFrameStyle::fsNone, sdAll), (TRect{1, 1, 9, 9}));
  EXPECT_EQ(DrawFrameStyleSides(c, {0, 0, 10, 10}, TFrameStyle::fsRaised, sdAll), (TRect{2, 2, 8, 8}));
}

TEST(VxCommon, GrooveAndControlFramePixels) {
  QImage img = White(12, 12);
  {
    TCanvas c(&img);
    DrawFrameStyleSides(c, {0, 0, 12, 12}, TFrameStyle::fsGroove, sdAll);
  }
  EXPECT_EQ(Px(img, 0, 0), clBtnShadow);    // outer upper-left line
  EXPECT_EQ(Px(img, 1, 1), clBtnHighlight);  // inner upper-left line
  EXPECT_EQ(Px(img, 11, 11), clBtnHighlight);
  EXPECT_EQ(Px(img, 10, 10), clBtnShadow);
  EXPECT_EQ(Px(img, 5, 5), clWhite);

  QImage f = White(10, 10);
  {
    TCanvas c(&f);
    PaintControlFrame(c, 10, 10, TFrameStyle::fsNone, clLime, clRed, sdAll);
  }
  EXPECT_EQ(Px(f, 0, 0), clLime);
  EXPECT_EQ(Px(f, 1, 8), clLime);
  EXPECT_EQ(Px(f, 2, 2), clWhite);

  QFont font("Arial");
  font.setPixelSize(12);
  font.setBold(true);
  const TAngledFont a = CreateAngledFont(font, 90);
  EXPECT_EQ(a.Escapement, 900);
  EXPECT_EQ(a.Weight, 700);
}

TEST(VxCommon, BlinkingListLivesWithItsControls) {
  struct Blinker : IBlinkingControl {
    bool blinks;
    int phase = -1;
    explicit Blinker(bool b) : blinks(b) {}
    bool QueryBlink() override { return blinks; }
    void BlinkPhase(int p) override { phase = p; }
  } one(true), two(false);
  AddBlinkingControl(&one);
  AddBlinkingControl(&two);
  ASSERT_NE(BlinkingControls, nullptr);
  BlinkingControls->Tick();
  EXPECT_EQ(one.phase, 0);
  EXPECT_EQ(two.phase, -1);
  RemoveBlinkingControl(&one);
  ReleaseBlinkingControls();
  EXPECT_NE(BlinkingControls, nullptr);
  RemoveBlinkingControl(&two);
  ReleaseBlinkingControls();
  EXPECT_EQ(BlinkingControls, nullptr);
  AddBlinkingControl(&one);
  EXPECT_EQ(BlinkingControls->Phase, 1);
  EXPECT_EQ(BlinkingControls->OnInterval, 500);
  RemoveBlinkingControl(&one);
  ReleaseBlinkingControls();
}

TEST(VxPanel, ArrangementWrapsAndSizes) {
  TToolbarMetrics m;
  m.Width = 60;
  m.Margin = 4;
  std::vector<TToolbarItem> items(3, TToolbarItem{23, 22});
  TToolbarArrangement a = ArrangeToolbar(m, items);
  EXPECT_EQ(a.Rows, 2);
  EXPECT_EQ(items[0].Left, 4);
  EXPECT_EQ(items[1].Left, 27);
  EXPECT_EQ(items[2].Left, 4);
  EXPECT_EQ(items[2].Top, 25 + 4 + 12 - 11);
  EXPECT_EQ(a.NewHeight, 25 * 2 + 4 + 2);

  m.WrapControls = false;
  a = ArrangeToolbar(m, items);
  EXPECT_EQ(a.Rows, 1);
  EXPECT_EQ(items[2].Left, 50);

  m.WrapControls = true;
  m.Width = 10;  // a first control wider than the toolbar stays in row 1; hidden ones take no room
  std::vector<TToolbarItem> two{{23, 22}, {23, 22, false}};
  EXPECT_EQ(ArrangeToolbar(m, two).Rows, 1);
  std::swap(two[0], two[1]);  // behind a hidden first control, the first shown one starts no row
  EXPECT_EQ(ArrangeToolbar(m, two).Rows, 1);

  m.Align = TAlign::alLeft;
  m.Width = 30;
  EXPECT_EQ(ArrangeToolbar(m, items).NewWidth, 4 + 27);
}

TEST(VxPanel, MainWindowToolbarOrder) {
  QWidget form;
  auto* bar = new TVxToolbar(&form);
  bar->SetAlign(TAlign::alNone);
  bar->AutoStyle = false;
  bar->SetMargin(0);
  bar->SetTopMargin(1);
  bar->resize(600, 32);
  const char* order[] = {"Bt_Fichier_Nouveau", "Bt_Fichier_Ouvrir", "Bt_Fichier_Enregistrer", "VxSpacer1",
                         "Bt_Fichier_Proprietes", "Bt_Options_Preferences", "VxSpacer2", "Ghost"};
  QStringList names;
  for (const char* n : order) names << n;
  // Created in another order than the stored one.
  for (int i = 6; i >= 0; --i) {
    QWidget* w;
    if (QString(order[i]).startsWith("VxSpacer")) {
      auto* s = new TVxSpacer(bar);
      s->resize(6, 25);
      s->SetGrooved(true);
      w = s;
    } else {
      w = new QToolButton(bar);
      w->resize(23, 22);
    }
    w->setObjectName(order[i]);
  }
  bar->Loaded(names);
  auto pos = [&](const char* n) { return bar->findChild<QWidget*>(n)->pos(); };
  EXPECT_EQ(pos("Bt_Fichier_Nouveau"), QPoint(0, 2));
  EXPECT_EQ(pos("VxSpacer1"), QPoint(69, 1));
  EXPECT_EQ(pos("Bt_Fichier_Proprietes").x(), 75);
  EXPECT_EQ(bar->ToolbarControls().size(), 7);  // the missing name is skipped
  EXPECT_EQ(bar->IndexOfName("vxspacer2"), 6);
  delete bar->findChild<QWidget*>("Bt_Fichier_Ouvrir");  // the rest closes up
  EXPECT_EQ(pos("Bt_Fichier_Enregistrer").x(), 23);
  QWidget* save = bar->findChild<QWidget*>("Bt_Fichier_Enregistrer");
  save->hide();  // its room goes at once, and comes back when it shows again
  EXPECT_EQ(pos("VxSpacer1").x(), 23);
  save->show();
  EXPECT_EQ(pos("VxSpacer1").x(), 46);
  form.show();
  save->resize(40, 22);  // so does a change of its size
  EXPECT_EQ(pos("VxSpacer1").x(), 63);
  form.hide();

  bar->SetAlign(TAlign::alLeft);
  EXPECT_EQ(bar->width(), 32);
}

TEST(VxPanel, BackgroundTilesClippedToTheClientArea) {
  TVxToolbar bar;
  bar.SetAlign(TAlign::alNone);
  bar.SetBorderSides(0);
  bar.SetAutoResize(false);
  bar.resize(50, 30);
  QImage tile(20, 20, QImage::Format_RGB32);
  tile.fill(Qt::red);
  tile.setPixel(0, 0, qRgb(0, 0, 255));  // marks each tile's corner
  bar.SetBackground(tile);
  QImage shot(50, 30, QImage::Format_RGB32);
  shot.fill(Qt::white);
  bar.render(&shot);
  int corners = 0;
  for (int y = 0; y < 30; ++y)
    for (int x = 0; x < 50; ++x) corners += Px(shot, x, y) == clBlue;
  EXPECT_EQ(corners, 3 * 2);
  EXPECT_EQ(Px(shot, 49, 29), clRed);
}

TEST(VxPanel, BackgroundStartsInsideTheBorderWidth) {
  struct Cas {
    int borderWidth;
    TSides sides;
    TFrameStyle outer;
    QPoint corner;  // the first tile's top-left pixel
  };
  const Cas cas[] = {{0, 0, TFrameStyle::fsNone, {0, 0}},
                     {3, 0, TFrameStyle::fsNone, {3, 3}},  // taken off every side, drawn or not
                     {2, sdLeft | sdTop, TFrameStyle::fsRaised, {4, 4}},
                     {1, sdTop, TFrameStyle::fsFlat, {1, 2}}};
  for (const Cas& c : cas) {
    TVxToolbar bar;
    bar.SetAlign(TAlign::alNone);
    bar.SetAutoResize(false);
    bar.SetBorderSides(c.sides);
    bar.SetBorderOuter(c.outer);
    bar.BorderWidthValue = c.borderWidth;
    bar.resize(50, 30);
    QImage tile(20, 20, QImage::Format_RGB32);
    tile.fill(Qt::red);
    tile.setPixel(0, 0, qRgb(0, 0, 255));
    bar.SetBackground(tile);
    QImage shot = White(50, 30);
    bar.render(&shot);
    QPoint first(-1, -1);
    for (int y = 0; y < 30 && first.x() < 0; ++y)
      for (int x = 0; x < 50 && first.x() < 0; ++x)
        if (Px(shot, x, y) == clBlue) first = QPoint(x, y);
    EXPECT_EQ(first, c.corner) << c.borderWidth << " " << int(c.sides);
  }
}

TEST(VxPanel, AlignedEdgesStayMouseEventsFireAndToolbarFollowsTheTextDirection) {
  QWidget form;
  auto* bottom = new TVxCustomPanel(&form);
  auto* right = new TVxCustomPanel(&form);
  bottom->SetAlign(TAlign::alBottom);
  right->SetAlign(TAlign::alRight);
  bottom->setGeometry(0, 150, 300, 50);
  right->setGeometry(250, 0, 50, 150);
  form.show();
  for (auto [panel, size, then] : {std::tuple{bottom, QSize(300, 30), QRect(0, 170, 300, 30)},
                                   {bottom, QSize(300, 60), QRect(0, 140, 300, 60)},
                                   {right, QSize(80, 150), QRect(220, 0, 80, 150)},
                                   {right, QSize(20, 100), QRect(280, 0, 20, 100)}}) {
    panel->resize(size);
    EXPECT_EQ(panel->geometry(), then);
  }
  int events = 0;
  bottom->OnMouseEnter = [&] { events += 1; };
  bottom->OnMouseLeave = [&] { events += 10; };
  QEnterEvent enter(QPointF(1, 1), QPointF(1, 1), QPointF(1, 1));
  QEvent leave(QEvent::Leave);
  QCoreApplication::sendEvent(bottom, &enter);
  QCoreApplication::sendEvent(bottom, &leave);
  EXPECT_EQ(events, 11);

  auto* bar = new TVxToolbar(&form);
  bar->SetAlign(TAlign::alNone);
  bar->SetAutoResize(false);
  bar->resize(100, 32);
  auto* b = new QToolButton(bar);
  b->resize(23, 22);
  bar->ArrangeControls();
  form.setLayoutDirection(Qt::RightToLeft);
  EXPECT_EQ(b->x(), 100 - 23 - 4);
}

TEST(VxPanel, DockedClientsGetCaptionStrips) {
  TVxCustomPanel panel;
  panel.SetBorderOuter(TFrameStyle::fsNone);
  panel.resize(200, 100);
  panel.SetDockSite(true);
  EXPECT_EQ(panel.DockManager(), nullptr);  // a dock site without the manager
  panel.SetUseDockManager(true);
  auto* client = new QWidget;
  client->setWindowTitle("Mixer");
  panel.DockManager()->InsertControl(client);
  // On a top panel the strip stands beside the client, its text turned; the close button at its far end.
  for (auto [align, area, title] : {std::tuple{TAlign::alNone, QRect(0, 13, 200, 87), QRect(0, 0, 187, 13)},
                                    std::tuple{TAlign::alTop, QRect(13, 0, 187, 100), QRect(0, 13, 13, 87)}}) {
    panel.SetAlign(align);
    EXPECT_EQ(client->geometry(), area);
    const QImage img = panel.grab().toImage().copy(title);
    std::map<TColor, int> n;
    for (int p = 0; p < img.width() * img.height(); ++p) ++n[Px(img, p % img.width(), p / img.width())];
    EXPECT_GT(n[clActiveCaption], title.width() * title.height() / 2);
    EXPECT_GT(n[clCaptionText], 5);
  }
  const QPoint close = panel.DockManager()->CloseButtonRect(client).center();
  QMouseEvent press(QEvent::MouseButtonPress, close, close, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
  QCoreApplication::sendEvent(&panel, &press);
  EXPECT_TRUE(client->isHidden());
  panel.ShowDockClientCaptions = false;
  EXPECT_TRUE(panel.DockManager()->CaptionRect(client).isEmpty());
  delete client;
  EXPECT_EQ(panel.DockManager()->Count(), 0);
}

TEST(VxPanel, BorderSettersCursorAndCaptionPlace) {
  QWidget form;
  auto* panel = new TVxCustomPanel(&form);
  panel->setGeometry(10, 20, 60, 100);
  form.show();
  QCursor::setPos(panel->mapToGlobal(QPoint(5, 6)));
  EXPECT_EQ(panel->CursorPos(), QPoint(5, 6));
  panel->BorderWidthValue = 1;
  const std::tuple<std::function<void()>, int, TColor> cas[] = {
      {[&] { panel->SetBorderOuter(TFrameStyle::fsFlat), panel->SetFlatColor(clRed); }, 0, clRed},
      {[&] { panel->SetBorderOuter(TFrameStyle::fsPopup), panel->SetBorderHighlight(clLime); }, 0, clLime},
      {[&] { panel->SetBorderShadow(clBlue); }, 59, clBlue},
      {[&] { panel->SetBorderColor(clYellow); }, 1, clYellow}};
  for (const auto& [set, x, colour] : cas) {
    set();
    EXPECT_EQ(Px(panel->grab().toImage(), x, 5), colour);
  }
  TRect r{0, 0, 60, 100};
  panel->AdjustClientRect(r);
  EXPECT_EQ(r, (TRect{1, 1, 59, 99}));  // BorderWidth is the caller's to take off
  panel->Caption = "Low";
  panel->SetVerticalAlignment(TVerticalAlignment::vaBottom);
  const QImage img = panel->grab().toImage();
  int inkTop = 100;
  for (int y = 0; y < 100; ++y)
    for (int x = 3; x < 57; ++x)
      if (qGray(img.pixel(x, y)) < 100) inkTop = std::min(inkTop, y);
  EXPECT_GT(inkTop, 70);
}
