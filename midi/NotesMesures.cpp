#include "midi/NotesMesures.h"

#include <algorithm>
#include <cmath>

#include "editor/state/TempsSaisie.h"

double Arrondi4(double x) { return std::nearbyint(x * 10000.0) / 10000.0; }

void NettoyerFinListeNotes(TListeNotesImport& liste) {
  auto& v = liste.Notes;
  while (!v.empty() && v.back().Hauteur == -1 && v.back().Duree == 0) v.pop_back();
}

void QuantifierListeNotes(TListeNotesImport& liste, int q) {
  if (q != 2 && q != 4 && q != 8 && q != 16) q = 4;
  auto& v = liste.Notes;
  const size_t n = v.size();
  std::vector<double> pas(n);
  // Every entry starts on the step nearest its own start: the rounding is carried, so a length
  // rounds to the step between the rounded start and the rounded end.
  double exact = 0, place = 0;
  liste.Debuts.resize(n);
  for (size_t i = 0; i < n; ++i) {
    liste.Debuts[i] = exact / q;
    const double x = v[i].Duree * q;
    double r = std::nearbyint(x + exact - place);
    if (r < 0) r = 0;
    exact += x;
    place += r;
    pas[i] = r;
  }
  for (size_t i = 0; i + 1 < n; ++i) {
    if (!(v[i].Hauteur >= 0 && pas[i] == 0 && v[i + 1].Hauteur == -1)) continue;
    // A note that rounds to no step before a rest sounds for one step taken from the first rest
    // after it that has one (the rests of length 0 between them start one step later, which
    // moves no note). Where the next note comes first, a step given would push that note off its
    // own step: the note stays 0 and sounds with it.
    size_t j = i + 1;
    while (j < n && v[j].Hauteur == -1 && pas[j] == 0) ++j;
    if (j < n && v[j].Hauteur == -1) {
      pas[i] = 1;
      pas[j] -= 1;
    } else if (j == n) {
      pas[i] = 1;  // only rests of length 0 follow: the list grows by the step
      place += 1;
    }
  }
  if (n > 0 && v[n - 1].Hauteur >= 0 && pas[n - 1] == 0) {
    pas[n - 1] = 1;
    place += 1;
  }
  for (size_t i = 0; i < n; ++i) v[i].Duree = pas[i] / q;
  liste.DureeTotale = place / q;
}

bool ListeContientNotes(const TListeNotesImport& liste) {
  return std::any_of(liste.Notes.begin(), liste.Notes.end(), [](const TNoteImport& e) { return e.Hauteur > 0; });
}

void InitTempsImport(TPartition& p, int piste, int mesure, int temps) {
  TMesure& m = *p.Mesure(mesure);
  TTemps& t = m.Temps[piste][temps];
  TempsNoireVide(t);
  t.NbHauteurs = 0;
  m.RenvoiDebut = m.RenvoiFin = m.Repetition = 0;
  m.NumRepetition = 1;
  m.NbRenvois = 1;
  if (temps == 1) m.NbTemps[piste] = 0;
}

namespace {

void DefinirSignature(TMesure& m, int numerateur, int denominateur, double duree) {
  m.Numerateur = static_cast<uint8_t>(numerateur);
  m.Denominateur = static_cast<uint8_t>(denominateur);
  m.Duree = duree;
}

// A new measure block at the end, with the given signature.
bool NouvelleMesure(TPartition& p, int numerateur, int denominateur, double duree) {
  if (p.NbMesures >= NB_MESURES_MAX) return false;
  const int m = ++p.NbMesures;
  p.Mesures[m] = std::make_unique<TMesure>();
  DefinirSignature(*p.Mesures[m], numerateur, denominateur, duree);
  for (int t = 1; t <= NB_PISTES; ++t) InitTempsImport(p, t, m, 1);
  return true;
}

}  // namespace

bool AjouterMesureImport(TPartition& p) {
  const TMesure& d = *p.Mesure(p.NbMesures);
  return NouvelleMesure(p, d.Numerateur, d.Denominateur, d.Duree);
}

