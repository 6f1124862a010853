// Delimited words, substitution, file-name tests, command-line splitting, and the drawing, event
// and memory helpers of the windows.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCursor>
#include <QFont>
#include <QFontMetrics>
#include <QMessageBox>
#include <QPainter>
#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <thread>

#include "components/VxUtils.h"

TEST(VxUtils, DelimitedWordsAndSubstitution) {
  const QString text = ",,a,,b,";
  EXPECT_EQ(CountDelimitedWords(text, ","), 2);
  EXPECT_EQ(DelimitedWordStart(2, text, ","), 6);
  EXPECT_EQ(DelimitedWord(2, text, ","), "b");
  EXPECT_EQ(DelimitedWord(3, text, ","), "");
  EXPECT_EQ(DelimitedWord(1, "one two;three", " ;"), "one");
  EXPECT_EQ(SubstituteAll("aaa", "aa", "b"), "ba");
  EXPECT_EQ(SubstituteAll("a.b.c", ".", ".."), "a..b..c");  // replacements are not rescanned
  EXPECT_FALSE(IsValidFileName(""));
  EXPECT_FALSE(IsValidFileName("a|b.wav"));
  EXPECT_FALSE(IsValidFileName("/tmp/a\\b.wav"));
  EXPECT_TRUE(IsValidFileName("/tmp/a b.wav"));
  EXPECT_TRUE(SameBytes("x", "y", 0));
}

TEST(VxUtils, CommandLineSplit) {
  struct Case { const char* line; const char* program; const char* params; };
  const Case cases[] = {
      {"", "", ""},
      {"vexo", "vexo", ""},
      {"vexo \"a b\" c", "vexo", "\"a b\" c"},
      {"  vexo \"\" x  ", "vexo", "x"},
      {"\"/opt/my app/vexo\" song.sqt", "/opt/my app/vexo", "song.sqt"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.line);
    auto [program, params] = SplitProgramAndParams(c.line);
    EXPECT_EQ(program, c.program);
    EXPECT_EQ(params, c.params);
  }
  // A parameter far longer than 256 characters comes back whole.
  const QString longParam(1000, 'x');
  EXPECT_EQ(CommandParamAt("p " + longParam + " q", 1), longParam);
  EXPECT_EQ(CountCommandParams("p " + longParam + " q"), 3);
}

TEST(VxUtils, ShortenToWidth) {
  QFont f("Arial");
  f.setPixelSize(12);
  QFontMetrics fm(f);
  EXPECT_EQ(ShortenToWidth("Fits", fm, 1000), "Fits");
  const QString cut = ShortenToWidth("A rather long caption", fm, fm.horizontalAdvance("A rather...") + 1);
  EXPECT_TRUE(cut.endsWith("...")) << cut.toStdString();
  EXPECT_LE(fm.horizontalAdvance(cut), fm.horizontalAdvance("A rather...") + 1);
  EXPECT_EQ(ShortenToWidth("Caption", fm, 0), "...");
}

namespace {
QImage Toile(int w, int h) {
  QImage img(w, h, QImage::Format_RGB32);
  img.fill(Qt::yellow);
  return img;
}
}  // namespace

