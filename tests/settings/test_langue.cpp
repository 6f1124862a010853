// Language files: line splitting, quoted texts, groups, the message table and the text helpers.
#include <gtest/gtest.h>

#include "settings/Langue.h"

namespace {

// A small language file with every group of the message table, each key's line holding "K<n>".
QStringList FichierMinimal(bool avecFiles = true) {
  QStringList l = {"remark", "### PATCH CONFIGURATION ###", "label \"The author\" remark", "AUTOMATIC SHORTCUTS"};
  QString groupe;
  int derniere = 0;
  for (const TCleMessage& c : ClesMessages()) {
    if (groupe != QLatin1String(c.Groupe)) {
      groupe = QLatin1String(c.Groupe);
      if (groupe == "FILES_000" && !avecFiles) break;
      l << groupe;
      derniere = 0;
    }
    while (derniere < c.Ligne - 1) {
      l << QString("\"line %1\"").arg(++derniere);
    }
    QString texte = QString::fromLatin1(c.Cle);
    for (int i = 0; i < c.NbParams; ++i) texte += " %s";
    l << QString("%1 \"%2\"").arg(c.Ligne).arg(texte);
    derniere = c.Ligne;
  }
  return l;
}

struct EtatLangue {
  EtatLangue() { Vider(); }
  ~EtatLangue() { Vider(); }
  static void Vider() {
    LignesPatch.clear();
    TableMessages.clear();
    AuteurPatche.clear();
    RaccourcisAuto = false;
  }
};

}  // namespace

TEST(LangueLecture, LinesEndAtCrLfLfOrCrAndNulEndsTheText) {
  QByteArray b("one\r\ntwo\nthree\rfour\r\n\r\nsix");
  EXPECT_EQ(DecouperLignesLangue(b), QStringList({"one", "two", "three", "four", "", "six"}));
  EXPECT_EQ(DecouperLignesLangue(QByteArray("a\nb\n")), QStringList({"a", "b"}));
  QByteArray nul("a\nb\0c\nd", 7);
  EXPECT_EQ(DecouperLignesLangue(nul), QStringList({"a", "b"}));
  // Lines keep their blanks: a header with a trailing blank is no header.
  EXPECT_EQ(DecouperLignesLangue(QByteArray("  x  \n")), QStringList({"  x  "}));
}

TEST(LangueLecture, AnsiAndUtf8FilesDecode) {
  EXPECT_EQ(DecouperLignesLangue(QByteArray("\"Fran\xE7" "ais \x80\"")).value(0), QString::fromUtf8("\"Français €\""));
  EXPECT_EQ(DecouperLignesLangue(QByteArray("\"Fran\xC3\xA7" "ais\"")).value(0), QString::fromUtf8("\"Français\""));
  EXPECT_EQ(DecouperLignesLangue(QByteArray("\xEF\xBB\xBFheader")).value(0), QString("header"));
  // Marked as UTF-8 but with one bad byte: the file is still read, the bad byte aside.
  QStringList abime = DecouperLignesLangue(QByteArray("\xEF\xBB\xBF" "DLG_000\n\"OK\xFF\"\n\"Annuler\""));
  ASSERT_EQ(abime.size(), 3);
  EXPECT_EQ(abime[0], "DLG_000");
  EXPECT_EQ(abime[2], "\"Annuler\"");
}

TEST(LangueLecture, QuotedTextIsBetweenTheFirstTwoQuotes) {
  EXPECT_EQ(TexteEntreGuillemets("label \"word\" remark"), "word");
  EXPECT_EQ(TexteEntreGuillemets("\"a\" b \"c\""), "a");
  EXPECT_EQ(TexteEntreGuillemets("no quote"), "");
  EXPECT_EQ(TexteEntreGuillemets("\"never closed"), "");
  EXPECT_EQ(TexteEntreGuillemets("\"\""), "");
  QString t499(499, 'x'), t500(500, 'x'), t600(600, 'x');
  EXPECT_EQ(TexteEntreGuillemets('"' + t499 + '"'), t499);
  EXPECT_EQ(TexteEntreGuillemets('"' + t500 + '"'), "");
  EXPECT_EQ(TexteEntreGuillemets('"' + t600 + '"'), "");
}

TEST(LangueLecture, GroupsMatchWholeLinesIgnoringCase) {
  EtatLangue e;
  LignesPatch = {"x", "dlg_000", "\"OK\"", "DLG_000", "GENE_000 ", "\"ignored\""};
  EXPECT_EQ(TrouverGroupe("DLG_000"), 1);  // the first match is the header
  EXPECT_EQ(TrouverGroupe("GENE_000"), -1);
  EXPECT_EQ(TexteGroupe("DLG_000", 1), "OK");
  EXPECT_EQ(TexteGroupe("GENE_000", 1), "");
  // A group cut short by the end of the file reads as empty texts, never past the end.
  EXPECT_EQ(TexteLigne(1, 50), "");
  EXPECT_EQ(TexteLigne(-1, 1), "");
}

