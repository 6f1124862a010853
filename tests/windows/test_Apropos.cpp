// About box: it shows the language file's author and the version; the command keeps its caption.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QTimer>

#include "dialogs/Apropos.h"
#include "editor/state/EtatEdition.h"
#include "editor/state/EtatProgramme.h"
#include "editor/ui/Main.h"
#include "platform/Folders.h"
#include "settings/Config.h"
#include "settings/Langue.h"

TEST(Apropos, ShowsAuthorAndVersionAndKeepsTheCommandCaption) {
  const QString dossier = QDir::currentPath();
  PisteCourante = 1;
  RepWindows = DossierConfiguration();
  const QString auteur = AuteurPatche;
  AuteurPatche = "Texts by somebody";
  TForm1 f;
  f.Ac_Aide_APropos->setText("About it...");
  QString vuAuteur, vuVersion;
  QTimer::singleShot(0, [&] {
    if (auto* a = dynamic_cast<TAproposForm*>(QApplication::activeModalWidget())) {
      vuAuteur = a->PatcheAuteur->text();
      vuVersion = a->Version->text();
      a->accept();
    }
  });
  f.Executer(f.Ac_Aide_APropos);
  EXPECT_EQ(vuAuteur, "Texts by somebody");
  EXPECT_TRUE(vuVersion.endsWith(" 2.2")) << vuVersion.toStdString();
  EXPECT_EQ(f.Ac_Aide_APropos->text(), "About it...");
  AuteurPatche = auteur;
  QDir::setCurrent(dossier);
}
