#include "components/FormPlace.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDialog>
#include <QEvent>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMainWindow>
#include <QMdiArea>
#include <QMetaEnum>
#include <QMetaProperty>
#include <QRegularExpression>
#include <QScreen>
#include <QSplitter>
#include <QWidget>
#include <cmath>

#include "components/VxHook.h"
#include "platform/Folders.h"
#include "platform/IniFile.h"

namespace {

QString CleEcran(const QString& cle, QSize ecran) {
  return QStringLiteral("%1(%2x%3)").arg(cle).arg(ecran.width()).arg(ecran.height());
}

// Up to four integers split at blanks and commas; the missing ones keep their defaults.
int LireNombres(const QString& texte, int (&v)[4]) {
  static const QRegularExpression sep(QStringLiteral("[ ,]+"));
  int n = 0;
  for (const QString& t : texte.split(sep, Qt::SkipEmptyParts)) {
    if (n == 4) break;
    int x = 0;
    if (!LireEntierIni(t, &x)) break;
    v[n++] = x;
  }
  return n;
}

// The program's main window: its one top-level main window.
const QWidget* FenetrePrincipale() {
  for (const QWidget* w : QApplication::topLevelWidgets())
    if (qobject_cast<const QMainWindow*>(w)) return w;
  return nullptr;
}

// With no state stored, the main window (or any window while there is none) opens maximized when
// it holds several documents, or when its place is the window system's choice: a window the
// program neither placed nor centres over another, as a dialog is.
bool ParDefautMaximisee(const QWidget* form) {
  const QWidget* principale = FenetrePrincipale();
  if (principale && principale != form) return false;
  if (auto* mw = qobject_cast<const QMainWindow*>(form); mw && qobject_cast<const QMdiArea*>(mw->centralWidget()))
    return true;
  return !qobject_cast<const QDialog*>(form) && !form->testAttribute(Qt::WA_Moved) &&
         !(form->windowFlags() & Qt::WindowStaysOnTopHint);
}

QSize TailleEcran(const QWidget* w) {
  const QScreen* s = w && w->screen() ? w->screen() : QGuiApplication::primaryScreen();
  return s ? s->geometry().size() : QSize(1024, 768);
}

int PointsParPouce(const QWidget* w) {
  const QScreen* s = w && w->screen() ? w->screen() : QGuiApplication::primaryScreen();
  return s ? int(std::lrint(s->logicalDotsPerInch())) : 96;
}

}  // namespace

void EcrirePlacementIni(TIniFile& ini, const QString& section, const TPlacementFenetre& p, QSize ecran, int ppi) {
  ini.WriteInteger(section, QStringLiteral("Flags"), p.Flags);
  ini.WriteInteger(section, QStringLiteral("ShowCmd"), p.ShowCmd);
  ini.WriteInteger(section, QStringLiteral("PixelsPerInch"), ppi);
  const QString minMax =
      QStringLiteral("%1,%2,%3,%4").arg(p.MinPos.x()).arg(p.MinPos.y()).arg(p.MaxPos.x()).arg(p.MaxPos.y());
  const QRect& r = p.Normale;
  const QString norm = QStringLiteral("%1,%2,%3,%4").arg(r.left()).arg(r.top()).arg(r.left() + r.width()).arg(
      r.top() + r.height());
  for (const auto& [cle, valeur] : {std::pair{QStringLiteral("MinMaxPos"), minMax}, {QStringLiteral("NormPos"), norm}}) {
    ini.WriteString(section, CleEcran(cle, ecran), valeur);
    ini.WriteString(section, cle, valeur);
  }
}

