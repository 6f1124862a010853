// The Note, Effects and Dynamics commands of the main window.
#include <QAction>
#include <QToolButton>
#include <memory>

#include "chords/ui/Sais_ac.h"
#include "dialogs/Brush.h"
#include "dialogs/Dyna.h"
#include "dialogs/GraceNote.h"
#include "dialogs/LetRingAssistant.h"
#include "dialogs/Sais_cvb.h"
#include "dialogs/Sais_rel.h"
#include "dialogs/Sais_txt.h"
#include "editor/Curseur.h"
#include "editor/EditionNotes.h"
#include "editor/state/EtatEdition.h"
#include "editor/state/EtatProgramme.h"
#include "editor/ui/Main.h"
#include "editor/Navigation.h"
#include "editor/state/Notificateur.h"
#include "editor/Saisie.h"
#include "editor/EditZoneModel.h"
#include "editor/state/RedessinSaisie.h"
#include "settings/Config.h"
#include "song/Song.h"
#include "view/ui/PanelZoneAffScroll.h"

void TForm1::BrancherCommandesNotes() {
  const struct {
    TMembreAction action;
    void (*op)();
  } simples[] = {{&TForm1::Ac_Note_NoteEtouffee, SaisirNoteEtouffee}, {&TForm1::Ac_Note_Silence, PoserSilence},
                 {&TForm1::Ac_Note_Triolet, BasculerTriolet},        {&TForm1::Ac_Note_InsererTemps, InsererTemps},
                 {&TForm1::Ac_Note_CopierTempsfin, CopierTempsFin},  {&TForm1::Ac_Note_DeplacerHaut, DeplacerNoteHaut},
                 {&TForm1::Ac_Note_DeplacerBas, DeplacerNoteBas}};
  for (const auto& s : simples) DefinirExecute(s.action, PuisRafraichir(s.op));
  DefinirExecute(&TForm1::Ac_Note_SupprimerTemps, [this] {
    TempsSupprimeLie = TempsCourant().Lie;
    SupprimerTemps();
    RafraichirActions();
  });
  DefinirExecute(&TForm1::Ac_Note_Lier, [this] {
    SauverAnnulation();
    TempsCourant().Lie = !TempsCourant().Lie;
    AppliquerLiaison();
    RafraichirActions();
  });
  const TMembreAction durees[] = {&TForm1::Ac_Note_Ronde,   &TForm1::Ac_Note_Blanche, &TForm1::Ac_Note_Noire,
                                  &TForm1::Ac_Note_Croche,  &TForm1::Ac_Note_DCroche, &TForm1::Ac_Note_TCroche,
                                  &TForm1::Ac_Note_QCroche};
  for (int k = 0; k < 7; ++k) DefinirExecute(durees[k], [this, k] { NoteDureeExecute(k - 2); });
  DefinirExecute(&TForm1::Ac_Note_Pointee, [this] { Ac_Note_PointeeExecute(); });
  // The chord dialog on the beat under the cursor; its chord-name row and the score view follow.
  // Only that row is drawn again: a whole redraw of the edit zone would end the undo copy that the
  // command took, and Undo must be able to take the chord back.
  DefinirExecute(&TForm1::Ac_Note_Accord, [this] {
    ExecuterDialogueAccord(this);
    // The dialog may have added or removed diagrams of the strip above the score, whatever it
    // answered: the strip takes its new height, the scroll range follows and the strip is drawn.
    if (ZoneAffScroll) {
      ZoneAffScroll->DessinerBandeDiagrammes();
      ZoneAffScroll->MajBarreDefilement();
      ZoneAffScroll->DefilerVuePartition();
    }
    DessinerLigneAccords();
    emit Notificateur().mesureModifiee(Partition.MesureCourante);
    RafraichirActions();
  });
  for (const TDefAction& d : TableActions) {
    QAction* act = this->*d.Membre;
    switch (d.Execute) {
      case TExecute::Propre: break;
      case TExecute::Effet_HO: DefinirExecute(d.Membre, [this, act] { Ac_Effet_HOExecute(act); }); break;
      case TExecute::Effet_VibMainGauche:
        DefinirExecute(d.Membre, [this, act] { Ac_Effet_VibMainGaucheExecute(act); });
        break;
      case TExecute::Effet_BrushUp: DefinirExecute(d.Membre, [this, act] { BrushExecute(act); }); break;
    }
  }
  BrancherCommandesEffets();
}

