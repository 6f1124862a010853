#pragma once
// The print job and the preview's page drawing: both lay the current track out for the printer's
// page and run the one page loop of the print renderer, the job on the printer's sheets, the
// preview on an image. The printer is the program's one QPrinter: the default CUPS printer when
// there is one, else a PDF file the user names.
#include <QString>

#include "view/MiseEnPageImp.h"

class QPrinter;
class QImage;

// The program's printer.
QPrinter& Imprimante();
// Its name as the print dialog shows it (the PDF file's name when printing to a file).
QString NomImprimante(const QPrinter& printer);
// The printer writes a PDF file and has no file name yet.
bool FichierPDFAChoisir(const QPrinter& printer);

// The printable area of a printer's page in mm and the printer's resolution.
struct TPagePapier {
  double LargeurMm = 210, HauteurMm = 297;
  int Dpi = 300;
};
TPagePapier PagePapier(const QPrinter& printer);

// The layout of the current track of the song for a page.
TMiseEnPageImp MiseEnPageCourante(const TPagePapier& page);

// Prints pages premiere..derniere (0, 0: every page) of the current track; returns the pages
// output, -1 when the printer could not start. A range past the last page prints nothing and
// says so (no blank sheet goes out).
int ImprimePartition(QPrinter& printer, int premiere, int derniere);

// Draws page `page` of a layout on an image (cleared white first) whose width stands for the
// page's width; returns false when the layout has no such page.
bool DessinerPageApercu(QImage& image, const TMiseEnPageImp& mp, int page);
