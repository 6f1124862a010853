// The native song file: exact bytes, round trips, older versions and refusal of bad files.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <sys/resource.h>

#include <cmath>
#include <csignal>
#include <cstring>
#include <random>

#include "chords/Diagramme.h"
#include "song/Song.h"
#include "song/ListesAccords.h"
#include "editor/state/EtatEdition.h"
#include "editor/state/EtatProgramme.h"
#include "editor/state/TempsSaisie.h"
#include "editor/state/Partition.h"
#include "files/FichierSqt.h"
#include "settings/Langue.h"
#include "settings/Mess.h"

namespace {

// Bytes of a file built by hand.
struct Octets {
  QByteArray b;
  Octets& u8(int v) { b.append(char(v & 0xFF)); return *this; }
  Octets& i32(int32_t v) {
    for (int i = 0; i < 4; ++i) b.append(char((uint32_t(v) >> (8 * i)) & 0xFF));
    return *this;
  }
  Octets& f64(double v) {
    uint64_t u;
    std::memcpy(&u, &v, 8);
    for (int i = 0; i < 8; ++i) b.append(char((u >> (8 * i)) & 0xFF));
    return *this;
  }
  Octets& champ(const char* s, int capacite) {
    int n = int(std::strlen(s));
    u8(n);
    b.append(s, n);
    b.append(QByteArray(capacite - n, '\0'));
    return *this;
  }
  Octets& signature(const char* s) { return champ(s, 30); }
  Octets& texte(const char* s) {
    u8(int(std::strlen(s)));
    b.append(s);
    return *this;
  }
};

int32_t LireI32(const QByteArray& b, int pos) {
  uint32_t u = 0;
  for (int i = 0; i < 4; ++i) u |= uint32_t(uint8_t(b[pos + i])) << (8 * i);
  return int32_t(u);
}

void PoserI32(QByteArray& b, int pos, int32_t v) {
  for (int i = 0; i < 4; ++i) b[pos + i] = char((uint32_t(v) >> (8 * i)) & 0xFF);
}

QByteArray OctetsChansonVide() {
  Partition.Mesures[1] = std::make_unique<TMesure>();  // nothing left from an earlier test
  NouvellePartition();
  return OctetsPartition();
}

// Reads bytes into a freshly reset song.
bool Lire(const QByteArray& b, QString* cle = nullptr) {
  NouvellePartition();
  QString c;
  bool ok = LireOctetsPartition(b, c);
  if (cle) *cle = c;
  return ok;
}

TMesure& AjouterMesure(int num, int den) {
  int m = ++Partition.NbMesures;
  Partition.Mesures[m] = std::make_unique<TMesure>();
  TMesure& M = *Partition.Mesures[m];
  M.Numerateur = uint8_t(num);
  M.Denominateur = uint8_t(den);
  M.Duree = 4.0 * num / den;
  return M;
}

TTemps& AjouterTemps(TMesure& M, int piste, int code = 0) {
  int b = ++M.NbTemps[piste];
  TTemps& t = M.Temps[piste][b];
  t = TTemps{};
  t.CodeDuree = int8_t(code);
  t.Duree = TicksDuree(code, false, false);
  M.DureeRemplie[piste] += t.Duree / 480.0;
  return t;
}

TAccord Accord(const char* nom, int root, std::array<int, 6> frettes, int base) {
  TAccord a;
  a.Nom = nom;
  a.Fondamentale = root;
  if (root < 12) {
    a.Typ = 5;
    a.NeufOnzeTreize = 1;
    a.Basse = 4;
    a.DimAug = 2;
    a.Quinte = 1;
    a.Neuf = 0;
    a.Onze = 2;
    a.Add = 1;
    a.Diese = 0;
    for (int d = 1; d <= 7; ++d) a.Degres[d] = d % 2;
  }
  a.FretteBase = base;
  for (int s = 1; s <= 6; ++s) a.Frettes[s] = frettes[s - 1];
  CalculerBarres(a);
  return a;
}

// A song that uses every field the file stores.
void ConstruireChansonComplete() {
  NouvellePartition();
  TPartition& P = Partition;
  P.Titre = "Chanson \xE9t\xE9: test/1?";
  P.Auteur = std::string(50, 'a');
  P.Commentaire = "Comment";
  P.Tempo = 133;
  P.TripletFeel = 1;
  P.Armure = -3;
  P.NbCordes[2] = 4;
  const int basse[5] = {0, 43, 38, 33, 28};
  for (int s = 1; s <= 4; ++s) P.Accordage[2][s] = basse[s];
  P.NbCordes[3] = 5;
  for (int p = 1; p <= 8; ++p) {
    P.Instrument[p] = p == 2 ? 33 : 24 + p;
    P.NomPiste[p] = std::string(p == 1 ? 40 : p, 'T');
    P.Volume[p] = 90 + p;
    P.Panoramique[p] = 10 * p;
    P.Chorus[p] = p;
    P.Reverb[p] = 127 - p;
    P.Capo[p] = p % 3;
  }
  P.Solo[3] = 1;
  P.Muette[4] = 1;
  P.PasExporter[5] = 1;
  P.DouzeCordes[6] = 1;
  P.SoloActif = 1;
  P.PisteSolo = 3;

  TMesure& m1 = *P.Mesures[1];
  m1.Numerateur = 3;
  m1.Denominateur = 4;
  m1.Duree = 3.0;
  m1.RenvoiDebut = 1;
  {
    TTemps& t = AjouterTemps(m1, 1);
    t.Notes[1].Frette = 3;
    t.Notes[1].Nuance = 8;
    t.Notes[1].Effet = 5;
    t.Notes[1].Bend = 1.5;
    t.Notes[2].Frette = FRETTE_MORTE;
    t.Notes[2].Nuance = 1;
    t.Notes[3].Frette = 0;
    t.Notes[3].Effet = 6;
    t.Notes[3].Bend = 0.25;
    t.Notes[4].FretteGrace = 7;  // grace note on a string without a note
    t.Notes[4].NuanceGrace = 3;
    t.Notes[4].DureeGrace = 3;
    t.Notes[6].Frette = 12;
    t.Notes[6].FretteGrace = 10;
    t.Notes[6].NuanceGrace = 8;
    t.Notes[6].DureeGrace = 2;
    t.Brush = 2;
    t.VitesseBrush = 32;
    t.Texte = std::string(40, 'x');
    t.AvecAccord = 1;
    t.Accord.emplace(Accord("Fadd9+/5-/11+xxxxxxx", 5, {1, 1, 2, 3, 3, 1}, 1));
    cTableMixEvent& mix = t.MixTable.emplace();
    mix.Tempo = 90;
    mix.TransTempo = 4;
    mix.Volume = 0;
    mix.TransVolume = 2;
    mix.Instrument = 127;
  }
  for (int e = 1; e <= 9; ++e) {
    TTemps& t = AjouterTemps(m1, 1, 3);
    t.EffetTemps = int8_t(e);
    t.CoupVibrato = e == 3 ? 2.5 : 1.0;
    t.Notes[5].Frette = int8_t(e);
    t.Notes[5].Effet = int8_t(e <= 7 ? e : 0);
    t.Notes[5].Bend = (e == 5 || e == 6) ? 3.0 : 1.0;
  }
  for (int place = 1; place <= 3; ++place) {
    TTemps& t = AjouterTemps(m1, 2, 1);
    t.Triolet = 1;
    t.PlaceTriolet = int8_t(place);
    t.Duree = 160;
    t.Notes[1].Frette = int8_t(place);
    t.Notes[4].Frette = 5;  // lowest string of the 4-string track
    t.Brush = 1;
    t.VitesseBrush = 1;
  }
  {
    TTemps& t = AjouterTemps(m1, 3);
    t.Pointee = 1;
    t.Duree = 720;
    t.Notes[5].Frette = 2;
    t.Notes[1].Frette = 9;
    t.AvecAccord = 1;
    t.Accord.emplace(Accord("User", 12, {-1, -1, -1, -1, -1, -1}, 1));  // no diagram
    t.MixTable.emplace().Reverb = 40;  // partial flags
    t.MixTable->TransReverb = 1;
    t.MixTable->Panoramique = 127;
    t.MixTable->Chorus = 5;
  }
  {
    TTemps& t = AjouterTemps(m1, 3);
    t.Lie = 1;
    t.Notes[1].Frette = 9;  // a tied beat stores no notes
  }
  {
    TTemps& t = AjouterTemps(m1, 3);
    t.Silence = 1;
    t.Notes[2].Frette = 4;  // nor does a rest
    t.AvecAccord = 1;
    t.Accord.emplace(Accord("Bb7", 10, {-1, 6, 7, 7, 8, 6}, 6));
  }
  {
    TTemps& t = AjouterTemps(m1, 8, -2);
    t.Notes[1].Frette = 42;
    t.Notes[6].Frette = 99;
  }

  TMesure& m2 = AjouterMesure(6, 8);
  m2.RenvoiFin = 1;
  m2.NbRenvois = 3;
  m2.Repetition = 1;
  m2.NumRepetition = 2;
  {
    TTemps& t = AjouterTemps(m2, 1, 4);
    t.Notes[1].Frette = 24;
    t.AvecAccord = 1;
    t.Accord.emplace(Accord("G", 7, {3, 3, 0, 0, 2, 3}, 1));
  }
  TMesure& m3 = AjouterMesure(7, 16);
  m3.Repetition = 1;
  m3.NumRepetition = 99;
  AjouterTemps(m3, 7, 2).Notes[1].Frette = 1;
  AjouterMesure(4, 32);  // empty measure

  NbAccordsImprimer = 2;
  AccordsImprimer[1] = std::make_unique<TAccord>(Accord("A", 9, {0, 2, 2, 2, 0, -1}, 1));
  AccordsImprimer[2] = std::make_unique<TAccord>(Accord("Barre", 0, {3, 3, 5, 5, 3, 3}, 3));
  for (int p = 1; p <= 8; ++p)
    for (int m = 1; m <= P.NbMesures; ++m) PreparerTempsSaisiePiste(p, m);
}

struct RepondeurMessages {
  QStringList textes;
  RepondeurMessages() {
    // Each message shows its own key, so the checks below can tell them apart.
    for (const char* cle : {"Fichier-AccesImpossible", "Fichier-Incorrect", "Fichier-VersionAncienne",
                            "MidiExp-EcritureFichierImpossibleEnregAb"})
      DefinirTexteLangue(cle, cle);
    DefinirTexteLangue("Fichier-EcritureImpossible", "Fichier-EcritureImpossible #1: #2");
    InstallerReponseMessage([this](const TDemandeMessage& d) {
      textes << d.Texte;
      return int(ID_OK);
    });
  }
  ~RepondeurMessages() { InstallerReponseMessage({}); }
};

}  // namespace

