#pragma once
// The printed page's layout, as data computed from a const song: the millimetre scale, the beat
// spacing of the current track, its breaking into justified systems and the breaking of the
// systems into pages. All positions are logical millimetres from the page's top-left corner
// (one logical mm is Zoom physical mm); the renderers turn them into pixels of their own canvas,
// so the printer and the preview draw the very same pages.
#include <QString>
#include <vector>

#include "song/Song.h"

struct TZoneImpression;

// Fixed sizes of the printed score, in logical millimetres.
namespace Imp {
constexpr double EcartSystemes = 30.0, EcartCordes = 2.75, PosDiagAc = 8.5, PosNomAc = 6.8, PosTexte = 9.8,
                 CaseDiag = 1.6, EpLignes = 0.1, EpBarreFine = 0.3, EpBarreEpaisse = 1.1, EcartBarres = 1.0,
                 RayonPointRenvoi = 0.5, EcartPointRenvoi = 1.0, MargeBlancFrette = 0.3, LongHampe = 4.0,
                 EpCrochet = 0.5, EcartCrochets = 1.0, LongCrochetPartiel = 2.0, EpHampe = 0.15,
                 EcartHampeFrette = 0.2, HampeBlanche = 2.0, EcartPointDuree = 1.0, RayonPointDuree = 0.25,
                 EpSlide = 0.15, EpBend = 0.15, PosEffetsTemps = 3.5, EpVibrato = 0.15, PasVibrato = 0.6,
                 EpVibratoBarre = 0.2, PasVibratoBarre = 0.9, EpCoupVibrato = 0.2, PosNbRenvois = 3.0,
                 EpRepetition = 0.2, HauteurRepetition = 4.0, LongRepetition = 10.0, PosSignature = 1.5,
                 EpTriolet = 0.2, PosTriolet = 1.0, HauteurTriolet = 1.5, EpLiaison = 0.2, MargePremiereMesure = 2.0,
                 MargeRenvoiDebut = 3.5, MargeSignature = 3.5, MargeDerniereMesure = 2.0, MargeRenvoiFin = 3.5;
}  // namespace Imp

constexpr int NB_LARGEURS_MIN_IMP = 769;  // round(ticks / 5) up to 3840 ticks

// The spacing values derived from the print settings, and the preview's page scale (kept from
// one opening of the preview to the next).
struct TParamImpression {
  double LargeurMin[NB_LARGEURS_MIN_IMP] = {};
  double LargeurBase = 5, EspAvantTemps = 5, EspApresTemps = 0;
  double CoefP = 1.5;  // the proportion coefficient of beat widths
  double EchelleApercu = 1.0;
  bool PremierApercu = true;
};
extern TParamImpression ParamImpression;

// Sets the preview's first-opening flag and the spacing (start-up).
void InitParamImpression();
// The spacing values from CoefEspAff_Prt and CoefPAff_Prt (also after the preferences change).
void CalculeParamImpression(TParamImpression& pi, const TZoneImpression& z);
void CalculeParamImpression();
// The global proportion factor of GlobalProportions_Prt (-40..40): 20 doubles, -20 halves.
double ZoomProportions(int g);
// Name of a MIDI pitch for the tuning column: always sharps, no octave.
QString NomNote(int hauteur);

// Layout of one measure of the track: beat x from the start of the beats area (then, once the
// system is placed, from the left margin), the beats area's width (then its end), the extra spaces.
struct TMesureImp {
  int Mesure = 0;
  int NbTemps = 0;
  double XImp[NB_SLOTS_TEMPS + 1] = {};
  double LargeurImp = 0;
  double MargeGaucheImp = 0, MargeDroiteImp = 0;
  double XDebut = 0, XFin = 0;  // the measure's left and right edge (bars), from the left margin
};
// Beat positions, width and extra spaces of measure m before justification.
TMesureImp CalculerLargeursImp(const TPartition& p, int piste, const TParamImpression& pi, int m);

struct TSystemeImp {
  int Debut = 0, Fin = 0;
  double Y = 0;  // top string line
  std::vector<TMesureImp> Mesures;  // Debut..Fin, placed
};
// Lays out the system starting at `debut` on a line `largeur` mm wide and places it.
TSystemeImp MettreEnSysteme(const TPartition& p, int piste, const TParamImpression& pi, int debut, double largeur);

struct TPageImp {
  int Numero = 1;
  std::vector<TSystemeImp> Systemes;
};

// The page geometry: the page size in physical mm (the printable area of the printer), and the
// margins in logical mm after the area mode and the zoom.
struct TGeometrieImp {
  double LargeurPageMm = 210, HauteurPageMm = 297;  // physical
  double Zoom = 1;
  double G = 0, D = 0, H = 0, B = 0;   // margins in logical mm, as used by the layout
  double G0 = 0, D0 = 0, H0 = 0, B0 = 0;  // the configured margins (physical mm), for the frame
  double Wp() const { return LargeurPageMm / Zoom; }  // page size in logical mm
  double Hp() const { return HauteurPageMm / Zoom; }
};
TGeometrieImp GeometrieImpression(const TZoneImpression& z, double largeurPageMm, double hauteurPageMm);

struct TMiseEnPageImp {
  TGeometrieImp Geo;
  int Piste = 1;
  int NbCordes = 6;
  bool LigneTriolet = false;  // the header's triplet-feel line is present
  double HauteurListeAccords = 0;
  std::vector<TPageImp> Pages;
  int NbPages() const { return static_cast<int>(Pages.size()); }
};

// The triplet-feel line of the header is printed (triplet feel or a capo, and the option set).
bool LigneTripletPresente(const TPartition& p, int piste, const TZoneImpression& z);
// Height taken by page 1's chord block, and the number of diagrams per row on a line r mm wide.
double HauteurListeAccords(const TZoneImpression& z, int nbAccords, double largeurLigne);
int DiagrammesParRangee(const TZoneImpression& z, double largeurLigne);
// Size factor of the chord diagrams from ChordSize_Prt.
double FacteurDiagramme(int chordSize);

// The whole printed document of a track: every page with its systems.
TMiseEnPageImp MiseEnPageImpression(const TPartition& p, int piste, const TZoneImpression& z,
                                    const TParamImpression& pi, double largeurPageMm, double hauteurPageMm,
                                    int nbAccords);

// A page range from the print dialog's texts: an unreadable number counts as 0; a first page
// with no last page gives that page alone; a reversed range is swapped. (0, 0): every page.
void PlagePages(bool pages, const QString& debut, const QString& fin, int& premiere, int& derniere);

// The preview's zoom keeps the page scale within 0.15..2.0; a zoom step is a factor 1.3.
constexpr double ECHELLE_APERCU_MIN = 0.15, ECHELLE_APERCU_MAX = 2.0;
double BornerEchelleApercu(double e);
// A scale fitted to the window (page width, full page, the first opening) keeps only the lower
// bound: a wide window shows the page wider than the zoom goes.
double EchelleApercuAjustee(double e);
double ZoomAvantApercu(double e);
double ZoomArriereApercu(double e);
// A page number within 1..nbPages (1 when there is no page).
int BornerPage(int page, int nbPages);
