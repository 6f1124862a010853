// The Standard MIDI File reader: numbers, headers, the conductor, the sources and the note list.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "midi/ImportMIDI.h"
#include "midi/ImportSMF.h"
#include "smf_outils.h"

namespace {

EErreurMIDI Analyser(const QByteArray& b, TFichierMIDI& f) { return AnalyserFichierMIDI(b, f, "Track", "not named"); }

std::vector<std::pair<int, double>> Liste(const TListeNotesImport& l) {
  std::vector<std::pair<int, double>> r;
  for (const auto& e : l.Notes) r.push_back({e.Hauteur, e.Duree});
  return r;
}

}  // namespace

TEST(ImportSMF, NombresVariables) {
  const struct {
    std::vector<uint8_t> octets;
    bool ok;
    int32_t valeur;
    int nb;
  } cas[] = {{{0x00}, true, 0, 1},
             {{0x7F}, true, 127, 1},
             {{0x81, 0x00}, true, 128, 2},
             {{0xC0, 0x80, 0x00}, true, 1 << 20, 3},
             {{0xFF, 0xFF, 0xFF, 0x7F}, true, 268435455, 4},
             {{0xFF, 0xFF, 0xFF, 0xFF, 0x7F}, false, 0, 0},  // five bytes: not a MIDI number
             {{0x81}, false, 0, 0}};                          // runs past the end
  for (const auto& c : cas) {
    const uint8_t* p = c.octets.data() + 1;
    int32_t v = -1;
    int n = 0;
    const bool ok = LireNombreVariable(c.octets[0], p, c.octets.data() + c.octets.size(), v, n);
    EXPECT_EQ(ok, c.ok);
    if (c.ok) {
      EXPECT_EQ(v, c.valeur);
      EXPECT_EQ(n, c.nb);
      EXPECT_EQ(p, c.octets.data() + c.octets.size());
    }
  }
}

TEST(ImportSMF, EntetesRefusees) {
  smf::Piste p;
  p.On(0, 60).Off(480, 60).Fin();
  const QByteArray bon = smf::Fichier(1, 480, {smf::Piste().Fin(), p});
  auto avec = [&](int i, char c) {
    QByteArray b = bon;
    b[i] = c;
    return b;
  };
  const struct {
    QByteArray octets;
    EErreurMIDI attendu;
  } cas[] = {{bon, EErreurMIDI::Aucune},
             {avec(9, 2), EErreurMIDI::NonReconnu},                   // format 2
             {avec(12, 0).replace(13, 1, QByteArray(1, 0)), EErreurMIDI::NonReconnu},  // division 0
             {avec(12, char(0xE7)), EErreurMIDI::NonReconnu},         // SMPTE time base
             {avec(3, 'x'), EErreurMIDI::NonReconnu},
             {avec(7, 7), EErreurMIDI::NonReconnu},                   // header of another length
             {bon.left(13), EErreurMIDI::NonReconnu},
             {bon.left(14), EErreurMIDI::NonReconnu}};                // no track at all
  for (const auto& c : cas) {
    TFichierMIDI f;
    EXPECT_EQ(Analyser(c.octets, f), c.attendu);
  }
}

TEST(ImportSMF, ConducteurEtSources) {
  smf::Piste c;
  c.Tempo(0, 0).Tempo(0, 400000).Tempo(0, 1000000).Signature(0, 0, 2).Signature(0, 6, 6).Signature(0, 6, 3);
  c.Evt(10, {0x90, 60, 1}).Signature(1910, 3, 2).Fin();  // a note in the conductor does not upset its reading
  smf::Piste nommee, anonyme;
  nommee.Evt(0, {0xC0, 33}).Nom(0, "Bass").Evt(0, {0xC0, 34}).Evt(0, {0xC0, 35}).On(0, 40).Off(480, 40).Fin();
  anonyme.On(0, 60).Fin();
  TFichierMIDI f;
  ASSERT_EQ(Analyser(smf::Fichier(1, 480, {c, nommee, anonyme}), f), EErreurMIDI::Aucune);
  EXPECT_EQ(f.Tempo, 150);  // the zero tempo is no tempo; the first real one counts
  ASSERT_EQ(f.Signatures.size(), 2u);
  EXPECT_EQ(f.Signatures[0].Numerateur, 6);
  EXPECT_EQ(f.Signatures[0].Exposant, 3);
  EXPECT_EQ(f.Signatures[1].Tick, 1920);
  ASSERT_EQ(f.Sources.size(), 2u);
  EXPECT_EQ(f.Sources[0].Texte, "Bass");
  EXPECT_EQ(f.Sources[0].Programme, 34);
  EXPECT_EQ(f.Sources[1].Texte, "Track 02");
  EXPECT_EQ(f.Sources[1].Programme, 24);

  // Format 0: one source per channel with notes, running status included.
  smf::Piste u;
  u.Tempo(0, 1).Evt(0, {0xC9, 5}).On(0, 36, 9).Evt(0, {38, 90}).Evt(0, {0xC2, 40}).On(0, 50, 2).Off(480, 50, 2).Fin();
  ASSERT_EQ(Analyser(smf::Fichier(0, 96, {u}), f), EErreurMIDI::Aucune);
  EXPECT_EQ(f.Tempo, 999);
  ASSERT_EQ(f.Sources.size(), 2u);
  EXPECT_EQ(f.Sources[0].Texte, "Track 03 : not named");
  EXPECT_EQ(f.Sources[0].Programme, 40);
  EXPECT_EQ(f.Sources[1].Texte, "Track 10 : not named");
  EXPECT_EQ(f.Sources[1].Canal, 10);
}

