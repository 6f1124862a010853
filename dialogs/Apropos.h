#pragma once
// The about box: the program's name and version, the rights notice, the author of the language
// file in use, and a link to the maker's web site.
#include <QDialog>

class QLabel;
class QPushButton;
class TVxLabel;
class TVxURLLabel;

class TAproposForm : public QDialog {
 public:
  explicit TAproposForm(QWidget* parent = nullptr);

  QLabel* Image = nullptr;
  TVxLabel* Titre = nullptr;
  QLabel *Version = nullptr, *Droits = nullptr, *PatcheAuteur = nullptr;
  TVxURLLabel* VxURLLabel1 = nullptr;
  QPushButton* BT_OK = nullptr;

  // Captions from "DLG_000" and "GENE_000".
  void Traduire();
  // Shows the language file's author (on every activation).
  void FormActivate();

 protected:
  void showEvent(QShowEvent* e) override;
};

// Creates the about box, shows it modally and releases it.
void MontrerApropos(QWidget* parent);
