#pragma once
// The ASCII tablature import dialog: the text (typed, pasted or read from a file), the import
// mode and the dashes per quarter note; Import reads the text into the current track.
#include <QDialog>
#include <QStringList>
#include <optional>

#include "files/TablatureASCII.h"

class QComboBox;
class QFont;
class QLabel;
class QPlainTextEdit;
class QPrinter;
class QPushButton;
class QToolButton;

// The fixed-pitch face of the tablature texts.
QFont PoliceTablature();
// Prints lines of text in a font, the print job named `titre`; with no printer installed the
// pages go to a PDF file the user names. False when cancelled or when nothing could be printed.
bool ImprimerLignesTexte(QWidget* parent, const QStringList& lignes, const QFont& police, const QString& titre);
// The same pages on a printer already set up; a file it writes replaces the old one only once whole
// (a failure is said with its reason). False when nothing could be printed.
bool ImprimerLignesTexte(QPrinter& imprimante, const QStringList& lignes, const QFont& police);

class TImpASCIIForm : public QDialog {
  Q_OBJECT
 public:
  explicit TImpASCIIForm(QWidget* parent = nullptr);

  QPlainTextEdit* MemoASCII;
  QToolButton *BT_Ouvrir, *BT_Imprimer;
  QLabel *Lab_ImporterEn, *Image1, *Label1, *InfoImp, *Lab_Sign, *Label2;
  QComboBox *TypeImport, *NbTirets, *SignImpNum, *SignImpDen;
  QPushButton *BT_Importer, *BT_Annuler, *BT_Aide;

  // The file read by the open button during this import (full path; empty when the text was typed).
  QString NomFichier;

  // Reads the text into the current track with the chosen mode; false, the song untouched, when
  // the text holds nothing the import can read.
  bool ImporterTablature();
  // Import: closes the dialog only on a text with tablature; otherwise says so and stays open.
  void BT_ImporterClick();
  // Asks for a file and loads it into the text; false when cancelled or unreadable (the text stays).
  bool OuvrirFichierASCII();
  // Loads a file into the text without asking; false (with the error message) when unreadable.
  bool ChargerFichier(const QString& chemin);
  void Traduire();
  void FormActivate();
  void TypeImportChange();
  void BT_ImprimerClick();

 protected:
  void showEvent(QShowEvent* e) override;
  bool eventFilter(QObject* o, QEvent* e) override;

 private:
  void RegleTirets();  // the dash count applies to the variable mode only
  // Reads the text with the chosen mode into lu_; false, lu_ empty, when it holds nothing to import.
  bool LireTexte();
  std::optional<TTablatureASCII> lu_;  // what Import read, for the import that follows
  QString texteErreur_;
  QString titre_;
};
