#pragma once
// The song: its records and constants, the one song in memory, and the small routines over a beat.
// Every index is 1-based as the editing code counts (tracks 1..8, measures 1..NbMesures, beat slots
// 1..66, strings 1..6); slot 0 of each array is unused.
#include <cassert>
#include <cstddef>
#include <cstdint>
#include <iterator>
#include <memory>
#include <vector>

#include "platform/Types.h"
#include "song/ChordRecord.h"
#include "song/MixEvent.h"

constexpr int NB_PISTES = 8;
constexpr int PISTE_PERCUSSION = 8;
constexpr int NB_CORDES_MAX = 6;
constexpr int NB_TEMPS_MAX = 64;      // used beats per track and measure
constexpr int NB_SLOTS_TEMPS = 66;    // beat slots per track and measure
constexpr int NB_MESURES_MAX = 1000;
constexpr int TICKS_NOIRE = 480;

constexpr int8_t FRETTE_AUCUNE = -1;  // stored as the byte 255
constexpr int8_t FRETTE_MORTE = 100;  // dead note, drawn "x"

// Highest fret that counts as a played note on each track (not the song's NbFrettes).
constexpr int FretteMaxPiste[NB_PISTES + 1] = {0, 24, 24, 24, 24, 24, 24, 24, 99};

struct TNote {
  double Bend = 1.0;          // tones, effects 5 and 6
  int8_t Frette = FRETTE_AUCUNE;
  int8_t Effet = 0;           // 0 none, 1 hammer-on, 2 pull-off, 3 slide up, 4 slide down, 5 bend, 6 bend+release, 7 let ring
  int8_t Nuance = 6;          // 1 (ppp) .. 8 (fff)
  int8_t FretteGrace = FRETTE_AUCUNE;
  int8_t NuanceGrace = 6;
  int8_t DureeGrace = 1;      // 1, 2, 3 = 30, 60, 120 ticks before the beat

  bool operator==(const TNote&) const = default;
};

// The fields that the song file, playback and drawing read of every beat come first and lie
// together, the layout scratch last: a walk over a measure touches fewer cache lines.
struct TTemps {
  double CoupVibrato = 1.0;   // tremolo-bar dip depth
  ValuePtr<TAccord> Accord;   // the beat's own chord, valid when AvecAccord is set
  ValuePtr<cTableMixEvent> MixTable;  // mix-table change, null = none
  TNote Notes[NB_CORDES_MAX + 1];
  int32_t Duree = TICKS_NOIRE;  // ticks
  uint8_t Silence = 0;
  int8_t CodeDuree = 0;       // -2 whole .. 4 sixty-fourth
  uint8_t Pointee = 0;
  uint8_t Triolet = 0;
  int8_t PlaceTriolet = 1;    // 1..3
  int8_t EffetTemps = 0;      // 0 none .. 9 artificial harmonic
  uint8_t Brush = 0;          // 0 none, 1 up, 2 down
  uint8_t VitesseBrush = 8;   // strum length as a note-value denominator
  uint8_t AvecAccord = 0;
  uint8_t NbHauteurs = 0;
  uint8_t Lie = 0;            // tied to the previous beat
  ShortString<40> Texte;      // annotation
  double XImp = 0;            // print x of the beat
  int32_t X = 0;              // screen x in the score view
  int16_t Hauteurs[NB_CORDES_MAX + 1] = {};  // scratch pitches (-1 rest, -2 tie)
  uint8_t Ligature[8] = {};   // beam links, owned by the rhythm drawing
};

// The beat slots of one track in a measure, indexed 0..NB_SLOTS_TEMPS like a plain array. A slot is
// made the first time it is reached through a non-const index and then keeps its address for the
// measure's life (copies and moves assign into it), so a reference to a beat stays valid while other
// beats are added. A slot never made reads as the blank beat: a measure costs what it holds.
class TBeatSlots {
 public:
  TBeatSlots() = default;
  TBeatSlots(const TBeatSlots& o) { Assign(o); }
  TBeatSlots(TBeatSlots&& o) noexcept = default;
  TBeatSlots& operator=(const TBeatSlots& o) {
    if (this != &o) Assign(o);
    return *this;
  }
  TBeatSlots& operator=(TBeatSlots&& o) {
    if (this != &o) Assign(std::move(o));
    return *this;
  }

  TTemps& operator[](int b) {
    assert(b >= 0 && b <= NB_SLOTS_TEMPS);
    const auto i = static_cast<size_t>(b);
    if (i < slots_.size() && slots_[i]) return *slots_[i];
    return Make(i);
  }
  const TTemps& operator[](int b) const {
    assert(b >= 0 && b <= NB_SLOTS_TEMPS);
    const auto i = static_cast<size_t>(b);
    return i < slots_.size() && slots_[i] ? *slots_[i] : Blank();
  }
  // True when slot b has been made; a slot not held reads as Blank().
  bool Holds(int b) const { return b >= 0 && static_cast<size_t>(b) < slots_.size() && slots_[b]; }
  // Makes the slots first..last not made yet, together: a reader that knows how many beats follow
  // allocates them at once.
  void Reserve(int first, int last);
  static const TTemps& Blank();

