#include "components/FormPlace.h"

#include <QCoreApplication>
#include <QEvent>
#include <QFileInfo>
#include <QGuiApplication>
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
  if (Active && restored_ && !saved_ && form_) SaveNow(true);
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

void TFormPlacement::SaveNow(bool destruction) {
  // A placement never read back must not overwrite the stored one with the design place.
  if (Active && !restored_) return;
  TIniFile ini(CheminIniPlacement(IniFileName));
  destruction_ = destruction;
  SavePlacement(ini);
  destruction_ = false;
  ini.UpdateFile();
  if (OnSavePlacement) OnSavePlacement();
  saved_ = true;
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
    if (c == 3)
      form_->setWindowState(form_->windowState() | Qt::WindowMaximized);
    else if (c == 2 || c == 6 || c == 7)
      form_->setWindowState(form_->windowState() | Qt::WindowMinimized);
    else if (c == 1 || c == 5 || c == 9)
      form_->setWindowState(form_->windowState() & ~(Qt::WindowMaximized | Qt::WindowMinimized));
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

void TFormStorage::SavePlacement(TIniFile& ini) {
  TFormPlacement::SavePlacement(ini);
  QWidget* f = Form();
  // While the form is being destroyed its widgets are going: only the placement is saved then.
  if (!f || Destruction()) return;
  const QString s = Section();
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
    const QMetaObject* mo = o->metaObject();
    for (int i = 0; i < mo->propertyCount(); ++i) {
      const QMetaProperty mp = mo->property(i);
      if (QString::fromLatin1(mp.name()).compare(prop, Qt::CaseInsensitive) != 0) continue;
      const QVariant v = mp.read(o);
      if (v.typeId() == QMetaType::QStringList) {
        const QString sous = s + QLatin1Char('.') + cle;
        ini.EraseSection(sous);
        const QStringList l = v.toStringList();
        if (!l.isEmpty()) {
          ini.WriteInteger(sous, QStringLiteral("Count"), int(l.size()));
          for (int k = 0; k < l.size(); ++k) ini.WriteString(sous, QStringLiteral("Item%1").arg(k), l[k]);
        }
      } else if (mp.isEnumType()) {
        ini.WriteString(s, cle, QString::fromLatin1(mp.enumerator().valueToKey(v.toInt())));
      } else if (v.typeId() == QMetaType::Double) {
        ini.WriteString(s, cle, QString::number(v.toDouble(), 'g', 15));
      } else {
        ini.WriteString(s, cle, v.toString());
      }
      break;
    }
  }
}

void TFormStorage::RestorePlacement(TIniFile& ini) {
  TFormPlacement::RestorePlacement(ini);
  QWidget* f = Form();
  if (!f) return;
  const QString s = Section();
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
    const QMetaObject* mo = o->metaObject();
    for (int i = 0; i < mo->propertyCount(); ++i) {
      const QMetaProperty mp = mo->property(i);
      if (QString::fromLatin1(mp.name()).compare(prop, Qt::CaseInsensitive) != 0 || !mp.isWritable()) continue;
      if (mp.typeId() == QMetaType::QStringList) {
        const QString sous = s + QLatin1Char('.') + cle;
        const int n = ini.ReadInteger(sous, QStringLiteral("Count"), 0);
        if (n > 0) {
          QStringList l;
          for (int k = 0; k < n; ++k) l << ini.ReadString(sous, QStringLiteral("Item%1").arg(k), QString());
          mp.write(o, l);
        }
        break;
      }
      if (!ini.ValueExists(s, cle)) break;
      const QString t = ini.ReadString(s, cle, QString());
      if (mp.isEnumType()) {
        bool ok = false;
        const int v = mp.enumerator().keyToValue(t.toLatin1().constData(), &ok);
        if (ok) mp.write(o, v);
      } else if (mp.typeId() == QMetaType::Int) {
        int v = 0;
        LireEntierIni(t, &v);  // an unreadable number reads as 0
        mp.write(o, v);
      } else if (mp.typeId() == QMetaType::Bool) {
        mp.write(o, t == QLatin1String("1") || t.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0);
      } else {
        QVariant v(t);
        if (v.convert(mp.metaType())) mp.write(o, v);
      }
      break;
    }
  }
}
