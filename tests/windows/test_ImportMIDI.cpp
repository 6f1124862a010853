// The import over data, and the refusals of the import command that leave the song as it was.
#include <gtest/gtest.h>

#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTimer>
#include <QWindow>
#include <algorithm>
#include <climits>

#include "tests/editor/EditFixture.h"
#include "editor/ui/MainImportMIDI.h"
#include "files/FileCommands.h"
#include "midi/ImportMIDI.h"
#include "midi/ui/SelMIDI.h"
#include "midi/ui/WaitMidi.h"
#include "song/Accordages.h"
#include "settings/Langue.h"
#include "tests/midi/smf_outils.h"

namespace {

// Language texts set by a test go back to what they were.
struct TextesDeTest {
  const QStringList sauves = TableMessages;
  ~TextesDeTest() { TableMessages = sauves; }
};

struct Suivi : TSuiviImport {
  QStringList etapes;
  void Etape(const QString& t) override { etapes << t; }
};

TFichierMIDI Analyse(const QByteArray& b) {
  TFichierMIDI f;
  EXPECT_EQ(AnalyserFichierMIDI(b, f, "Track", "-"), EErreurMIDI::Aucune);
  return f;
}

}  // namespace

TEST(ImportMIDI, PistesChoisies) {
  TextesDeTest textes;
  DefinirTexteLangue("MidiImp-LecturePiste", "Reading");
  smf::Piste c;
  c.Signature(0, 4, 2).Signature(3840, 3, 2).Fin();  // two measures of 4/4, then 3/4; no tempo
  smf::Piste melodie, vide;
  melodie.Nom(0, "Tune").On(0, 64).Off(480, 64).On(0, 67).Off(2400, 67).On(0, 5).Off(480, 5).Fin();
  vide.Evt(0, {0xB0, 7, 100}).Fin();
  const TFichierMIDI f = Analyse(smf::Fichier(1, 480, {c, melodie, vide}));

  TPartition p;
  PartitionImportVide(p, "Drums");
  ASSERT_TRUE(AppliquerConducteur(p, f));
  ASSERT_EQ(p.NbMesures, 3);
  TProprietesTempo w;
  ProprietesImportDepuis(p, w);
  w.PisteSource[1] = 1;
  w.PisteSource[2] = 1;  // the same source twice, an octave lower on a bass
  w.OctaveInferieure[2] = 1;
  w.NbCordes[2] = 4;
  AccordageParDefaut(4, w.Accordage[2]);
  w.PisteSource[3] = 2;  // a source without a note
  CopierVersPartition(w, p);
  TRapportImport rapport;
  Suivi suivi;
  ASSERT_TRUE(ConstruireImport(f, w, p, TPoidsDoigts(), rapport, suivi));
  EXPECT_EQ(p.Tempo, 120);
  EXPECT_EQ(p.NbMesures, 3);
  EXPECT_EQ(suivi.etapes.count(), 8);
  EXPECT_EQ(suivi.etapes[3], "Reading [2/3]");
  // The pitch that sounds: E5 on the guitar, E4 an octave lower on the bass.
  auto sonne = [&p](int t) {
    for (int s = 1; s <= p.NbCordes[t]; ++s)
      if (p.Mesure(1)->Temps[t][1].Notes[s].Frette != FRETTE_AUCUNE)
        return p.Accordage[t][s] + p.Mesure(1)->Temps[t][1].Notes[s].Frette;
    return -1;
  };
  EXPECT_EQ(sonne(1), 64);
  EXPECT_EQ(sonne(2), 52);
  EXPECT_EQ(p.Mesure(3)->NbTemps[3], 0);                   // the empty source leaves its track empty
  for (int t = 1; t <= 2; ++t)
    for (int m = 1; m <= 3; ++m) {
      int ticks = 0;
      for (int b = 1; b <= p.Mesure(m)->NbTemps[t]; ++b) ticks += p.Mesure(m)->Temps[t][b].Duree;
      EXPECT_EQ(ticks, p.Mesure(m)->Duree * 480) << "track " << t << " measure " << m;
    }
  // F0 in measure 2: below the guitar's strings, and below the MIDI range an octave lower.
  ASSERT_EQ(rapport.NonPlacees.size(), 2u);
  EXPECT_EQ(TexteRapportImport(rapport).count(QRegularExpression("F0|F-1")), 2);
  for (const TNoteNonPlacee& n : rapport.NonPlacees) EXPECT_EQ(n.Mesure, 2);
}

