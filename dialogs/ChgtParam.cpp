#include "dialogs/ChgtParam.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <QToolButton>
#include <QVBoxLayout>

#include "editor/EditionNotes.h"
#include "editor/state/EtatEdition.h"
#include "editor/Saisie.h"
#include "midi/Lecture.h"
#include "settings/Langue.h"
#include "settings/LignesLangue.h"

TChgtParamForm::TChgtParamForm(QWidget* parent) : TDialogueValide(parent, QStringLiteral("ChgtParamForm")) {
  Intro = new QLabel(this);
  Intro->setObjectName(QStringLiteral("Intro"));
  Intro->setWordWrap(true);
  Corps->addWidget(Intro);
  auto* g = new QGridLayout;
  Lab_NewValue = new QLabel(QStringLiteral("New value"), this);
  Lab_NewValue->setObjectName(QStringLiteral("Lab_NewValue"));
  Lab_Transition = new QLabel(QStringLiteral("Transition"), this);
  Lab_Transition->setObjectName(QStringLiteral("Lab_Transition"));
  g->addWidget(Lab_NewValue, 0, 1);
  g->addWidget(Lab_Transition, 0, 2);
  static const char* const kNoms[NB_PARAMS] = {"Instrument", "Volume", "Pan", "Chorus", "Reverb", "Tempo"};
  for (int p = 0; p < NB_PARAMS; ++p) {
    const QString nom = QString::fromLatin1(kNoms[p]);
    CB[p] = new QCheckBox(nom, this);
    CB[p]->setObjectName(QStringLiteral("CB_") + nom);
    connect(CB[p], &QCheckBox::toggled, this, &TChgtParamForm::MajVisibilite);
    g->addWidget(CB[p], p + 1, 0);
    if (p == INSTRUMENT) {
      L_Instrument = new QComboBox(this);
      L_Instrument->setObjectName(QStringLiteral("L_Instrument"));
      for (int i = 0; i < 128; ++i) L_Instrument->addItem(NomInstrument(i));  // "30 - Distortion Guitar"
      g->addWidget(L_Instrument, p + 1, 1, 1, 2);
      continue;
    }
    if (p == TEMPO) {
      J_Tempo = new TChampNumerique(this, QStringLiteral("J_Tempo"), ProfilRepetition::Entier, 1, 999, 1, 3);
      J_Tempo->Haut->setObjectName(QStringLiteral("BT_TempoUp"));
      J_Tempo->Bas->setObjectName(QStringLiteral("BT_TempoDown"));
      g->addWidget(J_Tempo, p + 1, 1, Qt::AlignLeft);
    } else {
      J[p] = new QSlider(Qt::Horizontal, this);
      J[p]->setObjectName(QStringLiteral("J_") + nom);
      J[p]->setRange(0, 20);
      J[p]->setMinimumWidth(140);
      g->addWidget(J[p], p + 1, 1);
    }
    L[p] = new QComboBox(this);
    L[p]->setObjectName(QStringLiteral("L_") + nom);
    L[p]->addItem(QStringLiteral("Immediatly"));
    for (int b = 1; b <= 8; ++b) L[p]->addItem(b == 1 ? QStringLiteral("1 beat") : QStringLiteral("%1 beats").arg(b));
    g->addWidget(L[p], p + 1, 2);
  }
  Corps->addLayout(g);
  BT_Clear = new QPushButton(QStringLiteral("Clear"), this);
  BT_Clear->setObjectName(QStringLiteral("BT_Clear"));
  LigneBoutons->insertWidget(0, BT_Clear);
  connect(BT_Clear, &QPushButton::clicked, this, [this] {
    for (QCheckBox* c : CB) c->setChecked(false);
  });
  Traduire();
  MajVisibilite();
}

void TChgtParamForm::Traduire() {
  QSet<QChar> utilisees;
  TraduireBoutons(utilisees);
  if (const int d = TrouverGroupe(LignesDlg::Groupe); d >= 0)
    BT_Clear->setText(AjouterRaccourci(TexteLigne(d, LignesDlg::Effacer), utilisees));
  const int g = TrouverGroupe(LignesMix::Groupe);
  if (g < 0) return;
  setWindowTitle(TexteLigne(g, LignesMix::Titre));
  Intro->setText(TexteLigne(g, LignesMix::Intro));
  for (int p = 0; p < NB_PARAMS; ++p) CB[p]->setText(AjouterRaccourci(TexteLigne(g, LignesMix::Instrument + p), utilisees));
  Lab_NewValue->setText(TexteLigne(g, LignesMix::NouvelleValeur));
  Lab_Transition->setText(TexteLigne(g, LignesMix::Transition));
  for (QComboBox* c : L)
    if (c)
      for (int i = 0; i < c->count(); ++i) c->setItemText(i, TexteLigne(g, LignesMix::TransitionPremiere + i));
}

