#include "files/FichierSqt.h"

#include <QCursor>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <bit>
#include <cmath>
#include <cstring>
#include <string>

#include "platform/CheckedFile.h"
#include "chords/Diagramme.h"
#include "song/Rythme.h"
#include "song/Song.h"
#include "song/ListesAccords.h"
#include "editor/state/EtatEdition.h"
#include "editor/state/EtatProgramme.h"
#include "editor/state/Partition.h"
#include "editor/state/TempsSaisie.h"
#include "settings/Langue.h"
#include "settings/Mess.h"


namespace {

// ---------------------------------------------------------------- hourglass

struct Sablier {
  bool actif = false;
  Sablier() {
    if (qobject_cast<QGuiApplication*>(QCoreApplication::instance())) {
      QGuiApplication::setOverrideCursor(Qt::WaitCursor);
      actif = true;
    }
  }
  ~Sablier() { Fin(); }
  void Fin() {
    if (actif) QGuiApplication::restoreOverrideCursor();
    actif = false;
  }
};

// ---------------------------------------------------------------- signatures

struct TSignature {
  const char* texte;
  int version;
};
const TSignature kSignatures[] = {
    {"FICHIER STRUMQUILLE v1", 100},    {"FICHIER STRUMQUILLE v1.01", 101}, {"FICHIER STRUMQUILLE v1.02", 102},
    {"FICHIER STRUMQUILLE v1.03", 103}, {"FICHIER STRUMQUILLE v1.04", 104}, {"FICHIER STRUMQUILL v2.20", 220},
    {"FICHIER STRUMQUILL v2.21", 221},
};
constexpr int TAILLE_SIGNATURE = 31;

// ---------------------------------------------------------------- byte order

// The file is little-endian: a whole integer is moved at once and turned round only on a
// big-endian machine.
template <class U>
U PetitBoutiste(U u) {
  if constexpr (std::endian::native == std::endian::little) {
    return u;
  } else {
    U r = 0;
    for (size_t i = 0; i < sizeof(U); ++i) r = static_cast<U>((r << 8) | ((u >> (8 * i)) & 0xFF));
    return r;
  }
}

// ---------------------------------------------------------------- writer

// The pen of the writer: a raw pointer into room made beforehand, every field a plain store. Kept
// in a local while a beat is written, so the compiler holds it in a register.
struct Plume {
  char* p;

  void u8(int v) { *p++ = static_cast<char>(static_cast<uint8_t>(v)); }
  void i8(int v) { u8(v); }
  void i32(int32_t v) {
    const uint32_t u = PetitBoutiste(static_cast<uint32_t>(v));
    std::memcpy(p, &u, 4);
    p += 4;
  }
  void f64(double v) {
    const uint64_t u = PetitBoutiste(std::bit_cast<uint64_t>(v));
    std::memcpy(p, &u, 8);
    p += 8;
  }
  void brut(const char* s, size_t n) {
    std::memcpy(p, s, n);
    p += n;
  }
  // A string field of capacity N: length byte and N bytes, zeros past the text.
  void champ(std::string_view s, int capacite) {
    const int n = std::min<int>(static_cast<int>(s.size()), capacite);
    u8(n);
    brut(s.data(), static_cast<size_t>(n));
    std::memset(p, 0, static_cast<size_t>(capacite - n));
    p += capacite - n;
  }
  // A text as its length and its bytes only.
  void texte(std::string_view s, int capacite) {
    const int n = std::min<int>(static_cast<int>(s.size()), capacite);
    u8(n);
    brut(s.data(), static_cast<size_t>(n));
  }
};

// The buffer behind the pen, sized ahead of need: each record first makes room for its largest
// possible size (plume), then is written without checks and handed back (poser). With a device
// the buffer is a window written out whenever it fills, so a big song never sits twice in memory
// and its bytes reach the file while they are still in the cache; without one it grows and ends
// up holding the whole file.
class Ecrivain {
 public:
  explicit Ecrivain(TCheckedFile* sortie = nullptr, size_t taille = size_t(1) << 20) : sortie_(sortie) {
    tampon_.resize(static_cast<qsizetype>(taille));
    Placer(0);
  }

  Plume plume(size_t n) {
    if (static_cast<size_t>(fin_ - p_) < n) [[unlikely]]
      agrandir(n);
    return Plume{p_};
  }
  void poser(Plume w) { p_ = w.p; }

  // Writes out what the window holds; false when the device refused a byte of it.
  bool vider() {
    if (sortie_ && p_ > debut_) {
      const qint64 n = p_ - debut_;
      if (!sortie_->Write(debut_, n)) erreur_ = true;
      Placer(0);
    }
    return !erreur_;
  }
  // The whole file, when there is no device.
  QByteArray octets() {
    tampon_.truncate(p_ - debut_);
    return std::move(tampon_);
  }

 private:
  TCheckedFile* sortie_;
  QByteArray tampon_;
  char* debut_ = nullptr;
  char* p_ = nullptr;
  char* fin_ = nullptr;
  bool erreur_ = false;

