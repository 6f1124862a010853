#pragma once
// A fake editor view for the tests: each answer or effect a test cares about can be replaced by a
// lambda; the rest behave as the null view. It sets itself as the view while it lives and follows
// the notifier's measure changes.
#include <QObject>
#include <functional>

#include "editor/state/Notificateur.h"
#include "editor/state/VueEditeur.h"
#include "editor/EditZoneModel.h"
#include "editor/state/RedessinSaisie.h"

class TVueFactice : public TVueEditeur {
 public:
  std::function<void(int)> OnMesureModifiee;  // from the notifier
  std::function<void()> OnPartitionRemplacee;  // from the notifier
  std::function<void()> OnUpdateTrackMenu, OnShowTitle;
  std::function<void(int)> OnUpdateTrackButton;
  std::function<bool(int)> OnTrackButtonMarked;
  std::function<void(bool)> OnShowDrumAssistant, OnSetTieChecked;
  std::function<bool()> OnPlayWhileEntering, OnSongPlaying;
  std::function<void(const EditZoneLabels&)> OnShowEditZoneLabels;
  std::function<void()> OnEditZoneImageChanged, OnStopPlayback, OnPlayCurrentBeat;
  std::function<QString()> OnAskOpenFileName;
  std::function<QString(const QString&)> OnAskSaveFileName;
  std::function<void(const QString&)> OnSetCaption;
  std::function<void(const QStringList&, bool)> OnShowRecentFiles;
  std::function<void(int)> OnShowPlaybackMeasure;
  std::function<void(bool)> OnSetPlaybackCommands, OnBrowserPlaybackEnded, OnSongReplaced;
  std::function<bool(bool)> OnSetPlaybackTimer;
  std::function<int()> OnBrowserMeasures;
  std::function<bool()> OnCheckBeforePlayback;

  TVueFactice() {
    DefinirVueEditeur(this);
    c1_ = QObject::connect(&Notificateur(), &TNotificateur::mesureModifiee, [this](int m) {
      if (OnMesureModifiee) OnMesureModifiee(m);
    });
    c2_ = QObject::connect(&Notificateur(), &TNotificateur::partitionRemplacee, [this] {
      if (OnPartitionRemplacee) OnPartitionRemplacee();
    });
  }
  ~TVueFactice() override {
    QObject::disconnect(c1_);
    QObject::disconnect(c2_);
    DefinirVueEditeur(nullptr);
  }
  TVueFactice(const TVueFactice&) = delete;
  TVueFactice& operator=(const TVueFactice&) = delete;

  void UpdateTrackMenu() override { if (OnUpdateTrackMenu) OnUpdateTrackMenu(); }
  void ShowTitle() override { if (OnShowTitle) OnShowTitle(); }
  void UpdateTrackButton(int p) override { if (OnUpdateTrackButton) OnUpdateTrackButton(p); }
  bool TrackButtonMarked(int p) override { return OnTrackButtonMarked ? OnTrackButtonMarked(p) : false; }
  void ShowDrumAssistant(bool v) override { if (OnShowDrumAssistant) OnShowDrumAssistant(v); }
  void SetTieChecked(bool v) override { if (OnSetTieChecked) OnSetTieChecked(v); }
  bool PlayWhileEntering() override { return OnPlayWhileEntering ? OnPlayWhileEntering() : false; }
  bool SongPlaying() override { return OnSongPlaying ? OnSongPlaying() : false; }
  void ShowEditZoneLabels(const EditZoneLabels& e) override { if (OnShowEditZoneLabels) OnShowEditZoneLabels(e); }
  void EditZoneImageChanged() override { if (OnEditZoneImageChanged) OnEditZoneImageChanged(); }
  void StopPlayback() override { if (OnStopPlayback) OnStopPlayback(); }
  void PlayCurrentBeat() override { if (OnPlayCurrentBeat) OnPlayCurrentBeat(); }
  QString AskOpenFileName() override { return OnAskOpenFileName ? OnAskOpenFileName() : QString(); }
  QString AskSaveFileName(const QString& p) override { return OnAskSaveFileName ? OnAskSaveFileName(p) : QString(); }
  void SetCaption(const QString& t) override { if (OnSetCaption) OnSetCaption(t); }
  void ShowRecentFiles(const QStringList& l, bool s) override { if (OnShowRecentFiles) OnShowRecentFiles(l, s); }
  void ShowPlaybackMeasure(int m) override { if (OnShowPlaybackMeasure) OnShowPlaybackMeasure(m); }
  void SetPlaybackCommands(bool e) override { if (OnSetPlaybackCommands) OnSetPlaybackCommands(e); }
  void BrowserPlaybackEnded(bool a) override { if (OnBrowserPlaybackEnded) OnBrowserPlaybackEnded(a); }
  void SongReplaced(bool c) override { if (OnSongReplaced) OnSongReplaced(c); }
  bool SetPlaybackTimer(bool a) override { return OnSetPlaybackTimer ? OnSetPlaybackTimer(a) : false; }
  int BrowserMeasures() override { return OnBrowserMeasures ? OnBrowserMeasures() : 0; }
  bool CheckBeforePlayback() override { return OnCheckBeforePlayback ? OnCheckBeforePlayback() : true; }

 private:
  QMetaObject::Connection c1_, c2_;
};
