// The edit cursor and note entry.
#include "tests/editor/EditFixture.h"

#include <QImage>

#include "editor/EditZoneModel.h"
#include "editor/state/RedessinSaisie.h"
#include "editor/ui/ZoneSaisie.h"
#include "platform/Canvas.h"

using CursorTest = EditTest;

TEST(FretEntry, DigitRules) {
  bool p = false;
  EXPECT_EQ(FretteSaisie(1, false, -1, 24, p), 1);
  EXPECT_TRUE(p);
  EXPECT_EQ(FretteSaisie(7, true, 1, 24, p), 17);
  EXPECT_FALSE(p);
  EXPECT_EQ(FretteSaisie(5, true, 2, 24, p), 5);   // 25 is past the last fret
  EXPECT_EQ(FretteSaisie(3, false, -1, 24, p), 3);
  EXPECT_FALSE(p);                                  // 3 cannot start a fret of two digits
  EXPECT_EQ(FretteSaisie(0, false, -1, 24, p), 0);
  EXPECT_FALSE(p);
  EXPECT_EQ(FretteSaisie(9, false, -1, 99, p), 9);
  EXPECT_TRUE(p);
  EXPECT_EQ(FretteSaisie(9, true, 9, 99, p), 99);
  // A pending state over an empty or dead note never builds a negative or huge fret.
  EXPECT_EQ(FretteSaisie(4, true, -1, 24, p), 4);
  EXPECT_EQ(FretteSaisie(4, true, 100, 24, p), 4);
}

TEST_F(CursorTest, TwoDigitFretsOnTheSameNote) {
  SaisirChiffre(1, 0);
  EXPECT_EQ(B(1).Notes[1].Frette, 1);
  EXPECT_EQ(Curseur.RedessinTemps, 1);
  SaisirChiffre(7, 0);
  EXPECT_EQ(B(1).Notes[1].Frette, 17);
  EXPECT_EQ(Curseur.RedessinTemps, 0);
  EXPECT_EQ(N(), 1);

  SaisirChiffre(2, 0);
  SaisirChiffre(5, 0);
  EXPECT_EQ(B(1).Notes[1].Frette, 5);
  SaisirChiffre(2, 0);
  SaisirChiffre(4, 0);
  EXPECT_EQ(B(1).Notes[1].Frette, 24);

  // A cursor move ends the pending digit.
  SaisirChiffre(1, 0);
  CurseurCordeBas();
  CurseurCordeHaut();
  SaisirChiffre(2, 0);
  EXPECT_EQ(B(1).Notes[1].Frette, 2);
}

TEST_F(CursorTest, PendingDigitOverAnEmptyStringIsAPlainFret) {
  Curseur.RedessinTemps = 1;  // left set by another window
  Curseur.Corde = 3;
  SaisirChiffre(5, 0);
  EXPECT_EQ(B(1).Notes[3].Frette, 5);
}

TEST_F(CursorTest, PercussionTakesFretsUpTo99) {
  PisteCourante = PISTE_PERCUSSION;
  SaisirChiffre(9, 0);
  SaisirChiffre(9, 0);
  EXPECT_EQ(B(1).Notes[1].Frette, 99);
  SaisirNoteEtouffee();  // no dead notes on drums
  EXPECT_EQ(B(1).Notes[1].Frette, 99);
}

TEST_F(CursorTest, EntryOnTheInputSlotAddsABeat) {
  Configuration.DefaultDynamic = 3;
  RaccourcirDuree();
  SaisirChiffre(5, 0);
  EXPECT_EQ(N(), 1);
  EXPECT_EQ(B(1).Notes[1].Nuance, 3);
  EXPECT_EQ(B(2).Duree, 240);  // the next slot offers the same value
  B(1).Notes[1].Nuance = 7;
  SaisirChiffre(3, 0);  // an existing note keeps its dynamic
  EXPECT_EQ(B(1).Notes[1].Nuance, 7);
  Curseur.Corde = 2;
  SaisirNoteEtouffee();
  EXPECT_EQ(B(1).Notes[2].Frette, FRETTE_MORTE);

  PleinEcranActif = 1;  // full screen ignores digits
  Curseur.Temps = 2;
  SaisirChiffre(4, 0);
  EXPECT_EQ(N(), 1);
}