TEST(SongFile, EmptySongBytes) {
  const QByteArray b = OctetsChansonVide();
  ASSERT_EQ(b.size(), 1216);
  EXPECT_EQ(uint8_t(b[0]), 24);
  EXPECT_EQ(b.mid(1, 24), QByteArray("FICHIER STRUMQUILL v2.21"));
  EXPECT_EQ(uint8_t(b[31]), 101);
  EXPECT_EQ(uint8_t(b[32]), 0);
  EXPECT_EQ(uint8_t(b[133]), 51);
  EXPECT_EQ(uint8_t(b[185]), 101);
  EXPECT_EQ(LireI32(b, 287), 120);
  EXPECT_EQ(LireI32(b, 291), 0);
  EXPECT_EQ(LireI32(b, 295), 0);
  // Tunings: eight six-string blocks of 28 bytes.
  EXPECT_EQ(LireI32(b, 299), 6);
  EXPECT_EQ(LireI32(b, 303), 64);
  EXPECT_EQ(LireI32(b, 323), 40);
  EXPECT_EQ(LireI32(b, 299 + 28), 6);
  EXPECT_EQ(LireI32(b, 523), 1);  // measure count
  // Track block, 71 bytes per track.
  EXPECT_EQ(LireI32(b, 527), 24);
  EXPECT_EQ(LireI32(b, 531), 24);
  EXPECT_EQ(uint8_t(b[535]), 41);
  EXPECT_EQ(LireI32(b, 527 + 7 * 71 + 4), 99);  // percussion frets
  EXPECT_EQ(LireI32(b, 527 + 51), 100);         // volume
  // Solo switch "0" and the solo track.
  EXPECT_EQ(uint8_t(b[1095]), 1);
  EXPECT_EQ(b[1096], '0');
  EXPECT_EQ(LireI32(b, 1101), 0);
  // The 4/4 measure: 107 bytes, then no print chords.
  EXPECT_EQ(uint8_t(b[1105]), 4);
  EXPECT_EQ(uint8_t(b[1106]), 4);
  double d;
  std::memcpy(&d, b.constData() + 1107, 8);
  EXPECT_EQ(d, 4.0);
  EXPECT_EQ(uint8_t(b[1211]), 0);
  EXPECT_EQ(LireI32(b, 1212), 0);
}