bool LirePlacementIni(const TIniFile& ini, const QString& section, QSize ecran, int ppi, TPlacementFenetre& p) {
  p.Flags = ini.ReadInteger(section, QStringLiteral("Flags"), p.Flags);
  p.ShowCmd = ini.ReadInteger(section, QStringLiteral("ShowCmd"), p.ShowCmd);
  auto lire = [&](const QString& cle) {
    QString v = ini.ReadString(section, CleEcran(cle, ecran), QString());
    return v.isEmpty() ? ini.ReadString(section, cle, QString()) : v;
  };
  int mm[4] = {0, 0, 0, 0};
  const QRect& r0 = p.Normale;
  int nr[4] = {r0.left(), r0.top(), r0.left() + r0.width(), r0.top() + r0.height()};
  const int n = LireNombres(lire(QStringLiteral("MinMaxPos")), mm) + LireNombres(lire(QStringLiteral("NormPos")), nr);
  if (n == 0 || ini.ReadInteger(section, QStringLiteral("PixelsPerInch"), ppi) != ppi) return false;
  p.MinPos = QPoint(mm[0], mm[1]);
  p.MaxPos = QPoint(mm[2], mm[3]);
  p.Normale = QRect(nr[0], nr[1], nr[2] - nr[0], nr[3] - nr[1]);
  return true;
}

QString CheminIniPlacement(const QString& nom) {
  QString n = nom;
  if (n.isEmpty()) n = QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName() + QStringLiteral(".ini");
  if (QFileInfo(n).isAbsolute()) return n;
  return DossierConfiguration() + n;
}

// ---- TFormPlacement ----

TFormPlacement::TFormPlacement(QWidget* form) : QObject(form), form_(form), hook_(new TVxWindowHook(this)) {
  hook_->BeforeMessage = [this](TVxWindowHook*, QEvent* e, bool&) {
    // Restored before the window shows, so it appears in its place.
    if (e->type() == QEvent::Show && !e->spontaneous() && Active) RestoreNow();
  };
  hook_->AfterMessage = [this](TVxWindowHook*, QEvent* e, bool&) {
    // A dialog that ends hides without a close event: hiding counts as closing.
    const bool ferme = (e->type() == QEvent::Close && e->isAccepted()) || (e->type() == QEvent::Hide && !e->spontaneous());
    if (ferme && Active && !saved_) SaveNow();
    if (e->type() == QEvent::Show || e->type() == QEvent::Resize) AppliquerLimites();
  };
  hook_->SetWinControl(form);
}

TFormPlacement::~TFormPlacement() {
  // A failed save must not escape a destructor: it is reported, and the form goes on closing.
  try {
    if (Active && restored_ && !saved_ && form_) SaveNow(true);
  } catch (...) {
    ReportHandlerException(std::current_exception());
  }
}

QString TFormPlacement::Section() const {
  if (!IniSection.isEmpty()) return IniSection;
  // Taken while the form is whole: during its destruction it is only a QWidget any more.
  if (classe_.isEmpty() && form_) classe_ = QString::fromLatin1(form_->metaObject()->className());
  return classe_;
}

void TFormPlacement::SetMinMaxInfo(const TWinMinMaxInfo& m) {
  minMax_ = m;
  AppliquerLimites();
}

void TFormPlacement::SetPreventResize(bool v) {
  preventResize_ = v;
  AppliquerLimites();
}

void TFormPlacement::AppliquerLimites() {
  if (!form_) return;
  if (preventResize_) {
    if (form_->isVisible()) form_->setFixedSize(form_->size());
    form_->setWindowFlag(Qt::WindowMaximizeButtonHint, false);
    return;
  }
  if (minMax_.MinTrackWidth || minMax_.MinTrackHeight)
    form_->setMinimumSize(minMax_.MinTrackWidth, minMax_.MinTrackHeight);
  if (minMax_.MaxTrackWidth || minMax_.MaxTrackHeight)
    form_->setMaximumSize(minMax_.MaxTrackWidth ? minMax_.MaxTrackWidth : QWIDGETSIZE_MAX,
                          minMax_.MaxTrackHeight ? minMax_.MaxTrackHeight : QWIDGETSIZE_MAX);
}