TEST_F(CursorTest, RightAndLeft) {
  Fill(64, 4);
  Curseur.Temps = 64;
  CurseurTempsSuivant();
  EXPECT_EQ(Curseur.Temps, 64);

  // Right from the last beat of a complete measure goes on to a new measure.
  Fill(4, 0);
  Curseur.Temps = 4;
  CurseurTempsSuivant();
  EXPECT_EQ(Partition.NbMesures, 2);
  EXPECT_EQ(Partition.MesureCourante, 2);
  EXPECT_EQ(Curseur.Temps, 1);

  // Left on beat 1 goes back to the last used beat of the previous measure.
  CurseurTempsPrecedent();
  EXPECT_EQ(Partition.MesureCourante, 1);
  EXPECT_EQ(Curseur.Temps, 4);

  // An incomplete measure: Right steps onto the input slot.
  Fill(3, 0);
  Curseur.Temps = 3;
  CurseurTempsSuivant();
  EXPECT_EQ(Partition.MesureCourante, 1);
  EXPECT_EQ(Curseur.Temps, 4);
  CurseurTempsSuivant();
  EXPECT_EQ(Curseur.Temps, 4);

  CurseurFinMesure();
  EXPECT_EQ(Curseur.Temps, 3);
  CurseurDebutMesure();
  EXPECT_EQ(Curseur.Temps, 1);
  CurseurTempsPrecedent();  // beat 1 of measure 1
  EXPECT_EQ(Curseur.Temps, 1);
  EXPECT_EQ(Partition.MesureCourante, 1);
}

TEST_F(CursorTest, Clicks) {
  Fill(3, 0);
  const int x0 = Curseur.XSaisie, y0 = Curseur.YSaisie, dx = Curseur.EcartTemps, dy = Curseur.EcartCordes;
  CliquerZoneSaisie(x0 + 2 * dx + 3, y0 + 3 * dy + 2);
  EXPECT_EQ(Curseur.Temps, 2);
  EXPECT_EQ(Curseur.Corde, 4);
  CliquerZoneSaisie(x0 + 20 * dx, y0);  // right of the last beat: the input slot
  EXPECT_EQ(Curseur.Temps, 4);
  CliquerZoneSaisie(x0 + 5, y0 - 9);  // just above string 1, near beat 0
  EXPECT_EQ(Curseur.Temps, 1);
  EXPECT_EQ(Curseur.Corde, 1);

  // Left of the staff: previous measure. Above the staff: only the completion check.
  Fill(4, 0);
  MesureSuivante();
  ASSERT_EQ(Partition.MesureCourante, 2);
  CliquerZoneSaisie(x0 + dx, y0 - 40);
  EXPECT_EQ(Partition.MesureCourante, 2);
  CliquerZoneSaisie(x0 - 5, y0 + dy);
  EXPECT_EQ(Partition.MesureCourante, 1);
  EXPECT_EQ(Curseur.Temps, 4);
  // A click on the input slot of a complete measure goes on to the next.
  CliquerZoneSaisie(x0 + 5 * dx, y0);
  EXPECT_EQ(Partition.MesureCourante, 2);

  Fill(64, 4);
  CliquerZoneSaisie(x0 + 70 * dx, y0);
  EXPECT_EQ(Curseur.Temps, 64);
}

TEST_F(CursorTest, MovingANoteKeepsItsPitch) {
  Append(7);
  Curseur.Temps = 1;
  Curseur.Corde = 2;
  Type(5);
  B(1).Notes[1].Frette = FRETTE_AUCUNE;
  B(1).Notes[2].Effet = 3;
  DeplacerNoteHaut();
  EXPECT_EQ(B(1).Notes[1].Frette, 0);  // B string fret 5 = open E
  EXPECT_EQ(B(1).Notes[1].Effet, 3);
  EXPECT_EQ(B(1).Notes[2].Frette, FRETTE_AUCUNE);
  EXPECT_EQ(Curseur.Corde, 1);

  // String 1 taken: a note on string 2 goes nowhere upwards.
  Curseur.Corde = 2;
  Type(5);
  DeplacerNoteHaut();
  EXPECT_EQ(B(1).Notes[2].Frette, 5);
  EXPECT_EQ(Curseur.Corde, 2);

  // Downwards it skips strings where the fret would pass the last one.
  Curseur.Corde = 1;
  DeplacerNoteBas();  // string 2 is taken; string 3 needs fret 9
  EXPECT_EQ(B(1).Notes[3].Frette, 9);
  EXPECT_EQ(Curseur.Corde, 3);
  B(1).Notes[3].Frette = 22;
  DeplacerNoteBas();  // string 4 would need 27
  EXPECT_EQ(B(1).Notes[3].Frette, 22);
  B(1).Notes[3].Frette = FRETTE_MORTE;
  DeplacerNoteBas();  // dead notes do not move
  EXPECT_EQ(B(1).Notes[3].Frette, FRETTE_MORTE);
}

