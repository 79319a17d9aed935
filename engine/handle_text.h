#pragma once
// Handles as a drawing writes them: hexadecimal in capitals. A drawing numbers its
// entities one after another, so the text of the next handle is counted up in place
// rather than formatted anew for every vertex.

#include "engine/handle.h"

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

namespace sorvane {

// The digits of a handle seed that is written before its value is known and replaced
// once it is: wide enough for any handle.
inline constexpr std::size_t kFixedHandleWidth = 16;
// How many bytes AppendTo copies, whatever the handle's length.
inline constexpr std::size_t kHandleCopyLength = kFixedHandleWidth;

class HandleText {
 public:
  explicit HandleText(Handle value = kNullHandle) noexcept;

  // The value without leading zeros ("0" for zero).
  std::string_view Text() const noexcept { return {digits_ + first_, kFixedHandleWidth - first_}; }

  // Writes Text() at `out` and returns its end, for the hot path: kHandleCopyLength
  // bytes are copied whole, which the compiler does in one move; only the text counts.
  char* AppendTo(char* out) const noexcept {
    std::memcpy(out, digits_ + first_, kHandleCopyLength);
    return out + (kFixedHandleWidth - first_);
  }

  // The value in exactly kFixedHandleWidth digits, with leading zeros.
  std::string FixedWidth() const { return {digits_, kFixedHandleWidth}; }

  // Counts up by `count`. Precondition: the value stays within 64 bits.
  void Advance(std::uint64_t count) noexcept;

  // Counts up by one. Precondition: the value is below the largest 64-bit value.
  void Increment() noexcept {
    std::size_t at = kFixedHandleWidth;
    while (at-- > 0) {
      char& digit = digits_[at];
      if (digit == 'F') {
        digit = '0';
        continue;
      }
      digit = digit == '9' ? 'A' : static_cast<char>(digit + 1);
      if (at < first_) first_ = at;
      return;
    }
  }

 private:
  // With leading zeros, and room behind them for AppendTo's whole copy.
  char digits_[kFixedHandleWidth + kHandleCopyLength] = {};
  std::size_t first_;  // the first digit of the text
};

}  // namespace sorvane
