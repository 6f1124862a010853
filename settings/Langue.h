#pragma once
// Language texts: every text the user sees is named by a key and taken from the chosen language file.
#include <QSet>
#include <QString>
#include <QStringList>

extern QStringList LignesPatch;    // lines of the loaded language file
extern QStringList ListeLangues;   // names of the language files found
extern QString PatcheLangue;       // current language name
extern QString AuteurPatche;       // author text of the loaded file
extern bool RaccourcisAuto;        // the file asks for automatic accelerators

// Text of a language key; the key itself when the table does not hold it.
QString TexteLangue(const QString& cle);
QString RemplacerParam1(const QString& texte, const QString& valeur);
QString RemplacerParam1(const QString& texte, int valeur);
QString RemplacerParam1et2(const QString& texte, const QString& v1, const QString& v2);
QString RemplacerParam1et2(const QString& texte, int v1, int v2);
QString RemplacerTexte(const QString& texte, const QString& motif, const QString& valeur);
// Caption with an automatic accelerator ("&" before its first letter not yet used) when the
// language file asks for them.
QString AjouterRaccourci(const QString& caption, QSet<QChar>& utilisees);
// Sets a key's text directly (the loader, and tests that need a given text).
void DefinirTexteLangue(const QString& cle, const QString& texte);
