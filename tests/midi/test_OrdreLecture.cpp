#include <gtest/gtest.h>

#include "midi/OrdreLecture.h"
#include "midi_outils.h"

using namespace midi_test;

namespace {
std::vector<int32_t> Ordre() { return std::vector<int32_t>(OrdreLecture + 1, OrdreLecture + 1 + NbOrdreLecture); }

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

TEST(OrdreLecture, LongSongsPlayFromFarInAndAreCappedAt500) {
  NouveauMorceau(1000);
  ASSERT_TRUE(CalculeOrdreLecture(600, 1000, true));
  EXPECT_EQ(NbOrdreLecture, 401);
  EXPECT_EQ(OrdreLecture[1], 600);
  EXPECT_EQ(OrdreLecture[401], 1000);
  EXPECT_FALSE(OrdreLectureTronque);

  CalculeOrdreLecture(1, 1000, true);
  EXPECT_EQ(NbOrdreLecture, 500);
  EXPECT_EQ(OrdreLecture[500], 500);
  EXPECT_TRUE(OrdreLectureTronque);

  // 10 measures repeated 99 times: the range starts in the last measures after the repeats.
  NouveauMorceau(20);
  Partition.Mesures[1]->RenvoiDebut = 1;
  Partition.Mesures[10]->RenvoiFin = 1;
  Partition.Mesures[10]->NbRenvois = 99;
  ASSERT_TRUE(CalculeOrdreLecture(15, 20, true));
  EXPECT_EQ(Ordre(), (std::vector<int32_t>{15, 16, 17, 18, 19, 20}));
}

TEST(OrdreLecture, EndlessRepeatMarksStop) {
  // A second repeat-close after a skipped ending jumps back forever.
  NouveauMorceau(4);
  Partition.Mesures[1]->RenvoiDebut = 1;
  Partition.Mesures[2]->Repetition = 1;
  Partition.Mesures[3]->RenvoiFin = 1;
  Partition.Mesures[4]->RenvoiFin = 1;
  ASSERT_TRUE(CalculeOrdreLecture(1, 4, true));
  EXPECT_EQ(NbOrdreLecture, 500);
  EXPECT_TRUE(OrdreLectureTronque);
}
