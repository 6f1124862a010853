#include "midi/SelMIDI.h"

TSelMIDIForm* SelMIDIForm = nullptr;

TSelMIDIForm::TSelMIDIForm(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("SelMIDIForm"));
  setModal(true);
  Traduire();
}

void TSelMIDIForm::RemplirBibliotheque() {}
void TSelMIDIForm::Traduire() {}
