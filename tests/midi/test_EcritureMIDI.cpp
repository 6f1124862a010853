#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "midi/EcritureMIDI.h"
#include "midi/EffetsMIDI.h"
#include "midi/uMIDIPile.h"
#include "midi_outils.h"
#include "settings/Mess.h"

using namespace midi_test;

namespace {

class EcritureMIDI : public ::testing::Test {
 protected:
  void SetUp() override {
    OptionsNeutres();
    InstallerReponseMessage([this](const TDemandeMessage& d) {
      messages.push_back(d.Texte);
      return ID_OK;
    });
  }
  void TearDown() override { InstallerReponseMessage({}); }

  TLecture Ecrire(int mode) {
    if (mode != MODE_MIDI_TEMPS && mode != MODE_MIDI_ENTRAINEMENT) {
      int debut = (mode == MODE_MIDI_POSITION || mode == MODE_MIDI_MESURE) ? Partition.MesureCourante : 1;
      int fin = mode == MODE_MIDI_MESURE ? debut : Partition.NbMesures;
      CalculeOrdreLecture(debut, fin, mode == 0 ? Configuration.ExportRepeats : Configuration.PlayRepeats);
    }
    TLecture l = Lire(ConstruireFichierMIDI(mode));
    EXPECT_TRUE(l.allerRetour) << l.csv.toStdString();
    return l;
  }

  std::vector<QString> messages;
};

std::vector<long> Temps(const std::vector<TEvt>& e) {
  std::vector<long> r;
  for (const auto& x : e) r.push_back(x.temps);
  return r;
}
std::vector<int> Arg(const std::vector<TEvt>& e, int i) {
  std::vector<int> r;
  for (const auto& x : e) r.push_back(x.args.value(i).toInt());
  return r;
}

// One quarter per measure on string 1, fret = the measure number.
void NoteParMesure(int n) {
  NouveauMorceau(n);
  for (int m = 1; m <= n; ++m) {
    AjouterTemps(1, m, 480, 1, m);
    AjouterTemps(1, m, 1440);
  }
}

}  // namespace

TEST_F(EcritureMIDI, RepeatsUnrollIntoTheFile) {
  NoteParMesure(6);
  Partition.Mesures[1]->RenvoiDebut = 1;
  Partition.Mesures[3]->RenvoiFin = 1;
  Partition.Mesures[3]->Repetition = 1;
  Partition.Mesures[4]->Repetition = 1;
  Partition.Mesures[4]->NumRepetition = 2;
  TLecture l = Ecrire(MODE_MIDI_EXPORT);
  auto on = l.De("Note_on_c", 2);
  EXPECT_EQ(Temps(on), (std::vector<long>{0, 1920, 3840, 5760, 7680, 9600, 11520, 13440}));
  EXPECT_EQ(Arg(on, 1), (std::vector<int>{65, 66, 67, 65, 66, 68, 69, 70}));
  EXPECT_EQ(Arg(l.De("Note_off_c", 2), 1), Arg(on, 1));
  EXPECT_EQ(Temps(l.De("Note_off_c", 2))[0], 480);
  ASSERT_EQ(l.De("Header").size(), 1u);
  EXPECT_EQ(l.De("Header")[0].args, (QStringList{"1", "2", "480"}));

  Configuration.ExportRepeats = false;
  l = Ecrire(MODE_MIDI_EXPORT);
  EXPECT_EQ(Arg(l.De("Note_on_c", 2), 1), (std::vector<int>{65, 66, 67, 68, 69, 70}));
}

