// The GIF codec: exact bytes where the format fixes them, round trips, interlacing, the graphic
// control block, and survival of cut and mangled files.
#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include <QApplication>
#include <QClipboard>
#include <QMimeData>
#include <QPainter>
#include <random>
#include <tuple>

#include "components/SplashGIF.h"
#include "components/VxGIF.h"
#include "components/VxUtils.h"

namespace {
std::vector<uint8_t> Pixels(int w, int h, int bits, uint32_t seed) {
  std::mt19937 rng(seed);
  std::vector<uint8_t> px(static_cast<size_t>(w) * h);
  for (auto& p : px) p = static_cast<uint8_t>(rng() % (1u << bits));
  return px;
}

TGIFImage OneFrame(int w, int h, int bits, const std::vector<uint8_t>& px, bool interlaced = false) {
  TGIFImage g;
  for (int i = 0; i < (1 << bits); ++i) g.GlobalColours.push_back({uint8_t(i), uint8_t(255 - i), uint8_t(i / 2)});
  TGIFFrame f;
  f.Width = w;
  f.Height = h;
  f.BitsPerPixel = bits;
  f.Colours = g.GlobalColours;
  f.Interlaced = interlaced;
  f.Pixels = px;
  f.Decoded = true;
  g.Frames.push_back(f);
  g.Current = 0;
  return g;
}
}  // namespace

TEST(VxGIF, OneBitTwoByTwoEncodesToTheKnownBytes) {
  EXPECT_EQ(EncodeLZW({0, 0, 0, 0}, 2, 2, 1), (std::vector<uint8_t>{0x02, 0x02, 0x84, 0x51, 0x00}));
}

TEST(VxGIF, EncodeDecodeRoundTrips) {
  struct Case { int w, h, bits; bool interlaced; const char* what; };
  const Case cases[] = {
      {2, 2, 1, false, "tiny"},
      {37, 23, 1, false, "1 bit"},
      {64, 64, 4, true, "4 bits interlaced"},
      {200, 120, 8, false, "8 bits, far more than 4093 codes"},
      {300, 1, 8, false, "one row"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const auto px = Pixels(c.w, c.h, c.bits, 7u + c.w);
    TGIFImage g = OneFrame(c.w, c.h, c.bits, px, c.interlaced);
    const std::vector<uint8_t> bytes = g.SaveToBytes();
    TGIFImage back;
    back.LoadFromBytes(bytes);
    ASSERT_EQ(back.Frames.size(), 1u);
    EXPECT_FALSE(back.Frames[0].Corrupted);
    EXPECT_EQ(back.Frames[0].Pixels, px);
    EXPECT_EQ(back.Width(), c.w);
    EXPECT_EQ(back.Frames[0].Interlaced, c.interlaced);
  }
  // A flat picture makes long strings: the table fills and restarts several times.
  std::vector<uint8_t> ramp(400 * 300);
  for (size_t i = 0; i < ramp.size(); ++i) ramp[i] = static_cast<uint8_t>((i / 7) % 256);
  TGIFFrame f;
  f.Width = 400;
  f.Height = 300;
  f.Data = EncodeLZW(ramp, 400, 300, 8);
  DecodeFrame(f, false);
  EXPECT_FALSE(f.Corrupted);
  EXPECT_EQ(f.Pixels, ramp);
}

TEST(VxGIF, InterlacedRowsComeOutInRowOrder) {
  for (int h : {1, 2, 3, 4, 5, 6, 7, 8, 176}) {
    SCOPED_TRACE(h);
    std::vector<int> rows = InterlacedRows(h);
    ASSERT_EQ(static_cast<int>(rows.size()), h);  // no pass starts past the height
    std::vector<uint8_t> px(static_cast<size_t>(3) * h);
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < 3; ++x) px[3 * y + x] = static_cast<uint8_t>(y);
    TGIFFrame f;
    f.Width = 3;
    f.Height = h;
    f.Interlaced = true;
    f.Data = EncodeLZW(px, 3, h, 8, true);
    DecodeFrame(f, false);
    EXPECT_EQ(f.Pixels, px);
  }
}

