#include "editor/ui/EtatsCommandes.h"

#include <QAction>
#include <QSignalBlocker>

#include "song/Song.h"
#include "editor/state/EtatEdition.h"
#include "editor/state/EtatProgramme.h"

const TEtatCommande& TEtatsCommandes::operator[](const char* nom) const {
  static const TEtatCommande vide;
  int i = IndiceActionParNom(QLatin1String(nom));
  return i < 0 ? vide : Actions[i];
}

namespace {
struct Regles {
  TEtatsCommandes& e;
  void actif(const char* nom, bool v) {
    int i = IndiceActionParNom(QLatin1String(nom));
    if (i < 0) return;  // a misspelt name must not write before the table
    e.Actions[i].ChangerActif = true;
    e.Actions[i].Actif = v;
  }
  void coche(const char* nom, bool v) {
    int i = IndiceActionParNom(QLatin1String(nom));
    if (i < 0) return;
    e.Actions[i].ChangerCoche = true;
    e.Actions[i].Coche = v;
  }
};
}  // namespace

TEtatsCommandes CalculerEtatsCommandes(const TPartition& p, const TCurseur& c, int piste, const TContexteEtats& ctx) {
  TEtatsCommandes e;
  Regles r{e};
  r.actif("Ac_Ass_Percussion", piste == PISTE_PERCUSSION);
  r.actif("Ac_Edition_Coller", ctx.PressePapierPlein);
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

  r.actif("Ac_Mesure_Precedente", p.MesureCourante > 1);
  r.actif("Ac_Mesure_Suivante", true);
  e.ChangerValider = true;
  e.ValiderActif = ctx.AnnulerMesureActif;

  r.actif("Ac_Note_Ronde", !t.Triolet && !t.Pointee);
  r.coche("Ac_Note_Ronde", code == -2);
  r.coche("Ac_Note_Blanche", code == -1);
  r.coche("Ac_Note_Noire", code == 0);
  r.coche("Ac_Note_Croche", code == 1);
  r.actif("Ac_Note_DCroche", true);
  r.coche("Ac_Note_DCroche", code == 2);
  r.actif("Ac_Note_TCroche", !t.Triolet);
  r.coche("Ac_Note_TCroche", code == 3);
  r.actif("Ac_Note_QCroche", !t.Triolet);
  r.coche("Ac_Note_QCroche", code == 4);
  r.actif("Ac_Note_Pointee", !t.Triolet && code != -2 && !t.Silence);
  r.coche("Ac_Note_Pointee", t.Pointee);
  r.actif("Ac_Note_Silence", !t.Pointee);
  r.actif("Ac_Note_Triolet", !t.Pointee && code >= -1 && code <= 2);
  r.coche("Ac_Note_Triolet", t.Triolet);
  r.coche("Ac_Note_Lier", t.Lie);
  for (const char* nom : {"Ac_Note_InsererTemps", "Ac_Note_SupprimerTemps", "Ac_Note_CopierTempsfin"})
    r.actif(nom, !saisie);
  r.actif("Ac_Note_DeplacerHaut", noteReelle);
  r.actif("Ac_Note_DeplacerBas", noteReelle);
  r.coche("Ac_Mesure_RenvoiDebut", m->RenvoiDebut);
  r.coche("Ac_Mesure_RenvoiFin", m->RenvoiFin);
  r.coche("Ac_Mesure_Repetitions", m->Repetition);

  const char* effetsNote[] = {"Ac_Effet_HO", "Ac_Effet_PO", "Ac_Effet_SlideUp", "Ac_Effet_SlideDown", "Ac_Effet_Bend",
                              "Ac_Effet_BendRelease"};
  for (int k = 0; k < 6; ++k) {
    r.actif(effetsNote[k], noteReelle && guitare);
    r.coche(effetsNote[k], n.Effet == k + 1);
  }
  r.actif("Ac_Effet_LetRing", noteReelle);
  r.coche("Ac_Effet_LetRing", n.Effet == 7);
  r.actif("Ac_Effet_GhostNote", aNote);
  r.coche("Ac_Effet_GhostNote", n.Nuance <= 4);

  const bool effetsTemps = !saisie && !t.Silence && !t.Lie && guitare;
  const struct { const char* nom; int code; } effets[] = {
      {"Ac_Effet_VibMainGauche", 1}, {"Ac_Effet_TremoloBar", 2}, {"Ac_Effet_CoupDeVibrato", 3},
      {"Ac_Effet_HarmNat", 8},       {"Ac_Effet_HarmArt", 9},    {"Ac_Effet_FadeIn", 4},
      {"Ac_Effet_TappingMD", 5},     {"Ac_Effet_Slap", 6},       {"Ac_Effet_Pop", 7}};
  for (const auto& ef : effets) {
    r.actif(ef.nom, effetsTemps);
    r.coche(ef.nom, t.EffetTemps == ef.code);
  }
  r.actif("Ac_Effet_BrushUp", effetsTemps);
  r.coche("Ac_Effet_BrushUp", t.Brush == 1);
  r.actif("Ac_Effet_BrushDown", effetsTemps);
  r.coche("Ac_Effet_BrushDown", t.Brush == 2);
  r.actif("Ac_Effet_GraceNote", effetsTemps);
  r.coche("Ac_Effet_GraceNote", n.FretteGrace > -1);
  r.actif("Ac_Note_Accord", guitare);
  r.actif("Ac_Note_NoteEtouffee", guitare);
  r.actif("Ac_Note_Annotation", !saisie);

  e.PaletteActive = aNote;
  e.PaletteBas = n.Nuance >= 1 && n.Nuance <= 8 ? n.Nuance : 0;
  const char* dyna[] = {"Ac_Dyna_ppp", "Ac_Dyna_pp", "Ac_Dyna_p", "Ac_Dyna_mp",
                        "Ac_Dyna_mf",  "Ac_Dyna_f",  "Ac_Dyna_ff", "Ac_Dyna_fff"};
  for (int k = 0; k < 8; ++k) {
    r.actif(dyna[k], aNote);
    r.coche(dyna[k], e.PaletteBas == k + 1);
  }
  r.actif("Ac_Fichier_Enregistrer", ctx.Modifie);
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
