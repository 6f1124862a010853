#pragma once
// The media player that plays the temporary MIDI file (what the program calls its sequencer).
// Completion is noticed by polling on the GUI thread: the audio thread never touches Qt.
#include <QObject>
#include <QString>

// The largest MIDI file the program reads, to play it or to import it: a larger one is refused
// before it is read into memory. A note (its note-on and note-off with their delta times) takes 6
// to 14 bytes and an import keeps 20000 notes of a source: 64 MB holds over two hundred sources of
// that many.
inline constexpr qint64 kTailleFichierMIDIMax = qint64(64) << 20;

class TMediaPlayer : public QObject {
  Q_OBJECT
 public:
  explicit TMediaPlayer(QObject* parent = nullptr) : QObject(parent) {}
  ~TMediaPlayer() override = default;

  // True when synth, SoundFont and audio driver came up ("MIDI available").
  virtual bool Disponible() const = 0;
  virtual bool Open(const QString& fichier) = 0;  // closes any open file first
  virtual void Close() = 0;
  virtual bool Play() = 0;
  virtual void Stop() = 0;
  virtual bool EnLecture() const = 0;
  virtual qint64 Position() const = 0;  // ms from the start of the file
  virtual qint64 Length() const = 0;    // ms
  virtual QString Erreur() const = 0;   // text of the last failure, empty when none
  bool Notify = true;                   // send Termine() at the end of a playback
  bool Enabled = true;
  // A player may bring its synth up on a worker thread. AttendrePret() waits for it (GUI thread);
  // a player that was not ready sends Demarre() once, on the GUI thread, when it is.
  virtual bool Pret() const { return true; }
  virtual void AttendrePret() {}
  // The main window has painted: a player that holds its synth back until then (so that loading
  // it does not slow the first windows) may bring it up now.
  virtual void LibererDemarrage() {}

 signals:
  void Demarre();
  // A playback reached its end (or was stopped), delivered on the GUI thread.
  void Termine();
  // The sound could no longer be written to the audio file (a full disk): the recording stopped
  // there and the file reads as what it holds. Sent once, on the GUI thread.
  void SortieInterrompue(const QString& fichier, const QString& raison);
};
