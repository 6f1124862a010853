// Every shipped language file holds every group the program reads, up to the last line read,
// every message key, and the placeholders each message expects.
#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>

#include "platform/CheckedFile.h"
#include "settings/Config.h"
#include "settings/Langue.h"
#include "settings/LignesLangue.h"

namespace {
QStringList FichiersLivres() {
  return QDir(VEXO_LANG_DIR).entryList({"*.sqg"}, QDir::Files, QDir::Name);
}
}  // namespace

TEST(LangFiles, BothLanguagesAreShippedAndListed) {
  QString avant = RepertoireAppli;
  RepertoireAppli = QString(VEXO_LANG_DIR) + "/";
  ListerLangues();
  EXPECT_TRUE(ListeLangues.contains("English"));
  EXPECT_TRUE(ListeLangues.contains(QString::fromUtf8("Français")));
  RepertoireAppli = avant;
  ListeLangues.clear();
}

TEST(LangFiles, EveryKeyGroupAndLineIsThere) {
  const QStringList fichiers = FichiersLivres();
  ASSERT_GE(fichiers.size(), 2);
  for (const QString& f : fichiers) {
    SCOPED_TRACE(f.toStdString());
    ASSERT_TRUE(ChargerLignesPatch(QString(VEXO_LANG_DIR) + "/" + f));
    TableMessages.clear();
    ChargerMessagesPatch();
    EXPECT_FALSE(AuteurPatche.isEmpty());
    EXPECT_TRUE(RaccourcisAuto);
    ASSERT_EQ(TableMessages.size(), static_cast<qsizetype>(ClesMessages().size()));

    for (const TCleMessage& c : ClesMessages()) {
      SCOPED_TRACE(c.Cle);
      QString texte = TexteLangue(QString::fromLatin1(c.Cle));
      EXPECT_NE(texte, TexteIntrouvable);
      EXPECT_FALSE(texte.trimmed().isEmpty());
      // The raw line holds exactly the placeholders the message takes.
      QString brut = TexteGroupe(QString::fromLatin1(c.Groupe), c.Ligne);
      EXPECT_EQ(brut.count("%s"), c.NbParams);
      EXPECT_EQ(texte.count("#1"), c.NbParams >= 1 ? 1 : 0);
      EXPECT_EQ(texte.count("#2"), c.NbParams >= 2 ? 1 : 0);
    }

    QStringList noms;
    for (const TGroupeLangue& g : GroupesLangue()) noms << QString::fromLatin1(g.Groupe);
    for (const TGroupeLangue& g : GroupesLangue()) {
      SCOPED_TRACE(g.Groupe);
      int entete = TrouverGroupe(QString::fromLatin1(g.Groupe));
      ASSERT_GE(entete, 0);
      ASSERT_LT(entete + g.DerniereLigne, LignesPatch.size());
      EXPECT_FALSE(TexteLigne(entete, g.DerniereLigne).isEmpty());
      // No line of the group may be taken for another group's header.
      for (int n = 1; n <= g.DerniereLigne; ++n) EXPECT_FALSE(noms.contains(LignesPatch[entete + n], Qt::CaseInsensitive));
    }
    // The line-69 caption of the main menu carries the "&" its menu item doubles.
    EXPECT_TRUE(TexteGroupe("MN_000", 69).contains('&'));
    EXPECT_EQ(TexteGroupe("MN_000", 117).isEmpty(), false);
  }
  LignesPatch.clear();
  TableMessages.clear();
}

// The checked writer's own reasons read in the language loaded; with none, in English.
TEST(LangFiles, TheWritersOwnReasonsReadInTheLoadedLanguage) {
  QTemporaryDir dir;  // a folder: not a file to write
  for (const auto& [fichier, attendu] : {std::pair<QString, QString>{"Français.sqg", "Pas un fichier ordinaire"},
                                         {"", "Not a regular file"}}) {
    TableMessages.clear();
    if (!fichier.isEmpty()) {
      ASSERT_TRUE(ChargerLignesPatch(QString(VEXO_LANG_DIR) + "/" + fichier));
      ChargerMessagesPatch();
    }
    QString erreur;
    EXPECT_FALSE(WriteFileChecked(dir.path(), QByteArray("x"), &erreur));
    EXPECT_EQ(erreur, attendu);
  }
  LignesPatch.clear();
}
