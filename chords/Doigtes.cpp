#include "chords/Doigtes.h"

#include <algorithm>

#include "chords/Diagramme.h"

namespace {

int Classe(int note) { return ((note % 12) + 12) % 12; }

TAccord Barres(const int32_t (&f)[7], int b) { return ConstruireDiagramme(f[1], f[2], f[3], f[4], f[5], f[6], b); }

// The search state of one base fret and one bass.
struct TFenetre {
  const TRechercheDoigtes& r;
  int b = 1;
  int masqueNotes = 0;  // pitch classes to sound, one bit each
  int nbCordes = 6;
  int candidats[7][7] = {};  // per string: -1, open, frets b..b+4 sounding a note of the chord
  int nbCandidats[7] = {};
  TResultatDoigtes& res;

  int Classe(int s, int f) const { return ::Classe(r.Accordage[s] + f); }

  void Construire() {
    for (int s = 1; s <= nbCordes; ++s) {
      int n = 0;
      candidats[s][n++] = -1;
      if (masqueNotes & (1 << Classe(s, 0))) candidats[s][n++] = 0;
      for (int f = b; f <= b + 4; ++f)
        if (masqueNotes & (1 << Classe(s, f))) candidats[s][n++] = f;
      nbCandidats[s] = n;
    }
  }

  // Some played string sounds lower than the bass on string sb (an open string above it can).
  bool SousLaBasse(const int32_t (&f)[7], int sb) const {
    const int basse = r.Accordage[sb] + f[sb];
    for (int s = 1; s <= nbCordes; ++s)
      if (f[s] >= 0 && r.Accordage[s] + f[s] < basse) return true;
    return false;
  }

  // The same frets were found already, under a lower base fret.
  bool DejaTrouve(const int32_t (&f)[7]) const {
    return std::any_of(res.Solutions.begin(), res.Solutions.end(), [&f](const TAccord& a) {
      for (int s = 1; s <= 6; ++s)
        if (a.Frettes[s] != f[s]) return false;
      return true;
    });
  }

  bool Garder(const int32_t (&f)[7], int sb) {
    const bool cinq = r.Typ == 14;
    int nonJouees = 0, jouees = 0, sonnent = 0;
    bool surBase = false;
    for (int s = 1; s <= nbCordes; ++s) {
      if (f[s] < 0) {
        ++nonJouees;
        continue;
      }
      ++jouees;
      sonnent |= 1 << Classe(s, f[s]);
      surBase = surBase || f[s] == b;
    }
    if (cinq ? jouees != 3 : nonJouees > 2) return false;
    if ((sonnent & masqueNotes) != masqueNotes) return false;
    if (SousLaBasse(f, sb)) return false;
    if (b != 1 && b != FRETTE_BASE_MAX && !cinq && !surBase) return false;
    if (r.Mode != DoigtesTous && !cinq) {
      // Unplayed strings only at the treble side, none between two played ones.
      bool jouee = false;
      for (int s = 1; s < sb; ++s) {
        if (f[s] >= 0) jouee = true;
        else if (jouee) return false;
      }
      if (b > 5)
        for (int s = 1; s < sb; ++s)
          if (f[s] == 0) return false;
    }
    if (!EstJouable(f, Barres(f, b), sb, b, r)) return false;
    if (!cinq) {
      // A fingering that could sound one more string is offered in its fuller form only.
      int32_t g[7];
      std::copy(std::begin(f), std::end(f), g);
      for (int j = 1; j < sb; ++j) {
        if (f[j] >= 0) continue;
        for (int i = 1; i < nbCandidats[j]; ++i) {
          g[j] = candidats[j][i];
          // A fuller form that sounds below the bass is no fingering of this chord.
          bool plusPleine = !SousLaBasse(g, sb) && EstJouable(g, Barres(g, b), sb, b, r);
          g[j] = -1;
          if (plusPleine) return false;
        }
      }
    }
    return true;
  }

  void Ajouter(const int32_t (&f)[7]) {
    TAccord a;
    a.Nom = QStringToAnsi(r.Nom.left(20));
    a.Diese = r.Diese ? 1 : 0;
    a.FretteBase = b;
    for (int s = 1; s <= 6; ++s) a.Frettes[s] = f[s];
    TAccord barres = Barres(f, b);
    a.NbBarres = barres.NbBarres;
    for (int i = 1; i <= 2; ++i) {
      a.FretteBarre[i] = barres.FretteBarre[i];
      a.CordeDebutBarre[i] = barres.CordeDebutBarre[i];
      a.CordeFinBarre[i] = barres.CordeFinBarre[i];
    }
    res.Solutions.push_back(a);
  }

