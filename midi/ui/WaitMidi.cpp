#include "midi/ui/WaitMidi.h"

#include <QElapsedTimer>
#include <QLabel>
#include <QProgressBar>
#include <QTimer>
#include <QVBoxLayout>
#include <QWindow>

#include "platform/Evenements.h"

TWaitMidiForm* WaitMidiForm = nullptr;

namespace {
// Long enough for a window manager to map the window, short enough never to be noticed.
constexpr int kAttenteAffichageMs = 1000;
}  // namespace

// In the tool windows' stay-on-top layer, as it is shown only while it works: the palettes and
// assistants that stay on top of the main window would otherwise cover it.
TWaitMidiForm::TWaitMidiForm(QWidget* parent) : QDialog(parent, Qt::Dialog | Qt::WindowStaysOnTopHint) {
  setObjectName(QStringLiteral("WaitMidiForm"));
  setModal(false);
  auto* l = new QVBoxLayout(this);
  Etat = new QLabel(this);
  Etat->setObjectName(QStringLiteral("Etat"));
  ProgressBar1 = new QProgressBar(this);
  ProgressBar1->setObjectName(QStringLiteral("ProgressBar1"));
  ProgressBar1->setRange(0, 28);
  ProgressBar1->setTextVisible(false);
  l->addWidget(Etat);
  l->addWidget(ProgressBar1);
  setFixedWidth(320);
}

void TWaitMidiForm::paintEvent(QPaintEvent* e) {
  QDialog::paintEvent(e);
  peint_ = true;
}

void TWaitMidiForm::AttendrePeint() {
  // A window just shown is mapped and exposed by the window system later; a repaint before that
  // paints nothing, and the scan that follows would keep it blank to its end.
  peint_ = false;
  const auto expose = [this] { return windowHandle() && windowHandle()->isExposed(); };
  if (expose()) repaint();
  QTimer reveil;  // wakes the wait when nothing else arrives
  reveil.start(10);
  QElapsedTimer t;
  t.start();
  while (!(peint_ && expose()) && t.elapsed() < kAttenteAffichageMs) LaisserPasserMessages(true);
  LaisserPasserMessages();
}

void TWaitMidiForm::Etape(const QString& texte) {
  Etat->setText(texte);
  ProgressBar1->setValue(0);
  show();
  raise();
  AttendrePeint();
}

void TWaitMidiForm::Progression(int valeur) {
  if (valeur == ProgressBar1->value()) return;
  ProgressBar1->setValue(valeur);
  raise();  // above a tool window the user brought forward since the stage began
  ProgressBar1->repaint();
  LaisserPasserMessages();  // a window system's expose or a timer, between two steps of the bar
}
