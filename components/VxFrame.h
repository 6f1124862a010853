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
