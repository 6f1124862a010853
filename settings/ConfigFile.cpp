#include "settings/ConfigFile.h"

#include <QDir>
#include <QFileInfo>
#include <climits>
#include <cstdio>

#include "song/AccordTexte.h"
#include "song/Song.h"
#include "song/ListesAccords.h"
#include "settings/Config.h"
#include "platform/Folders.h"
#include "platform/IniFile.h"
#include "platform/Types.h"
#include "settings/Langue.h"
#include "settings/LanguesConnues.h"
#include "settings/Mess.h"

QString CheminFichierConfig() { return RepWindows + "Vexo220.ini"; }

namespace {

const QString kConfig = QStringLiteral("Config");
const QString kAccords = QStringLiteral("ChordsLib");
const char* const kSectionsEcran[4] = {"ParamEcran", "ParamEcran_US1", "ParamEcran_US2", "ParamEcran_US3"};
const char* const kSectionsImp[4] = {"ParamImp", "ParamImp_US1", "ParamImp_US2", "ParamImp_US3"};
constexpr int kVersion = 220;

// Default pitches of a six-string guitar, string 1 (the highest) first.
constexpr int kAccordageDefaut[7] = {0, 64, 59, 55, 50, 45, 40};

TParamEcran* Ecrans(int jeu) {
  TParamEcran* e[4] = {&ParamEcran, &ParamEcran_US1, &ParamEcran_US2, &ParamEcran_US3};
  return e[jeu];
}
TZoneImpression* Imps(int jeu) {
  TZoneImpression* z[4] = {&ZoneImpression, &ZoneImpression_US1, &ZoneImpression_US2, &ZoneImpression_US3};
  return z[jeu];
}

TMyFont Police(const char* nom, int taille, bool gras, bool italique, TColor col) {
  TMyFont f;
  f.Name = QString::fromLatin1(nom);
  f.Size = taille;
  f.Bold = gras;
  f.Italic = italique;
  f.Col = col;
  return f;
}

// ---- One list of keys per record, walked by three visitors: defaults, reading and writing ----

// Sets every field to its default.
struct VisiteurDefaut {
  void Int(const char*, int32_t& v, int def, int = INT_MIN, int = INT_MAX) { v = def; }
  void Bool(const char*, bool& v, bool def) { v = def; }
  void Str(const char*, QString& v, const char* def) { v = QString::fromLatin1(def); }
  void Mm(const char*, double& v, int def, int = 0, int = 999) { v = def; }
  void Coef(const char*, double& v, int def) { v = def / 10.0; }
  void Font(const QString&, TMyFont& v, const TMyFont& def, const TMyFont*) { v = def; }
};

// Reads every field; a value out of its range reads as the default.
struct VisiteurLecture {
  const TIniFile& ini;
  QString section;
  int Entier(const QString& cle, int def, int min, int max) {
    int v = ini.ReadInteger(section, cle, def);
    return (v < min || v > max) ? def : v;
  }
  void Int(const char* cle, int32_t& v, int def, int min = INT_MIN, int max = INT_MAX) {
    v = Entier(QString::fromLatin1(cle), def, min, max);
  }
  void Bool(const char* cle, bool& v, bool def) { v = ini.ReadBool(section, QString::fromLatin1(cle), def); }
  void Str(const char* cle, QString& v, const char* def) {
    v = ini.ReadString(section, QString::fromLatin1(cle), QString::fromLatin1(def));
  }
  void Mm(const char* cle, double& v, int def, int min = 0, int max = 999) {
    v = Entier(QString::fromLatin1(cle), def, min, max);
  }
  void Coef(const char* cle, double& v, int def) {
    // A coefficient of zero or below would make every beat width collapse.
    v = Entier(QString::fromLatin1(cle), def, 1, 1000) / 10.0;
  }
  void Font(const QString& nom, TMyFont& v, const TMyFont& def, const TMyFont*) {
    v.Name = ini.ReadString(section, nom + "_Name", def.Name);
    if (v.Name.trimmed().isEmpty()) v.Name = def.Name;
    v.Size = Entier(nom + "_Size", def.Size, 1, 200);
    v.Bold = ini.ReadBool(section, nom + "_Bold", def.Bold);
    v.Italic = ini.ReadBool(section, nom + "_Italic", def.Italic);
    v.Col = ini.ReadInteger(section, nom + "_Col", def.Col);
  }
};

// Writes every field; fonts come from their holders when the main window has filled them.
struct VisiteurEcriture {
  TIniFile& ini;
  QString section;
  void Int(const char* cle, int32_t& v, int, int = INT_MIN, int = INT_MAX) {
    ini.WriteInteger(section, QString::fromLatin1(cle), v);
  }
  void Bool(const char* cle, bool& v, bool) { ini.WriteBool(section, QString::fromLatin1(cle), v); }
  void Str(const char* cle, QString& v, const char*) { ini.WriteString(section, QString::fromLatin1(cle), v); }
  void Mm(const char* cle, double& v, int, int = 0, int = 999) {
    ini.WriteInteger(section, QString::fromLatin1(cle), Arrondi(v));
  }
  void Coef(const char* cle, double& v, int) { ini.WriteInteger(section, QString::fromLatin1(cle), Arrondi(v * 10.0)); }
  void Font(const QString& nom, TMyFont& v, const TMyFont&, const TMyFont* porteur) {
    // Holders still empty mean the main window never came up: the record's font is then current.
    const TMyFont& f = (porteur && !porteur->Name.isEmpty()) ? *porteur : v;
    ini.WriteString(section, nom + "_Name", f.Name);
    ini.WriteInteger(section, nom + "_Size", f.Size);
    ini.WriteBool(section, nom + "_Bold", f.Bold);
    ini.WriteBool(section, nom + "_Italic", f.Italic);
    ini.WriteInteger(section, nom + "_Col", f.Col);
  }
};

// Config, the options written before the tuning keys.
template <class V>
void VisiterConfigDebut(V& v, TCONFIG& c) {
  v.Int("BrushDuration", c.BrushDuration, 4);
  v.Int("DefaultDynamic", c.DefaultDynamic, 6, 1, 8);
  v.Bool("EcouterGraceNote", c.EcouterGraceNote, true);
  v.Bool("EcouterBrush", c.EcouterBrush, true);
  v.Bool("ShowLetRingNotes", c.ShowLetRingNotes, false);
  v.Bool("ShowDynamic", c.ShowDynamic, false);
  v.Bool("CleSol", c.CleSol, true);
  v.Bool("CleFA", c.CleFA, true);
  v.Int("GraceNoteDuration", c.GraceNoteDuration, 1, 1, 3);
  v.Int("NbColASCII", c.NbColASCII, 80, 40, 999);
  v.Int("TypeImport", c.TypeImport, 0, 0, 4);
  v.Int("NbTirets", c.NbTirets, 3, 0, 7);
  v.Int("SignImpNum", c.SignImpNum, 3, 0, 31);
  v.Int("SignImpDen", c.SignImpDen, 2, 0, 5);
}

// Config, the options between the tuning keys and the help language.
template <class V>
void VisiterConfigMilieu(V& v, TCONFIG& c) {
  v.Bool("JouerPendantSaisie", c.JouerPendantSaisie, true);
  v.Bool("Metronome", c.Metronome, false);
  v.Bool("MetronomeDuringScore", c.MetronomeDuringScore, true);
  v.Bool("FirstBarMetronome", c.FirstBarMetronome, true);
  v.Bool("AddDiag", c.AddDiag, true);
}

// Config, the options after the help language.
template <class V>
void VisiterConfigFin(V& v, TCONFIG& c) {
  v.Bool("VerifyRepeats", c.VerifyRepeats, false);
  v.Bool("CheckDuration", c.CheckDuration, false);
  // Any number is kept: one that names no sound starts none (the splash then plays nothing).
  v.Int("StartingMusic", c.StartingMusic, 1);
  v.Str("StartingFile", c.StartingFile, "");
  // The same: one that names no scrolling mode checks neither button and scrolls only as far as
  // the current measure needs.
  v.Int("TypeScrolling", c.TypeScrolling, 1);
  v.Int("MetronomeVolume", c.MetronomeVolume, 95, 0, 127);
  v.Bool("DifferentMetronomeFirstSound", c.DifferentMetronomeFirstSound, true);
  v.Bool("AlwaysUseMetronomeSpeedTrainer", c.AlwaysUseMetronomeSpeedTrainer, true);
  v.Bool("PlayEffects", c.PlayEffects, true);
  v.Bool("PlayRepeats", c.PlayRepeats, true);
  v.Bool("ExportEffects", c.ExportEffects, true);
  v.Bool("ExportRepeats", c.ExportRepeats, true);
  v.Bool("LimitBend", c.LimitBend, false);
  v.Bool("AlwaysAddBass", c.AlwaysAddBass, false);
  v.Int("DiagSimpleMoyenTout", c.DiagSimpleMoyenTout, 1);
  v.Bool("FreeUpAff", c.FreeUpAff, false);
}

const TMyFont& PoliceEcranDefaut(int i) {
  static const TMyFont polices[NB_POLICES_ECRAN] = {
      Police("Arial", 8, true, false, 0),  Police("Arial", 8, true, false, 0),
      Police("Arial", 8, false, true, 0),  Police("Arial", 12, true, false, 0),
      Police("Small Fonts", 7, false, false, 255), Police("Arial", 9, true, true, 0)};
  return polices[i];
}

const TMyFont& PoliceImpDefaut(int i) {
  static const TMyFont polices[NB_POLICES_IMP] = {
      Police("Arial", 20, true, false, 0), Police("Arial", 10, true, false, 0), Police("Arial", 10, false, true, 0),
      Police("Arial", 8, true, true, 0),   Police("Arial", 9, true, false, 0),  Police("Arial", 8, true, false, 0),
      Police("Arial", 8, false, true, 0),  Police("Arial", 12, true, false, 0), Police("Arial", 7, false, false, 0),
      Police("Arial", 9, true, true, 0)};
  return polices[i];
}

const char* const kNomsPolicesEcran[NB_POLICES_ECRAN] = {"FontNotes", "FontAcc", "FontTxt",
                                                         "FontSign",  "FontNum", "FontRenv"};
const char* const kNomsPolicesImp[NB_POLICES_IMP] = {
    "FontTitle_Prt", "FontAuteur_Prt", "FontComment_Prt", "FontNumPage_Prt", "FontNotes_Prt",
    "FontAcc_Prt",   "FontTxt_Prt",    "FontSign_Prt",    "FontAccDiag_Prt", "FontRenv_Prt"};

// jeu: the holders' set (0 live, 1..3 the presets), -1 for none.
template <class V>
void VisiterEcran(V& v, TParamEcran& p, bool preset, int jeu) {
  int marge = preset ? 38 : 25;
  // Distances in pixels within what the preferences let one type, so that a damaged file cannot
  // make the score view compute with absurd sizes.
  v.Int("MargeGaucheLignes", p.MargeGaucheLignes, marge, 0, 999);
  v.Int("MargeDroiteLignes", p.MargeDroiteLignes, marge, 0, 999);
  v.Int("EspLignes", p.EspLignes, 10, 0, 99);
  v.Int("EspPortees", p.EspPortees, 102, 0, 999);
  v.Int("EspDiagAc", p.EspDiagAc, 20, 0, 999);
  v.Int("EspNomAc", p.EspNomAc, 18, 0, 999);
  v.Int("EspTexte", p.EspTexte, 31, 0, 999);
  v.Int("EpCroches", p.EpCroches, 2, 0, 9);
  for (int i = 0; i < NB_POLICES_ECRAN; ++i)
    v.Font(QString::fromLatin1(kNomsPolicesEcran[i]), *PolicesDe(p, i), PoliceEcranDefaut(i),
           jeu >= 0 ? &PorteursPolices.Ecran[jeu][i] : nullptr);
  v.Bool("AffDiag", p.AffDiag, true);
  v.Bool("AffChordsName", p.AffChordsName, true);
  v.Bool("AffTxt", p.AffTxt, true);
  v.Bool("AffEff", p.AffEff, true);
  v.Bool("AffRyt", p.AffRyt, true);
  v.Bool("AffNum", p.AffNum, true);
  v.Bool("AffListChord", p.AffListChord, true);
  v.Int("ColDiag", p.ColDiag, 0);
  v.Int("ColLines", p.ColLines, 0);
  v.Int("ColRythm", p.ColRythm, 0);
  v.Int("ColEff", p.ColEff, 0);
  v.Int("ColBackG", p.ColBackG, 16777215);
  v.Int("ColBadBar", p.ColBadBar, 255);
  v.Int("ColSelect", p.ColSelect, 8421504);
  v.Coef("CoefPImp", p.CoefPAff, 15);
  v.Int("CoefEspAff", p.CoefEspAff, 5, 0, 10);
  v.Int("TypeDiag", p.TypeDiag, 3, 1, 3);
}

template <class V>
void VisiterImp(V& v, TZoneImpression& z, int jeu) {
  v.Mm("MargeHautePart", z.MargeHautePart, 15);
  v.Mm("MargeBassePart", z.MargeBassePart, 10);
  v.Mm("MargeGaucheLignes", z.MargeGaucheLignes, 10);
  v.Mm("MargeDroiteLignes", z.MargeDroiteLignes, 10);
  v.Bool("FullPage", z.FullPage, true);
  v.Mm("Largeur_Prt", z.Largeur_Prt, 100);
  v.Mm("Hauteur_Prt", z.Hauteur_Prt, 100);
  v.Bool("Center_Prt", z.Center_Prt, true);
  v.Bool("TracerCadre_Prt", z.TracerCadre_Prt, true);
  // Millimetres 0..999 and the trackbars' ranges, as the preferences give them.
  v.Int("GlobalProportions_Prt", z.GlobalProportions_Prt, 0, -40, 40);
  v.Int("ChordSize_Prt", z.ChordSize_Prt, 0, -40, 40);
  v.Int("EspPortees_Prt", z.EspPortees_Prt, 0, -40, 40);
  v.Int("EspDiagAc_Prt", z.EspDiagAc_Prt, 0, -40, 40);
  v.Int("EspNomAc_Prt", z.EspNomAc_Prt, 0, -40, 40);
  v.Int("EspTexte_Prt", z.EspTexte_Prt, 0, -40, 40);
  v.Int("Esp_Titre_Auteur_Prt", z.Esp_Titre_Auteur_Prt, 0, -40, 40);
  v.Int("Esp_Auteur_Tab_Prt", z.Esp_Auteur_Tab_Prt, 0, -40, 40);
  v.Int("CoefEspAff_Prt", z.CoefEspAff_Prt, 5, 0, 10);
  v.Coef("CoefPImp", z.CoefPAff_Prt, 15);
  v.Bool("AffTitre_Prt", z.AffTitre_Prt, true);
  v.Bool("AffAuteur_Prt", z.AffAuteur_Prt, true);
  v.Bool("AffComment_Prt", z.AffComment_Prt, true);
  v.Bool("AffTriplet_Prt", z.AffTriplet_Prt, true);
  v.Bool("AffNumP_Prt", z.AffNumP_Prt, true);
  v.Bool("AffNum_Prt", z.AffNum_Prt, true);
  v.Bool("AffDiag_Prt", z.AffDiag_Prt, true);
  v.Bool("AffChordsName_Prt", z.AffChordsName_Prt, true);
  v.Bool("AffListChord_Prt", z.AffListChord_Prt, true);
  v.Bool("AffTxt_Prt", z.AffTxt_Prt, true);
  v.Bool("AffEff_Prt", z.AffEff_Prt, true);
  v.Bool("AffRyt_Prt", z.AffRyt_Prt, true);
  for (int i = 0; i < NB_POLICES_IMP; ++i)
    v.Font(QString::fromLatin1(kNomsPolicesImp[i]), *PolicesDe(z, i), PoliceImpDefaut(i),
           jeu >= 0 ? &PorteursPolices.Imp[jeu][i] : nullptr);
}

QString CleAccord(int n) { return QStringLiteral("C%1").arg(n, 3, 10, QLatin1Char('0')); }

// A language name comes from the settings file: it must name a file of the program folder.
bool NomLangueValide(const QString& nom) {
  return !nom.isEmpty() && !nom.contains('/') && !nom.contains('\\') && nom != QLatin1String("..");
}

int LangueAideDe(const QString& langue) {
  const TLangueConnue* l = LangueConnue(langue);
  return l ? l->Aide : LANGUE_AIDE_DEFAUT;
}

}  // namespace