TEST(VxGIF, HeaderAndVersions) {
  TGIFImage g = OneFrame(2, 2, 1, {0, 1, 1, 0});
  std::vector<uint8_t> b = g.SaveToBytes();
  EXPECT_EQ(std::string(b.begin(), b.begin() + 6), "GIF87a");
  for (const char* head : {"gif89A", "GiF87a"}) {
    std::copy(head, head + 6, b.begin());
    TGIFImage ok;
    EXPECT_NO_THROW(ok.LoadFromBytes(b)) << head;
  }
  std::copy("GIF88a", "GIF88a" + 6, b.begin());
  TGIFImage bad;
  try {
    bad.LoadFromBytes(b);
    FAIL() << "GIF88a accepted";
  } catch (const EGIFError& e) {
    EXPECT_STREQ(e.what(), gif::UnknownVersion);
  }
  TGIFImage none;
  EXPECT_THROW(none.SaveToBytes(), EGIFError);
  EXPECT_THROW(none.SetWidth(5), EGIFError);
  EXPECT_THROW(BitsOfColourCount(3), EGIFError);
}

TEST(VxGIF, GraphicControlBlockIsExactAndRoundTrips) {
  TGIFImage g = OneFrame(2, 2, 1, {0, 1, 1, 0});
  g.Frames[0].Delay = 70000;  // 7000 hundredths: needs more than 16 bits in milliseconds
  g.Frames[0].Disposal = 2;
  g.Frames[0].Transparent = g.GlobalColours[1].Couleur();
  g.Frames[0].Extensions.push_back({TExtensionType::GraphicControl, {0x1C | 0x04, 0, 0, 0}, {}});  // stale disposal 7
  g.Looping = true;
  g.Frames.push_back(g.Frames[0]);
  g.Frames[1].Extensions.clear();
  g.Comment = {"made here"};
  std::vector<uint8_t> b = g.SaveToBytes();
  EXPECT_EQ(std::string(b.begin(), b.begin() + 6), "GIF89a");
  const uint8_t gce[] = {0x21, 0xF9, 0x04, 0x09, 0x58, 0x1B, 0x01, 0x00};  // disposal 2, transparent, 7000
  EXPECT_NE(std::search(b.begin(), b.end(), std::begin(gce), std::end(gce)), b.end());
  TGIFImage back;
  back.LoadFromBytes(b);
  ASSERT_EQ(back.Frames.size(), 2u);
  for (const TGIFFrame& f : back.Frames) {
    EXPECT_EQ(f.Delay, 70000u);
    EXPECT_EQ(f.Disposal, 2);
    EXPECT_EQ(f.Transparent, g.GlobalColours[1].Couleur());
  }
  EXPECT_EQ(back.Frames[1].Pixels, std::vector<uint8_t>()) << "only the first frame decodes at load";
  EXPECT_TRUE(back.Looping);
  EXPECT_EQ(back.Comment, std::vector<std::string>{"made here"});

  // The looping count is capped; a plain-text block drops the control block read before it.
  std::vector<uint8_t> loop = b;
  auto net = std::search(loop.begin(), loop.end(), "NETSCAPE2.0", "NETSCAPE2.0" + 11);
  ASSERT_NE(net, loop.end());
  net[13] = 0x40, net[14] = 0x9C;  // 40000
  TGIFImage capped;
  capped.LoadFromBytes(loop);
  EXPECT_EQ(capped.RepeatCount, 30000);

  std::vector<uint8_t> text = b;
  ASSERT_EQ(text[13 + 6 + 19 + 8], ',');
  const uint8_t plain[] = {0x21, 0x01, 12, 0, 0, 0, 0, 2, 0, 2, 0, 1, 1, 0, 1, 1, 'a', 0};
  text.insert(text.begin() + 13 + 6 + 19 + 8, std::begin(plain), std::end(plain));
  TGIFImage dropped;
  dropped.LoadFromBytes(text);
  ASSERT_EQ(dropped.Frames.size(), 2u);
  EXPECT_EQ(dropped.Frames[0].Delay, 0u);
  EXPECT_EQ(dropped.Frames[0].Transparent, clNoneGIF);
}

TEST(VxGIF, ColourTablesArePaddedToAPowerOfTwo) {
  TGIFImage g = OneFrame(3, 1, 1, {0, 1, 2});
  g.GlobalColours = {{1, 2, 3}, {4, 5, 6}, {7, 8, 9}};
  g.Frames[0].Colours = g.GlobalColours;
  g.Frames[0].BitsPerPixel = 2;
  TGIFImage back;
  back.LoadFromBytes(g.SaveToBytes());
  ASSERT_EQ(back.GlobalColours.size(), 4u);
  EXPECT_EQ(back.GlobalColours[2], (TGIFRGB{7, 8, 9}));
  EXPECT_EQ(back.Frames[0].Pixels, (std::vector<uint8_t>{0, 1, 2}));
}

