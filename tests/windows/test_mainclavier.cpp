// The main window's keyboard through real key events on the window: the focus holder gets the keys
// back after a menu, during playback only the editing shortcuts are held back, and keys that come
// in a burst act as the same keys typed one by one.
#include <gtest/gtest.h>
#include <qpa/qwindowsysteminterface.h>

#include <QApplication>
#include <QDir>
#include <QMenu>
#include <QMenuBar>
#include <QTest>
#include <functional>
#include <map>

#include "song/Song.h"
#include "files/FichierSqt.h"
#include "editor/state/EtatEdition.h"
#include "editor/state/EtatProgramme.h"
#include "editor/ui/Main.h"
#include "editor/state/Partition.h"
#include "editor/state/RedessinSaisie.h"
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
      {"mouse, Escape", [&] { CliquerMenu(f->Menus.Mn_Fichier); Touche(Qt::Key_Escape); }},
      {"mouse, Alt tap", [&] { CliquerMenu(f->Menus.Mn_Edition); Touche(Qt::Key_Alt); }},
      {"Alt+F, Escape", [&] { Touche(Qt::Key_F, Qt::AltModifier); Touche(Qt::Key_Escape); }},
      {"menu bar holding the keys, a click in the edit zone", [&] {
         f->menuBar()->setFocus();
         QTest::mouseClick(f->ZoneSaisie, Qt::LeftButton, {}, QPoint(2, 2));
         Curseur.Temps = Curseur.Corde = 1;
       }},
      {"submenu, Escape twice", [&] {
         CliquerMenu(f->Menus.Mn_Effets);
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
  for (TMembreAction action : {&TForm1::Ac_Fichier_Nouveau, &TForm1::Ac_Fichier_Ouvrir, &TForm1::Ac_Fichier_Enregistrer,
                                &TForm1::Ac_Fichier_Proprietes, &TForm1::Ac_Edition_Annuler, &TForm1::Ac_Effet_HO,
                                &TForm1::Ac_Note_Lier, &TForm1::Ac_Mesure_Suivante})
    f->RemplacerExecute(action, [&faits, n = std::string(TableActions[IndiceMembre(action)].Nom)] { ++faits[n]; });
  Vierge = 0;  // an edited song: Save is offered
  f->RafraichirActions();
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
  EXPECT_EQ(QApplication::activePopupWidget(), f->Menus.Mn_Fichier);
  Touche(Qt::Key_Escape);
  f->Ac_Son_LectureDebut->setEnabled(true);
}

namespace {
// The window with its beat preview counted instead of sounded.
class TForm1Ecoute : public TForm1 {
 public:
  int Ecoutes = 0;
  void PlayCurrentBeat() override { ++Ecoutes; }
};
using Rafale = FenetreTest<TForm1Ecoute>;
// Measure 1 of track 1 in a short form: "string:fret" per beat, beats apart by " | ".
std::string Mesure1() {
  const TMesure& m = *Partition.Mesures[1];
  std::string r;
  for (int b = 1; b <= m.NbTemps[1]; ++b) {
    r += b > 1 ? " | " : "";
    for (int s = 1, n = 0; s <= 6; ++s)
      if (m.Temps[1][b].Notes[s].Frette >= 0)
        r += (n++ ? "," : "") + std::to_string(s) + ":" + std::to_string(m.Temps[1][b].Notes[s].Frette);
  }
  return r;
}
}  // namespace

// Keys queued by the window system all at once, as a fast typist gives them while a command still
// runs, act exactly as the same keys handled one at a time: none runs inside another.
TEST_F(Rafale, KeysQueuedAtOnceActAsKeysTypedOneByOne) {
  const struct {
    const char* touches;  // QKeySequence's names, "Num+" for the keypad
    const char* attendu;  // measure 1 once they have all been handled
  } cas[] = {
      {"5 Right 7 Down 3 Right 9 Up 0", "1:5 | 1:7,2:3 | 1:0,2:9"},
      {"1 2 Num++ Return Down 4 Num+- Num+- Right 1 Num+7", "1:12 | 2:4 | 2:17"},
      {"3 Down 5 Del Up Del 8 Right 2 Left Backspace 6", "1:6"},
  };
  for (const bool ecoute : {false, true})
    for (const auto& c : cas) {
      SCOPED_TRACE(testing::Message() << c.touches << (ecoute ? ", playing while entering" : ""));
      auto taper = [&](bool rafale) {
        NouvellePartition();
        Curseur.Temps = Curseur.Corde = 1;
        RafraichirZoneSaisie();
        f->RafraichirActions();
        f->Ac_Son_JouerSaisie->setChecked(ecoute);
        MIDIDisponible = ecoute ? 1 : 0;
        f->Ecoutes = 0;
        for (const QString& nom : QString(c.touches).split(' ')) {
          const QKeyCombination k = QKeySequence::fromString(nom)[0];
          if (!rafale) {
            QTest::keyClick(f->windowHandle(), k.key(), k.keyboardModifiers());
            continue;
          }
          const char texte = QTest::keyToAscii(k.key());
          for (QEvent::Type type : {QEvent::KeyPress, QEvent::KeyRelease})
            QWindowSystemInterface::handleKeyEvent<QWindowSystemInterface::AsynchronousDelivery>(
                f->windowHandle(), type, k.key(), k.keyboardModifiers(), texte ? QString(QChar(texte)) : QString());
        }
        // The queue is handled as the window system's dispatch handles it: one event after the
        // other, each free to let pending messages run.
        QWindowSystemInterface::flushWindowSystemEvents();
        QApplication::processEvents();
        return std::make_tuple(OctetsPartition(), Mesure1(), f->Ecoutes);
      };
      const auto [octets, mesure, ecoutes] = taper(false);
      EXPECT_EQ(mesure, c.attendu);
      EXPECT_EQ(ecoutes > 0, ecoute);
      const auto [octetsRafale, mesureRafale, ecoutesRafale] = taper(true);
      EXPECT_EQ(mesureRafale, mesure);
      EXPECT_TRUE(octetsRafale == octets);  // the song writer's bytes
      EXPECT_EQ(ecoutesRafale, ecoutes);
    }
}
