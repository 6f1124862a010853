#pragma once
// A fresh song for every test of the editing state and of the song's files, with message boxes
// answered. The editing fixture (tests/editor/EditFixture.h) builds on it with its editor view and
// typing, so that these tests need no editing engine and the song's set-up is written once.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "editor/state/EtatEdition.h"
#include "editor/state/EtatProgramme.h"
#include "editor/state/Partition.h"
#include "editor/state/TempsSaisie.h"
#include "settings/Config.h"
#include "settings/Mess.h"
#include "song/Song.h"

class SongTest : public ::testing::Test {
 protected:
  std::vector<TDemandeMessage> messages;

  void SetUp() override {
    InstallerReponseMessage([this](const TDemandeMessage& d) {
      messages.push_back(d);
      return ID_OK;
    });
    Configuration.DefaultDynamic = 6;
    PleinEcranActif = 0;
    NouvellePartition();
    Curseur.Temps = 1;
    Curseur.Corde = 1;
    Curseur.RedessinTemps = 0;
    ActiverAnnulation(false);
    ActiverAnnulerMesure(false);
    MesureOrigine = *Partition.Courante();
  }
  void TearDown() override {
    InstallerReponseMessage({});
  }

  static TMesure& M(int m = 0) { return *Partition.Mesures[m ? m : Partition.MesureCourante]; }
  static TTemps& B(int b, int piste = 0, int m = 0) { return M(m).Temps[piste ? piste : PisteCourante][b]; }
  static int N(int piste = 0, int m = 0) { return M(m).NbTemps[piste ? piste : PisteCourante]; }

  static void AddMeasures(int total) {
    while (Partition.NbMesures < total) {
      int m = ++Partition.NbMesures;
      Partition.Mesures[m] = std::make_unique<TMesure>();
      for (int p = 1; p <= NB_PISTES; ++p) PreparerTempsSaisiePiste(p, m);
    }
  }
};