TEST_F(EcritureMIDI, TimeSignaturesAndTempoChangesLandOnTheirTicks) {
  NouveauMorceau(3);
  Partition.Mesures[2]->Numerateur = 3;
  Partition.Mesures[2]->Duree = 3.0;
  for (int m = 1; m <= 3; ++m) AjouterTemps(1, m, 480, 2, 0);
  cTableMixEvent& mix = Partition.Mesures[3]->Temps[1][1].MixTable.emplace();
  mix.Tempo = 60;
  TLecture l = Ecrire(MODE_MIDI_EXPORT);
  EXPECT_EQ(Temps(l.De("Note_on_c", 2)), (std::vector<long>{0, 1920, 3360}));
  auto sig = l.De("Time_signature", 1);
  EXPECT_EQ(Temps(sig), (std::vector<long>{0, 1920, 3360}));
  EXPECT_EQ(Arg(sig, 0), (std::vector<int>{4, 3, 4}));
  auto tempos = l.De("Tempo");
  ASSERT_EQ(tempos.size(), 2u);
  EXPECT_EQ(tempos[0].piste, 1);
  EXPECT_EQ(tempos[0].args[0].toInt(), 500000);
  EXPECT_EQ(tempos[1].temps, 3360);
  EXPECT_EQ(tempos[1].args[0].toInt(), 1000000);
  EXPECT_DOUBLE_EQ(TempsMesures[1], 4.0 / 120);
  EXPECT_DOUBLE_EQ(TempsMesures[2], 3.0 / 120);
  EXPECT_DOUBLE_EQ(TempsMesures[3], 4.0 / 60);

  // A tempo ramp over two beats is four steps a beat, and the display lengths follow it.
  mix.TransTempo = 2;
  mix.Tempo = 180;
  l = Ecrire(MODE_MIDI_POSITION);
  auto rampe = l.De("Tempo", 2);
  ASSERT_EQ(rampe.size(), 8u);
  EXPECT_EQ(rampe.front().temps, 3360 + 120);
  EXPECT_EQ(rampe.back().temps, 3360 + 960);
  EXPECT_EQ(rampe.back().args[0].toInt(), 60000000 / 180);
  EXPECT_GT(TempsMesures[3], 4.0 / 180);
  EXPECT_LT(TempsMesures[3], 4.0 / 120);
}

TEST_F(EcritureMIDI, ChannelTable) {
  NouveauMorceau(1);
  for (int p : {1, 5, 8}) AjouterTemps(p, 1, 480, 1, 3);
  Partition.Mesures[1]->Temps[5][1].Notes[1].Effet = 5;  // bend: effects channel
  TLecture l = Ecrire(MODE_MIDI_DEBUT);
  auto prog = l.De("Program_c");
  std::vector<int> canaux = Arg(prog, 0);
  EXPECT_EQ(canaux, (std::vector<int>{0, 1, 10, 11, 9, 9}));
  EXPECT_EQ(Arg(l.De("Note_on_c", 2), 0), (std::vector<int>{0}));
  EXPECT_EQ(Arg(l.De("Note_on_c", 3), 0), (std::vector<int>{11}));
  EXPECT_EQ(Arg(l.De("Note_on_c", 4), 0), (std::vector<int>{9}));
  EXPECT_EQ(l.De("Program_c", 4).size(), 2u);  // set-up twice on channel 10
  // Channel 9 (1-based) is never used.
  for (const auto& e : l.evts) {
    if (e.type.endsWith("_c")) {
      EXPECT_NE(e.args[0].toInt(), 8);
    }
  }
}

