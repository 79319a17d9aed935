#include "selection/path_derivation.h"

namespace sorvane {

std::string DeriveInPath(std::string_view directory, std::string_view fileName, PathStyle style) {
  if (!directory.empty() && IsSeparator(directory.back(), style)) directory.remove_suffix(1);
  std::string path(directory);
  path += PreferredSeparator(style);
  path += fileName;
  return path;
}

std::string DeriveOutPath(std::string_view inPath, PathStyle style) {
  const std::size_t dot = inPath.find('.', FileNameStart(inPath, style));
  std::string path(inPath.substr(0, dot));
  path += ".dxf";
  return path;
}

}  // namespace sorvane
