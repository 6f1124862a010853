// The Bar menu of the main window.
#include <QAction>

#include "dialogs/Sais_nrp.h"
#include "dialogs/Sais_nrv.h"
#include "dialogs/Sais_sig.h"
#include "editor/EditionMesures.h"
#include "editor/state/EtatProgramme.h"
#include "editor/ui/Main.h"
#include "editor/Navigation.h"

void TForm1::BrancherCommandesMesure() {
  const struct {
    TMembreAction action;
    void (*op)();
  } simples[] = {{&TForm1::Ac_Mesure_Premiere, PremiereMesure}, {&TForm1::Ac_Mesure_Precedente, MesurePrecedente},
                 {&TForm1::Ac_Mesure_AllerA, AllerAMesure},     {&TForm1::Ac_Mesure_Suivante, MesureSuivante},
                 {&TForm1::Ac_Mesure_Derniere, DerniereMesure}};
  for (const auto& s : simples) DefinirExecute(s.action, PuisRafraichir(s.op));

  DefinirExecute(&TForm1::Ac_Mesure_Signature, [this] {
    if (LecturePartition()) return;
    TSais_Signat_Form dlg(this);
    if (dlg.exec() != QDialog::Accepted) return;  // OK wrote the signature and refreshed
    RafraichirActions();
    if (PleinEcranActif) ValiderMesure();
  });
  DefinirExecute(&TForm1::Ac_Mesure_RenvoiDebut, [] { BasculerRenvoiDebut(); });
  DefinirExecute(&TForm1::Ac_Mesure_RenvoiFin, [this] {
    const bool poser = !Ac_Mesure_RenvoiFin->isChecked();
    if (!poser) {
      PoserRenvoiFin(false, 1);
      return;
    }
    // A repeat-close inside an alternate ending is played once: no count to ask.
    if (RenvoiFinDansRepetition()) {
      PoserRenvoiFin(true, 1);
      return;
    }
    TSais_NbRenvFin_Form dlg(this);
    if (dlg.exec() == QDialog::Accepted)
      PoserRenvoiFin(true, dlg.NbRenvois);
    else
      RafraichirActions();  // unchecked again, the measure unchanged
  });
  DefinirExecute(&TForm1::Ac_Mesure_Repetitions, [this] {
    if (Ac_Mesure_Repetitions->isChecked()) {
      PoserRepetition(false, 1);
      return;
    }
    TSais_NbRepet_Form dlg(this);
    dlg.Proposer(NumeroRenvoi(Partition.MesureCourante));
    if (dlg.exec() == QDialog::Accepted)
      PoserRepetition(true, dlg.Numero);
    else
      RafraichirActions();
  });
}