TEST_F(EcritureMIDI, SlidesBendsAndVibratos) {
  NouveauMorceau(1);
  TTemps& a = AjouterTemps(1, 1, 480, 1, 5);
  a.Notes[1].Effet = 3;
  AjouterTemps(1, 1, 480, 1, 7);
  TLecture l = Ecrire(MODE_MIDI_EXPORT);
  auto pb = l.De("Pitch_bend_c", 2);
  ASSERT_EQ(pb.size(), 2u);
  EXPECT_EQ(pb[0].temps, 240);
  EXPECT_EQ(pb[0].args[1].toInt(), 72 * 128);
  EXPECT_EQ(pb[1].temps, 480);
  EXPECT_EQ(pb[1].args[1].toInt(), 64 * 128);
  EXPECT_EQ(Arg(l.De("Note_on_c", 2), 0), (std::vector<int>{1, 0}));

  // 5 -> 6 is no slide at all.
  Partition.Mesures[1]->Temps[1][2].Notes[1].Frette = 6;
  EXPECT_TRUE(Ecrire(MODE_MIDI_EXPORT).De("Pitch_bend_c").empty());

  // A slide up on the last note slides four frets' worth.
  Partition.Mesures[1]->NbTemps[1] = 1;
  EXPECT_EQ(Ecrire(MODE_MIDI_EXPORT).De("Pitch_bend_c").size(), 4u);

  // Without effects the slide is a plain note on the main channel.
  Configuration.ExportEffects = false;
  l = Ecrire(MODE_MIDI_EXPORT);
  EXPECT_TRUE(l.De("Pitch_bend_c").empty());
  EXPECT_EQ(Arg(l.De("Note_on_c", 2), 0), (std::vector<int>{0}));
  Configuration.ExportEffects = true;

  // A bend of one tone: 16 steps of 1 (range 8), or of 4 clamped at 127 (range 2).
  a.Notes[1].Effet = 5;
  a.Notes[1].Bend = 1.0;
  pb = Ecrire(MODE_MIDI_EXPORT).De("Pitch_bend_c");
  ASSERT_EQ(pb.size(), 17u);
  EXPECT_EQ(pb[15].args[1].toInt(), 80 * 128);
  Configuration.LimitBend = true;
  l = Ecrire(MODE_MIDI_EXPORT);
  pb = l.De("Pitch_bend_c");
  EXPECT_EQ(pb[15].args[1].toInt(), 127 * 128);
  EXPECT_EQ(pb[14].args[1].toInt(), 124 * 128);
  auto cc6 = l.De("Control_c");
  bool plage2 = false;
  for (auto& e : cc6)
    if (e.args[1] == "6") plage2 = plage2 || e.args[2] == "2";
  EXPECT_TRUE(plage2);
  Configuration.LimitBend = false;

  // A bend of 0 never divides.
  a.Notes[1].Bend = 0;
  EXPECT_EQ(Ecrire(MODE_MIDI_EXPORT).De("Pitch_bend_c").size(), 0u);

  // A narrow vibrato on a note shorter than 130 ticks writes no bend.
  a.Notes[1].Effet = 0;
  a.EffetTemps = 1;
  a.Duree = 120;
  EXPECT_TRUE(Ecrire(MODE_MIDI_EXPORT).De("Pitch_bend_c").empty());
  a.Duree = 480;
  pb = Ecrire(MODE_MIDI_EXPORT).De("Pitch_bend_c");
  EXPECT_EQ(pb.size(), 6u);  // three periods of 130 ticks
  EXPECT_EQ(pb[0].temps, 65);
  EXPECT_EQ(pb[0].args[1].toInt(), 66 * 128);
}

TEST_F(EcritureMIDI, BendReleaseWideVibratoAndDipSteps) {
  NouveauMorceau(1);
  TTemps& a = AjouterTemps(1, 1, 480, 1, 5);
  a.Notes[1].Effet = 6;  // bend and release of a semitone
  a.Notes[1].Bend = 0.5;
  auto pb = Ecrire(MODE_MIDI_EXPORT).De("Pitch_bend_c", 2);
  std::vector<long> temps;
  std::vector<int> valeurs;
  for (int i = 1; i <= 8; ++i) temps.push_back(20 * i), valeurs.push_back(64 + i);
  for (int n = 7; n >= 0; --n) temps.push_back(160 + 160 + 20 * (8 - n)), valeurs.push_back(64 + n);
  temps.push_back(480);
  valeurs.push_back(64);
  EXPECT_EQ(Temps(pb), temps);
  std::vector<int> v;
  for (const auto& e : pb) v.push_back(e.args[1].toInt() / 128);
  EXPECT_EQ(v, valeurs);

  // Wide vibrato: up at t + 100, down at t + 200, while a whole period fits; then back to the
  // centre at the note's end, so that the next note on the channel is in tune.
  a.Notes[1].Effet = 0;
  a.EffetTemps = 2;
  pb = Ecrire(MODE_MIDI_EXPORT).De("Pitch_bend_c", 2);
  EXPECT_EQ(Temps(pb), (std::vector<long>{100, 200, 300, 400, 480}));
  EXPECT_EQ(Arg(pb, 1), (std::vector<int>{68 * 128, 60 * 128, 68 * 128, 60 * 128, 64 * 128}));
  EXPECT_EQ(Arg(pb, 0), (std::vector<int>{1, 1, 1, 1, 1}));

  // Tremolo-bar dip of depth 1: four steps down by L/16, back up in eight from 3L/16 later.
  a.EffetTemps = 3;
  a.CoupVibrato = 1.0;
  pb = Ecrire(MODE_MIDI_EXPORT).De("Pitch_bend_c", 2);
  EXPECT_EQ(Temps(pb), (std::vector<long>{30, 60, 90, 120, 210, 240, 270, 300, 330, 360, 390, 420, 480}));
  v.clear();
  for (const auto& e : pb) v.push_back(e.args[1].toInt() / 128);
  EXPECT_EQ(v, (std::vector<int>{62, 60, 58, 56, 57, 58, 59, 60, 61, 62, 63, 64, 64}));
}

