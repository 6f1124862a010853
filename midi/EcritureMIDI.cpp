#include "midi/EcritureMIDI.h"

#include <QCursor>
#include <QGuiApplication>
#include <algorithm>
#include <cmath>

#include "platform/CheckedFile.h"
#include "song/Song.h"
#include "editor/state/EtatEdition.h"
#include "midi/EffetsMIDI.h"
#include "midi/uMIDIPile.h"
#include "settings/Config.h"
#include "settings/Langue.h"
#include "settings/Mess.h"

TEtatLecture EtatLecture;
std::vector<double> TempsMesures(1, 0.0);
int32_t PosOrdreLecture = 0;
int32_t MesureDebutLecture = 1, MesureFinLecture = 1;
int32_t DebutMorceauTicks = 0;

int CanalPrincipal(int piste) {
  static const int canaux[NB_PISTES + 1] = {0, 1, 3, 5, 7, 11, 13, 15, 10};
  return canaux[std::clamp(piste, 1, NB_PISTES)] - 1;
}

int CanalEffets(int piste) {
  static const int canaux[NB_PISTES + 1] = {0, 2, 4, 6, 8, 12, 14, 16, 10};
  return canaux[std::clamp(piste, 1, NB_PISTES)] - 1;
}

bool PisteSilencieuse(int piste) {
  for (int m = 1; m <= Partition.NbMesures; ++m) {
    const TMesure* mes = Partition.Mesure(m);
    if (!mes) continue;
    for (int b = 1; b <= std::min(mes->NbTemps[piste], NB_SLOTS_TEMPS); ++b)
      if (!mes->Temps[piste][b].Silence) return false;
  }
  return true;
}

bool PisteIncluse(int piste, int mode) {
  if (mode == MODE_MIDI_TEMPS) {
    if (piste != PisteCourante) return false;
  } else if (mode == MODE_MIDI_EXPORT) {
    if (Partition.PasExporter[piste]) return false;
  } else {
    const bool soloActif = Partition.SoloActif != 0;
    if (soloActif && piste != Partition.PisteSolo) return false;
    if (Partition.Muette[piste] && !(soloActif && piste == Partition.PisteSolo)) return false;
  }
  return !PisteSilencieuse(piste);
}

namespace {

int32_t LongueurMesure(int m) {
  const TMesure* mes = Partition.Mesure(m);
  return mes ? TicksMesure(*mes) : 0;
}

int Log2Denominateur(int den) {
  return den > 0 ? static_cast<int>(std::nearbyint(std::log2(static_cast<double>(den)))) : 2;
}

// The switches of one writing pass.
struct TPasse {
  int mode = 0;
  bool effets = false;
  bool tripletFeel = false;
  bool metronome = false;
  bool decompte = false;
  int32_t longueurDecompte = 0;
  int32_t avanceGrace = 0;
  int premiereMesure = 1;
  std::vector<int> mesures;        // play order (mode 5: the current measure once)
  std::vector<int64_t> debuts;     // start tick of each entry
  int64_t fin = 0;                 // tick where the last entry ends
};

// End of track at the end of the last measure, so that a song ending in rests lasts its full
// length: a loop or a speed-trainer pass then starts again on the beat.
void FinirPiste(std::vector<uint8_t>& corps, cMIDIPile& pile, int64_t fin) {
  const int64_t dernier = pile.Nombre() > 0 ? pile.Evenements().back().Temps : 0;
  AjouterQuantiteVariable(corps, static_cast<uint32_t>(std::clamp<int64_t>(fin - dernier, 0, 0x0FFFFFFF)));
  AjouterOctets(corps, {0xFF, META_FIN_PISTE, 0x00});
}

bool TempsJoue(const TTemps& t) { return !t.Silence && !t.Lie; }

bool PorteGrace(int piste, const TTemps& t) {
  if (!TempsJoue(t)) return false;
  for (int s = 1; s <= std::min(Partition.NbCordes[piste], NB_CORDES_MAX); ++s)
    if (t.Notes[s].FretteGrace >= 0) return true;
  return false;
}

// The first beat a track writes in the pass, or null.
const TTemps* PremierTemps(int piste, const TPasse& p) {
  if (p.mode == MODE_MIDI_TEMPS) {
    const TMesure* mes = Partition.Courante();
    if (!mes || Curseur.Temps < 1 || Curseur.Temps > NB_SLOTS_TEMPS) return nullptr;
    return &mes->Temps[piste][Curseur.Temps];
  }
  for (int m : p.mesures) {
    const TMesure* mes = Partition.Mesure(m);
    if (mes && mes->NbTemps[piste] > 0 && LongueurMesure(m) > 0) return &mes->Temps[piste][1];
  }
  return nullptr;
}

// Ticks of the beat and of the beats tied to it, in measure order.
int32_t DureeLiee(int piste, int m, int b) {
  int32_t d = Partition.Mesure(m)->Temps[piste][b].Duree;
  int mm = m, bb = b;
  int32_t saut = 0;
  while (TempsSuivant(piste, mm, bb, &saut)) {
    const TTemps& t = Partition.Mesure(mm)->Temps[piste][bb];
    if (!t.Lie) break;
    d += saut + t.Duree;  // a tie across an empty measure sounds through it
    saut = 0;
  }
  return d;
}

int DecalageHarmonique(int frette) {
  switch (frette) {
    case 4: case 9: case 16: return 28 - frette;
    case 5: case 24: return 24 - frette;
    case 7: case 19: return 19 - frette;
    default: return 0;
  }
}

class TEcrivainPiste {
 public:
  TEcrivainPiste(int piste, const TPasse& p, cMIDIPile& pile)
      : piste_(piste), p_(p), pile_(pile), M_(CanalPrincipal(piste)), E_(CanalEffets(piste)) {}

