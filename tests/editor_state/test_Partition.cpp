// Song-wide checks of the editing state.
#include <functional>

#include "editor/state/VueEditeur.h"
#include "settings/Langue.h"
#include "tests/editor_state/SongFixture.h"

namespace {

class VueBatterie : public TVueEditeur {
 public:
  int montree = -1;  // the drum assistant: -1 never asked, else shown or hidden
  VueBatterie() { DefinirVueEditeur(this); }
  ~VueBatterie() override { DefinirVueEditeur(nullptr); }
  void ShowDrumAssistant(bool v) override { montree = v; }
};

using SongCheckTest = SongTest;

// Lays n beats of the duration code on a track of a measure.
void Temps(int piste, int mesure, int n, int code, bool triolet = false) {
  TMesure& m = *Partition.Mesures[mesure];
  for (int b = 1; b <= n; ++b) {
    TTemps& t = m.Temps[piste][b];
    TempsNoireVide(t);
    t.CodeDuree = static_cast<int8_t>(code);
    t.Triolet = triolet;
    t.PlaceTriolet = static_cast<int8_t>(triolet ? (b - 1) % 3 + 1 : 0);
    t.Duree = TicksDuree(code, false, triolet);
    t.Notes[1].Frette = 3;
  }
  m.NbTemps[piste] = n;
}

// The first measure whose filled length is not its length is reported, in track order, whether it
// is short or too long; a track without any beat is not checked.
TEST_F(SongCheckTest, DurationCheckReportsTheFirstWrongMeasure) {
  DefinirTexteLangue("AssCD-DureeInvalide", "measure #1, track #2");
  struct Cas {
    const char* nom;
    std::function<void()> remplir;
    int mesure, piste;  // the measure reported, 0 when none
  } const cas[] = {
      {"track 2 full, then empty", [] { Temps(2, 1, 4, 0); }, 2, 2},
      {"five quarters in 4/4", [] { Temps(3, 1, 5, 0), Temps(3, 2, 4, 0); }, 1, 3},
      {"a drum measure a quarter short", [] { Temps(8, 1, 4, 0), Temps(8, 2, 3, 0); }, 2, 8},
      {"twelve triplet eighths", [] { Temps(1, 1, 4, 0), Temps(1, 2, 12, 1, true); }, 0, 0},
  };
  for (const Cas& c : cas) {
    SCOPED_TRACE(c.nom);
    NouvellePartition();
    AddMeasures(2);
    c.remplir();
    VueBatterie vue;
    ActiverAnnulation(true);
    messages.clear();
    EXPECT_EQ(VerifierDureesMesures(), c.mesure == 0);
    ASSERT_EQ(messages.size(), 1u);
    if (c.mesure == 0) {
      EXPECT_EQ(messages[0].Icone, MB_ICONE_INFORMATION);
      EXPECT_EQ(vue.montree, -1);
      continue;
    }
    EXPECT_EQ(messages[0].Texte, QStringLiteral("measure %1, track %2").arg(c.mesure).arg(c.piste));
    EXPECT_EQ(messages[0].Icone, MB_ICONE_ATTENTION);
    EXPECT_EQ(PisteCourante, c.piste);
    EXPECT_EQ(Partition.MesureCourante, c.mesure);
    EXPECT_EQ(vue.montree, c.piste == PISTE_PERCUSSION);
    EXPECT_FALSE(AnnulationPossible);
  }
  EXPECT_TRUE(VerifierAvantLecture());
}

}  // namespace
