// First-start language choice: the dialog's selection rules and the ways around it.
#include <gtest/gtest.h>

#include <QListWidget>
#include <QPushButton>

#include "settings/Langue.h"
#include "settings/ui/Welcome.h"

namespace {
struct Langues {
  Langues(QStringList noms) {
    ListeLangues = std::move(noms);
    PatcheLangue.clear();
  }
  ~Langues() {
    ListeLangues.clear();
    PatcheLangue.clear();
    qunsetenv("VEXO_LANGUE");
    InstallerChoixLangue({});
  }
};
}  // namespace

TEST(Welcome, FirstNameIsSelectedAndOkTakesIt) {
  Langues l({"English", "Deutsch"});
  TWelcomeDlg d;
  EXPECT_EQ(d.windowTitle(), "Strumquill");
  ASSERT_EQ(d.ListBox1->count(), 2);
  EXPECT_EQ(d.ListBox1->currentRow(), 0);
  d.show();
  d.BT_OK->click();
  EXPECT_EQ(PatcheLangue, "English");
  EXPECT_EQ(d.result(), QDialog::Accepted);
}

TEST(Welcome, DoubleClickChoosesAndEscapeDoesNotClose) {
  Langues l({"English", "Deutsch"});
  TWelcomeDlg d;
  d.show();
  d.reject();  // what Escape does
  EXPECT_TRUE(d.isVisible());
  EXPECT_TRUE(PatcheLangue.isEmpty());
  d.ListBox1->setCurrentRow(1);
  emit d.ListBox1->itemDoubleClicked(d.ListBox1->item(1));
  EXPECT_FALSE(d.isVisible());
  EXPECT_EQ(PatcheLangue, "Deutsch");
}

TEST(Welcome, EmptyListLeavesNoLanguage) {
  Langues l({});
  TWelcomeDlg d;
  d.show();
  d.BT_OK->click();
  EXPECT_TRUE(PatcheLangue.isEmpty());
}

TEST(Welcome, StartUpChoiceWithoutTheDialog) {
  Langues l({"English", QString::fromUtf8("Français")});
  qputenv("VEXO_LANGUE", QString::fromUtf8("Français").toUtf8());
  ChoisirLangueDemarrage();
  EXPECT_EQ(PatcheLangue, QString::fromUtf8("Français"));
  // A name that is not listed is ignored; headless, the first language is taken.
  qputenv("VEXO_LANGUE", "Klingon");
  ChoisirLangueDemarrage();
  EXPECT_EQ(PatcheLangue, "English");
  // The hook wins over everything, and cannot name a file that is not there.
  InstallerChoixLangue([](const QStringList&) { return QString("Klingon"); });
  ChoisirLangueDemarrage();
  EXPECT_TRUE(PatcheLangue.isEmpty());
}
