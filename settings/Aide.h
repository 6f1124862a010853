#pragma once
// Help pages: there are no help files, only HTML pages in the "help" folder of the program folder.
#include <QString>

// The help file's name for the help language (1 French, 2 English, 3 German), without extension.
QString NomFichierAide(int langueAide);
// Opens help/<page>.html of the program folder; without it, says that no help is installed.
void OuvrirAide(const QString& page);
