#include <gtest/gtest.h>

#include <QKeyEvent>

#include "editor/Clavier.h"

using C = TCommandeClavier;

namespace {
C Cmd(int vk, int etat = 0, bool lecture = false, bool plein = false) {
  return CommandeTouche(vk, etat, lecture, plein).Commande;
}
}  // namespace

TEST(KeyMap, CursorKeysCompareModifiersAsWholeSets) {
  EXPECT_EQ(Cmd(VK_LEFT), C::CurseurTempsPrecedent);
  EXPECT_EQ(Cmd(VK_RIGHT), C::CurseurTempsSuivant);
  EXPECT_EQ(Cmd(VK_UP), C::CurseurCordeHaut);
  EXPECT_EQ(Cmd(VK_DOWN), C::CurseurCordeBas);
  EXPECT_EQ(Cmd(VK_LEFT, ssShift), C::Aucune);
  EXPECT_EQ(Cmd(VK_RIGHT, ssCtrl), C::Aucune);
  EXPECT_EQ(Cmd(VK_UP, ssAlt), C::Aucune);
  EXPECT_EQ(Cmd(VK_UP, ssCtrl | ssShift), C::ValiderSiPossible);
  EXPECT_EQ(Cmd(VK_UP, ssCtrl | ssShift | ssAlt), C::Aucune);
  // Home and End act under any modifiers.
  EXPECT_EQ(Cmd(VK_HOME, ssShift), C::CurseurDebutMesure);
  EXPECT_EQ(Cmd(VK_END, ssCtrl), C::CurseurFinMesure);
  EXPECT_TRUE(CommandeTouche(VK_LEFT, ssShift, false, false).Rafraichir);  // the final refresh still runs
}

TEST(KeyMap, DeleteAndBackspace) {
  EXPECT_EQ(Cmd(VK_DELETE), C::EffacerSousCurseur);
  EXPECT_EQ(Cmd(VK_DELETE, ssShift), C::EffacerSousCurseur);
  EXPECT_EQ(Cmd(VK_DELETE, ssCtrl | ssShift), C::EffacerSousCurseur);
  EXPECT_EQ(Cmd(VK_DELETE, ssCtrl), C::SupprimerTemps);
  EXPECT_EQ(Cmd(VK_BACK), C::EffacerSousCurseurRetour);
  EXPECT_EQ(Cmd(VK_BACK, ssCtrl), C::SupprimerTempsRetour);
}

TEST(KeyMap, DigitsDurationsAndTracks) {
  auto t7 = CommandeTouche(VK_0 + 7, 0, false, false);
  auto p7 = CommandeTouche(VK_NUMPAD0 + 7, 0, false, false);
  EXPECT_EQ(t7.Commande, C::Chiffre);
  EXPECT_EQ(t7.Chiffre, 7);
  EXPECT_EQ(p7.Commande, C::Chiffre);
  EXPECT_EQ(p7.Chiffre, 7);
  EXPECT_TRUE(t7.Rafraichir);
  // Ctrl with a digit still reaches the digit entry (it selects a track there), even in full screen.
  EXPECT_EQ(CommandeTouche(VK_0 + 3, ssCtrl, false, true).Commande, C::Chiffre);
  EXPECT_EQ(Cmd(VK_ADD), C::RaccourcirDuree);
  EXPECT_EQ(Cmd(VK_SUBTRACT), C::AllongerDuree);
  EXPECT_EQ(Cmd(VK_ADD, ssCtrl), C::PisteSuivante);  // changes the track, does not shorten
  EXPECT_EQ(Cmd(VK_SUBTRACT, ssCtrl), C::PistePrecedente);
  EXPECT_EQ(Cmd(VK_ADD, ssShift), C::Aucune);
  EXPECT_EQ(Cmd(VK_MULTIPLY, ssShift), C::PointerSiPossible);
  EXPECT_EQ(Cmd(VK_DECIMAL), C::PointerSiPossible);
  EXPECT_EQ(Cmd(VK_DIVIDE, ssCtrl), C::BasculerTriolet);
}

