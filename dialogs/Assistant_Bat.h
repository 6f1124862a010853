#pragma once
// The drum assistant: a modeless tool window shown while track 8 is current.
#include <QDialog>

class TAssistant_Bat_Form : public QDialog {
  Q_OBJECT
 public:
  explicit TAssistant_Bat_Form(QWidget* parent = nullptr);
  void Traduire();
};

extern TAssistant_Bat_Form* Assistant_Bat_Form;
