#include "chords/Reconnaissance.h"

#include <algorithm>
#include <cstring>

namespace {

// State of each degree found among the intervals: 0 absent, 1 natural, then the alterations in the
// order the rules try them.
struct TLecture {
  int Tierce = 0, Quinte = 0, Septieme = 0, Neuvieme = 0, Onzieme = 0, Treizieme = 0;
};

int Classe(int note) { return ((note % 12) + 12) % 12; }

// Takes the first marked interval of the list, clearing its mark; returns its 1-based place in the
// list, 0 when none is marked.
int Prendre(bool (&marques)[12], std::initializer_list<int> intervalles) {
  int i = 0;
  for (int iv : intervalles) {
    ++i;
    if (marques[iv]) {
      marques[iv] = false;
      return i;
    }
  }
  return 0;
}

bool MemeTheorie(const TCandidatAccord& a, const TCandidatAccord& b) {
  return a.Fondamentale == b.Fondamentale && a.Typ == b.Typ && a.NeufOnzeTreize == b.NeufOnzeTreize &&
         a.DimAug == b.DimAug && a.Quinte == b.Quinte && a.Neuf == b.Neuf && a.Onze == b.Onze && a.Add == b.Add;
}

// Reads the marked intervals above a root. False when the rules cannot explain them.
bool Lire(int racine, int basse, const bool (&marquesEntree)[12], bool simple, bool racineEnBas, TCandidatAccord& c) {
  bool marques[12];
  std::memcpy(marques, marquesEntree, sizeof marques);
  std::vector<int> ensemble;
  for (int iv = 1; iv <= 11; ++iv)
    if (marques[iv]) ensemble.push_back(iv);

  TLecture l;
  l.Tierce = Prendre(marques, {4, 3, 5, 2});
  l.Quinte = Prendre(marques, {7, 6, 8});
  if (marques[10]) {
    marques[10] = false;
    l.Septieme = 1;
  } else if (l.Tierce < 3 && marques[11]) {
    marques[11] = false;
    l.Septieme = 2;
  } else if (l.Tierce < 3 && marques[9]) {
    marques[9] = false;
    l.Septieme = 3;
  }
  l.Neuvieme = Prendre(marques, {2, 1, 3});
  l.Onzieme = Prendre(marques, {5, 4, 6});
  l.Treizieme = Prendre(marques, {9, 8, 10});
  for (int iv = 1; iv <= 11; ++iv)
    if (marques[iv]) return false;

  const bool suspendue = l.Tierce == 3 || l.Tierce == 4;
  int extension = l.Treizieme ? 13 : l.Onzieme ? 11 : l.Neuvieme ? 9 : l.Septieme ? 7 : l.Quinte ? 5 : l.Tierce ? 3 : 0;
  bool add = false;
  if (l.Neuvieme && !l.Onzieme && !l.Treizieme)
    add = !l.Septieme || l.Septieme == 3 || (l.Septieme == 1 && suspendue);
  else if (l.Onzieme && !l.Treizieme)
    add = !l.Neuvieme || suspendue;
  else if (l.Treizieme)
    add = (!l.Neuvieme && !l.Onzieme) || suspendue;
  const int nbExtensions = (l.Neuvieme != 0) + (l.Onzieme != 0) + (l.Treizieme != 0);
  if (add && nbExtensions >= 2) return false;
  if (l.Septieme == 3 && extension >= 9 && !add) return false;

  int typ;
  if (l.Tierce == 4 || l.Tierce == 3) {
    bool seconde = l.Tierce == 4;
    typ = l.Septieme == 1 ? (seconde ? 10 : 11) : (seconde ? 8 : 9);
  } else {
    typ = (l.Tierce == 2 ? 4 : 0) + l.Septieme;
  }
  if (extension >= 9 && !add && l.Septieme == 1) {
    if (typ == 1) typ = 0;
    if (typ == 5) typ = 4;
  }

  c.Fondamentale = racine;
  c.Basse = basse;
  c.Typ = typ;
  c.Add = add;
  c.NeufOnzeTreize = extension == 9 ? 1 : extension == 11 ? 2 : extension == 13 ? 3 : 0;
  const int etatExtension = extension == 9 ? l.Neuvieme : extension == 11 ? l.Onzieme : extension == 13 ? l.Treizieme : 0;
  c.DimAug = etatExtension > 0 ? etatExtension - 1 : 0;
  c.Quinte = l.Quinte > 0 ? l.Quinte - 1 : 0;
  // An absent ninth or eleventh under a higher extension reads as natural (it is named as
  // omitted), never as an alteration of -1.
  c.Neuf = extension > 9 && l.Neuvieme > 0 ? l.Neuvieme - 1 : 0;
  c.Onze = extension > 11 && l.Onzieme > 0 ? l.Onzieme - 1 : 0;
  const int etats[8] = {0, 1, l.Tierce, l.Quinte, l.Septieme, l.Neuvieme, l.Onzieme, l.Treizieme};
  for (int d = 1; d <= 7; ++d) c.Degres[d] = etats[d] ? 0 : 1;
  c.Omis = {};
  c.Omis[1] = !l.Tierce;
  c.Omis[2] = !l.Quinte;
  c.Omis[3] = !l.Septieme && extension >= 9 && !add;
  c.Omis[4] = !l.Neuvieme && extension >= 11 && !add;
  c.Omis[5] = !l.Onzieme && extension >= 13 && !add;

  if (simple) {
    auto special = [&](int t, int premierOmis) {
      c.Typ = t;
      c.NeufOnzeTreize = c.DimAug = c.Quinte = c.Neuf = c.Onze = 0;
      c.Add = false;
      for (int d = 1; d <= 7; ++d) c.Degres[d] = d >= premierOmis ? 1 : 0;
      c.Omis = {};
    };
    if (ensemble == std::vector<int>{3, 6, 9}) special(12, 5);
    else if (ensemble == std::vector<int>{4, 8}) special(13, 4);
    else if (ensemble == std::vector<int>{7} && racineEnBas) {
      special(14, 4);
      c.Degres[2] = 1;
    }
  }
  return true;
}

}  // namespace

