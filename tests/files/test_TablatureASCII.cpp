// ASCII tablature: the column reader, the import into the current track, the text writer, the
// round trip between them, and the reader's survival of damaged texts.
#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <random>

#include "tests/editor_state/SongFixture.h"
#include "files/TablatureASCII.h"
#include "settings/Langue.h"

namespace {

// "f.c" per beat, frets on the given string only (-1 none), for compact expectations.
std::string Resume(const TTablatureASCII& t, int corde) {
  std::string s;
  for (const auto& m : t.Mesures) {
    for (const auto& b : m) {
      s += std::to_string(b.Frettes[corde]) + "." + std::to_string(b.CodeDuree);
      if (b.Effets[corde]) s += "e" + std::to_string(b.Effets[corde]);
      if (b.EffetTemps) s += "t" + std::to_string(b.EffetTemps);
      s += " ";
    }
    s += "| ";
  }
  return s;
}

TTablatureASCII Lire(const QString& texte, int type = IMPORT_VARIABLE, int tirets = 4) {
  return LireTablatureASCII(LignesTexteASCII(texte), type, tirets);
}

const char* const kTabReelle =
    "Wish You Were Here - intro\n"
    "Tabbed by someone, standard tuning\n"
    "\n"
    "e|-------0-----0-------|-------3-----3---|\n"
    "B|-----0-----0---------|-----0-----0-----|\n"
    "G|---0-----0-----0-----|---0-----0-------|\n"
    "D|---------------------|-----------------|\n"
    "A|---------------------|-----------------|\n"
    "E|-3-------------------|-3---------------|\n"
    "\n"
    "e|--------------|---------------|\n"
    "B|--1-----1-----|--5h7p5--------|\n"
    "G|----0-----0---|---------7/9---|\n"
    "D|--------------|--x------------|\n"
    "A|-3------------|---------------|\n"
    "E|--------------|--12~----------|\n";

}  // namespace

TEST(TablatureASCII, ColumnReading) {
  struct Cas {
    const char* texte;
    int type, tirets, corde;
    const char* attendu;
  } cas[] = {
      // quarter, eighth, half, and the last eighth from the gap to the bar
      {"0----2---3-----5---|", IMPORT_VARIABLE, 4, 6, "0.0 2.1 3.-1 5.1 | "},
      {"--12----", IMPORT_VARIABLE, 4, 6, "12.0 | "},
      {"--x-----", IMPORT_VARIABLE, 4, 6, "100.0 | "},
      {"--5h7---|", IMPORT_VARIABLE, 4, 6, "5.1e1 7.1 | "},
      {"--5p3-7/9-8\\6-5b--5r---|", IMPORT_VARIABLE, 1, 6, "5.0e2 3.0 7.0e3 9.0 8.0e4 6.0 5.-1e5 5.-1e6 | "},
      {"--5~---7t---9s--|", IMPORT_VARIABLE, 4, 6, "5.0t1 7.0t5 9.1t6 | "},
      // a second digit is one of the gap's columns: "12---" is a quarter with four dashes
      {"12---0----|", IMPORT_VARIABLE, 4, 6, "12.0 0.0 | "},
      {"0-2-3-|", IMPORT_DOUBLES, 4, 6, "0.2 2.2 3.2 | "},
      {"0-2-3-|", IMPORT_BLANCHES, 4, 6, "0.-1 2.-1 3.-1 | "},
      // a bar right after a bar, or before any beat, opens no measure
      {"||0---|---||--2---||", IMPORT_VARIABLE, 4, 6, "0.1 | 2.1 | "},
      {"|-0-|-1-|-2-|", IMPORT_NOIRES, 4, 6, "0.0 | 1.0 | 2.0 | "},
      // the last beat without a bar after it continues the length of the one before
      {"0--2--------3", IMPORT_VARIABLE, 4, 6, "0.1 2.-1 3.-1 | "},
      // a fret ending the line reads one digit past nothing
      {"-----1", IMPORT_VARIABLE, 4, 6, "1.0 | "},
      // text without staff lines
      {"Intro\nplay it softly\n-- 12", IMPORT_VARIABLE, 4, 6, ""},
  };
  for (const Cas& c : cas) EXPECT_EQ(Resume(Lire(c.texte, c.type, c.tirets), c.corde), c.attendu) << c.texte;
}

