// The Note, Effects and Dynamics commands of the main window.
#include <QAction>

#include "chords/Sais_ac.h"
#include "dialogs/Dyna.h"
#include "editor/Curseur.h"
#include "editor/EtatEdition.h"
#include "editor/EtatProgramme.h"
#include "editor/Main.h"
#include "editor/Navigation.h"
#include "editor/Notificateur.h"
#include "editor/Saisie.h"
#include "editor/ZoneSaisie.h"
#include "song/Song.h"

namespace {
void RedessinerEffets() {
  if (Curseur.RedessinTemps) {
    Curseur.RedessinTemps = 0;
    DessinerTemps(CanvasSaisie, Curseur, Partition.MesureCourante, PisteCourante, Curseur.Temps);
  }
  DessinerEffetsTemps(Curseur.Temps, true);
}
}  // namespace

void TForm1::BrancherCommandesNotes() {
  const struct {
    const char* nom;
    void (*op)();
  } simples[] = {{"Ac_Note_NoteEtouffee", SaisirNoteEtouffee}, {"Ac_Note_Silence", PoserSilence},
                 {"Ac_Note_Triolet", BasculerTriolet},        {"Ac_Note_InsererTemps", InsererTemps},
                 {"Ac_Note_CopierTempsfin", CopierTempsFin},  {"Ac_Note_DeplacerHaut", DeplacerNoteHaut},
                 {"Ac_Note_DeplacerBas", DeplacerNoteBas}};
  for (const auto& s : simples) DefinirExecute(s.nom, PuisRafraichir(s.op));
  DefinirExecute("Ac_Note_SupprimerTemps", [this] {
    TempsSupprimeLie = TempsCourant().Lie;
    SupprimerTemps();
    RafraichirActions();
  });
  DefinirExecute("Ac_Note_Lier", [this] {
    SauverAnnulation();
    TempsCourant().Lie = !TempsCourant().Lie;
    AppliquerLiaison();
    RafraichirActions();
  });
  const char* durees[] = {"Ac_Note_Ronde", "Ac_Note_Blanche", "Ac_Note_Noire", "Ac_Note_Croche",
                          "Ac_Note_DCroche", "Ac_Note_TCroche", "Ac_Note_QCroche"};
  for (int k = 0; k < 7; ++k) DefinirExecute(durees[k], [this, k] { NoteDureeExecute(k - 2); });
  DefinirExecute("Ac_Note_Pointee", [this] { Ac_Note_PointeeExecute(); });
  // The chord dialog on the beat under the cursor; the edit zone and the score view follow.
  DefinirExecute("Ac_Note_Accord", [this] {
    ExecuterDialogueAccord(this);
    RafraichirZoneSaisie();
    emit Notificateur().mesureModifiee(Partition.MesureCourante);
    RafraichirActions();
  });
  for (const TDefAction& d : TableActions) {
    const QString h = QString::fromLatin1(d.Execute);
    QAction* act = this->*d.Membre;
    if (h == "Ac_Effet_HOExecute") DefinirExecute(d.Nom, [this, act] { Ac_Effet_HOExecute(act); });
    if (h == "Ac_Effet_VibMainGaucheExecute") DefinirExecute(d.Nom, [this, act] { Ac_Effet_VibMainGaucheExecute(act); });
  }
}

void TForm1::NoteDureeExecute(int code) {
  static const int ticks[7][3] = {{1920, 1920, 1920}, {960, 1440, 640}, {480, 720, 320}, {240, 360, 160},
                                  {120, 180, 80},     {60, 90, 60},     {30, 45, 30}};
  SauverAnnulation();
  TTemps& t = TempsCourant();
  t.Duree = ticks[code + 2][t.Triolet ? 2 : t.Pointee ? 1 : 0];
  t.CodeDuree = static_cast<int8_t>(code);
  if (t.Triolet && code >= -1 && code <= 2) {
    PropagerDureeTriolet();
    const int debut = Curseur.Temps - t.PlaceTriolet + 1;
    for (int b = debut; b <= debut + 2; ++b)
      if (b >= 1 && b <= NbTempsCourant() + 1) DessinerTemps(CanvasSaisie, Curseur, Partition.MesureCourante, PisteCourante, b);
  } else {
    DessinerTemps(CanvasSaisie, Curseur, Partition.MesureCourante, PisteCourante, Curseur.Temps);
  }
  RegrouperRythme(0);
  RafraichirActions();
}

void TForm1::Ac_Note_PointeeExecute() {
  SauverAnnulation();
  TTemps& t = TempsCourant();
  t.Duree = static_cast<int32_t>(std::nearbyint(t.Pointee ? t.Duree * 2.0 / 3.0 : t.Duree * 3.0 / 2.0));
  DessinerTemps(CanvasSaisie, Curseur, Partition.MesureCourante, PisteCourante, Curseur.Temps);
  t.Pointee = !t.Pointee;
  RegrouperRythme(0);
  RafraichirActions();
}

void TForm1::Ac_Effet_HOExecute(QAction* sender) {
  const int code = sender->data().toInt();
  sender->setChecked(!sender->isChecked());
  SauverAnnulation();
  TempsCourant().Notes[std::clamp(Curseur.Corde, 1, NB_CORDES_MAX)].Effet =
      static_cast<int8_t>(sender->isChecked() ? code : 0);
  RedessinerEffets();
  if (Ac_Son_JouerSaisie->isChecked() && code > 2 && MIDIDisponible) VueEditeur().PlayCurrentBeat();
  RafraichirActions();
}

void TForm1::Ac_Effet_VibMainGaucheExecute(QAction* sender) {
  const int code = sender->data().toInt();
  sender->setChecked(!sender->isChecked());
  SauverAnnulation();
  TempsCourant().EffetTemps = static_cast<int8_t>(sender->isChecked() ? code : 0);
  RedessinerEffets();
  if (Ac_Son_JouerSaisie->isChecked() && MIDIDisponible && (code <= 4 || code >= 8))
    VueEditeur().PlayCurrentBeat();
  RafraichirActions();
}

void TForm1::BT_DynaFormClick() {
  if (!DynaForm) return;
  if (DynaForm->isVisible()) DynaForm->close();
  else DynaForm->show();
}
