#include "midi/ImportMIDI.h"

#include <algorithm>
#include <map>
#include <set>

#include "editor/state/TempsSaisie.h"
#include "platform/Types.h"
#include "song/Accordages.h"
#include "settings/Langue.h"

void PartitionImportVide(TPartition& p, const QString& nomPercussions) {
  p.NbPistes = NB_PISTES;
  p.Titre.clear();
  p.Auteur.clear();
  p.Commentaire.clear();
  p.TripletFeel = 0;
  p.Tempo = -1;
  p.Armure = 0;
  for (int m = 2; m <= NB_MESURES_MAX; ++m) p.Mesures[m].reset();
  p.Mesures[1] = std::make_unique<TMesure>();
  p.NbMesures = 1;
  p.MesureCourante = 1;
  static const int accordage[NB_CORDES_MAX + 1] = {0, 64, 59, 55, 50, 45, 40};
  for (int t = 1; t <= NB_PISTES; ++t) {
    p.NomPiste[t].clear();
    p.Instrument[t] = t == PISTE_PERCUSSION ? 0 : 24;
    p.NbCordes[t] = 6;
    for (int s = 1; s <= NB_CORDES_MAX; ++s) p.Accordage[t][s] = t == PISTE_PERCUSSION ? 0 : accordage[s];
    p.Solo[t] = p.Muette[t] = p.PasExporter[t] = p.DouzeCordes[t] = 0;
    p.Volume[t] = 100;
    p.Panoramique[t] = 64;
    p.Chorus[t] = p.Reverb[t] = p.Capo[t] = 0;
    p.NbFrettes[t] = t == PISTE_PERCUSSION ? 99 : 24;
    InitTempsImport(p, t, 1, 1);
  }
  p.NomPiste[PISTE_PERCUSSION] = QStringToAnsi(nomPercussions);
  p.SoloActif = 0;
  p.PisteSolo = 0;
}

bool AppliquerConducteur(TPartition& p, const TFichierMIDI& f) {
  p.Tempo = f.Tempo;
  return CreerMesuresSignatures(p, f.Signatures, f.Division);
}

void ProprietesImportDepuis(const TPartition& p, TProprietesTempo& c) {
  CopierVersProprietes(p, c);
  for (int t = 1; t <= NB_PISTES; ++t) {
    c.PisteSource[t] = 0;
    c.OctaveInferieure[t] = 0;
    c.Quantification[t] = 4;
  }
}

bool ConstruireImport(const TFichierMIDI& f, const TProprietesTempo& c, TPartition& p, const TPoidsDoigts& poids,
                      TRapportImport& rapport, TSuiviImport& suivi) {
  int total = 0;
  for (int t = 1; t <= NB_PISTES; ++t)
    if (c.PisteSource[t] > 0) ++total;
  int rang = 0;
  bool avecNotes[NB_PISTES + 1] = {};
  const auto progression = [&suivi](int v) { suivi.Progression(v); };
  for (int t = 1; t <= NB_PISTES; ++t) {
    const int source = c.PisteSource[t];
    if (source <= 0) continue;
    if (source > static_cast<int>(f.Sources.size())) return false;
    const QString suffixe = QStringLiteral(" [%1/%2]").arg(++rang).arg(total);
    suivi.Etape(TexteLangue("MidiImp-LecturePiste") + suffixe);
    TListeNotesImport liste;
    if (!LireSourceMIDI(f, f.Sources[static_cast<size_t>(source - 1)], c.OctaveInferieure[t] ? 12 : 0, liste,
                        progression))
      return false;
    if (liste.Tronquee) rapport.PistesNotesTronquees.push_back(t);
    suivi.Etape(TexteLangue("MidiImp-CreationPartition") + suffixe);
    NettoyerFinListeNotes(liste);
    QuantifierListeNotes(liste, c.Quantification[t]);
    // A source without a note leaves its track empty.
    avecNotes[t] = CreerPartitionImport(p, t, liste, rapport, progression);
    // What the octave shift put below the MIDI range is named in the measure where it starts.
    for (const auto& [debut, hauteur] : liste.SousLaPlage) {
      int m = 1;
      for (double fin = p.Mesure(1)->Duree; m < p.NbMesures && Arrondi4(fin) <= Arrondi4(debut);)
        fin += p.Mesure(++m)->Duree;
      rapport.NonPlacees.push_back({t, m, hauteur});
    }
    if (!avecNotes[t]) continue;
    suivi.Etape(TexteLangue("MidiImp-OptimisationPlacementDoigts") + suffixe);
    PlacerDoigts(p, t, poids, &rapport, progression);
  }
  if (p.Tempo < 0) p.Tempo = 120;
  for (int t = 1; t <= NB_PISTES; ++t) {
    if (avecNotes[t])
      for (int m = 1; m <= p.NbMesures; ++m) CompleterMesure(p, t, m, &rapport);
    else
      for (int m = 1; m <= p.NbMesures; ++m) TempsNoireVide(p.Mesure(m)->Temps[t][p.Mesure(m)->NbTemps[t] + 1]);
  }
  return true;
}

QString TexteRapportImport(const TRapportImport& r) {
  QStringList lignes;
  for (int t : r.PistesNotesTronquees) lignes << RemplacerParam1(TexteLangue("MidiImp-NotesTronquees"), t);
  if (r.MesuresTronquees) lignes << TexteLangue("MidiImp-MesuresTronquees");
  constexpr int kLignesMax = 12;  // the box stays on the screen
  int montrees = 0;
  const std::set<std::pair<int, int>> tronques(r.TempsTronques.begin(), r.TempsTronques.end());
  for (const auto& [t, m] : tronques)
    if (montrees++ < kLignesMax) lignes << RemplacerParam1et2(TexteLangue("MidiImp-TempsTronques"), t, m);
  // A count, then the pitches left out measure by measure.
  const auto nommer = [&lignes](const std::vector<TNoteNonPlacee>& notes, const char* texte) {
    if (notes.empty()) return;
    lignes << RemplacerParam1(TexteLangue(QString::fromLatin1(texte)), static_cast<int>(notes.size()));
    std::map<std::pair<int, int>, QStringList> parMesure;
    for (const TNoteNonPlacee& n : notes) parMesure[{n.Piste, n.Mesure}] << NomNoteCorde(n.Hauteur);
    int k = 0;
    for (const auto& [cle, noms] : parMesure) {
      if (k++ == kLignesMax) {
        lignes << QStringLiteral("...");
        break;
      }
      lignes << RemplacerParam1et2(TexteLangue("MidiImp-NoteNonPlacee"), cle.first, cle.second) + QLatin1Char(' ') +
                    noms.join(QStringLiteral(", "));
    }
  };
  nommer(r.NonPlacees, "MidiImp-NotesNonPlacees");
  nommer(r.Fusionnees, "MidiImp-NotesFusionnees");
  return lignes.join(QLatin1Char('\n'));
}
