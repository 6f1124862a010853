#include "dialogs/Assistant_Bat.h"

#include <QEvent>
#include <QFontMetrics>
#include <QListWidget>
#include <algorithm>
#include <iterator>
#include <QPushButton>
#include <QVBoxLayout>

#include "components/FenetresOutils.h"
#include "editor/Assistants.h"
#include "editor/Curseur.h"
#include "editor/state/EtatEdition.h"
#include "editor/state/EtatProgramme.h"
#include "editor/state/VueEditeur.h"
#include "editor/EditZoneModel.h"
#include "midi/ApercuPercussion.h"
#include "midi/Lecture.h"
#include "platform/MediaPlayer.h"
#include "settings/Langue.h"

TAssistant_Bat_Form* Assistant_Bat_Form = nullptr;

QString LibelleTouchePercussion(int touche) {
  static const char* const noms[] = {
      "High Q",          "Slap",           "Scratch Push",   "Scratch Pull",    "Sticks",        "Square Click",
      "Metronome Click", "Metronome Bell", "Acoustic Bass Drum", "Bass Drum 1", "Side Stick",    "Acoustic Snare",
      "Hand Clap",       "Electric Snare", "Low Floor Tom",  "Closed Hi-Hat",   "High Floor Tom", "Pedal Hi-Hat",
      "Low Tom",         "Open Hi-Hat",    "Low-Mid Tom",    "Hi-Mid Tom",      "Crash Cymbal 1", "High Tom",
      "Ride Cymbal 1",   "Chinese Cymbal", "Ride Bell",      "Tambourine",      "Splash Cymbal", "Cowbell",
      "Crash Cymbal 2",  "Vibraslap",      "Ride Cymbal 2",  "High Bongo",      "Low Bongo",     "Mute Hi Conga",
      "Open Hi Conga",   "Low Conga",      "High Timbale",   "Low Timbale",     "High Agogo",    "Low Agogo",
      "Cabasa",          "Maracas",        "Short Whistle",  "Long Whistle",    "Short Guiro",   "Long Guiro",
      "Claves",          "Hi Wood Block",  "Low Wood Block", "Mute Cuica",      "Open Cuica",    "Mute Triangle",
      "Open Triangle",   "Shaker",         "Jingle Bell",    "Bell Tree",       "Castinets",     "Mute Surdo",
      "Open Surdo"};
  static_assert(std::size(noms) == TOUCHE_PERCUSSION_MAX - TOUCHE_PERCUSSION_MIN + 1);
  if (touche < TOUCHE_PERCUSSION_MIN || touche > TOUCHE_PERCUSSION_MAX) return {};
  return QStringLiteral("%1 - %2").arg(touche).arg(QLatin1String(noms[touche - TOUCHE_PERCUSSION_MIN]));
}

TAssistant_Bat_Form::TAssistant_Bat_Form(QWidget* parent) : QDialog(parent, Qt::Tool | Qt::WindowStaysOnTopHint) {
  SuivreFenetreOutil(this);
  setObjectName(QStringLiteral("Assistant_Bat_Form"));
  setModal(false);
  setWindowTitle(QStringLiteral("Percussions"));
  Liste = new QListWidget(this);
  Liste->setObjectName(QStringLiteral("Liste"));
  // Four columns: the items run down and wrap into the next column.
  Liste->setFlow(QListView::TopToBottom);
  Liste->setWrapping(true);
  Liste->setResizeMode(QListView::Adjust);
  Liste->setUniformItemSizes(true);
  for (int k = TOUCHE_PERCUSSION_MIN; k <= TOUCHE_PERCUSSION_MAX; ++k) Liste->addItem(LibelleTouchePercussion(k));
  Liste->setCurrentRow(0);
  // Cells wide enough for the longest name, 16 rows to a column.
  const QFontMetrics fm(Liste->font());
  int largeur = 0;
  for (int i = 0; i < Liste->count(); ++i) largeur = std::max(largeur, fm.horizontalAdvance(Liste->item(i)->text()));
  const QSize cellule(largeur + 12, fm.height() + 2);
  Liste->setGridSize(cellule);
  BitBtn1 = new QPushButton(this);
  BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
  BitBtn1->setDefault(true);
  BitBtn1->setFocusPolicy(Qt::NoFocus);
  BitBtn1->setFixedSize(0, 0);  // there only to take the Enter key
  auto* corps = new QVBoxLayout(this);
  corps->setContentsMargins(2, 2, 2, 2);
  corps->addWidget(Liste);
  corps->addWidget(BitBtn1);
  Liste->setMinimumSize(4 * cellule.width() + 2 * Liste->frameWidth() + 8,
                        16 * cellule.height() + 2 * Liste->frameWidth() + 8);
  Liste->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  adjustSize();
  connect(Liste, &QListWidget::itemClicked, this, [this] { ListeClick(); });
  connect(Liste, &QListWidget::itemDoubleClicked, this, [this] { ListeDblClick(); });
  connect(BitBtn1, &QPushButton::clicked, this, [this] {
    ListeClick();
    ListeDblClick();
  });
  Traduire();
}

void TAssistant_Bat_Form::showEvent(QShowEvent* e) {
  QDialog::showEvent(e);
  VueEditeur().DrumAssistantShown(true);
}

void TAssistant_Bat_Form::hideEvent(QHideEvent* e) {
  QDialog::hideEvent(e);
  VueEditeur().DrumAssistantShown(false);
}

void TAssistant_Bat_Form::Traduire() {
  const int g = TrouverGroupe(QStringLiteral("GENE_000"));
  if (g >= 0) setWindowTitle(TexteLigne(g, 8));
}

void TAssistant_Bat_Form::changeEvent(QEvent* e) {
  QDialog::changeEvent(e);
  if (e->type() == QEvent::LanguageChange) Traduire();
}

int TAssistant_Bat_Form::ToucheChoisie() const {
  const int r = Liste->currentRow();
  return r < 0 ? 0 : r + TOUCHE_PERCUSSION_MIN;
}

void TAssistant_Bat_Form::ListeClick() {
  const int touche = ToucheChoisie();
  TMediaPlayer* l = LecteurMIDI();
  if (!touche || PleinEcranActif || !MIDIDisponible || !l) return;
  l->Notify = false;
  l->Close();
  const QString chemin = CheminFichierTemp();
  if (!EcrireMidiPercussion(chemin, Partition, touche)) return;
  if (!l->Open(chemin) || !l->Play() || !l->Erreur().isEmpty()) l->Stop();
}

void TAssistant_Bat_Form::ListeDblClick() {
  const int touche = ToucheChoisie();
  // A drum number is no fret: only the percussion track takes it.
  if (!touche || PleinEcranActif || PisteCourante != PISTE_PERCUSSION) return;
  if (!PoserNoteCurseur(Curseur.Corde, touche)) return;
  RedessinerTempsSaisi();
  VueEditeur().EditZoneImageChanged();
  AfficherEtatMesure();
  VueEditeur().RefreshActions();
  if (parentWidget()) parentWidget()->activateWindow();
}
