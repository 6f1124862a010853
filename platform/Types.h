#pragma once
// Small value types shared by every subsystem: colours, fixed-capacity 8-bit texts and
// deep-copying owners. None of them depends on a widget.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>

class QString;

// A colour as the drawing code knows it: 0x00BBGGRR.
using TColor = int32_t;
constexpr TColor clBlack = 0x000000;
constexpr TColor clWhite = 0xFFFFFF;
constexpr TColor clRed = 0x0000FF;
constexpr TColor clLime = 0x00FF00;
constexpr TColor clBlue = 0xFF0000;
constexpr TColor clYellow = 0x00FFFF;
constexpr TColor clGray = 0x808080;
constexpr TColor clSilver = 0xC0C0C0;
constexpr TColor clNavy = 0x800000;
constexpr TColor clMaroon = 0x000080;
constexpr TColor clGreen = 0x008000;
constexpr TColor clBtnFace = 0xC8D0D4;

constexpr TColor RGBToColor(int r, int g, int b) { return (b << 16) | (g << 8) | r; }
constexpr int ColorRed(TColor c) { return c & 0xFF; }
constexpr int ColorGreen(TColor c) { return (c >> 8) & 0xFF; }
constexpr int ColorBlue(TColor c) { return (c >> 16) & 0xFF; }

// Windows-1252 bytes <-> Unicode: the one codec for song files, language files and the ini file.
QString AnsiToQString(std::string_view bytes);
std::string QStringToAnsi(const QString& text);  // unmappable characters become '?'

// A text of at most N 8-bit characters stored inside its record (length byte + bytes).
template <int N>
struct ShortString {
  static constexpr int Capacity = N;
  uint8_t Len = 0;
  char Data[N] = {};

  ShortString() = default;
  ShortString(std::string_view s) { assign(s); }  // NOLINT: texts are assigned freely
  void assign(std::string_view s) {
    Len = static_cast<uint8_t>(std::min<size_t>(s.size(), N));
    if (Len > 0) std::memcpy(Data, s.data(), Len);
    std::memset(Data + Len, 0, N - Len);
  }
  ShortString& operator=(std::string_view s) { assign(s); return *this; }
  std::string str() const { return std::string(Data, Len); }
  std::string_view view() const { return std::string_view(Data, Len); }
  bool empty() const { return Len == 0; }
  int length() const { return Len; }
  void clear() { assign({}); }
  bool operator==(const ShortString& o) const { return view() == o.view(); }
};

// An owning pointer that copies its object when it is copied, so that copies of records
// (undo buffer, measure snapshot, clipboard) never share a chord or a mix-table change.
template <class T>
class ValuePtr {
 public:
  ValuePtr() = default;
  ValuePtr(std::nullptr_t) {}
  explicit ValuePtr(std::unique_ptr<T> p) : p_(std::move(p)) {}
  ValuePtr(const ValuePtr& o) : p_(o.p_ ? std::make_unique<T>(*o.p_) : nullptr) {}
  ValuePtr(ValuePtr&&) noexcept = default;
  ValuePtr& operator=(const ValuePtr& o) {
    if (this != &o) p_ = o.p_ ? std::make_unique<T>(*o.p_) : nullptr;
    return *this;
  }
  ValuePtr& operator=(ValuePtr&&) noexcept = default;
  ValuePtr& operator=(std::nullptr_t) { p_.reset(); return *this; }

  template <class... A>
  T& emplace(A&&... a) { p_ = std::make_unique<T>(std::forward<A>(a)...); return *p_; }
  void reset() { p_.reset(); }
  T* get() const { return p_.get(); }
  T* operator->() const { return p_.get(); }
  T& operator*() const { return *p_; }
  explicit operator bool() const { return p_ != nullptr; }
  bool operator==(std::nullptr_t) const { return p_ == nullptr; }

 private:
  std::unique_ptr<T> p_;
};

// Halves-to-even rounding, the one rounding of the program.
inline int Arrondi(double v) { return static_cast<int>(std::nearbyint(v)); }
