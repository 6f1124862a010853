#pragma once
// The media player over FluidSynth: a synth with the General MIDI SoundFont playing a MIDI file
// through the sound card, or into a WAV file when VEXO_AUDIO_FILE names one (machines without sound).
// That name must lead to a regular file or to nothing yet: anything else (a FIFO, a device) leaves
// the player silent, and the renderer is given the file opened here, never the name, so that
// nothing put there later can hold it in its open.
// The WAV file holds what sounds, in real time, and not the silence between two playbacks: a
// thread of ours renders the synth into it only while a playback runs or notes still ring, and
// brings its header up to date each time the sound has died away, so that it reads whole then.
// The synth comes up on a worker thread, its samples loaded as the presets are used, so that the
// window never waits for the SoundFont.
// The file is played by a sequencer thread of our own that sends its events to the synth through
// the synth's locked API, and is always joined before anything it touches goes. No FluidSynth
// player lives in the program: freeing one races its own timer thread and the audio thread.
// The end of a playback is found by polling from a 100 ms timer on the GUI thread, which then
// sends Termine().
#include <QByteArray>
#include <QTimer>
#include <atomic>
#include <bitset>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "platform/MediaPlayer.h"

struct _fluid_hashtable_t;
struct _fluid_synth_t;
struct _fluid_audio_driver_t;
struct _fluid_file_renderer_t;

// The SoundFont used when none is given: VEXO_SOUNDFONT, else the Debian General MIDI one.
QString CheminSoundFont();

// A channel message of a MIDI file, at its time.
struct TEvenementCanal {
  qint64 Tick = 0;
  qint64 Ms = 0;
  uint8_t Statut = 0, D1 = 0, D2 = 0;
};

// Tempo map of a Standard MIDI File: enough to turn ticks into milliseconds and to know the length.
// It also holds the file's channel messages, every track merged in time order.
struct TCarteTempo {
  int Division = 480;          // ticks per quarter note (metrical files)
  double MsParTickSmpte = 0;   // > 0 for SMPTE-timed files: ms per tick, fixed
  std::vector<std::pair<qint64, int>> Tempos;  // (tick, microseconds per quarter), in tick order
  qint64 DernierTick = 0;      // tick of the last event of the longest track
  // Channels (bit n = channel n) that sound a note before any program change: they play the
  // General MIDI default, which the synth no longer selects for every channel up front.
  uint16_t CanauxSansProgramme = 0;
  // Presets the file plays: bit p = program p, bit 128 + p = drum kit p (channel 10).
  std::bitset<256> Programmes;
  std::vector<TEvenementCanal> Evenements;
  qint64 Ms(qint64 tick) const;
  qint64 Tick(qint64 ms) const;  // the last tick at or before a time
  qint64 DureeMs() const { return Ms(DernierTick); }
};
// Reads the tempo map; false when the bytes are not a well-formed Standard MIDI File.
bool LireCarteTempo(const QByteArray& smf, TCarteTempo* carte, QString* erreur = nullptr);

// Renders a MIDI file offline into a 16-bit stereo WAV file, as fast as the machine goes.
bool RendreMidiEnWav(const QString& midi, const QString& wav, const QString& soundFont = CheminSoundFont(),
                     QString* erreur = nullptr);

class TFluidMediaPlayer : public TMediaPlayer {
  Q_OBJECT
 public:
  explicit TFluidMediaPlayer(QObject* parent = nullptr, const QString& soundFont = CheminSoundFont());
  ~TFluidMediaPlayer() override;

  // Waits for the synth when it is still coming up: the answer needs it.
  bool Disponible() const override;
  bool Pret() const override { return !demarrage_.joinable(); }
  void AttendrePret() override;
  void LibererDemarrage() override;
  bool Open(const QString& fichier) override;
  void Close() override;
  bool Play() override;
  void Stop() override;
  bool EnLecture() const override;
  qint64 Position() const override;
  qint64 Length() const override;
  QString Erreur() const override { return erreur_; }

  const QString& FileName() const { return fichier_; }

