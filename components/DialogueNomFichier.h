#pragma once
// The file dialog of the whole program. Every dialog that names a file is one of these: Qt's own
// dialog (never the desktop's, which lists on its own terms), whose icons and Type column come from
// each name and the file's kind, never from its contents. Qt's default fills the Type column by
// reading the start of every file listed, on the window's thread: a file whose read waits (the
// kernel log in /proc) or never ends would freeze the editor as soon as its folder is shown.
#include <QFileDialog>

class TDialogueNomFichier : public QFileDialog {
 public:
  // chemin: the folder to open on, or a file whose folder it opens on with its name proposed.
  explicit TDialogueNomFichier(QWidget* parent = nullptr, const QString& titre = {}, const QString& chemin = {},
                            const QString& filtre = {});
};

// The file chosen to be read; empty when the dialog is cancelled.
QString NomFichierAOuvrir(QWidget* parent, const QString& titre, const QString& chemin, const QString& filtre,
                          QFileDialog::Options options = QFileDialog::ReadOnly);
// The name chosen to be written, as typed: whether it exists is the caller's question.
QString NomFichierAEnregistrer(QWidget* parent, const QString& titre, const QString& chemin, const QString& filtre);
