#include <gtest/gtest.h>

#include <iterator>
#include <sstream>

#include "midi/OrdreLecture.h"
#include "midi_outils.h"

using namespace midi_test;

namespace {
std::vector<int32_t> Ordre() { return {OrdreLecture.begin() + 1, OrdreLecture.begin() + 1 + NbOrdreLecture}; }

// One word a measure: "o" repeat-open, a digit a repeat-close jumping back that many times,
// "a" "b" "c" alternate ending 1 2 3, "." nothing.
void Marques(const char* marques) {
  std::istringstream in(marques);
  std::vector<std::string> mots{std::istream_iterator<std::string>(in), {}};
  NouveauMorceau(static_cast<int>(mots.size()));
  for (size_t k = 0; k < mots.size(); ++k)
    for (char x : mots[k]) {
      TMesure& m = *Partition.Mesures[k + 1];
      m.RenvoiDebut |= x == 'o';
      if (x >= '1' && x <= '9') m.RenvoiFin = 1, m.NbRenvois = static_cast<uint8_t>(x - '0');
      if (x >= 'a' && x <= 'c') m.Repetition = 1, m.NumRepetition = static_cast<uint8_t>(x - 'a' + 1);
    }
}

// Repeat-open on 1, repeat-close and first ending on 3, second ending on 4.
void ReprisesAvecFins() {
  NouveauMorceau(6);
  Partition.Mesures[1]->RenvoiDebut = 1;
  Partition.Mesures[3]->RenvoiFin = 1;
  Partition.Mesures[3]->Repetition = 1;
  Partition.Mesures[3]->NumRepetition = 1;
  Partition.Mesures[4]->Repetition = 1;
  Partition.Mesures[4]->NumRepetition = 2;
}
}  // namespace

TEST(OrdreLecture, AlternateEndingsAndRepeatCounts) {
  ReprisesAvecFins();
  ASSERT_TRUE(CalculeOrdreLecture(1, 6, true));
  EXPECT_EQ(Ordre(), (std::vector<int32_t>{1, 2, 3, 1, 2, 4, 5, 6}));
  CalculeOrdreLecture(1, 6, false);
  EXPECT_EQ(Ordre(), (std::vector<int32_t>{1, 2, 3, 4, 5, 6}));

  NouveauMorceau(5);
  Partition.Mesures[1]->RenvoiDebut = 1;
  Partition.Mesures[4]->RenvoiFin = 1;
  Partition.Mesures[4]->NbRenvois = 2;
  CalculeOrdreLecture(1, 5, true);
  EXPECT_EQ(Ordre(), (std::vector<int32_t>{1, 2, 3, 4, 1, 2, 3, 4, 1, 2, 3, 4, 5}));
}

TEST(OrdreLecture, CutToTheRange) {
  ReprisesAvecFins();
  CalculeOrdreLecture(2, 6, true);  // from the first occurrence of 2
  EXPECT_EQ(Ordre(), (std::vector<int32_t>{2, 3, 1, 2, 4, 5, 6}));
  CalculeOrdreLecture(1, 2, true);  // ends before the first entry past 2
  EXPECT_EQ(Ordre(), (std::vector<int32_t>{1, 2}));
  CalculeOrdreLecture(4, 4, true);
  EXPECT_EQ(Ordre(), (std::vector<int32_t>{4}));
  EXPECT_FALSE(CalculeOrdreLecture(7, 9, true));  // not in the song
  EXPECT_EQ(NbOrdreLecture, 0);
}

TEST(OrdreLecture, LongSongsPlayWholeUpToTheFileBound) {
  NouveauMorceau(1000);
  ASSERT_TRUE(CalculeOrdreLecture(600, 1000, true));
  EXPECT_EQ(NbOrdreLecture, 401);
  EXPECT_EQ(OrdreLecture[1], 600);
  EXPECT_EQ(OrdreLecture[401], 1000);
  EXPECT_FALSE(OrdreLectureTronque);

  CalculeOrdreLecture(1, 1000, true);
  EXPECT_EQ(NbOrdreLecture, 1000);
  EXPECT_EQ(OrdreLecture[1000], 1000);
  EXPECT_FALSE(OrdreLectureTronque);

  // 10 measures repeated 99 times: the range starts in the last measures after the repeats.
  NouveauMorceau(20);
  Partition.Mesures[1]->RenvoiDebut = 1;
  Partition.Mesures[10]->RenvoiFin = 1;
  Partition.Mesures[10]->NbRenvois = 99;
  ASSERT_TRUE(CalculeOrdreLecture(15, 20, true));
  EXPECT_EQ(Ordre(), (std::vector<int32_t>{15, 16, 17, 18, 19, 20}));

  // 1000 measures repeated 99 times pass the bound of one file, which says where it stops;
  // measures of 32/1 reach the tick bound first.
  NouveauMorceau(1000);
  Partition.Mesures[1]->RenvoiDebut = Partition.Mesures[1000]->RenvoiFin = 1;
  Partition.Mesures[1000]->NbRenvois = 99;
  for (double duree : {4.0, 128.0}) {
    for (int m = 1; m <= 1000; ++m) Partition.Mesures[m]->Duree = duree;
    CalculeOrdreLecture(1, 1000, true);
    EXPECT_EQ(NbOrdreLecture, std::min<int64_t>(NB_ORDRE_LECTURE_MAX, NB_TICKS_ORDRE_MAX / int64_t(duree * 480)));
    EXPECT_TRUE(OrdreLectureTronque);
    EXPECT_EQ(MesureOmise, NbOrdreLecture % 1000 + 1);
  }
}

