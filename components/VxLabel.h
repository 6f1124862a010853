#pragma once
// A label with raised, recessed and shadowed text, rotated or curved text, blinking, a hover
// colour and optional borders; and the URL label that opens its address when clicked.
#include <QLabel>
#include <functional>

#include "components/VxCommon.h"

enum class TRotation : uint8_t { roNone, roFlat, roCurve };
enum class TCenterPoint : uint8_t {
  cpUpperLeft,
  cpUpperCenter,
  cpUpperRight,
  cpLeftCenter,
  cpCenter,
  cpRightCenter,
  cpLowerLeft,
  cpLowerCenter,
  cpLowerRight
};
enum class TTextLayout : uint8_t { tlTop, tlCenter, tlBottom };

// An angle in degrees as the label keeps it: 0..359, whatever was given.
int NormalizedAngle(int degrees);

// Where text turned by an angle is drawn: the point, and whether the text is centred on it
// (else it starts there) and stands on it by its baseline (else by its top).
struct TAngledTextPlace {
  int X = 0, Y = 0;
  bool CentreX = false, Baseline = false;
  bool operator==(const TAngledTextPlace&) const = default;
};
// textHeight and textWidth are the turned font's; shadow the depth of a shadow copy (0 for none).
TAngledTextPlace AngledTextPlace(int angle, Qt::Alignment horizontal, const TRect& client, int width, int height,
                                 int textHeight, int textWidth, int shadow);

class TVxLabel : public QLabel, public IBlinkingControl {
 public:
  explicit TVxLabel(QWidget* parent = nullptr);
  ~TVxLabel() override;

  int Angle() const { return angle_; }
  void SetAngle(int a);
  TRotation Rotation() const { return rotation_; }
  void SetRotation(TRotation r);
  TCenterPoint CenterPoint() const { return centerPoint_; }
  void SetCenterPoint(TCenterPoint c);
  TTextStyle TextStyle() const { return textStyle_; }
  void SetTextStyle(TTextStyle s);
  bool LightTextStyle() const { return lightTextStyle_; }
  void SetLightTextStyle(bool v);
  int ShadowDepth() const { return shadowDepth_; }
  void SetShadowDepth(int d);
  TColor ShadowColor() const { return shadowColor_; }
  void SetShadowColor(TColor c);
  TColor HighlightColor() const { return highlightColor_; }
  void SetHighlightColor(TColor c);
  bool FlyByEnabled() const { return flyByEnabled_; }
  void SetFlyByEnabled(bool v);
  TColor FlyByColor() const { return flyByColor_; }
  void SetFlyByColor(TColor c);
  bool Blinking() const { return blinking_; }
  void SetBlinking(bool v);
  TColor BlinkColor() const { return blinkColor_; }
  void SetBlinkColor(TColor c);
  // Shared by every label of the process: they are the blinking list's intervals.
  static int BlinkIntervalOn();
  static void SetBlinkIntervalOn(int ms);
  static int BlinkIntervalOff();
  static void SetBlinkIntervalOff(int ms);
  TSides BorderSides() const { return borderSides_; }
  void SetBorderSides(TSides s);
  TColor BorderColor() const { return borderColor_; }
  void SetBorderColor(TColor c);
  TColor BorderHighlight() const { return borderHighlight_; }
  void SetBorderHighlight(TColor c);
  TColor BorderShadow() const { return borderShadow_; }
  void SetBorderShadow(TColor c);
  TFrameStyle BorderOuter() const { return borderOuter_; }
  void SetBorderOuter(TFrameStyle s);
  TFrameStyle BorderInner() const { return borderInner_; }
  void SetBorderInner(TFrameStyle s);
  int BorderWidth() const { return borderWidth_; }
  void SetBorderWidth(int w);
  int BevelWidth() const { return bevelWidth_; }
  void SetBevelWidth(int w);
  TColor FlatColor() const { return flatColor_; }
  void SetFlatColor(TColor c);
  TSides FrameSides() const { return frameSides_; }
  void SetFrameSides(TSides s);
  TTextLayout Layout() const { return layout_; }
  void SetLayout(TTextLayout l);
  // On, the label takes the size of its text (and borders) whenever the text or font changes.
  bool AutoSize() const { return autoSize_; }
  void SetAutoSize(bool v);
  // On, an '&' underlines the next character and "&&" shows one '&'.
  bool ShowAccelChar() const { return showAccelChar_; }
  void SetShowAccelChar(bool v);
  bool Transparent() const { return transparent_; }
  void SetTransparent(bool v);
  TColor Color() const { return color_; }
  void SetColor(TColor c);
  // Hides QLabel's: a new text also resizes an auto-sized label.
  void setText(const QString& text);
  // The font's colour, as the drawing takes it. Set while the blink colour shows, it is the colour
  // the label goes back to.
  TColor FontColor() const { return fontColor_; }
  void SetFontColor(TColor c);
  // The size an auto-sized label takes: its text's, plus the frame and borders.
  QSize AutoSizeExtent() const;
  std::function<void()> OnClick, OnMouseEnter, OnMouseLeave;