TEST(VxUtils, KeyedDrawing) {
  // Top row red, green; bottom row blue, button face.
  QImage couleur(2, 2, QImage::Format_RGB32);
  couleur.setPixel(0, 0, qRgb(255, 0, 0));
  couleur.setPixel(1, 0, qRgb(0, 255, 0));
  couleur.setPixel(0, 1, qRgb(0, 0, 255));
  couleur.setPixel(1, 1, qRgb(0xD4, 0xD0, 0xC8));
  // Black, white / white, black.
  QImage mono(2, 2, QImage::Format_Mono);
  mono.setColorTable({qRgb(0, 0, 0), qRgb(255, 255, 255)});
  mono.setPixel(0, 0, 0), mono.setPixel(1, 0, 1), mono.setPixel(0, 1, 1), mono.setPixel(1, 1, 0);
  const QRgb J = qRgb(255, 255, 0), R = qRgb(255, 0, 0), V = qRgb(0, 255, 0), B = qRgb(0, 0, 255),
             F = qRgb(0xD4, 0xD0, 0xC8), N = qRgb(0, 0, 0), W = qRgb(255, 255, 255);
  struct Cas {
    const char* nom;
    const QImage* image;
    std::function<void(QPainter&)> dessin;
    std::vector<QRgb> attendu;  // the 4 by 4 canvas, row by row
  } cas[] = {
      {"default key: the bottom-left pixel, at the picture's own size", &couleur,
       [&](QPainter& p) { StretchDrawBitmapKeyed(p, 1, 1, 0, 0, couleur, 0, 0, 0, 0, clDefaultKey); },
       {J, J, J, J, J, R, V, J, J, J, F, J, J, J, J, J}},
      {"no key: a plain copy, stretched", &couleur,
       [&](QPainter& p) { StretchDrawBitmapKeyed(p, 0, 0, 4, 4, couleur, 0, 0, 0, 0, clNoneKey); },
       {R, R, V, V, R, R, V, V, B, B, F, F, B, B, F, F}},
      {"a colour key", &couleur,
       [&](QPainter& p) { StretchDrawBitmapKeyed(p, 0, 0, 2, 2, couleur, 0, 0, 2, 2, clRed); },
       {J, V, J, J, B, F, J, J, J, J, J, J, J, J, J, J}},
      {"a monochrome picture is keyed on white, whatever the key", &mono,
       [&](QPainter& p) { StretchDrawBitmapKeyed(p, 0, 0, 2, 2, mono, 0, 0, 2, 2, clBlack); },
       {N, J, J, J, J, N, J, J, J, J, J, J, J, J, J, J}},
      {"a source rectangle, the key still from the whole picture", &couleur,
       [&](QPainter& p) { DrawBitmapRectKeyed(p, 0, 0, 4, 4, couleur, QRect(0, 0, 1, 2), clDefaultKey); },
       {R, R, R, R, R, R, R, R, J, J, J, J, J, J, J, J}},
      {"a system colour as key", &couleur,
       [&](QPainter& p) { StretchBlitKeyed(p, 0, 0, 2, 2, couleur, 0, 0, 2, 2, TColor(0x8000000F)); },
       {R, V, J, J, B, J, J, J, J, J, J, J, J, J, J, J}},
      {"the disabled look of an image list's image", &couleur,
       [&](QPainter& p) {
         QImage glyphe(2, 2, QImage::Format_ARGB32);
         glyphe.fill(Qt::transparent);
         glyphe.setPixel(0, 0, qRgba(1, 2, 3, 255));
         glyphe.setPixel(1, 0, qRgba(1, 2, 3, 100));  // mostly see-through: not drawn
         DrawDisabledListImage({QImage(), glyphe}, p, 1, 1, 1, clGray, clWhite, true);
         DrawDisabledListImage({glyphe}, p, 0, 0, 1, clBlack, clBlack, true);  // no such index
         DrawDisabledListImage({glyphe}, p, 0, 3, 0, clBlue, clBlack, false);
       },
       {J, J, J, J, J, qRgb(128, 128, 128), J, J, J, J, W, J, qRgb(0, 0, 255), J, J, J}},
  };
  for (const Cas& c : cas) {
    SCOPED_TRACE(c.nom);
    QImage toile = Toile(4, 4);
    {
      QPainter p(&toile);
      c.dessin(p);
    }
    std::vector<QRgb> vu;
    for (int y = 0; y < 4; ++y)
      for (int x = 0; x < 4; ++x) vu.push_back(toile.pixel(x, y) | 0xFF000000);
    EXPECT_EQ(vu, c.attendu);
  }
  // The palette-relative form: bit 25, and the button colours given by their system numbers.
  EXPECT_EQ(PaletteRelativeColour(clRed), 0x020000FFu);
  EXPECT_EQ(PaletteRelativeColour(TColor(0x8000000F)), 0x02C8D0D4u);
  EXPECT_EQ(PaletteRelativeColour(TColor(0x80000010)), 0x02808080u);
  EXPECT_EQ(PaletteRelativeColour(TColor(0x80000014)), 0x02FFFFFFu);
}