TEST(TablatureASCII, BlocksAndStrings) {
  // Six lines: a leading bar makes no empty measure, the closing bar leaves nothing behind.
  TTablatureASCII six =
      Lire("e|-----0-----|\nB|-----------|\nG|-----------|\nD|-----------|\nA|-----------|\nE|-----------|\n");
  ASSERT_EQ(six.Mesures.size(), 1u);
  ASSERT_EQ(six.Mesures[0].size(), 1u);
  EXPECT_EQ(six.Mesures[0][0].Frettes[1], 0);
  for (int s = 2; s <= 6; ++s) EXPECT_EQ(six.Mesures[0][0].Frettes[s], FRETTE_AUCUNE);

  // Four lines fill strings 3 to 6; eight lines keep their last six.
  TTablatureASCII quatre = Lire("G|-1---|\nD|-2---|\nA|-3---|\nE|-4---|\n");
  ASSERT_EQ(quatre.Mesures.size(), 1u);
  const auto& b = quatre.Mesures[0][0];
  EXPECT_EQ(b.Frettes[1], FRETTE_AUCUNE);
  EXPECT_EQ(b.Frettes[2], FRETTE_AUCUNE);
  for (int s = 3; s <= 6; ++s) EXPECT_EQ(b.Frettes[s], s - 2);
  TTablatureASCII huit = Lire("|-1--|\n|-2--|\n|-3--|\n|-4--|\n|-5--|\n|-6--|\n|-7--|\n|-8--|\n");
  for (int s = 1; s <= 6; ++s) EXPECT_EQ(huit.Mesures[0][0].Frettes[s], s + 2);

  // On a four-string track the last line is string 4: nothing lands on a string the track lacks.
  const QStringList basse = LignesTexteASCII("G|-1---|\nD|-2---|\nA|-3---|\nE|-4---|\n");
  for (int s = 1; s <= 4; ++s) EXPECT_EQ(LireTablatureASCII(basse, IMPORT_VARIABLE, 4, 4).Mesures[0][0].Frettes[s], s);
  const QStringList sixLignes = LignesTexteASCII("|-1--|\n|-2--|\n|-3--|\n|-4--|\n|-5--|\n|-6--|\n");
  const TTablatureASCII t4 = LireTablatureASCII(sixLignes, IMPORT_VARIABLE, 4, 4);
  const auto& b4 = t4.Mesures[0][0];
  for (int s = 1; s <= 6; ++s) EXPECT_EQ(b4.Frettes[s], s <= 4 ? s + 2 : FRETTE_AUCUNE);

  // Notes of one beat stand in one column; a fret one column on is a beat of its own.
  TTablatureASCII decales = Lire("--3---|\n---3--|\n");
  EXPECT_EQ(decales.Mesures[0].size(), 2u);

  // The 33rd beat opens the next measure.
  std::string long33;
  for (int i = 0; i < 33; ++i) long33 += "0--";
  long33 += "|";
  TTablatureASCII t33 = Lire(QString::fromStdString(long33));
  ASSERT_EQ(t33.Mesures.size(), 2u);
  EXPECT_EQ(t33.Mesures[0].size(), 32u);
  EXPECT_EQ(t33.Mesures[1].size(), 1u);

  // A block without a closing bar: the next block's first note measures the gap across blocks.
  TTablatureASCII deux = Lire("--0-----\n\n----2---|\n");
  EXPECT_EQ(Resume(deux, 6), "0.1 2.1 | ");
}

TEST(TablatureASCII, RaggedAndForeignLineEnds) {
  // A shorter first line has no bar in the columns it lacks, and nothing is read past any line.
  EXPECT_EQ(Resume(Lire("--0-----\n--1-----|\n--2-----|3\n"), 6), "2.-1 3.-1 | ");
  // CR LF, lone CR, tabs and trailing blanks read as the plain text does.
  const QString lf = Lire(kTabReelle).Mesures.empty() ? QString() : QString::fromLatin1(kTabReelle);
  QString crlf = lf;
  crlf.replace("\n", "\r\n");
  QString cr = lf;
  cr.replace("\n", "\r");
  QString blancs = lf;
  blancs.replace("|\n", "|   \t \n");
  QString tabs = lf;
  tabs.replace("\n", "\n\t");
  const std::string attendu = Resume(Lire(lf), 5) + Resume(Lire(lf), 6) + Resume(Lire(lf), 1);
  for (const QString& t : {crlf, cr, blancs, tabs})
    EXPECT_EQ(Resume(Lire(t), 5) + Resume(Lire(t), 6) + Resume(Lire(t), 1), attendu);
  EXPECT_EQ(LignesTexteASCII("a\tb  \r\nc\t\t|\rd").join("/"), "a       b/c               |/d");
}

