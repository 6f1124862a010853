// The drum assistant writes the chosen key into the beat under the cursor.
#include "dialogs/Assistant_Bat.h"

#include <QListWidget>

#include "tests/editor/EditFixture.h"

class AssistantBatTest : public EditTest {};

// A double click on the input slot appends a beat holding the key on the cursor string; nothing is
// written while the playback layout shows.
TEST_F(AssistantBatTest, DoubleClickWritesTheKey) {
  TAssistant_Bat_Form f;
  ASSERT_EQ(f.Liste->count(), 61);
  EXPECT_EQ(f.Liste->item(0)->text(), QStringLiteral("27 - High Q"));
  EXPECT_EQ(f.Liste->item(58)->text(), QStringLiteral("85 - Castinets"));
  PisteCourante = PISTE_PERCUSSION;
  Curseur.Temps = 1;
  Curseur.Corde = 3;
  f.Liste->setCurrentRow(38 - 27);
  PleinEcranActif = 1;
  f.ListeDblClick();
  EXPECT_EQ(N(), 0);
  PleinEcranActif = 0;
  f.ListeDblClick();
  ASSERT_EQ(N(), 1);
  EXPECT_EQ(B(1).Notes[3].Frette, 38);
  EXPECT_FALSE(B(1).Silence);
  PisteCourante = 1;
}
