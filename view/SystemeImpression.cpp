#include "view/SystemeImpression.h"

#include <QPrinter>
#include <QPrinterInfo>
#include <cstring>

#include <cups/cups.h>

namespace {

// The system's reason for the last request of this thread (the toolkit's submission runs on the
// window's thread, as the checks do).
QString RaisonSysteme() {
  const char* texte = cupsLastErrorString();
  if (texte && *texte) return QString::fromLocal8Bit(texte);
  return QString::fromLatin1(ippErrorString(cupsLastError()));
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
    printer.setOutputFormat(QPrinter::NativeFormat);
    printer.setPrinterName(imprimante);
  }

  TEtatImprimante Etat(const QPrinter& printer) const override {
    if (printer.outputFormat() != QPrinter::NativeFormat) return {};
    const QByteArray nom = printer.printerName().toLocal8Bit();
    cups_dest_t* d = cupsGetNamedDest(CUPS_HTTP_DEFAULT, nom.constData(), nullptr);
    if (!d) return {false, RaisonSysteme()};  // gone, or the system does not answer
    TEtatImprimante r;
    const char* accepte = cupsGetOption("printer-is-accepting-jobs", d->num_options, d->options);
    if (accepte && std::strcmp(accepte, "false") == 0) {
      r.Accepte = false;
      const char* message = cupsGetOption("printer-state-message", d->num_options, d->options);
      const char* raisons = cupsGetOption("printer-state-reasons", d->num_options, d->options);
      r.Raison = QString::fromLocal8Bit(message && *message ? message : raisons && *raisons ? raisons : "");
      if (r.Raison.isEmpty()) r.Raison = QStringLiteral("printer-is-accepting-jobs: false");
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
