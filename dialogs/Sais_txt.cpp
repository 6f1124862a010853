#include "dialogs/Sais_txt.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "editor/Saisie.h"
#include "settings/Langue.h"
#include "settings/LignesLangue.h"

TSais_Txt_Form::TSais_Txt_Form(QWidget* parent) : TDialogueValide(parent, QStringLiteral("Sais_Txt_Form")) {
  auto* ligne = new QHBoxLayout;
  Label = new QLabel(this);
  Ed_Texte = new QLineEdit(this);
  Ed_Texte->setObjectName(QStringLiteral("Ed_Texte"));
  Ed_Texte->setMinimumWidth(260);
  Label->setBuddy(Ed_Texte);
  ligne->addWidget(Label);
  ligne->addWidget(Ed_Texte);
  Corps->addLayout(ligne);
  QSet<QChar> utilisees;
  const int g = TrouverGroupe(LignesTexte::Groupe);
  if (g >= 0) {
    setWindowTitle(TexteLigne(g, LignesTexte::Titre));
    Label->setText(AjouterRaccourci(TexteLigne(g, LignesTexte::Label), utilisees));
  }
  TraduireBoutons(utilisees);
}

void TSais_Txt_Form::showEvent(QShowEvent* e) {
  TDialogueValide::showEvent(e);
  Ed_Texte->setMaxLength(40);
  Ed_Texte->setText(AnsiToQString(TempsCourant().Texte.view()));
  Ed_Texte->setFocus();
  Ed_Texte->selectAll();
}

void TSais_Txt_Form::Ecrire() { Texte = Ed_Texte->text().left(40); }