TEST(SongFile, FullSongRoundTripIsByteIdentical) {
  ConstruireChansonComplete();
  const QByteArray premier = OctetsPartition();
  ASSERT_TRUE(Lire(premier));
  const QByteArray second = OctetsPartition();
  EXPECT_EQ(premier.size(), second.size());
  EXPECT_TRUE(premier == second);

  const TPartition& P = Partition;
  EXPECT_EQ(P.NbMesures, 4);
  EXPECT_EQ(P.Titre.str(), "Chanson \xE9t\xE9: test/1?");
  EXPECT_EQ(P.NomPiste[1].length(), 40);
  EXPECT_EQ(P.SoloActif, 1);
  EXPECT_EQ(P.PisteSolo, 3);
  EXPECT_EQ(P.DouzeCordes[6], 1);
  EXPECT_EQ(P.NbCordes[2], 4);
  EXPECT_EQ(P.NbPistesBasse, 1);     // track 2 plays a bass
  EXPECT_EQ(P.NbPistesNonBasse, 3);  // tracks 1, 3 and 7
  EXPECT_EQ(P.AvecPercussions, 1);

  const TMesure& m1 = *P.Mesures[1];
  const TTemps& t = m1.Temps[1][1];
  EXPECT_EQ(t.Texte.length(), 40);
  ASSERT_TRUE(t.Accord);
  EXPECT_EQ(t.Accord->Nom.length(), 20);
  EXPECT_EQ(t.Accord->NbBarres, 1);  // computed again from the frets
  EXPECT_EQ(t.Accord->CordeFinBarre[1], 6);
  EXPECT_EQ(t.Accord->Diese, 0);
  EXPECT_EQ(t.Accord->Degres[3], 1);
  EXPECT_EQ(t.Accord->Degres[2], 0);
  ASSERT_TRUE(t.MixTable);
  EXPECT_EQ(t.MixTable->Tempo, 90);
  EXPECT_EQ(t.MixTable->Volume, 0);
  EXPECT_EQ(t.MixTable->Panoramique, -1);
  EXPECT_EQ(t.MixTable->Instrument, 127);
  EXPECT_EQ(t.Notes[4].Frette, FRETTE_AUCUNE);
  EXPECT_EQ(t.Notes[4].FretteGrace, 7);
  EXPECT_EQ(t.Notes[1].Bend, 1.5);
  EXPECT_EQ(t.Notes[2].Frette, FRETTE_MORTE);
  EXPECT_EQ(m1.Temps[1][4].CoupVibrato, 2.5);
  EXPECT_EQ(m1.Temps[2][3].PlaceTriolet, 3);
  // Rests and tied beats keep no notes.
  EXPECT_EQ(m1.Temps[3][2].Notes[1].Frette, FRETTE_AUCUNE);
  EXPECT_EQ(m1.Temps[3][3].Notes[2].Frette, FRETTE_AUCUNE);
  // A chord without a diagram comes back as the default one.
  EXPECT_EQ(m1.Temps[3][1].Accord->FretteBase, 1);
  EXPECT_EQ(m1.Temps[3][1].Accord->Fondamentale, 12);
  EXPECT_EQ(m1.Temps[3][3].Accord->FretteBase, 6);
  EXPECT_EQ(P.Mesures[2]->NbRenvois, 3);
  EXPECT_EQ(P.Mesures[2]->NumRepetition, 2);
  EXPECT_EQ(P.Mesures[4]->Denominateur, 32);
  EXPECT_EQ(P.Mesures[1]->NumRepetition, 1);
  ASSERT_EQ(NbAccordsImprimer, 2);
  EXPECT_EQ(AccordsImprimer[2]->NbBarres, 1);
  EXPECT_EQ(AccordsImprimer[2]->FretteBarre[1], 3);
  // The entry slot behind the last beat is prepared.
  EXPECT_EQ(m1.Temps[1][11].Duree, 480);
}

