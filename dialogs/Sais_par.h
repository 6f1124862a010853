#pragma once
// The song and track properties dialog; it lives for the whole run.
#include <QDialog>

class TSais_Partition : public QDialog {
  Q_OBJECT
 public:
  explicit TSais_Partition(QWidget* parent = nullptr);
  int CordeEcoutee = -1;           // string being listened to, -1 = none
  int NouvellePartitionDemandee = 0;  // 1 when opened for a new song
  void ConstruireBibliothequeAccordages();  // the tuning presets
  void RemplirListeAccordages();
  void Traduire();
};

extern TSais_Partition* Sais_Partition;
