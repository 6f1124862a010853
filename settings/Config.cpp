#include "settings/Config.h"

TCONFIG Configuration;
TParamEcran ParamEcran, ParamEcran_US1, ParamEcran_US2, ParamEcran_US3, ParamEcranMem;
TZoneImpression ZoneImpression, ZoneImpression_US1, ZoneImpression_US2, ZoneImpression_US3, ZoneImpressionMem;
QString DerniersFichiers[NB_FICHIERS_RECENTS + 1];
QString RepertoireAppli;
QString Repertoire;
QString RepWindows;
int32_t LangueAide = 0;
TPorteursPolices PorteursPolices;

TMyFont* PolicesDe(TParamEcran& p, int index) {
  TMyFont* f[NB_POLICES_ECRAN] = {&p.FontNotes, &p.FontAcc, &p.FontTxt, &p.FontSign, &p.FontNum, &p.FontRenv};
  return (index >= 0 && index < NB_POLICES_ECRAN) ? f[index] : nullptr;
}

TMyFont* PolicesDe(TZoneImpression& z, int index) {
  TMyFont* f[NB_POLICES_IMP] = {&z.FontTitle_Prt, &z.FontAuteur_Prt, &z.FontComment_Prt, &z.FontNumPage_Prt,
                                &z.FontNotes_Prt, &z.FontAcc_Prt,    &z.FontTxt_Prt,     &z.FontSign_Prt,
                                &z.FontAccDiag_Prt, &z.FontRenv_Prt};
  return (index >= 0 && index < NB_POLICES_IMP) ? f[index] : nullptr;
}

void ChargerPolices() {
  TParamEcran* ecrans[4] = {&ParamEcran, &ParamEcran_US1, &ParamEcran_US2, &ParamEcran_US3};
  TZoneImpression* imps[4] = {&ZoneImpression, &ZoneImpression_US1, &ZoneImpression_US2, &ZoneImpression_US3};
  for (int jeu = 0; jeu < 4; ++jeu) {
    for (int i = 0; i < NB_POLICES_ECRAN; ++i) PorteursPolices.Ecran[jeu][i] = *PolicesDe(*ecrans[jeu], i);
    for (int i = 0; i < NB_POLICES_IMP; ++i) PorteursPolices.Imp[jeu][i] = *PolicesDe(*imps[jeu], i);
  }
}
