#pragma once
// Combo boxes of the component set. TVxCustomComboBox searches its items as the user types (the
// prefix typed within 1.5 s), completes typed text in the editable style, steps through its items
// with the wheel and can drop a list wider than itself. TVxLineComboBox draws no box: only an
// underline in one of four styles and the bare drop-down arrow.
#include <QColor>
#include <QComboBox>
#include <functional>

#include "components/VxFrame.h"

class QTimer;

class TVxCustomComboBox : public QComboBox, public TProprietesCadre {
  Q_OBJECT
 public:
  explicit TVxCustomComboBox(QWidget* parent = nullptr);

  bool AllowFreeText = true;    // editable style: text that matches no item may be typed
  bool BeepOnInvalidKey = true;
  int DropDownWidth() const { return dropDownWidth_; }
  void SetDropDownWidth(int w) { dropDownWidth_ = w; }  // 0: as wide as the control

  // Index of the first item that begins with the text, ignoring case; -1 when none.
  int FindItem(const QString& texte) const;
  const QString& SearchText() const { return recherche_; }
  // The quiet time after which the typed prefix is forgotten runs on this timer (1.5 s).
  QTimer* SearchTimer() const { return minuterie_; }
  // What the timer's tick does: the prefix is forgotten unless a key is being handled.
  void SearchTimeout();
  // Editable style: a printable key beeps and is refused once the text is this long (0: no limit).
  int MaxLength() const { return maxLength_; }
  void SetMaxLength(int n);
  // The strip of the drop-down button, redrawn alone when only the button's look changes.
  QRect ButtonStrip() const;

  std::function<void()> OnCloseUp, OnMatch, OnMouseEnter, OnMouseLeave;

  // The frame, drawn over the control (off unless FrameVisible); FlatButtons draws a flat arrow
  // while the control has neither the focus nor the mouse. Set through the setters, which repaint.
  TColor Color = clWhite;
  bool FlatButtons() const { return flatButtons_; }
  void SetFlatButtons(bool v);

  void showPopup() override;
  void hidePopup() override;

 protected:
  void keyPressEvent(QKeyEvent* e) override;
  void wheelEvent(QWheelEvent* e) override;
  void focusOutEvent(QFocusEvent* e) override;
  void focusInEvent(QFocusEvent* e) override;
  void paintEvent(QPaintEvent* e) override;
  void enterEvent(QEnterEvent* e) override;
  void leaveEvent(QEvent* e) override;
  void childEvent(QChildEvent* e) override;
  bool eventFilter(QObject* o, QEvent* e) override;
  virtual void InvalidKey();
  virtual void MessageBeep();

 private:
  bool TrouverEtSelectionner(const QString& texte);  // list style
  bool TrouverEtCompleter(const QString& texte);     // editable style
  void ChoisirIndex(int i);
  void ToucheListe(QKeyEvent* e);
  void ToucheEdition(QKeyEvent* e);
  bool ToucheRetour();
  void MajCadre(bool parSouris, bool dedans);
  void MontrerBordure() override;
  void GarderEditionDansCadre();
  static constexpr int kBandeCadre = 4;  // the erased band and the widest frame style
  void TexteChange(const QString& texte);

  QString recherche_;
  int dropDownWidth_ = 0;
  int maxLength_ = 0;
  bool saisie_ = false;
  bool enTouche_ = false;  // a key is being handled: its text changes are the typist's
  bool reglage_ = false;   // the control is changing its own text
  bool flatButtons_ = true;
  QTimer* minuterie_;
};

class TVxLineComboBox : public TVxCustomComboBox {
  Q_OBJECT
 public:
  explicit TVxLineComboBox(QWidget* parent = nullptr);

  QColor LineColor() const { return lineColor_; }
  void SetLineColor(const QColor& c);
  TLineStyle LineStyle() const { return lineStyle_; }
  void SetLineStyle(TLineStyle s);

 protected:
  void paintEvent(QPaintEvent* e) override;

 private:
  QColor lineColor_ = Qt::black;
  TLineStyle lineStyle_ = TLineStyle::lsFlat;
};
