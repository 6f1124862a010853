// The shared number field, the range check, and the dialogs that preview and take it back.
#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QToolButton>

#include "tests/editor/EditFixture.h"
#include "dialogs/Brush.h"
#include "dialogs/ChgtParam.h"
#include "dialogs/ChampNumerique.h"
#include "dialogs/Copier.h"
#include "dialogs/Couper.h"
#include "dialogs/DialogueValide.h"
#include "dialogs/GraceNote.h"
#include "dialogs/LetRingAssistant.h"
#include "dialogs/Reposit.h"
#include "dialogs/Sais_ala.h"
#include "dialogs/Sais_ben.h"
#include "dialogs/Sais_cvb.h"
#include "dialogs/Sais_nrp.h"
#include "dialogs/Sais_nrv.h"
#include "dialogs/Sais_rel.h"
#include "dialogs/Sais_sig.h"
#include "dialogs/sais_paste.h"
#include "editor/EditionNotes.h"

namespace {

TEST(ChampNumerique, RepeatProfiles) {
  using P = ProfilRepetition;
  const struct { P p; int tick, intervalle, facteur; } cas[] = {
      {P::Reel, 0, 300, 1},       {P::Reel, 1, 300, 1},       {P::Reel, 2, 130, 1},      {P::Reel, 40, 130, 1},
      {P::EntierLent, 1, 300, 1}, {P::EntierLent, 40, 130, 1}, {P::Doublement, 1, 300, 1}, {P::Doublement, 2, 100, 1}};
  for (const auto& c : cas) {
    EXPECT_EQ(IntervalleRepetition(c.p, c.tick), c.intervalle) << int(c.p) << " " << c.tick;
    EXPECT_EQ(FacteurRepetition(c.p, c.tick), c.facteur) << int(c.p) << " " << c.tick;
  }
  EXPECT_EQ(ValeurApresPas(P::Entier, 998, 1, 1, 30, 1, 999), 999);  // the tripled step stops at the end
  EXPECT_EQ(ValeurApresPas(P::Doublement, 3, 1, 1, 0, 1, 32), 8);     // 3 reads as 4, then doubles
  EXPECT_EQ(ValeurApresPas(P::Doublement, 32, 1, 1, 0, 1, 32), 32);
  EXPECT_EQ(ValeurApresPas(P::Doublement, 1, -1, 1, 0, 1, 32), 1);
  // A click on a real-number field stops at the end of the range; from a value typed below it, down
  // leaves the value alone.
  TChampNumerique reel(nullptr, "Ed_CVB", P::Reel, 0.5, 6, 0.5, 3);
  reel.SetTexte("5.8");
  reel.Pas(+1);
  EXPECT_DOUBLE_EQ(reel.Valeur(), 6);
  reel.SetTexte("0.3");
  reel.Pas(-1);
  EXPECT_DOUBLE_EQ(reel.Valeur(), 0.3);
  reel.Pas(+1);
  EXPECT_DOUBLE_EQ(reel.Valeur(), 0.8);
  EXPECT_FALSE(CoupVibratoValide("..5"));
  EXPECT_FALSE(CoupVibratoValide("0"));
  EXPECT_FALSE(CoupVibratoValide("6.5"));
  EXPECT_TRUE(CoupVibratoValide("0,3"));
}

// A click selects the field's text. A typed value outside the range stays as typed unless one step
// brings it back; the arrows and the keypad act as the buttons.
TEST(ChampNumerique, AClickSelectsAndLeavesAValueOutOfReachAlone) {
  QWidget fenetre;
  auto* ailleurs = new QLineEdit(&fenetre);
  auto* c = new TChampNumerique(&fenetre, "MesFin", ProfilRepetition::Entier, 1, 20, 1, 4);
  auto* l = new QHBoxLayout(&fenetre);
  l->addWidget(ailleurs);
  l->addWidget(c);
  fenetre.show();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&fenetre));
  const struct { const char* avant; int sens; const char* apres; bool choisi; } cas[] = {
      {"5", +1, "6", true},   {"5", -1, "4", true},    {"20", +1, "20", true}, {"1", -1, "1", true},
      {"0", +1, "1", true},   {"21", -1, "20", true},  {"0", -1, "0", false},  {"50", -1, "50", false},
      {"50", +1, "50", false}, {"", +1, "", false}};
  for (const auto& k : cas)
    for (int facon = 0; facon < 2; ++facon) {
      SCOPED_TRACE(std::string(k.avant) + (k.sens > 0 ? " up" : " down") + (facon ? " key" : " click"));
      ailleurs->setFocus();
      c->SetTexte(k.avant);
      if (facon)
        QTest::keyClick(c->Edit, k.sens > 0 ? Qt::Key_Up : Qt::Key_Down);
      else
        QTest::mouseClick(k.sens > 0 ? c->Haut : c->Bas, Qt::LeftButton);
      EXPECT_EQ(c->Texte(), k.apres);
      if (!facon) {
        EXPECT_EQ(c->Edit->hasFocus(), k.choisi);
      }
      EXPECT_EQ(c->Edit->selectedText(), k.choisi ? QString(k.apres) : QString());
    }
}