TEST(SongFile, MasksAndOptionalParts) {
  NouvellePartition();
  Partition.NbCordes[1] = 4;
  TTemps& t = AjouterTemps(*Partition.Mesures[1], 1);
  t.Notes[1].Frette = 5;
  t.Notes[1].Effet = 1;
  t.Notes[4].FretteGrace = 2;
  t.MixTable.emplace().Tempo = 200;
  const QByteArray b = OctetsPartition();
  // Measure at 299 + 20 + 7*28 + 4 + 568 + 10, beats after its 107 bytes.
  const int beat = 299 + 20 + 7 * 28 + 4 + 568 + 10 + 107;
  EXPECT_EQ(LireI32(b, beat), 480);
  EXPECT_EQ(uint8_t(b[beat + 5]), 0);  // flags A
  EXPECT_EQ(uint8_t(b[beat + 6]), 2);  // flags B: a mix-table change
  EXPECT_EQ(uint8_t(b[beat + 7]), 32); // only the tempo
  EXPECT_EQ(LireI32(b, beat + 8), 200);
  EXPECT_EQ(uint8_t(b[beat + 12]), 0);
  EXPECT_EQ(uint8_t(b[beat + 13]), 8);  // note mask: string 1 is bit 3
  EXPECT_EQ(uint8_t(b[beat + 14]), 8);  // effect mask
  EXPECT_EQ(uint8_t(b[beat + 15]), 1);  // grace mask: string 4 is bit 0
  EXPECT_EQ(uint8_t(b[beat + 16]), 5);
  EXPECT_EQ(uint8_t(b[beat + 17]), 6);
  EXPECT_EQ(uint8_t(b[beat + 18]), 1);
  EXPECT_EQ(uint8_t(b[beat + 19]), 2);
  ASSERT_TRUE(Lire(b));
  const cTableMixEvent& mix = *Partition.Mesures[1]->Temps[1][1].MixTable;
  EXPECT_EQ(mix.Tempo, 200);
  EXPECT_EQ(mix.Instrument, -1);
  EXPECT_EQ(mix.Volume, -1);
  EXPECT_EQ(mix.Reverb, -1);
}

TEST(SongFile, ChordWithFretsButNoBaseFretKeepsItsFrets) {
  // A base fret of 0 would be written as "no diagram" with the frets behind it, shifting the rest of
  // the file; the writer gives such a chord the first fret instead.
  NouvellePartition();
  TTemps& t = AjouterTemps(*Partition.Mesures[1], 1);
  t.Notes[1].Frette = 0;
  t.AvecAccord = 1;
  t.Accord.emplace(Accord("E", 4, {0, 0, 1, 2, 2, 0}, 1));
  t.Accord->FretteBase = 0;
  t.Texte = "after";
  ASSERT_TRUE(Lire(OctetsPartition()));
  const TTemps& r = Partition.Mesures[1]->Temps[1][1];
  EXPECT_EQ(r.Accord->FretteBase, 1);
  EXPECT_EQ(r.Accord->Frettes[4], 2);
  EXPECT_EQ(r.Texte.str(), "after");
}

TEST(SongFile, OpenAndSaveThroughFiles) {
  RepondeurMessages messages;
  QTemporaryDir dir;
  ConstruireChansonComplete();
  const QByteArray attendu = OctetsPartition();
  CheminFichier = dir.filePath("song.sqt");
  ASSERT_TRUE(EnregistrerFichier());
  NouvellePartition();
  CheminFichier = dir.filePath("song.sqt");
  ASSERT_TRUE(OuvrirFichier());
  EXPECT_TRUE(OctetsPartition() == attendu);
  EXPECT_EQ(PisteCourante, 1);
  EXPECT_EQ(Curseur.Temps, 1);
  EXPECT_TRUE(messages.textes.isEmpty());

  // A save that runs out of room half-way reports it and leaves the last good file alone. A file
  // size limit makes the write fail whoever runs the test.
  {
    for (int m = 2; m <= 40; ++m) {
      TMesure& M = AjouterMesure(4, 4);
      for (int b = 1; b <= 16; ++b) AjouterTemps(M, 1, 2).Texte = std::string(40, 'z');
    }
    ASSERT_GT(OctetsPartition().size(), 8192);
    struct rlimit avant;
    getrlimit(RLIMIT_FSIZE, &avant);
    struct rlimit petite = avant;
    petite.rlim_cur = 4096;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &petite), 0);  // SIGXFSZ: ignored by the tests' main, as by the program's
    const bool ecrit = EnregistrerFichier();
    setrlimit(RLIMIT_FSIZE, &avant);
    EXPECT_FALSE(ecrit);
    // The song file and the reason the system gave.
    EXPECT_EQ(messages.textes.value(0),
              "Fichier-EcritureImpossible song.sqt: " + QString::fromLocal8Bit(std::strerror(EFBIG)));
    QFile f(dir.filePath("song.sqt"));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_TRUE(f.readAll() == attendu);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 1);  // no temporary left behind
  }

  messages.textes.clear();
  NouvellePartition();
  CheminFichier = dir.filePath("missing.sqt");
  EXPECT_FALSE(OuvrirFichier());
  EXPECT_EQ(messages.textes.value(0), "Fichier-AccesImpossible");
}

// A song read from a file holds the beats it has (and the input slot after them), not every slot a
// measure could hold; a measure block kept from the song before (measure 1) reads blank where the
// file has nothing.
TEST(SongFile, ReadSongHoldsItsBeatsOnly) {
  OctetsChansonVide();
  struct Cas {
    int mesure, piste, temps;
  } cas[] = {{1, 1, 3}, {2, 1, 8}, {2, 4, 1}, {3, 8, 64}, {3, 2, 0}};
  for (int m = 2; m <= 3; ++m) AjouterMesure(4, 4);
  for (const Cas& c : cas)
    for (int b = 1; b <= c.temps; ++b) AjouterTemps(*Partition.Mesures[c.mesure], c.piste, 4).Notes[2].Frette = int8_t(b % 20);
  const QByteArray octets = OctetsPartition();
  // Measure 1 of the song being replaced is full on every track.
  NouvellePartition();
  for (int p = 1; p <= NB_PISTES; ++p)
    for (int b = 1; b <= NB_TEMPS_MAX; ++b) AjouterTemps(*Partition.Mesures[1], p).Notes[1].Frette = 9;
  QString cle;
  ASSERT_TRUE(LireOctetsPartition(octets, cle)) << cle.toStdString();
  for (int m = 2; m <= 3; ++m)
    for (int p = 1; p <= NB_PISTES; ++p) {
      const TMesure& M = *Partition.Mesures[m];
      int tenus = 0;
      for (int b = 0; b <= NB_SLOTS_TEMPS; ++b) tenus += M.Temps[p].Holds(b) ? 1 : 0;
      EXPECT_LE(tenus, M.NbTemps[p] + 1) << m << " " << p;
    }
  for (const Cas& c : cas) EXPECT_EQ(Partition.Mesures[c.mesure]->NbTemps[c.piste], c.temps);
  const TMesure& m1 = *Partition.Mesures[1];
  EXPECT_EQ(m1.Temps[1][4].Notes[1].Frette, FRETTE_AUCUNE);
  EXPECT_EQ(m1.Temps[5][1].Notes[1].Frette, FRETTE_AUCUNE);
  EXPECT_EQ(m1.Temps[1][2].Notes[1].Frette, FRETTE_AUCUNE);
  EXPECT_EQ(m1.Temps[1][2].Notes[2].Frette, 2);
  EXPECT_TRUE(OctetsPartition() == octets);
}

