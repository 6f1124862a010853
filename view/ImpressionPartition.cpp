#include "view/ImpressionPartition.h"

#include <QCursor>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>
#include <memory>

#include "editor/state/EtatEdition.h"
#include "platform/Canvas.h"
#include "platform/CheckedFile.h"
#include "settings/Config.h"
#include "settings/Langue.h"
#include "settings/LignesLangue.h"
#include "settings/Mess.h"
#include "song/ListesAccords.h"
#include "song/Song.h"
#include "view/DessinImp.h"
#include "view/SystemeImpression.h"

QPrinter& Imprimante() {
  static QPrinter* printer = [] {
    auto* p = new QPrinter(QPrinter::HighResolution);
    const QList<QPrinterInfo> imprimantes = QPrinterInfo::availablePrinters();
    if (QPrinterInfo::defaultPrinter().isNull() && !imprimantes.isEmpty()) {
      p->setPrinterName(imprimantes.first().printerName());  // printers, but none chosen as the default
    } else if (QPrinterInfo::defaultPrinter().isNull()) {
      // No printer on this machine: the job goes to a PDF file the user names.
      p->setOutputFormat(QPrinter::PdfFormat);
      p->setResolution(300);
    }
    return p;
  }();
  return *printer;
}

QString NomImprimante(const QPrinter& printer) {
  if (printer.outputFormat() == QPrinter::PdfFormat)
    return printer.outputFileName().isEmpty() ? QStringLiteral("PDF")
                                              : QStringLiteral("PDF: ") + QFileInfo(printer.outputFileName()).fileName();
  return printer.printerName();
}

bool FichierPDFAChoisir(const QPrinter& printer) {
  return printer.outputFormat() == QPrinter::PdfFormat && printer.outputFileName().isEmpty();
}

namespace {

bool DireRefus(const QPrinter& printer, const QString& raison) {
  MessageBoxD(TexteLangue(QStringLiteral("Dlg-Erreur")),
              RemplacerParam1et2(TexteLangue(QStringLiteral("Imp-ImprimanteRefuse")), NomImprimante(printer), raison),
              MB_ICONE_ERREUR, MB_OK, MB_DEF_OK);
  return false;
}

}  // namespace

bool ImprimantePrete(const QPrinter& printer) {
  const TEtatImprimante etat = SystemeImpression().Etat(printer);
  return etat.Accepte || DireRefus(printer, etat.Raison);
}

bool TravailRecu(const QPrinter& printer) {
  const QString erreur = SystemeImpression().ErreurTravail(printer);
  return erreur.isEmpty() || DireRefus(printer, erreur);
}

TFichierImpression::TFichierImpression(QPrinter& printer) : printer_(printer), cible_(printer.outputFileName()) {
  if (cible_.isEmpty()) return;
  pdf_ = std::make_unique<TCheckedPdf>(cible_);
  if (!pdf_->Open()) {
    pret_ = false;
    Dire();
    return;
  }
  auto& p = *(pdfPrinter_ = std::make_unique<QPrinter>(QPrinter::HighResolution));
  p.setOutputFormat(QPrinter::PdfFormat);
  p.setResolution(printer.resolution());
  p.setFullPage(printer.fullPage());
  p.setPageLayout(printer.pageLayout());
  p.setColorMode(printer.colorMode());
  p.setCopyCount(printer.copyCount());
  p.setCollateCopies(printer.collateCopies());
  p.setPageOrder(printer.pageOrder());
  p.setPdfVersion(printer.pdfVersion());
  p.setCreator(printer.creator());
  p.setDocName(printer.docName());
  p.setOutputFileName(pdf_->Name());
}

TFichierImpression::~TFichierImpression() = default;

QPrinter& TFichierImpression::Imprimante() { return pdfPrinter_ ? *pdfPrinter_ : printer_; }

void TFichierImpression::Dire() {
  MessageBoxD(TexteLangue(QStringLiteral("Dlg-Erreur")),
              RemplacerParam1et2(TexteLangue(QStringLiteral("Imp-FichierImpossible")), QFileInfo(cible_).fileName(),
                                 pdf_->Error()),
              MB_ICONE_ERREUR, MB_OK, MB_DEF_OK);
}

bool TFichierImpression::Terminer(bool sortie, bool ok) {
  if (!pdf_ || !pret_ || !sortie) return true;
  if (pdf_->Commit(ok)) return true;
  Dire();
  return false;
}

TPagePapier PagePapier(const QPrinter& printer) {
  TPagePapier r;
  r.Dpi = printer.resolution() > 0 ? printer.resolution() : 300;
  const QRect zone = printer.pageLayout().paintRectPixels(r.Dpi);
  if (zone.width() > 0 && zone.height() > 0) {
    r.LargeurMm = zone.width() * 25.4 / r.Dpi;
    r.HauteurMm = zone.height() * 25.4 / r.Dpi;
  }
  return r;
}

TMiseEnPageImp MiseEnPageCourante(const TPagePapier& page) {
  // The spacing follows the settings as they are now, whoever changed them.
  CalculeParamImpression();
  return MiseEnPageImpression(Partition, PisteCourante, ZoneImpression, ParamImpression, page.LargeurMm,
                              page.HauteurMm, std::clamp(NbAccordsImprimer, 0, NB_ACCORDS_IMPRIMER_MAX));
}