bool CreerMesuresSignatures(TPartition& p, const std::vector<TSignatureMIDI>& signatures, int division) {
  if (signatures.empty() || division <= 0) return true;
  for (int m = 2; m <= NB_MESURES_MAX; ++m) p.Mesures[m].reset();
  if (!p.Mesures[1]) p.Mesures[1] = std::make_unique<TMesure>();
  p.NbMesures = 1;
  auto longueur = [](const TSignatureMIDI& s) { return s.Numerateur * 4.0 / (1 << s.Exposant); };
  DefinirSignature(*p.Mesures[1], signatures[0].Numerateur, 1 << signatures[0].Exposant, longueur(signatures[0]));
  for (int t = 1; t <= NB_PISTES; ++t) InitTempsImport(p, t, 1, 1);
  int64_t p0 = signatures[0].Tick;
  for (size_t k = 1; k < signatures.size(); ++k) {
    const TSignatureMIDI& s = signatures[k];
    const int dernier = p.NbMesures;
    const TMesure& d = *p.Mesure(dernier);
    const double c = std::nearbyint(double(s.Tick - p0) / (division * d.Duree));
    const bool coupe = dernier + c > NB_MESURES_MAX;
    const int jusqua = coupe ? NB_MESURES_MAX : dernier + static_cast<int>(c) - 1;
    while (p.NbMesures < jusqua) AjouterMesureImport(p);
    if (coupe) return false;
    if (c == 0)
      DefinirSignature(*p.Mesure(dernier), s.Numerateur, 1 << s.Exposant, longueur(s));
    else
      NouvelleMesure(p, s.Numerateur, 1 << s.Exposant, longueur(s));
    p0 = s.Tick;
  }
  return true;
}

// ---------------------------------------------------------------------------------------------
// Writing the groups of the list as beats

namespace {

constexpr double SEIZIEME = 1.0 / 16;  // the smallest value written, in quarter notes

// Duration code and dot of a plain value, by the value in 64ths of a whole note.
bool CodeValeur(double valeur, int& code, bool& pointee) {
  static const struct {
    int v32, code;
    bool pointee;
  } table[] = {{2, 4, false},  {3, 4, true},   {4, 3, false},  {6, 3, true},   {8, 2, false},
               {12, 2, true},  {16, 1, false}, {24, 1, true},  {32, 0, false}, {48, 0, true},
               {64, -1, false}, {96, -1, true}, {128, -2, false}};
  const long v = std::lrint(valeur * 32);
  for (const auto& e : table)
    if (e.v32 == v) {
      code = e.code;
      pointee = e.pointee;
      return true;
    }
  return false;
}

// Splits a length (a multiple of 1/16) into plain values, largest first.
std::vector<double> DecomposerDuree(double x) {
  static const double valeurs[] = {4, 2, 1, 0.5, 0.25, 0.125, SEIZIEME};
  std::vector<double> r;
  while (Arrondi4(x) > SEIZIEME) {
    double pris = SEIZIEME;
    for (double v : valeurs)
      if (Arrondi4(v - x) <= 1.0 / 32) {
        pris = v;
        break;
      }
    r.push_back(pris);
    x -= pris;
  }
  if (Arrondi4(x) == SEIZIEME) r.push_back(SEIZIEME);
  return r;
}

struct TEcriture {
  TPartition& p;
  int piste;
  const TListeNotesImport& liste;
  TRapportImport& rapport;
  int m = 1, b = 1;
  double position = 0, place = 0;
  int16_t hauteurs[NB_CORDES_MAX + 1] = {};
  int nbHauteurs = 0;
  bool note = false;
  bool premier = true;

  // The measure the group being read goes to: the next one when this one is full.
  int MesureDuGroupe() const {
    return Arrondi4(p.Mesure(m)->Duree - position) < SEIZIEME && m < p.NbMesures ? m + 1 : m;
  }

  void Tronquer() {
    const std::pair<int, int> cle{piste, m};
    if (rapport.TempsTronques.empty() || rapport.TempsTronques.back() != cle) rapport.TempsTronques.push_back(cle);
  }

  // One beat of the group in slot b: the group's pitches on its first beat, then ties or rests.
  void Ecrire(int ticks, int code, bool pointee, bool triolet, int place3) {
    TMesure& mes = *p.Mesure(m);
    TTemps& t = mes.Temps[piste][b];
    TempsNoireVide(t);
    t.Duree = ticks;
    t.CodeDuree = static_cast<int8_t>(code);
    t.Pointee = pointee;
    t.Triolet = triolet;
    t.PlaceTriolet = static_cast<int8_t>(place3);
    if (premier) {
      for (int k = 1; k <= nbHauteurs; ++k) t.Hauteurs[k] = hauteurs[k];
      t.NbHauteurs = static_cast<uint8_t>(nbHauteurs);
      premier = false;
    } else {
      t.Hauteurs[1] = note ? -2 : -1;
      t.NbHauteurs = 1;
    }
    t.Silence = t.Hauteurs[1] == -1;
    t.Lie = t.Hauteurs[1] == -2;
    mes.NbTemps[piste] = b;
    ++b;
  }

