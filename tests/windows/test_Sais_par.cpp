#include <gtest/gtest.h>

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSlider>
#include <QTabBar>
#include <QTest>
#include <QToolButton>
#include <QCheckBox>
#include <QFile>

#include "tests/editor/EditFixture.h"
#include "dialogs/Sais_ins.h"
#include "dialogs/Sais_par.h"
#include "editor/state/Proprietes.h"
#include "editor/state/VueEditeur.h"
#include "files/FichierSqt.h"
#include "midi/Lecture.h"
#include "settings/Langue.h"
#include "platform/MediaPlayer.h"

namespace {

class SaisPartition : public EditTest {
 protected:
  void SetUp() override {
    EditTest::SetUp();
    PisteCourante = 1;
    Partition.Volume[1] = 100;  // between two slider steps
    Partition.Chorus[1] = 33;
    AddMeasures(2);
    TTemps& t = Partition.Mesures[2]->Temps[1][1];
    ViderTemps(t);
    t.Notes[1].Frette = 5;
    Partition.Mesures[2]->NbTemps[1] = 1;
  }
  void TearDown() override {
    DefinirVueEditeur(nullptr);
    EditTest::TearDown();
  }
};

TEST_F(SaisPartition, CancelLeavesTheSongBitIdentical) {
  const QByteArray avant = OctetsPartition();
  TSais_Partition d;
  d.show();
  QTest::keyClicks(d.Titre, "New title");
  d.PasTempo(+1);
  d.AppliquerModele(23);  // five-string bass
  d.PasInstrument(+1);
  d.Volume->setValue(3);
  d.Solo->click();
  QTest::keyClicks(d.NomPiste, "Lead");
  d.TabPiste->setCurrentIndex(3);  // refused: the note on string 1 stays in the way
  EXPECT_EQ(messages.size(), 1u);
  d.reject();
  EXPECT_EQ(OctetsPartition(), avant);
}

TEST_F(SaisPartition, ButtonsStepOncePerClickWithinTheirRanges) {
  TSais_Partition d;
  d.show();
  struct Cas {
    QToolButton* bouton;
    QLineEdit* champ;
    QString avant, apres;
  } cas[] = {
      {d.BT_FretUp, d.NbFrets, "23", "24"}, {d.BT_FretUp, d.NbFrets, "24", "24"},
      {d.BT_FretDown, d.NbFrets, "24", "23"}, {d.BT_FretDown, d.NbFrets, "3", "3"},
      {d.BT_CapoUp, d.Capo, "0", "1"}, {d.BT_CapoDown, d.Capo, "12", "11"}, {d.BT_CapoUp, d.Capo, "12", "12"},
      {d.BT_TempoUp, d.Tempo, "999", "999"}, {d.BT_TempoDown, d.Tempo, "1", "1"}, {d.BT_TempoDown, d.Tempo, "", ""},
  };
  for (const Cas& c : cas) {
    c.champ->setText(c.avant);
    QTest::mouseClick(c.bouton, Qt::LeftButton);
    EXPECT_EQ(c.champ->text(), c.apres) << c.bouton->objectName().toStdString() << " from " << c.avant.toStdString();
  }
  // A four-string track shows rows 3..6; row 3's button raises string 1.
  d.PasNbCordes(-1);
  d.PasNbCordes(-1);
  EXPECT_EQ(ProprietesTempo.NbCordes[1], 4);
  EXPECT_FALSE(d.BT_CUp[2]->isEnabled());
  QTest::mouseClick(d.BT_CUp[3], Qt::LeftButton);
  EXPECT_EQ(ProprietesTempo.Accordage[1][1], 44);
  d.reject();
}

// The mixer's labels take their letters from the same set as the other captions, after "Capo"; a
// label whose letters are all taken keeps none.
TEST_F(SaisPartition, MixerLabelsTakeAccelerators) {
  // The English captions, whatever language an earlier test left loaded.
  const QStringList lignes = LignesPatch;
  const bool avant = RaccourcisAuto;
  ASSERT_TRUE(ChargerLignesPatch(QString(VEXO_LANG_DIR) + QStringLiteral("/English.sqg")));
  RaccourcisAuto = true;
  TSais_Partition d;
  RaccourcisAuto = avant;
  LignesPatch = lignes;
  EXPECT_EQ(d.Lab_Capo->text(), "Ca&po");
  EXPECT_EQ(d.Lab_Volume->text(), "&Volume");
  EXPECT_EQ(d.Lab_Panoramique->text(), "Pa&n");
  EXPECT_EQ(d.Lab_Chorus->text(), "Chorus");
  EXPECT_EQ(d.Lab_Reverb->text(), "Rever&b");
  EXPECT_EQ(d.Lab_Reverb->buddy(), d.Reverb);
}

TEST_F(SaisPartition, OkWritesWhatWasChangedAndNothingElse) {
  TSais_Partition d;
  d.show();
  EXPECT_EQ(d.ModeleList->currentIndex(), 0);
  QTest::keyClicks(d.Titre, "Song");
  d.Reverb->setValue(10);
  // Fewer strings while string 1 holds a note: refused, the dialog stays open.
  d.PasNbCordes(-1);
  d.BT_OK->click();
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_TRUE(messages[0].Texte.contains("2"));
  EXPECT_TRUE(d.isVisible());
  EXPECT_EQ(Partition.NbCordes[1], 6);
  d.PasNbCordes(+1);  // back to six strings, tuned as standard
  EXPECT_EQ(d.ModeleList->currentIndex(), 0);
  d.PasCorde(6, -1);  // a detuned string matches no preset
  EXPECT_EQ(d.ModeleList->currentIndex(), -1);
  d.BT_OK->click();
  EXPECT_FALSE(d.isVisible());
  EXPECT_EQ(Partition.Titre.str(), "Song");
  EXPECT_EQ(Partition.Accordage[1][6], 39);
  EXPECT_EQ(Partition.Reverb[1], 64);   // 10 of 20 steps, halves to even
  EXPECT_EQ(Partition.Volume[1], 100);  // sliders left alone keep their values
  EXPECT_EQ(Partition.Chorus[1], 33);
  EXPECT_EQ(Modifie, 1);
}

TEST_F(SaisPartition, SoundControlsAreOffWhileASongPlays) {
  struct Lecture : TVueEditeur {
    bool SongPlaying() override { return true; }
  } vue;
  DefinirVueEditeur(&vue);
  TSais_Partition d;
  d.show();
  for (QWidget* w : std::initializer_list<QWidget*>{d.Ecouter[6], d.EcouterTout, d.Volume, d.BT_CUp[3], d.Tempo,
                                                    d.ModeleList, d.DouzeCordes, d.Muette})
    EXPECT_FALSE(w->isEnabled()) << w->objectName().toStdString();
  EXPECT_TRUE(d.NomPiste->isEnabled());
  d.reject();
}

// A player that only counts what it is asked to do.
class TLecteurCompteur : public TMediaPlayer {
 public:
  int lectures = 0;
  bool enLecture = false;
  QByteArray octets;
  bool Disponible() const override { return true; }
  bool Open(const QString& f) override {
    QFile fichier(f);
    return fichier.open(QIODevice::ReadOnly) && !(octets = fichier.readAll()).isEmpty();
  }
  void Close() override { enLecture = false; }
  bool Play() override {
    ++lectures;
    return enLecture = true;
  }
  void Stop() override { enLecture = false; }
  bool EnLecture() const override { return enLecture; }
  qint64 Position() const override { return 0; }
  qint64 Length() const override { return 0; }
  QString Erreur() const override { return {}; }
};

TEST_F(SaisPartition, ListeningReplaysWhileAButtonStaysDown) {
  TLecteurCompteur lecteur;
  DefinirLecteurMIDI(&lecteur);
  const uint8_t midi = MIDIDisponible;
  MIDIDisponible = 1;
  TSais_Partition d;
  d.show();
  EXPECT_FALSE(d.NotificationLecture());  // nothing listened: the notice is not the dialog's
  d.Capo->setText("3");
  d.Ecouter[6]->click();
  EXPECT_EQ(d.CordeEcoutee, 6);
  EXPECT_EQ(lecteur.lectures, 1);
  EXPECT_TRUE(lecteur.octets.contains(QByteArray("\x90\x2B\x7F", 3)));  // E3 raised by the capo
  // Another button while the first sound plays: heard at the next replay.
  d.EcouterTout->click();
  EXPECT_FALSE(d.Ecouter[6]->isChecked());
  EXPECT_EQ(lecteur.lectures, 1);
  lecteur.enLecture = false;
  EXPECT_TRUE(d.NotificationLecture());
  EXPECT_EQ(lecteur.lectures, 2);
  EXPECT_EQ(d.CordeEcoutee, 0);
  d.EcouterTout->click();  // released: the listening ends at the next notice
  EXPECT_TRUE(d.NotificationLecture());
  EXPECT_EQ(lecteur.lectures, 2);
  EXPECT_EQ(d.CordeEcoutee, -1);
  EXPECT_FALSE(lecteur.Notify);
  d.reject();
  MIDIDisponible = midi;
  DefinirLecteurMIDI(nullptr);
}

TEST(SaisInstrument, EditsTheProgramItIsGiven) {
  int32_t programme = 5;
  {
    TSais_Instrument_Form f(programme);
    f.show();
    EXPECT_EQ(f.Liste->currentRow(), 5);
    EXPECT_EQ(f.Liste->count(), 128);
    f.Liste->setCurrentRow(33);
    f.reject();
  }
  EXPECT_EQ(programme, 5);
  TSais_Instrument_Form f(programme);
  f.show();
  f.Liste->setCurrentRow(33);
  f.BT_OK->click();
  EXPECT_EQ(programme, 33);
  EXPECT_EQ(NomInstrumentListe(8), "Celesta");
}

}  // namespace