  void Placer(qsizetype utilise) {
    debut_ = tampon_.data();  // the one detach of the buffer
    p_ = debut_ + utilise;
    fin_ = debut_ + tampon_.size();
  }
  [[gnu::noinline]] void agrandir(size_t n) {
    if (sortie_) {
      vider();
      if (static_cast<size_t>(fin_ - p_) >= n) return;
    }
    const qsizetype utilise = p_ - debut_;
    tampon_.resize(static_cast<qsizetype>(
        std::max<size_t>(static_cast<size_t>(tampon_.size()) * 2, static_cast<size_t>(utilise) + n + 4096)));
    Placer(utilise);
  }
};

// Largest sizes of the records, for which the writer makes room at once.
constexpr size_t TAILLE_ACCORD_MAX = 1 + 20 + 1 + 4 + 8 * 4 + 4 + 6 * 4;
constexpr size_t TAILLE_TEMPS_MAX = 4 + 1 + 1 + 1                // length, code, flags
                                    + 1 + 4 + 1 + 5 * 2          // mix-table change
                                    + 2 + 1 + 1 + 8              // strum, triplet place, effect
                                    + TAILLE_ACCORD_MAX + 1 + 40  // chord, annotation
                                    + 3 + NB_CORDES_MAX * (3 + 8 + 3);  // note block
// How many beat slots ahead the walk over a measure asks for memory.
constexpr int AVANCE_LECTURE = 4;
constexpr size_t TAILLE_MESURE_FIXE_MAX = 1 + 1 + 8 + NB_PISTES * 12 + 1 + 1 + 1;

void EcrireAccord(Plume& e, const TAccord& a) {
  e.texte(a.Nom.view(), 20);
  e.u8(a.Diese ? 1 : 0);
  e.i32(a.Fondamentale);
  if (a.Fondamentale < 12) {
    e.i32(a.Typ);
    e.i32(a.NeufOnzeTreize);
    e.i32(a.Basse);
    e.i32(a.DimAug);
    e.i32(a.Quinte);
    e.i32(a.Neuf);
    e.i32(a.Onze);
    int32_t drapeaux = a.Add ? 1 : 0;
    for (int d = 1; d <= 7; ++d)
      if (a.Degres[d]) drapeaux |= 1 << d;
    e.i32(drapeaux);
  }
  bool avecFrettes = false;
  for (int s = 1; s <= 6; ++s)
    if (a.Frettes[s] != -1) avecFrettes = true;
  if (!avecFrettes) {
    e.i32(0);
    return;
  }
  // A base fret of 0 or less would read back as "no diagram" and lose the frets that follow.
  e.i32(std::max(a.FretteBase, 1));
  for (int s = 1; s <= 6; ++s) e.i32(a.Frettes[s]);
}

void EcrireTableMix(Plume& e, const cTableMixEvent& m) {
  int drapeaux = 0;
  if (m.Instrument >= 0) drapeaux |= 1;
  if (m.Volume >= 0) drapeaux |= 2;
  if (m.Panoramique >= 0) drapeaux |= 4;
  if (m.Chorus >= 0) drapeaux |= 8;
  if (m.Reverb >= 0) drapeaux |= 16;
  if (m.Tempo >= 0) drapeaux |= 32;
  e.u8(drapeaux);
  if (drapeaux & 32) {
    e.i32(m.Tempo);
    e.u8(m.TransTempo);
  }
  if (drapeaux & 16) {
    e.i8(m.Reverb);
    e.u8(m.TransReverb);
  }
  if (drapeaux & 8) {
    e.i8(m.Chorus);
    e.u8(m.TransChorus);
  }
  if (drapeaux & 4) {
    e.i8(m.Panoramique);
    e.u8(m.TransPanoramique);
  }
  if (drapeaux & 2) {
    e.i8(m.Volume);
    e.u8(m.TransVolume);
  }
  if (drapeaux & 1) e.i8(m.Instrument);
}

// One beat record, at most TAILLE_TEMPS_MAX bytes from p; returns the end of what was written.
char* EcrireTemps(char* p, const TTemps& t, int nbCordes) {
  Plume e{p};
  const bool accord = t.AvecAccord && t.Accord;
  e.i32(t.Duree);
  e.i8(t.CodeDuree);
  int a = 0;
  if (!t.Texte.empty()) a |= 1;
  if (accord) a |= 2;
  if (t.EffetTemps >= 1) a |= 4;
  if (t.Silence) a |= 8;
  if (t.Pointee) a |= 16;
  if (t.Triolet) a |= 32;
  if (t.Lie) a |= 64;
  int b = 0;
  if (t.Brush >= 1) b |= 1;
  if (t.MixTable) b |= 2;
  e.u8(a);
  e.u8(b);
  if (b & 2) {
    Plume x = e;  // the rare records take a copy, so that e itself never has its address taken
    EcrireTableMix(x, *t.MixTable);
    e = x;
  }
  if (b & 1) {
    e.u8(t.Brush);
    e.u8(t.VitesseBrush);
  }
  if (a & 32) e.i8(t.PlaceTriolet);
  if (a & 4) {
    e.i8(t.EffetTemps);
    if (t.EffetTemps == 3) e.f64(t.CoupVibrato);
  }
  if (a & 2) {
    Plume x = e;
    EcrireAccord(x, *t.Accord);
    e = x;
  }
  if (a & 1) e.texte(t.Texte.view(), 40);
  if (t.Lie || t.Silence) return e.p;

  int masqueNote = 0, masqueEffet = 0, masqueGrace = 0;
  for (int s = 1; s <= nbCordes; ++s) {
    const TNote& n = t.Notes[s];
    const int bit = 1 << (nbCordes - s);
    if (n.Frette >= 0) {
      masqueNote |= bit;
      if (n.Effet >= 1) masqueEffet |= bit;
    }
    if (n.FretteGrace >= 0) masqueGrace |= bit;
  }
  e.u8(masqueNote);
  e.u8(masqueEffet);
  e.u8(masqueGrace);
  for (int s = 1; s <= nbCordes; ++s) {
    const TNote& n = t.Notes[s];
    const int bit = 1 << (nbCordes - s);
    if (masqueNote & bit) {
      e.i8(n.Frette);
      e.i8(n.Nuance);
      if (masqueEffet & bit) {
        e.i8(n.Effet);
        if (n.Effet == 5 || n.Effet == 6) e.f64(n.Bend);
      }
    }
    if (masqueGrace & bit) {
      e.i8(n.FretteGrace);
      e.i8(n.NuanceGrace);
      e.i8(n.DureeGrace);
    }
  }
  return e.p;
}

// ---------------------------------------------------------------- reader

struct Refus {
  const char* cle;
};
[[noreturn]] void Refuser() { throw Refus{"Fichier-Incorrect"}; }
void Exiger(bool condition) {
  if (!condition) Refuser();
}

// Reads the bytes in order. The checked reader refuses a read past the end; the unchecked one is
// used only where the caller has made sure that the largest record fits in what is left.
// A file read a window at a time, so that its bytes are parsed while they are still in the cache.
class Alimentation {
 public:
  Alimentation(QIODevice& f, qint64 taille) : f_(f), resteFichier_(std::max<qint64>(taille, 0)) {
    tampon_.resize(TAILLE_FENETRE);
  }
  size_t resteFichier() const { return static_cast<size_t>(resteFichier_); }
  // Keeps the bytes from p to fin not yet read at the front of the window and reads behind them.
  // True when at least n bytes are then there.
  bool remplir(const uint8_t*& p, const uint8_t*& fin, size_t n) {
    const size_t garde = static_cast<size_t>(fin - p);
    const size_t voulu = std::max<size_t>(n, TAILLE_FENETRE);
    if (static_cast<size_t>(tampon_.size()) < voulu) {
      QByteArray plus(static_cast<qsizetype>(voulu), Qt::Uninitialized);
      if (garde > 0) std::memcpy(plus.data(), p, garde);
      tampon_.swap(plus);
    } else if (garde > 0) {
      std::memmove(tampon_.data(), p, garde);
    }
    char* d = tampon_.data();
    size_t plein = garde;
    while (plein < voulu && resteFichier_ > 0) {
      const qint64 lu = f_.read(d + plein, static_cast<qint64>(voulu - plein));
      if (lu <= 0) {
        resteFichier_ = 0;  // a read error ends the file: what is missing is refused as short
        break;
      }
      plein += static_cast<size_t>(lu);
      resteFichier_ -= std::min(lu, resteFichier_);
    }
    p = reinterpret_cast<const uint8_t*>(d);
    fin = p + plein;
    return plein >= n;
  }

