// Message box: layout at two screen resolutions, focus, Escape and button captions.
#include <gtest/gtest.h>

#include <QDialog>
#include <QFont>
#include <QFontMetrics>
#include <QPushButton>
#include <memory>
#include <string>

#include "platform/Canvas.h"
#include "settings/Langue.h"
#include "settings/Mess.h"

namespace {
// Six pixels a character: enough to check where lines break.
int Largeur6(const QString& s) { return 6 * static_cast<int>(s.size()); }
}  // namespace

TEST(MessGeometrie, TwoButtonsAt96Dpi) {
  TGeometrieMessage g = CalculerGeometrieMessage(96, QSize(100, 13), MB_ICONE_QUESTION, MB_OUI | MB_NON, MB_CENTRE,
                                                 QSize(1024, 768));
  EXPECT_EQ(g.Texte, QRect(64, 16, 100, 13));
  EXPECT_EQ(g.Client.width(), 200);  // max(64 + 100 + 16, 172 + 28)
  EXPECT_EQ(g.Boutons[BOUTON_OUI], QRect(14, 16 + 13 + 25, 81, 26));
  EXPECT_EQ(g.Boutons[BOUTON_NON].left(), 105);
  EXPECT_TRUE(g.Boutons[BOUTON_OK].isNull());
  EXPECT_TRUE(g.Boutons[BOUTON_ANNULER].isNull());
  EXPECT_EQ(g.Client.height(), 16 + 13 + 25 + 26 + 12);
  // The icon is centred on the text: (13 - 32) / 2 = -9.5 goes to -10.
  EXPECT_EQ(g.Icone, QRect(16, 6, 32, 32));
  EXPECT_EQ(g.Position, QPoint((1024 - 200) / 2, (768 - 92) / 2));
}

TEST(MessGeometrie, ScalesAt120DpiWithHalvesToEven) {
  TGeometrieMessage g = CalculerGeometrieMessage(120, QSize(50, 16), MB_ICONE_ERREUR, MB_OUI | MB_NON | MB_ANNULER,
                                                 MB_COIN, QSize(1280, 1024));
  EXPECT_EQ(g.Texte.topLeft(), QPoint(80, 20));
  int bw = 101;  // 81 x 1.25 = 101.25
  EXPECT_EQ(g.Boutons[BOUTON_OUI].width(), bw);
  EXPECT_EQ(g.Boutons[BOUTON_OUI].height(), 32);  // 26 x 1.25 = 32.5 goes to 32
  EXPECT_EQ(g.Boutons[BOUTON_NON].left() - g.Boutons[BOUTON_OUI].right() - 1, 12);  // 12.5 goes to 12
  int rangee = 3 * bw + 2 * 12;
  EXPECT_EQ(g.Client.width(), rangee + 35);  // 28 x 1.25
  EXPECT_EQ(g.Boutons[BOUTON_OUI].left(), 18);  // 35 / 2 = 17.5 goes to 18
  EXPECT_EQ(g.Position, QPoint(10, 94));  // 8 and 75 scaled
}

TEST(MessGeometrie, NoIconKeepsTheTextColumnAndOrderIsOkYesNoCancel) {
  TGeometrieMessage g = CalculerGeometrieMessage(96, QSize(425, 40), 7, MB_OK | MB_OUI | MB_NON | MB_ANNULER,
                                                 MB_CENTRE, QSize(800, 600));
  EXPECT_TRUE(g.Icone.isNull());
  EXPECT_EQ(g.Texte.left(), 64);
  EXPECT_EQ(g.Client.width(), 64 + 425 + 16);
  EXPECT_LT(g.Boutons[BOUTON_OK].left(), g.Boutons[BOUTON_OUI].left());
  EXPECT_LT(g.Boutons[BOUTON_OUI].left(), g.Boutons[BOUTON_NON].left());
  EXPECT_LT(g.Boutons[BOUTON_NON].left(), g.Boutons[BOUTON_ANNULER].left());
  // No button at all: the row is empty and the box is as wide as its text column.
  TGeometrieMessage vide = CalculerGeometrieMessage(96, QSize(10, 13), 0, 0, MB_CENTRE, QSize(800, 600));
  EXPECT_EQ(vide.Client.width(), 64 + 10 + 16);
}

TEST(MessGeometrie, TextWrapsAtWordsAndLongWordsWiden) {
  QStringList l = CouperLignesMessage("aaaa bbbb cccc", 54, Largeur6);  // 9 characters fit
  EXPECT_EQ(l, QStringList({"aaaa bbbb", "cccc"}));
  EXPECT_EQ(CouperLignesMessage("one\r\rtwo\r\nthree", 425, Largeur6), QStringList({"one", "", "two", "three"}));
  QString mot(100, 'w');
  QStringList longue = CouperLignesMessage("a " + mot + " b", 425, Largeur6);
  EXPECT_EQ(longue, QStringList({"a", mot, "b"}));
  EXPECT_GT(Largeur6(longue[1]), 425);
}

