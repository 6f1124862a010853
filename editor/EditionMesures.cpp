#include "editor/EditionMesures.h"

#include <algorithm>
#include <memory>

#include "editor/state/EtatEdition.h"
#include "editor/state/EtatProgramme.h"
#include "editor/Navigation.h"
#include "editor/state/Notificateur.h"
#include "editor/state/Partition.h"
#include "editor/Saisie.h"
#include "editor/state/VueEditeur.h"
#include "editor/EditZoneModel.h"
#include "editor/state/RedessinSaisie.h"
#include "settings/Langue.h"
#include "settings/Mess.h"
#include "song/MarkTexts.h"
#include "song/Song.h"

int NumeroRenvoi(int mesure) { return PremierPassageFin(Partition, mesure); }

namespace {

// What every edit of several measures ends with, once the cursor is placed: the revert snapshot
// taken again, the edit zone redrawn, undo and revert off (the one-level undo no longer applies),
// the score view redone and the song marked modified.
void AfterStructuralEdit() {
  MesureOrigine = *Partition.Courante();
  RafraichirZoneSaisie();
  ActiverAnnulerMesure(false);
  ActiverAnnulation(false);
  Notificateur().vueARefaire();
  Modifie = 1;
  Vierge = 0;
}

}  // namespace

void RafraichissementGlobal() {
  Curseur.Temps = 1;
  Curseur.Corde = 1;
  Partition.MesureCourante = std::clamp(Partition.MesureCourante, 1, std::max(1, Partition.NbMesures));
  AfterStructuralEdit();
  for (int p = 1; p <= NB_PISTES; ++p) VueEditeur().UpdateTrackButton(p);
  VueEditeur().RefreshActions();
}

namespace {

bool PlageValide(int premiere, int derniere) {
  return premiere >= 1 && premiere <= derniere && derniere <= Partition.NbMesures;
}

void ResetRepeats(TMesure& m) {
  m.RenvoiDebut = m.RenvoiFin = m.Repetition = 0;
  m.NbRenvois = 1;
  m.NumRepetition = 1;
}

void EmptyTrack(int piste, int mesure) {
  Partition.Mesures[mesure]->NbTemps[piste] = 0;
  PreparerTempsSaisiePiste(piste, mesure);
}

// A fresh measure at the end of the song with only input slots, the signature of the one before.
void AppendMeasure() {
  const int m = ++Partition.NbMesures;
  Partition.Mesures[m] = std::make_unique<TMesure>();
  if (const TMesure* prec = Partition.Mesure(m - 1)) {
    Partition.Mesures[m]->Numerateur = prec->Numerateur;
    Partition.Mesures[m]->Denominateur = prec->Denominateur;
    Partition.Mesures[m]->Duree = prec->Duree;
  }
  for (int p = 1; p <= NB_PISTES; ++p) EmptyTrack(p, m);
}

}  // namespace

bool PrendrePressePapier(int premiere, int derniere, int piste) {
  if (!PlageValide(premiere, derniere) || piste < 0 || piste > NB_PISTES) return false;
  PisteCopiee = piste;
  for (int p = 1; p <= NB_PISTES; ++p) NbCordesCopiees[p] = Partition.NbCordes[p];
  for (auto& c : MesuresCopiees) c.reset();
  NbMesuresCopiees = derniere - premiere + 1;
  // A measure copy copies its beats' chords and mix-table changes too (they are owned by value).
  for (int m = premiere; m <= derniere; ++m) MesuresCopiees[m - premiere] = std::make_unique<TMesure>(*Partition.Mesures[m]);
  PressePapierPlein = 1;
  return true;
}

bool CopierMesures(int premiere, int derniere, int piste) {
  if (!PrendrePressePapier(premiere, derniere, piste)) return false;
  RafraichissementGlobal();
  return true;
}

bool CouperMesures(int premiere, int derniere, int piste) {
  const TMesure& m1 = *Partition.Mesures[1];
  const uint8_t num = m1.Numerateur, den = m1.Denominateur;
  const double duree = m1.Duree;
  if (!PrendrePressePapier(premiere, derniere, piste)) return false;
  if (piste > 0) {
    for (int m = premiere; m <= derniere; ++m) EmptyTrack(piste, m);
  } else {
    const int k = derniere - premiere + 1;
    const int n = Partition.NbMesures;
    std::rotate(Partition.Mesures + premiere, Partition.Mesures + derniere + 1, Partition.Mesures + n + 1);
    for (int m = n - k + 1; m <= n; ++m) Partition.Mesures[m].reset();
    Partition.NbMesures = n - k;
  }
  if (Partition.NbMesures == 0) {
    Partition.Mesures[1] = std::make_unique<TMesure>();
    TMesure& m = *Partition.Mesures[1];
    m.Numerateur = num;
    m.Denominateur = den;
    m.Duree = duree;
    Partition.NbMesures = 1;
    for (int p = 1; p <= NB_PISTES; ++p) EmptyTrack(p, 1);
  }
  if (Partition.MesureCourante > Partition.NbMesures) Partition.MesureCourante = Partition.NbMesures;
  RafraichissementGlobal();
  return true;
}

bool ViderMesures(int premiere, int derniere, int piste) {
  if (!PlageValide(premiere, derniere) || piste < 0 || piste > NB_PISTES) return false;
  for (int m = premiere; m <= derniere; ++m) {
    if (piste > 0) {
      EmptyTrack(piste, m);
      continue;
    }
    ResetRepeats(*Partition.Mesures[m]);
    for (int p = 1; p <= NB_PISTES; ++p) EmptyTrack(p, m);
  }
  RafraichissementGlobal();
  return true;
}

