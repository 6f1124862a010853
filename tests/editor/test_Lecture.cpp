#include <gtest/gtest.h>

#include "tests/platform/SonTest.h"

#include <QApplication>
#include <QEventLoop>
#include <QFile>
#include <QGuiApplication>
#include <QCursor>
#include <QTemporaryDir>
#include <QTimer>

#include "midi/EcritureMIDI.h"
#include <cmath>
#include <QFileInfo>
#include "midi/OrdreLecture.h"
#include "editor/state/EtatProgramme.h"
#include "midi/Lecture.h"
#include "tests/midi/midi_outils.h"
#include "VueFactice.h"
#include "platform/FluidMediaPlayer.h"
#include "settings/Mess.h"

using namespace midi_test;

namespace {

// A player that plays nothing: it records what it was asked and ends when the test says so.
class TLecteurFactice : public TMediaPlayer {
 public:
  bool disponible = true;
  bool ouvert = false, enLecture = false;
  qint64 position = 0;
  int lectures = 0;
  std::vector<int> tempos;  // tempo of the file at each Play
  QString fichier;

  bool Disponible() const override { return disponible; }
  bool Open(const QString& f) override {
    fichier = f;
    ouvert = QFile::exists(f);
    return ouvert;
  }
  void Close() override { ouvert = enLecture = false; }
  bool Play() override {
    if (!ouvert || !disponible) return false;
    ++lectures;
    position = 0;
    enLecture = true;
    QFile f(fichier);
    f.open(QIODevice::ReadOnly);
    QByteArray b = f.readAll();
    int i = b.indexOf(QByteArray("\xFF\x51\x03", 3));
    if (i >= 0)
      tempos.push_back(60000000 / ((uint8_t(b[i + 3]) << 16) | (uint8_t(b[i + 4]) << 8) | uint8_t(b[i + 5])));
    return true;
  }
  void Stop() override {
    enLecture = false;
    if (Notify) emit Termine();
  }
  bool EnLecture() const override { return enLecture; }
  qint64 Position() const override { return position; }
  qint64 Length() const override { return 125000; }
  QString Erreur() const override { return {}; }
  // A synth still coming up: the wait ends at once, noting the cursor shown meanwhile.
  bool pret = true;
  Qt::CursorShape curseurPendantAttente = Qt::ArrowCursor;
  bool Pret() const override { return pret; }
  void AttendrePret() override {
    if (pret) return;
    if (QGuiApplication::overrideCursor()) curseurPendantAttente = QGuiApplication::overrideCursor()->shape();
    pret = true;
    emit Demarre();
  }
  void Finir() {
    enLecture = false;
    if (Notify) emit Termine();
  }
};

class Lecture : public ::testing::Test {
 protected:
  void SetUp() override {
    OptionsNeutres();
    InstallerReponseMessage([this](const TDemandeMessage& d) {
      messages.push_back(d.Texte);
      return ID_OK;
    });
    MIDIDisponible = 1;
    ModeParcourir = false;
    NouveauMorceau(4);
    for (int m = 1; m <= 4; ++m) AjouterTemps(1, m, 1920, 1, m);
    vue.OnShowPlaybackMeasure = [this](int m) { affichees.push_back(m); };
    vue.OnSetPlaybackCommands = [this](bool e) { etats.push_back(e); };
    vue.OnSetPlaybackTimer = [this](bool a) {
      minuterie = a;
      return true;
    };
    controleur = std::make_unique<TControleurLecture>(lecteur, dir.filePath("vexo.tmp"));
  }
  void TearDown() override {
    InstallerReponseMessage({});
    MIDIDisponible = 0;
  }

  QTemporaryDir dir;
  TLecteurFactice lecteur;
  TVueFactice vue;
  std::unique_ptr<TControleurLecture> controleur;
  std::vector<QString> messages;
  std::vector<int> affichees;
  std::vector<bool> etats;
  bool minuterie = false;
};

}  // namespace

TEST_F(Lecture, WithoutMIDIThePlayCommandsSaySo) {
  MIDIDisponible = 0;
  EXPECT_FALSE(controleur->Ac_Son_LectureDebutExecute());
  EXPECT_FALSE(controleur->Ac_Son_LectureMesureECExecute());
  EXPECT_FALSE(controleur->LancerEntrainement(1, 2, 60, 80, 10));
  EXPECT_FALSE(controleur->JouerTempsCourant());
  EXPECT_EQ(messages.size(), 3u);
  EXPECT_EQ(lecteur.lectures, 0);
  EXPECT_FALSE(controleur->EnLecture());
}

