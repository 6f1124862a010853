#include <gtest/gtest.h>

#include "editor/ui/EtatsCommandes.h"
#include "song/Song.h"
#include "editor/state/EtatEdition.h"
#include "editor/state/EtatProgramme.h"
#include "editor/Saisie.h"
#include "editor/state/Partition.h"

namespace {
class EtatsCommandes : public ::testing::Test {
 protected:
  void SetUp() override {
    NouvellePartition();
    PisteCourante = 1;
    Curseur.Temps = 1;
    Curseur.Corde = 1;
  }
  TMesure& M() { return *Partition.Mesures[1]; }
  // Beat b of the current track becomes a used beat with a note on string 1.
  TTemps& Beat(int b, int frette = 5) {
    TTemps& t = M().Temps[PisteCourante][b];
    M().NbTemps[PisteCourante] = std::max(M().NbTemps[PisteCourante], b);
    t.Notes[1].Frette = static_cast<int8_t>(frette);
    return t;
  }
  TEtatsCommandes Calculer(TContexteEtats ctx = {}) {
    return CalculerEtatsCommandes(Partition, Curseur, PisteCourante, ctx);
  }
  static bool Actif(const TEtatsCommandes& e, const char* nom) {
    EXPECT_TRUE(e[nom].ChangerActif) << nom;
    return e[nom].Actif;
  }
  static bool Coche(const TEtatsCommandes& e, const char* nom) {
    EXPECT_TRUE(e[nom].ChangerCoche) << nom;
    return e[nom].Coche;
  }
};

const char* const EffetsTemps[] = {"Ac_Effet_VibMainGauche", "Ac_Effet_TremoloBar", "Ac_Effet_CoupDeVibrato",
                                   "Ac_Effet_HarmNat",       "Ac_Effet_HarmArt",    "Ac_Effet_FadeIn",
                                   "Ac_Effet_TappingMD",     "Ac_Effet_Slap",       "Ac_Effet_Pop",
                                   "Ac_Effet_BrushUp",       "Ac_Effet_BrushDown",  "Ac_Effet_GraceNote"};
const char* const EffetsNote[] = {"Ac_Effet_HO",   "Ac_Effet_PO",          "Ac_Effet_SlideUp", "Ac_Effet_SlideDown",
                                  "Ac_Effet_Bend", "Ac_Effet_BendRelease", "Ac_Effet_LetRing", "Ac_Note_DeplacerHaut",
                                  "Ac_Note_DeplacerBas"};
}  // namespace

TEST_F(EtatsCommandes, InputSlot) {
  Beat(1);
  Curseur.Temps = 2;  // the input slot
  auto e = Calculer();
  ASSERT_TRUE(e.Complet);
  for (const char* nom : EffetsTemps) EXPECT_FALSE(Actif(e, nom)) << nom;
  for (const char* nom : {"Ac_Note_Annotation", "Ac_Note_InsererTemps", "Ac_Note_SupprimerTemps", "Ac_Note_CopierTempsfin"})
    EXPECT_FALSE(Actif(e, nom)) << nom;
  for (const char* nom : EffetsNote) EXPECT_FALSE(Actif(e, nom)) << nom;  // the slot's string is empty
  EXPECT_FALSE(e.PaletteActive);
  Curseur.Temps = 1;
  e = Calculer();
  for (const char* nom : EffetsTemps) EXPECT_TRUE(Actif(e, nom)) << nom;
  for (const char* nom : EffetsNote) EXPECT_TRUE(Actif(e, nom)) << nom;
  EXPECT_TRUE(Actif(e, "Ac_Note_SupprimerTemps"));
}

TEST_F(EtatsCommandes, DeadNoteOnGuitarTrack) {
  Beat(1, FRETTE_MORTE);
  auto e = Calculer();
  for (const char* nom : EffetsNote) EXPECT_FALSE(Actif(e, nom)) << nom;
  EXPECT_TRUE(Actif(e, "Ac_Effet_GhostNote"));
  EXPECT_TRUE(e.PaletteActive);
  EXPECT_TRUE(Actif(e, "Ac_Dyna_mf"));
  EXPECT_TRUE(Coche(e, "Ac_Dyna_f"));  // new notes are at dynamic 6
  EXPECT_EQ(e.PaletteBas, 6);
}

TEST_F(EtatsCommandes, PercussionTrack) {
  PisteCourante = PISTE_PERCUSSION;
  Beat(1, 99);
  auto e = Calculer();
  EXPECT_TRUE(Actif(e, "Ac_Effet_LetRing"));
  EXPECT_TRUE(Actif(e, "Ac_Note_DeplacerHaut"));
  EXPECT_TRUE(Actif(e, "Ac_Note_DeplacerBas"));
  for (const char* nom : {"Ac_Effet_HO", "Ac_Effet_PO", "Ac_Effet_SlideUp", "Ac_Effet_SlideDown", "Ac_Effet_Bend",
                          "Ac_Effet_BendRelease", "Ac_Note_Accord", "Ac_Note_NoteEtouffee"})
    EXPECT_FALSE(Actif(e, nom)) << nom;
  for (const char* nom : EffetsTemps) EXPECT_FALSE(Actif(e, nom)) << nom;
  EXPECT_TRUE(Actif(e, "Ac_Ass_Percussion"));
  PisteCourante = 1;
  EXPECT_FALSE(Actif(Calculer(), "Ac_Ass_Percussion"));
}