// The effect commands that ask for a value, the grace note, the ghost note, the dynamics and the
// let-ring assistant.
void TForm1::BrancherCommandesEffets() {
  DefinirExecute(&TForm1::Ac_Note_Annotation, [this] {
    SauverAnnulation();
    TSais_Txt_Form dlg(this);
    if (dlg.exec() == QDialog::Accepted) EcrireTexte(dlg.Texte);
    DessinerLigneTextes();
    RafraichirActions();
  });
  // Bends: setting one asks for its amount, written with the effect after the undo copy.
  auto bend = [this](QAction* act, bool release) {
    if (act->isChecked()) {
      Ac_Effet_HOExecute(act);  // removed without a dialog
      return;
    }
    std::unique_ptr<TSais_Bend_Form> dlg(release ? new TSais_Release_Form(this) : new TSais_Bend_Form(this));
    if (dlg->exec() == QDialog::Accepted) {
      PoserBend(act->data().toInt(), dlg->Valeur);
      if (Ac_Son_JouerSaisie->isChecked() && MIDIDisponible) VueEditeur().PlayCurrentBeat();
    }
    RafraichirActions();
  };
  DefinirExecute(&TForm1::Ac_Effet_Bend, [this, bend] { bend(Ac_Effet_Bend, false); });
  DefinirExecute(&TForm1::Ac_Effet_BendRelease, [this, bend] { bend(Ac_Effet_BendRelease, true); });
  DefinirExecute(&TForm1::Ac_Effet_CoupDeVibrato, [this] {
    if (Ac_Effet_CoupDeVibrato->isChecked()) {
      Ac_Effet_VibMainGaucheExecute(Ac_Effet_CoupDeVibrato);
      return;
    }
    TSais_CoupVib_Form dlg(this);
    if (dlg.exec() == QDialog::Accepted) {
      PoserCoupVibrato(dlg.Valeur);
      if (Ac_Son_JouerSaisie->isChecked() && MIDIDisponible) VueEditeur().PlayCurrentBeat();
    }
    RafraichirActions();
  });
  DefinirExecute(&TForm1::Ac_Effet_GraceNote, [this] {
    const bool poser = !Ac_Effet_GraceNote->isChecked();
    // The undo copy comes first: the dialog writes the grace note while it previews it.
    SauverAnnulation();
    if (poser) {
      const TNote& n = NoteCourante();
      TGraceNoteForm dlg(this);
      dlg.Nuance = n.FretteGrace >= 0 ? n.NuanceGrace : n.Nuance;
      dlg.Preparer();
      if (dlg.exec() != QDialog::Accepted) {
        RafraichirActions();  // the note is as it was
        return;
      }
    } else {
      RetirerGraceNote();
    }
    RedessinerTemps(Curseur.Temps);
    if (Ac_Son_JouerSaisie->isChecked() && MIDIDisponible && !Configuration.EcouterGraceNote)
      VueEditeur().PlayCurrentBeat();
    RafraichirActions();
  });
  DefinirExecute(&TForm1::Ac_Effet_GhostNote, [this] {
    DynamiqueExecute(Ac_Effet_GhostNote->isChecked() ? NUANCE_NON_FANTOME : NUANCE_FANTOME);
  });
  const TMembreAction dyna[] = {&TForm1::Ac_Dyna_ppp, &TForm1::Ac_Dyna_pp, &TForm1::Ac_Dyna_p,  &TForm1::Ac_Dyna_mp,
                                &TForm1::Ac_Dyna_mf,  &TForm1::Ac_Dyna_f,  &TForm1::Ac_Dyna_ff, &TForm1::Ac_Dyna_fff};
  for (int k = 1; k <= 8; ++k)
    DefinirExecute(dyna[k - 1], [this, k] {
      // The command stands for the palette's button and does nothing while that is disabled.
      if (DynaForm && !DynaForm->BT_DynaNote[k]->isEnabled()) return;
      DynamiqueExecute(k);
    });
  DefinirExecute(&TForm1::Ac_Ass_LetRingSelector, [this] {
    TLetRingAssistantForm dlg(this);
    dlg.exec();  // OK did the work and refreshed
    RafraichirActions();
  });
}

void TForm1::DynamiqueExecute(int k) {
  if (DynaForm) {
    DynaForm->BT_DynaNote_1Click(k);
    return;
  }
  PoserNuance(k, false);
  if (Ac_Son_JouerSaisie->isChecked() && MIDIDisponible) VueEditeur().PlayCurrentBeat();
  RafraichirActions();
}

// Strums: the sender's own strum is removed; otherwise the dialog previews the chosen length, OK
// keeps it and Cancel removes the beat's strum, one of the other direction too.
void TForm1::BrushExecute(QAction* sender) {
  SauverAnnulation();
  if (sender->isChecked()) {
    EcrireBrush(0, TempsCourant().VitesseBrush);
  } else {
    TBrushForm dlg(this);
    dlg.Direction = sender->data().toInt();
    if (dlg.exec() != QDialog::Accepted) {
      // Cancel leaves the beat without a strum, an earlier one of the other direction too.
      EcrireBrush(0, TempsCourant().VitesseBrush);
      RedessinerEffetsCourants();
      RafraichirActions();
      return;
    }
  }
  RedessinerEffetsCourants();
  if (Ac_Son_JouerSaisie->isChecked() && MIDIDisponible && !Configuration.EcouterBrush) VueEditeur().PlayCurrentBeat();
  RafraichirActions();
}

void TForm1::NoteDureeExecute(int code) {
  PoserDuree(code);
  RafraichirActions();
}

void TForm1::Ac_Note_PointeeExecute() {
  SauverAnnulation();
  TTemps& t = TempsCourant();
  t.Duree = static_cast<int32_t>(std::nearbyint(t.Pointee ? t.Duree * 2.0 / 3.0 : t.Duree * 3.0 / 2.0));
  RedessinerTemps(Curseur.Temps);
  t.Pointee = !t.Pointee;
  RegrouperRythme(0);
  RafraichirActions();
}

void TForm1::Ac_Effet_HOExecute(QAction* sender) {
  const int code = sender->data().toInt();
  sender->setChecked(!sender->isChecked());
  PoserEffetNote(code, sender->isChecked());
  if (Ac_Son_JouerSaisie->isChecked() && code > 2 && MIDIDisponible) VueEditeur().PlayCurrentBeat();
  RafraichirActions();
}

void TForm1::Ac_Effet_VibMainGaucheExecute(QAction* sender) {
  const int code = sender->data().toInt();
  sender->setChecked(!sender->isChecked());
  PoserEffetTemps(code, sender->isChecked());
  if (Ac_Son_JouerSaisie->isChecked() && MIDIDisponible && (code <= 4 || code >= 8))
    VueEditeur().PlayCurrentBeat();
  RafraichirActions();
}

void TForm1::BT_DynaFormClick() {
  if (!DynaForm) return;
  if (DynaForm->isVisible()) DynaForm->close();
  else DynaForm->show();
}
