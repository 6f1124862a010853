#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QToolButton>

#include "dialogs/SpeedT.h"
#include "tests/midi/midi_outils.h"
#include "settings/Langue.h"
#include "settings/Mess.h"

using namespace midi_test;

TEST(SpeedTrainer, FieldChecksInOrder) {
  auto verifier = [](QString a, QString b, QString c, QString d, QString e) {
    const QString t[5] = {a, b, c, d, e};
    return ChampIncorrectSpeedTrainer(t, 10);
  };
  EXPECT_EQ(verifier("1", "10", "60", "120", "0"), 0);  // a variation of 0 is accepted
  EXPECT_EQ(verifier("", "10", "60", "120", "5"), 1);
  EXPECT_EQ(verifier("0", "10", "60", "120", "5"), 1);
  EXPECT_EQ(verifier("11", "10", "60", "120", "5"), 1);
  EXPECT_EQ(verifier("5", "4", "60", "120", "5"), 2);  // last measure below the first
  EXPECT_EQ(verifier("5", "11", "60", "120", "5"), 2);
  EXPECT_EQ(verifier("5", "5", "0", "120", "5"), 3);
  EXPECT_EQ(verifier("5", "5", "60", "", "5"), 4);
  EXPECT_EQ(verifier("5", "5", "60", "60", ""), 5);
}

TEST(SpeedTrainer, HeldButtonsAccelerateAndStopAtTheRange) {
  EXPECT_EQ(IntervalleRepetition(0), 300);
  EXPECT_EQ(IntervalleRepetition(1), 100);
  EXPECT_EQ(IntervalleRepetition(9), 100);
  EXPECT_EQ(IntervalleRepetition(10), 50);
  EXPECT_EQ(ValeurRepetee(5, 1, 29, 1, 20), 6);
  EXPECT_EQ(ValeurRepetee(5, 1, 30, 1, 20), 8);
  EXPECT_EQ(ValeurRepetee(19, 1, 31, 1, 20), 20);
  EXPECT_EQ(ValeurRepetee(2, -1, 40, 1, 20), 1);
}

TEST(SpeedTrainer, DialogDefaultsStepsAndRefusals) {
  NouveauMorceau(12);
  Partition.MesureCourante = 3;
  Partition.Tempo = 90;
  int erreurs = 0;
  InstallerReponseMessage([&](const TDemandeMessage&) {
    ++erreurs;
    return ID_OK;
  });
  TSpeedT_Form f;
  f.FormActivate();
  EXPECT_EQ(f.LabelTempos->buddy(), f.TempoDeb);  // the caption's accelerator reaches its field
  EXPECT_EQ(f.MesDebUp->focusPolicy(), Qt::NoFocus);  // Tab goes from field to field
  EXPECT_EQ(f.VariationDown->focusPolicy(), Qt::NoFocus);
  EXPECT_EQ(f.ValMesDeb(), 3);
  EXPECT_EQ(f.ValMesFin(), 12);
  EXPECT_EQ(f.ValTempoDeb(), 90);
  EXPECT_EQ(f.ValTempoFin(), 90);
  EXPECT_EQ(f.ValVariation(), 0);

  f.Pas(TSpeedT_Form::CHAMP_MES_FIN, +1);  // would pass the last measure
  EXPECT_EQ(f.ValMesFin(), 12);
  f.Pas(TSpeedT_Form::CHAMP_MES_FIN, -1);
  EXPECT_EQ(f.ValMesFin(), 11);
  QKeyEvent haut(QEvent::KeyPress, Qt::Key_Up, Qt::NoModifier);
  QCoreApplication::sendEvent(f.TempoDeb, &haut);
  EXPECT_EQ(f.ValTempoDeb(), 91);
  QKeyEvent moins(QEvent::KeyPress, Qt::Key_Minus, Qt::KeypadModifier);
  QCoreApplication::sendEvent(f.Variation, &moins);
  EXPECT_EQ(f.ValVariation(), 0);  // not below 0
  f.Vider();
  f.Pas(TSpeedT_Form::CHAMP_TEMPO_DEB, +1);
  EXPECT_TRUE(f.TempoDeb->text().isEmpty());

  f.FormActivate();
  f.MesFin->setText("2");
  f.BT_OKClick();
  EXPECT_EQ(erreurs, 1);
  EXPECT_NE(f.result(), QDialog::Accepted);
  f.MesFin->setText("4");
  f.BT_OKClick();
  EXPECT_EQ(f.result(), QDialog::Accepted);

  // Without a help page the help button says the help is not available.
  QString aide;
  InstallerReponseMessage([&](const TDemandeMessage& d) {
    aide = d.Texte;
    return ID_OK;
  });
  f.BT_Aide->click();
  EXPECT_EQ(aide, TexteLangue("Aide-NonDisponible"));
  InstallerReponseMessage({});
}
