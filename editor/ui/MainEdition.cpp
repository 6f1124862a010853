// The Edit menu of the main window: undo, the measure clipboard, insert and clear measures, and
// the mix-table change of the beat.
#include <QAction>
#include <QApplication>
#include <QPushButton>

#include "dialogs/ChgtParam.h"
#include "dialogs/Copier.h"
#include "dialogs/Couper.h"
#include "dialogs/sais_paste.h"
#include "editor/EditionMesures.h"
#include "editor/EditionNotes.h"
#include "editor/state/EtatEdition.h"
#include "editor/state/EtatProgramme.h"
#include "editor/ui/Main.h"
#include "editor/Navigation.h"
#include "platform/Evenements.h"
#include "settings/Langue.h"
#include "settings/Mess.h"

namespace {
// A song-wide command runs under the hourglass.
struct Sablier {
  Sablier() {
    LaisserPasserMessages();
    QApplication::setOverrideCursor(Qt::WaitCursor);
  }
  ~Sablier() { QApplication::restoreOverrideCursor(); }
};
}  // namespace

void TForm1::BrancherCommandesEdition() {
  DefinirExecute(&TForm1::Ac_Edition_Annuler, [this] {
    Modifie = 1;
    AnnulerModification();
    RafraichirActions();
  });
  DefinirExecute(&TForm1::Ac_Edition_Couper, [this] {
    if (LecturePartition()) return;
    TCouperForm dlg(this);
    if (dlg.exec() != QDialog::Accepted) return;
    Sablier s;
    CouperMesures(dlg.Premiere(), dlg.Derniere(), 0);
  });
  DefinirExecute(&TForm1::Ac_Edition_Copier, [this] {
    if (LecturePartition()) return;
    TCopierForm dlg(this);
    dlg.ModeVider = false;
    dlg.Traduire();
    if (dlg.exec() != QDialog::Accepted) return;
    Sablier s;
    CopierMesures(dlg.Premiere(), dlg.Derniere(), dlg.Piste());
  });
  DefinirExecute(&TForm1::Ac_Edition_Vider, [this] {
    if (LecturePartition()) return;
    TCopierForm dlg(this);
    dlg.ModeVider = true;
    dlg.Traduire();
    if (dlg.exec() != QDialog::Accepted) return;
    Sablier s;
    ViderMesures(dlg.Premiere(), dlg.Derniere(), dlg.Piste());
  });
  DefinirExecute(&TForm1::Ac_Edition_Coller, [this] {
    if (LecturePartition() || !PressePapierPlein) return;
    const QString refus = RefusCollage();
    if (!refus.isEmpty()) {
      MessageBoxD(TexteLangue("Dlg-Erreur"), TexteLangue(refus), MB_ICONE_ERREUR, MB_OK, MB_DEF_OK);
      return;
    }
    TSais_Paste_Form dlg(this);
    dlg.PoserQuestion(PisteCopiee == 0, NbMesuresCopiees);
    if (dlg.exec() != QDialog::Accepted) return;
    Sablier s;
    CollerMesures(dlg.Fois(), dlg.Placement());
  });
  DefinirExecute(&TForm1::Ac_Edition_Inserer, [this] {
    if (LecturePartition()) return;
    Sablier s;
    InsererMesure();
  });
  DefinirExecute(&TForm1::Ac_Edition_TableMix, [this] {
    TChgtParamForm dlg(this);
    if (dlg.exec() != QDialog::Accepted) return;
    // The undo copy is taken before the change is written, so that undo takes it back.
    EcrireTableMix(dlg.AvecChangement ? &dlg.Resultat : nullptr);
    RafraichirActions();
  });
}
