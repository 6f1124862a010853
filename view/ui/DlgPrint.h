#pragma once
// The print dialog: the printer's name, its set-up, and all pages or a range of pages. It prints
// nothing itself; ImprimerAvecDialogue reads its choice and runs the print job.
#include <QDialog>

class QLabel;
class QPushButton;
class QGroupBox;
class QRadioButton;
class QLineEdit;

class TPrintForm : public QDialog {
  Q_OBJECT
 public:
  explicit TPrintForm(QWidget* parent = nullptr);
  void Traduire();

  QLabel* LabelPrinter = nullptr;
  QLabel* LabelImp = nullptr;
  QPushButton* BT_Configurer = nullptr;
  QGroupBox* GroupBox1 = nullptr;
  QRadioButton* RB_Tout = nullptr;
  QRadioButton* RB_Pages = nullptr;
  QLineEdit* ED_PageDeb = nullptr;
  QLabel* Label_A = nullptr;
  QLineEdit* ED_PageFin = nullptr;
  QPushButton* BT_OK = nullptr;
  QPushButton* BT_Annuler = nullptr;

  // The range chosen: (0, 0) for every page.
  void Plage(int& premiere, int& derniere) const;

 private:
  void BT_ConfigurerClick();
  void ED_PageDebChange();
};

// Asks for the PDF file of a printer that has none; false when cancelled.
bool ChoisirFichierPDF(QWidget* parent);
// The print dialog, then the job on the chosen pages. False when cancelled.
bool ImprimerAvecDialogue(QWidget* parent);