TEST_F(EcritureMIDI, MetronomeCountInAndSharedGraceLead) {
  NouveauMorceau(2);
  AjouterTemps(1, 1, 1920, 1, 0);
  AjouterTemps(1, 2, 1920, 1, 0);
  AjouterTemps(2, 1, 1920, 2, 0);
  Configuration.Metronome = true;
  Configuration.FirstBarMetronome = true;
  Configuration.MetronomeDuringScore = true;
  Configuration.DifferentMetronomeFirstSound = true;
  TLecture l = Ecrire(MODE_MIDI_DEBUT);
  ASSERT_EQ(l.De("Header")[0].args[1], "4");  // conductor, metronome, two tracks
  auto clics = l.De("Note_on_c", 2);
  EXPECT_EQ(clics.size(), 12u);
  EXPECT_EQ(Temps(clics)[4], 1920);
  EXPECT_EQ(Arg(clics, 2)[0], 127);
  EXPECT_EQ(Arg(clics, 2)[1], 90);
  EXPECT_EQ(Temps(l.De("Note_on_c", 3)), (std::vector<long>{1920, 3840}));

  // Count-in off: the song starts at 0; during-score off: only the count-in clicks.
  Configuration.FirstBarMetronome = false;
  l = Ecrire(MODE_MIDI_DEBUT);
  EXPECT_EQ(Temps(l.De("Note_on_c", 3)), (std::vector<long>{0, 1920}));
  EXPECT_EQ(l.De("Note_on_c", 2).size(), 8u);

  // A grace note on the first beat of one track moves every track and the metronome alike.
  Partition.Mesures[1]->Temps[1][1].Notes[1].FretteGrace = 2;
  Partition.Mesures[1]->Temps[1][1].Notes[1].DureeGrace = 3;
  l = Ecrire(MODE_MIDI_DEBUT);
  EXPECT_EQ(Temps(l.De("Note_on_c", 2)).front(), 120);
  EXPECT_EQ(Temps(l.De("Note_on_c", 3)), (std::vector<long>{0, 120, 2040}));  // grace at 0
  EXPECT_EQ(Temps(l.De("Note_on_c", 4)), (std::vector<long>{120}));
  EXPECT_EQ(DebutMorceauTicks, 120);

  // An empty song in a play mode: conductor and metronome only.
  NouveauMorceau(1);
  l = Ecrire(MODE_MIDI_DEBUT);
  EXPECT_EQ(l.De("Header")[0].args[1], "2");
  Configuration.Metronome = false;
  l = Ecrire(MODE_MIDI_DEBUT);
  EXPECT_EQ(l.De("Header")[0].args[1], "1");
}

TEST_F(EcritureMIDI, TripletFeelStrumsAndTwelveStrings) {
  NouveauMorceau(1);
  AjouterTemps(1, 1, 240, 1, 0);
  AjouterTemps(1, 1, 240, 1, 2);
  TTemps& accord = AjouterTemps(1, 1, 480, 1, 0);
  for (int s = 2; s <= 6; ++s) accord.Notes[s].Frette = 0;
  accord.Brush = 2;
  accord.VitesseBrush = 8;
  Partition.TripletFeel = 1;
  TLecture l = Ecrire(MODE_MIDI_DEBUT);
  auto on = l.De("Note_on_c", 2);
  EXPECT_EQ(Temps(on), (std::vector<long>{0, 320, 480, 490, 500, 510, 520, 530}));
  EXPECT_EQ(Arg(on, 1)[2], 64);  // strum down starts on string 1
  auto off = l.De("Note_off_c", 2);
  EXPECT_EQ(Temps(off)[0], 320);
  EXPECT_EQ(Temps(off)[1], 480);

  // Strum up begins on the lowest string; a strum speed of 0 strikes them together.
  accord.Brush = 1;
  EXPECT_EQ(Arg(Ecrire(MODE_MIDI_DEBUT).De("Note_on_c", 2), 1)[2], 40);
  accord.VitesseBrush = 0;
  on = Ecrire(MODE_MIDI_DEBUT).De("Note_on_c", 2);
  EXPECT_EQ(Temps(on).back(), 480);

  // Twelve strings: strings 3 to 6 get an octave twin 4 ticks later.
  Partition.TripletFeel = 0;
  Partition.DouzeCordes[1] = 1;
  accord.Brush = 0;
  on = Ecrire(MODE_MIDI_DEBUT).De("Note_on_c", 2);
  EXPECT_EQ(on.size(), 2u + 6u + 4u);
  int jumeaux = 0;
  for (const auto& e : on)
    if (e.temps == 484) {
      ++jumeaux;
      EXPECT_EQ(e.args[2].toInt(), Arrondi(95 / 1.27));
    }
  EXPECT_EQ(jumeaux, 4);
}

