#pragma once
// The program's message box.
#include <QString>
#include <functional>

enum { MB_ICONE_ATTENTION = 0, MB_ICONE_ERREUR = 1, MB_ICONE_INFORMATION = 2, MB_ICONE_QUESTION = 3 };
enum { MB_OUI = 1, MB_NON = 2, MB_OK = 4, MB_ANNULER = 8 };                       // button set
enum { MB_DEF_OUI = 0, MB_DEF_NON = 1, MB_DEF_OK = 2, MB_DEF_ANNULER = 3 };        // default button
enum { ID_OK = 1, ID_ANNULER = 2, ID_OUI = 6, ID_NON = 7 };                        // results
enum { MB_CENTRE = 0, MB_COIN = 1 };                                                // placement

struct TDemandeMessage {
  QString Titre, Texte;
  int Icone = 0, Boutons = MB_OK, Defaut = MB_DEF_OK, Placement = MB_CENTRE;
};

int MessageBoxD(const QString& titre, const QString& texte, int icone, int boutons, int defaut, int placement = MB_CENTRE);

// Tests (and headless runs) answer message boxes through this hook instead of showing them.
using TReponseMessage = std::function<int(const TDemandeMessage&)>;
void InstallerReponseMessage(TReponseMessage reponse);  // empty function = show real boxes again

// The error box of a value out of range ("Dlg-SaisieIncorrecte").
void AfficherSaisieIncorrecte();