namespace {

// The hourglass for the length of a job, however it ends.
struct Sablier {
  Sablier() { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }
  ~Sablier() { Fin(); }
  void Fin() {
    if (actif) QGuiApplication::restoreOverrideCursor();
    actif = false;
  }
  bool actif = true;
};

// The printer's sheets: the document starts with the first page output, so a job that outputs
// nothing sends no sheet at all.
class SortieImprimante : public TSortiePages {
 public:
  SortieImprimante(QPrinter& printer, int premiere, int derniere)
      : printer_(printer), premiere_(premiere), derniere_(derniere) {}
  bool Sortie(int page) const override { return premiere_ == 0 || (premiere_ <= page && page <= derniere_); }
  TCanvas* DebutPage(int) override {
    if (!painter_) {
      painter_ = std::make_unique<QPainter>();
      if (!painter_->begin(&printer_)) {
        echec_ = true;
        return nullptr;
      }
      canvas_ = std::make_unique<TCanvas>(painter_.get());
    } else if (!printer_.newPage()) {
      echec_ = true;
      return nullptr;
    }
    return canvas_.get();
  }
  bool Echec() const { return echec_; }
  bool Commence() const { return painter_ && painter_->isActive(); }
  // Ends the document; false when the printer reports it could not.
  bool Terminer() {
    canvas_.reset();
    return !painter_ || !painter_->isActive() || painter_->end();
  }
  ~SortieImprimante() override { Terminer(); }

 private:
  QPrinter& printer_;
  int premiere_, derniere_;
  std::unique_ptr<QPainter> painter_;
  std::unique_ptr<TCanvas> canvas_;
  bool echec_ = false;
};

class SortieImage : public TSortiePages {
 public:
  SortieImage(QImage& image, int page) : image_(image), page_(page) {}
  bool Sortie(int page) const override { return page == page_; }
  TCanvas* DebutPage(int) override {
    image_.fill(Qt::white);
    canvas_ = std::make_unique<TCanvas>(&image_);
    return canvas_.get();
  }
  void FinPage(int) override { canvas_.reset(); }

 private:
  QImage& image_;
  int page_;
  std::unique_ptr<TCanvas> canvas_;
};

}  // namespace

int ImprimePartition(QPrinter& imprimante, int premiere, int derniere) {
  if (!ImprimantePrete(imprimante)) return -1;
  TFichierImpression fichier(imprimante);
  if (!fichier.Pret()) return -1;
  QPrinter& printer = fichier.Imprimante();
  Sablier sablier;
  printer.setDocName(AnsiToQString(Partition.Titre.view()));
  const TPagePapier page = PagePapier(printer);
  const TMiseEnPageImp mp = MiseEnPageCourante(page);
  const TEchelleImp e = EchelleImpression(page.Dpi / 25.4, mp.Geo.Zoom, page.Dpi);
  int nb = 0;
  bool echec = false, commence = false, fin = true;
  {
    SortieImprimante sortie(printer, premiere, derniere);
    nb = BouclePages(Partition, ZoneImpression, mp, e, sortie, Configuration.BlackBlocks);
    echec = sortie.Echec();
    commence = sortie.Commence();
    fin = sortie.Terminer();
  }
  sablier.Fin();
  // A document begun and cut short says why its file was not written, not that it could not start.
  if (!fichier.Terminer(commence, !echec && fin)) return -1;
  // The toolkit hands the job to the print system as the document ends, and keeps a refusal to itself.
  if (commence && !echec && fin && !TravailRecu(imprimante)) return -1;
  if (echec) {
    MessageBoxD(TexteLangue(QStringLiteral("Dlg-Erreur")), TexteLangue(QStringLiteral("Imp-Impossible")),
                MB_ICONE_ERREUR, MB_OK, MB_DEF_OK);
    return -1;
  }
  if (nb == 0) {
    const int pages = mp.NbPages();
    const QString texte = pages == 1 ? TexteLangue(QStringLiteral("Imp-AucunePageUnique"))
                                     : RemplacerParam1(TexteLangue(QStringLiteral("Imp-AucunePage")), pages);
    MessageBoxD(TexteLangue(QStringLiteral("Dlg-Information")), texte, MB_ICONE_INFORMATION, MB_OK, MB_DEF_OK);
  }
  return nb;
}

bool DessinerPageApercu(QImage& image, const TMiseEnPageImp& mp, int page) {
  if (image.width() <= 0 || mp.Geo.LargeurPageMm <= 0) return false;
  // Screen fonts are sized at 96 pixels per inch whatever the scale.
  const TEchelleImp e0 = EchelleImpression(image.width() / mp.Geo.LargeurPageMm, mp.Geo.Zoom, 96);
  TEchelleImp e = e0;
  e.Apercu = true;
  SortieImage sortie(image, page);
  return BouclePages(Partition, ZoneImpression, mp, e, sortie, Configuration.BlackBlocks) > 0;
}
