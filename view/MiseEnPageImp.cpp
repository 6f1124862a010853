#include "view/MiseEnPageImp.h"

#include <algorithm>
#include <cmath>

#include "settings/Config.h"
#include "view/Espacement.h"

TParamImpression ParamImpression;

void InitParamImpression() {
  ParamImpression.PremierApercu = true;
  CalculeParamImpression();
}

void CalculeParamImpression(TParamImpression& pi, const TZoneImpression& z) {
  double k = z.CoefEspAff_Prt / 10.0 + 0.5;
  if (k > 1) k *= k;
  pi.LargeurBase = 5 * k;
  pi.EspAvantTemps = 5 * k;
  pi.EspApresTemps = 0;
  pi.CoefP = z.CoefPAff_Prt;
  std::fill(std::begin(pi.LargeurMin), std::end(pi.LargeurMin), 0.0);
  // Index: round(ticks / 5). Eighth and sixteenth triplets and 64ths impose no minimum.
  for (int i : {12, 18, 24, 36, 48, 72}) pi.LargeurMin[i] = 5 * k;
  for (int i : {64, 96, 144}) pi.LargeurMin[i] = 6 * k;
  for (int i : {128, 192}) pi.LargeurMin[i] = 7 * k;
  for (int i : {256, 288}) pi.LargeurMin[i] = 8 * k;
  for (int i : {384, 512, 576}) pi.LargeurMin[i] = 9 * k;
  pi.LargeurMin[768] = 10 * k;
}

void CalculeParamImpression() { CalculeParamImpression(ParamImpression, ZoneImpression); }

double ZoomProportions(int g) {
  if (g > 0) return g / 20.0 + 1;
  if (g < 0) return 1 / (-g / 20.0 + 1);
  return 1.0;
}

QString NomNote(int hauteur) {
  static const char* const noms[12] = {"C", "C#", "D", "D#", "E", "F", "F#", "G", "G#", "A", "A#", "B"};
  return QString::fromLatin1(noms[((hauteur % 12) + 12) % 12]);
}

TMesureImp CalculerLargeursImp(const TPartition& p, int piste, const TParamImpression& pi, int m) {
  TMesureImp r;
  r.Mesure = m;
  const TMesure* mes = p.Mesure(m);
  if (!mes) return r;
  const int n = std::clamp<int>(mes->NbTemps[piste], 0, NB_SLOTS_TEMPS);
  r.NbTemps = n;
  int dmax = 0;
  for (int i = 1; i <= n; ++i) dmax = std::max<int>(dmax, mes->Temps[piste][i].Duree);
  double x = 0;
  for (int i = 1; i <= n; ++i) {
    r.XImp[i] = x;
    x += LargeurProportionnelle(pi.LargeurBase, pi.CoefP, mes->Temps[piste][i].Duree, dmax);
  }
  r.LargeurImp = x;
  // The whole measure widens uniformly until every beat has its minimum.
  double f = 1;
  for (int i = 1; i <= n; ++i) {
    const double gap = (i < n ? r.XImp[i + 1] : r.LargeurImp) - r.XImp[i];
    const int idx = Arrondi(mes->Temps[piste][i].Duree / 5.0);
    if (gap <= 0 || idx < 0 || idx >= NB_LARGEURS_MIN_IMP) continue;
    f = std::max(f, pi.LargeurMin[idx] / gap);
  }
  if (f > 1) {
    for (int i = 1; i <= n; ++i) r.XImp[i] *= f;
    r.LargeurImp *= f;
  }
  const TMargesMesure marges{Imp::MargePremiereMesure, Imp::MargeRenvoiDebut, Imp::MargeSignature,
                             Imp::MargeDerniereMesure, Imp::MargeRenvoiFin};
  std::tie(r.MargeGaucheImp, r.MargeDroiteImp) = MargesMesure(p, m, marges);
  return r;
}

static double Pad(const TParamImpression& pi, const TMesureImp& m) {
  return pi.EspAvantTemps + pi.EspApresTemps + m.MargeGaucheImp + m.MargeDroiteImp;
}

TSystemeImp MettreEnSysteme(const TPartition& p, int piste, const TParamImpression& pi, int debut, double largeur) {
  TSystemeImp s;
  s.Debut = debut;
  std::vector<TMesureImp> calculees;
  double W = 0, P = 0;
  const int fin = FinDeLigne(
      debut, p.NbMesures, largeur,
      [&](int m) {
        calculees.push_back(CalculerLargeursImp(p, piste, pi, m));
        return std::make_pair(calculees.back().LargeurImp, Pad(pi, calculees.back()));
      },
      W, P);
  s.Fin = fin;
  calculees.resize(fin - debut + 1);
  // Pads are never stretched: only the beat areas take the justification.
  const bool justifiee = LigneJustifiee(fin == p.NbMesures, largeur, W + P);
  const double E = (justifiee && W > 0) ? (largeur - P) / W : 1.0;
  double F = 0;
  for (TMesureImp& m : calculees) {
    const double xo = F + pi.EspAvantTemps + m.MargeGaucheImp;
    for (int i = 1; i <= m.NbTemps; ++i) m.XImp[i] = m.XImp[i] * E + xo;
    m.LargeurImp = m.LargeurImp * E + xo;
    m.XDebut = F;
    m.XFin = m.LargeurImp + pi.EspApresTemps + m.MargeDroiteImp;
    F = m.XFin;
  }
  s.Mesures = std::move(calculees);
  return s;
}

