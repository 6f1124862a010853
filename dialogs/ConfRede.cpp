#include "dialogs/ConfRede.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

#include "settings/Aide.h"
#include "settings/Langue.h"
#include "settings/LignesLangue.h"
#include "settings/Mess.h"

TConfRedecForm::TConfRedecForm(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("ConfRedecForm"));
  setWindowTitle(QStringLiteral("Confirmation"));
  auto* haut = new QHBoxLayout;
  Image_Conf = new QLabel(this);
  Image_Conf->setObjectName(QStringLiteral("Image_Conf"));
  Image_Conf->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxQuestion).pixmap(32, 32));
  Lab_Redec = new QLabel(QStringLiteral("Re-cut the bars of the current track?"), this);
  Lab_Redec->setObjectName(QStringLiteral("Lab_Redec"));
  Lab_Redec->setWordWrap(true);
  Lab_Redec->setMinimumWidth(220);
  haut->addWidget(Image_Conf, 0, Qt::AlignTop);
  haut->addWidget(Lab_Redec, 1);
  auto* boutons = new QHBoxLayout;
  BT_Oui = new QPushButton(QStringLiteral("Yes"), this);
  BT_Oui->setObjectName(QStringLiteral("BT_Oui"));
  BT_Oui->setDefault(true);
  BT_Non = new QPushButton(QStringLiteral("No"), this);
  BT_Non->setObjectName(QStringLiteral("BT_Non"));
  BT_Aide = new QPushButton(QStringLiteral("Help"), this);
  BT_Aide->setObjectName(QStringLiteral("BT_Aide"));
  boutons->addStretch();
  for (QPushButton* b : {BT_Oui, BT_Non, BT_Aide}) boutons->addWidget(b);
  auto* corps = new QVBoxLayout(this);
  corps->addLayout(haut);
  corps->addLayout(boutons);
  connect(BT_Oui, &QPushButton::clicked, this, [this] { done(ID_OUI); });
  connect(BT_Non, &QPushButton::clicked, this, [this] { done(ID_NON); });
  connect(BT_Aide, &QPushButton::clicked, this, [] { OuvrirAide(QStringLiteral("ConfRede")); });
  Traduire();
}

void TConfRedecForm::Traduire() {
  QSet<QChar> utilisees;
  if (const int d = TrouverGroupe(LignesDlg::Groupe); d >= 0) {
    BT_Oui->setText(AjouterRaccourci(TexteLigne(d, LignesDlg::Oui), utilisees));
    BT_Non->setText(AjouterRaccourci(TexteLigne(d, LignesDlg::Non), utilisees));
    BT_Aide->setText(AjouterRaccourci(TexteLigne(d, LignesDlg::Aide), utilisees));
    setWindowTitle(TexteLigne(d, LignesDlg::Confirmation));
  }
  if (const int g = TrouverGroupe(LignesConfRedec::Groupe); g >= 0)
    Lab_Redec->setText(TexteLigne(g, LignesConfRedec::Lab_Redec));
}
