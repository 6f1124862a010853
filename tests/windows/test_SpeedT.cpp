#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QKeyEvent>
#include <QTest>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QToolButton>

#include "dialogs/BoutonsRepetes.h"
#include "dialogs/ChampNumerique.h"
#include "dialogs/Sais_nrp.h"
#include "dialogs/SpeedT.h"
#include "files/ui/TestASCI.h"
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

// Held: the press steps once, each repeat (fired by hand) by the long hold's factor, within range.
TEST(SpeedTrainer, HeldButtonsAccelerateAndStopAtTheRange) {
  TSpeedT_Form f;
  f.show();
  f.TempoFin->setText("100");
  QTest::mousePress(f.TempoFinUp, Qt::LeftButton);
  for (int n = 1; n <= 30; ++n) QMetaObject::invokeMethod(f.Timer4, "timeout");
  EXPECT_EQ(f.ValTempoFin(), 101 + 29 + 3);
  f.TempoFin->setText("998");
  QMetaObject::invokeMethod(f.Timer4, "timeout");
  EXPECT_EQ(f.ValTempoFin(), 999);
}

// The integer fields and the held buttons go at one pace: 300 ms after the press, then 100 ms, 50
// ms once ten repeats are done, and three steps a repeat from the thirtieth.
TEST(BoutonsRepetes, IntegerFieldsAndHeldButtonsShareOneSchedule) {
  TChampNumerique champ(nullptr, "Ed_NbPaste", ProfilRepetition::Entier, 1, 999, 1, 3);
  TSpeedT_Form speed;
  champ.show();
  speed.show();
  champ.SetTexte("100");
  speed.TempoFin->setText("100");
  struct Famille {
    const char* nom;
    QAbstractButton* bouton;
    QTimer* minuterie;
    std::function<int()> valeur;
  };
  const Famille familles[] = {{"field", champ.Haut, champ.Minuterie, [&] { return champ.ValeurEntiere(); }},
                              {"held button", speed.TempoFinUp, speed.Timer4, [&] { return speed.ValTempoFin(); }}};
  const struct { int repetition, delai, pas; } attendus[] = {{0, 300, 1},  {1, 100, 1},  {9, 100, 1}, {10, 50, 1},
                                                            {29, 50, 1}, {30, 50, 3}, {40, 50, 3}};
  for (const Famille& f : familles) {
    SCOPED_TRACE(f.nom);
    QTest::mousePress(f.bouton, Qt::LeftButton);
    int n = 0, avant = 100;
    for (const auto& a : attendus) {
      while (n < a.repetition) {
        avant = f.valeur();
        QMetaObject::invokeMethod(f.minuterie, "timeout");
        ++n;
      }
      EXPECT_EQ(f.minuterie->interval(), a.delai) << "after repeat " << n;
      EXPECT_EQ(f.valeur() - avant, a.pas) << "repeat " << n;
    }
    QTest::mouseRelease(f.bouton, Qt::LeftButton);
    EXPECT_FALSE(f.minuterie->isActive());
  }
}

// No release comes to a button whose window went away while it was held: every family of held
// buttons stops all the same and is drawn up. Another button of the family may hide meanwhile.
TEST(BoutonsRepetes, HeldButtonStopsWhenItsWindowGoesAway) {
  TSpeedT_Form speed;
  TTestASCIForm ascii;
  TSais_NbRepet_Form numero;
  QEvent desactive(QEvent::WindowDeactivate);
  const std::tuple<QDialog*, QAbstractButton*, QTimer*, std::function<void()>> cas[] = {
      {&speed, speed.TempoDebUp, speed.Timer3, [&] { QTest::keyClick(&speed, Qt::Key_Escape); }},
      {&speed, speed.MesFinDown, speed.Timer2, [&] { QCoreApplication::sendEvent(&speed, &desactive); }},
      {&ascii, ascii.CVBUp, ascii.Timer1, [&] { ascii.close(); }},
      {&numero, numero.Ed_NbRepet->Haut, numero.Ed_NbRepet->Minuterie, [&] { numero.hide(); }}};
  for (const auto& [d, b, t, perdre] : cas) {
    d->show();
    QTest::mousePress(b, Qt::LeftButton);
    perdre();
    EXPECT_FALSE(t->isActive()) << b->objectName().toStdString();
    EXPECT_FALSE(b->isDown());
  }
  speed.show();
  QTest::mousePress(speed.TempoDebUp, Qt::LeftButton);
  speed.TempoDebDown->hide();
  EXPECT_TRUE(speed.Timer3->isActive());
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

  // A song of 1000 measures ends on measure 1000, four digits.
  NouveauMorceau(1000);
  f.Vider();
  f.FormActivate();
  EXPECT_EQ(f.MesFin->text(), "1000");
  NouveauMorceau(12);
  Partition.MesureCourante = 3;
  f.Vider();

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