TEST(VxGIF, BadDataIsCorruptionNotACrash) {
  // After the clear code a code that is not a pixel value.
  TGIFFrame f;
  f.Width = 4;
  f.Height = 1;
  f.Data = {0x02, 0x02, 0x04 | (7 << 3) | (0 << 6), 0x00, 0x00};
  EXPECT_THROW(DecodeFrame(f, false), EGIFError);
  DecodeFrame(f, true);
  EXPECT_TRUE(f.Corrupted);
  f.Data[0] = 12;
  EXPECT_THROW(DecodeFrame(f, true), EGIFError);

  const auto px = Pixels(40, 30, 8, 3);
  const std::vector<uint8_t> whole = OneFrame(40, 30, 8, px).SaveToBytes();
  const std::vector<uint8_t> cut(whole.begin(), whole.begin() + static_cast<long>(whole.size() / 2));
  TGIFImage g;
  g.LoadFromBytes(cut);
  ASSERT_EQ(g.Frames.size(), 1u);
  EXPECT_TRUE(g.Frames[0].Corrupted);
  EXPECT_EQ(g.Frames[0].Pixels.back(), 0);  // rows not reached stay at index 0
  EXPECT_EQ(g.Bitmap().size(), QSize(40, 30));
}

TEST(VxGIF, SurvivesEveryTruncationAndSeededMutations) {
  const auto px = Pixels(23, 17, 4, 11);
  TGIFImage src = OneFrame(23, 17, 4, px, true);
  src.Frames[0].Delay = 50;
  src.Comment = {"c"};
  src.Frames.push_back(src.Frames[0]);
  src.Looping = true;
  const std::vector<uint8_t> whole = src.SaveToBytes();
  auto tryLoad = [](const std::vector<uint8_t>& b) {
    TGIFImage g;
    try {
      g.LoadFromBytes(b);
      for (size_t i = 0; i < g.Frames.size(); ++i) {
        g.Current = static_cast<int>(i);
        QImage img = g.Bitmap();
        if (!img.isNull()) {
          EXPECT_EQ(img.width(), g.Frames[i].Width);
        }
      }
      if (!g.Frames.empty()) g.SaveToBytes();
    } catch (const EGIFError&) {
    }
  };
  for (size_t n = 0; n <= whole.size(); ++n) tryLoad(std::vector<uint8_t>(whole.begin(), whole.begin() + static_cast<long>(n)));
  std::mt19937 rng(20261209);
  for (int k = 0; k < 3000; ++k) {
    std::vector<uint8_t> b = whole;
    for (int m = 1 + static_cast<int>(rng() % 4); m > 0; --m) b[rng() % b.size()] = static_cast<uint8_t>(rng());
    tryLoad(b);
  }
}

TEST(VxGIF, SplashPictureIsOurGIF) {
  const std::vector<uint8_t> b = SplashGIFBytes();
  EXPECT_EQ(std::string(b.begin(), b.begin() + 6), "GIF89a");
  TGIFImage g;
  g.LoadFromBytes(b);
  ASSERT_EQ(g.Frames.size(), 1u);
  const TGIFFrame& f = g.Frames[0];
  EXPECT_EQ(f.Width, 279);
  EXPECT_EQ(f.Height, 176);
  EXPECT_EQ(f.BitsPerPixel, 8);
  EXPECT_TRUE(f.Interlaced);
  EXPECT_EQ(f.Data[0], 8);
  EXPECT_TRUE(f.Extensions.empty());
  EXPECT_FALSE(g.IsTransparent());
  EXPECT_EQ(b[11], 255);  // background index
  EXPECT_EQ(SplashPicture().size(), QSize(279, 176));
}

