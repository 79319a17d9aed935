#include "runtime/plain_decimal.h"

#include <array>
#include <cstring>

namespace sorvane {
namespace {

// Digits a uint64 holds whatever they are.
constexpr int kMaxGatheredDigits = 19;
// Below this a plain decimal has more than 15 significant digits or needs the exponent
// form, and so takes the general path.
constexpr std::uint64_t kMantissaLimit = 1'000'000'000'000'000;  // 10^15

constexpr std::array<std::uint64_t, kMaxGatheredDigits + 1> kIntegerPowersOfTen = [] {
  std::array<std::uint64_t, kMaxGatheredDigits + 1> powers{};
  std::uint64_t power = 1;
  for (std::uint64_t& p : powers) {
    p = power;
    power *= 10;
  }
  return powers;
}();

// Every power of ten up to 10^19 is exact in a double (up to 10^22 are). An exact
// mantissa divided by an exact power is correctly rounded, as from_chars' result is.
constexpr std::array<double, kMaxGatheredDigits + 1> kPowersOfTen = [] {
  std::array<double, kMaxGatheredDigits + 1> powers{};
  for (std::size_t i = 0; i < powers.size(); ++i) {
    powers[i] = static_cast<double>(kIntegerPowersOfTen[i]);
  }
  return powers;
}();

}  // namespace

bool ReadPlainDecimal(std::string_view field, double& value, NumberText& printed) {
  const char* p = field.data();
  const char* end = p + field.size();
  const bool negative = p < end && *p == '-';
  if (p < end && (*p == '-' || *p == '+')) ++p;
  const char* const afterSign = p;
  while (p < end && *p == '0') ++p;  // leading zeros are neither printed nor counted
  const char* const printedBegin = p;
  std::uint64_t mantissa = 0;  // wraps when too long; such a field is refused below
  auto gatherDigits = [&] {
    for (; p < end; ++p) {
      const unsigned digit = static_cast<unsigned char>(*p) - unsigned{'0'};
      if (digit >= 10) break;
      mantissa = mantissa * 10 + digit;
    }
  };
  gatherDigits();
  const char* point = nullptr;
  if (p < end && *p == '.') {
    point = p++;
    gatherDigits();
  }
  if (p != end) return false;
  const auto digits = (end - printedBegin) - (point != nullptr ? 1 : 0);
  if (digits > kMaxGatheredDigits) return false;
  if (digits == 0 && printedBegin == afterSign) return false;  // no digit at all: ".", "-"

  int fractionDigits = point != nullptr ? static_cast<int>(end - point - 1) : 0;
  while (fractionDigits > 0 && mantissa % 10 == 0) {  // trailing zeros of the fraction
    mantissa /= 10;
    --fractionDigits;
    --end;
  }
  if (fractionDigits == 0 && point != nullptr) end = point;
  if (mantissa >= kMantissaLimit) return false;
  const bool belowTenThousandth =
      mantissa != 0 && fractionDigits >= 4 &&
      (fractionDigits - 4 > kMaxGatheredDigits || mantissa < kIntegerPowersOfTen[fractionDigits - 4]);
  if (belowTenThousandth) return false;

  const double magnitude = static_cast<double>(mantissa) / kPowersOfTen[fractionDigits];
  value = negative ? -magnitude : magnitude;

  char* out = printed.text;
  *out++ = negative && mantissa != 0 ? '-' : ' ';  // -0 is not negative
  if (printedBegin == end || *printedBegin == '.') *out++ = '0';
  const auto length = static_cast<std::size_t>(end - printedBegin);
  std::memcpy(out, printedBegin, length);
  out += length;
  *out++ = ' ';
  printed.length = static_cast<std::uint8_t>(out - printed.text);
  return true;
}

}  // namespace sorvane
