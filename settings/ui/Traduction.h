#pragma once
// Translation of the main window: menu captions, button hints and file-dialog filters from the
// group "MN_000" of the language file, with automatic accelerators given menu by menu.
#include <QHash>
#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>

struct TActionsPrincipales;
class QMenu;
class QMenuBar;
class QWidget;

// Title and filter of one file dialog; the file commands read them when they open the dialog.
struct TDialogueFichier {
  QString Title;
  QString Filter;  // "Name (*.ext)|*.ext|..." pairs, as the language texts give them
};
// Songs (1), MIDI (2), ASCII tablature (3).
extern TDialogueFichier OpenDialog1, SaveDialog1, OpenDialog2, SaveDialog2, OpenDialog3, SaveDialog3;
// A filter of description|pattern pairs in the form Qt's file dialogs take ("Name (*.ext);;...").
QString FiltreQt(const QString& filtre);

struct TTraductionPrincipale {
  bool Trouve = false;               // the group "MN_000" exists
  QHash<QString, QString> Captions;  // menu item or menu name -> caption (Mn_Fichier, Mn_Note_Croche, Mn2_Edition_Couper)
  QHash<QString, QString> Hints;     // button name -> hint (Bt_Fichier_Nouveau, BT_DynaForm)
  TDialogueFichier Dialogues[7];     // [1..6]: OpenDialog1, SaveDialog1, OpenDialog2, SaveDialog2, OpenDialog3, SaveDialog3
};

// Marks a menu of the main window for its translation: the line of "MN_000" that gives its title,
// and whether that title takes an accelerator among the items beside it.
void MarquerMenu(QMenu* menu, int ligne, bool raccourci);

// The main menu as its translation reads it, taken from the built menus so that it cannot differ
// from them.
struct TPlanMenus {
  QList<QPair<QString, int>> Lignes;  // marked menu -> its line
  // The captions that take accelerators, group by group, each group with its own used letters and
  // in menu order: the menu bar, then each menu with its marked submenus after it. An item takes
  // one when it takes a translated caption.
  QList<QStringList> Raccourcis;
};
// Walks the menu bar and the popup menu, whose items are named "Mn2_" in place of "Mn_"; an item is
// one of the commands (actions) by its QAction.
TPlanMenus PlanMenus(const QMenuBar* barre, const QMenu* popup, const TActionsPrincipales& actions);

// Computes the main window's texts from the lines of a language file (the accelerator switch and
// the message texts come from the loaded language).
TTraductionPrincipale CalculerTraductionPrincipale(const QStringList& lignes, const TPlanMenus& plan);
// Puts the texts on the actions, the menus found under the window and the file dialogs.
// Nothing changes when the group is missing.
void AppliquerTraductionPrincipale(const TTraductionPrincipale& t, TActionsPrincipales& a, QWidget* fenetre);

// The language change while the windows exist: ChargerLangue, then every window takes its texts
// again in its change handler, the main window first. False, and nothing changed, when the
// language's file cannot be read.
bool ChangerLangue(const QString& nom);
