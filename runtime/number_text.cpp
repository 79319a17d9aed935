#include "runtime/number_text.h"

#include <algorithm>
#include <cassert>
#include <charconv>
#include <cmath>
#include <cstring>
#include <limits>
#include <string>

#ifdef SORVANE_USE_FAST_FLOAT
#include <fast_float/fast_float.h>
#endif

namespace sorvane {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsSign(char c) { return c == '+' || c == '-'; }
bool IsExponentMark(char c) { return c == 'E' || c == 'e'; }
bool CanBePartOfNumber(char c) {
  return IsDigit(c) || IsSign(c) || c == '.' || IsExponentMark(c);
}

// Length of the longest prefix of `text` that has the form of a number:
// [sign] digits [. digits] [E [sign] digits], at least one digit before the exponent.
// 0 when the text does not begin with a number.
std::size_t NumberPrefixLength(std::string_view text) {
  const std::size_t n = text.size();
  std::size_t i = 0;
  if (i < n && IsSign(text[i])) ++i;
  std::size_t digits = 0;
  for (; i < n && IsDigit(text[i]); ++i) ++digits;
  if (i < n && text[i] == '.') {
    for (++i; i < n && IsDigit(text[i]); ++i) ++digits;
  }
  if (digits == 0) return 0;
  if (i < n && IsExponentMark(text[i])) {
    std::size_t j = i + 1;
    if (j < n && IsSign(text[j])) ++j;
    if (j < n && IsDigit(text[j])) {
      while (j < n && IsDigit(text[j])) ++j;
      i = j;  // an "E" without digits is not part of the number
    }
  }
  return i;
}

#ifndef SORVANE_USE_FAST_FLOAT
// Whether a number form that lies beyond the range of a double is too large for one,
// rather than too small: from_chars reports both alike. The decimal exponent of the
// leading digit tells, since the range spans far more than the digits can shift.
bool BeyondLargestDouble(std::string_view number) {
  constexpr long kExponentCap = 1'000'000'000;  // far beyond any double, far from overflow
  long exponent = 0;
  std::size_t i = 0;
  long integerDigits = 0;
  long fractionZeros = 0;
  bool seenNonZero = false;
  for (; i < number.size() && IsDigit(number[i]); ++i) {
    seenNonZero = seenNonZero || number[i] != '0';
    if (seenNonZero) ++integerDigits;
  }
  if (i < number.size() && number[i] == '.') {
    for (++i; i < number.size() && IsDigit(number[i]) && !seenNonZero; ++i) {
      seenNonZero = number[i] != '0';
      if (!seenNonZero) ++fractionZeros;
    }
    while (i < number.size() && IsDigit(number[i])) ++i;
  }
  if (i < number.size() && IsExponentMark(number[i])) {
    ++i;
    const bool negative = i < number.size() && number[i] == '-';
    if (i < number.size() && IsSign(number[i])) ++i;
    for (; i < number.size() && IsDigit(number[i]); ++i) {
      exponent = std::min(kExponentCap, exponent * 10 + (number[i] - '0'));
    }
    if (negative) exponent = -exponent;
  }
  return exponent + (integerDigits > 0 ? integerDigits : -fractionZeros) > 0;
}
#endif

// The nearest double to a text of number form. Values too small for a double become
// zero (or the nearest subnormal); nullopt when the value is too large for one.
std::optional<double> NumberFormToDouble(std::string_view number) {
  const bool negative = number.front() == '-';
  if (IsSign(number.front())) number.remove_prefix(1);  // from_chars takes no sign
  double magnitude = 0;
  const char* const first = number.data();
  const char* const last = number.data() + number.size();
#ifndef SORVANE_USE_FAST_FLOAT
  const auto [end, error] = std::from_chars(first, last, magnitude);
  if (error == std::errc::result_out_of_range) {
    if (BeyondLargestDouble(number)) return std::nullopt;
    magnitude = 0;  // from_chars reports a range error only when nothing is left but 0
  }
#else
  // This standard library cannot read a double with from_chars; fast_float reads it
  // the same way, rounding to nearest, and gives infinity beyond the largest double.
  [[maybe_unused]] const auto [end, error] = fast_float::from_chars(first, last, magnitude);
  if (std::isinf(magnitude)) return std::nullopt;
#endif
  assert(error != std::errc::invalid_argument && end == last);
  return negative ? -magnitude : magnitude;
}

std::optional<double> ValOfCandidate(std::string_view candidate) {
  const std::size_t numberLength = NumberPrefixLength(candidate);
  if (numberLength == 0) return 0.0;
  return NumberFormToDouble(candidate.substr(0, numberLength));
}

}  // namespace