TEST_F(Lecture, DisplayFollowsTheMeasuresThenStops) {
  ASSERT_TRUE(controleur->Ac_Son_LectureDebutExecute());
  EXPECT_TRUE(controleur->EnLecture());
  EXPECT_EQ(EtatLecture.Mode, 1);
  EXPECT_EQ(etats, (std::vector<bool>{true}));
  EXPECT_TRUE(minuterie);
  EXPECT_EQ(affichees, (std::vector<int>{1}));
  lecteur.position = 1900;  // each 4/4 measure lasts 2 s at 120
  controleur->TimerMidiTimer();
  EXPECT_EQ(Partition.MesureCourante, 1);
  lecteur.position = 2100;
  controleur->TimerMidiTimer();
  EXPECT_EQ(Partition.MesureCourante, 2);
  lecteur.position = 6500;  // a late tick catches up
  controleur->TimerMidiTimer();
  EXPECT_EQ(affichees, (std::vector<int>{1, 2, 3, 4}));
  lecteur.Finir();
  EXPECT_FALSE(controleur->EnLecture());
  EXPECT_EQ(EtatLecture.Mode, -1);
  EXPECT_FALSE(minuterie);
  EXPECT_EQ(etats, (std::vector<bool>{true, false}));
  EXPECT_EQ(Partition.MesureCourante, 4);
}

TEST_F(Lecture, LongSongsPlayToTheirLastBarAndACutOrderIsTold) {
  NouveauMorceau(1000);
  AjouterTemps(1, 1, 1920, 1, 1);
  ASSERT_TRUE(controleur->Ac_Son_LectureDebutExecute());
  lecteur.position = 999 * 2000 + 100;
  controleur->TimerMidiTimer();
  EXPECT_EQ(Partition.MesureCourante, 1000);
  controleur->Ac_Son_StopExecute();
  EXPECT_TRUE(messages.empty());

  // Played 100 times, they pass the bound: play and the speed trainer say so, once.
  Partition.Mesures[1000]->RenvoiFin = 1;
  Partition.Mesures[1000]->NbRenvois = 99;
  ASSERT_TRUE(controleur->Ac_Son_LectureDebutExecute());
  controleur->Ac_Son_StopExecute();
  ASSERT_TRUE(controleur->LancerEntrainement(1, 1000, 120, 120, 0));
  lecteur.Finir();  // the next pass
  controleur->Ac_Son_StopExecute();
  EXPECT_EQ(messages.size(), 2u);
}

TEST_F(Lecture, CurrentMeasureNeverMovesAndCountInDelaysTheFirstMove) {
  Partition.MesureCourante = 3;
  ASSERT_TRUE(controleur->Ac_Son_LectureMesureECExecute());
  lecteur.position = 5000;
  controleur->TimerMidiTimer();
  EXPECT_EQ(Partition.MesureCourante, 3);
  lecteur.Finir();

  Configuration.Metronome = Configuration.FirstBarMetronome = true;
  Partition.MesureCourante = 2;
  ASSERT_TRUE(controleur->Ac_Son_LecturePosECExecute());
  lecteur.position = 2500;  // still in measure 2: the count-in took the first 2 s
  controleur->TimerMidiTimer();
  EXPECT_EQ(Partition.MesureCourante, 2);
  lecteur.position = 4100;
  controleur->TimerMidiTimer();
  EXPECT_EQ(Partition.MesureCourante, 3);
}

TEST_F(Lecture, PlayFromTheCursorAndTheTrainerGiveTheCursorBack) {
  Partition.MesureCourante = 2;
  ASSERT_TRUE(controleur->Ac_Son_LecturePosECExecute());
  lecteur.position = 4100;
  controleur->TimerMidiTimer();
  EXPECT_EQ(Partition.MesureCourante, 4);
  lecteur.Finir();
  EXPECT_FALSE(controleur->EnLecture());
  EXPECT_EQ(Partition.MesureCourante, 2);

  ASSERT_TRUE(controleur->LancerEntrainement(2, 4, 120, 120, 0));
  lecteur.position = 2100;
  controleur->TimerMidiTimer();
  EXPECT_EQ(Partition.MesureCourante, 3);
  controleur->Ac_Son_StopExecute();
  EXPECT_EQ(Partition.MesureCourante, 2);

  // A click in the score that stopped the playback keeps the measure it chose.
  ASSERT_TRUE(controleur->Ac_Son_LecturePosECExecute());
  Partition.MesureCourante = 4;
  LectureDepuisBande = 1;
  lecteur.Finir();
  LectureDepuisBande = 0;
  EXPECT_EQ(Partition.MesureCourante, 4);
}

