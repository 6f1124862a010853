#pragma once
// The print renderer: draws the pages of a print layout (view/MiseEnPageImp.h) on a TCanvas, be
// it a printer's page or the preview's image, and the one page loop both of them run: the loop
// hands each page to a page sink, which says whether it wants the page and gives the canvas.
#include <QString>
#include <vector>

class TCanvas;
struct TPartition;
struct TZoneImpression;
struct TMiseEnPageImp;
struct TAccord;

// How logical millimetres become pixels of a canvas, and how print fonts are sized on it.
struct TEchelleImp {
  double Ppm = 300 / 25.4;   // canvas pixels per logical mm
  int PoliceDpi = 300;       // pixels per inch the canvas fonts are given
  double PoliceEchelle = 1;  // point sizes are multiplied by this, then rounded
  bool Apercu = false;       // drawing for the preview
};
// A canvas with `pixelsParMm` pixels per physical millimetre, for a layout of proportion `zoom`.
// Fonts are sized at `dpiPolices` pixels per inch (the printer's resolution, or 96 on screen).
TEchelleImp EchelleImpression(double pixelsParMm, double zoom, int dpiPolices);

// What the page loop draws on: the printer (the pages of a range, one sheet each) or the
// preview (one page on its image).
class TSortiePages {
 public:
  virtual ~TSortiePages() = default;
  // The page is output.
  virtual bool Sortie(int page) const = 0;
  // Starts output page `page` and gives its canvas, cleared; null stops the loop.
  virtual TCanvas* DebutPage(int page) = 0;
  // The page is drawn.
  virtual void FinPage(int /*page*/) {}
};

// Draws every page the sink wants; returns the number of pages drawn.
int BouclePages(const TPartition& p, const TZoneImpression& z, const TMiseEnPageImp& mp, const TEchelleImp& e,
                TSortiePages& sortie, bool blackBlocks);

// Draws page `page` (1-based) of the layout.
void DessinerPageImp(TCanvas& c, const TPartition& p, const TZoneImpression& z, const TMiseEnPageImp& mp,
                     const TEchelleImp& e, int page, bool blackBlocks);

// Text of the footer of page `page`: title, "(track)" when the track has a name, " - " page.
QString TextePiedPage(const TPartition& p, int piste, int page);
// Centre x (mm from the page's left edge) and bottom y of each chord of page 1's chord block.
struct TPlaceDiagramme {
  double Xc = 0, Yb = 0;
};
std::vector<TPlaceDiagramme> PlacesListeAccords(const TZoneImpression& z, const TMiseEnPageImp& mp, int nbAccords);