TEST(MessBoutons, FocusAndEscapeRules) {
  EXPECT_EQ(BoutonFocusMessage(MB_OUI | MB_NON, MB_DEF_NON), BOUTON_NON);
  EXPECT_EQ(BoutonFocusMessage(MB_OUI | MB_NON | MB_ANNULER, MB_DEF_OUI), BOUTON_OUI);
  // A default that is not shown: the first button shown from the left.
  EXPECT_EQ(BoutonFocusMessage(MB_NON | MB_ANNULER, MB_DEF_OK), BOUTON_NON);
  EXPECT_EQ(BoutonFocusMessage(MB_OK | MB_OUI, 9), BOUTON_OK);
  EXPECT_EQ(BoutonFocusMessage(0, MB_DEF_OK), -1);
  EXPECT_EQ(ReponseEchapMessage(MB_OUI | MB_NON | MB_ANNULER), ID_ANNULER);
  EXPECT_EQ(ReponseEchapMessage(MB_OUI | MB_NON), ID_NON);
  EXPECT_EQ(ReponseEchapMessage(MB_OK), 0);
  EXPECT_EQ(ResultatBouton(BOUTON_OUI), ID_OUI);
  EXPECT_EQ(ResultatBouton(BOUTON_ANNULER), ID_ANNULER);
}

TEST(MessBoutons, CaptionsFromTheLanguageFile) {
  LignesPatch.clear();
  RaccourcisAuto = false;
  QString c[NB_BOUTONS_MESSAGE];
  LegendesBoutonsMessage(MB_OK, c);
  EXPECT_EQ(c[BOUTON_OK], "&OK");
  EXPECT_EQ(c[BOUTON_ANNULER], "&Annuler");
  LignesPatch = {"DLG_000", "\"OK\"", "\"Annuler\"", "\"Oui\"", "\"Non\""};
  RaccourcisAuto = true;
  LegendesBoutonsMessage(MB_OUI | MB_NON | MB_ANNULER, c);
  // Cancel takes its letter before Yes and No.
  EXPECT_EQ(c[BOUTON_ANNULER], "&Annuler");
  EXPECT_EQ(c[BOUTON_OUI], "&Oui");
  EXPECT_EQ(c[BOUTON_NON], "&Non");
  EXPECT_EQ(c[BOUTON_OK], "OK");  // not shown: no accelerator
  LignesPatch.clear();
  RaccourcisAuto = false;
}

TEST(MessBoutons, HookAndHeadlessRun) {
  TDemandeMessage vue;
  InstallerReponseMessage([&](const TDemandeMessage& d) {
    vue = d;
    return ID_NON;
  });
  EXPECT_EQ(MessageBoxD("T", "X", MB_ICONE_ATTENTION, MB_OUI | MB_NON, MB_DEF_NON), ID_NON);
  EXPECT_EQ(vue.Titre, "T");
  EXPECT_EQ(vue.Boutons, MB_OUI | MB_NON);
  InstallerReponseMessage({});
  // Offscreen, nobody can answer: the focused button is taken instead of blocking.
  EXPECT_EQ(MessageBoxD("T", "X", MB_ICONE_QUESTION, MB_OUI | MB_NON | MB_ANNULER, MB_DEF_OUI), ID_OUI);
  EXPECT_EQ(MessageBoxD("T", "X", MB_ICONE_ERREUR, MB_OK, MB_DEF_OUI), ID_OK);
}

// The box's text is as high as the font draws it: the last line of a report is never cut, in the
// box's own font and in the faces it may fall back on.
TEST(MessGeometrie, TextHeightHoldsEveryLine) {
  for (const char* face : {"MS Sans Serif", "Arial", "Times New Roman"}) {
    QFont police(SubstituerPolice(face));
    police.setPointSize(8);
    const QFontMetrics fm(police);
    QStringList lignes;
    for (int n = 1; n <= 8; ++n) {
      SCOPED_TRACE(std::string(face) + " " + std::to_string(n));
      lignes << QStringLiteral("Track %1, bar 1: F5, A#5, g, j, q, y").arg(n);
      const int dessinee =
          fm.boundingRect(QRect(0, 0, 2000, 2000), Qt::AlignLeft | Qt::AlignTop, lignes.join('\n')).height();
      EXPECT_GE(HauteurTexteMessage(lignes, fm), dessinee);
      EXPECT_GE(HauteurTexteMessage(lignes, fm), n * fm.lineSpacing());
    }
  }
}

// Tab runs OK, No, Cancel, Yes, though the row stands OK, Yes, No, Cancel.
TEST(MessBoutons, TabOrderIsOkNoCancelYes) {
  std::unique_ptr<QDialog> box(CreerBoiteMessage("t", "x", MB_ICONE_QUESTION, MB_OK | MB_OUI | MB_NON | MB_ANNULER,
                                                 MB_DEF_OK));
  QStringList ordre;
  QWidget* w = box->findChild<QPushButton*>("BT_OK");
  ASSERT_NE(w, nullptr);
  do {
    if (qobject_cast<QPushButton*>(w)) ordre << w->objectName();
    w = w->nextInFocusChain();
  } while (w && w->objectName() != "BT_OK");
  EXPECT_EQ(ordre.join(' ').toStdString(), "BT_OK BT_Non BT_Annuler BT_Oui");
}
