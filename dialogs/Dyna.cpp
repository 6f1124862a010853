#include "dialogs/Dyna.h"

#include <QButtonGroup>
#include <QHBoxLayout>
#include <QToolButton>

TDynaForm* DynaForm = nullptr;

TDynaForm::TDynaForm(QWidget* parent) : QDialog(parent, Qt::Tool) {
  setObjectName(QStringLiteral("DynaForm"));
  setModal(false);
  static const char* const kNoms[9] = {"", "ppp", "pp", "p", "mp", "mf", "f", "ff", "fff"};
  auto* l = new QHBoxLayout(this);
  auto* groupe = new QButtonGroup(this);
  for (int i = 1; i <= 8; ++i) {
    auto* b = new QToolButton(this);
    b->setObjectName(QStringLiteral("BT_DynaNote_%1").arg(i));
    b->setText(QString::fromLatin1(kNoms[i]));
    b->setCheckable(true);
    b->setProperty("Tag", i);
    groupe->addButton(b, i);
    l->addWidget(b);
    BT_DynaNote[i] = b;
  }
  BT_Default = new QToolButton(this);
  BT_Default->setObjectName(QStringLiteral("BT_Default"));
  BT_Apply = new QToolButton(this);
  BT_Apply->setObjectName(QStringLiteral("BT_Apply"));
  BT_Apply->setCheckable(true);
  l->addWidget(BT_Default);
  l->addWidget(BT_Apply);
  Traduire();
}

void TDynaForm::Traduire() {}
