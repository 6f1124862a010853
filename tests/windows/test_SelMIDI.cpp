// The MIDI-import track selection dialog, shown headless and answered from a timer.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QUrl>
#include <functional>

#include "midi/Lecture.h"
#include "midi/ui/SelMIDI.h"
#include "platform/Folders.h"
#include "settings/Config.h"
#include "settings/Mess.h"
#include "settings/ui/Pref.h"
#include "song/Accordages.h"
#include "view/ui/preview.h"

// Takes the addresses the program asks the desktop to open.
class TOuvreurUrl : public QObject {
  Q_OBJECT
 public:
  QList<QUrl> urls;
 public slots:
  void Ouvrir(const QUrl& u) { urls << u; }
};

namespace {

bool Choisir(TSelMIDIForm& d, TProprietesTempo& w, const std::function<void()>& actions) {
  std::vector<TSourceMIDI> sources(2);
  sources[0].Texte = "Lead";
  sources[0].Programme = 30;
  sources[1].Texte = "Bass";
  sources[1].Programme = 33;
  QTimer::singleShot(0, &d, actions);
  return d.Choisir(sources, w);
}

TProprietesTempo Copie() {
  TProprietesTempo w;
  for (int t = 1; t <= NB_PISTES; ++t) {
    w.NbCordes[t] = 6;
    w.NbFrettes[t] = 24;
    AccordageParDefaut(6, w.Accordage[t]);
  }
  return w;
}

// A click on a source, as the user chooses it.
void Cliquer(TSelMIDIForm& d, int ligne) {
  QTest::mouseClick(d.ListePiste->viewport(), Qt::LeftButton, {},
                    d.ListePiste->visualItemRect(d.ListePiste->item(ligne)).center());
}

}  // namespace

TEST(SelMIDI, ChoixParPiste) {
  TSelMIDIForm d;
  TProprietesTempo w = Copie();
  const bool ok = Choisir(d, w, [&d] {
    EXPECT_FALSE(d.BT_OK->isEnabled());  // nothing to import yet
    Cliquer(d, 0);
    EXPECT_TRUE(d.BT_OK->isEnabled());
    d.DeselectionnerPiste->click();
    EXPECT_FALSE(d.BT_OK->isEnabled());
    Cliquer(d, 0);
    d.CQuantize8->setChecked(true);
    d.Transposer->setChecked(true);
    d.ChangerPiste(2);
    Cliquer(d, 1);
    for (int k = 0; k < 5; ++k) d.PasNbCordes(-1);  // stops at 4 strings, tuned as a bass
    for (int k = 0; k < 30; ++k) d.PasFrettes(-1);  // stops at 3 frets
    d.PasCorde(6, -1);                              // the lowest shown string, one semitone down
    d.BT_OK->click();
  });
  ASSERT_TRUE(ok);
  EXPECT_EQ(w.PisteSource[1], 1);
  EXPECT_EQ(w.NomPiste[1], "Lead");
  EXPECT_EQ(w.Instrument[1], 30);
  EXPECT_EQ(w.Quantification[1], 8);
  EXPECT_TRUE(w.OctaveInferieure[1]);
  EXPECT_EQ(w.PisteSource[2], 2);
  EXPECT_EQ(w.NbCordes[2], 4);
  EXPECT_EQ(std::vector<int>(w.Accordage[2] + 1, w.Accordage[2] + 5), (std::vector<int>{43, 38, 33, 27}));
  EXPECT_EQ(w.NbFrettes[2], 3);
  EXPECT_EQ(w.Quantification[2], 4);
  EXPECT_EQ(w.PisteSource[3], 0);
  EXPECT_EQ(ChercherModele(4, w.Accordage[2]), -1);
}

TEST(SelMIDI, AnnulerEtBornes) {
  TSelMIDIForm d;
  TProprietesTempo w = Copie();
  w.Accordage[1][1] = 118;
  const bool ok = Choisir(d, w, [&d] {
    d.ListePiste->setCurrentRow(0);
    for (int k = 0; k < 3; ++k) d.PasCorde(1, 1);  // the top string stops at 119
    for (int k = 0; k < 200; ++k) d.PasInstrument(1);
    d.BT_Annuler->click();
  });
  EXPECT_FALSE(ok);
  EXPECT_FALSE(d.Confirme);
  EXPECT_EQ(w.Accordage[1][1], 119);
  EXPECT_EQ(w.Instrument[1], 127);
}

