#pragma once
// The fast path for the commonest field of a point file: a plain decimal such as
// "-45840.421508". Such a number reads to the nearest double with one division, and
// since a double holds more than 15 significant digits, its print text is its own
// digits, so it is written without formatting the double. The general path (Val, the
// strict conversion, PrintNumberText) gives the same value and the same bytes.

#include "runtime/number_text.h"

#include <cstdint>
#include <string_view>

namespace sorvane {

// A number's print text, kept to be written later.
struct NumberText {
  char text[kMaxNumberTextLength];
  std::uint8_t length = 0;
  std::string_view View() const { return {text, length}; }
};

// Reads `field` when it is, as a whole, a plain decimal: an optional sign, digits with
// at most one point, no exponent, no blanks; at most 15 significant digits; zero or a
// magnitude from 0.0001 up to below 1E+15. Fills `value` (as Val and the strict
// conversion read it) and `printed` (as PrintNumberText writes it). Returns false,
// touching neither, for any other field.
bool ReadPlainDecimal(std::string_view field, double& value, NumberText& printed);

}  // namespace sorvane
