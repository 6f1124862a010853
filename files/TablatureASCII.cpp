#include "files/TablatureASCII.h"

#include <QStringDecoder>
#include <algorithm>

#include "platform/CheckedFile.h"
#include "editor/state/EtatEdition.h"
#include "editor/state/Partition.h"
#include "editor/state/TempsSaisie.h"
#include "settings/Langue.h"
#include "settings/Mess.h"

// ---------------------------------------------------------------------------------------------
// Reading

QStringList LignesTexteASCII(const QString& texte) {
  QStringList lignes;
  QString ligne;
  auto finir = [&] {
    qsizetype fin = ligne.size();
    while (fin > 0 && ligne[fin - 1].isSpace()) --fin;
    ligne.truncate(fin);
    lignes.append(ligne);
    ligne.clear();
  };
  for (qsizetype i = 0; i < texte.size(); ++i) {
    const QChar c = texte[i];
    if (c == u'\r' || c == u'\n') {
      if (c == u'\r' && i + 1 < texte.size() && texte[i + 1] == u'\n') ++i;
      finir();
    } else if (c == u'\t') {
      // Tab stops every 8 columns, as a text editor shows the file.
      ligne.append(QString(8 - ligne.size() % 8, u' '));
    } else {
      ligne.append(c);
    }
  }
  if (!ligne.isEmpty()) finir();
  return lignes;
}

bool LigneDePortee(const QString& ligne) {
  int tirets = 0;
  bool barre = false;
  for (QChar c : ligne) {
    if (c == u'-')
      ++tirets;
    else if (c == u'|')
      barre = true;
  }
  return tirets >= 5 || (tirets >= 2 && barre);
}

namespace {

// The letters of the note effects 1 (hammer-on) to 6 (bend and release), both ways.
const QString LettresEffetsNotes = QStringLiteral("hp/\\br");

// The character of a line at a 0-based column; nothing beyond the line's end.
QChar Car(const QString& ligne, int x) { return x < ligne.size() ? ligne[x] : QChar(); }
bool EstChiffre(QChar c) { return c >= u'0' && c <= u'9'; }

class LecteurTablature {
 public:
  LecteurTablature(int typeImport, int nbTirets, int nbCordes)
      : type_(typeImport >= IMPORT_BLANCHES && typeImport <= IMPORT_DOUBLES ? typeImport : IMPORT_VARIABLE),
        tirets_(std::clamp(nbTirets, 1, 8)),
        cordes_(std::clamp(nbCordes, 1, NB_CORDES_MAX)) {}

  int NbCordes() const { return cordes_; }

  // Walks one block (1 to NbCordes() staff lines, top line first). False once the text has filled
  // the most measures a song holds.
  bool LireBloc(const std::vector<QString>& bloc) {
    int largeur = 0;
    for (const QString& l : bloc) largeur = std::max<int>(largeur, static_cast<int>(l.size()));
    const int premiereCorde = cordes_ + 1 - static_cast<int>(bloc.size());
    int x = 0;  // 0-based; the column of x is x + 1
    while (x < largeur) {
      bool note = false, barre = false;
      for (; x < largeur; ++x) {
        note = ColonneDeNote(bloc, x);
        barre = !note && !barreEnAttente_ && ColonneDeBarre(bloc, x);
        if (note || barre) break;
      }
      if (!note && !barre) break;
      const int j = x + 1;
      if (barre) {
        if (type_ == IMPORT_VARIABLE) DureeVariable(j);
        MesureSuivante();
        barreEnAttente_ = true;
        ++x;
        continue;
      }
      if (type_ == IMPORT_VARIABLE && !barreEnAttente_) DureeVariable(j);
      if (!NouveauTemps()) return false;
      TTempsASCII& t = courante_.back();
      bool deuxChiffres = false;
      for (size_t i = 0; i < bloc.size(); ++i) {
        const QString& l = bloc[i];
        const QChar c = Car(l, x);
        const int corde = premiereCorde + static_cast<int>(i);
        if (c == u'x') {
          t.Frettes[corde] = FRETTE_MORTE;
          continue;
        }
        if (!EstChiffre(c)) continue;
        int frette = c.unicode() - u'0';
        int apres = x + 1;
        if (apres < largeur && EstChiffre(Car(l, apres))) {
          frette = frette * 10 + (Car(l, apres).unicode() - u'0');
          deuxChiffres = true;
          ++apres;
        }
        t.Frettes[corde] = static_cast<int8_t>(frette);
        if (apres < largeur) LireEffet(Car(l, apres), t, corde);
      }
      barreEnAttente_ = false;
      colonneDernierTemps_ = j + 1;
      x += deuxChiffres ? 2 : 1;
    }
    return true;
  }

