#pragma once
// The flat frame shared by the folder tree, the list boxes and the combo boxes: off unless
// FrameVisible; with FrameFlat it takes the focus style while the control has the focus or the
// mouse, the flat style otherwise. The control calls Evenement from its event() after the
// standard handling.
#include <QWidget>

#include "components/VxCommon.h"

struct TCadreControle {
  TColor FrameColor = clBtnShadow;
  TFrameStyle FrameFlatStyle = TFrameStyle::fsStatus;
  TFrameStyle FrameFocusStyle = TFrameStyle::fsLowered;
  TSides FrameSides = sdAll;
  TFrameStyle FrameStyle = TFrameStyle::fsFlat;
  bool UseFrameController = true;  // kept only
  bool FrameFlat = false;
  bool FrameVisible = false;
  bool SourisDessus = false;

  // FrameFlat on also shows the frame on all four sides in the flat style.
  void DefinirFlat(QWidget* w, bool v) {
    FrameFlat = v;
    if (v) {
      FrameVisible = true;
      FrameSides = sdAll;
      FrameStyle = FrameFlatStyle;
    }
    w->update();
  }
  void MajEtat(QWidget* w, bool parSouris, bool dedans) {
    if (parSouris) SourisDessus = dedans;
    if (!FrameFlat) return;
    FrameStyle = w->hasFocus() || SourisDessus ? FrameFocusStyle : FrameFlatStyle;
    w->update();
  }
  // Focus and mouse change the flat style; a paint event of the control ends with the frame.
  void Evenement(QWidget* w, QEvent* e, TColor fond);
};