TEST(ChampNumerique, MeasureRanges) {
  const struct { const char *debut, *fin; int nb, attendu; } cas[] = {
      {"1", "1", 1, 0},  {"000", "1", 5, 1}, {"", "1", 5, 1},     {"6", "6", 5, 1}, {"5", "3", 5, 2},
      {"1", "", 5, 2}, {"1", "6", 5, 2},   {"999", "1000", 1000, 0}};
  for (const auto& c : cas) EXPECT_EQ(PlageMesuresIncorrecte(c.debut, c.fin, c.nb), c.attendu) << c.debut << "-" << c.fin;
}

class DialoguesApercu : public EditTest {
 protected:
  TCONFIG sauve_;
  void SetUp() override {
    EditTest::SetUp();
    sauve_ = Configuration;
  }
  void TearDown() override {
    Configuration = sauve_;
    EditTest::TearDown();
  }
  static void Same(const TTemps& a, const TTemps& b) {
    for (int s = 1; s <= NB_CORDES_MAX; ++s) EXPECT_EQ(a.Notes[s], b.Notes[s]) << s;
    EXPECT_EQ(a.Brush, b.Brush);
    EXPECT_EQ(a.VitesseBrush, b.VitesseBrush);
    EXPECT_EQ(a.EffetTemps, b.EffetTemps);
    EXPECT_EQ(a.Duree, b.Duree);
  }
};

TEST_F(DialoguesApercu, CancelPutsTheBeatBack) {
  Fill(2);
  Curseur.Temps = 1;
  B(1).Brush = 2;
  B(1).VitesseBrush = 16;
  B(1).Notes[1].FretteGrace = 3;
  B(1).Notes[1].DureeGrace = 1;
  B(1).Notes[1].NuanceGrace = 2;
  const TTemps avant = B(1);
  Configuration.EcouterBrush = true;
  Configuration.EcouterGraceNote = true;
  Configuration.BrushDuration = 8;
  {
    TBrushForm dlg;
    dlg.Direction = 1;
    dlg.show();
    EXPECT_EQ(B(1).Brush, 1);  // heard at once
    EXPECT_EQ(B(1).VitesseBrush, 8);
    dlg.CDuration[5]->click();
    EXPECT_EQ(B(1).VitesseBrush, 1);
    dlg.reject();
    Same(B(1), avant);
  }
  {
    TGraceNoteForm dlg;
    dlg.Nuance = 8;  // the loudest
    dlg.show();
    dlg.NbFrets->SetTexte("9");
    dlg.CDuration[3]->click();
    EXPECT_EQ(B(1).Notes[1].FretteGrace, 9);
    EXPECT_EQ(B(1).Notes[1].NuanceGrace, 8);
    dlg.Radio1->click();
    EXPECT_EQ(B(1).Notes[1].FretteGrace, FRETTE_MORTE);
    dlg.reject();
    Same(B(1), avant);
  }
  {
    // OK keeps what was chosen, and a fret past the track's last is refused.
    TGraceNoteForm dlg;
    dlg.show();
    dlg.NbFrets->SetTexte("25");
    dlg.BT_OKClick();
    EXPECT_TRUE(dlg.isVisible());
    dlg.NbFrets->SetTexte("24");  // the track's last fret
    dlg.BT_OKClick();
    EXPECT_FALSE(dlg.isVisible());
    EXPECT_EQ(B(1).Notes[1].FretteGrace, 24);
  }
}

