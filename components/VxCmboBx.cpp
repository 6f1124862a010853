#include "components/VxCmboBx.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QChildEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QLineEdit>
#include <QPainter>
#include <QScopedValueRollback>
#include <QStyle>
#include <QTimer>
#include <QWheelEvent>
#include <algorithm>

#include "platform/Canvas.h"

TVxCustomComboBox::TVxCustomComboBox(QWidget* parent)
    : QComboBox(parent), TProprietesCadre(this), minuterie_(new QTimer(this)) {
  minuterie_->setInterval(1500);
  minuterie_->setSingleShot(false);
  connect(minuterie_, &QTimer::timeout, this, &TVxCustomComboBox::SearchTimeout);
  connect(this, &QComboBox::editTextChanged, this, &TVxCustomComboBox::TexteChange);
}

void TVxCustomComboBox::SetFlatButtons(bool v) {
  if (v == flatButtons_) return;
  flatButtons_ = v;
  update();
}

void TVxCustomComboBox::MontrerBordure() {
  setFrame(!cadre_.FrameVisible());
  if (lineEdit()) GarderEditionDansCadre();
}

// The edit part of the editable style is a child drawn over the control: inside the frame's band,
// so that the frame shows round the whole control and not only round the button.
void TVxCustomComboBox::GarderEditionDansCadre() {
  if (!cadre_.FrameVisible()) return;
  const QRect dedans = rect().adjusted(kBandeCadre, kBandeCadre, -kBandeCadre, -kBandeCadre);
  const QRect g = lineEdit()->geometry();
  if (!dedans.contains(g)) lineEdit()->setGeometry(g & dedans);
}

// A text the program sets completes as typed text does; an empty one chooses no item.
void TVxCustomComboBox::TexteChange(const QString& texte) {
  if (reglage_ || enTouche_ || !isEditable() || !lineEdit()) return;
  recherche_ = texte;
  const QScopedValueRollback<bool> garde(reglage_, true);
  if (texte.isEmpty()) {
    setCurrentIndex(-1);
    return;
  }
  if (currentIndex() >= 0 && itemText(currentIndex()) == texte) return;  // the chosen item shows
  const int i = FindItem(texte);
  if (i < 0) return;
  setCurrentIndex(i);
  lineEdit()->setText(itemText(i));
  lineEdit()->setSelection(int(texte.size()), int(itemText(i).size() - texte.size()));
}

void TVxCustomComboBox::SearchTimeout() {
  if (saisie_) return;
  minuterie_->stop();
  recherche_.clear();
}

// The limit is the typist's only: a completion may show a longer item whole.
void TVxCustomComboBox::SetMaxLength(int n) { maxLength_ = n; }

QRect TVxCustomComboBox::ButtonStrip() const {
  const int gauche = width() - style()->pixelMetric(QStyle::PM_ScrollBarExtent) - 2;
  return QRect(gauche, 0, width() - gauche, height());
}

void TVxCustomComboBox::childEvent(QChildEvent* e) {
  QComboBox::childEvent(e);
  // The edit part of the editable style is a child; its mouse presses are watched.
  if (e->type() == QEvent::ChildAdded) e->child()->installEventFilter(this);
}

bool TVxCustomComboBox::eventFilter(QObject* o, QEvent* e) {
  if (o == lineEdit() && (e->type() == QEvent::Move || e->type() == QEvent::Resize)) GarderEditionDansCadre();
  if (o == lineEdit() && e->type() == QEvent::MouseButtonPress &&
      static_cast<QMouseEvent*>(e)->button() == Qt::LeftButton)
    recherche_ = lineEdit()->text();  // a click ends the typed prefix where the text stands
  return QComboBox::eventFilter(o, e);
}

int TVxCustomComboBox::FindItem(const QString& texte) const {
  for (int i = 0; i < count(); ++i)
    if (itemText(i).startsWith(texte, Qt::CaseInsensitive)) return i;
  return -1;
}

void TVxCustomComboBox::InvalidKey() {
  if (BeepOnInvalidKey) MessageBeep();
}

void TVxCustomComboBox::MessageBeep() { QApplication::beep(); }

void TVxCustomComboBox::ChoisirIndex(int i) {
  setCurrentIndex(i);
  if (i >= 0) emit activated(i);
}

bool TVxCustomComboBox::TrouverEtSelectionner(const QString& texte) {
  const int i = FindItem(texte);
  if (i < 0) {
    InvalidKey();
    return false;
  }
  recherche_ = texte;
  ChoisirIndex(i);
  return true;
}

bool TVxCustomComboBox::TrouverEtCompleter(const QString& texte) {
  const QScopedValueRollback<bool> garde(reglage_, true);
  if (texte.isEmpty()) {  // nothing typed matches no item
    setCurrentIndex(-1);
    return false;
  }
  const int i = FindItem(texte);
  if (i < 0) return false;
  setCurrentIndex(i);
  emit activated(i);
  if (QLineEdit* le = lineEdit()) {
    le->setText(itemText(i));
    le->setSelection(int(texte.size()), int(itemText(i).size() - texte.size()));
  }
  if (OnMatch) OnMatch();
  return true;
}

