#include <gtest/gtest.h>

#include <QAction>
#include <QMainWindow>
#include <QMap>
#include <QMenu>
#include <QMenuBar>
#include <QTest>
#include <QToolBar>
#include <QToolButton>
#include <stdexcept>
#include <utility>

#include "components/VxPanel.h"
#include "editor/ui/MainActions.h"

namespace {
using T = TActionsPrincipales;

QKeySequence Sequence(const TDefAction& d) {
  return QKeySequence::fromString(QString::fromLatin1(d.Raccourci), QKeySequence::PortableText);
}
const TDefAction& Def(TMembreAction membre) { return TableActions[IndiceMembre(membre)]; }
}  // namespace

TEST(CommandTable, Shortcuts) {
  const std::pair<TMembreAction, QKeySequence> attendu[] = {
      {&T::Ac_Fichier_Nouveau, QKeySequence(Qt::CTRL | Qt::Key_N)},
      {&T::Ac_Fichier_Proprietes, QKeySequence(Qt::Key_F5)},
      {&T::Ac_Edition_Annuler, QKeySequence(Qt::CTRL | Qt::Key_Z)},
      {&T::Ac_Edition_TableMix, QKeySequence(Qt::Key_F10)},
      {&T::Ac_Mesure_Premiere, QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Left)},
      {&T::Ac_Mesure_AllerA, QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Down)},
      {&T::Ac_Note_Pointee, QKeySequence(Qt::Key_Backslash)},
      {&T::Ac_Note_InsererTemps, QKeySequence(Qt::Key_Insert)},
      {&T::Ac_Note_SupprimerTemps, QKeySequence(Qt::CTRL | Qt::Key_Delete)},
      {&T::Ac_Note_CopierTempsfin, QKeySequence(Qt::Key_C)},
      {&T::Ac_Note_DeplacerHaut, QKeySequence(Qt::CTRL | Qt::Key_Up)},
      {&T::Ac_Effet_LetRing, QKeySequence(Qt::Key_I)},
      {&T::Ac_Effet_FadeIn, QKeySequence(Qt::Key_F)},
      {&T::Ac_Effet_BrushDown, QKeySequence(Qt::CTRL | Qt::Key_D)},
      {&T::Ac_Ass_MontrerDyna, QKeySequence(Qt::Key_F12)},
      {&T::Ac_Options_Preferences, QKeySequence(Qt::Key_F6)},
      {&T::Ac_Aide_Index, QKeySequence(Qt::Key_F1)},
  };
  for (const auto& [membre, touches] : attendu) EXPECT_EQ(Sequence(Def(membre)), touches) << Def(membre).Nom;
  QMap<QKeySequence, QString> vues;
  for (const TDefAction& d : TableActions) {
    if (!*d.Raccourci) continue;
    QKeySequence k = Sequence(d);
    EXPECT_FALSE(k.isEmpty()) << d.Nom;  // the text parses
    EXPECT_FALSE(vues.contains(k)) << d.Nom << " shares its key with " << vues.value(k).toStdString();
    vues.insert(k, d.Nom);
  }
  EXPECT_TRUE(QString(Def(&T::Ac_Note_Ronde).Raccourci).isEmpty());
}

TEST(CommandTable, TagsHandlersAndStartingStates) {
  const TMembreAction notes[] = {&T::Ac_Effet_HO,        &T::Ac_Effet_PO,   &T::Ac_Effet_SlideUp,
                                 &T::Ac_Effet_SlideDown, &T::Ac_Effet_Bend, &T::Ac_Effet_BendRelease,
                                 &T::Ac_Effet_LetRing};
  for (int k = 0; k < 7; ++k) EXPECT_EQ(Def(notes[k]).Tag, k + 1) << Def(notes[k]).Nom;
  const std::pair<TMembreAction, int> temps[] = {
      {&T::Ac_Effet_VibMainGauche, 1}, {&T::Ac_Effet_TremoloBar, 2}, {&T::Ac_Effet_CoupDeVibrato, 3},
      {&T::Ac_Effet_FadeIn, 4},        {&T::Ac_Effet_TappingMD, 5},  {&T::Ac_Effet_Slap, 6},
      {&T::Ac_Effet_Pop, 7},           {&T::Ac_Effet_HarmNat, 8},    {&T::Ac_Effet_HarmArt, 9},
      {&T::Ac_Effet_BrushUp, 1},       {&T::Ac_Effet_BrushDown, 2}};
  for (const auto& [membre, tag] : temps) EXPECT_EQ(Def(membre).Tag, tag) << Def(membre).Nom;
  // The shared handlers store the tag; the commands that ask for a value first have their own.
  const std::pair<TMembreAction, TExecute> partages[] = {
      {&T::Ac_Effet_SlideDown, TExecute::Effet_HO},       {&T::Ac_Effet_LetRing, TExecute::Effet_HO},
      {&T::Ac_Effet_Bend, TExecute::Propre},              {&T::Ac_Effet_HarmArt, TExecute::Effet_VibMainGauche},
      {&T::Ac_Effet_CoupDeVibrato, TExecute::Propre},     {&T::Ac_Effet_BrushDown, TExecute::Effet_BrushUp}};
  for (const auto& [membre, execute] : partages) EXPECT_EQ(Def(membre).Execute, execute) << Def(membre).Nom;
  for (const TDefAction& d : TableActions) {
    bool inactif = d.Membre == &T::Ac_Edition_Coller || d.Membre == &T::Ac_Son_Stop;
    EXPECT_EQ(d.ActifAuDepart, !inactif) << d.Nom;
  }
  // Buttons: every Note, Mesure and Effets action has a panel button.
  for (const TDefAction& d : TableActions) {
    QString cat = d.Categorie;
    if (cat == "Note" || cat == "Mesure" || cat == "Effets") {
      EXPECT_EQ(d.Bouton, TBouton::Panneau) << d.Nom;
    }
  }
}