TEST_F(Lecture, LoopReplaysFromTheStartMeasureUntilStopped) {
  EXPECT_TRUE(controleur->Ac_Son_EnBoucleExecute());
  Partition.MesureCourante = 2;
  ASSERT_TRUE(controleur->Ac_Son_LecturePosECExecute());
  EXPECT_EQ(controleur->MesureRetourLecture(), 2);
  lecteur.position = 2100;
  controleur->TimerMidiTimer();
  EXPECT_EQ(Partition.MesureCourante, 3);
  lecteur.Finir();
  EXPECT_TRUE(controleur->EnLecture());
  EXPECT_EQ(lecteur.lectures, 2);
  EXPECT_EQ(Partition.MesureCourante, 2);
  EXPECT_EQ(PosOrdreLecture, 1);
  controleur->Ac_Son_StopExecute();
  EXPECT_FALSE(controleur->EnLecture());
  EXPECT_EQ(lecteur.lectures, 2);
  EXPECT_FALSE(controleur->Ac_Son_EnBoucleExecute());
  EXPECT_TRUE(controleur->Ac_Son_MetronomeExecute());
  EXPECT_TRUE(Configuration.Metronome);
}

TEST_F(Lecture, SpeedTrainerPassesRiseOrFallToTheTarget) {
  ASSERT_TRUE(controleur->LancerEntrainement(2, 3, 60, 100, 20));
  EXPECT_EQ(EtatLecture.Mode, 4);
  EXPECT_EQ(Partition.MesureCourante, 2);
  for (int i = 0; i < 3; ++i) lecteur.Finir();
  EXPECT_EQ(lecteur.tempos, (std::vector<int>{60, 80, 100, 100}));
  // The display stops at the range's last measure.
  lecteur.position = 60000;
  controleur->TimerMidiTimer();
  EXPECT_EQ(Partition.MesureCourante, 3);
  controleur->Ac_Son_StopExecute();
  EXPECT_FALSE(controleur->EnLecture());

  lecteur.tempos.clear();
  ASSERT_TRUE(controleur->LancerEntrainement(1, 4, 100, 60, 20));
  EXPECT_EQ(EtatLecture.Variation, -20);
  for (int i = 0; i < 3; ++i) lecteur.Finir();
  EXPECT_EQ(lecteur.tempos, (std::vector<int>{100, 80, 60, 60}));
  controleur->Ac_Son_StopExecute();

  // A variation of 0 repeats the range at the start tempo; mix-table tempos are ignored.
  Partition.Mesures[1]->Temps[1][1].MixTable.emplace().Tempo = 200;
  lecteur.tempos.clear();
  ASSERT_TRUE(controleur->LancerEntrainement(1, 2, 70, 90, 0));
  lecteur.Finir();
  EXPECT_EQ(lecteur.tempos, (std::vector<int>{70, 70}));
  controleur->Ac_Son_StopExecute();
  // Also when the range falls.
  lecteur.tempos.clear();
  ASSERT_TRUE(controleur->LancerEntrainement(1, 2, 200, 100, 0));
  lecteur.Finir();
  lecteur.Finir();
  EXPECT_EQ(lecteur.tempos, (std::vector<int>{200, 200, 200}));
  controleur->Ac_Son_StopExecute();
}

TEST_F(Lecture, APlayCommandBeforeTheSynthIsUpWaitsForIt) {
  lecteur.pret = false;
  MIDIDisponible = 0;
  QObject::connect(&lecteur, &TMediaPlayer::Demarre, [this] { MIDIDisponible = TesterSortieMIDI(lecteur, dir.filePath("t.tmp")); });
  ASSERT_TRUE(controleur->Ac_Son_LectureDebutExecute());
  EXPECT_EQ(lecteur.curseurPendantAttente, Qt::WaitCursor);
  EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
  EXPECT_TRUE(controleur->EnLecture());
  EXPECT_TRUE(messages.empty());
  controleur->Ac_Son_StopExecute();
}