void ParamEcranParDefaut(TParamEcran& p, bool preset) {
  VisiteurDefaut v;
  VisiterEcran(v, p, preset, -1);
}

void ZoneImpressionParDefaut(TZoneImpression& z) {
  VisiteurDefaut v;
  VisiterImp(v, z, -1);
}

void ChargerConfig(int pisteCourante, const std::function<void()>& choisirLangue) {
  if (RepertoireAppli.isEmpty()) RepertoireAppli = DossierProgramme();
  if (RepWindows.isEmpty()) RepWindows = DossierConfiguration();

  const TIniFile ini(CheminFichierConfig());
  ini.ReadInteger("General", "Version", 0);  // kept for older files; nothing depends on it

  // Language: a name whose file is gone counts as none, and then the user is asked.
  PatcheLangue = ini.ReadString(kConfig, "PatcheLangue", QString());
  if (!NomLangueValide(PatcheLangue) || !QFileInfo::exists(RepertoireAppli + PatcheLangue + ".sqg"))
    PatcheLangue.clear();
  ListerLangues();
  if (PatcheLangue.isEmpty() && choisirLangue) choisirLangue();
  if (!ListeLangues.isEmpty()) {
    // A listed file that cannot be read leaves the program without a language, as if none existed.
    if (!NomLangueValide(PatcheLangue) || !ChargerLangue(PatcheLangue)) {
      std::fprintf(stderr, "Language file \"%s\" cannot be read.\n", qPrintable(PatcheLangue));
      PatcheLangue.clear();
      LignesPatch.clear();
      TableMessages.clear();
    }
  }

  // Paths of the settings file written by hand may be relative: they stay those of the start folder.
  Repertoire = CheminAuDepart(ini.ReadString(kConfig, QStringLiteral("Répertoire"), QString()));

  VisiteurLecture lecture{ini, kConfig};
  VisiterConfigDebut(lecture, Configuration);
  // A strum lasts a whole note down to a thirty-second: any other value is no duration.
  if (Configuration.BrushDuration < 1 || Configuration.BrushDuration > 32 ||
      (Configuration.BrushDuration & (Configuration.BrushDuration - 1)) != 0)
    Configuration.BrushDuration = 4;

  // The tuning last used goes to the current track.
  int piste = std::clamp(pisteCourante, 1, NB_PISTES);
  int nb = ini.ReadInteger(kConfig, "NbCordes", 6);
  Partition.NbCordes[piste] = (nb >= 4 && nb <= NB_CORDES_MAX) ? nb : 6;
  for (int c = 1; c <= 6; ++c) {
    int note = ini.ReadInteger(kConfig, QStringLiteral("NoteCorde%1").arg(c), kAccordageDefaut[c]);
    Partition.Accordage[piste][c] = (note >= 0 && note <= 119) ? note : kAccordageDefaut[c];
  }

  VisiterConfigMilieu(lecture, Configuration);

  LangueAide = ini.ReadInteger(kConfig, "HelpFile", 0);
  // 0 means "as the language"; a value no help file answers to (a damaged file) is taken the same way.
  if (!LangueConnueAide(LangueAide)) LangueAide = LangueAideDe(PatcheLangue);

  // Recent files that no longer exist drop out and the later ones move up.
  for (int i = 1; i <= NB_FICHIERS_RECENTS; ++i) DerniersFichiers[i].clear();
  int libre = 1;
  for (int i = 1; i <= NB_FICHIERS_RECENTS; ++i) {
    QString f = CheminAuDepart(ini.ReadString(kConfig, QStringLiteral("Fichier%1").arg(i), QString()));
    if (!f.isEmpty() && QFileInfo(f).isFile()) DerniersFichiers[libre++] = f;
  }

  VisiterConfigFin(lecture, Configuration);

  for (int jeu = 0; jeu < 4; ++jeu) {
    VisiteurLecture v{ini, QString::fromLatin1(kSectionsEcran[jeu])};
    VisiterEcran(v, *Ecrans(jeu), jeu > 0, jeu);
  }
  for (int jeu = 0; jeu < 4; ++jeu) {
    VisiteurLecture v{ini, QString::fromLatin1(kSectionsImp[jeu])};
    VisiterImp(v, *Imps(jeu), jeu);
    if (jeu == 0) Configuration.BlackBlocks = ini.ReadBool(v.section, "BlackBlocks", false);
  }

  // Chord library: it stops at the first missing entry; a damaged entry is left out.
  ViderListeAccords(AccordsLibrairie, NbAccordsLibrairie);
  int total = std::clamp(ini.ReadInteger(kAccords, "Total", 0), 0, NB_ACCORDS_LIBRAIRIE_MAX);
  for (int n = 1; n <= total; ++n) {
    QString entree = ini.ReadString(kAccords, CleAccord(n), QString());
    if (entree.isEmpty()) break;
    TAccord a;
    if (!DecoderAccord(entree, a)) continue;
    AccordsLibrairie[++NbAccordsLibrairie] = std::make_unique<TAccord>(a);
  }
}

