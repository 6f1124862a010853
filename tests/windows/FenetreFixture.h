#pragma once
// The main window created, activated and holding the keyboard, for the tests that drive it: message
// boxes answer OK, and the working folder and the settings folder come back afterwards.
#include <gtest/gtest.h>

#include <QDir>
#include <QTest>

#include "editor/state/EtatEdition.h"
#include "editor/state/EtatProgramme.h"
#include "editor/ui/Main.h"
#include "platform/Folders.h"
#include "platform/MediaPlayer.h"
#include "settings/Config.h"
#include "settings/Mess.h"

template <class Fenetre = TForm1>
class FenetreTest : public ::testing::Test {
 protected:
  void SetUp() override {
    InstallerReponseMessage([](const TDemandeMessage&) { return ID_OK; });
    dossier = QDir::currentPath();
    repWindows = RepWindows;
    PisteCourante = 1;
    RepWindows = DossierConfiguration();
    f = new Fenetre;
    f->LigneCommande.clear();
    f->FormActivate();
    // The synth comes up on its own thread and the output test follows it: settled now, it cannot
    // reset MIDIDisponible in the middle of a test that sets it (on a busy machine it came late).
    f->MediaPlayer1->AttendrePret();
    f->show();
    f->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(f));
    f->Ed_Invisible->setFocus();
  }
  void TearDown() override {
    Modifie = 0;  // no save question
    MIDIDisponible = 0;
    delete f;
    InstallerReponseMessage({});
    QDir::setCurrent(dossier);
    RepWindows = repWindows;
  }
  Fenetre* f = nullptr;
  QString dossier, repWindows;
};