// Every value dialog on a song of five measures: its field takes either end of its range, typed
// or reached by a button, and OK refuses a value one past either end (where the field can hold it).
TEST_F(DialoguesApercu, ValueDialogsTakeTheirLimitsAndRefuseOnePast) {
  AddMeasures(5);
  Fill(1);
  Curseur.Temps = 1;
  using Creer = std::function<TDialogueValide*()>;
  using Champ = std::function<TChampNumerique*(TDialogueValide*)>;
  auto plage = [](bool debut) {
    return [debut](TDialogueValide* d) {
      auto* p = static_cast<TDialoguePlage*>(d);
      (debut ? p->MesFin : p->MesDeb)->SetTexte(debut ? "5" : "1");  // the other end leaves room
      return debut ? p->MesDeb : p->MesFin;
    };
  };
  const auto champValeur = [](TDialogueValide* d) { return static_cast<TDialogueValeur*>(d)->Champ; };
  const struct {
    const char* nom;
    Creer creer;
    Champ champ;
    double bas, basPlus, hautMoins, haut;
    const char *sous, *sur;  // nullptr: the field cannot hold it
  } cas[] = {
      {"go to", [] { return new TSais_AllerA_Form; }, champValeur, 1, 2, 4, 5, "0", "6"},
      {"numerator", [] { return new TSais_Signat_Form; },
       [](TDialogueValide* d) { return static_cast<TSais_Signat_Form*>(d)->Ed_Sign_Num; }, 1, 2, 31, 32, "0", "33"},
      {"denominator", [] { return new TSais_Signat_Form; },
       [](TDialogueValide* d) { return static_cast<TSais_Signat_Form*>(d)->Ed_Sign_Den; }, 1, 2, 16, 32, "0", "64"},
      {"ending number", [] { return new TSais_NbRepet_Form; },
       [](TDialogueValide* d) { return static_cast<TSais_NbRepet_Form*>(d)->Ed_NbRepet; }, 1, 2, 98, 99, "0", nullptr},
      {"repeat count", [] { return new TSais_NbRenvFin_Form; }, champValeur, 1, 2, 98, 99, "0", nullptr},
      {"tremolo dip", [] { return new TSais_CoupVib_Form; }, champValeur, 0.5, 1, 5.5, 6, "0", "6.5"},
      {"bend", [] { return new TSais_Bend_Form; }, champValeur, 0.25, 0.5, 2.75, 3, "0", "3.25"},
      {"release", [] { return new TSais_Release_Form; }, champValeur, 0.25, 0.5, 2.75, 3, "0", "3.25"},
      {"copy from", [] { return new TCopierForm; }, plage(true), 1, 2, 4, 5, "0", "6"},
      {"copy to", [] { return new TCopierForm; }, plage(false), 1, 2, 4, 5, "0", "6"},
      {"cut from", [] { return new TCouperForm; }, plage(true), 1, 2, 4, 5, "0", "6"},
      {"cut to", [] { return new TCouperForm; }, plage(false), 1, 2, 4, 5, "0", "6"},
      {"re-cut to", [] { return new TRepositForm; }, plage(false), 1, 2, 4, 5, "0", "6"},
      {"let ring to",
       [] {
         auto* d = new TLetRingAssistantForm;
         d->CB[1]->setChecked(true);  // a string to ring
         return d;
       },
       plage(false), 1, 2, 4, 5, "0", "6"},
      {"paste count", [] { return new TSais_Paste_Form; },
       [](TDialogueValide* d) { return static_cast<TSais_Paste_Form*>(d)->Ed_NbPaste; }, 1, 2, 998, 999, "0", nullptr},
      {"grace fret", [] { return new TGraceNoteForm; },
       [](TDialogueValide* d) { return static_cast<TGraceNoteForm*>(d)->NbFrets; }, 0, 1, 23, 24, nullptr, "25"},
      {"mix-table tempo", [] { return new TChgtParamForm; },
       [](TDialogueValide* d) { return static_cast<TChgtParamForm*>(d)->J_Tempo; }, 1, 2, 998, 999, "0", nullptr},
  };
  for (const auto& c : cas) {
    SCOPED_TRACE(c.nom);
    // OK on a value: whether the dialog stays open over the value error box.
    auto ok = [&](const std::function<void(TChampNumerique*)>& mettre) {
      std::unique_ptr<TDialogueValide> d(c.creer());
      d->show();
      TChampNumerique* f = c.champ(d.get());
      mettre(f);
      messages.clear();
      d->BT_OKClick();
      EXPECT_EQ(d->isVisible(), !messages.empty());
      return !d->isVisible();
    };
    for (double v : {c.bas, c.haut}) EXPECT_TRUE(ok([v](TChampNumerique* f) { f->SetValeur(v); })) << v;
    for (const char* t : {c.sous, c.sur}) {
      if (t) {
        EXPECT_FALSE(ok([t](TChampNumerique* f) { f->SetTexte(t); })) << t;
      }
    }
    std::unique_ptr<TDialogueValide> d(c.creer());
    d->show();
    TChampNumerique* f = c.champ(d.get());
    for (auto [depart, sens, fin] : {std::tuple{c.hautMoins, +1, c.haut}, std::tuple{c.basPlus, -1, c.bas}}) {
      f->SetValeur(depart);
      f->Pas(sens);
      EXPECT_DOUBLE_EQ(f->Valeur(), fin) << depart;
      f->Pas(sens);
      EXPECT_DOUBLE_EQ(f->Valeur(), fin) << depart;
    }
  }
}

