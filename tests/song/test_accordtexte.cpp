// Text form of the chord library entries.
#include <gtest/gtest.h>

#include "song/AccordTexte.h"

namespace {
TAccord AccordDeuxBarres() {
  TAccord a;
  a.Diese = 0;
  a.Add = 1;
  a.Degres[3] = 0;
  a.Fondamentale = 9;
  a.Typ = 5;
  a.NeufOnzeTreize = 1;
  a.DimAug = 2;
  a.Quinte = 1;
  a.Neuf = 0;
  a.Onze = 2;
  a.FretteBase = 5;
  a.Basse = -1;
  int f[7] = {0, 5, 5, 5, 7, 7, -1};
  for (int c = 1; c <= 6; ++c) a.Frettes[c] = f[c];
  a.NbBarres = 2;
  a.FretteBarre[1] = 5, a.CordeDebutBarre[1] = 1, a.CordeFinBarre[1] = 5;
  a.FretteBarre[2] = 7, a.CordeDebutBarre[2] = 4, a.CordeFinBarre[2] = 5;
  a.Nom = "Am7add9";
  return a;
}
}  // namespace

TEST(AccordTexte, DefaultChordLayout) {
  TAccord a;
  EXPECT_EQ(EncoderAccord(a), "ONOOOOOOOMAAAAAAB" "A" "B" "AAAAAA");
  a.Nom = "G";
  a.Frettes[1] = 3;
  EXPECT_EQ(EncoderAccord(a), "ONOOOOOOOMAAAAAAB" "A" "B" "EAAAAA" "G");
}

TEST(AccordTexte, RoundTripsWithZeroOneAndTwoBarres) {
  TAccord a = AccordDeuxBarres();
  QString t = EncoderAccord(a);
  EXPECT_EQ(t.mid(31), "Am7add9");  // two barres: the name starts at 25 + 6
  TAccord b;
  ASSERT_TRUE(DecoderAccord(t, b));
  EXPECT_EQ(b, a);

  a.NbBarres = 1;
  a.FretteBarre[2] = a.CordeDebutBarre[2] = a.CordeFinBarre[2] = 0;
  t = EncoderAccord(a);
  EXPECT_EQ(t.mid(28), "Am7add9");  // 1-based position 29
  ASSERT_TRUE(DecoderAccord(t, b));
  EXPECT_EQ(b, a);

  a.NbBarres = 0;
  a.FretteBarre[1] = a.CordeDebutBarre[1] = a.CordeFinBarre[1] = 0;
  a.Nom = std::string("F\xE9te", 4);  // Windows-1252 bytes of the name survive
  t = EncoderAccord(a);
  EXPECT_EQ(t.mid(25), QString::fromUtf8("Féte"));
  ASSERT_TRUE(DecoderAccord(t, b));
  EXPECT_EQ(b, a);
}

TEST(AccordTexte, FlagsAndNameLimits) {
  TAccord b;
  // Only "O" is true; the name is cut to 20 characters.
  ASSERT_TRUE(DecoderAccord("oNNNNNNNNAAAAAAABAB" "AAAAAA" + QString(30, 'n'), b));
  EXPECT_EQ(b.Diese, 0);
  EXPECT_EQ(b.Degres[1], 0);
  EXPECT_EQ(b.Nom.length(), 20);
  ASSERT_TRUE(DecoderAccord("ONOOOOOOOMAAAAAAB" "A" "B" "AAAAAA", b));
  EXPECT_TRUE(b.Nom.empty());
}

TEST(AccordTexte, DamagedEntriesAreRefused) {
  const QString bon = EncoderAccord(AccordDeuxBarres());
  TAccord b = AccordDeuxBarres();
  b.Nom = "keep";
  const TAccord avant = b;
  EXPECT_FALSE(DecoderAccord(bon.left(24), b));  // shorter than the fixed fields
  EXPECT_FALSE(DecoderAccord(bon.left(28), b));  // two barres announced, one present
  EXPECT_FALSE(DecoderAccord("", b));
  QString t = bon;
  t[9] = 'N';  // root 13
  EXPECT_FALSE(DecoderAccord(t, b));
  t = bon;
  t[17] = 'D';  // three barres
  EXPECT_FALSE(DecoderAccord(t, b));
  t = bon;
  t[16] = 'A';  // first fret 0
  EXPECT_FALSE(DecoderAccord(t, b));
  t = bon;
  t[19] = '@';  // fret -2
  EXPECT_FALSE(DecoderAccord(t, b));
  t = bon;
  t[26] = 'H';  // barre from string 7
  EXPECT_FALSE(DecoderAccord(t, b));
  t = bon;
  t[18] = 'N';  // bass 12
  EXPECT_FALSE(DecoderAccord(t, b));
  EXPECT_EQ(b, avant);  // a refused entry leaves the record alone
}
