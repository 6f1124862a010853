#include "dialogs/Sais_par.h"

TSais_Partition* Sais_Partition = nullptr;

TSais_Partition::TSais_Partition(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("Sais_Partition"));
  setModal(true);
  Traduire();
}

void TSais_Partition::ConstruireBibliothequeAccordages() {}
void TSais_Partition::RemplirListeAccordages() {}
void TSais_Partition::Traduire() {}
