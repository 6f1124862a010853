#pragma once
// Sideways scrolling of the edit zone: how many beats fit, how far the zone can scroll, and where
// it must stand so that the cursor beat shows.

struct TDefilementSaisie {
  int NbTempsVisibles = 0;
  int DecalageMax = 0;
  int Maximum = 0;      // scroll bar maximum
  int PasPage = 0;      // scroll bar large change
  bool Actif = false;   // the bar is enabled
  int LargeurSaisie = 0;
};

// n: the beats of the current track, plus 1 when the cursor stands on the input slot.
TDefilementSaisie CalculerDefilement(int largeurPanneau, int xSaisie, int ecartTemps, int n);
// The bar position that shows the cursor beat: unchanged while it shows, else the beat centred.
int PositionPourCurseur(int position, int tempsCurseur, int nbTempsVisibles);
