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

// The part of a plain decimal that its print text shows: the digits from the first
// significant one (or from the point, below one) to the last nonzero one after the
// point, the point itself only when such a digit follows it. Empty for zero.
struct PlainDecimal {
  const char* shownBegin = nullptr;
  const char* shownEnd = nullptr;
  bool negative = false;  // a minus sign before a value that is not zero
};

// Scans the plain decimal that starts at `text`, looking no further than `limit`: an
// optional sign, then digits with at most one point, at least one digit. Returns the
// first character after it and fills `number`. Returns nullptr when no such number
// starts there, and when its print text is not its own digits: more than 15
// significant digits, or a magnitude other than zero below 0.0001 or from 1E+15 on.
// What follows the number is the caller's to judge.
const char* ScanPlainDecimal(const char* text, const char* limit, PlainDecimal& number);

// Writes the print text of a scanned number, as PrintNumberText writes its value, and
// returns its end. `out` must have room for kMaxNumberTextLength characters.
char* PrintPlainDecimal(const PlainDecimal& number, char* out);

// Reads `field` when it is, as a whole, a plain decimal that ScanPlainDecimal takes.
// Fills `value` (as Val and the strict conversion read it) and `printed` (as
// PrintNumberText writes it). Returns false, touching neither, for any other field.
bool ReadPlainDecimal(std::string_view field, double& value, NumberText& printed);

}  // namespace sorvane