TEST(CommandTable, ACommandIsBoundOnce) {
  TActionsPrincipales a;
  int premier = 0, second = 0;
  a.DefinirExecute(&T::Ac_Son_Stop, [&] { ++premier; });
  EXPECT_THROW(a.DefinirExecute(&T::Ac_Son_Stop, [&] { ++second; }), std::logic_error);
  a.Execute[IndiceMembre(&T::Ac_Son_Stop)]();
  EXPECT_EQ(premier, 1);  // the refused binding changed nothing
  a.RemplacerExecute(&T::Ac_Son_Stop, [&] { ++second; });
  a.Execute[IndiceMembre(&T::Ac_Son_Stop)]();
  EXPECT_EQ(second, 1);
}

// A window with a focus holder that is no text widget, as the main window has.
class FenetreActions : public ::testing::Test {
 protected:
  void SetUp() override {
    CreerActions(&w, a);
    ConstruireMenus(w.menuBar(), a, m);
    focus = new QWidget(&w);
    focus->setFocusPolicy(Qt::StrongFocus);
    w.setCentralWidget(focus);
    w.show();
    w.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    focus->setFocus();
  }
  QMainWindow w;
  TActionsPrincipales a;
  TMenusPrincipaux m;
  QWidget* focus = nullptr;
};

TEST_F(FenetreActions, CheckableActionIsNotToggledTwice) {
  // The handler decides from the model (effect on the note) and the refresh shows the model.
  int effet = 0;
  bool vuCoche = true;
  a.DefinirExecute(&T::Ac_Effet_HO, [&] {
    vuCoche = a.Ac_Effet_HO->isChecked();
    effet = effet == 1 ? 0 : 1;
    a.Ac_Effet_HO->setChecked(effet == 1);
  });
  QTest::keyClick(focus, Qt::Key_H);
  EXPECT_EQ(effet, 1);
  EXPECT_FALSE(vuCoche);  // the handler saw the state shown before the key
  EXPECT_TRUE(a.Ac_Effet_HO->isChecked());
  QTest::keyClick(focus, Qt::Key_H);
  EXPECT_EQ(effet, 0);
  EXPECT_TRUE(vuCoche);
  EXPECT_FALSE(a.Ac_Effet_HO->isChecked());

  // A handler that inverts the mark itself (display switches) inverts it once.
  a.DefinirExecute(&T::Ac_Ass_MontrerDyna, [&] { a.Ac_Ass_MontrerDyna->setChecked(!a.Ac_Ass_MontrerDyna->isChecked()); });
  a.Ac_Ass_MontrerDyna->trigger();
  EXPECT_TRUE(a.Ac_Ass_MontrerDyna->isChecked());
  QTest::keyClick(focus, Qt::Key_F12);
  EXPECT_FALSE(a.Ac_Ass_MontrerDyna->isChecked());
}

