#pragma once
// A fresh song and the default screen layout for the score-view tests; the view's globals are
// put back afterwards.
#include <gtest/gtest.h>

#include "editor/state/EtatEdition.h"
#include "editor/state/Partition.h"
#include "settings/Config.h"
#include "settings/ConfigFile.h"
#include "song/Song.h"
#include "view/MiseEnPageVue.h"

class VueTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ecran = ParamEcran;
    polices = PorteursPolices;
    config = Configuration;
    NouvellePartition();
    PisteCourante = 1;
    ParamEcranParDefaut(ParamEcran, false);
    InitParamEcran(ParamEcran);
    ChargerPolices();
    Configuration.ShowDynamic = Configuration.ShowLetRingNotes = false;
    VuePartition = TVuePartition{};
    Taille(800, 600, 608);
  }
  void TearDown() override {
    VuePartition = TVuePartition{};
    ParamEcran = ecran;
    PorteursPolices = polices;
    Configuration = config;
    NouvellePartition();
  }
  // Sizes the ring: panel width and height, visible height.
  static void Taille(int largeur, int hauteur, int visible) {
    DimensionnerBandes(VuePartition, ParamEcran, 6, largeur + 6, hauteur, visible);
  }
  static TMesure& M(int m) {
    while (Partition.NbMesures < m) {
      const int n = ++Partition.NbMesures;
      Partition.Mesures[n] = std::make_unique<TMesure>();
    }
    return *Partition.Mesures[m];
  }
  // Appends a beat of a duration code to track 1 of measure m, a fret on string `corde` (0: none).
  static TTemps& Temps(int m, int code, int frette = 5, int corde = 3, bool pointee = false) {
    TMesure& mes = M(m);
    TTemps& t = mes.Temps[1][++mes.NbTemps[1]];
    ViderTemps(t);
    t.CodeDuree = static_cast<int8_t>(code);
    t.Pointee = pointee;
    t.Duree = TicksDuree(code, pointee, false);
    if (frette >= 0 && corde > 0) t.Notes[corde].Frette = static_cast<int8_t>(frette);
    return t;
  }
  static TTemps& Silence(int m, int code) {
    TTemps& t = Temps(m, code, -1, 0);
    t.Silence = 1;
    return t;
  }
  // Measures 1..n, each four quarters.
  static void Noires(int n) {
    for (int m = 1; m <= n; ++m)
      for (int b = 0; b < 4; ++b) Temps(m, 0);
  }
  static const TMesureVue& V(int m) { return VuePartition.Mesures[m]; }
  static void Mettre() { CalculerLignes(); }

  TParamEcran ecran;
  TPorteursPolices polices;
  TCONFIG config;
};
