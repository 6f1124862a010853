// The main window's commands through real key presses on the focus holder: shortcuts, the key map,
// the command states and the tracks.
#include <gtest/gtest.h>
#include <malloc.h>

#include <QApplication>
#include <QCheckBox>
#include <QListWidget>
#include <QDir>
#include <QFile>
#include <QWheelEvent>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QLabel>
#include <QLibraryInfo>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QScrollBar>
#include <QStyle>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <vector>

#include "chords/ui/Sais_ac.h"
#include "dialogs/ChgtParam.h"
#include "dialogs/DialogueValide.h"
#include "dialogs/Sais_txt.h"
#include "dialogs/Assistant_Bat.h"
#include "song/Song.h"
#include "editor/state/EtatEdition.h"
#include "editor/state/EtatProgramme.h"
#include "settings/Aide.h"
#include "settings/Config.h"
#include "editor/ui/Main.h"
#include "editor/ui/MainImportMIDI.h"
#include "midi/ui/SelMIDI.h"
#include "tests/midi/smf_outils.h"
#include "editor/Saisie.h"
#include "editor/state/RedessinSaisie.h"
#include "editor/ui/ZoneSaisie.h"
#include "files/FichierSqt.h"
#include "platform/Folders.h"
#include "settings/Langue.h"
#include "settings/Mess.h"
#include "song/ListesAccords.h"
#include "view/MiseEnPageVue.h"
#include "view/ui/PanelZoneAffScroll.h"
#include "FenetreFixture.h"

namespace {
// The window with its file dialogs answered by the test.
class TForm1Test : public TForm1 {
 public:
  std::function<QString()> Ouverture;
  std::function<QString(const QString&)> Enregistrement;
  QString AskOpenFileName() override { return Ouverture ? Ouverture() : QString(); }
  QString AskSaveFileName(const QString& p) override { return Enregistrement ? Enregistrement(p) : QString(); }
};

class Fenetre : public FenetreTest<TForm1Test> {
 protected:
  void SetUp() override {
    FenetreTest::SetUp();
    k = f->Ed_Invisible;
  }
  TMesure& M() { return *Partition.Courante(); }
  TTemps& T(int b) { return M().Temps[PisteCourante][b]; }
  void Touche(Qt::Key key, Qt::KeyboardModifiers m = Qt::NoModifier) { QTest::keyClick(k, key, m); }
  QWidget* k = nullptr;
};
}  // namespace

// An imported song counts as unsaved: Save is offered at once.
TEST_F(Fenetre, SaveIsOfferedRightAfterAMidiImport) {
  smf::Piste p;
  p.Signature(0, 4, 2).On(0, 52).Off(960, 52).Fin();
  QTemporaryDir dossier;
  QFile fichier(dossier.filePath("air.mid"));
  ASSERT_TRUE(fichier.open(QIODevice::WriteOnly) && fichier.write(smf::Fichier(0, 480, {p})) > 0);
  fichier.close();
  TSelMIDIForm dialogue(f);
  SelMIDIForm = &dialogue;
  QTimer::singleShot(0, &dialogue, [&dialogue] {
    dialogue.ListePiste->setCurrentRow(0);
    dialogue.BT_OK->click();
  });
  EXPECT_TRUE(ImporterFichierMIDI(fichier.fileName()));
  SelMIDIForm = nullptr;
  EXPECT_TRUE(f->Ac_Fichier_Enregistrer->isEnabled());
}

