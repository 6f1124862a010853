#pragma once
// The print job and the preview's page drawing: both lay the current track out for the printer's
// page and run the one page loop of the print renderer, the job on the printer's sheets, the
// preview on an image. The printer is the program's one QPrinter: the default CUPS printer when
// there is one, else a PDF file the user names.
#include <QString>
#include <memory>

#include "view/MiseEnPageImp.h"

class QPrinter;
class QImage;
class TCheckedPdf;

// The program's printer.
QPrinter& Imprimante();
// Its name as the print dialog shows it (the PDF file's name when printing to a file).
QString NomImprimante(const QPrinter& printer);
// The printer writes a PDF file and has no file name yet.
bool FichierPDFAChoisir(const QPrinter& printer);

// Whether the printer takes a job now; when it does not, says so with its name and the print
// system's reason, and nothing is to be printed.
bool ImprimantePrete(const QPrinter& printer);
// After a job was handed to the printer: whether it reached the print system; when it did not,
// says so as ImprimantePrete does.
bool TravailRecu(const QPrinter& printer);

// The file of a print job, when the printer writes one (a PDF: no printer on the machine, or "print
// to file" in the print dialog). The job then runs on a new PDF printer with the given one's
// settings, which writes the checked writer's temporary file beside the file named; that file is
// replaced only once the job ended well and the PDF is whole. A failure is said with its reason and
// leaves the old file as it was. A job on a real printer runs on the printer given, unchanged.
class TFichierImpression {
 public:
  explicit TFichierImpression(QPrinter& printer);
  ~TFichierImpression();  // an unfinished file goes
  TFichierImpression(const TFichierImpression&) = delete;
  TFichierImpression& operator=(const TFichierImpression&) = delete;
  // False, and said, when the file cannot be written at all: the job is not to run.
  bool Pret() const { return pret_; }
  // The printer the job runs on. Never the given one for a file: once a write failed, Qt's PDF
  // engine writes nothing for its printer's later jobs.
  QPrinter& Imprimante();
  // The job has ended: `sortie`, it began its document; `ok`, the printer took every page and
  // ended the document. Puts the file in place. False when a failure was said; a job that began
  // nothing leaves the old file and says nothing here.
  bool Terminer(bool sortie, bool ok);

 private:
  void Dire();
  QPrinter& printer_;
  QString cible_;
  std::unique_ptr<QPrinter> pdfPrinter_;
  std::unique_ptr<TCheckedPdf> pdf_;
  bool pret_ = true;
};

// The printable area of a printer's page in mm and the printer's resolution.
struct TPagePapier {
  double LargeurMm = 210, HauteurMm = 297;
  int Dpi = 300;
};
TPagePapier PagePapier(const QPrinter& printer);

// The layout of the current track of the song for a page.
TMiseEnPageImp MiseEnPageCourante(const TPagePapier& page);

// Prints pages premiere..derniere (0, 0: every page) of the current track; returns the pages
// output, -1 when the printer could not start, did not take the job or its file could not be written. A range past the last page prints nothing and
// says so (no blank sheet goes out).
int ImprimePartition(QPrinter& printer, int premiere, int derniere);

// Draws page `page` of a layout on an image (cleared white first) whose width stands for the
// page's width; returns false when the layout has no such page.
bool DessinerPageApercu(QImage& image, const TMiseEnPageImp& mp, int page);