TEST(OrdreLecture, RepeatMarksUnrollToAnEnd) {
  const struct {
    const char* marques;
    std::vector<int32_t> ordre;
  } cas[] = {
      {"o 1 . 1 .", {1, 2, 1, 2, 3, 4, 3, 4, 5}},  // a close without its own open
      {"o 3 . 1 .", {1, 2, 1, 2, 1, 2, 1, 2, 3, 4, 3, 4, 5}},
      {". 2 .", {1, 2, 1, 2, 1, 2, 3}},
      // A close after the endings, outside any ending, repeats from the bar after the last close.
      {"o a 1 1 .", {1, 2, 3, 1, 4, 4, 5}},
      // Endings after a plain repeat go back to the bar after it.
      {"o 1 a1 b .", {1, 2, 1, 2, 3, 4, 5}},
      {"o . a1 b1 c .", {1, 2, 3, 1, 2, 4, 1, 2, 5, 6}},
      // A later group of endings counts its own afresh; without a repeat-open of its own it goes
      // back to the bar after the group before.
      {". a1 b . . a1 b .", {1, 2, 1, 3, 4, 5, 6, 4, 5, 7, 8}},
      {"o a1 b . . a1 b .", {1, 2, 1, 3, 4, 5, 6, 4, 5, 7, 8}},
      {". a1 b o a1 b", {1, 2, 1, 3, 4, 5, 4, 6}},
      {". a1 b . a1 b . a1 b .", {1, 2, 1, 3, 4, 5, 4, 6, 7, 8, 7, 9, 10}},
      {". a1 b . a1 b1 c .", {1, 2, 1, 3, 4, 5, 4, 6, 4, 7, 8}},
      // A repeat-open after the last ending counts its own repeat; without one, the close after
      // that ending is its own, and the next pass plays none of the endings.
      {". a1 b o 1 .", {1, 2, 1, 3, 4, 5, 4, 5, 6}},
      {". a1 b . 1 .", {1, 2, 1, 3, 4, 5, 1, 6}},
      {"o4", {1, 1, 1, 1, 1}},  // a one-bar song played whole
      // A group of endings owns its count: a later group starts afresh, after a group that went
      // back to bar 1, after a plain repeat passed on, and after a last ending with its own close.
      {". a1 o a1 b .", {1, 2, 1, 3, 4, 3, 5, 6}},
      {". . a1 o . a1 b .", {1, 2, 3, 1, 2, 4, 5, 6, 4, 5, 7, 8}},
      {"a1 o a . .", {1, 2, 3, 4, 5}},
      {"o a1 . 1 . a1 b .", {1, 2, 1, 3, 4, 3, 4, 5, 6, 5, 7, 8}},
      {"o . a1 . 1 . a1 b .", {1, 2, 3, 1, 2, 4, 5, 4, 5, 6, 7, 6, 8, 9}},
      {". a1 b1 . a1 b .", {1, 2, 1, 3, 1, 4, 5, 4, 6, 7}},
      {". a1 b 1 . a1 b .", {1, 2, 1, 3, 4, 1, 5, 6, 5, 7, 8}},
  };
  for (const auto& c : cas) {
    Marques(c.marques);
    CalculeOrdreLecture(1, Partition.NbMesures, true);
    EXPECT_EQ(Ordre(), c.ordre) << c.marques;
    EXPECT_FALSE(OrdreLectureTronque) << c.marques;
  }
  CalculeOrdreLecture(1, 1, true, true);  // the command that plays the current measure
  EXPECT_EQ(Ordre(), (std::vector<int32_t>{1}));
}

