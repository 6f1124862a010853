#include <gtest/gtest.h>

#include <QAction>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <cstdio>
#include <cstdlib>

#include "editor/ui/MainActions.h"
#include "settings/Langue.h"
#include "settings/ui/Traduction.h"

namespace {
// A language file whose group "MN_000" holds "T<n>" on line n, with the given lines replaced.
QStringList Fichier(const QMap<int, QString>& remplace = {}) {
  QStringList l{"DLG_000", "\"OK\"", "### PATCH CONFIGURATION ###", "\"me\"", "mn_000"};
  for (int n = 1; n <= 117; ++n) l << (remplace.contains(n) ? remplace[n] : QStringLiteral("%1 \"T%1\" remark").arg(n));
  return l;
}
struct Raccourcis {
  explicit Raccourcis(bool v) : avant(RaccourcisAuto) { RaccourcisAuto = v; }
  ~Raccourcis() { RaccourcisAuto = avant; }
  bool avant;
};

// The main window's actions and menus, which the translation walks.
class MainTranslation : public ::testing::Test {
 protected:
  void SetUp() override {
    CreerActions(&w, a);
    ConstruireMenus(w.menuBar(), a, m);
  }
  TTraductionPrincipale Calculer(const QStringList& lignes) {
    return CalculerTraductionPrincipale(lignes, PlanMenus(w.menuBar(), m.PopupMenuAff, a));
  }
  QMainWindow w;
  TActionsPrincipales a;
  TMenusPrincipaux m;
};

// Every title and item of a menu, submenus included, in menu order.
void Items(QMenu* menu, QList<QAction*>& items) {
  for (QAction* item : menu->actions()) {
    if (item->isSeparator()) continue;
    items << item;
    if (item->menu()) Items(item->menu(), items);
  }
}
}  // namespace

TEST_F(MainTranslation, CaptionsHintsAndEllipses) {
  Raccourcis r(false);
  auto t = Calculer(Fichier({{69, "\"Bend & Release\""}, {115, "no quotes"}}));
  ASSERT_TRUE(t.Trouve);
  EXPECT_EQ(t.Captions["Mn_Fichier"], "T1");
  EXPECT_EQ(t.Captions["Mn_Fichier_Nouveau"], "T2...");
  EXPECT_EQ(t.Captions["Mn_Fichier_Enregistrer"], "T5");
  EXPECT_EQ(t.Captions["Mn_Options_Preferences"], "T8...");
  EXPECT_EQ(t.Captions["Mn_Fichier_ImporterMIDI"], "T11...");
  EXPECT_EQ(t.Captions["Mn_Fichier_ExporterMIDI"], "T11...");
  EXPECT_EQ(t.Captions["Mn2_Edition_Vider"], "T22");
  EXPECT_EQ(t.Captions["Mn_Mesure_Premiere"], "T26");
  EXPECT_EQ(t.Hints["Bt_Mesure_Premiere"], "T27");
  EXPECT_EQ(t.Hints["Bt_Fichier_Nouveau"], "T2");  // hints never take "..."
  EXPECT_EQ(t.Captions["Mn_Dyna"], "T84");
  EXPECT_EQ(t.Hints["BT_DynaForm"], "T84");
  EXPECT_EQ(t.Captions["Mn_Ass_MontrerDyna"], "T110");
  EXPECT_EQ(t.Captions["Mn_Aide_APropos"], "T117...");
  EXPECT_EQ(t.Captions["Mn_Effet_BendRelease"], "Bend && Release...");
  EXPECT_EQ(t.Hints["Bt_Effet_BendRelease"], "Bend & Release");
  EXPECT_FALSE(t.Hints.contains("Bt_Note_Croche"));  // keeps its design hint
  // Every action with a menu line has its caption.
  for (const TDefAction& d : TableActions)
    if (d.LigneMenu) {
      EXPECT_TRUE(t.Captions.contains(NomMenuAction(d.Nom))) << d.Nom;
    }
}

TEST_F(MainTranslation, AcceleratorsPerMenu) {
  Raccourcis r(true);
  QMap<int, QString> l{{1, "\"Fichier\""}, {17, "\"Edition\""}, {24, "\"Piste\""}, {25, "\"Mesure\""},
                       {41, "\"Note\""},   {63, "\"Effets\""},  {85, "\"Assistants\""}, {95, "\"Son\""},
                       {107, "\"Affichage\""}, {113, "\"Aide\""}, {2, "\"Fermer\""}, {3, "\"1/2\""}};
  auto t = Calculer(Fichier(l));
  // The menu bar gives its letters in its order: F and E are taken before "Effets".
  EXPECT_EQ(t.Captions["Mn_Fichier"], "&Fichier");
  EXPECT_EQ(t.Captions["Mn_Effets"], "Effe&ts");
  EXPECT_EQ(t.Captions["Mn_Affichage"], "Aff&ichage");
  // The File menu starts with its own used letters.
  EXPECT_EQ(t.Captions["Mn_Fichier_Nouveau"], "&Fermer...");
  EXPECT_EQ(t.Captions["Mn_Fichier_Ouvrir"], "1&/2...");
  // The pop-up menu gives the same letters as the Edit menu.
  for (const char* n : {"Couper", "Copier", "Coller", "Inserer", "Vider"})
    EXPECT_EQ(t.Captions[QStringLiteral("Mn2_Edition_") + n], t.Captions[QStringLiteral("Mn_Edition_") + n]);
  // Without the switch the texts stay as written.
  RaccourcisAuto = false;
  EXPECT_EQ(Calculer(Fichier(l)).Captions["Mn_Effets"], "Effets");
}