  // Walks the slots that are held, in slot order; the others are blank.
  template <class Owner, class Beat>
  class Iterator {
   public:
    using iterator_category = std::forward_iterator_tag;
    using value_type = TTemps;
    using difference_type = std::ptrdiff_t;
    using pointer = Beat*;
    using reference = Beat&;
    Iterator() = default;
    Iterator(Owner* s, size_t i) : s_(s), i_(i) { Skip(); }
    reference operator*() const { return *s_->slots_[i_]; }
    pointer operator->() const { return s_->slots_[i_]; }
    Iterator& operator++() {
      ++i_;
      Skip();
      return *this;
    }
    Iterator operator++(int) {
      Iterator r = *this;
      ++*this;
      return r;
    }
    bool operator==(const Iterator& o) const { return i_ == o.i_; }

   private:
    void Skip() {
      while (i_ < s_->slots_.size() && !s_->slots_[i_]) ++i_;
    }
    Owner* s_ = nullptr;
    size_t i_ = 0;
  };
  using iterator = Iterator<TBeatSlots, TTemps>;
  using const_iterator = Iterator<const TBeatSlots, const TTemps>;
  iterator begin() { return {this, 0}; }
  iterator end() { return {this, slots_.size()}; }
  const_iterator begin() const { return {this, 0}; }
  const_iterator end() const { return {this, slots_.size()}; }

 private:
  TTemps& Make(size_t i) {
    Reserve(static_cast<int>(i), static_cast<int>(i));
    return *slots_[i];
  }
  template <class Source>
  void Assign(Source&& o);

  std::vector<TTemps*> slots_;                    // index = slot, null = never made
  std::vector<std::unique_ptr<TTemps[]>> blocs_;  // the slots' storage, never moved nor freed before the track
};

struct TMesure {
  double Duree = 4.0;           // quarter notes
  double DureeRemplie[NB_PISTES + 1] = {};
  double LargeurImp = 0;
  double MargeGaucheImp = 0;
  double MargeDroiteImp = 0;
  int32_t NbTemps[NB_PISTES + 1] = {};
  TBeatSlots Temps[NB_PISTES + 1];  // [track][beat]
  int32_t LargeurTemps = 0;
  int32_t YPortee = 0;
  int32_t MargeGauche = 0;
  int32_t MargeDroite = 0;
  int32_t XDebut = 0;
  int32_t XFin = 0;
  int32_t Ligne = 0;
  uint8_t Numerateur = 4;
  uint8_t Denominateur = 4;
  uint8_t RenvoiDebut = 0;
  uint8_t RenvoiFin = 0;
  uint8_t Repetition = 0;
  uint8_t NumRepetition = 1;
  uint8_t NbRenvois = 1;
};

struct TPartition {
  ShortString<100> Titre;
  ShortString<50> Auteur;
  ShortString<100> Commentaire;
  int32_t NbCordes[NB_PISTES + 1] = {};
  int32_t Accordage[NB_PISTES + 1][NB_CORDES_MAX + 1] = {};
  int32_t NbFrettes[NB_PISTES + 1] = {};
  int32_t NbMesures = 0;
  std::unique_ptr<TMesure> Mesures[NB_MESURES_MAX + 1];  // entry m = measure m
  int32_t MesureCourante = 1;
  int32_t Tempo = 120;
  int32_t Instrument[NB_PISTES + 1] = {};
  int32_t TripletFeel = 0;
  int32_t Armure = 0;
  int32_t NbPistes = NB_PISTES;
  ShortString<40> NomPiste[NB_PISTES + 1];
  uint8_t Solo[NB_PISTES + 1] = {};
  uint8_t Muette[NB_PISTES + 1] = {};
  uint8_t PasExporter[NB_PISTES + 1] = {};
  uint8_t DouzeCordes[NB_PISTES + 1] = {};
  uint8_t SoloActif = 0;
  int32_t PisteSolo = 0;
  int32_t Volume[NB_PISTES + 1] = {};
  int32_t Panoramique[NB_PISTES + 1] = {};
  int32_t Chorus[NB_PISTES + 1] = {};
  int32_t Reverb[NB_PISTES + 1] = {};
  int32_t Capo[NB_PISTES + 1] = {};
  int32_t NbPistesNonBasse = 0;
  int32_t NbPistesBasse = 0;
  uint8_t AvecPercussions = 0;

  TMesure* Mesure(int m) const { return Mesures[m].get(); }
  TMesure* Courante() const { return Mesures[MesureCourante].get(); }
};

// The song being edited.
extern TPartition Partition;

// Ticks of a duration code, dotted and triplet as the beat says (integer arithmetic).
int32_t TicksDuree(int codeDuree, bool pointee, bool triolet);
// Ticks of a measure, from its length in quarter notes.
int32_t TicksMesure(const TMesure& m);
// Clears a note: no fret, no effect, bend 1.0, dynamic 6; the grace-note fields stay.
void EffacerNote(TNote& n);
// Makes a beat slot the blank beat (no notes, no effects, no chord, no mix-table change),
// keeping its duration fields.
void ViderTemps(TTemps& t);
// Frees every measure block of the song.
void LibererPartition();
