#pragma once
// Paths between the program's UTF-8 strings and std::filesystem. The char8_t forms are
// exact everywhere: on Linux they copy the file system's bytes, valid UTF-8 or not,
// and on Windows they convert to and from the wide names. The plain char forms would
// use the ANSI code page there and lose every name outside it.

#include <filesystem>
#include <string>
#include <string_view>

namespace sorvane {

inline std::filesystem::path PathFromUtf8(std::string_view utf8) {
  return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

inline std::string Utf8FromPath(const std::filesystem::path& path) {
  const std::u8string utf8 = path.u8string();
  return std::string(utf8.begin(), utf8.end());
}

}  // namespace sorvane