  void Avancer(double v, double& reste) {
    position += v;
    place += v;
    reste -= v;
  }

  // One step: a triplet beat, or the plain values of what is left of the group in this measure.
  void CreerTempsImport(double& reste, size_t fermeture) {
    TMesure& mes = *p.Mesure(m);
    const double a = std::min(reste, mes.Duree - position);
    if (b > NB_TEMPS_MAX) {  // no beat slot left in this measure: the part is left out
      Tronquer();
      Avancer(a, reste);
      return;
    }
    static const struct {
      double v;
      int code, ticks;
    } triolets[] = {{4.0 / 3, -1, 640}, {2.0 / 3, 0, 320}, {1.0 / 3, 1, 160}, {1.0 / 6, 2, 80}};
    for (const auto& tr : triolets) {
      if (Arrondi4(a) != Arrondi4(tr.v)) continue;
      const TTemps* prec = b >= 2 ? &mes.Temps[piste][b - 1] : nullptr;
      const bool suite = prec && prec->Triolet && (prec->PlaceTriolet == 1 || prec->PlaceTriolet == 2) &&
                         prec->Duree == tr.ticks;
      const auto& v = liste.Notes;
      const bool debut = fermeture + 2 < v.size() && Arrondi4(v[fermeture + 1].Duree) == Arrondi4(tr.v) &&
                         Arrondi4(v[fermeture + 2].Duree) == Arrondi4(tr.v);
      if (!suite && !debut) break;
      Ecrire(tr.ticks, tr.code, false, true, suite ? prec->PlaceTriolet + 1 : 1);
      Avancer(tr.v, reste);
      return;
    }
    std::vector<double> valeurs = DecomposerDuree(std::nearbyint(a * 16) / 16);
    if (note)
      for (size_t k = 0; k + 1 < valeurs.size();) {
        if (valeurs[k] != 4 && valeurs[k + 1] == valeurs[k] / 2) {
          valeurs[k] *= 1.5;
          valeurs.erase(valeurs.begin() + static_cast<long>(k) + 1);
        } else {
          ++k;
        }
      }
    for (double v : valeurs) {
      int code = 0;
      bool pointee = false;
      if (b > NB_TEMPS_MAX) {
        Tronquer();
      } else if (CodeValeur(v, code, pointee)) {
        Ecrire(static_cast<int>(std::lrint(v * TICKS_NOIRE)), code, pointee, false, 1);
      }
      Avancer(v, reste);
    }
  }

  // Places a group of the given remaining length from measure m, slot b.
  void PlacerGroupe(double reste, size_t fermeture) {
    premier = true;
    while (Arrondi4(reste) >= SEIZIEME) {
      if (Arrondi4(p.Mesure(m)->Duree - position) < SEIZIEME) {
        if (m >= p.NbMesures) return;
        ++m;
        b = 1;
        position = 0;
      }
      CreerTempsImport(reste, fermeture);
    }
  }
};

}  // namespace