namespace {
// Endings written the usual way: an ending runs from its mark to the next repeat-close when that
// comes before the next ending mark or repeat-open, else it is its own bar alone; endings that
// adjoin form a group, numbered 1, 2, ... in order, each but the last closed once.
bool EndingsAsUsual(int nb) {
  auto fin = [](int c) { return Partition.Mesures[c]->Repetition && !Partition.Mesures[c]->RenvoiDebut; };
  int attendu = 0, boutPrecedent = -1;  // the number the next adjoining ending must have
  bool fermeUneFois = false;
  for (int c = 1; c <= nb; ++c) {
    if (!fin(c)) continue;
    int bout = c;
    for (int k = c; k <= nb && (k == c || (!fin(k) && !Partition.Mesures[k]->RenvoiDebut)); ++k)
      if (Partition.Mesures[k]->RenvoiFin) {
        bout = k;
        break;
      }
    if (c == boutPrecedent + 1) {
      if (!fermeUneFois) return false;
    } else {
      attendu = 1;
    }
    if (Partition.Mesures[c]->NumRepetition != attendu++) return false;
    const TMesure& dernier = *Partition.Mesures[bout];
    fermeUneFois = dernier.RenvoiFin && dernier.NbRenvois == 1;
    boutPrecedent = bout;
    c = bout;
  }
  return true;
}

std::string Ecrit(int nb) {
  std::string s;
  for (int c = 1; c <= nb; ++c) {
    const TMesure& m = *Partition.Mesures[c];
    s += m.RenvoiDebut ? "o" : "";
    if (m.Repetition) s += static_cast<char>('a' + m.NumRepetition - 1);
    if (m.RenvoiFin) s += static_cast<char>('0' + m.NbRenvois);
    if (!m.RenvoiDebut && !m.Repetition && !m.RenvoiFin) s += ".";
    s += c < nb ? " " : "";
  }
  return s;
}
}  // namespace

// Every song of up to 5 bars built from the marks a bar can hold: its walk ends well before the
// bound, and where the endings are written the usual way, every bar sounds. A bar holds a
// repeat-close (none, x1, x2, x3) and a repeat-open or an ending (1, 2, 3), or in songs of up to 4
// bars both, where the open wins: the song walks as the one without that ending mark.
TEST(OrdreLecture, EverySongOfFiveBarsEndsAndSoundsEveryBar) {
  long usuels = 0, muets = 0;
  std::string exemple;
  for (int nb = 1; nb <= 5; ++nb) {
    NouveauMorceau(nb);
    const int debuts = nb <= 4 ? 8 : 5;  // none, open, ending 1 2 3, open with ending 1 2 3
    const int marques = 4 * debuts;
    long total = 1;
    for (int c = 0; c < nb; ++c) total *= marques;
    for (long code = 0; code < total; ++code) {
      long x = code;
      bool lesDeux = false;
      for (int c = 1; c <= nb; ++c, x /= marques) {
        TMesure& m = *Partition.Mesures[c];
        const int fermeture = static_cast<int>(x % 4), debut = static_cast<int>(x % marques / 4);
        m.RenvoiFin = fermeture != 0;
        m.NbRenvois = static_cast<uint8_t>(std::max(1, fermeture));
        m.RenvoiDebut = debut == 1 || debut >= 5;
        m.Repetition = debut >= 2;
        m.NumRepetition = static_cast<uint8_t>(debut >= 5 ? debut - 4 : std::max(1, debut - 1));
        lesDeux |= debut >= 5;
      }
      int32_t interrompue = 0;
      const std::vector<int32_t> ordre = CalculerOrdreMesures(Partition, 1, nb, true, false, &interrompue);
      ASSERT_EQ(interrompue, 0) << Ecrit(nb);
      if (lesDeux) {
        const std::string ecrit = Ecrit(nb);
        for (int c = 1; c <= nb; ++c)
          if (Partition.Mesures[c]->RenvoiDebut) Partition.Mesures[c]->Repetition = 0;
        ASSERT_EQ(CalculerOrdreMesures(Partition, 1, nb, true), ordre) << ecrit;
        continue;
      }
      if (!EndingsAsUsual(nb)) continue;
      ++usuels;
      unsigned joues = 0;
      for (int32_t c : ordre) joues |= 1u << c;
      if (joues != ((1u << (nb + 1)) - 2)) {
        if (!muets++) exemple = Ecrit(nb);
      }
    }
  }
  EXPECT_EQ(muets, 0) << "of " << usuels << ", e.g. " << exemple;
}
