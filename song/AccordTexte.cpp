#include "song/AccordTexte.h"

#include <string>

#include "platform/Types.h"

namespace {
// Where each value may lie; anything else in a stored entry means the entry is damaged.
constexpr int kFretteMax = 24;

char Drapeau(bool b) { return b ? 'O' : 'N'; }
char Code(int valeur, int base) { return static_cast<char>(std::clamp(valeur + base, 0, 255)); }
int Valeur(char c, int base) { return static_cast<unsigned char>(c) - base; }
bool Dans(int v, int bas, int haut) { return v >= bas && v <= haut; }
}  // namespace

QString EncoderAccord(const TAccord& a) {
  std::string s;
  s.reserve(LONGUEUR_FIXE_ACCORD + 6 + a.Nom.length());
  s += Drapeau(a.Diese);
  s += Drapeau(a.Add);
  for (int d = 1; d <= 7; ++d) s += Drapeau(a.Degres[d]);
  for (int v : {a.Fondamentale, a.Typ, a.NeufOnzeTreize, a.DimAug, a.Quinte, a.Neuf, a.Onze, a.FretteBase, a.NbBarres})
    s += Code(v, 65);
  s += Code(a.Basse, 66);
  for (int c = 1; c <= 6; ++c) s += Code(a.Frettes[c], 66);
  int nb = std::clamp(a.NbBarres, 0, 2);
  for (int b = 1; b <= nb; ++b) {
    s += Code(a.FretteBarre[b], 65);
    s += Code(a.CordeDebutBarre[b], 65);
    s += Code(a.CordeFinBarre[b], 65);
  }
  s += a.Nom.view();
  return AnsiToQString(s);
}

bool DecoderAccord(const QString& texte, TAccord& sortie) {
  const std::string s = QStringToAnsi(texte);
  if (static_cast<int>(s.size()) < LONGUEUR_FIXE_ACCORD) return false;
  TAccord a;
  int p = 0;
  a.Diese = s[p++] == 'O';
  a.Add = s[p++] == 'O';
  for (int d = 1; d <= 7; ++d) a.Degres[d] = s[p++] == 'O';
  a.Fondamentale = Valeur(s[p++], 65);
  a.Typ = Valeur(s[p++], 65);
  a.NeufOnzeTreize = Valeur(s[p++], 65);
  a.DimAug = Valeur(s[p++], 65);
  a.Quinte = Valeur(s[p++], 65);
  a.Neuf = Valeur(s[p++], 65);
  a.Onze = Valeur(s[p++], 65);
  a.FretteBase = Valeur(s[p++], 65);
  a.NbBarres = Valeur(s[p++], 65);
  a.Basse = Valeur(s[p++], 66);
  for (int c = 1; c <= 6; ++c) a.Frettes[c] = Valeur(s[p++], 66);

  if (!Dans(a.Fondamentale, 0, 12) || !Dans(a.Typ, 0, 14) || !Dans(a.NeufOnzeTreize, 0, 3) ||
      !Dans(a.DimAug, 0, 2) || !Dans(a.Quinte, 0, 2) || !Dans(a.Neuf, 0, 2) || !Dans(a.Onze, 0, 2) ||
      !Dans(a.FretteBase, 1, 20) || !Dans(a.NbBarres, 0, 2) || !Dans(a.Basse, -1, 11))
    return false;
  for (int c = 1; c <= 6; ++c)
    if (!Dans(a.Frettes[c], -1, kFretteMax)) return false;

  if (static_cast<int>(s.size()) < LONGUEUR_FIXE_ACCORD + 3 * a.NbBarres) return false;
  for (int b = 1; b <= a.NbBarres; ++b) {
    a.FretteBarre[b] = Valeur(s[p++], 65);
    a.CordeDebutBarre[b] = Valeur(s[p++], 65);
    a.CordeFinBarre[b] = Valeur(s[p++], 65);
    if (!Dans(a.FretteBarre[b], 1, kFretteMax) || !Dans(a.CordeDebutBarre[b], 1, 6) ||
        !Dans(a.CordeFinBarre[b], 1, 6))
      return false;
  }
  // The name is the rest of the line, cut to what the record holds.
  a.Nom = std::string_view(s).substr(static_cast<size_t>(p), 20);
  sortie = a;
  return true;
}
