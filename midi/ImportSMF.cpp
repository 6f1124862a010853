#include "midi/ImportSMF.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "platform/CheckedFile.h"
#include "platform/Types.h"

bool LireNombreVariable(uint8_t premier, const uint8_t*& p, const uint8_t* fin, int32_t& valeur, int& nbOctets) {
  valeur = premier & 0x7F;
  nbOctets = 1;
  uint8_t b = premier;
  while (b & 0x80) {
    // Four bytes carry 28 bits; a longer number is not a MIDI number and would overflow.
    if (nbOctets == 4 || p >= fin) return false;
    b = *p++;
    valeur = (valeur << 7) | (b & 0x7F);
    ++nbOctets;
  }
  return true;
}

namespace {

// One event of a track chunk as the parser hands it on.
struct TEvenement {
  int64_t Tick = 0;
  uint8_t Statut = 0;  // 0x80..0xEF channel event, 0xF0/0xF7 system exclusive, 0xFF meta, else system
  uint8_t D1 = 0, D2 = 0;
  uint8_t TypeMeta = 0;
  const uint8_t* Donnees = nullptr;  // meta and system-exclusive bytes
  int32_t Longueur = 0;
  int Progression = 0;  // the chunk's bytes read up to the end of this event, on 0..28
};

enum class EParcours { Fin, Arret, Malforme };

// Walks the events of one chunk. A chunk cut short (truncated file, lying length) ends where its
// bytes end; a byte sequence that is no event at all is malformed. `f` returns false to stop.
template <class F>
EParcours ParcourirPiste(const TFichierMIDI& fichier, int chunk, F&& f) {
  const TChunkMIDI& c = fichier.Pistes[static_cast<size_t>(chunk)];
  const auto* base = reinterpret_cast<const uint8_t*>(fichier.Octets.constData());
  const uint8_t* p = base + c.Debut;
  const uint8_t* fin = p + c.Longueur;
  int64_t tick = 0;
  uint8_t courant = 0;  // running status of channel events
  int32_t n = 0;
  int nb = 0;
  const auto progression = [&p, &c, base] {
    return c.Longueur > 0 ? static_cast<int>(std::lrint(double(p - (base + c.Debut)) / double(c.Longueur) * 28)) : 28;
  };
  while (p < fin) {
    if (!LireNombreVariable(*p++, p, fin, n, nb)) return p >= fin ? EParcours::Fin : EParcours::Malforme;
    tick += n;
    if (p >= fin) return EParcours::Fin;
    TEvenement e;
    e.Tick = tick;
    if (*p >= 0x80) {
      e.Statut = *p++;
    } else {
      if (!courant) return EParcours::Malforme;  // data byte without any status
      e.Statut = courant;
    }
    if (e.Statut == 0xFF || e.Statut == 0xF0 || e.Statut == 0xF7) {
      if (e.Statut == 0xFF) {
        if (p >= fin) return EParcours::Fin;
        e.TypeMeta = *p++;
      }
      if (p >= fin) return EParcours::Fin;
      if (!LireNombreVariable(*p++, p, fin, n, nb)) return p >= fin ? EParcours::Fin : EParcours::Malforme;
      if (n > fin - p) return EParcours::Fin;
      e.Donnees = p;
      e.Longueur = n;
      p += n;
      e.Progression = progression();
      if (!f(e)) return EParcours::Arret;
      if (e.Statut == 0xFF && e.TypeMeta == 0x2F) return EParcours::Fin;
      continue;
    }
    int donnees = 0;
    if (e.Statut >= 0xF0) {
      donnees = (e.Statut == 0xF1 || e.Statut == 0xF3) ? 1 : e.Statut == 0xF2 ? 2 : 0;
    } else {
      courant = e.Statut;
      const uint8_t type = e.Statut & 0xF0;
      donnees = (type == 0xC0 || type == 0xD0) ? 1 : 2;
    }
    if (donnees > fin - p) return EParcours::Fin;
    for (int k = 0; k < donnees; ++k)
      if (p[k] >= 0x80) return EParcours::Malforme;  // a status where a data byte belongs
    if (donnees >= 1) e.D1 = p[0];
    if (donnees >= 2) e.D2 = p[1];
    p += donnees;
    e.Progression = progression();
    if (!f(e)) return EParcours::Arret;
  }
  return EParcours::Fin;
}

QString NumeroSource(const QString& nomPiste, int n) {
  return nomPiste + (n < 10 ? QStringLiteral(" 0") : QStringLiteral(" ")) + QString::number(n);
}

// Tempo and time signatures of the conductor chunk (meta events of any other kind are skipped).
void LireConducteur(TFichierMIDI& f, const TEvenement& e) {
  if (e.Statut != 0xFF) return;
  if (e.TypeMeta == 0x51 && e.Longueur >= 3 && f.Tempo < 0) {
    const int64_t us = (int64_t(e.Donnees[0]) << 16) | (int64_t(e.Donnees[1]) << 8) | e.Donnees[2];
    if (us == 0) return;  // no tempo at all: the next one counts
    f.Tempo = static_cast<int>(std::clamp<int64_t>(60000000 / us, 1, 999));
  } else if (e.TypeMeta == 0x58 && e.Longueur >= 2) {
    const int n = e.Donnees[0], x = e.Donnees[1];
    // A signature the song cannot hold makes no measures; the previous one goes on.
    if (n < 1 || n > 32 || x > 5) return;
    f.Signatures.push_back({e.Tick, n, x});
  }
}

}  // namespace