  void Preparer() {
    pile_.Ajouter(0, CANAL_META, MIDI_META, META_PORT, 1, 0);
    pile_.Ajouter(0, CANAL_META, MIDI_META, META_PREFIXE_CANAL, 1, M_);
    pile_.Ajouter(0, CANAL_META, MIDI_META, META_PREFIXE_CANAL, 1, E_);
    for (int c : {M_, E_}) {
      pile_.Ajouter(0, c, MIDI_CONTROLEUR, 100, 0);
      pile_.Ajouter(0, c, MIDI_CONTROLEUR, 101, 0);
    }
    const int controleurs[4][2] = {{7, Partition.Volume[piste_]}, {10, Partition.Panoramique[piste_]},
                                   {93, Partition.Chorus[piste_]}, {91, Partition.Reverb[piste_]}};
    for (const auto& cv : controleurs)
      for (int c : {M_, E_}) pile_.Ajouter(0, c, MIDI_CONTROLEUR, cv[0], cv[1]);
    pile_.Volume = Partition.Volume[piste_];
    pile_.Panoramique = Partition.Panoramique[piste_];
    pile_.Chorus = Partition.Chorus[piste_];
    pile_.Reverb = Partition.Reverb[piste_];
    pile_.Tempo = EtatLecture.TempoCourant;
    pile_.Ajouter(0, M_, MIDI_PROGRAMME, Partition.Instrument[piste_], 0);
    pile_.Ajouter(0, E_, MIDI_PROGRAMME, Partition.Instrument[piste_], 0);
    pile_.Ajouter(0, E_, MIDI_CONTROLEUR, 6, Configuration.LimitBend ? 2 : 8);
    pile_.PlageBendEnvoyee |= 1u << E_;
  }

  void EcrireMesure(int m, int64_t debut) {
    const TMesure* mes = Partition.Mesure(m);
    if (!mes) return;
    const int32_t longueur = LongueurMesure(m);
    const int n = std::min(mes->NbTemps[piste_], NB_SLOTS_TEMPS);
    int32_t pos = 0, decalagePrec = 0;
    for (int b = 1; b <= n && pos < longueur; ++b) {
      const TTemps& t = mes->Temps[piste_][b];
      int32_t decalage = 0;
      if (p_.tripletFeel && b < n && t.Duree == TICKS_NOIRE / 2 && mes->Temps[piste_][b + 1].Duree == TICKS_NOIRE / 2 &&
          pos % TICKS_NOIRE == 0)
        decalage = 80;
      EcrireTemps(m, b, debut + pos + decalagePrec, decalage, decalagePrec);
      pos += t.Duree;
      decalagePrec = decalage;
    }
  }

  void EcrireTempsSeul(int m, int b, int64_t instant) { EcrireTemps(m, b, instant, 0, 0); }