TEST_F(FenetreActions, ShortcutsReachHandlersFromTheFocusHolder) {
  int annuler = 0, supprimer = 0, silence = 0, pointee = 0;
  a.DefinirExecute(&T::Ac_Edition_Annuler, [&] { ++annuler; });
  a.DefinirExecute(&T::Ac_Note_SupprimerTemps, [&] { ++supprimer; });
  a.DefinirExecute(&T::Ac_Note_Silence, [&] { ++silence; });
  a.DefinirExecute(&T::Ac_Note_Pointee, [&] { ++pointee; });
  QTest::keyClick(focus, Qt::Key_Z, Qt::ControlModifier);
  QTest::keyClick(focus, Qt::Key_Delete, Qt::ControlModifier);
  QTest::keyClick(focus, Qt::Key_S);
  QTest::keyClick(focus, Qt::Key_Backslash);
  EXPECT_EQ(annuler, 1);
  EXPECT_EQ(supprimer, 1);
  EXPECT_EQ(silence, 1);
  EXPECT_EQ(pointee, 1);
  // Undo has no menu item, yet its shortcut works.
  for (QAction* item : w.menuBar()->actions())
    if (item->menu()) {
      EXPECT_FALSE(item->menu()->actions().contains(a.Ac_Edition_Annuler));
    }
  // A disabled action does not run.
  a.Ac_Note_Silence->setEnabled(false);
  QTest::keyClick(focus, Qt::Key_S);
  a.Executer(a.Ac_Note_Silence);
  EXPECT_EQ(silence, 1);
}

TEST_F(FenetreActions, MenusAndButtons) {
  EXPECT_EQ(m.Mn_Edition->actions().size(), 8);
  EXPECT_EQ(m.PopupMenuAff->actions().size(), 5);
  EXPECT_EQ(m.Mn_Dyna->actions().size(), 8);
  EXPECT_EQ(m.Mn_Note->actions().first(), a.Ac_Note_Ronde);
  EXPECT_EQ(w.menuBar()->actions().size(), 10);
  for (const TDefAction& d : TableActions) {
    QAction* act = a.*d.Membre;
    ASSERT_NE(act, nullptr);
    EXPECT_EQ(act->objectName(), QString(d.Nom));
    EXPECT_EQ(act->data().toInt(), d.Tag);
    // Every command but undo has its item: the window and its menu hold it.
    if (act != a.Ac_Edition_Annuler) {
      EXPECT_GE(act->associatedObjects().size(), 2) << d.Nom;
    }
  }
  TVxToolbar barre(&w);
  ConstruireBarreOutils(&barre, a);
  EXPECT_NE(barre.findChild<QWidget*>("Bt_Son_Metronome"), nullptr);
  // Buttons 23 wide and grooved 6-pixel spacers, in the stored order.
  EXPECT_EQ(barre.IndexOfName("VxSpacer1"), 3);
  EXPECT_EQ(barre.findChild<QWidget*>("Bt_Fichier_Proprietes")->x(),
            barre.findChild<QWidget*>("VxSpacer1")->x() + 6);
  QWidget panneau;
  auto boutons = ConstruireBoutonsPanneau(&panneau, a);
  for (const TDefAction& d : TableActions)  // a panel button for each command that has one, named after it
    EXPECT_EQ(panneau.findChild<QToolButton*>(NomBoutonAction(d.Nom)) != nullptr, d.Bouton == TBouton::Panneau) << d.Nom;
  EXPECT_EQ(barre.findChild<QWidget*>("Bt_Note_Croche"), nullptr);
  auto* ho = panneau.findChild<QToolButton*>("Bt_Effet_HO");
  ASSERT_NE(ho, nullptr);
  a.Ac_Effet_HO->setChecked(true);
  EXPECT_TRUE(ho->isChecked());  // the button mirrors its command
}

TEST_F(FenetreActions, ButtonOfACheckableCommandShowsTheCommandAfterAClick) {
  QWidget panneau;
  ConstruireBoutonsPanneau(&panneau, a);
  auto* reprise = panneau.findChild<QToolButton*>("Bt_Mesure_RenvoiDebut");
  auto* triolet = panneau.findChild<QToolButton*>("Bt_Note_Triolet");
  ASSERT_NE(reprise, nullptr);
  ASSERT_NE(triolet, nullptr);
  // No handler: nothing changes, and the button must not stay down.
  reprise->click();
  EXPECT_FALSE(a.Ac_Mesure_RenvoiDebut->isChecked());
  EXPECT_FALSE(reprise->isChecked());
  // A handler that refuses the change leaves the button as the command shows it.
  a.DefinirExecute(&T::Ac_Note_Triolet, [] {});
  triolet->click();
  EXPECT_FALSE(triolet->isChecked());
  a.Ac_Note_Triolet->setChecked(true);
  triolet->click();
  EXPECT_TRUE(a.Ac_Note_Triolet->isChecked());
  EXPECT_TRUE(triolet->isChecked());
}
