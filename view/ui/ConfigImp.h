#pragma once
// The printer set-up: the printer, its paper and the orientation (and, where the machine has no
// printer, the PDF file the jobs write), confirmed with OK. Page ranges and copies belong to the
// print dialog. The page is laid out for the printer chosen: its own margins come with it.
#include <QDialog>
#include <QList>
#include <QPageSize>

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPrinter;
class QPushButton;
class QRadioButton;

class TConfigImpForm : public QDialog {
  Q_OBJECT
 public:
  // Shows the settings of `printer`, which OK sets up.
  explicit TConfigImpForm(QPrinter& printer, QWidget* parent = nullptr);
  void Traduire();

  QLabel* LabelImprimante = nullptr;
  QComboBox* CB_Imprimante = nullptr;
  QLabel* LabelPapier = nullptr;
  QComboBox* CB_Papier = nullptr;
  QGroupBox* GB_Orientation = nullptr;
  QRadioButton* RB_Portrait = nullptr;
  QRadioButton* RB_Paysage = nullptr;
  QLabel* LabelFichier = nullptr;
  QLineEdit* ED_Fichier = nullptr;
  QPushButton* BT_Fichier = nullptr;
  QPushButton* BT_OK = nullptr;
  QPushButton* BT_Annuler = nullptr;

  // The file a job will write, as the name typed reads from the working folder; empty for none.
  QString Fichier() const;

 public slots:
  // OK: a file that cannot be written is refused with its reason and the dialog stays.
  void accept() override;

 private:
  void RemplirPapiers();
  void BT_FichierClick();
  QPrinter& printer_;
  QList<QPageSize> papiers_;
};

// The printer set-up on the program's printer; true when confirmed.
bool ConfigurerImprimante(QWidget* parent);
