#include "chords/Accord.h"

#include "settings/Config.h"

TAccord AccordCourant;

TAccord AccordParDefaut() { return TAccord{}; }

void InitDiagrammeAccord() { AccordCourant = AccordParDefaut(); }

const char* const TextesTypeAccord[15] = {"M",    "7",    "7M",    "6",     "m",   "m7",  "m7M", "m6",
                                          "sus2", "sus4", "7sus2", "7sus4", "dim", "aug", "5"};
const char* const TextesExtension[4] = {"", "9", "11", "13"};
const char* const TextesDimAug[3] = {"", "-", "+"};
const char* const TextesQuinte[3] = {"", "/5-", "/5+"};
const char* const TextesNeuf[3] = {"", "/9-", "/9+"};
const char* const TextesOnze[3] = {"", "/11-", "/11+"};

namespace {

const char* const kDieses[12] = {"C", "C#", "D", "D#", "E", "F", "F#", "G", "G#", "A", "A#", "B"};
const char* const kBemols[12] = {"C", "Db", "D", "Eb", "E", "F", "Gb", "G", "Ab", "A", "Bb", "B"};

// Semitones above the root of the third, the fifth and the seventh row, per chord type (-1 none).
struct TIntervallesType {
  int Tierce, Quinte, Septieme;
};
const TIntervallesType kTypes[15] = {
    {4, 7, -1}, {4, 7, 10}, {4, 7, 11}, {4, 7, 9},  {3, 7, -1}, {3, 7, 10}, {3, 7, 11}, {3, 7, 9},
    {2, 7, -1}, {5, 7, -1}, {2, 7, 10}, {5, 7, 10}, {3, 6, 9},  {4, 8, -1}, {-1, 7, -1},
};

bool Parmi(int v, std::initializer_list<int> l) {
  for (int x : l)
    if (x == v) return true;
  return false;
}

// Index into a text table, the empty text for anything outside it.
template <size_t N>
const char* Texte(const char* const (&table)[N], int i) {
  return i >= 0 && i < static_cast<int>(N) ? table[i] : "";
}

}  // namespace

QString NomNote(int valeur, bool diese) {
  if (valeur < 0) return {};
  int pc = valeur % 12;
  return QString::fromLatin1(diese ? kDieses[pc] : kBemols[pc]);
}

QString NomFondamentale(int fondamentale, bool diese) {
  if (fondamentale == 12) return QStringLiteral("User");
  if (fondamentale < 0 || fondamentale > 12) return {};
  return NomNote(fondamentale, diese);
}

