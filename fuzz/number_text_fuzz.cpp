// Val, the strict conversion, the plain decimal path and the number text on arbitrary
// input. Whenever the strict conversion accepts a text, Val reads the same value, and
// so does the plain decimal path, which also prints what PrintNumberText prints. The
// text printed for any finite double reads back, both ways, as that double rounded to
// 15 significant digits (toward zero next to the largest double).

#include "fuzz/fuzz_check.h"
#include "runtime/number_text.h"
#include "runtime/plain_decimal.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string_view>

namespace sorvane::fuzz {
namespace {

std::string_view Print(double value, char* buffer) {
  return {buffer, static_cast<std::size_t>(PrintNumberText(value, buffer) - buffer)};
}

// The value rounded to 15 significant digits by the C library; the doubles nearest the
// largest one would round past it, so they keep 15 digits rounded toward zero. The
// fuzzer never sets a locale, so printf and strtod use the C locale's ".".
double ExpectedReadBack(double value) {
  char text[40];
  std::snprintf(text, sizeof text, "%.14e", std::fabs(value));
  double rounded = std::strtod(text, nullptr);
  if (std::isinf(rounded)) {
    --text[15];  // the last of the 15 digits in "d.dddddddddddddde+308"
    rounded = std::strtod(text, nullptr);
  }
  return std::copysign(rounded, value);
}

void CheckReading(std::string_view text) {
  const std::optional<double> val = Val(text);
  const std::optional<double> strict = StrictConvert(text);
  if (strict) SORVANE_FUZZ_CHECK(val && *val == *strict);

  double plainValue = 0;
  NumberText plainPrinted;
  if (ReadPlainDecimal(text, plainValue, plainPrinted)) {
    SORVANE_FUZZ_CHECK(strict && *strict == plainValue);
    char buffer[kMaxNumberTextLength];
    SORVANE_FUZZ_CHECK(plainPrinted.View() == Print(plainValue, buffer));
  }
}

void CheckPrinting(double value) {
  char buffer[kMaxNumberTextLength];
  const std::string_view printed = Print(value, buffer);
  SORVANE_FUZZ_CHECK(printed.size() <= kMaxNumberTextLength);
  SORVANE_FUZZ_CHECK(printed.front() == (value < 0 ? '-' : ' ') && printed.back() == ' ');

  const double expected = ExpectedReadBack(value);
  const std::optional<double> val = Val(printed);
  const std::optional<double> strict = StrictConvert(printed);
  SORVANE_FUZZ_CHECK(val && *val == expected);
  SORVANE_FUZZ_CHECK(strict && *strict == expected);
}

}  // namespace
}  // namespace sorvane::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  sorvane::fuzz::CheckReading(text);
  if (size >= sizeof(double)) {
    double value = 0;
    std::memcpy(&value, data, sizeof value);
    if (std::isfinite(value)) sorvane::fuzz::CheckPrinting(value);
  }
  return 0;
}
