#pragma once
// The score view's layout, as data computed from a const song: beat positions, measure margins,
// the breaking of the current track into justified lines, the ring of band images that shows the
// lines, the chord-diagram strip, the current-measure frame and what a click in a band points at.
// No widget here: the score-view window applies these numbers and the renderers draw from them.
#include <cstdint>
#include <functional>
#include <vector>

#include "song/Song.h"

struct TParamEcran;

constexpr int NB_BANDES_MAX = 30;

// Layout values of one measure of the current track. X of a beat and the beats area's end
// (LargeurTemps) are relative to the line's left margin once the line is placed; XDebut, XFin
// (left margin included) and YPortee (top staff line in the band) follow from the line.
struct TMesureVue {
  int32_t LargeurTemps = 0;
  int32_t MargeGauche = 0;
  int32_t MargeDroite = 0;
  int32_t Ligne = 0;
  int32_t XDebut = 0;
  int32_t XFin = 0;
  int32_t YPortee = 0;
  int32_t NbTemps = 0;
  int32_t X[NB_SLOTS_TEMPS + 1] = {};
};

struct TVuePartition {
  int32_t NbBandes = 0;  // band images in use, at most NB_BANDES_MAX
  int32_t NbLignes = 0;
  int32_t BandeHaut = 1;      // ring position of the band showing PremiereLigne
  int32_t PremiereLigne = 1;  // first line that has a band
  int32_t HauteurPanneau = 0;
  int32_t HauteurVisible = 0;
  int32_t HauteurBande = 1;
  int32_t HauteurDiagrammes = 0;
  int32_t LargeurBande = 0;  // usable width of a band (panel width less 6)
  int32_t Piste = 1;         // the track laid out
  int32_t NbCordes = 6;      // its strings, for the band height
  // Lines 1..NbLignes: first and last measure (0 = no such line). A line holds at least one
  // measure, so there are never more lines than measures.
  std::vector<int32_t> PremiereMesureLigne = std::vector<int32_t>(NB_MESURES_MAX + 2, 0);
  std::vector<int32_t> DerniereMesureLigne = std::vector<int32_t>(NB_MESURES_MAX + 2, 0);
  std::vector<TMesureVue> Mesures = std::vector<TMesureVue>(NB_MESURES_MAX + 1);  // [1..NbMesures]
  // The scroll bar: position (y of the view's top in the column where line 1 starts at 0), range.
  int32_t Position = 0, PositionMin = 0, PositionMax = 0;
  bool DefilementActif = false;
  // Panel y of each ring band [1..NbBandes], and of the chord strip.
  int32_t HautBande[NB_BANDES_MAX + 1] = {};
  int32_t HautDiagrammes = 0;
};

extern TVuePartition VuePartition;

// Draws one line into the band that shows it (the renderer, given by the window).
using TDessinLigne = std::function<void(int ligne)>;

// ---- Screen parameters ----
// The renderer's fixed working values, then CalculeParamEcran.
void InitParamEcran(TParamEcran& e);
// The derived sizes (beat widths, spaces, bar margins, beam pitch) from CoefEspAff, EpCroches and
// EspLignes.
void CalculeParamEcran(TParamEcran& e);
void CalculeParamEcran();
// The minimum width of a beat of d ticks (0: no minimum; lengths outside the table have none).
int LargeurMinimale(const TParamEcran& e, int duree);

// ---- Layout ----
// Beat positions, beats-area width and margins of measure m of track `piste`.
void CalculerLargeursMesure(TVuePartition& v, const TPartition& p, int piste, const TParamEcran& e, int m);
// The whole layout of a track, then the scroll range.
void CalculerLignes(TVuePartition& v, const TPartition& p, int piste, const TParamEcran& e);
void CalculerLignes();  // the global view, song and current track
// y in a band of the top staff line for the view's band height and strings.
int YPorteeBande(int hauteurBande, int nbCordes, const TParamEcran& e);
int YPorteeBande(const TVuePartition& v, const TParamEcran& e);

// Full relayout, then every band drawn (lines past the end give empty bands).
void RafraichirVuePartition(const TPartition& p, int piste, const TDessinLigne& dessiner);
// Relayout after measure m changed: only the lines with bands whose measure range changed, and
// the line of m, are drawn again. Returns the lines drawn.
std::vector<int> RafraichirMesureModifiee(const TPartition& p, int piste, int m, const TDessinLigne& dessiner);

// ---- Bands and scrolling ----
// Sizes the ring for a panel and a visible height; the top of the score shows again.
void DimensionnerBandes(TVuePartition& v, const TParamEcran& e, int nbCordes, int largeurPanneau, int hauteurPanneau,
                        int hauteurVisible);
// Ring position of the band showing a line (meaningful for the lines that have bands).
int BandeDeLigne(const TVuePartition& v, int ligne);
// Line shown by a ring position.
int LigneDeBande(const TVuePartition& v, int bande);
// Places the bands for scroll position `position`, recycling bands and drawing the lines that
// come into the covered range (one per band height scrolled).
void DefilerVuePartition(TVuePartition& v, int position, const TDessinLigne& dessiner);
// Scroll range from the lines and the band height.
void MajBarreDefilement(TVuePartition& v);

// Holds back the drawing while a relayout and the scrolling that follows move the ring (after a
// resize it starts again from line 1): each band is drawn once at the end, with the line it then
// shows, which is what it shows when every line is drawn on the way.
class TDessinDiffere {
 public:
  // The band that shows `ligne` is to be drawn.
  void Noter(const TVuePartition& v, int ligne);
  // Draws the noted bands' lines, top to bottom, and forgets them.
  void Dessiner(const TVuePartition& v, const TDessinLigne& dessiner);

 private:
  bool notee_[NB_BANDES_MAX + 1] = {};
};

// ---- Chord strip ----
struct TBandeDiagrammes {
  int Taille = 0;     // width of one diagram
  int Ecart = 0;      // gap between diagrams
  int Largeur = 0;    // usable width
  int ParRangee = 1;  // diagrams per row, at least one
  int Rangees = 0;
};
TBandeDiagrammes GeometrieDiagrammes(const TVuePartition& v, const TParamEcran& e, int nbAccords);
// HauteurDiagrammes for the song's chord list; the scroll minimum follows.
void DimensionnerBandeDiagrammes(TVuePartition& v, const TParamEcran& e, int nbAccords);
// Top-left corner in the strip of diagram k (0-based).
void PositionDiagramme(const TVuePartition& v, const TParamEcran& e, int nbAccords, int k, int& x, int& y);

// ---- Current-measure frame and clicks ----
struct TCadre {
  int Gauche = 0, Haut = 0, Largeur = 0, Hauteur = 0;
};
// The frame around measure m, in panel coordinates at the current scroll position.
TCadre CadreMesure(const TVuePartition& v, const TPartition& p, int piste, const TParamEcran& e, int m);
// Scroll position that shows measure m's line: while playing, typeScrolling 1 turns the page when
// the line reaches the bottom and 2 keeps the line at the top; always, the line is brought into view.
int PositionPourMesure(const TVuePartition& v, int m, bool enLecture, int typeScrolling);

struct TClicVue {
  int Mesure = 0;  // 0: no measure under the click
  int Corde = 1;
  int Temps = 1;
};
// What a click at (x, y) in ring band `bande` points at: the measure whose span holds x, the
// string nearest to y, the beat nearest to x.
TClicVue ClicBande(const TVuePartition& v, const TPartition& p, int piste, const TParamEcran& e, int bande, int x,
                   int y);
