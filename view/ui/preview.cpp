#include "view/ui/preview.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QPrinter>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSet>
#include <QTimer>
#include <QVBoxLayout>

#include "components/FenetresOutils.h"
#include "components/FormPlace.h"
#include "editor/state/EtatProgramme.h"
#include "editor/state/VueEditeur.h"
#include "settings/Aide.h"
#include "settings/Config.h"
#include "settings/Langue.h"
#include "settings/Mess.h"
#include "view/ui/DlgPrint.h"
#include "view/ImpressionPartition.h"

// The page image with its right and bottom shadows; a drag moves the scroll box.
class TPageApercu : public QWidget {
 public:
  TPageApercu(TPreview_Form* f, QWidget* parent) : QWidget(parent), f_(f) { setCursor(Qt::OpenHandCursor); }
  static constexpr int Bord = 7;

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter p(this);
    const QImage& img = f_->Image;
    p.drawImage(Bord, Bord, img);
    p.fillRect(Bord + img.width(), Bord + 2, 2, img.height(), Qt::black);
    p.fillRect(Bord + 2, Bord + img.height(), img.width(), 2, Qt::black);
  }
  void mousePressEvent(QMouseEvent* e) override {
    if (e->button() != Qt::LeftButton) return QWidget::mousePressEvent(e);
    depart_ = e->globalPosition().toPoint();
    setCursor(Qt::ClosedHandCursor);
  }
  void mouseMoveEvent(QMouseEvent* e) override {
    if (!(e->buttons() & Qt::LeftButton)) return;
    const QPoint q = e->globalPosition().toPoint();
    QScrollArea* s = f_->ScrollBox1;
    s->horizontalScrollBar()->setValue(s->horizontalScrollBar()->value() + depart_.x() - q.x());
    s->verticalScrollBar()->setValue(s->verticalScrollBar()->value() + depart_.y() - q.y());
    depart_ = q;
  }
  void mouseReleaseEvent(QMouseEvent*) override { setCursor(Qt::OpenHandCursor); }

 private:
  TPreview_Form* f_;
  QPoint depart_;
};