TEST(VxUtils, DisabledGlyph) {
  QImage g(3, 3, QImage::Format_RGB32);
  g.fill(Qt::white);
  g.setPixel(0, 0, qRgb(0, 0, 0));
  g.setPixel(2, 2, qRgb(0, 0, 0));  // its highlight falls outside
  const QImage d = MakeDisabledGlyph(g, clBlack);
  const QRgb face = qRgb(0xD4, 0xD0, 0xC8), ombre = qRgb(128, 128, 128), clair = qRgb(255, 255, 255);
  EXPECT_EQ(d.size(), g.size());
  EXPECT_EQ(d.pixel(0, 0), ombre);
  EXPECT_EQ(d.pixel(1, 1), clair);
  EXPECT_EQ(d.pixel(2, 2), ombre);
  EXPECT_EQ(d.pixel(1, 0), face);
}

TEST(VxUtils, PaintParentBehindShowsTheSiblingsBelowOnly) {
  struct Peint : QWidget {
    QColor couleur;
    Peint(QWidget* parent, QColor c, QRect r) : QWidget(parent), couleur(c) { setGeometry(r); }
    void paintEvent(QPaintEvent*) override { QPainter(this).fillRect(rect(), couleur); }
  };
  Peint parent(nullptr, Qt::red, QRect(0, 0, 40, 40));
  Peint dessous(&parent, Qt::green, QRect(0, 0, 10, 10));
  Peint cache(&parent, Qt::cyan, QRect(5, 5, 10, 10));
  cache.hide();
  QWidget controle(&parent);
  controle.setGeometry(5, 5, 10, 10);
  Peint dessus(&parent, Qt::blue, QRect(12, 12, 10, 10));  // above the control: not behind it
  QImage img = Toile(10, 10);
  {
    QPainter p(&img);
    PaintParentBehind(&controle, p);
  }
  EXPECT_EQ(img.pixel(0, 0), QColor(Qt::green).rgb());
  EXPECT_EQ(img.pixel(4, 4), QColor(Qt::green).rgb());
  EXPECT_EQ(img.pixel(5, 5), QColor(Qt::red).rgb());
  EXPECT_EQ(img.pixel(9, 9), QColor(Qt::red).rgb());

  QWidget seul;
  QImage vide = Toile(2, 2);
  {
    QPainter p(&vide);
    PaintParentBehind(&seul, p);
  }
  EXPECT_EQ(vide.pixel(0, 0), qRgb(255, 255, 0));
}

TEST(VxUtils, DropPendingMessage) {
  struct Compteur : QObject {
    std::map<int, int> vus;
    bool event(QEvent* e) override {
      ++vus[e->type()];
      return true;
    }
  } a, b;
  const auto T1 = QEvent::Type(QEvent::User + 1), T2 = QEvent::Type(QEvent::User + 2);
  for (QObject* o : {&a, &a, &b}) QCoreApplication::postEvent(o, new QEvent(T1));
  QCoreApplication::postEvent(&a, new QEvent(T2));
  QCoreApplication::postEvent(&a, new QEvent(QEvent::Quit));
  DropPendingMessage(&a, T1);
  DropPendingMessage(&a, QEvent::Quit);
  EXPECT_TRUE(a.vus.empty()) << "nothing runs meanwhile";
  QCoreApplication::sendPostedEvents(&a);
  QCoreApplication::sendPostedEvents(&b);
  EXPECT_EQ(a.vus, (std::map<int, int>{{T2, 1}, {QEvent::Quit, 1}}));
  EXPECT_EQ(b.vus, (std::map<int, int>{{T1, 1}}));
  // No receiver: every object's.
  QCoreApplication::postEvent(&a, new QEvent(T2));
  QCoreApplication::postEvent(&b, new QEvent(T2));
  DropPendingMessage(nullptr, T2);
  QCoreApplication::sendPostedEvents(&a);
  QCoreApplication::sendPostedEvents(&b);
  EXPECT_EQ(a.vus[T2] + b.vus[T2], 1);
}