bool EnregistrerConfig(int pisteCourante) {
  if (RepWindows.isEmpty()) RepWindows = DossierConfiguration();
  TIniFile ini(CheminFichierConfig());
  ini.WriteInteger("General", "Version", kVersion);

  ini.WriteString(kConfig, "PatcheLangue", PatcheLangue);
  for (int i = 1; i <= NB_FICHIERS_RECENTS; ++i)
    ini.WriteString(kConfig, QStringLiteral("Fichier%1").arg(i), DerniersFichiers[i]);
  // The working folder is where the process stands: the main window entered Repertoire at its
  // first activation, or the program folder when Repertoire could not be entered. A folder kept
  // in Repertoire stays as long as it exists, so that a file command may keep one there.
  if (Repertoire.isEmpty() || !QFileInfo(Repertoire).isDir()) Repertoire = QDir::currentPath();
  ini.WriteString(kConfig, QStringLiteral("Répertoire"), Repertoire);

  VisiteurEcriture ecriture{ini, kConfig};
  VisiterConfigDebut(ecriture, Configuration);
  int piste = std::clamp(pisteCourante, 1, NB_PISTES);
  ini.WriteInteger(kConfig, "NbCordes", Partition.NbCordes[piste]);
  for (int c = 1; c <= 6; ++c) ini.WriteInteger(kConfig, QStringLiteral("NoteCorde%1").arg(c), Partition.Accordage[piste][c]);
  VisiterConfigMilieu(ecriture, Configuration);
  ini.WriteInteger(kConfig, "HelpFile", LangueAide);
  VisiterConfigFin(ecriture, Configuration);

  for (int jeu = 0; jeu < 4; ++jeu) {
    VisiteurEcriture v{ini, QString::fromLatin1(kSectionsEcran[jeu])};
    VisiterEcran(v, *Ecrans(jeu), jeu > 0, jeu);
  }
  for (int jeu = 0; jeu < 4; ++jeu) {
    VisiteurEcriture v{ini, QString::fromLatin1(kSectionsImp[jeu])};
    if (jeu == 0) ini.WriteBool(v.section, "BlackBlocks", Configuration.BlackBlocks);
    VisiterImp(v, *Imps(jeu), jeu);
  }

  // Entries beyond Total, left from a larger library, stay in the file but are never read.
  // An empty slot would end the library when it is read back, so the entries are written packed.
  int total = 0;
  ini.WriteInteger(kAccords, "Total", 0);  // first in a new section; set to the count below
  for (int n = 1; n <= std::clamp(NbAccordsLibrairie, 0, NB_ACCORDS_LIBRAIRIE_MAX); ++n)
    if (AccordsLibrairie[n]) ini.WriteString(kAccords, CleAccord(++total), EncoderAccord(*AccordsLibrairie[n]));
  ini.WriteInteger(kAccords, "Total", total);

  // The user is told: the last good file stays, and what was changed since is not kept.
  QString raison;
  if (!ini.UpdateFile(&raison)) {
    AfficherEcritureImpossible(CheminFichierConfig(), raison);
    return false;
  }
  return true;
}