TEST_F(EcritureMIDI, DeadNotesLetRingDynamicsAndHarmonics) {
  NouveauMorceau(2);
  TTemps& a = AjouterTemps(1, 1, 480, 1, FRETTE_MORTE);
  a.Notes[1].Nuance = 8;
  TTemps& b = AjouterTemps(1, 1, 480, 2, 3);
  b.Notes[2].Effet = 7;
  b.Notes[2].Nuance = 1;
  AjouterTemps(1, 1, 960);
  TTemps& c = AjouterTemps(1, 2, 480, 3, 12);
  c.EffetTemps = 8;
  TTemps& d = AjouterTemps(1, 2, 480, 3, 5);
  d.EffetTemps = 5;  // tapping: softened
  TLecture l = Ecrire(MODE_MIDI_EXPORT);
  auto on = l.De("Note_on_c", 2);
  auto off = l.De("Note_off_c", 2);
  ASSERT_EQ(on.size(), 4u);
  EXPECT_EQ(on[0].args[1].toInt(), 64);
  EXPECT_EQ(on[0].args[2].toInt(), 127);
  EXPECT_EQ(off[0].temps, 15);
  EXPECT_EQ(on[1].args[2].toInt(), 15);
  EXPECT_EQ(on[1].args[0].toInt(), 1);  // let ring on the effects channel
  // Rings over the rest and the next measure's beats without a note on its string.
  EXPECT_EQ(Temps(l.De("Note_off_c", 2)), (std::vector<long>{15, 2400, 480 + 2400, 2880}));
  EXPECT_EQ(off[2].args[0].toInt(), 1);
  EXPECT_EQ(on[2].args[1].toInt(), 55 + 12);
  EXPECT_EQ(on[3].args[2].toInt(), Arrondi(95 / 1.34));
}

TEST_F(EcritureMIDI, TiedBeatsLengthenTheirNoteAcrossTheBarLine) {
  NouveauMorceau(2);
  AjouterTemps(1, 1, 1440);
  AjouterTemps(1, 1, 480, 1, 5);
  AjouterTemps(1, 2, 480, 1, 5).Lie = 1;  // tied: no note of its own
  AjouterTemps(1, 2, 480, 1, 7);
  TLecture l = Ecrire(MODE_MIDI_EXPORT);
  EXPECT_EQ(Temps(l.De("Note_on_c", 2)), (std::vector<long>{1440, 2400}));
  EXPECT_EQ(Temps(l.De("Note_off_c", 2)), (std::vector<long>{2400, 2880}));
}

// Measure 2 of three has no beats on track 1: the slide, the tie and the let ring reach the note
// of measure 3 across it.
TEST_F(EcritureMIDI, SlideTieAndLetRingLookPastAnEmptyMeasure) {
  NouveauMorceau(3);
  AjouterTemps(1, 1, 1440);
  TTemps& a = AjouterTemps(1, 1, 480, 1, 5);
  AjouterTemps(1, 3, 480, 1, 7);
  AjouterTemps(1, 3, 1440);

  a.Notes[1].Effet = 3;  // slide up to 7: one step, not four frets' worth
  auto pb = Ecrire(MODE_MIDI_EXPORT).De("Pitch_bend_c", 2);
  ASSERT_EQ(pb.size(), 2u);
  EXPECT_EQ(pb[0].args[1].toInt(), 72 * 128);

  a.Notes[1].Effet = 7;  // let ring: through the empty measure up to the next note
  EXPECT_EQ(Temps(Ecrire(MODE_MIDI_EXPORT).De("Note_off_c", 2)).front(), 3840);

  a.Notes[1].Effet = 0;  // tie: one note from 1440 to the end of the tied beat
  Partition.Mesures[3]->Temps[1][1].Lie = 1;
  TLecture l = Ecrire(MODE_MIDI_EXPORT);
  EXPECT_EQ(Temps(l.De("Note_on_c", 2)), (std::vector<long>{1440}));
  EXPECT_EQ(Temps(l.De("Note_off_c", 2)), (std::vector<long>{4320}));
}