TEST(VxUtils, BytesBlocksAndTexts) {
  EXPECT_EQ(AllocZeroedBlock(0), nullptr);
  EXPECT_EQ(AllocZeroedBlock(-5), nullptr);
  void* bloc = AllocZeroedBlock(64);
  ASSERT_NE(bloc, nullptr);
  const char zeros[64] = {};
  EXPECT_TRUE(SameBytes(bloc, zeros, 64));
  FreeZeroedBlock(bloc);
  EXPECT_EQ(bloc, nullptr);
  FreeZeroedBlock(bloc);  // a cleared pointer is left alone

  char texte[] = "abcdefgh";
  CopyBytes(OffsetPointer(texte, 2), texte, 5);  // overlapping
  EXPECT_STREQ(texte, "ababcdeh");
  CopyBytes(texte, "zz", 0);
  EXPECT_EQ(texte[0], 'a');
  EXPECT_FALSE(SameBytes("abcde", "abcdf", 5));
  EXPECT_TRUE(SameBytes("abcde", "abcdf", 4));
  EXPECT_EQ(static_cast<const char*>(OffsetPointer(static_cast<const void*>(texte), 3)), texte + 3);
  EXPECT_EQ(RectWidthOf(QRect(2, 3, 10, 4)), 10);
  EXPECT_EQ(RectHeightOf(QRect(2, 3, 10, 4)), 4);
  EXPECT_EQ(RectWidthOf(QRect()), 0);

  const auto copie = NewPCharCopy(QString::fromUtf8("Café €"));
  EXPECT_STREQ(copie.get(), "Caf\xE9 \x80");
  EXPECT_EQ(StringFromPChar(copie.get()), QString::fromUtf8("Café €"));
  EXPECT_EQ(NewPCharCopy(QString())[0], '\0');
  EXPECT_EQ(StringFromPChar(nullptr), QString());
}

TEST(VxUtils, IsApplicationActive) {
  QWidget w;
  EXPECT_FALSE(IsApplicationActive()) << "no window of this program is active";
  w.show();
  w.activateWindow();
  for (int i = 0; i < 100 && !IsApplicationActive(); ++i) QCoreApplication::processEvents();
  EXPECT_TRUE(IsApplicationActive());
  bool ailleurs = true;
  std::thread([&] { ailleurs = IsApplicationActive(); }).join();
  EXPECT_FALSE(ailleurs) << "another thread has no window";
  w.hide();
  for (int i = 0; i < 100 && IsApplicationActive(); ++i) QCoreApplication::processEvents();
  EXPECT_FALSE(IsApplicationActive());
}

TEST(VxUtils, ShowNotImplementedTellsThenEndsTheOperation) {
  QApplication::setOverrideCursor(Qt::WaitCursor);
  QApplication::setOverrideCursor(Qt::BusyCursor);
  QString texte;
  bool curseurPendantLaBoite = true;
  QTimer t;
  QObject::connect(&t, &QTimer::timeout, [&] {
    if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
      texte = box->text();
      curseurPendantLaBoite = QApplication::overrideCursor() != nullptr;
      EXPECT_EQ(box->standardButtons(), QMessageBox::Ok);
      EXPECT_EQ(box->icon(), QMessageBox::Information);
      box->accept();
    }
  });
  t.start(10);
  bool suite = false;
  try {
    ShowNotImplemented();
    suite = true;
  } catch (const EAbort&) {
  }
  EXPECT_FALSE(suite);
  EXPECT_TRUE(texte.contains(QString::fromUtf8("implémentée"))) << texte.toStdString();
  EXPECT_FALSE(curseurPendantLaBoite);
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}
