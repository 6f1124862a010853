#pragma once
// What the editing engines ask of the windows, in one interface. Until the main window sets
// itself, a null view that does nothing stands in, so the engines and their tests run without a
// window; tests derive a fake from it. Changes that several windows follow go through the
// notifier instead (editor/Notificateur.h).
#include <QString>
#include <QStringList>

#include "platform/Types.h"

// ---- Status of the current measure ----
enum class MeasureStatus { Complete, Incomplete, TooLong };

// The labels under the edit zone.
struct EditZoneLabels {
  QString NumMesure;            // "007 : 012"
  QString NbTps;                // filled length against length, "3.500 : 4.000"
  QString NbTps2;               // the status word of the language file
  TColor CouleurEtat = clLime;  // font colour of NbTps and NbTps2
  MeasureStatus Etat = MeasureStatus::Complete;
};

class TVueEditeur {
 public:
  virtual ~TVueEditeur() = default;

  // ---- Commands and buttons ----
  virtual void SetUndoEnabled(bool) {}
  virtual void SetRevertEnabled(bool) {}            // the cancel-measure and validate buttons
  virtual void RefreshActions() {}                  // enabled/checked state of every command
  virtual void SetTieChecked(bool) {}
  virtual void TriggerDottedIfEnabled() {}          // runs the dotted command when it is enabled
  virtual bool PreviousMeasureEnabled();            // null view: after measure 1
  virtual bool NextMeasureEnabled() { return true; }

  // ---- Tracks and title ----
  virtual void UpdateTrackMenu() {}
  virtual void UpdateTrackButton(int /*piste*/) {}
  virtual bool TrackButtonMarked(int /*piste*/) { return false; }  // the has-notes mark shows
  virtual void ShowTitle() {}                       // the label with the song's title and author
  virtual void SetCaption(const QString&) {}        // the main window's caption
  virtual void ShowRecentFiles(const QStringList& /*legendes*/, bool /*separateur*/) {}
  virtual void ShowDrumAssistant(bool) {}           // show/hide it and enable its command
  // A tool window came on screen or went: its command stays checked (its button down) meanwhile.
  virtual void NotationAssistantShown(bool) {}
  virtual void DrumAssistantShown(bool) {}

  // ---- Edit zone ----
  virtual void ShowEditZoneLabels(const EditZoneLabels&) {}
  virtual void EditZoneImageChanged() {}            // the edit-zone image was drawn on: repaint it

  // ---- Dialogs the engines need an answer from (null view: cancelled) ----
  virtual bool AskGoToMeasure() { return false; }   // true on OK, the current measure set
  virtual QString AskOpenFileName() { return {}; }
  virtual QString AskSaveFileName(const QString& /*nomPropose*/) { return {}; }
  // The print preview, shown modally (the preferences' Preview button).
  virtual void ShowPrintPreview() {}
  // The screen layout's settings changed: size the score view's bands and lay it out again
  // (without a window: the whole view is to be redone).
  virtual void ScreenLayoutChanged();

  // ---- Sound ----
  virtual bool PlayWhileEntering() { return false; }  // the listen-while-entering command is checked
  virtual void PlayCurrentBeat() {}
  virtual void StopSound() {}                       // close the player and let pending events run
  virtual bool SongPlaying() { return false; }      // a song playback runs (the play command is off)
  virtual void StopPlayback() {}                    // stops whatever plays

  // ---- Playback display ----
  virtual void ShowPlaybackMeasure(int /*mesure*/) {}  // the display follows the current measure
  virtual void SetPlaybackCommands(bool /*enLecture*/) {}
  // The window's 100 ms timer; false when the window has none (the controller runs its own).
  virtual bool SetPlaybackTimer(bool /*actif*/) { return false; }
  // A dialog listening to a tuning or a track takes the completion notice; true when it did.
  virtual bool DialogTakesCompletion() { return false; }
  virtual void BeforePlayback() {}                  // close the assistants, playback layout
  virtual void AfterPlayback() {}                   // normal layout, reopen the assistants
  virtual bool CheckBeforePlayback() { return true; }  // the pre-playback duration check
  // While the file browser is open: measures to play from the start (0 = all), and its end.
  virtual int BrowserMeasures() { return 0; }
  virtual void BrowserPlaybackEnded(bool /*arrete*/) {}
  // After the song was replaced: the speed trainer's range, and the properties dialog's new-song
  // mode when the song is a new empty one (chargee false).
  virtual void SongReplaced(bool /*chargee*/) {}
  // The preferences with their Printing page in front (from the print preview); true on OK.
  virtual bool OpenPrintPreferences() { return false; }
};

// The view the engines talk to: the window that set itself, else the null view.
TVueEditeur& VueEditeur();
// Sets the view (a window, or a test's fake); nullptr puts the null view back.
void DefinirVueEditeur(TVueEditeur* vue);