TEST_F(EcritureMIDI, MixTableChangesAndRamps) {
  NouveauMorceau(1);
  TTemps& t = AjouterTemps(1, 1, 1920, 1, 0);
  cTableMixEvent& mix = t.MixTable.emplace();
  mix.Volume = 20;
  mix.TransVolume = 2;
  mix.Instrument = 30;
  mix.Panoramique = 0;
  TLecture l = Ecrire(MODE_MIDI_EXPORT);
  std::vector<TEvt> vol;
  for (auto& e : l.De("Control_c", 2))
    if (e.args[0] == "0" && e.args[1] == "7") vol.push_back(e);
  ASSERT_EQ(vol.size(), 9u);  // set-up, then 8 steps
  EXPECT_EQ(vol[1].temps, 120);
  EXPECT_EQ(vol[1].args[2].toInt(), 90);
  EXPECT_EQ(vol[8].temps, 960);
  EXPECT_EQ(vol[8].args[2].toInt(), 20);
  EXPECT_EQ(Arg(l.De("Program_c", 2), 1), (std::vector<int>{24, 24, 30, 30}));

  // Fade-in climbs to the volume left by the mix table.
  t.EffetTemps = 4;
  mix.TransVolume = 0;
  vol.clear();
  for (auto& e : Ecrire(MODE_MIDI_EXPORT).De("Control_c", 2))
    if (e.args[1] == "7" && e.temps > 0) vol.push_back(e);
  ASSERT_EQ(vol.size(), 14u);
  EXPECT_EQ(vol.back().args[2].toInt(), 20);
  EXPECT_EQ(vol.back().temps, 14 * 96);
}

// A playback lasts its measures: reverb, volume and tempo ramps from the last beat and a let-ring
// note running past the end stop there, each controller of the channel left at its own ramp's final
// value and no tempo change after the end; the export keeps them whole.
TEST_F(EcritureMIDI, PlaybackEndsWithItsLastMeasure) {
  NouveauMorceau(1);
  AjouterTemps(1, 1, 1440);
  TTemps& t = AjouterTemps(1, 1, 480, 1, 5);
  t.Notes[1].Effet = 7;  // let ring
  cTableMixEvent& mix = t.MixTable.emplace();
  mix.Reverb = 100;
  mix.Volume = 50;
  mix.Tempo = 200;
  // Four steps a beat over eight beats: far past the measure.
  mix.TransReverb = mix.TransVolume = mix.TransTempo = 8;
  for (const int mode : {MODE_MIDI_MESURE, MODE_MIDI_DEBUT, MODE_MIDI_POSITION, MODE_MIDI_EXPORT}) {
    SCOPED_TRACE(mode);
    TLecture l = Ecrire(mode);
    long dernier = 0, finPiste = 0;
    std::vector<int> reverb, volume;
    for (const auto& e : l.evts) {
      if (e.piste < 2) continue;
      if (e.type == "End_track") finPiste = std::max(finPiste, e.temps);
      else dernier = std::max(dernier, e.temps);
      if (e.type != "Control_c" || e.args.value(0) != "0") continue;
      if (e.args.value(1) == "91") reverb.push_back(e.args[2].toInt());
      if (e.args.value(1) == "7") volume.push_back(e.args[2].toInt());
    }
    ASSERT_FALSE(reverb.empty());
    ASSERT_FALSE(volume.empty());
    EXPECT_EQ(reverb.back(), 100);
    EXPECT_EQ(volume.back(), 50);
    ASSERT_EQ(l.De("Note_off_c", 2).size(), 1u);
    if (mode == MODE_MIDI_EXPORT) {
      EXPECT_EQ(dernier, 1440 + 8 * 4 * 120);
      EXPECT_EQ(reverb.size(), 1u + 32u);
      EXPECT_EQ(l.De("Tempo", 2).size(), 32u);
      continue;
    }
    EXPECT_EQ(dernier, 1920);
    EXPECT_EQ(finPiste, 1920);
    EXPECT_EQ(l.De("Note_off_c", 2)[0].temps, 1920);
    EXPECT_EQ(reverb.size(), 1u + 4u + 1u);  // set-up, the steps within the measure, the final value
    EXPECT_EQ(Temps(l.De("Tempo", 2)), (std::vector<long>{1560, 1680, 1800, 1920}));  // those within the measure
  }
}

