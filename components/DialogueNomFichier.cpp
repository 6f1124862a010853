#include "components/DialogueNomFichier.h"

#include <QFileIconProvider>
#include <QMimeDatabase>
#include <sys/stat.h>

namespace {
// Icons and types from what a look at the name gives (stat, never an open): a folder, a drive, a
// file typed by its extension, a FIFO or a device by its kind.
class TIconesSansLecture : public QFileIconProvider {
 public:
  using QFileIconProvider::icon;
  QIcon icon(const QFileInfo& info) const override {
    if (info.isRoot()) return icon(Drive);
    return icon(info.isDir() ? Folder : File);
  }
  QString type(const QFileInfo& info) const override {
    if (info.isRoot()) return QStringLiteral("Drive");
    if (info.isDir()) return QStringLiteral("Folder");
    const QMimeDatabase mimes;
    QMimeType sorte;
    struct stat st {};
    if (info.isFile() || ::stat(QFile::encodeName(info.absoluteFilePath()).constData(), &st) != 0)
      sorte = mimes.mimeTypeForFile(info.fileName(), QMimeDatabase::MatchExtension);
    else if (S_ISFIFO(st.st_mode))
      sorte = mimes.mimeTypeForName(QStringLiteral("inode/fifo"));
    else if (S_ISCHR(st.st_mode))
      sorte = mimes.mimeTypeForName(QStringLiteral("inode/chardevice"));
    else if (S_ISBLK(st.st_mode))
      sorte = mimes.mimeTypeForName(QStringLiteral("inode/blockdevice"));
    else if (S_ISSOCK(st.st_mode))
      sorte = mimes.mimeTypeForName(QStringLiteral("inode/socket"));
    if (!sorte.isValid()) return QStringLiteral("Unknown");
    return sorte.comment().isEmpty() ? sorte.name() : sorte.comment();
  }
};

// Shared by every dialog and never freed before them: the model's threads may still ask it while a
// dialog goes.
const TIconesSansLecture& Icones() {
  static const TIconesSansLecture icones;
  return icones;
}
}  // namespace

TDialogueNomFichier::TDialogueNomFichier(QWidget* parent, const QString& titre, const QString& chemin,
                                   const QString& filtre)
    : QFileDialog(parent, titre, chemin, filtre) {
  // Before the dialog shows or lists anything further: the listing of its first folder reaches
  // the types on the window's thread only from the event loop.
  setOption(DontUseNativeDialog);
  setIconProvider(const_cast<TIconesSansLecture*>(&Icones()));
}

QString NomFichierAOuvrir(QWidget* parent, const QString& titre, const QString& chemin, const QString& filtre,
                          QFileDialog::Options options) {
  TDialogueNomFichier d(parent, titre, chemin, filtre);
  d.setFileMode(QFileDialog::ExistingFile);
  d.setOptions(options | QFileDialog::DontUseNativeDialog);
  if (d.exec() != QDialog::Accepted) return {};
  return d.selectedFiles().value(0);
}

QString NomFichierAEnregistrer(QWidget* parent, const QString& titre, const QString& chemin, const QString& filtre) {
  TDialogueNomFichier d(parent, titre, chemin, filtre);
  d.setAcceptMode(QFileDialog::AcceptSave);
  d.setFileMode(QFileDialog::AnyFile);
  d.setOption(QFileDialog::DontConfirmOverwrite);
  if (d.exec() != QDialog::Accepted) return {};
  return d.selectedFiles().value(0);
}
