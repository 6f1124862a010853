// Delimited words, substitution, file-name tests, command-line splitting, and the drawing, event
// and memory helpers of the windows.
#include <gtest/gtest.h>

#include <QApplication>
#include <QFont>
#include <QFontMetrics>
#include <QMessageBox>
#include <QPainter>
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
  struct Case { QString line, program, params; int count; };
  const QString cap(kCommandParamMax, 'x'), over = cap + "yz";
  const Case cases[] = {
      {"", "", "", 0},
      {" \t\n ", "", "", 0},
      {"\"\" \"\"", "", "", 0},  // empty parts only
      {"vexo", "vexo", "", 1},
      {"vexo \"a b\" c", "vexo", "\"a b\" c", 3},
      {"  vexo \"\" x  ", "vexo", "x", 2},
      {"\"/opt/my app/vexo\" song.sqt", "/opt/my app/vexo", "song.sqt", 2},
      {"a\tb\x01" "c", "a", "b c", 3},  // every control character separates
      {"p\"q r\"s t", "pq rs", "t", 2},  // a quoted stretch inside a parameter
      {"p \"open to the end", "p", "\"open to the end\"", 2},
      {"\"\"\"\"p\"\" \"\"q", "p", "q", 2},
      // A parameter keeps its first characters up to the bound; the next one is still found.
      {"p " + over + " q", "p", cap + " q", 3},
      {"\"" + over + " w\" q", cap, "q", 2},
      {over, cap, "", 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.line.left(40).toStdString());
    auto [program, params] = SplitProgramAndParams(c.line);
    EXPECT_EQ(program, c.program);
    EXPECT_EQ(params, c.params);
    EXPECT_EQ(CountCommandParams(c.line), c.count);
    EXPECT_EQ(CommandParamAt(c.line, c.count), "");
  }
  // A settings value of 64,000 characters: 32,000 parameters, read in one walk.
  QString many;
  for (int i = 0; i < 32000; ++i) many += i % 2 ? "b " : "a ";
  auto [program, params] = SplitProgramAndParams(many);
  EXPECT_EQ(std::tuple(program, params.size(), params.right(3)), std::tuple(QString("a"), qsizetype(63997), QString("a b")));
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

TEST(VxUtils, KeyedDrawing) {
  // The canvas is yellow (.); the picture is R G over B F (F: button face); a monochrome one is
  // white over black, black over white (W, N), keyed on white whatever the key; g: the disabled grey.
  QImage c(2, 2, QImage::Format_RGB32), m(2, 2, QImage::Format_Mono), glyphe(2, 1, QImage::Format_ARGB32);
  c.setPixel(0, 0, qRgb(255, 0, 0)), c.setPixel(1, 0, qRgb(0, 255, 0));
  c.setPixel(0, 1, qRgb(0, 0, 255)), c.setPixel(1, 1, qRgb(0xD4, 0xD0, 0xC8));
  m.setColorTable({qRgb(0, 0, 0), qRgb(255, 255, 255)});
  m.setPixel(0, 0, 1), m.setPixel(1, 0, 0), m.setPixel(0, 1, 0), m.setPixel(1, 1, 1);
  glyphe.setPixel(0, 0, qRgba(1, 2, 3, 255)), glyphe.setPixel(1, 0, qRgba(1, 2, 3, 100));  // 2nd: see-through
  const std::map<char, QRgb> couleurs{{'.', qRgb(255, 255, 0)}, {'R', qRgb(255, 0, 0)}, {'G', qRgb(0, 255, 0)},
      {'B', qRgb(0, 0, 255)}, {'F', qRgb(0xD4, 0xD0, 0xC8)}, {'N', qRgb(0, 0, 0)}, {'W', qRgb(255, 255, 255)},
      {'g', qRgb(128, 128, 128)}};
  const std::pair<std::function<void(QPainter&)>, const char*> cas[] = {
      // The default key is the bottom-left pixel; no destination size is the picture's.
      {[&](QPainter& p) { StretchDrawBitmapKeyed(p, 1, 1, 0, 0, c, 0, 0, 0, 0, clDefaultKey); }, ".....RG...F....."},
      {[&](QPainter& p) { StretchDrawBitmapKeyed(p, 0, 0, 4, 4, c, 0, 0, 0, 0, clNoneKey); }, "RRGGRRGGBBFFBBFF"},
      {[&](QPainter& p) { StretchDrawBitmapKeyed(p, 0, 0, 2, 2, c, 0, 0, 2, 2, clRed); }, ".G..BF.........."},
      {[&](QPainter& p) { StretchDrawBitmapKeyed(p, 0, 0, 2, 2, m, 0, 0, 2, 2, clDefaultKey); }, ".N..N..........."},
      {[&](QPainter& p) { DrawBitmapRectKeyed(p, 0, 0, 4, 4, c, QRect(0, 0, 1, 2), clDefaultKey); }, "RRRRRRRR........"},
      {[&](QPainter& p) { StretchBlitKeyed(p, 0, 0, 2, 2, c, 0, 0, 2, 2, TColor(0x8000000F)); }, "RG..B..........."},
      {[&](QPainter& p) {
         DrawDisabledListImage({QImage(), glyphe}, p, 1, 1, 1, clGray, clWhite, true);
         DrawDisabledListImage({glyphe}, p, 0, 0, 1, clBlack, clBlack, true);  // no such image
         DrawDisabledListImage({glyphe}, p, 0, 3, 0, clBlue, clBlack, false);
       }, ".....g....W.B..."},
  };
  for (const auto& [dessin, attendu] : cas) {
    QImage toile(4, 4, QImage::Format_RGB32);
    toile.fill(Qt::yellow);
    QPainter p(&toile);
    dessin(p);
    for (int i = 0; i < 16; ++i)
      EXPECT_EQ(toile.pixel(i % 4, i / 4), couleurs.at(attendu[i])) << attendu << " at " << i;
  }
}

