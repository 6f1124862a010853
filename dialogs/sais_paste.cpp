#include "dialogs/sais_paste.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QToolButton>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QVBoxLayout>

#include "editor/state/EtatEdition.h"
#include "editor/state/Partition.h"
#include "settings/Langue.h"
#include "settings/LignesLangue.h"

TSais_Paste_Form::TSais_Paste_Form(QWidget* parent) : TDialogueValide(parent, QStringLiteral("Sais_Paste_Form")) {
  BT_Oui->setObjectName(QStringLiteral("BT_Oui"));
  BT_Non->setObjectName(QStringLiteral("BT_Non"));
  auto* haut = new QHBoxLayout;
  auto* image = new QLabel(this);
  image->setObjectName(QStringLiteral("Image_Conf"));
  image->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxQuestion).pixmap(32, 32));
  Question = new QLabel(this);
  Question->setObjectName(QStringLiteral("Question"));
  Question->setWordWrap(true);
  haut->addWidget(image, 0, Qt::AlignTop);
  haut->addWidget(Question, 1);
  Corps->addLayout(haut);
  PasteRB1 = new QRadioButton(this);
  PasteRB1->setObjectName(QStringLiteral("PasteRB1"));
  PasteRB1->setChecked(true);
  PasteRB2 = new QRadioButton(this);
  PasteRB2->setObjectName(QStringLiteral("PasteRB2"));
  PasteRB3 = new QRadioButton(this);
  PasteRB3->setObjectName(QStringLiteral("PasteRB3"));
  for (QRadioButton* r : {PasteRB1, PasteRB2, PasteRB3}) {
    Corps->addWidget(r);
    connect(r, &QRadioButton::toggled, this, [this] { Ed_NbPaste->SetBornes(1, std::max(1, FoisMax())); });
  }
  auto* ligne = new QHBoxLayout;
  LibNbFois = new QLabel(this);
  LibNbFois->setObjectName(QStringLiteral("LibNbFois"));
  Ed_NbPaste = new TChampNumerique(this, QStringLiteral("Ed_NbPaste"), ProfilRepetition::EntierLent, 1, 999, 1, 3);
  Ed_NbPaste->Haut->setObjectName(QStringLiteral("NbPasteUp"));
  Ed_NbPaste->Bas->setObjectName(QStringLiteral("NbPasteDown"));
  Ed_NbPaste->SetTexte(QStringLiteral("1"));
  LibNbFois->setBuddy(Ed_NbPaste->Edit);
  ligne->addWidget(LibNbFois);
  ligne->addWidget(Ed_NbPaste);
  ligne->addStretch();
  Corps->addLayout(ligne);

  QSet<QChar> utilisees;
  const int d = TrouverGroupe(LignesDlg::Groupe);
  if (d >= 0) {
    BT_Oui->setText(AjouterRaccourci(TexteLigne(d, LignesDlg::Oui), utilisees));
    BT_Non->setText(AjouterRaccourci(TexteLigne(d, LignesDlg::Non), utilisees));
  }
  const int g = TrouverGroupe(QStringLiteral("DLG_PASTE_000"));
  if (g >= 0) {
    setWindowTitle(TexteLigne(g, 1));
    QuestionUnePiste = RemplacerTexte(TexteLigne(g, 2), QStringLiteral("%s"), QStringLiteral("#1"));
    QuestionToutesPistes = RemplacerTexte(TexteLigne(g, 3), QStringLiteral("%s"), QStringLiteral("#1"));
    PasteRB1->setText(AjouterRaccourci(TexteLigne(g, 4), utilisees));
    PasteRB2->setText(AjouterRaccourci(TexteLigne(g, 5), utilisees));
    PasteRB3->setText(AjouterRaccourci(TexteLigne(g, 6), utilisees));
    LibNbFois->setText(AjouterRaccourci(TexteLigne(g, 7), utilisees));
  }
}

void TSais_Paste_Form::PoserQuestion(bool toutesPistes, int nbMesures) {
  Question->setText(RemplacerParam1(toutesPistes ? QuestionToutesPistes : QuestionUnePiste, nbMesures));
}

PlacementCollage TSais_Paste_Form::Placement() const {
  if (PasteRB2->isChecked()) return PlacementCollage::Inserer;
  if (PasteRB3->isChecked()) return PlacementCollage::Fin;
  return PlacementCollage::Remplacer;
}

int TSais_Paste_Form::FoisMax() const {
  if (NbMesuresCopiees < 1) return 999;
  int n = 999;
  while (n > 0 && MesuresApresCollage(n, Placement()) > NB_MESURES_MAX) --n;
  return n;
}

void TSais_Paste_Form::showEvent(QShowEvent* e) {
  TDialogueValide::showEvent(e);
  Ed_NbPaste->SetBornes(1, std::max(1, FoisMax()));
  BT_Oui->setFocus();
}

bool TSais_Paste_Form::Valider() {
  bool ok = false;
  const int n = Ed_NbPaste->ValeurEntiere(&ok);
  if (!ok || n < 1 || n > 999) return Refuser(Ed_NbPaste);
  // A count that would take the song past 1000 measures is refused with the song's limit.
  if (n > FoisMax()) {
    RefuserSiTropDeMesures(MesuresApresCollage(n, Placement()) - Partition.NbMesures);
    Ed_NbPaste->Selectionner();
    return false;
  }
  return true;
}
