// The main window's keyboard through real key events on the window: the focus holder gets the keys
// back after a menu, and during playback only the editing shortcuts are held back.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QMenu>
#include <QMenuBar>
#include <QTest>
#include <functional>
#include <map>

#include "song/Song.h"
#include "editor/state/EtatEdition.h"
#include "editor/state/EtatProgramme.h"
#include "editor/ui/Main.h"
#include "editor/state/Partition.h"
#include "settings/Config.h"
#include "platform/Folders.h"
#include "settings/Mess.h"
#include "FenetreFixture.h"

namespace {
class Clavier : public FenetreTest<> {
 protected:
  // A key as the window system gives it: to the open popup, else to the focused control.
  void Touche(Qt::Key key, Qt::KeyboardModifiers m = Qt::NoModifier) {
    QTest::keyClick(f->windowHandle(), key, m);
    QApplication::processEvents();
  }
  void CliquerMenu(QMenu* menu) {
    QTest::mouseClick(f->menuBar(), Qt::LeftButton, {}, f->menuBar()->actionGeometry(menu->menuAction()).center());
    QApplication::processEvents();
  }
  TTemps& T(int b) { return Partition.Courante()->Temps[PisteCourante][b]; }
};
}  // namespace

TEST_F(Clavier, TheFocusHolderGetsTheKeysBackHoweverAMenuIsLeft) {
  const std::vector<std::pair<const char*, std::function<void()>>> facons = {
      {"mouse, Escape", [&] { CliquerMenu(f->Mn_Fichier); Touche(Qt::Key_Escape); }},
      {"mouse, Alt tap", [&] { CliquerMenu(f->Mn_Edition); Touche(Qt::Key_Alt); }},
      {"Alt+F, Escape", [&] { Touche(Qt::Key_F, Qt::AltModifier); Touche(Qt::Key_Escape); }},
      {"menu bar holding the keys, a click in the edit zone", [&] {
         f->menuBar()->setFocus();
         QTest::mouseClick(f->ZoneSaisie, Qt::LeftButton, {}, QPoint(2, 2));
         Curseur.Temps = Curseur.Corde = 1;
       }},
      {"submenu, Escape twice", [&] {
         CliquerMenu(f->Mn_Effets);
         auto* effets = qobject_cast<QMenu*>(QApplication::activePopupWidget());
         ASSERT_NE(effets, nullptr);
         effets->setActiveAction(f->Menus.Mn_Dyna->menuAction());  // opens the submenu
         QApplication::processEvents();
         ASSERT_EQ(QApplication::activePopupWidget(), f->Menus.Mn_Dyna);
         Touche(Qt::Key_Escape);
         Touche(Qt::Key_Escape);
       }},
  };
  for (const auto& [nom, quitter] : facons) {
    SCOPED_TRACE(nom);
    NouvellePartition();
    Curseur.Temps = Curseur.Corde = 1;
    quitter();
    ASSERT_EQ(QApplication::activePopupWidget(), nullptr);
    EXPECT_EQ(QApplication::focusWidget(), f->Ed_Invisible);
    Touche(Qt::Key_5);
    Touche(Qt::Key_Right);
    Touche(Qt::Key_7);
    EXPECT_EQ(T(1).Notes[1].Frette, 5);
    EXPECT_EQ(T(2).Notes[1].Frette, 7);
  }
}

TEST_F(Clavier, DuringPlaybackOnlyTheEditingShortcutsAreHeldBack) {
  std::map<std::string, int> faits;
  for (const char* nom : {"Ac_Fichier_Nouveau", "Ac_Fichier_Ouvrir", "Ac_Fichier_Enregistrer", "Ac_Fichier_Proprietes",
                          "Ac_Edition_Annuler", "Ac_Effet_HO", "Ac_Note_Lier", "Ac_Mesure_Suivante"})
    f->DefinirExecute(nom, [&faits, n = std::string(nom)] { ++faits[n]; });
  MIDIDisponible = 1;
  f->Ac_Son_LectureDebut->setEnabled(false);  // something plays
  f->Ac_Edition_Annuler->setEnabled(true);
  for (QAction* a : {f->Ac_Edition_Annuler, f->Ac_Effet_HO, f->Ac_Note_Lier, f->Ac_Mesure_Suivante,
                     f->Ac_Fichier_Nouveau, f->Ac_Fichier_Ouvrir, f->Ac_Fichier_Enregistrer, f->Ac_Fichier_Proprietes}) {
    ASSERT_FALSE(a->shortcut().isEmpty()) << a->objectName().toStdString();
    const QKeyCombination k = a->shortcut()[0];
    Touche(k.key(), k.keyboardModifiers());
  }
  EXPECT_EQ(faits, (std::map<std::string, int>{{"Ac_Fichier_Nouveau", 1}, {"Ac_Fichier_Ouvrir", 1},
                                           {"Ac_Fichier_Enregistrer", 1}, {"Ac_Fichier_Proprietes", 1}}));
  Touche(Qt::Key_F, Qt::AltModifier);  // the menus open from the keyboard too
  EXPECT_EQ(QApplication::activePopupWidget(), f->Mn_Fichier);
  Touche(Qt::Key_Escape);
  f->Ac_Son_LectureDebut->setEnabled(true);
}