bool TFormPlacement::SaveNow(bool destruction) {
  // A placement never read back must not overwrite the stored one with the design place.
  if (Active && !restored_) return true;
  TIniFile ini(CheminIniPlacement(IniFileName));
  destruction_ = destruction;
  SavePlacement(ini);
  destruction_ = false;
  QString raison;
  const bool ecrit = ini.UpdateFile(&raison);
  // Tried once per restore either way: a failure told on closing is not told again by the form's end.
  saved_ = true;
  if (!ecrit) {
    if (OnSaveFailed) OnSaveFailed(ini.FileName(), raison);
    return false;
  }
  if (OnSavePlacement) OnSavePlacement();
  return true;
}

void TFormPlacement::RestoreNow() {
  saved_ = false;
  Section();
  TIniFile ini(CheminIniPlacement(IniFileName));
  RestorePlacement(ini);
  restored_ = true;
  if (OnRestorePlacement) OnRestorePlacement();
  if ((Options & fpActiveControl) && form_) {
    const QString nom = ini.ReadString(Section(), QStringLiteral("ActiveControl"), QString());
    if (!nom.isEmpty())
      if (auto* w = form_->findChild<QWidget*>(nom); w && w->focusPolicy() != Qt::NoFocus && w->isEnabled())
        w->setFocus();
  }
}

void TFormPlacement::SavePlacement(TIniFile& ini) {
  if (!form_) return;
  const QString s = Section();
  TPlacementFenetre p;
  p.ShowCmd = form_->isMinimized() ? 2 : form_->isMaximized() ? 3 : 1;
  p.Normale = form_->isMaximized() || form_->isMinimized() ? form_->normalGeometry() : form_->geometry();
  if (!p.Normale.isValid()) p.Normale = form_->geometry();
  EcrirePlacementIni(ini, s, p, TailleEcran(form_), PointsParPouce(form_));
  if ((Options & fpActiveControl) && form_->focusWidget() && !form_->focusWidget()->objectName().isEmpty())
    ini.WriteString(s, QStringLiteral("ActiveControl"), form_->focusWidget()->objectName());
  ini.WriteBool(s, QStringLiteral("Visible"), destruction_);
}

void TFormPlacement::RestorePlacement(TIniFile& ini) {
  if (!form_ || !(Options & (fpState | fpPosition))) return;
  const QString s = Section();
  TPlacementFenetre p;
  p.Normale = form_->geometry();
  p.ShowCmd = 0;
  const bool position = LirePlacementIni(ini, s, TailleEcran(form_), PointsParPouce(form_), p);
  if ((Options & fpPosition) && position && p.Normale.width() > 0) {
    QRect r = p.Normale;
    // A window of fixed size keeps its own size at the stored place.
    if (form_->minimumSize() == form_->maximumSize()) r.setSize(form_->size());
    form_->setGeometry(r);
  }
  if (Options & fpState) {
    const int c = p.ShowCmd;
    bool maximise = ParDefautMaximisee(form_);
    bool minimise = false;
    if (c == 3) maximise = true;
    else if (c == 2 || c == 6 || c == 7) minimise = true, maximise = false;
    else if (c == 1 || c == 5 || c == 9) maximise = false;
    Qt::WindowStates etat = form_->windowState() & ~(Qt::WindowMaximized | Qt::WindowMinimized);
    if (minimise) etat |= Qt::WindowMinimized;
    else if (maximise) etat |= Qt::WindowMaximized;
    form_->setWindowState(etat);
  }
  form_->update();
}

// ---- TFormStorage ----

