#pragma once
// The notation assistant: a modeless tool window that shows the notes of the beat under the edit
// cursor on a treble staff, a bass staff or both, in the song's key signature, and enters a note
// where the user clicks on the staff (the string and fret chosen for the current track).
#include <QDialog>
#include <QImage>
#include <vector>

#include "editor/Notation.h"

class QLabel;
class QToolButton;

// The staff: the drawn image, with the staff position under the mouse shown as a yellow band.
class TImageSolfege : public QWidget {
  Q_OBJECT
 public:
  explicit TImageSolfege(QWidget* parent = nullptr);
  QImage Image;
  int PositionAffichee = -1;  // the band shown, -1 none

 signals:
  void survol(int y);
  void clic(int y);

 protected:
  void paintEvent(QPaintEvent*) override;
  void mouseMoveEvent(QMouseEvent* e) override;
  void mousePressEvent(QMouseEvent* e) override;
  void leaveEvent(QEvent*) override;
};

class TClassForm : public QDialog {
  Q_OBJECT
 public:
  explicit TClassForm(QWidget* parent = nullptr);
  TImageSolfege* Image1 = nullptr;
  QLabel *Img_Clef_Sol = nullptr, *Img_Clef_Fa = nullptr, *Img_Clef_Acco = nullptr;
  QToolButton *TonDown = nullptr, *TonUp = nullptr;
  QLabel* NomTon = nullptr;
  QToolButton *BT_Diese = nullptr, *BT_Bemol = nullptr, *BT_Becarre = nullptr;
  QToolButton *BT_ClefSol = nullptr, *BT_ClefFa = nullptr;
  int PositionSouris = -1;
  std::vector<TNotePortee> Notes;  // as shown

  void Traduire();            // the caption from the language file, again when the language changes
  void AfficherNotesTemps();  // redraws the staff with the current beat's notes
  void Image1MouseMove(int y);
  void Image1Click(int y);
  int AlterationChoisie() const;  // the accidental button down, ALT_AUCUNE when none
  void TonUpClick();
  void TonDownClick();
  void BT_ClefClick(QToolButton* bouton);

 protected:
  void changeEvent(QEvent* e) override;  // takes its texts again when the language changes
  void showEvent(QShowEvent* e) override;
  void hideEvent(QHideEvent* e) override;
  void keyPressEvent(QKeyEvent* e) override;
  void keyReleaseEvent(QKeyEvent* e) override;
};

extern TClassForm* ClassForm;
