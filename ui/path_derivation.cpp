#include "path_derivation.h"

namespace sorvane {

std::string DeriveInPath(std::string_view directory, std::string_view fileName) {
  if (directory.ends_with(kPathSeparator)) directory.remove_suffix(1);
  std::string path(directory);
  path += kPathSeparator;
  path += fileName;
  return path;
}

std::string DeriveOutPath(std::string_view inPath) {
  const std::size_t separator = inPath.rfind(kPathSeparator);
  const std::size_t nameStart = separator == std::string_view::npos ? 0 : separator + 1;
  const std::size_t dot = inPath.find('.', nameStart);
  std::string path(inPath.substr(0, dot));
  path += ".dxf";
  return path;
}

}  // namespace sorvane
