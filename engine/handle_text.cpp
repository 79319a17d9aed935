#include "engine/handle_text.h"

namespace sorvane {

HandleText::HandleText(Handle handle) noexcept : first_(kFixedHandleWidth - 1) {
  std::uint64_t value = NumberOf(handle);
  for (std::size_t at = kFixedHandleWidth; at-- > 0;) {
    digits_[at] = "0123456789ABCDEF"[value & 0xF];
    value >>= 4;
    if (digits_[at] != '0') first_ = at;
  }
}

void HandleText::Advance(std::uint64_t count) noexcept {
  std::uint64_t value = 0;
  for (const char digit : std::string_view(digits_, kFixedHandleWidth)) {
    value = value * 16 + static_cast<unsigned>(digit <= '9' ? digit - '0' : digit - 'A' + 10);
  }
  *this = HandleText(Handle{value + count});
}

}  // namespace sorvane
