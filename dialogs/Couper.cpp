#include "dialogs/Couper.h"

#include <QLabel>
#include <QRadioButton>
#include <QVBoxLayout>

#include "settings/Langue.h"

TCouperForm::TCouperForm(QWidget* parent) : TDialoguePlage(parent, QStringLiteral("CouperForm")) {
  ToutesPistes = new QRadioButton(QStringLiteral("All tracks"), this);
  ToutesPistes->setObjectName(QStringLiteral("ToutesPistes"));
  ToutesPistes->setChecked(true);
  PisteEnCours = new QRadioButton(QStringLiteral("Current track"), this);
  PisteEnCours->setObjectName(QStringLiteral("PisteEnCours"));
  ToutesPistes->setEnabled(false);
  PisteEnCours->setEnabled(false);
  Texte = new QLabel(this);
  Texte->setObjectName(QStringLiteral("Texte"));
  Texte->setWordWrap(true);
  Corps->addWidget(ToutesPistes);
  Corps->addWidget(PisteEnCours);
  Corps->addWidget(Texte);
  QSet<QChar> utilisees;
  TraduireBoutons(utilisees);
  const int gc = TrouverGroupe(QStringLiteral("DLG_COPY_000"));
  if (gc >= 0) {
    ToutesPistes->setText(TexteLigne(gc, 5));
    PisteEnCours->setText(TexteLigne(gc, 6));
  }
  const int g = TrouverGroupe(QStringLiteral("DLG_CUT_000"));
  if (g < 0) return;
  setWindowTitle(TexteLigne(g, 1));
  Lab_Mesure->setText(AjouterRaccourci(TexteLigne(g, 2), utilisees));
  Lab_a->setText(TexteLigne(g, 3));
  Texte->setText(TexteLigne(g, 4) + QLatin1Char(' ') + TexteLigne(g, 5));
}
