// The ASCII export window: the column field and its auto-repeat, rebuilding, and writing the file.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include "tests/editor/EditFixture.h"
#include "files/TablatureASCII.h"
#include "files/ui/TestASCI.h"
#include "settings/Langue.h"

TEST(TestASCI, ColumnAutoRepeat) {
  TRepetitionColonnes r;
  r.Demarrer(+1);
  EXPECT_EQ(r.Intervalle, 300);
  struct Pas {
    int tick, intervalle;
    const char* valeur;
  } attendus[] = {{1, 300, "81"},   {2, 200, "82"},   {10, 200, "90"}, {11, 100, "91"},
                  {29, 100, "109"}, {30, 100, "112"}, {31, 100, "115"}};
  QString v = "80";
  int tick = 0;
  for (const Pas& p : attendus) {
    while (tick < p.tick) {
      v = r.Tick(v);
      ++tick;
    }
    EXPECT_EQ(r.Intervalle, p.intervalle) << p.tick;
    EXPECT_EQ(v, p.valeur) << p.tick;
  }
  r.Demarrer(-1);
  EXPECT_EQ(r.Tick("40"), "40");
  EXPECT_EQ(r.Tick(""), "");
  r.Demarrer(+1);
  EXPECT_EQ(r.Tick("999"), "999");

  const struct {
    const char* texte;
    int largeur;
  } saisies[] = {{"", 80}, {"12", 40}, {"0", 40}, {"40", 40}, {"120", 120}, {"999", 999}};
  for (const auto& s : saisies) EXPECT_EQ(LargeurColonnesSaisie(s.texte), s.largeur) << s.texte;
}

class TestASCIFenetre : public EditTest {
 protected:
  int garde = 0;
  void SetUp() override {
    EditTest::SetUp();
    garde = Configuration.NbColASCII;
  }
  void TearDown() override {
    Configuration.NbColASCII = garde;
    EditTest::TearDown();
  }
};

TEST_F(TestASCIFenetre, RebuildAndExport) {
  Configuration.NbColASCII = 80;
  Append(5);
  TTestASCIForm f;
  f.FormActivate();
  EXPECT_EQ(f.NbCol->text(), "80");
  EXPECT_TRUE(f.MemoASCII->toPlainText().contains("E||5----||"));

  // Up and Down in the field step the width within 40..999 without rebuilding.
  QKeyEvent haut(QEvent::KeyPress, Qt::Key_Up, Qt::NoModifier);
  QCoreApplication::sendEvent(f.NbCol, &haut);
  EXPECT_EQ(f.NbCol->text(), "81");
  f.NbCol->setText("12");
  f.BT_RepaginerClick();
  EXPECT_EQ(f.NbCol->text(), "40");
  EXPECT_EQ(Configuration.NbColASCII, 40);

  QTemporaryDir dir;
  EXPECT_FALSE(f.Exporter(dir.filePath("no/folder/x.tab")));
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0].Texte, TexteLangue("ASCIIExp-EcritureFichierImpossibleExportAb"));
  const QString chemin = dir.filePath("x.tab");
  ASSERT_TRUE(f.Exporter(chemin));
  QString texte;
  ASSERT_TRUE(LireFichierTexteASCII(chemin, texte));
  EXPECT_EQ(texte, f.MemoASCII->toPlainText() + "\n");
}

// Return in the column field or the text closes nothing; only the keypad's plus and minus step the
// width (the main keyboard's are characters the field refuses).
TEST_F(TestASCIFenetre, ReturnClosesNothingAndOnlyTheKeypadSteps) {
  Configuration.NbColASCII = 80;
  TTestASCIForm f;
  f.show();
  f.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&f));
  for (QWidget* w : std::initializer_list<QWidget*>{f.NbCol, f.MemoASCII}) {
    w->setFocus();
    for (const int k : {Qt::Key_Return, Qt::Key_Enter}) {
      QKeyEvent entree(QEvent::KeyPress, k, k == Qt::Key_Enter ? Qt::KeypadModifier : Qt::NoModifier);
      QCoreApplication::sendEvent(w, &entree);
      EXPECT_TRUE(f.isVisible()) << k;
      EXPECT_EQ(f.result(), 0) << k;
    }
  }
  EXPECT_TRUE(messages.empty());
  const struct {
    int touche;
    Qt::KeyboardModifiers pave;
    const char* texte;
  } touches[] = {{Qt::Key_Plus, Qt::KeypadModifier, "81"}, {Qt::Key_Minus, Qt::KeypadModifier, "80"},
                 {Qt::Key_Plus, Qt::NoModifier, "80"},     {Qt::Key_Minus, Qt::NoModifier, "80"},
                 {Qt::Key_Down, Qt::NoModifier, "79"}};
  f.NbCol->setText("80");
  f.NbCol->setFocus();
  for (const auto& t : touches) {
    QKeyEvent e(QEvent::KeyPress, t.touche, t.pave, t.touche == Qt::Key_Plus ? "+" : t.touche == Qt::Key_Minus ? "-" : "");
    QCoreApplication::sendEvent(f.NbCol, &e);
    EXPECT_EQ(f.NbCol->text(), t.texte) << t.touche << " " << int(t.pave);
  }
}