TEST_F(EcritureMIDI, OneBeatAndModesRanges) {
  NoteParMesure(3);
  PisteCourante = 2;
  AjouterTemps(2, 2, 480, 1, 9);
  TTemps& b = AjouterTemps(2, 2, 480, 1, 10);
  Partition.MesureCourante = 2;
  Curseur.Temps = 2;
  TLecture l = Ecrire(MODE_MIDI_TEMPS);
  EXPECT_EQ(l.De("Header")[0].args[1], "2");
  EXPECT_EQ(Temps(l.De("Note_on_c")), (std::vector<long>{0}));
  EXPECT_EQ(Arg(l.De("Note_on_c"), 1), (std::vector<int>{74}));
  EXPECT_EQ(Arg(l.De("Time_signature"), 0), (std::vector<int>{4}));
  b.Notes[1].FretteGrace = 8;
  l = Ecrire(MODE_MIDI_TEMPS);
  EXPECT_EQ(Temps(l.De("Note_on_c")), (std::vector<long>{90, 120}));

  EXPECT_EQ(Temps(l.De("End_track", 2)), (std::vector<long>{600}));  // a beat ends with its note

  PisteCourante = 1;
  Partition.MesureCourante = 2;
  l = Ecrire(MODE_MIDI_MESURE);
  EXPECT_EQ(Arg(l.De("Note_on_c", 2), 1), (std::vector<int>{66}));
  // The measure's quarter note and its rests: the file lasts the whole measure, so a loop keeps time.
  EXPECT_EQ(Temps(l.De("End_track", 2)), (std::vector<long>{1920}));
  Configuration.Metronome = Configuration.FirstBarMetronome = true;
  l = Ecrire(MODE_MIDI_MESURE);
  EXPECT_EQ(Temps(l.De("End_track", 2)), (std::vector<long>{3840}));  // metronome: count-in and measure
  EXPECT_EQ(Temps(l.De("End_track", 3)), (std::vector<long>{3840}));
  Configuration.Metronome = Configuration.FirstBarMetronome = false;
  l = Ecrire(MODE_MIDI_POSITION);
  EXPECT_EQ(Arg(l.De("Note_on_c", 2), 1), (std::vector<int>{66, 67}));

  // Muted and solo tracks; export keeps muted tracks but leaves out do-not-export ones.
  Partition.Muette[2] = 1;
  EXPECT_EQ(Ecrire(MODE_MIDI_DEBUT).De("Header")[0].args[1], "2");
  EXPECT_EQ(Ecrire(MODE_MIDI_EXPORT).De("Header")[0].args[1], "3");
  Partition.SoloActif = 1;
  Partition.PisteSolo = 2;
  l = Ecrire(MODE_MIDI_DEBUT);
  EXPECT_EQ(Arg(l.De("Note_on_c", 2), 1), (std::vector<int>{73, 72, 74}));  // with its grace note
  Partition.PasExporter[1] = 1;
  EXPECT_EQ(Ecrire(MODE_MIDI_EXPORT).De("Header")[0].args[1], "2");
}