TEST_F(CursorTest, Erasing) {
  Append(3);
  Curseur.Temps = 1;
  Curseur.Corde = 2;
  Type(5);
  Append(7);
  Curseur.Temps = 1;
  Curseur.Corde = 2;
  EffacerSousCurseur();  // one of two notes: the beat stays
  EXPECT_EQ(N(), 2);
  EXPECT_EQ(B(1).Notes[2].Frette, FRETTE_AUCUNE);
  Curseur.Corde = 1;
  EffacerSousCurseur();  // the only note: the beat goes
  EXPECT_EQ(N(), 1);
  EXPECT_EQ(B(1).Notes[1].Frette, 7);
  EXPECT_EQ(B(2).Notes[1].Frette, FRETTE_AUCUNE);
}

TEST_F(CursorTest, ErasingTakesTheTiedBeatsAlongInOneUndoStep) {
  Fill(4, 1);
  B(2).Lie = 1;
  B(2).Notes[1].Frette = FRETTE_AUCUNE;
  B(3).Lie = 1;
  B(3).Notes[1].Frette = FRETTE_AUCUNE;
  B(4).Notes[1].Frette = 11;
  Curseur.Temps = 1;
  TempsSupprimeLie = B(1).Lie;
  EffacerSousCurseur();
  EXPECT_EQ(N(), 1);
  EXPECT_EQ(B(1).Notes[1].Frette, 11);
  AnnulerModification();
  EXPECT_EQ(N(), 4);
  EXPECT_EQ(B(1).Notes[1].Frette, 3);
  EXPECT_EQ(Curseur.Temps, 1);

  // A tied beat is deleted whole.
  Curseur.Temps = 2;
  TempsSupprimeLie = 1;
  EffacerSousCurseur();
  EXPECT_EQ(N(), 3);
}

TEST_F(CursorTest, CtrlDigitChoosesTheTrack) {
  Append(3);
  Curseur.Corde = 4;
  int menus = 0;
  vue.OnUpdateTrackMenu = [&] { ++menus; };
  SaisirChiffre(3, 4);
  EXPECT_EQ(PisteCourante, 3);
  EXPECT_EQ(Curseur.Temps, 1);
  EXPECT_EQ(Curseur.Corde, 1);
  EXPECT_FALSE(AnnulationPossible);  // the undo copy was track 1's
  EXPECT_FALSE(MesureEditee);
  EXPECT_EQ(MesureOrigine.NbTemps[1], 1);  // the cancel-measure snapshot is the measure as it is now
  EXPECT_EQ(menus, 1);
  EXPECT_EQ(N(3), 0);  // no fret written
  for (int c : {0, 9}) {
    SaisirChiffre(c, 4);
    EXPECT_EQ(PisteCourante, 3) << c;
  }
  EXPECT_EQ(N(3), 0);
}

TEST_F(CursorTest, RightRefusedAtTheLastPossibleMeasureStillShowsTheCursor) {
  QImage image(700, 170, QImage::Format_RGB32);
  image.fill(Qt::white);
  InstallerZoneSaisie(&image);
  struct Detach {
    ~Detach() { RetirerZoneSaisie(); }
  } detach;
  AddMeasures(NB_MESURES_MAX);
  Partition.MesureCourante = NB_MESURES_MAX;
  Fill(4, 0);
  Curseur.Temps = 4;
  RafraichirZoneSaisie();
  const int y = Curseur.YSaisie, x4 = Curseur.XSaisie + 4 * Curseur.EcartTemps, x5 = x4 + Curseur.EcartTemps;
  const QRgb jaune = qRgb(255, 255, 0);
  auto cursorAt = [&](int x) {
    int n = 0;
    for (int dx = -12; dx <= 12; ++dx)
      for (int dy = -6; dy <= 6; ++dy) n += image.pixel(x + dx, y + dy) == jaune;
    return n;
  };
  ASSERT_GT(cursorAt(x4), 0);
  CurseurTempsSuivant();
  EXPECT_EQ(Partition.NbMesures, NB_MESURES_MAX);
  EXPECT_EQ(messages.size(), 1u);
  EXPECT_EQ(Curseur.Temps, 5);
  EXPECT_GT(cursorAt(x5), 0);
  EXPECT_EQ(cursorAt(x4), 0);
}

