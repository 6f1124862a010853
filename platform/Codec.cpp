#include "platform/Types.h"

#include <QString>

namespace {
// Windows-1252 code points of the bytes 0x80..0x9F; 0 where the byte is undefined.
constexpr char16_t kHigh[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
    0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0};
}  // namespace

QString AnsiToQString(std::string_view bytes) {
  QString out;
  out.reserve(static_cast<qsizetype>(bytes.size()));
  for (unsigned char c : bytes) {
    if (c >= 0x80 && c <= 0x9F && kHigh[c - 0x80] != 0)
      out.append(QChar(kHigh[c - 0x80]));
    else
      out.append(QChar(static_cast<char16_t>(c)));
  }
  return out;
}

std::string QStringToAnsi(const QString& text) {
  std::string out;
  out.reserve(static_cast<size_t>(text.size()));
  for (QChar ch : text) {
    char16_t u = ch.unicode();
    if (u < 0x80 || (u >= 0xA0 && u <= 0xFF)) {
      out.push_back(static_cast<char>(u));
      continue;
    }
    char mapped = '?';
    for (int i = 0; i < 32; ++i)
      if (kHigh[i] != 0 && kHigh[i] == u) mapped = static_cast<char>(0x80 + i);
    // The five undefined bytes were read as the control characters of the same number: they go
    // back as they came, so that loading and saving keeps every byte.
    if (u >= 0x80 && u <= 0x9F && kHigh[u - 0x80] == 0) mapped = static_cast<char>(u);
    out.push_back(mapped);
  }
  return out;
}
