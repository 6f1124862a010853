#pragma once
// A print system of the tests' own, installed for the life of the object: printers with the margins,
// the state before a job and the reason after it that a test gives them. The printer a set-up
// selects is only noted, so the program's printer stays as the test made it.
#include <QPrinter>

#include "view/SystemeImpression.h"

struct TImprimanteFactice {
  QString Nom;
  QMarginsF Marges;
  TEtatImprimante Etat;
  QString ErreurApres;
};

struct TSystemeFactice : TSystemeImpression {
  QList<TImprimanteFactice> Liste;
  mutable QString Choisie;
  TImprimanteFactice Trouver(const QString& nom) const {
    for (const auto& i : Liste)
      if (i.Nom == nom) return i;
    return {};
  }
  QStringList Imprimantes() const override {
    QStringList n;
    for (const auto& i : Liste) n << i.Nom;
    return n;
  }
  QString ImprimanteParDefaut() const override { return Imprimantes().value(0); }
  QList<QPageSize> Papiers(const QString&) const override { return {QPageSize(QPageSize::A4)}; }
  QMarginsF MargesMateriel(const QString& n, const QPageSize&, QPageLayout::Orientation) const override {
    return Trouver(n).Marges;
  }
  void Selectionner(QPrinter&, const QString& nom) const override { Choisie = nom; }
  TEtatImprimante Etat(const QPrinter&) const override { return Trouver(Choisie).Etat; }
  QString ErreurTravail(const QPrinter&) const override { return Trouver(Choisie).ErreurApres; }
};

struct SystemeImpressionFactice {
  explicit SystemeImpressionFactice(QList<TImprimanteFactice> liste) {
    auto s = std::make_unique<TSystemeFactice>();
    s->Liste = std::move(liste);
    systeme = s.get();
    InstallerSystemeImpression(std::move(s));
  }
  ~SystemeImpressionFactice() { InstallerSystemeImpression(nullptr); }
  TSystemeFactice* systeme;
};