TEST_F(Lecture, BeatPreviewAndOutputTest) {
  Partition.MesureCourante = 2;
  Curseur.Temps = 1;
  ASSERT_TRUE(controleur->JouerTempsCourant());
  EXPECT_FALSE(controleur->EnLecture());
  lecteur.Finir();  // the preview's end changes nothing
  EXPECT_FALSE(controleur->EnLecture());
  EXPECT_TRUE(etats.empty());

  EXPECT_TRUE(TesterSortieMIDI(lecteur, dir.filePath("t.tmp")));
  EXPECT_EQ(lecteur.tempos.back(), 100);
  EXPECT_TRUE(lecteur.Enabled);
  lecteur.disponible = false;
  EXPECT_FALSE(TesterSortieMIDI(lecteur, dir.filePath("u.tmp")));
  EXPECT_FALSE(lecteur.Enabled);
  EXPECT_FALSE(QFile::exists(dir.filePath("u.tmp")));  // no output: nothing written
  lecteur.disponible = true;
  lecteur.Enabled = true;
  EXPECT_FALSE(TesterSortieMIDI(lecteur, dir.filePath("absent/t.tmp")));
}

TEST_F(Lecture, FileBrowserPlaysItsChoiceOfMeasuresThenMovesOn) {
  EXPECT_EQ(MesuresSelonJumpAfter(3, 4), 4);
  EXPECT_EQ(MesuresSelonJumpAfter(3, 40), 5);
  EXPECT_EQ(MesuresSelonJumpAfter(6, 40), 40);
  EXPECT_EQ(MesuresSelonJumpAfter(0, 40), 40);
  NouveauMorceau(8);
  for (int m = 1; m <= 8; ++m) AjouterTemps(1, m, 1920, 1, m);
  int suivants = 0;
  vue.OnBrowserMeasures = [] { return MesuresSelonJumpAfter(3, 8); };
  vue.OnBrowserPlaybackEnded = [&](bool arrete) { suivants += arrete ? 100 : 1; };
  controleur->DefinirBoucle(true);  // the browser never loops
  ModeParcourir = true;
  ASSERT_TRUE(controleur->Ac_Son_LectureDebutExecute());
  EXPECT_EQ(NbOrdreLecture, 5);
  lecteur.Finir();
  EXPECT_FALSE(controleur->EnLecture());
  EXPECT_EQ(suivants, 1);
  ASSERT_TRUE(controleur->Ac_Son_LectureDebutExecute());
  controleur->Ac_Son_StopExecute();
  EXPECT_EQ(suivants, 101);
  ModeParcourir = false;
}

// A speed-trainer pass whose file cannot be written gives back the tool windows it put aside.
TEST_F(Lecture, FailedSpeedTrainerPassReopensTheToolWindows) {
  struct Vue : TVueFactice {
    int avant = 0, apres = 0;
    void BeforePlayback() override { ++avant; }
    void AfterPlayback() override { ++apres; }
  };
  {
    Vue v;
    TControleurLecture c(lecteur, dir.filePath("absent/vexo.tmp"));
    EXPECT_FALSE(c.LancerEntrainement(1, 2, 60, 80, 10));
    EXPECT_EQ(v.avant, 1);
    EXPECT_EQ(v.apres, 1);
    EXPECT_FALSE(c.EnLecture());
  }
  DefinirVueEditeur(&vue);
}

// Each play command and the speed trainer start through one routine, which lays out an edit of
// the current measure not yet committed, once, and commits it.
TEST_F(Lecture, EveryStartLaysOutTheEditNotYetCommitted) {
  const std::function<bool()> departs[] = {[&] { return controleur->Ac_Son_LectureDebutExecute(); },
                                           [&] { return controleur->Ac_Son_LecturePosECExecute(); },
                                           [&] { return controleur->Ac_Son_LectureMesureECExecute(); },
                                           [&] { return controleur->LancerEntrainement(2, 3, 60, 80, 10); }};
  QObject contexte;
  std::vector<int> modifiees;
  QObject::connect(&Notificateur(), &TNotificateur::mesureModifiee, &contexte,
                   [&](int m) { modifiees.push_back(m); });
  for (const auto& depart : departs) {
    modifiees.clear();
    Partition.MesureCourante = 2;
    ActiverAnnulerMesure(true);
    ASSERT_TRUE(depart());
    lecteur.Finir();  // the trainer's next pass starts again, with nothing left to lay out
    EXPECT_EQ(modifiees, std::vector<int>{2});
    EXPECT_FALSE(MesureEditee);
    controleur->Ac_Son_StopExecute();
    EXPECT_FALSE(controleur->EnLecture());
  }
}