 private:
  static constexpr size_t TAILLE_FENETRE = size_t(1) << 18;
  QIODevice& f_;
  QByteArray tampon_;
  qint64 resteFichier_;
};

template <bool Verifier>
class LecteurT {
 public:
  LecteurT(const uint8_t* debut, const uint8_t* fin, Alimentation* alim = nullptr)
      : p_(debut), fin_(fin), alim_(alim) {}

  // Bytes left, in the window and in the file behind it.
  size_t reste() const { return static_cast<size_t>(fin_ - p_) + (alim_ ? alim_->resteFichier() : 0); }
  const uint8_t* position() const { return p_; }
  const uint8_t* fin() const { return fin_; }
  void aller(const uint8_t* p) { p_ = p; }
  // True when n bytes can be read from the window without a check (filling it when needed).
  bool precharger(size_t n) {
    if (static_cast<size_t>(fin_ - p_) >= n) return true;
    return alim_ && alim_->remplir(p_, fin_, n);
  }
  // The next n bytes. The pointer stays good until the next read.
  const uint8_t* octets(size_t n) {
    if constexpr (Verifier) Exiger(precharger(n));
    const uint8_t* d = p_;
    p_ += n;
    return d;
  }
  int u8() { return *octets(1); }
  int i8() { return static_cast<int8_t>(*octets(1)); }
  int32_t i32() {
    uint32_t u;
    std::memcpy(&u, octets(4), 4);
    return static_cast<int32_t>(PetitBoutiste(u));
  }
  double f64() {
    uint64_t u;
    std::memcpy(&u, octets(8), 8);
    return std::bit_cast<double>(PetitBoutiste(u));
  }
  int32_t i32Dans(int32_t min, int32_t max) {
    int32_t v = i32();
    Exiger(v >= min && v <= max);
    return v;
  }
  int u8Dans(int min, int max) {
    int v = u8();
    Exiger(v >= min && v <= max);
    return v;
  }
  int i8Dans(int min, int max) {
    int v = i8();
    Exiger(v >= min && v <= max);
    return v;
  }
  // A string field of capacity N of exactly N + 1 bytes.
  std::string_view champ(int capacite) {
    const uint8_t* d = octets(static_cast<size_t>(capacite) + 1);
    Exiger(d[0] <= capacite);
    return {reinterpret_cast<const char*>(d + 1), d[0]};
  }
  // A count byte, then that many bytes of a string field of capacity N from its length byte on.
  std::string_view champCompte(int capacite) {
    const int compte = u8();
    Exiger(compte <= capacite + 1);
    if (compte == 0) return {};
    const uint8_t* d = octets(static_cast<size_t>(compte));
    Exiger(d[0] <= compte - 1);
    return {reinterpret_cast<const char*>(d + 1), d[0]};
  }
  // A length byte and that many bytes.
  std::string_view texte(int capacite) {
    const int n = u8Dans(0, capacite);
    return {reinterpret_cast<const char*>(octets(static_cast<size_t>(n))), static_cast<size_t>(n)};
  }

