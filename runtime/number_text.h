#pragma once
// The runtime's number conversions: reading a number from text (Val and the strict
// conversion) and writing a double as the print statement does. None of them depends
// on the process locale: "." is always the decimal separator.

#include <cstddef>
#include <optional>
#include <string_view>

namespace sorvane {

// Val: the number that a text begins with — an optional sign, digits with at most one
// ".", an optional exponent (E or e, an optional sign, digits). Blanks and tabs are
// skipped wherever they stand, so "1 2" reads as 12. Reading stops at the first other
// character; a text that does not begin with a number reads as 0.
// Returns nullopt only when the number lies beyond the range of a double.
[[nodiscard]] std::optional<double> Val(std::string_view text);

// The strict conversion: the whole text must be one number of Val's form, without
// blanks inside it; blanks and tabs around it are allowed. Returns nullopt when the
// text is not such a number or when the number lies beyond the range of a double.
// Whenever it accepts a text, Val reads the same value from it.
[[nodiscard]] std::optional<double> StrictConvert(std::string_view text);

// The longest text PrintNumberText writes: sign, 15 digits, point, "E-308", space.
inline constexpr std::size_t kMaxNumberTextLength = 24;

// Writes a finite double as the print statement does and returns the end of the text:
// a space before a value that is not negative (-0 is not negative), a minus sign before
// a negative one, the value rounded to at most 15 significant digits, then one space.
// No trailing zeros and no point for whole values; a zero before the point below one;
// the exponent form ("1.5E+20", "1E-05") when the decimal exponent is below -4 or
// above 14, which strtod and every DXF reader read back.
// `out` must have room for kMaxNumberTextLength characters.
char* PrintNumberText(double value, char* out);

}  // namespace sorvane
