#include "view/ui/ConfigImp.h"

#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QSet>
#include <QVBoxLayout>

#include "files/FileCommands.h"
#include "files/ui/FichierPDF.h"
#include "platform/CheckedFile.h"
#include "settings/Langue.h"
#include "settings/LignesLangue.h"
#include "settings/Mess.h"
#include "song/Song.h"
#include "view/ImpressionPartition.h"
#include "view/SystemeImpression.h"

TConfigImpForm::TConfigImpForm(QPrinter& printer, QWidget* parent) : QDialog(parent), printer_(printer) {
  setObjectName(QStringLiteral("ConfigImpForm"));
  setWindowTitle(QStringLiteral("Configuration de l'impression"));
  setMinimumWidth(360);  // room for the caption
  LabelImprimante = new QLabel(QStringLiteral("Imprimante :"), this);
  CB_Imprimante = new QComboBox(this);
  LabelPapier = new QLabel(QStringLiteral("Papier :"), this);
  CB_Papier = new QComboBox(this);
  GB_Orientation = new QGroupBox(QStringLiteral("Orientation"), this);
  RB_Portrait = new QRadioButton(QStringLiteral("Portrait"), GB_Orientation);
  RB_Paysage = new QRadioButton(QStringLiteral("Paysage"), GB_Orientation);
  LabelFichier = new QLabel(QStringLiteral("Fichier :"), this);
  ED_Fichier = new QLineEdit(this);
  ED_Fichier->setMinimumWidth(240);
  BT_Fichier = new QPushButton(QStringLiteral("..."), this);
  BT_Fichier->setAutoDefault(false);
  BT_OK = new QPushButton(QStringLiteral("&OK"), this);
  BT_OK->setDefault(true);
  BT_Annuler = new QPushButton(QStringLiteral("&Annuler"), this);

  auto* o = new QHBoxLayout(GB_Orientation);
  o->addWidget(RB_Portrait);
  o->addWidget(RB_Paysage);
  auto* g = new QGridLayout;
  g->addWidget(LabelImprimante, 0, 0);
  g->addWidget(CB_Imprimante, 0, 1, 1, 2);
  g->addWidget(LabelFichier, 1, 0);
  g->addWidget(ED_Fichier, 1, 1);
  g->addWidget(BT_Fichier, 1, 2);
  g->addWidget(LabelPapier, 2, 0);
  g->addWidget(CB_Papier, 2, 1, 1, 2);
  g->addWidget(GB_Orientation, 3, 0, 1, 3);
  auto* bas = new QHBoxLayout;
  bas->addStretch(1);
  bas->addWidget(BT_OK);
  bas->addWidget(BT_Annuler);
  auto* v = new QVBoxLayout(this);
  v->addLayout(g);
  v->addLayout(bas);

  // A printer, or where the machine has none, the file the jobs write.
  const TSystemeImpression& s = SystemeImpression();
  const QStringList imprimantes = s.Imprimantes();
  CB_Imprimante->addItems(imprimantes);
  const bool fichier = imprimantes.isEmpty();
  for (QWidget* w : {static_cast<QWidget*>(LabelImprimante), static_cast<QWidget*>(CB_Imprimante)})
    w->setVisible(!fichier);
  for (QWidget* w : {static_cast<QWidget*>(LabelFichier), static_cast<QWidget*>(ED_Fichier),
                     static_cast<QWidget*>(BT_Fichier)})
    w->setVisible(fichier);
  if (!fichier) {
    const bool natif = printer.outputFormat() == QPrinter::NativeFormat;
    int i = natif ? imprimantes.indexOf(printer.printerName()) : -1;
    if (i < 0) i = imprimantes.indexOf(s.ImprimanteParDefaut());
    CB_Imprimante->setCurrentIndex(std::max(i, 0));
  } else {
    ED_Fichier->setText(printer.outputFileName());
  }
  (fichier ? static_cast<QWidget*>(ED_Fichier) : CB_Imprimante)->setFocus();
  const QPageLayout page = printer.pageLayout();
  (page.orientation() == QPageLayout::Landscape ? RB_Paysage : RB_Portrait)->setChecked(true);
  RemplirPapiers();
  for (int i = 0; i < papiers_.size(); ++i)
    if (papiers_[i].isEquivalentTo(page.pageSize())) CB_Papier->setCurrentIndex(i);

  connect(CB_Imprimante, &QComboBox::currentIndexChanged, this, [this] { RemplirPapiers(); });
  connect(BT_Fichier, &QPushButton::clicked, this, [this] { BT_FichierClick(); });
  connect(BT_OK, &QPushButton::clicked, this, &TConfigImpForm::accept);
  connect(BT_Annuler, &QPushButton::clicked, this, &QDialog::reject);
  Traduire();
}

