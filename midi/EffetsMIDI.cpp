#include "midi/EffetsMIDI.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "song/Song.h"
#include "midi/uMIDIPile.h"
#include "settings/Config.h"

int UniteBend() { return Configuration.LimitBend ? 4 : 1; }

bool TempsSuivant(int piste, int& mesure, int& temps, int32_t* saut) {
  const TMesure* m = Partition.Mesure(mesure);
  if (m && temps < std::min(m->NbTemps[piste], NB_SLOTS_TEMPS)) {
    ++temps;
    return true;
  }
  // The beat after the last one is the first beat of the next measure that has beats in this
  // track: a measure left empty is a rest of its whole length, not the end of the track.
  int32_t vide = 0;
  for (int mm = mesure + 1; mm <= Partition.NbMesures; ++mm) {
    const TMesure* n = Partition.Mesure(mm);
    if (!n) return false;
    if (n->NbTemps[piste] > 0) {
      mesure = mm;
      temps = 1;
      if (saut) *saut += vide;
      return true;
    }
    vide += TicksMesure(*n);
  }
  return false;
}

static void Bend(cMIDIPile& pile, int canal, int64_t t, double v) {
  // Clamped before the conversion: a deep dip or bend goes far past the 0..127 the byte holds.
  pile.Ajouter(t, canal, MIDI_PITCH_BEND, 0, static_cast<int>(std::nearbyint(std::clamp(v, -1.0, 128.0))));
}

// The bend range goes once per channel and list, at time 0, ahead of the notes.
static void PlageBend(cMIDIPile& pile, int canal) {
  Configuration.BendScale = Configuration.LimitBend ? 1 : 3;
  uint32_t bit = 1u << (canal & 15);
  if (pile.PlageBendEnvoyee & bit) return;
  pile.PlageBendEnvoyee |= bit;
  pile.Ajouter(0, canal, MIDI_CONTROLEUR, 6, Configuration.LimitBend ? 2 : 8);
}

static void RendreGlissando(bool haut, cMIDIPile& pile, int canal, int piste, int mesure, int temps, int corde,
                            int32_t L, int64_t S) {
  const TMesure* m = Partition.Mesure(mesure);
  if (!m) return;
  int frette = m->Temps[piste][temps].Notes[corde].Frette;
  if (frette == FRETTE_MORTE) frette = 0;
  int cible = -1;
  int mm = mesure, tt = temps;
  while (TempsSuivant(piste, mm, tt)) {
    const TTemps& suivant = Partition.Mesure(mm)->Temps[piste][tt];
    if (suivant.Lie) continue;
    int f = suivant.Silence ? FRETTE_AUCUNE : suivant.Notes[corde].Frette;
    if (f == FRETTE_MORTE) f = 0;
    if (f >= 0) cible = f;
    break;
  }
  if (cible < 0) cible = haut ? frette + 4 : std::max(frette - 4, 0);
  int n = std::abs(frette - cible) - 1;
  if (n < 1) return;
  PlageBend(pile, canal);
  const int U = UniteBend();
  const int d = cible < frette ? -1 : 1;
  const int32_t l = L / 2 / n;
  int64_t t = S + std::lrint(L / 2.0);
  for (int k = 1; k <= n; ++k, t += l) Bend(pile, canal, t, 64 + 8 * U * k * d);
  Bend(pile, canal, S + L, 64);
}

static void RendreBend(bool relache, cMIDIPile& pile, int canal, int piste, int mesure, int temps, int corde,
                       int32_t L, int64_t S) {
  const TMesure* mes = Partition.Mesure(mesure);
  if (!mes) return;
  const double m = mes->Temps[piste][temps].Notes[corde].Bend * 2;
  // A bend of nothing has no steps to spread over the note.
  if (!(m > 0) || !std::isfinite(m)) return;
  PlageBend(pile, canal);
  const int U = UniteBend();
  const int64_t o = static_cast<int64_t>(L / (relache ? 3.0 : 2.0) / m / 8);
  const int pas = static_cast<int>(8 * m);
  int64_t t = S;
  for (int i = 1; i <= pas; ++i) {
    t += o;
    Bend(pile, canal, t, U * i + 64);
  }
  if (relache) {
    t += L / 3;
    for (int n = pas - 1; n >= 0; --n) {
      t += o;
      Bend(pile, canal, t, U * n + 64);
    }
  }
  Bend(pile, canal, S + L, 64);
}

static void RendreVibrato(bool large, cMIDIPile& pile, int canal, int32_t L, int64_t S) {
  PlageBend(pile, canal);
  const int U = UniteBend();
  const int h = large ? 100 : 65;
  const int a = large ? 4 : 2;
  int64_t t = S;
  for (; t + 2 * h <= S + L; t += 2 * h) {
    Bend(pile, canal, t + h, U * a + 64);
    Bend(pile, canal, t + 2 * h, large ? 64 - U * a : 64);
  }
  // The wide one ends below the note: back to the centre, or the next note on the channel plays flat.
  if (large && t > S) Bend(pile, canal, S + L, 64);
}

