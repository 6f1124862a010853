#include "dialogs/Sais_ben.h"

#include "editor/EditionNotes.h"
#include "settings/LignesLangue.h"

TSais_Bend_Form::TSais_Bend_Form(QWidget* parent)
    : TSais_Bend_Form(parent, QStringLiteral("Sais_Bend_Form"), QStringLiteral("Ed_Bend"), LignesBend::TitreBend) {}

TSais_Bend_Form::TSais_Bend_Form(QWidget* parent, const QString& nom, const QString& nomChamp, int ligneTitre)
    : TDialogueValeur(parent, nom, nomChamp, ProfilRepetition::Reel, 0.25, 3, 0.25, 4) {
  Traduire(LignesBend::Groupe, ligneTitre, LignesBend::Valeur);
}

void TSais_Bend_Form::Initialiser() { Champ->SetValeur(NoteCourante().Bend); }

bool TSais_Bend_Form::Valider() {
  bool ok = false;
  const double v = Champ->Valeur(&ok);
  return (ok && v >= 0.25 && v <= 3) || Refuser(Champ);
}