void TVxCustomComboBox::keyPressEvent(QKeyEvent* e) {
  if (isEditable())
    ToucheEdition(e);
  else
    ToucheListe(e);
}

void TVxCustomComboBox::ToucheListe(QKeyEvent* e) {
  const int k = e->key();
  switch (k) {
    case Qt::Key_Backspace:
      if (recherche_.isEmpty()) {
        InvalidKey();
      } else {
        recherche_.chop(1);
        if (recherche_.isEmpty())
          ChoisirIndex(0);
        else
          TrouverEtSelectionner(recherche_);
      }
      return;
    case Qt::Key_Escape:
      recherche_.clear();
      ChoisirIndex(0);
      return;
    case Qt::Key_Up: case Qt::Key_Down: case Qt::Key_PageUp: case Qt::Key_PageDown:
    case Qt::Key_Home: case Qt::Key_End: case Qt::Key_Left: case Qt::Key_Right:
      recherche_.clear();
      QComboBox::keyPressEvent(e);
      return;
    default:
      break;
  }
  const QString t = e->text();
  if (t.size() == 1 && t[0].unicode() >= 32 && !(e->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
    saisie_ = true;
    TrouverEtSelectionner(recherche_ + t);
    minuterie_->start();
    saisie_ = false;
    return;
  }
  // Other characters are swallowed; keys without text (F4, Alt+Down, Tab) keep their meaning.
  if (t.isEmpty() || (e->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) QComboBox::keyPressEvent(e);
}

void TVxCustomComboBox::ToucheEdition(QKeyEvent* e) {
  QLineEdit* le = lineEdit();
  if (!le) {
    QComboBox::keyPressEvent(e);
    return;
  }
  const QScopedValueRollback<bool> garde(enTouche_, true);
  const int k = e->key();
  const bool sansModif = !(e->modifiers() & (Qt::ControlModifier | Qt::AltModifier));
  switch (k) {
    case Qt::Key_Escape:
      recherche_.clear();
      setCurrentIndex(-1);
      le->clear();
      return;
    // Moving through the list forgets the prefix; moving the caret takes the text as typed.
    case Qt::Key_PageUp: case Qt::Key_PageDown: case Qt::Key_Up: case Qt::Key_Down:
      recherche_.clear();
      break;
    case Qt::Key_Home: case Qt::Key_End: case Qt::Key_Left: case Qt::Key_Right:
      recherche_ = le->text();
      break;
    default:
      break;
  }
  const bool modif = k == Qt::Key_Delete || k == Qt::Key_Backspace || e->matches(QKeySequence::Paste) ||
                     e->matches(QKeySequence::Cut);
  if (!AllowFreeText && modif && k != Qt::Key_Backspace && !(le->selectedText() == le->text())) return;
  if (k == Qt::Key_Backspace && sansModif && ToucheRetour()) return;
  const QString t = e->text();
  const bool imprimable = t.size() == 1 && t[0].unicode() >= 32 && sansModif;
  if (imprimable && maxLength_ > 0 && le->text().size() >= maxLength_ && !le->hasSelectedText()) {
    MessageBeep();
    return;
  }
  if (imprimable) {
    QString candidat = le->text();
    int pos = le->cursorPosition();
    if (le->hasSelectedText()) {
      pos = le->selectionStart();
      candidat.remove(pos, int(le->selectedText().size()));
    }
    candidat.insert(pos, t);
    const QString ancien = recherche_;
    recherche_ = candidat.left(pos + 1);
    if (TrouverEtCompleter(recherche_)) return;
    if (!AllowFreeText) {
      InvalidKey();
      recherche_ = ancien;
      return;
    }
  }
  QComboBox::keyPressEvent(e);
  if (k == Qt::Key_Backspace || k == Qt::Key_Delete || modif) recherche_ = le->text();
  // What was pasted or is left after a cut completes as typed text does.
  if (AllowFreeText && (e->matches(QKeySequence::Paste) || e->matches(QKeySequence::Cut)))
    TrouverEtCompleter(recherche_);
}

// Backspace takes a character off the typed prefix (the selection, inside it) and completes
// again from what is left, so that the completion goes and the shorter prefix's comes. True when
// the key is dealt with.
bool TVxCustomComboBox::ToucheRetour() {
  QLineEdit* le = lineEdit();
  if (recherche_.isEmpty()) {
    InvalidKey();
    return false;  // whatever stands there is still erased
  }
  const int caret = le->hasSelectedText() ? le->selectionStart() : le->cursorPosition();
  if (caret < recherche_.size() && AllowFreeText) {
    if (le->hasSelectedText())
      recherche_.remove(caret, int(le->selectedText().size()));
    else if (caret > 0)
      recherche_.remove(caret - 1, 1);
  } else {
    recherche_.chop(1);
  }
  if (recherche_.isEmpty()) {
    const QScopedValueRollback<bool> garde(reglage_, true);
    setCurrentIndex(-1);
    le->clear();
    return true;
  }
  return TrouverEtCompleter(recherche_);
}

void TVxCustomComboBox::wheelEvent(QWheelEvent* e) {
  if (view() && view()->isVisible()) {
    QComboBox::wheelEvent(e);
    return;
  }
  const int pas = e->angleDelta().y() < 0 ? 1 : e->angleDelta().y() > 0 ? -1 : 0;
  // Kept within the items: an index past either end would leave nothing chosen.
  if (pas != 0 && count() > 0) {
    const int i = std::clamp(currentIndex() + pas, 0, count() - 1);
    if (i != currentIndex()) ChoisirIndex(i);
  }
  e->accept();
}

void TVxCustomComboBox::MajCadre(bool parSouris, bool dedans) {
  if (view() && view()->isVisible()) return;  // nothing changes while the list is down
  cadre_.MajEtat(this, parSouris, dedans);
  // Without the flat frame only the button's look follows focus and mouse.
  if (!cadre_.FrameFlat() && flatButtons_) repaint(ButtonStrip());
}

void TVxCustomComboBox::focusOutEvent(QFocusEvent* e) {
  recherche_.clear();
  QComboBox::focusOutEvent(e);
  cadre_.OublierSouris();
  MajCadre(false, false);
}

void TVxCustomComboBox::focusInEvent(QFocusEvent* e) {
  QComboBox::focusInEvent(e);
  MajCadre(false, true);
}

void TVxCustomComboBox::enterEvent(QEnterEvent* e) {
  QComboBox::enterEvent(e);
  MajCadre(true, true);
  if (OnMouseEnter) OnMouseEnter();
}

void TVxCustomComboBox::leaveEvent(QEvent* e) {
  QComboBox::leaveEvent(e);
  MajCadre(true, false);
  if (OnMouseLeave) OnMouseLeave();
}

void TVxCustomComboBox::paintEvent(QPaintEvent* e) {
  QComboBox::paintEvent(e);
  if (!cadre_.FrameVisible()) return;
  if (flatButtons_ && !hasFocus() && !cadre_.SourisDessus()) {
    QPainter p(this);
    TCanvas c(&p);
    const int w = width(), h = height();
    const int bouton = style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    const int gauche = ButtonStrip().left();
    c.Brush.Color = Color;
    c.FillRect(gauche, 2, w - 2, h - 2);
    const int cx = gauche + bouton / 2 - 1, cy = 2 + h / 2;
    c.Pen.Color = clBlack;
    c.Brush.Color = clBlack;
    c.Polygon({{cx, cy}, {cx - 5, cy - 5}, {cx + 5, cy - 5}});
  }
  cadre_.Peindre(this, Color);
}

void TVxCustomComboBox::showPopup() {
  if (dropDownWidth_ > 0 && view()) view()->setMinimumWidth(dropDownWidth_);
  QComboBox::showPopup();
}

void TVxCustomComboBox::hidePopup() {
  QComboBox::hidePopup();
  if (OnCloseUp) OnCloseUp();
}

// ---- Line combo box ----

TVxLineComboBox::TVxLineComboBox(QWidget* parent) : TVxCustomComboBox(parent) {
  setFrame(false);
  setAutoFillBackground(false);
}

void TVxLineComboBox::SetLineColor(const QColor& c) {
  if (c == lineColor_) return;
  lineColor_ = c;
  update();
}

void TVxLineComboBox::SetLineStyle(TLineStyle s) {
  if (s == lineStyle_) return;
  lineStyle_ = s;
  update();
}

void TVxLineComboBox::paintEvent(QPaintEvent*) {
  QPainter p(this);
  const QColor fond = palette().color(backgroundRole());
  const QColor ombre = palette().color(QPalette::Dark), clair = palette().color(QPalette::Light);
  const int w = width(), h = height();
  const int bouton = style()->pixelMetric(QStyle::PM_ScrollBarExtent);
  p.fillRect(rect(), fond);
  if (!isEditable()) {
    p.setPen(palette().color(isEnabled() ? QPalette::WindowText : QPalette::PlaceholderText));
    const QRect texte(3, 0, w - bouton - 6, h - 2);
    p.drawText(texte, Qt::AlignVCenter | Qt::AlignLeft,
               fontMetrics().elidedText(currentText(), Qt::ElideRight, texte.width()));
  }
  // The bare arrow: a small black triangle pointing down.
  const int cx = w - 2 - bouton + bouton / 2 - 1, cy = 2 + h / 2;
  p.setPen(Qt::NoPen);
  p.setBrush(Qt::black);
  const QPoint fleche[3] = {{cx - 4, cy - 4}, {cx + 4, cy - 4}, {cx, cy}};
  p.drawPolygon(fleche, 3);
  QColor bas = fond, haut = fond;
  switch (lineStyle_) {
    case TLineStyle::lsNone: break;
    case TLineStyle::lsFlat: bas = lineColor_; break;
    case TLineStyle::lsGroove: bas = clair; haut = ombre; break;
    case TLineStyle::lsBump: bas = ombre; haut = clair; break;
  }
  p.setPen(bas);
  p.drawLine(0, h - 1, w - 3, h - 1);
  p.setPen(haut);
  p.drawLine(0, h - 2, w - 3, h - 2);
}
