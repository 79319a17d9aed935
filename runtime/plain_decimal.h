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

// 0x80 in each byte of `word` that is not a digit, exactly: a digit XOR '0' is its
// value, below 10, and adding 0x76 to a byte's low seven bits sets its high bit from
// 10 on, with no carry into the next byte.
inline std::uint64_t NonDigitBytes(std::uint64_t word) {
  constexpr std::uint64_t kHighBits = 0x8080808080808080;
  const std::uint64_t values = word ^ 0x3030303030303030;
  return (((values & ~kHighBits) + 0x7676767676767676) | values) & kHighBits;
}

// The first character in [p, limit) that is not a digit, or `limit`. Eight characters
// are tested at a time where they can be.
inline const char* SkipDigits(const char* p, const char* limit) {
  if constexpr (std::endian::native == std::endian::little) {
    for (; limit - p >= 8; p += 8) {
      std::uint64_t word;
      std::memcpy(&word, p, sizeof word);
      const std::uint64_t notDigits = NonDigitBytes(word);
      if (notDigits != 0) return p + std::countr_zero(notDigits) / 8;
    }
  }
  while (p < limit && IsDigit(*p)) ++p;
  return p;
}

// Copies `size` bytes, at most 24, in two overlapping moves of a fixed size each,
// which is faster for a few bytes than a call to memcpy.
inline void CopyShort(char* out, const char* from, std::size_t size) {
  if (size > 16) {
    std::memcpy(out, from, 16);
    std::memcpy(out + size - 8, from + size - 8, 8);
  } else if (size >= 8) {
    std::memcpy(out, from, 8);
    std::memcpy(out + size - 8, from + size - 8, 8);
  } else if (size >= 4) {
    std::memcpy(out, from, 4);
    std::memcpy(out + size - 4, from + size - 4, 4);
  } else {
    for (std::size_t i = 0; i < size; ++i) out[i] = from[i];
  }
}

// The bytes QuickScan reads after the sign.
inline constexpr int kQuickScanBytes = 16;

// Scans the commonest plain decimals, such as "-45840.421508": an optional sign, then a
// digit from 1 to 9, digits and at most one point, in fewer than kQuickScanBytes bytes.
// The first two bytes that are no digit are found in two words read at once, and the
// sign by a branch, which the processor predicts: a loop over the digits, or a sign
// taken by arithmetic, would make each field wait for the scan of the one before.
// Returns what ScanPlainDecimal returns, or nullptr for any other text, which the full
// scan then judges. Reads kQuickScanBytes + 1 bytes from `text`, on a little-endian
// machine.
inline const char* QuickScan(const char* text, PlainDecimal& number) {
  const char* p = text;
  bool negative = false;
  if (*p == '-') {
    negative = true;
    ++p;
  } else if (*p == '+') {
    ++p;
  }
  if (*p == '0') return nullptr;  // leading zeros, or below one
  std::uint64_t low;
  std::uint64_t high;
  std::memcpy(&low, p, sizeof low);
  std::memcpy(&high, p + sizeof low, sizeof high);
  const std::uint64_t lowOthers = NonDigitBytes(low);
  const std::uint64_t highOthers = NonDigitBytes(high);
  // The offset of the first byte marked in `others`, from `base`; kQuickScanBytes for none.
  const auto offset = [](std::uint64_t others, int base) {
    return others != 0 ? base + std::countr_zero(others) / 8 : kQuickScanBytes;
  };
  const std::uint64_t lowRest = lowOthers & (lowOthers - 1);
  const int first = lowOthers != 0 ? offset(lowOthers, 0) : offset(highOthers, 8);
  if (first == 0 || first == kQuickScanBytes) return nullptr;  // no digit, or too long
  if (p[first] != '.') {
    number = {p, p + first, negative};
    return p + first;
  }
  const int end = lowRest != 0    ? offset(lowRest, 0)
                  : lowOthers != 0 ? offset(highOthers, 8)
                                   : offset(highOthers & (highOthers - 1), 8);
  if (end == kQuickScanBytes) return nullptr;
  // Trailing zeros are not shown, nor a point that no digit follows.
  const char* last = p + end;
  if (last[-1] == '0' || last[-1] == '.') {
    while (last[-1] == '0') --last;  // stops at the point at the latest
    if (last[-1] == '.') --last;
  }
  number = {p, last, negative};
  return p + end;
}

}  // namespace plain_decimal_detail

// Scans the plain decimal that starts at `text`, looking no further than `limit`: an
// optional sign, then digits with at most one point, at least one digit. Returns the
// first character after it and fills `number`. Returns nullptr when no such number
// starts there, and when its print text is not its own digits: more than 15
// significant digits, or a magnitude other than zero below 0.0001 or from 1E+15 on.
// What follows the number is the caller's to judge.
inline const char* ScanPlainDecimal(const char* text, const char* limit, PlainDecimal& number) {
  if constexpr (std::endian::native == std::endian::little) {
    if (limit - text > plain_decimal_detail::kQuickScanBytes) {
      const char* const end = plain_decimal_detail::QuickScan(text, number);
      if (end != nullptr) return end;
    }
  }
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
[[nodiscard]] bool ReadPlainDecimal(std::string_view field, double& value,
                                    NumberText& printed) noexcept;

}  // namespace sorvane
