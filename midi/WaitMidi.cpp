#include "midi/WaitMidi.h"

#include <QLabel>
#include <QProgressBar>
#include <QVBoxLayout>

TWaitMidiForm* WaitMidiForm = nullptr;

TWaitMidiForm::TWaitMidiForm(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("WaitMidiForm"));
  setModal(false);
  auto* l = new QVBoxLayout(this);
  Etat = new QLabel(this);
  Etat->setObjectName(QStringLiteral("Etat"));
  ProgressBar1 = new QProgressBar(this);
  ProgressBar1->setObjectName(QStringLiteral("ProgressBar1"));
  ProgressBar1->setRange(0, 28);
  ProgressBar1->setTextVisible(false);
  l->addWidget(Etat);
  l->addWidget(ProgressBar1);
  setFixedWidth(320);
}
