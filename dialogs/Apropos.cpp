#include "dialogs/Apropos.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>

#include "components/FenetresOutils.h"
#include "components/SplashGIF.h"
#include "components/VxLabel.h"
#include "settings/Langue.h"
#include "settings/LignesLangue.h"

namespace {
// The maker's site, which the link opens in the desktop's browser. The program has none to name:
// the link stays hidden while this is empty rather than point at an address that is not ours.
const char* const kAdresseSite = "";
constexpr const char* kVersion = "2.2";
}  // namespace

TAproposForm::TAproposForm(QWidget* parent) : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint) {
  setObjectName(QStringLiteral("AproposForm"));
  auto* cadre = new QFrame(this);
  cadre->setFrameShape(QFrame::Panel);
  cadre->setFrameShadow(QFrame::Raised);
  cadre->setLineWidth(2);

  Image = new QLabel(cadre);
  Image->setObjectName(QStringLiteral("Image"));
  Image->setPixmap(QPixmap::fromImage(SplashPicture()).scaledToWidth(186, Qt::SmoothTransformation));
  Titre = new TVxLabel(cadre);
  Titre->setObjectName(QStringLiteral("Titre"));
  Titre->setText(QStringLiteral("Strumquill"));
  QFont f = Titre->font();
  f.setPointSize(20);
  f.setBold(true);
  Titre->setFont(f);
  Titre->SetTextStyle(TTextStyle::tsShadow);
  Titre->SetFontColor(0x6A240A);
  Titre->SetTransparent(true);
  Titre->setMinimumHeight(QFontMetrics(f).height() + 4);
  Version = new QLabel(QStringLiteral("Version 2.2"), cadre);
  Version->setObjectName(QStringLiteral("Version"));
  Droits = new QLabel(cadre);
  Droits->setObjectName(QStringLiteral("Droits"));
  Droits->setWordWrap(true);
  PatcheAuteur = new QLabel(cadre);
  PatcheAuteur->setObjectName(QStringLiteral("PatcheAuteur"));
  PatcheAuteur->setWordWrap(true);
  VxURLLabel1 = new TVxURLLabel(cadre);
  VxURLLabel1->setObjectName(QStringLiteral("VxURLLabel1"));
  VxURLLabel1->setText(QString::fromLatin1(kAdresseSite));
  VxURLLabel1->SetLayout(TTextLayout::tlTop);
  VxURLLabel1->SetBevelWidth(0);
  VxURLLabel1->SetBorderSides(0);
  VxURLLabel1->SetTransparent(true);
  VxURLLabel1->setMinimumHeight(QFontMetrics(VxURLLabel1->font()).height() + 2);
  VxURLLabel1->setVisible(*kAdresseSite != '\0');
  BT_OK = new QPushButton(QStringLiteral("OK"), cadre);
  BT_OK->setObjectName(QStringLiteral("BT_OK"));
  BT_OK->setDefault(true);
  connect(BT_OK, &QPushButton::clicked, this, &QDialog::accept);

  auto* textes = new QVBoxLayout;
  textes->addWidget(Titre);
  textes->addWidget(Version);
  textes->addWidget(Droits);
  textes->addSpacing(6);
  textes->addWidget(PatcheAuteur);
  textes->addWidget(VxURLLabel1);
  textes->addStretch();
  auto* haut = new QHBoxLayout;
  haut->addLayout(textes, 1);
  // The picture stands at the right edge of the panel.
  haut->addWidget(Image, 0, Qt::AlignTop | Qt::AlignRight);
  auto* bas = new QHBoxLayout;
  bas->addStretch();
  bas->addWidget(BT_OK);
  auto* v = new QVBoxLayout(cadre);
  v->addLayout(haut);
  v->addLayout(bas);
  auto* tout = new QVBoxLayout(this);
  tout->setContentsMargins(0, 0, 0, 0);
  tout->addWidget(cadre);
  setMinimumWidth(470);
  CentrerSurEcran(this);
  Traduire();
}

void TAproposForm::Traduire() {
  QSet<QChar> utilisees;
  BT_OK->setText(
      AjouterRaccourci(LegendeGroupe(QString::fromLatin1(LignesDlg::Groupe), LignesDlg::OK, BT_OK->text()), utilisees));
  Version->setText(LegendeGroupe(QStringLiteral("GENE_000"), 1, QStringLiteral("Version")) + QLatin1Char(' ') +
                   QString::fromLatin1(kVersion));
  Droits->setText(LegendeGroupe(QStringLiteral("GENE_000"), 2, Droits->text()));
}

void TAproposForm::FormActivate() { PatcheAuteur->setText(AuteurPatche); }

void TAproposForm::showEvent(QShowEvent* e) {
  QDialog::showEvent(e);
  FormActivate();
}

void MontrerApropos(QWidget* parent) {
  TAproposForm f(parent);
  f.exec();
}