QString RefusCollage() {
  if (NbMesuresCopiees < 1) return QStringLiteral("Paste-CollageImpNbCordesDiff");
  if (PisteCopiee == 0) {
    for (int p = 1; p <= NB_PISTES; ++p)
      if (Partition.NbCordes[p] != NbCordesCopiees[p]) return QStringLiteral("Paste-CollageImpNbCordesDiff");
    return {};
  }
  if (PisteCopiee == PISTE_PERCUSSION && PisteCourante != PISTE_PERCUSSION)
    return QStringLiteral("Paste-ImpossibleCollerDepuisPercussions");
  if (PisteCopiee != PISTE_PERCUSSION && PisteCourante == PISTE_PERCUSSION)
    return QStringLiteral("Paste-ImpossibleCollerVersPercussions");
  if (NbCordesCopiees[PisteCopiee] != Partition.NbCordes[PisteCourante])
    return QStringLiteral("Paste-CollageImpNbCordesDiff");
  return {};
}

int MesuresApresCollage(int fois, PlacementCollage placement) {
  const long long ajout = static_cast<long long>(std::max(fois, 0)) * NbMesuresCopiees;
  const long long n = Partition.NbMesures;
  if (placement != PlacementCollage::Remplacer) return static_cast<int>(std::min<long long>(n + ajout, 1 << 30));
  return static_cast<int>(std::min<long long>(std::max(n, Partition.MesureCourante + ajout - 1), 1 << 30));
}

bool CollerMesures(int fois, PlacementCollage placement) {
  const QString refus = RefusCollage();
  if (!refus.isEmpty()) {
    MessageBoxD(TexteLangue("Dlg-Erreur"), TexteLangue(refus), MB_ICONE_ERREUR, MB_OK, MB_DEF_OK);
    return false;
  }
  if (fois < 1) return false;
  // Every measure that would be added is counted before anything changes.
  if (RefuserSiTropDeMesures(MesuresApresCollage(fois, placement) - Partition.NbMesures)) return false;
  const int nb = NbMesuresCopiees;
  if (placement == PlacementCollage::Inserer && !InsererMesuresVides(fois * nb)) return false;
  const int piste = PisteCourante;
  int debut = placement == PlacementCollage::Fin ? Partition.NbMesures + 1 : Partition.MesureCourante;
  for (int i = 1; i <= fois; ++i, debut += nb) {
    for (int k = 0; k < nb; ++k) {
      const int m = debut + k;
      while (m > Partition.NbMesures) AppendMeasure();
      const TMesure& source = *MesuresCopiees[k];
      TMesure& cible = *Partition.Mesures[m];
      if (PisteCopiee == 0) {
        cible = source;
        continue;
      }
      cible.Numerateur = source.Numerateur;
      cible.Denominateur = source.Denominateur;
      cible.Duree = source.Duree;
      const int n = std::clamp<int>(source.NbTemps[PisteCopiee], 0, NB_TEMPS_MAX);
      cible.NbTemps[piste] = n;
      for (int b = 1; b <= n; ++b) cible.Temps[piste][b] = source.Temps[PisteCopiee][b];
      // The slot after the pasted beats is the track's input slot, whatever stood there before.
      PreparerTempsSaisiePiste(piste, m);
    }
  }
  RafraichissementGlobal();
  return true;
}

bool InsererMesure() {
  if (!InsererMesuresVides(1)) return false;
  Curseur.Temps = 1;  // the string stays; no track gains or loses beats, so no button changes
  AfterStructuralEdit();
  VueEditeur().RefreshActions();
  return true;
}

bool SignatureValide(int numerateur, int denominateur) {
  const bool denBon = denominateur == 1 || denominateur == 2 || denominateur == 4 || denominateur == 8 ||
                      denominateur == 16 || denominateur == 32;
  return numerateur >= 1 && numerateur <= 32 && denBon;
}

void AppliquerSignature(int numerateur, int denominateur, bool jusquALaFin) {
  if (!SignatureValide(numerateur, denominateur)) return;
  const int fin = jusquALaFin ? Partition.NbMesures : Partition.MesureCourante;
  for (int m = Partition.MesureCourante; m <= fin; ++m) {
    TMesure& me = *Partition.Mesures[m];
    me.Numerateur = static_cast<uint8_t>(numerateur);
    me.Denominateur = static_cast<uint8_t>(denominateur);
    me.Duree = numerateur * 4.0 / denominateur;
  }
  RafraichissementGlobal();
}

namespace {
void AfterRepeatMark() {
  VueEditeur().RefreshActions();
  if (PleinEcranActif) ValiderMesure();
}
}  // namespace

void BasculerRenvoiDebut() {
  SauverAnnulation();
  TMesure& m = *Partition.Courante();
  m.RenvoiDebut = !m.RenvoiDebut;
  DessinerRenvoiDebut();
  AfterRepeatMark();
}

bool RenvoiFinDansRepetition() { return NumeroRenvoi(Partition.MesureCourante + 1) > 1; }

void PoserRenvoiFin(bool poser, int nbRenvois) {
  SauverAnnulation();
  TMesure& m = *Partition.Courante();
  m.RenvoiFin = poser;
  if (poser) m.NbRenvois = static_cast<uint8_t>(std::clamp(nbRenvois, 1, 99));
  DessinerRenvoiFin();
  AfterRepeatMark();
}

void PoserRepetition(bool poser, int numero) {
  SauverAnnulation();
  TMesure& m = *Partition.Courante();
  m.Repetition = poser;
  if (poser) m.NumRepetition = static_cast<uint8_t>(std::clamp(numero, 1, 99));
  DessinerRepetition();
  VueEditeur().RefreshActions();
}
