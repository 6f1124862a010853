#include "editor/Assistants.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "editor/state/EtatEdition.h"
#include "editor/Navigation.h"
#include "editor/state/Partition.h"
#include "editor/Saisie.h"
#include "midi/NotesMesures.h"
#include "midi/PlacementDoigts.h"
#include "settings/Langue.h"
#include "settings/Mess.h"

namespace {

int TempsUtilises(const TMesure& m, int piste) { return std::clamp<int>(m.NbTemps[piste], 0, NB_TEMPS_MAX); }

bool APiste(int piste) { return piste >= 1 && piste <= NB_PISTES; }

constexpr int16_t HAUTEUR_HORS = -100;  // a pitch no string can sound

}  // namespace

// ---------------------------------------------------------------------------------------------
// Transposition and automatic fingering

void CollecterHauteurs(TPartition& p, int piste, int deb, int fin, int demitons) {
  if (!APiste(piste)) return;
  const int nbCordes = std::clamp(p.NbCordes[piste], 0, NB_CORDES_MAX);
  for (int m = std::max(deb, 1); m <= std::min(fin, p.NbMesures); ++m) {
    TMesure& mes = *p.Mesure(m);
    for (int b = 1; b <= TempsUtilises(mes, piste); ++b) {
      TTemps& t = mes.Temps[piste][b];
      t.NbHauteurs = 0;
      if (t.Silence || t.Lie) {
        t.Hauteurs[1] = t.Silence ? -1 : -2;
        t.NbHauteurs = 1;
        continue;
      }
      for (int s = 1; s <= nbCordes; ++s) {
        TNote& n = t.Notes[s];
        n.Effet = 0;
        n.Bend = 1.0;
        n.Nuance = 6;
        n.FretteGrace = FRETTE_AUCUNE;
        if (n.Frette < 0 || n.Frette > FretteMaxPiste[piste]) continue;
        // A pitch moved below 0 fits no string; kept clear of -1 and -2, which mark rests and ties.
        const int h = n.Frette + p.Accordage[piste][s] + demitons;
        t.Hauteurs[++t.NbHauteurs] = static_cast<int16_t>(h < 0 ? HAUTEUR_HORS : h);
      }
    }
  }
}

void OptimiserPlacementMesures(TPartition& p, int piste, int deb, int fin, TSuiviImport& suivi) {
  suivi.Etape(TexteLangue("MidiImp-OptimisationPlacementDoigts"));
  if (!APiste(piste)) return;
  const TCordesPiste cordes = CordesPiste(p, piste);
  const TPoidsDoigts poids;
  bool premier = deb == 1;
  deb = std::max(deb, 1);
  fin = std::min(fin, p.NbMesures);
  for (int m = deb; m <= fin; ++m) {
    TMesure& mes = *p.Mesure(m);
    for (int b = 1; b <= TempsUtilises(mes, piste); ++b) {
      TTemps& t = mes.Temps[piste][b];
      // The count is tested first: a beat whose collection found nothing keeps what an earlier
      // pass left in its first slot, which must not turn it into a rest or a tie.
      if (t.NbHauteurs == 0) continue;
      if (t.Hauteurs[1] == -1) {
        t.Silence = 1;
      } else if (t.Hauteurs[1] == -2) {
        t.Lie = 1;
      } else if (PlacerAccord(p, piste, m, b, cordes, poids, premier, nullptr) > 0) {
        premier = false;
      } else {
        t.Silence = 1;
      }
    }
    suivi.Progression(static_cast<int>(std::lrint(double(m - deb + 1) / (fin - deb + 1) * 28)));
  }
}

void TransposerPiste(TPartition& p, int piste, int demitons, TSuiviImport& suivi) {
  CollecterHauteurs(p, piste, 1, p.NbMesures, demitons);
  OptimiserPlacementMesures(p, piste, 1, p.NbMesures, suivi);
}

void PlacementAutoMesures(TPartition& p, int piste, int deb, int fin, TSuiviImport& suivi) {
  if (fin >= deb) CollecterHauteurs(p, piste, deb, fin, 0);
  OptimiserPlacementMesures(p, piste, deb, fin, suivi);
}

// ---------------------------------------------------------------------------------------------
// Re-cut