TEST(TablatureASCII, RealLookingTab) {
  TTablatureASCII t = Lire(kTabReelle);
  ASSERT_EQ(t.Mesures.size(), 4u);
  EXPECT_EQ(Resume(t, 6),
            "3.1 -1.1 -1.1 -1.1 -1.1 -1.1 -1.1 -1.-1 | 3.1 -1.1 -1.1 -1.1 -1.1 -1.1 -1.1 | "
            "-1.1 -1.1 -1.1 -1.1 -1.1 | 12.1t1 -1.1 -1.1 -1.1 -1.1 | ");
  EXPECT_EQ(Resume(t, 2),
            "-1.1 -1.1 0.1 -1.1 -1.1 0.1 -1.1 -1.-1 | -1.1 -1.1 0.1 -1.1 -1.1 0.1 -1.1 | "
            "-1.1 1.1 -1.1 1.1 -1.1 | 5.1e1t1 7.1e2 5.1 -1.1 -1.1 | ");
  // measure 4: the dead note shares the column of the twelfth fret; a slide from 7 to 9
  EXPECT_EQ(t.Mesures[3][0].Frettes[4], FRETTE_MORTE);
  EXPECT_TRUE(Resume(t, 3).ends_with("| -1.1t1 -1.1 -1.1 7.1e3 9.1 | ")) << Resume(t, 3);
}

class TablatureASCIIChanson : public SongTest {};

TEST_F(TablatureASCIIChanson, ImportReplacesTheCurrentTrackOnly) {
  AddMeasures(5);
  for (int m = 1; m <= 5; ++m) {
    M(m).NbTemps[1] = 1;
    M(m).Temps[1][1].Notes[1].Frette = 9;
  }
  M(2).NbTemps[3] = 1;
  M(2).Temps[3][1].Notes[1].Frette = 4;
  M(1).Numerateur = 3;
  M(1).Duree = 3.0;
  PisteCourante = 1;
  ImporterTablatureASCII(Lire("|0---|2---|1---|"));
  EXPECT_EQ(Partition.NbMesures, 3);  // measures 4 and 5 held only the old beats
  EXPECT_EQ(N(1, 3), 1);
  EXPECT_EQ(B(1, 1, 3).Notes[6].Frette, 1);
  EXPECT_EQ(B(1, 1, 3).Notes[1].Frette, FRETTE_AUCUNE);
  EXPECT_EQ(N(3, 2), 1);                          // the other track keeps its beat
  EXPECT_EQ(B(2, 1, 1).Duree, B(1, 1, 1).Duree);  // the input slot is ready after the beat
  EXPECT_EQ(B(2, 1, 1).Notes[6].Frette, FRETTE_AUCUNE);
  EXPECT_TRUE(messages.empty());
  // Each imported measure keeps its filled length, as the song file stores it.
  for (int m = 1; m <= 3; ++m) EXPECT_DOUBLE_EQ(M(m).DureeRemplie[1], B(1, 1, m).Duree / double(TICKS_NOIRE)) << m;

  // Appended measures continue the signature of the one before.
  ImporterTablatureASCII(Lire("|0-|1-|2-|3-|4-|5-|"));
  ASSERT_EQ(Partition.NbMesures, 6);
  EXPECT_EQ(M(6).Numerateur, M(3).Numerateur);
  EXPECT_EQ(M(6).Duree, M(3).Duree);
  EXPECT_EQ(M(6).NbTemps[2], 0);

  // No staff line: the track is emptied and the song shrinks to one measure.
  M(2).NbTemps[3] = 0;
  ImporterTablatureASCII(Lire("nothing here"));
  EXPECT_EQ(Partition.NbMesures, 1);
  EXPECT_EQ(N(1, 1), 0);
}

TEST_F(TablatureASCIIChanson, MoreThanAThousandMeasuresAreCut) {
  QString texte;
  for (int i = 0; i < 1001; ++i) texte += "0-|";
  const TTablatureASCII t = Lire(texte);
  EXPECT_TRUE(t.Tronquee);
  EXPECT_EQ(t.Mesures.size(), size_t(NB_MESURES_MAX));
  ImporterTablatureASCII(t);
  EXPECT_EQ(Partition.NbMesures, NB_MESURES_MAX);
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0].Texte, TexteLangue("Gene-MesuresMax"));
  // Exactly 1000, with a bar after the last: nothing is cut.
  texte.chop(3);
  EXPECT_FALSE(Lire(texte).Tronquee);
}

