// Test entry of every test executable: one QApplication for the whole run (offscreen), a private
// config folder, and one reset of the program's global state before every test, so that the tests
// hold in any order. An executable resets the state of the layers it links (tests/CMakeLists.txt
// defines VEXO_TESTS_<LAYER> for each of them, VEXO_TESTS_SETTINGS and VEXO_TESTS_EDITOR_STATE among them).
#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>

#if VEXO_TESTS_EDITOR_STATE
#include "editor/state/EtatEdition.h"
#include "editor/state/EtatProgramme.h"
#include "editor/state/Partition.h"
#include "editor/state/VueEditeur.h"
#endif
#if VEXO_TESTS_SETTINGS
#include "settings/Config.h"
#include "settings/Mess.h"
#endif
#include "platform/CheckedFile.h"
#include "tests/platform/SonTest.h"

namespace {
class RemiseAZero : public ::testing::EmptyTestEventListener {
 public:
  explicit RemiseAZero(QString dossier) : dossier_(std::move(dossier)) {}
  void OnTestStart(const ::testing::TestInfo&) override {
    QDir::setCurrent(dossier_);
#if VEXO_TESTS_SETTINGS
    Repertoire.clear();
    InstallerReponseMessage({});
#endif
#if VEXO_TESTS_EDITOR_STATE
    DefinirVueEditeur(nullptr);
    MIDIDisponible = 0;
    ModeParcourir = false;
    LectureDepuisBande = 0;
    PleinEcranActif = 0;
    PisteCourante = 1;
    Curseur = TCurseur{};
    NouvellePartition();
    CheminFichier.clear();
    NomFichier.clear();
    Modifie = 0;
    Vierge = 0;
#endif
  }

 private:
  QString dossier_;
};
}  // namespace

int main(int argc, char** argv) {
  PrepareProcess();  // the program's own process set-up (main.cpp), which the writers' tests rely on
  qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? QByteArray("offscreen") : qgetenv("QT_QPA_PLATFORM"));
  QTemporaryDir home;
  qputenv("VEXO_HOME", home.path().toUtf8());
  // The toolkit keeps its own settings (the file dialog's last folder among them) under the user's
  // config folder: a test must neither read what a user or another run left there nor leave its own.
  qputenv("XDG_CONFIG_HOME", home.path().toUtf8());
  if (qEnvironmentVariableIsEmpty("VEXO_SOUNDFONT")) qputenv("VEXO_SOUNDFONT", kSoundFontTest);
  QApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  ::testing::UnitTest::GetInstance()->listeners().Append(new RemiseAZero(QDir::currentPath()));
  return RUN_ALL_TESTS();
}
