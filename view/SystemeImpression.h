#pragma once
// The print system as the program meets it: the printers there are, what each offers (its papers
// and the margins its hardware cannot print in), whether one takes a job now, and whether the job
// the toolkit handed over last reached it. The toolkit submits a job when painting ends and keeps
// any refusal to itself, so a print that did not happen is found out here. Tests install a print
// system of their own, so that nothing depends on the machine's printers.
#include <QList>
#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <QString>
#include <QStringList>
#include <memory>

class QPrinter;

// Whether a printer takes a job, and the system's reason when it does not.
struct TEtatImprimante {
  bool Accepte = true;
  QString Raison;
};

class TSystemeImpression {
 public:
  virtual ~TSystemeImpression() = default;
  // The printers' names; empty where the machine has none (the job then writes a PDF file).
  virtual QStringList Imprimantes() const = 0;
  virtual QString ImprimanteParDefaut() const = 0;
  // The papers a printer offers, its own first; a PDF file (empty name) offers the common ones.
  virtual QList<QPageSize> Papiers(const QString& imprimante) const = 0;
  // The margins in mm the printer cannot print in, for a paper and an orientation.
  virtual QMarginsF MargesMateriel(const QString& imprimante, const QPageSize& papier,
                                   QPageLayout::Orientation orientation) const = 0;
  // Points the program's printer at a printer (a name of Imprimantes()).
  virtual void Selectionner(QPrinter& printer, const QString& imprimante) const = 0;
  // Before a job: whether the printer the job goes to takes it now. A file always does.
  virtual TEtatImprimante Etat(const QPrinter& printer) const = 0;
  // After a job the toolkit handed over: empty when it reached the print system, else the
  // system's reason. A file says nothing here (its writer says what went wrong).
  virtual QString ErreurTravail(const QPrinter& printer) const = 0;
};

TSystemeImpression& SystemeImpression();
// Tests: the print system to use from now on; none puts the machine's back.
void InstallerSystemeImpression(std::unique_ptr<TSystemeImpression> systeme);

// The page layout of a printer for a paper and an orientation: its hardware margins, no more.
QPageLayout PagePourImprimante(const QString& imprimante, const QPageSize& papier,
                               QPageLayout::Orientation orientation);
