// The notation assistant: staff positions of pitches, pitches of clicked positions, the string
// that takes a clicked pitch, and the staff window's clicks.
#include "editor/Notation.h"

#include <QToolButton>

#include "tests/editor/EditFixture.h"
#include "dialogs/Classiq.h"

TEST(Notation, PitchAndStaffPosition) {
  struct Cas {
    int hauteur, armure, position, alteration;
  } cas[] = {
      {66, 0, 38, ALT_DIESE},   // F#4 with no key: the F line, sharp
      {66, -6, 39, ALT_AUCUNE},  // Gb in Gb major
      {60, 0, 35, ALT_AUCUNE},
      {60, 7, 34, ALT_AUCUNE},  // B# in C# major
      {71, -7, 42, ALT_AUCUNE},  // Cb in Cb major
      {62, 4, 36, ALT_BECARRE},  // D natural in E major
  };
  for (const Cas& c : cas) {
    int p = -1, a = -1;
    HauteurVersPosition(c.hauteur, c.armure, p, a);
    EXPECT_EQ(p, c.position) << c.hauteur << " " << c.armure;
    EXPECT_EQ(a, c.alteration) << c.hauteur << " " << c.armure;
  }
  struct Clic {
    int position, armure, alteration, hauteur;
  } clics[] = {
      {38, 2, ALT_AUCUNE, 66},   // F in D major is F sharp
      {38, 2, ALT_BECARRE, 65},
      {34, -1, ALT_AUCUNE, 58},  // B in F major is B flat
      {35, 0, ALT_DIESE, 61},
      {35, 0, ALT_BEMOL, 59},
  };
  for (const Clic& c : clics)
    EXPECT_EQ(PositionVersHauteur(c.position, c.armure, c.alteration), c.hauteur) << c.position;
}

class NotationTest : public EditTest {};

// The lowest fret among the free strings; nothing below every open string; a second's upper head
// moves right; a dead note is not shown.
TEST_F(NotationTest, StringsAndShownNotes) {
  TTemps& t = B(1);
  int f = -1;
  EXPECT_EQ(CordePourHauteur(Partition, 1, t, 64, f), 1);
  EXPECT_EQ(f, 0);
  t.Notes[1].Frette = 0;
  EXPECT_EQ(CordePourHauteur(Partition, 1, t, 64, f), 2);
  EXPECT_EQ(f, 5);
  EXPECT_EQ(CordePourHauteur(Partition, 1, t, 30, f), 0);
  t.Notes[2].Frette = 6;  // E and F: a second
  t.Notes[3].Frette = FRETTE_MORTE;
  const std::vector<TNotePortee> n = NotesPortee(Partition, 1, t);
  ASSERT_EQ(n.size(), 2u);
  EXPECT_EQ(n[0].Position, 37);
  EXPECT_EQ(n[0].X, 70);
  EXPECT_EQ(n[1].Position, 38);
  EXPECT_EQ(n[1].X, 76);
}

// A click on the staff enters the note on the input slot; a click above or below the staff, or on
// a pitch no string reaches, enters nothing.
TEST_F(NotationTest, ClicksEnterNotesOnTheStaffOnly) {
  TClassForm f;
  f.AfficherNotesTemps();
  Curseur.Temps = 1;
  // The percussion track's keys reach 99: a pitch above the staff would still find a string.
  for (int piste : {1, PISTE_PERCUSSION}) {
    PisteCourante = piste;
    for (int y : {0, 2, 221, 300, -40}) f.Image1Click(y);
    EXPECT_EQ(N(), 0);
  }
  PisteCourante = 1;
  f.Image1Click(YPosition(5));  // below the lowest string
  EXPECT_EQ(N(), 0);
  f.Image1Click(YPosition(37));  // pitch 64: open string 1
  ASSERT_EQ(N(), 1);
  EXPECT_EQ(B(1).Notes[1].Frette, 0);
  f.Image1Click(YPosition(37));  // the note shown there is erased
  EXPECT_EQ(B(1).Notes[1].Frette, FRETTE_AUCUNE);
}
