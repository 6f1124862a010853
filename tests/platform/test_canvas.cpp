// The canvas keeps the classic raster rules the drawing code counts on; checked pixel by pixel.
#include <gtest/gtest.h>

#include <QFontInfo>
#include <QImage>

#include "platform/Canvas.h"

namespace {
QImage Blanche(int w = 40, int h = 40) {
  QImage img(w, h, QImage::Format_RGB32);
  img.fill(Qt::white);
  return img;
}
TColor Px(const QImage& img, int x, int y) {
  QRgb p = img.pixel(x, y);
  return RGBToColor(qRed(p), qGreen(p), qBlue(p));
}
int Compter(const QImage& img, TColor c) {
  int n = 0;
  for (int y = 0; y < img.height(); ++y)
    for (int x = 0; x < img.width(); ++x) n += Px(img, x, y) == c;
  return n;
}
}  // namespace

TEST(Canvas, LineToLeavesOutTheEndPixel) {
  QImage img = Blanche();
  {
    TCanvas c(&img);
    c.Pen.Color = clRed;
    c.MoveTo(2, 5);
    c.LineTo(12, 5);  // horizontal
    c.MoveTo(5, 10);
    c.LineTo(5, 20);  // vertical
    c.MoveTo(20, 20);
    c.LineTo(25, 25);  // diagonal
    EXPECT_EQ(c.PenPos(), QPoint(25, 25));
    c.LineTo(30, 25);  // continues from the pen position
  }
  EXPECT_EQ(Px(img, 2, 5), clRed);
  EXPECT_EQ(Px(img, 11, 5), clRed);
  EXPECT_EQ(Px(img, 12, 5), clWhite);
  EXPECT_EQ(Px(img, 5, 19), clRed);
  EXPECT_EQ(Px(img, 5, 20), clWhite);
  EXPECT_EQ(Px(img, 24, 24), clRed);
  EXPECT_EQ(Px(img, 25, 25), clRed);  // painted as the start of the next segment
  EXPECT_EQ(Px(img, 30, 25), clWhite);
  EXPECT_EQ(Compter(img, clRed), 10 + 10 + 5 + 5);
}

TEST(Canvas, RectangleAndFillRectLeaveOutRightAndBottom) {
  QImage img = Blanche();
  {
    TCanvas c(&img);
    c.Pen.Color = clBlue;
    c.Brush.Color = clYellow;
    c.Rectangle(2, 3, 12, 9);  // 10 x 6 pixels: x 2..11, y 3..8
    c.Brush.Color = clLime;
    c.FillRect(20, 20, 25, 24);  // x 20..24, y 20..23, no outline
  }
  EXPECT_EQ(Px(img, 2, 3), clBlue);
  EXPECT_EQ(Px(img, 11, 8), clBlue);
  EXPECT_EQ(Px(img, 12, 8), clWhite);
  EXPECT_EQ(Px(img, 11, 9), clWhite);
  EXPECT_EQ(Px(img, 5, 5), clYellow);
  EXPECT_EQ(Compter(img, clBlue), 2 * 10 + 2 * 4);
  EXPECT_EQ(Compter(img, clYellow), 8 * 4);
  EXPECT_EQ(Compter(img, clLime), 5 * 4);
  EXPECT_EQ(Px(img, 25, 23), clWhite);
  EXPECT_EQ(Px(img, 24, 24), clWhite);
}

TEST(Canvas, EllipseStaysInsideItsBox) {
  QImage img = Blanche();
  {
    TCanvas c(&img);
    c.Pen.Color = clRed;
    c.Brush.Color = clLime;
    c.Ellipse(5, 5, 25, 17);  // x 5..24, y 5..16
  }
  int xMin = 99, xMax = -1, yMin = 99, yMax = -1;
  for (int y = 0; y < 40; ++y)
    for (int x = 0; x < 40; ++x)
      if (Px(img, x, y) != clWhite) {
        xMin = std::min(xMin, x), xMax = std::max(xMax, x);
        yMin = std::min(yMin, y), yMax = std::max(yMax, y);
      }
  EXPECT_EQ(xMin, 5);
  EXPECT_EQ(xMax, 24);
  EXPECT_EQ(yMin, 5);
  EXPECT_EQ(yMax, 16);
  EXPECT_EQ(Px(img, 15, 11), clLime);
}

TEST(Canvas, ClearBrushAndClearPenDrawNothing) {
  QImage img = Blanche();
  {
    TCanvas c(&img);
    c.Brush.Style = TBrushStyle::bsClear;
    c.FillRect(0, 0, 40, 40);
    c.Pen.Style = TPenStyle::psClear;
    c.Rectangle(0, 0, 40, 40);
    c.MoveTo(0, 0);
    c.LineTo(39, 39);
  }
  EXPECT_EQ(Compter(img, clWhite), 40 * 40);
}