std::optional<double> Val(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  std::size_t run = 0;
  while (run < text.size() && CanBePartOfNumber(text[run])) ++run;
  if (run == text.size() || !IsBlank(text[run])) return ValOfCandidate(text.substr(0, run));

  // A blank inside the number: gather its characters without the blanks. The buffer
  // is kept from call to call so that reading a file allocates nothing per row.
  thread_local std::string gathered;
  gathered.clear();
  for (const char c : text) {
    if (IsBlank(c)) continue;
    if (!CanBePartOfNumber(c)) break;
    gathered.push_back(c);
  }
  return ValOfCandidate(gathered);
}

std::optional<double> StrictConvert(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  const std::size_t numberLength = NumberPrefixLength(text);
  if (numberLength == 0 || numberLength != text.size()) return std::nullopt;
  return NumberFormToDouble(text);
}

namespace {

// The significant digits of a positive double, rounded to at most 15 and without
// trailing zeros, and the decimal exponent of the first one.
struct DecimalDigits {
  char digits[17];
  int count = 0;
  int exponent = 0;
};

// Reads to_chars' scientific text "d.ddde+XX" into digits and exponent.
DecimalDigits FromScientificText(const char* text, const char* end) {
  DecimalDigits decimal;
  const char* p = text;
  for (; p < end && *p != 'e'; ++p) {
    if (*p != '.') decimal.digits[decimal.count++] = *p;
  }
  while (decimal.count > 1 && decimal.digits[decimal.count - 1] == '0') --decimal.count;
  std::from_chars(p + 1 + (p[1] == '+' ? 1 : 0), end, decimal.exponent);
  return decimal;
}

DecimalDigits RoundToFifteenDigits(double magnitude) {
  char text[40];
  // The shortest text that reads back as the value: when it has 15 digits or fewer,
  // it is also the value rounded to 15 digits, since a normal double carries more than
  // 15 (a subnormal carries fewer, so it takes the exact rounding).
  if (magnitude >= std::numeric_limits<double>::min()) {
    const char* end =
        std::to_chars(text, text + sizeof text, magnitude, std::chars_format::scientific).ptr;
    const DecimalDigits shortest = FromScientificText(text, end);
    if (shortest.count <= 15) return shortest;
  }
  const char* end =
      std::to_chars(text, text + sizeof text, magnitude, std::chars_format::scientific, 14).ptr;
  DecimalDigits rounded = FromScientificText(text, end);
  // The doubles nearest the largest one round up past it, to a text that no reader
  // (strtod, Val, a DXF reader) takes back; they keep 15 digits rounded toward zero.
  constexpr std::string_view kPastLargestDouble = "179769313486232";
  if (rounded.exponent == 308 && std::string_view(rounded.digits, static_cast<std::size_t>(rounded.count)) == kPastLargestDouble) {
    rounded.digits[14] = '1';
  }
  return rounded;
}

char* WriteExponentForm(const DecimalDigits& decimal, char* out) {
  *out++ = decimal.digits[0];
  if (decimal.count > 1) {
    *out++ = '.';
    out = std::copy(decimal.digits + 1, decimal.digits + decimal.count, out);
  }
  *out++ = 'E';
  *out++ = decimal.exponent < 0 ? '-' : '+';
  const int exponent = std::abs(decimal.exponent);
  if (exponent < 10) *out++ = '0';
  return std::to_chars(out, out + 3, exponent).ptr;
}

char* WritePositionalForm(const DecimalDigits& decimal, char* out) {
  if (decimal.exponent < 0) {
    *out++ = '0';
    *out++ = '.';
    out = std::fill_n(out, -decimal.exponent - 1, '0');
    return std::copy(decimal.digits, decimal.digits + decimal.count, out);
  }
  const int wholeDigits = decimal.exponent + 1;
  for (int i = 0; i < wholeDigits; ++i) {
    *out++ = i < decimal.count ? decimal.digits[i] : '0';
  }
  if (decimal.count > wholeDigits) {
    *out++ = '.';
    out = std::copy(decimal.digits + wholeDigits, decimal.digits + decimal.count, out);
  }
  return out;
}

}  // namespace

char* PrintNumberText(double value, char* out) {
  assert(std::isfinite(value));
  *out++ = value < 0 ? '-' : ' ';
  if (value == 0) {
    *out++ = '0';
  } else {
    const DecimalDigits decimal = RoundToFifteenDigits(std::fabs(value));
    out = decimal.exponent < -4 || decimal.exponent > 14 ? WriteExponentForm(decimal, out)
                                                         : WritePositionalForm(decimal, out);
  }
  *out++ = ' ';
  return out;
}

}  // namespace sorvane
