#include "settings/Aide.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QUrl>

#include "platform/Folders.h"
#include "settings/Langue.h"
#include "settings/LanguesConnues.h"
#include "settings/Mess.h"

QString NomFichierAide(int langueAide) {
  const TLangueConnue* langue = LangueConnueAide(langueAide);
  if (!langue) langue = LangueConnueAide(LANGUE_AIDE_DEFAUT);
  return QStringLiteral("Vexo_") + QLatin1String(langue->Code);
}

void OuvrirAide(const QString& page, const QString& sujet) {
  const QString chemin = DossierProgramme() + QStringLiteral("help/") + page + QStringLiteral(".html");
  QUrl url = QUrl::fromLocalFile(chemin);
  if (!sujet.isEmpty()) url.setFragment(sujet);
  if (QFileInfo::exists(chemin) && QDesktopServices::openUrl(url)) return;
  MessageBoxD(TexteLangue("Dlg-Information"), TexteLangue("Aide-NonDisponible"), MB_ICONE_INFORMATION, MB_OK,
              MB_DEF_OK);
}
