// The Bar menu of the main window.
#include "editor/Main.h"
#include "editor/Navigation.h"

void TForm1::BrancherCommandesMesure() {
  const struct {
    const char* nom;
    void (*op)();
  } simples[] = {{"Ac_Mesure_Premiere", PremiereMesure}, {"Ac_Mesure_Precedente", MesurePrecedente},
                 {"Ac_Mesure_AllerA", AllerAMesure},     {"Ac_Mesure_Suivante", MesureSuivante},
                 {"Ac_Mesure_Derniere", DerniereMesure}};
  for (const auto& s : simples) DefinirExecute(s.nom, PuisRafraichir(s.op));
}
