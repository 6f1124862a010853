#include "dialogs/Classiq.h"

TClassForm* ClassForm = nullptr;

TClassForm::TClassForm(QWidget* parent) : QDialog(parent, Qt::Tool) {
  setObjectName(QStringLiteral("ClassForm"));
  setModal(false);
}

void TClassForm::AfficherNotesTemps() {}
