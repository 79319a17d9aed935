#include "runtime/hidden_entries.h"

#include "runtime/windows_text.h"

#include <windows.h>

namespace sorvane {

bool IsHiddenFromBrowsing(const std::string& path) noexcept {
  try {
    const DWORD attributes = ::GetFileAttributesW(WideFromUtf8(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES &&
           (attributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM)) != 0;
  } catch (...) {
    return false;
  }
}

}  // namespace sorvane