// The percussion track shows its drum kit and lets it be stepped, but neither the instrument
// chooser nor the string, tuning, fret and octave controls.
TEST(SelMIDI, PisteDePercussionMontreLeKit) {
  TSelMIDIForm d;
  TProprietesTempo w = Copie();
  const bool ok = Choisir(d, w, [&d] {
    d.ChangerPiste(PISTE_PERCUSSION);
    Cliquer(d, 1);  // the source's program becomes the kit
    const struct {
      QWidget* w;
      bool visible;
    } attendu[] = {{d.Instrument, true},     {d.InstrumentUp, true}, {d.InstrumentDown, true},
                   {d.BT_Instrument, false}, {d.ModeleList, false},  {d.NbCordes, false},
                   {d.NoteCorde[6], false},  {d.Ecouter[6], false},  {d.EcouterTout, false},
                   {d.NbFrets, false},       {d.Transposer, false},  {d.Cache, true}};
    for (const auto& a : attendu) EXPECT_EQ(a.w->isVisible(), a.visible) << a.w->objectName().toStdString();
    EXPECT_EQ(d.Instrument->text(), NomKitBatterie(33));
    d.PasInstrument(-8);
    EXPECT_EQ(d.Instrument->text(), NomKitBatterie(25));
    d.ChangerPiste(1);
    EXPECT_TRUE(d.BT_Instrument->isVisible());
    EXPECT_EQ(d.Instrument->text(), NomInstrument(0));
    d.BT_OK->click();
  });
  ASSERT_TRUE(ok);
  EXPECT_EQ(w.PisteSource[PISTE_PERCUSSION], 2);
  EXPECT_EQ(w.Instrument[PISTE_PERCUSSION], 25);
}

// A click on the empty part of the source list leaves the track without a source and without the
// source's name, as Deselect does.
TEST(SelMIDI, ClicHorsDesSources) {
  TSelMIDIForm d;
  TProprietesTempo w = Copie();
  Choisir(d, w, [&d] {
    Cliquer(d, 0);
    EXPECT_EQ(d.NomPiste->text(), "Lead");
    QTest::mouseClick(d.ListePiste->viewport(), Qt::LeftButton, {},
                      QPoint(10, d.ListePiste->viewport()->height() - 5));
    EXPECT_TRUE(d.ListePiste->selectedItems().isEmpty());
    EXPECT_TRUE(d.NomPiste->text().isEmpty());
    EXPECT_FALSE(d.BT_OK->isEnabled());
    EXPECT_TRUE(d.TabPiste->tabText(0).endsWith(QStringLiteral("- ")));
    d.BT_Annuler->click();
  });
}

// Help tries the dialog's own page first, like every other dialog; the print preview's is the help's
// contents, in the help language, and the preferences open their page's topic there.
TEST(SelMIDI, AideOuvreSaPage) {
  const QString dossier = DossierProgramme() + QStringLiteral("help/");
  const bool dossierNeuf = !QDir(dossier).exists();
  ASSERT_TRUE(QDir().mkpath(dossier));
  QStringList neuves;
  for (const char* nom : {"SelMIDI.html", "Vexo_en.html"}) {
    QFile page(dossier + QLatin1String(nom));
    if (page.exists()) continue;
    ASSERT_TRUE(page.open(QIODevice::WriteOnly));
    neuves << page.fileName();
  }
  const int langue = LangueAide;
  LangueAide = 2;
  TOuvreurUrl ouvreur;
  QDesktopServices::setUrlHandler(QStringLiteral("file"), &ouvreur, "Ouvrir");
  int messages = 0;
  InstallerReponseMessage([&](const TDemandeMessage&) {
    ++messages;
    return ID_OK;
  });
  TSelMIDIForm d;
  TProprietesTempo w = Copie();
  Choisir(d, w, [&d] {
    d.BT_Aide->click();
    d.BT_Annuler->click();
  });
  TPreview_Form(&d).BT_Aide->click();
  {
    TPref_Form pref(&d);
    pref.PageControle->setCurrentIndex(PAGE_DISPLAY);
    pref.BT_Aide->click();
  }
  QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
  InstallerReponseMessage({});
  LangueAide = langue;
  for (const QString& n : neuves) QFile::remove(n);
  if (dossierNeuf) QDir(dossier).removeRecursively();
  EXPECT_EQ(messages, 0);
  ASSERT_EQ(ouvreur.urls.size(), 3);
  EXPECT_TRUE(ouvreur.urls[0].toLocalFile().endsWith(QStringLiteral("help/SelMIDI.html")));
  EXPECT_TRUE(ouvreur.urls[1].toLocalFile().endsWith(QStringLiteral("help/Vexo_en.html")));
  EXPECT_TRUE(ouvreur.urls[2].toLocalFile().endsWith(QStringLiteral("help/Vexo_en.html")));
  EXPECT_EQ(ouvreur.urls[2].fragment(), QStringLiteral("R7_2"));
}

