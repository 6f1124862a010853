#pragma once
// The instrument chooser: the 128 General MIDI programs in four columns. It edits the program it
// is given, so the properties dialog and the MIDI-import track selection both use it for the track
// they show.
#include <QDialog>
#include <cstdint>

class QListWidget;
class QPushButton;

class TSais_Instrument_Form : public QDialog {
  Q_OBJECT
 public:
  // `programme` is the track's program in the caller's working copy; OK or a double click sets it.
  TSais_Instrument_Form(int32_t& programme, QWidget* parent = nullptr);

  QListWidget* Liste;
  QPushButton *BT_OK, *BT_Annuler;

  // Button captions from "DLG_000", the caption from "DLG_INSTR_000".
  void Traduire();
  void BT_OKClick();

 protected:
  void showEvent(QShowEvent* e) override;

 private:
  int32_t& programme_;
};

// The program name the chooser lists for program n ("Celesta" without its trailing blank).
QString NomInstrumentListe(int n);
// Opens the chooser over `programme`; true when the user chose one (the program is then set).
bool ChoisirInstrument(int32_t& programme, QWidget* parent);
