// The score view in the main window: it follows the change notifier, a click moves the cursor to
// the nearest beat and string, the right button opens its menu, and full screen covers the edit zone.
#include <gtest/gtest.h>

#include <QMenu>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>

#include "editor/state/EtatEdition.h"
#include "editor/state/EtatProgramme.h"
#include "editor/ui/Main.h"
#include "editor/state/Notificateur.h"
#include "editor/Saisie.h"
#include "editor/state/Partition.h"
#include "settings/Config.h"
#include "settings/ConfigFile.h"
#include "settings/Mess.h"
#include "view/ui/PanelZoneAffScroll.h"

namespace {
class VueFenetre : public ::testing::Test {
 protected:
  void SetUp() override {
    InstallerReponseMessage([](const TDemandeMessage&) { return ID_OK; });
    ecran = ParamEcran;
    ParamEcranParDefaut(ParamEcran, false);
    ChargerPolices();
    PisteCourante = 1;
    f = new TForm1;
    f->LigneCommande.clear();
    f->FormActivate();
    f->resize(800, 600);
    f->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(f));
    v = f->ZoneAffScroll;
    // 12 measures of four quarters on string 3.
    for (int m = 1; m <= 12; ++m) {
      if (!Partition.Mesures[m]) Partition.Mesures[m] = std::make_unique<TMesure>();
      TMesure& mes = *Partition.Mesures[m];
      mes.NbTemps[1] = 4;
      for (int b = 1; b <= 4; ++b) {
        TTemps& t = mes.Temps[1][b];
        ViderTemps(t);
        t.CodeDuree = 0;
        t.Duree = 480;
        t.Notes[3].Frette = 5;
      }
      PreparerTempsSaisiePiste(1, m);
    }
    Partition.NbMesures = 12;
    emit Notificateur().partitionRemplacee();
  }
  void TearDown() override {
    Modifie = 0;
    delete f;
    InstallerReponseMessage({});
    ParamEcran = ecran;
    NouvellePartition();
    VuePartition = TVuePartition{};
  }
  // Presses a button at a point of a measure's beat in its band.
  void Cliquer(int m, int b, int dy, Qt::MouseButton bouton = Qt::LeftButton) {
    const TMesureVue& mv = VuePartition.Mesures[m];
    const int bande = BandeDeLigne(VuePartition, mv.Ligne);
    QTest::mousePress(v, bouton, {},
                      QPoint(ParamEcran.MargeGaucheLignes + mv.X[b], VuePartition.HautBande[bande] + mv.YPortee + dy));
  }
  TParamEcran ecran;
  TForm1* f = nullptr;
  TPanelZoneAffScroll* v = nullptr;
};

TEST_F(VueFenetre, FollowsTheNotifierAndRedrawsOnlyWhatChanged) {
  EXPECT_EQ(VuePartition.NbLignes, 3);
  EXPECT_GT(VuePartition.NbBandes, 4);
  v->LignesDessinees = 0;
  Partition.Mesures[6]->Temps[1][2].Notes[3].Frette = 7;
  emit Notificateur().mesureModifiee(6);
  EXPECT_EQ(v->LignesDessinees, 1);
  v->LignesDessinees = 0;
  emit Notificateur().vueARefaire();
  EXPECT_EQ(v->LignesDessinees, VuePartition.NbBandes);
  // The frame follows the cursor; the view scrolls only to a new current measure.
  Partition.MesureCourante = 7;
  emit Notificateur().curseurDeplace();
  EXPECT_EQ(v->Selection.Gauche, VuePartition.Mesures[7].XDebut + 6);
  QScrollBar* sb = f->ScrollBarZoneAffScroll;
  ASSERT_GT(sb->maximum(), 0);
  sb->setValue(sb->maximum());
  emit Notificateur().curseurDeplace();
  EXPECT_EQ(sb->value(), sb->maximum());
  Partition.MesureCourante = 1;
  emit Notificateur().curseurDeplace();
  EXPECT_EQ(sb->value(), 0);
  EXPECT_EQ(v->Selection.Haut, VuePartition.Mesures[1].YPortee - ParamEcran.EspLignes);
  for (int m = 13; m <= 300; ++m) Partition.Mesures[m] = std::make_unique<TMesure>(*Partition.Mesures[1]);
  Partition.NbMesures = Partition.MesureCourante = 300;
  emit Notificateur().partitionRemplacee();
  v->LignesDessinees = 0;
  f->resize(820, 640);  // far down the score: each band drawn once, where the view stays
  EXPECT_EQ(v->LignesDessinees, VuePartition.NbBandes);
  EXPECT_EQ(sb->value(), sb->maximum());
}