TEST_F(CursorTest, StringMovesWrapOnTheTracksOwnStrings) {
  for (int cordes : {4, 5, 6}) {
    Partition.NbCordes[1] = cordes;
    Curseur.Corde = 1;
    Curseur.RedessinTemps = 1;
    CurseurCordeHaut();
    EXPECT_EQ(Curseur.Corde, cordes);
    EXPECT_EQ(CordePrecedente, 1);
    EXPECT_EQ(Curseur.RedessinTemps, 0);
    CurseurCordeBas();
    EXPECT_EQ(Curseur.Corde, 1);
  }
}

// A chord chosen for a beat: an empty beat takes the diagram's frets (the input slot becomes a used
// beat), a diagram that plays nothing makes a rest carrying the chord, a beat with notes keeps them.
TEST_F(CursorTest, ChordFillsAnEmptyBeat) {
  struct Cas {
    const char* nom;
    int frettes[7];       // the diagram, string 1 first; -1 not played
    bool surSaisie;       // on the input slot, else on beat 1 of two used beats
    int noteAvant;        // fret already on string 1, -1 none
    uint8_t lie, silence; // the beat's flags before
    bool rempli;
    uint8_t silenceApres, lieApres;
    bool joue;
  } cas[] = {
      {"C on the input slot", {0, 0, 1, 0, 2, 3, -1}, true, -1, 0, 0, true, 0, 0, true},
      {"C on an empty tied rest", {0, 0, 1, 0, 2, 3, -1}, false, -1, 1, 1, true, 0, 0, true},
      {"nothing played", {0, -1, -1, -1, -1, -1, -1}, true, -1, 0, 0, true, 1, 0, false},
      {"nothing played on a tie", {0, -1, -1, -1, -1, -1, -1}, false, -1, 1, 0, true, 0, 1, false},
      {"beat with a note", {0, 0, 1, 0, 2, 3, -1}, false, 5, 0, 0, false, 0, 0, false},
      {"damaged diagram", {0, 120, -7, 2, -1, -1, -1}, true, -1, 0, 0, true, 0, 0, true},
  };
  Configuration.DefaultDynamic = 3;
  MIDIDisponible = 1;
  vue.OnPlayWhileEntering = [] { return true; };
  for (const Cas& c : cas) {
    SCOPED_TRACE(c.nom);
    NouvellePartition();
    int joues = 0;
    vue.OnPlayCurrentBeat = [&] { ++joues; };
    if (c.surSaisie) {
      Curseur.Temps = 1;
    } else {
      Fill(2);
      B(1).Notes[1].Frette = static_cast<int8_t>(c.noteAvant);
      Curseur.Temps = 1;
    }
    TTemps& t = B(1);
    t.Lie = c.lie;
    t.Silence = c.silence;
    t.AvecAccord = 1;
    std::copy(std::begin(c.frettes), std::end(c.frettes), t.Accord.emplace().Frettes);
    const int nAvant = N();
    EXPECT_EQ(RemplirNotesAccord(), c.rempli);
    EXPECT_EQ(N(), c.surSaisie ? 1 : nAvant);
    EXPECT_EQ(t.Silence, c.silenceApres);
    EXPECT_EQ(t.Lie, c.lieApres);
    EXPECT_TRUE(t.AvecAccord);
    EXPECT_EQ(joues, c.joue ? 1 : 0);
    for (int s = 1; s <= 6; ++s) {
      const int f = c.frettes[s] >= 0 && c.frettes[s] < FRETTE_MORTE ? c.frettes[s] : -1;
      if (!c.rempli) {
        EXPECT_EQ(t.Notes[s].Frette, s == 1 ? c.noteAvant : -1) << s;
        continue;
      }
      EXPECT_EQ(t.Notes[s].Frette, f) << s;
      EXPECT_EQ(t.Notes[s].Nuance, 3) << s;
    }
    if (c.surSaisie) {
      EXPECT_EQ(B(2).Notes[1].Frette, -1);  // a new input slot after it
    }
  }
  MIDIDisponible = 0;
}
