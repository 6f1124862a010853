// The Edit menu of the main window.
#include "editor/EtatProgramme.h"
#include "editor/Main.h"
#include "editor/Navigation.h"

void TForm1::BrancherCommandesEdition() {
  DefinirExecute("Ac_Edition_Annuler", [this] {
    Modifie = 1;
    AnnulerModification();
    RafraichirActions();
  });
}
