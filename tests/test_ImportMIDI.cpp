// The import over data, and the refusals of the import command that leave the song as it was.
#include <gtest/gtest.h>

#include <QApplication>
#include <QFile>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>

#include "EditFixture.h"
#include "editor/ui/MainImportMIDI.h"
#include "midi/ImportMIDI.h"
#include "midi/ui/SelMIDI.h"
#include "song/Accordages.h"
#include "settings/Langue.h"
#include "smf_outils.h"

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
  melodie.Nom(0, "Tune").On(0, 64).Off(480, 64).On(0, 67).Off(2400, 67).Fin();
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
  EXPECT_TRUE(rapport.Vide());
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