TPreview_Form::TPreview_Form(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("Preview_Form"));
  setWindowTitle(QStringLiteral("Print Preview"));
  setWindowFlags(windowFlags() | Qt::WindowMaximizeButtonHint);
  resize(620, 460);
  auto bouton = [this](const QString& texte, const char* nom) {
    auto* b = new QPushButton(texte, this);
    b->setObjectName(QLatin1String(nom));
    b->setAutoDefault(false);
    return b;
  };
  BT_OK = bouton(QStringLiteral("&Close"), "BT_OK");
  BT_Print = bouton(QStringLiteral("&Print"), "BT_Print");
  BT_Setup = bouton(QStringLiteral("P&ref."), "BT_Setup");
  BT_PagePrec = bouton(QStringLiteral("◀"), "BT_PagePrec");
  Lib_Page = new QLabel(QStringLiteral("1"), this);
  Lib_Page->setAlignment(Qt::AlignCenter);
  Lib_Page->setMinimumWidth(40);
  Lib_Page->setFrameShape(QFrame::Panel);
  Lib_Page->setFrameShadow(QFrame::Sunken);
  BT_Page_Suiv = bouton(QStringLiteral("▶"), "BT_Page_Suiv");
  BT_ZoomIn = bouton(QStringLiteral("+"), "BT_ZoomIn");
  BT_ZoomOut = bouton(QStringLiteral("−"), "BT_ZoomOut");
  BT_PageWidth = bouton(QStringLiteral("↔"), "BT_PageWidth");
  BT_FullScreen = bouton(QStringLiteral("▣"), "BT_FullScreen");
  BT_Aide = bouton(QStringLiteral("Aid&e"), "BT_Aide");
  for (QPushButton* b : {BT_PagePrec, BT_Page_Suiv, BT_ZoomIn, BT_ZoomOut, BT_PageWidth, BT_FullScreen})
    b->setFixedWidth(32);
  auto* panneau = new QHBoxLayout;
  for (QWidget* w : std::initializer_list<QWidget*>{BT_OK, BT_Print, BT_Setup, BT_PagePrec, Lib_Page, BT_Page_Suiv,
                                                    BT_ZoomIn, BT_ZoomOut, BT_PageWidth, BT_FullScreen, BT_Aide})
    panneau->addWidget(w);
  panneau->addStretch(1);

  ScrollBox1 = new QScrollArea(this);
  ScrollBox1->setObjectName(QStringLiteral("ScrollBox1"));
  ScrollBox1->setBackgroundRole(QPalette::Dark);
  ScrollBox1->setAlignment(Qt::AlignCenter);
  ScrollBox1->setFocusPolicy(Qt::NoFocus);  // the page keys belong to the window
  Page = new TPageApercu(this, ScrollBox1);
  ScrollBox1->setWidget(Page);
  auto* v = new QVBoxLayout(this);
  v->setContentsMargins(0, 0, 0, 0);
  v->addLayout(panneau);
  v->addWidget(ScrollBox1, 1);

  PopupMenu1 = new QMenu(this);
  PopupMenu1->addAction(QStringLiteral("Zoom In"), this, [this] { BT_ZoomInClick(); });
  PopupMenu1->addAction(QStringLiteral("Zoom Out"), this, [this] { BT_ZoomOutClick(); });
  PopupMenu1->addAction(QStringLiteral("Page width"), this, [this] { BT_PageWidthClick(); });
  PopupMenu1->addAction(QStringLiteral("Full page"), this, [this] { BT_FullScreenClick(); });
  PopupMenu1->addSeparator();
  PopupMenu1->addAction(QStringLiteral("Next page"), this, [this] { BT_Page_SuivClick(); });
  PopupMenu1->addAction(QStringLiteral("Previous page"), this, [this] { BT_PagePrecClick(); });
  ScrollBox1->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(ScrollBox1, &QWidget::customContextMenuRequested, this,
          [this](const QPoint& p) { PopupMenu1->popup(ScrollBox1->mapToGlobal(p)); });

  connect(BT_OK, &QPushButton::clicked, this, &QDialog::accept);
  connect(BT_Print, &QPushButton::clicked, this, [this] { BT_PrintClick(); });
  connect(BT_Setup, &QPushButton::clicked, this, [this] { BT_SetupClick(); });
  connect(BT_PagePrec, &QPushButton::clicked, this, [this] { BT_PagePrecClick(); });
  connect(BT_Page_Suiv, &QPushButton::clicked, this, [this] { BT_Page_SuivClick(); });
  connect(BT_ZoomIn, &QPushButton::clicked, this, [this] { BT_ZoomInClick(); });
  connect(BT_ZoomOut, &QPushButton::clicked, this, [this] { BT_ZoomOutClick(); });
  connect(BT_PageWidth, &QPushButton::clicked, this, [this] { BT_PageWidthClick(); });
  connect(BT_FullScreen, &QPushButton::clicked, this, [this] { BT_FullScreenClick(); });
  // The help's contents, in the help language.
  connect(BT_Aide, &QPushButton::clicked, this, [] { OuvrirAide(NomFichierAide(LangueAide)); });

  // Key scrolling runs from a timer while the key is held, never inside the key handler.
  TimerDefilement = new QTimer(this);
  TimerDefilement->setInterval(5);
  connect(TimerDefilement, &QTimer::timeout, this, [this] { Defiler(); });

  // The window keeps its place and size from one opening to the next.
  FormStorage1 = new TFormStorage(this);
  FormStorage1->IniFileName = QStringLiteral("Vexo.ini");
  FormStorage1->IniSection = QStringLiteral("Print_Preview");
  FormStorage1->OnSaveFailed = AfficherEcritureImpossible;
  CentrerSurEcran(this);  // where no place is stored yet
  ApercuOuvert = true;
  Traduire();
  MettreEnPage();
}

TPreview_Form::~TPreview_Form() { ApercuOuvert = false; }

void TPreview_Form::Traduire() {
  QSet<QChar> utilisees;
  const int g0 = TrouverGroupe(QStringLiteral("DLG_000"));
  if (g0 >= 0) {
    BT_Aide->setText(TexteLigne(g0, 5));
    BT_OK->setText(TexteLigne(g0, 7));
  }
  const int g = TrouverGroupe(QStringLiteral("DLG_PRW_000"));
  if (g < 0) return;
  setWindowTitle(TexteLigne(g, 1));
  BT_Print->setText(TexteLigne(g, 2));
  BT_Setup->setText(TexteLigne(g, 3));
  for (QPushButton* b : {BT_OK, BT_Print, BT_Setup, BT_Aide}) b->setText(AjouterRaccourci(b->text(), utilisees));
}

void TPreview_Form::MettreEnPage() {
  const TPagePapier papier = PagePapier(Imprimante());
  Document = MiseEnPageCourante(papier);
  // The image stands for the printer's page: 752 pixels across at scale 1 (1080 in landscape).
  LargeurPageApercu = papier.HauteurMm < papier.LargeurMm ? 1080 : 752;
  HauteurPageApercu = Arrondi(LargeurPageApercu * papier.HauteurMm / papier.LargeurMm);
  PageCourante_ = BornerPage(PageCourante_, NbPages());
}

