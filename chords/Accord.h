#pragma once
// The chord engine: default chord, names of the chord parts, degree rules and chord naming.
#include <QString>
#include <array>
#include <cstdint>

#include "platform/Types.h"
#include "song/ChordRecord.h"

// The chord dialog's working chord.
extern TAccord AccordCourant;

// The default chord: sharps, user-defined root, base fret 1, no string played, no barre, every
// degree marked omitted, empty name.
TAccord AccordParDefaut();
// Resets AccordCourant to the default chord.
void InitDiagrammeAccord();

// Texts of the chord lists; index 0 of the optional ones is the empty text.
extern const char* const TextesTypeAccord[15];     // "M", "7", ... "5"
extern const char* const TextesExtension[4];       // "", "9", "11", "13"
extern const char* const TextesDimAug[3];          // "", "-", "+"
extern const char* const TextesQuinte[3];          // "", "/5-", "/5+"
extern const char* const TextesNeuf[3];            // "", "/9-", "/9+"
extern const char* const TextesOnze[3];            // "", "/11-", "/11+"

// Note name of a pitch class (value modulo 12), with sharps or flats; -1 gives the empty text.
QString NomNote(int valeur, bool diese);
// Root list text 0..12 ("User" for 12) in the given spelling.
QString NomFondamentale(int fondamentale, bool diese);

// The choices of the chord dialog's lists that the degree rules read and correct.
struct TChoixAccord {
  int32_t Fondamentale = 12;
  int32_t Typ = 0;
  int32_t NeufOnzeTreize = 0;
  int32_t DimAug = 0;
  int32_t Quinte = 0;
  int32_t Neuf = 0;
  int32_t Onze = 0;
  bool Add = false;
};

// What the degree rules give: the corrected choices, which lists are enabled, and for the degree
// rows 1..7 (degrees 1, 3, 5, 7, 9, 11, 13) the pitch class (-1 absent), presence and default check.
struct TEtatDegres {
  TChoixAccord Choix;
  bool TypActif = true, ExtensionActif = true, DimAugActif = true, AddActif = true, QuinteActif = true,
       NeufActif = true, OnzeActif = true;
  bool BasseActive = true;   // bass list, inversion list and the Simple/Medium/All choices
  bool BasseAucune = false;  // user-defined root: the bass list loses its selection
  int32_t Intervalles[8] = {-1, -1, -1, -1, -1, -1, -1, -1};
  bool DegrePresent[8] = {};
  bool DegreCoche[8] = {};
  QString Legende3 = "3'";  // caption of the third row
  QString Legende7 = "7'";  // caption of the seventh row
};

// The degree rules: corrects the choices and computes the degrees' pitch classes.
TEtatDegres CalculerDegres(const TChoixAccord& choix);

// The chord name from its parts. renversement is the chosen inversion (-1 when the bass was chosen
// directly), basse -1 for none; omis[i] marks degree row i+1 (1, 3, 5, 7, 9, 11, 13) omitted.
// The spelling chooses sharps or flats for the root and bass, as the dialog's lists show them.
QString ConstruireNomAccord(int fondamentale, int typ, int neufOnzeTreize, int dimAug, int quinte, int neuf,
                            int onze, bool add, int renversement, int basse, const std::array<bool, 7>& omis,
                            bool avecOmissions, bool diese = true);
// The same for a chord record (omissions from Degres, spelling from Diese).
QString ConstruireNomAccord(const TAccord& a, int renversement, bool avecOmissions);
