// Animated cursors: frames, rates, sequence, texts, and survival of cut and mangled files;
// the icon list's stored form.
#include <gtest/gtest.h>

#include <QBuffer>
#include <QImageWriter>
#include <QResource>
#include <QTemporaryDir>
#include <algorithm>
#include <cstring>
#include <functional>
#include <random>

#include "platform/CheckedFile.h"

#include "components/VxGIF.h"
#include "components/VxIcons.h"

namespace {
QByteArray Icon(QColor c) {
  QImage img(16, 16, QImage::Format_ARGB32);
  img.fill(c);
  QByteArray b;
  QBuffer buf(&b);
  buf.open(QIODevice::WriteOnly);
  QImageWriter w(&buf, "ico");
  EXPECT_TRUE(w.write(img));
  return b;
}
void Chunk(QByteArray& out, const char* tag, const QByteArray& data) {
  out.append(tag, 4);
  const uint32_t n = static_cast<uint32_t>(data.size());
  for (int i = 0; i < 4; ++i) out.append(static_cast<char>((n >> (8 * i)) & 0xFF));
  out.append(data);
  if (n & 1) out.append('\0');
}
QByteArray Words(std::initializer_list<uint32_t> v) {
  QByteArray b;
  for (uint32_t x : v)
    for (int i = 0; i < 4; ++i) b.append(static_cast<char>((x >> (8 * i)) & 0xFF));
  return b;
}
std::vector<uint8_t> Ani(uint32_t frames, uint32_t flags) {
  QByteArray body("ACON");
  Chunk(body, "anih", Words({36, frames, frames, 16, 16, 32, 1, 10, flags}));
  Chunk(body, "rate", Words({10, 20, 30, 40, 50}));  // one more rate than frames
  QByteArray info("INFO");
  Chunk(info, "INAM", "Spinner");
  Chunk(info, "IART", "Vexo");
  Chunk(body, "LIST", info);
  QByteArray fram("fram");
  Chunk(fram, "icon", Icon(Qt::red));
  Chunk(fram, "icon", Icon(Qt::blue));
  Chunk(body, "LIST", fram);
  QByteArray riff("RIFF");
  riff.append(Words({static_cast<uint32_t>(body.size())}));
  riff.append(body);
  return {riff.begin(), riff.end()};
}
}  // namespace

TEST(VxIcons, AnimatedCursorFrames) {
  TAnimatedCursorImage a;
  ASSERT_TRUE(a.LoadFromBytes(Ani(2, 1)));
  ASSERT_EQ(a.Frames.size(), 2u);
  EXPECT_EQ(a.Frames[0].Rate, 10u);
  EXPECT_EQ(a.Frames[1].Rate, 20u);
  EXPECT_EQ(a.Title, "Spinner");
  EXPECT_EQ(a.Author, "Vexo");
  EXPECT_EQ(IconImage(a.Frames[1].Icon).pixelColor(3, 3), QColor(Qt::blue));

  TGIFImage g, back;
  g.AssignFromCursor(a);
  ASSERT_EQ(std::tuple(g.Frames.size(), g.Frames.at(1).Delay), std::tuple(size_t(2), 20u * 100 / 6));
  back.LoadFromBytes(g.SaveToBytes());
  EXPECT_EQ(back.Frames.size(), 2u);

  EXPECT_THROW(a.LoadFromBytes(Ani(2, 0)), EIconReadError);  // not flagged as icons
  EXPECT_THROW(a.LoadFromBytes(Ani(0, 1)), EIconReadError);
  std::vector<uint8_t> notAni = Ani(2, 1);
  notAni[8] = 'X';
  EXPECT_FALSE(a.LoadFromBytes(notAni));
}