  TTablatureASCII Fin() {
    if (!courante_.empty()) resultat_.Mesures.push_back(std::move(courante_));
    return std::move(resultat_);
  }

 private:
  static bool ColonneDeNote(const std::vector<QString>& bloc, int x) {
    for (const QString& l : bloc) {
      const QChar c = Car(l, x);
      if (c == u'x' || EstChiffre(c)) return true;
    }
    return false;
  }
  static bool ColonneDeBarre(const std::vector<QString>& bloc, int x) {
    for (const QString& l : bloc)
      if (Car(l, x) != u'|') return false;
    return true;
  }
  static void LireEffet(QChar c, TTempsASCII& t, int corde) {
    const int note = LettresEffetsNotes.indexOf(c);  // hammer-on 1 .. bend and release 6
    if (note >= 0) t.Effets[corde] = static_cast<int8_t>(note + 1);
    if (c == u'~') t.EffetTemps = 1;  // left-hand vibrato
    if (c == u't') t.EffetTemps = 5;  // tapping
    if (c == u's') t.EffetTemps = 6;  // slap
  }

  // The last stored beat takes the length the gap to column j gives it.
  void DureeVariable(int j) {
    if (courante_.empty()) return;
    TTempsASCII& t = courante_.back();
    const int ecart = j - colonneDernierTemps_;
    if (ecart > tirets_) {
      t.Duree = 2 * TICKS_NOIRE;
      t.CodeDuree = -1;
    } else if (ecart == tirets_) {
      t.Duree = TICKS_NOIRE;
      t.CodeDuree = 0;
    } else {
      t.Duree = TICKS_NOIRE / 2;
      t.CodeDuree = 1;
    }
  }
  void DureeFixe(TTempsASCII& t) const {
    static const int8_t codes[] = {0, -1, 0, 1, 2};
    t.CodeDuree = codes[type_];
    t.Duree = TicksDuree(t.CodeDuree, false, false);
  }
  void MesureSuivante() {
    if (!courante_.empty()) resultat_.Mesures.push_back(std::move(courante_));
    courante_.clear();
  }
  // A new beat in the current measure, its length continuing the one before (a quarter at the
  // start of a measure). False when it would open a measure beyond the song's limit.
  bool NouveauTemps() {
    if (static_cast<int>(courante_.size()) >= NB_TEMPS_IMPORT_MAX) MesureSuivante();
    if (courante_.empty() && static_cast<int>(resultat_.Mesures.size()) >= NB_MESURES_MAX) {
      resultat_.Tronquee = true;
      return false;
    }
    TTempsASCII t;
    if (!courante_.empty()) {
      t.Duree = courante_.back().Duree;
      t.CodeDuree = courante_.back().CodeDuree;
    }
    if (type_ != IMPORT_VARIABLE) DureeFixe(t);
    courante_.push_back(t);
    return true;
  }

  const int type_;
  const int tirets_;
  const int cordes_;
  TTablatureASCII resultat_;
  std::vector<TTempsASCII> courante_;
  int colonneDernierTemps_ = 0;  // the column after the first fret character of the last beat
  bool barreEnAttente_ = true;   // no beat since the start or the last counted bar
};

}  // namespace

TTablatureASCII LireTablatureASCII(const QStringList& lignes, int typeImport, int nbTirets, int nbCordes) {
  LecteurTablature lecteur(typeImport, nbTirets, nbCordes);
  qsizetype i = 0;
  while (i < lignes.size()) {
    if (!LigneDePortee(lignes[i])) {
      ++i;
      continue;
    }
    qsizetype fin = i;
    while (fin < lignes.size() && LigneDePortee(lignes[fin])) ++fin;
    // A block of more lines than the track has strings keeps its last lines: the lowest string
    // is always the block's last line, so that no note lands on a string the track lacks.
    const qsizetype debut = std::max(i, fin - lecteur.NbCordes());
    std::vector<QString> bloc(lignes.begin() + debut, lignes.begin() + fin);
    if (!lecteur.LireBloc(bloc)) break;
    i = fin;
  }
  return lecteur.Fin();
}

