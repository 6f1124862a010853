#include "dialogs/Sais_ins.h"

#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QSet>
#include <QVBoxLayout>
#include <algorithm>

#include "midi/Lecture.h"
#include "settings/Langue.h"
#include "settings/LignesLangue.h"

QString NomInstrumentListe(int n) {
  n = std::clamp(n, 0, 127);
  // The chooser's list has always spelt program 30 this way.
  if (n == 30) return QStringLiteral("Distorsion Guitar");
  return QString::fromLatin1(NomsInstruments[n]).trimmed();
}

static QString Legende(const char* groupe, int ligne, const char* design) {
  return LegendeGroupe(QString::fromLatin1(groupe), ligne, QString::fromLatin1(design));
}

TSais_Instrument_Form::TSais_Instrument_Form(int32_t& programme, QWidget* parent)
    : QDialog(parent), programme_(programme) {
  setObjectName(QStringLiteral("Sais_Instrument_Form"));
  Liste = new QListWidget(this);
  Liste->setObjectName(QStringLiteral("Liste"));
  // Four columns: the items run down a column and wrap into the next.
  Liste->setFlow(QListView::TopToBottom);
  Liste->setWrapping(true);
  Liste->setResizeMode(QListView::Adjust);
  Liste->setUniformItemSizes(true);
  for (int n = 0; n < 128; ++n) Liste->addItem(QString::number(n) + QStringLiteral(" - ") + NomInstrumentListe(n));
  // Every column as wide as the longest name, 32 items high: the 128 programs fill four columns.
  int largeurColonne = 0;
  for (int n = 0; n < 128; ++n)
    largeurColonne = std::max(largeurColonne, Liste->fontMetrics().horizontalAdvance(Liste->item(n)->text()));
  largeurColonne += 16;
  const int hauteurItem = Liste->fontMetrics().height() + 2;
  Liste->setGridSize(QSize(largeurColonne, hauteurItem));
  const int cadre = 2 * Liste->frameWidth() + 4;
  Liste->setFixedSize(largeurColonne * 4 + cadre, hauteurItem * 32 + cadre);
  Liste->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  Liste->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);

  BT_OK = new QPushButton(QStringLiteral("OK"), this);
  BT_OK->setObjectName(QStringLiteral("BT_OK"));
  BT_OK->setDefault(true);
  BT_Annuler = new QPushButton(QStringLiteral("Cancel"), this);
  BT_Annuler->setObjectName(QStringLiteral("BT_Annuler"));
  connect(BT_OK, &QPushButton::clicked, this, &TSais_Instrument_Form::BT_OKClick);
  connect(BT_Annuler, &QPushButton::clicked, this, &QDialog::reject);
  connect(Liste, &QListWidget::itemDoubleClicked, this, &TSais_Instrument_Form::BT_OKClick);

  auto* boutons = new QHBoxLayout;
  boutons->addStretch();
  boutons->addWidget(BT_OK);
  boutons->addWidget(BT_Annuler);
  auto* tout = new QVBoxLayout(this);
  tout->addWidget(Liste);
  tout->addLayout(boutons);
  Traduire();
}

void TSais_Instrument_Form::Traduire() {
  QSet<QChar> utilisees;
  setWindowTitle(Legende("DLG_INSTR_000", 1, "Instrument"));
  BT_OK->setText(AjouterRaccourci(Legende(LignesDlg::Groupe, LignesDlg::OK, "OK"), utilisees));
  BT_Annuler->setText(AjouterRaccourci(Legende(LignesDlg::Groupe, LignesDlg::Annuler, "Cancel"), utilisees));
}

void TSais_Instrument_Form::showEvent(QShowEvent* e) {
  QDialog::showEvent(e);
  Liste->setCurrentRow(std::clamp(static_cast<int>(programme_), 0, 127));
  Liste->scrollToItem(Liste->currentItem());
  Liste->setFocus();
}

void TSais_Instrument_Form::BT_OKClick() {
  if (Liste->currentRow() >= 0) programme_ = Liste->currentRow();
  accept();
}

bool ChoisirInstrument(int32_t& programme, QWidget* parent) {
  TSais_Instrument_Form f(programme, parent);
  return f.exec() == QDialog::Accepted;
}