TEST_F(Fenetre, TypingFretsMovingAndChangingDurations) {
  Touche(Qt::Key_5);
  EXPECT_EQ(M().NbTemps[1], 1);
  EXPECT_EQ(T(1).Notes[1].Frette, 5);
  Touche(Qt::Key_Right);  // onto the input slot
  Touche(Qt::Key_Down);
  Touche(Qt::Key_1);
  Touche(Qt::Key_7, Qt::KeypadModifier);  // top row and keypad give the same digits
  EXPECT_EQ(T(2).Notes[2].Frette, 17);
  Touche(Qt::Key_Plus, Qt::KeypadModifier);  // halves the duration
  EXPECT_EQ(T(2).Duree, 240);
  EXPECT_EQ(T(2).CodeDuree, 1);
  EXPECT_TRUE(f->Ac_Note_Croche->isChecked());
  Touche(Qt::Key_Minus, Qt::KeypadModifier);
  Touche(Qt::Key_Minus, Qt::KeypadModifier);
  EXPECT_EQ(T(2).Duree, 960);
  EXPECT_TRUE(f->Ac_Note_Blanche->isChecked());
  Touche(Qt::Key_Plus, Qt::ShiftModifier | Qt::KeypadModifier);  // other modifiers: nothing
  EXPECT_EQ(T(2).Duree, 960);
  // Undo (Ctrl+Z, no menu item) restores the state before the last edit.
  Touche(Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(T(2).Duree, 480);
  EXPECT_FALSE(f->Ac_Edition_Annuler->isEnabled());
  EXPECT_EQ(Modifie, 1);
}

TEST_F(Fenetre, HammerOnKeyTogglesOnceAndButtonsFollow) {
  Touche(Qt::Key_3);
  auto* bouton = f->PanelBarreBoutons3->findChild<QToolButton*>("Bt_Effet_HO");
  ASSERT_NE(bouton, nullptr);
  Touche(Qt::Key_H);
  EXPECT_EQ(T(1).Notes[1].Effet, 1);
  EXPECT_TRUE(f->Ac_Effet_HO->isChecked());
  EXPECT_TRUE(bouton->isChecked());
  Touche(Qt::Key_H);
  EXPECT_EQ(T(1).Notes[1].Effet, 0);
  EXPECT_FALSE(f->Ac_Effet_HO->isChecked());
  EXPECT_FALSE(bouton->isChecked());
  // P replaces H's effect; the menu item is the same action.
  Touche(Qt::Key_H);
  Touche(Qt::Key_P);
  EXPECT_EQ(T(1).Notes[1].Effet, 2);
  f->Ac_Effet_PO->trigger();  // as from the menu
  EXPECT_EQ(T(1).Notes[1].Effet, 0);
  // Beat effects through their shared handler.
  Touche(Qt::Key_V);
  EXPECT_EQ(T(1).EffetTemps, 1);
  EXPECT_TRUE(f->Ac_Effet_VibMainGauche->isChecked());
}

TEST_F(Fenetre, CtrlDeleteDeletesExactlyOneBeat) {
  for (Qt::Key d : {Qt::Key_1, Qt::Key_3, Qt::Key_5}) {
    Touche(d);
    Touche(Qt::Key_Right);
  }
  ASSERT_EQ(M().NbTemps[1], 3);
  Touche(Qt::Key_Home);
  Touche(Qt::Key_Delete, Qt::ControlModifier);
  EXPECT_EQ(M().NbTemps[1], 2);
  EXPECT_EQ(T(1).Notes[1].Frette, 3);
  Touche(Qt::Key_Delete, Qt::ShiftModifier);  // erases the note: the beat goes with its only note
  EXPECT_EQ(M().NbTemps[1], 1);
  // On the input slot the delete command is disabled and the key deletes nothing.
  Touche(Qt::Key_End);
  Touche(Qt::Key_Right);
  EXPECT_FALSE(f->Ac_Note_SupprimerTemps->isEnabled());
  Touche(Qt::Key_Delete, Qt::ControlModifier);
  EXPECT_EQ(M().NbTemps[1], 1);
}

TEST_F(Fenetre, DuringPlaybackOnlySpaceEscapeAndTrackKeysAct) {
  Touche(Qt::Key_5);
  int stops = 0;
  f->RemplacerExecute(&TForm1::Ac_Son_Stop, [&] { ++stops; });
  MIDIDisponible = 1;
  f->Ac_Son_LectureDebut->setEnabled(false);  // something plays
  f->Ac_Son_Stop->setEnabled(true);
  const TMesure avant = M();
  for (Qt::Key key : {Qt::Key_7, Qt::Key_Left, Qt::Key_Delete, Qt::Key_H, Qt::Key_S, Qt::Key_Return})
    Touche(key);
  Touche(Qt::Key_Z, Qt::ControlModifier);
  Touche(Qt::Key_Plus, Qt::KeypadModifier);
  EXPECT_EQ(M().NbTemps[1], avant.NbTemps[1]);
  EXPECT_EQ(T(1).Notes[1], avant.Temps[1][1].Notes[1]);
  EXPECT_EQ(T(1).Duree, avant.Temps[1][1].Duree);
  EXPECT_EQ(T(1).Notes[1].Effet, 0);
  EXPECT_EQ(stops, 0);
  Touche(Qt::Key_Space, Qt::ShiftModifier);
  Touche(Qt::Key_Escape);
  EXPECT_EQ(stops, 2);
  Touche(Qt::Key_Plus, Qt::ControlModifier | Qt::KeypadModifier);
  EXPECT_EQ(PisteCourante, 2);
  Touche(Qt::Key_Minus, Qt::ControlModifier | Qt::KeypadModifier);
  EXPECT_EQ(PisteCourante, 1);
  f->Ac_Son_LectureDebut->setEnabled(true);
  f->Ac_Son_Stop->setEnabled(false);
  MIDIDisponible = 0;
  Touche(Qt::Key_H);  // after playback the shortcuts work again
  EXPECT_EQ(T(1).Notes[1].Effet, 1);
}

TEST_F(Fenetre, HeldPageDownScrollsUntilReleased) {
  QScrollBar* sb = f->ScrollBarZoneAffScroll;
  sb->setRange(0, 100000);
  sb->setValue(0);
  QTest::keyPress(k, Qt::Key_PageDown);
  EXPECT_EQ(sb->value(), 4);  // one pass at once
  QTest::qWait(100);
  // Auto-repeated presses and releases of the held key do not stop or restart it.
  QTest::keyRelease(k, Qt::Key_PageDown, Qt::NoModifier);
  const int apresRelache = sb->value();
  EXPECT_GT(apresRelache, 4);
  EXPECT_EQ(apresRelache % 4, 0);
  QTest::qWait(60);
  EXPECT_EQ(sb->value(), apresRelache);
  EXPECT_FALSE(f->ToucheEnfoncee);
  QTest::keyPress(k, Qt::Key_PageUp);
  QTest::keyRelease(k, Qt::Key_PageUp);
  EXPECT_EQ(sb->value(), apresRelache - 4);
}

TEST_F(Fenetre, TracksChangeFromButtonsMenuAndKeys) {
  Touche(Qt::Key_5);
  EXPECT_TRUE(f->Ac_Edition_Annuler->isEnabled());
  f->BT_Piste[3]->click();
  EXPECT_EQ(PisteCourante, 3);
  EXPECT_TRUE(f->Mn_PisteN[3]->isChecked());
  EXPECT_FALSE(f->Ac_Edition_Annuler->isEnabled());  // the undo copy belonged to track 1
  EXPECT_EQ(f->Mn_PisteN[3]->text(), "&3 - ");
  f->MajBoutonPiste(1);
  EXPECT_TRUE(f->BT_Piste[1]->property("Pleine").toBool());
  EXPECT_EQ(f->BT_Piste[1]->palette().color(QPalette::ButtonText), QColor(0, 0, 255));
  f->Mn_PisteN[8]->trigger();
  EXPECT_EQ(PisteCourante, 8);
  EXPECT_TRUE(f->BT_Piste[8]->isChecked());
  EXPECT_TRUE(f->Ac_Ass_Percussion->isEnabled());
  f->PisteUp->click();  // already the last track
  EXPECT_EQ(PisteCourante, 8);
  Touche(Qt::Key_2, Qt::ControlModifier);
  EXPECT_EQ(PisteCourante, 2);
  EXPECT_FALSE(f->Ac_Ass_Percussion->isEnabled());
  EXPECT_TRUE(f->BT_Piste[2]->isChecked());
  // A thousand measure edits that change no track's content leave the heap as it was.
  long long avant = 0;
  for (int i = 0; i < 1050 * NB_PISTES; ++i) {
    if (i == 50 * NB_PISTES) avant = mallinfo2().uordblks;
    f->MajBoutonPiste(i % NB_PISTES + 1);
    f->BT_Piste[i % NB_PISTES + 1]->repaint();
  }
  EXPECT_LT(static_cast<long long>(mallinfo2().uordblks) - avant, 64 * 1024);
}

TEST_F(Fenetre, FretMenuAndCommandStates) {
  ASSERT_NE(f->TurboMenu, nullptr);
  for (int fr = 0; fr <= 24; ++fr)
    EXPECT_NE(f->TurboMenu->findChild<QToolButton*>(QStringLiteral("Turbo%1").arg(fr, 2, 10, QLatin1Char('0'))), nullptr);
  f->Turbo00Click(7);
  EXPECT_EQ(M().NbTemps[1], 1);
  EXPECT_EQ(T(1).Notes[1].Frette, 7);
  EXPECT_TRUE(f->BT_Valider->isEnabled());
  f->BT_AnnulerMesureClick();  // revert to the measure as entered
  EXPECT_EQ(M().NbTemps[1], 0);
  EXPECT_FALSE(f->BT_Valider->isEnabled());
  // On the input slot of an empty track the beat commands are off.
  EXPECT_FALSE(f->Ac_Note_SupprimerTemps->isEnabled());
  EXPECT_FALSE(f->Ac_Effet_VibMainGauche->isEnabled());
  EXPECT_FALSE(f->Ac_Edition_Coller->isEnabled());
}

// The confirm and revert buttons take Qt's own glyph pictures directly instead of through the icon
// theme: neither is left blank in either state, each has the style's size, and they differ.
TEST_F(Fenetre, ConfirmAndRevertButtonsCarryTheirGlyphs) {
  const struct {
    QPushButton* bouton;
    QStyle::StandardPixmap glyphe;
  } cas[] = {{f->BT_Valider, QStyle::SP_DialogApplyButton}, {f->BT_AnnulerMesure, QStyle::SP_DialogCancelButton}};
  for (const auto& c : cas)
    for (QIcon::Mode mode : {QIcon::Normal, QIcon::Disabled}) {
      const QImage glyphe = c.bouton->icon().pixmap(16, mode).toImage();
      ASSERT_FALSE(glyphe.isNull()) << c.bouton->objectName().toStdString();
      EXPECT_EQ(glyphe.size(), f->style()->standardIcon(c.glyphe).pixmap(16, mode).size())
          << c.bouton->objectName().toStdString() << " mode " << mode;
    }
  EXPECT_NE(f->BT_Valider->icon().pixmap(16).toImage(), f->BT_AnnulerMesure->icon().pixmap(16).toImage());
}

TEST_F(Fenetre, ChangingLanguageTranslatesMenusAgain) {
  const QString appli = RepertoireAppli, patche = PatcheLangue;
  const QStringList langues = ListeLangues;
  RepertoireAppli = QStringLiteral(VEXO_LANG_DIR "/");
  ListeLangues = {QStringLiteral("English"), QStringLiteral("Français")};
  f->ConstruireMenuLangues();
  ASSERT_EQ(f->Menus.Mn_Options_LangueLog->actions().size(), 2);
  f->Mn_Options_LangueLogNClick(0);
  EXPECT_EQ(PatcheLangue, "English");
  EXPECT_EQ(f->Menus.Mn_Fichier->title(), "&File");
  EXPECT_EQ(f->Ac_Fichier_Nouveau->text(), "&New...");
  EXPECT_EQ(f->Ac_Fichier_Nouveau->toolTip(), "New");
  EXPECT_EQ(LangueAide, 2);
  EXPECT_TRUE(f->Menus.Mn_Options_LangueLog->actions()[0]->isChecked());
  const QString anglais = f->Ac_Note_Croche->text();
  f->Mn_Options_LangueLogNClick(1);
  EXPECT_EQ(f->Menus.Mn_Fichier->title(), "&Fichier");
  EXPECT_EQ(f->Ac_Fichier_Nouveau->text(), "&Nouveau...");
  EXPECT_NE(f->Ac_Note_Croche->text(), anglais);
  EXPECT_EQ(LangueAide, 1);
  EXPECT_FALSE(f->Menus.Mn_Options_LangueLog->actions()[0]->isChecked());
  EXPECT_TRUE(f->Menus.Mn_Options_LangueLog->actions()[1]->isChecked());
  EXPECT_EQ(f->windowTitle(), "Strumquill 2.2 - " + TexteLangue("Fichier-SansNom"));
  // The shortcuts do not move with the captions.
  EXPECT_EQ(f->Ac_Effet_HO->shortcut(), QKeySequence(Qt::Key_H));
  RepertoireAppli = appli;
  PatcheLangue = patche;
  ListeLangues = langues;
}

// A language selects its help pages, checked under its own name in the help menu, and the toolkit's
// words; a language whose file went since the menu was made leaves the one in force, and says so.
TEST_F(Fenetre, LanguageSelectsItsHelpAndTheToolkitsWords) {
  QTemporaryDir dossier;
  const QString appli = RepertoireAppli, patche = PatcheLangue;
  const QStringList langues = ListeLangues, lignes = LignesPatch, table = TableMessages;
  RepertoireAppli = dossier.path() + "/";
  const struct { const char *langue, *aide, *annuler; } cas[] = {{"Deutsch", "Vexo_de", "Abbrechen"},
      {"Français", "Vexo_fr", "Annuler"}, {"English", "Vexo_en", "Cancel"}, {"Parti", "Vexo_en", "Cancel"}};
  ListeLangues.clear();
  for (const auto& c : cas) ListeLangues << QString::fromUtf8(c.langue);
  for (int i = 0; i < 3; ++i) ASSERT_TRUE(QFile::copy(VEXO_LANG_DIR "/English.sqg", RepertoireAppli + ListeLangues[i] + ".sqg"));
  int messages = 0;
  InstallerReponseMessage([&](const TDemandeMessage&) { return ++messages, ID_OK; });
  f->ConstruireMenuLangues();
  const bool qt = QFile::exists(QLibraryInfo::path(QLibraryInfo::TranslationsPath) + "/qtbase_de.qm");
  for (int i = 0; i < 4; ++i) {
    f->Mn_Options_LangueLogNClick(i);
    const QString enVigueur = ListeLangues[std::min(i, 2)];
    EXPECT_EQ(PatcheLangue, enVigueur);
    EXPECT_TRUE(f->Menus.Mn_Options_LangueLog->actions()[std::min(i, 2)]->isChecked()) << i;
    EXPECT_EQ(f->Menus.Mn_Aide_Langue[LangueAide]->text(), enVigueur);
    EXPECT_TRUE(f->Menus.Mn_Aide_Langue[LangueAide]->isChecked());
    EXPECT_EQ(NomFichierAide(LangueAide), cas[i].aide);
    if (qt) { EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Cancel"), cas[i].annuler); }
  }
  EXPECT_EQ(messages, 1);
  RepertoireAppli = appli, PatcheLangue = patche, ListeLangues = langues, LignesPatch = lignes, TableMessages = table;
}

TEST_F(Fenetre, LabelsRunTheirCommands) {
  int allerA = 0, signature = 0, proprietes = 0;
  f->RemplacerExecute(&TForm1::Ac_Mesure_AllerA, [&] { ++allerA; });
  f->RemplacerExecute(&TForm1::Ac_Mesure_Signature, [&] { ++signature; });
  f->RemplacerExecute(&TForm1::Ac_Fichier_Proprietes, [&] { ++proprietes; });
  QTest::mouseClick(f->NumMesure, Qt::LeftButton);
  QTest::mouseClick(f->NbTps, Qt::LeftButton);
  QTest::mouseClick(f->NbTps2, Qt::LeftButton);
  QTest::mouseClick(f->PartNomPiste, Qt::LeftButton);
  QTest::mouseClick(f->MessErreur, Qt::RightButton);
  EXPECT_EQ(allerA, 1);
  EXPECT_EQ(signature, 2);
  EXPECT_EQ(proprietes, 1);
}

// A command whose handler was never bound would be a menu item that does nothing.
TEST_F(Fenetre, EveryCommandHasItsHandler) {
  for (int i = 0; i < NB_ACTIONS; ++i) EXPECT_TRUE(f->Execute[i]) << TableActions[i].Nom;
}

TEST_F(Fenetre, DoubleClickOpensTheChordOnceAndTheNextClickCounts) {
  int accords = 0;
  f->RemplacerExecute(&TForm1::Ac_Note_Accord, [&] { ++accords; });
  Touche(Qt::Key_5);
  Touche(Qt::Key_Right);
  Touche(Qt::Key_7);
  const int y = Curseur.YSaisie;
  const int x1 = Curseur.XSaisie + Curseur.EcartTemps, x2 = Curseur.XSaisie + 2 * Curseur.EcartTemps;
  QTest::mouseClick(f->ZoneSaisie, Qt::LeftButton, Qt::NoModifier, QPoint(x1, y));
  ASSERT_EQ(Curseur.Temps, 1);
  // Qt sends press, release, double click, release.
  QTest::mouseDClick(f->ZoneSaisie, Qt::LeftButton, Qt::NoModifier, QPoint(x1, y));
  EXPECT_EQ(accords, 1);
  EXPECT_EQ(Curseur.Temps, 1);
  QTest::mouseClick(f->ZoneSaisie, Qt::LeftButton, Qt::NoModifier, QPoint(x2, y));
  EXPECT_EQ(Curseur.Temps, 2);  // every click after a double click moves the cursor
  // On track 8 the chord command is off: no dialog.
  f->BT_Piste[8]->click();
  QTest::mouseDClick(f->ZoneSaisie, Qt::LeftButton, Qt::NoModifier, QPoint(x1, y));
  EXPECT_EQ(accords, 1);
}

TEST_F(Fenetre, SaveAsNewAndOpenThroughTheCommands) {
  QTemporaryDir dir;
  const QString chemin = dir.filePath("riff.sqt");
  Touche(Qt::Key_5);
  f->Enregistrement = [&](const QString&) { return chemin; };
  f->Ac_Fichier_EnregistrerSous->trigger();
  EXPECT_TRUE(QFileInfo::exists(chemin));
  EXPECT_EQ(Modifie, 0);
  EXPECT_FALSE(f->Ac_Fichier_Enregistrer->isEnabled());
  EXPECT_TRUE(f->Menus.Mn_Fichier_DernierFichier[1]->isVisible());
  EXPECT_TRUE(f->Menus.Mn_Fichier_DernierFichier[1]->text().contains("riff.sqt"));
  EXPECT_TRUE(f->Menus.Separateur->isVisible());

  f->MessErreur->setText("Old title");
  f->Ac_Fichier_Nouveau->trigger();  // saved: no question; the properties dialog is not up in tests
  EXPECT_TRUE(f->MessErreur->text().isEmpty());  // the title label follows the new song
  EXPECT_EQ(M().NbTemps[1], 0);
  EXPECT_EQ(Modifie, 0);
  EXPECT_EQ(Vierge, 1);

  f->Ouverture = [&] { return chemin; };
  Touche(Qt::Key_O, Qt::ControlModifier);
  EXPECT_EQ(M().NbTemps[1], 1);
  EXPECT_EQ(T(1).Notes[1].Frette, 5);
  EXPECT_EQ(Modifie, 0);
  EXPECT_TRUE(f->BT_Piste[1]->property("Pleine").toBool());
}

TEST_F(Fenetre, WheelAnywhereInTheWindowScrollsTheScoreView) {
  QScrollBar* sb = f->ScrollBarZoneAffScroll;
  sb->setRange(0, 100);
  sb->setSingleStep(7);
  sb->setValue(50);
  auto molette = [](QWidget* w, int dy) {
    const QPointF p(w->width() / 2.0, w->height() / 2.0);
    QWheelEvent e(p, w->mapToGlobal(p), QPoint(), QPoint(0, dy), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase,
                  false);
    QApplication::sendEvent(w, &e);
  };
  molette(f->PanelZoneAffScroll, -120);  // a step down, over the score view
  EXPECT_EQ(sb->value(), 57);
  molette(f->ZoneSaisie, 120);  // a step up, over the edit zone
  EXPECT_EQ(sb->value(), 50);
  molette(sb, -120);  // over the scroll bar itself: one step, not two
  EXPECT_EQ(sb->value(), 57);
  sb->setValue(100);
  molette(f->PanelZoneAffScroll, -120);  // at the end: nothing
  EXPECT_EQ(sb->value(), 100);
}

TEST_F(Fenetre, DrumAssistantFollowsTrack8AndWaitsForThePlaybackEnd) {
  Assistant_Bat_Form = new TAssistant_Bat_Form(f);
  f->BT_Piste[8]->click();
  EXPECT_TRUE(Assistant_Bat_Form->isVisible());
  EXPECT_TRUE(f->Ac_Ass_Percussion->isEnabled());
  Touche(Qt::Key_Escape);  // hides it; the command stays on while track 8 is current
  EXPECT_FALSE(Assistant_Bat_Form->isVisible());
  EXPECT_TRUE(f->Ac_Ass_Percussion->isEnabled());
  f->BT_Piste[2]->click();
  EXPECT_FALSE(f->Ac_Ass_Percussion->isEnabled());

  f->Ac_Son_LectureDebut->setEnabled(false);  // something plays
  f->Ac_Son_Stop->setEnabled(true);
  f->RouvrirPercussion = false;
  f->Mn_PisteN[8]->trigger();
  EXPECT_EQ(PisteCourante, 8);
  EXPECT_FALSE(Assistant_Bat_Form->isVisible());  // shown when the playback ends
  EXPECT_TRUE(f->RouvrirPercussion);
  f->Ac_Son_LectureDebut->setEnabled(true);
  f->Ac_Son_Stop->setEnabled(false);
  f->RouvrirPercussion = false;
  delete Assistant_Bat_Form;
  Assistant_Bat_Form = nullptr;
}

TEST_F(Fenetre, AHeldScrollKeyStopsAfter500PassesEvenAsItRepeats) {
  QScrollBar* sb = f->ScrollBarZoneAffScroll;
  sb->setRange(0, 100000);
  sb->setValue(0);
  f->TimerDefilement->setInterval(0);
  QTest::keyPress(k, Qt::Key_PageDown);
  QTRY_VERIFY_WITH_TIMEOUT(!f->TimerDefilement->isActive(), 5000);
  EXPECT_EQ(sb->value(), 4 * 500);
  // The key is still down: its repeated presses start no new scroll.
  for (int i = 0; i < 3; ++i) {
    QKeyEvent repete(QEvent::KeyPress, Qt::Key_PageDown, Qt::NoModifier, QString(), true);
    QApplication::sendEvent(k, &repete);
  }
  QTest::qWait(20);
  EXPECT_EQ(sb->value(), 4 * 500);
  QTest::keyRelease(k, Qt::Key_PageDown);
  f->TimerDefilement->setInterval(15);
}

namespace {
// Runs `r` on the modal dialog that the next command opens.
void SurDialogue(std::function<void(QWidget*)> r) {
  QTimer::singleShot(0, [r] {
    if (QWidget* w = QApplication::activeModalWidget()) r(w);
  });
}
}  // namespace

// A chord chosen in the dialog for the input slot fills the beat with its frets and appends it;
// on a beat that holds notes only the chord is set.
TEST_F(Fenetre, ChordChosenForTheInputSlotPutsItsNotes) {
  for (const bool notesAvant : {false, true}) {
    SCOPED_TRACE(notesAvant);
    if (notesAvant) {
      Touche(Qt::Key_Right);
      Touche(Qt::Key_7);  // beat 2 holds a note
    }
    const int nAvant = M().NbTemps[1];
    SurDialogue([](QWidget* w) {
      auto* d = qobject_cast<TSais_Ac_Form*>(w);
      ASSERT_NE(d, nullptr);
      d->Fondamentale->setCurrentRow(0);
      d->FondamentaleClick();
      d->AddDiag->setChecked(true);
      d->BT_OKClick();
    });
    Touche(Qt::Key_A);
    // The window manager gives the activation back to the main window once the dialog is gone.
    f->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(f));
    EXPECT_EQ(QApplication::focusWidget(), k);
    const TTemps& t = T(Curseur.Temps);
    ASSERT_TRUE(t.AvecAccord);
    if (notesAvant) {
      EXPECT_EQ(M().NbTemps[1], nAvant);
      EXPECT_EQ(t.Notes[1].Frette, 7);
      for (int s = 2; s <= 6; ++s) EXPECT_EQ(t.Notes[s].Frette, -1) << s;
      continue;
    }
    EXPECT_EQ(M().NbTemps[1], nAvant + 1);
    EXPECT_FALSE(t.Silence);
    int jouees = 0;
    for (int s = 1; s <= 6; ++s) {
      EXPECT_EQ(t.Notes[s].Frette, t.Accord->Frettes[s]) << s;
      jouees += t.Accord->Frettes[s] >= 0;
    }
    EXPECT_GE(jouees, 3);
  }
  ViderListeAccords(AccordsDejaUtilises, NbAccordsDejaUtilises);
}

// Whatever the chord dialog answers, the diagram strip above the score takes the chords it added to
// or removed from its list: its height, the scroll range and its picture follow at once.
TEST_F(Fenetre, ChordStripFollowsTheDialogWhateverItsAnswer) {
  const bool affiche = ParamEcran.AffListChord;
  ParamEcran.AffListChord = true;
  InstallerReponseMessage([](const TDemandeMessage&) { return ID_OUI; });  // the removal's question
  ASSERT_EQ(NbAccordsImprimer, 0);
  QScrollBar* sb = f->ScrollBarZoneAffScroll;
  for (const bool ajout : {true, false}) {
    SCOPED_TRACE(ajout);
    SurDialogue([ajout](QWidget* w) {
      auto* d = qobject_cast<TSais_Ac_Form*>(w);
      ASSERT_NE(d, nullptr);
      if (ajout) {
        d->Fondamentale->setCurrentRow(0);
        d->FondamentaleClick();
        d->BoutonListeClick(1, 0);
      } else {
        d->Imprimer->setCurrentRow(0);
        d->BoutonListeClick(1, 1);
      }
      d->reject();
    });
    Touche(Qt::Key_A);
    f->activateWindow();  // given back by the window manager once the dialog is gone
    ASSERT_TRUE(QTest::qWaitForWindowActive(f));
    EXPECT_EQ(NbAccordsImprimer, ajout ? 1 : 0);
    const int h = VuePartition.HauteurDiagrammes;
    EXPECT_EQ(h > 0, ajout);
    EXPECT_EQ(sb->minimum(), -h);
    EXPECT_EQ(VuePartition.HautDiagrammes, -sb->value() - h);
    if (ajout) {
      EXPECT_FALSE(f->ZoneAffScroll->Bandes[0].isNull());
    }
  }
  ParamEcran.AffListChord = affiche;
}

// Cancelling the strum dialog leaves the beat with no strum, one of the other direction included.
TEST_F(Fenetre, StrumCancelRemovesTheStrum) {
  Touche(Qt::Key_5);
  Curseur.Temps = 1;
  T(1).Brush = 2;
  f->RafraichirActions();
  ASSERT_FALSE(f->Ac_Effet_BrushUp->isChecked());
  SurDialogue([](QWidget* w) { static_cast<QDialog*>(w)->reject(); });
  f->Ac_Effet_BrushUp->trigger();
  EXPECT_EQ(T(1).Brush, 0);
  EXPECT_FALSE(f->Ac_Effet_BrushDown->isChecked());
}

// Every command that takes the undo copy is taken back whole by Undo: the song writer
// gives the same bytes as before the command, and the edit zone shows the measure as it was at once.
TEST_F(Fenetre, UndoTakesBackEachEditingCommand) {
  using Reponse = std::function<void(QWidget*)>;  // fills in the dialog that the command opens
  const Reponse ok = [](QWidget* w) { qobject_cast<TDialogueValide*>(w)->BT_OKClick(); };
  const Reponse accordDeDo = [](QWidget* w) {
    auto* d = qobject_cast<TSais_Ac_Form*>(w);
    d->Fondamentale->setCurrentRow(0);  // C
    d->FondamentaleClick();
    d->BT_OKClick();
  };
  const Reponse texte = [ok](QWidget* w) {
    static_cast<TSais_Txt_Form*>(w)->Ed_Texte->setText("riff");
    ok(w);
  };
  const Reponse tempo = [ok](QWidget* w) {
    static_cast<TChgtParamForm*>(w)->CB[TChgtParamForm::TEMPO]->setChecked(true);
    ok(w);
  };
  auto cle = [this](Qt::Key key, Qt::KeyboardModifiers m = {}) { return [=, this] { Touche(key, m); }; };
  auto action = [](QAction* a) { return [a] { a->trigger(); }; };
  const struct {
    const char* nom;
    int temps;  // the cursor beat: 1 and 2 hold a note, 3 is the input slot
    std::function<void()> commande;
    Reponse reponse = {};
  } cas[] = {
      {"fret", 1, cle(Qt::Key_9)},
      {"fret on the input slot", 3, cle(Qt::Key_4)},
      {"chord on the input slot", 3, cle(Qt::Key_A), accordDeDo},
      {"chord on a beat with notes", 1, cle(Qt::Key_A), accordDeDo},
      {"hammer-on", 1, cle(Qt::Key_H)},
      {"vibrato", 1, cle(Qt::Key_V)},
      {"dynamic", 1, action(f->Ac_Dyna_ff)},
      {"annotation", 1, cle(Qt::Key_T), texte},
      {"tie", 2, cle(Qt::Key_L)},
      {"strum", 1, action(f->Ac_Effet_BrushUp), ok},
      {"bend", 1, cle(Qt::Key_B), ok},
      {"grace note", 1, cle(Qt::Key_G), ok},
      {"mix table", 1, cle(Qt::Key_F10), tempo},
      {"dead note", 1, cle(Qt::Key_X)},
      {"rest", 2, cle(Qt::Key_S)},
      {"duration", 1, cle(Qt::Key_Plus, Qt::KeypadModifier)},
      {"dotted", 1, action(f->Ac_Note_Pointee)},
      {"triplet", 1, cle(Qt::Key_Slash, Qt::KeypadModifier)},
      {"insert a beat", 1, cle(Qt::Key_Insert)},
      {"delete a beat", 1, cle(Qt::Key_Delete, Qt::ControlModifier)},
      {"copy the beat to the end", 1, cle(Qt::Key_C)},
      {"move the note", 1, cle(Qt::Key_Down, Qt::ControlModifier)},
      {"repeat-open", 1, action(f->Ac_Mesure_RenvoiDebut)},
      {"repeat-close", 1, action(f->Ac_Mesure_RenvoiFin), ok},
  };
  for (Qt::Key k : {Qt::Key_5, Qt::Key_Right, Qt::Key_7, Qt::Key_Right}) Touche(k);
  for (const auto& c : cas) {
    SCOPED_TRACE(c.nom);
    Curseur.Temps = c.temps;
    Curseur.Corde = 1;
    RafraichirZoneSaisie();
    f->RafraichirActions();
    const QByteArray avant = OctetsPartition();
    const QImage zone = ImageSaisie->copy();
    if (c.reponse) SurDialogue(c.reponse);
    c.commande();
    f->activateWindow();  // the window manager's part, once a dialog is gone
    ASSERT_TRUE(QTest::qWaitForWindowActive(f));
    ASSERT_FALSE(OctetsPartition() == avant) << "the command changed nothing";
    Touche(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_TRUE(OctetsPartition() == avant);
    EXPECT_EQ(Curseur.Temps, c.temps);
    EXPECT_TRUE(*ImageSaisie == zone);
  }
  ViderListeAccords(AccordsDejaUtilises, NbAccordsDejaUtilises);
}
