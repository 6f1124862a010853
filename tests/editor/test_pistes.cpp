#include <gtest/gtest.h>

#include "song/Song.h"
#include "editor/Pistes.h"
#include "editor/Saisie.h"
#include "editor/state/Partition.h"

TEST(TrackButtons, MenuCaptionIsCutTo45Characters) {
  EXPECT_EQ(CaptionMenuPiste(3, "Lead"), "&3 - Lead");
  const QString nom40(40, 'x');
  EXPECT_EQ(CaptionMenuPiste(8, nom40), "&8 - " + nom40);
  EXPECT_EQ(CaptionMenuPiste(8, nom40 + "yz").size(), 45);
}

TEST(TrackButtons, HasNotesMarkFollowsEveryMeasure) {
  NouvellePartition();
  EXPECT_FALSE(PisteAvecTemps(Partition, 2));
  Partition.Mesures[2] = std::make_unique<TMesure>();
  Partition.NbMesures = 2;
  Partition.Mesures[2]->NbTemps[2] = 1;
  EXPECT_TRUE(PisteAvecTemps(Partition, 2));
  EXPECT_FALSE(PisteAvecTemps(Partition, 3));
  Partition.Mesures[2]->NbTemps[2] = 0;
  EXPECT_FALSE(PisteAvecTemps(Partition, 2));
  EXPECT_FALSE(PisteAvecTemps(Partition, 9));  // out of range: no mark, no read past the arrays
  NouvellePartition();
}

TEST(TrackButtons, UpAndDownStopAtTheEnds) {
  EXPECT_EQ(PisteVoisine(8, +1, 8), 0);
  EXPECT_EQ(PisteVoisine(1, -1, 8), 0);
  EXPECT_EQ(PisteVoisine(7, +1, 8), 8);
  EXPECT_EQ(PisteVoisine(2, -1, 8), 1);
}
