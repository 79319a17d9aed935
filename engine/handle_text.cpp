#include "engine/handle_text.h"

namespace sorvane {

HandleText::HandleText(std::uint64_t value) : first_(kFixedHandleWidth - 1) {
  for (std::size_t at = kFixedHandleWidth; at-- > 0;) {
    digits_[at] = "0123456789ABCDEF"[value & 0xF];
    value >>= 4;
    if (digits_[at] != '0') first_ = at;
  }
}

}  // namespace sorvane
