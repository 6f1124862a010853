#pragma once
// Frame vocabulary and the border routines every framed component draws with. Each routine takes
// a canvas and a rectangle (right and bottom exclusive) and returns what is left inside what it
// drew, so that callers chain them. Also the process-wide blinking list of the labels.
#include <QFont>
#include <QObject>
#include <QString>
#include <cstdint>
#include <vector>

#include "platform/Canvas.h"

class QTimer;

// System colours of the classic look, as fixed colours.
constexpr TColor clBtnShadow = 0x808080;
constexpr TColor clBtnHighlight = 0xFFFFFF;
constexpr TColor clBtnText = 0x000000;
constexpr TColor clWindowFrame = 0x000000;
constexpr TColor clGrayText = 0x808080;
constexpr TColor clCaptionText = 0xFFFFFF;
constexpr TColor clActiveCaption = 0x6A240A;

enum class TFrameStyle : uint8_t { fsNone, fsFlat, fsGroove, fsBump, fsLowered, fsButtonDown, fsRaised, fsButtonUp, fsStatus, fsPopup };
enum TSide : uint8_t { sdLeft = 1, sdTop = 2, sdRight = 4, sdBottom = 8 };
using TSides = uint8_t;  // a set of TSide bits
constexpr TSides sdAll = sdLeft | sdTop | sdRight | sdBottom;
enum class TTextStyle : uint8_t { tsNormal, tsRaised, tsRecessed, tsShadow };
enum class TOrientation : uint8_t { orHorizontal, orVertical };
enum class TLineStyle : uint8_t { lsNone, lsFlat, lsGroove, lsBump };

struct TRect {
  int Left = 0, Top = 0, Right = 0, Bottom = 0;
  bool operator==(const TRect&) const = default;
};

TRect DrawSideLines(TCanvas& c, TRect r, TColor upperLeft, TColor lowerRight, TSides sides);
TRect DrawBevelBands(TCanvas& c, TRect r, TColor upperLeft, TColor lowerRight, int width, TSides sides);
TRect DrawThreeDBorder(TCanvas& c, TRect r, bool lowered, TSides sides);
TRect DrawButtonBorder(TCanvas& c, TRect r, bool lowered, TSides sides);
TRect DrawFrameStyleSides(TCanvas& c, TRect r, TFrameStyle style, TSides sides);
void PaintControlFrame(TCanvas& c, int width, int height, TFrameStyle style, TColor erase, TColor frame, TSides sides);
// Width a style takes on each side it is drawn on (bevelWidth for fsStatus and fsPopup).
int FrameStyleWidth(TFrameStyle style, int bevelWidth);

// The description of a rotated font: escapement in tenths of a degree, as the drawing layer takes it.
struct TAngledFont {
  int Height = 0, Width = 0, Escapement = 0, Orientation = 0, Weight = 400;
  bool Italic = false, Underline = false, StrikeOut = false;
  int CharSet = 1, OutPrecision = 0, ClipPrecision = 0, Quality = 0, Pitch = 0;
  QString FaceName;
};
TAngledFont CreateAngledFont(const QFont& font, int angleDegrees);
// The font to draw with from such a description; the caller turns the painter by the escapement.
QFont FontOfAngled(const TAngledFont& a);
int FontLineHeight(const QFont& font);
QChar LastCharOf(const QString& s);  // callers pass a non-empty string
inline int LargerOf(int a, int b) { return b > a ? b : a; }
// The whole wheel notches (120 units each) of one vertical step, upwards positive. Smaller steps
// add up in reste, a turn the other way starts a new count, and one step counts at most
// kCransMaxMolette notches (all a 16-bit step can carry): what lies beyond is dropped, so that a
// forged or broken event cannot run the wheel's work millions of times.
constexpr int kCransMaxMolette = 32767 / 120;
int CransMolette(int& reste, int dy);

// A control that may blink answers the query and follows the phase (1: blink colour, 0: normal).
class IBlinkingControl {
 public:
  virtual ~IBlinkingControl() = default;
  virtual bool QueryBlink() = 0;
  virtual void BlinkPhase(int phase) = 0;
};

class TVxBlinkingControlsList : public QObject {
 public:
  TVxBlinkingControlsList();
  int Phase = 1;
  int OffInterval = 500, OnInterval = 500;
  void Add(IBlinkingControl* c) { controls_.push_back(c); }
  void Remove(IBlinkingControl* c);
  int Count() const { return static_cast<int>(controls_.size()); }
  void Tick();  // what the timer runs
  QTimer* Timer() const { return timer_; }

 private:
  QTimer* timer_;
  std::vector<IBlinkingControl*> controls_;
};
// Exists while at least one label exists.
extern TVxBlinkingControlsList* BlinkingControls;
void AddBlinkingControl(IBlinkingControl* c);  // creates the list on first use
void RemoveBlinkingControl(IBlinkingControl* c);
void ReleaseBlinkingControls();  // frees the list when it is empty
