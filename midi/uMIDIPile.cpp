#include "midi/uMIDIPile.h"

#include <algorithm>

cMIDIPile PileMIDI;

static uint8_t Octet7(int v) { return static_cast<uint8_t>(std::clamp(v, 0, 127)); }

void cMIDIPile::Ajouter(int64_t temps, int canal, uint8_t statut, int donnee1, int donnee2, int32_t valeur) {
  cEvtMIDIPile e;
  e.Temps = std::max<int64_t>(temps, 0);
  e.Canal = std::clamp(canal, 0, 15);
  e.Statut = statut & 0xF0;
  e.Donnee1 = Octet7(donnee1);
  e.Donnee2 = Octet7(donnee2);
  e.Valeur = valeur;
  Inserer(e);
}

void cMIDIPile::Inserer(const cEvtMIDIPile& evt) {
  // Events come in nearly rising time order; sorting is deferred until the list is read, and a
  // stable sort gives the same order as inserting each event behind every event not later than it.
  if (!evts_.empty() && evt.Temps < evts_.back().Temps) trie_ = false;
  evts_.push_back(evt);
}

void cMIDIPile::Trier() {
  if (trie_) return;
  std::stable_sort(evts_.begin(), evts_.end(),
                   [](const cEvtMIDIPile& a, const cEvtMIDIPile& b) { return a.Temps < b.Temps; });
  trie_ = true;
}

const std::vector<cEvtMIDIPile>& cMIDIPile::Evenements() {
  Trier();
  return evts_;
}

void cMIDIPile::Vider() {
  evts_.clear();
  trie_ = true;
  PlageBendEnvoyee = 0;
}

void cMIDIPile::CouperA(int64_t fin) {
  Trier();
  const auto premier = std::upper_bound(evts_.begin(), evts_.end(), fin,
                                        [](int64_t t, const cEvtMIDIPile& e) { return t < e.Temps; });
  if (premier == evts_.end()) return;
  // From the last event back, so that the first one met of each kind is the one kept.
  std::vector<cEvtMIDIPile> gardes;
  std::vector<uint32_t> genres;
  for (auto it = evts_.end(); it != premier;) {
    cEvtMIDIPile e = *--it;
    if (e.Statut == MIDI_NOTE_ON || e.Statut == MIDI_META) continue;
    if (e.Statut != MIDI_NOTE_OFF) {
      const uint32_t genre = (uint32_t(e.Canal) << 16) | (uint32_t(e.Statut) << 8) |
                             (e.Statut == MIDI_CONTROLEUR ? e.Donnee1 : 0);
      if (std::find(genres.begin(), genres.end(), genre) != genres.end()) continue;
      genres.push_back(genre);
    }
    e.Temps = fin;
    gardes.push_back(e);
  }
  evts_.erase(premier, evts_.end());
  evts_.insert(evts_.end(), gardes.rbegin(), gardes.rend());
}

void cMIDIPile::Ecrire(std::vector<uint8_t>& tampon) {
  Trier();
  tampon.reserve(tampon.size() + evts_.size() * 4);
  int64_t precedent = 0;
  // Every event carries its own status byte (no running status).
  for (const cEvtMIDIPile& e : evts_) {
    AjouterQuantiteVariable(tampon, static_cast<uint32_t>(std::min<int64_t>(e.Temps - precedent, 0x0FFFFFFF)));
    precedent = e.Temps;
    if (e.Statut == MIDI_META) {
      tampon.push_back(0xFF);
      tampon.push_back(e.Donnee1);
      if (e.Donnee1 == META_TEMPO && e.Donnee2 == 3) {
        uint8_t o1, o2, o3;
        TempoEnOctets(e.Valeur, o1, o2, o3);
        AjouterOctets(tampon, {3, o1, o2, o3});
      } else {
        // Every other meta event carries one data byte (or none for the end of track); its length
        // byte says so whatever the event claimed, so that a reader never runs into the next event.
        const bool donnee = e.Donnee2 > 0;
        tampon.push_back(donnee ? 1 : 0);
        if (donnee) tampon.push_back(Octet7(e.Valeur));
      }
      continue;
    }
    tampon.push_back(static_cast<uint8_t>(e.Statut | e.Canal));
    tampon.push_back(e.Donnee1);
    switch (e.Statut) {
      case MIDI_NOTE_OFF: case MIDI_NOTE_ON: case MIDI_AFTERTOUCH: case MIDI_CONTROLEUR: case MIDI_PITCH_BEND:
        tampon.push_back(e.Donnee2);
        break;
      default:
        break;
    }
  }
}

int EcrireQuantiteVariable(uint32_t valeur, uint8_t octets[4]) {
  valeur = std::min<uint32_t>(valeur, 0x0FFFFFFF);
  uint8_t groupes[4];
  int n = 0;
  do {
    groupes[n++] = valeur & 0x7F;
    valeur >>= 7;
  } while (valeur != 0 && n < 4);
  for (int i = 0; i < n; ++i) {
    uint8_t g = groupes[n - 1 - i];
    octets[i] = (i < n - 1) ? static_cast<uint8_t>(g | 0x80) : g;
  }
  return n;
}

std::array<uint8_t, 4> DecouperLongueur(uint32_t valeur) {
  return {static_cast<uint8_t>(valeur >> 24), static_cast<uint8_t>(valeur >> 16), static_cast<uint8_t>(valeur >> 8),
          static_cast<uint8_t>(valeur)};
}

void DecouperMot(uint32_t valeur, uint8_t& fort, uint8_t& faible) {
  valeur = std::min<uint32_t>(valeur, 0xFFFF);
  fort = static_cast<uint8_t>(valeur / 256);
  faible = static_cast<uint8_t>(valeur - 256 * fort);
}

void TempoEnOctets(int32_t bpm, uint8_t& o1, uint8_t& o2, uint8_t& o3) {
  uint32_t us = bpm > 0 ? std::min<uint32_t>(60000000u / static_cast<uint32_t>(bpm), 0xFFFFFF) : 0xFFFFFF;
  o1 = static_cast<uint8_t>(us >> 16);
  o2 = static_cast<uint8_t>(us >> 8);
  o3 = static_cast<uint8_t>(us);
}

void AjouterOctets(std::vector<uint8_t>& tampon, std::initializer_list<uint8_t> octets) {
  tampon.insert(tampon.end(), octets.begin(), octets.end());
}

void AjouterQuantiteVariable(std::vector<uint8_t>& tampon, uint32_t valeur) {
  uint8_t o[4];
  int n = EcrireQuantiteVariable(valeur, o);
  tampon.insert(tampon.end(), o, o + n);
}

void AjouterLongueur(std::vector<uint8_t>& tampon, uint32_t valeur) {
  auto o = DecouperLongueur(valeur);
  tampon.insert(tampon.end(), o.begin(), o.end());
}

void AjouterChunkPiste(std::vector<uint8_t>& fichier, const std::vector<uint8_t>& corps) {
  AjouterOctets(fichier, {'M', 'T', 'r', 'k'});
  AjouterLongueur(fichier, static_cast<uint32_t>(corps.size()));
  fichier.insert(fichier.end(), corps.begin(), corps.end());
}