// A refused or unreadable file leaves the song as it was, with the error named.
TEST_F(EditTest, ImportRefuseLaisseLaPartition) {
  TextesDeTest textes;
  DefinirTexteLangue("Fichier-MIDINonReconnu", "not MIDI");
  DefinirTexteLangue("Fichier-AccesImpossible", "no access");
  Partition.Titre = "Kept";
  Append(5);
  QTemporaryDir dossier;
  const QString format2 = dossier.filePath("f2.mid");
  QByteArray b = smf::Fichier(1, 480, {smf::Piste().Fin()});
  b[9] = 2;
  QFile fichier(format2);
  ASSERT_TRUE(fichier.open(QIODevice::WriteOnly));
  fichier.write(b);
  fichier.close();
  const struct {
    QString chemin;
    QString message;
  } cas[] = {{format2, "not MIDI"}, {dossier.filePath("absent.mid"), "no access"}};
  for (const auto& c : cas) {
    messages.clear();
    EXPECT_FALSE(ImporterFichierMIDI(c.chemin));
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].Texte, c.message);
    EXPECT_EQ(Partition.Titre.str(), "Kept");
    EXPECT_EQ(M(1).Temps[1][1].Notes[1].Frette, 5);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
  }
}

// Cancel in the dialog keeps the song; OK replaces it as a whole.
TEST_F(EditTest, ImportAnnuleOuRemplace) {
  Partition.Titre = "Kept";
  Append(5);
  smf::Piste c, p;
  c.Signature(0, 3, 2).Fin();
  p.Nom(0, "Tune").On(0, 52).Off(960, 52).Fin();
  QTemporaryDir dossier;
  const QString chemin = dossier.filePath("tune.mid");
  QFile fichier(chemin);
  ASSERT_TRUE(fichier.open(QIODevice::WriteOnly));
  fichier.write(smf::Fichier(1, 480, {c, p}));
  fichier.close();
  TSelMIDIForm dialogue;
  SelMIDIForm = &dialogue;
  for (bool ok : {false, true}) {
    QTimer::singleShot(0, &dialogue, [&dialogue, ok] {
      dialogue.ListePiste->setCurrentRow(0);
      (ok ? dialogue.BT_OK : dialogue.BT_Annuler)->click();
    });
    EXPECT_EQ(ImporterFichierMIDI(chemin), ok);
    EXPECT_EQ(Partition.Titre.str(), ok ? "Tune" : "Kept");  // the title comes from the file name
  }
  SelMIDIForm = nullptr;
  EXPECT_EQ(Partition.NomPiste[1].str(), "Tune");
  EXPECT_EQ(Partition.Mesure(1)->Numerateur, 3);
  EXPECT_EQ(Partition.Mesure(1)->NbTemps[1], 2);  // E on the fourth string, then a quarter rest
  EXPECT_EQ(Partition.Mesure(1)->Temps[1][1].Notes[4].Frette, 2);
  EXPECT_FALSE(AnnulationPossible);
  EXPECT_EQ(Modifie, 1);
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

// A song imported from either format is a song never saved: its title comes from the file's name,
// the caption names the file, and the save question names it as a new song.
TEST_F(EditTest, ImportNommeLaPartitionCommeUneNouvelle) {
  TextesDeTest textes;
  DefinirTexteLangue("Fichier-SansNom", "Untitled");
  DefinirTexteLangue("Fichier-EnregistrerModif", "Save #1?");
  QString legende;
  vue.OnSetCaption = [&legende](const QString& t) { legende = t; };
  smf::Piste c, p;
  c.Signature(0, 4, 2).Fin();
  p.Signature(0, 4, 2).On(0, 52).Off(960, 52).Fin();
  QTemporaryDir dossier;
  TSelMIDIForm dialogue;
  SelMIDIForm = &dialogue;
  for (int format : {0, 1}) {
    const QString chemin = dossier.filePath(QString("music00%1.mid").arg(format));
    QFile fichier(chemin);
    ASSERT_TRUE(fichier.open(QIODevice::WriteOnly));
    fichier.write(format ? smf::Fichier(1, 480, {c, p}) : smf::Fichier(0, 480, {p}));
    fichier.close();
    QTimer::singleShot(0, &dialogue, [&dialogue] {
      dialogue.ListePiste->setCurrentRow(0);
      dialogue.BT_OK->click();
    });
    ASSERT_TRUE(ImporterFichierMIDI(chemin));
    messages.clear();
    DemanderEnregistrement();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].Texte.toStdString(), "Save Untitled?") << format;
    EXPECT_EQ(legende.toStdString(), (TitreProgramme + " - " + QFileInfo(chemin).fileName()).toStdString()) << format;
    EXPECT_TRUE(NomFichier.isEmpty());
    EXPECT_EQ(Partition.Titre.str(), "Music00" + std::to_string(format));
  }
  SelMIDIForm = nullptr;
}

