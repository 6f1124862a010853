#include "view/ui/PanelZoneAffScroll.h"

#include <QApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QSignalBlocker>

#include "editor/state/EtatEdition.h"
#include "editor/state/EtatProgramme.h"
#include "editor/state/Notificateur.h"
#include "platform/Canvas.h"
#include "settings/Config.h"
#include "song/ListesAccords.h"
#include "view/DessinVue.h"

namespace {

// An image grows to a size, never shrinks (a failure keeps the old one).
void Agrandir(QImage& img, int w, int h) {
  if (w <= 0 || h <= 0) return;
  if (!img.isNull() && img.width() >= w && img.height() >= h) return;
  QImage neuve(std::max(w, img.width()), std::max(h, img.height()), QImage::Format_RGB32);
  if (neuve.isNull()) return;
  neuve.fill(ToQColor(ParamEcran.ColBackG));
  img = std::move(neuve);
}

bool MesureValide() { return Partition.MesureCourante >= 1 && Partition.MesureCourante <= Partition.NbMesures; }
}  // namespace

TPanelZoneAffScroll::TPanelZoneAffScroll(QScrollBar* barre, QWidget* parent) : QWidget(parent), barre_(barre) {
  setObjectName(QStringLiteral("PanelZoneAffScroll"));
  setAttribute(Qt::WA_OpaquePaintEvent);
  if (barre_) {
    barre_->setRange(0, 0);
    connect(barre_, &QScrollBar::valueChanged, this, [this] { DefilerVuePartition(); });
  }
  TNotificateur& n = Notificateur();
  connect(&n, &TNotificateur::mesureModifiee, this, [this](int m) { RafraichirMesureModifiee(m); });
  connect(&n, &TNotificateur::vueARefaire, this, [this] { RafraichirVuePartition(); });
  connect(&n, &TNotificateur::partitionRemplacee, this, [this] { RafraichirVuePartition(); });
  connect(&n, &TNotificateur::curseurDeplace, this, [this] { SuivreCurseur(); });
}

void TPanelZoneAffScroll::DimensionnerBandes(int hauteurVisible) {
  TVuePartition& v = VuePartition;
  const int piste = std::clamp(PisteCourante, 1, NB_PISTES);
  ::DimensionnerBandes(v, ParamEcran, Partition.NbCordes[piste], width(), height(), hauteurVisible);
  if (barre_) {
    barre_->setPageStep(v.HauteurBande);
    barre_->setSingleStep(std::max(1, Arrondi(v.HauteurBande / 4.0)));
  }
  // A band never drawn stays null (painted as background) until its first line is drawn.
  for (int n = 1; n <= v.NbBandes; ++n)
    if (!Bandes[n].isNull()) Agrandir(Bandes[n], v.LargeurBande + 6, v.HauteurBande);
}

void TPanelZoneAffScroll::DessinerLigneBande(int ligne) {
  TVuePartition& v = VuePartition;
  if (differe_) {
    differe_->Noter(v, ligne);
    return;
  }
  const int b = BandeDeLigne(v, ligne);
  if (b < 1 || b > v.NbBandes) return;
  // A band past the song's lines shows the background only, as a band never made does.
  const bool vide = ligne < 1 || ligne > v.NbLignes || ligne > NB_MESURES_MAX || v.PremiereMesureLigne[ligne] == 0;
  if (vide && Bandes[b].isNull()) {
    ++LignesDessinees;
    update(0, v.HautBande[b], width(), v.HauteurBande);
    return;
  }
  Agrandir(Bandes[b], v.LargeurBande + 6, v.HauteurBande);
  if (Bandes[b].isNull()) return;
  TCanvas c(&Bandes[b]);
  DessinerLigne(c, v, Partition, PisteCourante, ligne, v.LargeurBande + 6, v.HauteurBande);
  ++LignesDessinees;
  update(0, v.HautBande[b], width(), v.HauteurBande);
}

void TPanelZoneAffScroll::RafraichirVuePartition() {
  if (VuePartition.NbBandes < 1) return;  // not sized yet
  QApplication::setOverrideCursor(Qt::WaitCursor);
  // The ring may travel far before it settles at the scroll position (after a resize it starts
  // again from line 1): its bands are drawn once, where it settles.
  TDessinDiffere differe;
  const bool premier = !differe_;
  if (premier) differe_ = &differe;
  ::RafraichirVuePartition(Partition, PisteCourante, [this](int l) { DessinerLigneBande(l); });
  AppliquerBarre();
  AjusterZoneSaisie();
  ::DimensionnerBandeDiagrammes(VuePartition, ParamEcran, NbAccordsImprimer);
  DefilerVuePartition();
  DessinerBandeDiagrammes();
  if (premier) {
    differe_ = nullptr;
    differe.Dessiner(VuePartition, [this](int l) { DessinerLigneBande(l); });
  }
  QApplication::restoreOverrideCursor();
  update();
}