TEST(Canvas, ArcRunsCounterClockwiseBetweenTheRays) {
  // Circle in the box (0,0)-(41,41), centre near (20,20). From the ray to the right (east) to the ray
  // upwards (north): counter-clockwise, that is the upper-right quarter only.
  QImage img = Blanche(42, 42);
  {
    TCanvas c(&img);
    c.Pen.Color = clBlack;
    c.Arc(0, 0, 41, 41, 40, 20, 20, 0);
  }
  auto quart = [&](bool droite, bool haut) {
    int n = 0;
    for (int y = 0; y < 42; ++y)
      for (int x = 0; x < 42; ++x)
        if ((x > 22) == droite && (y < 18) == haut && (x < 18 || x > 22) && (y < 18 || y > 22))
          n += Px(img, x, y) == clBlack;
    return n;
  };
  EXPECT_GT(quart(true, true), 10);
  EXPECT_EQ(quart(false, true), 0);
  EXPECT_EQ(quart(false, false), 0);
  EXPECT_EQ(quart(true, false), 0);

  // Swapped rays: the other three quarters.
  QImage autre = Blanche(42, 42);
  {
    TCanvas c(&autre);
    c.Arc(0, 0, 41, 41, 20, 0, 40, 20);
  }
  img = autre;
  EXPECT_EQ(quart(true, true), 0);
  EXPECT_GT(quart(false, true), 10);
  EXPECT_GT(quart(false, false), 10);
  EXPECT_GT(quart(true, false), 10);
}

TEST(Canvas, TextOutAtTopLeftWithOpaqueBoxWhenBrushSolid) {
  QImage img = Blanche(120, 40);
  int w = 0, h = 0;
  {
    TCanvas c(&img);
    c.Font.Name = "Arial";
    c.Font.Size = 12;
    c.Font.Color = clBlack;
    c.Brush.Color = clYellow;
    w = c.TextWidth("Hx");
    h = c.TextHeight("Hx");
    c.TextOut(10, 5, "Hx");
    EXPECT_EQ(c.PenPos(), QPoint(10 + w, 5));
    c.Brush.Style = TBrushStyle::bsClear;
    c.TextOut(60, 5, "Hx");  // transparent: no box
  }
  ASSERT_GT(w, 5);
  ASSERT_GT(h, 10);
  // The box covers exactly (10,5)-(10+w,5+h).
  EXPECT_EQ(Px(img, 10, 5), clYellow);
  EXPECT_EQ(Px(img, 10 + w - 1, 5 + h - 1), clYellow);
  EXPECT_EQ(Px(img, 9, 5), clWhite);
  EXPECT_EQ(Px(img, 10, 4), clWhite);
  EXPECT_EQ(Px(img, 10 + w, 5), clWhite);
  EXPECT_EQ(Px(img, 10, 5 + h), clWhite);
  // Glyph pixels start near the top-left, inside the box, and are pure black (no antialiasing).
  int noirs = 0, gris = 0, hautMin = 1000;
  for (int y = 0; y < 40; ++y)
    for (int x = 0; x < 120; ++x) {
      TColor p = Px(img, x, y);
      if (p == clBlack) {
        ++noirs;
        hautMin = std::min(hautMin, y);
        if (x < 60) {
          EXPECT_GE(x, 10);
          EXPECT_LT(x, 10 + w);
          EXPECT_LT(y, 5 + h);
        }
      } else if (p != clWhite && p != clYellow) {
        ++gris;
      }
    }
  EXPECT_GT(noirs, 20);
  EXPECT_EQ(gris, 0);
  EXPECT_GE(hautMin, 5);
  EXPECT_LT(hautMin, 5 + h / 2);
  for (int x = 60; x < 60 + w; ++x) EXPECT_NE(Px(img, x, 5), clYellow);
}

TEST(Canvas, FontSubstitutionAndSizeAt96Dpi) {
  EXPECT_EQ(SubstituerPolice("Arial"), "Liberation Sans");
  EXPECT_EQ(SubstituerPolice("times new roman"), "Liberation Serif");
  EXPECT_EQ(SubstituerPolice("Courier New"), "Liberation Mono");
  EXPECT_EQ(SubstituerPolice("MS Sans Serif"), "Liberation Sans");
  EXPECT_EQ(SubstituerPolice("DejaVu Sans"), "DejaVu Sans");
  TCanvasFont f;
  f.Name = "Arial";
  f.Size = 9;
  QFont q = PoliceQt(f);
  EXPECT_EQ(q.pixelSize(), 12);  // 9 pt at 96 dpi
  EXPECT_EQ(QFontInfo(q).family(), "Liberation Sans");  // the face is installed and really used
  f.Size = 10;
  f.Bold = true;
  EXPECT_EQ(PoliceQt(f).pixelSize(), 13);  // 13.33 rounds down
  EXPECT_TRUE(PoliceQt(f).bold());
}