 private:
  const uint8_t* p_;
  const uint8_t* fin_;
  Alimentation* alim_;
};

using Lecteur = LecteurT<true>;

double Fini(double v, double min, double max) {
  Exiger(std::isfinite(v) && v >= min && v <= max);
  return v;
}

constexpr int DUREE_MAX_TICKS = 4 * 1920;  // longer than any duration code gives
constexpr int FRETTE_BASE_MAX = 99;

template <class L>
void LireAccord(L& l, TAccord& a, int version) {
  a = AccordParDefaut();
  if (version < 104) {
    l.u8();  // count byte, unused
    a.Nom = l.champ(10);
    return;
  }
  a.Nom = l.texte(20);
  a.Diese = l.u8() == 1 ? 1 : 0;
  a.Fondamentale = l.i32Dans(0, 12);
  if (a.Fondamentale < 12) {
    a.Typ = l.i32Dans(0, 14);
    a.NeufOnzeTreize = l.i32Dans(0, 3);
    a.Basse = l.i32Dans(-1, 11);
    a.DimAug = l.i32Dans(0, 2);
    a.Quinte = l.i32Dans(0, 2);
    a.Neuf = l.i32Dans(0, 2);
    a.Onze = l.i32Dans(0, 2);
    const int32_t drapeaux = l.i32();
    a.Add = drapeaux & 1;
    for (int d = 1; d <= 7; ++d) a.Degres[d] = (drapeaux >> d) & 1;
  }
  const int32_t base = l.i32Dans(0, FRETTE_BASE_MAX);
  if (base == 0) return;  // no diagram: the default one stays
  a.FretteBase = base;
  for (int s = 1; s <= 6; ++s) a.Frettes[s] = l.i32Dans(-1, FRETTE_BASE_MAX);
  CalculerBarres(a);
}

template <class L>
void LireTableMix(L& l, cTableMixEvent& m) {
  m = cTableMixEvent{};
  const int drapeaux = l.u8();
  if (drapeaux & 32) {
    m.Tempo = l.i32Dans(1, 999);
    m.TransTempo = static_cast<uint8_t>(l.u8());
  }
  if (drapeaux & 16) {
    m.Reverb = static_cast<int8_t>(l.i8Dans(0, 127));
    m.TransReverb = static_cast<uint8_t>(l.u8());
  }
  if (drapeaux & 8) {
    m.Chorus = static_cast<int8_t>(l.i8Dans(0, 127));
    m.TransChorus = static_cast<uint8_t>(l.u8());
  }
  if (drapeaux & 4) {
    m.Panoramique = static_cast<int8_t>(l.i8Dans(0, 127));
    m.TransPanoramique = static_cast<uint8_t>(l.u8());
  }
  if (drapeaux & 2) {
    m.Volume = static_cast<int8_t>(l.i8Dans(0, 127));
    m.TransVolume = static_cast<uint8_t>(l.u8());
  }
  if (drapeaux & 1) m.Instrument = static_cast<int8_t>(l.i8Dans(0, 127));
}

// A beat slot made blank in place (no temporary of the whole record: a big song has half a
// million of them).
void ReinitialiserTemps(TTemps& t) {
  ViderTemps(t);
  t.Pointee = t.Triolet = 0;
  t.VitesseBrush = 8;
  t.NbHauteurs = 0;
  for (int s = 1; s <= NB_CORDES_MAX; ++s) {
    t.Notes[s].NuanceGrace = 6;
    t.Notes[s].DureeGrace = 1;
  }
}

// A beat record into slot t; a slot of a block just made is blank already.
template <class L>
void LireTemps(L& l, TTemps& t, int nbCordes, int version, bool slotVierge) {
  if (!slotVierge) ReinitialiserTemps(t);
  int32_t duree = l.i32();
  if (version <= 101) {
    Exiger(duree > 0 && duree <= DUREE_MAX_TICKS / 5);
    duree *= 5;  // those versions counted 96 to the quarter note
  }
  Exiger(duree > 0 && duree <= DUREE_MAX_TICKS);
  t.Duree = duree;
  t.CodeDuree = static_cast<int8_t>(l.i8Dans(-2, 4));
  const int a = l.u8();
  const int b = version >= 220 ? l.u8() : 0;
  t.Silence = (a >> 3) & 1;
  t.Pointee = (a >> 4) & 1;
  t.Triolet = (a >> 5) & 1;
  t.Lie = (a >> 6) & 1;
  t.PlaceTriolet = 0;
  if (b & 2) LireTableMix(l, t.MixTable.emplace());
  if (b & 1) {
    t.Brush = static_cast<uint8_t>(l.u8Dans(1, 2));
    const int v = l.u8();
    Exiger(v == 1 || v == 2 || v == 4 || v == 8 || v == 16 || v == 32);
    t.VitesseBrush = static_cast<uint8_t>(v);
  }
  if (a & 32) t.PlaceTriolet = static_cast<int8_t>(l.i8Dans(1, 3));
  if (a & 4) {
    t.EffetTemps = static_cast<int8_t>(l.i8Dans(1, 9));
    if (t.EffetTemps == 3) t.CoupVibrato = Fini(l.f64(), 0.0, 12.0);
  }
  if (a & 2) {
    LireAccord(l, t.Accord.emplace(), version);
    t.AvecAccord = 1;
  }
  if (a & 1) {
    if (version < 104) {
      l.u8();  // count byte, unused
      t.Texte = l.champ(40);
    } else {
      t.Texte = l.texte(40);
    }
  }
  if (t.Lie || t.Silence) return;

  const int masqueNote = l.u8();
  const int masqueEffet = l.u8();
  const int masqueGrace = version >= 220 ? l.u8() : 0;
  for (int s = 1; s <= nbCordes; ++s) {
    TNote& n = t.Notes[s];
    const int bit = 1 << (nbCordes - s);
    if (masqueNote & bit) {
      n.Frette = static_cast<int8_t>(l.i8Dans(0, FRETTE_MORTE));
      if (version >= 220) n.Nuance = static_cast<int8_t>(l.i8Dans(1, 8));
      if (masqueEffet & bit) {
        n.Effet = static_cast<int8_t>(l.i8Dans(1, 7));
        if (n.Effet == 5 || n.Effet == 6) {
          // A bend of 0 divides by zero when the bend is rendered; a huge one never ends.
          n.Bend = l.f64();
          Exiger(std::isfinite(n.Bend) && n.Bend > 0 && n.Bend <= 12);
        }
      }
    }
    if (masqueGrace & bit) {
      n.FretteGrace = static_cast<int8_t>(l.i8Dans(0, FRETTE_MORTE));
      n.NuanceGrace = static_cast<int8_t>(l.i8Dans(1, 8));
      n.DureeGrace = static_cast<int8_t>(l.i8Dans(1, 3));
    }
  }
}

// Beats a read left out: a track of a measure may count up to 66 in the file, the model keeps 64
// (OuvrirFichier tells the user).
struct TTempsAbandonnes {
  int Temps = 0;           // beats left out in all
  int PremiereMesure = 0;  // the first measure that lost some, 0 when none
};
TTempsAbandonnes gAbandonnes;

void LirePartition(Lecteur& l, int version) {
  TPartition& P = Partition;
  gAbandonnes = {};
  P.NbPistesNonBasse = P.NbPistesBasse = 0;
  P.AvecPercussions = 0;
  bool compte[NB_PISTES + 1] = {};

  P.Titre = l.champCompte(100);
  P.Auteur = l.champCompte(50);
  P.Commentaire = l.champCompte(100);
  P.Tempo = l.i32Dans(1, 999);
  if (version >= 101) P.TripletFeel = l.i32Dans(0, 1);
  if (version >= 103) P.Armure = l.i32Dans(-7, 7);

  const int nbPistesFichier = version >= 103 ? NB_PISTES : 1;
  for (int p = 1; p <= nbPistesFichier; ++p) {
    P.NbCordes[p] = l.i32Dans(4, 6);
    for (int s = 1; s <= P.NbCordes[p]; ++s) P.Accordage[p][s] = l.i32Dans(0, 127);
  }
  const int nbMesures = l.i32Dans(1, NB_MESURES_MAX);
  if (version >= 103) {
    for (int p = 1; p <= NB_PISTES; ++p) {
      P.Instrument[p] = l.i32Dans(0, 127);
      P.NbFrettes[p] = l.i32Dans(1, 99);
      P.NomPiste[p] = l.champCompte(40);
      const int drapeaux = l.u8();
      P.Solo[p] = drapeaux & 1;
      P.Muette[p] = (drapeaux >> 1) & 1;
      P.PasExporter[p] = (drapeaux >> 2) & 1;
      P.DouzeCordes[p] = (drapeaux >> 3) & 1;
      P.Volume[p] = l.i32Dans(0, 127);
      P.Panoramique[p] = l.i32Dans(0, 127);
      P.Chorus[p] = l.i32Dans(0, 127);
      P.Reverb[p] = l.i32Dans(0, 127);
      P.Capo[p] = l.i32Dans(0, 24);
    }
    const std::string_view solo = l.champ(5);
    P.SoloActif = solo == "1" ? 1 : 0;
    P.PisteSolo = l.i32Dans(0, NB_PISTES);
  } else {
    P.Instrument[1] = l.i32Dans(0, 127);
  }

  // Each measure record has a fixed part: a count larger than the file can hold is refused
  // before anything is allocated for it.
  const size_t tailleMesureMin = 1 + 1 + 8 + 12 * static_cast<size_t>(nbPistesFichier) + 1;
  Exiger(l.reste() / tailleMesureMin >= static_cast<size_t>(nbMesures));
  const size_t tailleTempsMin = version >= 220 ? 7 : 6;

  P.NbMesures = 0;
  for (int m = 1; m <= nbMesures; ++m) {
    // A block made here holds blank beat slots already; one kept from before (measure 1) is blanked
    // slot by slot as it is read.
    const bool vierge = !P.Mesures[m];
    if (vierge) P.Mesures[m].reset(new TMesure);
    P.NbMesures = m;
    TMesure& M = *P.Mesures[m];
    M.Numerateur = static_cast<uint8_t>(l.u8Dans(1, 32));
    const int den = l.u8();
    Exiger(den == 1 || den == 2 || den == 4 || den == 8 || den == 16 || den == 32);
    M.Denominateur = static_cast<uint8_t>(den);
    M.Duree = Fini(l.f64(), 1e-9, 1000.0);
    size_t totalTemps = 0;
    for (int p = 1; p <= NB_PISTES; ++p) {
      M.NbTemps[p] = 0;
      M.DureeRemplie[p] = 0;
    }
    for (int p = 1; p <= nbPistesFichier; ++p) {
      // The format counts up to the 66 slots; older writers filled them, the model holds 64.
      M.NbTemps[p] = l.i32Dans(0, NB_SLOTS_TEMPS);
      M.DureeRemplie[p] = Fini(l.f64(), 0.0, 1e6);
      totalTemps += static_cast<size_t>(M.NbTemps[p]);
    }
    const int drapeaux = l.u8();
    M.RenvoiDebut = drapeaux & 1;
    M.RenvoiFin = (drapeaux >> 1) & 1;
    M.Repetition = (drapeaux >> 2) & 1;
    M.NbRenvois = 1;
    M.NumRepetition = 1;
    // A repeat count of 0 means played once more, as 1 does: such files exist and are kept.
    if (M.RenvoiFin) M.NbRenvois = static_cast<uint8_t>(std::max(l.u8Dans(0, 99), 1));
    if (M.Repetition) M.NumRepetition = static_cast<uint8_t>(l.u8Dans(1, 99));
    Exiger(l.reste() / tailleTempsMin >= totalTemps);

    for (int p = 1; p <= NB_PISTES; ++p) {
      const int nb = M.NbTemps[p];
      if (nb > 0 && !compte[p]) {
        if (p == PISTE_PERCUSSION) {
          P.AvecPercussions = 1;
        } else {
          compte[p] = true;
          const int ins = P.Instrument[p];
          if ((ins >= 32 && ins <= 39) || ins == 43)
            ++P.NbPistesBasse;
          else
            ++P.NbPistesNonBasse;
        }
      }
      // The beats and the input slot after them, in one block.
      M.Temps[p].Reserve(1, std::min(nb + 1, NB_SLOTS_TEMPS));
      for (int b = 1; b <= nb; ++b) {
        TTemps& t = M.Temps[p][b];
        if (l.precharger(TAILLE_TEMPS_MAX)) {
          // The largest beat record fits in what is left: no need to check each field's length.
          LecteurT<false> rapide(l.position(), l.fin());
          LireTemps(rapide, t, P.NbCordes[p], version, vierge);
          l.aller(rapide.position());
        } else {
          LireTemps(l, t, P.NbCordes[p], version, vierge);
        }
      }
      if (nb > NB_TEMPS_MAX) {
        // Read to keep the file's place, then left out: the song is kept and the reader says so.
        for (int b = NB_TEMPS_MAX + 1; b <= nb; ++b) {
          M.DureeRemplie[p] = std::max(0.0, M.DureeRemplie[p] - M.Temps[p][b].Duree / double(TICKS_NOIRE));
          ReinitialiserTemps(M.Temps[p][b]);
        }
        M.NbTemps[p] = NB_TEMPS_MAX;
        gAbandonnes.Temps += nb - NB_TEMPS_MAX;
        if (gAbandonnes.PremiereMesure == 0) gAbandonnes.PremiereMesure = m;
      }
      PreparerTempsSaisiePiste(p, m);
      // Beams now, while the measure is still in the cache.
      if (M.NbTemps[p] > 0) GrouperMesure(M, p, M.NbTemps[p]);
    }
  }

  if (version >= 104) {
    const int nb = l.i32Dans(0, NB_ACCORDS_IMPRIMER_MAX);
    for (int i = 1; i <= nb; ++i) {
      auto a = std::make_unique<TAccord>();
      LireAccord(l, *a, version);
      AccordsImprimer[i] = std::move(a);
      NbAccordsImprimer = i;
    }
  }
}

}  // namespace

