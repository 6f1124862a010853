#pragma once
// Confirms a paste and asks where to put the clipboard and how many times.
#include "dialogs/DialogueValide.h"
#include "editor/EditionMesures.h"

class QRadioButton;

class TSais_Paste_Form : public TDialogueValide {
  Q_OBJECT
 public:
  explicit TSais_Paste_Form(QWidget* parent = nullptr);
  QLabel* Question = nullptr;
  QLabel* LibNbFois = nullptr;
  QRadioButton *PasteRB1 = nullptr, *PasteRB2 = nullptr, *PasteRB3 = nullptr;
  TChampNumerique* Ed_NbPaste = nullptr;
  QPushButton*& BT_Oui = BT_OK;
  QPushButton*& BT_Non = BT_Annuler;
  QString QuestionUnePiste, QuestionToutesPistes;  // "#1" stands for the number of measures
  // The question for the clipboard as it is.
  void PoserQuestion(bool toutesPistes, int nbMesures);
  PlacementCollage Placement() const;
  int Fois() const { return Ed_NbPaste->ValeurEntiere(); }
  // The most pastes that keep the song within 1000 measures for the chosen placement (<= 999).
  int FoisMax() const;

 protected:
  void showEvent(QShowEvent* e) override;
  bool Valider() override;
};
