#include "midi/Lecture.h"

#include <QCursor>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QTimer>
#include <algorithm>
#include <cmath>

#include "song/Song.h"
#include "editor/state/EtatEdition.h"
#include "editor/state/EtatProgramme.h"
#include "editor/state/Notificateur.h"
#include "editor/state/VueEditeur.h"
#include "midi/EcritureMIDI.h"
#include "midi/uMIDIPile.h"
#include "platform/Evenements.h"
#include "platform/Folders.h"
#include "platform/MediaPlayer.h"
#include "settings/Config.h"
#include "settings/Langue.h"
#include "settings/Mess.h"

const char* const NomsInstruments[128] = {
    "Acoustic Grand Piano", "Bright Acoustic Piano", "Electric Grand Piano", "Honky-tonk Piano", "Rhodes Piano",
    "Chorused Piano", "Harpsichord", "Clavinet", "Celesta ", "Glockenspiel", "Music Box", "Vibraphone", "Marimba",
    "Xylophone", "Tubular Bells", "Dulcimer", "Hammond Organ", "Percussive Organ", "Rock Organ", "Church Organ",
    "Reed Organ", "Accordion", "Harmonica", "Tango Accordion", "Acoustic Guitar (nylon)", "Acoustic Guitar (steel)",
    "Electric Guitar (jazz)", "Electric Guitar (clean)", "Electric Guitar (muted)", "Overdriven Guitar",
    "Distortion Guitar", "Guitar Harmonics", "Acoustic Bass", "Electric Bass (finger)", "Electric Bass (pick)",
    "Fretless Bass", "Slap Bass 1", "Slap Bass 2", "Synth Bass 1", "Synth Bass 2", "Violin", "Viola", "Cello",
    "Contrabass", "Tremolo Strings", "Pizzicato Strings", "Orchestral Harp", "Timpani", "String Ensemble 1",
    "String Ensemble 2", "SynthStrings 1", "SynthStrings 2", "Choir Aahs", "Voice Oohs", "Synth Voice",
    "Orchestra Hit", "Trumpet", "Trombone", "Tuba", "Muted Trumpet", "French Horn", "Brass Section", "Synth Brass 1",
    "Synth Brass 2", "Soprano Sax", "Alto Sax", "Tenor Sax", "Baritone Sax", "Oboe", "English Horn", "Bassoon",
    "Clarinet", "Piccolo", "Flute", "Recorder", "Pan Flute", "Bottle Blow", "Shakuhachi", "Whistle", "Ocarina",
    "Lead 1 (square)", "Lead 2 (sawtooth)", "Lead 3 (calliope lead)", "Lead 4 (chiff lead)", "Lead 5 (charang)",
    "Lead 6 (voice)", "Lead 7 (fifths)", "Lead 8 (bass + lead)", "Pad 1 (new age)", "Pad 2 (warm)",
    "Pad 3 (polysynth)", "Pad 4 (choir)", "Pad 5 (bowed)", "Pad 6 (metallic)", "Pad 7 (halo)", "Pad 8 (sweep)",
    "FX 1 (rain)", "FX 2 (soundtrack)", "FX 3 (crystal)", "FX 4 (atmosphere)", "FX 5 (brightness)",
    "FX 6 (goblins)", "FX 7 (echoes)", "FX 8 (sci-fi)", "Sitar", "Banjo", "Shamisen", "Koto", "Kalimba", "Bag pipe",
    "Fiddle", "Shanai", "Tinkle Bell", "Agogo", "Steel Drums", "Woodblock", "Taiko Drum", "Melodic Tom",
    "Synth Drum", "Reverse Cymbal", "Guitar Fret Noise", "Breath Noise", "Seashore", "Bird Tweet", "Telephone Ring",
    "Helicopter", "Applause", "Gunshot"};

QString NomInstrument(int n) {
  return QString::number(n) + " - " + QString::fromLatin1(NomsInstruments[std::clamp(n, 0, 127)]);
}

QString NomKitBatterie(int n) { return QString::number(n) + " - Drum Kit " + QString::number(n); }

static TMediaPlayer* lecteurMIDI = nullptr;
void DefinirLecteurMIDI(TMediaPlayer* lecteur) { lecteurMIDI = lecteur; }
TMediaPlayer* LecteurMIDI() { return lecteurMIDI; }

QString CheminFichierTemp() {
  QString dossier = RepWindows.isEmpty() ? DossierConfiguration() : RepWindows;
  if (!dossier.endsWith('/')) dossier += '/';
  return dossier + "vexo.tmp";
}


