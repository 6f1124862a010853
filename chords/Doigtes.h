#pragma once
// Fingering search: every fingering on a track's strings that sounds all the chord's kept notes,
// has the chosen bass as its lowest note and that a hand can play, within a window of five frets
// starting at base frets 1 to 20.
#include <QString>
#include <cstdint>
#include <vector>

#include "chords/Accord.h"

constexpr int NB_DOIGTES_MAX = 300;
constexpr int FRETTE_BASE_MAX = 20;

// Which fingerings are offered: "Simple", "Medium" or "All".
enum TModeDoigtes { DoigtesSimples = 0, DoigtesMoyens = 1, DoigtesTous = 2 };

struct TRechercheDoigtes {
  std::vector<int> Notes;  // distinct pitch classes 0..11 to sound, in degree order
  int Basse = -1;          // pitch class of the lowest note, -1 none
  int Typ = 0;             // chord type (type 14 "5" has rules of its own)
  int Mode = DoigtesMoyens;
  const int32_t* Accordage = nullptr;  // [1..nbCordes], string 1 the highest
  int NbCordes = 6;
  QString Nom;             // given to every solution, cut to 20 characters
  bool Diese = true;
};

struct TResultatDoigtes {
  std::vector<TAccord> Solutions;  // at most NB_DOIGTES_MAX, in the order found
  int Renversement = -1;           // inversion row the bass stands for, -1 none
  bool Omissions = false;          // more than six notes: the user must omit some
};

// The notes to sound: the pitch classes of the present degree rows whose box is ticked, in row
// order, each listed once.
std::vector<int> NotesDoigtes(const TEtatDegres& degres, const bool (&coche)[8]);

TResultatDoigtes ChercherDoigtes(const TRechercheDoigtes& r);

// Whether a hand can play six frets (slot 1 = string 1) with the given barres, the bass on string
// cordeBasse, in the window starting at fretteBase.
bool EstJouable(const int32_t (&frettes)[7], const TAccord& barres, int cordeBasse, int fretteBase,
                const TRechercheDoigtes& r);
