#include "dialogs/LetRingAssistant.h"

#include <QApplication>
#include <QCheckBox>
#include <QDesktopServices>
#include <QFileInfo>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QUrl>
#include <QVBoxLayout>

#include "editor/EditionNotes.h"
#include "editor/state/EtatEdition.h"
#include "platform/Folders.h"
#include "settings/Langue.h"
#include "settings/LignesLangue.h"
#include "settings/Mess.h"

TLetRingAssistantForm::TLetRingAssistantForm(QWidget* parent)
    : TDialoguePlage(parent, QStringLiteral("LetRingAssistantForm")) {
  setWindowTitle(QStringLiteral("Let Ring Selector"));
  Intro = new QLabel(this);
  Intro->setObjectName(QStringLiteral("Intro"));
  Intro->setWordWrap(true);
  Corps->insertWidget(0, Intro);
  auto* g = new QGridLayout;
  for (int s = 1; s <= NB_CORDES_MAX; ++s) {
    CB[s] = new QCheckBox(this);
    CB[s]->setObjectName(QStringLiteral("CB%1").arg(s));
    Lib[s] = new QLabel(this);
    Lib[s]->setObjectName(QStringLiteral("Lib%1").arg(s));
    auto* panneau = new QWidget(this);
    panneau->setObjectName(QStringLiteral("Panel%1").arg(s));
    auto* lp = new QHBoxLayout(panneau);
    lp->setContentsMargins(0, 0, 0, 0);
    RY[s] = new QRadioButton(QStringLiteral("Yes"), panneau);
    RY[s]->setObjectName(QStringLiteral("RY%1").arg(s));
    RN[s] = new QRadioButton(QStringLiteral("No"), panneau);
    RN[s]->setObjectName(QStringLiteral("RN%1").arg(s));
    lp->addWidget(RY[s]);
    lp->addWidget(RN[s]);
    RY[s]->setEnabled(false);
    RN[s]->setEnabled(false);
    g->addWidget(CB[s], s, 0);
    g->addWidget(Lib[s], s, 1);
    g->addWidget(panneau, s, 2);
    connect(CB[s], &QCheckBox::clicked, this, [this, s] { CaseCliquee(s); });
    Lib[s]->installEventFilter(this);
  }
  Corps->addLayout(g);
  BT_Aide = new QPushButton(QStringLiteral("Help"), this);
  BT_Aide->setObjectName(QStringLiteral("BT_Aide"));
  LigneBoutons->addWidget(BT_Aide);
  connect(BT_Aide, &QPushButton::clicked, this, [] {
    const QString page = DossierProgramme() + QStringLiteral("help/LetRingAssistant.html");
    if (QFileInfo::exists(page))
      QDesktopServices::openUrl(QUrl::fromLocalFile(page));
    else
      MessageBoxD(TexteLangue("Dlg-Information"), TexteLangue("Aide-NonDisponible"), MB_ICONE_INFORMATION, MB_OK,
                  MB_DEF_OK);
  });
  Traduire();
}

void TLetRingAssistantForm::Traduire() {
  QSet<QChar> utilisees;
  TraduireBoutons(utilisees);
  if (const int d = TrouverGroupe(LignesDlg::Groupe); d >= 0)
    BT_Aide->setText(AjouterRaccourci(TexteLigne(d, LignesDlg::Aide), utilisees));
  const int g = TrouverGroupe(LignesLetRing::Groupe);
  if (g < 0) return;
  setWindowTitle(TexteLigne(g, LignesLetRing::Titre));
  Intro->setText(TexteLigne(g, LignesLetRing::Intro));
  Lab_Mesure->setText(AjouterRaccourci(TexteLigne(g, LignesLetRing::Lab_Mesure), utilisees));
  Lab_a->setText(TexteLigne(g, LignesLetRing::Lab_a));
  for (int s = 1; s <= NB_CORDES_MAX; ++s) {
    RY[s]->setText(TexteLigne(g, LignesLetRing::Oui));
    RN[s]->setText(TexteLigne(g, LignesLetRing::Non));
    Lib[s]->setText(TexteLigne(g, LignesLetRing::Corde) + QStringLiteral(" %1").arg(s));
  }
}

void TLetRingAssistantForm::Initialiser() {
  TDialoguePlage::Initialiser();
  MesDeb->SetValeur(1);
  MesFin->SetValeur(std::max(1, Partition.NbMesures));
  const int cordes = Partition.NbCordes[std::clamp(PisteCourante, 1, NB_PISTES)];
  for (int s = 1; s <= NB_CORDES_MAX; ++s) {
    const bool existe = s <= cordes;
    CB[s]->setEnabled(existe);
    Lib[s]->setEnabled(existe);
    if (!existe) CB[s]->setChecked(false);
    CaseCliquee(s);
  }
}

// A string ticked starts at Yes, whatever it was left at before; unticked it has neither.
void TLetRingAssistantForm::CaseCliquee(int s) {
  const bool coche = CB[s]->isChecked();
  RY[s]->setEnabled(coche);
  RN[s]->setEnabled(coche);
  // A checked radio button of a pair cannot be unchecked while the pair is exclusive.
  for (QRadioButton* r : {RY[s], RN[s]}) r->setAutoExclusive(false);
  RY[s]->setChecked(coche);
  RN[s]->setChecked(false);
  for (QRadioButton* r : {RY[s], RN[s]}) r->setAutoExclusive(true);
}

// A press on a string's row ticks or unticks its box, as a click on the box does.
bool TLetRingAssistantForm::eventFilter(QObject* o, QEvent* e) {
  if (e->type() == QEvent::MouseButtonPress)
    for (int s = 1; s <= NB_CORDES_MAX; ++s)
      if (o == Lib[s] && CB[s]->isEnabled()) {
        CB[s]->setChecked(!CB[s]->isChecked());
        CaseCliquee(s);
        return true;
      }
  return TDialoguePlage::eventFilter(o, e);
}

bool TLetRingAssistantForm::Valider() {
  if (!TDialoguePlage::Valider()) return false;
  for (int s = 1; s <= NB_CORDES_MAX; ++s)
    if (CB[s]->isChecked() && CB[s]->isEnabled()) return true;
  MessageBoxD(TexteLangue("Dlg-Erreur"), TexteGroupe(LignesLetRing::Groupe, LignesLetRing::Erreur), MB_ICONE_ERREUR,
              MB_OK, MB_DEF_OK);
  return false;
}

void TLetRingAssistantForm::Ecrire() {
  int choix[7] = {};
  for (int s = 1; s <= NB_CORDES_MAX; ++s)
    if (CB[s]->isChecked() && CB[s]->isEnabled()) choix[s] = RY[s]->isChecked() ? LETRING_OUI : LETRING_NON;
  QApplication::setOverrideCursor(Qt::WaitCursor);
  NbChanges = AppliquerLetRing(Premiere(), Derniere(), choix);
  QApplication::restoreOverrideCursor();
}