// ---- Writing ----

namespace {
// One track-1 measure of beats with the given codes, fret f on string s.
void Mesure(TMesure& m, std::initializer_list<int> codes, int f = 0, int s = 6) {
  int b = 0;
  for (int c : codes) {
    TTemps& t = m.Temps[1][++b];
    TempsNoireVide(t);
    t.CodeDuree = int8_t(c);
    t.Duree = TicksDuree(c, false, false);
    t.Notes[s].Frette = int8_t(f);
  }
  m.NbTemps[1] = b;
}
// The block lines of a generated text (those after the header, without the empty separators).
QStringList Portee(const QStringList& lignes) {
  QStringList r;
  for (const QString& l : lignes)
    if (l.contains('-') || l.contains('|')) r << l;
  return r;
}
}  // namespace

TEST_F(TablatureASCIIChanson, WritingColumns) {
  Mesure(M(1), {0, 0, 0, 0});
  QStringList t = GenererTexteASCII(Partition, 1, 80);
  ASSERT_EQ(t.size(), 9);  // no header; top line, six strings, two empty lines
  EXPECT_EQ(t[6], "E||0----0----0----0----||");
  EXPECT_EQ(t[1], "E||--------------------||");
  EXPECT_EQ(t[0], QString(25, ' '));

  // Repeat signs: a four-string track opening with a repeat, a closing repeat of 12, then one of 1
  // that starts an alternate ending (the ending's flag is no count), then one of 2.
  Partition.NbCordes[1] = 4;
  Partition.Accordage[1][1] = 43;  // G
  Partition.Accordage[1][2] = 38;  // D
  Partition.Accordage[1][3] = 33;  // A
  Partition.Accordage[1][4] = 28;  // E
  Mesure(M(1), {1}, 3, 2);
  M(1).RenvoiDebut = 1;
  M(1).RenvoiFin = 1;
  M(1).NbRenvois = 12;
  AddMeasures(2);
  Mesure(M(2), {-1, 1}, 5, 1);
  M(2).Temps[1][1].Notes[1].Effet = 1;
  M(2).Temps[1][2].Notes[1].Frette = FRETTE_MORTE;
  M(2).RenvoiFin = 1;
  M(2).NbRenvois = 1;
  M(2).Repetition = 1;
  M(2).NumRepetition = 1;
  t = Portee(GenererTexteASCII(Partition, 1, 80));
  ASSERT_EQ(t.size(), 4);
  EXPECT_EQ(GenererTexteASCII(Partition, 1, 80)[0], QString("       12x").leftJustified(27));
  M(2).NbRenvois = 2;
  EXPECT_EQ(GenererTexteASCII(Partition, 1, 80)[0], QString("       12x").leftJustified(25) + "2x");
  M(2).NbRenvois = 1;
  EXPECT_EQ(t[0], "G||-----||--5h-------x---||");
  EXPECT_EQ(t[1], "D||*3--*||--------------*||");
  EXPECT_EQ(t[2], "A||*---*||--------------*||");
  EXPECT_EQ(t[3], "E||-----||---------------||");

  // A sharp in the tuning widens the label; a repeat-open right after a closing repeat adds no bar.
  Partition.Accordage[1][4] = 30;  // F#
  M(2).RenvoiDebut = 1;
  t = Portee(GenererTexteASCII(Partition, 1, 80));
  EXPECT_EQ(t[1], "D ||*3--*||*------------*||");
  EXPECT_EQ(t[3], "F#||-----||--------------||");
}

