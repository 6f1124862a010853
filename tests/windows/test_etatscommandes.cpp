#include <gtest/gtest.h>

#include "editor/ui/EtatsCommandes.h"
#include "song/Song.h"
#include "editor/state/EtatEdition.h"
#include "editor/state/EtatProgramme.h"
#include "editor/Saisie.h"
#include "editor/state/Partition.h"

namespace {
using A = TPointeursActions;

// The command's name, for the failure messages.
const char* Nom(TMembreAction membre) { return TableActions[IndiceMembre(membre)].Nom; }

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
  static bool Actif(const TEtatsCommandes& e, TMembreAction membre) {
    EXPECT_TRUE(e[membre].ChangerActif) << Nom(membre);
    return e[membre].Actif;
  }
  static bool Coche(const TEtatsCommandes& e, TMembreAction membre) {
    EXPECT_TRUE(e[membre].ChangerCoche) << Nom(membre);
    return e[membre].Coche;
  }
};

const TMembreAction EffetsTemps[] = {&A::Ac_Effet_VibMainGauche, &A::Ac_Effet_TremoloBar, &A::Ac_Effet_CoupDeVibrato,
                                     &A::Ac_Effet_HarmNat,       &A::Ac_Effet_HarmArt,    &A::Ac_Effet_FadeIn,
                                     &A::Ac_Effet_TappingMD,     &A::Ac_Effet_Slap,       &A::Ac_Effet_Pop,
                                     &A::Ac_Effet_BrushUp,       &A::Ac_Effet_BrushDown,  &A::Ac_Effet_GraceNote};
const TMembreAction EffetsNote[] = {&A::Ac_Effet_HO,        &A::Ac_Effet_PO,          &A::Ac_Effet_SlideUp,
                                    &A::Ac_Effet_SlideDown, &A::Ac_Effet_Bend,        &A::Ac_Effet_BendRelease,
                                    &A::Ac_Effet_LetRing,   &A::Ac_Note_DeplacerHaut, &A::Ac_Note_DeplacerBas};
}  // namespace

TEST_F(EtatsCommandes, InputSlot) {
  Beat(1);
  Curseur.Temps = 2;  // the input slot
  auto e = Calculer();
  ASSERT_TRUE(e.Complet);
  for (TMembreAction membre : EffetsTemps) EXPECT_FALSE(Actif(e, membre)) << Nom(membre);
  for (TMembreAction membre :
       {&A::Ac_Note_Annotation, &A::Ac_Note_InsererTemps, &A::Ac_Note_SupprimerTemps, &A::Ac_Note_CopierTempsfin})
    EXPECT_FALSE(Actif(e, membre)) << Nom(membre);
  for (TMembreAction membre : EffetsNote) EXPECT_FALSE(Actif(e, membre)) << Nom(membre);  // the slot's string is empty
  EXPECT_FALSE(e.PaletteActive);
  Curseur.Temps = 1;
  e = Calculer();
  for (TMembreAction membre : EffetsTemps) EXPECT_TRUE(Actif(e, membre)) << Nom(membre);
  for (TMembreAction membre : EffetsNote) EXPECT_TRUE(Actif(e, membre)) << Nom(membre);
  EXPECT_TRUE(Actif(e, &A::Ac_Note_SupprimerTemps));
}

TEST_F(EtatsCommandes, DeadNoteOnGuitarTrack) {
  Beat(1, FRETTE_MORTE);
  auto e = Calculer();
  for (TMembreAction membre : EffetsNote) EXPECT_FALSE(Actif(e, membre)) << Nom(membre);
  EXPECT_TRUE(Actif(e, &A::Ac_Effet_GhostNote));
  EXPECT_TRUE(e.PaletteActive);
  EXPECT_TRUE(Actif(e, &A::Ac_Dyna_mf));
  EXPECT_TRUE(Coche(e, &A::Ac_Dyna_f));  // new notes are at dynamic 6
  EXPECT_EQ(e.PaletteBas, 6);
}

TEST_F(EtatsCommandes, PercussionTrack) {
  PisteCourante = PISTE_PERCUSSION;
  Beat(1, 99);
  auto e = Calculer();
  EXPECT_TRUE(Actif(e, &A::Ac_Effet_LetRing));
  EXPECT_TRUE(Actif(e, &A::Ac_Note_DeplacerHaut));
  EXPECT_TRUE(Actif(e, &A::Ac_Note_DeplacerBas));
  for (TMembreAction membre :
       {&A::Ac_Effet_HO, &A::Ac_Effet_PO, &A::Ac_Effet_SlideUp, &A::Ac_Effet_SlideDown, &A::Ac_Effet_Bend,
        &A::Ac_Effet_BendRelease, &A::Ac_Note_Accord, &A::Ac_Note_NoteEtouffee})
    EXPECT_FALSE(Actif(e, membre)) << Nom(membre);
  for (TMembreAction membre : EffetsTemps) EXPECT_FALSE(Actif(e, membre)) << Nom(membre);
  EXPECT_TRUE(Actif(e, &A::Ac_Ass_Percussion));
  PisteCourante = 1;
  EXPECT_FALSE(Actif(Calculer(), &A::Ac_Ass_Percussion));
}

