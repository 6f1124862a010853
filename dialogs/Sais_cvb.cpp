#include "dialogs/Sais_cvb.h"

#include "editor/state/Partition.h"
#include "editor/Saisie.h"
#include "settings/LignesLangue.h"

bool CoupVibratoValide(const QString& texte) {
  const QString t = texte.trimmed();
  if (t.isEmpty()) return false;
  QString debut = t.left(3);
  debut.replace(',', '.');
  if (debut.count('.') >= 2) return false;
  const double v = TexteEnReel(t);
  return v > 0 && v <= 6;
}

TSais_CoupVib_Form::TSais_CoupVib_Form(QWidget* parent)
    : TDialogueValeur(parent, QStringLiteral("Sais_CoupVib_Form"), QStringLiteral("Ed_CVB"), ProfilRepetition::Reel,
                      0.5, 6, 0.5, 3) {
  Traduire(LignesCoupVib::Groupe, LignesCoupVib::Titre, LignesCoupVib::Label);
}

void TSais_CoupVib_Form::Initialiser() { Champ->SetValeur(TempsCourant().CoupVibrato); }

bool TSais_CoupVib_Form::Valider() { return CoupVibratoValide(Champ->Texte()) || Refuser(Champ); }

void TSais_CoupVib_Form::Ecrire() { Valeur = TexteEnReel(Champ->Texte()); }
