#pragma once
#include <QString>

// What the program calls the Windows directory: the user's config folder (VEXO_HOME overrides it).
// Always ends with a slash and exists after the call.
QString DossierConfiguration();
// The program folder: language files and help live next to the executable.
QString DossierProgramme();