void ImporterTablatureASCII(const TTablatureASCII& tab) {
  const int piste = PisteCourante;
  ViderPisteToutesMesures(piste);
  Partition.MesureCourante = 1;
  Curseur.Temps = 1;
  Curseur.Corde = 1;
  const int nb = std::min<int>(static_cast<int>(tab.Mesures.size()), NB_MESURES_MAX);
  for (int m = 1; m <= nb; ++m) {
    if (m > Partition.NbMesures) {
      // A new measure continues the time signature of the one before, with no repeat marks.
      auto neuve = std::make_unique<TMesure>();
      const TMesure& avant = *Partition.Mesures[m - 1];
      neuve->Numerateur = avant.Numerateur;
      neuve->Denominateur = avant.Denominateur;
      neuve->Duree = avant.Duree;
      Partition.Mesures[m] = std::move(neuve);
      Partition.NbMesures = m;
      for (int p = 1; p <= NB_PISTES; ++p) PreparerTempsSaisiePiste(p, m);
    }
    TMesure& mes = *Partition.Mesures[m];
    const auto& temps = tab.Mesures[m - 1];
    const int n = std::min<int>(static_cast<int>(temps.size()), NB_TEMPS_IMPORT_MAX);
    for (int b = 1; b <= n; ++b) {
      const TTempsASCII& source = temps[b - 1];
      TTemps& t = mes.Temps[piste][b];
      TempsNoireVide(t);
      t.Duree = source.Duree;
      t.CodeDuree = source.CodeDuree;
      t.EffetTemps = source.EffetTemps;
      for (int s = 1; s <= NB_CORDES_MAX; ++s) {
        t.Notes[s].Frette = source.Frettes[s];
        t.Notes[s].Effet = source.Effets[s];
      }
    }
    mes.NbTemps[piste] = n;
    Partition.MesureCourante = m;
    PreparerTempsSaisie();
    // The song file keeps each measure's filled length; no edit zone shows these measures yet.
    mes.DureeRemplie[piste] = DureeMesureEnNoires(mes, piste);
  }
  SupprimerMesuresVidesFin();
  Partition.MesureCourante = 1;
  if (tab.Tronquee)
    MessageBoxD(TexteLangue("Dlg-Attention"), TexteLangue("Gene-MesuresMax"), MB_ICONE_ATTENTION, MB_OK, MB_DEF_OK);
}

bool LireFichierTexteASCII(const QString& chemin, QString& texte) {
  QByteArray octets;
  if (ReadFileChecked(chemin, TAILLE_FICHIER_ASCII_MAX, &octets) != EFileRead::Ok) return false;
  const bool bom = octets.startsWith("\xEF\xBB\xBF");
  if (bom) octets.remove(0, 3);
  QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
  QString essai = utf8(octets);
  texte = !utf8.hasError() || bom
              ? essai
              : AnsiToQString(std::string_view(octets.constData(), static_cast<size_t>(octets.size())));
  return true;
}

// ---------------------------------------------------------------------------------------------
// Writing

