#pragma once
// The program's message box: its buttons carry the captions of the loaded language file and its
// size follows the text.
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>
#include <QStringList>
#include <functional>

enum { MB_ICONE_ATTENTION = 0, MB_ICONE_ERREUR = 1, MB_ICONE_INFORMATION = 2, MB_ICONE_QUESTION = 3 };
enum { MB_OUI = 1, MB_NON = 2, MB_OK = 4, MB_ANNULER = 8 };                       // button set
enum { MB_DEF_OUI = 0, MB_DEF_NON = 1, MB_DEF_OK = 2, MB_DEF_ANNULER = 3 };        // default button
enum { ID_OK = 1, ID_ANNULER = 2, ID_OUI = 6, ID_NON = 7 };                        // results
enum { MB_CENTRE = 0, MB_COIN = 1 };                                                // placement

class QDialog;
class QFontMetrics;

struct TDemandeMessage {
  QString Titre, Texte;
  int Icone = 0, Boutons = MB_OK, Defaut = MB_DEF_OK, Placement = MB_CENTRE;
};

// Shows the box modally and returns the button pressed (ID_OUI, ID_NON, ID_OK, ID_ANNULER);
// the close box gives ID_ANNULER. placement MB_COIN puts it near the top-left corner of the
// screen instead of its centre.
int MessageBoxD(const QString& titre, const QString& texte, int icone, int boutons, int defaut, int placement = MB_CENTRE);
// The box MessageBoxD shows, laid out and not yet shown; its buttons are named BT_OK, BT_Oui,
// BT_Non and BT_Annuler. The caller owns it.
QDialog* CreerBoiteMessage(const QString& titre, const QString& texte, int icone, int boutons, int defaut,
                           int placement = MB_CENTRE);

// Tests (and headless runs) answer message boxes through this hook instead of showing them.
using TReponseMessage = std::function<int(const TDemandeMessage&)>;
void InstallerReponseMessage(TReponseMessage reponse);  // empty function = show real boxes again

// The error box of a value out of range ("Dlg-SaisieIncorrecte").
void AfficherSaisieIncorrecte();
// The error box of a file that could not be written and was left as it was: its name and the
// reason ("Fichier-EcritureImpossible").
void AfficherEcritureImpossible(const QString& chemin, const QString& raison);

// ---- What the box computes, free of widgets ----

// The four buttons in the order they stand from left to right.
enum { BOUTON_OK = 0, BOUTON_OUI = 1, BOUTON_NON = 2, BOUTON_ANNULER = 3, NB_BOUTONS_MESSAGE = 4 };
// Set bit and result of each button of that order.
int BitBouton(int bouton);
int ResultatBouton(int bouton);

// Splits the text into the lines the box shows: line breaks (CR LF, CR, LF) always break, and a
// line breaks between words so that it stays within largeurMax; a word wider than that stands
// alone on its line. `largeur` measures a text in pixels.
QStringList CouperLignesMessage(const QString& texte, int largeurMax, const std::function<int(const QString&)>& largeur);

// Height the box gives its lines of text in that font: what the painter lays them out in, whose
// line advance is fractional and so can exceed the rounded line spacing on every line.
int HauteurTexteMessage(const QStringList& lignes, const QFontMetrics& fm);

struct TGeometrieMessage {
  QRect Texte;                        // the text, in client coordinates
  QRect Icone;                        // the icon shown; empty when none
  QRect Boutons[NB_BOUTONS_MESSAGE];  // the buttons shown (others empty), in client coordinates
  QSize Client;                       // client area
  QPoint Position;                    // top-left corner of the window on the screen
};
// Layout at `dpi` pixels per inch of a text whose wrapped size is `texte`, with the given icon
// kind and button set. `cadre` is what the window frame adds to the client size.
TGeometrieMessage CalculerGeometrieMessage(int dpi, QSize texte, int icone, int boutons, int placement, QSize ecran,
                                           QSize cadre = QSize(0, 0));
// The button that gets the focus: the default one when shown, else the first shown; -1 for none.
int BoutonFocusMessage(int boutons, int defaut);
// What Escape gives: Cancel when shown, else No when shown, else 0 (nothing happens).
int ReponseEchapMessage(int boutons);
// Button captions (OK, Yes, No, Cancel order) from the language file, with accelerators given in
// the order OK, Cancel, Yes, No to the buttons shown.
void LegendesBoutonsMessage(int boutons, QString legendes[NB_BOUTONS_MESSAGE]);
