#include "editor/state/Partition.h"

#include <QFileInfo>
#include <algorithm>
#include <cmath>

#include "song/Song.h"
#include "editor/state/VueEditeur.h"
#include "editor/state/Notificateur.h"
#include "song/ListesAccords.h"
#include "editor/state/EtatEdition.h"
#include "editor/state/EtatProgramme.h"
#include "editor/state/TempsSaisie.h"
#include "editor/state/RedessinSaisie.h"
#include "settings/Config.h"
#include "settings/Langue.h"
#include "settings/Mess.h"

void NouvellePartition() {
  CheminFichier = TexteLangue("Fichier-SansNom");
  NomFichier.clear();
  Modifie = 1;
  Vierge = 1;
  Partition.NbPistes = NB_PISTES;
  PisteCourante = 1;
  Partition.Titre.clear();
  Partition.Auteur.clear();
  VueEditeur().ShowTitle();
  Partition.Commentaire.clear();
  Partition.TripletFeel = 0;
  Partition.Tempo = 120;
  Partition.Armure = 0;

  // Measure 1's block is kept but starts from scratch, like every new block.
  if (Partition.Mesures[1])
    *Partition.Mesures[1] = TMesure();
  else
    Partition.Mesures[1] = std::make_unique<TMesure>();
  for (int m = 2; m <= NB_MESURES_MAX; ++m) Partition.Mesures[m].reset();
  ViderListeAccords(AccordsImprimer, NbAccordsImprimer);
  ViderListeAccords(AccordsDejaUtilises, NbAccordsDejaUtilises);
  Partition.NbMesures = 1;
  Partition.MesureCourante = 1;
  TMesure& m1 = *Partition.Mesures[1];
  m1.Numerateur = 4;
  m1.Denominateur = 4;
  m1.Duree = 4.0;
  for (int p = 1; p <= NB_PISTES; ++p) m1.NbTemps[p] = 0;
  m1.RenvoiDebut = m1.RenvoiFin = m1.Repetition = 0;
  m1.NumRepetition = 1;
  m1.NbRenvois = 1;

  ZoneImpression.PageApercu = 1;
  ZoneImpression.NbPagesApercu = 1;

  Curseur.TaillePolice = 10;
  Curseur.XSaisie = 30;
  Curseur.YSaisie = 48;
  Curseur.EcartCordes = 14;
  Curseur.EcartTemps = 50;
  Curseur.LargeurSaisie = 570;

  static const int accordage[NB_CORDES_MAX + 1] = {0, 64, 59, 55, 50, 45, 40};
  for (int p = 1; p <= NB_PISTES; ++p) {
    Partition.NomPiste[p].clear();
    Partition.Instrument[p] = p == PISTE_PERCUSSION ? 0 : 24;
    Partition.NbCordes[p] = 6;
    for (int s = 1; s <= NB_CORDES_MAX; ++s) Partition.Accordage[p][s] = accordage[s];
    Partition.Solo[p] = Partition.Muette[p] = Partition.PasExporter[p] = Partition.DouzeCordes[p] = 0;
    Partition.Volume[p] = 100;
    Partition.Panoramique[p] = 64;
    Partition.Chorus[p] = Partition.Reverb[p] = Partition.Capo[p] = 0;
    Partition.NbFrettes[p] = 24;
  }
  Partition.NomPiste[PISTE_PERCUSSION] = QStringToAnsi(TexteLangue("Gene-Percussions"));
  for (int s = 1; s <= NB_CORDES_MAX; ++s) Partition.Accordage[PISTE_PERCUSSION][s] = 0;
  Partition.NbFrettes[PISTE_PERCUSSION] = 99;
  Partition.SoloActif = 0;
  Partition.PisteSolo = 0;

  for (int p = 1; p <= NB_PISTES; ++p) {
    PisteCourante = p;
    PreparerTempsSaisie();
  }
  PisteCourante = 1;

  VueEditeur().UpdateTrackMenu();
  for (int p = 1; p <= NB_PISTES; ++p) VueEditeur().UpdateTrackButton(p);
}

void FinRemplacementPartition(bool chargee) {
  PisteCourante = 1;
  Partition.MesureCourante = 1;
  if (!Partition.Mesures[1]) Partition.Mesures[1] = std::make_unique<TMesure>();
  MesureOrigine = *Partition.Mesures[1];
  Curseur.Temps = 1;
  Curseur.Corde = 1;
  Modifie = 0;
  // The undo copy and the measure snapshot belong to the song that went.
  ActiverAnnulation(false);
  ActiverAnnulerMesure(false);
  TVueEditeur& vue = VueEditeur();
  vue.ShowDrumAssistant(false);  // it belongs to track 8
  vue.SetCaption(TitreProgramme + QStringLiteral(" - ") + QFileInfo(CheminFichier).fileName());
  vue.ShowTitle();
  vue.UpdateTrackMenu();
  for (int p = 1; p <= NB_PISTES; ++p) vue.UpdateTrackButton(p);
  RafraichirZoneSaisie();
  Notificateur().partitionRemplacee();
  vue.SongReplaced(chargee);
  vue.RefreshActions();
}