 private:
  void Note(int64_t on, int64_t off, int canal, int hauteur, int velocite, bool jumeau) {
    if (off <= on) off = on + 15;
    hauteur = std::clamp(hauteur, 0, 127);
    velocite = std::clamp(velocite, 1, 127);
    pile_.Ajouter(on, canal, MIDI_NOTE_ON, hauteur, velocite);
    pile_.Ajouter(off, canal, MIDI_NOTE_OFF, hauteur, 80);
    if (jumeau && hauteur + 12 <= 127) {
      // The octave string of a 12-string pair, struck just after its partner.
      const int64_t on2 = on + 4;
      pile_.Ajouter(on2, canal, MIDI_NOTE_ON, hauteur + 12, std::max(1, Arrondi(velocite / 1.27)));
      pile_.Ajouter(std::max(off, on2 + 1), canal, MIDI_NOTE_OFF, hauteur + 12, 80);
    }
  }

  void EcrireTemps(int m, int b, int64_t instant, int32_t decalage, int32_t decalagePrec) {
    const TTemps& t = Partition.Mesure(m)->Temps[piste_][b];
    const bool effets = p_.effets;
    const int effetTemps = t.EffetTemps;
    const int canalTemps = (effets && effetTemps >= 1 && effetTemps <= 3) ? E_ : M_;
    const int decalageHauteur = effetTemps == 9 ? 12 : 0;
    const int nbCordes = std::clamp(Partition.NbCordes[piste_], 0, NB_CORDES_MAX);
    const bool joue = TempsJoue(t);
    // Only a sounding beat needs its length; tied beats carry no notes of their own, and walking
    // each of their chains again would make long tied passages quadratic.
    const int32_t L = joue ? DureeLiee(piste_, m, b) + decalage - decalagePrec : 0;

    int32_t pas = 0;
    if (t.Brush && t.VitesseBrush > 0 && nbCordes > 0) {
      pas = Arrondi(480.0 / t.VitesseBrush / nbCordes);
      int k = 0;
      if (joue)
        for (int s = 1; s <= nbCordes; ++s) k += t.Notes[s].Frette >= 0;
      if (k > 1 && (k - 1) * pas > 0.9 * L) pas = static_cast<int32_t>(0.9 * L / (k - 1));
    }

    if (t.MixTable) RendreTableMix(pile_, *t.MixTable, instant, M_, E_, p_.mode == MODE_MIDI_ENTRAINEMENT);

    bool glisseOuBend = false;
    if (joue) {
      int64_t decalageBrush = 0;
      const bool douze = Partition.DouzeCordes[piste_] != 0;
      for (int i = 1; i <= nbCordes; ++i) {
        const int s = (t.Brush == 1) ? nbCordes + 1 - i : i;
        const TNote& n = t.Notes[s];
        const int ouverte = Partition.Accordage[piste_][s] + Partition.Capo[piste_];
        const bool jumeau = douze && s >= 3;
        const int effetNote = effets ? n.Effet : 0;
        const int canalNote = (effetNote >= 3 && effetNote <= 7 && effetTemps <= 6) ? E_ : canalTemps;
        int velocite = n.Nuance * 16 - 1;
        if (effetTemps == 5 || (effets && (effetPrec_[s] == 1 || effetPrec_[s] == 2)))
          velocite = Arrondi(velocite / 1.34);
        int decalageNote = decalageHauteur;
        if (effetTemps == 8 && n.Frette >= 0 && n.Frette != FRETTE_MORTE) decalageNote = DecalageHarmonique(n.Frette);

        if (effets && n.FretteGrace >= 0) {
          const bool morte = n.FretteGrace == FRETTE_MORTE;
          const int d = n.DureeGrace >= 3 ? 120 : n.DureeGrace == 2 ? 60 : 30;
          const int64_t debut = instant - d;
          Note(debut, morte ? debut + 15 : instant, M_, ouverte + (morte ? 0 : n.FretteGrace) + decalageNote,
               n.NuanceGrace * 16 - 1, jumeau);
        }
        if (n.Frette < 0) continue;
        const bool morte = n.Frette == FRETTE_MORTE;
        const int hauteur = ouverte + (morte ? 0 : n.Frette) + decalageNote;
        int32_t longueur = L;
        if (morte)
          longueur = 15;
        else if (effetNote == 7)
          longueur = LongueurLetRing(piste_, m, b, s) + decalage - decalagePrec;
        const int64_t on = instant + decalageBrush;
        decalageBrush += pas;
        if (effetNote >= 3 && effetNote <= 6) {
          RendreEffet(effetNote - 3, pile_, canalNote, piste_, m, b, s, L, instant);
          glisseOuBend = true;
        }
        Note(on, instant + longueur, canalNote, hauteur, velocite, jumeau);
        effetPrec_[s] = effetNote;
      }
    }

    if (effets && joue) {
      if (effetTemps >= 1 && effetTemps <= 3 && !glisseOuBend)
        RendreEffet(effetTemps + 3, pile_, canalTemps, piste_, m, b, 0, L, instant);
      else if (effetTemps == 4)
        RendreEffet(EFFET_FADE_IN, pile_, canalTemps, piste_, m, b, 0, L, instant);
    }
  }

