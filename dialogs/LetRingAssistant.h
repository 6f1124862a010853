#pragma once
// Sets or clears let ring on many notes at once: over a range of measures of the current track,
// on the strings ticked, each string with its own Yes or No. Notes with another effect stay.
#include "dialogs/DialogueValide.h"

class QCheckBox;
class QRadioButton;

class TLetRingAssistantForm : public TDialoguePlage {
  Q_OBJECT
 public:
  explicit TLetRingAssistantForm(QWidget* parent = nullptr);
  QLabel* Intro = nullptr;
  QCheckBox* CB[7] = {};      // [1..6]
  QLabel* Lib[7] = {};
  QRadioButton* RY[7] = {};
  QRadioButton* RN[7] = {};
  QPushButton* BT_Aide = nullptr;
  int NbChanges = 0;  // notes changed by OK
  void Traduire();

 protected:
  void Initialiser() override;
  bool Valider() override;
  void Ecrire() override;
  bool eventFilter(QObject* o, QEvent* e) override;

 private:
  void CaseCliquee(int s);
};
