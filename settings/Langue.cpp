#include "settings/Langue.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QPointer>
#include <QStringDecoder>
#include <QTranslator>
#include <memory>

#include "settings/Config.h"
#include "settings/LanguesConnues.h"
#include "platform/CheckedFile.h"
#include "platform/Types.h"

QStringList LignesPatch;
QStringList TableMessages;
QStringList ListeLangues;
QString PatcheLangue;
QString AuteurPatche;
bool RaccourcisAuto = false;

const QString TexteIntrouvable = QStringLiteral("Internal error : Translation not found !");

namespace {
// Longest text kept after a replaced or looked-up part, and reach of the closing quote.
constexpr int kLongueurMax = 500;

const QString kConfiguration = QStringLiteral("### PATCH CONFIGURATION ###");
const QString kRaccourcis = QStringLiteral("AUTOMATIC SHORTCUTS");
}  // namespace

const std::vector<TCleMessage>& ClesMessages() {
  // Order matters: building the table stops at the first missing group.
  static const std::vector<TCleMessage> cles = {
      {"DLG_000", 8, "Dlg-Information", 0},
      {"DLG_000", 9, "Dlg-Confirmation", 0},
      {"DLG_000", 10, "Dlg-Avertissement", 0},
      {"DLG_000", 11, "Dlg-Attention", 0},
      {"DLG_000", 12, "Dlg-Erreur", 0},
      {"DLG_000", 13, "Dlg-SaisieIncorrecte", 0},
      {"GENE_000", 7, "Gene-Piste", 0},
      {"GENE_000", 8, "Gene-Percussions", 0},
      {"GENE_000", 9, "Gene-MesureComplete", 0},
      {"GENE_000", 10, "Gene-MesureIncomplete", 0},
      {"GENE_000", 11, "Gene-MesureDepassee", 0},
      {"DLG_PROP_000", 25, "Prop-PeutPasChangerDeNbDeCordes", 2},
      {"DLG_IMPM_000", 10, "MidiImp-RecherchePiste", 0},
      {"DLG_IMPM_000", 11, "MidiImp-NonPrecise", 0},
      {"DLG_IMPM_000", 12, "MidiImp-LecturePiste", 0},
      {"DLG_IMPM_000", 13, "MidiImp-CreationPartition", 0},
      {"DLG_IMPM_000", 14, "MidiImp-OptimisationPlacementDoigts", 0},
      {"DLG_IMPM_000", 15, "MidiImp-FormatMIDINonReconnu", 0},
      {"DLG_EXPM_000", 1, "MidiExp-ExportationMIDI", 0},
      {"DLG_EXPM_000", 2, "MidiExp-EcritureFichierImpossibleEnregAb", 0},
      {"DLG_IMPA_000", 2, "ASCIIImp-AccesFicImpossibleImportationAb", 0},
      {"DLG_EXPA_000", 7, "ASCIIExp-EcritureFichierImpossibleExportAb", 0},
      {"DLG_ASS_LR_000", 9, "AssLR-AucuneCordeSelectionnee", 0},
      {"DLG_ASS_CD_000", 1, "AssCD-VerificationTerminee", 0},
      {"DLG_ASS_CD_000", 2, "AssCD-DureeInvalide", 2},
      {"DLG_PASTE_000", 8, "Paste-ImpossibleCollerDepuisPercussions", 0},
      {"DLG_PASTE_000", 9, "Paste-ImpossibleCollerVersPercussions", 0},
      {"DLG_PASTE_000", 10, "Paste-CollageImpNbCordesDiff", 0},
      {"DLG_CHORD_000", 19, "Accord-Perso", 0},
      {"DLG_CHORD_000", 20, "Accord-DonnerUnNom", 0},
      {"DLG_CHORD_000", 21, "Accord-SelectionnerSuppr", 0},
      {"DLG_CHORD_000", 22, "Accord-ConfirmerSuppr", 1},
      {"DLG_CHORD_000", 23, "Accord-SelectionnerRempl", 0},
      {"DLG_CHORD_000", 24, "Accord-SelectionnerDepl", 0},
      {"FILES_000", 1, "Fichier-EnregistrerModif", 1},
      {"FILES_000", 2, "Fichier-Introuvable", 1},
      {"FILES_000", 3, "Fichier-ExisteDeja", 1},
      {"FILES_000", 4, "Fichier-Remplacer", 0},
      {"FILES_000", 5, "Fichier-SansNom", 0},
      {"FILES_000", 6, "Fichier-AccesImpossible", 0},
      {"FILES_000", 7, "Fichier-Incorrect", 0},
      {"FILES_000", 8, "Fichier-VersionAncienne", 0},
      {"FILES_000", 9, "Fichier-ErreurMIDI", 0},
      {"FILES_000", 10, "Fichier-MIDINonReconnu", 0},
      {"FILES_000", 11, "Fichier-Strumquill", 0},
      {"FILES_000", 12, "Fichier-MIDI", 0},
      {"FILES_000", 13, "Fichier-ASCII", 0},
      {"FILES_000", 14, "Fichier-TousLesFichiers", 0},
      {"FILES_000", 15, "Fichier-ImportMIDI", 0},
      {"FILES_000", 16, "Fichier-ExportMIDI", 0},
      {"FILES_000", 17, "Fichier-ImportASCII", 0},
      {"FILES_000", 18, "Fichier-ExportASCII", 0},
      {"DLG_DIFE_000", 2, "Repet-A", 0},
      // Messages of this program's own, kept last so that a file without their group loses
      // nothing else.
      {"VEXO_000", 1, "Gene-MesuresMax", 0},
      {"VEXO_000", 2, "Aide-NonDisponible", 0},
      {"VEXO_000", 3, "Son-MIDIIndisponible", 0},
      {"VEXO_000", 4, "MidiExp-OrdreLectureTronque", 2},
      {"VEXO_000", 5, "Son-FichierAudioInterrompu", 2},
      {"VEXO_IMPM_000", 1, "MidiImp-NotesTronquees", 1},
      {"VEXO_IMPM_000", 2, "MidiImp-MesuresTronquees", 0},
      {"VEXO_IMPM_000", 3, "MidiImp-TempsTronques", 2},
      {"VEXO_IMPM_000", 4, "MidiImp-NotesNonPlacees", 1},
      {"VEXO_IMPM_000", 5, "MidiImp-NoteNonPlacee", 2},
      {"VEXO_IMPM_000", 6, "MidiImp-NotesFusionnees", 1},
      {"VEXO_ASS_000", 1, "AssRC-AucuneNote", 0},
      {"VEXO_ASS_000", 2, "AssRC-TropDeNotes", 0},
      {"VEXO_ASS_000", 3, "AssRC-TropDeTemps", 0},
      {"VEXO_FIC_000", 1, "Fichier-TempsAbandonnes", 2},
      {"VEXO_FIC_000", 2, "Fichier-EstUnDossier", 1},
      {"VEXO_FIC_000", 3, "Fichier-EcritureImpossible", 2},
      {"VEXO_FIC_000", 4, "ASCIIImp-AucunePortee", 0},
      {"VEXO_PRT_000", 1, "Imp-AucunePage", 1},
      {"VEXO_PRT_000", 2, "Imp-Impossible", 0},
      {"VEXO_PRT_000", 3, "Imp-FichierImpossible", 2},
      {"VEXO_PRT_000", 4, "Imp-AucunePageUnique", 0},
      {"VEXO_PRT_000", 5, "Imp-ImprimanteRefuse", 2},
      {"VEXO_PRT_000", 6, "Imp-SystemeMuet", 1},
      {"VEXO_PRT_000", 7, "Imp-RefuseTravaux", 0},
      {"VEXO_ECR_000", 1, "Ecriture-PasUnFichier", 0},
      {"VEXO_ECR_000", 2, "Ecriture-Erreur", 0},
      {"VEXO_ECR_000", 3, "Ecriture-DocumentNonTermine", 0},
      {"VEXO_ECR_000", 4, "Ecriture-DocumentIncomplet", 0},
      {"VEXO_ECR_000", 5, "Ecriture-DossierFerme", 1},
  };
  return cles;
}

