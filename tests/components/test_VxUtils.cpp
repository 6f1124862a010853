// Delimited words, substitution, file-name tests and command-line splitting.
#include <gtest/gtest.h>

#include <QFont>
#include <QFontMetrics>

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
