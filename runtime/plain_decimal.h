#pragma once
// The fast path for the commonest field of a point file: a plain decimal such as
// "-45840.421508". Such a number reads to the nearest double with one division, and
// since a double holds more than 15 significant digits, its print text is its own
// digits, so it is written without formatting the double. The general path (Val, the
// strict conversion, PrintNumberText) gives the same value and the same bytes.

#include "runtime/number_text.h"

#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
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
  bool negative = false;  // written with a minus sign, "-0" too
};

// ScanPlainDecimal and PrintPlainDecimal run for every field of every row, so they are
// defined in this header, where the row reader's compiler folds them into its loop.
namespace plain_decimal_detail {

// A double's print text keeps this many significant digits; a number with more is
// rounded and takes the general path.
inline constexpr std::ptrdiff_t kPrintedDigits = 15;
// A magnitude below 0.0001 has more zeros than this after the point; its print text
// takes the exponent form.
inline constexpr std::ptrdiff_t kMaxZerosAfterPoint = 3;

inline bool IsDigit(char c) { return static_cast<unsigned char>(c - '0') < 10; }

// The first character in [p, limit) that is not a digit, or `limit`. Eight characters
// are tested at a time where they can be: a byte is a digit when its high half is 3
// both as it is and with 6 added. A byte from 0xFA on carries into the next one, but
// it is no digit itself, so the first byte found is still the first that is none.
inline const char* SkipDigits(const char* p, const char* limit) {
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

// Copies `size` bytes, at most 24, in two overlapping moves of a fixed size each,
// which is faster for a few bytes than a call to memcpy.
inline void CopyShort(char* out, const char* from, std::size_t size) {
  if (size >= 8) {
    const std::size_t head = size > 16 ? 16 : 8;
    std::memcpy(out, from, head);
    std::memcpy(out + size - 8, from + size - 8, 8);
  } else if (size >= 4) {
    std::memcpy(out, from, 4);
    std::memcpy(out + size - 4, from + size - 4, 4);
  } else {
    for (std::size_t i = 0; i < size; ++i) out[i] = from[i];
  }
}

}  // namespace plain_decimal_detail

// Scans the plain decimal that starts at `text`, looking no further than `limit`: an
// optional sign, then digits with at most one point, at least one digit. Returns the
// first character after it and fills `number`. Returns nullptr when no such number
// starts there, and when its print text is not its own digits: more than 15
// significant digits, or a magnitude other than zero below 0.0001 or from 1E+15 on.
// What follows the number is the caller's to judge.
inline const char* ScanPlainDecimal(const char* text, const char* limit, PlainDecimal& number) {
  const char* p = text;
  const bool minus = p < limit && *p == '-';
  if (p < limit && (*p == '-' || *p == '+')) ++p;
  const char* const afterSign = p;
  while (p < limit && *p == '0') ++p;  // leading zeros are neither shown nor counted
  const char* const first = p;
  p = plain_decimal_detail::SkipDigits(p, limit);
  const char* const wholeEnd = p;
  const char* shownEnd = wholeEnd;
  std::ptrdiff_t significantDigits = wholeEnd - first;
  if (p < limit && *p == '.') {
    const char* const fraction = ++p;
    p = plain_decimal_detail::SkipDigits(p, limit);
    if (p == afterSign + 1) return nullptr;  // a point without a digit
    const char* last = p;
    while (last > fraction && last[-1] == '0') --last;  // trailing zeros are not shown
    if (last > fraction) shownEnd = last;
    if (first == wholeEnd) {  // below one: its zeros after the point do not count
      const char* firstNonZero = fraction;
      while (firstNonZero < last && *firstNonZero == '0') ++firstNonZero;
      if (firstNonZero < last && firstNonZero - fraction > plain_decimal_detail::kMaxZerosAfterPoint) {
        return nullptr;
      }
      significantDigits = last - firstNonZero;
    } else {
      significantDigits += last - fraction;
    }
  } else if (p == afterSign) {
    return nullptr;  // no digit at all
  }
  if (significantDigits > plain_decimal_detail::kPrintedDigits) return nullptr;
  number = {first, shownEnd, minus};
  return p;
}

// Writes the print text of a scanned number, as PrintNumberText writes its value, and
// returns its end. `out` must have room for kMaxNumberTextLength characters.
inline char* PrintPlainDecimal(const PlainDecimal& number, char* out) {
  const bool zero = number.shownBegin == number.shownEnd;
  *out++ = number.negative && !zero ? '-' : ' ';  // -0 is not negative
  if (zero || *number.shownBegin == '.') *out++ = '0';
  const auto length = static_cast<std::size_t>(number.shownEnd - number.shownBegin);
  plain_decimal_detail::CopyShort(out, number.shownBegin, length);
  out += length;
  *out++ = ' ';
  return out;
}

// Reads `field` when it is, as a whole, a plain decimal that ScanPlainDecimal takes.
// Fills `value` (as Val and the strict conversion read it) and `printed` (as
// PrintNumberText writes it). Returns false, touching neither, for any other field.
bool ReadPlainDecimal(std::string_view field, double& value, NumberText& printed);

}  // namespace sorvane
