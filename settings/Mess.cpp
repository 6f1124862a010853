#include "settings/Mess.h"

#include <QMessageBox>

#include "settings/Langue.h"

static TReponseMessage& Reponse() {
  static TReponseMessage r;
  return r;
}

void InstallerReponseMessage(TReponseMessage reponse) { Reponse() = std::move(reponse); }

int MessageBoxD(const QString& titre, const QString& texte, int icone, int boutons, int defaut, int placement) {
  if (Reponse()) return Reponse()(TDemandeMessage{titre, texte, icone, boutons, defaut, placement});
  QMessageBox box;
  box.setWindowTitle(titre);
  box.setText(texte);
  QMessageBox::StandardButtons b;
  if (boutons & MB_OUI) b |= QMessageBox::Yes;
  if (boutons & MB_NON) b |= QMessageBox::No;
  if (boutons & MB_OK) b |= QMessageBox::Ok;
  if (boutons & MB_ANNULER) b |= QMessageBox::Cancel;
  box.setStandardButtons(b);
  int r = box.exec();
  switch (r) {
    case QMessageBox::Yes: return ID_OUI;
    case QMessageBox::No: return ID_NON;
    case QMessageBox::Cancel: return ID_ANNULER;
    default: return ID_OK;
  }
}

void AfficherSaisieIncorrecte() {
  MessageBoxD(TexteLangue("Dlg-Erreur"), TexteLangue("Dlg-SaisieIncorrecte"), MB_ICONE_ERREUR, MB_OK, MB_DEF_OK);
}
