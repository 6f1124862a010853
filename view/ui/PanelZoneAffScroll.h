#pragma once
// The score view's window: the panel PanelZoneAffScroll that shows the ring of band images and the
// chord strip at the places the layout gives, the current-measure frame, and the vertical scroll
// bar it drives. It follows the change notifier: a changed measure is laid out again and only the
// lines that changed are redrawn; a whole-track change or a new song lays everything out again;
// a cursor move places the frame, and scrolls to it when the current measure changed. Clicks in a
// band are handed to the main window.
#include <QImage>
#include <QWidget>
#include <functional>

#include "view/MiseEnPageVue.h"

class QScrollBar;

class TPanelZoneAffScroll : public QWidget {
  Q_OBJECT
 public:
  TPanelZoneAffScroll(QScrollBar* barre, QWidget* parent = nullptr);

  // Band00 (the chord strip) and Band01..Band30.
  QImage Bandes[NB_BANDES_MAX + 1];
  // The current-measure frame (Selection), in panel coordinates.
  TCadre Selection;
  // Lines drawn since the count was last reset (a scroll draws only the lines it brings in).
  int LignesDessinees = 0;
  // Something plays: the frame follows by the scrolling mode. Set by the main window.
  std::function<bool()> EnLecture;

  // Sizes the ring for the panel and the visible height (window client height less 55).
  void DimensionnerBandes(int hauteurVisible);
  void RafraichirVuePartition();
  void RafraichirMesureModifiee(int m);
  void DefilerVuePartition();
  void MajBarreDefilement();
  void DessinerBandeDiagrammes();
  // Places the current-measure frame and scrolls the view to it.
  void AjusterZoneSaisie();
  // The cursor moved: a new current measure is scrolled to, else only the frame follows.
  void SuivreCurseur();
  // Draws one line into its band.
  void DessinerLigneBande(int ligne);
  // Ring position of the band under a panel y (0: none).
  int BandeSous(int y) const;

 signals:
  // A mouse button went down in ring band `bande` at (x, y) in the band.
  void clicBande(int bande, Qt::MouseButton bouton, int x, int y);

 protected:
  void paintEvent(QPaintEvent*) override;
  void mousePressEvent(QMouseEvent* e) override;
  void resizeEvent(QResizeEvent* e) override;

 private:
  void AppliquerBarre();
  QScrollBar* barre_;
  bool defilementEnCours_ = false;
  TDessinDiffere* differe_ = nullptr;  // while set, lines drawn are only noted
  int mesureSuivie_ = 0;               // the measure the view last scrolled to
};
