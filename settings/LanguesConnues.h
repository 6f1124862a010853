#pragma once
// The languages the program knows beyond their texts: the help written in each and the toolkit's
// own translation. Any other language file brings its texts only. The help-language menu, the help
// pages, the toolkit's dialogs and the help language a language selects all read this one table.
#include <QString>

struct TLangueConnue {
  const char* Nom;   // the language file's name, as the language menu shows it (UTF-8)
  int Aide;          // the help language it selects (LangueAide)
  const char* Code;  // ISO 639-1: the suffix of its help pages and the toolkit's translation
};

// In the order of the help-language menu.
inline constexpr TLangueConnue LanguesConnues[] = {{"Deutsch", 3, "de"}, {"Français", 1, "fr"}, {"English", 2, "en"}};
// The help shown when the help language answers to no help (a damaged settings file).
inline constexpr int LANGUE_AIDE_DEFAUT = 1;

// The entry of a language file's name, compared exactly; nullptr for any other language.
inline const TLangueConnue* LangueConnue(const QString& nom) {
  for (const TLangueConnue& l : LanguesConnues)
    if (nom == QString::fromUtf8(l.Nom)) return &l;
  return nullptr;
}

// The entry of a help language; nullptr for a value no help answers to.
inline const TLangueConnue* LangueConnueAide(int aide) {
  for (const TLangueConnue& l : LanguesConnues)
    if (l.Aide == aide) return &l;
  return nullptr;
}