  // The area the text is laid out in, inside the frame and borders.
  TRect ClientRect() const;
  // Draws the label on a canvas of its size (what painting does).
  void PaintLabel(TCanvas& c);

  // Blinking list.
  bool QueryBlink() override { return blinking_; }
  void BlinkPhase(int phase) override;

 protected:
  void paintEvent(QPaintEvent*) override;
  void mouseReleaseEvent(QMouseEvent* e) override;
  void enterEvent(QEnterEvent* e) override;
  void leaveEvent(QEvent* e) override;
  void changeEvent(QEvent* e) override;
  virtual void Click();

 private:
  void DrawStraightText(QPainter& p, const TRect& r);
  void DrawCurvedText(QPainter& p);
  void DrawTextCopies(QPainter& p, const std::function<void(int dx, int dy, TColor col)>& draw);
  void EnsureScalableFont();
  void ShowFontColor(TColor c);
  void AdjustBounds();
  int TextFlags() const;
  void Repaint(TColor& field, TColor c);
  void RepaintUnsized(TColor& field, TColor c);
  int angle_ = 0;
  TRotation rotation_ = TRotation::roNone;
  TCenterPoint centerPoint_ = TCenterPoint::cpCenter;
  TTextStyle textStyle_ = TTextStyle::tsRecessed;
  bool lightTextStyle_ = false;
  int shadowDepth_ = 2;
  bool flyByEnabled_ = false;
  bool blinking_ = false;
  TSides borderSides_ = sdAll;
  TFrameStyle borderOuter_ = TFrameStyle::fsNone, borderInner_ = TFrameStyle::fsNone;
  int borderWidth_ = 0, bevelWidth_ = 1;
  TSides frameSides_ = 0;
  TTextLayout layout_ = TTextLayout::tlTop;
  bool autoSize_ = true, showAccelChar_ = true, transparent_ = false;
  TColor shadowColor_ = clBtnShadow, highlightColor_ = clBtnHighlight;
  TColor flyByColor_ = 0x6A240A, blinkColor_ = 0x6A240A;  // the highlight colour
  TColor borderColor_ = clBtnFace, borderHighlight_ = clBtnHighlight, borderShadow_ = clBtnShadow;
  TColor flatColor_ = 0, color_ = clBtnFace;
  TColor fontColor_ = clBlack;
  TColor blinkSaved_ = clBlack;  // the normal colour while the blink colour shows
  bool normalShown_ = true;      // false while the blink colour shows
  TColor flyBySaved_ = clBlack;
};

class TVxURLLabel : public TVxLabel {
 public:
  explicit TVxURLLabel(QWidget* parent = nullptr);

  QString URL;
  bool Visited() const { return visited_; }
  void SetVisited(bool v);
  TColor VisitedColor() const { return visitedColor_; }
  void SetVisitedColor(TColor c);
  TColor UnvisitedColor() const { return unvisitedColor_; }
  void SetUnvisitedColor(TColor c);
  // The address a click opens: URL when it is not blank, else the caption; trimmed.
  QString Address() const;

  // Opens an address with the desktop's handler; tests replace it.
  static std::function<bool(const QString&)> OpenAddress;

 protected:
  void Click() override;

 private:
  void ShowVisitState();
  bool visited_ = false;
  TColor visitedColor_ = 0x800080, unvisitedColor_ = 0x6A240A;
};