EErreurMIDI AnalyserFichierMIDI(const QByteArray& octets, TFichierMIDI& f, const QString& nomPiste,
                                const QString& nonPrecise, const std::function<void(int)>& progression) {
  f = TFichierMIDI();
  f.Octets = octets;
  const auto* b = reinterpret_cast<const uint8_t*>(f.Octets.constData());
  const qsizetype taille = f.Octets.size();
  static const uint8_t entete[11] = {'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 0, 0};
  if (taille < 14 || std::memcmp(b, entete, 9) != 0 || b[10] != 0) return EErreurMIDI::NonReconnu;
  f.Format = b[9];
  if (f.Format > 1) return EErreurMIDI::NonReconnu;
  const int nbPistes = b[11];
  f.Division = b[12] * 256 + b[13];
  // No SMTPE time base, and no zero division to divide by.
  if (f.Division == 0 || (b[12] & 0x80)) return EErreurMIDI::NonReconnu;

  // The track chunks, skipping chunks of other types; bytes that are no chunk header are skipped
  // up to the next "MTrk".
  qsizetype pos = 14;
  while (pos + 8 <= taille && static_cast<int>(f.Pistes.size()) < nbPistes) {
    const uint8_t* h = b + pos;
    bool lisible = true;
    for (int k = 0; k < 4; ++k) lisible = lisible && h[k] >= 0x20 && h[k] < 0x7F;
    if (!lisible) {
      const qsizetype suivant = f.Octets.indexOf("MTrk", pos + 1);
      if (suivant < 0) break;
      pos = suivant;
      continue;
    }
    const int64_t longueur = (int64_t(h[4]) << 24) | (h[5] << 16) | (h[6] << 8) | h[7];
    const qsizetype debut = pos + 8;
    const qsizetype dispo = static_cast<qsizetype>(std::min<int64_t>(longueur, taille - debut));
    if (std::memcmp(h, "MTrk", 4) == 0) f.Pistes.push_back({debut, dispo});
    if (longueur > taille - debut) break;
    pos = debut + dispo;
  }
  if (f.Pistes.empty()) return EErreurMIDI::NonReconnu;

  if (f.Format == 0) {
    f.Pistes.resize(1);
    bool notes[17] = {};
    int programmes[17];
    std::fill(std::begin(programmes), std::end(programmes), 24);
    const EParcours r = ParcourirPiste(f, 0, [&](const TEvenement& e) {
      LireConducteur(f, e);
      const int canal = (e.Statut & 0x0F) + 1;
      if ((e.Statut & 0xF0) == 0x90) notes[canal] = true;
      if ((e.Statut & 0xF0) == 0xC0) programmes[canal] = e.D1;
      if (progression) progression(e.Progression);
      return true;
    });
    if (r == EParcours::Malforme) return EErreurMIDI::NonReconnu;
    for (int c = 1; c <= 16; ++c)
      if (notes[c]) f.Sources.push_back({NumeroSource(nomPiste, c) + QStringLiteral(" : ") + nonPrecise, programmes[c], 0, c});
    return EErreurMIDI::Aucune;
  }

  // Format 1: the first track is the conductor, every further one a source. The bar moves within
  // each track's scan too, so that a file of one long track shows its progress; a file that holds
  // the conductor alone shows the conductor's.
  const int n = static_cast<int>(f.Pistes.size());
  if (ParcourirPiste(f, 0, [&](const TEvenement& e) {
        LireConducteur(f, e);
        if (progression && n == 1) progression(e.Progression);
        return true;
      }) == EParcours::Malforme)
    return EErreurMIDI::NonReconnu;
  for (int k = 1; k < n; ++k) {
    TSourceMIDI s;
    s.Chunk = k;
    bool nomLu = false;
    const EParcours r = ParcourirPiste(f, k, [&](const TEvenement& e) {
      if (progression) progression(static_cast<int>(std::lrint((k - 1 + e.Progression / 28.0) / (n - 1) * 28)));
      if ((e.Statut & 0xF0) == 0xC0) {
        s.Programme = e.D1;
        return !nomLu;  // after the name, the first program change is the one
      }
      if (e.Statut == 0xFF && e.TypeMeta == 0x03 && !nomLu) {
        s.Texte = AnsiToQString(std::string_view(reinterpret_cast<const char*>(e.Donnees), size_t(e.Longueur)));
        nomLu = true;
      }
      return true;
    });
    if (r == EParcours::Malforme) return EErreurMIDI::NonReconnu;
    if (s.Texte.trimmed().isEmpty()) s.Texte = NumeroSource(nomPiste, k);
    f.Sources.push_back(s);
    if (progression) progression(static_cast<int>(std::lrint(double(k) / (n - 1) * 28)));
  }
  return EErreurMIDI::Aucune;
}

EErreurMIDI OuvrirFichierMIDI(const QString& chemin, TFichierMIDI& f, const QString& nomPiste,
                              const QString& nonPrecise, const std::function<void(int)>& progression) {
  QByteArray octets;
  switch (ReadFileChecked(chemin, TAILLE_FICHIER_MIDI_MAX, &octets)) {
    case EFileRead::Ok: return AnalyserFichierMIDI(octets, f, nomPiste, nonPrecise, progression);
    case EFileRead::TooLarge: return EErreurMIDI::NonReconnu;
    default: return EErreurMIDI::Acces;  // missing, not a regular file (never opened), refused
  }
}

bool LireSourceMIDI(const TFichierMIDI& f, const TSourceMIDI& source, int decalage, TListeNotesImport& liste,
                    const std::function<void(int)>& progression) {
  liste = TListeNotesImport();
  if (source.Chunk < 0 || source.Chunk >= static_cast<int>(f.Pistes.size())) return false;
  std::vector<TNoteImport>& v = liste.Notes;
  double L = 0;  // start of the last entry appended
  double T = 0;
  const EParcours r = ParcourirPiste(f, source.Chunk, [&](const TEvenement& e) {
    if (progression) progression(e.Progression);
    T = double(e.Tick) / f.Division;
    const uint8_t type = e.Statut & 0xF0;
    if (type != 0x80 && type != 0x90) return true;
    if (source.Canal && (e.Statut & 0x0F) + 1 != source.Canal) return true;
    const int k = e.D1 - decalage;
    if (k < 0) {  // the octave shift put it out of the MIDI range: no note, no marker, only its name
      if (type == 0x90 && e.D2 > 0) liste.SousLaPlage.push_back({T, k});
      return true;
    }
    if (type == 0x90 && e.D2 > 0) {
      const bool reposInitial = v.empty() && T > 0;
      // A rest of no length at the end is replaced by this note: it takes no further place.
      const bool remplaceRepos = T > 0 && !v.empty() && v.back().Hauteur == -1 && T - L == 0;
      if (static_cast<int>(v.size()) + (reposInitial ? 2 : 1) - (remplaceRepos ? 1 : 0) > NB_NOTES_IMPORT_MAX) {
        liste.Tronquee = true;
        return false;
      }
      if (reposInitial) v.push_back({-1, 0});
      v.push_back({k, 0});
      const size_t n = v.size();
      if (T > 0 && n >= 2) v[n - 2].Duree = T - L;
      L = T;
      // A rest that ended when this note began is replaced by it.
      if (T > 0 && n >= 2 && v[n - 2].Hauteur == -1 && v[n - 2].Duree == 0) v.erase(v.end() - 2);
      return true;
    }
    // Note-off: the first one that ends a note of the chord still sounding opens a rest.
    if (v.empty()) return true;
    const size_t dernier = v.size() - 1;
    size_t j = dernier;
    while (j > 0 && v[j].Hauteur != k && (v[j].Duree <= 0 || j == dernier)) --j;
    if (v[j].Duree == 0) {
      // A full list has no room for the rest, but its last note still gets its length: the list is
      // cut only when a further note comes (the rest would end the list, where it is dropped anyway).
      if (static_cast<int>(v.size()) < NB_NOTES_IMPORT_MAX) v.push_back({-1, 0});
      v[dernier].Duree = T - L;
      L = T;
    }
    return true;
  });
  if (r == EParcours::Malforme) return false;
  liste.DureeTotale = liste.Tronquee ? L : T;
  return true;
}
