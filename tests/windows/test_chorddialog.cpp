// The chord dialog on a beat of its own: opening, choosing, drawing, the lists and OK.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>
#include <QScrollBar>

#include "chords/ui/Sais_ac.h"
#include "editor/state/EtatProgramme.h"
#include "settings/Config.h"
#include "settings/Mess.h"
#include "song/ListesAccords.h"
#include "song/Song.h"

namespace {

constexpr int32_t kStandard[7] = {0, 64, 59, 55, 50, 45, 40};

class ChordDialog : public ::testing::Test {
 protected:
  TTemps temps;
  std::vector<TDemandeMessage> messages;
  int reponse = ID_OUI;
  TCONFIG avant = Configuration;

  void SetUp() override {
    InstallerReponseMessage([this](const TDemandeMessage& d) {
      messages.push_back(d);
      return reponse;
    });
    ViderListeAccords(AccordsLibrairie, NbAccordsLibrairie);
    ViderListeAccords(AccordsImprimer, NbAccordsImprimer);
    ViderListeAccords(AccordsDejaUtilises, NbAccordsDejaUtilises);
    Configuration.AddDiag = true;
    Configuration.AlwaysAddBass = false;
    Configuration.DiagSimpleMoyenTout = 1;
    InitDiagrammeAccord();
  }
  void TearDown() override {
    InstallerReponseMessage({});
    ViderListeAccords(AccordsLibrairie, NbAccordsLibrairie);
    ViderListeAccords(AccordsImprimer, NbAccordsImprimer);
    ViderListeAccords(AccordsDejaUtilises, NbAccordsDejaUtilises);
    Configuration = avant;
    SaisAcOuvert = false;
    InitDiagrammeAccord();
  }

  std::unique_ptr<TSais_Ac_Form> Ouvrir(int nbCordes = 6) {
    TSais_Ac_Form::TContexte ctx;
    ctx.Temps = [this] { return &temps; };
    ctx.Accordage = kStandard;
    ctx.NbCordes = nbCordes;
    auto f = std::make_unique<TSais_Ac_Form>(ctx);
    f->Reinitialiser();
    f->FormActivate();
    return f;
  }
  // Frets of the beat, string 6 first ("x32010").
  void Notes(std::initializer_list<int> frettes) {
    int s = 6;
    for (int f : frettes) temps.Notes[s--].Frette = static_cast<int8_t>(f);
  }
  static std::vector<int> Frettes(const TAccord& a) { return {a.Frettes + 1, a.Frettes + 7}; }
  // A press in the large diagram on a string and a row (0 open, 1..5 the frets from the base fret).
  static void Appuyer(TSais_Ac_Form& f, int corde, int rang) {
    f.ImDiagPress(24 + (6 - corde) * 20 - 4, 33 + 10 + (rang - 1) * 20, true);
  }
};

}  // namespace

TEST_F(ChordDialog, OpensOnTheBeatNotes) {
  Notes({-1, 3, 2, 0, 1, 0});
  auto f = Ouvrir();
  EXPECT_TRUE(SaisAcOuvert);
  ASSERT_GT(f->DifferentsNoms->count(), 0);
  EXPECT_EQ(f->DifferentsNoms->item(0)->text(), "C");
  // The first name was taken: the theory is C major over the beat's own fingering.
  EXPECT_EQ(f->Fondamentale->currentRow(), 0);
  EXPECT_EQ(f->Ed_Accord->text(), "C");
  EXPECT_EQ(Frettes(AccordCourant), (std::vector<int>{0, 1, 0, 2, 3, -1}));

  // Notes reaching fret 7: the diagram starts at the lowest fretted note and drops what lies beyond its window.
  temps = TTemps{};
  Notes({-1, 7, 9, 9, 12, 0});
  f = Ouvrir();
  EXPECT_EQ(AccordCourant.FretteBase, 7);
  EXPECT_EQ(f->ScrollFret->value(), 7);
  EXPECT_EQ(Frettes(AccordCourant), (std::vector<int>{0, -1, 9, 9, 7, -1}));
  // Frets high on the neck: the base fret stays within 1..20.
  temps = TTemps{};
  Notes({-1, 22, 24, 24, -1, -1});
  f = Ouvrir();
  EXPECT_EQ(AccordCourant.FretteBase, 20);
}

