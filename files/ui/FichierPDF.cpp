#include "files/ui/FichierPDF.h"

#include "components/DialogueNomFichier.h"
#include "files/FileCommands.h"

namespace {

TDialogueFichierPDF& Dialogue() {
  static TDialogueFichierPDF d;
  return d;
}

QString DialogueReel(QWidget* parent, const QString& titre, const QString& propose) {
  return NomFichierAEnregistrer(parent, titre, propose, QStringLiteral("PDF (*.pdf)"));
}

}  // namespace

void InstallerDialogueFichierPDF(TDialogueFichierPDF dialogue) { Dialogue() = std::move(dialogue); }

QString DemanderFichierPDF(QWidget* parent, const QString& titre, const QString& nomPropose) {
  const QString propose =
      nomPropose.isEmpty() ? QString() : CheminDansRepertoire(NomFichierValide(nomPropose) + QStringLiteral(".pdf"));
  const QString nom =
      RetenirDossier(Dialogue() ? Dialogue()(parent, titre, propose) : DialogueReel(parent, titre, propose));
  return FichierAEcrire(nom, QStringLiteral(".pdf"));
}