void TPreview_Form::showEvent(QShowEvent* e) {
  QDialog::showEvent(e);
  if (Active) return;
  Active = true;
  PageCourante_ = 1;
  // The first opening after start-up fits the page to the window's width.
  if (ParamImpression.PremierApercu)
    ParamImpression.EchelleApercu = double(ScrollBox1->viewport()->width() - 27) / LargeurPageApercu;
  ParamImpression.PremierApercu = false;
  ParamImpression.EchelleApercu = EchelleApercuAjustee(ParamImpression.EchelleApercu);
  DimensionnerImage();
  DessinerPage();
}

void TPreview_Form::DimensionnerImage() {
  const int w = std::max(1, Arrondi(LargeurPageApercu * ParamImpression.EchelleApercu));
  const int h = std::max(1, Arrondi(double(w) * HauteurPageApercu / LargeurPageApercu));
  Image = QImage(w, h, QImage::Format_RGB32);
  Page->setFixedSize(w + 2 * TPageApercu::Bord, h + 2 * TPageApercu::Bord);
}

void TPreview_Form::DessinerPage() {
  QApplication::setOverrideCursor(Qt::WaitCursor);
  PageCourante_ = BornerPage(PageCourante_, NbPages());
  if (!DessinerPageApercu(Image, Document, PageCourante_)) Image.fill(Qt::white);
  QApplication::restoreOverrideCursor();
  MontrerPage();
}

void TPreview_Form::MontrerPage() {
  Lib_Page->setText(QString::number(PageCourante_));
  BT_PagePrec->setEnabled(PageCourante_ > 1);
  BT_Page_Suiv->setEnabled(PageCourante_ < NbPages());
  Page->update();
}

void TPreview_Form::BT_Page_SuivClick() {
  if (PageCourante_ >= NbPages()) return;
  ++PageCourante_;
  DessinerPage();
  ScrollBox1->horizontalScrollBar()->setValue(0);
  ScrollBox1->verticalScrollBar()->setValue(0);
}

void TPreview_Form::BT_PagePrecClick() {
  if (PageCourante_ <= 1) return;
  --PageCourante_;
  DessinerPage();
  ScrollBox1->horizontalScrollBar()->setValue(0);
  ScrollBox1->verticalScrollBar()->setValue(0);
}

void TPreview_Form::BT_ZoomInClick() {
  const double e = ZoomAvantApercu(ParamImpression.EchelleApercu);
  if (e == ParamImpression.EchelleApercu) return;
  ParamImpression.EchelleApercu = e;
  DimensionnerImage();
  DessinerPage();
}

void TPreview_Form::BT_ZoomOutClick() {
  const double e = ZoomArriereApercu(ParamImpression.EchelleApercu);
  if (e == ParamImpression.EchelleApercu) return;
  ParamImpression.EchelleApercu = e;
  DimensionnerImage();
  DessinerPage();
}

void TPreview_Form::BT_PageWidthClick() {
  ParamImpression.EchelleApercu =
      EchelleApercuAjustee(double(ScrollBox1->viewport()->width() - 20) / LargeurPageApercu);
  DimensionnerImage();
  DessinerPage();
}

void TPreview_Form::BT_FullScreenClick() {
  ParamImpression.EchelleApercu =
      EchelleApercuAjustee(std::min(double(ScrollBox1->viewport()->width() - 14) / LargeurPageApercu,
                                   double(ScrollBox1->viewport()->height() - 14) / HauteurPageApercu));
  DimensionnerImage();
  DessinerPage();
}

void TPreview_Form::BT_PrintClick() {
  ImprimerAvecDialogue(this);
  // The printer or its page may have changed.
  MettreEnPage();
  DimensionnerImage();
  DessinerPage();
}

void TPreview_Form::BT_SetupClick() {
  // Opened from the preferences: go back to them instead of opening them twice.
  if (PrefOuvert) {
    accept();
    return;
  }
  if (!VueEditeur().OpenPrintPreferences()) return;
  MettreEnPage();
  DimensionnerImage();
  DessinerPage();
}

void TPreview_Form::keyPressEvent(QKeyEvent* e) {
  switch (e->key()) {
    case Qt::Key_PageUp: PasDefilement = -2; Vertical = true; break;
    case Qt::Key_PageDown: PasDefilement = 2; Vertical = true; break;
    case Qt::Key_Home: PasDefilement = -2; Vertical = false; break;
    case Qt::Key_End: PasDefilement = 2; Vertical = false; break;
    default: QDialog::keyPressEvent(e); return;
  }
  Defiler();
  if (!TimerDefilement->isActive()) TimerDefilement->start();
}

void TPreview_Form::keyReleaseEvent(QKeyEvent* e) {
  if (!e->isAutoRepeat()) TimerDefilement->stop();
  QDialog::keyReleaseEvent(e);
}

void TPreview_Form::Defiler() {
  QScrollBar* b = Vertical ? ScrollBox1->verticalScrollBar() : ScrollBox1->horizontalScrollBar();
  b->setValue(b->value() + PasDefilement);
}
