#include "runtime/path_names.h"

namespace sorvane {
namespace {

bool IsDriveLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

// The length of the root that begins `path`: "/" or "\", "C:", "C:\" — 0 for none.
std::size_t RootLength(std::string_view path, PathStyle style) {
  if (style == PathStyle::Windows && path.size() >= 2 && IsDriveLetter(path[0]) &&
      path[1] == ':') {
    return path.size() >= 3 && IsSeparator(path[2], style) ? 3 : 2;
  }
  return !path.empty() && IsSeparator(path[0], style) ? 1 : 0;
}

}  // namespace

std::size_t FileNameStart(std::string_view path, PathStyle style) {
  for (std::size_t i = path.size(); i > 0; --i) {
    if (IsSeparator(path[i - 1], style)) return i;
  }
  return RootLength(path, style);  // "C:pts.csv" names pts.csv
}

std::string DirectoryOf(std::string_view path, PathStyle style) {
  const std::size_t nameStart = FileNameStart(path, style);
  const std::size_t root = RootLength(path, style);
  if (nameStart == 0) return ".";
  if (nameStart <= root) return std::string(path.substr(0, root));
  return std::string(path.substr(0, nameStart - 1));
}

bool IsAbsolutePath(std::string_view path, PathStyle style) {
  if (style == PathStyle::Posix) return path.starts_with('/');
  // "\dir" and "C:dir" still depend on the current drive or its current folder.
  return RootLength(path, style) == 3 ||
         (path.size() >= 2 && IsSeparator(path[0], style) && IsSeparator(path[1], style));
}

std::string JoinPath(std::string_view directory, std::string_view name, PathStyle style) {
  std::string path(directory);
  const bool needsSeparator = !path.empty() && !IsSeparator(path.back(), style) &&
                              !(style == PathStyle::Windows && path.size() == 2 && path[1] == ':');
  if (needsSeparator) path += PreferredSeparator(style);
  path += name;
  return path;
}

}  // namespace sorvane
