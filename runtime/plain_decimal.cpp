#include "runtime/plain_decimal.h"

#include <array>
#include <cstddef>
#include <cstring>

namespace sorvane {
namespace {

// The most digits after the point a number that ScanPlainDecimal takes can show.
constexpr std::size_t kMaxFractionDigits =
    plain_decimal_detail::kMaxZerosAfterPoint + plain_decimal_detail::kPrintedDigits;

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

}  // namespace

bool ReadPlainDecimal(std::string_view field, double& value, NumberText& printed) noexcept {
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