TEST(KeyMap, SpaceAndPlayback) {
  EXPECT_EQ(Cmd(VK_SPACE), C::LectureDebut);
  EXPECT_EQ(Cmd(VK_SPACE, ssCtrl), C::LecturePosEC);
  EXPECT_EQ(Cmd(VK_SPACE, ssCtrl | ssShift), C::LectureMesureEC);
  EXPECT_EQ(Cmd(VK_SPACE, ssShift), C::Aucune);
  // While playing only Space (stop) and Ctrl with keypad plus or minus act, and nothing refreshes.
  for (int etat : {0, ssShift, ssCtrl, ssAlt}) EXPECT_EQ(Cmd(VK_SPACE, etat, true), C::Stop);
  EXPECT_EQ(Cmd(VK_ADD, ssCtrl, true), C::PisteSuivante);
  for (int vk : {VK_LEFT, VK_RIGHT, VK_UP, VK_DOWN, VK_HOME, VK_END, VK_DELETE, VK_BACK, VK_ADD, VK_SUBTRACT,
                 VK_MULTIPLY, VK_DIVIDE, VK_PRIOR, VK_NEXT, VK_0 + 5, VK_NUMPAD0 + 5, VK_RETURN}) {
    auto r = CommandeTouche(vk, 0, true, false);
    EXPECT_EQ(r.Commande, C::Aucune) << vk;
    EXPECT_FALSE(r.Rafraichir) << vk;
  }
  EXPECT_EQ(CommandeToucheInvisible(VK_RETURN, true).Commande, C::Aucune);
  EXPECT_EQ(CommandeToucheInvisible(VK_RETURN, false).Commande, C::CurseurTempsSuivant);
  EXPECT_EQ(CommandeToucheInvisible(VK_ESCAPE, true).Commande, C::CacherPercussion);
}

TEST(KeyMap, FullScreenStopsEditingKeys) {
  for (int vk : {VK_LEFT, VK_DELETE, VK_BACK, VK_ADD, VK_DIVIDE, VK_HOME}) {
    auto r = CommandeTouche(vk, 0, false, true);
    EXPECT_EQ(r.Commande, C::Aucune) << vk;
    EXPECT_FALSE(r.Rafraichir);
  }
  EXPECT_EQ(Cmd(VK_NEXT, 0, false, true), C::DefilerBas);  // scrolling still works
  EXPECT_EQ(Cmd(VK_SPACE, 0, false, true), C::LectureDebut);
}

TEST(KeyMap, QtKeysBecomeVirtualKeys) {
  EXPECT_EQ(ToucheVirtuelle(Qt::Key_7, 0), VK_0 + 7);
  EXPECT_EQ(ToucheVirtuelle(Qt::Key_7, Qt::KeypadModifier), VK_NUMPAD0 + 7);
  EXPECT_EQ(ToucheVirtuelle(Qt::Key_Plus, Qt::KeypadModifier), VK_ADD);
  EXPECT_EQ(ToucheVirtuelle(Qt::Key_Plus, 0), 0);  // the main-keyboard plus is no duration key
  EXPECT_EQ(ToucheVirtuelle(Qt::Key_Comma, Qt::KeypadModifier), VK_DECIMAL);
  EXPECT_EQ(ToucheVirtuelle(Qt::Key_Enter, Qt::KeypadModifier), VK_RETURN);
  EXPECT_EQ(EtatModificateurs(Qt::ControlModifier | Qt::KeypadModifier), ssCtrl);
  EXPECT_EQ(EtatModificateurs(Qt::ControlModifier | Qt::ShiftModifier), ssCtrl | ssShift);
  // The digit row by position: AZERTY's "&" and a shifted "!" are the key 1.
  QKeyEvent azerty(QEvent::KeyPress, Qt::Key_Ampersand, Qt::NoModifier, 10, 0x26, 0, "&");
  EXPECT_EQ(ToucheVirtuelle(azerty), VK_0 + 1);
  QKeyEvent zero(QEvent::KeyPress, Qt::Key_Agrave, Qt::NoModifier, 19, 0xe0, 0, "a");
  EXPECT_EQ(ToucheVirtuelle(zero), VK_0);
  QKeyEvent shift(QEvent::KeyPress, Qt::Key_Exclam, Qt::ShiftModifier, 10, 0x21, 1, "!");
  EXPECT_EQ(ToucheVirtuelle(shift), VK_0 + 1);
  QKeyEvent lettre(QEvent::KeyPress, Qt::Key_Q, Qt::NoModifier, 24, 0x71, 0, "q");
  EXPECT_EQ(ToucheVirtuelle(lettre), 'Q');
  QKeyEvent e(QEvent::KeyPress, Qt::Key_Minus, Qt::ControlModifier | Qt::KeypadModifier);
  EXPECT_EQ(CommandeTouche(ToucheVirtuelle(e), EtatModificateurs(e), false, false).Commande, C::PistePrecedente);
}

TEST(KeyMap, HeldKeyScrollEndsOnReleaseOrAfter500Passes) {
  cDefilementTouche d;
  EXPECT_EQ(d.PasSuivant(), 0);
  d.Demarrer(4);
  EXPECT_EQ(d.PasSuivant(), 4);
  EXPECT_EQ(d.PasSuivant(), 4);
  d.Arreter();
  EXPECT_EQ(d.PasSuivant(), 0);
  d.Demarrer(-4);
  int total = 0;
  for (int i = 0; i < 2000; ++i) total += d.PasSuivant();
  EXPECT_EQ(total, -4 * 500);
  EXPECT_FALSE(d.ToucheEnfoncee);
}
