// Preferences: the change marks decide what OK writes, Look and Preview are undone by Cancel,
// emptied fields take their defaults, print fonts stay black, presets go through the ini file.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QTemporaryDir>
#include <QRegularExpression>
#include <QTabWidget>

#include "tests/editor/VueFactice.h"
#include "components/FileNameEdit.h"
#include "editor/state/EtatProgramme.h"
#include "editor/state/Notificateur.h"
#include "settings/Config.h"
#include "settings/ConfigFile.h"
#include "settings/Langue.h"
#include "settings/ui/Pref.h"

namespace {

// Settings with values the dialog cannot show exactly, so that any write-back shows.
void ReglagesDeDepart() {
  Configuration = TCONFIG{};
  ParamEcranParDefaut(ParamEcran, false);
  ParamEcran.CoefPAff = 1.23;
  ParamEcran.LargeurBase = 77;  // a working field
  ZoneImpressionParDefaut(ZoneImpression);
  ZoneImpression.MargeHautePart = 12.3;
  ZoneImpression.CoefPAff_Prt = 1.47;
  for (int n = 1; n <= 3; ++n) {
    ParamEcranParDefaut(n == 1 ? ParamEcran_US1 : n == 2 ? ParamEcran_US2 : ParamEcran_US3, true);
    ZoneImpressionParDefaut(n == 1 ? ZoneImpression_US1 : n == 2 ? ZoneImpression_US2 : ZoneImpression_US3);
  }
  PorteursPolices = TPorteursPolices{};
  ChargerPolices();
}

class Preferences : public ::testing::Test {
 protected:
  TVueFactice vue;
  int redessins = 0;
  QMetaObject::Connection connexion;
  void SetUp() override {
    ReglagesDeDepart();
    ApercuOuvert = false;
    connexion = QObject::connect(&Notificateur(), &TNotificateur::vueARefaire, [this] { ++redessins; });
  }
  void TearDown() override {
    QObject::disconnect(connexion);
    // Other tests start from the records as the program starts.
    Configuration = TCONFIG{};
    for (TParamEcran* p : {&ParamEcran, &ParamEcran_US1, &ParamEcran_US2, &ParamEcran_US3, &ParamEcranMem})
      *p = TParamEcran{};
    for (TZoneImpression* z :
         {&ZoneImpression, &ZoneImpression_US1, &ZoneImpression_US2, &ZoneImpression_US3, &ZoneImpressionMem})
      *z = TZoneImpression{};
    PorteursPolices = TPorteursPolices{};
    ApercuOuvert = false;
  }
  // A dialog as its opener shows it: filled once.
  static std::unique_ptr<TPref_Form> Ouvrir() {
    auto f = std::make_unique<TPref_Form>();
    f->ChoisirPolice = [](TMyFont&, const QString&, bool) { return false; };
    f->ChoisirCouleur = [](TColor&, const QString&) { return false; };
    f->MontrerApercu = [] {};
    f->FormActivate();
    return f;
  }
};

// Within the groups the file holds, a line without a quoted text gives an empty caption.
TEST_F(Preferences, LineWithoutQuotesGivesAnEmptyCaption) {
  const QStringList lignes = LignesPatch;
  LignesPatch = {"DLG_000", "01 \"Okay\"", "02 none", "DLG_PREF_000", "01 \"Settings\"", "02", "03", "04", "05", "06"};
  auto f = Ouvrir();
  LignesPatch = lignes;
  EXPECT_EQ(f->BT_OK->text().remove('&'), "Okay");
  EXPECT_EQ(f->BT_Annuler->text(), "");
  EXPECT_EQ(f->windowTitle(), "Settings");
  EXPECT_EQ(f->Music_File->Filter, " (*.WAV)|*.WAV");
}

TEST_F(Preferences, OkWritesOnlyTheMarkedPages) {
  struct Cas {
    const char* nom;
    std::function<void(TPref_Form&)> action;
    bool general, ecran, impression;
  };
  const Cas cas[] = {
      {"nothing", [](TPref_Form&) {}, false, false, false},
      {"general switch", [](TPref_Form& f) { f.LimitBend->setChecked(true); }, true, false, false},
      {"metronome volume", [](TPref_Form& f) { f.MetronomeVolume->setValue(40); }, true, false, false},
      {"display margin", [](TPref_Form& f) { f.ChampsEcran[CE_EspLignes]->setText("12"); }, false, true, false},
      {"display default", [](TPref_Form& f) { f.DisplayDefaultClick(); }, false, true, false},
      {"print margin", [](TPref_Form& f) { f.ChampsImp[CI_MargeBassePart]->setText("20"); }, false, false, true},
      {"black blocks", [](TPref_Form& f) { f.BlackBlocks->setChecked(true); }, false, false, true},
  };
  for (const Cas& c : cas) {
    SCOPED_TRACE(c.nom);
    ReglagesDeDepart();
    redessins = 0;
    auto f = Ouvrir();
    EXPECT_FALSE(f->GeneralModifie || f->AffichageModifie || f->ImpressionModifie);
    c.action(*f);
    f->BT_OKClick();
    // The general page rewrites its fields: LimitBend or the volume shows it.
    EXPECT_EQ(Configuration.LimitBend || Configuration.MetronomeVolume == 40, c.general);
    EXPECT_EQ(ParamEcran.CoefPAff != 1.23, c.ecran);                 // written back as 1.2
    EXPECT_EQ(ZoneImpression.MargeHautePart != 12.3, c.impression);  // written back as 12
    EXPECT_EQ(ZoneImpression.CoefPAff_Prt != 1.47, c.impression);
    if (!c.ecran) {
      EXPECT_EQ(ParamEcran.LargeurBase, 77);
    }
    EXPECT_EQ(redessins, c.ecran ? 1 : 0);
  }
}

TEST_F(Preferences, CancelPutsBackLookAndPreview) {
  struct Cas {
    const char* nom;
    bool look, apercu;
    int redessinsApresAnnuler;
  };
  const Cas cas[] = {{"look", true, false, 2}, {"preview", false, true, 0}, {"both", true, true, 2}};
  for (const Cas& c : cas) {
    SCOPED_TRACE(c.nom);
    ReglagesDeDepart();
    redessins = 0;
    const TMyFont policeNotes = PorteursPolices.Ecran[JEU_LIVE][FontNotes];
    const bool blackBlocks = Configuration.BlackBlocks;
    auto f = Ouvrir();
    f->ChoisirPolice = [](TMyFont& p, const QString&, bool) {
      p.Name = "Courier New";
      p.Size = 30;
      return true;
    };
    if (c.look) {
      f->ChampsEcran[CE_EspPortees]->setText("150");
      f->ModifierFontClick(FontNotes);
      f->BT_LookClick();
      EXPECT_EQ(ParamEcran.EspPortees, 150);
      EXPECT_EQ(PorteursPolices.Ecran[JEU_LIVE][FontNotes].Size, 30);
      EXPECT_FALSE(f->AffichageModifie);
    }
    if (c.apercu) {
      f->ChampsImp[CI_MargeGaucheLignes]->setText("33");
      f->ModifierFontPrtClick(FontTitle_Prt);
      f->BlackBlocks->setChecked(!Configuration.BlackBlocks);
      f->BT_Look_PrtClick();
      EXPECT_EQ(Configuration.BlackBlocks, !blackBlocks);
      EXPECT_EQ(ZoneImpression.MargeGaucheLignes, 33);
      // The dialog comes back in front after the preview: the snapshot stays the one from opening.
      f->FormActivate();
    }
    RestaurerPreferences(*f);
    EXPECT_EQ(Configuration.BlackBlocks, blackBlocks);
    EXPECT_EQ(ParamEcran.EspPortees, 102);
    EXPECT_EQ(ParamEcran.CoefPAff, 1.23);
    EXPECT_EQ(PorteursPolices.Ecran[JEU_LIVE][FontNotes].Name, policeNotes.Name);
    EXPECT_EQ(PorteursPolices.Ecran[JEU_LIVE][FontNotes].Size, policeNotes.Size);
    EXPECT_EQ(ZoneImpression.MargeGaucheLignes, 10);
    EXPECT_EQ(ZoneImpression.MargeHautePart, 12.3);
    EXPECT_EQ(PorteursPolices.Imp[JEU_LIVE][FontTitle_Prt].Size, 20);
    EXPECT_EQ(redessins, c.redessinsApresAnnuler);
  }
}

TEST_F(Preferences, EmptiedFieldsTakeTheirDefaults) {
  struct Cas {
    const char* nom;
    std::function<void(TPref_Form&)> action;
    std::function<double()> valeur;
    double attendu;
  };
  const Cas cas[] = {
      {"EpCroches on OK",
       [](TPref_Form& f) {
         f.ChampsEcran[CE_EpCroches]->clear();
         f.BT_OKClick();
       },
       [] { return ParamEcran.EpCroches; }, 3},
      {"EpCroches by Default",
       [](TPref_Form& f) {
         f.ChampsEcran[CE_EpCroches]->clear();
         f.DisplayDefaultClick();
         f.BT_OKClick();
       },
       [] { return ParamEcran.EpCroches; }, 2},
      {"EspPortees saved in preset 1",
       [](TPref_Form& f) {
         f.ChampsEcran[CE_EspPortees]->clear();
         f.SaveDisplayUserClick(1);
       },
       [] { return ParamEcran_US1.EspPortees; }, 102},
      {"Largeur_Prt saved in preset 3",
       [](TPref_Form& f) {
         f.ChampsImp[CI_Largeur]->setText("55");
         f.ChampsImp[CI_Largeur]->clear();
         f.SavePrintUserClick(3);
       },
       [] { return ZoneImpression_US3.Largeur_Prt; }, 100},
      {"top margin on Preview",
       [](TPref_Form& f) {
         f.ChampsImp[CI_MargeHautePart]->clear();
         f.BT_Look_PrtClick();
       },
       [] { return ZoneImpression.MargeHautePart; }, 15},
  };
  for (const Cas& c : cas) {
    SCOPED_TRACE(c.nom);
    ReglagesDeDepart();
    auto f = Ouvrir();
    c.action(*f);
    EXPECT_EQ(c.valeur(), c.attendu);
  }
}

TEST_F(Preferences, DigitFieldsRefuseOtherText) {
  auto f = Ouvrir();
  QLineEdit* e = f->ChampsEcran[CE_MargeGaucheLignes];
  e->clear();
  e->insert("4x");  // what a paste does
  EXPECT_EQ(e->text(), "");
  e->insert("2991");
  EXPECT_EQ(e->text(), "299");  // three digits at most
  f->ChampsEcran[CE_EpCroches]->clear();
  f->ChampsEcran[CE_EpCroches]->insert("42");
  EXPECT_EQ(f->ChampsEcran[CE_EpCroches]->text(), "4");
  struct Cas {
    const char* texte;
    int attendu;
  };
  for (const Cas& c : {Cas{"", 7}, Cas{"12", 12}, Cas{"9", 9}, Cas{"19", 19}, Cas{"29", 29}, Cas{"1a", 7},
                       Cas{" 5", 7}, Cas{"007", 7}, Cas{"-3", 7}})
    EXPECT_EQ(ValeurChamp(c.texte, 7), c.attendu) << c.texte;
}

TEST_F(Preferences, PrintFontsAreBlackAndScreenFontsKeepTheirColour) {
  for (bool confirme : {true, false}) {
    SCOPED_TRACE(confirme);
    ReglagesDeDepart();
    PorteursPolices.Imp[JEU_LIVE][FontNotes_Prt].Col = clBlue;  // from a hand-edited file
    auto f = Ouvrir();
    f->ChoisirPolice = [confirme](TMyFont& p, const QString&, bool) {
      p.Col = clRed;
      return confirme;
    };
    f->ModifierFontPrtClick(FontNotes_Prt);
    f->ModifierFontClick(FontNum);
    f->ImpressionModifie = true;
    f->BT_OKClick();
    EXPECT_EQ(PorteursPolices.Imp[JEU_LIVE][FontNotes_Prt].Col, clBlack);
    EXPECT_EQ(PorteursPolices.Ecran[JEU_LIVE][FontNum].Col, clRed);  // the default bar-number colour
  }
}

// Huge fonts leave the fixed-border dialog and every sample as they are with the default fonts,
// which show whole; a larger font is clipped.
TEST_F(Preferences, HugeFontsKeepTheDialogAndItsSamples) {
  const auto vue = [] {
    auto f = Ouvrir();
    f->show();
    QList<QRect> exemples;
    int entiers = 0;
    for (QWidget* page : {f->Display, f->Printing}) {
      f->PageControle->setCurrentWidget(page);  // each page is laid out when it shows
      for (QLabel* l : page->findChildren<QLabel*>(QRegularExpression(QStringLiteral("^LibEx")))) {
        exemples << QRect(l->mapTo(f.get(), QPoint()), l->size());
        entiers += l->rect().contains(QRect(QPoint(), l->sizeHint()));
      }
    }
    return std::tuple(f->size(), exemples, entiers);
  };
  const auto [taille, exemples, entiers] = vue();
  ASSERT_EQ(exemples.size(), int(NB_POLICES_ECRAN) + int(NB_POLICES_IMP));
  EXPECT_EQ(entiers, exemples.size());
  for (TMyFont& p : PorteursPolices.Ecran[JEU_LIVE]) p.Size = 300;
  for (TMyFont& p : PorteursPolices.Imp[JEU_LIVE]) p.Size = 300;
  EXPECT_EQ(vue(), std::tuple(taille, exemples, 0));
}

TEST_F(Preferences, StartingSoundChoiceKeepsTheFile) {
  Configuration.StartingMusic = 0;
  Configuration.StartingFile = "/tmp/a b.wav";
  Configuration.TypeScrolling = 5;  // names no mode: neither button, and kept through OK
  auto f = Ouvrir();
  EXPECT_FALSE(f->Music_VX->isChecked() || f->Music_WAV->isChecked() || f->Music_Rien->isChecked());
  EXPECT_FALSE(f->ScrollingScreen->isChecked() || f->ScrollingLine->isChecked());
  EXPECT_FALSE(f->Music_File->isEnabled());
  f->MetronomeVolume->setValue(3);
  f->BT_OKClick();
  EXPECT_EQ(Configuration.StartingMusic, 0);
  EXPECT_EQ(Configuration.TypeScrolling, 5);
  auto g = Ouvrir();
  g->Music_WAV->setChecked(true);
  EXPECT_TRUE(g->Music_File->isEnabled());
  g->Music_Rien->setChecked(true);
  EXPECT_FALSE(g->Music_File->isEnabled());
  g->BT_OKClick();
  EXPECT_EQ(Configuration.StartingMusic, 3);
  EXPECT_EQ(Configuration.StartingFile, "/tmp/a b.wav");
}

TEST_F(Preferences, PresetsRoundTripThroughTheSettingsFile) {
  QTemporaryDir dossier;
  const QString ancien = RepWindows, ancienAppli = RepertoireAppli;
  RepWindows = dossier.path() + "/";
  RepertoireAppli = QString(VEXO_LANG_DIR) + "/";
  PatcheLangue = "English";
  {
    auto f = Ouvrir();
    f->ChoisirPolice = [](TMyFont& p, const QString&, bool) {
      p.Name = "Times New Roman";
      p.Size = 14;
      p.Italic = true;
      return true;
    };
    f->ChoisirCouleur = [](TColor& c, const QString&) {
      c = 0x123456;
      return true;
    };
    f->ChampsEcran[CE_EspLignes]->setText("14");
    f->ModifierFontClick(FontAcc);
    f->ModifierColClick(ColEff);
    f->CoefPAff->setValue(18);
    f->ImageDiagClick(1);
    f->SaveDisplayUserClick(2);
    f->ChampsImp[CI_Hauteur]->setText("250");
    f->SelectedArea_Prt->setChecked(true);
    f->JaugesImp[0]->setValue(-35);
    f->ModifierFontPrtClick(FontTitle_Prt);
    f->SavePrintUserClick(1);
  }
  ASSERT_TRUE(EnregistrerConfig(1));
  ReglagesDeDepart();
  ChargerConfig(1, {});
  ChargerPolices();
  EXPECT_EQ(ParamEcran_US2.EspLignes, 14);
  EXPECT_EQ(ParamEcran_US2.ColEff, 0x123456);
  EXPECT_EQ(ParamEcran_US2.CoefPAff, 1.8);
  EXPECT_EQ(ParamEcran_US2.TypeDiag, 1);
  EXPECT_EQ(PorteursPolices.Ecran[JEU_US2][FontAcc].Name, "Times New Roman");
  EXPECT_TRUE(PorteursPolices.Ecran[JEU_US2][FontAcc].Italic);
  EXPECT_EQ(ZoneImpression_US1.Hauteur_Prt, 250);
  EXPECT_FALSE(ZoneImpression_US1.FullPage);
  EXPECT_EQ(ZoneImpression_US1.GlobalProportions_Prt, -35);
  EXPECT_EQ(PorteursPolices.Imp[JEU_US1][FontTitle_Prt].Size, 14);
  EXPECT_EQ(PorteursPolices.Imp[JEU_US1][FontTitle_Prt].Col, clBlack);
  // The live layout was not confirmed.
  EXPECT_EQ(ParamEcran.EspLignes, 10);
  {
    auto f = Ouvrir();
    f->DisplayUserClick(2);
    EXPECT_TRUE(f->AffichageModifie);
    EXPECT_EQ(f->ChampsEcran[CE_EspLignes]->text(), "14");
    EXPECT_TRUE(f->TypeDiag[1]->isChecked());
  }
  RepWindows = ancien;
  RepertoireAppli = ancienAppli;
  LignesPatch.clear();
  TableMessages.clear();
  PatcheLangue.clear();
}

}  // namespace