TEST_F(ChordDialog, TheoryFingeringsAndInversions) {
  auto f = Ouvrir();
  f->Fondamentale->setCurrentRow(0);  // C, bass C, major
  EXPECT_EQ(f->Basse->currentIndex(), 0);
  EXPECT_EQ(f->Solutions.size(), 15u);  // "Medium"
  EXPECT_EQ(f->Ed_Accord->text(), "C");
  EXPECT_EQ(Frettes(AccordCourant), Frettes(f->Solutions[0]));
  f->Tout->setChecked(true);
  EXPECT_EQ(f->Solutions.size(), 76u);  // none with a note below the bass
  // The list image holds every fingering, and a press on the last cell shows it.
  const int c = f->Colonnes(), n = static_cast<int>(f->Solutions.size());
  EXPECT_GE(f->ImListeDiag->Image.height(), ((n - 1) / c + 1) * 37);
  f->ImListeDiagMouse(((n - 1) % c) * 41 + 20, ((n - 1) / c) * 37 + 20);
  EXPECT_EQ(f->SolutionAffichee, n);
  EXPECT_EQ(Frettes(AccordCourant), Frettes(f->Solutions[n - 1]));
  f->ImListeDiagMouse(c * 41 - 5, ((n - 1) / c + 3) * 37);  // beyond the last: nothing
  EXPECT_EQ(f->SolutionAffichee, n);
  // Inversion #3 of a triad does not exist: back to the root, the bass on the root.
  f->Renversement->setCurrentIndex(1);
  EXPECT_EQ(f->Basse->currentIndex(), 4);
  EXPECT_EQ(f->Ed_Accord->text(), "C");
  f->Renversement->setCurrentIndex(3);
  EXPECT_EQ(f->Renversement->currentIndex(), 0);
  EXPECT_EQ(f->Basse->currentIndex(), 0);
  // The choice of fingerings is remembered when the dialog closes.
  f->reject();
  EXPECT_EQ(Configuration.DiagSimpleMoyenTout, 2);
  EXPECT_FALSE(SaisAcOuvert);
}

TEST_F(ChordDialog, DrawingTheDiagram) {
  auto f = Ouvrir();
  f->Fondamentale->setCurrentRow(9);  // A major: a theory chord is shown
  ASSERT_NE(f->Fondamentale->currentRow(), 12);
  const std::vector<int> avant = Frettes(AccordCourant);
  Appuyer(*f, 6, 0);  // the low E open: the root turns "User", the fingering is kept
  EXPECT_EQ(f->Fondamentale->currentRow(), 12);
  std::vector<int> attendu = avant;
  attendu[5] = 0;
  EXPECT_EQ(Frettes(AccordCourant), attendu);
  Appuyer(*f, 1, 2);
  EXPECT_EQ(AccordCourant.Frettes[1], AccordCourant.FretteBase + 1);
  Appuyer(*f, 1, 2);  // the same fret again: not played
  EXPECT_EQ(AccordCourant.Frettes[1], -1);
  EXPECT_TRUE(f->Solutions.empty());
  // Drawn from the highest first fret, the rows reach the last fret of the neck.
  f->ScrollFret->setValue(20);
  for (auto [corde, rang] : {std::pair{1, 5}, std::pair{2, 1}, std::pair{3, 3}}) Appuyer(*f, corde, rang);
  EXPECT_EQ(AccordCourant.FretteBase, 20);
  EXPECT_EQ(f->ScrollFret->value(), 20);
  EXPECT_EQ((std::vector<int>{AccordCourant.Frettes[1], AccordCourant.Frettes[2], AccordCourant.Frettes[3]}),
            (std::vector<int>{24, 20, 22}));
  EXPECT_GT(f->DifferentsNoms->count(), 0);
  // A four-string track has no string 5 or 6 to press.
  auto g = Ouvrir(4);
  Appuyer(*g, 6, 1);
  EXPECT_EQ(AccordCourant.Frettes[6], -1);
}

