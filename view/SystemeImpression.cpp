#include "view/SystemeImpression.h"

#include <QPrinter>
#include <QPrinterInfo>
#include <cstring>

#include <cups/cups.h>

#include "settings/Langue.h"

namespace {

// The system's reason for the last request of this thread (the toolkit's submission runs on the
// window's thread, as the checks do). A scheduler that does not answer gives only the system
// call's error, which says nothing of printing: the program says what it means.
QString RaisonSysteme() {
  const char* texte = cupsLastErrorString();
  QString raison = texte && *texte ? QString::fromLocal8Bit(texte) : QString::fromLatin1(ippErrorString(cupsLastError()));
  if (cupsLastError() == IPP_STATUS_ERROR_SERVICE_UNAVAILABLE)
    raison = RemplacerParam1(TexteLangue(QStringLiteral("Imp-SystemeMuet")), raison);
  return raison;
}

// A printer's attribute as the print system gives it now; empty when it does not answer, or
// has no such printer (RaisonSysteme then says which).
QString AttributImprimante(const QString& imprimante, const char* attribut) {
  char uri[HTTP_MAX_URI];
  httpAssembleURIf(HTTP_URI_CODING_ALL, uri, sizeof uri, "ipp", nullptr, "localhost", 0, "/printers/%s",
                   imprimante.toLocal8Bit().constData());
  ipp_t* demande = ippNewRequest(IPP_OP_GET_PRINTER_ATTRIBUTES);
  ippAddString(demande, IPP_TAG_OPERATION, IPP_TAG_URI, "printer-uri", nullptr, uri);
  ippAddString(demande, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes", nullptr, attribut);
  ipp_t* reponse = cupsDoRequest(CUPS_HTTP_DEFAULT, demande, "/");  // frees the request
  QString valeur;
  if (reponse) {
    if (ipp_attribute_t* a = ippFindAttribute(reponse, attribut, IPP_TAG_ZERO))
      valeur = QString::fromUtf8(ippGetString(a, 0, nullptr)).trimmed();
    ippDelete(reponse);
  }
  return valeur;
}

class TSystemeCups : public TSystemeImpression {
 public:
  QStringList Imprimantes() const override { return QPrinterInfo::availablePrinterNames(); }
  QString ImprimanteParDefaut() const override { return QPrinterInfo::defaultPrinterName(); }

  QList<QPageSize> Papiers(const QString& imprimante) const override {
    QList<QPageSize> papiers;
    const QPrinterInfo info = QPrinterInfo::printerInfo(imprimante);
    if (!imprimante.isEmpty() && !info.isNull()) {
      const QPageSize defaut = info.defaultPageSize();
      if (defaut.isValid()) papiers << defaut;
      for (const QPageSize& p : info.supportedPageSizes())
        if (p.isValid() && !papiers.contains(p)) papiers << p;
    }
    if (papiers.isEmpty())
      for (auto id : {QPageSize::A4, QPageSize::Letter, QPageSize::Legal, QPageSize::A3, QPageSize::A5})
        papiers << QPageSize(id);
    return papiers;
  }

  QMarginsF MargesMateriel(const QString& imprimante, const QPageSize& papier,
                           QPageLayout::Orientation orientation) const override {
    if (imprimante.isEmpty()) return {};
    // The toolkit knows the printable area of a printer's paper only through a printer set to it.
    QPrinter p(QPrinter::HighResolution);
    p.setPrinterName(imprimante);
    if (p.outputFormat() != QPrinter::NativeFormat || p.printerName() != imprimante) return {};
    p.setPageOrientation(orientation);
    p.setPageSize(papier);
    QPageLayout l = p.pageLayout();
    l.setUnits(QPageLayout::Millimeter);
    return l.minimumMargins();
  }

  void Selectionner(QPrinter& printer, const QString& imprimante) const override {
    printer.setOutputFileName(QString());  // a file named while there was no printer goes
    printer.setOutputFormat(QPrinter::NativeFormat);
    printer.setPrinterName(imprimante);
  }

  TEtatImprimante Etat(const QPrinter& printer) const override {
    if (printer.outputFormat() != QPrinter::NativeFormat) return {};
    const QByteArray nom = printer.printerName().toLocal8Bit();
    cups_dest_t* d = cupsGetNamedDest(CUPS_HTTP_DEFAULT, nom.constData(), nullptr);
    if (!d) {
      // The destination list says "no such printer" also when the scheduler does not answer: the
      // printer's own attributes tell the two apart.
      AttributImprimante(printer.printerName(), "printer-state");
      return {false, RaisonSysteme()};
    }
    TEtatImprimante r;
    const char* accepte = cupsGetOption("printer-is-accepting-jobs", d->num_options, d->options);
    if (accepte && std::strcmp(accepte, "false") == 0) {
      r.Accepte = false;
      // The text of the refusal ("Rejecting Jobs", or the reason given to it).
      r.Raison = AttributImprimante(printer.printerName(), "printer-state-message");
      const char* raisons = cupsGetOption("printer-state-reasons", d->num_options, d->options);
      if (r.Raison.isEmpty() && raisons && std::strcmp(raisons, "none") != 0) r.Raison = QString::fromLocal8Bit(raisons);
      if (r.Raison.isEmpty()) r.Raison = TexteLangue(QStringLiteral("Imp-RefuseTravaux"));
    }
    cupsFreeDests(1, d);
    return r;
  }

  QString ErreurTravail(const QPrinter& printer) const override {
    if (printer.outputFormat() != QPrinter::NativeFormat) return {};
    if (cupsLastError() <= IPP_STATUS_OK_EVENTS_COMPLETE) return {};
    return RaisonSysteme();
  }
};

std::unique_ptr<TSystemeImpression>& Installe() {
  static std::unique_ptr<TSystemeImpression> s;
  return s;
}

}  // namespace

TSystemeImpression& SystemeImpression() {
  static TSystemeCups cups;
  return Installe() ? *Installe() : cups;
}

void InstallerSystemeImpression(std::unique_ptr<TSystemeImpression> systeme) { Installe() = std::move(systeme); }

QPageLayout PagePourImprimante(const QString& imprimante, const QPageSize& papier,
                               QPageLayout::Orientation orientation) {
  const QMarginsF marges = SystemeImpression().MargesMateriel(imprimante, papier, orientation);
  return QPageLayout(papier, orientation, marges, QPageLayout::Millimeter, marges);
}