// A count past what the song can hold is refused with the song's limit (a warning), a count that is
// no count as not valid (an error).
TEST_F(DialoguesApercu, PasteCountKeepsTheSongWithin1000Measures) {
  AddMeasures(2);
  PrendrePressePapier(1, 2, 0);
  const struct { int mesures, foisMax; const char* fois; int icone; } cas[] = {
      {990, 5, "6", MB_ICONE_ATTENTION}, {990, 5, "0", MB_ICONE_ERREUR}, {1000, 0, "1", MB_ICONE_ATTENTION}};
  for (const auto& c : cas) {
    AddMeasures(c.mesures);
    messages.clear();
    TSais_Paste_Form dlg;
    dlg.PasteRB3->setChecked(true);
    EXPECT_EQ(dlg.FoisMax(), c.foisMax);
    dlg.Ed_NbPaste->SetTexte(c.fois);
    dlg.show();
    dlg.BT_OKClick();
    EXPECT_TRUE(dlg.isVisible());
    ASSERT_EQ(messages.size(), 1u) << c.fois;
    EXPECT_EQ(messages[0].Icone, c.icone) << c.fois;
    dlg.reject();
  }
  for (auto& c : MesuresCopiees) c.reset();
  NbMesuresCopiees = 0;
  PressePapierPlein = 0;
}

// A tempo of 0 is refused even with its box unticked: the box is ticked, so that the field shows
// and takes the focus.
TEST_F(DialoguesApercu, MixTableRefusedTempoShowsItsField) {
  TChgtParamForm f;
  f.show();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&f));
  ASSERT_FALSE(f.J_Tempo->isVisible());
  f.J_Tempo->SetTexte("0");
  f.BT_OK->click();
  EXPECT_EQ(messages.size(), 1u);
  EXPECT_TRUE(f.isVisible());
  EXPECT_TRUE(f.CB[TChgtParamForm::TEMPO]->isChecked());
  EXPECT_TRUE(f.J_Tempo->isVisible());
  EXPECT_TRUE(f.J_Tempo->Edit->hasFocus());
  EXPECT_EQ(f.J_Tempo->Edit->selectedText(), "0");
}

TEST_F(DialoguesApercu, MixTableNamesEachInstrumentOnceAndStoresItsProgram) {
  Partition.Instrument[PisteCourante] = 30;
  TChgtParamForm f;
  f.show();
  EXPECT_EQ(f.L_Instrument->count(), 128);
  EXPECT_EQ(f.L_Instrument->currentText(), "30 - Distortion Guitar");
  f.CB[TChgtParamForm::INSTRUMENT]->setChecked(true);
  f.L_Instrument->setCurrentIndex(127);
  f.BT_OKClick();
  EXPECT_EQ(f.Resultat.Instrument, 127);
}

// A string ticked starts at Yes, even after a No; a press on a string's row ticks or unticks its
// box, but not for a string the track does not have.
TEST_F(DialoguesApercu, LetRingRowsTickTheirStringAtYes) {
  Partition.NbCordes[PisteCourante] = 5;
  TLetRingAssistantForm d;
  d.show();
  d.RN[2]->setChecked(true);
  for (QWidget* w : {d.Lib[2], d.Lib[6]}) QTest::mousePress(w, Qt::LeftButton);
  EXPECT_TRUE(d.CB[2]->isChecked() && d.RY[2]->isChecked() && d.RY[2]->isEnabled());
  EXPECT_FALSE(d.CB[6]->isChecked());
  // Unticked, the string has neither Yes nor No, whether its box or its row was clicked.
  for (QWidget* w : {static_cast<QWidget*>(d.CB[2]), static_cast<QWidget*>(d.Lib[2])}) {
    d.CB[2]->setChecked(true);
    d.RY[2]->setChecked(true);
    if (w == d.CB[2])
      d.CB[2]->click();
    else
      QTest::mousePress(w, Qt::LeftButton);
    EXPECT_FALSE(d.CB[2]->isChecked());
    EXPECT_FALSE(d.RY[2]->isChecked() || d.RN[2]->isChecked());
    EXPECT_FALSE(d.RY[2]->isEnabled());
  }
}

}  // namespace