// ---- older versions ----

namespace {

Octets EnteteAncien(const char* sig, int version) {
  Octets o;
  o.signature(sig);
  o.u8(101).champ("Old", 100).u8(51).champ("Me", 50).u8(101).champ("", 100);
  o.i32(90);
  if (version >= 101) o.i32(1);
  if (version >= 103) o.i32(2);
  return o;
}

}  // namespace

TEST(SongFileOld, Version100OneTrackWith96PerQuarter) {
  Octets o = EnteteAncien("FICHIER STRUMQUILLE v1", 100);
  o.i32(6);
  for (int p : {64, 59, 55, 50, 45, 38}) o.i32(p);
  o.i32(1);   // measures
  o.i32(25);  // instrument of track 1
  o.u8(4).u8(4).f64(4.0).i32(2).f64(1.5);
  o.u8(0);
  o.i32(96).u8(0).u8(0).u8(0b100001).u8(0b100000).u8(3).u8(1).u8(7);  // quarter: hammer-on on string 1
  o.i32(48).u8(1).u8(8);                                             // eighth rest
  ASSERT_TRUE(Lire(o.b));
  const TPartition& P = Partition;
  EXPECT_EQ(P.Titre.str(), "Old");
  EXPECT_EQ(P.TripletFeel, 0);
  EXPECT_EQ(P.Instrument[1], 25);
  EXPECT_EQ(P.Accordage[1][6], 38);
  EXPECT_EQ(P.Accordage[2][6], 40);  // other tracks keep the new song's settings
  const TMesure& m = *P.Mesures[1];
  EXPECT_EQ(m.NbTemps[1], 2);
  EXPECT_EQ(m.Temps[1][1].Duree, 480);
  EXPECT_EQ(m.Temps[1][2].Duree, 240);
  EXPECT_EQ(m.Temps[1][2].Silence, 1);
  EXPECT_EQ(m.Temps[1][1].Notes[1].Frette, 3);
  EXPECT_EQ(m.Temps[1][1].Notes[1].Effet, 1);
  EXPECT_EQ(m.Temps[1][1].Notes[1].Nuance, 6);
  EXPECT_EQ(m.Temps[1][1].Notes[6].Frette, 7);
  for (int p = 2; p <= 8; ++p) EXPECT_EQ(m.NbTemps[p], 0);
  EXPECT_EQ(NbAccordsImprimer, 0);
}

TEST(SongFileOld, Versions101And102) {
  for (int version : {101, 102}) {
    Octets o = EnteteAncien(version == 101 ? "FICHIER STRUMQUILLE v1.01" : "FICHIER STRUMQUILLE v1.02", version);
    o.i32(4);
    for (int p : {43, 38, 33, 28}) o.i32(p);
    o.i32(1).i32(33);
    o.u8(4).u8(4).f64(4.0).i32(1).f64(1.0).u8(0);
    o.i32(version == 101 ? 96 : 480).u8(0).u8(0).u8(0b0001).u8(0).u8(5);
    ASSERT_TRUE(Lire(o.b)) << version;
    EXPECT_EQ(Partition.TripletFeel, 1);
    EXPECT_EQ(Partition.NbCordes[1], 4);
    EXPECT_EQ(Partition.Mesures[1]->Temps[1][1].Duree, 480) << version;
    EXPECT_EQ(Partition.Mesures[1]->Temps[1][1].Notes[4].Frette, 5);
  }
}

namespace {

// Version 1.03 / 1.04 body: all eight tracks, two masks, no dynamics, no flags B.
Octets Fichier10x(int version) {
  Octets o = EnteteAncien(version == 103 ? "FICHIER STRUMQUILLE v1.03" : "FICHIER STRUMQUILLE v1.04", version);
  for (int p = 1; p <= 8; ++p) {
    o.i32(6);
    for (int h : {64, 59, 55, 50, 45, 40}) o.i32(h);
  }
  o.i32(1);
  for (int p = 1; p <= 8; ++p) {
    o.i32(p == 4 ? 35 : 24).i32(24).u8(41).champ("piste", 40).u8(p == 2 ? 2 : 0);
    o.i32(100).i32(64).i32(0).i32(0).i32(0);
  }
  o.champ("1", 5).i32(2);
  o.u8(4).u8(4).f64(4.0);
  for (int p = 1; p <= 8; ++p) o.i32(p == 4 ? 1 : 0).f64(p == 4 ? 1.0 : 0.0);
  o.u8(0);
  o.i32(480).u8(0).u8(0b011);  // text and chord
  if (version == 103) {
    o.u8(99).champ("Am", 10);         // chord: count byte then a 10-character field
    o.u8(7).champ("old text", 40);    // annotation: count byte then the 41-byte field
  } else {
    o.texte("Am").u8(1).i32(9).i32(4).i32(0).i32(-1).i32(0).i32(0).i32(0).i32(0).i32(0);
    o.i32(1);
    for (int f : {0, 1, 2, 2, 0, -1}) o.i32(f);
    o.texte("new text");
  }
  o.u8(0b000001).u8(0b000001);  // note on string 6 with an effect
  o.u8(2).u8(5);                 // fret 2, effect 5 (bend)
  o.f64(1.0);
  if (version == 104) {
    o.i32(1);
    o.texte("E").u8(1).i32(12).i32(0);
  }
  return o;
}

}  // namespace

