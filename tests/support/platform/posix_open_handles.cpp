#include "tests/support/open_handles.h"

#include <filesystem>

namespace sorvane::testing {

int OpenHandleCount() {
  int count = 0;
  for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator("/dev/fd")) {
    ++count;
  }
  return count;
}

}  // namespace sorvane::testing