TEST_F(EtatsCommandes, GhostNoteAndEffectMarks) {
  TTemps& t = Beat(1);
  t.Notes[1].Nuance = 4;  // mp
  t.Notes[1].Effet = 6;
  t.EffetTemps = 8;
  t.Brush = 2;
  t.Notes[1].FretteGrace = 3;
  auto e = Calculer();
  EXPECT_TRUE(Coche(e, &A::Ac_Effet_GhostNote));
  EXPECT_TRUE(Coche(e, &A::Ac_Effet_BendRelease));
  EXPECT_FALSE(Coche(e, &A::Ac_Effet_Bend));
  EXPECT_TRUE(Coche(e, &A::Ac_Effet_HarmNat));
  EXPECT_FALSE(Coche(e, &A::Ac_Effet_HarmArt));
  EXPECT_TRUE(Coche(e, &A::Ac_Effet_BrushDown));
  EXPECT_TRUE(Coche(e, &A::Ac_Effet_GraceNote));
  EXPECT_TRUE(Coche(e, &A::Ac_Dyna_mp));
  t.Notes[1].Nuance = 5;
  EXPECT_FALSE(Coche(Calculer(), &A::Ac_Effet_GhostNote));
}

TEST_F(EtatsCommandes, DurationsDottedAndTriplet) {
  TTemps& t = Beat(1);
  t.Pointee = 1;
  t.CodeDuree = 0;
  auto e = Calculer();
  EXPECT_FALSE(Actif(e, &A::Ac_Note_Silence));
  EXPECT_FALSE(Actif(e, &A::Ac_Note_Triolet));
  EXPECT_FALSE(Actif(e, &A::Ac_Note_Ronde));
  EXPECT_TRUE(Coche(e, &A::Ac_Note_Pointee));
  EXPECT_TRUE(Coche(e, &A::Ac_Note_Noire));
  EXPECT_FALSE(e[&A::Ac_Note_Noire].ChangerActif);  // half, quarter and eighth keep their enabled state
  t.Pointee = 0;
  t.Triolet = 1;
  t.CodeDuree = 1;
  e = Calculer();
  for (TMembreAction membre : {&A::Ac_Note_Ronde, &A::Ac_Note_TCroche, &A::Ac_Note_QCroche, &A::Ac_Note_Pointee})
    EXPECT_FALSE(Actif(e, membre)) << Nom(membre);
  EXPECT_TRUE(Actif(e, &A::Ac_Note_Triolet));
  EXPECT_TRUE(Coche(e, &A::Ac_Note_Triolet));
  t.Triolet = 0;
  t.CodeDuree = 3;
  EXPECT_FALSE(Actif(Calculer(), &A::Ac_Note_Triolet));  // thirty-seconds cannot start a triplet
  t.CodeDuree = -2;
  EXPECT_FALSE(Actif(Calculer(), &A::Ac_Note_Pointee));
  t.CodeDuree = 0;
  t.Silence = 1;
  EXPECT_FALSE(Actif(Calculer(), &A::Ac_Note_Pointee));
  for (TMembreAction membre : EffetsTemps)
    EXPECT_FALSE(Actif(Calculer(), membre)) << Nom(membre);  // a rest takes no beat effect
}

TEST_F(EtatsCommandes, MeasureRowsSaveAndPlayback) {
  Beat(1);
  M().RenvoiFin = 1;
  TContexteEtats ctx;
  ctx.Modifie = true;
  auto e = Calculer(ctx);
  EXPECT_TRUE(Coche(e, &A::Ac_Mesure_RenvoiFin));
  EXPECT_FALSE(Coche(e, &A::Ac_Mesure_RenvoiDebut));
  EXPECT_FALSE(Actif(e, &A::Ac_Mesure_Precedente));
  EXPECT_TRUE(Actif(e, &A::Ac_Fichier_Enregistrer));
  EXPECT_FALSE(Actif(e, &A::Ac_Edition_Coller));
  // During playback only the drum-assistant and paste rows change.
  ctx.LectureEnCours = true;
  ctx.PressePapierPlein = true;
  e = Calculer(ctx);
  EXPECT_FALSE(e.Complet);
  EXPECT_TRUE(Actif(e, &A::Ac_Edition_Coller));
  int changes = 0;
  for (const auto& s : e.Actions) changes += s.ChangerActif + s.ChangerCoche;
  EXPECT_EQ(changes, 2);
  // A measure number out of range changes nothing else either.
  ctx.LectureEnCours = false;
  Partition.MesureCourante = 2;
  EXPECT_FALSE(Calculer(ctx).Complet);
  Partition.MesureCourante = 1;
}