namespace {

struct TPlace {
  int mesure, temps;
  int64_t debut;  // ticks from the start of the track's flow
};

bool PorteExtras(const TTemps& t) { return !t.Texte.empty() || t.AvecAccord || t.MixTable; }

bool AUneNote(const TTemps& t, int nbCordes) {
  for (int s = 1; s <= nbCordes; ++s)
    if (t.Notes[s].Frette >= 0) return true;
  return false;
}

// The annotation, chord and mix-table change of a beat that disappears into another: what the
// receiving beat lacks it takes; two texts are joined.
void Fusionner(TTemps& dest, const TTemps& src) {
  if (!src.Texte.empty()) {
    if (dest.Texte.empty()) {
      dest.Texte = src.Texte;
    } else if (dest.Texte.view() != src.Texte.view()) {
      std::string t(dest.Texte.view());
      t += ' ';
      t += src.Texte.view();
      dest.Texte = std::string_view(t).substr(0, 40);
    }
  }
  if (src.AvecAccord && !dest.AvecAccord) {
    dest.AvecAccord = 1;
    dest.Accord = src.Accord;
  }
  if (src.MixTable) {
    if (!dest.MixTable) {
      dest.MixTable = src.MixTable;
    } else {
      cTableMixEvent& d = *dest.MixTable;
      const cTableMixEvent& s = *src.MixTable;
      auto prendre = [](auto& a, auto b, auto& ta, auto tb) {
        if (a == -1 && b != -1) {
          a = b;
          ta = tb;
        }
      };
      uint8_t sansTransition = 0;
      prendre(d.Instrument, s.Instrument, sansTransition, uint8_t(0));
      prendre(d.Volume, s.Volume, d.TransVolume, s.TransVolume);
      prendre(d.Panoramique, s.Panoramique, d.TransPanoramique, s.TransPanoramique);
      prendre(d.Chorus, s.Chorus, d.TransChorus, s.TransChorus);
      prendre(d.Reverb, s.Reverb, d.TransReverb, s.TransReverb);
      prendre(d.Tempo, s.Tempo, d.TransTempo, s.TransTempo);
    }
  }
}

// The grid the builder writes on: a sixty-fourth note.
constexpr int64_t PAS_GRILLE = TICKS_NOIRE / 16;

// Whole triplet groups keep their exact lengths; they start and end on the grid.
bool DebutTriolet(const std::vector<int64_t>& durees, size_t i) {
  if (i + 2 >= durees.size()) return false;
  const int64_t d = durees[i];
  return (d == 80 || d == 160 || d == 320 || d == 640) && durees[i + 1] == d && durees[i + 2] == d;
}

}  // namespace

void PlacerSurGrille(std::vector<int64_t>& durees, const std::vector<bool>& notes, std::vector<int64_t>& places) {
  const size_t n = durees.size();
  places.assign(n, 0);
  const std::vector<int64_t> exactes = durees;
  int64_t exact = 0, place = 0;
  for (size_t i = 0; i < n;) {
    if (DebutTriolet(exactes, i) && place % PAS_GRILLE == 0) {
      for (int k = 0; k < 3; ++k, ++i) {
        places[i] = place;
        place += exactes[i];
        exact += exactes[i];
      }
      continue;
    }
    exact += exactes[i];
    // The end goes to the nearest grid line (halves to even); a note of at least one step keeps
    // at least one, so that no such note is lost and none moves by more than a step.
    int64_t fin = std::llrint(double(exact) / PAS_GRILLE) * PAS_GRILLE;
    int64_t longueur = std::max<int64_t>(fin - place, 0);
    if (notes[i] && exactes[i] >= PAS_GRILLE) longueur = std::max(longueur, PAS_GRILLE);
    places[i] = place;
    durees[i] = longueur;
    place += longueur;
    ++i;
  }
}

namespace {

template <class G>
void PlacerSurGrille(std::vector<G>& groupes) {
  std::vector<int64_t> durees, places;
  std::vector<bool> notes;
  for (const G& g : groupes) {
    durees.push_back(g.duree);
    notes.push_back(g.note);
  }
  ::PlacerSurGrille(durees, notes, places);
  for (size_t i = 0; i < groupes.size(); ++i) {
    groupes[i].place = places[i];
    groupes[i].longueur = durees[i];
  }
}

}  // namespace

