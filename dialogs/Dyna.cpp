#include "dialogs/Dyna.h"

#include <QButtonGroup>
#include <QEvent>
#include <QGridLayout>
#include <QKeyEvent>
#include <QToolButton>

#include "components/FenetresOutils.h"
#include "dialogs/MainWindowKeys.h"
#include "editor/EditionNotes.h"
#include "editor/state/EtatProgramme.h"
#include "editor/state/VueEditeur.h"
#include "settings/Config.h"
#include "settings/Langue.h"

TDynaForm* DynaForm = nullptr;

TDynaForm::TDynaForm(QWidget* parent) : QDialog(parent, Qt::Tool | Qt::WindowStaysOnTopHint) {
  SuivreFenetreOutil(this);
  setObjectName(QStringLiteral("DynaForm"));
  setWindowTitle(QStringLiteral("Dynamic"));
  setModal(false);
  static const char* const kNoms[9] = {"", "ppp", "pp", "p", "mp", "mf", "f", "ff", "fff"};
  static const char* const kHints[9] = {"",           "piano pianissimo", "pianissimo", "piano",           "mezzo piano",
                                        "mezzo forte", "forte",            "fortissimo", "forte fortissimo"};
  auto* l = new QGridLayout(this);
  l->setContentsMargins(4, 4, 4, 4);
  l->setSpacing(1);
  auto* groupe = new QButtonGroup(this);
  for (int i = 1; i <= 8; ++i) {
    auto* b = new QToolButton(this);
    b->setObjectName(QStringLiteral("BT_DynaNote_%1").arg(i));
    b->setText(QString::fromLatin1(kNoms[i]));
    b->setToolTip(QString::fromLatin1(kHints[i]));
    b->setCheckable(true);
    b->setFocusPolicy(Qt::NoFocus);
    b->setFixedSize(30, 24);
    b->setProperty("Tag", i);
    groupe->addButton(b, i);
    l->addWidget(b, 0, i - 1);
    BT_DynaNote[i] = b;
    connect(b, &QToolButton::clicked, this, [this, i] { BT_DynaNote_1Click(i); });
  }
  BT_DynaNote[6]->setChecked(true);
  BT_Default = new QToolButton(this);
  BT_Default->setObjectName(QStringLiteral("BT_Default"));
  BT_Default->setText(QStringLiteral("Set as Default"));
  BT_Apply = new QToolButton(this);
  BT_Apply->setObjectName(QStringLiteral("BT_Apply"));
  BT_Apply->setText(QStringLiteral("Apply to the chord"));
  BT_Apply->setCheckable(true);
  for (QToolButton* b : {BT_Default, BT_Apply}) {
    b->setFocusPolicy(Qt::NoFocus);
    b->setToolButtonStyle(Qt::ToolButtonTextOnly);
    b->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    connect(b, &QToolButton::clicked, this, [this] { BT_DefaultClick(); });
  }
  l->addWidget(BT_Default, 1, 0, 1, 4);
  l->addWidget(BT_Apply, 1, 4, 1, 4);
  l->setSizeConstraint(QLayout::SetFixedSize);
  Traduire();
}

void TDynaForm::Traduire() {
  const int g = TrouverGroupe(QStringLiteral("DLG_DYNA_000"));
  if (g < 0) return;
  setWindowTitle(TexteLigne(g, 1));
  BT_Default->setText(TexteLigne(g, 2));
  BT_Default->setToolTip(TexteLigne(g, 3));
  BT_Apply->setText(TexteLigne(g, 4));
  BT_Apply->setToolTip(TexteLigne(g, 5));
}

void TDynaForm::changeEvent(QEvent* e) {
  QDialog::changeEvent(e);
  if (e->type() == QEvent::LanguageChange) Traduire();
}

int TDynaForm::NuanceBas() const {
  for (int k = 1; k <= 8; ++k)
    if (BT_DynaNote[k]->isChecked()) return k;
  return 0;
}

void TDynaForm::BT_DynaNote_1Click(int k) {
  if (k < 1 || k > 8) return;
  BT_DynaNote[k]->setChecked(true);
  PoserNuance(k, BT_Apply->isChecked());
  if (VueEditeur().PlayWhileEntering() && MIDIDisponible) VueEditeur().PlayCurrentBeat();
  VueEditeur().RefreshActions();
}

void TDynaForm::BT_DefaultClick() {
  if (const int k = NuanceBas()) Configuration.DefaultDynamic = k;
}

// The palette holds no text field: its keys are the main window's.
void TDynaForm::keyPressEvent(QKeyEvent* e) {
  if (!PassKeyToMainWindow(this, e)) QDialog::keyPressEvent(e);
}

void TDynaForm::keyReleaseEvent(QKeyEvent* e) {
  if (!PassKeyToMainWindow(this, e)) QDialog::keyReleaseEvent(e);
}
