#pragma once
// What a file manager leaves out when a person browses a folder.

#include <string>

namespace sorvane {

// Whether the entry at `path` is hidden from browsing: on POSIX systems a name that
// begins with ".", on Windows an entry with the hidden or system attribute. Throws
// nothing.
[[nodiscard]] bool IsHiddenFromBrowsing(const std::string& path) noexcept;

}  // namespace sorvane