TEST_F(VueFenetre, AClickMovesTheCursorAndTheRightButtonOpensTheMenu) {
  f->BT_AnnulerMesure->setEnabled(true);
  Cliquer(6, 3, 2 * ParamEcran.EspLignes + 3);  // beat 3, a little under string 3
  EXPECT_EQ(Partition.MesureCourante, 6);
  EXPECT_EQ(Curseur.Temps, 3);
  EXPECT_EQ(Curseur.Corde, 3);
  EXPECT_FALSE(f->BT_AnnulerMesure->isEnabled());
  EXPECT_EQ(v->Selection.Gauche, VuePartition.Mesures[6].XDebut + 6);
  Cliquer(2, 4, 70, Qt::RightButton);  // below the staff: the lowest string
  EXPECT_EQ(Partition.MesureCourante, 2);
  EXPECT_EQ(Curseur.Temps, 4);
  EXPECT_EQ(Curseur.Corde, 6);
  EXPECT_TRUE(f->PopupMenuAff->isVisible());
  f->PopupMenuAff->hide();
}

// A band is made when a line of the song is first drawn in it: the bands past the song's lines are
// never made; one made before shows the background once its line is past the song.
TEST_F(VueFenetre, BandsAreMadeForTheSongsLines) {
  const TVuePartition& vue = VuePartition;
  auto faite = [&](int ligne) { return !v->Bandes[BandeDeLigne(vue, ligne)].isNull(); };
  auto fond = [&](int ligne) {
    const QImage vu = v->grab().toImage();
    const QColor c(ColorRed(ParamEcran.ColBackG), ColorGreen(ParamEcran.ColBackG), ColorBlue(ParamEcran.ColBackG));
    const int haut = vue.HautBande[BandeDeLigne(vue, ligne)];
    for (int y = haut; y < std::min(haut + vue.HauteurBande, vu.height()); y += 3)
      for (int x = 0; x < vue.LargeurBande; x += 3)
        if (vu.pixelColor(x, y) != c) return false;
    return true;
  };
  struct Cas {
    int mesures;
    int lignes;
    bool ligne2Faite, ligne2Fond;
  } cas[] = {
      {12, 3, true, false},  // as the fixture left it
      {4, 1, true, true},    // made before, cleared now
      {12, 3, true, false},
  };
  for (const Cas& c : cas) {
    for (int m = 1; m <= c.mesures; ++m)
      if (!Partition.Mesures[m]) {
        Partition.Mesures[m] = std::make_unique<TMesure>(*Partition.Mesures[1]);
        PreparerTempsSaisiePiste(1, m);
      }
    Partition.NbMesures = c.mesures;
    emit Notificateur().partitionRemplacee();
    ASSERT_EQ(vue.NbLignes, c.lignes);
    ASSERT_LT(vue.HautBande[BandeDeLigne(vue, 2)], v->height());
    EXPECT_TRUE(faite(1)) << c.mesures;
    EXPECT_FALSE(fond(1)) << c.mesures;
    EXPECT_EQ(faite(2), c.ligne2Faite) << c.mesures;
    EXPECT_EQ(fond(2), c.ligne2Fond) << c.mesures;
    for (int l = std::max(c.lignes, 3) + 1; l <= vue.NbBandes; ++l) EXPECT_FALSE(faite(l)) << c.mesures << " " << l;
  }
}

TEST_F(VueFenetre, FullScreenCoversTheEditZoneAndComesBack) {
  const int hauteur = f->PanelZoneAffScroll->height();
  f->Ac_Affichage_PleinEcran->setEnabled(true);
  f->Ac_Affichage_PleinEcran->trigger();
  EXPECT_EQ(PleinEcranActif, 1);
  EXPECT_TRUE(f->Ac_Affichage_PleinEcran->isChecked());
  EXPECT_GT(f->PanelZoneAffScroll->height(), hauteur);
  EXPECT_FALSE(f->PanelBarreBoutons3->isVisible());
  EXPECT_FALSE(f->Menus.Mn_Note->isEnabled());
  EXPECT_EQ(f->ScrollBarZoneAffScroll->height(), f->PanelZoneAffScroll->height() - 2);
  f->Ac_Affichage_PleinEcran->trigger();
  EXPECT_EQ(PleinEcranActif, 0);
  EXPECT_EQ(f->PanelZoneAffScroll->height(), hauteur);
  EXPECT_TRUE(f->PanelBarreBoutons3->isVisible());
  EXPECT_TRUE(f->Menus.Mn_Effets->isEnabled());
}
}  // namespace
