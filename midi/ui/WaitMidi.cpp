#include "midi/ui/WaitMidi.h"

#include <QLabel>
#include <QProgressBar>
#include <QVBoxLayout>

#include "platform/Evenements.h"

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

void TWaitMidiForm::Etape(const QString& texte) {
  Etat->setText(texte);
  ProgressBar1->setValue(0);
  show();
  raise();
  repaint();
  LaisserPasserMessages();
}

void TWaitMidiForm::Progression(int valeur) {
  if (valeur == ProgressBar1->value()) return;
  ProgressBar1->setValue(valeur);
  ProgressBar1->repaint();
}