TEST_F(EtatsCommandes, GhostNoteAndEffectMarks) {
  TTemps& t = Beat(1);
  t.Notes[1].Nuance = 4;  // mp
  t.Notes[1].Effet = 6;
  t.EffetTemps = 8;
  t.Brush = 2;
  t.Notes[1].FretteGrace = 3;
  auto e = Calculer();
  EXPECT_TRUE(Coche(e, "Ac_Effet_GhostNote"));
  EXPECT_TRUE(Coche(e, "Ac_Effet_BendRelease"));
  EXPECT_FALSE(Coche(e, "Ac_Effet_Bend"));
  EXPECT_TRUE(Coche(e, "Ac_Effet_HarmNat"));
  EXPECT_FALSE(Coche(e, "Ac_Effet_HarmArt"));
  EXPECT_TRUE(Coche(e, "Ac_Effet_BrushDown"));
  EXPECT_TRUE(Coche(e, "Ac_Effet_GraceNote"));
  EXPECT_TRUE(Coche(e, "Ac_Dyna_mp"));
  t.Notes[1].Nuance = 5;
  EXPECT_FALSE(Coche(Calculer(), "Ac_Effet_GhostNote"));
}

TEST_F(EtatsCommandes, DurationsDottedAndTriplet) {
  TTemps& t = Beat(1);
  t.Pointee = 1;
  t.CodeDuree = 0;
  auto e = Calculer();
  EXPECT_FALSE(Actif(e, "Ac_Note_Silence"));
  EXPECT_FALSE(Actif(e, "Ac_Note_Triolet"));
  EXPECT_FALSE(Actif(e, "Ac_Note_Ronde"));
  EXPECT_TRUE(Coche(e, "Ac_Note_Pointee"));
  EXPECT_TRUE(Coche(e, "Ac_Note_Noire"));
  EXPECT_FALSE(e["Ac_Note_Noire"].ChangerActif);  // half, quarter and eighth keep their enabled state
  t.Pointee = 0;
  t.Triolet = 1;
  t.CodeDuree = 1;
  e = Calculer();
  for (const char* nom : {"Ac_Note_Ronde", "Ac_Note_TCroche", "Ac_Note_QCroche", "Ac_Note_Pointee"})
    EXPECT_FALSE(Actif(e, nom)) << nom;
  EXPECT_TRUE(Actif(e, "Ac_Note_Triolet"));
  EXPECT_TRUE(Coche(e, "Ac_Note_Triolet"));
  t.Triolet = 0;
  t.CodeDuree = 3;
  EXPECT_FALSE(Actif(Calculer(), "Ac_Note_Triolet"));  // thirty-seconds cannot start a triplet
  t.CodeDuree = -2;
  EXPECT_FALSE(Actif(Calculer(), "Ac_Note_Pointee"));
  t.CodeDuree = 0;
  t.Silence = 1;
  EXPECT_FALSE(Actif(Calculer(), "Ac_Note_Pointee"));
  for (const char* nom : EffetsTemps) EXPECT_FALSE(Actif(Calculer(), nom)) << nom;  // a rest takes no beat effect
}

TEST_F(EtatsCommandes, MeasureRowsSaveAndPlayback) {
  Beat(1);
  M().RenvoiFin = 1;
  TContexteEtats ctx;
  ctx.Modifie = true;
  ctx.AnnulerMesureActif = true;
  auto e = Calculer(ctx);
  EXPECT_TRUE(Coche(e, "Ac_Mesure_RenvoiFin"));
  EXPECT_FALSE(Coche(e, "Ac_Mesure_RenvoiDebut"));
  EXPECT_FALSE(Actif(e, "Ac_Mesure_Precedente"));
  EXPECT_TRUE(Actif(e, "Ac_Fichier_Enregistrer"));
  EXPECT_TRUE(e.ValiderActif);
  EXPECT_FALSE(Actif(e, "Ac_Edition_Coller"));
  // During playback only the drum-assistant and paste rows change.
  ctx.LectureEnCours = true;
  ctx.PressePapierPlein = true;
  e = Calculer(ctx);
  EXPECT_FALSE(e.Complet);
  EXPECT_TRUE(Actif(e, "Ac_Edition_Coller"));
  int changes = 0;
  for (const auto& s : e.Actions) changes += s.ChangerActif + s.ChangerCoche;
  EXPECT_EQ(changes, 2);
  // A measure number out of range changes nothing else either.
  ctx.LectureEnCours = false;
  Partition.MesureCourante = 2;
  EXPECT_FALSE(Calculer(ctx).Complet);
  Partition.MesureCourante = 1;
}