namespace {

struct TPropResolue {
  QObject* objet = nullptr;
  QString nom;  // the property's name as the object spells it
};

// Width and Height of a widget: Qt has them read-only; a widget in a splitter takes its width
// (or height) from the splitter.
bool EcrireDimension(QWidget* w, bool largeur, int v) {
  if (v <= 0) return false;
  if (auto* sp = qobject_cast<QSplitter*>(w->parentWidget())) {
    QList<int> tailles = sp->sizes();
    const int i = sp->indexOf(w);
    if (i < 0 || (sp->orientation() == Qt::Horizontal) != largeur) return false;
    int total = 0;
    for (int t : tailles) total += t;
    if (total <= 0 || tailles.size() < 2) {
      tailles[i] = v;
    } else {
      // The neighbour after it (or before, for the last) gives or takes the difference.
      const int j = i + 1 < tailles.size() ? i + 1 : i - 1;
      const int diff = v - tailles[i];
      tailles[i] = v;
      tailles[j] = std::max(0, tailles[j] - diff);
    }
    sp->setSizes(tailles);
  } else if (largeur) {
    w->resize(v, w->height());
  } else {
    w->resize(w->width(), v);
  }
  return true;
}

int LireDimension(QWidget* w, bool largeur) {
  if (auto* sp = qobject_cast<QSplitter*>(w->parentWidget())) {
    const int i = sp->indexOf(w);
    // A splitter not yet laid out knows the sizes it was given better than the widget does.
    if (i >= 0 && !sp->isVisible() && i < sp->sizes().size()) return sp->sizes()[i];
  }
  return largeur ? w->width() : w->height();
}

}  // namespace

QString TFormStorage::CleProp(const QString& entree) {
  const int p = entree.indexOf(QLatin1Char('.'));
  if (p < 0) return {};
  const QString comp = entree.left(p).trimmed(), prop = entree.mid(p + 1).trimmed();
  if (comp.isEmpty() || prop.isEmpty()) return {};
  return comp + QLatin1Char('_') + prop;
}

// ---- The values of stored properties, as text ----