 private:
  void Poll();
  void EndPlayer();  // stops and joins the sequencer thread; the caller keeps the position
  void FinirDemarrage();  // takes the worker's synth and driver, then sends Demarre()
  // The worker's body; refus: why the audio file was refused (the player then stays silent).
  void Demarrer(const std::string& soundFont, const std::string& fichierAudio, const std::string& refus);
  void Sequencer(size_t premier, qint64 msDepart);  // the sequencer thread's body
  void Enregistrer();  // the audio file's thread body
  void FinirEnregistrement();  // stops and joins it
  bool SequenceurFini() const { return fini_.load(std::memory_order_acquire); }

  _fluid_hashtable_t* settings_ = nullptr;
  _fluid_synth_t* synth_ = nullptr;
  _fluid_audio_driver_t* driver_ = nullptr;
  QTimer poll_;
  QString fichier_;
  TCarteTempo carte_;
  bool ouvert_ = false;
  bool enCours_ = false;    // a playback was started and its end not yet noticed
  qint64 tickArret_ = 0;    // where a stopped playback resumes
  // The sequencer thread. It reads carte_ (left alone while it runs) and the synth, nothing else.
  std::thread sequenceur_;
  std::mutex mutexSequenceur_;
  std::condition_variable reveil_;
  // Set under mutexSequenceur_, so that the thread cannot miss the wake-up; atomic so that it may
  // also be read between waits.
  std::atomic<bool> arreter_{false};
  std::atomic<bool> fini_{false};  // every event sent and the file's end reached
  std::chrono::steady_clock::time_point debutLecture_;
  qint64 msDepart_ = 0;            // where the running playback started
  QString erreur_;
  // The synth, its SoundFont and the audio driver come up on this thread; it touches nothing of
  // Qt and hands its results over through these fields, read once it is joined.
  std::thread demarrage_;
  std::atomic<bool> demarre_{false};
  // The worker waits for LibererDemarrage() (or a second) before it loads anything. The flag is set
  // under the mutex, so that the wait cannot miss it, and is atomic, so that its read in the wait's
  // predicate is ordered with that write by the flag itself: as a plain bool, the thread sanitizer
  // reported that read against LibererDemarrage()'s write although both hold the mutex.
  std::mutex mutexLiberation_;
  std::condition_variable liberation_;
  std::atomic<bool> libre_{false};
  QTimer attenteDemarrage_;
  _fluid_synth_t* synthDemarre_ = nullptr;
  int sfont_ = -1;
  // Every preset a file used stays selected on a channel past the sixteen the files reach, so that
  // its samples, loaded on demand, are never unloaded under a voice still sounding.
  std::bitset<256> epingles_;
  int prochaineEpingle_ = 16;
  _fluid_audio_driver_t* driverDemarre_ = nullptr;
  std::string erreurDemarrage_;
  // The audio file: FluidSynth's file renderer, used only by the recording thread and freed once
  // that thread is joined. The thread sleeps while nothing sounds.
  _fluid_file_renderer_t* rendu_ = nullptr;
  _fluid_file_renderer_t* renduDemarre_ = nullptr;
  int fdAudio_ = -1;          // the audio file, open from the constructor to the destructor
  QString fichierAudio_;      // its name, as the user gave it
  // Set by the recording thread when a block could not be written, before it ends; its reason is
  // written before the flag and read after it. The watch timer reports it on the GUI thread.
  std::atomic<bool> interrompu_{false};
  std::string raisonInterruption_;
  QTimer veilleEnregistrement_;
  double frequence_ = 44100;  // samples per second
  int periode_ = 64;          // samples per rendered block
  std::thread enregistreur_;
  std::mutex mutexEnregistreur_;
  std::condition_variable reveilEnregistreur_;
  // Raised under mutexEnregistreur_, so that the thread cannot miss the wake-up (lowering needs no
  // wake-up), and atomic, so that it may read them between waits.
  std::atomic<bool> joue_{false};  // a playback's sequencer runs
  std::atomic<bool> finEnregistreur_{false};
};

// The program's media player.
TMediaPlayer* CreerMediaPlayer(QObject* parent);
