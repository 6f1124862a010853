#pragma once
// Amount of a bend and release: the bend dialog under its own caption.
#include "dialogs/Sais_ben.h"

class TSais_Release_Form : public TSais_Bend_Form {
  Q_OBJECT
 public:
  explicit TSais_Release_Form(QWidget* parent = nullptr);
};