TEST(ImportSMF, ListeDeNotes) {
  smf::Piste a;  // a rest first, a chord, a note-on of velocity 0 as note-off
  a.On(240, 60).On(0, 64).On(0, 67).Off(480, 60).Off(0, 64).Evt(0, {0x90, 67, 0}).On(240, 72).Off(480, 72).Fin();
  smf::Piste b;  // back-to-back chords: the closing rest only
  b.On(0, 60).On(0, 64).Off(480, 60).Off(0, 64).On(0, 62).On(0, 65).Off(480, 62).Off(0, 65).Fin();
  smf::Piste c;  // an octave lower: keys below 12 leave no entry at all
  c.On(0, 5).On(0, 40).Off(480, 5).Off(0, 40).Fin();
  smf::Piste d;  // channel pressure, one data byte, then again under running status
  d.On(0, 60).Evt(0, {0xD0, 64}).Evt(120, {32}).Off(360, 60).Fin();
  using L = std::vector<std::pair<int, double>>;
  const struct {
    smf::Piste piste;
    int decalage;
    L attendu;
  } cas[] = {{a, 0, L{{-1, 0.5}, {60, 0}, {64, 0}, {67, 1}, {-1, 0.5}, {72, 1}, {-1, 0}}},
             {b, 0, L{{60, 0}, {64, 1}, {62, 0}, {65, 1}, {-1, 0}}},
             {c, 12, L{{28, 1}, {-1, 0}}},
             {d, 0, L{{60, 1}, {-1, 0}}}};
  for (const auto& k : cas) {
    TFichierMIDI f;
    ASSERT_EQ(Analyser(smf::Fichier(1, 480, {smf::Piste().Fin(), k.piste}), f), EErreurMIDI::Aucune);
    TListeNotesImport l;
    ASSERT_TRUE(LireSourceMIDI(f, f.Sources[0], k.decalage, l));
    EXPECT_EQ(Liste(l), k.attendu);
    EXPECT_FALSE(l.Tronquee);
  }
}

// The bar follows the bytes read, event by event, in the scan of a format-0 file, of a format-1
// file's track (even its only one) and of a format-1 file that is its conductor alone, and in the
// reading of a chosen source.
TEST(ImportSMF, ProgressionParEvenement) {
  smf::Piste a;
  for (int k = 0; k < 40; ++k) a.On(0, 40 + k, 2).Off(120, 40 + k, 2);
  a.Fin();
  const struct {
    int format;
    std::vector<smf::Piste> pistes;
  } cas[] = {{0, {a}}, {1, {smf::Piste().Fin(), a}}, {1, {a}}};
  for (const auto& k : cas) {
    SCOPED_TRACE(k.pistes.size());
    TFichierMIDI f;
    std::vector<int> v[2];
    ASSERT_EQ(AnalyserFichierMIDI(smf::Fichier(k.format, 480, k.pistes), f, "T", "-", [&v](int x) { v[0].push_back(x); }),
              EErreurMIDI::Aucune);
    if (!f.Sources.empty()) {
      TListeNotesImport l;
      ASSERT_TRUE(LireSourceMIDI(f, f.Sources[0], 0, l, [&v](int x) { v[1].push_back(x); }));
    }
    for (const std::vector<int>& p : v) {
      if (p.empty()) continue;
      // 80 notes and the end of the track, 4 bytes each (a format-1 track's scan closes with a full bar)
      ASSERT_GE(p.size(), 81u);
      EXPECT_EQ((std::vector<int>{p[40], p[80], p.back()}), (std::vector<int>{14, 28, 28}));
      EXPECT_TRUE(std::is_sorted(p.begin(), p.end()));
    }
  }
}