  int piste_;
  const TPasse& p_;
  cMIDIPile& pile_;
  int M_, E_;
  int effetPrec_[NB_CORDES_MAX + 1] = {};
};

std::vector<uint8_t> CorpsMetronome(const TPasse& p) {
  std::vector<uint8_t> corps;
  AjouterOctets(corps, {0x00, 0xFF, META_NOM_PISTE, 9});
  for (char c : std::string("Metronome")) corps.push_back(static_cast<uint8_t>(c));
  cMIDIPile pile;
  const int C = 9;
  pile.Ajouter(0, CANAL_META, MIDI_META, META_PORT, 1, 0);
  pile.Ajouter(0, CANAL_META, MIDI_META, META_PREFIXE_CANAL, 1, C);
  pile.Ajouter(0, C, MIDI_CONTROLEUR, 100, 0);
  pile.Ajouter(0, C, MIDI_CONTROLEUR, 101, 0);
  pile.Ajouter(0, C, MIDI_CONTROLEUR, 7, Configuration.MetronomeVolume);
  pile.Ajouter(0, C, MIDI_CONTROLEUR, 10, 64);
  pile.Ajouter(0, C, MIDI_CONTROLEUR, 93, 0);
  pile.Ajouter(0, C, MIDI_CONTROLEUR, 91, 0);
  pile.Ajouter(0, C, MIDI_PROGRAMME, 0, 0);
  const int nb = static_cast<int>(p.mesures.size());
  for (int N = 0; N <= nb; ++N) {
    if (nb == 0) break;
    const int m = p.mesures[N == 0 ? 0 : N - 1];
    const TMesure* mes = Partition.Mesure(m);
    if (!mes) continue;
    const int Q = mes->Numerateur;
    const bool compte = (N > 0 || p.decompte) && (N == 0 || (Configuration.Metronome && Configuration.MetronomeDuringScore));
    if (!compte || Q <= 0) continue;
    const int64_t debut = N == 0 ? p.avanceGrace : p.debuts[N - 1];
    const int32_t T = Arrondi(mes->Duree * TICKS_NOIRE / Q);
    for (int k = 0; k < Q; ++k) {
      const int v = (k == 0 && Configuration.DifferentMetronomeFirstSound) ? 127 : 90;
      pile.Ajouter(debut + static_cast<int64_t>(k) * T, C, MIDI_NOTE_ON, 37, v);
      pile.Ajouter(debut + static_cast<int64_t>(k + 1) * T, C, MIDI_NOTE_OFF, 37, 80);
    }
  }
  pile.Ecrire(corps);
  FinirPiste(corps, pile, p.fin);
  return corps;
}

std::vector<uint8_t> CorpsConducteur(const TPasse& p) {
  std::vector<uint8_t> corps;
  uint8_t o1, o2, o3;
  TempoEnOctets(EtatLecture.TempoCourant, o1, o2, o3);
  AjouterOctets(corps, {0x00, 0xFF, META_TEMPO, 0x03, o1, o2, o3});
  int num = 4, den = 4;
  if (p.mode != MODE_MIDI_TEMPS) {
    if (const TMesure* mes = Partition.Mesure(p.premiereMesure)) {
      num = mes->Numerateur;
      den = mes->Denominateur;
    }
  }
  AjouterOctets(corps, {0x00, 0xFF, META_SIGNATURE, 0x04, static_cast<uint8_t>(std::clamp(num, 0, 127)),
                        static_cast<uint8_t>(Log2Denominateur(den)), 0x18, 0x08});
  AjouterOctets(corps, {0x00, 0xFF, META_ARMURE, 0x02, 0x00, 0x00});
  if (p.mode == MODE_MIDI_EXPORT) {
    int64_t precedent = 0;
    for (size_t i = 1; i < p.mesures.size(); ++i) {
      const TMesure* a = Partition.Mesure(p.mesures[i - 1]);
      const TMesure* b = Partition.Mesure(p.mesures[i]);
      if (!a || !b || (a->Numerateur == b->Numerateur && a->Denominateur == b->Denominateur)) continue;
      AjouterQuantiteVariable(corps, static_cast<uint32_t>(p.debuts[i] - precedent));
      precedent = p.debuts[i];
      AjouterOctets(corps, {0xFF, META_SIGNATURE, 0x04, static_cast<uint8_t>(std::clamp<int>(b->Numerateur, 0, 127)),
                            static_cast<uint8_t>(Log2Denominateur(b->Denominateur)), 0x18, 0x08});
    }
  }
  AjouterOctets(corps, {0x00, 0xFF, META_FIN_PISTE, 0x00});
  return corps;
}

// Length of each play-order entry in minutes, following the tempo changes of the pass.
void CalculerTempsMesures(const TPasse& p) {
  const auto& changements = PileMIDI.Evenements();
  size_t k = 0;
  double tempo = std::max(1, EtatLecture.TempoCourant);
  int64_t horloge = p.debuts.empty() ? 0 : p.debuts[0];
  TempsMesures.assign(p.mesures.size() + 1, 0.0);
  for (size_t i = 0; i < p.mesures.size(); ++i) {
    const TMesure* mes = Partition.Mesure(p.mesures[i]);
    double W = mes ? mes->Duree : 0;
    double total = 0;
    while (k < changements.size() && changements[k].Temps < horloge + W * TICKS_NOIRE) {
      const cEvtMIDIPile& c = changements[k++];
      if (c.Temps < horloge) {
        tempo = std::max(1, c.Valeur);
        continue;
      }
      const double quarts = static_cast<double>(c.Temps - horloge) / TICKS_NOIRE;
      total += quarts / tempo;
      W -= quarts;
      tempo = std::max(1, c.Valeur);
      horloge = c.Temps;
    }
    total += W / tempo;
    horloge += std::lrint(W * TICKS_NOIRE);
    TempsMesures[i + 1] = total;
  }
}

}  // namespace

