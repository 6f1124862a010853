#include "view/ui/DlgPrint.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <QSet>

#include "files/FileCommands.h"
#include "files/ui/FichierPDF.h"
#include "settings/Langue.h"
#include "settings/Mess.h"
#include "song/Song.h"
#include "view/ImpressionPartition.h"
#include "view/MiseEnPageImp.h"
#include "view/ui/ConfigImp.h"

TPrintForm::TPrintForm(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("PrintForm"));
  setWindowTitle(QStringLiteral("Imprimer"));
  LabelPrinter = new QLabel(QStringLiteral("Imprimante :"), this);
  LabelImp = new QLabel(this);
  LabelImp->setWordWrap(true);
  LabelImp->setMinimumWidth(180);
  BT_Configurer = new QPushButton(QStringLiteral("&Configurer..."), this);
  GroupBox1 = new QGroupBox(QStringLiteral("Imprimer"), this);
  RB_Tout = new QRadioButton(QStringLiteral("Tout"), GroupBox1);
  RB_Tout->setChecked(true);
  RB_Pages = new QRadioButton(QStringLiteral("Pages :"), GroupBox1);
  ED_PageDeb = new QLineEdit(QStringLiteral("1"), GroupBox1);
  Label_A = new QLabel(QStringLiteral("à"), GroupBox1);
  Label_A->setAlignment(Qt::AlignCenter);
  ED_PageFin = new QLineEdit(GroupBox1);
  for (QLineEdit* e : {ED_PageDeb, ED_PageFin}) e->setMaximumWidth(50);
  BT_OK = new QPushButton(QStringLiteral("&OK"), this);
  BT_OK->setDefault(true);
  BT_Annuler = new QPushButton(QStringLiteral("&Annuler"), this);

  auto* g = new QGridLayout(GroupBox1);
  g->addWidget(RB_Tout, 0, 0, 1, 4);
  g->addWidget(RB_Pages, 1, 0);
  g->addWidget(ED_PageDeb, 1, 1);
  g->addWidget(Label_A, 1, 2);
  g->addWidget(ED_PageFin, 1, 3);
  auto* haut = new QHBoxLayout;
  haut->addWidget(LabelPrinter);
  haut->addWidget(LabelImp, 1);
  haut->addWidget(BT_Configurer);
  auto* bas = new QHBoxLayout;
  bas->addStretch(1);
  bas->addWidget(BT_OK);
  bas->addWidget(BT_Annuler);
  auto* v = new QVBoxLayout(this);
  v->addLayout(haut);
  v->addWidget(GroupBox1);
  v->addLayout(bas);

  connect(BT_OK, &QPushButton::clicked, this, &QDialog::accept);
  connect(BT_Annuler, &QPushButton::clicked, this, &QDialog::reject);
  connect(BT_Configurer, &QPushButton::clicked, this, [this] { BT_ConfigurerClick(); });
  connect(ED_PageDeb, &QLineEdit::textEdited, this, [this] { ED_PageDebChange(); });
  connect(ED_PageFin, &QLineEdit::textEdited, this, [this] { ED_PageDebChange(); });
  Traduire();
}

void TPrintForm::Traduire() {
  const int g0 = TrouverGroupe(QStringLiteral("DLG_000"));
  if (g0 < 0) return;
  BT_OK->setText(TexteLigne(g0, 1));
  BT_Annuler->setText(TexteLigne(g0, 2));
  const int g = TrouverGroupe(QStringLiteral("DLG_PRT_000"));
  if (g < 0) return;
  setWindowTitle(TexteLigne(g, 1));
  LabelPrinter->setText(TexteLigne(g, 2));
  RB_Tout->setText(TexteLigne(g, 3));
  RB_Pages->setText(TexteLigne(g, 4));
  Label_A->setText(TexteLigne(g, 5));
  BT_Configurer->setText(TexteLigne(g, 6));
  QSet<QChar> utilisees;
  BT_OK->setText(AjouterRaccourci(BT_OK->text(), utilisees));
  BT_Annuler->setText(AjouterRaccourci(BT_Annuler->text(), utilisees));
  BT_Configurer->setText(AjouterRaccourci(BT_Configurer->text(), utilisees));
  GroupBox1->setTitle(QLatin1Char(' ') + AjouterRaccourci(TexteLigne(g, 1), utilisees) + QLatin1Char(' '));
}

void TPrintForm::Plage(int& premiere, int& derniere) const {
  PlagePages(RB_Pages->isChecked(), ED_PageDeb->text(), ED_PageFin->text(), premiere, derniere);
}

void TPrintForm::BT_ConfigurerClick() {
  if (ConfigurerImprimante(this)) LabelImp->setText(NomImprimante(Imprimante()));
}

void TPrintForm::ED_PageDebChange() {
  if (!RB_Pages->isChecked()) RB_Pages->setChecked(true);
}

bool ChoisirFichierPDF(QWidget* parent) {
  const QString nom = DemanderFichierPDF(parent, QStringLiteral("PDF"), AnsiToQString(Partition.Titre.view()));
  if (nom.isEmpty()) return false;
  Imprimante().setOutputFileName(nom);
  return true;
}

bool ImprimerAvecDialogue(QWidget* parent) {
  TPrintForm f(parent);
  f.LabelImp->setText(NomImprimante(Imprimante()));
  if (f.exec() != QDialog::Accepted) return false;
  int premiere = 0, derniere = 0;
  f.Plage(premiere, derniere);
  QPrinter& printer = Imprimante();
  // A file named just for this job is asked again for the next one.
  const bool fichierDuTravail = FichierPDFAChoisir(printer);
  if (fichierDuTravail && !ChoisirFichierPDF(parent)) return false;
  // A file the set-up named is replaced only once the user says so, as a file chosen for the job.
  if (!fichierDuTravail && !printer.outputFileName().isEmpty() && !ConfirmerRemplacement(printer.outputFileName()))
    return false;
  const int nb = ImprimePartition(printer, premiere, derniere);
  if (fichierDuTravail) printer.setOutputFileName(QString());
  return nb > 0;
}