TNotesAccord NotesAccord(const TAccord& accord, const int32_t* accordage, int nbCordes) {
  TNotesAccord n;
  n.fill(-1);
  for (int s = 1; s <= 6; ++s)
    if (s <= nbCordes && accord.Frettes[s] >= 0) n[s] = accordage[s] + accord.Frettes[s];
  return n;
}

int32_t ScoreAccord(const TCandidatAccord& c) {
  int32_t score = 0;
  if (c.Typ == 12 || c.Typ == 13) score += 1;
  else if (c.Typ > 0 && c.Typ < 15) score += static_cast<int32_t>(std::strlen(TextesTypeAccord[c.Typ]));
  if (c.NeufOnzeTreize) score += 2;
  if (c.DimAug) score += 1;
  if (c.Quinte) score += 3;
  if (c.Neuf) score += 3;
  if (c.Onze) score += 3;
  if (c.Add) score += 2;
  for (bool o : c.Omis)
    if (o) score += 4;
  return score;
}

std::vector<TCandidatAccord> ReconnaitreAccord(const TNotesAccord& notesEntree, bool diese) {
  TNotesAccord notes = notesEntree;
  std::vector<TCandidatAccord> candidats;
  size_t debutSlash = 0;
  int basseSlash = -1;

  auto plusBasse = [&]() -> int {
    for (int s = 6; s >= 1; --s)
      if (notes[s] >= 0) return s;
    return 0;
  };
  const int corde0 = plusBasse();
  const int basseSimple = corde0 ? Classe(notes[corde0]) : -1;

  for (int k = 11; k >= 0; --k) {
    const bool simple = k >= 6;
    if (k == 5) {
      if (int s = plusBasse()) {
        basseSlash = Classe(notes[s]);
        notes[s] = -1;
      }
      debutSlash = candidats.size();
    }
    const int corde = simple ? k - 5 : k + 1;
    if (notes[corde] < 0) continue;
    const int racine = Classe(notes[corde]);
    const size_t debut = simple ? 0 : debutSlash, fin = candidats.size();
    bool dejaVue = false;
    for (size_t i = debut; i < fin; ++i) dejaVue = dejaVue || candidats[i].Fondamentale == racine;
    if (dejaVue) continue;

    bool marques[12] = {};
    int m = 0;
    for (int s = 1; s <= 6; ++s) {
      if (notes[s] < 0) continue;
      int iv = (Classe(notes[s]) - racine + 12) % 12;
      if (iv && !marques[iv]) {
        marques[iv] = true;
        ++m;
      }
    }
    if (m == 0) continue;

    const int basse = simple ? basseSimple : basseSlash;
    TCandidatAccord c;
    if (!Lire(racine, basse, marques, simple, racine == basseSimple, c)) continue;
    c.Nom = ConstruireNomAccord(c.Fondamentale, c.Typ, c.NeufOnzeTreize, c.DimAug, c.Quinte, c.Neuf, c.Onze, c.Add,
                                simple ? 0 : -1, c.Basse, c.Omis, true, diese)
                .left(40);
    if (!simple) {
      bool doublon = false;
      for (size_t i = 0; i < debutSlash; ++i) doublon = doublon || MemeTheorie(candidats[i], c);
      if (doublon) continue;
    }
    c.Score = ScoreAccord(c);
    if (candidats.size() < NB_CANDIDATS_MAX) candidats.push_back(c);
  }

  // A stable sort: equal scores keep the order the readings were found in, shorter names first.
  std::stable_sort(candidats.begin(), candidats.end(), [](const TCandidatAccord& a, const TCandidatAccord& b) {
    if (a.Score != b.Score) return a.Score < b.Score;
    return a.Nom.size() < b.Nom.size();
  });
  return candidats;
}