std::vector<uint8_t> ConstruireFichierMIDI(int mode) {
  TPasse p;
  p.mode = mode;
  p.effets = mode == MODE_MIDI_EXPORT ? Configuration.ExportEffects
             : mode == MODE_MIDI_TEMPS ? true
                                       : Configuration.PlayEffects;
  p.tripletFeel = Partition.TripletFeel == 1 && mode != MODE_MIDI_TEMPS;
  const bool lecture = mode >= MODE_MIDI_DEBUT && mode <= MODE_MIDI_ENTRAINEMENT;
  const bool toujours = mode == MODE_MIDI_ENTRAINEMENT && Configuration.AlwaysUseMetronomeSpeedTrainer;
  p.metronome = lecture && ((Configuration.Metronome &&
                             (Configuration.MetronomeDuringScore || Configuration.FirstBarMetronome)) ||
                            toujours);
  p.decompte = lecture && ((Configuration.Metronome && Configuration.FirstBarMetronome) || toujours);
  if (mode != MODE_MIDI_ENTRAINEMENT) EtatLecture.TempoCourant = Partition.Tempo;
  EtatLecture.TempoCourant = std::clamp(EtatLecture.TempoCourant, 1, 999);

  switch (mode) {
    case MODE_MIDI_EXPORT: case MODE_MIDI_DEBUT: p.premiereMesure = 1; break;
    case MODE_MIDI_ENTRAINEMENT: p.premiereMesure = MesureDebutLecture; break;
    default: p.premiereMesure = Partition.MesureCourante; break;
  }
  p.premiereMesure = std::clamp(p.premiereMesure, 1, std::max(1, Partition.NbMesures));

  if (mode == MODE_MIDI_TEMPS) {
    p.mesures.push_back(Partition.MesureCourante);
  } else {
    for (int i = 1; i <= NbOrdreLecture; ++i)
      if (OrdreLecture[i] >= 1 && OrdreLecture[i] <= Partition.NbMesures) p.mesures.push_back(OrdreLecture[i]);
  }
  if (p.decompte) p.longueurDecompte = LongueurMesure(p.premiereMesure);

  std::vector<int> pistes;
  for (int t = 1; t <= NB_PISTES; ++t)
    if (PisteIncluse(t, mode)) pistes.push_back(t);

  // One grace-note lead for the whole file, so that every track keeps the same clock.
  if (p.effets)
    for (int t : pistes)
      if (const TTemps* premier = PremierTemps(t, p); premier && PorteGrace(t, *premier)) p.avanceGrace = 120;

  const int64_t debut = p.longueurDecompte + p.avanceGrace;
  DebutMorceauTicks = static_cast<int32_t>(debut);
  int64_t horloge = debut;
  for (int m : p.mesures) {
    p.debuts.push_back(horloge);
    horloge += LongueurMesure(m);
  }
  if (mode != MODE_MIDI_TEMPS) p.fin = horloge;

  PileMIDI.Vider();
  std::vector<std::vector<uint8_t>> corps;
  if (p.metronome) corps.push_back(CorpsMetronome(p));
  cMIDIPile pile;
  for (int t : pistes) {
    pile.Vider();
    TEcrivainPiste ecrivain(t, p, pile);
    ecrivain.Preparer();
    if (mode == MODE_MIDI_TEMPS) {
      if (Curseur.Temps >= 1 && Curseur.Temps <= NB_SLOTS_TEMPS && Partition.Courante())
        ecrivain.EcrireTempsSeul(Partition.MesureCourante, Curseur.Temps, debut);
    } else {
      for (size_t i = 0; i < p.mesures.size(); ++i) ecrivain.EcrireMesure(p.mesures[i], p.debuts[i]);
    }
    std::vector<uint8_t> c;
    std::string nom = Partition.NomPiste[t].str();
    c.push_back(0x00);
    AjouterOctets(c, {0xFF, META_NOM_PISTE, static_cast<uint8_t>(std::min<size_t>(nom.size(), 127))});
    c.insert(c.end(), nom.begin(), nom.begin() + std::min<size_t>(nom.size(), 127));
    // A playback lasts its measures: a ramp or a ringing note that runs past the last one would
    // otherwise add silence to the file, and a loop would wait through it.
    if (lecture) pile.CouperA(p.fin);
    pile.Ecrire(c);
    FinirPiste(c, pile, p.fin);
    corps.push_back(std::move(c));
  }

  if (mode != MODE_MIDI_TEMPS) CalculerTempsMesures(p);

  std::vector<uint8_t> fichier;
  AjouterOctets(fichier, {'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 1});
  uint8_t fort, faible;
  DecouperMot(static_cast<uint32_t>(1 + corps.size()), fort, faible);
  AjouterOctets(fichier, {fort, faible, 0x01, 0xE0});
  AjouterChunkPiste(fichier, CorpsConducteur(p));
  for (const auto& c : corps) AjouterChunkPiste(fichier, c);
  return fichier;
}


bool EcrireOctetsFichier(const QString& chemin, const std::vector<uint8_t>& octets) {
  return WriteFileChecked(chemin, reinterpret_cast<const char*>(octets.data()), static_cast<qint64>(octets.size()));
}

bool EcrireOctetsMIDI(const QString& chemin, const std::vector<uint8_t>& octets) {
  if (EcrireOctetsFichier(chemin, octets)) return true;
  MessageBoxD(TexteLangue("Dlg-Erreur"), TexteLangue("MidiExp-EcritureFichierImpossibleEnregAb"), MB_ICONE_ERREUR,
              MB_OK, MB_DEF_OK);
  return false;
}

bool EcrireFichierMIDI(const QString& chemin, int mode) {
  const bool curseur = qobject_cast<QGuiApplication*>(QCoreApplication::instance()) != nullptr;
  if (curseur) QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
  EtatLecture.Mode = mode;
  std::vector<uint8_t> octets = ConstruireFichierMIDI(mode);
  const bool ok = EcrireOctetsFichier(chemin, octets);
  if (curseur) QGuiApplication::restoreOverrideCursor();
  EtatLecture.Mode = -1;
  if (!ok) {
    MessageBoxD(TexteLangue("Dlg-Erreur"), TexteLangue("MidiExp-EcritureFichierImpossibleEnregAb"), MB_ICONE_ERREUR,
                MB_OK, MB_DEF_OK);
    return false;
  }
  if (mode == MODE_MIDI_EXPORT) SignalerOrdreTronque();
  return true;
}
