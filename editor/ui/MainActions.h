#pragma once
// Building the main window's actions, menus, toolbar and edit-zone buttons from the command table.
#include <QList>
#include <utility>
#include <vector>

#include "editor/Actions.h"

class QMenu;
class QMenuBar;
class TVxToolbar;
class QToolButton;
class QWidget;

// Creates the 99 QActions as children of the window (so that their shortcuts work whether or not a
// menu shows them), with captions, shortcuts, tags, hints, glyphs and starting states.
// A checkable action flips its check mark before "triggered"; the binding puts it back before
// calling the handler, so handlers see the state the user saw and the refresh sets it afterwards.
void CreerActions(QWidget* fenetre, TActionsPrincipales& a);

// The main menu: the ten top menus, their submenus (named Mn_Fichier_Importer, Mn_Dyna...), the
// recent-file and help-language items and the score view's popup menu.
struct TMenusPrincipaux {
  QMenu *Mn_Fichier = nullptr, *Mn_Edition = nullptr, *Mn_Piste = nullptr, *Mn_Mesure = nullptr,
        *Mn_Note = nullptr, *Mn_Effets = nullptr, *Mn_Assistants = nullptr, *Mn_Son = nullptr,
        *Mn_Affichage = nullptr, *Mn_Aide = nullptr;
  QMenu *Mn_Fichier_Importer = nullptr, *Mn_Fichier_Exporter = nullptr, *Mn_Dyna = nullptr,
        *Mn_Options_LangueLog = nullptr, *Mn_Affichage_HelpLanguage = nullptr;
  QAction* Mn_Fichier_DernierFichier[6] = {};  // [1..5]
  QAction* Separateur = nullptr;
  QAction* Mn_Aide_Langue[4] = {};  // the help-language items, by the help language each selects
  QMenu* PopupMenuAff = nullptr;    // right button on the score view
};
// Adds the ten top menus, Mn_Fichier ... Mn_Aide, to the menu bar (the window does it first, so that
// they stand first among its children). Each menu and submenu carries its caption line of the
// language file; the translation walks the built menus for them and for the accelerator order.
void CreerMenusPrincipaux(QMenuBar* barre, TMenusPrincipaux& m);
// Fills the main menu with the actions; the top menus are created first when they are missing.
void ConstruireMenus(QMenuBar* barre, TActionsPrincipales& a, TMenusPrincipaux& m);

// Adds the toolbar buttons to the toolbar, in table order.
void ConstruireBarreOutils(TVxToolbar* barre, TActionsPrincipales& a);
// Creates the edit-zone panel buttons (Note, Mesure, Effets, Bt_Ass_Solfege, Bt_Edition_TableMix)
// as children of the panel, named after the action; the caller lays them out.
QList<QToolButton*> ConstruireBoutonsPanneau(QWidget* panneau, TActionsPrincipales& a);
// The command images the main window's first paint shows (image index, pixel size), toolbar first.
std::vector<std::pair<int, int>> ImagesPremierePeinture();