TEST(VxIcons, AnimatedCursorSurvivesCutsAndMutations) {
  const std::vector<uint8_t> whole = Ani(2, 1);
  TAnimatedCursorImage all;
  ASSERT_TRUE(all.LoadFromBytes(whole));
  // Cut anywhere, the file gives the frames whose icon chunk it still holds whole, with their rates.
  std::vector<size_t> iconEnds;
  for (size_t i = 0; i + 8 <= whole.size(); ++i)
    if (std::memcmp(whole.data() + i, "icon", 4) == 0)
      iconEnds.push_back(i + 8 + (whole[i + 4] | whole[i + 5] << 8 | whole[i + 6] << 16 | size_t(whole[i + 7]) << 24));
  ASSERT_EQ(iconEnds.size(), 2u);
  for (size_t n = 0; n <= whole.size(); ++n) {
    TAnimatedCursorImage a;
    const bool read = a.LoadFromBytes(std::span(whole.data(), n));
    const size_t kept = std::count_if(iconEnds.begin(), iconEnds.end(), [&](size_t end) { return end <= n; });
    EXPECT_EQ(read, n >= 12) << n;
    ASSERT_EQ(a.Frames.size(), kept) << n;
    for (size_t k = 0; k < kept; ++k)
      EXPECT_EQ(std::tie(a.Frames[k].Icon, a.Frames[k].Rate), std::tie(all.Frames[k].Icon, all.Frames[k].Rate)) << n;
  }
  auto tryLoad = [](std::span<const uint8_t> b) {
    TAnimatedCursorImage a;
    try {
      a.LoadFromBytes(b);
      EXPECT_LE(a.Frames.size(), b.size());
    } catch (const EIconReadError&) {
    }
  };
  for (size_t n = 0; n <= whole.size(); ++n) tryLoad(std::span(whole.data(), n));
  std::mt19937 rng(118);
  for (int k = 0; k < 3000; ++k) {
    std::vector<uint8_t> b = whole;
    for (int m = 1 + static_cast<int>(rng() % 4); m > 0; --m) b[rng() % b.size()] = static_cast<uint8_t>(rng());
    tryLoad(b);
  }
}

TEST(VxIcons, IconListStoredForm) {
  TIconList l;
  int changes = 0;
  l.OnChange = [&] { ++changes; };
  l.Add(Icon(Qt::red));
  l.Add(QByteArray());
  l.Put(2, Icon(Qt::green));
  EXPECT_EQ(changes, 3);
  TIconList back;
  back.OnChange = [&] { ++changes; };
  back.Read(l.Write());
  EXPECT_EQ(changes, 4);  // one notice for the whole read
  ASSERT_EQ(back.Count(), 3);
  EXPECT_TRUE(back.Icon(1).isEmpty());
  EXPECT_EQ(back.Icon(2), l.Icon(2));
  QByteArray cut = l.Write();
  cut.chop(5);
  EXPECT_THROW(back.Read(cut), EIconReadError);
  EXPECT_EQ(back.Count(), 3);  // a bad stream leaves the list as it was
  back.Move(0, 2);
  EXPECT_EQ(back.IndexOf(l.Icon(0)), 2);
  back.Exchange(0, 2);
  EXPECT_EQ(std::tuple(back.Icon(0), back.Icon(1), back.Icon(2)), std::tuple(l.Icon(0), l.Icon(2), QByteArray()));

  // An index past either end changes nothing and sends no notice.
  const std::pair<const char*, std::function<void(TIconList&)>> outside[] = {
      {"Delete(1)", [](TIconList& x) { x.Delete(1); }},          {"Delete(-1)", [](TIconList& x) { x.Delete(-1); }},
      {"Exchange(0, 1)", [](TIconList& x) { x.Exchange(0, 1); }}, {"Exchange(1, 0)", [](TIconList& x) { x.Exchange(1, 0); }},
      {"Exchange(-1, 0)", [](TIconList& x) { x.Exchange(-1, 0); }}, {"Put(2)", [](TIconList& x) { x.Put(2, "new"); }},
      {"Put(-1)", [](TIconList& x) { x.Put(-1, "new"); }}};
  for (const auto& [name, op] : outside) {
    TIconList one;
    one.Add(l.Icon(0));
    int notices = 0;
    one.OnChange = [&] { ++notices; };
    EXPECT_NO_THROW(op(one)) << name;
    EXPECT_EQ(std::tuple(one.Count(), one.Icon(0), notices), std::tuple(1, l.Icon(0), 0)) << name;
  }
}