TEtatDegres CalculerDegres(const TChoixAccord& choix) {
  TEtatDegres e;
  TChoixAccord& c = e.Choix;
  c = choix;
  auto poser = [&](int rang, int intervalle) {
    e.Intervalles[rang] = intervalle;
    e.DegrePresent[rang] = true;
    e.DegreCoche[rang] = true;
  };

  if (c.Fondamentale < 0 || c.Fondamentale >= 12) {
    // A user-defined chord has no theory: every choice is cleared and locked.
    c.Typ = c.NeufOnzeTreize = c.DimAug = c.Quinte = c.Neuf = c.Onze = 0;
    c.Add = false;
    e.TypActif = e.ExtensionActif = e.DimAugActif = e.QuinteActif = e.NeufActif = e.OnzeActif = e.AddActif = false;
    e.BasseActive = false;
    e.BasseAucune = true;
    return e;
  }
  if (c.Typ < 0 || c.Typ > 14) c.Typ = 0;
  if (c.NeufOnzeTreize < 0 || c.NeufOnzeTreize > 3) c.NeufOnzeTreize = 0;

  const TIntervallesType& ti = kTypes[c.Typ];
  poser(1, 0);
  if (ti.Tierce >= 0) poser(2, ti.Tierce);
  poser(3, ti.Quinte);
  if (Parmi(c.Typ, {1, 2, 3, 5, 6, 7, 10, 11, 12})) poser(4, ti.Septieme);

  // Locking: the first rule that applies ends the step, except the forced "add".
  auto bloquerExtensions = [&] {
    c.DimAug = c.Neuf = c.Onze = 0;
    c.Add = false;
    e.DimAugActif = e.NeufActif = e.OnzeActif = e.AddActif = false;
  };
  if (Parmi(c.Typ, {12, 13, 14})) {
    c.NeufOnzeTreize = 0;
    e.ExtensionActif = false;
    bloquerExtensions();
  } else {
    if (Parmi(c.Typ, {3, 7, 8, 9, 10, 11}) && c.NeufOnzeTreize > 0) c.Add = true;
    if (c.NeufOnzeTreize == 0) {
      bloquerExtensions();
    } else if (c.NeufOnzeTreize == 1) {
      c.Neuf = c.Onze = 0;
      e.NeufActif = e.OnzeActif = false;
      if (Parmi(c.Typ, {1, 2, 5, 6})) {
        c.Add = false;
        e.AddActif = false;
      }
    } else if (c.NeufOnzeTreize == 2) {
      c.Onze = 0;
      e.OnzeActif = false;
      if (c.Add) {
        c.Neuf = 0;
        e.NeufActif = false;
      }
    } else if (c.NeufOnzeTreize == 3 && c.Add) {
      c.Neuf = c.Onze = 0;
      e.NeufActif = e.OnzeActif = false;
    }
  }
  if (Parmi(c.Typ, {12, 13})) {
    c.Quinte = 0;
    e.QuinteActif = false;
  }

  if (c.NeufOnzeTreize > 0 && !c.Add && Parmi(c.Typ, {0, 4})) poser(4, 10);

  int rangExtension = 0;
  switch (c.NeufOnzeTreize) {
    case 1:
      poser(5, 2);
      rangExtension = 5;
      break;
    case 2:
      poser(6, 5);
      if (!c.Add) poser(5, 2);
      rangExtension = 6;
      break;
    case 3:
      poser(7, 9);
      if (!c.Add) {
        poser(5, 2);
        poser(6, 5);
      }
      rangExtension = 7;
      break;
    default:
      break;
  }
  auto deplacer = [&](int rang, int alteration) {
    if (!e.DegrePresent[rang]) return;
    if (alteration == 1) e.Intervalles[rang] -= 1;
    if (alteration == 2) e.Intervalles[rang] += 1;
  };
  if (rangExtension) deplacer(rangExtension, c.DimAug);
  deplacer(3, c.Quinte);
  deplacer(5, c.Neuf);
  deplacer(6, c.Onze);

  for (int r = 1; r <= 7; ++r)
    if (e.DegrePresent[r]) e.Intervalles[r] = ((e.Intervalles[r] + c.Fondamentale) % 12 + 12) % 12;

  e.Legende7 = Parmi(c.Typ, {3, 7}) ? "6'" : "7'";
  e.Legende3 = Parmi(c.Typ, {8, 10}) ? "2'" : Parmi(c.Typ, {9, 11}) ? "4'" : "3'";
  return e;
}

QString ConstruireNomAccord(int fondamentale, int typ, int neufOnzeTreize, int dimAug, int quinte, int neuf,
                            int onze, bool add, int renversement, int basse, const std::array<bool, 7>& omis,
                            bool avecOmissions, bool diese) {
  QString nom;
  if (fondamentale >= 0 && fondamentale < 12) {
    nom += NomFondamentale(fondamentale, diese);
    if (typ != 0) nom += QString::fromLatin1(Texte(TextesTypeAccord, typ));
    if (add) nom += QStringLiteral("add");
    nom += QString::fromLatin1(Texte(TextesExtension, neufOnzeTreize));
    nom += QString::fromLatin1(Texte(TextesDimAug, dimAug));
    nom += QString::fromLatin1(Texte(TextesQuinte, quinte));
    nom += QString::fromLatin1(Texte(TextesNeuf, neuf));
    nom += QString::fromLatin1(Texte(TextesOnze, onze));
  }
  if (basse >= 0 && basse <= 11 &&
      (renversement == -1 || (Configuration.AlwaysAddBass && basse != fondamentale)))
    nom += QLatin1Char('/') + NomNote(basse, diese);
  if (avecOmissions) {
    static const char* const degres[7] = {"no1", "no3", "no5", "no7", "no9", "no11", "no13"};
    QString partie;
    for (int i = 0; i < 7; ++i)
      if (omis[i]) partie += QString::fromLatin1(degres[i]);
    if (!partie.isEmpty()) nom += QStringLiteral(" (") + partie + QLatin1Char(')');
  }
  return nom;
}

QString ConstruireNomAccord(const TAccord& a, int renversement, bool avecOmissions) {
  std::array<bool, 7> omis{};
  for (int i = 0; i < 7; ++i) omis[i] = a.Degres[i + 1] != 0;
  return ConstruireNomAccord(a.Fondamentale, a.Typ, a.NeufOnzeTreize, a.DimAug, a.Quinte, a.Neuf, a.Onze, a.Add != 0,
                             renversement, a.Basse, omis, avecOmissions, a.Diese != 0);
}
