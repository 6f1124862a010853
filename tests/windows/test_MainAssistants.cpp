// The Assistants menu and the Display switches of the main window, through keys and menu commands.
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <functional>

#include "dialogs/Assistant_Bat.h"
#include "dialogs/Classiq.h"
#include "dialogs/ConfRede.h"
#include "dialogs/Reposit.h"
#include "dialogs/Transpo.h"
#include "editor/state/EtatEdition.h"
#include "editor/state/EtatProgramme.h"
#include "editor/ui/Main.h"
#include "editor/Notation.h"
#include "editor/Saisie.h"
#include "platform/Folders.h"
#include "settings/Config.h"
#include "settings/Mess.h"
#include "FenetreFixture.h"

namespace {
class FenetreAssistants : public FenetreTest<> {
 protected:
  void SetUp() override {
    lierRing = Configuration.ShowLetRingNotes;
    dyna = Configuration.ShowDynamic;
    FenetreTest::SetUp();
  }
  void TearDown() override {
    FenetreTest::TearDown();
    Configuration.ShowLetRingNotes = lierRing;
    Configuration.ShowDynamic = dyna;
  }
  // Runs `r` on the modal dialog that the next command opens.
  static void SurDialogue(std::function<void(QWidget*)> r) {
    QTimer::singleShot(0, [r] {
      if (QWidget* w = QApplication::activeModalWidget()) r(w);
    });
  }

  bool lierRing = false, dyna = false;
};
}  // namespace

// F11 and F12 move their check marks and the settings with them; twice puts both back.
TEST_F(FenetreAssistants, DisplaySwitchesMoveTheirChecks) {
  struct Cas {
    Qt::Key touche;
    QAction* TForm1::*action;
    bool TCONFIG::*reglage;
  };
  for (const Cas& c : {Cas{Qt::Key_F11, &TForm1::Ac_Ass_MontrerLetRing, &TCONFIG::ShowLetRingNotes},
                       Cas{Qt::Key_F12, &TForm1::Ac_Ass_MontrerDyna, &TCONFIG::ShowDynamic}}) {
    QAction* a = f->*c.action;
    const bool avant = a->isChecked();
    QTest::keyClick(f->Ed_Invisible, c.touche);
    EXPECT_EQ(a->isChecked(), !avant);
    EXPECT_EQ(Configuration.*c.reglage, !avant);
    QTest::keyClick(f->Ed_Invisible, c.touche);
    EXPECT_EQ(a->isChecked(), avant);
    EXPECT_EQ(Configuration.*c.reglage, avant);
  }
}

// Yes re-cuts: the over-full measure gives its last beat to a new measure, the cursor goes to
// measure 1, beat 1; No changes nothing.
TEST_F(FenetreAssistants, RecutAsksFirst) {
  TMesure& m = *Partition.Courante();
  for (int b = 1; b <= 5; ++b) {
    TempsNoireVide(m.Temps[1][b]);
    m.Temps[1][b].Notes[1].Frette = static_cast<int8_t>(b);
  }
  m.NbTemps[1] = 5;
  PreparerTempsSaisie();
  for (bool oui : {false, true}) {
    SurDialogue([oui](QWidget* w) {
      auto* d = qobject_cast<TConfRedecForm*>(w);
      ASSERT_NE(d, nullptr);
      (oui ? d->BT_Oui : d->BT_Non)->click();
    });
    f->Ac_Ass_Redecouper->trigger();
    EXPECT_EQ(Partition.NbMesures, oui ? 2 : 1);
  }
  EXPECT_EQ(Partition.MesureCourante, 1);
  EXPECT_EQ(Curseur.Temps, 1);
  EXPECT_EQ(Partition.Mesure(2)->Temps[1][1].Notes[1].Frette, 5);
  EXPECT_EQ(Modifie, 1);
}

// The automatic-fingering range runs from the current measure to the end; a last measure before
// the first keeps the dialog open.
TEST_F(FenetreAssistants, FingeringRangeProposesCurrentToEnd) {
  while (Partition.NbMesures < 20) {
    const int m = ++Partition.NbMesures;
    Partition.Mesures[m] = std::make_unique<TMesure>();
  }
  Partition.MesureCourante = 7;
  TRepositForm d(f);
  d.show();
  EXPECT_EQ(d.Premiere(), 7);
  EXPECT_EQ(d.Derniere(), 20);
  d.MesFin->SetValeur(3);
  d.BT_OK->click();
  EXPECT_TRUE(d.isVisible());
  Partition.MesureCourante = 1;
}