namespace {
// "rcc --binary --no-compress" of a resource file holding r.ico, a 1 x 1 red icon.
const char kRedIconResource[] =
    "qres\000\000\000\003\000\000\000r\000\000\000\030\000\000\000b\000\000\000\000\000\000\000F\000\000\001\000\001"
    "\000\001\001\000\000\001\000 \0000\000\000\000\026\000\000\000(\000\000\000\001\000\000\000\002\000\000\000\001"
    "\000 \000\000\000\000\000\010\000\000\000\000\000\000\000\000\000\000\000\000\000\000\000\000\000\000\000\000"
    "\000\377\377\000\000\000\000\000\005\000uO\237\000r\000.\000i\000c\000o\000\000\000\000\000\002\000\000\000\001"
    "\000\000\000\001\000\000\000\000\000\000\000\000\000\000\000\000\000\000\000\000\000\001\000\000\000\000\000\000"
    "\001\242]\374i7";
}  // namespace

TEST(VxIcons, IconListInsertsFromAResource) {
  TIconList l;
  l.Add(Icon(Qt::green));
  const auto* rcc = reinterpret_cast<const uchar*>(kRedIconResource);
  ASSERT_TRUE(QResource::registerResource(rcc, QStringLiteral("/vexo-test")));
  l.InsertFromResource(0, QStringLiteral(":/vexo-test/r.ico"));
  ASSERT_EQ(l.Count(), 2);
  EXPECT_EQ(IconImage(l.Icon(0)).pixelColor(0, 0), QColor(Qt::red));
  for (const char* bad : {":/vexo-test/none.ico", VEXO_SOURCE_DIR "/CMakeLists.txt"})
    EXPECT_THROW(l.InsertFromResource(0, QString::fromUtf8(bad)), EIconFileError) << bad;
  EXPECT_EQ(l.Count(), 2);
  QResource::unregisterResource(rcc, QStringLiteral("/vexo-test"));
}

// The frames go out as an icon, a reduced strip and an icon list, and come in from a file through
// the checked read, the image cleared when that fails.
TEST(VxIcons, AnimatedCursorAssignedOutAndLoadedFromAFile) {
  TAnimatedCursorImage a;
  ASSERT_TRUE(a.LoadFromBytes(Ani(2, 1)));
  EXPECT_EQ(a.AssignToIcon(), a.Frames[0].Icon);
  const QImage tall = a.FramesToBitmap(Qt::white, true, false);
  EXPECT_EQ(std::tuple(tall.size(), tall.pixelColor(5, 20)), std::tuple(QSize(16, 32), QColor(Qt::blue)));
  QImage strip;
  a.AssignTo(strip, Qt::green);  // side by side
  EXPECT_EQ(std::tuple(strip.size(), strip.pixelColor(20, 5)), std::tuple(QSize(32, 16), QColor(Qt::blue)));
  EXPECT_EQ(strip.colorCount(), 256) << "true-colour frames (0 colours in their directory) keep 256, not 2";
  TIconList list;
  list.Add(QByteArray("old"));
  int changes = 0;
  list.OnChange = [&] { ++changes; };
  a.AssignTo(list);
  EXPECT_EQ(std::tuple(list.Count(), list.Icon(1), changes), std::tuple(2, a.Frames[1].Icon, 1));

  QTemporaryDir dir;
  auto write = [&](const char* name, const std::vector<uint8_t>& b) {
    EXPECT_TRUE(WriteFileChecked(dir.filePath(name), reinterpret_cast<const char*>(b.data()), qint64(b.size())));
    return dir.filePath(name);
  };
  struct Case { QString path; bool throws, read; };
  const Case cases[] = {{write("a.ani", Ani(2, 1)), false, true},
                        {write("b.txt", std::vector<uint8_t>(12, 'x')), false, false},  // no animated cursor
                        {write("c.ani", Ani(2, 0)), true, false},
                        {dir.filePath(QStringLiteral("none.ani")), true, false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.path.toStdString());
    TAnimatedCursorImage b = a;
    bool read = false;
    if (c.throws) EXPECT_ANY_THROW(read = b.LoadFromFile(c.path));
    else read = b.LoadFromFile(c.path);
    EXPECT_EQ(std::tuple(read, b.Frames.size(), b.Title.isEmpty()), std::tuple(c.read, c.throws ? 0u : 2u, c.throws));
  }
}