TEST(VxUtils, PaintParentBehindShowsTheSiblingsBelowOnly) {
  struct Peint : QWidget {
    QColor couleur;
    Peint(QWidget* parent, QColor c, QRect r) : QWidget(parent), couleur(c) { setGeometry(r); }
    void paintEvent(QPaintEvent*) override { QPainter(this).fillRect(rect(), couleur); }
  };
  Peint parent(nullptr, Qt::red, {0, 0, 40, 40}), dessous(&parent, Qt::green, {0, 0, 10, 10});
  Peint cache(&parent, Qt::cyan, {5, 5, 10, 10}), controle(&parent, Qt::black, {5, 5, 10, 10});
  Peint dessus(&parent, Qt::blue, {12, 12, 10, 10});  // above the control: not behind it
  cache.hide();
  QImage img(10, 10, QImage::Format_RGB32);
  QPainter p(&img);
  PaintParentBehind(&controle, p);
  for (auto [x, couleur] : {std::pair{0, Qt::green}, {4, Qt::green}, {5, Qt::red}, {9, Qt::red}})
    EXPECT_EQ(img.pixel(x, x), QColor(couleur).rgb()) << x;
}

TEST(VxUtils, DropPendingMessageRunsNothingAndKeepsAQuit) {
  struct Compteur : QObject {
    std::map<int, int> vus;
    bool event(QEvent* e) override { return ++vus[e->type()]; }
  } a, b;
  const auto T1 = QEvent::Type(QEvent::User + 1), T2 = QEvent::Type(QEvent::User + 2);
  for (auto [o, t] : {std::pair{&a, T1}, {&a, T1}, {&b, T1}, {&a, T2}, {&b, T2}, {&a, QEvent::Quit}})
    QCoreApplication::postEvent(o, new QEvent(t));
  DropPendingMessage(&a, T1);
  DropPendingMessage(&a, QEvent::Quit);
  DropPendingMessage(nullptr, T2);  // every object's
  EXPECT_TRUE(a.vus.empty());
  QCoreApplication::sendPostedEvents(&a);
  QCoreApplication::sendPostedEvents(&b);
  EXPECT_EQ(a.vus, (std::map<int, int>{{QEvent::Quit, 1}}));
  EXPECT_EQ(b.vus, (std::map<int, int>{{T1, 1}}));
}

TEST(VxUtils, BlocksBytesAndTexts) {
  void* bloc = AllocZeroedBlock(64);
  const char zeros[64] = {};
  EXPECT_TRUE(bloc && SameBytes(bloc, zeros, 64) && !AllocZeroedBlock(0));
  FreeZeroedBlock(bloc);
  EXPECT_EQ(bloc, nullptr);
  char texte[] = "abcdefgh";
  CopyBytes(OffsetPointer(texte, 2), texte, 5);  // overlapping
  EXPECT_STREQ(texte, "ababcdeh");
  EXPECT_STREQ(NewPCharCopy(QString::fromUtf8("Café €")).get(), "Caf\xE9 \x80");
  EXPECT_EQ(StringFromPChar("Caf\xE9 \x80"), QString::fromUtf8("Café €"));
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
}

TEST(VxUtils, ShowNotImplementedTellsThenEndsTheOperation) {
  QApplication::setOverrideCursor(Qt::WaitCursor);
  QApplication::setOverrideCursor(Qt::BusyCursor);
  QString texte = "no box";
  QTimer t;
  QObject::connect(&t, &QTimer::timeout, [&] {
    if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget()))
      texte = QApplication::overrideCursor() ? "busy cursor" : box->text(), box->accept();
  });
  t.start(10);
  EXPECT_THROW(ShowNotImplemented(), EAbort);
  EXPECT_EQ(texte, QString::fromUtf8("Cette fonction n'est pas encore implémentée."));
}
