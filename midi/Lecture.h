#pragma once
// Playback: the play commands, the 100 ms follow-up of the measures, the end-of-playback notice
// (stop, loop, next speed-trainer pass), the beat preview and the MIDI output test.
#include <QObject>
#include <QString>

class QTimer;
class TMediaPlayer;

// General MIDI program names, 0..127.
extern const char* const NomsInstruments[128];
// "24 - Acoustic Guitar (nylon)".
QString NomInstrument(int n);
// "8 - Drum Kit 8".
QString NomKitBatterie(int n);

// The player that plays the temporary MIDI file; the main window registers MediaPlayer1 here.
void DefinirLecteurMIDI(TMediaPlayer* lecteur);
TMediaPlayer* LecteurMIDI();
// The temporary MIDI file "vexo.tmp" in the settings folder.
QString CheminFichierTemp();

// Writes a minimal MIDI file to the temporary file and opens and plays it on the media player;
// true when MIDI output works. On false the player is disabled.
bool TesterSortieMIDI(TMediaPlayer& lecteur, const QString& chemin);
// The same on the registered player and the temporary file; false without a player.
bool TesterSortieMIDI();

// Measures the file browser plays from its "jump after" choice (0 = the whole song).
int MesuresSelonJumpAfter(int choix, int nbMesures);

class TControleurLecture : public QObject {
  Q_OBJECT
 public:
  // ecouterLecteur: the controller takes the player's completion notice itself; a window that
  // handles the notice forwards it to MediaPlayer1Notify instead.
  // The window's side of playback (display, command states, timer, caption) goes through the
  // editor view.
  TControleurLecture(TMediaPlayer& lecteur, QString cheminTemp, QObject* parent = nullptr,
                     bool ecouterLecteur = true);

  // The play commands; false when nothing started (MIDI unavailable, nothing to play, a failure).
  bool Ac_Son_LectureDebutExecute() { return Jouer(1); }
  bool Ac_Son_LecturePosECExecute() { return Jouer(2); }
  bool Ac_Son_LectureMesureECExecute() { return Jouer(3); }
  void Ac_Son_StopExecute();
  // Loop and metronome switches; return the new state for the action's check mark.
  bool Ac_Son_EnBoucleExecute();
  bool Ac_Son_MetronomeExecute();
  // Passes over measures mesDeb..mesFin from tempoDeb towards tempoFin by variation per pass.
  bool LancerEntrainement(int mesDeb, int mesFin, int tempoDeb, int tempoFin, int variation);
  // Plays the beat under the cursor (listening while entering).
  bool JouerTempsCourant();

  // The 100 ms timer tick and the player's completion notice.
  void TimerMidiTimer();
  void MediaPlayer1Notify();

  bool EnLecture() const { return enLecture_; }
  // True when MIDI output works; otherwise tells the user and answers false.
  bool VerifierMIDI();
  bool EnBoucle() const { return boucle_; }
  void DefinirBoucle(bool b) { boucle_ = b; }
  bool ArretDemande() const { return arretDemande_; }
  int MesureRetourLecture() const { return mesureRetour_; }
  TMediaPlayer& Lecteur() { return lecteur_; }
  QString NomProgramme;  // first part of the window caption

 private:
  bool Jouer(int mode);
  // The one start of a playback, after its checks: writes the file and plays it.
  bool Lancer(int mode, int mesureRetour);
  bool DemarrerLecture();
  void TerminerLecture();
  void SuivreMesure(int m);
  void InitialiserTempsMesure();
  QString TitreRepos() const;

  TMediaPlayer& lecteur_;
  QString chemin_;
  QTimer* minuterie_ = nullptr;
  bool enLecture_ = false;
  bool arretDemande_ = false;
  bool ecouteTemps_ = false;
  bool boucle_ = false;
  int mesureRetour_ = -1;
  QString prefixe_, total_, titre_;
};

// "mm:ss" of a time in milliseconds (seconds rounded).
QString TexteMinutesSecondes(qint64 ms);