int VersionSignature(const QByteArray& champ) {
  if (champ.size() < TAILLE_SIGNATURE) return -1;
  const int n = static_cast<uint8_t>(champ[0]);
  if (n <= TAILLE_SIGNATURE - 1) {
    const QByteArray texte = champ.mid(1, n);
    for (const TSignature& s : kSignatures)
      if (texte == s.texte) return s.version;
  }
  if (n >= 19 && champ.mid(1, 19) == "FICHIER STRUMQUILLE") return 0;
  return -1;
}

namespace {

// The song in version 2.21, record after record.
void EcrirePartition(Ecrivain& e) {
  const TPartition& P = Partition;
  // The counts written are the ones walked, inside their tables: a count out of its table would
  // read past it here and give a file the reader refuses.
  const int nbMesures = std::clamp(P.NbMesures, 1, NB_MESURES_MAX);
  // Header, tunings, track block and solo switch: well under 2 KB.
  Plume w = e.plume(4096);

  w.champ(SIGNATURE_SQT, TAILLE_SIGNATURE - 1);
  w.u8(101);
  w.champ(P.Titre.view(), 100);
  w.u8(51);
  w.champ(P.Auteur.view(), 50);
  w.u8(101);
  w.champ(P.Commentaire.view(), 100);
  w.i32(P.Tempo);
  w.i32(P.TripletFeel);
  w.i32(P.Armure);
  for (int p = 1; p <= NB_PISTES; ++p) {
    const int n = std::clamp(P.NbCordes[p], 4, NB_CORDES_MAX);
    w.i32(n);
    for (int s = 1; s <= n; ++s) w.i32(P.Accordage[p][s]);
  }
  w.i32(nbMesures);
  for (int p = 1; p <= NB_PISTES; ++p) {
    w.i32(P.Instrument[p]);
    w.i32(P.NbFrettes[p]);
    w.u8(41);
    w.champ(P.NomPiste[p].view(), 40);
    w.u8((P.Solo[p] ? 1 : 0) | (P.Muette[p] ? 2 : 0) | (P.PasExporter[p] ? 4 : 0) | (P.DouzeCordes[p] ? 8 : 0));
    w.i32(P.Volume[p]);
    w.i32(P.Panoramique[p]);
    w.i32(P.Chorus[p]);
    w.i32(P.Reverb[p]);
    w.i32(P.Capo[p]);
  }
  w.champ(P.SoloActif ? "1" : "0", 5);
  w.i32(P.PisteSolo);

  e.poser(w);

  int nbCordes[NB_PISTES + 1];
  for (int p = 1; p <= NB_PISTES; ++p) nbCordes[p] = std::clamp(P.NbCordes[p], 4, NB_CORDES_MAX);

  for (int m = 1; m <= nbMesures; ++m) {
    const TMesure* bloc = P.Mesures[m].get();
    if (!bloc) {
      static const TMesure vide;  // stands for a measure never allocated
      bloc = &vide;
    }
    const TMesure& M = *bloc;
    w = e.plume(TAILLE_MESURE_FIXE_MAX);
    w.u8(M.Numerateur);
    w.u8(M.Denominateur);
    w.f64(M.Duree);
    // The reader refuses more beats than the model holds: never write a file it would refuse.
    int nbTemps[NB_PISTES + 1];
    for (int p = 1; p <= NB_PISTES; ++p) {
      nbTemps[p] = std::clamp<int>(M.NbTemps[p], 0, NB_TEMPS_MAX);
      w.i32(nbTemps[p]);
      w.f64(M.DureeRemplie[p]);
    }
    w.u8((M.RenvoiDebut ? 1 : 0) | (M.RenvoiFin ? 2 : 0) | (M.Repetition ? 4 : 0));
    if (M.RenvoiFin) w.u8(M.NbRenvois);
    if (M.Repetition) w.u8(M.NumRepetition);
    e.poser(w);
    for (int p = 1; p <= NB_PISTES; ++p) {
      const int nb = nbTemps[p];
      char* q = e.plume(TAILLE_TEMPS_MAX * static_cast<size_t>(nb)).p;
      const TBeatSlots& t = M.Temps[p];
      for (int b = 1; b <= nb; ++b) {
        // Each beat is its own block: ask for the ones ahead while this one is written.
        if (b + AVANCE_LECTURE <= nb) {
          const char* suivant = reinterpret_cast<const char*>(&t[b + AVANCE_LECTURE]);
          for (size_t o = 0; o < sizeof(TTemps); o += 64) __builtin_prefetch(suivant + o);
        }
        q = EcrireTemps(q, t[b], nbCordes[p]);
      }
      e.poser(Plume{q});
    }
  }

  const int nbAccords = std::clamp(NbAccordsImprimer, 0, NB_ACCORDS_IMPRIMER_MAX);
  w = e.plume(4);
  w.i32(nbAccords);
  e.poser(w);
  for (int i = 1; i <= nbAccords; ++i) {
    w = e.plume(TAILLE_ACCORD_MAX);
    EcrireAccord(w, AccordsImprimer[i] ? *AccordsImprimer[i] : TAccord{});
    e.poser(w);
  }
}

}  // namespace