void TPanelZoneAffScroll::RafraichirMesureModifiee(int m) {
  if (VuePartition.NbBandes < 1) return;
  ::RafraichirMesureModifiee(Partition, PisteCourante, m, [this](int l) { DessinerLigneBande(l); });
  AppliquerBarre();
  // The view stays where it is; only the frame follows the new layout.
  if (MesureValide())
    Selection = CadreMesure(VuePartition, Partition, PisteCourante, ParamEcran, Partition.MesureCourante);
  update();
}

void TPanelZoneAffScroll::DefilerVuePartition() {
  if (defilementEnCours_) return;
  defilementEnCours_ = true;
  const int position = barre_ ? barre_->value() : VuePartition.Position;
  ::DefilerVuePartition(VuePartition, position, [this](int l) { DessinerLigneBande(l); });
  if (MesureValide())
    Selection = CadreMesure(VuePartition, Partition, PisteCourante, ParamEcran, Partition.MesureCourante);
  defilementEnCours_ = false;
  update();
}

void TPanelZoneAffScroll::AppliquerBarre() {
  if (!barre_) return;
  const TVuePartition& v = VuePartition;
  barre_->setRange(v.PositionMin, std::max(v.PositionMin, v.PositionMax));
  barre_->setEnabled(v.DefilementActif);
}

void TPanelZoneAffScroll::MajBarreDefilement() {
  VuePartition.HauteurPanneau = height();
  ::MajBarreDefilement(VuePartition);
  AppliquerBarre();
}

void TPanelZoneAffScroll::DessinerBandeDiagrammes() {
  TVuePartition& v = VuePartition;
  ::DimensionnerBandeDiagrammes(v, ParamEcran, NbAccordsImprimer);
  if (v.HauteurDiagrammes > 0) {
    Agrandir(Bandes[0], v.LargeurBande + 6, v.HauteurDiagrammes);
    if (!Bandes[0].isNull()) {
      TCanvas c(&Bandes[0]);
      ::DessinerBandeDiagrammes(c, v, v.LargeurBande + 6, v.HauteurDiagrammes);
    }
  }
  AppliquerBarre();
  update();
}

void TPanelZoneAffScroll::AjusterZoneSaisie() {
  if (!MesureValide() || VuePartition.NbBandes < 1) return;
  TVuePartition& v = VuePartition;
  v.HauteurPanneau = height();
  const int m = Partition.MesureCourante;
  mesureSuivie_ = m;
  const int pos = PositionPourMesure(v, m, EnLecture && EnLecture(), Configuration.TypeScrolling);
  if (barre_ && pos != barre_->value()) barre_->setValue(pos);  // scrolls through DefilerVuePartition
  Selection = CadreMesure(v, Partition, PisteCourante, ParamEcran, m);
  update();
}

void TPanelZoneAffScroll::SuivreCurseur() {
  // Within the same measure only the frame moves: the user may have scrolled the score away.
  if (Partition.MesureCourante != mesureSuivie_) {
    AjusterZoneSaisie();
  } else if (MesureValide()) {
    Selection = CadreMesure(VuePartition, Partition, PisteCourante, ParamEcran, Partition.MesureCourante);
    update();
  }
}

int TPanelZoneAffScroll::BandeSous(int y) const {
  const TVuePartition& v = VuePartition;
  for (int b = 1; b <= v.NbBandes; ++b)
    if (y >= v.HautBande[b] && y < v.HautBande[b] + v.HauteurBande) return b;
  return 0;
}

void TPanelZoneAffScroll::paintEvent(QPaintEvent* e) {
  QPainter p(this);
  const TVuePartition& v = VuePartition;
  p.fillRect(e->rect(), ToQColor(ParamEcran.ColBackG));
  const int l = v.LargeurBande + 6;
  for (int b = 1; b <= v.NbBandes; ++b)
    if (!Bandes[b].isNull()) p.drawImage(QPoint(0, v.HautBande[b]), Bandes[b], QRect(0, 0, l, v.HauteurBande));
  if (v.HauteurDiagrammes > 0 && !Bandes[0].isNull())
    p.drawImage(QPoint(0, v.HautDiagrammes), Bandes[0], QRect(0, 0, l, v.HauteurDiagrammes));
  if (MesureValide() && Selection.Largeur > 0) {
    p.setPen(QPen(ToQColor(ParamEcran.ColSelect), 1));
    p.setBrush(Qt::NoBrush);
    p.drawRect(Selection.Gauche, Selection.Haut, Selection.Largeur - 1, Selection.Hauteur - 1);
  }
}

void TPanelZoneAffScroll::mousePressEvent(QMouseEvent* e) {
  const QPoint pt = e->position().toPoint();
  const int b = BandeSous(pt.y());
  if (b > 0) emit clicBande(b, e->button(), pt.x(), pt.y() - VuePartition.HautBande[b]);
}

void TPanelZoneAffScroll::resizeEvent(QResizeEvent* e) {
  QWidget::resizeEvent(e);
  MajBarreDefilement();
}