// Complete/reduce closes every measure of the track and leaves the user on the measure being
// edited, cursor on beat 1, string 1.
TEST_F(FenetreAssistants, CompleteReduceKeepsTheCurrentMeasure) {
  while (Partition.NbMesures < 3) {
    const int m = ++Partition.NbMesures;
    Partition.Mesures[m] = std::make_unique<TMesure>();
    for (int p = 1; p <= NB_PISTES; ++p) PreparerTempsSaisiePiste(p, m);
  }
  Partition.MesureCourante = 2;
  TMesure& m = *Partition.Courante();
  TempsNoireVide(m.Temps[1][1]);
  m.Temps[1][1].Notes[1].Frette = 3;
  m.NbTemps[1] = 1;
  PreparerTempsSaisie();
  Curseur.Temps = 2;
  Curseur.Corde = 4;
  f->Ac_Ass_CompleterReduire->trigger();
  EXPECT_EQ(Partition.MesureCourante, 2);
  EXPECT_EQ(Curseur.Temps, 1);
  EXPECT_EQ(Curseur.Corde, 1);
  for (int k = 1; k <= 3; ++k) {
    int64_t ticks = 0;
    for (int b = 1; b <= Partition.Mesure(k)->NbTemps[1]; ++b) ticks += Partition.Mesure(k)->Temps[1][b].Duree;
    EXPECT_EQ(ticks, 1920) << k;
  }
}

// The transpose dialog opens on its value list: Up chooses +1 at once and Return transposes by it.
TEST_F(FenetreAssistants, TransposeOpensOnItsValues) {
  QTest::keyClick(f->Ed_Invisible, Qt::Key_5);
  const TTemps& t = Partition.Courante()->Temps[1][1];
  auto hauteur = [&t] {
    for (int s = 1; s <= 6; ++s)
      if (t.Notes[s].Frette >= 0) return t.Notes[s].Frette + Partition.Accordage[1][s];
    return -1;
  };
  const int avant = hauteur();
  ASSERT_GT(avant, 0);
  SurDialogue([](QWidget* w) {
    auto* d = qobject_cast<TTransposerForm*>(w);
    ASSERT_NE(d, nullptr);
    d->activateWindow();  // as the window manager does with a new dialog
    ASSERT_TRUE(QTest::qWaitFor([d] { return QApplication::activeWindow() == d; }, 2000));
    EXPECT_EQ(QApplication::focusWidget(), static_cast<QWidget*>(d->Valeur));
    QWidget* clavier = QApplication::focusWidget() ? QApplication::focusWidget() : w;
    QTest::keyClick(clavier, Qt::Key_Up);
    QTest::keyClick(clavier, Qt::Key_Return);
  });
  f->Ac_Ass_Transposer->trigger();
  EXPECT_EQ(hauteur(), avant + 1);
}

// A note entered from the notation assistant (track 1) or the drum assistant (track 8) is taken
// back by Ctrl+Z, pressed in the assistant or in the main window, like a typed one.
TEST_F(FenetreAssistants, AssistantNoteIsUndone) {
  TClassForm notation(f);
  TAssistant_Bat_Form batterie(f);
  batterie.Liste->setCurrentRow(0);  // 27 - High Q
  struct Cas {
    int piste;
    QWidget* assistant;
    std::function<void()> poser;
  } cas[] = {
      {1, &notation, [&notation] { notation.Image1Click(YPosition(37)); }},  // E4: open string 1
      {PISTE_PERCUSSION, &batterie, [&batterie] { batterie.ListeDblClick(); }},
  };
  auto activer = [](QWidget* w) {
    w->activateWindow();
    return QTest::qWaitFor([w] { return QApplication::activeWindow() == w; }, 2000);
  };
  for (const Cas& c : cas)
    for (bool dansAssistant : {true, false}) {
      SCOPED_TRACE(testing::Message() << "track " << c.piste << (dansAssistant ? ", in the assistant" : ""));
      f->ChangerPiste(c.piste);
      Curseur.Temps = 1;
      const TMesure avant = *Partition.Courante();
      c.assistant->show();
      ASSERT_TRUE(activer(c.assistant));
      c.poser();
      const TMesure& m = *Partition.Courante();
      ASSERT_EQ(m.NbTemps[c.piste], 1);
      EXPECT_TRUE(f->Ac_Edition_Annuler->isEnabled());
      if (!dansAssistant) {
        ASSERT_TRUE(activer(f));
      }
      QWidget* clavier = QApplication::focusWidget() ? QApplication::focusWidget() : QApplication::activeWindow();
      QTest::keyClick(clavier, Qt::Key_Z, Qt::ControlModifier);
      EXPECT_EQ(m.NbTemps[c.piste], avant.NbTemps[c.piste]);
      for (int s = 1; s <= NB_CORDES_MAX; ++s) EXPECT_EQ(m.Temps[c.piste][1].Notes[s], avant.Temps[c.piste][1].Notes[s]);
      c.assistant->hide();
    }
  f->ChangerPiste(1);
}