bool TesterSortieMIDI(TMediaPlayer& lecteur, const QString& chemin) {
  std::vector<uint8_t> f;
  AjouterOctets(f, {'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 1, 0, 2, 0x01, 0xE0});
  uint8_t o1, o2, o3;
  TempoEnOctets(100, o1, o2, o3);
  std::vector<uint8_t> conducteur;
  AjouterOctets(conducteur, {0x00, 0xFF, 0x51, 0x03, o1, o2, o3, 0x00, 0xFF, 0x58, 0x04, 4, 2, 0x18, 0x08,
                             0x00, 0xFF, 0x2F, 0x00});
  AjouterChunkPiste(f, conducteur);
  std::vector<uint8_t> piste;
  AjouterOctets(piste, {0x00, 0xFF, 0x03, 4, 'T', 'e', 's', 't', 0x00, 0xB9, 7, 127, 0x00, 0xC9, 24,
                        0x00, 0xFF, 0x2F, 0x00});
  AjouterChunkPiste(f, piste);

  // Without an output nothing is written: the file goes through the checked writer, whose sync
  // would cost the main window's first activation for nothing.
  bool ok = false;
  if (lecteur.Disponible() && EcrireOctetsFichier(chemin, f)) {
    ok = lecteur.Open(chemin) && lecteur.Erreur().isEmpty();
    if (ok) {
      lecteur.Notify = true;
      ok = lecteur.Play() && lecteur.Erreur().isEmpty();
    }
  }
  if (!ok) lecteur.Enabled = false;
  return ok;
}

bool TesterSortieMIDI() { return lecteurMIDI ? TesterSortieMIDI(*lecteurMIDI, CheminFichierTemp()) : false; }

QString TexteMinutesSecondes(qint64 ms) {
  const qint64 s = std::llrint(ms / 1000.0);
  return QString("%1:%2").arg(s / 60, 2, 10, QChar('0')).arg(s % 60, 2, 10, QChar('0'));
}

TControleurLecture::TControleurLecture(TMediaPlayer& lecteur, QString cheminTemp, QObject* parent,
                                       bool ecouterLecteur)
    : QObject(parent), lecteur_(lecteur), chemin_(std::move(cheminTemp)) {
  NomProgramme = QGuiApplication::applicationDisplayName();
  minuterie_ = new QTimer(this);
  minuterie_->setInterval(100);
  connect(minuterie_, &QTimer::timeout, this, &TControleurLecture::TimerMidiTimer);
  if (ecouterLecteur) connect(&lecteur_, &TMediaPlayer::Termine, this, &TControleurLecture::MediaPlayer1Notify);
  // A recording into the audio file cut short (a full disk) is said once; the playback goes on.
  connect(&lecteur_, &TMediaPlayer::SortieInterrompue, this, [](const QString& fichier, const QString& raison) {
    MessageBoxD(TexteLangue("Dlg-Erreur"), RemplacerParam1et2(TexteLangue("Son-FichierAudioInterrompu"), fichier, raison),
                MB_ICONE_ERREUR, MB_OK, MB_DEF_OK);
  });
}

QString TControleurLecture::TitreRepos() const { return NomProgramme + " - " + QFileInfo(CheminFichier).fileName(); }

bool TControleurLecture::VerifierMIDI() {
  if (!lecteur_.Pret()) {
    // A play command given while the synth is still coming up waits for it; its output test
    // (run on Demarre) then decides.
    QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
    lecteur_.AttendrePret();
    QGuiApplication::restoreOverrideCursor();
  }
  if (MIDIDisponible) return true;
  // Without a working output the commands say so rather than failing in silence.
  MessageBoxD(TexteLangue("Dlg-Information"),
              TexteLangue("Son-MIDIIndisponible"),
              MB_ICONE_INFORMATION, MB_OK, MB_DEF_OK);
  return false;
}

int MesuresSelonJumpAfter(int choix, int nbMesures) {
  static const int mesures[] = {0, 1, 2, 5, 10, 25, 10000};
  if (choix <= 0 || choix > 6) return nbMesures;
  return std::min(mesures[choix], nbMesures);
}

bool TControleurLecture::Jouer(int mode) {
  if (enLecture_) return false;
  const int courante = std::clamp(Partition.MesureCourante, 1, std::max(1, Partition.NbMesures));
  int debut = 1, fin = Partition.NbMesures;
  if (mode == 2) debut = courante;
  if (mode == 3) debut = fin = courante;
  const bool parcourir = mode == 1 && ModeParcourir;
  if (parcourir && VueEditeur().BrowserMeasures() > 0) fin = std::clamp(VueEditeur().BrowserMeasures(), 1, fin);
  if (!CalculeOrdreLecture(debut, fin, Configuration.PlayRepeats, mode == MODE_MIDI_MESURE)) return false;
  if (Configuration.CheckDuration && !parcourir &&
      !VueEditeur().CheckBeforePlayback())
    return false;
  if (!VerifierMIDI()) return false;
  SignalerOrdreTronque();
  return Lancer(mode, mode == 2 ? courante : -1);
}

bool TControleurLecture::LancerEntrainement(int mesDeb, int mesFin, int tempoDeb, int tempoFin, int variation) {
  if (enLecture_) Ac_Son_StopExecute();
  if (!VerifierMIDI()) return false;
  if (!CalculeOrdreLecture(mesDeb, mesFin, Configuration.PlayRepeats)) return false;
  if (Configuration.CheckDuration && !VueEditeur().CheckBeforePlayback())
    return false;
  SignalerOrdreTronque();  // once, not at every pass
  EtatLecture.TempoDeb = tempoDeb;
  EtatLecture.TempoFin = tempoFin;
  EtatLecture.Variation = tempoFin < tempoDeb ? -std::abs(variation) : std::abs(variation);
  EtatLecture.TempoCourant = tempoDeb;
  MesureDebutLecture = mesDeb;
  MesureFinLecture = mesFin;
  return Lancer(MODE_MIDI_ENTRAINEMENT, mesDeb);
}

bool TControleurLecture::Lancer(int mode, int mesureRetour) {
  // The playback takes the edit zone and the revert: an edit of the current measure not yet
  // committed is laid out in the score view first, and is committed from here on.
  if (MesureEditee) Notificateur().mesureModifiee(Partition.MesureCourante);
  VueEditeur().BeforePlayback();
  lecteur_.Close();
  LaisserPasserMessages();
  if (!EcrireFichierMIDI(chemin_, mode)) {
    VueEditeur().AfterPlayback();
    return false;
  }
  lecteur_.Open(chemin_);
  EtatLecture.Mode = mode;
  mesureRetour_ = mesureRetour;
  arretDemande_ = false;
  ecouteTemps_ = false;
  enLecture_ = true;
  ActiverAnnulerMesure(false);
  VueEditeur().SetPlaybackCommands(true);
  return DemarrerLecture();
}

void TControleurLecture::SuivreMesure(int m) {
  Partition.MesureCourante = m;
  Curseur.Temps = 1;
  if (const TMesure* mes = Partition.Courante()) MesureOrigine = *mes;
  VueEditeur().ShowPlaybackMeasure(m);
}

void TControleurLecture::InitialiserTempsMesure() {
  PosOrdreLecture = 1;
  const double tempo = std::max(1, EtatLecture.TempoCourant);
  // The count-in bar and the grace-note lead come before the first measure.
  EtatLecture.TempsMesureSuivante = (NbOrdreLecture >= 1 && TempsMesures.size() > 1 ? TempsMesures[1] : 0) +
                                    static_cast<double>(DebutMorceauTicks) / TICKS_NOIRE / tempo;
}

bool TControleurLecture::DemarrerLecture() {
  const int mode = EtatLecture.Mode;
  lecteur_.Notify = false;
  if (mode == MODE_MIDI_DEBUT) Partition.MesureCourante = NbOrdreLecture >= 1 ? OrdreLecture[1] : 1;
  if (mode == MODE_MIDI_ENTRAINEMENT) Partition.MesureCourante = MesureDebutLecture;
  if (mode >= MODE_MIDI_DEBUT && mode <= MODE_MIDI_ENTRAINEMENT) Curseur.Temps = 1;
  InitialiserTempsMesure();
  SuivreMesure(Partition.MesureCourante);

  lecteur_.Open(chemin_);
  if (!VueEditeur().SetPlaybackTimer(true)) minuterie_->start();
  lecteur_.Notify = true;
  bool ok = lecteur_.Play() && lecteur_.Erreur().isEmpty();
  prefixe_ = TitreRepos();
  total_ = TexteMinutesSecondes(lecteur_.Length());
  titre_.clear();
  if (ok) return true;

  MessageBoxD(TexteLangue("Fichier-ErreurMIDI"), lecteur_.Erreur(), MB_ICONE_ERREUR, MB_OK, MB_DEF_OK);
  arretDemande_ = true;
  TerminerLecture();
  return false;
}

void TControleurLecture::TerminerLecture() {
  if (!VueEditeur().SetPlaybackTimer(false)) minuterie_->stop();
  lecteur_.Notify = false;
  lecteur_.Close();
  // A play from the cursor and the speed trainer give the cursor back at the measure they started
  // from, unless a click in the score has just chosen another one.
  if (mesureRetour_ > 0 && !LectureDepuisBande) Partition.MesureCourante = mesureRetour_;
  Partition.MesureCourante = std::clamp(Partition.MesureCourante, 1, std::max(1, Partition.NbMesures));
  if (const TMesure* mes = Partition.Courante()) MesureOrigine = *mes;
  enLecture_ = false;
  EtatLecture.Mode = -1;
  VueEditeur().SetPlaybackCommands(false);
  VueEditeur().AfterPlayback();
  VueEditeur().SetCaption(TitreRepos());
}

void TControleurLecture::Ac_Son_StopExecute() {
  arretDemande_ = true;
  lecteur_.Stop();
}

bool TControleurLecture::Ac_Son_EnBoucleExecute() {
  boucle_ = !boucle_;
  return boucle_;
}

bool TControleurLecture::Ac_Son_MetronomeExecute() {
  Configuration.Metronome = !Configuration.Metronome;
  return Configuration.Metronome;
}

bool TControleurLecture::JouerTempsCourant() {
  if (!MIDIDisponible || enLecture_) return false;
  lecteur_.Close();
  if (!EcrireFichierMIDI(chemin_, MODE_MIDI_TEMPS)) {
    lecteur_.Open(chemin_);
    return false;
  }
  lecteur_.Open(chemin_);
  lecteur_.Notify = true;
  ecouteTemps_ = true;
  if (!lecteur_.Play() || !lecteur_.Erreur().isEmpty()) {
    lecteur_.Stop();
    ecouteTemps_ = false;
    return false;
  }
  return true;
}

void TControleurLecture::TimerMidiTimer() {
  if (!enLecture_) return;
  const qint64 position = lecteur_.Position();
  const QString titre = prefixe_ + " - " + TexteMinutesSecondes(position) + " / " + total_;
  if (titre != titre_) {
    titre_ = titre;
    VueEditeur().SetCaption(titre);
  }
  const int mode = EtatLecture.Mode;
  if (mode == MODE_MIDI_MESURE) return;
  const double minutes = position / 60000.0;
  // Several short measures may pass within one tick: catch up with all of them.
  while (minutes >= EtatLecture.TempsMesureSuivante - 0.001) {
    ++PosOrdreLecture;
    if (PosOrdreLecture > NbOrdreLecture || PosOrdreLecture >= static_cast<int>(TempsMesures.size())) return;
    int m = OrdreLecture[PosOrdreLecture];
    if (mode == MODE_MIDI_ENTRAINEMENT && m > MesureFinLecture) {
      Partition.MesureCourante = MesureFinLecture;
      return;
    }
    if (m > Partition.NbMesures) {
      Partition.MesureCourante = Partition.NbMesures;
      return;
    }
    SuivreMesure(m);
    EtatLecture.TempsMesureSuivante += TempsMesures[PosOrdreLecture];
  }
}

void TControleurLecture::MediaPlayer1Notify() {
  VueEditeur().SetCaption(TitreRepos());
  if (VueEditeur().DialogTakesCompletion()) return;
  if (ecouteTemps_ || !enLecture_) {
    ecouteTemps_ = false;
    lecteur_.Notify = false;
    return;
  }
  const int mode = EtatLecture.Mode;
  if (arretDemande_ || ((!boucle_ || ModeParcourir) && mode != MODE_MIDI_ENTRAINEMENT)) {
    const bool arrete = arretDemande_;
    TerminerLecture();
    if (ModeParcourir) VueEditeur().BrowserPlaybackEnded(arrete);
    return;
  }
  if (mode == MODE_MIDI_ENTRAINEMENT) {
    // A variation of 0 repeats the range at the start tempo, whichever way the range runs.
    int tempo = EtatLecture.TempoCourant + EtatLecture.Variation;
    if (EtatLecture.Variation > 0)
      tempo = std::min(tempo, EtatLecture.TempoFin);
    else if (EtatLecture.Variation < 0)
      tempo = std::max(tempo, EtatLecture.TempoFin);
    EtatLecture.TempoCourant = std::clamp(tempo, 1, 999);
    lecteur_.Close();
    if (!EcrireFichierMIDI(chemin_, MODE_MIDI_ENTRAINEMENT)) {
      TerminerLecture();
      return;
    }
    EtatLecture.Mode = MODE_MIDI_ENTRAINEMENT;
    DemarrerLecture();
    return;
  }
  // Loop: the same file again from its start.
  if (mode == MODE_MIDI_POSITION && mesureRetour_ > 0) Partition.MesureCourante = mesureRetour_;
  if (mode == MODE_MIDI_DEBUT) Partition.MesureCourante = NbOrdreLecture >= 1 ? OrdreLecture[1] : 1;
  InitialiserTempsMesure();
  SuivreMesure(Partition.MesureCourante);
  lecteur_.Notify = true;
  if (!lecteur_.Play() || !lecteur_.Erreur().isEmpty()) {
    MessageBoxD(TexteLangue("Fichier-ErreurMIDI"), lecteur_.Erreur(), MB_ICONE_ERREUR, MB_OK, MB_DEF_OK);
    TerminerLecture();
  }
}
