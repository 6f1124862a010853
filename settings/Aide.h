#pragma once
// Help pages: there are no help files, only HTML pages in the "help" folder of the program folder.
#include <QString>

// The help file's name for the help language (1 French, 2 English, 3 German), without extension.
QString NomFichierAide(int langueAide);
// The one help opener of every window: opens help/<page>.html of the program folder; when the page
// is missing or the desktop cannot open it, says that no help is available. A topic of the page is
// opened at its anchor.
void OuvrirAide(const QString& page, const QString& sujet = QString());
