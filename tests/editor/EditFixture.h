#pragma once
// A fresh song for every editing test, with no window connected and message boxes answered.
#include <gtest/gtest.h>

#include <vector>

#include "editor/Curseur.h"
#include "song/Song.h"
#include "editor/state/EtatEdition.h"
#include "editor/state/EtatProgramme.h"
#include "editor/Navigation.h"
#include "editor/state/Partition.h"
#include "editor/Saisie.h"
#include "settings/Config.h"
#include "settings/Mess.h"
#include "VueFactice.h"

class EditTest : public ::testing::Test {
 protected:
  std::vector<TDemandeMessage> messages;
  TVueFactice vue;  // the editor view while the test runs

  void SetUp() override {
    InstallerReponseMessage([this](const TDemandeMessage& d) {
      messages.push_back(d);
      return ID_OK;
    });
    Configuration.DefaultDynamic = 6;
    PleinEcranActif = 0;
    TempsSupprimeLie = 0;
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

  // Types a fret on the cursor string of the cursor beat, digit by digit, then leaves the digit state.
  static void Type(int fret) {
    if (fret >= 10) SaisirChiffre(fret / 10, 0);
    SaisirChiffre(fret % 10, 0);
    Curseur.RedessinTemps = 0;
  }
  // Appends a beat of the given fret on string 1 through the input slot, as a user would.
  static void Append(int fret) {
    Curseur.Temps = N() + 1;
    Curseur.Corde = 1;
    Type(fret);
  }
  // Fills the current track of the current measure with n plain beats of the given code.
  static void Fill(int n, int code = 2) {
    for (int b = 1; b <= n; ++b) {
      TTemps& t = B(b);
      TempsNoireVide(t);
      t.CodeDuree = static_cast<int8_t>(code);
      t.Duree = TicksDuree(code, false, false);
      t.Notes[1].Frette = 3;
    }
    M().NbTemps[PisteCourante] = n;
    PreparerTempsSaisie();
  }
  static void AddMeasures(int total) {
    while (Partition.NbMesures < total) {
      int m = ++Partition.NbMesures;
      Partition.Mesures[m] = std::make_unique<TMesure>();
      for (int p = 1; p <= NB_PISTES; ++p) PreparerTempsSaisiePiste(p, m);
    }
  }
};