TEST_F(ChordDialog, OkAttachesReplacesOrRemoves) {
  struct Cas {
    const char* nom;
    bool diagramme;
    int avecAccord;
    bool sansFrettes;
  };
  for (const Cas& c : {Cas{"", true, 0, true}, Cas{"Intro", false, 1, true}, Cas{"Am", true, 1, false}}) {
    temps = TTemps{};
    if (c.sansFrettes) {  // a chord already there, named only
      temps.AvecAccord = 1;
      temps.Accord.emplace().Nom = "Old";
    }
    Notes({-1, 0, 2, 2, 1, 0});
    auto f = Ouvrir();
    if (c.sansFrettes) f->BT_ClearClick();
    f->Ed_Accord->setText(c.nom);
    f->AddDiag->setChecked(c.diagramme);
    f->BT_OKClick();
    EXPECT_EQ(temps.AvecAccord, c.avecAccord) << c.nom;
    EXPECT_EQ(static_cast<bool>(temps.Accord), c.avecAccord == 1) << c.nom;
    EXPECT_EQ(Configuration.AddDiag, c.diagramme);
    if (!temps.Accord) continue;
    EXPECT_EQ(temps.Accord->Nom.str(), c.nom);
    EXPECT_EQ(temps.Accord->Frettes[5] == -1, c.sansFrettes) << c.nom;
    ASSERT_GE(NbAccordsDejaUtilises, 1);
    EXPECT_EQ(AccordsDejaUtilises[NbAccordsDejaUtilises]->Nom.str(), c.nom);
  }
  EXPECT_EQ(NbAccordsDejaUtilises, 2);
}

TEST_F(ChordDialog, ListsAddDeleteAndLimits) {
  auto f = Ouvrir();
  f->Fondamentale->setCurrentRow(7);  // G
  f->Ed_Accord->clear();
  f->BoutonListeClick(0, 0);
  ASSERT_EQ(messages.size(), 1u);  // a name is needed
  f->Ed_Accord->setText("G");
  f->BoutonListeClick(0, 0);
  ASSERT_EQ(NbAccordsLibrairie, 1);
  EXPECT_EQ(AccordsLibrairie[1]->Fondamentale, 7);
  EXPECT_EQ(Frettes(*AccordsLibrairie[1]), Frettes(AccordCourant));
  // A full library takes nothing, without a message.
  for (int i = 2; i <= NB_ACCORDS_LIBRAIRIE_MAX; ++i) AccordsLibrairie[i] = std::make_unique<TAccord>();
  NbAccordsLibrairie = NB_ACCORDS_LIBRAIRIE_MAX;
  messages.clear();
  f->BoutonListeClick(0, 0);
  EXPECT_EQ(NbAccordsLibrairie, NB_ACCORDS_LIBRAIRIE_MAX);
  EXPECT_TRUE(messages.empty());
  // Deleting the only entry of the print list leaves it empty and the dialog on a user chord.
  f->BoutonListeClick(1, 0);
  ASSERT_EQ(NbAccordsImprimer, 1);
  f->Imprimer->setCurrentRow(0);
  f->BoutonListeClick(1, 1);
  EXPECT_EQ(NbAccordsImprimer, 0);
  EXPECT_EQ(f->Fondamentale->currentRow(), 12);
  // Loading an entry gives back its theory and fingering.
  f->Librairie->setCurrentRow(0);
  f->ListeClick(0);
  EXPECT_EQ(f->Fondamentale->currentRow(), 7);
  EXPECT_EQ(f->Ed_Accord->text(), "G");
  EXPECT_EQ(Frettes(AccordCourant), Frettes(*AccordsLibrairie[1]));
}