// Held buttons repeat on their family's timer: the first repeat 300 ms after the press, then the
// pitch rows every 200 ms, 150 ms from the tenth repeat, a double step from the thirtieth; the
// instrument and fret buttons every 100 ms, 50 ms from the tenth, a triple step from the
// thirtieth. The release stops the timer; a click is one step. The timers are fired by hand.
TEST(SelMIDI, HeldButtonsSpeedUp) {
  TSelMIDIForm d;
  TProprietesTempo w = Copie();
  Choisir(d, w, [&d, &w] {
    struct Famille {
      const char* nom;
      QToolButton* bouton;
      QTimer* minuterie;
      std::function<int()> lire;
      std::function<void(int)> ecrire;
      int sens, apres1, apres10, pas30;
    } familles[] = {
        {"pitch", d.BT_CUp[1], d.Timer1, [&w] { return w.Accordage[1][1]; },
         [&w](int v) { w.Accordage[1][1] = v; }, +1, 200, 150, 2},
        {"instrument", d.InstrumentDown, d.Timer3, [&w] { return w.Instrument[1]; },
         [&w](int v) { w.Instrument[1] = v; }, -1, 100, 50, 3},
        {"frets", d.BT_FretUp, d.Timer5, [&d] { return d.NbFrets->text().toInt(); },
         [&d](int v) { d.NbFrets->setText(QString::number(v)); }, +1, 100, 50, 3},
    };
    for (const Famille& f : familles) {
      SCOPED_TRACE(f.nom);
      ASSERT_NE(f.minuterie, nullptr);
      f.ecrire(12);
      QTest::mouseClick(f.bouton, Qt::LeftButton);
      EXPECT_EQ(f.lire(), 12 + f.sens);
      EXPECT_FALSE(f.minuterie->isActive());
      QTest::mousePress(f.bouton, Qt::LeftButton);
      EXPECT_EQ(f.lire(), 12 + 2 * f.sens);
      ASSERT_TRUE(f.minuterie->isActive());
      EXPECT_EQ(f.minuterie->interval(), 300);
      for (int n = 1; n <= 30; ++n) {
        f.ecrire(12);  // mid-range, so that no limit hides the step
        QMetaObject::invokeMethod(f.minuterie, "timeout");
        ASSERT_TRUE(f.minuterie->isActive()) << n;
        EXPECT_EQ(f.minuterie->interval(), n < 10 ? f.apres1 : f.apres10) << n;
        EXPECT_EQ(f.lire(), 12 + f.sens * (n < 30 ? 1 : f.pas30)) << n;
      }
      QTest::mouseRelease(f.bouton, Qt::LeftButton);
      EXPECT_FALSE(f.minuterie->isActive());
    }
    // A click on the fret "-" steps once and leaves the field ready for the keys.
    d.NbFrets->setText(QStringLiteral("12"));
    QTest::mouseClick(d.BT_FretDown, Qt::LeftButton);
    EXPECT_EQ(d.NbFrets->text(), QStringLiteral("11"));
    EXPECT_EQ(d.focusWidget(), d.NbFrets);
    EXPECT_EQ(d.NbFrets->selectedText(), QStringLiteral("11"));
    d.reject();
  });
}

#include "test_SelMIDI.moc"