QByteArray OctetsPartition() {
  Ecrivain e;
  EcrirePartition(e);
  return e.octets();
}


namespace {

// The song from a reader placed just past the signature.
bool LireDepuis(Lecteur& l, int version, QString& cleErreur) {
  try {
    LirePartition(l, version);
  } catch (const Refus& r) {
    cleErreur = r.cle;
    return false;
  }
  return true;
}

// The song from an open file: the signature first, then the rest a window at a time.
bool LireFichierOuvert(QFile& f, QString& cleErreur) {
  const QByteArray signature = f.read(TAILLE_SIGNATURE);
  const int version = VersionSignature(signature);
  if (version <= 0) {
    cleErreur = version == 0 ? "Fichier-VersionAncienne" : "Fichier-Incorrect";
    return false;
  }
  Alimentation alim(f, f.size() - f.pos());
  Lecteur l(nullptr, nullptr, &alim);
  return LireDepuis(l, version, cleErreur);
}

}  // namespace

bool LireOctetsPartition(const QByteArray& octets, QString& cleErreur) {
  const int version = VersionSignature(octets.left(TAILLE_SIGNATURE));
  if (version <= 0) {
    cleErreur = version == 0 ? "Fichier-VersionAncienne" : "Fichier-Incorrect";
    return false;
  }
  const uint8_t* debut = reinterpret_cast<const uint8_t*>(octets.constData());
  Lecteur l(debut + TAILLE_SIGNATURE, debut + octets.size());
  return LireDepuis(l, version, cleErreur);
}