static void RendreCoupVibrato(cMIDIPile& pile, int canal, int piste, int mesure, int temps, int32_t L, int64_t S) {
  const TMesure* mes = Partition.Mesure(mesure);
  if (!mes) return;
  PlageBend(pile, canal);
  const int U = UniteBend();
  const double o = mes->Temps[piste][temps].CoupVibrato * 2;
  const int32_t q = L / 16;
  int64_t t = S;
  for (int i = 1; i <= 4; ++i) {
    t += q;
    Bend(pile, canal, t, 64 - U * std::nearbyint(i * o));
  }
  for (int i = 1; i <= 8; ++i) {
    t += (i == 1) ? 3 * q : q;
    Bend(pile, canal, t, 64 - U * (std::nearbyint(4 * o) - std::nearbyint(i * o / 2)));
  }
  Bend(pile, canal, S + L, 64);
}

static void RendreFadeIn(cMIDIPile& pile, int canal, int32_t L, int64_t S) {
  const int32_t q = L / 20;
  const int V = pile.Volume;
  for (int i = 1; i <= 15; ++i)
    pile.Ajouter(S + static_cast<int64_t>(i - 1) * q, canal, MIDI_CONTROLEUR, 7,
                 static_cast<int>(std::nearbyint(i * V / 15.0)));
}

void RendreEffet(int genre, cMIDIPile& pile, int canal, int piste, int mesure, int temps, int corde, int32_t L,
                 int64_t S) {
  if (L < 0) L = 0;
  switch (genre) {
    case EFFET_GLISSE_HAUT: RendreGlissando(true, pile, canal, piste, mesure, temps, corde, L, S); break;
    case EFFET_GLISSE_BAS: RendreGlissando(false, pile, canal, piste, mesure, temps, corde, L, S); break;
    case EFFET_BEND: RendreBend(false, pile, canal, piste, mesure, temps, corde, L, S); break;
    case EFFET_BEND_RELACHE: RendreBend(true, pile, canal, piste, mesure, temps, corde, L, S); break;
    case EFFET_VIBRATO: RendreVibrato(false, pile, canal, L, S); break;
    case EFFET_VIBRATO_BARRE: RendreVibrato(true, pile, canal, L, S); break;
    case EFFET_COUP_VIBRATO: RendreCoupVibrato(pile, canal, piste, mesure, temps, L, S); break;
    case EFFET_FADE_IN: RendreFadeIn(pile, canal, L, S); break;
    default: break;
  }
}

int32_t LongueurLetRing(int piste, int mesure, int temps, int corde) {
  const TMesure* m = Partition.Mesure(mesure);
  if (!m) return 0;
  int32_t somme = m->Temps[piste][temps].Duree;
  int mm = mesure, tt = temps;
  while (TempsSuivant(piste, mm, tt, &somme)) {
    const TMesure* n = Partition.Mesure(mm);
    const TTemps& t = n->Temps[piste][tt];
    if (!t.Silence && !t.Lie && t.Notes[corde].Frette >= 0) break;
    if (somme > TicksMesure(*n)) break;
    somme += t.Duree;
  }
  return somme;
}

// One mix parameter: at once, or a ramp of four steps per beat from the last value sent.
static void Rampe(cMIDIPile& pile, int64_t B, int n, int valeur, int depart, int canalP, int canalE, int controleur) {
  auto envoyer = [&](int64_t t, int v) {
    pile.Ajouter(t, canalP, MIDI_CONTROLEUR, controleur, v);
    if (canalE != canalP) pile.Ajouter(t, canalE, MIDI_CONTROLEUR, controleur, v);
  };
  if (n == 0) {
    envoyer(B, valeur);
    return;
  }
  for (int i = 1; i <= 4 * n; ++i)
    envoyer(B + 120 * i, static_cast<int>(std::nearbyint(i * (valeur - depart) / (4.0 * n) + depart)));
}

void RendreTableMix(cMIDIPile& pile, const cTableMixEvent& mix, int64_t B, int canalP, int canalE,
                    bool passeEntrainement) {
  if (mix.Instrument >= 0) {
    pile.Ajouter(B, canalP, MIDI_PROGRAMME, mix.Instrument, 0);
    if (canalE != canalP) pile.Ajouter(B, canalE, MIDI_PROGRAMME, mix.Instrument, 0);
  }
  struct { int valeur; int trans; int32_t* dernier; int controleur; } params[] = {
      {mix.Volume, mix.TransVolume, &pile.Volume, 7},
      {mix.Panoramique, mix.TransPanoramique, &pile.Panoramique, 10},
      {mix.Chorus, mix.TransChorus, &pile.Chorus, 93},
      {mix.Reverb, mix.TransReverb, &pile.Reverb, 91},
  };
  for (auto& p : params) {
    if (p.valeur < 0) continue;
    Rampe(pile, B, p.trans, p.valeur, *p.dernier, canalP, canalE, p.controleur);
    *p.dernier = p.valeur;
  }
  if (mix.Tempo >= 0 && !passeEntrainement) {
    const int tempo = std::clamp<int32_t>(mix.Tempo, 1, 999);
    auto envoyer = [&](int64_t t, int v) {
      pile.Ajouter(t, CANAL_META, MIDI_META, META_TEMPO, 3, v);
      PileMIDI.Ajouter(t, CANAL_META, MIDI_META, META_TEMPO, 3, v);
    };
    const int n = mix.TransTempo;
    if (n == 0) {
      envoyer(B, tempo);
    } else {
      for (int i = 1; i <= 4 * n; ++i)
        envoyer(B + 120 * i, static_cast<int>(std::nearbyint(i * (tempo - pile.Tempo) / (4.0 * n) + pile.Tempo)));
    }
    pile.Tempo = tempo;
  }
}