namespace {

bool EstReference(QMetaType t) { return t.flags() & QMetaType::PointerToQObject; }
bool EstObjetImbrique(QMetaType t) { return (t.flags() & QMetaType::IsGadget) && t.metaObject(); }

// Where a referenced object belongs: the form, the top of its own chain of parents, or for a
// window of its own the application.
const QObject* Proprietaire(const QObject* o, const QWidget* form) {
  const QObject* haut = nullptr;
  for (const QObject* p = o->parent(); p; p = p->parent()) {
    if (p == form) return form;
    haut = p;
  }
  if (!haut && o->isWidgetType()) return QCoreApplication::instance();
  return haut;
}

QString NomProprietaire(const QObject* o) {
  if (!o->objectName().isEmpty()) return o->objectName();
  QString classe = QString::fromLatin1(o->metaObject()->className());
  return classe.startsWith(QLatin1Char('T')) ? classe.mid(1) : classe;
}

QString TexteReference(const QObject* o, const QWidget* form) {
  if (!o) return QStringLiteral("(null)");
  const QObject* proprietaire = o == form ? nullptr : Proprietaire(o, form);
  if (!proprietaire || proprietaire == form) return o->objectName();
  return NomProprietaire(proprietaire) + QLatin1Char('.') + o->objectName();
}

// The object a stored reference names; false when it names none (the property then stays).
bool ResoudreReference(const QString& texte, QWidget* form, QObject** out) {
  if (texte == QLatin1String("(null)")) {
    *out = nullptr;
    return true;
  }
  const int point = texte.indexOf(QLatin1Char('.'));
  QObject* dans = form;
  QString nom = texte;
  if (point >= 0) {
    const QString proprietaire = texte.left(point);
    nom = texte.mid(point + 1);
    dans = nullptr;
    if (nom.isEmpty()) return false;
    const QWidgetList fenetres = QApplication::topLevelWidgets();
    if (QCoreApplication::instance() && proprietaire == NomProprietaire(QCoreApplication::instance())) {
      *out = nullptr;
      for (QWidget* w : fenetres)
        if (w->objectName() == nom) *out = w;
      return *out != nullptr;
    }
    for (QWidget* w : fenetres)
      if (NomProprietaire(w) == proprietaire) dans = w;
    if (!dans) return false;
  }
  if (nom.isEmpty()) return false;
  *out = dans->objectName() == nom ? dans : dans->findChild<QObject*>(nom);
  return *out != nullptr;
}

// The identifiers of a set's members, each a single flag of its enumeration.
QString TexteEnsemble(const QMetaEnum& e, int valeur) {
  QStringList membres;
  unsigned vus = 0;  // a flag with two names (AlignLeft, AlignLeading) is written once
  for (int k = 0; k < e.keyCount(); ++k) {
    const unsigned bit = static_cast<unsigned>(e.value(k));
    if (bit != 0 && (bit & (bit - 1)) == 0 && (static_cast<unsigned>(valeur) & bit) && !(vus & bit))
      membres << QString::fromLatin1(e.key(k));
    vus |= bit;
  }
  return QLatin1Char('[') + membres.join(QLatin1Char(',')) + QLatin1Char(']');
}

int LireEnsemble(const QMetaEnum& e, const QString& texte) {
  static const QRegularExpression sep(QStringLiteral("[\\s,\\[\\]]+"));
  int v = 0;
  for (const QString& id : texte.split(sep, Qt::SkipEmptyParts)) {
    bool ok = false;
    const int bit = e.keyToValue(id.toLatin1().constData(), &ok);
    if (ok) v |= bit;  // an unknown identifier is skipped
  }
  return v;
}

// One value of a plain kind as text (enumerations by identifier, sets in brackets, numbers with a
// point, characters as themselves, references by name).
QString TexteValeur(const QVariant& v, QMetaType type, const QMetaEnum* e, const QWidget* form) {
  if (e && e->isValid()) {
    if (e->isFlag()) return TexteEnsemble(*e, v.toInt());
    return QString::fromLatin1(e->valueToKey(v.toInt()));
  }
  if (EstReference(type)) return TexteReference(v.value<QObject*>(), form);
  switch (type.id()) {
    case QMetaType::Double: return QString::number(v.toDouble(), 'g', 15);
    case QMetaType::Float: return QString::number(v.toDouble(), 'g', 7);
    case QMetaType::QChar: return QString(v.toChar());
    case QMetaType::Char:
    case QMetaType::SChar:
    case QMetaType::UChar: return QString(QChar(static_cast<uchar>(v.value<char>())));
    default: return v.toString();
  }
}

// Text read back into a value of the kind; false leaves the value as it is.
bool ValeurTexte(const QString& t, QMetaType type, const QMetaEnum* e, QWidget* form, QVariant& out) {
  if (e && e->isValid()) {
    if (e->isFlag()) {
      out = QVariant(LireEnsemble(*e, t));
      return true;
    }
    bool ok = false;
    const int v = e->keyToValue(t.toLatin1().constData(), &ok);
    if (ok) out = QVariant(v);
    return ok;
  }
  if (EstReference(type)) {
    QObject* o = nullptr;
    if (!ResoudreReference(t, form, &o)) return false;
    if (o && type.metaObject() && !o->metaObject()->inherits(type.metaObject())) return false;
    out = QVariant(type, &o);  // a QObject comes first in every object's layout: one pointer fits all
    return true;
  }
  switch (type.id()) {
    case QMetaType::Int: {
      int v = 0;
      LireEntierIni(t, &v);  // an unreadable number reads as 0
      out = QVariant(v);
      return true;
    }
    case QMetaType::Bool:
      out = QVariant(t == QLatin1String("1") || t.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0);
      return true;
    case QMetaType::QVariant:  // a variant comes back as its text
      out = QVariant(t);
      return true;
    case QMetaType::QChar:
      if (t.isEmpty()) return false;
      out = QVariant(t.front());
      return true;
    case QMetaType::Char:
    case QMetaType::SChar:
    case QMetaType::UChar: {
      if (t.isEmpty() || t.front().unicode() > 0xFF) return false;
      const char c = static_cast<char>(t.front().unicode());
      out = QVariant(type, &c);
      return true;
    }
    default: {
      QVariant v(t);
      if (!v.convert(type)) return false;
      out = v;
      return true;
    }
  }
}

// Stores or loads one property value under its key: plain kinds in the section itself; a string
// list or a collection (a list of items, each a map of named values) in the section
// "<section>.<key>", emptied first; a nested object (a value with properties of its own) as one key
// per property, the key followed directly by the property's name.
class TPropsStorage {
 public:
  TPropsStorage(TIniFile& ini, const QString& section, QWidget* form) : ini_(ini), section_(section), form_(form) {}

