#include "runtime/hidden_entries.h"

namespace sorvane {

bool IsHiddenFromBrowsing(const std::string& path) noexcept {
  const std::size_t slash = path.find_last_of('/');
  const std::size_t nameStart = slash == std::string::npos ? 0 : slash + 1;
  return nameStart < path.size() && path[nameStart] == '.';
}

}  // namespace sorvane
