#pragma once
// The program's tool windows: small palettes and assistants that stay on top of the main window.
// Two rules hold for them. A tool window hidden and shown again comes back where the user put it
// (a dialog is otherwise centred again over its parent on every showing). And no tool window ever
// covers a modal dialog: a modal window shown while one of them is on screen is given the same
// stay-on-top layer, where, shown last, it stands above them.
// Also the one placement of the windows that open centred on the screen.
#include <QMargins>

class QPoint;
class QRect;
class QSize;
class QWidget;

// Follows a tool window for both rules; when it is hidden while it holds the keyboard, its parent
// window takes the activation back, as a window manager does when its own close button is used.
void SuivreFenetreOutil(QWidget* fenetre);

// Once per program: modal windows shown from now on stand above the visible tool windows.
void PlacerDialoguesModauxAuDessus();

// Centres the window, frame included, on the screen's work area each time it shows, where a dialog
// would otherwise centre itself over its parent. Call it after the window's placement storage, if
// any, is attached: a stored place then wins over the centre.
void CentrerSurEcran(QWidget* fenetre);
// The top-left corner of the client area of a window of that client size whose frame, of those
// margins, is centred on that area (halves to even).
QPoint PositionCentree(const QRect& ecran, const QSize& client, const QMargins& cadre);