  void Ecrire(const QString& cle, const QVariant& v, QMetaType type, const QMetaEnum* e) {
    if (type.id() == QMetaType::QStringList) {
      const QString sous = SousSection(cle);
      ini_.EraseSection(sous);
      const QStringList l = v.toStringList();
      if (l.isEmpty()) return;
      ini_.WriteInteger(sous, QStringLiteral("Count"), int(l.size()));
      for (int k = 0; k < l.size(); ++k) ini_.WriteString(sous, QStringLiteral("Item%1").arg(k), l[k]);
    } else if (type.id() == QMetaType::QVariantList) {
      const QString sous = SousSection(cle);
      ini_.EraseSection(sous);
      TPropsStorage items(ini_, sous, form_);
      const QVariantList l = v.toList();
      for (int k = 0; k < l.size(); ++k) {
        const QVariantMap m = l[k].toMap();
        for (auto it = m.cbegin(); it != m.cend(); ++it)
          items.Ecrire(QStringLiteral("Item%1_").arg(k) + it.key(), it.value(), it.value().metaType(), nullptr);
      }
    } else if (EstObjetImbrique(type)) {
      const QMetaObject* mo = type.metaObject();
      for (int i = 0; i < mo->propertyCount(); ++i) {
        const QMetaProperty sp = mo->property(i);
        const QMetaEnum se = sp.isEnumType() ? sp.enumerator() : QMetaEnum();
        Ecrire(cle + QString::fromLatin1(sp.name()), sp.readOnGadget(v.constData()), sp.metaType(), &se);
      }
    } else {
      ini_.WriteString(section_, cle, TexteValeur(v, type, e, form_));
    }
  }

  // Reads with the current value as the default, so a missing key changes nothing; false when
  // nothing was read.
  bool Lire(const QString& cle, QVariant& v, QMetaType type, const QMetaEnum* e) {
    if (type.id() == QMetaType::QStringList) {
      const QString sous = SousSection(cle);
      const int n = ini_.ReadInteger(sous, QStringLiteral("Count"), 0);
      if (n <= 0) return false;
      QStringList l;
      for (int k = 0; k < n; ++k) l << ini_.ReadString(sous, QStringLiteral("Item%1").arg(k), QString());
      v = l;
      return true;
    }
    if (type.id() == QMetaType::QVariantList) {
      // The items there are now take their stored values.
      TPropsStorage items(ini_, SousSection(cle), form_);
      QVariantList l = v.toList();
      for (int k = 0; k < l.size(); ++k) {
        if (l[k].typeId() != QMetaType::QVariantMap) continue;  // not an item with named values
        QVariantMap m = l[k].toMap();
        for (auto it = m.begin(); it != m.end(); ++it)
          items.Lire(QStringLiteral("Item%1_").arg(k) + it.key(), it.value(), it.value().metaType(), nullptr);
        l[k] = m;
      }
      v = l;
      return true;
    }
    if (EstObjetImbrique(type)) {
      const QMetaObject* mo = type.metaObject();
      for (int i = 0; i < mo->propertyCount(); ++i) {
        const QMetaProperty sp = mo->property(i);
        if (!sp.isWritable()) continue;
        const QMetaEnum se = sp.isEnumType() ? sp.enumerator() : QMetaEnum();
        QVariant sv = sp.readOnGadget(v.constData());
        if (Lire(cle + QString::fromLatin1(sp.name()), sv, sp.metaType(), &se)) sp.writeOnGadget(v.data(), sv);
      }
      return true;
    }
    const QString t = ini_.ReadString(section_, cle, TexteValeur(v, type, e, form_));
    QVariant lu;
    if (!ValeurTexte(t, type, e, form_, lu)) return false;
    v = lu;
    return true;
  }

