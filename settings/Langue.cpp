#include "settings/Langue.h"

#include <QHash>

QStringList LignesPatch;
QStringList ListeLangues;
QString PatcheLangue;
QString AuteurPatche;
bool RaccourcisAuto = false;

static QHash<QString, QString>& Table() {
  static QHash<QString, QString> table;
  return table;
}

void DefinirTexteLangue(const QString& cle, const QString& texte) { Table().insert(cle, texte); }

QString TexteLangue(const QString& cle) {
  auto it = Table().constFind(cle);
  return it == Table().constEnd() ? cle : it.value();
}

QString RemplacerTexte(const QString& texte, const QString& motif, const QString& valeur) {
  int i = texte.indexOf(motif);
  if (i < 0 || motif.isEmpty()) return texte;
  QString r = texte;
  r.replace(i, motif.size(), valeur);
  return r;
}

QString RemplacerParam1(const QString& texte, const QString& valeur) { return RemplacerTexte(texte, "#1", valeur); }
QString RemplacerParam1(const QString& texte, int valeur) { return RemplacerParam1(texte, QString::number(valeur)); }
QString RemplacerParam1et2(const QString& texte, const QString& v1, const QString& v2) {
  return RemplacerTexte(RemplacerTexte(texte, "#1", v1), "#2", v2);
}
QString RemplacerParam1et2(const QString& texte, int v1, int v2) {
  return RemplacerParam1et2(texte, QString::number(v1), QString::number(v2));
}

QString AjouterRaccourci(const QString& caption, QSet<QChar>& utilisees) {
  if (!RaccourcisAuto) return caption;
  for (int i = 0; i < caption.size(); ++i) {
    QChar c = caption[i];
    if (c.isDigit() || c == '.' || c.isSpace() || c == '&') continue;
    QChar k = c.toUpper();
    if (utilisees.contains(k)) continue;
    utilisees.insert(k);
    QString r = caption;
    r.insert(i, '&');
    return r;
  }
  return caption;
}