TEST_F(EcritureMIDI, OverfullMeasuresAndLongTracks) {
  // Beats past the measure's length are not played; the next measure keeps its time.
  NouveauMorceau(2);
  AjouterTemps(1, 1, 1920, 1, 1);
  AjouterTemps(1, 1, 480, 1, 2);
  AjouterTemps(1, 2, 480, 1, 3);
  EXPECT_EQ(Temps(Ecrire(MODE_MIDI_EXPORT).De("Note_on_c", 2)), (std::vector<long>{0, 1920}));

  // A beat count past the slots and an absurd dip depth neither read beside the beats nor
  // overflow the bend value.
  NouveauMorceau(1);
  for (int b = 1; b <= NB_SLOTS_TEMPS; ++b) AjouterTemps(1, 1, 15, 1, 3);
  Partition.Mesures[1]->NbTemps[1] = NB_SLOTS_TEMPS + 4;
  TTemps& dernier = Partition.Mesures[1]->Temps[1][NB_SLOTS_TEMPS];
  dernier.Notes[1].Effet = 3;
  dernier.EffetTemps = 3;
  dernier.CoupVibrato = 1e12;
  Partition.Mesures[1]->Temps[1][NB_SLOTS_TEMPS - 1].Notes[1].Effet = 7;
  TLecture debord = Ecrire(MODE_MIDI_EXPORT);
  EXPECT_EQ(debord.De("Note_on_c", 2).size(), static_cast<size_t>(NB_SLOTS_TEMPS));
  EXPECT_EQ(debord.De("Pitch_bend_c", 2).size(), 4u);  // the slide up: three steps and the centre
  Configuration.ExportEffects = true;
  dernier.Notes[1].Effet = 0;
  for (const auto& e : Ecrire(MODE_MIDI_EXPORT).De("Pitch_bend_c", 2)) EXPECT_GE(e.args[1].toInt(), 0);

  // A track body far beyond the old fixed buffer still comes out whole.
  NouveauMorceau(500);
  for (int m = 1; m <= 500; ++m)
    for (int k = 0; k < 16; ++k) {
      TTemps& t = AjouterTemps(1, m, 120, 1, k);
      for (int s = 2; s <= 6; ++s) t.Notes[s].Frette = static_cast<int8_t>(k);
    }
  CalculeOrdreLecture(1, 500, true);
  std::vector<uint8_t> f = ConstruireFichierMIDI(MODE_MIDI_EXPORT);
  EXPECT_GT(f.size(), 300004u);
  TLecture l = Lire(f);
  EXPECT_TRUE(l.allerRetour);
  EXPECT_EQ(l.De("Note_on_c", 2).size(), 500u * 16 * 6);
}

TEST_F(EcritureMIDI, FileWritingAndItsFailures) {
  NoteParMesure(2);
  QTemporaryDir dir;
  CalculeOrdreLecture(1, 2, true);
  EXPECT_TRUE(EcrireFichierMIDI(dir.filePath("a.mid"), MODE_MIDI_EXPORT));
  EXPECT_EQ(EtatLecture.Mode, -1);
  EXPECT_TRUE(messages.empty());
  EXPECT_FALSE(EcrireFichierMIDI(dir.filePath("absent/a.mid"), MODE_MIDI_DEBUT));
  EXPECT_EQ(messages.size(), 1u);
  EXPECT_EQ(EtatLecture.Mode, -1);

  // An export whose play order was cut says so: 200 bars played 100 times.
  NouveauMorceau(200);
  AjouterTemps(1, 1, 480, 1, 1);
  Partition.Mesures[200]->RenvoiFin = 1;
  Partition.Mesures[200]->NbRenvois = 99;
  CalculeOrdreLecture(1, 200, true);
  messages.clear();
  EXPECT_TRUE(EcrireFichierMIDI(dir.filePath("b.mid"), MODE_MIDI_EXPORT));
  EXPECT_EQ(messages.size(), 1u);
}

TEST_F(EcritureMIDI, LongSongsAndCloseOnlyRepeatsExportWhole) {
  // 1000 bars end in bar 1000; with a repeat-close on the last, the 2000 entries are all written.
  NouveauMorceau(1000);
  for (int m = 1; m <= 1000; ++m) {
    AjouterTemps(1, m, 480, 1, m % 12);
    AjouterTemps(1, m, 1440);
  }
  for (bool reprise : {false, true}) {
    Partition.Mesures[1000]->RenvoiFin = reprise;
    const long entrees = reprise ? 2000 : 1000;
    auto on = Ecrire(MODE_MIDI_EXPORT).De("Note_on_c", 2);
    ASSERT_EQ(on.size(), static_cast<size_t>(entrees));
    EXPECT_EQ(on.back().temps, (entrees - 1) * 1920);
    EXPECT_EQ(on.back().args[1].toInt(), 64 + 1000 % 12);
  }

  // ||: 1 2 :|| 3 4 :|| 5
  NoteParMesure(5);
  Partition.Mesures[1]->RenvoiDebut = 1;
  Partition.Mesures[2]->RenvoiFin = 1;
  Partition.Mesures[4]->RenvoiFin = 1;
  EXPECT_EQ(Arg(Ecrire(MODE_MIDI_EXPORT).De("Note_on_c", 2), 1),
            (std::vector<int>{65, 66, 65, 66, 67, 68, 67, 68, 69}));
  EXPECT_TRUE(messages.empty());
}