namespace {

// A dense arrangement as sequencers write it: notes end a little before the next begins, chords
// are strummed over a few ticks, the drums are short hits. Returns the file and, per source, the
// ticks at which its notes start.
QByteArray Arrangement(std::vector<std::vector<int>>& debuts) {
  uint32_t graine = 12345;
  auto hasard = [&graine](int n) {
    graine = graine * 1103515245u + 12345u;
    return static_cast<int>((graine >> 16) % static_cast<uint32_t>(n));
  };
  constexpr int kMesures = 48, kLongueur = kMesures * 1920;
  struct Evt {
    int tick, on, cle;
  };
  std::vector<std::vector<Evt>> voix(4);
  debuts.assign(4, {});
  auto note = [&](int v, int debut, int fin, int cle) {
    voix[v].push_back({debut, 1, cle});
    voix[v].push_back({fin, 0, cle});
    debuts[v].push_back(debut);
  };
  // Melody: dotted rhythms, eighths and sixteenths, ended 1 to 3 ticks early.
  static const int rythme[] = {360, 120, 240, 120, 120, 360, 120, 480};
  for (int t = 0, k = 0; t < kLongueur; ++k) {
    const int d = rythme[(k + hasard(3)) % 8];
    note(0, t, t + d - 1 - hasard(3), 64 + hasard(12));
    t += d;
  }
  // Chords: three notes every eighth, strummed over up to 6 ticks, released 10 ticks early.
  for (int t = 0; t < kLongueur; t += 240)
    for (int k = 0; k < 3; ++k) note(1, t + 2 * k + hasard(2), t + 230, 52 + 4 * k + hasard(3));
  // Bass: eighths and sixteenths, staccato.
  for (int t = 0; t < kLongueur;) {
    const int d = hasard(3) ? 240 : 120;
    note(2, t, t + d / 2, 40 + hasard(7));
    t += d;
  }
  // Drums: a short hit every sixteenth, a kick on every beat, some doubled hits.
  for (int t = 0; t < kLongueur; t += 120) {
    note(3, t, t + 30, 42);
    if (t % 480 == 0) note(3, t, t + 20, 36);
    if (hasard(8) == 0) note(3, t + 60, t + 75, 38);
  }
  std::vector<smf::Piste> pistes(5);
  pistes[0].Signature(0, 4, 2).Fin();
  for (int v = 0; v < 4; ++v) {
    std::stable_sort(voix[v].begin(), voix[v].end(), [](const Evt& a, const Evt& b) {
      return a.tick != b.tick ? a.tick < b.tick : a.on < b.on;  // at one tick, note-offs first
    });
    const int canal = v == 3 ? 9 : 0;
    int avant = 0;
    for (const Evt& e : voix[v]) {
      const auto delta = static_cast<uint32_t>(e.tick - avant);
      if (e.on)
        pistes[v + 1].On(delta, e.cle, canal);
      else
        pistes[v + 1].Off(delta, e.cle, canal);
      avant = e.tick;
    }
    pistes[v + 1].Fin();
    std::sort(debuts[v].begin(), debuts[v].end());
    debuts[v].erase(std::unique(debuts[v].begin(), debuts[v].end()), debuts[v].end());
  }
  return smf::Fichier(1, 480, pistes);
}

}  // namespace

