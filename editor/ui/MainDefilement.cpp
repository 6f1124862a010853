// The main window's side of the edit zone's sideways scrolling.
#include <QScrollBar>
#include <QSignalBlocker>

#include "editor/DefilementSaisie.h"
#include "song/Song.h"
#include "editor/state/EtatEdition.h"
#include "editor/state/EtatProgramme.h"
#include "editor/ui/Main.h"
#include "editor/EditZoneModel.h"
#include "editor/state/RedessinSaisie.h"

namespace {
// Beats that take room in the edit zone: the used ones, and the input slot while the cursor is on it.
int TempsAffiches() {
  const TMesure* m = Partition.Courante();
  if (!m) return 0;
  const int n = m->NbTemps[PisteCourante];
  return Curseur.Temps == n + 1 ? n + 1 : n;
}

bool DefilementPossible() { return !FermetureEnCours && Partition.Courante(); }
}  // namespace

void TForm1::CalculerDefilementSaisie() {
  if (!DefilementPossible() || !PanelZoneSaisie) return;
  const TDefilementSaisie d =
      CalculerDefilement(PanelZoneSaisie->width(), Curseur.XSaisie, Curseur.EcartTemps, TempsAffiches());
  Curseur.NbTempsVisibles = d.NbTempsVisibles;
  Curseur.DecalageMax = d.DecalageMax;
  ScrollBarZoneSaisie->setMaximum(d.Maximum);
  ScrollBarZoneSaisie->setPageStep(std::max(1, d.PasPage));
  ScrollBarZoneSaisie->setEnabled(d.Actif);
}

void TForm1::AjusterLargeurSaisie() {
  if (!DefilementPossible() || !PanelZoneSaisie) return;
  const int largeur =
      CalculerDefilement(PanelZoneSaisie->width(), Curseur.XSaisie, Curseur.EcartTemps, TempsAffiches()).LargeurSaisie;
  if (largeur == Curseur.LargeurSaisie) return;
  Curseur.LargeurSaisie = largeur;
  RafraichirZoneSaisie();
}

void TForm1::MontrerCurseurSaisie() {
  if (!DefilementPossible() || !ScrollBarZoneSaisie) return;
  const int position =
      PositionPourCurseur(ScrollBarZoneSaisie->value(), Curseur.Temps, Curseur.NbTempsVisibles);
  if (position != ScrollBarZoneSaisie->value())
    ScrollBarZoneSaisie->setValue(position);
  else
    ScrollBarZoneSaisieChange();
}

void TForm1::ScrollBarZoneSaisieChange() {
  if (ZoneSaisie) ZoneSaisie->move(-ScrollBarZoneSaisie->value() * Curseur.EcartTemps, ZoneSaisie->y());
}

void TForm1::AjusterDefilementSaisie() {
  CalculerDefilementSaisie();
  AjusterLargeurSaisie();
  MontrerCurseurSaisie();
}
