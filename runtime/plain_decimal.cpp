#include "runtime/plain_decimal.h"

#include <array>
#include <bit>
#include <cstddef>
#include <cstring>

namespace sorvane {
namespace {

// A double's print text keeps this many significant digits; a number with more is
// rounded and takes the general path.
constexpr std::ptrdiff_t kPrintedDigits = 15;
// A magnitude below 0.0001 has more zeros than this after the point; its print text
// takes the exponent form.
constexpr std::ptrdiff_t kMaxZerosAfterPoint = 3;
// The most digits after the point a number that ScanPlainDecimal takes can show.
constexpr std::size_t kMaxFractionDigits = kMaxZerosAfterPoint + kPrintedDigits;

// Every power of ten up to 10^22 is exact in a double. An exact mantissa divided by an
// exact power is correctly rounded, as from_chars' result is.
constexpr std::array<double, kMaxFractionDigits + 1> kPowersOfTen = [] {
  std::array<double, kMaxFractionDigits + 1> powers{};
  double power = 1;
  for (double& p : powers) {
    p = power;
    power *= 10;
  }
  return powers;
}();

bool IsDigit(char c) { return static_cast<unsigned char>(c - '0') < 10; }

// The first character in [p, limit) that is not a digit, or `limit`. Eight characters
// are tested at a time where they can be: a byte is a digit when its high half is 3
// both as it is and with 6 added. A byte from 0xFA on carries into the next one, but
// it is no digit itself, so the first byte found is still the first that is none.
const char* SkipDigits(const char* p, const char* limit) {
  if constexpr (std::endian::native == std::endian::little) {
    constexpr std::uint64_t kHighHalves = 0xF0F0F0F0F0F0F0F0;
    constexpr std::uint64_t kThrees = 0x3030303030303030;
    constexpr std::uint64_t kSixes = 0x0606060606060606;
    for (; limit - p >= 8; p += 8) {
      std::uint64_t word;
      std::memcpy(&word, p, sizeof word);
      const std::uint64_t notDigits =
          ((word & kHighHalves) ^ kThrees) | (((word + kSixes) & kHighHalves) ^ kThrees);
      if (notDigits != 0) return p + std::countr_zero(notDigits) / 8;
    }
  }
  while (p < limit && IsDigit(*p)) ++p;
  return p;
}

}  // namespace

const char* ScanPlainDecimal(const char* text, const char* limit, PlainDecimal& number) {
  const char* p = text;
  const bool minus = p < limit && *p == '-';
  if (p < limit && (*p == '-' || *p == '+')) ++p;
  const char* const afterSign = p;
  while (p < limit && *p == '0') ++p;  // leading zeros are neither shown nor counted
  const char* const first = p;
  p = SkipDigits(p, limit);
  const char* const wholeEnd = p;
  const char* shownEnd = wholeEnd;
  std::ptrdiff_t significantDigits = wholeEnd - first;
  if (p < limit && *p == '.') {
    const char* const fraction = ++p;
    p = SkipDigits(p, limit);
    if (p == afterSign + 1) return nullptr;  // a point without a digit
    const char* last = p;
    while (last > fraction && last[-1] == '0') --last;  // trailing zeros are not shown
    if (last > fraction) shownEnd = last;
    if (first == wholeEnd) {  // below one: its zeros after the point do not count
      const char* firstNonZero = fraction;
      while (firstNonZero < last && *firstNonZero == '0') ++firstNonZero;
      if (firstNonZero < last && firstNonZero - fraction > kMaxZerosAfterPoint) return nullptr;
      significantDigits = last - firstNonZero;
    } else {
      significantDigits += last - fraction;
    }
  } else if (p == afterSign) {
    return nullptr;  // no digit at all
  }
  if (significantDigits > kPrintedDigits) return nullptr;
  number = {first, shownEnd, minus};
  return p;
}

char* PrintPlainDecimal(const PlainDecimal& number, char* out) {
  const bool zero = number.shownBegin == number.shownEnd;
  *out++ = number.negative && !zero ? '-' : ' ';  // -0 is not negative
  if (zero || *number.shownBegin == '.') *out++ = '0';
  const auto length = static_cast<std::size_t>(number.shownEnd - number.shownBegin);
  std::memcpy(out, number.shownBegin, length);
  out += length;
  *out++ = ' ';
  return out;
}

bool ReadPlainDecimal(std::string_view field, double& value, NumberText& printed) {
  const char* const end = field.data() + field.size();
  PlainDecimal number;
  if (ScanPlainDecimal(field.data(), end, number) != end) return false;
  // The shown digits are the whole mantissa; those after the point give its power.
  std::uint64_t mantissa = 0;
  std::size_t fractionDigits = 0;
  bool afterPoint = false;
  for (const char* p = number.shownBegin; p < number.shownEnd; ++p) {
    if (*p == '.') {
      afterPoint = true;
      continue;
    }
    mantissa = mantissa * 10 + static_cast<unsigned>(*p - '0');
    fractionDigits += afterPoint ? 1 : 0;
  }
  const double magnitude = static_cast<double>(mantissa) / kPowersOfTen[fractionDigits];
  value = number.negative ? -magnitude : magnitude;
  printed.length =
      static_cast<std::uint8_t>(PrintPlainDecimal(number, printed.text) - printed.text);
  return true;
}

}  // namespace sorvane
