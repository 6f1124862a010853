#include "dialogs/Assistant_Bat.h"

TAssistant_Bat_Form* Assistant_Bat_Form = nullptr;

TAssistant_Bat_Form::TAssistant_Bat_Form(QWidget* parent) : QDialog(parent, Qt::Tool) {
  setObjectName(QStringLiteral("Assistant_Bat_Form"));
  setModal(false);
  Traduire();
}

void TAssistant_Bat_Form::Traduire() {}
