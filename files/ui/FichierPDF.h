#pragma once
// The name of the PDF file a print job writes when there is no printer: the one question behind
// the score's print command and the print buttons of the ASCII dialogs.
#include <QString>
#include <functional>

class QWidget;

// Asks for the file (proposing `nomPropose`, a name without extension, made valid and placed in
// the working folder; nothing when empty). A name not ending in ".pdf" gets it before anything is
// checked (FichierAEcrire), and an existing file is kept unless the user says to replace it. The
// folder chosen becomes the working folder. Returns the full name, or an empty one when cancelled.
QString DemanderFichierPDF(QWidget* parent, const QString& titre, const QString& nomPropose);

// The file dialog behind it, which must not ask about replacing a file itself: the program asks
// once the extension is known. Tests answer it here; an empty function shows the real dialog again.
using TDialogueFichierPDF = std::function<QString(QWidget* parent, const QString& titre, const QString& propose)>;
void InstallerDialogueFichierPDF(TDialogueFichierPDF dialogue);
