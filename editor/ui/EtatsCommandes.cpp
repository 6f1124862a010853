#include "editor/ui/EtatsCommandes.h"

#include <QAction>
#include <QSignalBlocker>

#include "song/Song.h"
#include "editor/state/EtatEdition.h"
#include "editor/state/EtatProgramme.h"

const TEtatCommande& TEtatsCommandes::operator[](TMembreAction membre) const {
  static const TEtatCommande vide;
  const int i = IndiceMembre(membre);
  return i < 0 ? vide : Actions[i];
}

namespace {
// The rules name each command by its member, so a misspelt one does not compile.
using A = TPointeursActions;

struct Regles {
  TEtatsCommandes& e;
  void actif(TMembreAction membre, bool v) {
    TEtatCommande& s = e.Actions[IndiceMembre(membre)];  // every member has its row
    s.ChangerActif = true;
    s.Actif = v;
  }
  void coche(TMembreAction membre, bool v) {
    TEtatCommande& s = e.Actions[IndiceMembre(membre)];
    s.ChangerCoche = true;
    s.Coche = v;
  }
};
}  // namespace

TEtatsCommandes CalculerEtatsCommandes(const TPartition& p, const TCurseur& c, int piste, const TContexteEtats& ctx) {
  TEtatsCommandes e;
  Regles r{e};
  r.actif(&A::Ac_Ass_Percussion, piste == PISTE_PERCUSSION);
  r.actif(&A::Ac_Edition_Coller, ctx.PressePapierPlein);
  if (p.MesureCourante < 1 || p.MesureCourante > p.NbMesures || ctx.LectureEnCours) return e;
  const TMesure* m = p.Mesure(p.MesureCourante);
  if (!m || piste < 1 || piste > NB_PISTES) return e;
  e.Complet = true;

  // A cursor out of its range reads the nearest slot rather than memory beside the arrays.
  const int temps = std::clamp(c.Temps, 1, NB_SLOTS_TEMPS);
  const int corde = std::clamp(c.Corde, 1, NB_CORDES_MAX);
  const TTemps& t = m->Temps[piste][temps];
  const TNote& n = t.Notes[corde];
  const bool saisie = c.Temps == m->NbTemps[piste] + 1;  // the cursor is on the input slot
  const bool aNote = n.Frette > -1;
  const bool noteReelle = n.Frette >= 0 && n.Frette <= FretteMaxPiste[piste];
  const bool guitare = piste < PISTE_PERCUSSION;
  const int code = t.CodeDuree;

  r.actif(&A::Ac_Mesure_Precedente, p.MesureCourante > 1);
  r.actif(&A::Ac_Mesure_Suivante, true);

  r.actif(&A::Ac_Note_Ronde, !t.Triolet && !t.Pointee);
  r.coche(&A::Ac_Note_Ronde, code == -2);
  r.coche(&A::Ac_Note_Blanche, code == -1);
  r.coche(&A::Ac_Note_Noire, code == 0);
  r.coche(&A::Ac_Note_Croche, code == 1);
  r.actif(&A::Ac_Note_DCroche, true);
  r.coche(&A::Ac_Note_DCroche, code == 2);
  r.actif(&A::Ac_Note_TCroche, !t.Triolet);
  r.coche(&A::Ac_Note_TCroche, code == 3);
  r.actif(&A::Ac_Note_QCroche, !t.Triolet);
  r.coche(&A::Ac_Note_QCroche, code == 4);
  r.actif(&A::Ac_Note_Pointee, !t.Triolet && code != -2 && !t.Silence);
  r.coche(&A::Ac_Note_Pointee, t.Pointee);
  r.actif(&A::Ac_Note_Silence, !t.Pointee);
  r.actif(&A::Ac_Note_Triolet, !t.Pointee && code >= -1 && code <= 2);
  r.coche(&A::Ac_Note_Triolet, t.Triolet);
  r.coche(&A::Ac_Note_Lier, t.Lie);
  for (TMembreAction membre : {&A::Ac_Note_InsererTemps, &A::Ac_Note_SupprimerTemps, &A::Ac_Note_CopierTempsfin})
    r.actif(membre, !saisie);
  r.actif(&A::Ac_Note_DeplacerHaut, noteReelle);
  r.actif(&A::Ac_Note_DeplacerBas, noteReelle);
  r.coche(&A::Ac_Mesure_RenvoiDebut, m->RenvoiDebut);
  r.coche(&A::Ac_Mesure_RenvoiFin, m->RenvoiFin);
  r.coche(&A::Ac_Mesure_Repetitions, m->Repetition);

  const TMembreAction effetsNote[] = {&A::Ac_Effet_HO,        &A::Ac_Effet_PO,   &A::Ac_Effet_SlideUp,
                                      &A::Ac_Effet_SlideDown, &A::Ac_Effet_Bend, &A::Ac_Effet_BendRelease};
  for (int k = 0; k < 6; ++k) {
    r.actif(effetsNote[k], noteReelle && guitare);
    r.coche(effetsNote[k], n.Effet == k + 1);
  }
  r.actif(&A::Ac_Effet_LetRing, noteReelle);
  r.coche(&A::Ac_Effet_LetRing, n.Effet == 7);
  r.actif(&A::Ac_Effet_GhostNote, aNote);
  r.coche(&A::Ac_Effet_GhostNote, n.Nuance <= 4);

  const bool effetsTemps = !saisie && !t.Silence && !t.Lie && guitare;
  const struct { TMembreAction membre; int code; } effets[] = {
      {&A::Ac_Effet_VibMainGauche, 1}, {&A::Ac_Effet_TremoloBar, 2}, {&A::Ac_Effet_CoupDeVibrato, 3},
      {&A::Ac_Effet_HarmNat, 8},       {&A::Ac_Effet_HarmArt, 9},    {&A::Ac_Effet_FadeIn, 4},
      {&A::Ac_Effet_TappingMD, 5},     {&A::Ac_Effet_Slap, 6},       {&A::Ac_Effet_Pop, 7}};
  for (const auto& ef : effets) {
    r.actif(ef.membre, effetsTemps);
    r.coche(ef.membre, t.EffetTemps == ef.code);
  }
  r.actif(&A::Ac_Effet_BrushUp, effetsTemps);
  r.coche(&A::Ac_Effet_BrushUp, t.Brush == 1);
  r.actif(&A::Ac_Effet_BrushDown, effetsTemps);
  r.coche(&A::Ac_Effet_BrushDown, t.Brush == 2);
  r.actif(&A::Ac_Effet_GraceNote, effetsTemps);
  r.coche(&A::Ac_Effet_GraceNote, n.FretteGrace > -1);
  r.actif(&A::Ac_Note_Accord, guitare);
  r.actif(&A::Ac_Note_NoteEtouffee, guitare);
  r.actif(&A::Ac_Note_Annotation, !saisie);

  e.PaletteActive = aNote;
  e.PaletteBas = n.Nuance >= 1 && n.Nuance <= 8 ? n.Nuance : 0;
  const TMembreAction dyna[] = {&A::Ac_Dyna_ppp, &A::Ac_Dyna_pp, &A::Ac_Dyna_p,  &A::Ac_Dyna_mp,
                                &A::Ac_Dyna_mf,  &A::Ac_Dyna_f,  &A::Ac_Dyna_ff, &A::Ac_Dyna_fff};
  for (int k = 0; k < 8; ++k) {
    r.actif(dyna[k], aNote);
    r.coche(dyna[k], e.PaletteBas == k + 1);
  }
  r.actif(&A::Ac_Fichier_Enregistrer, ctx.Modifie);
  return e;
}

void AppliquerEtatsCommandes(const TEtatsCommandes& e, TActionsPrincipales& a) {
  for (int i = 0; i < NB_ACTIONS; ++i) {
    QAction* act = a.Action(i);
    if (!act) continue;
    const TEtatCommande& s = e.Actions[i];
    if (s.ChangerActif) act->setEnabled(s.Actif);
    if (s.ChangerCoche && act->isCheckable()) act->setChecked(s.Coche);
  }
}