ERedecoupe RedecouperPiste(TPartition& p, int piste, TSuiviImport& suivi) {
  if (!APiste(piste) || p.NbMesures < 1) return ERedecoupe::AucuneNote;
  const int nbAnc = p.NbMesures;
  const int nbCordes = std::clamp(p.NbCordes[piste], 0, NB_CORDES_MAX);

  // The track's flow as groups: a beat with notes and the tied beats that continue it, or a run of
  // rests. Lengths in ticks, exact.
  struct TGroupe {
    bool note = false;
    std::vector<int> hauteurs;
    int64_t duree = 0;
    TPlace origine{};
    int64_t place = 0, longueur = 0;  // on the grid, set below
  };
  std::vector<TGroupe> groupes;
  std::vector<TPlace> extras;  // rests, ties and empty beats carrying a text, chord or mix change
  bool restePrecedentLibre = false;  // the last group is a rest that may grow
  int64_t tick = 0;
  for (int m = 1; m <= nbAnc; ++m) {
    const TMesure& mes = *p.Mesure(m);
    for (int b = 1; b <= TempsUtilises(mes, piste); ++b) {
      const TTemps& t = mes.Temps[piste][b];
      const int64_t duree = std::max<int32_t>(t.Duree, 0);
      const bool extra = PorteExtras(t);
      const bool note = !t.Silence && !t.Lie && AUneNote(t, nbCordes);
      if (note) {
        TGroupe g;
        g.note = true;
        for (int s = 1; s <= nbCordes; ++s)
          if (t.Notes[s].Frette >= 0) g.hauteurs.push_back(t.Notes[s].Frette + p.Accordage[piste][s]);
        g.duree = duree;
        g.origine = {m, b, tick};
        groupes.push_back(std::move(g));
        restePrecedentLibre = false;
      } else if (t.Lie && !t.Silence && !groupes.empty()) {
        // A tied beat lengthens what it continues; a rest that is also tied is a rest.
        groupes.back().duree += duree;
        if (extra) extras.push_back({m, b, tick});
      } else {
        // A rest, a beat without any note, or a tie with nothing before it: silence. A rest
        // carrying something of its own starts its own group, so that it keeps its own beat.
        if (restePrecedentLibre && !extra) {
          groupes.back().duree += duree;
        } else {
          TGroupe g;
          g.duree = duree;
          groupes.push_back(std::move(g));
        }
        restePrecedentLibre = true;
        if (extra) extras.push_back({m, b, tick});
      }
      tick += duree;
    }
  }
  if (std::none_of(groupes.begin(), groupes.end(), [](const TGroupe& g) { return g.note; }))
    return ERedecoupe::AucuneNote;
  PlacerSurGrille(groupes);

  // The note list handed to the builder, from the lengths on the grid. A note the grid left no
  // step joins the note before it: its beat is not copied, and its text, chord or mix change go
  // to the beat where its time falls.
  TListeNotesImport liste;
  auto& v = liste.Notes;
  std::vector<const TGroupe*> notes;  // groups with notes, in order: copied into the new note beats
  for (const TGroupe& g : groupes) {
    if (g.longueur <= 0) {
      if (g.note) extras.push_back(g.origine);
      continue;
    }
    const double duree = double(g.longueur) / TICKS_NOIRE;
    if (g.note) {
      for (int h : g.hauteurs) v.push_back({h, 0});
      v.back().Duree = duree;
      notes.push_back(&g);
    } else {
      v.push_back({-1, duree});
    }
    if (v.size() > size_t(NB_NOTES_IMPORT_MAX)) return ERedecoupe::TropDeNotes;
  }
  NettoyerFinListeNotes(liste);
  liste.DureeTotale = 0;
  for (const TNoteImport& e : v) liste.DureeTotale += e.Duree;

  // Measures the flow needs: the song's own, then more of the last signature.
  int besoin = 0;
  {
    double s = 0;
    while (besoin == 0 || Arrondi4(s) < Arrondi4(liste.DureeTotale)) {
      if (++besoin > NB_MESURES_MAX) return ERedecoupe::TropDeMesures;
      s += p.Mesure(std::min(besoin, nbAnc))->Duree;
    }
  }

  // The new song is built aside from copies of the measures it keeps; the song changes only once
  // everything went through.
  TPartition w;
  for (int k = 1; k <= NB_PISTES; ++k) {
    w.NbCordes[k] = p.NbCordes[k];
    std::copy(std::begin(p.Accordage[k]), std::end(p.Accordage[k]), std::begin(w.Accordage[k]));
    w.NbFrettes[k] = p.NbFrettes[k];
  }
  w.NbMesures = std::min(besoin, nbAnc);
  for (int m = 1; m <= w.NbMesures; ++m) w.Mesures[m] = std::make_unique<TMesure>(*p.Mesure(m));
  suivi.Etape(TexteLangue("MidiImp-CreationPartition"));
  TRapportImport rapport;
  if (!CreerPartitionImport(w, piste, liste, rapport, [&suivi](int x) { suivi.Progression(x); }))
    return ERedecoupe::AucuneNote;  // only pitch 0: the builder takes that for silence
  if (rapport.MesuresTronquees || w.NbMesures > NB_MESURES_MAX) return ERedecoupe::TropDeMesures;
  if (!rapport.TempsTronques.empty()) return ERedecoupe::TropDeTemps;

  // The former beats' content back into the new beats, by time: each new note beat takes the
  // former note whose place on the grid lies nearest its start, never going back.
  size_t suivant = 0;
  std::vector<TPlace> nouveaux;
  int64_t t2 = 0;
  for (int m = 1; m <= w.NbMesures; ++m) {
    TMesure& mes = *w.Mesure(m);
    for (int b = 1; b <= TempsUtilises(mes, piste); ++b) {
      TTemps& t = mes.Temps[piste][b];
      const int64_t debut = t2;
      nouveaux.push_back({m, b, t2});
      t2 += t.Duree;
      const bool marque = t.NbHauteurs >= 1 && (t.Hauteurs[1] == -1 || t.Hauteurs[1] == -2);
      if (marque) {
        t.Silence = t.Hauteurs[1] == -1;
        t.Lie = t.Hauteurs[1] == -2;
        continue;
      }
      if (suivant >= notes.size()) continue;
      while (suivant + 1 < notes.size() &&
             std::llabs(notes[suivant + 1]->place - debut) < std::llabs(notes[suivant]->place - debut))
        ++suivant;
      const TPlace& a = notes[suivant++]->origine;
      TTemps copie = p.Mesure(a.mesure)->Temps[piste][a.temps];
      copie.Duree = t.Duree;
      copie.CodeDuree = t.CodeDuree;
      copie.Pointee = t.Pointee;
      copie.Triolet = t.Triolet;
      copie.PlaceTriolet = t.PlaceTriolet;
      t = std::move(copie);
    }
  }
  for (const TPlace& x : extras) {
    if (nouveaux.empty()) break;
    auto it = std::upper_bound(nouveaux.begin(), nouveaux.end(), x.debut,
                               [](int64_t d, const TPlace& n) { return d < n.debut; });
    const TPlace& n = it == nouveaux.begin() ? *it : *std::prev(it);
    Fusionner(w.Mesure(n.mesure)->Temps[piste][n.temps], p.Mesure(x.mesure)->Temps[piste][x.temps]);
  }
  for (int m = 1; m <= w.NbMesures; ++m) {
    TMesure& mes = *w.Mesure(m);
    TempsNoireVide(mes.Temps[piste][TempsUtilises(mes, piste) + 1]);
  }
  // Past the notes the song keeps its length; the current track is empty there.
  for (int m = w.NbMesures + 1; m <= nbAnc; ++m) {
    w.Mesures[m] = std::make_unique<TMesure>(*p.Mesure(m));
    w.Mesure(m)->NbTemps[piste] = 0;
    TempsNoireVide(w.Mesure(m)->Temps[piste][1]);
  }
  w.NbMesures = std::max(w.NbMesures, nbAnc);

  for (int m = 1; m <= NB_MESURES_MAX; ++m) p.Mesures[m] = std::move(w.Mesures[m]);
  p.NbMesures = w.NbMesures;
  return ERedecoupe::Fait;
}