void TConfigImpForm::Traduire() {
  const int g0 = TrouverGroupe(QString::fromLatin1(LignesDlg::Groupe));
  if (g0 < 0) return;
  BT_OK->setText(TexteLigne(g0, LignesDlg::OK));
  BT_Annuler->setText(TexteLigne(g0, LignesDlg::Annuler));
  // The menu's command names the window, the print dialog's label the printer.
  const int mn = TrouverGroupe(QStringLiteral("MN_000"));
  if (mn >= 0) setWindowTitle(TexteLigne(mn, 15).remove(QLatin1Char('&')));
  const int prt = TrouverGroupe(QStringLiteral("DLG_PRT_000"));
  if (prt >= 0) LabelImprimante->setText(TexteLigne(prt, 2));
  const int g = TrouverGroupe(QString::fromLatin1(LignesConfigImp::Groupe));
  if (g >= 0) {
    LabelPapier->setText(TexteLigne(g, LignesConfigImp::Papier));
    GB_Orientation->setTitle(TexteLigne(g, LignesConfigImp::Orientation));
    RB_Portrait->setText(TexteLigne(g, LignesConfigImp::Portrait));
    RB_Paysage->setText(TexteLigne(g, LignesConfigImp::Paysage));
    LabelFichier->setText(TexteLigne(g, LignesConfigImp::Fichier));
  }
  QSet<QChar> utilisees;
  for (QPushButton* b : {BT_OK, BT_Annuler}) b->setText(AjouterRaccourci(b->text(), utilisees));
}

void TConfigImpForm::RemplirPapiers() {
  // The paper chosen stays when the new printer has it too.
  const QPageSize avant = CB_Papier->currentIndex() >= 0 ? papiers_.value(CB_Papier->currentIndex()) : QPageSize();
  papiers_ = SystemeImpression().Papiers(CB_Imprimante->currentText());
  CB_Papier->clear();
  int choisi = 0;
  for (int i = 0; i < papiers_.size(); ++i) {
    CB_Papier->addItem(papiers_[i].name());
    if (avant.isValid() && papiers_[i].isEquivalentTo(avant)) choisi = i;
  }
  CB_Papier->setCurrentIndex(papiers_.isEmpty() ? -1 : choisi);
}

QString TConfigImpForm::Fichier() const {
  // A name typed without ".pdf" gets it, as the file chooser's answer does.
  const QString nom = AvecExtension(ED_Fichier->text(), QStringLiteral(".pdf"));
  if (nom.isEmpty() || QFileInfo(nom).isAbsolute()) return nom;
  // The file the job writes is the one checked: a bare name stands in the working folder.
  return QDir::current().filePath(nom);
}

void TConfigImpForm::BT_FichierClick() {
  const QString nom = DemanderFichierPDF(this, QStringLiteral("PDF"), AnsiToQString(Partition.Titre.view()));
  if (!nom.isEmpty()) ED_Fichier->setText(nom);
}

void TConfigImpForm::accept() {
  const bool fichier = CB_Imprimante->count() == 0;
  const QString nom = fichier ? QString() : CB_Imprimante->currentText();
  const QString chemin = fichier ? Fichier() : QString();
  QString raison;
  // Looked at without opening it: a FIFO named here would hold the editor at the job's open.
  if (!chemin.isEmpty() && !CheckWriteTarget(chemin, &raison)) {
    AfficherEcritureImpossible(chemin, raison);
    return;
  }
  if (fichier) {
    printer_.setOutputFormat(QPrinter::PdfFormat);
    printer_.setOutputFileName(chemin);
  } else {
    SystemeImpression().Selectionner(printer_, nom);
  }
  const QPageSize papier = papiers_.value(CB_Papier->currentIndex(), printer_.pageLayout().pageSize());
  printer_.setPageLayout(PagePourImprimante(
      nom, papier, RB_Paysage->isChecked() ? QPageLayout::Landscape : QPageLayout::Portrait));
  QDialog::accept();
}

bool ConfigurerImprimante(QWidget* parent) {
  TConfigImpForm f(Imprimante(), parent);
  return f.exec() == QDialog::Accepted;
}