// The splash screen shows the picture the build wrote into the program folder, or draws it when that
// file is missing, damaged or another picture: the same pixels, palette and format each time as
// reading our GIF back.
TEST(VxGIF, SplashPictureIsWhatTheGIFDecodesTo) {
  const std::vector<uint8_t> octets = SplashGIFBytes();
  TGIFImage g;
  g.LoadFromBytes(octets);
  const QImage lu = g.Bitmap();
  ASSERT_FALSE(lu.isNull());
  const std::vector<uint8_t> petit = OneFrame(5, 3, 4, Pixels(5, 3, 4, 9)).SaveToBytes();
  // 35 bytes that declare a screen and a frame of 8192 x 8192: never decoded, so they cost nothing.
  std::vector<uint8_t> enorme = OneFrame(2, 2, 1, {0, 1, 1, 0}).SaveToBytes();
  for (size_t at : {6, 8, 24, 26}) enorme[at] = 0, enorme[at + 1] = 0x20;
  const struct {
    const char* cas;
    std::vector<uint8_t> fichier;
    bool present;
  } cas[] = {
      {"missing", {}, false},
      {"damaged", std::vector<uint8_t>(octets.begin(), octets.begin() + 40), true},
      {"another picture", petit, true},
      {"8192 x 8192 declared", enorme, true},
      {"ours", octets, true},
  };
  for (const auto& c : cas) {
    SCOPED_TRACE(c.cas);
    QTemporaryDir dir;
    if (c.present) {
      QFile f(dir.filePath("splash.gif"));
      ASSERT_TRUE(f.open(QIODevice::WriteOnly));
      f.write(reinterpret_cast<const char*>(c.fichier.data()), static_cast<qint64>(c.fichier.size()));
    }
    const QImage direct = SplashPicture(dir.path() + '/');
    EXPECT_EQ(direct.format(), lu.format());
    EXPECT_EQ(direct.colorTable(), lu.colorTable());
    EXPECT_EQ(direct, lu);
  }
  // The build drew the file the program reads, so that its start-up does not draw it.
  ASSERT_TRUE(QFile::exists(QStringLiteral(VEXO_PROGRAM_DIR "/splash.gif")));
  QFile construit(QStringLiteral(VEXO_PROGRAM_DIR "/splash.gif"));
  ASSERT_TRUE(construit.open(QIODevice::ReadOnly));
  const QByteArray lus = construit.readAll();
  EXPECT_EQ(std::vector<uint8_t>(lus.begin(), lus.end()), octets);
  EXPECT_LE(qint64(octets.size()) * 4, kTailleSplashMax);  // the bound keeps a margin over the file written
}

TEST(VxGIF, ClipboardCarriesTheGIF) {
  QClipboard& clipboard = *QApplication::clipboard();
  TGIFImage g = OneFrame(5, 3, 4, Pixels(5, 3, 4, 9));
  g.Frames[0].Delay = 120;
  g.SaveToBytes();  // encodes the frame: the GIF itself goes on the clipboard
  g.SaveToClipboard(clipboard);
  const QByteArray held = clipboard.mimeData()->data(QStringLiteral("application/x-qt-windows-mime;value=\"GIF Image\""));
  EXPECT_EQ(held.mid(4, 6), "GIF89a");  // after its 32-bit length
  TGIFImage back;
  back.LoadFromClipboard(clipboard);
  ASSERT_EQ(std::tuple(back.Frames.size(), back.Frames.at(0).Delay), std::tuple(size_t(1), 120u));
  EXPECT_EQ(back.Frames[0].Pixels, g.Frames[0].Pixels) << "not decoded: taken from the clipboard's picture";
  // Another program's plain GIF is not taken for ours: the picture beside it is.
  auto* other = new QMimeData;
  other->setData(QStringLiteral("image/gif"), "GIF89a");
  QImage green(4, 2, QImage::Format_RGB32);
  green.fill(Qt::green);
  other->setImageData(green);
  clipboard.setMimeData(other);
  back.LoadFromClipboard(clipboard);
  EXPECT_EQ(back.Bitmap().pixelColor(3, 1), QColor(Qt::green));
  EXPECT_EQ(std::tuple(back.Frames.size(), back.Current), std::tuple(size_t(1), 0)) << "the GIF read before is gone";
  clipboard.clear();
}