namespace {

// Columns after a beat's fret text, by duration code (-2 whole .. 4 sixty-fourth).
int EspaceDuree(int code, bool pointee) {
  if (code >= 2) return 1;
  if (code == 1) return pointee ? 3 : 2;
  if (code == 0) return pointee ? 6 : 4;
  if (code == -1) return pointee ? 12 : 8;
  return 16;
}

// The note effect letter written after a fret; the beat's own effect gives way to the note's.
QChar LettreEffet(const TTemps& t, const TNote& n) {
  QChar c;
  if (t.EffetTemps == 1 || t.EffetTemps == 2) c = u'~';  // either vibrato
  if (t.EffetTemps == 5) c = u't';
  if (t.EffetTemps == 6) c = u's';
  if (n.Effet >= 1 && n.Effet <= 6) c = LettresEffetsNotes[n.Effet - 1];
  return c;
}

// n+1 lines of one width: the chord and repeat line, then one line per string, string 1 first.
// Columns count from 1; a character beyond the width is dropped.
struct BlocASCII {
  std::vector<QString> Lignes;
  int Largeur;
  BlocASCII(int nbCordes, int largeur) : Largeur(largeur) {
    Lignes.emplace_back(largeur, u' ');
    for (int s = 1; s <= nbCordes; ++s) Lignes.emplace_back(largeur, u'-');
  }
  void Poser(int ligne, int colonne, QChar c) {
    if (colonne >= 1 && colonne <= Largeur) Lignes[ligne][colonne - 1] = c;
  }
  void Ecrire(int ligne, int colonne, const QString& texte) {
    for (int i = 0; i < texte.size(); ++i) Poser(ligne, colonne + i, texte[i]);
  }
  QChar Lire(int ligne, int colonne) const {
    return colonne >= 1 && colonne <= Largeur ? Lignes[ligne][colonne - 1] : QChar();
  }
  void Barre(int colonne) {
    for (size_t l = 1; l < Lignes.size(); ++l) Poser(static_cast<int>(l), colonne, u'|');
  }
};

// The two string lines that carry the dots of a repeat sign.
void LignesPoints(int nbCordes, int& a, int& b) {
  a = nbCordes <= 4 ? 2 : nbCordes == 5 ? 2 : 3;
  b = nbCordes <= 4 ? 3 : 4;
  a = std::min(a, nbCordes);
  b = std::min(b, nbCordes);
}

// Builds the columns of measure m into a fresh block and returns its width. `bloc` and `utilise`
// are the block the measure goes to, whose last columns decide how many opening bars it needs.
int ConstruireMesure(const TPartition& p, int piste, int m, const BlocASCII& bloc, int utilise, BlocASCII& mesure) {
  const int nbCordes = static_cast<int>(mesure.Lignes.size()) - 1;
  const TMesure& mes = *p.Mesures[m];
  int a, b;
  LignesPoints(nbCordes, a, b);
  int col = 1;
  if (m == 1) {
    static const char* const noms[12] = {"C", "C#", "D", "D#", "E", "F", "F#", "G", "G#", "A", "A#", "B"};
    QString accord[NB_CORDES_MAX + 1];
    int largeur = 1;
    for (int s = 1; s <= nbCordes; ++s) {
      accord[s] = QString::fromLatin1(noms[((p.Accordage[piste][s] % 12) + 12) % 12]);
      largeur = std::max<int>(largeur, static_cast<int>(accord[s].size()));
    }
    for (int s = 1; s <= nbCordes; ++s) mesure.Ecrire(s, 1, accord[s].leftJustified(largeur, u' '));
    col = largeur + 1;
  }
  if (m == 1 || mes.RenvoiDebut) {
    // A bar the block already ends with counts as part of the opening double bar.
    int barres = 2;
    if (utilise >= 1 && bloc.Lire(1, utilise) == u'|')
      barres = utilise >= 2 && bloc.Lire(1, utilise - 1) == u'|' ? 0 : 1;
    for (int k = 0; k < barres; ++k) mesure.Barre(col + k);
    if (mes.RenvoiDebut) {
      // The dots stand right before the first beat, never under it.
      mesure.Poser(a, col + barres, u'*');
      mesure.Poser(b, col + barres, u'*');
      col += barres + 1;
    } else {
      col += 2;
    }
  } else {
    col += 2;
  }
  const int nbTemps = std::clamp<int>(mes.NbTemps[piste], 0, NB_TEMPS_MAX);
  for (int k = 1; k <= nbTemps; ++k) {
    const TTemps& t = mes.Temps[piste][k];
    if (t.AvecAccord && t.Accord) mesure.Ecrire(0, col, AnsiToQString(t.Accord->Nom.view()));
    int largeurFrette = 0;
    if (!t.Silence && !t.Lie) {
      for (int s = 1; s <= nbCordes; ++s) {
        const TNote& n = t.Notes[s];
        if (n.Frette < 0) continue;
        const QString texte = n.Frette == FRETTE_MORTE ? QStringLiteral("x") : QString::number(n.Frette);
        mesure.Ecrire(s, col, texte);
        const QChar effet = LettreEffet(t, n);
        if (!effet.isNull()) mesure.Poser(s, col + static_cast<int>(texte.size()), effet);
        largeurFrette = std::max<int>(largeurFrette, static_cast<int>(texte.size()));
      }
    }
    // The reader measures a beat from its fret's first character, so a two-digit fret takes no
    // more room than a one-digit one; only where the value leaves no room for the second digit
    // and an effect letter does the next beat move along.
    const int espace = EspaceDuree(t.CodeDuree, t.Pointee);
    col += largeurFrette == 0 ? espace : std::max(1 + espace, largeurFrette + 1);
  }
  if (mes.RenvoiFin) {
    if (mes.NbRenvois > 1) {
      const QString nombre = QString::number(mes.NbRenvois);
      mesure.Ecrire(0, col + 2 - static_cast<int>(nombre.size()), nombre);
      mesure.Poser(0, col + 2, u'x');
    }
    mesure.Poser(a, col, u'*');
    mesure.Poser(b, col, u'*');
    mesure.Barre(col + 1);
    col += 2;
  }
  mesure.Barre(col);
  if (m == p.NbMesures && !mes.RenvoiFin) {
    mesure.Barre(col + 1);
    return col + 1;
  }
  return col;
}

// A width no measure of the track passes: tuning, bars and repeat signs, and the widest room
// each beat can take.
int LargeurMaxMesure(const TMesure& mes, int piste) {
  int largeur = 16;
  const int nbTemps = std::clamp<int>(mes.NbTemps[piste], 0, NB_TEMPS_MAX);
  for (int k = 1; k <= nbTemps; ++k) largeur += EspaceDuree(mes.Temps[piste][k].CodeDuree, mes.Temps[piste][k].Pointee) + 3;
  return largeur;
}

// Centres a text in a line of blanks: r = (W - L) / 2 - 1 rounded, text from column r + 1;
// a text as wide as the line or wider starts at column 1 and is cut.
QString LigneCentree(const QString& texte, int largeur) {
  QString ligne(largeur, u' ');
  const int r = std::max(0, Arrondi((largeur - static_cast<double>(texte.size())) / 2.0 - 1.0));
  for (int i = 0; i < texte.size() && r + i < largeur; ++i) ligne[r + i] = texte[i];
  return ligne;
}

// A text right-aligned in a line of blanks; a text wider than the line keeps its beginning.
QString LigneADroite(const QString& texte, int largeur) {
  QString ligne(largeur, u' ');
  const QString coupe = texte.left(largeur);
  for (int i = 0; i < coupe.size(); ++i) ligne[largeur - coupe.size() + i] = coupe[i];
  return ligne;
}

}  // namespace