TEST(SongFileOld, Versions103And104ChordsAndTexts) {
  ASSERT_TRUE(Lire(Fichier10x(103).b));
  const TPartition& P = Partition;
  EXPECT_EQ(P.Armure, 2);
  EXPECT_EQ(P.Muette[2], 1);
  EXPECT_EQ(P.SoloActif, 1);
  EXPECT_EQ(P.PisteSolo, 2);
  EXPECT_EQ(P.NbPistesBasse, 1);
  const TTemps& t = P.Mesures[1]->Temps[4][1];
  ASSERT_TRUE(t.Accord);
  EXPECT_EQ(t.Accord->Nom.str(), "Am");
  EXPECT_EQ(t.Accord->Fondamentale, 12);  // the rest is the default chord
  EXPECT_EQ(t.Accord->Frettes[1], -1);
  EXPECT_EQ(t.Texte.str(), "old text");
  EXPECT_EQ(t.Notes[6].Frette, 2);
  EXPECT_EQ(t.Notes[6].Effet, 5);
  EXPECT_EQ(t.Notes[6].Nuance, 6);
  EXPECT_EQ(NbAccordsImprimer, 0);

  ASSERT_TRUE(Lire(Fichier10x(104).b));
  const TTemps& u = Partition.Mesures[1]->Temps[4][1];
  EXPECT_EQ(u.Accord->Fondamentale, 9);
  EXPECT_EQ(u.Accord->Typ, 4);
  EXPECT_EQ(u.Accord->Basse, -1);
  EXPECT_EQ(u.Accord->Frettes[3], 2);
  EXPECT_EQ(u.Texte.str(), "new text");
  EXPECT_EQ(u.Notes[6].Nuance, 6);
  EXPECT_EQ(u.Notes[6].FretteGrace, FRETTE_AUCUNE);
  ASSERT_EQ(NbAccordsImprimer, 1);
  EXPECT_EQ(AccordsImprimer[1]->Nom.str(), "E");
}

TEST(SongFileOld, Version220ReadsAsCurrentAndSavesAs221) {
  ConstruireChansonComplete();
  const QByteArray courant = OctetsPartition();
  QByteArray ancien = courant;
  ancien.replace(1, 24, "FICHIER STRUMQUILL v2.20");
  ASSERT_TRUE(Lire(ancien));
  EXPECT_TRUE(OctetsPartition() == courant);
}

TEST(SongFileOld, UnknownSignatures) {
  QString cle;
  QByteArray b = OctetsChansonVide();
  QByteArray v = b;
  v.replace(0, 26, QByteArray("\x19" "FICHIER STRUMQUILLE v1.05"));
  EXPECT_FALSE(Lire(v, &cle));
  EXPECT_EQ(cle, "Fichier-VersionAncienne");
  v = b;
  v[0] = 23;  // a known text with a wrong length byte
  EXPECT_FALSE(Lire(v, &cle));
  EXPECT_EQ(cle, "Fichier-Incorrect");
  EXPECT_FALSE(Lire(QByteArray("MThd\0\0\0\6", 8), &cle));
  EXPECT_EQ(cle, "Fichier-Incorrect");
  EXPECT_EQ(VersionSignature(Octets().signature("FICHIER STRUMQUILLE v1.02").b), 102);
}

// ---- bad input ----