bool EnregistrerFichier() {
  Sablier sablier;
  TCheckedFile f(CheminFichier);
  bool ok = f.Open();
  if (ok) {
    // Written out a window at a time while the song is walked: the bytes go to the file while
    // they are still in the cache.
    Ecrivain e(&f, size_t(1) << 18);
    EcrirePartition(e);
    ok = e.vider() && f.Commit();
  }
  if (!ok) {
    sablier.Fin();
    AfficherEcritureImpossible(CheminFichier, f.Error());
    return false;
  }
  return true;
}

bool OuvrirFichier() {
  QString cle;
  bool ok = false;
  {
    Sablier sablier;
    QFile f;
    // Far larger than any song the model can hold: refused before reading it all. The reader
    // reads no further than the size found once the file is open.
    switch (OpenFileChecked(f, CheminFichier, TAILLE_FICHIER_SQT_MAX)) {
      case EFileRead::Ok:
        ok = LireFichierOuvert(f, cle);
        f.close();
        break;
      case EFileRead::TooLarge: cle = "Fichier-Incorrect"; break;
      default: cle = "Fichier-AccesImpossible"; break;  // missing, not a file, refused by the system
    }
  }
  if (ok) {
    FinRemplacementPartition(true);
    if (gAbandonnes.Temps > 0)
      MessageBoxD(TexteLangue("Dlg-Attention"),
                  RemplacerParam1et2(TexteLangue("Fichier-TempsAbandonnes"), gAbandonnes.Temps,
                                     gAbandonnes.PremiereMesure),
                  MB_ICONE_ATTENTION, MB_OK, MB_DEF_OK);
    return true;
  }

  MessageBoxD(TexteLangue("Dlg-Erreur"), TexteLangue(cle), MB_ICONE_ERREUR, MB_OK, MB_DEF_OK);
  // A fresh first measure: nothing of the refused file may stay behind in it.
  Partition.Mesures[1] = std::make_unique<TMesure>();
  NouvellePartition();
  Partition.NbPistesNonBasse = Partition.NbPistesBasse = 0;
  Partition.AvecPercussions = 0;
  for (int p = 1; p <= NB_PISTES; ++p) PreparerTempsSaisiePiste(p, 1);
  Modifie = 0;
  FinRemplacementPartition(false);
  return false;
}