QStringList GenererTexteASCII(const TPartition& p, int piste, int largeur) {
  QStringList lignes;
  const int W = std::clamp(largeur, NB_COL_ASCII_MIN, NB_COL_ASCII_MAX);
  piste = std::clamp(piste, 1, NB_PISTES);
  const QString titre = AnsiToQString(p.Titre.view());
  const QString auteur = AnsiToQString(p.Auteur.view());
  const QString commentaire = AnsiToQString(p.Commentaire.view());
  if (!titre.isEmpty()) lignes << LigneCentree(titre, W) << QString() << QString();
  if (!auteur.isEmpty()) lignes << LigneADroite(auteur, W);
  QString nomPiste = AnsiToQString(p.NomPiste[piste].view());
  if (p.Capo[piste] > 0) nomPiste += QStringLiteral(" (Capo %1)").arg(p.Capo[piste]);
  if (!nomPiste.isEmpty()) lignes << nomPiste;
  if (!commentaire.isEmpty()) lignes << commentaire;
  if (!auteur.isEmpty() || !commentaire.isEmpty()) lignes << QString() << QString() << QString();

  const int nbCordes = std::clamp(p.NbCordes[piste], 1, NB_CORDES_MAX);
  BlocASCII bloc(nbCordes, W);
  int utilise = 0;
  auto vider = [&] {
    if (utilise == 0) return;  // never an empty block
    for (const QString& l : bloc.Lignes) lignes << l.left(utilise);
    lignes << QString() << QString();
    bloc = BlocASCII(nbCordes, W);
    utilise = 0;
  };
  const int nbMesures = std::clamp(p.NbMesures, 0, NB_MESURES_MAX);
  for (int m = 1; m <= nbMesures; ++m) {
    if (!p.Mesures[m]) continue;
    const int largeurMesure = std::max(W, LargeurMaxMesure(*p.Mesures[m], piste));
    BlocASCII mesure(nbCordes, largeurMesure);
    int w = ConstruireMesure(p, piste, m, bloc, utilise, mesure);
    if (utilise > 0 && utilise + w > W) {
      vider();
      // On a fresh line the opening bars no longer lean on the bar before them.
      mesure = BlocASCII(nbCordes, largeurMesure);
      w = ConstruireMesure(p, piste, m, bloc, utilise, mesure);
    }
    // A measure wider than the line stands whole on a block of its own, as wide as itself.
    if (w > bloc.Largeur) bloc = BlocASCII(nbCordes, w);
    for (size_t l = 0; l < bloc.Lignes.size(); ++l)
      for (int c = 1; c <= w; ++c)
        bloc.Poser(static_cast<int>(l), utilise + c, mesure.Lire(static_cast<int>(l), c));
    utilise += w;
  }
  vider();
  return lignes;
}

bool EcrireFichierTexteASCII(const QString& chemin, const QStringList& lignes) {
  // The writer hands every call straight to the system: the text goes in one piece.
  QByteArray octets;
  for (const QString& l : lignes) {
    const std::string ligne = QStringToAnsi(l);
    octets.append(ligne.data(), static_cast<qsizetype>(ligne.size()));
    octets.append('\n');
  }
  return WriteFileChecked(chemin, octets);
}
