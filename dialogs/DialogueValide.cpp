#include "dialogs/DialogueValide.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

#include "editor/state/EtatEdition.h"
#include "editor/state/EtatProgramme.h"
#include "editor/state/VueEditeur.h"
#include "settings/Langue.h"
#include "settings/LignesLangue.h"
#include "settings/Mess.h"

int PlageMesuresIncorrecte(const QString& debut, const QString& fin, int nbMesures) {
  bool ok = false;
  const int d = debut.trimmed().toInt(&ok);
  if (!ok || d < 1 || d > nbMesures) return 1;
  const int f = fin.trimmed().toInt(&ok);
  if (!ok || f < 1 || f > nbMesures || f < d) return 2;
  return 0;
}

TDialogueValide::TDialogueValide(QWidget* parent, const QString& nom) : QDialog(parent) {
  setObjectName(nom);
  auto* tout = new QVBoxLayout(this);
  Corps = new QVBoxLayout;
  tout->addLayout(Corps);
  LigneBoutons = new QHBoxLayout;
  LigneBoutons->addStretch();
  BT_OK = new QPushButton(QStringLiteral("OK"), this);
  BT_OK->setObjectName(QStringLiteral("BT_OK"));
  BT_OK->setDefault(true);
  BT_Annuler = new QPushButton(QStringLiteral("Cancel"), this);
  BT_Annuler->setObjectName(QStringLiteral("BT_Annuler"));
  LigneBoutons->addWidget(BT_OK);
  LigneBoutons->addWidget(BT_Annuler);
  tout->addLayout(LigneBoutons);
  connect(BT_OK, &QPushButton::clicked, this, &TDialogueValide::BT_OKClick);
  connect(BT_Annuler, &QPushButton::clicked, this, &QDialog::reject);
}

void TDialogueValide::BT_OKClick() {
  if (!Valider()) return;
  Ecrire();
  accept();
}

bool TDialogueValide::Refuser(TChampNumerique* champ) {
  AfficherSaisieIncorrecte();
  if (champ) champ->Selectionner();
  return false;
}

bool TDialogueValide::Refuser(QWidget* champ) {
  AfficherSaisieIncorrecte();
  if (champ) {
    champ->setFocus();
    if (auto* e = qobject_cast<QLineEdit*>(champ)) e->selectAll();
  }
  return false;
}

void TDialogueValide::TraduireBoutons(QSet<QChar>& utilisees) {
  const int g = TrouverGroupe(LignesDlg::Groupe);
  if (g < 0) return;
  BT_OK->setText(AjouterRaccourci(TexteLigne(g, LignesDlg::OK), utilisees));
  BT_Annuler->setText(AjouterRaccourci(TexteLigne(g, LignesDlg::Annuler), utilisees));
}

// ---------------------------------------------------------------------------------------------

TDialogueApercu::TDialogueApercu(QWidget* parent, const QString& nom) : TDialogueValide(parent, nom) {}

void TDialogueApercu::Ouvrir() {
  mesure_ = Partition.MesureCourante;
  piste_ = PisteCourante;
  temps_ = std::clamp(Curseur.Temps, 1, NB_SLOTS_TEMPS);
  copie_ = Partition.Courante()->Temps[piste_][temps_];
  ouvert_ = true;
}

void TDialogueApercu::showEvent(QShowEvent* e) {
  TDialogueValide::showEvent(e);
  if (!ouvert_) Ouvrir();
}

void TDialogueApercu::Previsualiser() {
  if (!ouvert_ || !Ecoute() || !EntreeValide()) return;
  Appliquer();
  if (VueEditeur().PlayWhileEntering() && MIDIDisponible) VueEditeur().PlayCurrentBeat();
}

void TDialogueApercu::done(int r) {
  // Anything but OK takes the preview back: the beat is as it was, whatever was listened to.
  if (r != QDialog::Accepted && ouvert_ && Partition.Mesure(mesure_))
    Partition.Mesure(mesure_)->Temps[piste_][temps_] = copie_;
  ouvert_ = false;
  TDialogueValide::done(r);
}

// ---------------------------------------------------------------------------------------------

TDialogueValeur::TDialogueValeur(QWidget* parent, const QString& nom, const QString& nomChamp,
                                 ProfilRepetition profil, double minimum, double maximum, double pas, int longueur)
    : TDialogueValide(parent, nom) {
  auto* ligne = new QHBoxLayout;
  Label = new QLabel(this);
  Label->setObjectName(QStringLiteral("Label"));
  Champ = new TChampNumerique(this, nomChamp, profil, minimum, maximum, pas, longueur);
  Label->setBuddy(Champ->Edit);
  ligne->addWidget(Label);
  ligne->addWidget(Champ);
  ligne->addStretch();
  Corps->addLayout(ligne);
}

void TDialogueValeur::Traduire(const char* groupe, int ligneTitre, int ligneLabel) {
  QSet<QChar> utilisees;
  const int g = TrouverGroupe(QString::fromLatin1(groupe));
  if (g >= 0) {
    setWindowTitle(TexteLigne(g, ligneTitre));
    if (ligneLabel > 0) Label->setText(AjouterRaccourci(TexteLigne(g, ligneLabel), utilisees));
  }
  TraduireBoutons(utilisees);
}

void TDialogueValeur::showEvent(QShowEvent* e) {
  TDialogueValide::showEvent(e);
  Initialiser();
  Champ->Selectionner();
}

// ---------------------------------------------------------------------------------------------

TDialoguePlage::TDialoguePlage(QWidget* parent, const QString& nom) : TDialogueValide(parent, nom) {
  LignePlage = new QHBoxLayout;
  Lab_Mesure = new QLabel(QStringLiteral("Bars"), this);
  Lab_Mesure->setObjectName(QStringLiteral("Lab_Mesure"));
  Lab_a = new QLabel(QStringLiteral("to"), this);
  Lab_a->setObjectName(QStringLiteral("Lab_a"));
  // Four digits: a song holds up to 1000 measures.
  MesDeb = new TChampNumerique(this, QStringLiteral("MesDeb"), ProfilRepetition::Entier, 1, 1, 1, 4);
  MesFin = new TChampNumerique(this, QStringLiteral("MesFin"), ProfilRepetition::Entier, 1, 1, 1, 4);
  Lab_Mesure->setBuddy(MesDeb->Edit);
  LignePlage->addWidget(Lab_Mesure);
  LignePlage->addWidget(MesDeb);
  LignePlage->addWidget(Lab_a);
  LignePlage->addWidget(MesFin);
  LignePlage->addStretch();
  Corps->addLayout(LignePlage);
}

void TDialoguePlage::Initialiser() {
  for (TChampNumerique* c : {MesDeb, MesFin}) {
    c->SetBornes(1, std::max(1, Partition.NbMesures));
    c->SetValeur(Partition.MesureCourante);
  }
}

void TDialoguePlage::showEvent(QShowEvent* e) {
  TDialogueValide::showEvent(e);
  Initialiser();
  MesDeb->Selectionner();
}

bool TDialoguePlage::Valider() {
  switch (PlageMesuresIncorrecte(MesDeb->Texte(), MesFin->Texte(), Partition.NbMesures)) {
    case 1: return Refuser(MesDeb);
    case 2: return Refuser(MesFin);
    default: return true;
  }
}
