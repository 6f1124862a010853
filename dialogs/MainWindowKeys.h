#pragma once
// The tool windows that hold no text field (the dynamics palette, the notation assistant) type
// into the main window: their keys are the editor's.

class QKeyEvent;
class QWidget;

// Gives a key press or release that came to tool window `outil` to the focused control of the
// window it belongs to, as if typed there. The copy keeps the scan code, virtual key and modifiers
// (the editor knows the digit row by its position, whatever the layout), and the release goes too,
// since it ends what the press began (a held-key scroll). False when there is nowhere to give it.
bool PassKeyToMainWindow(QWidget* outil, const QKeyEvent* e);
