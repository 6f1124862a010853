// The MIDI-import track selection dialog, shown headless and answered from a timer.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <functional>

#include "midi/Lecture.h"
#include "midi/ui/SelMIDI.h"
#include "song/Accordages.h"

namespace {

bool Choisir(TSelMIDIForm& d, TProprietesTempo& w, const std::function<void()>& actions) {
  std::vector<TSourceMIDI> sources(2);
  sources[0].Texte = "Lead";
  sources[0].Programme = 30;
  sources[1].Texte = "Bass";
  sources[1].Programme = 33;
  QTimer::singleShot(0, &d, actions);
  return d.Choisir(sources, w);
}

TProprietesTempo Copie() {
  TProprietesTempo w;
  for (int t = 1; t <= NB_PISTES; ++t) {
    w.NbCordes[t] = 6;
    w.NbFrettes[t] = 24;
    AccordageParDefaut(6, w.Accordage[t]);
  }
  return w;
}

// A click on a source, as the user chooses it.
void Cliquer(TSelMIDIForm& d, int ligne) {
  QTest::mouseClick(d.ListePiste->viewport(), Qt::LeftButton, {},
                    d.ListePiste->visualItemRect(d.ListePiste->item(ligne)).center());
}

}  // namespace

TEST(SelMIDI, ChoixParPiste) {
  TSelMIDIForm d;
  TProprietesTempo w = Copie();
  const bool ok = Choisir(d, w, [&d] {
    EXPECT_FALSE(d.BT_OK->isEnabled());  // nothing to import yet
    Cliquer(d, 0);
    EXPECT_TRUE(d.BT_OK->isEnabled());
    d.DeselectionnerPiste->click();
    EXPECT_FALSE(d.BT_OK->isEnabled());
    Cliquer(d, 0);
    d.CQuantize8->setChecked(true);
    d.Transposer->setChecked(true);
    d.ChangerPiste(2);
    Cliquer(d, 1);
    for (int k = 0; k < 5; ++k) d.PasNbCordes(-1);  // stops at 4 strings, tuned as a bass
    for (int k = 0; k < 30; ++k) d.PasFrettes(-1);  // stops at 3 frets
    d.PasCorde(6, -1);                              // the lowest shown string, one semitone down
    d.BT_OK->click();
  });
  ASSERT_TRUE(ok);
  EXPECT_EQ(w.PisteSource[1], 1);
  EXPECT_EQ(w.NomPiste[1], "Lead");
  EXPECT_EQ(w.Instrument[1], 30);
  EXPECT_EQ(w.Quantification[1], 8);
  EXPECT_TRUE(w.OctaveInferieure[1]);
  EXPECT_EQ(w.PisteSource[2], 2);
  EXPECT_EQ(w.NbCordes[2], 4);
  EXPECT_EQ(std::vector<int>(w.Accordage[2] + 1, w.Accordage[2] + 5), (std::vector<int>{43, 38, 33, 27}));
  EXPECT_EQ(w.NbFrettes[2], 3);
  EXPECT_EQ(w.Quantification[2], 4);
  EXPECT_EQ(w.PisteSource[3], 0);
  EXPECT_EQ(ChercherModele(4, w.Accordage[2]), -1);
}

TEST(SelMIDI, AnnulerEtBornes) {
  TSelMIDIForm d;
  TProprietesTempo w = Copie();
  w.Accordage[1][1] = 118;
  const bool ok = Choisir(d, w, [&d] {
    d.ListePiste->setCurrentRow(0);
    for (int k = 0; k < 3; ++k) d.PasCorde(1, 1);  // the top string stops at 119
    for (int k = 0; k < 200; ++k) d.PasInstrument(1);
    d.BT_Annuler->click();
  });
  EXPECT_FALSE(ok);
  EXPECT_FALSE(d.Confirme);
  EXPECT_EQ(w.Accordage[1][1], 119);
  EXPECT_EQ(w.Instrument[1], 127);
}

// The percussion track shows its drum kit and lets it be stepped, but neither the instrument
// chooser nor the string, tuning, fret and octave controls.
TEST(SelMIDI, PisteDePercussionMontreLeKit) {
  TSelMIDIForm d;
  TProprietesTempo w = Copie();
  const bool ok = Choisir(d, w, [&d] {
    d.ChangerPiste(PISTE_PERCUSSION);
    Cliquer(d, 1);  // the source's program becomes the kit
    const struct {
      QWidget* w;
      bool visible;
    } attendu[] = {{d.Instrument, true},     {d.InstrumentUp, true}, {d.InstrumentDown, true},
                   {d.BT_Instrument, false}, {d.ModeleList, false},  {d.NbCordes, false},
                   {d.NoteCorde[6], false},  {d.Ecouter[6], false},  {d.EcouterTout, false},
                   {d.NbFrets, false},       {d.Transposer, false},  {d.Cache, true}};
    for (const auto& a : attendu) EXPECT_EQ(a.w->isVisible(), a.visible) << a.w->objectName().toStdString();
    EXPECT_EQ(d.Instrument->text(), NomKitBatterie(33));
    d.PasInstrument(-8);
    EXPECT_EQ(d.Instrument->text(), NomKitBatterie(25));
    d.ChangerPiste(1);
    EXPECT_TRUE(d.BT_Instrument->isVisible());
    EXPECT_EQ(d.Instrument->text(), NomInstrument(0));
    d.BT_OK->click();
  });
  ASSERT_TRUE(ok);
  EXPECT_EQ(w.PisteSource[PISTE_PERCUSSION], 2);
  EXPECT_EQ(w.Instrument[PISTE_PERCUSSION], 25);
}