TEST_F(TablatureASCIIChanson, WritingHeaderAndBlocks) {
  struct Cas {
    const char* titre;
    const char* auteur;
    int largeur;
    const char* ligneTitre;
    const char* ligneAuteur;
  } cas[] = {
      {"Hello", "", 80, "                                    Hello", nullptr},
      {"Hello", "Me", 40, "                Hello", "                                      Me"},
      // wider than the page: cut, from column 1
      {"0123456789012345678901234567890123456789XYZ", "abcdefghijklmnopqrstuvwxyzabcdefghijklmnopq", 40,
       "0123456789012345678901234567890123456789", "abcdefghijklmnopqrstuvwxyzabcdefghijklmn"},
      {"0123456789012345678901234567890123456789", "", 40, "0123456789012345678901234567890123456789", nullptr},
  };
  for (const Cas& c : cas) {
    Partition.Titre = c.titre;
    Partition.Auteur = c.auteur;
    const QStringList t = GenererTexteASCII(Partition, 1, c.largeur);
    EXPECT_EQ(t[0].size(), c.largeur);
    EXPECT_EQ(t[0].trimmed(), QString(c.titre).left(c.largeur));
    EXPECT_EQ(t[0].left(QString(c.ligneTitre).size()), c.ligneTitre) << c.titre;
    if (c.ligneAuteur) {
      EXPECT_EQ(t[3], c.ligneAuteur);
    }
  }

  // Measures wrap into blocks no wider than the line; a measure wider than the line stands alone,
  // whole; no block is ever empty.
  Partition.Titre.clear();
  Partition.Auteur.clear();
  Mesure(M(1), {-2, -2, -2, -2});  // 4 x 17 columns: wider than 40
  M(1).RenvoiFin = 1;
  M(1).NbRenvois = 3;
  AddMeasures(6);
  for (int m = 2; m <= 6; ++m) Mesure(M(m), {0, 1, 1});
  const QStringList t = GenererTexteASCII(Partition, 1, 40);
  ASSERT_FALSE(t.isEmpty());
  const QString ronde = "0" + QString(16, '-');
  EXPECT_EQ(t[6], "E||" + ronde + ronde + ronde + ronde + "-||");  // the first block is the wide measure, whole
  EXPECT_EQ(t[0], QString(72, ' ') + "3x");
  for (int i = 7; i + 1 < t.size(); ++i) {
    EXPECT_LE(t[i].size(), 40);
    if (t[i].isEmpty() && t[i + 1].isEmpty()) {
      EXPECT_TRUE(i + 2 >= t.size() || !t[i + 2].isEmpty()) << i;
    }
  }
}

namespace {

// Random beats on track 1 of measures 1..nb: halves, quarters and eighths on random strings, frets
// 0..fretteMax, and with `marques` also dead notes and note effects.
void RemplirAuHasard(std::mt19937& alea, int nb, int fretteMax, bool marques) {
  for (int m = 1; m <= nb; ++m) {
    const int n = 1 + int(alea() % 8);
    for (int b = 1; b <= n; ++b) {
      TTemps& t = Partition.Mesures[m]->Temps[1][b];
      TempsNoireVide(t);
      t.CodeDuree = int8_t(int(alea() % 3) - 1);
      t.Duree = TicksDuree(t.CodeDuree, false, false);
      const int cordes = 1 + int(alea() % 63);
      for (int s = 1; s <= 6; ++s) {
        if (!(cordes & (1 << (s - 1)))) continue;
        const int f = int(alea() % (fretteMax + (marques ? 2 : 1)));
        t.Notes[s].Frette = int8_t(f > fretteMax ? FRETTE_MORTE : f);
        if (marques && f <= fretteMax && alea() % 3 == 0) t.Notes[s].Effet = int8_t(1 + alea() % 6);
      }
    }
    Partition.Mesures[m]->NbTemps[1] = n;
  }
}

// The text read back holds track 1's beats: lengths, frets and (but for dead notes) effects.
void VerifierRelecture(const QStringList& texte, int nb, int essai) {
  const TTablatureASCII lu = Lire(texte.join("\n"));
  ASSERT_EQ(lu.Mesures.size(), size_t(nb)) << essai << "\n" << texte.join("\n").toStdString();
  for (int m = 1; m <= nb; ++m) {
    const TMesure& mes = *Partition.Mesures[m];
    ASSERT_EQ(lu.Mesures[m - 1].size(), size_t(mes.NbTemps[1])) << essai << " " << m;
    for (int b = 1; b <= mes.NbTemps[1]; ++b) {
      const TTemps& t = mes.Temps[1][b];
      const TTempsASCII& x = lu.Mesures[m - 1][b - 1];
      EXPECT_EQ(x.Duree, t.Duree) << essai << " measure " << m << " beat " << b << "\n"
                                  << texte.join("\n").toStdString();
      for (int s = 1; s <= 6; ++s) {
        EXPECT_EQ(x.Frettes[s], t.Notes[s].Frette) << essai << " " << m << " " << b << " " << s;
        if (t.Notes[s].Frette != FRETTE_MORTE) {
          EXPECT_EQ(x.Effets[s], t.Notes[s].Effet);
        }
      }
    }
  }
}

}  // namespace