TEST(LectureNoms, InstrumentNames) {
  EXPECT_EQ(NomInstrument(24), "24 - Acoustic Guitar (nylon)");
  EXPECT_EQ(NomInstrument(8), "8 - Celesta ");
  EXPECT_EQ(NomInstrument(127), "127 - Gunshot");
  EXPECT_EQ(NomKitBatterie(8), "8 - Drum Kit 8");
  EXPECT_EQ(TexteMinutesSecondes(125400), "02:05");
}

namespace {
int CreteWav(const QString& chemin) {
  QFile f(chemin);
  if (!f.open(QIODevice::ReadOnly)) return 0;
  QByteArray b = f.readAll();
  int crete = 0;
  for (qsizetype i = 44; i + 1 < b.size(); i += 2)
    crete = std::max(crete, std::abs(int(int16_t(uint8_t(b[i]) | (uint8_t(b[i + 1]) << 8)))));
  return crete;
}
}  // namespace

TEST(LectureFluidSynth, PlaysASongToTheEndIntoTheAudioFile) {
  EXIGER_SOUNDFONT();
  OptionsNeutres();
  QTemporaryDir dir;
  const QString wav = dir.filePath("lecture.wav");
  NouveauMorceau(2);
  Partition.Tempo = 240;
  AjouterTemps(1, 1, 1920, 1, 0);
  AjouterTemps(1, 2, 960, 2, 1);
  qputenv("VEXO_AUDIO_FILE", wav.toLocal8Bit());
  {
    TFluidMediaPlayer lecteur;
    qunsetenv("VEXO_AUDIO_FILE");
    ASSERT_TRUE(lecteur.Disponible()) << lecteur.Erreur().toStdString();
    TControleurLecture controleur(lecteur, dir.filePath("vexo.tmp"));
    InstallerReponseMessage([](const TDemandeMessage&) { return ID_OK; });
    MIDIDisponible = 1;
    ASSERT_TRUE(controleur.Ac_Son_LectureDebutExecute());
    // The controller's own 100 ms timer follows the measures.
    QEventLoop boucle;
    QTimer tic;
    QObject::connect(&tic, &QTimer::timeout, [&] {
      if (!controleur.EnLecture()) boucle.quit();
    });
    tic.start(50);
    QTimer::singleShot(10000, &boucle, &QEventLoop::quit);
    boucle.exec();
    EXPECT_FALSE(controleur.EnLecture());
    EXPECT_EQ(Partition.MesureCourante, 2);
    MIDIDisponible = 0;
    InstallerReponseMessage({});
  }
  EXPECT_GT(CreteWav(wav), 1000);
}

// The loudest chord the editor writes, an open E major on six strings at fff, peaks near -6 dBFS
// and never clips.
TEST(LectureFluidSynth, AFullChordAtFffPeaksNearMinus6dBFS) {
  if (!QFileInfo::exists(CheminSoundFont())) GTEST_SKIP() << "no SoundFont at " << CheminSoundFont().toStdString();
  OptionsNeutres();
  QTemporaryDir dir;
  NouveauMorceau(1);
  TTemps& t = AjouterTemps(1, 1, 1920, 1, 0);
  const int frettes[7] = {0, 0, 0, 1, 2, 2, 0};
  for (int s = 1; s <= 6; ++s) {
    t.Notes[s].Frette = int8_t(frettes[s]);
    t.Notes[s].Nuance = 8;
  }
  ASSERT_TRUE(CalculeOrdreLecture(1, 1, false));
  ASSERT_TRUE(EcrireFichierMIDI(dir.filePath("accord.mid"), MODE_MIDI_DEBUT));
  QString erreur;
  ASSERT_TRUE(RendreMidiEnWav(dir.filePath("accord.mid"), dir.filePath("accord.wav"), CheminSoundFont(), &erreur))
      << erreur.toStdString();
  const double dB = 20 * std::log10(CreteWav(dir.filePath("accord.wav")) / 32768.0);
  if (qEnvironmentVariableIsSet("VEXO_CRETE")) std::fprintf(stderr, "peak %.2f dBFS\n", dB);
  EXPECT_GT(dB, -9.0);
  EXPECT_LT(dB, -3.0);
}
