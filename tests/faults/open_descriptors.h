#pragma once
// Counts the process's open descriptors, so that a test can show that a run closed
// every file it opened, whichever way it ended.

#include <filesystem>

namespace sorvane::testing {

inline int OpenDescriptorCount() {
  int count = 0;
  for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator("/proc/self/fd")) {
    ++count;
  }
  return count;
}

}  // namespace sorvane::testing
