#pragma once
// What names one file on disk whatever path reaches it: relative paths, symbolic links
// and hard links to the same file all give the same identity.

#include <cstdint>

namespace sorvane {

struct FileIdentity {
  std::uint64_t device = 0;
  std::uint64_t inode = 0;
  // False where the system gives none: a device or a pipe on Windows.
  bool known = false;
};

// Whether `a` and `b` name one file. What has no identity is the same as nothing, not
// even as another thing without one: NUL read and NUL written are not one file.
constexpr bool SameFile(const FileIdentity& a, const FileIdentity& b) noexcept {
  return a.known && b.known && a.device == b.device && a.inode == b.inode;
}

}  // namespace sorvane
