#include "song/MarkTexts.h"

#include <algorithm>

#include "song/Song.h"

QString TexteFrette(int frette, int nuance) {
  QString t = frette == FRETTE_MORTE ? QStringLiteral("x") : QString::number(frette);
  if (nuance <= 4) t = QLatin1Char('(') + t + QLatin1Char(')');
  return t;
}

QString TexteNomAccord(const TAccord& accord) {
  QString nom = AnsiToQString(accord.Nom.view());
  for (int s = 1; s <= 6; ++s)
    if (accord.Frettes[s] != -1) return QLatin1Char('[') + nom + QLatin1Char(']');
  return nom;
}

QString TexteQuantite(double v, QChar separateur) {
  if (v == 0.25) return QStringLiteral("1/4");
  if (v == 0.5) return QStringLiteral("1/2");
  if (v == 0.75) return QStringLiteral("3/4");
  QString t = QString::number(v, 'g', 15);
  if (separateur != QLatin1Char('.')) t.replace(QLatin1Char('.'), separateur);
  return t;
}

QString TexteRepetition(int premier, int numRepetition, const QString& motA) {
  QString t = QString::number(premier);
  if (premier != numRepetition)
    t += QLatin1Char(' ') + motA + QLatin1Char(' ') + QString::number(numRepetition);
  return t;
}

int PremierPassageFin(const TPartition& p, int mesure) {
  // Walk back to the nearest earlier ending of the same repeat; a repeat-open bar, or a
  // repeat-close bar other than the one just before, ends the repeat first.
  for (int i = std::min(mesure, std::min(p.NbMesures, NB_MESURES_MAX) + 1) - 1; i >= 1; --i) {
    const TMesure* mi = p.Mesure(i);
    if (!mi) break;
    if (mi->RenvoiFin && i != mesure - 1) break;
    if (mi->Repetition && !mi->RenvoiDebut) return mi->NumRepetition + 1;
    if (mi->RenvoiDebut) break;
  }
  return 1;
}
