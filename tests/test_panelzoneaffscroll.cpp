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

TEST_F(VueFenetre, FullScreenCoversTheEditZoneAndComesBack) {
  const int hauteur = f->PanelZoneAffScroll->height();
  f->Ac_Affichage_PleinEcran->setEnabled(true);
  f->Ac_Affichage_PleinEcran->trigger();
  EXPECT_EQ(PleinEcranActif, 1);
  EXPECT_TRUE(f->Ac_Affichage_PleinEcran->isChecked());
  EXPECT_GT(f->PanelZoneAffScroll->height(), hauteur);
  EXPECT_FALSE(f->PanelBarreBoutons3->isVisible());
  EXPECT_FALSE(f->Mn_Note->isEnabled());
  EXPECT_EQ(f->ScrollBarZoneAffScroll->height(), f->PanelZoneAffScroll->height() - 2);
  f->Ac_Affichage_PleinEcran->trigger();
  EXPECT_EQ(PleinEcranActif, 0);
  EXPECT_EQ(f->PanelZoneAffScroll->height(), hauteur);
  EXPECT_TRUE(f->PanelBarreBoutons3->isVisible());
  EXPECT_TRUE(f->Mn_Effets->isEnabled());
}
}  // namespace