TEST(ImportSMF, PlafondDeLaListe) {
  TFichierMIDI f;
  ASSERT_EQ(Analyser(smf::Accords(6000, 4, 240), f), EErreurMIDI::Aucune);
  TListeNotesImport l;
  ASSERT_TRUE(LireSourceMIDI(f, f.Sources[0], 0, l));
  EXPECT_TRUE(l.Tronquee);
  EXPECT_LE(l.Notes.size(), size_t(NB_NOTES_IMPORT_MAX));
  EXPECT_GE(l.Notes.size(), size_t(NB_NOTES_IMPORT_MAX - 4));
}

// Every truncation and a few thousand seeded mutations: refused or read, never a crash, an
// endless loop or a list past its cap.
TEST(ImportSMF, Fuzz) {
  smf::Piste c;
  c.Tempo(0, 500000).Signature(0, 4, 2).Signature(1920, 3, 3).Fin();
  smf::Piste p;
  p.Nom(0, "Lead").Evt(0, {0xC0, 30}).On(0, 60).On(0, 64).Off(480, 60).Evt(0, {64, 0}).Evt(0, {0xF0, 2, 1, 0xF7});
  p.On(120, 70).Evt(0, {0xB0, 7, 100}).Off(360, 70).Fin();
  const QByteArray base = smf::Fichier(1, 480, {c, p});
  const QByteArray zero = smf::Fichier(0, 96, {p});
  // Now and then the whole import: cut into measures and fingered on a guitar and the drum track.
  auto lire = [](const QByteArray& b, bool complet) {
    TFichierMIDI f;
    if (Analyser(b, f) != EErreurMIDI::Aucune) return;
    for (const TSourceMIDI& s : f.Sources) {
      TListeNotesImport l;
      if (LireSourceMIDI(f, s, 12, l)) {
        EXPECT_LE(l.Notes.size(), size_t(NB_NOTES_IMPORT_MAX));
      }
    }
    if (!complet || f.Sources.empty()) return;
    auto p = std::make_unique<TPartition>();
    PartitionImportVide(*p, "Drums");
    AppliquerConducteur(*p, f);
    TProprietesTempo w;
    ProprietesImportDepuis(*p, w);
    w.PisteSource[1] = w.PisteSource[PISTE_PERCUSSION] = 1;
    TRapportImport r;
    TSuiviImport suivi;
    if (!ConstruireImport(f, w, *p, TPoidsDoigts(), r, suivi)) return;
    ASSERT_LE(p->NbMesures, NB_MESURES_MAX);
    for (int m = 1; m <= p->NbMesures; ++m)
      for (int t : {1, PISTE_PERCUSSION}) {
        ASSERT_LE(p->Mesure(m)->NbTemps[t], NB_TEMPS_MAX);
        for (int b = 1; b <= p->Mesure(m)->NbTemps[t]; ++b)
          for (int c = 1; c <= NB_CORDES_MAX; ++c) {
            const int fr = p->Mesure(m)->Temps[t][b].Notes[c].Frette;
            ASSERT_TRUE(fr == FRETTE_AUCUNE || (fr >= 0 && fr <= FretteMaxPiste[t]));
          }
      }
  };
  for (const QByteArray* b : {&base, &zero})
    for (qsizetype n = 0; n <= b->size(); ++n) lire(b->left(n), true);
  std::mt19937 alea(15);
  for (int k = 0; k < 4000; ++k) {
    QByteArray b = (k % 2 ? base : zero);
    const int nb = 1 + static_cast<int>(alea() % 4);
    for (int i = 0; i < nb; ++i) b[static_cast<qsizetype>(alea() % b.size())] = static_cast<char>(alea() & 0xFF);
    lire(b, k % 8 == 0);
  }
}

// Back-to-back notes: a source of exactly as many notes as the list holds is read whole, its last
// note with its length; one note more is cut.
TEST(ImportSMF, ListeTouteJuste) {
  for (const int n : {NB_NOTES_IMPORT_MAX, NB_NOTES_IMPORT_MAX + 1}) {
    SCOPED_TRACE(n);
    smf::Piste p;
    for (int k = 0; k < n; ++k) p.On(0, 40 + k % 40).Off(240, 40 + k % 40);
    p.Fin();
    TFichierMIDI f;
    ASSERT_EQ(Analyser(smf::Fichier(1, 480, {smf::Piste().Fin(), p}), f), EErreurMIDI::Aucune);
    TListeNotesImport l;
    ASSERT_TRUE(LireSourceMIDI(f, f.Sources[0], 0, l));
    EXPECT_EQ(l.Tronquee, n > NB_NOTES_IMPORT_MAX);
    ASSERT_EQ(l.Notes.size(), size_t(NB_NOTES_IMPORT_MAX));
    EXPECT_EQ(l.Notes.back().Hauteur, 40 + (NB_NOTES_IMPORT_MAX - 1) % 40);
    EXPECT_EQ(l.Notes.back().Duree, 0.5);
  }
}
