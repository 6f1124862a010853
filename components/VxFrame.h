#pragma once
// The flat frame shared by the folder tree, the list boxes, the combo boxes and the memo: off
// unless FrameVisible; with FrameFlat it takes the focus style while the control has the focus or
// the mouse, the flat style otherwise. Its properties change only through its setters, which
// repaint the control they are given when a value changes, so no control can skip the repaint.
// The control calls Evenement from its event() after the standard handling.
#include <QWidget>

#include "components/VxCommon.h"

class TCadreControle {
 public:
  TColor FrameColor() const { return frameColor_; }
  TFrameStyle FrameFlatStyle() const { return frameFlatStyle_; }
  TFrameStyle FrameFocusStyle() const { return frameFocusStyle_; }
  TSides FrameSides() const { return frameSides_; }
  TFrameStyle FrameStyle() const { return frameStyle_; }
  bool FrameFlat() const { return frameFlat_; }
  bool FrameVisible() const { return frameVisible_; }
  bool SourisDessus() const { return sourisDessus_; }

  void SetFrameColor(QWidget* w, TColor c) { Changer(w, frameColor_, c); }
  void SetFrameFlatStyle(QWidget* w, TFrameStyle s) { Changer(w, frameFlatStyle_, s); }
  void SetFrameFocusStyle(QWidget* w, TFrameStyle s) { Changer(w, frameFocusStyle_, s); }
  void SetFrameSides(QWidget* w, TSides s) { Changer(w, frameSides_, s); }
  void SetFrameStyle(QWidget* w, TFrameStyle s) { Changer(w, frameStyle_, s); }
  // True when the value changed: the control then shows or hides its own border.
  bool SetFrameVisible(QWidget* w, bool v) { return Changer(w, frameVisible_, v); }
  // On: the frame also shows, on all four sides, in the flat style.
  void SetFrameFlat(QWidget* w, bool v);

  void MajEtat(QWidget* w, bool parSouris, bool dedans);
  // The mouse counts as gone (the control lost the focus to a window of its own).
  void OublierSouris() { sourisDessus_ = false; }
  // The frame over the whole control, when visible; fond is the control's colour.
  void Peindre(QWidget* w, TColor fond) const;
  // Focus and mouse change the flat style; a paint event of the control ends with the frame.
  void Evenement(QWidget* w, QEvent* e, TColor fond);

 private:
  template <class T>
  bool Changer(QWidget* w, T& champ, T v) {
    if (v == champ) return false;
    champ = v;
    w->update();
    return true;
  }

  TColor frameColor_ = clBtnShadow;
  TFrameStyle frameFlatStyle_ = TFrameStyle::fsStatus;
  TFrameStyle frameFocusStyle_ = TFrameStyle::fsLowered;
  TSides frameSides_ = sdAll;
  TFrameStyle frameStyle_ = TFrameStyle::fsFlat;
  bool frameFlat_ = false;
  bool frameVisible_ = false;
  bool sourisDessus_ = false;
};

// The frame's properties as a control shows them, for the controls that carry the frame: each
// setter goes through the record, so setting one repaints the control, and a control whose frame
// comes or goes changes its own border through MontrerBordure.
class TProprietesCadre {
 public:
  const TCadreControle& Cadre() const { return cadre_; }
  bool UseFrameController = true;  // kept only
  TColor FrameColor() const { return cadre_.FrameColor(); }
  void SetFrameColor(TColor c) { cadre_.SetFrameColor(controle_, c); }
  TFrameStyle FrameFlatStyle() const { return cadre_.FrameFlatStyle(); }
  void SetFrameFlatStyle(TFrameStyle s) { cadre_.SetFrameFlatStyle(controle_, s); }
  TFrameStyle FrameFocusStyle() const { return cadre_.FrameFocusStyle(); }
  void SetFrameFocusStyle(TFrameStyle s) { cadre_.SetFrameFocusStyle(controle_, s); }
  TSides FrameSides() const { return cadre_.FrameSides(); }
  void SetFrameSides(TSides s) { cadre_.SetFrameSides(controle_, s); }
  TFrameStyle FrameStyle() const { return cadre_.FrameStyle(); }
  void SetFrameStyle(TFrameStyle s) { cadre_.SetFrameStyle(controle_, s); }
  bool FrameFlat() const { return cadre_.FrameFlat(); }
  // On: the frame also shows, on all four sides, in the flat style.
  void SetFrameFlat(bool v) {
    const bool visible = cadre_.FrameVisible();
    cadre_.SetFrameFlat(controle_, v);
    if (cadre_.FrameVisible() != visible) MontrerBordure();
  }
  bool FrameVisible() const { return cadre_.FrameVisible(); }
  void SetFrameVisible(bool v) {
    if (cadre_.SetFrameVisible(controle_, v)) MontrerBordure();
  }

 protected:
  explicit TProprietesCadre(QWidget* controle) : controle_(controle) {}
  ~TProprietesCadre() = default;
  // Our frame takes the place of the control's standard border while it shows.
  virtual void MontrerBordure() = 0;
  QWidget* Controle() const { return controle_; }
  TCadreControle cadre_;

 private:
  QWidget* controle_;
};
