#pragma once
// The print preview: the printed pages of the current track one at a time, drawn by the print
// renderer's page loop on an image, with zoom, page moves, dragging, key scrolling, print and
// the printing preferences.
#include <QDialog>
#include <QImage>

#include "view/MiseEnPageImp.h"

class QLabel;
class QMenu;
class QPushButton;
class QScrollArea;
class QTimer;
class TPageApercu;
class TFormStorage;

class TPreview_Form : public QDialog {
  Q_OBJECT
 public:
  explicit TPreview_Form(QWidget* parent = nullptr);
  ~TPreview_Form() override;
  void Traduire();

  QPushButton *BT_OK = nullptr, *BT_Print = nullptr, *BT_Setup = nullptr, *BT_PagePrec = nullptr,
              *BT_Page_Suiv = nullptr, *BT_ZoomIn = nullptr, *BT_ZoomOut = nullptr, *BT_PageWidth = nullptr,
              *BT_FullScreen = nullptr, *BT_Aide = nullptr;
  QLabel* Lib_Page = nullptr;
  QScrollArea* ScrollBox1 = nullptr;
  QMenu* PopupMenu1 = nullptr;
  TFormStorage* FormStorage1 = nullptr;

  int PageCourante() const { return PageCourante_; }
  int NbPages() const { return Document.NbPages(); }
  const QImage& ImagePage() const { return Image; }

  void BT_PrintClick();
  void BT_SetupClick();
  void BT_Page_SuivClick();
  void BT_PagePrecClick();
  void BT_ZoomInClick();
  void BT_ZoomOutClick();
  void BT_PageWidthClick();
  void BT_FullScreenClick();
  // Lays the document out again for the printer's page (after a change of printer or settings).
  void MettreEnPage();

 protected:
  void showEvent(QShowEvent* e) override;
  void keyPressEvent(QKeyEvent* e) override;
  void keyReleaseEvent(QKeyEvent* e) override;

 private:
  friend class TPageApercu;
  void DimensionnerImage();
  void DessinerPage();
  void Defiler();
  void MontrerPage();

  TMiseEnPageImp Document;
  QImage Image;
  TPageApercu* Page = nullptr;
  QTimer* TimerDefilement = nullptr;
  int PageCourante_ = 1;
  int LargeurPageApercu = 752, HauteurPageApercu = 1080;
  int PasDefilement = 0;
  bool Vertical = true;
  bool Active = false;
};
