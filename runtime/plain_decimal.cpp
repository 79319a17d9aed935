#include "plain_decimal.h"

#include <algorithm>
#include <array>

namespace sorvane {
namespace {

constexpr int kMaxSignificantDigits = 15;
// 10^22 is the largest power of ten a double holds exactly; an exact mantissa divided
// by an exact power is then correctly rounded, as from_chars' result is.
constexpr int kMaxExactPowerOfTen = 22;

constexpr std::array<double, kMaxExactPowerOfTen + 1> kPowersOfTen = [] {
  std::array<double, kMaxExactPowerOfTen + 1> powers{};
  double power = 1;
  for (double& p : powers) {
    p = power;
    power *= 10;
  }
  return powers;
}();

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

bool ReadPlainDecimal(std::string_view field, double& value, NumberText& printed) {
  const char* p = field.data();
  const char* const end = p + field.size();
  bool negative = false;
  if (p < end && (*p == '-' || *p == '+')) negative = *p++ == '-';
  const char* wholeBegin = p;
  while (p < end && IsDigit(*p)) ++p;
  const char* const wholeEnd = p;
  const char* fractionBegin = p;
  const char* fractionEnd = p;
  if (p < end && *p == '.') {
    fractionBegin = ++p;
    while (p < end && IsDigit(*p)) ++p;
    fractionEnd = p;
  }
  if (p != end || (wholeBegin == wholeEnd && fractionBegin == fractionEnd)) return false;

  while (wholeBegin < wholeEnd && *wholeBegin == '0') ++wholeBegin;
  while (fractionEnd > fractionBegin && fractionEnd[-1] == '0') --fractionEnd;
  const auto wholeDigits = static_cast<int>(wholeEnd - wholeBegin);
  const auto fractionDigits = static_cast<int>(fractionEnd - fractionBegin);
  int significantDigits = wholeDigits + fractionDigits;
  if (wholeDigits == 0) {
    const int leadingZeros =
        static_cast<int>(std::find_if(fractionBegin, fractionEnd, [](char c) { return c != '0'; }) -
                         fractionBegin);
    if (leadingZeros >= 4 && leadingZeros < fractionDigits) return false;  // below 0.0001
    significantDigits -= leadingZeros;
  }
  if (significantDigits > kMaxSignificantDigits || fractionDigits > kMaxExactPowerOfTen) {
    return false;
  }

  std::uint64_t mantissa = 0;
  for (const char* d = wholeBegin; d < wholeEnd; ++d) mantissa = mantissa * 10 + (*d - '0');
  for (const char* d = fractionBegin; d < fractionEnd; ++d) mantissa = mantissa * 10 + (*d - '0');
  const double magnitude = static_cast<double>(mantissa) / kPowersOfTen[fractionDigits];
  value = negative ? -magnitude : magnitude;

  char* out = printed.text;
  *out++ = negative && mantissa != 0 ? '-' : ' ';  // -0 is not negative
  if (wholeDigits == 0) {
    *out++ = '0';
  } else {
    out = std::copy(wholeBegin, wholeEnd, out);
  }
  if (fractionDigits > 0) {
    *out++ = '.';
    out = std::copy(fractionBegin, fractionEnd, out);
  }
  *out++ = ' ';
  printed.length = static_cast<std::uint8_t>(out - printed.text);
  return true;
}

}  // namespace sorvane
