#pragma once
// What names one file on disk whatever path reaches it: relative paths, symbolic links
// and hard links to the same file all give the same identity.

#include <cstdint>

namespace sorvane {

struct FileIdentity {
  std::uint64_t device = 0;
  std::uint64_t inode = 0;
  friend bool operator==(const FileIdentity&, const FileIdentity&) = default;
};

}  // namespace sorvane
