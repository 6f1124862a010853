#include "settings/Aide.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QUrl>

#include "platform/Folders.h"
#include "settings/Langue.h"
#include "settings/Mess.h"

QString NomFichierAide(int langueAide) {
  switch (langueAide) {
    case 2:
      return QStringLiteral("Vexo_en");
    case 3:
      return QStringLiteral("Vexo_de");
    default:
      return QStringLiteral("Vexo_fr");
  }
}

void OuvrirAide(const QString& page, const QString& sujet) {
  const QString chemin = DossierProgramme() + QStringLiteral("help/") + page + QStringLiteral(".html");
  QUrl url = QUrl::fromLocalFile(chemin);
  if (!sujet.isEmpty()) url.setFragment(sujet);
  if (QFileInfo::exists(chemin) && QDesktopServices::openUrl(url)) return;
  MessageBoxD(TexteLangue("Dlg-Information"), TexteLangue("Aide-NonDisponible"), MB_ICONE_INFORMATION, MB_OK,
              MB_DEF_OK);
}