// At every grid each note of every track starts on the grid step nearest where it starts in the
// file, and no measure or beat is lost on the way.
TEST(ImportMIDI, ArrangementDenseSansDerive) {
  std::vector<std::vector<int>> source;
  const TFichierMIDI f = Analyse(Arrangement(source));
  const int pistes[] = {1, 2, 3, PISTE_PERCUSSION};
  for (int q : {2, 4, 8, 16}) {
    TPartition p;
    PartitionImportVide(p, "Drums");
    ASSERT_TRUE(AppliquerConducteur(p, f));
    TProprietesTempo w;
    ProprietesImportDepuis(p, w);
    for (int v = 0; v < 4; ++v) {
      w.PisteSource[pistes[v]] = v + 1;
      w.Quantification[pistes[v]] = q;
    }
    CopierVersPartition(w, p);
    TRapportImport rapport;
    Suivi suivi;
    ASSERT_TRUE(ConstruireImport(f, w, p, TPoidsDoigts(), rapport, suivi));
    EXPECT_FALSE(rapport.MesuresTronquees) << q;
    EXPECT_TRUE(rapport.TempsTronques.empty()) << q;
    EXPECT_LE(p.NbMesures, 49) << q;
    const int pas = 480 / q;
    for (int v = 0; v < 4; ++v) {
      const int t = pistes[v];
      std::vector<int> importes;
      int debutMesure = 0;
      for (int m = 1; m <= p.NbMesures; ++m) {
        int tick = debutMesure;
        for (int b = 1; b <= p.Mesure(m)->NbTemps[t]; ++b) {
          const TTemps& x = p.Mesure(m)->Temps[t][b];
          if (!x.Silence && !x.Lie) importes.push_back(tick);
          tick += x.Duree;
        }
        debutMesure += static_cast<int>(p.Mesure(m)->Duree * 480);
      }
      // Every source start has an imported start within one step, and the other way round.
      auto ecart = [](const std::vector<int>& de, const std::vector<int>& vers) {
        int pire = 0;
        for (int x : de) {
          auto it = std::lower_bound(vers.begin(), vers.end(), x);
          int d = INT_MAX;
          if (it != vers.end()) d = *it - x;
          if (it != vers.begin()) d = std::min(d, x - *(it - 1));
          pire = std::max(pire, d);
        }
        return pire;
      };
      ASSERT_FALSE(importes.empty());
      EXPECT_LE(2 * ecart(source[v], importes), pas) << "track " << t << " at " << q << " steps a quarter";
      EXPECT_LE(2 * ecart(importes, source[v]), pas) << "track " << t << " at " << q << " steps a quarter";
    }
  }
}

// The progress window is on the screen, painted with its stage text, when a stage hands the thread
// back to the work that follows; each step of the bar is painted at once.
TEST(ImportMIDI, FenetreDAttentePeinteAvantLeTravail) {
  struct Peintures : QObject {
    int n = 0;
    bool eventFilter(QObject*, QEvent* e) override {
      n += e->type() == QEvent::Paint;
      return false;
    }
  };
  for (int etape = 0; etape < 2; ++etape) {
    SCOPED_TRACE(etape);
    TWaitMidiForm fenetre;
    Peintures barre, etat;
    fenetre.ProgressBar1->installEventFilter(&barre);
    fenetre.Etat->installEventFilter(&etat);
    if (etape == 1) fenetre.Etape("first");
    const int avant = etat.n;
    fenetre.Etape("Looking for the tracks...");
    ASSERT_NE(fenetre.windowHandle(), nullptr);
    EXPECT_TRUE(fenetre.windowHandle()->isExposed());
    EXPECT_GT(etat.n, avant);
    const int peintures = barre.n;
    fenetre.Progression(5);
    EXPECT_GT(barre.n, peintures);
    EXPECT_EQ(fenetre.ProgressBar1->value(), 5);
  }
}