TEST(SongFileBad, OutOfRangeValuesAreRefused) {
  const QByteArray vide = OctetsChansonVide();
  auto refuse = [](const QByteArray& b) {
    QString cle;
    bool ok = Lire(b, &cle);
    return !ok && cle == "Fichier-Incorrect";
  };
  auto patch = [&](int pos, int32_t v) {
    QByteArray b = vide;
    PoserI32(b, pos, v);
    return b;
  };
  QByteArray b = vide;
  b[31] = char(102);  // title count above its field
  EXPECT_TRUE(refuse(b));
  b = vide;
  b[32] = char(101);  // title length byte above its capacity
  EXPECT_TRUE(refuse(b));
  EXPECT_TRUE(refuse(patch(523, 1001)));  // measures
  EXPECT_TRUE(refuse(patch(523, 0)));
  EXPECT_TRUE(refuse(patch(523, 2)));     // more measures than the file holds
  EXPECT_TRUE(refuse(patch(299, 3)));     // strings
  EXPECT_TRUE(refuse(patch(299, 7)));
  EXPECT_TRUE(refuse(patch(287, 0)));     // tempo
  EXPECT_TRUE(refuse(patch(1212, 51)));   // print chords
  EXPECT_TRUE(refuse(patch(1115, 67)));   // beats in a track past the format's 66 slots
  b = vide;
  b[1095] = char(6);  // solo switch length
  EXPECT_TRUE(refuse(b));
  b = vide;
  b[1106] = char(3);  // denominator
  EXPECT_TRUE(refuse(b));
  b = vide;
  const double nan = std::nan("");
  std::memcpy(b.data() + 1107, &nan, 8);  // measure length
  EXPECT_TRUE(refuse(b));
  b = vide;
  const double inf = INFINITY;
  std::memcpy(b.data() + 1119, &inf, 8);  // filled length
  EXPECT_TRUE(refuse(b));

  // A repeat-close bar with a count of 0 is played as with 1: read as 1, not refused. Past 99 it is.
  {
    b = vide;
    b[1211] = char(2);  // measure flags: repeat close
    b.insert(1212, char(0));
    QString cle;
    ASSERT_TRUE(Lire(b, &cle)) << qPrintable(cle);
    EXPECT_EQ(Partition.Mesures[1]->RenvoiFin, 1);
    EXPECT_EQ(Partition.Mesures[1]->NbRenvois, 1);
    b[1212] = char(100);
    EXPECT_TRUE(refuse(b));
  }

  auto refuseChanson = [&](auto modifier) {
    NouvellePartition();
    TTemps& t = AjouterTemps(*Partition.Mesures[1], 1);
    t.Notes[1].Frette = 3;
    modifier(t);
    return refuse(OctetsPartition());
  };
  EXPECT_FALSE(refuseChanson([](TTemps&) {}));
  EXPECT_TRUE(refuseChanson([](TTemps& t) { t.Brush = 1; t.VitesseBrush = 0; }));
  EXPECT_TRUE(refuseChanson([](TTemps& t) { t.Notes[1].Effet = 5; t.Notes[1].Bend = 0; }));
  EXPECT_TRUE(refuseChanson([](TTemps& t) { t.Notes[1].Effet = 6; t.Notes[1].Bend = INFINITY; }));
  EXPECT_TRUE(refuseChanson([](TTemps& t) { t.Notes[1].Nuance = 9; }));
  EXPECT_TRUE(refuseChanson([](TTemps& t) { t.Notes[1].Effet = 8; }));
  EXPECT_TRUE(refuseChanson([](TTemps& t) { t.Notes[1].Frette = 101; }));
  EXPECT_TRUE(refuseChanson([](TTemps& t) { t.Duree = 0; }));
  EXPECT_TRUE(refuseChanson([](TTemps& t) { t.CodeDuree = 5; }));
  EXPECT_TRUE(refuseChanson([](TTemps& t) { t.EffetTemps = 3; t.CoupVibrato = std::nan(""); }));
  EXPECT_TRUE(refuseChanson([](TTemps& t) { t.Triolet = 1; t.PlaceTriolet = 4; }));
  EXPECT_TRUE(refuseChanson([](TTemps& t) { t.MixTable.emplace().Tempo = 0; }));
  EXPECT_TRUE(refuseChanson([](TTemps& t) {
    t.AvecAccord = 1;
    t.Accord.emplace(Accord("X", 3, {1, 1, 1, 1, 1, 1}, 1));
    t.Accord->Typ = 15;
  }));
  EXPECT_TRUE(refuseChanson([](TTemps& t) {
    t.AvecAccord = 1;
    t.Accord.emplace(Accord("X", 3, {1, 1, 1, 1, 1, 100}, 1));
  }));
}

TEST(SongFileBad, RefusedFileLeavesANewEmptySong) {
  RepondeurMessages messages;
  QTemporaryDir dir;
  ConstruireChansonComplete();
  QByteArray b = OctetsPartition();
  const QByteArray vide = OctetsChansonVide();
  b.chop(3);  // cut inside the last print chord: everything before it reads
  QFile f(dir.filePath("cut.sqt"));
  ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  f.write(b);
  f.close();
  NouvellePartition();
  Modifie = 1;
  CheminFichier = f.fileName();
  EXPECT_FALSE(OuvrirFichier());
  EXPECT_EQ(messages.textes.value(0), "Fichier-Incorrect");
  EXPECT_TRUE(OctetsPartition() == vide);
  EXPECT_EQ(Partition.Mesures[1]->NbTemps[1], 0);
  EXPECT_EQ(Partition.Mesures[1]->DureeRemplie[1], 0.0);
  EXPECT_FALSE(Partition.Mesures[2]);
  EXPECT_EQ(NbAccordsImprimer, 0);
  EXPECT_EQ(Modifie, 0);
  // The file is closed again: it can be removed and rewritten at once.
  EXPECT_TRUE(QFile::remove(f.fileName()));
}

TEST(SongFileBad, EveryTruncationIsRefused) {
  ConstruireChansonComplete();
  const QByteArray b = OctetsPartition();
  for (int n = 0; n < b.size(); ++n) {
    QString cle;
    ASSERT_FALSE(Lire(b.left(n), &cle)) << n;
    ASSERT_EQ(cle, "Fichier-Incorrect") << n;
  }
  EXPECT_TRUE(Lire(b));
}

TEST(SongFileBad, RandomMutationsLoadOrAreRefused) {
  ConstruireChansonComplete();
  const QByteArray b = OctetsPartition();
  std::mt19937 rng(20261209);
  int lus = 0;
  for (int i = 0; i < 3000; ++i) {
    QByteArray m = b;
    const int n = 1 + int(rng() % 4);
    for (int k = 0; k < n; ++k) {
      const int pos = 31 + int(rng() % uint32_t(m.size() - 31));
      switch (rng() % 3) {
        case 0: m[pos] = char(rng() & 0xFF); break;
        case 1: m[pos] = char(uint8_t(m[pos]) ^ (1u << (rng() % 8))); break;
        default: m[pos] = char(0xFF); break;
      }
    }
    QString cle;
    if (Lire(m, &cle)) {
      ++lus;
      const QByteArray r = OctetsPartition();  // whatever was read can be written again
      EXPECT_TRUE(Lire(r)) << i;
    } else {
      EXPECT_FALSE(cle.isEmpty());
    }
  }
  EXPECT_GT(lus, 0);
}