  // Walks every combination of the strings above the bass string, string sb-1 outermost.
  void Parcourir(int32_t (&f)[7], int s, int sb) {
    if (res.Solutions.size() >= NB_DOIGTES_MAX) return;
    if (s == 0) {
      if (Garder(f, sb) && !DejaTrouve(f)) Ajouter(f);
      return;
    }
    for (int i = 0; i < nbCandidats[s]; ++i) {
      f[s] = candidats[s][i];
      Parcourir(f, s - 1, sb);
    }
    f[s] = -1;
  }
};

}  // namespace

std::vector<int> NotesDoigtes(const TEtatDegres& degres, const bool (&coche)[8]) {
  std::vector<int> n;
  for (int rang = 1; rang <= 7; ++rang) {
    if (!degres.DegrePresent[rang] || !coche[rang]) continue;
    int pc = degres.Intervalles[rang];
    if (pc >= 0 && std::find(n.begin(), n.end(), pc) == n.end()) n.push_back(pc);
  }
  return n;
}

bool EstJouable(const int32_t (&f)[7], const TAccord& barres, int sb, int b, const TRechercheDoigtes& r) {
  const bool cinq = r.Typ == 14;
  const int nbCordes = std::clamp(r.NbCordes, 1, 6);
  int doigts = 0, parCase[6] = {};
  int basse = 6, haute = 0;
  for (int s = 1; s <= nbCordes; ++s) {
    if (f[s] <= 0) continue;
    ++doigts;
    int rel = f[s] - b + 1;
    if (rel >= 1 && rel <= 5) {
      ++parCase[rel];
      basse = std::min(basse, rel);
      haute = std::max(haute, rel);
    }
  }
  for (int j = 1; j < sb && j < nbCordes; ++j)
    if (f[j] >= 0 && f[j + 1] >= 0 && r.Accordage[j] + f[j] == r.Accordage[j + 1] + f[j + 1]) return false;
  if (b > 1 && b < 6 && !cinq) {
    // A fingering within frets 1..5 belongs to base fret 1.
    bool haut = false;
    for (int s = 1; s <= nbCordes; ++s) haut = haut || (f[s] >= 6 && f[s] <= b + 4);
    if (!haut) return false;
  }
  for (int i = 1; i <= std::clamp(barres.NbBarres, 0, 2); ++i)
    for (int s = std::max(1, barres.CordeDebutBarre[i]); s <= std::min(nbCordes, barres.CordeFinBarre[i]); ++s)
      if (f[s] == barres.FretteBarre[i]) --doigts;
  doigts += std::clamp(barres.NbBarres, 0, 2);
  if (doigts > 4) return false;
  if (doigts == 4 && parCase[1] && parCase[5] && (parCase[1] + parCase[5] > 2 || barres.NbBarres > 0)) return false;
  if (r.Mode != DoigtesTous && !cinq && haute > 0 && haute - basse + 1 > (r.Mode == DoigtesSimples ? 3 : 4))
    return false;
  if (cinq) {
    int s = nbCordes;
    while (s >= 1 && f[s] < 0) --s;
    if (s < 3 || f[s - 1] <= 0 || f[s - 2] <= 0) return false;
    if (f[s] == 0 && (f[s - 1] > 3 || f[s - 2] > 3)) return false;
    if (Classe(r.Accordage[s] + f[s]) == Classe(r.Accordage[s - 1] + f[s - 1])) return false;
    if (b > 1 && !parCase[1]) return false;
  }
  return true;
}

TResultatDoigtes ChercherDoigtes(const TRechercheDoigtes& r) {
  TResultatDoigtes res;
  const int n = static_cast<int>(r.Notes.size());
  for (int i = 0; i < std::min(n, 6); ++i)
    if (r.Notes[i] == r.Basse) {
      res.Renversement = i;
      break;
    }
  res.Omissions = n > 6;
  if (n < 2 || n > 6 || !r.Accordage || r.Basse < 0 || r.Basse > 11) return res;

  TFenetre w{r, 1, 0, std::clamp(r.NbCordes, 1, 6), {}, {}, res};
  for (int pc : r.Notes) w.masqueNotes |= 1 << Classe(pc);
  // The bass lies on one of the three lowest strings of the track.
  const int cordeBasseHaute = std::max(1, w.nbCordes - 2);
  for (int b = 1; b <= FRETTE_BASE_MAX && res.Solutions.size() < NB_DOIGTES_MAX; ++b) {
    w.b = b;
    w.Construire();
    for (int sb = w.nbCordes; sb >= cordeBasseHaute; --sb) {
      int fretsBasse[5], nb = 0;
      if (!(r.Typ == 14 && b >= 2)) fretsBasse[nb++] = 0;
      for (int f = b; f <= b + 3; ++f) fretsBasse[nb++] = f;
      for (int i = 0; i < nb; ++i) {
        if (w.Classe(sb, fretsBasse[i]) != r.Basse) continue;
        int32_t f[7] = {-1, -1, -1, -1, -1, -1, -1};
        f[sb] = fretsBasse[i];
        w.Parcourir(f, sb - 1, sb);
      }
    }
  }
  return res;
}