TEST(LangueMessages, TableIsBuiltFromTheKeyLines) {
  EtatLangue e;
  LignesPatch = FichierMinimal();
  ChargerMessagesPatch();
  EXPECT_EQ(TableMessages.size(), static_cast<qsizetype>(ClesMessages().size()));
  EXPECT_EQ(AuteurPatche, "The author");
  EXPECT_TRUE(RaccourcisAuto);
  EXPECT_EQ(TexteLangue("Dlg-Erreur"), "Dlg-Erreur");
  EXPECT_EQ(TexteLangue("dlg-erreur"), "Dlg-Erreur");
  EXPECT_EQ(TexteLangue("Repet-A"), "Repet-A");
  // Placeholders become #1 and #2 only where the key takes them.
  EXPECT_EQ(TexteLangue("Fichier-ExisteDeja"), "Fichier-ExisteDeja #1");
  EXPECT_EQ(TexteLangue("AssCD-DureeInvalide"), "AssCD-DureeInvalide #1 #2");
  EXPECT_EQ(TexteLangue("Nothing-Such"), TexteIntrouvable);
  EXPECT_EQ(TexteIntrouvable, "Internal error : Translation not found !");
}

TEST(LangueMessages, PlaceholderTurningAndLeftovers) {
  EtatLangue e;
  LignesPatch = FichierMinimal();
  int files = TrouverGroupe("FILES_000");
  LignesPatch[files + 4] = "\"Replace %s?\"";                      // Fichier-Remplacer takes none
  int cd = TrouverGroupe("DLG_ASS_CD_000");
  LignesPatch[cd + 2] = "\"Bar %s track %s extra %s\"";
  ChargerMessagesPatch();
  EXPECT_EQ(TexteLangue("Fichier-Remplacer"), "Replace %s?");
  EXPECT_EQ(TexteLangue("AssCD-DureeInvalide"), "Bar #1 track #2 extra %s");
  EXPECT_EQ(RemplacerParam1(TexteLangue("Fichier-ExisteDeja"), "/tmp/a.sqt"), "Fichier-ExisteDeja /tmp/a.sqt");
}

TEST(LangueMessages, MissingGroupStopsTheTable) {
  EtatLangue e;
  LignesPatch = FichierMinimal(false);
  ChargerMessagesPatch();
  EXPECT_EQ(TexteLangue("Accord-SelectionnerDepl"), "Accord-SelectionnerDepl");
  EXPECT_EQ(TexteLangue("Fichier-EnregistrerModif"), TexteIntrouvable);
  EXPECT_EQ(TexteLangue("Repet-A"), TexteIntrouvable);
}

TEST(LangueMessages, FileWithoutConfigurationKeepsThePreviousTexts) {
  EtatLangue e;
  LignesPatch = FichierMinimal();
  ChargerMessagesPatch();
  LignesPatch = {"DLG_000", "\"x\""};
  ChargerMessagesPatch();
  EXPECT_EQ(TexteLangue("Dlg-Erreur"), "Dlg-Erreur");
  EXPECT_EQ(AuteurPatche, "The author");
  EXPECT_TRUE(RaccourcisAuto);
}

TEST(LangueTextes, ReplacementHelpers) {
  EXPECT_EQ(RemplacerTexte("a %s b %s", "%s", "#1"), "a #1 b %s");
  EXPECT_EQ(RemplacerTexte("abc", "x", "y"), "abc");
  EXPECT_EQ(RemplacerTexte("abc", "", "y"), "abc");
  EXPECT_EQ(RemplacerTexte("#1" + QString(600, 'z'), "#1", "v").size(), 501);
  EXPECT_EQ(RemplacerParam1("no mark", "V"), "Vno mark");
  EXPECT_EQ(RemplacerParam1("bar #1 of #1", 7), "bar 7 of #1");
  EXPECT_EQ(RemplacerParam1et2("#2 then #1", "one", "two"), "two then one");
  EXPECT_EQ(RemplacerParam1et2("bar #1 track #2", 12, 3), "bar 12 track 3");
  EXPECT_EQ(RemplacerParam1et2("x #1 #2", "", ""), "x  ");
}

TEST(LangueTextes, AutomaticAccelerators) {
  EtatLangue e;
  QSet<QChar> u;
  EXPECT_EQ(AjouterRaccourci("Fichier", u), "Fichier");  // switch off: unchanged
  EXPECT_TRUE(u.isEmpty());
  RaccourcisAuto = true;
  QStringList menus = {"Fichier", "Edition", "Piste", "Mesure", "Note", "Effets", "Assistants", "Son", "Affichage", "Aide"};
  QStringList attendu = {"&Fichier", "&Edition", "&Piste", "&Mesure", "&Note", "Effe&ts", "&Assistants", "&Son",
                         "Aff&ichage", "Ai&de"};
  for (int i = 0; i < menus.size(); ++i) EXPECT_EQ(AjouterRaccourci(menus[i], u), attendu[i]);
  u.clear();
  EXPECT_EQ(AjouterRaccourci("Fichier", u), "&Fichier");
  EXPECT_EQ(AjouterRaccourci("Fin", u), "F&in");
  EXPECT_EQ(AjouterRaccourci("Format", u), "F&ormat");
  EXPECT_EQ(AjouterRaccourci("1/2", u), "1&/2");
  EXPECT_EQ(AjouterRaccourci("12 .", u), "12 .");
  EXPECT_EQ(AjouterRaccourci(QString::fromUtf8("été"), u), QString::fromUtf8("&été"));
  EXPECT_EQ(AjouterRaccourci(QString::fromUtf8("Été"), u), QString::fromUtf8("&Été"));
  EXPECT_EQ(AjouterRaccourci("Bend && Release", u).count('&'), 3);
}