TGeometrieImp GeometrieImpression(const TZoneImpression& z, double largeurPageMm, double hauteurPageMm) {
  TGeometrieImp g;
  g.LargeurPageMm = largeurPageMm;
  g.HauteurPageMm = hauteurPageMm;
  g.Zoom = ZoomProportions(z.GlobalProportions_Prt);
  g.G0 = g.G = z.MargeGaucheLignes;
  g.D0 = g.D = z.MargeDroiteLignes;
  g.H0 = g.H = z.MargeHautePart;
  g.B0 = g.B = z.MargeBassePart;
  if (!z.FullPage) {
    // A chosen area: the right and bottom margins close it; centred, each pair takes its mean.
    g.D = largeurPageMm + g.D0 - g.G0 - z.Largeur_Prt;
    g.B = hauteurPageMm + g.B0 - g.H0 - z.Hauteur_Prt;
    if (z.Center_Prt) {
      g.G = g.D = (g.G + g.D) / 2;
      g.H = g.B = (g.H + g.B) / 2;
    }
  }
  // The margins stay physical while the content scales.
  g.G /= g.Zoom;
  g.D /= g.Zoom;
  g.H /= g.Zoom;
  g.B /= g.Zoom;
  return g;
}

bool LigneTripletPresente(const TPartition& p, int piste, const TZoneImpression& z) {
  return z.AffTriplet_Prt && (p.TripletFeel == 1 || p.Capo[piste] > 0);
}

double FacteurDiagramme(int c) {
  if (c > 0) return 1 + c / 40.0;
  if (c < 0) return 1 / (1 + (-c) / 40.0);
  return 1.0;
}

int DiagrammesParRangee(const TZoneImpression& z, double r) {
  const double d = 5 * Imp::CaseDiag * FacteurDiagramme(z.ChordSize_Prt);
  // At least one diagram per row, however narrow the line.
  return std::max(1, static_cast<int>(r / (d + 2 * d / 3)));
}

double HauteurListeAccords(const TZoneImpression& z, int nbAccords, double r) {
  if (!z.AffListChord_Prt || nbAccords <= 0) return 0;
  const double d = 5 * Imp::CaseDiag * FacteurDiagramme(z.ChordSize_Prt);
  const int L = (nbAccords - 1) / DiagrammesParRangee(z, r);
  return L * 5 * d / 3 + 15;
}

TMiseEnPageImp MiseEnPageImpression(const TPartition& p, int piste, const TZoneImpression& z,
                                    const TParamImpression& pi, double largeurPageMm, double hauteurPageMm,
                                    int nbAccords) {
  TMiseEnPageImp mp;
  mp.Geo = GeometrieImpression(z, largeurPageMm, hauteurPageMm);
  const TGeometrieImp& g = mp.Geo;
  mp.Piste = piste;
  const int n = std::clamp<int>(p.NbCordes[piste], 1, NB_CORDES_MAX);
  mp.NbCordes = n;
  mp.LigneTriolet = LigneTripletPresente(p, piste, z);
  const double largeur = g.Wp() - g.G - g.D;
  mp.HauteurListeAccords = HauteurListeAccords(z, nbAccords, largeur);

  double y = g.H + 55 + z.Esp_Titre_Auteur_Prt / 2.0 + z.Esp_Auteur_Tab_Prt / 2.0 - (mp.LigneTriolet ? 0 : 8) +
             mp.HauteurListeAccords;
  const double bas = g.Hp() - g.B;
  const double pas = Imp::EcartSystemes + z.EspPortees_Prt / 2.0 + (n - 1) * Imp::EcartCordes;
  mp.Pages.push_back(TPageImp{1, {}});
  int m = 1;
  while (m <= p.NbMesures) {
    TSystemeImp s = MettreEnSysteme(p, piste, pi, m, largeur);
    s.Y = y;
    m = s.Fin + 1;
    mp.Pages.back().Systemes.push_back(std::move(s));
    y += pas;
    // The next system's beam line plus 8 mm must stay above the bottom margin.
    if (m <= p.NbMesures && bas < y + n * Imp::EcartCordes + Imp::LongHampe + Imp::PosTriolet + 2 + 5) {
      mp.Pages.push_back(TPageImp{mp.NbPages() + 1, {}});
      // Pages after the first have no header. What stands above a system (chord diagrams, names,
      // texts) grows with the zoom while the margin stays physical, so from a zoom of 1 up the
      // system keeps the room it has at 1 and its diagrams stay on the paper.
      y = std::max(g.H, g.H * g.Zoom) + 10;
    }
  }
  return mp;
}

void PlagePages(bool pages, const QString& debut, const QString& fin, int& premiere, int& derniere) {
  premiere = derniere = 0;
  if (!pages) return;
  bool ok = false;
  premiere = debut.trimmed().toInt(&ok);
  if (!ok) premiere = 0;
  derniere = fin.trimmed().toInt(&ok);
  if (!ok) derniere = 0;
  if (premiere > 0 && derniere == 0) derniere = premiere;
  if (derniere < premiere) std::swap(premiere, derniere);
}

double BornerEchelleApercu(double e) {
  if (!(e == e)) return 1.0;  // not a number
  return std::clamp(e, ECHELLE_APERCU_MIN, ECHELLE_APERCU_MAX);
}
double EchelleApercuAjustee(double e) {
  if (!(e == e)) return 1.0;  // not a number
  return std::max(e, ECHELLE_APERCU_MIN);
}
double ZoomAvantApercu(double e) { return BornerEchelleApercu(e * 1.3); }
double ZoomArriereApercu(double e) { return BornerEchelleApercu(e / 1.3); }
int BornerPage(int page, int nbPages) { return std::clamp(page, 1, std::max(1, nbPages)); }
