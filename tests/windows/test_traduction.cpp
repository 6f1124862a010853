#include <gtest/gtest.h>

#include <QAction>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>

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
}  // namespace

TEST(MainTranslation, CaptionsHintsAndEllipses) {
  Raccourcis r(false);
  auto t = CalculerTraductionPrincipale(Fichier({{69, "\"Bend & Release\""}, {115, "no quotes"}}));
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

TEST(MainTranslation, AcceleratorsPerMenu) {
  Raccourcis r(true);
  QMap<int, QString> l{{1, "\"Fichier\""}, {17, "\"Edition\""}, {24, "\"Piste\""}, {25, "\"Mesure\""},
                       {41, "\"Note\""},   {63, "\"Effets\""},  {85, "\"Assistants\""}, {95, "\"Son\""},
                       {107, "\"Affichage\""}, {113, "\"Aide\""}, {2, "\"Fermer\""}, {3, "\"1/2\""}};
  auto t = CalculerTraductionPrincipale(Fichier(l));
  const char* menus[] = {"Mn_Fichier", "Mn_Edition", "Mn_Piste",     "Mn_Mesure", "Mn_Note",
                         "Mn_Effets",  "Mn_Assistants", "Mn_Son",    "Mn_Affichage", "Mn_Aide"};
  const char* attendu[] = {"&Fichier", "&Edition", "&Piste", "&Mesure", "&Note",
                           "Effe&ts",  "&Assistants", "&Son", "Aff&ichage", "Ai&de"};
  for (int i = 0; i < 10; ++i) EXPECT_EQ(t.Captions[menus[i]], attendu[i]);
  // The File menu starts with its own used letters.
  EXPECT_EQ(t.Captions["Mn_Fichier_Nouveau"], "&Fermer...");
  EXPECT_EQ(t.Captions["Mn_Fichier_Ouvrir"], "1&/2...");
  // The pop-up menu gives the same letters as the Edit menu.
  for (const char* n : {"Couper", "Copier", "Coller", "Inserer", "Vider"})
    EXPECT_EQ(t.Captions[QStringLiteral("Mn2_Edition_") + n], t.Captions[QStringLiteral("Mn_Edition_") + n]);
  // Without the switch the texts stay as written.
  RaccourcisAuto = false;
  EXPECT_EQ(CalculerTraductionPrincipale(Fichier(l)).Captions["Mn_Effets"], "Effets");
}

TEST(MainTranslation, AppliedToTheWindowAndRepeatable) {
  Raccourcis r(true);
  QMainWindow w;
  TActionsPrincipales a;
  TMenusPrincipaux m;
  CreerActions(&w, a);
  ConstruireMenus(w.menuBar(), a, m);
  const QString avant = a.Ac_Note_Croche->text();
  AppliquerTraductionPrincipale(CalculerTraductionPrincipale({"DLG_000"}), a, &w);  // no group: nothing changes
  EXPECT_EQ(a.Ac_Note_Croche->text(), avant);

  DefinirTexteLangue("Fichier-MIDI", "Fichiers MIDI");
  DefinirTexteLangue("Fichier-ImportMIDI", "Importer MIDI");
  auto t = CalculerTraductionPrincipale(Fichier());
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
  AppliquerTraductionPrincipale(CalculerTraductionPrincipale(Fichier()), a, &w);
  EXPECT_EQ(a.Ac_Note_Croche->text(), croche);
  EXPECT_EQ(m.Mn_Fichier->title(), "&T1");
}