void TChgtParamForm::MajVisibilite() {
  L_Instrument->setVisible(CB[INSTRUMENT]->isChecked());
  bool colonnes = false;
  for (int p = VOLUME; p < NB_PARAMS; ++p) {
    const bool v = CB[p]->isChecked();
    colonnes = colonnes || v;
    if (J[p]) J[p]->setVisible(v);
    if (p == TEMPO) J_Tempo->setVisible(v);
    L[p]->setVisible(v);
  }
  Lab_NewValue->setVisible(colonnes);
  Lab_Transition->setVisible(colonnes);
}

void TChgtParamForm::showEvent(QShowEvent* e) {
  TDialogueValide::showEvent(e);
  const int t = std::clamp(PisteCourante, 1, NB_PISTES);
  L_Instrument->setCurrentIndex(std::clamp(Partition.Instrument[t], 0, 127));
  J[VOLUME]->setValue(MidiVersCurseur(Partition.Volume[t]));
  J[PAN]->setValue(MidiVersCurseur(Partition.Panoramique[t]));
  J[CHORUS]->setValue(MidiVersCurseur(Partition.Chorus[t]));
  J[REVERB]->setValue(MidiVersCurseur(Partition.Reverb[t]));
  J_Tempo->SetValeur(Partition.Tempo);
  for (QComboBox* c : L)
    if (c) c->setCurrentIndex(0);
  for (QCheckBox* c : CB) c->setChecked(false);
  if (const cTableMixEvent* m = TempsCourant().MixTable.get()) {
    if (m->Instrument >= 0) {
      CB[INSTRUMENT]->setChecked(true);
      L_Instrument->setCurrentIndex(m->Instrument);
    }
    const struct { int p; int valeur; int trans; } lignes[] = {{VOLUME, m->Volume, m->TransVolume},
                                                               {PAN, m->Panoramique, m->TransPanoramique},
                                                               {CHORUS, m->Chorus, m->TransChorus},
                                                               {REVERB, m->Reverb, m->TransReverb}};
    for (const auto& l : lignes) {
      if (l.valeur < 0) continue;
      CB[l.p]->setChecked(true);
      J[l.p]->setValue(MidiVersCurseur(l.valeur));
      L[l.p]->setCurrentIndex(std::clamp(l.trans, 0, 8));
    }
    if (m->Tempo >= 0) {
      CB[TEMPO]->setChecked(true);
      J_Tempo->SetValeur(m->Tempo);
      L[TEMPO]->setCurrentIndex(std::clamp<int>(m->TransTempo, 0, 8));
    }
  }
  MajVisibilite();
}

bool TChgtParamForm::Valider() {
  // The tempo is checked even when it does not change: the field must hold a tempo.
  bool ok = false;
  const int v = J_Tempo->ValeurEntiere(&ok);
  if (ok && v >= 1 && v <= 999) return true;
  // The field is shown only with its box ticked: tick it so that the refused tempo can be seen
  // and corrected.
  CB[TEMPO]->setChecked(true);
  return Refuser(J_Tempo);
}

void TChgtParamForm::Ecrire() {
  const cTableMixEvent* ancien = TempsCourant().MixTable.get();
  Resultat = ancien ? *ancien : cTableMixEvent();
  Resultat.Instrument = CB[INSTRUMENT]->isChecked() ? static_cast<int8_t>(L_Instrument->currentIndex()) : -1;
  struct { int p; int8_t* valeur; uint8_t* trans; } lignes[] = {
      {VOLUME, &Resultat.Volume, &Resultat.TransVolume},
      {PAN, &Resultat.Panoramique, &Resultat.TransPanoramique},
      {CHORUS, &Resultat.Chorus, &Resultat.TransChorus},
      {REVERB, &Resultat.Reverb, &Resultat.TransReverb}};
  for (auto& l : lignes) {
    if (!CB[l.p]->isChecked()) {
      *l.valeur = -1;
      continue;
    }
    *l.valeur = static_cast<int8_t>(CurseurVersMidi(J[l.p]->value()));
    *l.trans = static_cast<uint8_t>(L[l.p]->currentIndex());
  }
  if (CB[TEMPO]->isChecked()) {
    Resultat.Tempo = J_Tempo->ValeurEntiere();
    Resultat.TransTempo = static_cast<uint8_t>(L[TEMPO]->currentIndex());
  } else {
    Resultat.Tempo = -1;
  }
  AvecChangement = false;
  for (QCheckBox* c : CB) AvecChangement = AvecChangement || c->isChecked();
}