// ---- Reading ----

QStringList DecouperLignesLangue(const QByteArray& octets) {
  QByteArray b = octets;
  int nul = b.indexOf('\0');
  if (nul >= 0) b.truncate(nul);
  QString texte;
  const bool bom = b.startsWith("\xEF\xBB\xBF");
  if (bom) b.remove(0, 3);
  QStringDecoder dec(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
  QString essai = dec(b);
  if (!dec.hasError() || bom)
    texte = essai;  // a file marked as UTF-8 keeps its other lines when one byte is wrong
  else
    texte = AnsiToQString(std::string_view(b.constData(), static_cast<size_t>(b.size())));

  QStringList lignes;
  qsizetype debut = 0;
  const qsizetype n = texte.size();
  for (qsizetype i = 0; i < n; ++i) {
    QChar c = texte[i];
    if (c != '\r' && c != '\n') continue;
    lignes.append(texte.mid(debut, i - debut));
    if (c == '\r' && i + 1 < n && texte[i + 1] == '\n') ++i;
    debut = i + 1;
  }
  if (debut < n) lignes.append(texte.mid(debut));
  return lignes;
}

namespace {
bool LireLignesLangue(const QString& chemin, QStringList& lignes) {
  QByteArray octets;
  if (ReadFileChecked(chemin, TAILLE_FICHIER_LANGUE_MAX, &octets) != EFileRead::Ok) return false;
  lignes = DecouperLignesLangue(octets);
  return true;
}

// The toolkit's own dialogs (files, printer set-up, fonts, colours) in the language, where the
// system holds the toolkit's translation for it; in the toolkit's English otherwise.
void ChargerTraductionBoiteAOutils(const QString& nom) {
  static QPointer<QTranslator> traduction;
  delete traduction;  // which takes it out of the application
  const TLangueConnue* langue = LangueConnue(nom);
  if (!langue || !QCoreApplication::instance()) return;
  auto t = std::make_unique<QTranslator>(QCoreApplication::instance());
  if (!t->load(QStringLiteral("qtbase_") + QLatin1String(langue->Code), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
    return;
  traduction = t.release();
  QCoreApplication::installTranslator(traduction);
}
}  // namespace

bool ChargerLignesPatch(const QString& chemin) {
  LignesPatch.clear();
  return LireLignesLangue(chemin, LignesPatch);
}

bool ChargerLangue(const QString& nom) {
  QStringList lignes;
  if (!LireLignesLangue(RepertoireAppli + nom + ".sqg", lignes)) return false;
  ChargerTraductionBoiteAOutils(nom);
  PatcheLangue = nom;
  LignesPatch = lignes;
  ChargerMessagesPatch();
  return true;
}

int TrouverGroupe(const QStringList& lignes, const QString& groupe) {
  for (qsizetype i = 0; i < lignes.size(); ++i)
    if (QString::compare(lignes[i], groupe, Qt::CaseInsensitive) == 0) return static_cast<int>(i);
  return -1;
}

int TrouverGroupe(const QString& groupe) { return TrouverGroupe(LignesPatch, groupe); }

QString TexteEntreGuillemets(const QString& ligne) {
  qsizetype ouvre = ligne.indexOf('"');
  if (ouvre < 0) return {};
  // The closing quote counts only within the 500 characters after the opening one.
  QStringView reste = QStringView(ligne).mid(ouvre + 1, kLongueurMax);
  qsizetype ferme = reste.indexOf('"');
  if (ferme < 0) return {};
  return reste.left(ferme).toString();
}

QString TexteLigne(const QStringList& lignes, int entete, int n) {
  if (entete < 0 || n < 0) return {};
  qsizetype i = static_cast<qsizetype>(entete) + n;
  if (i >= lignes.size()) return {};
  return TexteEntreGuillemets(lignes[i]);
}

QString TexteLigne(int entete, int n) { return TexteLigne(LignesPatch, entete, n); }

QString TexteGroupe(const QString& groupe, int n) { return TexteLigne(TrouverGroupe(groupe), n); }

QString LegendeGroupe(const QString& groupe, int n, const QString& design) {
  const int entete = TrouverGroupe(groupe);
  return entete < 0 ? design : TexteLigne(entete, n);
}

namespace {
// The checked writer's own reasons, in the loaded language; a file without them leaves the
// writer's English.
QString TexteRaisonEcriture(EWriteReason raison, const QString& detail) {
  const char* cle = "Ecriture-Erreur";
  switch (raison) {
    case EWriteReason::NotAFile: cle = "Ecriture-PasUnFichier"; break;
    case EWriteReason::PrinterNotEnded: cle = "Ecriture-DocumentNonTermine"; break;
    case EWriteReason::DocumentNotWhole: cle = "Ecriture-DocumentIncomplet"; break;
    case EWriteReason::NoNewFile: cle = "Ecriture-DossierFerme"; break;
    case EWriteReason::WriteError: break;
  }
  const QString texte = TexteLangue(QString::fromLatin1(cle));
  if (texte == TexteIntrouvable) return {};
  return raison == EWriteReason::NoNewFile ? RemplacerParam1(texte, detail) : texte;
}
}  // namespace

void ChargerMessagesPatch() {
  int config = TrouverGroupe(kConfiguration);
  if (config < 0) return;  // not a language file: the previous texts stay in force
  AuteurPatche = TexteLigne(config, 1);
  RaccourcisAuto = TrouverGroupe(kRaccourcis) >= 0;
  TableMessages.clear();
  SetWriteReasonTexts(TexteRaisonEcriture);  // the writer's reasons follow the texts from now on

  QString groupe;
  int entete = -1;
  for (const TCleMessage& c : ClesMessages()) {
    if (groupe != QLatin1String(c.Groupe)) {
      groupe = QLatin1String(c.Groupe);
      entete = TrouverGroupe(groupe);
      if (entete < 0) return;  // this group's keys and all later ones stay out
    }
    QString texte = TexteLigne(entete, c.Ligne);
    if (c.NbParams >= 1) texte = RemplacerTexte(texte, "%s", "#1");
    if (c.NbParams >= 2) texte = RemplacerTexte(texte, "%s", "#2");
    TableMessages.append(QLatin1String(c.Cle) + '=' + texte);
  }
}

// ---- Texts ----

QString TexteLangue(const QString& cle) {
  for (const QString& e : TableMessages) {
    qsizetype egal = e.indexOf('=');
    if (egal < 0) continue;
    if (QStringView(e).left(egal).compare(cle, Qt::CaseInsensitive) == 0) return e.mid(egal + 1, kLongueurMax);
  }
  return TexteIntrouvable;
}

void DefinirTexteLangue(const QString& cle, const QString& texte) {
  for (QString& e : TableMessages) {
    qsizetype egal = e.indexOf('=');
    if (egal >= 0 && QStringView(e).left(egal).compare(cle, Qt::CaseInsensitive) == 0) {
      e = cle + '=' + texte;
      return;
    }
  }
  TableMessages.append(cle + '=' + texte);
}

QString RemplacerTexte(const QString& texte, const QString& motif, const QString& valeur) {
  if (motif.isEmpty()) return texte;
  qsizetype i = texte.indexOf(motif);
  if (i < 0) return texte;
  return texte.left(i) + valeur + texte.mid(i + motif.size(), kLongueurMax);
}

static QString RemplacerParam(const QString& texte, const QString& marque, const QString& valeur) {
  qsizetype i = texte.indexOf(marque);
  if (i < 0) return valeur + texte;  // no mark: the value goes in front
  QString r = texte;
  r.replace(i, marque.size(), valeur);
  return r;
}

QString RemplacerParam1(const QString& texte, const QString& valeur) { return RemplacerParam(texte, "#1", valeur); }
QString RemplacerParam1(const QString& texte, int valeur) { return RemplacerParam1(texte, QString::number(valeur)); }
QString RemplacerParam1et2(const QString& texte, const QString& v1, const QString& v2) {
  return RemplacerParam(RemplacerParam(texte, "#1", v1), "#2", v2);
}
QString RemplacerParam1et2(const QString& texte, int v1, int v2) {
  return RemplacerParam1et2(texte, QString::number(v1), QString::number(v2));
}

QString AjouterRaccourci(const QString& caption, QSet<QChar>& utilisees) {
  if (!RaccourcisAuto) return caption;
  for (qsizetype i = 0; i < caption.size(); ++i) {
    QChar c = caption[i];
    // Only a..z are folded: accented letters keep their case and count as other characters.
    if (c >= 'a' && c <= 'z') c = QChar(c.unicode() - 'a' + 'A');
    if (utilisees.contains(c)) continue;
    if ((c >= '0' && c <= '9') || c == '.' || c == ' ') continue;
    utilisees.insert(c);
    return caption.left(i) + '&' + caption.mid(i, kLongueurMax);
  }
  return caption;
}

// ---- Language files of the program folder ----

void ListerLangues() {
  LignesPatch.clear();
  TableMessages.clear();
  ListeLangues.clear();
  QDir dir(RepertoireAppli);
  dir.setFilter(QDir::Files | QDir::Hidden | QDir::System);
  dir.setNameFilters({QStringLiteral("*.sqg")});
  // Sorted by name, so that the first language offered does not depend on the disk.
  dir.setSorting(QDir::Name | QDir::IgnoreCase);
  const QStringList fichiers = dir.entryList();
  for (const QString& f : fichiers) {
    if (!f.endsWith(QLatin1String(".sqg"))) continue;  // the name filter ignores case
    ListeLangues.append(f.left(f.size() - 4));
  }
}
