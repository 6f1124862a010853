#pragma once
// Language texts: every text the user sees comes from the chosen language file ("<name>.sqg" in
// the program folder). The file is a list of lines; groups start at header lines such as
// "DLG_000", and line n of a group is the n-th line after its header. The text of a line is what
// stands between its first two double quotes. Messages are looked up by key in a table built from
// fixed lines of some groups.
#include <QByteArray>
#include <QSet>
#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

extern QStringList LignesPatch;    // lines of the loaded language file
extern QStringList TableMessages;  // "key=text", one per message key
extern QStringList ListeLangues;   // names of the language files found
extern QString PatcheLangue;       // current language name
extern QString AuteurPatche;       // author text of the loaded file
extern bool RaccourcisAuto;        // the file asks for automatic accelerators

// What a lookup of an unknown key gives.
extern const QString TexteIntrouvable;  // "Internal error : Translation not found !"

// The message keys: group, line in the group, key and how many "%s" become "#1"/"#2".
struct TCleMessage {
  const char* Groupe;
  int Ligne;
  const char* Cle;
  int NbParams;
};
const std::vector<TCleMessage>& ClesMessages();

// ---- Reading a language file ----
// Splits the bytes of a language file into lines (CR LF, LF or CR end a line; a NUL ends the
// text). Valid UTF-8 is read as such, anything else as Windows-1252.
QStringList DecouperLignesLangue(const QByteArray& octets);
// The largest language file read. The readers reach some 600 lines, whose texts hold at most 499
// characters: about 300 KB were every text as long as it may be.
inline constexpr qint64 TAILLE_FICHIER_LANGUE_MAX = qint64(1) << 20;
// Loads a file into LignesPatch. False (and LignesPatch empty) when it cannot be read: missing, not
// a regular file (never opened), refused by the system or above the bound.
bool ChargerLignesPatch(const QString& chemin);
// Makes `nom` the language in force, at start-up and whenever the user changes it: its file of the
// program folder goes into LignesPatch with its message table, and the toolkit's own dialogs
// follow. False when the file cannot be read: the language in force then stays as it was.
bool ChargerLangue(const QString& nom);
// Builds TableMessages, AuteurPatche and RaccourcisAuto from LignesPatch.
void ChargerMessagesPatch();

// Index in LignesPatch of a group's header (first line equal to the name, ignoring case); -1.
int TrouverGroupe(const QString& groupe);
int TrouverGroupe(const QStringList& lignes, const QString& groupe);
// Text between the first double quote of a line and the next one (within 500 characters).
QString TexteEntreGuillemets(const QString& ligne);
// Quoted text of line n of the group whose header stands at index `entete` (TrouverGroupe).
// A line beyond the end of the file reads as an empty text.
QString TexteLigne(int entete, int n);
QString TexteLigne(const QStringList& lignes, int entete, int n);
// Quoted text of line n of a group; empty when the group is missing.
QString TexteGroupe(const QString& groupe, int n);
// A window's caption from line n of its group: the quoted text, empty for a line without one.
// Only a file without the group leaves the caption the window was designed with, `design`.
QString LegendeGroupe(const QString& groupe, int n, const QString& design);

// ---- Texts ----
// Text of a message key (ignoring case); TexteIntrouvable when the table does not hold it.
QString TexteLangue(const QString& cle);
// First "#1" replaced by the value (the value goes in front when there is no "#1").
QString RemplacerParam1(const QString& texte, const QString& valeur);
QString RemplacerParam1(const QString& texte, int valeur);
// First "#1" by the first value, then first "#2" by the second.
QString RemplacerParam1et2(const QString& texte, const QString& v1, const QString& v2);
QString RemplacerParam1et2(const QString& texte, int v1, int v2);
// First occurrence of the pattern replaced by the value; the text unchanged when absent.
QString RemplacerTexte(const QString& texte, const QString& motif, const QString& valeur);
// Caption with an automatic accelerator ("&" before its first character not yet used, skipping
// digits, "." and blanks) when the language file asks for them. `utilisees` holds the characters
// already given within one window or menu.
QString AjouterRaccourci(const QString& caption, QSet<QChar>& utilisees);
// Sets a key's text directly (tests that need a given text).
void DefinirTexteLangue(const QString& cle, const QString& texte);

// ---- Language files of the program folder ----
// Empties LignesPatch and TableMessages and fills ListeLangues with the names of the "*.sqg"
// files of the program folder.
void ListerLangues();
