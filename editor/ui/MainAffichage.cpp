// The Display and Help side of the main window: its translation and the language menus.
#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QFileInfo>
#include <QMenu>

#include "dialogs/Apropos.h"
#include "editor/state/EtatProgramme.h"
#include "editor/ui/Main.h"
#include "editor/EditZoneModel.h"
#include "editor/state/RedessinSaisie.h"
#include "settings/Aide.h"
#include "settings/Config.h"
#include "settings/Langue.h"
#include "settings/LanguesConnues.h"
#include "settings/Mess.h"
#include "settings/ui/Pref.h"
#include "settings/ui/Traduction.h"

// ---- Translation ----
void TForm1::TraduireFenetrePrincipale() {
  AppliquerTraductionPrincipale(CalculerTraductionPrincipale(LignesPatch, PlanMenus(menuBar(), Menus.PopupMenuAff, *this)), *this,
                               this);
  DisposerControles();  // the status labels follow their new texts' widths
}

// ---- Language menu ----
void TForm1::ConstruireMenuLangues() {
  QMenu* menu = Menus.Mn_Options_LangueLog;
  menu->clear();
  auto* groupe = new QActionGroup(menu);
  for (int i = 0; i < ListeLangues.size(); ++i) {
    QAction* item = menu->addAction(ListeLangues[i]);
    item->setCheckable(true);
    item->setData(i);
    groupe->addAction(item);
    connect(item, &QAction::triggered, this, [this, i] { Mn_Options_LangueLogNClick(i); });
  }
  CocherLangueCourante();
}

void TForm1::CocherLangueCourante() {
  for (QAction* item : Menus.Mn_Options_LangueLog->actions()) item->setChecked(item->text() == PatcheLangue);
}

void TForm1::Mn_Options_LangueLogNClick(int indice) {
  if (indice < 0 || indice >= ListeLangues.size()) return;
  QApplication::setOverrideCursor(Qt::WaitCursor);
  // Every window, this one first, takes its texts again as the language loads.
  if (!ChangerLangue(ListeLangues[indice])) {
    // The file went since the menu was made: the language in force stays, and stays checked.
    CocherLangueCourante();
    QApplication::restoreOverrideCursor();
    MessageBoxD(TexteLangue("Dlg-Erreur"),
                RemplacerParam1(TexteLangue("Fichier-Introuvable"), ListeLangues[indice] + QStringLiteral(".sqg")),
                MB_ICONE_ERREUR, MB_OK, MB_DEF_OK);
    return;
  }
  RetraduireTitre();
  if (const TLangueConnue* langue = LangueConnue(PatcheLangue)) {
    LangueAide = langue->Aide;
    CocherLangueAide();
  }
  CocherLangueCourante();
  QApplication::restoreOverrideCursor();
}

void TForm1::CocherLangueAide() {
  if (LangueConnueAide(LangueAide) && Menus.Mn_Aide_Langue[LangueAide]) Menus.Mn_Aide_Langue[LangueAide]->setChecked(true);
}

void TForm1::RetraduireTitre() {
  if (NomFichier.isEmpty()) {
    CheminFichier = TexteLangue("Fichier-SansNom");
    setWindowTitle(TitreProgramme + QStringLiteral(" - ") + QFileInfo(CheminFichier).fileName());
  }
  AfficherEtatMesure();
}

// ---- Options and help commands ----
void TForm1::BrancherCommandesAffichage() {
  // The dialog puts back what Look and Preview changed when it is not confirmed.
  DefinirExecute(&TForm1::Ac_Options_Preferences, [this] { ExecuterPreferences(this, PAGE_GENERAL); });
  DefinirExecute(&TForm1::Ac_Aide_Index, [] { OuvrirAide(NomFichierAide(LangueAide)); });
  // The command keeps its translated caption afterwards.
  DefinirExecute(&TForm1::Ac_Aide_APropos, [this] { MontrerApropos(this); });
}

// The preferences changed the screen layout: the bands take the new sizes, then the view is laid
// out again (the current measure is re-based as after a resize).
void TForm1::ScreenLayoutChanged() { RedimensionnerVuePartition(); }
