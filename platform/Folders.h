#pragma once
#include <QString>

// What the program calls the Windows directory: the user's config folder (VEXO_HOME overrides it).
// Always ends with a slash and exists after the call.
QString DossierConfiguration();
// The program folder: language files and help live next to the executable.
QString DossierProgramme();
// A path the user gave (on the command line, in the environment or the settings file) read from the
// folder the program started in, whatever the working folder has become since: the editor moves to
// the song folder of the settings as it starts. Absolute, with its links and ".." left for the
// system to resolve; empty stays empty.
QString CheminAuDepart(const QString& chemin);