 private:
  QString SousSection(const QString& cle) const { return section_ + QLatin1Char('.') + cle; }
  TIniFile& ini_;
  QString section_;
  QWidget* form_;
};

// The published property of that name, matched ignoring case.
QMetaProperty ProprieteNommee(const QObject* o, const QString& nom) {
  const QMetaObject* mo = o->metaObject();
  for (int i = 0; i < mo->propertyCount(); ++i)
    if (QString::fromLatin1(mo->property(i).name()).compare(nom, Qt::CaseInsensitive) == 0) return mo->property(i);
  return {};
}

}  // namespace

void TFormStorage::SavePlacement(TIniFile& ini) {
  TFormPlacement::SavePlacement(ini);
  QWidget* f = Form();
  // While the form is being destroyed its widgets are going: only the placement is saved then.
  if (!f || Destruction()) return;
  const QString s = Section();
  TPropsStorage stockage(ini, s, f);
  for (const QString& e : StoredProps) {
    const QString cle = CleProp(e);
    if (cle.isEmpty()) continue;
    const int p = e.indexOf(QLatin1Char('.'));
    QObject* o = f->findChild<QObject*>(e.left(p).trimmed());
    const QString prop = e.mid(p + 1).trimmed();
    if (!o) continue;
    auto* w = qobject_cast<QWidget*>(o);
    if (w && (prop.compare(QLatin1String("Width"), Qt::CaseInsensitive) == 0 ||
              prop.compare(QLatin1String("Height"), Qt::CaseInsensitive) == 0)) {
      ini.WriteInteger(s, cle, LireDimension(w, prop.compare(QLatin1String("Width"), Qt::CaseInsensitive) == 0));
      continue;
    }
    const QMetaProperty mp = ProprieteNommee(o, prop);
    if (!mp.isValid()) continue;
    const QMetaEnum en = mp.isEnumType() ? mp.enumerator() : QMetaEnum();
    stockage.Ecrire(cle, mp.read(o), mp.metaType(), &en);
  }
}

void TFormStorage::RestorePlacement(TIniFile& ini) {
  TFormPlacement::RestorePlacement(ini);
  QWidget* f = Form();
  if (!f) return;
  const QString s = Section();
  TPropsStorage stockage(ini, s, f);
  // A missing key leaves the property as it is; a value that does not read is skipped.
  for (const QString& e : StoredProps) {
    const QString cle = CleProp(e);
    if (cle.isEmpty()) continue;
    const int p = e.indexOf(QLatin1Char('.'));
    QObject* o = f->findChild<QObject*>(e.left(p).trimmed());
    const QString prop = e.mid(p + 1).trimmed();
    if (!o) continue;
    auto* w = qobject_cast<QWidget*>(o);
    const bool largeur = prop.compare(QLatin1String("Width"), Qt::CaseInsensitive) == 0;
    if (w && (largeur || prop.compare(QLatin1String("Height"), Qt::CaseInsensitive) == 0)) {
      const int v = ini.ReadInteger(s, cle, 0);
      EcrireDimension(w, largeur, v);
      continue;
    }
    const QMetaProperty mp = ProprieteNommee(o, prop);
    if (!mp.isValid() || !mp.isWritable()) continue;
    const QMetaEnum en = mp.isEnumType() ? mp.enumerator() : QMetaEnum();
    QVariant v = mp.read(o);
    if (stockage.Lire(cle, v, mp.metaType(), &en)) mp.write(o, v);
  }
}