bool RedecouperPiste(TSuiviImport& suivi) {
  const ERedecoupe r = RedecouperPiste(Partition, PisteCourante, suivi);
  if (r == ERedecoupe::Fait) {
    SupprimerMesuresVidesFin();
    return true;
  }
  const char* cle = r == ERedecoupe::AucuneNote    ? "AssRC-AucuneNote"
                    : r == ERedecoupe::TropDeNotes ? "AssRC-TropDeNotes"
                    : r == ERedecoupe::TropDeTemps ? "AssRC-TropDeTemps"
                                                   : "Gene-MesuresMax";
  MessageBoxD(TexteLangue("Dlg-Attention"), TexteLangue(QString::fromLatin1(cle)), MB_ICONE_ATTENTION, MB_OK,
              MB_DEF_OK);
  return false;
}

// ---------------------------------------------------------------------------------------------
// Notes entered by the assistants

bool PoserNoteCurseur(int corde, int frette) {
  if (!Partition.Courante() || corde < 1 || corde > NB_CORDES_MAX) return false;
  const int n = NbTempsCourant();
  if (Curseur.Temps < 1 || Curseur.Temps > n + 1 || (Curseur.Temps == n + 1 && n >= NB_TEMPS_MAX)) return false;
  SauverAnnulation();
  UseInputSlot();
  TTemps& t = TempsCourant();
  t.Silence = 0;
  t.Lie = 0;
  t.Notes[corde].Frette = static_cast<int8_t>(frette);
  TempsPrecedent = Curseur.Temps;
  CordePrecedente = Curseur.Corde;
  Curseur.Corde = corde;
  return true;
}
