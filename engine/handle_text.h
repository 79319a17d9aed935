#pragma once
// Handles as a drawing writes them: hexadecimal in capitals. A drawing numbers its
// entities one after another, so the text of the next handle is counted up in place
// rather than formatted anew for every vertex.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace sorvane {

// The digits of a handle seed that is written before its value is known and replaced
// once it is: wide enough for any handle.
inline constexpr std::size_t kFixedHandleWidth = 16;

class HandleText {
 public:
  explicit HandleText(std::uint64_t value = 0);

  // The value without leading zeros ("0" for zero).
  std::string_view Text() const {
    return {digits_ + first_, sizeof digits_ - first_};
  }

  // The value in exactly kFixedHandleWidth digits, with leading zeros.
  std::string FixedWidth() const { return {digits_, sizeof digits_}; }

  // Counts up by one. Precondition: the value is below the largest 64-bit value.
  void Increment() {
    std::size_t at = sizeof digits_;
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
  char digits_[kFixedHandleWidth];  // with leading zeros
  std::size_t first_;  // the first digit of the text
};

}  // namespace sorvane