TEST(VxGIF, AssignEqualsTransparencyAndGrey) {
  const std::vector<uint8_t> bytes = OneFrame(4, 2, 1, {0, 1, 1, 0, 1, 0, 0, 1}).SaveToBytes();
  TGIFImage a, b, c;
  a.LoadFromBytes(bytes);
  b.Assign(a);
  c.LoadFromBytes(bytes);
  EXPECT_TRUE(b.Equals(a));
  EXPECT_FALSE(c.Equals(a)) << "read on its own";
  b.Comment = {"changed"};
  EXPECT_FALSE(b.Equals(a));
  a.Aspect = 49;
  a.Frames[0].Left = 3;
  c.Assign(a);
  c.Assign(c.Frames[0], c);  // a frame of its own
  EXPECT_EQ(std::tuple(c.Frames.size(), c.Aspect, c.Version, c.ScreenWidth), std::tuple(size_t(1), uint8_t(49), 1, 7));
  TGIFImage empty;  // asked for its bitmap, it becomes a one-frame picture of an empty bitmap
  QImage out;
  EXPECT_TRUE(empty.Bitmap().isNull() && empty.Frames.size() == 1 && !empty.AssignTo(out));

  // A see-through bitmap keys on the colour nearest to 0xFF00FF, which the bitmap assigned out carries.
  QImage icon(4, 4, QImage::Format_ARGB32);
  icon.fill(Qt::transparent);
  icon.setPixel(1, 1, qRgba(0, 0, 255, 255));
  c.Assign(icon);
  TColor key = clNoneGIF;
  ASSERT_TRUE(c.AssignTo(out, &key));
  EXPECT_EQ(std::tuple(c.Frames[0].Transparent, key), std::tuple(RGBToColor(255, 0, 255), RGBToColor(255, 0, 255)));
  EXPECT_EQ(std::tuple(qAlpha(out.pixel(0, 0)), out.pixelColor(1, 1)), std::tuple(0, QColor(Qt::blue)));

  // The grayscale switch, set after the picture was added, applies when the frame is encoded.
  QImage red(2, 1, QImage::Format_RGB32);
  red.fill(Qt::red);
  c.Assign(red);
  c.Frames[0].Grayscale = true;
  b.LoadFromBytes(c.SaveToBytes());
  EXPECT_EQ(b.Bitmap().pixelColor(1, 0), QColor(76, 76, 76));
}

// Every decode and encode reports 0, rising percentages and 100, or 0 and the message of its failure;
// an abort leaves a decoded frame without pixels and no error, and resets an encoded one.
TEST(VxGIF, ProgressOfDecodeAndEncode) {
  std::vector<std::tuple<TProgressStage, int, std::string>> seen;
  TGIFImage g = OneFrame(40, 30, 8, Pixels(40, 30, 8, 5)), back;
  g.OnProgress = back.OnProgress = [&](TProgressStage s, int p, const std::string& m) { seen.emplace_back(s, p, m); };
  const std::vector<uint8_t> bytes = g.SaveToBytes();
  back.LoadFromBytes(bytes);
  std::vector<uint8_t> bad = bytes;
  bad[13 + 256 * 3 + 10] = 12;  // the code size byte
  EXPECT_THROW(back.LoadFromBytes(bad), EGIFError);
  int last = 0, whole = 0;
  for (const auto& [stage, percent, message] : seen) {
    EXPECT_TRUE(stage == TProgressStage::Running ? percent > last && percent <= 100 : percent % 100 == 0);
    last = stage == TProgressStage::Running ? percent : 0;
    whole += stage == TProgressStage::Ending && percent == 100;
  }
  EXPECT_EQ(std::tuple(std::get<0>(seen.front()), whole), std::tuple(TProgressStage::Starting, 2));
  EXPECT_EQ(seen.back(), std::tuple(TProgressStage::Ending, 0, std::string(gif::CodeSizeRange)));

  // An abort ends with the failure's notice, in a decode as in an encode.
  g.Frames[0].Data.clear();
  g.OnProgress = back.OnProgress = [&](TProgressStage s, int p, const std::string& m) {
    seen.emplace_back(s, p, m);
    if (s == TProgressStage::Running) throw EAbort{};
  };
  const auto aborted = std::tuple(TProgressStage::Ending, 0, std::string());
  EXPECT_NO_THROW(back.LoadFromBytes(bytes));
  EXPECT_EQ(seen.back(), aborted);
  EXPECT_TRUE(back.Frames.at(0).Pixels.empty() && back.Bitmap().isNull());
  seen.clear();
  EXPECT_THROW(g.SaveToBytes(), EAbort);
  EXPECT_TRUE(g.Frames[0].Data.empty());
  ASSERT_FALSE(seen.empty());
  EXPECT_EQ(seen.back(), aborted);
}