TEST_F(MainTranslation, EveryTranslatedItemOfTheBuiltMenusTakesALetterInMenuOrder) {
  // Every line holds the alphabet: the k-th item of a menu that takes a letter gets the k-th letter.
  Raccourcis r(true);
  const QString alphabet = QStringLiteral("abcdefghijklmnopqrstuvwxyz");
  QMap<int, QString> l;
  for (int n = 1; n <= 117; ++n) l[n] = '"' + alphabet + '"';
  AppliquerTraductionPrincipale(Calculer(Fichier(l)), a, &w);
  auto verifier = [&](const QList<QAction*>& groupe, const QString& ou) {
    int k = 0;
    for (QAction* item : groupe) {
      const QString texte = item->menu() ? item->menu()->title() : item->text();
      if (QString(texte).remove('&').remove(QStringLiteral("...")) != alphabet) continue;  // not translated
      if (item->menu() == m.Mn_Affichage_HelpLanguage) continue;  // translated, but takes no letter
      QString attendu = alphabet;
      EXPECT_EQ(texte.left(alphabet.size() + 1), attendu.insert(k++, '&')) << ou.toStdString() << ": "
                                                                          << item->objectName().toStdString();
    }
  };
  QList<QAction*> titres;
  for (QAction* item : w.menuBar()->actions()) titres << item;
  verifier(titres, QStringLiteral("menu bar"));
  QList<QMenu*> menus{m.PopupMenuAff};
  for (QAction* item : titres) {
    QList<QAction*> tous;
    Items(item->menu(), tous);
    for (QAction* i : tous)
      if (i->menu()) menus << i->menu();
    menus << item->menu();
  }
  for (QMenu* menu : menus) verifier(menu->actions(), menu->objectName());
}

TEST_F(MainTranslation, AppliedToTheWindowAndRepeatable) {
  Raccourcis r(true);
  const QString avant = a.Ac_Note_Croche->text();
  AppliquerTraductionPrincipale(Calculer({"DLG_000"}), a, &w);  // no group: nothing changes
  EXPECT_EQ(a.Ac_Note_Croche->text(), avant);

  DefinirTexteLangue("Fichier-MIDI", "Fichiers MIDI");
  DefinirTexteLangue("Fichier-ImportMIDI", "Importer MIDI");
  auto t = Calculer(Fichier());
  AppliquerTraductionPrincipale(t, a, &w);
  const QString croche = a.Ac_Note_Croche->text();
  EXPECT_TRUE(croche.contains("T45"));
  EXPECT_EQ(m.Mn_Fichier->title(), "&T1");
  EXPECT_EQ(m.Mn_Note->title(), "T41");  // "T" is taken and digits are skipped
  EXPECT_EQ(m.Mn_Fichier_Importer->title(), t.Captions["Mn_Fichier_Importer"]);
  EXPECT_EQ(a.Ac_Mesure_Suivante->toolTip(), "T33");
  EXPECT_EQ(OpenDialog2.Title, "Importer MIDI");
  EXPECT_EQ(OpenDialog2.Filter, "Fichiers MIDI (*.mid)|*.mid");
  EXPECT_EQ(FiltreQt(OpenDialog3.Filter).count(";;"), 1);
  // A second run reads every caption again: no second accelerator.
  AppliquerTraductionPrincipale(Calculer(Fichier()), a, &w);
  EXPECT_EQ(a.Ac_Note_Croche->text(), croche);
  EXPECT_EQ(m.Mn_Fichier->title(), "&T1");
}

// Without the group "MN_000" the file dialogs keep the filters they were designed with: songs, and
// ASCII tablatures with all files, never Qt's "All Files (*)" of an empty filter. Seen in a fresh
// process, as the program starts, before any language file has given its own.
TEST_F(MainTranslation, FileDialogsKeepTheirDesignFiltersWithoutTheGroup) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");  // a new process: the dialogs as at start-up
  EXPECT_EXIT(
      {
        AppliquerTraductionPrincipale(Calculer({"DLG_000", "\"OK\""}), a, &w);
        const bool ok = FiltreQt(OpenDialog1.Filter).endsWith(" (*.sqt)") && FiltreQt(SaveDialog1.Filter) ==
                        FiltreQt(OpenDialog1.Filter) && FiltreQt(OpenDialog3.Filter).split(";;").size() == 2 &&
                        FiltreQt(OpenDialog3.Filter).split(";;")[0].endsWith(" (*.tab)") &&
                        FiltreQt(OpenDialog3.Filter).split(";;")[1].endsWith(" (*.*)") &&
                        SaveDialog3.Filter == OpenDialog3.Filter;
        std::fprintf(stderr, "%s | %s\n", qPrintable(OpenDialog1.Filter), qPrintable(OpenDialog3.Filter));
        std::_Exit(ok ? 0 : 1);  // no exit handlers: the child only reports
      },
      ::testing::ExitedWithCode(0), "");
}