TEST(SongFileBad, InsertedDeletedBytesAndOldVersionsLoadOrAreRefused) {
  ConstruireChansonComplete();
  const QByteArray courant = OctetsPartition();
  const QByteArray anciens[] = {courant, Fichier10x(103).b, Fichier10x(104).b};
  std::mt19937 rng(77);
  for (const QByteArray& b : anciens) {
    for (int i = 0; i < 600; ++i) {
      QByteArray m = b;
      const int pos = 31 + int(rng() % uint32_t(m.size() - 31));
      if (i % 3 == 0)
        m.remove(pos, 1 + int(rng() % 8));
      else if (i % 3 == 1)
        m.insert(pos, QByteArray(1 + int(rng() % 8), char(rng() & 0xFF)));
      else
        m[pos] = char(rng() & 0xFF);
      QString cle;
      if (Lire(m, &cle))
        EXPECT_TRUE(Lire(OctetsPartition())) << i;
      else
        EXPECT_FALSE(cle.isEmpty());
    }
  }
}

// A song far bigger than the window in which the file is read: the records that straddle the
// window's edges read back whole, and a file cut anywhere is refused, through real files.
TEST(SongFileBad, BigFileReadThroughWindowsAndCutAnywhere) {
  RepondeurMessages messages;
  QTemporaryDir dir;
  ConstruireChansonComplete();
  for (int m = Partition.NbMesures + 1; m <= NB_MESURES_MAX; ++m) {
    TMesure& M = AjouterMesure(4, 4);
    for (int b = 1; b <= 24; ++b) {
      TTemps& t = AjouterTemps(M, 1 + (m + b) % NB_PISTES, 2);
      t.Texte = std::string(1 + (m * 7 + b) % 40, char('a' + b));
      for (int s = 1; s <= 4; ++s) t.Notes[s].Frette = int8_t((m + s) % 20);
    }
  }
  const QByteArray attendu = OctetsPartition();
  ASSERT_GT(attendu.size(), 3 * (1 << 18));
  CheminFichier = dir.filePath("big.sqt");
  ASSERT_TRUE(EnregistrerFichier());
  QFile f(CheminFichier);
  ASSERT_TRUE(f.open(QIODevice::ReadOnly));
  EXPECT_TRUE(f.readAll() == attendu);
  f.close();
  NouvellePartition();
  CheminFichier = dir.filePath("big.sqt");
  ASSERT_TRUE(OuvrirFichier());
  EXPECT_TRUE(OctetsPartition() == attendu);

  std::mt19937 rng(4101);
  std::vector<int> coupes = {31, (1 << 18) - 1, 1 << 18, (1 << 18) + 1, int(attendu.size()) - 1};
  for (int i = 0; i < 12; ++i) coupes.push_back(31 + int(rng() % uint32_t(attendu.size() - 31)));
  for (int n : coupes) {
    QFile c(dir.filePath("cut.sqt"));
    ASSERT_TRUE(c.open(QIODevice::WriteOnly));
    c.write(attendu.left(n));
    c.close();
    messages.textes.clear();
    NouvellePartition();
    CheminFichier = c.fileName();
    EXPECT_FALSE(OuvrirFichier()) << n;
    EXPECT_EQ(messages.textes.value(0), "Fichier-Incorrect") << n;
    EXPECT_FALSE(Partition.Mesures[2]) << n;
  }
}

// Counts beyond their tables (a measure count past the allocated blocks, a chord-list count past
// its table) are written as the tables hold them, and the file reads back.
TEST(SongFileBad, WriterKeepsCountsInsideTheirTables) {
  OctetsChansonVide();
  Partition.NbMesures = 3;  // measures 2 and 3 were never allocated
  NbAccordsImprimer = NB_ACCORDS_IMPRIMER_MAX + 5;
  for (int i = 1; i <= NB_ACCORDS_IMPRIMER_MAX; ++i) AccordsImprimer[i] = std::make_unique<TAccord>();
  const QByteArray b = OctetsPartition();
  NbAccordsImprimer = NB_ACCORDS_IMPRIMER_MAX;
  ASSERT_TRUE(Lire(b));
  EXPECT_EQ(Partition.NbMesures, 3);
  EXPECT_EQ(Partition.Mesures[3]->Numerateur, 4);
  EXPECT_EQ(Partition.Mesures[3]->NbTemps[1], 0);
  EXPECT_EQ(NbAccordsImprimer, NB_ACCORDS_IMPRIMER_MAX);
}

// Older writers filled a track of a measure up to the format's 66 beats: the song opens with the
// 64 the model holds, and a message says what was left out.
TEST(SongFileBad, BeatsPastTheModelAreLeftOutAndSaid) {
  QTemporaryDir dir;
  for (int extra : {1, 2}) {
    RepondeurMessages messages;
    DefinirTexteLangue("Fichier-TempsAbandonnes", "dropped #1 from #2");
    OctetsChansonVide();
    TMesure& M = *Partition.Mesures[1];
    for (int b = 1; b <= NB_TEMPS_MAX; ++b) AjouterTemps(M, 1, 4).Silence = 1;  // rests of 30 ticks
    QByteArray b = OctetsPartition();
    // Each rest record is 7 bytes; track 1's beats follow the measure flags at 1211.
    PoserI32(b, 1115, NB_TEMPS_MAX + extra);
    double rempli = M.DureeRemplie[1] + extra * 30 / 480.0;
    std::memcpy(b.data() + 1119, &rempli, 8);
    for (int i = 0; i < extra; ++i) b.insert(1212 + NB_TEMPS_MAX * 7, b.mid(1212, 7));
    QFile f(dir.filePath("long.sqt"));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(b);
    f.close();
    NouvellePartition();
    CheminFichier = f.fileName();
    ASSERT_TRUE(OuvrirFichier());
    EXPECT_EQ(messages.textes, QStringList{QString("dropped %1 from 1").arg(extra)});
    EXPECT_EQ(Partition.Mesures[1]->NbTemps[1], NB_TEMPS_MAX);
    EXPECT_DOUBLE_EQ(Partition.Mesures[1]->DureeRemplie[1], 4.0);
    EXPECT_EQ(Partition.Mesures[1]->Temps[1][NB_TEMPS_MAX + 2].Silence, 0);  // no rest left behind
  }
}