double TexteEnReel(const QString& texte) {
  QString t = texte.trimmed();
  t.replace(',', '.');
  bool ok = false;
  double v = t.toDouble(&ok);
  // "nan" and "inf" parse, but no dialog value may be one: they would reach integer conversions.
  return ok && std::isfinite(v) ? v : 0.0;
}

int32_t TexteEnEntier(const QString& texte, bool* ok) {
  bool bon = false;
  int32_t v = texte.trimmed().toInt(&bon, 10);
  if (ok) {
    *ok = bon;
    return bon ? v : 0;
  }
  if (!bon) throw ErreurConversion("'" + texte.toStdString() + "' is not a valid integer value");
  return v;
}

void ViderPisteToutesMesures(int piste) {
  if (piste < 1 || piste > NB_PISTES) return;
  for (int m = 1; m <= Partition.NbMesures; ++m) {
    if (!Partition.Mesures[m]) continue;
    Partition.Mesures[m]->NbTemps[piste] = 0;
    PreparerTempsSaisiePiste(piste, m);
  }
}

void SupprimerMesuresVidesFin() {
  while (Partition.NbMesures > 1) {
    const TMesure* m = Partition.Mesure(Partition.NbMesures);
    if (m) {
      bool vide = true;
      for (int p = 1; p <= std::min<int>(Partition.NbPistes, NB_PISTES); ++p)
        if (m->NbTemps[p] > 0) vide = false;
      if (!vide) break;
    }
    Partition.Mesures[Partition.NbMesures].reset();
    Partition.NbMesures -= 1;
  }
  // The current measure stays, unless it was one of those dropped: a current measure without its
  // block would bring down the next redraw.
  if (Partition.MesureCourante > Partition.NbMesures) Partition.MesureCourante = Partition.NbMesures;
}

bool RefuserSiTropDeMesures(int ajout) {
  if (ajout <= NB_MESURES_MAX - Partition.NbMesures) return false;
  QString texte = TexteLangue("Gene-MesuresMax");
  MessageBoxD(TexteLangue("Dlg-Attention"), texte, MB_ICONE_ATTENTION, MB_OK, MB_DEF_OK);
  return true;
}

bool VerifierAvantLecture() { return true; }

bool VerifierDureesMesures() {
  for (int t = 1; t <= NB_PISTES; ++t) {
    bool aDesTemps = false;
    for (int m = 1; m <= Partition.NbMesures && !aDesTemps; ++m)
      if (Partition.Mesures[m] && Partition.Mesures[m]->NbTemps[t] > 0) aDesTemps = true;
    if (!aDesTemps) continue;
    for (int m = 1; m <= Partition.NbMesures; ++m) {
      if (MesureComplete(t, m)) continue;
      PisteCourante = t;
      Partition.MesureCourante = m;
      MesureOrigine = *Partition.Courante();
      Curseur.Temps = 1;
      Curseur.Corde = std::clamp(Curseur.Corde, 1, std::max(1, Partition.NbCordes[t]));
      RafraichirZoneSaisie();
      Notificateur().vueARefaire();
      ActiverAnnulerMesure(false);
      ActiverAnnulation(false);
      VueEditeur().UpdateTrackMenu();
      VueEditeur().ShowDrumAssistant(t == PISTE_PERCUSSION);
      VueEditeur().RefreshActions();
      MessageBoxD(TexteLangue("Dlg-Attention"), RemplacerParam1et2(TexteLangue("AssCD-DureeInvalide"), m, t),
                  MB_ICONE_ATTENTION, MB_OK, MB_DEF_OK, MB_CENTRE);
      return false;
    }
  }
  MessageBoxD(TexteLangue("Dlg-Information"), TexteLangue("AssCD-VerificationTerminee"), MB_ICONE_INFORMATION,
              MB_OK, MB_DEF_OK, MB_CENTRE);
  return true;
}

bool InsererMesuresVides(int n) {
  if (n <= 0) return true;
  if (RefuserSiTropDeMesures(n)) return false;
  const int ancien = Partition.NbMesures;
  const int cour = std::clamp(Partition.MesureCourante, 1, ancien);
  for (int i = 1; i <= n; ++i) Partition.Mesures[ancien + i] = std::make_unique<TMesure>();
  Partition.NbMesures = ancien + n;
  // The measures from the current one on move n places back; the fresh blocks take their place.
  std::rotate(Partition.Mesures + cour, Partition.Mesures + ancien + 1, Partition.Mesures + ancien + n + 1);
  for (int k = cour + n - 1; k >= cour; --k) {
    TMesure& m = *Partition.Mesures[k];
    const TMesure& suivante = *Partition.Mesures[k + 1];
    for (int p = 1; p <= NB_PISTES; ++p) m.NbTemps[p] = 0;
    m.RenvoiDebut = m.RenvoiFin = m.Repetition = 0;
    m.NbRenvois = 1;
    m.NumRepetition = 1;
    m.Numerateur = suivante.Numerateur;
    m.Denominateur = suivante.Denominateur;
    m.Duree = suivante.Duree;
    for (int p = 1; p <= NB_PISTES; ++p) ReinitialiserPremierTemps(k, p);
    ContinueLastDuration(m.Temps[PisteCourante][1], suivante, PisteCourante);
  }
  return true;
}