// A table may hold one colour twice: only the see-through entry's pixels are left out, when drawn
// and when assigned to a bitmap, and the entry survives a save.
TEST(VxGIF, TransparencyIsKeyedOnTheEntryNotItsColour) {
  const TGIFRGB a{10, 20, 30}, b{200, 100, 50}, c{0, 0, 255};
  TGIFImage g = OneFrame(2, 2, 2, {0, 1, 2, 3});
  g.GlobalColours = g.Frames[0].Colours = {a, b, b, c};
  g.Frames[0].Transparent = b.Couleur();
  std::vector<uint8_t> bytes = g.SaveToBytes();
  const uint8_t gce[] = {0x21, 0xF9, 0x04, 0x01, 0, 0, 0x01};
  auto at = std::search(bytes.begin(), bytes.end(), std::begin(gce), std::end(gce));
  ASSERT_NE(at, bytes.end());
  at[6] = 2;  // the second entry of that colour is the see-through one
  TGIFImage loaded, saved;
  loaded.LoadFromBytes(bytes);
  saved.LoadFromBytes(TGIFImage(loaded).SaveToBytes());
  for (TGIFImage* p : {&loaded, &saved}) {
    SCOPED_TRACE(p == &loaded ? "loaded" : "saved again");
    QImage canvas(2, 2, QImage::Format_RGB32);
    canvas.fill(Qt::yellow);
    QPainter painter(&canvas);
    p->Draw(painter, canvas.rect());
    painter.end();
    const QColor yellow(Qt::yellow), pa(10, 20, 30), pb(200, 100, 50), pc(0, 0, 255);
    EXPECT_EQ(std::tuple(canvas.pixelColor(0, 0), canvas.pixelColor(1, 0), canvas.pixelColor(0, 1), canvas.pixelColor(1, 1)),
              std::tuple(pa, pb, yellow, pc));
    QImage out;
    TColor key = clNoneGIF;
    ASSERT_TRUE(p->AssignTo(out, &key));
    EXPECT_EQ(std::tuple(qAlpha(out.pixel(0, 0)), qAlpha(out.pixel(1, 0)), qAlpha(out.pixel(0, 1)), qAlpha(out.pixel(1, 1)), key),
              std::tuple(255, 255, 0, 255, b.Couleur()));
  }
}

// Sizes a file declares in a few bytes are refused before a picture that size is allocated:
// the screen or a frame over 16384 pixels a side or 64 M pixels in all.
TEST(VxGIF, RefusesDeclaredSizesTooLargeBeforeAllocating) {
  const std::vector<uint8_t> petit = OneFrame(2, 2, 1, {0, 1, 1, 0}).SaveToBytes();
  auto poser = [](std::vector<uint8_t>& b, size_t at, int v) {
    b[at] = static_cast<uint8_t>(v & 0xFF);
    b[at + 1] = static_cast<uint8_t>(v >> 8);
  };
  // The frame's descriptor follows the global table of the two-colour picture.
  const size_t cadre = 13 + 2 * 3 + 1;
  ASSERT_EQ(petit[cadre - 1], ',');
  struct Cas {
    const char* nom;
    int ecranL, ecranH, cadreL, cadreH;
    bool refuse;
  };
  const Cas cas[] = {{"screen 65535 a side", 65535, 65535, 2, 2, true},
                     {"frame 65535 a side", 2, 2, 65535, 65535, true},
                     {"frame 9000 x 9000, 81 M pixels", 2, 2, 9000, 9000, true},
                     {"frame 16385 wide", 2, 2, 16385, 1, true},
                     {"frame 16384 x 4096, exactly 64 M pixels", 2, 2, 16384, 4096, false},
                     {"screen 16384 x 1", 16384, 1, 2, 2, false}};
  for (const Cas& c : cas) {
    SCOPED_TRACE(c.nom);
    std::vector<uint8_t> b = petit;
    poser(b, 6, c.ecranL);
    poser(b, 8, c.ecranH);
    poser(b, cadre + 4, c.cadreL);
    poser(b, cadre + 6, c.cadreH);
    TGIFImage g;
    if (c.refuse) {
      try {
        g.LoadFromBytes(b, false);
        FAIL() << "accepted";
      } catch (const EGIFError& e) {
        EXPECT_STREQ(e.what(), gif::TooLarge);
      }
    } else {
      EXPECT_NO_THROW(g.LoadFromBytes(b, false));
    }
  }
  // Every frame of one file counts: two frames of 32 M pixels are the most, a third is refused.
  std::vector<uint8_t> b = petit;
  poser(b, cadre + 4, 8192);
  poser(b, cadre + 6, 4096);
  const std::vector<uint8_t> image(b.begin() + cadre - 1, b.end() - 1);  // the frame, without the trailer
  for (int n = 2; n <= 3; ++n) {
    b.insert(b.end() - 1, image.begin(), image.end());
    TGIFImage g;
    EXPECT_EQ(n == 3, [&] { try { g.LoadFromBytes(b, false); } catch (const EGIFError&) { return true; } return false; }());
  }
}
