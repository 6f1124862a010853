#include "settings/ui/Welcome.h"

#include <QApplication>
#include <QCloseEvent>
#include <QGroupBox>
#include <QGuiApplication>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <cstdio>

#include "components/FenetresOutils.h"
#include "platform/Canvas.h"
#include "platform/Types.h"
#include "settings/Langue.h"

namespace {
TChoixLangue& Choix() {
  static TChoixLangue c;
  return c;
}

// Two paragraphs; parted by line feeds, since a lone CR breaks no line in a Qt label (and sends
// a terminal back to the start of the line).
const char* const kAucuneLangue =
    "No language patch installed (files *.sqg).\n\nPlease install at least one patch to start correctly the software.";
// Nobody can answer a window on a headless display.
bool SansEcran() {
  const QString plateforme = QGuiApplication::platformName();
  return plateforme == QLatin1String("offscreen") || plateforme == QLatin1String("minimal");
}
}  // namespace

void InstallerChoixLangue(TChoixLangue choix) { Choix() = std::move(choix); }

TWelcomeDlg::TWelcomeDlg(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowMinMaxButtonsHint) {
  int dpi = 96;
  if (QScreen* s = QGuiApplication::primaryScreen()) dpi = std::max(1, Arrondi(s->logicalDotsPerInch()));
  auto px = [dpi](int k) { return Arrondi(k * static_cast<double>(dpi) / 96.0); };

  setWindowTitle(QStringLiteral("Strumquill"));
  QFont police(SubstituerPolice("MS Sans Serif"));
  police.setPointSize(8);
  setFont(police);
  setFixedSize(px(202), px(253));

  GroupBox1 = new QGroupBox(QStringLiteral(" Select your language "), this);
  GroupBox1->setGeometry(px(8), px(8), px(185), px(193));
  ListBox1 = new QListWidget(GroupBox1);
  ListBox1->setGeometry(px(16), px(24), px(153), px(153));
  ListBox1->setSelectionMode(QAbstractItemView::SingleSelection);
  BT_OK = new QPushButton(QStringLiteral("&OK"), this);
  BT_OK->setGeometry(px(57), px(215), px(88), px(25));
  BT_OK->setDefault(true);
  BT_OK->setAutoDefault(true);

  connect(BT_OK, &QPushButton::clicked, this, [this] { accept(); });
  connect(ListBox1, &QListWidget::itemDoubleClicked, this, [this] { BT_OK->click(); });

  CentrerSurEcran(this);
  FormCreate();
}

void TWelcomeDlg::FormCreate() {
  ListBox1->addItems(ListeLangues);
  if (ListeLangues.isEmpty()) {
    if (SansEcran())
      std::fprintf(stderr, "%s\n", kAucuneLangue);
    else {
      // The framework's plain box, without an icon.
      QMessageBox boite(QMessageBox::NoIcon, QStringLiteral("Strumquill"), QString::fromLatin1(kAucuneLangue),
                        QMessageBox::Ok);
      boite.exec();
    }
    return;
  }
  ListBox1->setCurrentRow(0);
}

void TWelcomeDlg::FormClose() {
  if (ferme_) return;
  ferme_ = true;
  if (ListBox1->count() > 0 && ListBox1->currentItem()) PatcheLangue = ListBox1->currentItem()->text();
}

void TWelcomeDlg::done(int r) {
  FormClose();
  QDialog::done(r);
}

void TWelcomeDlg::reject() {}

void TWelcomeDlg::closeEvent(QCloseEvent* e) {
  FormClose();
  e->accept();
  QDialog::done(QDialog::Accepted);
}

void ChoisirLangueDemarrage() {
  if (Choix()) {
    QString nom = Choix()(ListeLangues);
    PatcheLangue = ListeLangues.contains(nom) ? nom : QString();
    return;
  }
  QString env = qEnvironmentVariable("VEXO_LANGUE");
  if (!env.isEmpty() && ListeLangues.contains(env)) {
    PatcheLangue = env;
    return;
  }
  if (SansEcran()) {
    // Nobody can pick on a headless display: take what OK without a choice would give.
    if (ListeLangues.isEmpty())
      std::fprintf(stderr, "%s\n", kAucuneLangue);
    else
      PatcheLangue = ListeLangues.first();
    return;
  }
  TWelcomeDlg dlg;
  dlg.exec();
}
