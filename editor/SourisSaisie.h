#pragma once
// The mouse in the edit zone: a click or a drag puts the cursor on a beat and a string, a right
// click also opens the fret menu, a double click opens the chord dialog. The window passes its
// mouse events here; what it must do in turn (refresh, open the menu, run the chord command)
// comes back through the results and the hooks.
#include <QString>
#include <functional>

// The fret of a fret-menu item named "Turbo00".."Turbo24" (its 6th and 7th characters); -1 when
// the name holds no such number.
int FretteItemTurbo(const QString& nom);
// Column of a fret in the menu: 0..8, 9..17, 18..24.
int ColonneTurbo(int frette);

// A fret chosen in the menu, written on the string under the cursor: the undo copy is taken, the
// input slot becomes a beat when the cursor stands on it, a rest or a tie gives way to the note,
// an empty string takes the default dynamic (a note already there keeps its dynamic and effect),
// the beat is redrawn and played when listening is on. Returns true when the beat should be played.
bool PoserFretteTurbo(int frette);

struct cSourisSaisie {
  uint8_t BoutonEnfonce = 0;  // a button went down in the zone and has not come up
  uint8_t DoubleClic = 0;     // the next button-down (sent with the double click) is swallowed

  std::function<void(int, int)> Cliquer;     // CliquerZoneSaisie
  std::function<void()> Rafraichir;          // the command-state refresh
  std::function<bool()> AccordPermis;        // Ac_Note_Accord is enabled
  std::function<void()> OuvrirAccord;        // runs Ac_Note_Accord

  // Button down; true when the fret menu is to open (right button).
  bool Appuyer(int x, int y, bool droit);
  void Deplacer(int x, int y);
  void Relacher() { BoutonEnfonce = 0; }
  void DoubleCliquer();
};
