#include <gtest/gtest.h>

#include "tests/editor_state/SongFixture.h"
#include "editor/state/Proprietes.h"
#include "files/FichierSqt.h"

namespace {

class Proprietes : public SongTest {
 protected:
  static void Piste(int piste, int nb) {
    Partition.NbCordes[piste] = nb;
    for (int s = 1; s <= nb; ++s) Partition.Accordage[piste][s] = 40 + 5 * (nb - s);
  }
  // Appends a beat to the track in measure m, with frets on the given strings.
  static TTemps& Temps(int piste, int m, std::initializer_list<std::pair<int, int>> notes) {
    AddMeasures(m);
    TMesure& mes = *Partition.Mesures[m];
    TTemps& t = mes.Temps[piste][++mes.NbTemps[piste]];
    ViderTemps(t);
    for (auto [corde, frette] : notes) t.Notes[corde].Frette = static_cast<int8_t>(frette);
    return t;
  }
};

TEST_F(Proprietes, StringCountChangesMoveNotesFromTheLowestString) {
  struct Cas {
    int ancien, nouveau;
    int corde;        // the note's string before
    int attendue;     // its string after
  } cas[] = {
      {4, 6, 1, 3}, {4, 6, 4, 6}, {6, 5, 6, 5}, {6, 5, 2, 1}, {6, 4, 3, 1}, {5, 6, 1, 2}, {4, 5, 2, 3},
  };
  for (const Cas& c : cas) {
    SCOPED_TRACE(testing::Message() << c.ancien << "->" << c.nouveau << " string " << c.corde);
    NouvellePartition();
    Piste(2, c.ancien);
    TTemps& t = Temps(2, 1, {{c.corde, 7}});
    t.Notes[c.corde].Effet = 3;
    t.Notes[c.corde].FretteGrace = 5;
    ProprietesTempo = {};
    CopierVersProprietes(Partition, ProprietesTempo);
    ProprietesTempo.NbCordes[2] = c.nouveau;
    ASSERT_TRUE(AppliquerProprietes(ProprietesTempo, Partition));
    const TTemps& apres = Partition.Mesures[1]->Temps[2][1];
    EXPECT_EQ(Partition.NbCordes[2], c.nouveau);
    for (int s = 1; s <= NB_CORDES_MAX; ++s) {
      const TNote& n = apres.Notes[s];
      if (s == c.attendue) {
        EXPECT_EQ(n.Frette, 7);
        EXPECT_EQ(n.Effet, 3);
        EXPECT_EQ(n.FretteGrace, 5);
      } else {
        // Added strings and the slots a shrink leaves behind hold nothing.
        EXPECT_EQ(n.Frette, FRETTE_AUCUNE) << s;
        EXPECT_EQ(n.FretteGrace, FRETTE_AUCUNE) << s;
        EXPECT_EQ(n.Nuance, 6) << s;
      }
    }
  }
}

TEST_F(Proprietes, RemovedStringsMustBeEmpty) {
  struct Cas {
    int nouveau;
    int corde, frette, grace;
    int attendue;  // first measure refused, 0 = accepted
  } cas[] = {
      {5, 1, 0, FRETTE_AUCUNE, 3},             // an open string counts
      {5, 1, FRETTE_MORTE, FRETTE_AUCUNE, 3},  // a dead note counts
      {5, 1, FRETTE_AUCUNE, 2, 3},             // a grace note alone counts
      {5, 2, 4, FRETTE_AUCUNE, 0},             // string 2 stays
      {4, 2, 4, FRETTE_AUCUNE, 3},
      {6, 1, 4, FRETTE_AUCUNE, 0},             // nothing removed
  };
  for (const Cas& c : cas) {
    SCOPED_TRACE(testing::Message() << "to " << c.nouveau << " string " << c.corde);
    NouvellePartition();
    Piste(1, 6);
    Temps(1, 2, {{6, 3}});
    Temps(1, 3, {{3, 1}});
    TTemps& t = Temps(1, 3, {});
    t.Notes[c.corde].Frette = static_cast<int8_t>(c.frette);
    t.Notes[c.corde].FretteGrace = static_cast<int8_t>(c.grace);
    EXPECT_EQ(MesureCordeRetiree(Partition, 1, c.nouveau), c.attendue);

    // A refused apply leaves the song bit-identical.
    ProprietesTempo = {};
    CopierVersProprietes(Partition, ProprietesTempo);
    ProprietesTempo.NbCordes[1] = c.nouveau;
    ProprietesTempo.Titre = "changed";
    const QByteArray avant = OctetsPartition();
    int piste = 0, mesure = 0;
    const bool ok = AppliquerProprietes(ProprietesTempo, Partition, &piste, &mesure);
    EXPECT_EQ(ok, c.attendue == 0);
    if (!ok) {
      EXPECT_EQ(piste, 1);
      EXPECT_EQ(mesure, c.attendue);
      EXPECT_EQ(OctetsPartition(), avant);
    }
  }
}

TEST_F(Proprietes, CopyRoundTripKeepsTheSongBytes) {
  Partition.Titre = std::string("Caf\xE9 \x81 \x9D", 8);  // bytes no codec round trip would keep
  Partition.NomPiste[3] = std::string(40, 'n');
  Partition.Accordage[1][6] = 40;
  Partition.Volume[4] = 100;  // not a slider step
  Piste(5, 4);
  Partition.Accordage[5][5] = 77;  // a slot beyond the count
  Temps(1, 2, {{1, 5}, {6, 0}});
  const QByteArray avant = OctetsPartition();
  ProprietesTempo = {};
  CopierVersProprietes(Partition, ProprietesTempo);
  ASSERT_TRUE(AppliquerProprietes(ProprietesTempo, Partition));
  EXPECT_EQ(OctetsPartition(), avant);
}

TEST_F(Proprietes, ApplyInTheEditorMovesTheUndoCopyAndRetakesTheSnapshot) {
  Piste(1, 6);
  Temps(1, 1, {{1, 2}, {6, 3}});
  MesureOrigine = *Partition.Courante();
  MesureAnnuler = *Partition.Courante();
  PisteCourante = 1;
  Curseur.Temps = 2;
  Curseur.Corde = 4;
  Modifie = 0;
  ProprietesTempo = {};
  CopierVersProprietes(Partition, ProprietesTempo);
  // Going down is refused while string 1 is used; going up moves everything.
  ProprietesTempo.NbCordes[1] = 5;
  EXPECT_FALSE(AppliquerProprietesEdition(ProprietesTempo, 3));
  EXPECT_EQ(PisteCourante, 1);
  EXPECT_EQ(Modifie, 0);

  Piste(1, 4);
  ProprietesTempo.NbCordes[1] = 6;
  Partition.Courante()->Temps[1][1].Notes[5].Frette = FRETTE_AUCUNE;
  Partition.Courante()->Temps[1][1].Notes[6].Frette = FRETTE_AUCUNE;
  Partition.Courante()->Temps[1][1].Notes[4].Frette = 3;
  MesureAnnuler = *Partition.Courante();
  ActiverAnnulerMesure(true);
  ASSERT_TRUE(AppliquerProprietesEdition(ProprietesTempo, 3));
  EXPECT_FALSE(MesureEditee);
  EXPECT_EQ(Partition.Courante()->Temps[1][1].Notes[3].Frette, 2);
  EXPECT_EQ(Partition.Courante()->Temps[1][1].Notes[6].Frette, 3);
  // Cancel-measure and undo now put the notes back on the same strings as the song.
  EXPECT_EQ(MesureOrigine.Temps[1][1].Notes[3].Frette, 2);
  EXPECT_EQ(MesureOrigine.Temps[1][1].Notes[1].Frette, FRETTE_AUCUNE);
  EXPECT_EQ(MesureAnnuler.Temps[1][1].Notes[6].Frette, 3);
  EXPECT_EQ(MesureAnnuler.Temps[1][1].Notes[1].Frette, FRETTE_AUCUNE);
  EXPECT_EQ(PisteCourante, 3);
  EXPECT_EQ(Curseur.Temps, 1);
  EXPECT_EQ(Curseur.Corde, 1);
  EXPECT_EQ(Modifie, 1);
  EXPECT_EQ(Vierge, 0);
  PisteCourante = 1;
}

}  // namespace