TEST_F(TablatureASCIIChanson, ExportThenImportGivesTheSameBeats) {
  std::mt19937 alea(18);
  for (int essai = 0; essai < 40; ++essai) {
    NouvellePartition();
    const int nb = 1 + int(alea() % 12);
    AddMeasures(nb);
    RemplirAuHasard(alea, nb, 9, false);
    const int largeur = 80 + int(alea() % 80);  // every measure fits a line
    VerifierRelecture(GenererTexteASCII(Partition, 1, largeur), nb, essai);
  }
}

// Frets of one and two digits, dead notes and effect letters, at every value the variable reader
// tells apart: the text reads back as the beats it was written from. Each string line of a beat
// puts its fret at one column, whatever the width of the frets beside it.
TEST_F(TablatureASCIIChanson, ExportThenImportWithTwoDigitFrets) {
  std::mt19937 alea(27);
  for (int essai = 0; essai < 60; ++essai) {
    NouvellePartition();
    const int nb = 1 + int(alea() % 6);
    AddMeasures(nb);
    RemplirAuHasard(alea, nb, 24, true);
    VerifierRelecture(GenererTexteASCII(Partition, 1, NB_COL_ASCII_MAX), nb, essai);
  }
}

TEST(TablatureASCII, FilesBothWays) {
  QTemporaryDir dir;
  const QString chemin = dir.filePath("t.tab");
  ASSERT_TRUE(EcrireFichierTexteASCII(chemin, {"Caf\u00e9", "e|--0--|"}));
  QString texte;
  ASSERT_TRUE(LireFichierTexteASCII(chemin, texte));
  EXPECT_EQ(texte, "Caf\u00e9\ne|--0--|\n");
  QFile f(chemin);
  ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  f.write("\xEF\xBB\xBFZo\xC3\xA9");
  f.close();
  ASSERT_TRUE(LireFichierTexteASCII(chemin, texte));
  EXPECT_EQ(texte, "Zo\u00e9");
  EXPECT_FALSE(LireFichierTexteASCII(dir.filePath("absent.tab"), texte));
  EXPECT_FALSE(EcrireFichierTexteASCII(dir.filePath("no/such/folder.tab"), {"x"}));
}

// The reader survives any text: every cut of a real tab, and seeded damage of it.
TEST(TablatureASCII, ReaderSurvivesDamagedText) {
  auto verifier = [](const TTablatureASCII& t) {
    ASSERT_LE(t.Mesures.size(), size_t(NB_MESURES_MAX));
    for (const auto& m : t.Mesures) {
      ASSERT_FALSE(m.empty());
      ASSERT_LE(m.size(), size_t(NB_TEMPS_IMPORT_MAX));
      for (const auto& b : m)
        for (int s = 1; s <= 6; ++s)
          ASSERT_TRUE(b.Frettes[s] == FRETTE_AUCUNE || (b.Frettes[s] >= 0 && b.Frettes[s] <= 100));
    }
  };
  const QString source = QString::fromLatin1(kTabReelle);
  for (qsizetype n = 0; n <= source.size(); ++n) verifier(Lire(source.left(n)));

  std::mt19937 alea(4106);
  const QString pieces = "-|0123456789xhpbr/\\~ts*\n\r\t e";
  for (int essai = 0; essai < 3000; ++essai) {
    QString t = source;
    const int coups = 1 + int(alea() % 12);
    for (int k = 0; k < coups; ++k) {
      const qsizetype pos = t.isEmpty() ? 0 : qsizetype(alea() % t.size());
      switch (alea() % 5) {
        case 0:
          t.insert(pos, pieces[int(alea() % pieces.size())]);
          break;
        case 1:
          t.remove(pos, 1 + qsizetype(alea() % 20));
          break;
        case 2:
          if (!t.isEmpty()) t[pos] = pieces[int(alea() % pieces.size())];
          break;
        case 3:
          t.insert(pos, QString(int(alea() % 3000), '-'));
          break;  // a line of thousands of dashes
        default:
          t.insert(pos, QChar(char16_t(alea() % 0x3000)));
          break;
      }
    }
    verifier(Lire(t, int(alea() % 7) - 1, int(alea() % 10)));
  }
}