bool CreerPartitionImport(TPartition& p, int piste, TListeNotesImport& liste, TRapportImport& rapport,
                          const std::function<void(int)>& progression) {
  if (!ListeContientNotes(liste)) return false;
  const int nbCordes = std::clamp(p.NbCordes[piste], 1, NB_CORDES_MAX);

  double s = 0;
  for (int m = 1; m <= p.NbMesures; ++m) s += p.Mesure(m)->Duree;
  while (Arrondi4(s) < Arrondi4(liste.DureeTotale)) {
    if (!AjouterMesureImport(p)) {
      rapport.MesuresTronquees = true;
      break;
    }
    s += p.Mesure(p.NbMesures)->Duree;
  }
  if (Arrondi4(s) > Arrondi4(liste.DureeTotale)) {
    auto& v = liste.Notes;
    if (!v.empty() && v.back().Hauteur == -1)
      v.back().Duree += s - liste.DureeTotale;
    else
      v.push_back({-1, s - liste.DureeTotale});
    liste.DureeTotale = s;
  }
  // Only this track's beats go: the measures keep their repeat marks (the re-cut runs on a song).
  for (int m = 1; m <= p.NbMesures; ++m) {
    p.Mesure(m)->NbTemps[piste] = 0;
    TempsNoireVide(p.Mesure(m)->Temps[piste][1]);
  }

  TEcriture e{p, piste, liste, rapport};
  double exact = 0;
  const auto& v = liste.Notes;
  const size_t n = v.size();
  int dernierPas = -1;
  double debuts[NB_CORDES_MAX + 1] = {};  // source start of the pitch in each place of the beat
  for (size_t i = 0; i < n; ++i) {
    const TNoteImport& x = v[i];
    const bool ferme = Arrondi4(x.Duree) > 0;
    const double debut = i < liste.Debuts.size() ? liste.Debuts[i] : 0;
    if (!(x.Hauteur == -1 && !ferme)) {
      int deja = 0;
      for (int k = 1; k <= e.nbHauteurs && !deja; ++k)
        if (e.hauteurs[k] == x.Hauteur) deja = k;
      if (deja) {
        // The same pitch twice on one step: a doubling when both started together, else a note
        // the grid has no room for.
        if (x.Hauteur >= 0 && debut != debuts[deja])
          rapport.Fusionnees.push_back({piste, e.MesureDuGroupe(), x.Hauteur});
      } else {
        if (e.nbHauteurs < nbCordes) {
          ++e.nbHauteurs;
        } else if (e.hauteurs[e.nbHauteurs] >= 0) {
          // One pitch more than the track has strings: the last place takes the newer pitch.
          rapport.NonPlacees.push_back({piste, e.MesureDuGroupe(), e.hauteurs[e.nbHauteurs]});
        }
        e.hauteurs[e.nbHauteurs] = static_cast<int16_t>(x.Hauteur);
        debuts[e.nbHauteurs] = debut;
        e.note = x.Hauteur >= 0;
      }
    }
    if (!ferme) continue;
    e.PlacerGroupe(exact + x.Duree - e.place, i);
    exact += x.Duree;
    e.nbHauteurs = 0;
    e.note = false;
    if (progression) {
      const int pas = static_cast<int>(std::lrint(double(i + 1) / n * 28));
      if (pas != dernierPas) progression(dernierPas = pas);
    }
    if (Arrondi4(e.p.Mesure(e.m)->Duree - e.position) < SEIZIEME && e.m >= p.NbMesures) break;
  }
  return true;
}

void CompleterMesure(TPartition& p, int piste, int mesure, TRapportImport* rapport) {
  TMesure& m = *p.Mesure(mesure);
  // The song file keeps each measure's filled length: an imported measure gets it here, whichever
  // way it is closed, as no edit zone has shown it yet.
  struct TRemplie {
    TMesure& m;
    int piste;
    ~TRemplie() { m.DureeRemplie[piste] = DureeMesureEnNoires(m, piste); }
  } remplie{m, piste};
  int n = std::clamp(m.NbTemps[piste], 0, NB_TEMPS_MAX);
  auto manque = [&] {
    int64_t ticks = 0;
    for (int b = 1; b <= n; ++b) ticks += m.Temps[piste][b].Duree;
    return Arrondi4(m.Duree - double(ticks) / TICKS_NOIRE);
  };
  if (manque() <= 0) {
    TempsNoireVide(m.Temps[piste][n + 1]);
    return;
  }
  while (n > 0 && m.Temps[piste][n].Silence) --n;
  m.NbTemps[piste] = n;
  double e = manque();
  static const double valeurs[] = {4, 2, 1, 0.5, 0.25, 0.125, SEIZIEME};
  for (int k = 0; k < 7; ++k) {
    while (Arrondi4(e) >= valeurs[k]) {
      if (n >= NB_TEMPS_MAX) {
        if (rapport) rapport->TempsTronques.push_back({piste, mesure});
        TempsNoireVide(m.Temps[piste][n + 1]);
        return;
      }
      TTemps& t = m.Temps[piste][++n];
      TempsNoireVide(t);
      t.Duree = static_cast<int32_t>(std::lrint(valeurs[k] * TICKS_NOIRE));
      t.CodeDuree = static_cast<int8_t>(k - 2);
      t.Silence = 1;
      t.Hauteurs[1] = -1;
      t.NbHauteurs = 1;
      m.NbTemps[piste] = n;
      e -= valeurs[k];
    }
  }
  TempsNoireVide(m.Temps[piste][n + 1]);
}
